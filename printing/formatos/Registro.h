#pragma once
// Makes the print format screens known to the program, each under its class
// name: "Tfformatos" (the list), "Tfdefformato" (a new format) and
// "Tfmodformato" ({"tipo", "prefijo"}: the format to modify, whose trial
// print shows the last document of the prefix in the print preview).
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasFormatos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                               const Configuracion& configuracion);

}  // namespace cxp
