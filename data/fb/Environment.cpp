#include "data/fb/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <mutex>
#include <sys/stat.h>

#ifndef CXP_FIREBIRD_SYSTEM_ROOT
#define CXP_FIREBIRD_SYSTEM_ROOT "/usr/lib/x86_64-linux-gnu/firebird/3.0"
#endif

namespace fb {

namespace {

// Bump when the content of the root changes, so a stale root is never reused.
constexpr const char* kRootName = "raiz-v2";
constexpr const char* kBase = "/tmp/cxpagar-firebird";

const char* kConf =
    "# Written by C x Pagar. The embedded engine runs as SuperClassic so that\n"
    "# several programs can open the same database files at once.\n"
    "ServerMode = SuperClassic\n"
    "# A deadlock between two processes is looked for after this many seconds\n"
    "# (the default is 10): the loser retries its save sooner.\n"
    "DeadlockTimeout = 2\n"
    "Providers = Remote, Engine12\n";

DbError setupError(const QString& what) {
    return DbError(ErrorKind::Other,
                   QStringLiteral("No se pudo preparar el motor de base de datos: %1").arg(what));
}

void makeShared(const QString& dir) {
    if (!QDir().mkpath(dir)) throw setupError(QStringLiteral("no se pudo crear %1").arg(dir));
    // Every user of the machine shares the folder, as /tmp itself.
    ::chmod(QFile::encodeName(dir).constData(), 01777);
}

bool rootLooksRight(const QString& root) {
    QFile f(root + QStringLiteral("/firebird.conf"));
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.readAll() == QByteArray(kConf) &&
           QFileInfo::exists(root + QStringLiteral("/intl/libfbintl.so")) &&
           QFileInfo::exists(root + QStringLiteral("/plugins/libEngine12.so"));
}

void buildRoot(const QString& root) {
    const QString sys = QStringLiteral(CXP_FIREBIRD_SYSTEM_ROOT);
    if (!QFileInfo::exists(sys + QStringLiteral("/plugins/libEngine12.so")))
        throw setupError(QStringLiteral("no está instalado el motor embebido de Firebird (%1)").arg(sys));

    // Built aside and renamed into place, so a process never sees half a root.
    QTemporaryDir tmp(QLatin1String(kBase) + QStringLiteral("/raiz-XXXXXX"));
    if (!tmp.isValid()) throw setupError(tmp.errorString());
    const QString t = tmp.path();
    QFile conf(t + QStringLiteral("/firebird.conf"));
    if (!conf.open(QIODevice::WriteOnly) || conf.write(kConf) < 0)
        throw setupError(conf.errorString());
    conf.close();
    auto link = [&](const QString& name) {
        const QString target = QFileInfo(sys + QLatin1Char('/') + name).canonicalFilePath();
        if (target.isEmpty() || !QFile::link(target, t + QLatin1Char('/') + name))
            throw setupError(QStringLiteral("no se pudo enlazar %1").arg(name));
    };
    link(QStringLiteral("plugins"));
    link(QStringLiteral("plugins.conf"));
    link(QStringLiteral("firebird.msg"));
    // libfbintl looks for fbintl.conf beside its real path: copy both.
    QDir(t).mkdir(QStringLiteral("intl"));
    for (const char* f : {"libfbintl.so", "fbintl.conf"}) {
        const QString src = QFileInfo(sys + QStringLiteral("/intl/") + QLatin1String(f)).canonicalFilePath();
        if (src.isEmpty() || !QFile::copy(src, t + QStringLiteral("/intl/") + QLatin1String(f)))
            throw setupError(QStringLiteral("no se pudo copiar %1").arg(QLatin1String(f)));
    }
    ::chmod(QFile::encodeName(t).constData(), 0755);
    if (::rename(QFile::encodeName(t).constData(), QFile::encodeName(root).constData()) == 0) {
        tmp.setAutoRemove(false);
        return;
    }
    // Another process won the race; its root is as good as ours.
    if (!rootLooksRight(root)) throw setupError(QStringLiteral("la carpeta %1 no es válida").arg(root));
}

}  // namespace

QString Environment::root() { return QStringLiteral("%1/%2").arg(QLatin1String(kBase), QLatin1String(kRootName)); }

QString Environment::lockFolder() { return QStringLiteral("%1/bloqueos").arg(QLatin1String(kBase)); }

void Environment::ensure() {
    static std::once_flag once;
    static std::exception_ptr failure;
    std::call_once(once, [] {
        try {
            makeShared(QString::fromLatin1(kBase));
            makeShared(lockFolder());
            if (!rootLooksRight(root())) buildRoot(root());
            // Overrides whatever the caller's environment said: the lock
            // folder must be the same for every process on these files.
            ::setenv("FIREBIRD", QFile::encodeName(root()).constData(), 1);
            ::setenv("FIREBIRD_LOCK", QFile::encodeName(lockFolder()).constData(), 1);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (failure) std::rethrow_exception(failure);
}

}  // namespace fb
