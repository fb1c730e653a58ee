#pragma once
// The charge screens in the main window's registry: "Tfnotasdebito", with
// the accounting interface, the posting through the review window and the
// printer of the program wired in, and its consult "Tfnotasdebito2"
// (argument "id").
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasCargos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                              const Configuracion& configuracion);

}  // namespace cxp
