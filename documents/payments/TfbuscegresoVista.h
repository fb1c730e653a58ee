#pragma once
// The widgets of the payment voucher search on the search frame: the four
// columns, "F4:Consultar" (Enter, double click), "F3:Eliminar",
// "F12:Notas". The grid copies, prints and saves as "egresos".
#include "documents/payments/Tfbuscegreso.h"
#include "ui/BusquedaBase.h"

#include <memory>

namespace cxp {

class TfbuscegresoVista : public BusquedaBase {
    Q_OBJECT
public:
    TfbuscegresoVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                      const Configuracion& configuracion, QWidget* padre = nullptr);
    ~TfbuscegresoVista() override;

    Tfbuscegreso& logica() { return *logica_; }

private:
    void rotular();

    std::unique_ptr<Tfbuscegreso> logica_;
};

}  // namespace cxp
