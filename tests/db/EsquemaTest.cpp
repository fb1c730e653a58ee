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
    const QString ultimo = cxp::esquema::guiones(Base::Compania).back().nombre;
    db.executeDirect("delete from VERSION_ESQUEMA where VERS_GUION = ?", {ultimo});
    EXPECT_THROW(cxp::esquema::actualizar(db, Base::Compania), fb::DbError);  // its objects exist already
}

TEST(Esquema, CadaObjetoConcedidoAPublico) {
    prueba::BaseTemporal base(prueba::plantillaCompania());
    fb::Database db = base.conectar();
    const auto sinPermiso = db.query(
        "select r.rdb$relation_name from rdb$relations r where coalesce(r.rdb$system_flag, 0) = 0 "
        "and not exists (select 1 from rdb$user_privileges p where p.rdb$relation_name = r.rdb$relation_name "
        "and p.rdb$user = 'PUBLIC' and p.rdb$privilege = 'I')");
    EXPECT_TRUE(sinPermiso.empty()) << sinPermiso.front()[0].toString().toStdString();
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
