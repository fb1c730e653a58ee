#include "data/ManejadorErrores.h"

#include "data/BarraEstado.h"
#include "data/DataSet.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"
#include "data/fb/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace cxp {

namespace {

// Firebird's gds codes the translation keys on.
constexpr int64_t isc_login = 335544472;                           // user name and password not defined
constexpr int64_t isc_io_error = 335544344;                        // I/O error during ... for file
constexpr int64_t isc_network_error = 335544721;                   // Unable to complete network request to host
constexpr int64_t isc_foreign_key_references_present = 335544839;  // a delete of a row others refer to

// The text between the first pair of double quotes, empty when none.
QString primeraComillas(const QString& texto) {
    static const QRegularExpression re(QStringLiteral("\"([^\"]*)\""));
    const auto m = re.match(texto);
    return m.hasMatch() ? m.captured(1) : QString();
}

// Firebird 3 says: I/O error during "open" operation for file "/x/y.fdb".
// Its first quoted text is the operation; the person needs the path.
QString rutaDelArchivo(const QString& texto) {
    static const QRegularExpression re(QStringLiteral("for file \"([^\"]*)\""));
    const auto m = re.match(texto);
    return m.hasMatch() ? m.captured(1) : primeraComillas(texto);
}

// The columns of the violated key: -Problematic key value is ("A" = 1, "B" = 'x')
QStringList columnasDeLaClave(const QString& texto) {
    static const QRegularExpression linea(QStringLiteral("Problematic key value is \\((.*)\\)"));
    static const QRegularExpression columna(QStringLiteral("\"([^\"]+)\" = "));
    QStringList r;
    const auto m = linea.match(texto);
    if (!m.hasMatch()) return r;
    for (auto it = columna.globalMatch(m.captured(1)); it.hasNext();) r << it.next().captured(1);
    return r;
}

bool vacio(const Field& f, const fb::Value& v) {
    if (v.isNull()) return true;
    return (f.type() == FieldType::String || f.type() == FieldType::Memo) && v.toString().trimmed().isEmpty();
}

}  // namespace

ManejadorErrores::ManejadorErrores(Interaccion& interaccion, const Sesion& sesion, BarraEstado* barra,
                                   std::function<QString(const QString&)> nombreCampo)
    : interaccion_(interaccion), sesion_(sesion), barra_(barra), nombreCampo_(std::move(nombreCampo)) {}

QString ManejadorErrores::archivoLog() const {
    if (!archivoLog_.isEmpty()) return archivoLog_;
    if (sesion_.directorio.isEmpty()) return archivoLogDelUsuario();
    return sesion_.directorio + sesion_.separador_ruta + QStringLiteral("ERRORES.TXT");
}

QString ManejadorErrores::archivoLogDelUsuario() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Orvel/cxpagar/ERRORES.TXT");
}

QString ManejadorErrores::lineaLog(const QDateTime& cuando, const QString& usuario, const QString& mensaje) {
    QString m = mensaje;
    m.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
    return cuando.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char(',') +
           cuando.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(',') + usuario + QLatin1Char(',') + m;
}

QString ManejadorErrores::mensajeDe(const std::exception& error) {
    if (const auto* db = dynamic_cast<const fb::DbError*>(&error)) return db->text();
    if (const auto* ds = dynamic_cast<const DataSetError*>(&error)) return ds->message();
    return QString::fromUtf8(error.what());
}

