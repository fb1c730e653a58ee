// The embedded engine's folders belong to the OS user alone.
#include "data/fb/Database.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(Entorno, SoloUnaCarpetaPropiaYCerradaSirve) {
    QTemporaryDir tmp;
    const auto carpeta = [&](const char* n, mode_t modo) {
        const QByteArray d = QFile::encodeName(tmp.filePath(n));
        ::mkdir(d, 0700);
        ::chmod(d, modo);
        return tmp.filePath(n);
    };
    ::symlink(QFile::encodeName(carpeta("real", 0700)), QFile::encodeName(tmp.filePath("enlace")));
    QFile(tmp.filePath("fichero")).open(QIODevice::WriteOnly);
    const QString ajena = carpeta("ajena", 0700);
    const bool root = ::geteuid() == 0 && ::chown(QFile::encodeName(ajena), 65534, 65534) == 0;
    const std::pair<QString, const char*> casos[] = {
        {carpeta("propia", 0700), ""},           {carpeta("abierta", 0755), "permisos 0755"},
        {carpeta("todos", 01777), "permisos 1777"}, {tmp.filePath("enlace"), "es un enlace"},
        {tmp.filePath("fichero"), "no es una carpeta"}, {tmp.filePath("ausente"), "no se pudo examinar"},
        {root ? ajena : QString(), "pertenece a otro usuario"},  // needs root to give it away
    };
    for (const auto& [d, problema] : casos) {
        if (d.isEmpty()) continue;
        const QString p = fb::Environment::privateFolderProblem(d);
        EXPECT_TRUE(*problema ? p.contains(QLatin1String(problema)) : p.isEmpty()) << d.toStdString() << ": " << p.toStdString();
    }
}

// Root and lock folder are the user's own (not a shared folder of /tmp),
// and the engine is pointed at them.
TEST(Entorno, RaizYBloqueosEnLaCarpetaDelUsuario) {
    fb::Environment::ensure();
    EXPECT_EQ(fb::Environment::base(), QFile::decodeName(::getpwuid(::geteuid())->pw_dir) + "/.cache/cxpagar-firebird");
    for (const QString& d : {fb::Environment::base(), fb::Environment::root(), fb::Environment::lockFolder()})
        EXPECT_EQ(fb::Environment::privateFolderProblem(d), QString()) << d.toStdString();
    EXPECT_EQ(qEnvironmentVariable("FIREBIRD_LOCK"), fb::Environment::lockFolder());
    EXPECT_EQ(qEnvironmentVariable("FIREBIRD"), fb::Environment::root());
}

}  // namespace
