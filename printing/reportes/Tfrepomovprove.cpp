#include "printing/reportes/Tfrepomovprove.h"

#include "base/Sql.h"
#include "ledger/Comun.h"

namespace cxp {

namespace {

// An empty "from" takes everything from the start, an empty "to" to the end.
QString desdeRango(const QString& v) {
    return v.trimmed();
}
QString hastaRango(const QString& v) {
    return v.trimmed().isEmpty() ? QStringLiteral("zz") : v.trimmed();
}

}  // namespace

Tfrepomovprove::Tfrepomovprove(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion)
    : PantallaInforme(sesion, interaccion, manejador, configuracion, QStringLiteral("reportes/") + kDiseno, kArchivo,
                      QStringLiteral("MOVIMIENTO POR ACREEDOR")) {}

bool Tfrepomovprove::abrir() {
    const QDate h = hoy();
    desde = QDate(h.year(), h.month(), 1);
    hasta = QDate(h.year(), h.month(), h.daysInMonth());
    return prepararMoneda(monedas::kPreguntarCxpagar);
}

std::optional<PantallaInforme::Pedido> Tfrepomovprove::pedido() {
    if (!fechasEnOrden(desde, hasta) || !hayTasa(moneda(), hasta)) return std::nullopt;
    const char agrupa = agrupar == Agrupar::Grupo ? 'Z' : agrupar == Agrupar::Ciudad ? 'C' : 'N';
    Pedido p;
    p.consulta = QStringLiteral("select * from rep_movimiento_proveedor (") + sql::texto(desdeRango(nitDesde)) + u',' +
                 sql::texto(hastaRango(nitHasta)) + u',' + sql::texto(desdeRango(grupoDesde)) + u',' +
                 sql::texto(hastaRango(grupoHasta)) + u',' + sql::fecha(desde) + u',' + sql::fecha(hasta) + u',' +
                 sql::texto(detalle ? u"S" : u"N") + u',' + sql::texto(orden == Orden::Nombre ? u"N" : u"C") + u',' +
                 sql::texto(QString(QChar::fromLatin1(agrupa))) + u',' + sql::numero(int64_t(moneda())) + u')' +
                 QStringLiteral(" where DEBITO <> 0 OR CREDITO <> 0 OR SALDO <> 0 OR ABONO <> 0") +
                 QStringLiteral(" order by ") +
                 (agrupar == Agrupar::Grupo    ? QStringLiteral(" CODZONA, ")
                  : agrupar == Agrupar::Ciudad ? QStringLiteral(" CODCIUD, ")
                                               : QString()) +
                 // Two creditors of one name stay apart: the NIT after the name.
                 (orden == Orden::Nombre ? QStringLiteral(" NOMBRE, NIT, FECHA, ID") : QStringLiteral(" NIT, FECHA, ID"));
    p.informe = detalle ? QStringLiteral("detallado") : QStringLiteral("consolidado");
    if (agrupar != Agrupar::Grupo) p.ocultas += {QStringLiteral("grupo"), QStringLiteral("totalgrupo")};
    if (agrupar != Agrupar::Ciudad) p.ocultas += {QStringLiteral("ciudad"), QStringLiteral("totalciudad")};
    p.subtitulo = compone_titulo(desde, hasta);
    if (!nitDesde.trimmed().isEmpty() || !nitHasta.trimmed().isEmpty())
        p.subtitulo += QStringLiteral("  Acreedores: ") + nitDesde.trimmed() + QStringLiteral(" - ") + nitHasta.trimmed();
    return p;
}

}  // namespace cxp
