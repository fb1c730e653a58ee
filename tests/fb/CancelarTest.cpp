// A statement stopped from another thread, over the network and in the
// embedded engine: the call ends at once with the cancelled kind, its
// transaction rolls back, and the attachment runs the next statement.
#include "tests/support/BaseTemporal.h"
#include "tests/support/Errores.h"
#include "tests/support/Servidor.h"

#include <QUuid>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using Reloj = std::chrono::steady_clock;

// Billions of rows to count: minutes of work if nobody stops it.
const QString kLarga = QStringLiteral("select count(*) from rdb$types a, rdb$types b, rdb$types c, rdb$types d");

void comprobar(fb::Database& db) {
    db.executeDirect(QStringLiteral("create table T (ID integer)"));
    const fb::Canceller cancelar = db.canceller();
    ASSERT_TRUE(cancelar.isValid());
    struct Caso {
        const char* nombre;
        bool escribeAntes;  // the transaction wrote a row before the long statement
    };
    for (const Caso c : {Caso{"lectura", false}, Caso{"con escritura", true}}) {
        SCOPED_TRACE(c.nombre);
        db.resetCancel();
        Reloj::time_point pedido;
        std::thread otro([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            pedido = Reloj::now();
            cancelar.cancel();
        });
        fb::ErrorKind clase;
        {
            fb::Transaction tr(db);
            if (c.escribeAntes) tr.execute(QStringLiteral("insert into T values (1)"));
            clase = prueba::claseDeError([&] { tr.queryOne(kLarga); });
            tr.rollback();
        }
        const auto fin = Reloj::now();
        otro.join();
        EXPECT_EQ(clase, fb::ErrorKind::Cancelled) << fb::toString(clase);
        EXPECT_LT(fin - pedido, std::chrono::seconds(1));
        EXPECT_EQ(db.queryOne(QStringLiteral("select count(*) from T"))->at(0).toInt64(), 0);
    }
    // A cancel that comes when nothing runs is dropped before the next work.
    cancelar.cancel();
    db.resetCancel();
    EXPECT_EQ(db.queryOne(QStringLiteral("select 7 from rdb$database"))->at(0).toInt64(), 7);
    // Once detached, a cancel does nothing.
    db.detach();
    cancelar.cancel();
}

TEST(Cancelar, SentenciaLargaDesdeOtroHilo) {
    {
        SCOPED_TRACE("embebido");
        prueba::BaseTemporal base;
        fb::Database db = base.conectar();
        comprobar(db);
    }
    SCOPED_TRACE("servidor");
    CXP_SERVIDOR_O_FALLA(srv);
    const QString ruta = srv.carpeta + QStringLiteral("/cancelar-%1.fdb").arg(QUuid::createUuid().toString(QUuid::Id128));
    fb::Database::create(srv.params(ruta)).detach();
    {
        fb::Database db = fb::Database::attach(srv.params(ruta));
        comprobar(db);
    }
    fb::Database::attach(srv.params(ruta)).drop();
}

}  // namespace