namespace {

// One write per line: several programs may append to the same file.
bool agregarLinea(const QString& archivo, const QByteArray& linea) {
    QFile f(archivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return false;
    return f.write(linea) == linea.size() && f.flush();
}

}  // namespace

QString ManejadorErrores::anotar(const QString& archivo, const QString& usuario, const QString& mensaje) {
    const QByteArray linea = (lineaLog(QDateTime::currentDateTime(), usuario, mensaje) + QLatin1Char('\n')).toUtf8();
    const QString propio = archivoLogDelUsuario();
    if (!archivo.isEmpty() && archivo != propio && agregarLinea(archivo, linea)) return archivo;
    QDir().mkpath(QFileInfo(propio).absolutePath());  // the user's folder may not be there yet
    return agregarLinea(propio, linea) ? propio : QString();
}

void ManejadorErrores::anotarAvisando(const QString& archivo, const QString& usuario, const QString& mensaje) {
    const QString escrito = anotar(archivo, usuario, mensaje);
    if (archivo.isEmpty() || escrito.isEmpty() || escrito == archivo || avisadoDesvio_) return;
    avisadoDesvio_ = true;
    interaccion_.advertencia(kRegistroDesviado.arg(archivo, escrito));
}

void ManejadorErrores::registrar(const QString& mensaje) { anotarAvisando(archivoLog(), sesion_.usuario_actual, mensaje); }

QString ManejadorErrores::nombre(const QString& campo) const {
    if (!nombreCampo_) return campo;
    try {
        return nombreCampo_(campo);
    } catch (...) {
        return campo;  // the handler itself never fails
    }
}

QString ManejadorErrores::sinDataset(const std::exception& error, const QString& mensaje) const {
    if (const auto* db = dynamic_cast<const fb::DbError*>(&error)) {
        if (db->kind() == fb::ErrorKind::Login || db->hasCode(isc_login) ||
            mensaje.contains(QLatin1String("Your user name and password are not defined")))
            return QStringLiteral("El nombre de Usuario o la clave son incorrectas.");
        if (db->kind() == fb::ErrorKind::MissingFile || db->hasCode(isc_io_error))
            return QStringLiteral("No se encontró el archivo o la ruta ") + rutaDelArchivo(mensaje);
        if (db->hasCode(isc_network_error) || mensaje.contains(QLatin1String("Unable to complete network request")))
            return QStringLiteral("No se encontró el equipo servidor con nombre ") + primeraComillas(mensaje);
    }
    return QStringLiteral("Se presento el siguiente error: ") + mensaje;
}

QString ManejadorErrores::deProveedor(const std::exception& error, const QString& mensaje,
                                      const QString& proveedor) const {
    const QString tabla = proveedor.mid(1);  // QProveedores → Proveedores
    if (const auto* db = dynamic_cast<const fb::DbError*>(&error)) {
        if (db->kind() == fb::ErrorKind::Unique) return QStringLiteral("Ya existe el registro en la tabla ") + tabla;
        if (db->kind() == fb::ErrorKind::ForeignKey)
            return QStringLiteral("Está borrando o insertando un registro en la tabla ") + tabla +
                   QStringLiteral(" que tiene una relación con otra tabla.");
    }
    return mensaje;
}

QString ManejadorErrores::deDataset(const std::exception& error, const QString& mensaje,
                                    const DataSet& dataset) const {
    if (const auto* db = dynamic_cast<const fb::DbError*>(&error)) {
        if (db->kind() == fb::ErrorKind::ForeignKey && db->hasCode(isc_foreign_key_references_present))
            return QStringLiteral("Error. Borre antes los detalles dependientes del registro.");
        if (db->kind() == fb::ErrorKind::Unique) {
            QStringList columnas = columnasDeLaClave(mensaje);
            if (columnas.isEmpty()) columnas = dataset.keyFields();
            if (columnas.isEmpty()) return mensaje;
            QString lista;
            for (const QString& c : columnas) lista += QLatin1Char(' ') + nombre(c);
            return QStringLiteral("Ya existe un registro con el mismo") + lista;
        }
        return mensaje;
    }
    if (const auto* ds = dynamic_cast<const DataSetError*>(&error); ds && dataset.isOpen()) {
        // The post refused a required field left empty: name every such field.
        const int i = ds->field().isEmpty() ? -1 : dataset.fieldIndex(ds->field());
        const RecordRef fila = dataset.current();
        if (i >= 0 && fila.isValid() && dataset.field(i).required() && vacio(dataset.field(i), fila.value(i))) {
            QString lista;
            for (int k = 0; k < dataset.fieldCount(); ++k) {
                const Field& f = dataset.field(k);
                if (f.required() && vacio(f, fila.value(k))) lista += QStringLiteral(", ") + nombre(f.name());
            }
            return QStringLiteral("Los campos ") + lista + QStringLiteral(" son obligatorios.");
        }
    }
    return mensaje;
}

QString ManejadorErrores::ManejarError(const std::exception& error, const QString& proveedor, const DataSet* dataset,
                                       const QString& nombreDataset) {
    if (const auto* db = dynamic_cast<const fb::DbError*>(&error); db && db->isCancelled()) {
        // Stopped because the person asked: nothing failed, nothing to log.
        if (barra_) barra_->mostrar_texto(kCancelado);
        return kCancelado;
    }
    const QString mensaje = mensajeDe(error);
    registrar(mensaje);
    huboError_ = true;
    if (barra_) barra_->mostrar_texto(mensaje);

    QString texto;
    const auto* db = dynamic_cast<const fb::DbError*>(&error);
    if (const QString propio = db ? db->exceptionMessage() : QString(); !propio.isEmpty()) {
        // The database's own rules explain themselves in Spanish; the log and
        // the status bar keep Firebird's whole text.
        texto = propio;
    } else if (!proveedor.isEmpty()) {
        texto = deProveedor(error, mensaje, proveedor);
    } else if (dataset) {
        if (barra_) barra_->mostrar_advertencia(mensaje + QStringLiteral(": ") + nombreDataset);
        texto = deDataset(error, mensaje, *dataset);
    } else {
        texto = sinDataset(error, mensaje);
    }
    interaccion_.pitar();
    interaccion_.error(texto);
    return texto;
}

QString ManejadorErrores::ENoManejada(const std::exception& error) { return ManejarError(error); }

QString ManejadorErrores::ManejarClientError(const DataSet& dataset, const QString& nombreDataset,
                                             const std::exception& error) {
    return ManejarError(error, {}, &dataset, nombreDataset);
}

bool ManejadorErrores::proteger(const std::function<void()>& comando) {
    try {
        comando();
        return true;
    } catch (const std::exception& e) {
        ENoManejada(e);
    } catch (...) {
        ENoManejada(std::runtime_error("Error desconocido"));
    }
    return false;
}

}  // namespace cxp
