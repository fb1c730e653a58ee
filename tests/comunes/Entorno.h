#pragma once
// A scratch company database and what one running program holds for the
// shared screens: the session with its connection, the scripted
// Interaccion, the error handler and the configuration. The session is the
// administrator's unless a test logs in as the clerk.
#include "data/DataSet.h"
#include "db/Esquema.h"
#include "tests/support/EntornoCompania.h"

namespace prueba {

class EntornoComunes : public EntornoCompania {
protected:
    QDate hoy = QDate::currentDate();

    void SetUp() override {
        ejecutar("insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (1, 'Principal')");
        ejecutar("insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (2, 'Centro')");
        entrarComo("ADMIN", "Administrador del sistema", true);
    }

    // The values of one field down the rows, as text.
    static QStringList columna(cxp::DataSet& ds, const QString& campo) {
        QStringList r;
        for (int i = 0; i < ds.recordCount(); ++i) r << ds.row(i).asString(campo);
        return r;
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
};

}  // namespace prueba
