#include "tests/support/Plantillas.h"

#include "db/Esquema.h"
#include "tests/support/BaseTemporal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <QTemporaryDir>
#include <mutex>

namespace prueba {

namespace {

QString construir(cxp::esquema::Base base, const char* nombre) {
    // Lives until the test program ends.
    static QTemporaryDir dir(QStringLiteral("/tmp/cxp-plantillas-XXXXXX"));
    const QString ruta = dir.filePath(QString::fromLatin1(nombre));
    crearSinEscrituraForzada({ruta, QStringLiteral("SYSDBA")});
    fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
    cxp::esquema::actualizar(db, base);
    return ruta;
}

}  // namespace

QString plantillaCompania() {
    static std::once_flag once;
    static QString ruta;
    std::call_once(once, [] { ruta = construir(cxp::esquema::Base::Compania, "compania.fdb"); });
    return ruta;
}

QString plantillaGeneral() {
    static std::once_flag once;
    static QString ruta;
    std::call_once(once, [] { ruta = construir(cxp::esquema::Base::General, "general.fdb"); });
    return ruta;
}

QString plantillaDemo(cxp::esquema::Base base) {
    static std::once_flag onces[2];
    static QString rutas[2];
    const bool compania = base == cxp::esquema::Base::Compania;
    std::call_once(onces[compania], [&] {
        QString& ruta = rutas[compania];
        ruta = QFileInfo(compania ? plantillaCompania() : plantillaGeneral()).dir().filePath(
            compania ? QStringLiteral("demo-compania.fdb") : QStringLiteral("demo-general.fdb"));
        if (!QFile::copy(compania ? plantillaCompania() : plantillaGeneral(), ruta))
            throw std::runtime_error("no se pudo copiar la plantilla");
        QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner);
        fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
        cxp::esquema::ejecutar(db, cxp::esquema::guionDemo(base));
        cxp::esquema::otorgarAdministrador(db, base, QStringLiteral("ADMIN"));
    });
    return rutas[compania];
}

}  // namespace prueba
