#include "documents/service/OrdenEnCargo.h"

#include "base/Sql.h"
#include "data/DataSet.h"
#include "data/Importe.h"
#include "data/Interaccion.h"
#include "documents/CadenaMontos.h"

namespace cxp {

namespace {
const QString kOrden = QStringLiteral("NDPR_ORDSERV");
const QString kIdOrden = QStringLiteral("NDPR_IDORDSER");

void olvidar(DataSet& cargo) {
    cargo.setValue(kOrden, QString());
    cargo.setValue(kIdOrden, fb::Value());
}
}  // namespace

bool llenarCargoDesdeOrden(DataSet& cargo, CadenaMontos& cadena, fb::Database& compania, Interaccion& interaccion) {
    const QString escrito = cargo.asString(kOrden).trimmed().toUpper();
    if (escrito.isEmpty()) {
        cargo.setValue(kIdOrden, fb::Value());
        return false;
    }
    // The number is the last six characters, the prefix what comes before.
    const QString prefijo = escrito.left(std::max<qsizetype>(0, escrito.size() - 6));
    const QString numero = escrito.right(6);
    const auto f = compania.queryOne(
        QStringLiteral("select ORSE_ID, PREF_PRE || ORSE_NUMERO, TERC_NIT, ORSE_CONCEPTO, ORSE_BASE, ORSE_IVAMONTO, "
                       "ORSE_IVAPORC, ORSE_RTFTEPORC, ORSE_RTFTEMONTO, ORSE_RTEIVAOPRC, ORSE_RTIVAMONTO, ORSE_RTICAPORC, "
                       "ORSE_RTICAMONTO, ORSE_OBS, ORSE_ADICIONAL, ORSE_EXTRA, ORSE_DTOPORC, ORSE_DTOMONTO, ORSE_ANULADO "
                       "from ORDEN_SERVICIO WHERE PREF_PRE = ") +
        sql::texto(prefijo) + QStringLiteral(" AND ORSE_NUMERO = ") + sql::texto(numero) +
        QStringLiteral(" AND ORSE_ID <> 0"));
    if (!f || prefijo.isEmpty()) {
        interaccion.error(QStringLiteral("No existe la órden de servicio"));
        olvidar(cargo);
        return false;
    }
    const fb::Row& o = *f;
    // An annulled order contracts nothing: it is not charged.
    if (o[18].toString().trimmed() == QLatin1String("S")) {
        interaccion.error(QStringLiteral("La órden de servicio ") + escrito + QStringLiteral(" está anulada."));
        olvidar(cargo);
        return false;
    }
    cargo.setValue(kOrden, o[1].toString().trimmed());
    cargo.setValue(kIdOrden, o[0]);
    // The creditor first: its profile, accounts and regime; then the
    // order's own amounts over what the profile worked out.
    cargo.setValue(QStringLiteral("TERC_NIT"), o[2].toString().trimmed());
    cargo.setValue(QStringLiteral("NDPR_CONC"), o[3]);
    cargo.setValue(QStringLiteral("NDPR_OBS"), o[13]);
    MontosDocumento& m = cadena.m;
    const Dinero base = dineroDe(o[4]);
    m.adicional = dineroDe(o[14]);
    m.extra = dineroDe(o[15]);
    m.dtoPorc = {dineroDe(o[16]), Dinero(), Dinero(), Dinero()};
    m.dtoMonto = {dineroDe(o[17]), Dinero(), Dinero(), Dinero()};
    m.subTotal = base + m.dtoMonto[0] - m.adicional;
    cadena.cambieMonto(base);  // the CREE, which the order has not, from the creditor
    m.ivaPorc = dineroDe(o[6]);
    m.ivaMonto = dineroDe(o[5]);
    m.rtftePorc = dineroDe(o[7]);
    m.rtfteMonto = dineroDe(o[8]);
    m.rtivaPorc = dineroDe(o[9]);
    m.rtivaMonto = dineroDe(o[10]);
    m.rticaPorc = dineroDe(o[11]);
    m.rticaMonto = dineroDe(o[12]);
    return true;
}

void elegirOrdenParaCargo(DataSet& cargo, Interaccion& interaccion) {
    const auto eleccion = interaccion.elegir(QStringLiteral("Tfbuscaordenes"));
    if (!eleccion) return;
    if (cargo.state() == DataSet::State::Browse) cargo.edit();
    cargo.setValue(kOrden, eleccion->value(QStringLiteral("numero")).toString());
}

}  // namespace cxp
