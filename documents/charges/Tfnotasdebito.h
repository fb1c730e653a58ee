#pragma once
// "Cargos en Cuenta": the charge (supplier debit note, type 51), the
// adjustment document with four commercial discounts, a due date, the
// creditor-number checks and the cash payment.
#include "documents/charges/DocumentoAjuste.h"

namespace cxp {

class Tfnotasdebito : public DocumentoAjuste {
    Q_OBJECT
public:
    Tfnotasdebito(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, ServiciosCargo servicios, QObject* parent = nullptr)
        : DocumentoAjuste(ClaseAjuste::cargo(), sesion, interaccion, manejador, configuracion, std::move(servicios),
                          parent) {}
};

}  // namespace cxp
