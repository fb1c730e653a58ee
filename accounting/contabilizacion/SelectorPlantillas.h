#pragma once
// The least template picker the review window needs: the templates of one
// voucher type (PLANTILLA_ENCABEZADO), chosen with Enter or a double click.
#include <QVariantMap>
#include <optional>

class QWidget;

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

// Argument "tipo" (voucher type); choice "plantilla" (PLAN_ID) and "concepto".
std::optional<QVariantMap> elegirPlantilla(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                           const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
