#pragma once
// The review window "Contabilización" of a pending voucher: its header
// (voucher type, accounting prefix, number and date read-only; concept,
// reference and principal editable) and its lines under the local chart
// ("Dec.2649", line numbers below 100000) and the NIIF chart ("NIIF", above
// 100000) in one dataset. It completes and checks the lines, saves the
// voucher balanced in both charts and ends accepted (the finalization then
// replaces the document's earlier ledger voucher in one transaction); or
// it is left without saving when the company allows it. A voucher that needs no
// confirmation saves itself 20 ms after the window first activates; one
// without lines that needs none is not shown at all.
// Screen logic only; the widgets are TfcontabilizaVista.
#include "accounting/contabilizacion/LineasContables.h"
#include "data/Contabilidad.h"
#include "data/DataSet.h"
#include "data/Terceros.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
struct ContextoContabilizacion;
struct Sesion;

class Tfcontabiliza : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Contabilización");
    static constexpr int kAncho = 751;
    static constexpr int kAlto = 365;
    static constexpr int kPrimerNiif = 100000;  // NIIF lines are numbered above it
    static inline const QString kGrabarParaCerrar = QStringLiteral("Es necesario grabar el comprobante para poder cerrar");
    static inline const QString kPerderCambios =
        QStringLiteral("Desea salir del comprobante y perder los movimientos que no ha grabado?");
    static inline const QString kPlantilla = QStringLiteral(
        "Al traer la plantilla perderá los movimientos digitados en el comprobante, Continuar?");
    static inline const QString kSinNiif =
        QStringLiteral("No puede grabar el comprobante sin sus movimientos NIIF");
    static inline const QString kNiifNoEditable = QStringLiteral(
        "Los movimientos NIIF no se pueden corregir en esta ventana. Puede cerrarla: el documento queda pendiente de "
        "contabilizar.");
    static inline const QString kMandanteNoEncontrado = QStringLiteral("Tercero Inactivo o no encontrado.");
    // The template picker: argument "tipo" (voucher type); choice "plantilla" (its id).
    static inline const QString kSelectorPlantillas = QStringLiteral("Tfbuscplantilla");
    // The grid columns, in order.
    static const QStringList& columnas();

    enum class Resultado { Pendiente, Aceptado, Cancelado };
    enum Pestana { Local = 0, Niif = 1 };

    Tfcontabiliza(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, ContextoContabilizacion& contexto, QObject* parent = nullptr);
    ~Tfcontabiliza() override;

    // Reads the posting context (and resets it), opens the pending voucher
    // of the document and reads the configuration. False when a database
    // error was reported.
    bool abrir();
    // Whether the window has to be shown: a voucher without lines whose
    // interface needs no confirmation is not.
    bool necesaria() const { return necesaria_; }
    bool mostrar() const { return mostrar_; }

    DataSet& encabezado() { return encabezado_; }
    DataSet& lineas() { return lineas_; }
    LineasContables& reglas() { return *reglas_; }
    QTimer& temporizador() { return temporizador_; }

    int pestana() const { return pestana_; }
    void setPestana(int pestana);
    bool niifEditable() const { return niifEditable_; }
    bool permiteCerrarSinGrabar() const { return permitirCerrar_ || salidaLibre_; }
    static bool esNiif(const RecordRef& fila);

    // The last line numbers given (local and NIIF).
    int ultimoLocal() const { return ultimoLocal_; }
    int ultimoNiif() const { return ultimoNiif_; }

    // The window's first activation: starts the self-save of a voucher that
    // needs no confirmation.
    void activar();

    // A new line on the active tab; false when the current one could not
    // be stored or the tab is not editable.
    bool nuevaLinea();
    // F2: stores the current line, checks the balance of both charts and
    // applies the voucher. True when saved (the window ends accepted).
    bool grabar();
    // F5
    void sugerir();
    // F9: lines from a template of the voucher's type.
    bool plantilla();
    // A close request: true when the window may close (its result is then
    // accepted or cancelled).
    bool pedirCierre();
    // Esc: cancels a line being entered on the local grid, else a close request.
    void escape(bool lineaLocalConFoco);
    Resultado resultado() const { return resultado_; }

    QString nombreMandante() const { return nombreMandante_; }
    QString nombreCuentaActual() const;
    QString nombreTerceroActual() const;
    int idPendiente() const;

signals:
    // The window ends: accepted (saved) or cancelled.
    void terminar(bool aceptado);
    void pestanaCambiada(int pestana);
    void activoVisible(bool visible);
    void mandanteCambiado();

private:
    void alCambiarMandante(DataSet& ds);
    void alNuevaLinea(DataSet& ds);
    bool agregarDePlantilla(int plantilla);
    void liberarSalidaSiNiifFijo();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    ContextoContabilizacion& contexto_;
    Contabilidad contabilidad_;
    Terceros terceros_;
    DataSet encabezado_;
    DataSet lineas_;
    std::unique_ptr<LineasContables> reglas_;
    QTimer temporizador_;

    int tipo_ = 0;
    int id_ = 0;
    bool mostrar_ = false;
    bool necesaria_ = false;
    bool activado_ = false;
    bool permitirCerrar_ = false;
    bool niifEditable_ = true;
    bool llevaNiif_ = false;    // the company keeps NIIF for the voucher's date
    bool salidaLibre_ = false;  // NIIF wrong and not editable: closing is allowed
    int pestana_ = Local;
    int ultimoLocal_ = 1;
    int ultimoNiif_ = kPrimerNiif + 1;
    Resultado resultado_ = Resultado::Pendiente;
    QString nombreMandante_;
};

}  // namespace cxp
