#pragma once
// The payment programming screens in the main window's registry: the search
// "Tfbuscaprogpagos" (the menu's "Programar pagos") and the plan
// "Tfprogcxp" (argument "id", 0 or none for a new plan; "avisar", a screen
// whose refrescar() slot runs once the plan is saved).

namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasProgramacion(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                    const Configuracion& configuracion);

}  // namespace cxp
