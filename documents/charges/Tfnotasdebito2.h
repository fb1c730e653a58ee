#pragma once
// The read-only consult of a saved charge.
#include "documents/charges/ConsultaAjuste.h"
#include "documents/charges/Tfnotasdebito.h"

namespace cxp {

class Tfnotasdebito2 : public ConsultaAjuste {
    Q_OBJECT
public:
    Tfnotasdebito2(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Configuracion& configuracion, ServiciosCargo servicios, ContabilidadConsulta contabilidad,
                   QObject* parent = nullptr)
        : ConsultaAjuste(ClaseAjuste::cargo(), sesion, interaccion, manejador, configuracion, std::move(servicios),
                         std::move(contabilidad), parent) {}
};

}  // namespace cxp
