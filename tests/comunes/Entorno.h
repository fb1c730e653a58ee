#pragma once
// A scratch company database and what one running program holds for the
// shared screens: the session with its connection, the scripted
// Interaccion, the error handler and the configuration. The session is the
// administrator's unless a test logs in as the clerk.
#include "db/Esquema.h"
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace prueba {

class EntornoComunes : public ::testing::Test {
protected:
    BaseTemporal compania{plantillaCompania()};
    InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    cxp::ManejadorErrores manejador{interaccion, sesion, nullptr};
    cxp::Configuracion configuracion{interaccion};
    QDate hoy = QDate::currentDate();

    void SetUp() override {
        ejecutar("insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (1, 'Principal')");
        ejecutar("insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (2, 'Centro')");
        entrarComo("ADMIN", "Administrador del sistema", true);
    }

    void entrarComo(const QString& usuario, const QString& nombre, bool administrador) {
        sesion.usuario_actual = usuario;
        sesion.nombre_usuario = nombre;
        sesion.es_administrador = administrador;
        // An administrator's login writes the protected tables, as the
        // installation grants it.
        if (administrador) {
            fb::Database db = compania.conectar();
            cxp::esquema::otorgarAdministrador(db, cxp::esquema::Base::Compania, usuario);
        }
        sesion.compania = compania.conectar(usuario);
        configuracion.cargar(sesion.compania);
    }

    int64_t ejecutar(const QString& sql, const std::vector<fb::Value>& params = {}) const {
        fb::Database db = compania.conectar();
        return db.executeDirect(sql, params);
    }
    std::optional<fb::Row> fila(const QString& sql, const std::vector<fb::Value>& params = {}) const {
        fb::Database db = compania.conectar();
        return db.queryOne(sql, params);
    }
    int64_t contar(const QString& sql, const std::vector<fb::Value>& params = {}) const {
        return fila(sql, params)->at(0).toInt64();
    }
};

}  // namespace prueba
