#include "data/Cartera.h"

#include "base/Sql.h"
#include "data/Importe.h"
#include "data/Numeracion.h"
#include "data/fb/Database.h"

namespace cxp {

bool Cartera::valide_doc_cartera(const QString& nit, int tipo, const QString& prefijo, const QString& numero,
                                 const QDate& fecha, DocumentoCartera& linea) {
    linea = {};
    const QString completo = complete_numero_n(numero.trimmed(), anchoNumero(tipo));
    // Longer than the receivables' columns: no such document.
    const bool cabe = prefijo.trimmed().size() <= 4 && completo.size() <= 8 && nit.size() <= 20;
    const auto fila = !cabe ? std::nullopt
                            : compania_.queryOne(QStringLiteral("select * from busca_doc_cartera(") + sql::texto(nit) +
                                                 u',' + sql::numero(int64_t(tipo)) + u',' +
                                                 sql::texto(prefijo.trimmed()) + u',' + sql::texto(completo) + u',' +
                                                 sql::fecha(fecha) + u')');
    // Another third party's, dated after the voucher, settled or missing: the
    // crossing tells the person it was not found.
    if (!fila || (*fila)["ERROR"].toInt64() != 0) return false;
    linea = {(*fila)["ID"].toInt64(),     dineroDe((*fila)["RTFTE"]), dineroDe((*fila)["RTIVA"]),
             dineroDe((*fila)["RTICA"]),  dineroDe((*fila)["RCREE"]), dineroDe((*fila)["DTOF"]),
             dineroDe((*fila)["SALDO"]),  (*fila)["SUCURSAL"].toString().trimmed()};
    return true;
}

Dinero Cartera::saldo_doc_cartera(int tipo, int64_t id, const QDate& fecha) {
    const auto fila = compania_.queryOne(QStringLiteral("select saldo from saldo_doc_cartera(") +
                                         sql::numero(int64_t(tipo)) + u',' + sql::numero(id) + u',' +
                                         sql::fecha(fecha) + u')');
    return fila ? dineroDe(fila->at(0)) : Dinero{};
}

}  // namespace cxp
