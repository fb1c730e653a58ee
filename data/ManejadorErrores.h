#pragma once
// The central error handler: every failure of a command a person starts
// ends here. It logs the line to ERRORES.TXT, puts the raw message in the
// status bar and shows its Spanish translation.
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
    // nombreCampo gives a column's display name (nombre_campo).
    ManejadorErrores(Interaccion& interaccion, const Sesion& sesion, BarraEstado* barra,
                     std::function<QString(const QString&)> nombreCampo = {});

    // ERRORES.TXT of the installation directory.
    void setArchivoLog(const QString& ruta) { archivoLog_ = ruta; }

    // ManejarError with the failure of `proveedor` (the name of the dataset
    // whose changes were being applied, e.g. "QProveedores") and/or `dataset`
    // (the client dataset that failed to post, edit or delete). Returns the
    // text shown.
    QString ManejarError(const std::exception& error, const QString& proveedor = {}, const DataSet* dataset = nullptr,
                         const QString& nombreDataset = {});
    // An error no screen handled.
    QString ENoManejada(const std::exception& error);
    // A client dataset's post, edit or delete failed: the operation is
    // abandoned (the caller cancels) and the error reported.
    QString ManejarClientError(const DataSet& dataset, const QString& nombreDataset, const std::exception& error);

    // Runs a command; any exception ends in ENoManejada. Returns true when
    // the command finished without one.
    bool proteger(const std::function<void()>& comando);

    bool huboError() const { return huboError_; }
    void limpiarError() { huboError_ = false; }

    // The log line: "yyyy/mm/dd,HH:mm:ss,USUARIO,message".
    static QString lineaLog(const QDateTime& cuando, const QString& usuario, const QString& mensaje);

private:
    void registrar(const QString& mensaje);
    Interaccion& interaccion_;
    const Sesion& sesion_;
    BarraEstado* barra_;
    std::function<QString(const QString&)> nombreCampo_;
    QString archivoLog_;
    bool huboError_ = false;
};

}  // namespace cxp
