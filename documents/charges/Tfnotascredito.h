#pragma once
// "Descuentos en Cuenta": the discount (supplier credit note, type 52), the
// charge's twin with one commercial discount, no due date, no
// creditor-number checks, rete-IVA always by its rate, a typed rete-fuente
// base kept, and the crossing with a purchase invoice or a charge.
#include "documents/charges/ConsultaAjuste.h"

namespace cxp {

class Tfnotascredito : public DocumentoAjuste {
    Q_OBJECT
public:
    static inline const QString kNitInactivo = QStringLiteral("No se encontrò el NIT o esta inactivo");

    Tfnotascredito(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Configuracion& configuracion, ServiciosCargo servicios, QObject* parent = nullptr)
        : DocumentoAjuste(ClaseAjuste::descuento(), sesion, interaccion, manejador, configuracion, std::move(servicios),
                          parent) {}
};

// The read-only consult of a saved discount.
class Tfnotascredito2 : public ConsultaAjuste {
    Q_OBJECT
public:
    Tfnotascredito2(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, ServiciosCargo servicios, ContabilidadConsulta contabilidad,
                    QObject* parent = nullptr)
        : ConsultaAjuste(ClaseAjuste::descuento(), sesion, interaccion, manejador, configuracion, std::move(servicios),
                         std::move(contabilidad), parent) {}
};

}  // namespace cxp
