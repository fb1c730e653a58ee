#pragma once
// Makes the creditor screens known to the program, each under its class
// name: "Tfnvotercero", "Tfmodtercero" ("nit"), "Tfbuscprove" ("gestion"
// for the management screen), "Tfprovarticulos" ("nit"),
// "Tfdocumentostercero" ("nit"), and the picker
// "Tfbuscprove" returning {"nit", "nombre"}; the reference tables
// "Tfciudades", "Tfpaises", "Tfbancos", "Tftipoid", and the picker
// "Tfciudades" returning {"codigo", "nombre"}.
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasAcreedores(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                  const Configuracion& configuracion);
// The creditor groups' screen "Tfgruposprov", registered on its own: the
// main window enables its maintenance button once it is known.
void registrarGruposProveedor(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                              const Configuracion& configuracion);

}  // namespace cxp
