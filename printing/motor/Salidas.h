#pragma once
// The printer and preview outputs of a print plan.
#include "printing/motor/Impresion.h"

class QWidget;

namespace cxp {

// The format's printer, or, when previews are on, the preview window with
// its print set-up (printer, copies, print to file).
ResultadoMotor imprimirEnImpresora(const PlanImpresion& plan, QWidget* padre);
// The preview window whatever the configuration.
ResultadoMotor vistaPrevia(const PlanImpresion& plan, QWidget* padre);

}  // namespace cxp
