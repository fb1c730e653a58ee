// Rights held by the database itself, on the test server: a clerk's own
// login, through any client, cannot make herself administrator, give
// herself rights, change the settings or rewrite the audit trail, and still
// does her normal work; an administrator's login may write all of it.
#include "admin/Instalacion.h"
#include "base/Rutas.h"
#include "db/Esquema.h"
#include "tests/support/Servidor.h"

#include <QDir>
#include <QFile>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

using cxp::esquema::Base;

constexpr int64_t isc_no_priv = 335544352;  // no permission for ... access

TEST(DerechosServidor, UnAuxiliarNoSeDaDerechosYHaceSuTrabajo) {
    CXP_SERVIDOR_O_FALLA(srv);
    const QString sufijo = QUuid::createUuid().toString(QUuid::Id128).left(5).toUpper();  // codes hold ten characters
    const QString carpeta = srv.carpeta + QStringLiteral("/derechos-") + sufijo;
    QDir().mkpath(carpeta + QStringLiteral("/datos/001"));
    const QString general = cxp::rutas::general(carpeta), compania = cxp::rutas::compania(carpeta, "001");
    for (auto [ruta, base] : {std::pair{general, Base::General}, std::pair{compania, Base::Compania}}) {
        fb::Database db = fb::Database::create(srv.params(ruta));
        cxp::esquema::actualizar(db, base);
        cxp::esquema::ejecutar(db, cxp::esquema::guionDemo(base));
    }
    const QString aux = QStringLiteral("AUX") + sufijo, jefe = QStringLiteral("JEFE") + sufijo;
    QString salida;
    QTextStream out(&salida);
    cxp::admin::Instalador inst({srv.usuario, srv.clave}, out);
    inst.usuario(srv.prefijo + carpeta, aux, QStringLiteral("clave-aux"));
    inst.usuario(srv.prefijo + carpeta, jefe, QStringLiteral("clave-jefe"), true);
    {
        fb::Database g = fb::Database::attach(srv.params(general));
        g.executeDirect("insert into usuario (usua_cod, usua_nombre, usua_admin) values (?, 'Auxiliar', 'N')", {aux});
        fb::Database c = fb::Database::attach(srv.params(compania));
        c.executeDirect("insert into usuario (user_cod, user_anocnt, user_percnt) values (?, '2026', 11)", {aux});
    }
    auto como = [&](const QString& usuario, const QString& ruta) {
        return fb::Database::attach({srv.prefijo + ruta, usuario, usuario == aux ? "clave-aux" : "clave-jefe"});
    };
    fb::Database auxG = como(aux, general), auxC = como(aux, compania);

    struct Caso {
        bool enGeneral;
        const char* sql;
    } prohibidos[] = {
        {true, "update usuario set usua_admin = 'S' where usua_cod = current_user"},
        {true, "insert into usuario (usua_cod, usua_nombre, usua_admin) values ('OTRO', 'x', 'S')"},
        {true, "delete from version_esquema"},
        {false, "update usuario set sucu_id = 0 where user_cod = current_user"},
        {false, "insert into acceso_usuario (user_cod, acus_modulo, acus_opcion, acus_si)"
                " values (current_user, 'C. X PAGAR', 1, 'S')"},
        {false, "update configuracion set conf_valor = 'x'"},
        {false, "delete from autorizaciones"},
        {false, "delete from auditoria"},
        {false, "update auditoria set audi_usuario = 'OTRO'"},
        {false, "insert into auditoria (audi_id, tido_cod, audi_oper, audi_fecha, audi_hora, audi_usuario)"
                " values (-1, 51, 'I', current_date, '00:00:00', 'OTRO')"},
        // the secrets, and what would hand them out or aim them elsewhere
        {false, "select * from configuracion_reservada"},
        {false, "select * from autorizaciones_clave"},
        {false, "select * from replica_acceso('002')"},
        {false, "update replica_compras set rpcm_servidor = 'otra/3050:/datos'"},
        // audit rows by hand
        {false, "execute procedure audite_documento 51, 1, 'I'"},
        {false, "execute procedure audite_maestro 104, '900876543', 'D'"},
    };
    for (const Caso& c : prohibidos) {
        try {
            (c.enGeneral ? auxG : auxC).executeDirect(QString::fromLatin1(c.sql));
            ADD_FAILURE() << "allowed: " << c.sql;
        } catch (const fb::DbError& e) {
            EXPECT_TRUE(e.hasCode(isc_no_priv)) << c.sql << ": " << e.text().toStdString();
        }
    }

    // Her normal work: the connection mark, the working period, a creditor
    // changed (its audit row written by the trigger) and the reason of it.
    auxG.executeDirect("execute procedure marque_conexion '2026/12/07'");
    EXPECT_EQ(auxG.queryOne("select feccon from usuario where usua_cod = current_user")->at(0).toDate(),
              QDate(2026, 12, 7));
    auxG.executeDirect("execute procedure limpie_conexion '2026/12/07'");
    EXPECT_TRUE(auxG.queryOne("select feccon from usuario where usua_cod = current_user")->at(0).isNull());
    auxC.executeDirect("execute procedure cambie_periodo '2027', 2");
    EXPECT_EQ(auxC.queryOne("select user_anocnt || '/' || user_percnt from usuario where user_cod = current_user")
                  ->at(0).toString(), "2027/2");
    auxC.executeDirect("update terceros set terc_dir = 'Calle 1' where terc_nit = '900876543'");
    auxC.executeDirect("update auditoria set audi_razon = 'cambio de sede' where tido_cod = 104 and audi_cod = "
                       "'900876543' and audi_usuario = current_user");
    EXPECT_EQ(auxC.queryOne("select count(*) from auditoria where audi_razon = 'cambio de sede'")->at(0).toInt64(), 1);
    EXPECT_GT(auxC.queryOne("select count(*) from configuracion")->at(0).toInt64(), 0);
    EXPECT_EQ(auxC.queryOne("select valida from valide_clave_token(51, '0000', 'NINGUNA', 'x')")->at(0).toString(), "N");

    // The administrator's login writes what the clerk's may not.
    fb::Database jefeC = como(jefe, compania), jefeG = como(jefe, general);
    jefeC.executeDirect("insert into acceso_usuario (user_cod, acus_modulo, acus_opcion, acus_si) values (?, "
                        "'C. X PAGAR', 1, 'S')", {aux});
    jefeC.executeDirect("update configuracion set conf_valor = '7' where conf_propiedad = 'DURACION DE LAS ADVERTENCIAS'");
    jefeG.executeDirect("update usuario set usua_nombre = 'Auxiliar contable' where usua_cod = ?", {aux});
    EXPECT_TRUE(salida.contains(jefe + " es administrador")) << salida.toStdString();

    // The administrator sets the replication login (the company copies to
    // itself here); the clerk's saves copy the creditor through the
    // procedures with a password she cannot read, and a wrong one is a
    // sister company out of reach.
    // The server column holds 60 characters: a short link keeps the test
    // independent of where the tree was cloned.
    const QString corta = QStringLiteral("/tmp/cxr-") + sufijo;
    QFile::remove(corta);
    ASSERT_TRUE(QFile::link(carpeta, corta));
    jefeC.executeDirect("insert into replica_compras (rpcm_cod, rpcm_nombre, rpcm_servidor) values ('001', 'MISMA', ?)",
                        {srv.prefijo + corta});
    for (const QString& clave : {QStringLiteral("otra"), QStringLiteral("clave-jefe")}) {
        jefeC.executeDirect("update configuracion set conf_valor = ? where conf_propiedad = "
                            "'NOMBRE DE USUARIO PARA REPLICACION DE ARTICULOS'", {jefe});
        jefeC.executeDirect("update configuracion set conf_valor = ? where conf_propiedad = "
                            "'CLAVE DE USUARIO PARA REPLICACION DE ARTICULOS'", {clave});
        const bool buena = clave == QLatin1String("clave-jefe");
        EXPECT_EQ(auxC.queryOne("select disponible from replica_disponible('001')")->at(0).toString(),
                  buena ? "S" : "N") << clave.toStdString();
    }
    auxC.executeDirect("execute procedure replique_acreedor '900876543', '001'");
    EXPECT_EQ(auxC.queryOne("select count(*) from configuracion where conf_valor = 'clave-jefe'")->at(0).toInt64(), 0);

    for (fb::Database* d : {&auxG, &auxC, &jefeC, &jefeG}) d->detach();
    QFile::remove(corta);
    fb::Database g = fb::Database::attach(srv.params(general));
    for (const QString& u : {aux, jefe}) g.executeDirect(QStringLiteral("drop user %1 using plugin Srp").arg(u));
    g.drop();
    fb::Database::attach(srv.params(compania)).drop();
}

}  // namespace
