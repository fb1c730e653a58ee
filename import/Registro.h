#pragma once
// Makes the import wizard known to the program as "Tfimportar".
namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarImportacion(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                          const Configuracion& configuracion);

}  // namespace cxp
