#pragma once
// Two scratch databases (company and general) with three users, and
// "instances": what one running program holds for the messages (session
// with its two connections, scripted Interaccion, error handler).
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace prueba {

struct Instancia {
    InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    cxp::ManejadorErrores manejador{interaccion, sesion, nullptr};

    Instancia(const BaseTemporal& compania, const BaseTemporal& general, const QString& usuario) {
        sesion.usuario_actual = usuario;
        sesion.compania = compania.conectar(usuario);
        sesion.general = general.conectar(usuario);
    }
};

class BasesMensajes : public ::testing::Test {
protected:
    BaseTemporal compania{plantillaCompania()};
    BaseTemporal general{plantillaGeneral()};
    QDate hoy = QDate::currentDate();

    void SetUp() override {
        fb::Database c = compania.conectar();
        fb::Database g = general.conectar();
        struct U {
            const char* cod;
            const char* nombre;
            QDate feccon;
        };
        for (const U& u : {U{"ADMIN", "Administrador", hoy}, U{"AUXILIAR", "Auxiliar contable", hoy.addDays(-1)},
                           U{"CAJERO", "Cajero principal", QDate()}}) {
            c.executeDirect("insert into USUARIO (USER_COD, USER_ANOCNT, USER_PERCNT, SUCU_ID) values (?, '2026', 0, 0)",
                            {u.cod});
            g.executeDirect("insert into USUARIO (USUA_COD, USUA_NOMBRE, USUA_ADMIN, FECCON) values (?, ?, 'N', ?)",
                            {u.cod, u.nombre, u.feccon});
        }
    }

    std::unique_ptr<Instancia> instancia(const QString& usuario) {
        return std::make_unique<Instancia>(compania, general, usuario);
    }

    // A message written as another program would: id 0, the database fills
    // the author (the login), date and time. Returns its id.
    int64_t enviarComo(const QString& autor, const QString& destino, const QString& texto, int nivel = 3) {
        fb::Database db = compania.conectar(autor);
        db.executeDirect("insert into MENSAJERIA (MENS_ID, MENS_MENSAJE, MENS_NIVEL, MENS_DESTINO) values (0, ?, ?, ?)",
                         {texto, nivel, destino});
        return db.queryOne("select max(MENS_ID) from MENSAJERIA where MENS_AUTOR = ? and MENS_DESTINO = ?",
                           {autor, destino})
            ->at(0)
            .toInt64();
    }

    fb::Row mensaje(int64_t id) {
        fb::Database db = compania.conectar();
        return *db.queryOne("select * from MENSAJERIA where MENS_ID = ?", {id});
    }

    QString leido(int64_t id) { return mensaje(id)["MENS_LEIDO"].toString(); }
};

}  // namespace prueba

// Widgets need a QApplication; this main wins over gtest_main.
#define CXP_MAIN_CON_QAPPLICATION                   \
    int main(int argc, char** argv) {               \
        QApplication app(argc, argv);               \
        ::testing::InitGoogleTest(&argc, argv);     \
        return RUN_ALL_TESTS();                     \
    }
