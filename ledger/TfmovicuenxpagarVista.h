#pragma once
// The widgets of "Movimiento Cuentas por Pagar Mensual": "Desde:",
// "Hasta:", "Moneda:", the grid of every creditor's movement with its
// totals, and the buttons. Keys: F2 calculate, F9, Enter and double click
// the creditor's movement, F8 its open documents, Esc close.
#include "ledger/Tfmovicuenxpagar.h"

#include <QWidget>
#include <memory>

class QDateEdit;
class QLabel;

namespace cxp {

class Rejilla;
class Teclado;

class TfmovicuenxpagarVista : public QWidget {
    Q_OBJECT
public:
    TfmovicuenxpagarVista(std::unique_ptr<Tfmovicuenxpagar> logica, Interaccion& interaccion,
                          ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre = nullptr);
    ~TfmovicuenxpagarVista() override;

    Tfmovicuenxpagar& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QDateEdit* desde() const { return desde_; }
    QDateEdit* hasta() const { return hasta_; }
    QLabel* totales() const { return totales_; }

    void calcular();

private:
    std::unique_ptr<Tfmovicuenxpagar> logica_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    QDateEdit* desde_;
    QDateEdit* hasta_;
    QLabel* totales_;
};

QWidget* crearTfmovicuenxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
