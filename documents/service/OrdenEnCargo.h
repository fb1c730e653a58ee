#pragma once
// A charge filled from a service order: typing prefix+number in
// NDPR_ORDSERV (or choosing the order with the charge's order button)
// copies the order's creditor, concept, amounts, discount, additional and
// extra values, IVA, the three withholdings and observations into the
// charge, and NDPR_IDORDSER keeps the order's id. No widget.
#include <QString>

namespace fb {
class Database;
}

namespace cxp {

class CadenaMontos;
class DataSet;
class Interaccion;

// NDPR_ORDSERV changed on the charge: true when an order was copied (the
// chain holds its amounts; the charge writes them to its fields). An
// unknown or annulled order is told, and the field and the id are cleared.
bool llenarCargoDesdeOrden(DataSet& cargo, CadenaMontos& cadena, fb::Database& compania, Interaccion& interaccion);

// The order button: the order search as a picker; the order chosen goes to
// NDPR_ORDSERV, which fills the charge.
void elegirOrdenParaCargo(DataSet& cargo, Interaccion& interaccion);

}  // namespace cxp
