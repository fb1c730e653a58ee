#include "tests/app/InstalacionPrueba.h"

#include "admin/Instalacion.h"
#include "base/Rutas.h"
#include "base/Sql.h"
#include "db/Esquema.h"
#include "tests/support/Plantillas.h"

#include <QDir>
#include <QFile>
#include <mutex>
#include <stdexcept>

namespace prueba {

namespace {

fb::Database conectar(const QString& ruta) {
    fb::ConnectionParams p;
    p.database = ruta;
    p.user = QStringLiteral("SYSDBA");
    return fb::Database::attach(p);
}

void copiar(const QString& origen, const QString& destino) {
    QDir().mkpath(QFileInfo(destino).absolutePath());
    if (!QFile::copy(origen, destino)) throw std::runtime_error("no se pudo copiar " + origen.toStdString());
    QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner);
}

void ejecutar(const QString& ruta, const QString& sql) {
    fb::Database db = conectar(ruta);
    db.executeDirect(sql);
}

}  // namespace

InstalacionPrueba::InstalacionPrueba() : dir_(QStringLiteral("/tmp/cxp-instalacion-XXXXXX")) {
    if (!dir_.isValid()) throw std::runtime_error("no se pudo crear la carpeta temporal");
    copiar(plantillaDemo(cxp::esquema::Base::General), general());
    copiar(plantillaDemo(cxp::esquema::Base::Compania), compania());
    escribirConexion((directorio() + QStringLiteral("\r\n")).toUtf8());
    cxp::admin::escribirRegistro(directorio() + QStringLiteral("/registro"), directorio());
    habiaRegistro_ = qEnvironmentVariableIsSet("CXPAGAR_REGISTRO");
    registroAnterior_ = qgetenv("CXPAGAR_REGISTRO");
    qputenv("CXPAGAR_REGISTRO", (directorio() + QStringLiteral("/registro")).toUtf8());
}

InstalacionPrueba::~InstalacionPrueba() {
    if (habiaRegistro_)
        qputenv("CXPAGAR_REGISTRO", registroAnterior_);
    else
        qunsetenv("CXPAGAR_REGISTRO");
}

QString InstalacionPrueba::general() const { return cxp::rutas::general(directorio()); }
QString InstalacionPrueba::compania() const { return cxp::rutas::compania(directorio(), QStringLiteral("001")); }

QStringList InstalacionPrueba::lineasErrores() const {
    QFile f(errores());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void InstalacionPrueba::enGeneral(const QString& sql) const { ejecutar(general(), sql); }
void InstalacionPrueba::enCompania(const QString& sql) const { ejecutar(compania(), sql); }

QVariant InstalacionPrueba::marcaDeConexion(const QString& usuario) const {
    fb::Database g = conectar(general());
    const auto v = g.queryOne("select feccon from usuario where usua_cod = " + cxp::sql::texto(usuario))->at(0);
    return v.isNull() ? QVariant() : QVariant(v.toDate());
}

void InstalacionPrueba::quitarRegistro() const {
    QFile::remove(directorio() + QStringLiteral("/registro/Orvel/Quelmar2021.ini"));
}

void InstalacionPrueba::quitarConexion() const { QFile::remove(directorio() + QStringLiteral("/conexion.cfg")); }

void InstalacionPrueba::escribirConexion(const QByteArray& contenido) const {
    QFile f(directorio() + QStringLiteral("/conexion.cfg"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenido) != contenido.size())
        throw std::runtime_error("no se pudo escribir conexion.cfg");
}

}  // namespace prueba
