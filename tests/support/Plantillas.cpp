#include "tests/support/Plantillas.h"

#include "db/Esquema.h"
#include "tests/support/BaseTemporal.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <mutex>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>

static void initFuentes() { Q_INIT_RESOURCE(plantillas_fuentes); }

namespace prueba {

namespace {

// The templates are shared by every test program of a build: they lie in a
// folder named by a hash of everything that goes into them (the embedded
// scripts, the demo data, and the code that applies them and grants the
// rights), so a change to any of those makes a new folder and an old
// template is never used. Each file is written under a temporary name and
// renamed when whole; a lock file keeps two programs started at once from
// both building the same template.
QString huella() {
    QCryptographicHash h(QCryptographicHash::Sha256);
    auto anadir = [&](const QString& nombre, const QString& texto) {
        h.addData(nombre.toUtf8());
        h.addData(QByteArrayView("\0", 1));
        h.addData(texto.toUtf8());
        h.addData(QByteArrayView("\0", 1));
    };
    for (auto base : {cxp::esquema::Base::General, cxp::esquema::Base::Compania}) {
        for (const auto& g : cxp::esquema::guiones(base)) anadir(g.nombre, g.texto);
        const auto demo = cxp::esquema::guionDemo(base);
        anadir(demo.nombre, demo.texto);
    }
    initFuentes();
    for (const char* nombre : {"db/Esquema.cpp", "tests/support/Plantillas.cpp", "tests/support/BaseTemporal.cpp"}) {
        QFile f(QStringLiteral(":/plantillas_fuentes/") + QLatin1String(nombre));
        if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error(std::string("falta la fuente embebida ") + nombre);
        anadir(QLatin1String(nombre), QString::fromUtf8(f.readAll()));
    }
    return QString::fromLatin1(h.result().toHex().left(16));
}

QString carpetaCompartida() {
    static const QString carpeta = [] {
        QString raiz = qEnvironmentVariable("CXP_PLANTILLAS");
        if (raiz.isEmpty()) raiz = QStringLiteral(CXP_PLANTILLAS);
        const QString clave = huella();
        const QString dir = QDir(raiz).filePath(clave);
        if (!QFileInfo::exists(dir)) {
            // Templates of other scripts built more than a day ago go, so the
            // folder does not grow with every change of the scripts.
            const QDateTime antes = QDateTime::currentDateTime().addDays(-1);
            for (const QFileInfo& vieja : QDir(raiz).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
                if (vieja.fileName() != clave && vieja.lastModified() < antes) QDir(vieja.filePath()).removeRecursively();
        }
        if (!QDir().mkpath(dir)) throw std::runtime_error("no se pudo crear " + dir.toStdString());
        return dir;
    }();
    return carpeta;
}

// Holds an exclusive lock on a file while alive; the kernel lets it go if
// the program dies.
class Cerrojo {
public:
    explicit Cerrojo(const QString& ruta) : fd_(::open(QFile::encodeName(ruta).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0) {
            if (fd_ >= 0) ::close(fd_);
            throw std::runtime_error("no se pudo tomar el cerrojo " + ruta.toStdString());
        }
    }
    ~Cerrojo() {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }
    Cerrojo(const Cerrojo&) = delete;
    Cerrojo& operator=(const Cerrojo&) = delete;

private:
    int fd_;
};

// The template `nombre` of the shared folder, built by `llenar` on a fresh
// file when no program has built it yet.
template <typename Llenar>
QString compartida(const char* nombre, Llenar llenar) {
    const QString ruta = QDir(carpetaCompartida()).filePath(QString::fromLatin1(nombre));
    if (QFileInfo::exists(ruta)) return ruta;
    Cerrojo cerrojo(ruta + QStringLiteral(".cerrojo"));
    if (QFileInfo::exists(ruta)) return ruta;  // another program built it meanwhile
    const QString temporal = ruta + QStringLiteral(".%1.nueva").arg(::getpid());
    QFile::remove(temporal);
    try {
        llenar(temporal);
    } catch (...) {
        QFile::remove(temporal);
        throw;
    }
    if (::rename(QFile::encodeName(temporal).constData(), QFile::encodeName(ruta).constData()) != 0) {
        QFile::remove(temporal);
        throw std::runtime_error("no se pudo dejar la plantilla " + ruta.toStdString());
    }
    return ruta;
}

fb::ConnectionParams sysdba(const QString& ruta) {
    fb::ConnectionParams p;
    p.database = ruta;
    p.user = QStringLiteral("SYSDBA");
    return p;
}

void esquema(const QString& ruta, cxp::esquema::Base base) {
    crearSinEscrituraForzada(sysdba(ruta));
    fb::Database db = fb::Database::attach(sysdba(ruta));
    cxp::esquema::actualizar(db, base);
}

void demo(const QString& ruta, const QString& desde, cxp::esquema::Base base) {
    if (!QFile::copy(desde, ruta)) throw std::runtime_error("no se pudo copiar la plantilla");
    QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner);
    fb::Database db = fb::Database::attach(sysdba(ruta));
    cxp::esquema::ejecutar(db, cxp::esquema::guionDemo(base));
    cxp::esquema::otorgarAdministrador(db, base, QStringLiteral("ADMIN"));
}

}  // namespace

QString plantillaCompania() {
    static std::once_flag once;
    static QString ruta;
    std::call_once(once, [] {
        ruta = compartida("compania.fdb", [](const QString& r) { esquema(r, cxp::esquema::Base::Compania); });
    });
    return ruta;
}

QString plantillaGeneral() {
    static std::once_flag once;
    static QString ruta;
    std::call_once(once, [] {
        ruta = compartida("general.fdb", [](const QString& r) { esquema(r, cxp::esquema::Base::General); });
    });
    return ruta;
}

QString plantillaDemo(cxp::esquema::Base base) {
    static std::once_flag onces[2];
    static QString rutas[2];
    const bool compania = base == cxp::esquema::Base::Compania;
    std::call_once(onces[compania], [&] {
        const QString desde = compania ? plantillaCompania() : plantillaGeneral();
        rutas[compania] = compartida(compania ? "demo-compania.fdb" : "demo-general.fdb",
                                     [&](const QString& r) { demo(r, desde, base); });
    });
    return rutas[compania];
}

}  // namespace prueba
