#pragma once
// The central error handler: every failure of a command a person starts
// ends here. It logs the line to ERRORES.TXT, puts the raw message in the
// status bar and shows its Spanish translation.
//
// Translation (the raw message is DbError::text(), DataSetError::message()
// or what()):
//  - no provider, no dataset (ENoManejada):
//      DbError Login                      "El nombre de Usuario o la clave son incorrectas."
//      DbError MissingFile (I/O error)    "No se encontró el archivo o la ruta " + the file's path
//      DbError "Unable to complete network request to host"
//                                         "No se encontró el equipo servidor con nombre " + host
//      anything else                      "Se presento el siguiente error: " + message
//  - a provider (its dataset's name, "QProveedores") failed to apply:
//      DbError Unique                     "Ya existe el registro en la tabla Proveedores"
//      DbError ForeignKey                 "Está borrando o insertando un registro en la tabla
//                                          Proveedores que tiene una relación con otra tabla."
//      anything else                      the message
//  - a client dataset failed to post, edit or delete (ManejarClientError);
//    first the status-bar warning message + ": " + dataset name, then:
//      DbError ForeignKey on a row others refer to
//                                         "Error. Borre antes los detalles dependientes del registro."
//      DataSetError for a required field left empty
//                                         "Los campos , X, Y son obligatorios." (every required
//                                          empty field, by nombre_campo)
//      DbError Unique                     "Ya existe un registro con el mismo" + " X" per column of
//                                          the violated key (as Firebird names it; else the
//                                          dataset's key fields)
//      anything else                      the message
// Then a beep and an error box with the text.
// A statement stopped on the person's request (DbError Cancelled) is no
// failure: only "Operación cancelada." in the status bar, no log, no box.
#include <QDateTime>
#include <QString>
#include <exception>
#include <functional>

namespace cxp {

class BarraEstado;
class DataSet;
class Interaccion;
struct Sesion;

class ManejadorErrores {
public:
    // nombreCampo gives a column's display name (nombre_campo); without it
    // the column name shows.
    ManejadorErrores(Interaccion& interaccion, const Sesion& sesion, BarraEstado* barra,
                     std::function<QString(const QString&)> nombreCampo = {});

    // ERRORES.TXT of the installation directory by default
    // (sesion.directorio); the user's own copy while neither is known.
    void setArchivoLog(const QString& ruta) { archivoLog_ = ruta; }
    QString archivoLog() const;
    // The user's own ERRORES.TXT ($XDG_DATA_HOME or ~/.local/share, under
    // Orvel/cxpagar): where the log goes before the installation directory
    // is known, and when its file cannot be written (a read-only
    // installation).
    static QString archivoLogDelUsuario();

    // ManejarError with the failure of `proveedor` (the name of the dataset
    // whose changes were being applied, e.g. "QProveedores") and/or `dataset`
    // (the client dataset that failed to post, edit or delete, named
    // `nombreDataset`). Returns the text shown.
    QString ManejarError(const std::exception& error, const QString& proveedor = {}, const DataSet* dataset = nullptr,
                         const QString& nombreDataset = {});
    // An error no screen handled.
    QString ENoManejada(const std::exception& error);
    // A client dataset's post, edit or delete failed: the operation is
    // abandoned and the error reported. The dataset stays as it was (still
    // in insert or edit after a failed post) so that the person can correct
    // the row and try again.
    QString ManejarClientError(const DataSet& dataset, const QString& nombreDataset, const std::exception& error);

    // Runs a command; any exception ends in ENoManejada and goes no further
    // (exceptions never cross screens). Returns true when the command
    // finished without one.
    bool proteger(const std::function<void()>& comando);

    // The general data module's flag: an error has happened.
    bool huboError() const { return huboError_; }
    // The main window's status bar, when there is one.
    BarraEstado* barraEstado() const { return barra_; }
    void limpiarError() { huboError_ = false; }

    // The log line: "yyyy/mm/dd,HH:mm:ss,USUARIO,message", the message on
    // one line (Firebird's line breaks become spaces).
    static QString lineaLog(const QDateTime& cuando, const QString& usuario, const QString& mensaje);
    // Appends that line to `archivo` (empty: the user's copy); when it cannot
    // be written, to the user's copy. Returns the file written, empty when
    // none could be: a log that fails must not hide the error itself.
    static QString anotar(const QString& archivo, const QString& usuario, const QString& mensaje);
    // The same; the first time a line goes to the user's copy in place of
    // `archivo`, a warning says where.
    void anotarAvisando(const QString& archivo, const QString& usuario, const QString& mensaje);
    static inline const QString kRegistroDesviado =
        QStringLiteral("No se pudo escribir el archivo de errores %1. Los errores se anotan en %2.");
    inline static const QString kCancelado = QStringLiteral("Operación cancelada.");
    // The raw message of an exception.
    static QString mensajeDe(const std::exception& error);

private:
    void registrar(const QString& mensaje);
    QString nombre(const QString& campo) const;
    QString sinDataset(const std::exception& error, const QString& mensaje) const;
    QString deProveedor(const std::exception& error, const QString& mensaje, const QString& proveedor) const;
    QString deDataset(const std::exception& error, const QString& mensaje, const DataSet& dataset) const;

    Interaccion& interaccion_;
    const Sesion& sesion_;
    BarraEstado* barra_;
    std::function<QString(const QString&)> nombreCampo_;
    QString archivoLog_;
    bool huboError_ = false;
    bool avisadoDesvio_ = false;
};

}  // namespace cxp
