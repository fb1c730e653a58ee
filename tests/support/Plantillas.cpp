#include "tests/support/Plantillas.h"

#include "db/Esquema.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <mutex>

namespace prueba {

namespace {

QString construir(cxp::esquema::Base base, const char* nombre) {
    // Lives until the test program ends.
    static QTemporaryDir dir(QStringLiteral("/tmp/cxp-plantillas-XXXXXX"));
    const QString ruta = dir.filePath(QString::fromLatin1(nombre));
    fb::Database db = fb::Database::create({ruta, QStringLiteral("SYSDBA")});
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

}  // namespace prueba
