#include "printing/reportes/Tfrepocxpaga.h"

#include "base/Sql.h"
#include "data/Sesion.h"
#include "ledger/Comun.h"

namespace cxp {

Tfrepocxpaga::Tfrepocxpaga(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion)
    : PantallaInforme(sesion, interaccion, manejador, configuracion, QStringLiteral("reportes/") + kDiseno, kArchivo,
                      QStringLiteral("CUENTAS POR PAGAR")) {}

bool Tfrepocxpaga::abrir() {
    corte = hoy();
    agencia = sesion_.agencia_actual;
    return prepararMoneda(monedas::kPreguntarCxpagar);
}

std::optional<PantallaInforme::Pedido> Tfrepocxpaga::pedido() {
    if (!fechasEnOrden(venceDesde, venceHasta) || !hayTasa(moneda(), corte)) return std::nullopt;
    const auto hasta = [](const QString& v) { return v.trimmed().isEmpty() ? QStringLiteral("zz") : v.trimmed(); };
    const QString argumentos = sql::texto(nitDesde.trimmed()) + u',' + sql::texto(hasta(nitHasta)) + u',' +
                               sql::texto(grupoDesde.trimmed()) + u',' + sql::texto(hasta(grupoHasta)) + u',' +
                               sql::fecha(corte) + u',' + sql::texto(orden == Orden::Nombre ? u"N" : u"C") + u',' +
                               sql::texto(porGrupo ? u"G" : u"N") + u',' + sql::numero(int64_t(agencia)) + u',' +
                               sql::numero(int64_t(moneda())) + u')';
    const QString nombreONit = orden == Orden::Nombre ? QStringLiteral("NOMBRE") : QStringLiteral("NIT");
    Pedido p;
    if (detalle) {
        QStringList donde;
        if (venceDesde.isValid()) donde << QStringLiteral("(VENCE >= ") + sql::fecha(venceDesde) + u')';
        if (venceHasta.isValid()) donde << QStringLiteral("(VENCE <= ") + sql::fecha(venceHasta) + u')';
        p.consulta = QStringLiteral("select * from rep_cxpagar_proveedor(") + argumentos +
                     (donde.isEmpty() ? QString() : QStringLiteral(" where ") + donde.join(QStringLiteral(" and "))) +
                     QStringLiteral(" order by ") + (porGrupo ? QStringLiteral("CODZONA, ") : QString()) + nombreONit +
                     // The documents of two creditors of one name stay apart.
                     (orden == Orden::Nombre ? QStringLiteral(", NIT") : QString()) + QStringLiteral(", VENCE");
        p.informe = QStringLiteral("detallado");
    } else {
        p.consulta = QStringLiteral("select * from rep_cxpagar_consolidadas(") + argumentos +
                     (sinSaldo ? QString() : QStringLiteral(" where SALDO <> 0")) + QStringLiteral(" order by ") +
                     (porGrupo ? QStringLiteral(" CODZONA, ") : QString()) + u' ' + nombreONit;
        p.informe = QStringLiteral("consolidado");
    }
    if (!porGrupo) p.ocultas = {QStringLiteral("grupo"), QStringLiteral("totalgrupo")};
    p.subtitulo = compone_titulo({}, corte);
    if (venceDesde.isValid() || venceHasta.isValid())
        p.subtitulo += QStringLiteral("  Vencimientos: ") +
                       (venceDesde.isValid() ? venceDesde.toString(QStringLiteral("yyyy/MM/dd")) : QString()) +
                       QStringLiteral(" - ") +
                       (venceHasta.isValid() ? venceHasta.toString(QStringLiteral("yyyy/MM/dd")) : QString());
    return p;
}

}  // namespace cxp
