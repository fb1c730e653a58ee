#pragma once
// The payment voucher's screens and pickers in the main window's registry:
// the voucher "Tfegresos" (optional args "aporte", a PAGO_APORTES id, and
// "monto", its amount as plain decimal text), the maintenance of payable concepts ("Tfregconcxpagar") and of payment
// classes ("Tfclaseegr"), and the pickers the voucher opens: concepts
// ("Tfconcxpagar", args TERC_NIT, EGRE_FECHA), documents held in a cash
// box ("Tfdocencaja", args CAJA_ID), the creditor's open payables
// ("Tfconscxpagar", args TERC_NIT, EGRE_FECHA).
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasPagos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                             const Configuracion& configuracion);

}  // namespace cxp
