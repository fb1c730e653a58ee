#pragma once
// Makes the shared screens and pickers of this folder known to the
// program: the numbering screen "TFConsecut", the day's exchange rate
// "Tftasacambiodia", the numbering authorizations "Tfautorizacion", and the
// pickers of data/Selectores.h, which every screen opens by name.
class QWidget;

namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct Sesion;

void registrarComunes(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                      const Configuracion& configuracion);

}  // namespace cxp
