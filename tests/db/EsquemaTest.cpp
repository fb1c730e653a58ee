// The applier, the schema it builds and the two patterns of document tables.
#include "db/Esquema.h"
#include "tests/support/BaseTemporal.h"
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

// The secrets kept in older databases move to the reserved tables on the
// upgrade; what an administrator writes later goes there too. A clerk's
// login reads neither them nor the procedure that hands out the replication
// login, cannot add audit rows by hand, and learns of a token password only
// whether the one she has is right.
TEST(Esquema, SecretosApartadosYSoloSusProcedimientosLosUsan) {
    prueba::BaseTemporal base(prueba::plantillaCompania());
    fb::Database db = base.conectar();
    // The database as it was before the secrets had tables of their own.
    for (const char* sql : {"drop procedure REPLIQUE_AJUSTE", "drop procedure REPLIQUE_ACREEDOR", "drop procedure REPLICA_DISPONIBLE",
                            "drop procedure REPLICA_ACCESO", "drop procedure VALIDE_CLAVE_TOKEN",
                            "drop trigger CONFIGURACION_RESERVADA_BIU", "drop trigger AUTORIZACIONES_CLAVE_BIUD",
                            "drop table CONFIGURACION_RESERVADA", "drop table AUTORIZACIONES_CLAVE",
                            "delete from VERSION_ESQUEMA where VERS_GUION = 'compania/033_datos_reservados.sql'"})
        db.executeDirect(QString::fromLatin1(sql));
    const QString clave = QStringLiteral("CLAVE DE USUARIO PARA REPLICACION DE ARTICULOS");
    db.executeDirect("update CONFIGURACION set CONF_VALOR = 'réplica' where CONF_PROPIEDAD = ?", {clave});
    db.executeDirect("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'BOG', '000001')");
    db.executeDirect("insert into AUTORIZACIONES (AUTO_NUMERO, TIDO_COD, PREF_PRE, AUTO_TOKENPSW) "
                     "values ('A1', 51, 'BOG', 'antigua')");
    cxp::esquema::actualizar(db, Base::Compania);

    auto reservada = [&] {
        const auto r = db.queryOne("select CONF_VALOR from CONFIGURACION_RESERVADA where CONF_PROPIEDAD = ?", {clave});
        return r ? r->at(0).toString() : QStringLiteral("-");
    };
    auto token = [&] {
        QStringList r;
        for (const fb::Row& f : db.query("select PREF_PRE || '/' || AUTO_NUMERO || '=' || AUTO_TOKENPSW "
                                         "from AUTORIZACIONES_CLAVE order by 1"))
            r << f[0].toString();
        return r.join(u' ');
    };
    auto visibles = [&] {
        return db.queryOne("select (select count(*) from AUTORIZACIONES where AUTO_TOKENPSW is not null) || '/' || "
                           "(select count(*) from CONFIGURACION where CONF_PROPIEDAD = ? and CONF_VALOR <> '') "
                           "from RDB$DATABASE", {clave})->at(0).toString();
    };
    EXPECT_EQ(reservada(), "réplica") << "kept by the upgrade";
    EXPECT_EQ(token(), "BOG/A1=antigua");
    EXPECT_EQ(visibles(), "0/0");

    // What an administrator writes, one step after the other.
    struct Paso {
        const char* sql;
        const char* clave;
        const char* tokens;
    } pasos[] = {
        {"update CONFIGURACION set CONF_VALOR = 'nueva' where CONF_PROPIEDAD = 'CLAVE DE USUARIO PARA REPLICACION DE "
         "ARTICULOS'", "nueva", "BOG/A1=antigua"},
        {"update CONFIGURACION set CONF_VALOR = '' where CONF_PROPIEDAD = 'CLAVE DE USUARIO PARA REPLICACION DE "
         "ARTICULOS'", "nueva", "BOG/A1=antigua"},
        {"update AUTORIZACIONES set AUTO_FINAL = '000100'", "nueva", "BOG/A1=antigua"},
        {"update AUTORIZACIONES set AUTO_TOKENPSW = 'otra'", "nueva", "BOG/A1=otra"},
        {"insert into AUTORIZACIONES (AUTO_NUMERO, TIDO_COD, PREF_PRE, AUTO_TOKENPSW) values ('A2', 51, 'BOG', 'dos')",
         "nueva", "BOG/A1=otra BOG/A2=dos"},
        {"update AUTORIZACIONES set AUTO_NUMERO = 'A3' where AUTO_NUMERO = 'A2'", "nueva", "BOG/A1=otra BOG/A3=dos"},
        {"update AUTORIZACIONES set AUTO_TOKENPSW = '' where AUTO_NUMERO = 'A1'", "nueva", "BOG/A3=dos"},
        {"delete from AUTORIZACIONES where AUTO_NUMERO = 'A3'", "nueva", ""},
        {"update AUTORIZACIONES set AUTO_TOKENPSW = 'final'", "nueva", "BOG/A1=final"},
    };
    for (const Paso& p : pasos) {
        db.executeDirect(QString::fromUtf8(p.sql));
        EXPECT_EQ(reservada(), QString::fromUtf8(p.clave)) << p.sql;
        EXPECT_EQ(token(), QString::fromUtf8(p.tokens)) << p.sql;
        EXPECT_EQ(visibles(), "0/0") << p.sql;
    }

    fb::Database aux = base.conectar(QStringLiteral("AUXILIAR"));
    for (const char* prohibido : {
             "select * from CONFIGURACION_RESERVADA",
             "select * from AUTORIZACIONES_CLAVE",
             "select * from REPLICA_ACCESO('002')",
             "execute procedure AUDITE_DOCUMENTO 51, 1, 'I'",
             "execute procedure AUDITE_CAMBIO 51, 0, 1, 'N', 'N'",
             "execute procedure AUDITE_MAESTRO 104, '900', 'D'",
             "execute procedure ANULACION_CXPAGAR 51, 1, 'D', 'X', '1', 0",
             "update REPLICA_COMPRAS set RPCM_SERVIDOR = 'otro/3050:/x'",
         }) {
        EXPECT_THROW(aux.executeDirect(QString::fromLatin1(prohibido)), fb::DbError) << prohibido;
    }
    EXPECT_EQ(db.queryOne("select count(*) from AUDITORIA where TIDO_COD in (51, 104)")->at(0).toInt64(), 0);
    struct Prueba {
        const char* clave;
        const char* numero;
        const char* valida;
    } pruebas[] = {{"final", "A1", "S"}, {"FINAL", "A1", "N"}, {"", "A1", "N"}, {"final", "A9", "N"}};
    for (const Prueba& p : pruebas)
        EXPECT_EQ(aux.queryOne("select VALIDA from VALIDE_CLAVE_TOKEN(51, 'BOG', ?, ?)",
                               {QString::fromLatin1(p.numero), QString::fromLatin1(p.clave)})->at(0).toString(),
                  p.valida) << p.clave << " " << p.numero;
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

}  // namespace
