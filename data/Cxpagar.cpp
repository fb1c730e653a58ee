#include "data/Cxpagar.h"

#include "base/Sql.h"
#include "data/Importe.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"

namespace cxp {

namespace {

constexpr int kAnticipo = 55;

QString consulta(const QString& procedimiento, int tipo, const QString& prefijo, const QString& numero,
                 const QString& nit, const QDate& fecha) {
    return QStringLiteral("select * from ") + procedimiento + u'(' + sql::numero(int64_t(tipo)) + QStringLiteral(", ") +
           sql::texto(prefijo) + u',' + sql::texto(numero) + QStringLiteral(", ") + sql::texto(nit) +
           QStringLiteral(", ") + sql::fecha(fecha) + u')';
}

}  // namespace

int64_t Cxpagar::buscar(const QString& procedimiento, int tipo, const QString& prefijo, const QString& numero,
                        const QString& nit, const QDate& fecha) {
    ultimos_ = {};
    const auto fila = compania_.queryOne(consulta(procedimiento, tipo, prefijo, numero, nit, fecha));
    if (!fila || (*fila)["ERROR"].toInt64() != 0) return 0;
    ultimos_ = {dineroDe((*fila)["SALDO"]), dineroDe((*fila)["RTFTE"]), dineroDe((*fila)["RTIVA"]),
                dineroDe((*fila)["RTICA"]), dineroDe((*fila)["RCREE"])};
    return (*fila)["ID"].toInt64();
}

int64_t Cxpagar::id_doc(int tipo, const QString& prefijo, const QString& numero, const QString& nit,
                        const QDate& fecha) {
    return buscar(QStringLiteral("busca_id_doc_cxpagar"), tipo, prefijo, numero, nit, fecha);
}

int64_t Cxpagar::id_doc_p(int tipo, const QString& prefijo, const QString& numero, const QString& nit,
                          const QDate& fecha) {
    return buscar(QStringLiteral("busca_id_doc_cxpagar_p"), tipo, prefijo, numero, nit, fecha);
}

std::optional<bool> Cxpagar::anticipoSinEgreso(int64_t id) {
    const auto fila = compania_.queryOne(QStringLiteral("select egre_id from anticipos_proveedor where anpr_id = ") +
                                         sql::numero(id));
    if (!fila) return std::nullopt;
    return fila->at(0).isNull() || fila->at(0).toInt64() == 0;
}

bool Cxpagar::valide_doc_cxpagar(const QString& nit, int tipo, const QString& prefijo, const QString& numero,
                                 const QDate& fecha, DocumentoPorPagar& linea) {
    linea = {};
    const auto fila =
        compania_.queryOne(consulta(QStringLiteral("busca_id_doc_cxpagar"), tipo, prefijo, numero, nit, fecha));
    if (!fila) return false;
    switch ((*fila)["ERROR"].toInt64()) {
    case 0:
        break;
    case 1:
        interaccion_.informacion(QStringLiteral("No se encontró el documento indicado."));
        return false;
    case 2:
        interaccion_.informacion(QStringLiteral("El documento indicado pertenece a otro Cliente."));
        return false;
    case 3:
        interaccion_.informacion(QStringLiteral("La fecha del abono es anterior al documento."));
        return false;
    case 4:
        interaccion_.informacion(QStringLiteral("Documento totalmente cancelado."));
        return false;
    default:
        return false;
    }
    DocumentoPorPagar d{(*fila)["ID"].toInt64(),   dineroDe((*fila)["RTFTE"]), dineroDe((*fila)["RTIVA"]),
                        dineroDe((*fila)["RTICA"]), dineroDe((*fila)["RCREE"]), dineroDe((*fila)["DTOF"]),
                        dineroDe((*fila)["SALDO"]), (*fila)["NUMPROV"].toString().trimmed()};
    if (tipo == kAnticipo && anticipoSinEgreso(d.id).value_or(false)) {
        for (Dinero* importe : {&d.rtfte, &d.rtiva, &d.rtica, &d.rcree, &d.dtof, &d.abono}) *importe = -*importe;
    }
    linea = d;
    return true;
}

Dinero Cxpagar::saldo_doc_cxpagar(int tipo, int64_t id, const QDate& fecha) {
    const auto fila = compania_.queryOne(QStringLiteral("select * from saldo_doc_cxpagar(") + sql::numero(int64_t(tipo)) +
                                         QStringLiteral(", ") + sql::numero(id) + u',' + sql::fecha(fecha) +
                                         QStringLiteral(",1)"));
    if (!fila) return {};
    const Dinero saldo = dineroDe((*fila)["SALDO"]);
    if (tipo != kAnticipo) return saldo;
    const auto sinEgreso = anticipoSinEgreso(id);
    if (!sinEgreso) return {};
    return *sinEgreso ? -saldo : saldo;
}

std::pair<QString, QString> Cxpagar::separar_documento(const QString& texto) {
    if (texto.size() <= 6) return {QString(), texto};
    return {texto.left(texto.size() - 6), texto.right(6)};
}

}  // namespace cxp
