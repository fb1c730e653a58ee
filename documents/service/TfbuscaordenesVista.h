#pragma once
// The widgets of "Busca Ordenes de servicio" on the search frame: the four
// columns, "F4:Consultar", "F3:Eliminar" and, when a screen asks for an
// order, "Seleccionar" (Enter or a double click too). The text is emptied
// after each search; the grid copies, prints and saves as "BuscOrdenes".
#include "documents/service/Tfbuscaordenes.h"
#include "ui/BusquedaBase.h"

#include <memory>

namespace cxp {

class TfbuscaordenesVista : public BusquedaBase {
    Q_OBJECT
public:
    TfbuscaordenesVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                        const Configuracion& configuracion, bool eligiendo, QWidget* padre = nullptr);
    ~TfbuscaordenesVista() override;

    Tfbuscaordenes& logica() { return *logica_; }
    // The first listing; false when it failed (the handler told why).
    bool abrirInicial();

private:
    void rotular();

    std::unique_ptr<Tfbuscaordenes> logica_;
};

// The search as a picker: {id, numero} of the order chosen, nothing after Esc.
std::optional<QVariantMap> elegirOrden(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                       const Configuracion& configuracion, QWidget* padre);

}  // namespace cxp
