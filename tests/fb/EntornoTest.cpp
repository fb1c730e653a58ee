// The embedded engine's folders belong to the OS user alone.
#include "data/fb/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray nativo(const QString& ruta) { return QFile::encodeName(ruta); }

TEST(Entorno, SoloUnaCarpetaPropiaYCerradaSirve) {
    struct Caso {
        const char* nombre;
        std::function<bool(const QString&)> preparar;  // false: not applicable here
        const char* problema;                          // empty: accepted
    };
    const Caso casos[] = {
        {"propia 0700", [](const QString& d) { return ::mkdir(nativo(d), 0700) == 0; }, ""},
        {"abierta 0755", [](const QString& d) { return ::mkdir(nativo(d), 0700) == 0 && ::chmod(nativo(d), 0755) == 0; },
         "permisos 0755"},
        {"de todos 1777", [](const QString& d) { return ::mkdir(nativo(d), 0700) == 0 && ::chmod(nativo(d), 01777) == 0; },
         "permisos 1777"},
        {"enlace a una propia",
         [](const QString& d) { return ::mkdir(nativo(d + "-real"), 0700) == 0 && ::symlink(nativo(d + "-real"), nativo(d)) == 0; },
         "es un enlace"},
        {"fichero", [](const QString& d) { QFile f(d); return f.open(QIODevice::WriteOnly); }, "no es una carpeta"},
        {"ausente", [](const QString&) { return true; }, "no se pudo examinar"},
        {"de otro usuario",
         [](const QString& d) { return ::geteuid() == 0 && ::mkdir(nativo(d), 0700) == 0 && ::chown(nativo(d), 65534, 65534) == 0; },
         "pertenece a otro usuario"},
    };
    QTemporaryDir tmp;
    int i = 0;
    for (const Caso& c : casos) {
        const QString d = tmp.filePath(QString::number(i++));
        if (!c.preparar(d)) {
            std::printf("  (sin probar \"%s\": hace falta ser root)\n", c.nombre);
            continue;
        }
        const QString problema = fb::Environment::privateFolderProblem(d);
        if (*c.problema == '\0')
            EXPECT_TRUE(problema.isEmpty()) << c.nombre << ": " << problema.toStdString();
        else
            EXPECT_TRUE(problema.contains(QLatin1String(c.problema))) << c.nombre << ": " << problema.toStdString();
    }
}

// Root and lock folder are the user's own, not a shared folder of /tmp, and
// the engine is pointed at them.
TEST(Entorno, RaizYBloqueosEnLaCarpetaDelUsuario) {
    fb::Environment::ensure();
    const QString casa = QFile::decodeName(::getpwuid(::geteuid())->pw_dir);
    EXPECT_EQ(fb::Environment::base(), casa + "/.cache/cxpagar-firebird");
    for (const QString& d : {fb::Environment::base(), fb::Environment::root(), fb::Environment::lockFolder()}) {
        EXPECT_TRUE(d.startsWith(fb::Environment::base()));
        EXPECT_EQ(fb::Environment::privateFolderProblem(d), QString()) << d.toStdString();
    }
    EXPECT_EQ(qEnvironmentVariable("FIREBIRD_LOCK"), fb::Environment::lockFolder());
    EXPECT_EQ(qEnvironmentVariable("FIREBIRD"), fb::Environment::root());
}

}  // namespace
