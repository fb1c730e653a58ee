#pragma once
// The charge's order button ("Orden servicio"): the order search as a
// picker, whose order fills the charge (OrdenEnCargo).
class QPushButton;
class QWidget;

namespace cxp {

class DataSet;
class Interaccion;
class ManejadorErrores;

QPushButton* botonOrdenServicio(QWidget* padre, DataSet& cargo, Interaccion& interaccion, ManejadorErrores& manejador,
                                bool activo);

}  // namespace cxp
