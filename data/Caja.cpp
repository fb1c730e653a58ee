#include "data/Caja.h"

#include "base/Sql.h"
#include "data/Importe.h"
#include "data/fb/Database.h"

namespace cxp {

namespace {

// A document still held in the box: not given out by any voucher.
QString docEnCaja(int fopa, const QString& banco, const QString& cuenta, const QString& numero, int caja) {
    return QStringLiteral("select dpca_monto from documentos_pago_caja where fopa_id = ") + sql::numero(int64_t(fopa)) +
           QStringLiteral(" and dpca_banco = ") + sql::texto(banco) + QStringLiteral(" and dpca_cuenta = ") +
           sql::texto(cuenta) + QStringLiteral(" and dpca_numero = ") + sql::texto(numero) +
           QStringLiteral(" and caja_id = ") + sql::numero(int64_t(caja)) +
           QStringLiteral(" and dpca_tiposal = 0 and dpca_idsal = 0");
}

}  // namespace

std::optional<Dinero> Caja::efectivo_caja(int caja, const QDate& fechaEgreso) {
    const auto fila = compania_.queryOne(QStringLiteral("select * from saldo_en_efectivo(") +
                                         sql::numero(int64_t(caja)) + u',' + sql::fecha(fechaEgreso.addDays(1)) +
                                         u')');
    if (!fila) return std::nullopt;
    return dineroDe(fila->at(0));
}

bool Caja::valide_doc_en_caja(int fopa, const QString& banco, const QString& cuenta, const QString& numero,
                              int caja) {
    return compania_.queryOne(docEnCaja(fopa, banco, cuenta, numero, caja)).has_value();
}

Dinero Caja::monto_doc_en_caja(int fopa, const QString& banco, const QString& cuenta, const QString& numero,
                               int caja) {
    const auto fila = compania_.queryOne(docEnCaja(fopa, banco, cuenta, numero, caja));
    return fila ? dineroDe(fila->at(0)) : Dinero{};
}

bool Caja::existe_documento_banco(int tipo, int cuenta, const QString& prefijo, const QString& numero) {
    QString sql;
    if (tipo == kCheque)
        sql = QStringLiteral("select 1 from cheques where cuba_cod = %1 and prba_pref = %2 and cheq_numero = %3");
    else if (tipo == kRetiro)
        sql = QStringLiteral("select 1 from retiros where cuba_cod = %1 and prba_pref = %2 and reti_numero = %3");
    else
        return false;
    return compania_.queryOne(sql.arg(sql::numero(int64_t(cuenta)), sql::texto(prefijo), sql::texto(numero)))
        .has_value();
}

}  // namespace cxp
