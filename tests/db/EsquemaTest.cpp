// The applier, the schema it builds and the two patterns of document tables.
#include "db/Esquema.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/DocumentoPrueba.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace {

using cxp::esquema::Base;
using cxp::esquema::dividir;

TEST(Dividir, TerminadoresComentariosYTexto) {
    const QString guion = QStringLiteral(
        "-- a comment; with a semicolon\n"
        "create table A (X varchar(10) default 'a;b', \"Y;\" integer);\n"
        "/* block; comment */ insert into A values ('it''s; fine', 1);\n"
        "COMMIT;\n"
        "SET TERM ^ ;\n"
        "create procedure P as begin insert into A values ('^;', 2); end^\n"
        "SET TERM ; ^\n"
        "insert into A values ('x', 3)\n");
    const QStringList s = dividir(guion);
    ASSERT_EQ(s.size(), 4) << s.join("\n|\n").toStdString();
    EXPECT_TRUE(s[0].startsWith("create table A")) << s[0].toStdString();
    EXPECT_TRUE(s[1].contains("'it''s; fine'"));
    EXPECT_EQ(s[2], "create procedure P as begin insert into A values ('^;', 2); end");
    EXPECT_EQ(s[3], "insert into A values ('x', 3)");
}

TEST(Esquema, GuionesAplicadosUnaVezYDatosConservados) {
    prueba::BaseTemporal base(prueba::plantillaCompania());
    fb::Database db = base.conectar();
    const auto antes = db.query("select VERS_GUION from VERSION_ESQUEMA");
    EXPECT_EQ(antes.size(), cxp::esquema::guiones(Base::Compania).size());
    db.executeDirect("create table DATOS_PRUEBA (NOMBRE varchar(20))");
    db.executeDirect("insert into DATOS_PRUEBA values ('Prueba')");
    // An upgrade with nothing new applies nothing and keeps the data.
    EXPECT_TRUE(cxp::esquema::actualizar(db, Base::Compania).isEmpty());
    EXPECT_EQ(db.queryOne("select NOMBRE from DATOS_PRUEBA")->at(0).toString(), "Prueba");
    // A script forgotten by an older database is applied on the next upgrade.
    const QString primero = cxp::esquema::guiones(Base::Compania).front().nombre;
    db.executeDirect("delete from VERSION_ESQUEMA where VERS_GUION = ?", {primero});
    EXPECT_THROW(cxp::esquema::actualizar(db, Base::Compania), fb::DbError);  // its objects exist already
}

// Ordinary logins (PUBLIC) write every table but the protected ones, which
// they may only read; of the audit trail they write the reason alone.
TEST(Esquema, DerechosDePublicoSegunLaTabla) {
    prueba::BaseTemporal base(prueba::plantillaCompania());
    fb::Database db = base.conectar();
    const QStringList protegidas = cxp::esquema::tablasProtegidas(Base::Compania);
    for (const fb::Row& r : db.query(
             "select trim(r.rdb$relation_name), (select list(distinct trim(p.rdb$privilege)) from rdb$user_privileges p "
             "where p.rdb$relation_name = r.rdb$relation_name and p.rdb$user = 'PUBLIC' and p.rdb$privilege in "
             "('I', 'D') ) from rdb$relations r where coalesce(r.rdb$system_flag, 0) = 0")) {
        const QString tabla = r[0].toString();
        const QString escribe = r[1].isNull() ? QString() : r[1].toString();
        EXPECT_EQ(escribe.isEmpty(), protegidas.contains(tabla)) << tabla.toStdString() << ": " << escribe.toStdString();
    }
    const auto actualiza = db.query("select trim(rdb$field_name) from rdb$user_privileges where rdb$user = 'PUBLIC' "
                                    "and rdb$relation_name = 'AUDITORIA' and rdb$privilege = 'U'");
    ASSERT_EQ(actualiza.size(), 1u);
    EXPECT_EQ(actualiza[0][0].toString(), "AUDI_RAZON");
}

// A script that fails half-way goes on where it stopped once the cause is
// fixed: what it did is neither lost nor done twice.
TEST(Esquema, UnGuionQueFallaContinuaDondeQuedo) {
    prueba::BaseTemporal base;
    fb::Database db = base.conectar();
    const std::vector<cxp::esquema::Guion> lista = {
        {"x/001.sql", "create table A (X integer); insert into A values (1);"},
        {"x/002.sql", "insert into A values (2); insert into B values (1); create table C (Y integer);"},
    };
    try {
        cxp::esquema::aplicar(db, lista);
        ADD_FAILURE() << "table B is missing";
    } catch (const fb::DbError& e) {
        EXPECT_TRUE(e.text().startsWith("x/002.sql, sentencia 2")) << e.text().toStdString();
    }
    db.executeDirect("create table B (X integer)");  // the cause, fixed
    QStringList avisos;
    EXPECT_EQ(cxp::esquema::aplicar(db, lista, [&](const QString& m) { avisos << m; }), QStringList{"x/002.sql"});
    EXPECT_EQ(avisos, QStringList{"continuando x/002.sql después de la sentencia 1"});
    EXPECT_EQ(db.queryOne("select list(X) from A")->at(0).toString(), "1,2") << "no statement ran twice";
    EXPECT_EQ(db.queryOne("select count(*) from B")->at(0).toInt64(), 1);
    EXPECT_TRUE(db.queryOne("select 1 from rdb$relations where rdb$relation_name = 'C'"));
    EXPECT_TRUE(cxp::esquema::aplicar(db, lista).isEmpty());
}

TEST(Patrones, AuditoriaDeUnDocumento) {
    prueba::BaseTemporal base(prueba::plantillaCompania());
    {
        fb::Database db = base.conectar();
        prueba::crearDocumentoPrueba(db);
    }
    fb::Database db = base.conectar(QStringLiteral("AUXILIAR"));
    const auto g = prueba::guardarDocumento(db);
    db.executeDirect("update DOC_PRUEBA set DOCU_MONTO = 1 where DOCU_ID = ?", {g.id});
    db.executeDirect("update DOC_PRUEBA set DOCU_ANULADO = 'S' where DOCU_ID = ?", {g.id});
    db.executeDirect("delete from DOC_PRUEBA_LINEA where DOCU_ID = ?", {g.id});
    db.executeDirect("delete from DOC_PRUEBA where DOCU_ID = ?", {g.id});
    const auto filas = db.query(
        "select AUDI_OPER, AUDI_USUARIO, AUDI_FECHA, AUDI_HORA from AUDITORIA where TIDO_COD = ? and AUDI_IDDOC = ? "
        "order by AUDI_ID",
        {prueba::kTipoPrueba, g.id});
    QStringList ops;
    for (const auto& f : filas) {
        ops << f[0].toString();
        EXPECT_EQ(f[1].toString(), "AUXILIAR");
        EXPECT_EQ(f[2].toDate(), QDate::currentDate());
        EXPECT_EQ(f[3].toString().size(), 8);
    }
    EXPECT_EQ(ops.join(""), "IUAD");
    // The prefix moved past the saved number, and only forward.
    EXPECT_EQ(db.queryOne("select PREF_ACTUAL from PREFIJOS where TIDO_COD = 51 and PREF_PRE = 'CONC'")
                  ->at(0)
                  .toString(),
              "000002");
}

}  // namespace
