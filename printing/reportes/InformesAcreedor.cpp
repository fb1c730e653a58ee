#include "printing/reportes/InformesAcreedor.h"

#include "base/Sql.h"
#include "data/Sesion.h"
#include "ledger/Comun.h"

namespace cxp {

namespace {

QString hastaRango(const QString& v) {
    return v.trimmed().isEmpty() ? QStringLiteral("zz") : v.trimmed();
}

QString diseno(const QString& archivo) {
    return QStringLiteral("reportes/") + archivo;
}

}  // namespace

bool InformeAcreedores::abrir() {
    const QDate h = hoy();
    desde = QDate(h.year(), h.month(), 1);
    hasta = QDate(h.year(), h.month(), h.daysInMonth());
    return prepararMoneda(monedas::kPreguntarCxpagar);
}

QString InformeAcreedores::banderaOrden() const {
    return orden == Orden::Nombre ? QStringLiteral("N") : QStringLiteral("C");
}

QString InformeAcreedores::banderaAgrupar() const {
    return agrupar == Agrupar::Grupo    ? QStringLiteral("Z")
           : agrupar == Agrupar::Ciudad ? QStringLiteral("C")
                                        : QStringLiteral("N");
}

QString InformeAcreedores::ordenSql() const {
    return QStringLiteral(" order by ") +
           (agrupar == Agrupar::Grupo    ? QStringLiteral(" CODZONA, ")
            : agrupar == Agrupar::Ciudad ? QStringLiteral(" CODCIUD, ")
                                         : QString()) +
           // Two creditors of one name stay apart: the NIT after the name.
           (orden == Orden::Nombre ? QStringLiteral(" NOMBRE, NIT") : QStringLiteral(" NIT"));
}

QSet<QString> InformeAcreedores::bandasOcultas() const {
    QSet<QString> o;
    if (agrupar != Agrupar::Grupo) o += {QStringLiteral("grupo"), QStringLiteral("totalgrupo")};
    if (agrupar != Agrupar::Ciudad) o += {QStringLiteral("ciudad"), QStringLiteral("totalciudad")};
    return o;
}

QString InformeAcreedores::subtituloFechas() const {
    QString s = compone_titulo(desde, hasta);
    if (!nitDesde.trimmed().isEmpty() || !nitHasta.trimmed().isEmpty())
        s += QStringLiteral("  Acreedores: ") + nitDesde.trimmed() + QStringLiteral(" - ") + nitHasta.trimmed();
    return s;
}

// --- creditor directory

Tfrepoproveedor::Tfrepoproveedor(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion)
    : InformeAcreedores(sesion, interaccion, manejador, configuracion, diseno(kDiseno), kArchivo,
                        QStringLiteral("DIRECTORIO DE PROVEEDORES")) {}

std::optional<PantallaInforme::Pedido> Tfrepoproveedor::pedido() {
    // Empty ranges take everything; a "to" left empty takes the "from".
    const auto rango = [](const QString& d, const QString& h, const char* todoDesde) {
        const QString a = d.trimmed(), b = h.trimmed();
        if (a.isEmpty() && b.isEmpty()) return std::pair{QString::fromLatin1(todoDesde), QStringLiteral("zz")};
        return std::pair{a.isEmpty() ? QString::fromLatin1(todoDesde) : a, b.isEmpty() ? a : b};
    };
    const auto [gd, gh] = rango(grupoDesde, grupoHasta, "00");
    const auto [nd, nh] = rango(nitDesde, nitHasta, "0");
    const QString columnaAcreedor = orden == Orden::Nombre ? QStringLiteral("t.terc_nom") : QStringLiteral("t.terc_nit");
    Pedido p;
    p.consulta =
        QStringLiteral(
            "select t.terc_nit NIT, t.terc_dv DV, t.terc_nom NOMBRE, t.terc_dir DIRECCION, t.terc_ciu CIUDAD,"
            " t.ciud_cod CODCIUD, t.terc_tel TELEFONO, t.terc_cel CEL, t.terc_fax FAX, t.terc_contacto CONTACTO,"
            " t.terc_email EMAIL, p.grpr_cod CODZONA, g.grpr_nom NOMZONA, p.prov_cod PROV_COD,"
            " p.prov_codigoint CODIGOINT, p.prov_vendedor VENDEDOR, p.prov_retefte RETEFTE, p.prov_rteiva RTEIVA,"
            " p.prov_rteica RTEICA, p.prov_ctapagar CTAPAGAR, p.prov_ctartfte CTARTFTE, p.prov_ctartiva CTARTIVA,"
            " p.prov_ctartica CTARTICA, p.prov_cupo CUPO"
            " from grupos_proveedores g join proveedores p on p.grpr_cod = g.grpr_cod"
            " join terceros t on t.terc_nit = p.terc_nit") +
        QStringLiteral(" where p.grpr_cod between ") + sql::texto(gd) + QStringLiteral(" and ") + sql::texto(gh) +
        QStringLiteral(" and ") + columnaAcreedor + QStringLiteral(" between ") + sql::texto(nd) +
        QStringLiteral(" and ") + sql::texto(nh) + QStringLiteral(" order by ") +
        (agrupar == Agrupar::Grupo    ? QStringLiteral(" p.grpr_cod, ")
         : agrupar == Agrupar::Ciudad ? QStringLiteral(" t.terc_ciu, ")
                                      : QString()) +
        (orden == Orden::Nombre ? QStringLiteral("t.terc_nom, t.terc_nit") : QStringLiteral("t.terc_nit"));
    p.informe = agenda ? QStringLiteral("agendacli") : QStringLiteral("dirclientes");
    if (agrupar != Agrupar::Grupo) p.ocultas += QStringLiteral("grupo");
    if (agrupar != Agrupar::Ciudad) p.ocultas += QStringLiteral("ciudad");
    if (!nitDesde.trimmed().isEmpty() || !nitHasta.trimmed().isEmpty())
        p.subtitulo = QStringLiteral("Acreedores: ") + nd + QStringLiteral(" - ") + nh;
    return p;
}

// --- documents by creditor

TfrepDoc_prov::TfrepDoc_prov(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion)
    : InformeAcreedores(sesion, interaccion, manejador, configuracion, diseno(kDiseno), kArchivo,
                        QStringLiteral("DOCUMENTOS POR PROVEEDOR")) {}

std::optional<PantallaInforme::Pedido> TfrepDoc_prov::pedido() {
    if (!fechasEnOrden(desde, hasta)) return std::nullopt;
    Pedido p;
    p.consulta = QStringLiteral("select * from rep_documentos_proveedor(") +
                 sql::numero(int64_t(51 + std::clamp(comprobante, 0, 4))) + u',' + sql::fecha(desde) + u',' +
                 sql::fecha(hasta) + u',' + sql::texto(nitDesde.trimmed()) + u',' + sql::texto(hastaRango(nitHasta)) +
                 u',' + sql::texto(grupoDesde.trimmed()) + u',' + sql::texto(hastaRango(grupoHasta)) + u',' +
                 sql::texto(detalle ? u"S" : u"N") + u',' + sql::texto(banderaOrden()) + u',' +
                 sql::texto(banderaAgrupar()) + u',' + sql::texto(anulados ? u"S" : u"N") + u',' +
                 sql::numero(int64_t(agencia)) + u')' + ordenSql() +
                 // each document before its crossings, in date order
                 QStringLiteral(", ORDENID");
    p.informe = detalle ? QStringLiteral("detallado") : QStringLiteral("consolidado");
    p.ocultas = bandasOcultas();
    p.subtitulo = kComprobantes.value(comprobante) + QStringLiteral("  ") + subtituloFechas();
    return p;
}

// --- statement of account

Tfrepoestdocuentas::Tfrepoestdocuentas(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                       const Configuracion& configuracion)
    : InformeAcreedores(sesion, interaccion, manejador, configuracion, diseno(kDiseno), kArchivo,
                        QStringLiteral("ESTADO DE CUENTA")) {
    detalle = true;
}

std::optional<PantallaInforme::Pedido> Tfrepoestdocuentas::pedido() {
    if (!fechasEnOrden(desde, hasta) || !hayTasa(moneda(), hasta)) return std::nullopt;
    Pedido p;
    p.consulta = QStringLiteral("select * from rep_movimiento_proveedor (") + sql::texto(nitDesde.trimmed()) + u',' +
                 sql::texto(hastaRango(nitHasta)) + QStringLiteral(",'','zz',") + sql::fecha(desde) + u',' +
                 sql::fecha(hasta) + u',' + sql::texto(detalle ? u"S" : u"N") + u',' + sql::texto(banderaOrden()) +
                 u',' + sql::texto(banderaAgrupar()) + u',' + sql::numero(int64_t(moneda())) + u')' +
                 QStringLiteral(" where DEBITO <> 0 OR CREDITO <> 0 OR SALDO <> 0 OR ABONO <> 0") + ordenSql() +
                 QStringLiteral(", FECHA, ID");
    p.informe = QStringLiteral("estadocuenta");
    p.ocultas = bandasOcultas();
    if (!detalle) p.ocultas += QStringLiteral("detalle");
    p.parametros.insert(QStringLiteral("fechainicio"), desde.toString(QStringLiteral("yyyy/MM/dd")));
    p.parametros.insert(QStringLiteral("fechafinal"), hasta.toString(QStringLiteral("yyyy/MM/dd")));
    p.textos.insert(QStringLiteral("Observaciones"), observaciones.trimmed());
    p.subtitulo = subtituloFechas();
    return p;
}

// --- withholdings by creditor

Tfreporelaprov::Tfreporelaprov(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion)
    : InformeAcreedores(sesion, interaccion, manejador, configuracion, diseno(kDiseno), kArchivo,
                        QStringLiteral("RETENCIONES POR PROVEEDOR")) {}

std::optional<PantallaInforme::Pedido> Tfreporelaprov::pedido() {
    if (!fechasEnOrden(desde, hasta) || !hayTasa(moneda(), hasta)) return std::nullopt;
    Pedido p;
    p.consulta = QStringLiteral("select * from rep_retencion_proveedor (") + sql::texto(nitDesde.trimmed()) + u',' +
                 sql::texto(hastaRango(nitHasta)) + u',' + sql::texto(grupoDesde.trimmed()) + u',' +
                 sql::texto(hastaRango(grupoHasta)) + u',' + sql::fecha(desde) + u',' + sql::fecha(hasta) + u',' +
                 sql::texto(detalle ? u"S" : u"N") + u',' + sql::texto(banderaOrden()) + u',' +
                 sql::texto(banderaAgrupar()) + u',' + sql::texto(sinRetenciones ? u"S" : u"N") + u',' +
                 sql::numero(int64_t(moneda())) + u')' + ordenSql() + QStringLiteral(", ID");
    p.informe = detalle ? QStringLiteral("detallado") : QStringLiteral("consolidado");
    p.ocultas = bandasOcultas();
    p.subtitulo = subtituloFechas();
    return p;
}

}  // namespace cxp
