#pragma once
// The application screens in the main window's registry: the entry
// "Tfaplicacionprv", its consult "Tfconsaplicacxp" and "Tfaplicacion2"
// (argument "id") and the search "Tfbuscaplicaciones".
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasAplicaciones(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                    const Configuracion& configuracion);

}  // namespace cxp
