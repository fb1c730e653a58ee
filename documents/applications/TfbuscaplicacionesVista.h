#pragma once
// The widgets of "Busca Aplicaciones" on the search frame: the four
// columns, "F4:Consultar", "F3:Eliminar", "F12:Notas" and "F8: Abonos".
// The grid copies, prints and saves as "BuscAplic".
#include "documents/applications/Tfbuscaplicaciones.h"
#include "ui/BusquedaBase.h"

#include <memory>

namespace cxp {

class TfbuscaplicacionesVista : public BusquedaBase {
    Q_OBJECT
public:
    TfbuscaplicacionesVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, QWidget* padre = nullptr);
    ~TfbuscaplicacionesVista() override;

    Tfbuscaplicaciones& logica() { return *logica_; }
    bool abrirInicial();

private:
    void rotular();

    std::unique_ptr<Tfbuscaplicaciones> logica_;
};

}  // namespace cxp
