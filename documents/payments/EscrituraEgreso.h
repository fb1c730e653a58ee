#pragma once
// The payment voucher's (type 62) writing, shared by its own screen and by a
// charge paid at once in cash: the header and its five nested sets
// (documents paid, receivables crossed, accounting lines, cash items, the
// bank document) are one DataSet written by the DataSet's writer in one
// transaction, in which the database also makes the cheque or withdrawal of
// the bank document. Nothing of a voucher is written anywhere else.
#include "data/DataSet.h"

#include <functional>

namespace cxp {

// The header and its sets bound to their tables, the sets nested on EGRE_ID.
void enlazarTablasEgreso(DataSet& egreso, DataSet& detalle, DataSet& cruce, DataSet& contabilidad, DataSet& caja,
                         DataSet& banco);

// The header and its sets read for the voucher `id` (0: the one left by an
// interrupted save; -1: none, for a new voucher).
void abrirTablasEgreso(fb::Database& db, int64_t id, DataSet& egreso, DataSet& detalle, DataSet& cruce,
                       DataSet& contabilidad, DataSet& caja, DataSet& banco);

// A new voucher id from CAMBIE_ID_EGRESO: only the next value of a sequence,
// taken in a read-only transaction that writes nothing.
int64_t nuevoIdEgreso(fb::Database& db);

struct OpcionesEscrituraEgreso {
    // The number comes from the prefix, not from the clerk: when another
    // clerk took it meanwhile the voucher takes the next free one, set
    // through `ponerNumero` (the header in edit).
    bool renumerar = false;
    std::function<void(const QString& numero)> ponerNumero;
    // The copy left with id 0 by an interrupted save goes in the same
    // transaction (the voucher brought back is written under its own id).
    bool borrarCopiaCero = false;
};

// Posts the header and writes it with its sets, all or nothing, retrying
// conflicts for a bounded time. Throws what the write threw (DataSetError
// for a row refused by its own checks, fb::DbError from the database); the
// change log is kept so that the same voucher can be written again.
void escribirEgreso(fb::Database& db, DataSet& egreso, const OpcionesEscrituraEgreso& opciones = {});

}  // namespace cxp
