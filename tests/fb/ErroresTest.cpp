// Failures arrive as DbError with the right kind, and leave nothing behind.
#include "tests/support/BaseTemporal.h"

#include "tests/support/Errores.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

class Errores : public ::testing::Test {
protected:
    void SetUp() override {
        db = base.conectar();
        db.executeDirect("create table PADRE (ID integer not null primary key, NOMBRE varchar(20))");
        db.executeDirect("create table HIJO (ID integer not null primary key, PADRE integer references PADRE(ID))");
        db.executeDirect("create unique index PADRE_NOMBRE on PADRE (NOMBRE)");
        db.executeDirect("insert into PADRE values (1, 'uno')");
    }
    prueba::BaseTemporal base;
    fb::Database db;
};

TEST_F(Errores, RestriccionesYArchivos) {
    EXPECT_EQ(prueba::claseDeError([&] { db.executeDirect("insert into PADRE values (1, 'otro')"); }), fb::ErrorKind::Unique);
    EXPECT_EQ(prueba::claseDeError([&] { db.executeDirect("insert into PADRE values (2, 'uno')"); }), fb::ErrorKind::Unique);
    EXPECT_EQ(prueba::claseDeError([&] { db.executeDirect("insert into HIJO values (1, 99)"); }), fb::ErrorKind::ForeignKey);
    EXPECT_EQ(prueba::claseDeError([&] { db.executeDirect("delete from PADRE"); db.executeDirect("insert into HIJO values (1, 1)"); }),
              fb::ErrorKind::ForeignKey);
    EXPECT_EQ(prueba::claseDeError([&] { fb::Database::attach({base.carpeta() + "/no/existe.fdb", "SYSDBA"}); }),
              fb::ErrorKind::MissingFile);
    EXPECT_EQ(prueba::claseDeError([&] { db.executeDirect("select from"); }), fb::ErrorKind::Other);
    try {
        db.executeDirect("insert into PADRE values (1, 'x')");
    } catch (const fb::DbError& e) {
        EXPECT_TRUE(e.hasCode(335544665)) << e.what();  // unique_key_violation
        EXPECT_EQ(e.sqlCode(), -803);
        EXPECT_TRUE(e.text().contains("PADRE")) << e.what();
    }
}

TEST_F(Errores, UnLoteQueFallaNoDejaNada) {
    auto tr = db.begin();
    tr.execute("insert into PADRE values (2, 'dos')");
    tr.execute("insert into PADRE values (3, 'tres')");
    EXPECT_THROW(tr.execute("insert into PADRE values (4, 'dos')"), fb::DbError);
    tr.rollback();
    EXPECT_EQ(db.query("select ID from PADRE").size(), 1u);
}

TEST_F(Errores, ConflictoDeBloqueoEsperaYFalla) {
    fb::Database otra = base.conectar();
    auto t1 = db.begin();
    t1.execute("update PADRE set NOMBRE = 'a' where ID = 1");
    auto t2 = otra.begin({.lockTimeoutSeconds = 1});
    EXPECT_EQ(prueba::claseDeError([&] { t2.execute("update PADRE set NOMBRE = 'b' where ID = 1"); }), fb::ErrorKind::LockConflict);
    t2.rollback();
    // Without a timeout the second waits, then meets the committed change as
    // an update conflict: Firebird 3 does not restart the statement.
    std::thread primero([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        t1.commit();
    });
    auto t3 = otra.begin();
    try {
        t3.execute("update PADRE set NOMBRE = 'c' where ID = 1");
        ADD_FAILURE() << "no hubo conflicto";
    } catch (const fb::DbError& e) {
        EXPECT_TRUE(e.isConflict());
        EXPECT_TRUE(e.hasCode(335544451)) << e.what();
    }
    primero.join();
}

TEST_F(Errores, ConexionPerdidaEsUnDbError) {
    fb::Database victima = base.conectar();
    const auto id = victima.queryOne("select current_connection from rdb$database")->at(0).toInt64();
    db.executeDirect("delete from mon$attachments where mon$attachment_id = ?", {id});
    EXPECT_EQ(prueba::claseDeError([&] { victima.query("select * from PADRE"); }), fb::ErrorKind::Network);
    victima.detach();  // no crash, no leak, on a dead handle
    EXPECT_FALSE(victima.isAttached());
    EXPECT_EQ(prueba::claseDeError([&] { victima.query("select * from PADRE"); }), fb::ErrorKind::Network);
}

}  // namespace

namespace {

// Two embedded processes may break a page-lock deadlock with a generic error:
// it must count as a conflict so that the save is retried, and nothing else
// generic may.
TEST(Clasificacion, BloqueoDePaginaEntreProcesosEsConflicto) {
    const std::vector<int64_t> generico{335544382};
    EXPECT_EQ(fb::DbError::classify(generico, "page 293, page type 7 lock conversion denied"),
              fb::ErrorKind::LockConflict);
    EXPECT_EQ(fb::DbError::classify(generico, "page 12, page type 5 lock denied"), fb::ErrorKind::LockConflict);
    EXPECT_EQ(fb::DbError::classify(generico, "lock denied by the user"), fb::ErrorKind::Other);
    EXPECT_EQ(fb::DbError::classify({335544451, 335544336}), fb::ErrorKind::LockConflict);
}

}  // namespace
