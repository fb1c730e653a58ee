#pragma once
// The application's (type 53) writing, shared by its own screen and by a
// document that crosses itself at once in its own save (the charge and the
// discount): the header and its signed rows are one nested DataSet, written
// by the DataSet's writer; the id comes from CAMBIE_ID_APLIPROV inside the
// transaction that writes them, so a failed save consumes nothing.
#include "data/DataSet.h"

namespace cxp {

// The header and rows bound to their tables, the rows nested on APPR_ID.
void enlazarTablasAplicacion(DataSet& aplicacion, DataSet& detalle);

// Inside the save's transaction: an application still without id takes a
// new one (its rows follow through the master key). Returns the id.
int64_t idDeAplicacion(fb::Transaction& tr, DataSet& aplicacion);

}  // namespace cxp
