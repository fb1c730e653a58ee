#include "printing/reportes/InformesComprobantes.h"

#include "base/Sql.h"
#include "data/Sesion.h"

namespace cxp {

namespace {

QString diseno(const QString& archivo) {
    return QStringLiteral("reportes/") + archivo;
}

// A number typed as digits is the six-digit consecutive it names.
QString consecutivo(const QString& v) {
    const QString t = v.trimmed();
    bool digitos = !t.isEmpty();
    for (QChar c : t) digitos = digitos && c.isDigit();
    return digitos && t.size() < 6 ? t.rightJustified(6, u'0') : t;
}

QString subtituloTipos(const InformeComprobantes& i) {
    QStringList t;
    if (i.cargos) t << QStringLiteral("Notas débito");
    if (i.descuentos) t << QStringLiteral("Notas crédito");
    if (i.aplicaciones) t << QStringLiteral("Aplicaciones");
    if (i.anticipos) t << QStringLiteral("Anticipos");
    return t.join(QStringLiteral(", "));
}

}  // namespace

bool InformeComprobantes::abrir() {
    agencia = sesion_.agencia_actual;
    return true;
}

int InformeComprobantes::tipos() const {
    const int t = (cargos ? 1 : 0) | (descuentos ? 2 : 0) | (aplicaciones ? 4 : 0) | (anticipos ? 8 : 0);
    return t == 0 ? 15 : t;
}

Tfrepoconsecutivo::Tfrepoconsecutivo(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                     const Configuracion& configuracion)
    : InformeComprobantes(sesion, interaccion, manejador, configuracion, diseno(kDiseno), kArchivo,
                          QStringLiteral("COMPROBANTES POR CONSECUTIVO")) {}

std::optional<PantallaInforme::Pedido> Tfrepoconsecutivo::pedido() {
    const auto hasta = [](const QString& v) { return v.trimmed().isEmpty() ? QStringLiteral("zz") : v.trimmed(); };
    Pedido p;
    p.consulta = QStringLiteral("select * from REP_CONSECUTIVOS_CXPAGAR(") + sql::numero(int64_t(tipos())) + u',' +
                 sql::texto(detalle ? u"S" : u"N") + u',' + sql::texto(prefijoDesde.trimmed()) + u',' +
                 sql::texto(hasta(prefijoHasta)) + u',' + sql::texto(consecutivo(numeroDesde)) + u',' +
                 sql::texto(hasta(consecutivo(numeroHasta))) + u',' + sql::texto(anulados ? u"S" : u"N") + u',' +
                 sql::numero(int64_t(agencia)) +
                 // one number may repeat across kinds; each document before its crossings
                 QStringLiteral(") order by prefijo, numero, tipo, item");
    p.informe = detalle ? QStringLiteral("consecutdet") : QStringLiteral("consecutcon");
    p.subtitulo = subtituloTipos(*this) + QStringLiteral("  ") +
                  compone_titulo({}, {}, consecutivo(numeroDesde), consecutivo(numeroHasta));
    return p;
}

Tfrepocrono::Tfrepocrono(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Configuracion& configuracion)
    : InformeComprobantes(sesion, interaccion, manejador, configuracion, diseno(kDiseno), kArchivo,
                          QStringLiteral("COMPROBANTES CRONOLOGICOS")) {}

bool Tfrepocrono::abrir() {
    const QDate h = hoy();
    desde = QDate(h.year(), h.month(), 1);
    hasta = QDate(h.year(), h.month(), h.daysInMonth());
    return InformeComprobantes::abrir();
}

std::optional<PantallaInforme::Pedido> Tfrepocrono::pedido() {
    if (!fechasEnOrden(desde, hasta)) return std::nullopt;
    const QString hastaPref = prefijoHasta.trimmed().isEmpty() ? QStringLiteral("zz") : prefijoHasta.trimmed();
    Pedido p;
    p.consulta = QStringLiteral("select * from rep_comprobantes_cxpagar(") + sql::numero(int64_t(tipos())) + u',' +
                 sql::texto(detalle ? u"S" : u"N") + u',' + sql::fecha(desde) + u',' + sql::fecha(hasta) +
                 QStringLiteral(", '', ") + sql::texto(anulados ? u"S" : u"N") + u',' + sql::numero(int64_t(agencia)) +
                 QStringLiteral(") where PREF >= ") + sql::texto(prefijoDesde.trimmed()) +
                 QStringLiteral(" and PREF <= ") + sql::texto(hastaPref) +
                 QStringLiteral(" order by fecha, tipo, pref, numero, item");
    p.informe = detalle ? QStringLiteral("cronologicodet") : QStringLiteral("cronologicocon");
    p.subtitulo = subtituloTipos(*this) + QStringLiteral("  ") + compone_titulo(desde, hasta);
    return p;
}

}  // namespace cxp
