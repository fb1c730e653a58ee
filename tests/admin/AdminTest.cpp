// cxpagar-admin as a person runs it: what it creates, and what it refuses.
#include "creditors/Replicacion.h"
#include "data/Configuracion.h"
#include "data/Sesion.h"
#include "data/fb/Database.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Servidor.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

struct Salida {
    int estado = -1;
    QString texto;
};

Salida admin(const QStringList& args, const QByteArray& entrada = {}) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(CXP_ADMIN), args);
    p.write(entrada);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

TEST(Admin, InstalacionDeDemostracion) {
    QTemporaryDir dir;
    const QString d = dir.path();
    const Salida s = admin({"demo", d});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();

    // conexion.cfg's first line and the registry stand-in both name the folder.
    QFile cfg(d + "/conexion.cfg");
    ASSERT_TRUE(cfg.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(cfg.readLine()).trimmed(), d);
    QSettings reg(d + "/registro/Orvel/Quelmar2021.ini", QSettings::IniFormat);
    EXPECT_EQ(reg.value("Directorio").toString(), d);

    fb::Database general = fb::Database::attach({d + "/datos/general.fdb", "SYSDBA"});
    EXPECT_TRUE(general.queryOne("select 1 from COMPANIA where COMP_COD = '001'").has_value());
    EXPECT_GE(general.query("select * from USUARIO").size(), 2u);
    fb::Database compania = fb::Database::attach({d + "/datos/001/quelmar.fdb", "SYSDBA"});
    EXPECT_GE(compania.query("select * from SUCURSALES").size(), 2u);
    EXPECT_TRUE(compania.queryOne("select revi_fecha from revision").has_value());
    EXPECT_GT(compania.query("select * from CONFIGURACION").size(), 10u);

    // The sister company receives the creditors saved in 001: inserted,
    // then updated.
    EXPECT_TRUE(general.queryOne("select 1 from COMPANIA where COMP_COD = '002'").has_value());
    {
        cxp::Sesion sesion;
        sesion.compania = fb::Database::attach({d + "/datos/001/quelmar.fdb", "ADMIN"});
        prueba::InteraccionGrabada inter;
        cxp::ReplicacionAcreedores replica(sesion);
        EXPECT_EQ(replica.replicar("900456789"), QStringList{"002"});
        sesion.compania.executeDirect("update TERCEROS set TERC_TEL = '(601) 000 0000' where TERC_NIT = '900456789'");
        EXPECT_EQ(replica.replicar("900456789"), QStringList{"002"});
        fb::Database hermana = fb::Database::attach({d + "/datos/002/quelmar.fdb", "SYSDBA"});
        const auto fila = hermana.queryOne(
            "select t.TERC_TEL, p.GRPR_COD from TERCEROS t join PROVEEDORES p on p.TERC_NIT = t.TERC_NIT "
            "where t.TERC_NIT = '900456789'");
        ASSERT_TRUE(fila.has_value());
        EXPECT_EQ(fila->at(0).toString(), "(601) 000 0000");
        EXPECT_TRUE(inter.mensajes.isEmpty()) << inter.mensajes.join("\n").toStdString();
    }

    // Once only; an upgrade afterwards keeps everything.
    const Salida otra = admin({"demo", d});
    EXPECT_EQ(otra.estado, 2);
    EXPECT_TRUE(otra.texto.contains("Ya existe")) << otra.texto.toStdString();
    const Salida act = admin({"actualizar", d});
    EXPECT_EQ(act.estado, 0) << act.texto.toStdString();
    EXPECT_TRUE(act.texto.contains("compañía 001: al día")) << act.texto.toStdString();
    EXPECT_GE(compania.query("select * from SUCURSALES").size(), 2u);
}

// A backup is taken before an upgrade and brings a company back; a company
// whose upgrade fails stops neither the others nor the report.
TEST(Admin, RespaldoRestauracionYCadaCompaniaPorSuCuenta) {
    QTemporaryDir dir;
    const QString d = dir.path();
    for (const QStringList& orden : {QStringList{"crear-general", d}, {"crear-compania", d, "001"}, {"crear-compania", d, "002"}})
        ASSERT_EQ(admin(orden).estado, 0) << orden.join(' ').toStdString();
    auto sucursales = [&](const char* codigo) {
        fb::Database c = fb::Database::attach({d + "/datos/" + codigo + "/quelmar.fdb", "SYSDBA"});
        return c.queryOne("select count(*) from SUCURSALES")->at(0).toInt64();
    };
    const Salida respaldo = admin({"respaldar", d, "001"});
    ASSERT_EQ(respaldo.estado, 0) << respaldo.texto.toStdString();
    const QString carpeta = respaldo.texto.section("Respaldo en ", 1).section(':', 0, 0);
    EXPECT_TRUE(QFile::exists(carpeta + "/general.fbk") && QFile::exists(carpeta + "/001.fbk")) << carpeta.toStdString();
    EXPECT_FALSE(QFile::exists(carpeta + "/002.fbk"));
    {
        fb::Database c = fb::Database::attach({d + "/datos/001/quelmar.fdb", "SYSDBA"});
        c.executeDirect("insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (9, 'Después del respaldo')");
        // An older 001: its first script is applied again and fails (its objects exist).
        c.executeDirect("delete from VERSION_ESQUEMA where VERS_GUION = (select min(VERS_GUION) from VERSION_ESQUEMA)");
    }
    const Salida act = admin({"actualizar", d});
    EXPECT_EQ(act.estado, 1) << act.texto.toStdString();
    EXPECT_TRUE(act.texto.contains("Respaldo en ")) << act.texto.toStdString();
    EXPECT_TRUE(act.texto.contains("compañía 001: falló")) << act.texto.toStdString();
    EXPECT_TRUE(act.texto.contains("compañía 002: al día")) << "the next company went on";
    EXPECT_TRUE(act.texto.contains("No se actualizaron: compañía 001"));

    const Salida rest = admin({"restaurar", d, carpeta, "001"});
    ASSERT_EQ(rest.estado, 0) << rest.texto.toStdString();
    EXPECT_EQ(sucursales("001"), 0) << "the row made after the backup is gone";
    const Salida otra = admin({"actualizar", d});
    EXPECT_EQ(otra.estado, 0) << otra.texto.toStdString();
    EXPECT_EQ(admin({"restaurar", d, d + "/no-hay", "001"}).estado, 2);
}

