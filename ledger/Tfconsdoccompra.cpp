#include "ledger/Tfconsdoccompra.h"

#include "base/Sql.h"
#include "data/DataSetModel.h"
#include "data/Interaccion.h"

namespace cxp {

namespace {
// Captions of the columns the purchasing documents have; others show their
// name without the table's prefix.
QString tituloColumna(const QString& columna) {
    static const QHash<QString, QString> t{
        {QStringLiteral("PREF_PRE"), QStringLiteral("Prefijo")},
        {QStringLiteral("TERC_NIT"), QStringLiteral("Nit")},
        {QStringLiteral("TERC_NOM"), QStringLiteral("Proveedor")},
        {QStringLiteral("NUMPROV"), QStringLiteral("Factura del proveedor")},
        {QStringLiteral("NUMERO"), QStringLiteral("Número")},
        {QStringLiteral("FECHA"), QStringLiteral("Fecha")},
        {QStringLiteral("VENCE"), QStringLiteral("Vence")},
        {QStringLiteral("CONC"), QStringLiteral("Concepto")},
        {QStringLiteral("MONTO"), QStringLiteral("Monto")},
        {QStringLiteral("IVAMONTO"), QStringLiteral("IVA")},
        {QStringLiteral("EXTRA"), QStringLiteral("Otros cargos")},
        {QStringLiteral("RTFTEMONTO"), QStringLiteral("Retención en la fuente")},
        {QStringLiteral("RTIVAMONTO"), QStringLiteral("Retención de IVA")},
        {QStringLiteral("RTICAMONTO"), QStringLiteral("Retención de ICA")},
        {QStringLiteral("RTCREEM"), QStringLiteral("CREE")},
        {QStringLiteral("DTOFECHA"), QStringLiteral("Descuento pronto pago hasta")},
        {QStringLiteral("DTOFMONTO"), QStringLiteral("Descuento pronto pago")},
        {QStringLiteral("ANULADO"), QStringLiteral("Anulado")},
        {QStringLiteral("TRM"), QStringLiteral("Tasa de cambio")},
        {QStringLiteral("MONEDA"), QStringLiteral("Moneda")},
    };
    const QString c = columna.toUpper();
    if (const auto it = t.constFind(c); it != t.constEnd()) return *it;
    const int guion = c.indexOf(u'_');
    const QString sinPrefijo = guion > 0 ? c.mid(guion + 1) : c;
    if (const auto it = t.constFind(sinPrefijo); it != t.constEnd()) return *it;
    QString r = sinPrefijo.toLower();
    if (!r.isEmpty()) r[0] = r[0].toUpper();
    return r;
}
}  // namespace

Tfconsdoccompra::Tfconsdoccompra(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion, int tipo, int64_t id, QObject* parent)
    : PantallaLedger(sesion, interaccion, manejador, configuracion, parent), tipo_(tipo), id_(id) {}

QString Tfconsdoccompra::titulo() const {
    return tipo_ == 24 ? QStringLiteral("Consulta Devolución en Compras") : QStringLiteral("Consulta Factura de Compra");
}

QString Tfconsdoccompra::tabla() const {
    return tipo_ == 24 ? QStringLiteral("DEVOLUCIONES_COMPRAS") : QStringLiteral("FACTURAS_COMPRA");
}

QString Tfconsdoccompra::consultaLineas() const {
    return tipo_ == 24 ? QStringLiteral("select * from DEVOLUCIONES_COMPRAS_DETALLE where DECO_ID = ") +
                             sql::numero(id_) + QStringLiteral(" order by DCDE_ITEM")
                       : QStringLiteral("select * from FACTURAS_COMPRAS_DETALLE where FACO_ID = ") + sql::numero(id_) +
                             QStringLiteral(" order by FCDE_ITEM");
}

QString Tfconsdoccompra::consulta() const {
    const QString clave = tipo_ == 24 ? QStringLiteral("DECO_ID") : QStringLiteral("FACO_ID");
    return QStringLiteral("select d.*, t.TERC_NOM from ") + tabla() +
           QStringLiteral(" d left join TERCEROS t on t.TERC_NIT = d.TERC_NIT where d.") + clave +
           QStringLiteral(" = ") + sql::numero(id_);
}

bool Tfconsdoccompra::abrir() {
    if (tipo_ != 21 && tipo_ != 24) {
        interaccion_.informacion(consultas::kNoExiste);
        return false;
    }
    if (!cargar(documento_, consulta())) return false;
    if (documento_.isEmpty()) {
        interaccion_.informacion(kNoEncontrado);
        return false;
    }
    if (!cargar(lineas_, consultaLineas())) return false;
    for (int i = 0; i < lineas_.fieldCount(); ++i) {
        Field& f = lineas_.field(i);
        f.setVisible(!f.name().endsWith(QLatin1String("_ID"), Qt::CaseInsensitive));
        f.setLabel(tituloColumna(f.name()));
    }
    return true;
}

QList<std::pair<QString, QString>> Tfconsdoccompra::campos() const {
    QList<std::pair<QString, QString>> r;
    if (!documento_.isOpen() || documento_.isEmpty()) return r;
    for (int i = 0; i < documento_.fieldCount(); ++i) {
        const Field& f = documento_.field(i);
        if (f.name().endsWith(QLatin1String("ID"), Qt::CaseInsensitive)) continue;
        r.append({tituloColumna(f.name()), DataSetModel::displayText(f, documento_.value(f.name()))});
    }
    return r;
}

}  // namespace cxp
