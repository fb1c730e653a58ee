#pragma once
// The document notes in the main window's registry: "Tfnotasdoc" with the
// arguments "tipo" (the document type code) and "id" (the document's id).
namespace cxp {

class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarPantallasNotas(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores);

}  // namespace cxp
