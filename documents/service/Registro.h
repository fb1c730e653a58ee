#pragma once
// The service-order screens in the main window's registry: the order
// "Tfordenservicio" (printing with "Tfimprordserv"), its consult
// "Tfconsordenserv" (argument "id"), and the search "Tfbuscaordenes" as a
// screen and as a picker returning {id, numero}.

namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasOrdenes(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                               const Configuracion& configuracion);

}  // namespace cxp
