// The start against the private Firebird server of scripts/test: the
// person's own login opens both databases over the network, and a wrong
// password is refused with its Spanish message and the log line.
#include "admin/Instalacion.h"
#include "app/Activacion.h"
#include "app/Cifrado.h"
#include "base/Rutas.h"
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "db/Esquema.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Servidor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

using cxp::esquema::Base;

// A demo installation whose databases live on the server; the installation
// folder (registry value, ERRORES.TXT) is local.
struct InstalacionEnServidor {
    prueba::Servidor srv;
    QString carpeta;
    QTemporaryDir local;

    explicit InstalacionEnServidor(const prueba::Servidor& s) : srv(s) {
        carpeta = srv.carpeta + QStringLiteral("/app-") + QUuid::createUuid().toString(QUuid::Id128);
        QDir().mkpath(carpeta + QStringLiteral("/datos/001"));
        for (auto [ruta, base] : {std::pair{cxp::rutas::general(carpeta), Base::General},
                                  std::pair{cxp::rutas::compania(carpeta, QStringLiteral("001")), Base::Compania}}) {
            fb::Database db = fb::Database::create(srv.params(ruta));
            cxp::esquema::actualizar(db, base);
            cxp::esquema::ejecutar(db, cxp::esquema::guionDemo(base));
            db.executeDirect(
                base == Base::General
                    ? QStringLiteral(
                          "insert into usuario (usua_cod, usua_nombre, usua_admin) values ('%1', 'Dueño', 'S')")
                          .arg(srv.usuario.toUpper())
                    : QStringLiteral("insert into usuario (user_cod, sucu_id) values ('%1', 0)")
                          .arg(srv.usuario.toUpper()));
        }
        cxp::admin::escribirRegistro(local.path() + QStringLiteral("/registro"), local.path());
        qputenv("CXPAGAR_REGISTRO", (local.path() + QStringLiteral("/registro")).toUtf8());
    }
    ~InstalacionEnServidor() {
        qunsetenv("CXPAGAR_REGISTRO");
        for (const QString& ruta :
             {cxp::rutas::general(carpeta), cxp::rutas::compania(carpeta, QStringLiteral("001"))}) {
            try {
                fb::Database::attach(srv.params(ruta)).drop();
            } catch (...) {
            }
        }
    }
    cxp::ParametrosLinea parametros(const QString& clave) const {
        return cxp::ParametrosLinea::leer({QStringLiteral("ENTRADA"), srv.usuario.toUpper(), QStringLiteral("001"),
                                           cxp::cifrado::cifrar(clave), srv.prefijo + carpeta});
    }
    QStringList log() const {
        QFile f(local.filePath(QStringLiteral("ERRORES.TXT")));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

struct Instancia {
    prueba::InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    cxp::Configuracion configuracion{interaccion};
    cxp::ManejadorErrores errores{interaccion, sesion, nullptr};
    cxp::Activacion activacion{sesion, interaccion, configuracion, errores};
};

TEST(ActivacionServidor, ConLaClaveDeLaPersonaYConUnaEquivocada) {
    CXP_SERVIDOR_O_FALLA(srv);
    InstalacionEnServidor inst(srv);

    Instancia buena;
    ASSERT_TRUE(buena.activacion.activar(inst.parametros(srv.clave)))
        << buena.interaccion.mensajes.join('\n').toStdString();
    EXPECT_TRUE(buena.interaccion.mensajes.isEmpty());
    EXPECT_TRUE(buena.sesion.es_administrador);
    EXPECT_EQ(buena.sesion.compania.params().database,
              srv.prefijo + cxp::rutas::compania(inst.carpeta, QStringLiteral("001")));
    EXPECT_EQ(buena.activacion.encabezado().compania, "Distribuidora Andina de Alimentos S.A.S.");
    buena.activacion.cerrar();

    Instancia mala;
    EXPECT_FALSE(mala.activacion.activar(inst.parametros(QStringLiteral("equivocada"))));
    EXPECT_EQ(mala.interaccion.de("error"), QStringList{"El nombre de Usuario o la clave son incorrectas."});
    EXPECT_FALSE(mala.sesion.compania.isAttached());
    const QStringList log = inst.log();
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].contains("," + srv.usuario.toUpper() + ",")) << log[0].toStdString();
}

}  // namespace
