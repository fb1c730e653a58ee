#pragma once
// The advance screens in the main window's registry: "Tfanticiposprov" as
// a screen and as the payment voucher's picker ({TERC_NIT, FECHA} in, the
// saved advance out), its consult "Tfconsanticipocxp" (argument "id") and
// the search "Tfbuscantipos".
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasAnticipos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                 const Configuracion& configuracion);

}  // namespace cxp
