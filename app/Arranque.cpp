#include "app/Arranque.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace cxp::arranque {

QString archivoRegistro() {
    const QString carpeta = qEnvironmentVariable(kVariableRegistro);
    if (!carpeta.isEmpty())
        return carpeta + QStringLiteral("/%1/%2.ini").arg(QLatin1String(kOrganizacion), QLatin1String(kAplicacion));
    return QSettings(QSettings::IniFormat, QSettings::SystemScope, QLatin1String(kOrganizacion),
                     QLatin1String(kAplicacion))
        .fileName();
}

QString leerDirectorio() {
    const QSettings registro(archivoRegistro(), QSettings::IniFormat);
    QString dir = registro.value(QLatin1String(kValorDirectorio)).toString();
    while (dir.size() > 1 && (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))) dir.chop(1);
    return dir;
}

QString Diraplicacion(Interaccion& interaccion) {
    const QString dir = leerDirectorio();
    if (dir.isEmpty()) interaccion.error(kSinRegistro);
    return dir;
}

std::optional<QString> leerConexion(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray texto = f.readAll();
    const qsizetype fin = texto.indexOf('\n');
    if (fin >= 0) texto.truncate(fin);
    if (texto.endsWith('\r')) texto.chop(1);
    return QString::fromUtf8(texto);
}

QString ubicaciondb(const QString& directorio, const QString& ubicacionLinea, Interaccion& interaccion,
                    bool* sinArchivo) {
    if (sinArchivo) *sinArchivo = false;
    if (!ubicacionLinea.isEmpty()) return ubicacionLinea;
    const auto ubicacion = leerConexion(directorio + QStringLiteral("/conexion.cfg"));
    if (!ubicacion) {
        if (sinArchivo) *sinArchivo = true;
        interaccion.error(kSinConexion);
        return {};
    }
    return *ubicacion;
}

QString archivoErrores(const QString& directorio) {
    if (directorio.isEmpty()) return ManejadorErrores::archivoLogDelUsuario();
    return directorio + QStringLiteral("/ERRORES.TXT");
}


}  // namespace cxp::arranque
