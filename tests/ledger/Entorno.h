#pragma once
// A scratch company database for the ledger's screens, and what one running
// program holds: the session with its connection, the scripted Interaccion,
// the error handler and the configuration. The ledger's procedures are
// replaced by stand-ins with the same arguments and columns that return
// fixed rows and echo their arguments (CONCEPTO, TELEFONO, CIUDAD), so the
// tests see exactly what each screen passed.
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace prueba {

class EntornoLedger : public ::testing::Test {
protected:
    BaseTemporal compania{plantillaCompania()};
    InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    cxp::ManejadorErrores manejador{interaccion, sesion, nullptr};
    cxp::Configuracion configuracion{interaccion};

    void SetUp() override;

    // False: the ledger's own procedures, as the schema has them.
    bool sustitutos_ = true;

    void entrar(int agencia = 0) {
        sesion.usuario_actual = QStringLiteral("ADMIN");
        sesion.es_administrador = true;
        sesion.agencia_actual = agencia;
        sesion.compania = compania.conectar();
        configuracion.cargar(sesion.compania);
    }
    void configurar(const QString& modulo, const QString& categoria, const QString& propiedad, const QString& valor) {
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
    QString mensajes() const { return interaccion.mensajes.join(u'\n'); }
};

}  // namespace prueba
