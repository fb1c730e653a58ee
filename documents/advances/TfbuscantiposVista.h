#pragma once
// The widgets of "Busca Anticipos Acreedor" on the search frame: the four
// columns, the note, and "F4:Consultar", "F8: Abonos", "F3:Eliminar".
// The grid copies, prints and saves as "BuscAnticipo".
#include "documents/advances/Tfbuscantipos.h"
#include "ui/BusquedaBase.h"

#include <memory>

namespace cxp {

class TfbuscantiposVista : public BusquedaBase {
    Q_OBJECT
public:
    TfbuscantiposVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QWidget* padre = nullptr);
    ~TfbuscantiposVista() override;

    Tfbuscantipos& logica() { return *logica_; }
    // The first listing; false when it failed (the handler told why).
    bool abrirInicial();

private:
    void rotular();

    std::unique_ptr<Tfbuscantipos> logica_;
};

}  // namespace cxp
