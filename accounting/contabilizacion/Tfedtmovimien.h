#pragma once
// The ledger voucher editor "Editar comprobantes contables", opened with a
// voucher key (ENCO_CONSEC) from the consult screens of a posted document:
// the voucher's header and its lines under the local chart ("Dec.2649",
// COMPROBANTE_DETALLE) and the NIIF chart ("NIIF",
// COMPROBANTE_DETALLE_NIIF), edited with the line rules and balance checks
// of the posting review window and saved in one transaction.
// Screen logic only; the widgets are TfedtmovimienVista.
#include "accounting/contabilizacion/LineasContables.h"
#include "data/Contabilidad.h"
#include "data/DataSet.h"

#include <QObject>
#include <memory>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfedtmovimien : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Editar comprobantes contables");
    static inline const QString kNoEncontrado = QStringLiteral("No se encontró el comprobante contable solicitado.");
    static inline const QString kPerderCambios =
        QStringLiteral("Desea salir del comprobante y perder los movimientos que no ha grabado?");
    static const QStringList& columnas();
    enum Pestana { Local = 0, Niif = 1 };

    Tfedtmovimien(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, QObject* parent = nullptr);
    ~Tfedtmovimien() override;

    // Opens the voucher; false (after its message) when there is none.
    bool abrir(int consecutivo);

    DataSet& encabezado() { return encabezado_; }
    DataSet& detalle(int pestana) { return pestana == Niif ? niif_ : local_; }
    LineasContables& reglas(int pestana) { return pestana == Niif ? *reglasNiif_ : *reglasLocal_; }
    int pestana() const { return pestana_; }
    void setPestana(int pestana);

    bool nuevaLinea();
    // Stores the lines, checks both charts' balance and saves in one
    // transaction; the editor stays open.
    bool grabar();
    void sugerir() { reglas(pestana_).sugerir(); }
    // True when the editor may close: nothing unsaved, or the person agreed
    // to lose it.
    bool pedirCierre();

    QString nombreCuentaActual() const;
    QString nombreTerceroActual() const;

signals:
    void pestanaCambiada(int pestana);
    void activoVisible(bool visible);
    void grabado();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    Contabilidad contabilidad_;
    DataSet encabezado_;
    DataSet local_;
    DataSet niif_;
    std::unique_ptr<LineasContables> reglasLocal_;
    std::unique_ptr<LineasContables> reglasNiif_;
    int pestana_ = Local;
};

}  // namespace cxp
