#include "data/fb/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef CXP_FIREBIRD_SYSTEM_ROOT
#define CXP_FIREBIRD_SYSTEM_ROOT "/usr/lib/x86_64-linux-gnu/firebird/3.0"
#endif

namespace fb {

namespace {

// Bump when the content of the root changes, so a stale root is never reused.
constexpr const char* kRootName = "raiz-v3";
// Under the user's home; scripts/servidor-pruebas names the same lock folder.
constexpr const char* kCache = ".cache";
constexpr const char* kBaseName = "cxpagar-firebird";

const char* kConf =
    "# Written by C x Pagar. The embedded engine runs as SuperClassic so that\n"
    "# several programs can open the same database files at once.\n"
    "ServerMode = SuperClassic\n"
    "# A deadlock between two processes is looked for after this many seconds\n"
    "# (the default is 10): the loser retries its save sooner.\n"
    "DeadlockTimeout = 2\n"
    "Providers = Remote, Engine12\n"
    "# A server that does not answer (a sister company's, reached for the\n"
    "# copies of a document) holds a save at most this many seconds.\n"
    "ConnectionTimeout = 5\n";

DbError setupError(const QString& what) {
    return DbError(ErrorKind::Other,
                   QStringLiteral("No se pudo preparar el motor de base de datos: %1").arg(what));
}

// The home of the effective user from the user database: every program of
// the user agrees on it whatever its environment says.
QString home() {
    const passwd* pw = ::getpwuid(::geteuid());
    if (!pw || !pw->pw_dir || pw->pw_dir[0] != '/')
        throw setupError(QStringLiteral("el usuario %1 no tiene carpeta personal").arg(::geteuid()));
    return QFile::decodeName(pw->pw_dir);
}

// Makes `dir` (0700) when missing; then it must be private to this user.
void makePrivate(const QString& dir) {
    const QByteArray path = QFile::encodeName(dir);
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        if (errno != ENOENT)
            throw setupError(QStringLiteral("%1: %2").arg(dir, QString::fromLocal8Bit(std::strerror(errno))));
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
            throw setupError(QStringLiteral("no se pudo crear %1: %2").arg(dir, QString::fromLocal8Bit(std::strerror(errno))));
    }
    const QString problem = Environment::privateFolderProblem(dir);
    if (!problem.isEmpty()) throw setupError(problem);
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
    QTemporaryDir tmp(Environment::base() + QStringLiteral("/raiz-XXXXXX"));
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
    ::chmod(QFile::encodeName(t).constData(), 0700);
    if (::rename(QFile::encodeName(t).constData(), QFile::encodeName(root).constData()) == 0) {
        tmp.setAutoRemove(false);
        return;
    }
    // Another process won the race; its root is as good as ours.
    if (!rootLooksRight(root)) throw setupError(QStringLiteral("la carpeta %1 no es válida").arg(root));
}

}  // namespace

QString Environment::base() {
    static const QString b = home() + QLatin1Char('/') + QLatin1String(kCache) + QLatin1Char('/') + QLatin1String(kBaseName);
    return b;
}

QString Environment::root() { return base() + QLatin1Char('/') + QLatin1String(kRootName); }

QString Environment::lockFolder() { return base() + QStringLiteral("/bloqueos"); }

QString Environment::privateFolderProblem(const QString& dir) {
    struct stat st {};
    if (::lstat(QFile::encodeName(dir).constData(), &st) != 0)
        return QStringLiteral("no se pudo examinar %1: %2").arg(dir, QString::fromLocal8Bit(std::strerror(errno)));
    const QString remedy = QStringLiteral("; bórrela para que el programa la cree de nuevo");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("%1 es un enlace y debe ser una carpeta propia").arg(dir) + remedy;
    if (!S_ISDIR(st.st_mode)) return QStringLiteral("%1 no es una carpeta").arg(dir) + remedy;
    if (st.st_uid != ::geteuid())
        return QStringLiteral("la carpeta %1 pertenece a otro usuario (uid %2)").arg(dir).arg(st.st_uid) + remedy;
    if ((st.st_mode & 077) != 0)
        return QStringLiteral("otros usuarios tienen acceso a la carpeta %1 (permisos %2; deben ser 0700)")
                   .arg(dir)
                   .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0')) + remedy;
    return {};
}

void Environment::ensure() {
    static std::once_flag once;
    static std::exception_ptr failure;
    std::call_once(once, [] {
        try {
            // ~/.cache itself is the user's; only our own folders must be private.
            const QString cache = home() + QLatin1Char('/') + QLatin1String(kCache);
            if (!QFileInfo::exists(cache)) ::mkdir(QFile::encodeName(cache).constData(), 0700);
            makePrivate(base());
            makePrivate(lockFolder());
            if (!rootLooksRight(root())) buildRoot(root());
            // Checked on every start, built now or long ago.
            const QString problem = privateFolderProblem(root());
            if (!problem.isEmpty()) throw setupError(problem);
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
