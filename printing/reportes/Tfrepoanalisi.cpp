#include "printing/reportes/Tfrepoanalisi.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"
#include "ledger/Comun.h"

namespace cxp {

Tfrepoanalisi::Tfrepoanalisi(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion)
    : PantallaInforme(sesion, interaccion, manejador, configuracion, QStringLiteral("reportes/") + kDiseno, kArchivo,
                      QStringLiteral("ANALISIS DE CUENTAS POR PAGAR")) {}

bool Tfrepoanalisi::abrir() {
    corte = hoy();
    agencia = sesion_.agencia_actual;
    bool ok = false;
    const int n = configuracion_
                      .valor(QStringLiteral("CXPAGAR"), QStringLiteral("ANALISIS"),
                             QStringLiteral("RANGO DE DIAS PARA EL ANALISIS DE CUENTAS POR PAGAR"))
                      .trimmed()
                      .toInt(&ok);
    dias = ok && n > 0 ? n : 30;
    return prepararMoneda(monedas::kPreguntarCxpagar);
}

QStringList Tfrepoanalisi::titulosRangos(int n) {
    return {QStringLiteral("0 - %1 dias").arg(n), QStringLiteral("%1-%2 dias").arg(n + 1).arg(2 * n),
            QStringLiteral("%1-%2 dias").arg(2 * n + 1).arg(3 * n), QStringLiteral("%1 y más dias").arg(3 * n + 1)};
}

std::optional<PantallaInforme::Pedido> Tfrepoanalisi::pedido() {
    if (dias < 1) {
        interaccion_.error(QStringLiteral("El rango de días debe ser mayor que cero."));
        interaccion_.enfocar(QStringLiteral("dias"));
        return std::nullopt;
    }
    if (!hayTasa(moneda(), corte)) return std::nullopt;
    const auto hasta = [](const QString& v) { return v.trimmed().isEmpty() ? QStringLiteral("zz") : v.trimmed(); };
    Pedido p;
    QString donde;
    if (soloVencidos)
        donde = QStringLiteral(" where VENCE < ") + sql::fecha(corte);
    else if (!sinCartera)
        donde = QStringLiteral(" where SALDO <> 0");
    if (monedaExtranjera)
        donde += donde.isEmpty() ? QStringLiteral(" WHERE TRM IS NOT NULL ") : QStringLiteral(" and TRM IS NOT NULL ");
    const bool porFecha = configuracion_
                              .valor(QStringLiteral("CXPAGAR"), QStringLiteral("SALDOS"),
                                     QStringLiteral("ANALISIS DE CXPAGAR CON FECHA FACTURA O VENCIMIENTO"))
                              .trimmed()
                              .toUpper() == QLatin1String("FECHA");
    p.consulta = QStringLiteral("select * from rep_analisis_cxpagar (") + sql::texto(nitDesde.trimmed()) + u',' +
                 sql::texto(hasta(nitHasta)) + u',' + sql::texto(grupoDesde.trimmed()) + u',' +
                 sql::texto(hasta(grupoHasta)) + u',' + sql::fecha(corte) + u',' + sql::texto(detalle ? u"S" : u"N") +
                 u',' + sql::texto(orden == Orden::Nombre ? u"N" : u"C") + u',' + sql::texto(porGrupo ? u"G" : u"N") +
                 u',' + sql::numero(int64_t(dias)) + u',' + sql::numero(int64_t(agencia)) + u',' +
                 sql::numero(int64_t(moneda())) + u')' + donde + QStringLiteral(" order by ") +
                 (porGrupo ? QStringLiteral("GRUPO, ") : QString()) +
                 (orden == Orden::Nombre ? QStringLiteral("NOMBRE, NIT") : QStringLiteral("NIT")) +
                 (porFecha ? QStringLiteral(", FECDOC") : QStringLiteral(", VENCE"));
    p.informe = (detalle ? QStringLiteral("detallado") : QStringLiteral("consolidado")) +
                (monedaExtranjera ? QStringLiteral("mon") : QString());
    const QStringList t = titulosRangos(dias);
    const QStringList nombres{QStringLiteral("Text22"), QStringLiteral("Text8"), QStringLiteral("Text15"),
                              QStringLiteral("Text16")};
    for (int i = 0; i < 4; ++i) p.textos.insert(nombres[i], t[i]);
    if (!porGrupo) p.ocultas = {QStringLiteral("grupo"), QStringLiteral("totalgrupo")};
    p.subtitulo = compone_titulo({}, corte) + QStringLiteral("  Rango días: ") + QString::number(dias);
    return p;
}

}  // namespace cxp
