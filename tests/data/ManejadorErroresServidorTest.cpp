// Failures that need a real server: a refused login and a missing file on
// the server, as the person sees them.
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/base/Imprimir.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Servidor.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ManejadorServidor, ClaveIncorrectaYArchivoInexistente) {
    CXP_SERVIDOR_O_FALLA(srv);
    QTemporaryDir dir;
    cxp::Sesion sesion;
    sesion.usuario_actual = QStringLiteral("AUXILIAR");
    sesion.directorio = dir.path();
    prueba::InteraccionGrabada inter;
    cxp::ManejadorErrores manejador(inter, sesion, nullptr);

    const QString ruta = srv.carpeta + QStringLiteral("/datos/001/quelmar.fdb");
    auto intento = [&](fb::ConnectionParams p) {
        return manejador.proteger([&] { fb::Database::attach(p); });
    };
    fb::ConnectionParams malo = srv.params(ruta);
    malo.password = QStringLiteral("incorrecta");
    EXPECT_FALSE(intento(malo));
    malo.user = QStringLiteral("NADIE");
    EXPECT_FALSE(intento(malo));
    EXPECT_FALSE(intento(srv.params(ruta)));
    // The path as the server sees it, without the server's prefix.
    EXPECT_EQ(inter.de("error"), QStringList({"El nombre de Usuario o la clave son incorrectas.",
                                              "El nombre de Usuario o la clave son incorrectas.",
                                              "No se encontró el archivo o la ruta " + ruta}));
    QFile log(dir.filePath("ERRORES.TXT"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lineas = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 3);
    EXPECT_TRUE(lineas[0].contains(",AUXILIAR,Your user name and password are not defined")) << lineas[0].toStdString();
}

}  // namespace
