#pragma once
// The report screens, registered by name for the main window's commands
// and the report menus.
namespace cxp {

class InteraccionQt;
class ManejadorErrores;
class Configuracion;
struct Sesion;

void registrarPantallasInformes(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                const Configuracion& configuracion);

}  // namespace cxp
