#pragma once
// The widgets of the charge and discount searches on the search frame: the
// four columns, "Buscar" and F8, "F4:Consultar" and a double click,
// "F3:Eliminar", "F12:Notas", "F8:Abonos". The grid copies, prints and
// saves as "BuscNotaDebito" ("notascre" for discounts).
#include "documents/charges/BuscaAjuste.h"
#include "ui/BusquedaBase.h"

#include <memory>

namespace cxp {

class BuscaAjusteVista : public BusquedaBase {
    Q_OBJECT
public:
    BuscaAjusteVista(const ClaseBusquedaAjuste& clase, Sesion& sesion, Interaccion& interaccion,
                     ManejadorErrores& manejador, const Configuracion& configuracion, QWidget* padre = nullptr);
    ~BuscaAjusteVista() override;

    BuscaAjuste& logica() { return *logica_; }
    bool abrirInicial();

private:
    void rotular();

    std::unique_ptr<BuscaAjuste> logica_;
};

}  // namespace cxp
