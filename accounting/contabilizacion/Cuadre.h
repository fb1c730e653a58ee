#pragma once
// The balance check of a voucher before it is saved, the same for the
// review window and the ledger voucher editor: the local chart first, then
// the NIIF chart, skipped when the company allows unbalanced vouchers.
#include "accounting/contabilizacion/LineasContables.h"

namespace cxp {

class Configuracion;

enum class Cuadre { Cuadrado, LocalDescuadrado, NiifDescuadrado };

inline const QString kDescuadrado = QStringLiteral("No puede grabar un comprobante descuadrado");
inline const QString kDescuadradoNiif = QStringLiteral("No puede grabar un comprobante NIIF descuadrado");

// "PERMITIR COMPROBANTES DESCUADRADOS" is "SI".
bool permiteDescuadrados(const Configuracion& configuracion);
// local's local-chart lines and niif's NIIF-chart lines (one object may be
// both). A voucher without lines, or a company that allows unbalanced
// vouchers, passes.
Cuadre revisarCuadre(const LineasContables& local, const LineasContables& niif, const Configuracion& configuracion);

}  // namespace cxp
