#pragma once
// The widgets of "Consulta de cuentas x pagar": the creditor, "Fecha:",
// "Moneda:", "Habilitar filtros", the grid of open documents and the
// buttons. Keys: F4 consult, F8 payments, F12 to the date, Esc close;
// Enter and double click consult, or choose when picking; F5 "Sel. varios"
// only when picking.
#include "ledger/Tfconscxpagar.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

namespace cxp {

class Rejilla;
class Teclado;

class TfconscxpagarVista : public QWidget {
    Q_OBJECT
public:
    // The grid's columns in order.
    static const QStringList& columnas();

    TfconscxpagarVista(std::unique_ptr<Tfconscxpagar> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~TfconscxpagarVista() override;

    Tfconscxpagar& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QDateEdit* fecha() const { return fecha_; }
    QComboBox* moneda() const { return moneda_; }
    QPushButton* botonSelVarios() const { return varios_; }
    QPushButton* botonSeleccionar() const { return seleccionar_; }

    // The DataSet rows the person selected, in the order they were
    // selected; none when nothing is selected.
    std::vector<int> filasElegidas() const;
    void seleccionarVarios();

private:
    std::unique_ptr<Tfconscxpagar> logica_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    QDateEdit* fecha_;
    QComboBox* moneda_;
    QPushButton* varios_ = nullptr;
    QPushButton* seleccionar_ = nullptr;
};

// The factory registered as "Tfconscxpagar": argument "nit" (and "fecha").
QWidget* crearTfconscxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);
// The picker registered as "SelectorCxpagar": a modal window of the same
// screen in picking mode.
std::optional<QVariantMap> elegirCxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                         const Configuracion& configuracion, const QVariantMap& args,
                                         QWidget* padre = nullptr);

}  // namespace cxp
