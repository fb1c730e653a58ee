#pragma once
// A scratch company for the creditor screens and what a running program
// holds: the session with its connection, the scripted Interaccion, the
// error handler and the configuration; builders of creditors and groups.
#include "base/Sql.h"
#include "tests/support/Constructores.h"
#include "tests/support/EntornoCompania.h"

namespace prueba {

class EntornoAcreedores : public EntornoCompania {
protected:
    void SetUp() override {
        ejecutar("insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM) values ('01', 'NACIONALES')");
        ejecutar("insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM, GRPR_CTAPROV, GRPR_CTARTFTE, GRPR_CTARTIVA, "
                 "GRPR_CTARTICA, GRPR_CTAPROVNIIF, GRPR_CTARFTENIIF, GRPR_CTARIVANIIF, GRPR_CTARICANIIF) values "
                 "('02', 'SERVICIOS', '220501', '236540', '236701', '236801', '2205011', '2365401', '2367011', '2368011')");
        ejecutar("insert into CIUDADES (CIUD_COD, CIUD_NOM, CIUD_DPTO) values ('Z0001', 'PRUEBA NORTE', 'PRUEBA')");
        ejecutar("insert into CIUDADES (CIUD_COD, CIUD_NOM, CIUD_DPTO) values ('Z0002', 'VILLA O''HARA', 'PRUEBA')");
        entrar();
    }
    void configurar(const QString& propiedad, const QString& valor,
                    const QString& modulo = QStringLiteral("CONTABILIDAD"),
                    const QString& categoria = QStringLiteral("TERCEROS")) {
        configuracion.asignar(modulo, categoria, propiedad, valor);
    }
    // A third party, and its supplier row when `proveedor`.
    void unTercero(const QString& nit, const QString& nombre, bool proveedor, const QString& estado = "S") {
        fb::Database db = compania.conectar();
        unAcreedor(db, nit, nombre, {.estado = estado, .proveedor = proveedor, .cliente = true});
    }
};

}  // namespace prueba
