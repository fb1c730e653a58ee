#pragma once
// Makes the ledger's screens and its picker known to the program, each
// under its class name: "Tfconscxpagar" (argument "nit", optional "fecha"),
// "Tfmovimientos" ("nit", "nombre", "desde", "hasta"), "Tfmovicuenxpagar",
// "Tfabonosprv" ("tipo", "id"), "Tfanalisiscxp" ("descuentos_pronto_pago"),
// "Tfanalisismovcxp", "Tfconsfacturacompra" and "Tfconsdevolucioncompra"
// ("id"), and the picker selectores::kCxpagar (ledger/Selectores.h).
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasLedger(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                              const Configuracion& configuracion);

}  // namespace cxp
