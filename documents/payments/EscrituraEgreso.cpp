#include "documents/payments/EscrituraEgreso.h"

#include "base/Sql.h"
#include "data/Numeracion.h"
#include "data/fb/DbError.h"
#include "documents/payments/CruceCartera.h"
#include "documents/payments/DocumentosPagados.h"

#include <chrono>

namespace cxp {

namespace {
const QString kId = QStringLiteral("EGRE_ID");
}

void enlazarTablasEgreso(DataSet& egreso, DataSet& detalle, DataSet& cruce, DataSet& contabilidad, DataSet& caja,
                         DataSet& banco) {
    egreso.setUpdateTable(QStringLiteral("EGRESOS"), {kId});
    detalle.setUpdateTable(QStringLiteral("EGRESOS_DETALLE"), {kId, QStringLiteral("EGDE_ITEM")});
    cruce.setUpdateTable(QStringLiteral("EGRESOS_CRUCEC"), {kId, QStringLiteral("EGCC_ITEM")});
    contabilidad.setUpdateTable(QStringLiteral("EGRESOS_CONTABILIDAD"), {kId, QStringLiteral("EGCO_ITEM")});
    caja.setUpdateTable(QStringLiteral("EGRESOS_CAJA"), {kId, QStringLiteral("EGCA_ITEM")});
    banco.setUpdateTable(QStringLiteral("EGRESOS_BANCO"), {kId});
    for (DataSet* d : {&detalle, &cruce, &contabilidad, &caja, &banco}) egreso.addDetail(*d, {kId}, {kId});
}

void abrirTablasEgreso(fb::Database& db, int64_t id, DataSet& egreso, DataSet& detalle, DataSet& cruce,
                       DataSet& contabilidad, DataSet& caja, DataSet& banco) {
    const QString igual = sql::numero(id);
    egreso.open(db, QStringLiteral("SELECT * FROM EGRESOS WHERE EGRE_ID = ") + igual);
    detalle.open(db, DocumentosPagados::consulta(id));
    cruce.open(db, CruceCartera::consulta(id));
    contabilidad.open(db, QStringLiteral("select * from egresos_contabilidad where egre_id = ") + igual +
                              QStringLiteral(" order by egco_item"));
    caja.open(db, QStringLiteral("select * from egresos_caja where egre_id = ") + igual +
                      QStringLiteral(" order by egca_item"));
    banco.open(db, QStringLiteral("select * from egresos_banco where egre_id = ") + igual);
}

int64_t nuevoIdEgreso(fb::Database& db) {
    // Only a sequence's next value: a read.
    return db.read([](fb::Transaction& tr) {
        return tr.executeProcedure(QStringLiteral("CAMBIE_ID_EGRESO"))[QStringLiteral("ID")].toInt64();
    });
}

void escribirEgreso(fb::Database& db, DataSet& egreso, const OpcionesEscrituraEgreso& o) {
    if (egreso.state() != DataSet::State::Browse) egreso.post();
    ApplyOptions opciones;
    // Several clerks on one automatic prefix each take the next free number
    // until they get one; a save that keeps conflicting gives up in a bounded
    // time instead of holding the screen.
    if (o.renumerar) opciones.maxAttempts = 60;
    opciones.maxDuration = std::chrono::seconds(8);
    opciones.transaction.lockTimeoutSeconds = 3;
    if (o.borrarCopiaCero)
        opciones.beforeApply = [](fb::Transaction& tr, int) {
            tr.execute(QStringLiteral("delete from egresos where egre_id = 0"));
        };
    opciones.onFailure = [&db, &egreso, &o](const fb::DbError& e, int) {
        if (e.kind() != fb::ErrorKind::Unique || !o.renumerar) return false;
        const QString prefijo = egreso.asString(QStringLiteral("PREF_PRE")).trimmed();
        const auto siguiente = numeroLibreDelPrefijo(db, 62, prefijo);
        if (!siguiente || *siguiente == egreso.asString(QStringLiteral("EGRE_NUMERO"))) return false;
        egreso.edit();
        if (o.ponerNumero) o.ponerNumero(*siguiente);
        else egreso.setValue(QStringLiteral("EGRE_NUMERO"), *siguiente);
        egreso.post();
        return true;
    };
    egreso.applyUpdates(db, opciones);
}

}  // namespace cxp
