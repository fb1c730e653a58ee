#pragma once
// The document printers in the main window's registry.
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

// Registers "Tfimpregreso", "Tfimprnotadbp", "Tfimprnotacrp",
// "Tfimpraplicacionp", "Tfimpranticipoprv" and "Tfimprordserv". Arguments:
// "id" (the document) and optionally "prefijo" (the format's prefix). The
// payment voucher's window opens; the others print at once and open none.
void registrarPantallasImpresion(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                 const Configuracion& configuracion);

}  // namespace cxp
