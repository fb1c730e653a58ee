// Logins and networks need a real server: the private one of scripts/test.
#include "tests/support/Servidor.h"

#include <QUuid>
#include "tests/support/Errores.h"

#include <gtest/gtest.h>

namespace {

TEST(Servidor, ConexionesPorLaRed) {
    CXP_SERVIDOR_O_FALLA(srv);
    const QString ruta = srv.carpeta + QStringLiteral("/red-%1.fdb").arg(QUuid::createUuid().toString(QUuid::Id128));
    {
        fb::Database db = fb::Database::create(srv.params(ruta));
        db.executeDirect("create table T (ID integer, NOMBRE varchar(30))");
        db.executeDirect("insert into T values (1, ?)", {QStringLiteral("Compañía Ñ")});
        EXPECT_EQ(db.queryOne("select NOMBRE from T")->at(0).toString(), QStringLiteral("Compañía Ñ"));
    }
    // Wrong password, unknown user: a login error, whatever the cause.
    auto malo = srv.params(ruta);
    malo.password = QStringLiteral("incorrecta");
    EXPECT_EQ(prueba::claseDeError([&] { fb::Database::attach(malo); }), fb::ErrorKind::Login);
    malo.user = QStringLiteral("NADIE");
    EXPECT_EQ(prueba::claseDeError([&] { fb::Database::attach(malo); }), fb::ErrorKind::Login);
    // A missing file on the server.
    EXPECT_EQ(prueba::claseDeError([&] { fb::Database::attach(srv.params(srv.carpeta + "/no-existe.fdb")); }),
              fb::ErrorKind::MissingFile);
    // Nobody listening on that port; a host that does not resolve.
    EXPECT_EQ(prueba::claseDeError([&] { fb::Database::attach({"127.0.0.1/1:/x.fdb", "SYSDBA", "x"}); }), fb::ErrorKind::Network);
    EXPECT_EQ(prueba::claseDeError([&] { fb::Database::attach({"servidor-inexistente.invalid:/x.fdb", "SYSDBA", "x"}); }),
              fb::ErrorKind::Network);
    fb::Database::attach(srv.params(ruta)).drop();
}

}  // namespace
