#pragma once
// Makes the print format screens known to the program, each under its class
// name: "Tfformatos" (the list), "Tfdefformato" (a new format) and
// "Tfmodformato" ({"tipo", "prefijo"}: the format to modify).
namespace cxp {

class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasFormatos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores);

}  // namespace cxp