TEST(Admin, CreaYRechaza) {
    QTemporaryDir dir;
    const QString d = dir.path();
    EXPECT_EQ(admin({"crear-general", d}).estado, 0);
    EXPECT_EQ(admin({"crear-compania", d, "002"}).estado, 0);
    EXPECT_TRUE(QFile::exists(d + "/datos/002/quelmar.fdb"));

    const Salida existe = admin({"crear-general", d});
    EXPECT_EQ(existe.estado, 2);
    EXPECT_TRUE(existe.texto.contains("Ya existe la base de datos")) << existe.texto.toStdString();
    EXPECT_EQ(admin({"crear-compania", d, "002"}).estado, 2);
    for (const QString codigo : {"0'; drop", "../x", "01"}) EXPECT_EQ(admin({"crear-compania", d, codigo}).estado, 2);

    const Salida sinServidor = admin({"crear-general", "127.0.0.1/1:" + d + "/otra"});
    EXPECT_EQ(sinServidor.estado, 1);
    EXPECT_TRUE(sinServidor.texto.contains("No se pudo llegar al servidor")) << sinServidor.texto.toStdString();

    const Salida malaRuta = admin({"actualizar", d + "/no/existe"});
    EXPECT_EQ(malaRuta.estado, 1);
    EXPECT_TRUE(malaRuta.texto.contains("No se encontró el archivo o la ruta")) << malaRuta.texto.toStdString();
    EXPECT_EQ(admin({"crear-general", "/proc/no-se-puede"}).estado, 2);
    EXPECT_EQ(admin({"sin-orden"}).estado, 2);
}

TEST(AdminServidor, BasesYUsuariosEnElServidor) {
    CXP_SERVIDOR_O_FALLA(srv);
    const QString ubic = srv.prefijo + srv.carpeta + "/inst-" + QUuid::createUuid().toString(QUuid::Id128);
    // The server needs the folder; on a real server the administrator makes it.
    QDir().mkpath(srv.carpeta + ubic.mid(ubic.lastIndexOf('/')) + "/datos/001");
    const QStringList cred{"--usuario", srv.usuario, "--clave", srv.clave};
    Salida s = admin(cred + QStringList{"crear-general", ubic});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    s = admin(cred + QStringList{"crear-compania", ubic, "001"});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    EXPECT_EQ(admin(cred + QStringList{"crear-general", ubic}).estado, 2);
    s = admin(cred + QStringList{"usuario", ubic, "CLERK_PRUEBA", "clave'con;comillas"});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    // The new login opens the company database with its own password.
    fb::Database db = fb::Database::attach({ubic + "/datos/001/quelmar.fdb", "CLERK_PRUEBA", "clave'con;comillas"});
    EXPECT_EQ(db.queryOne("select current_user from rdb$database")->at(0).toString(), "CLERK_PRUEBA");
    const Salida mala = admin({"--usuario", srv.usuario, "--clave", "mala", "actualizar", ubic});
    EXPECT_EQ(mala.estado, 1);
    EXPECT_TRUE(mala.texto.contains("usuario o la clave")) << mala.texto.toStdString();
}

// Passwords off the command line: SYSDBA's from a file of the user's own
// (0600; any other refused), a new login's from standard input.
TEST(AdminServidor, ClavesFueraDeLaLineaDeOrdenes) {
    CXP_SERVIDOR_O_FALLA(srv);
    QTemporaryDir claves;
    const QString archivo = claves.filePath("sysdba");
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(srv.clave.toUtf8() + "\n");
    f.close();
    const QString ubic = srv.prefijo + srv.carpeta + "/inst-" + QUuid::createUuid().toString(QUuid::Id128);
    QDir().mkpath(srv.carpeta + ubic.mid(ubic.lastIndexOf('/')) + "/datos");
    ASSERT_TRUE(QFile::setPermissions(archivo, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QStringList cred{"--usuario", srv.usuario, "--clave-archivo", archivo};
    Salida s = admin(cred + QStringList{"crear-general", ubic});
    EXPECT_EQ(s.estado, 2);
    EXPECT_TRUE(s.texto.contains("permisos 0600")) << s.texto.toStdString();
    ASSERT_TRUE(QFile::setPermissions(archivo, QFile::ReadOwner | QFile::WriteOwner));
    s = admin(cred + QStringList{"crear-general", ubic});
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    s = admin(cred + QStringList{"usuario", ubic, "CLERK_ENTRADA"}, "otra'clave\n");
    ASSERT_EQ(s.estado, 0) << s.texto.toStdString();
    fb::Database db = fb::Database::attach({ubic + "/datos/general.fdb", "CLERK_ENTRADA", "otra'clave"});
    EXPECT_EQ(db.queryOne("select current_user from rdb$database")->at(0).toString(), "CLERK_ENTRADA");
}

}  // namespace
