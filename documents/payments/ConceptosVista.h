#pragma once
// The widgets of the payable concepts and payment classes (the reference
// grids "Tfregconcxpagar" and "Tfclaseegr", where a double click in an
// account column opens the account list), the concept picker
// "Tfconcxpagar" ("F2: Grabar", "F4:&Modificar", "ESC:Cancelar") and the
// picker of the documents held in a cash box "Tfdocencaja" (several rows
// at once with Ctrl or Shift; Enter or F2 hands them over).
#include "documents/payments/Conceptos.h"

#include <QWidget>
#include <memory>

namespace cxp {

class Configuracion;
class Rejilla;
class Teclado;

// The maintenance grid of one of the payment tables; nullptr when it
// refused to open (after its message).
QWidget* crearTablaPagos(const DefinicionTabla& definicion, Sesion& sesion, Interaccion& interaccion,
                         ManejadorErrores& manejador, const Configuracion& configuracion, QWidget* padre = nullptr);

class TfconcxpagarVista : public QWidget {
    Q_OBJECT
public:
    TfconcxpagarVista(std::unique_ptr<Tfconcxpagar> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                      const Sesion& sesion, QWidget* padre = nullptr);
    ~TfconcxpagarVista() override;
    Tfconcxpagar& logica() { return *logica_; }
    Rejilla* rejilla() const { return rejilla_; }
    Teclado& teclado() { return *teclado_; }

private:
    std::unique_ptr<Tfconcxpagar> logica_;
    Rejilla* rejilla_;
    Teclado* teclado_;
};

class TfdocencajaVista : public QWidget {
    Q_OBJECT
public:
    TfdocencajaVista(std::unique_ptr<Tfdocencaja> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                     const Sesion& sesion, QWidget* padre = nullptr);
    ~TfdocencajaVista() override;
    Tfdocencaja& logica() { return *logica_; }
    Rejilla* rejilla() const { return rejilla_; }
    Teclado& teclado() { return *teclado_; }
    // The DataSet rows selected, in the grid's order.
    std::vector<int> filasElegidas() const;
    void elegir();

private:
    std::unique_ptr<Tfdocencaja> logica_;
    Rejilla* rejilla_;
    Teclado* teclado_;
};

// The pickers as modal windows: the choice, or nothing.
std::optional<QVariantMap> elegirConcepto(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                          ServiciosConceptos servicios, const QVariantMap& args,
                                          QWidget* padre = nullptr);
std::optional<QVariantMap> elegirDocumentosEnCaja(Sesion& sesion, Interaccion& interaccion,
                                                  ManejadorErrores& manejador, const QVariantMap& args,
                                                  QWidget* padre = nullptr);

}  // namespace cxp
