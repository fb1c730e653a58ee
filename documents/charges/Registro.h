#pragma once
// The charge and discount screens in the main window's registry:
// "Tfnotasdebito" and "Tfnotascredito", with the accounting interface, the
// posting through the review window and the printer of the program wired
// in, and their consults "Tfnotasdebito2" and "Tfnotascredito2" (argument
// "id"), and the searches "Tfbuscanotdebito" and "Tfbuscancredito".
#include <cstdint>

namespace cxp {

class Configuracion;
struct PropuestaCargo;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasCargos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                              const Configuracion& configuracion);

// The charge screen as a modal window filled with a proposal (a payable
// concept): the id of the charge saved there, 0 when the clerk left without
// saving or the screen could not open.
int64_t registrarCargoPropuesto(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                const Configuracion& configuracion, const PropuestaCargo& propuesta);
// The same with the discount screen.
int64_t registrarDescuentoPropuesto(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                    const Configuracion& configuracion, const PropuestaCargo& propuesta);

}  // namespace cxp
