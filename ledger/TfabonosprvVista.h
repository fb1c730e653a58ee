#pragma once
// The widgets of "Abonos al documento": the grid of the payments with their
// totals. Keys: F4 and double click consult the paying document, Esc close.
#include "ledger/Tfabonosprv.h"

#include <QWidget>
#include <memory>

class QLabel;

namespace cxp {

class Rejilla;
class Teclado;

class TfabonosprvVista : public QWidget {
    Q_OBJECT
public:
    TfabonosprvVista(std::unique_ptr<Tfabonosprv> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                     const Sesion& sesion, QWidget* padre = nullptr);
    ~TfabonosprvVista() override;

    Tfabonosprv& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QLabel* totales() const { return totales_; }

private:
    std::unique_ptr<Tfabonosprv> logica_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    QLabel* totales_;
};

// Registered as "Tfabonosprv": arguments "tipo" and "id".
QWidget* crearTfabonosprv(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                          const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
