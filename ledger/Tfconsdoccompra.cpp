#include "ledger/Tfconsdoccompra.h"

#include "base/Sql.h"
#include "data/DataSetModel.h"
#include "data/Interaccion.h"

namespace cxp {

namespace {
// Captions of the columns every purchasing document has.
QString tituloColumna(const QString& columna) {
    static const QHash<QString, QString> t{
        {QStringLiteral("PREF_PRE"), QStringLiteral("Prefijo")}, {QStringLiteral("TERC_NIT"), QStringLiteral("Nit")},
        {QStringLiteral("TERC_NOM"), QStringLiteral("Proveedor")},
        {QStringLiteral("FACO_NUMPROV"), QStringLiteral("Factura del proveedor")},
    };
    const auto it = t.constFind(columna.toUpper());
    if (it != t.constEnd()) return *it;
    QString c = columna;
    const int guion = c.indexOf(u'_');
    if (guion > 0) c = c.mid(guion + 1);
    c = c.toLower();
    if (!c.isEmpty()) c[0] = c[0].toUpper();
    return c;
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
    return true;
}

QList<std::pair<QString, QString>> Tfconsdoccompra::campos() const {
    QList<std::pair<QString, QString>> r;
    if (!documento_.isOpen() || documento_.isEmpty()) return r;
    for (int i = 0; i < documento_.fieldCount(); ++i) {
        const Field& f = documento_.field(i);
        if (f.name().endsWith(QLatin1String("_ID"), Qt::CaseInsensitive)) continue;
        r.append({tituloColumna(f.name()), DataSetModel::displayText(f, documento_.value(f.name()))});
    }
    return r;
}

}  // namespace cxp
