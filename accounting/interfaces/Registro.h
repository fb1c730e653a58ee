#pragma once
// Makes the interface screens known to the program, each under its class
// name: "Tfinterfaces" (the list), "Tfnvainterfaz", "Tfmodinterfaz"
// ("id"), and the chooser "Tfpreginterfaz" that abre_interfaz opens.
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasInterfaces(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                  const Configuracion& configuracion);

}  // namespace cxp
