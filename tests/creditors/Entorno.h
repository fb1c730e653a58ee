#pragma once
// A scratch company for the creditor screens and what a running program
// holds: the session with its connection, the scripted Interaccion, the
// error handler and the configuration; builders of creditors and groups.
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace prueba {

class EntornoAcreedores : public ::testing::Test {
protected:
    BaseTemporal compania{plantillaCompania()};
    InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    cxp::ManejadorErrores manejador{interaccion, sesion, nullptr};
    cxp::Configuracion configuracion{interaccion};

    void SetUp() override {
        ejecutar("insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM) values ('01', 'NACIONALES')");
        ejecutar("insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM, GRPR_CTAPROV, GRPR_CTARTFTE, GRPR_CTARTIVA, "
                 "GRPR_CTARTICA, GRPR_CTAPROVNIIF, GRPR_CTARFTENIIF, GRPR_CTARIVANIIF, GRPR_CTARICANIIF) values "
                 "('02', 'SERVICIOS', '220501', '236540', '236701', '236801', '2205011', '2365401', '2367011', '2368011')");
        ejecutar("insert into CIUDADES (CIUD_COD, CIUD_NOM, CIUD_DPTO) values ('Z0001', 'PRUEBA NORTE', 'PRUEBA')");
        ejecutar("insert into CIUDADES (CIUD_COD, CIUD_NOM, CIUD_DPTO) values ('Z0002', 'VILLA O''HARA', 'PRUEBA')");
        entrar();
    }
    void entrar() {
        sesion.usuario_actual = QStringLiteral("ADMIN");
        sesion.es_administrador = true;
        sesion.compania = compania.conectar();
        configuracion.cargar(sesion.compania);
    }
    void configurar(const QString& propiedad, const QString& valor,
                    const QString& modulo = QStringLiteral("CONTABILIDAD"),
                    const QString& categoria = QStringLiteral("TERCEROS")) {
        configuracion.asignar(modulo, categoria, propiedad, valor);
    }
    int64_t ejecutar(const QString& sql, const std::vector<fb::Value>& params = {}) const {
        fb::Database db = compania.conectar();
        return db.executeDirect(sql, params);
    }
    std::vector<fb::Row> filas(const QString& sql) const {
        fb::Database db = compania.conectar();
        return db.query(sql);
    }
    // A third party, and its supplier row when `proveedor`.
    void unTercero(const QString& nit, const QString& nombre, bool proveedor, const QString& estado = "S") {
        ejecutar("insert into TERCEROS (TERC_NIT, TERC_NOM, TERC_PROV, TERC_ESTADO, TERC_CLIE, TERC_TIPOID) values (" +
                 cxp::sql::texto(nit) + "," + cxp::sql::texto(nombre) + "," + (proveedor ? "'S'" : "'N'") + "," +
                 cxp::sql::texto(estado) + ", 'S', 'J')");
        if (proveedor)
            ejecutar("insert into PROVEEDORES (TERC_NIT, GRPR_COD) values (" + cxp::sql::texto(nit) + ", '01')");
    }
    QString mensajes() const { return interaccion.mensajes.join(u'\n'); }
};

}  // namespace prueba
