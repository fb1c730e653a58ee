#pragma once
// The widgets of the ledger voucher editor "Editar comprobantes
// contables": the buttons, the voucher header, the tabs "Dec.2649" and
// "NIIF" with the grid of each chart's lines and their sums, and the names
// of the current line's account and third party. Keys: F2 saves, F5
// suggests the amount, Insert (or Down on the last line) adds a line, Esc
// leaves.
#include "accounting/contabilizacion/Tfedtmovimien.h"

#include <QVariantMap>
#include <QWidget>
#include <memory>

class QLabel;
class QTabWidget;

namespace cxp {

class Enlaces;
class RejillaLineas;
class Teclado;

class TfedtmovimienVista : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 751;
    static constexpr int kAlto = 365;

    TfedtmovimienVista(std::unique_ptr<Tfedtmovimien> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~TfedtmovimienVista() override;

    Tfedtmovimien& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QTabWidget* pestanas() const { return pestanas_; }
    RejillaLineas* rejilla(int pestana) const { return pestana == Tfedtmovimien::Niif ? niif_ : local_; }

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    bool confirmar();
    void nuevaLinea();
    void bajar();
    void refrescarNombres();

    std::unique_ptr<Tfedtmovimien> logica_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_;
    Teclado* teclado_;
    QTabWidget* pestanas_;
    RejillaLineas* local_;
    RejillaLineas* niif_;
    QLabel* nombreCuenta_;
    QLabel* nombreTercero_;
    bool cerrando_ = false;
};

// The factory registered for "Tfedtmovimien"; argument "enco_consec".
// Null when the voucher is not found (its message was shown).
QWidget* crearTfedtmovimien(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
