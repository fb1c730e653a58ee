#include "tests/support/BaseTemporal.h"

#include <QFile>
#include <QProcess>
#include <stdexcept>

namespace prueba {

void crearSinEscrituraForzada(const fb::ConnectionParams& params) {
    fb::Database::create(params).detach();
    QProcess gfix;
    gfix.start(QStringLiteral("gfix"), {QStringLiteral("-write"), QStringLiteral("async"), params.database,
                                        QStringLiteral("-user"), params.user});
    gfix.waitForFinished(30000);
}

BaseTemporal::BaseTemporal(const QString& plantilla)
    : dir_(QStringLiteral("/tmp/cxp-prueba-XXXXXX")), ruta_(dir_.path() + QStringLiteral("/prueba.fdb")) {
    if (!dir_.isValid()) throw std::runtime_error("no se pudo crear la carpeta temporal");
    if (plantilla.isEmpty()) {
        crearSinEscrituraForzada(params());
    } else if (!QFile::copy(plantilla, ruta_)) {
        throw std::runtime_error("no se pudo copiar la plantilla " + plantilla.toStdString());
    }
}

BaseTemporal::~BaseTemporal() = default;

fb::ConnectionParams BaseTemporal::params(const QString& usuario) const {
    fb::ConnectionParams p;
    p.database = ruta_;
    p.user = usuario;
    return p;
}

fb::Database BaseTemporal::conectar(const QString& usuario) const { return fb::Database::attach(params(usuario)); }

}  // namespace prueba
