#include "documents/payments/Tfconsegresos.h"

#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/Configuracion.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

Tfconsegresos::Tfconsegresos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, ServiciosConsultaEgreso servicios, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      servicios_(std::move(servicios)) {}

bool Tfconsegresos::abrir(int64_t id) {
    const int opcion = sesion_.modulo_actual == QLatin1String("C. X PAGAR") ? 31 : 41;
    if (!valide_acceso(sesion_, opcion, sesion_.modulo_actual)) {
        interaccion_.error(kSinAcceso);
        return false;
    }
    preguntaTasa_ = configuracion_
                        .valor(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                               QStringLiteral("PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR"))
                        .trimmed()
                        .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    const QString igual = sql::numero(id);
    try {
        // The creditor's name as registered when the voucher kept none.
        egreso_.open(sesion_.compania,
                     QStringLiteral("select e.*, coalesce(e.egre_nomterc, t.terc_nom) as nombre_acreedor from egresos e "
                                    "left join terceros t on t.terc_nit = e.terc_nit where e.egre_id = ") +
                         igual);
        if (id <= 0 || egreso_.isEmpty()) {
            interaccion_.error(kNoEncontrado);
            return false;
        }
        id_ = id;
        // The prefix and number of a live document when the line lacks them.
        detalle_.open(sesion_.compania,
                      QStringLiteral("select t.tido_nomcorto as egde_tiponom, coalesce(d.egde_prefijo, v.pref_pre) as "
                                     "egde_prefijo, coalesce(d.egde_numero, v.numero) as egde_numero, d.egde_numprov, "
                                     "d.egde_abono, d.egde_dtof, d.egde_rtfte, d.egde_rtiva, d.egde_rtica, d.egde_rcree, "
                                     "d.egde_tipodoc, d.egde_iddoc, d.egde_item from egresos_detalle d "
                                     "left join tipo_documento t on t.tido_cod = d.egde_tipodoc "
                                     "left join v_documentos_cxpagar v on v.tipo = d.egde_tipodoc and v.id = d.egde_iddoc "
                                     "where d.egre_id = ") +
                          igual + QStringLiteral(" order by d.egde_item"));
        cruce_.open(sesion_.compania,
                    QStringLiteral("select * from egresos_crucec where egre_id = ") + igual +
                        QStringLiteral(" order by egcc_item"));
        contabilidad_.open(sesion_.compania,
                           QStringLiteral("select * from egresos_contabilidad where egre_id = ") + igual +
                               QStringLiteral(" order by egco_item"));
        caja_.open(sesion_.compania,
                   QStringLiteral("select c.*, j.caja_nombre, f.fopa_nom from egresos_caja c left join cajas j on "
                                  "j.caja_id = c.caja_id left join formas_pago f on f.fopa_id = c.fopa_id "
                                  "where c.egre_id = ") +
                       igual + QStringLiteral(" order by c.egca_item"));
        banco_.open(sesion_.compania, QStringLiteral("select * from egresos_banco where egre_id = ") + igual);

        anulado_ = egreso_.asString(QStringLiteral("EGRE_ANULADO")).trimmed() == QLatin1String("S");
        auto nombre = [this](const QString& sql) {
            const auto f = sesion_.compania.queryOne(sql);
            return f ? (*f)[0].toString().trimmed() : QString();
        };
        nombreCaja_.clear();
        if (!egreso_.isNull(QStringLiteral("CAJA_ID")))
            nombreCaja_ = nombre(QStringLiteral("select CAJA_NOMBRE FROM CAJAS WHERE CAJA_ID = ") +
                                 sql::numero(egreso_.asInt(QStringLiteral("CAJA_ID"))));
        nombreClase_.clear();
        if (!egreso_.isNull(QStringLiteral("CLEG_ID")))
            nombreClase_ = nombre(QStringLiteral("select CLEG_NOMBRE FROM CLASE_EGRESO WHERE CLEG_ID = ") +
                                  sql::numero(egreso_.asInt(QStringLiteral("CLEG_ID"))));
        tipoBanco_.clear();
        if (!banco_.isEmpty())
            tipoBanco_ = banco_.asInt(QStringLiteral("EGBC_TIPOBCO")) == 73 ? QStringLiteral("RETIRO")
                                                                             : QStringLiteral("CHEQUE");
        registro_ = QStringLiteral("Registro: ") + texto_auditoria_insercion(sesion_.compania, 62, id, true);
        razon_ = anulado_ ? razon_anulacion(sesion_.compania, sesion_.general, 62, id) : QString();

        totales_ = {};
        totales_.abono = detalle_.sum(QStringLiteral("EGDE_ABONO"));
        totales_.dtof = detalle_.sum(QStringLiteral("EGDE_DTOF"));
        for (const char* r : {"EGDE_RTFTE", "EGDE_RTIVA", "EGDE_RTICA", "EGDE_RCREE"})
            totales_.retenciones = totales_.retenciones + detalle_.sum(QString::fromLatin1(r));
        totales_.cruce = cruce_.sum(QStringLiteral("EGCC_ABONO"));
        totales_.debitos = contabilidad_.sum(QStringLiteral("EGCO_DEBITOS"));
        totales_.creditos = contabilidad_.sum(QStringLiteral("EGCO_CREDITOS"));
        totales_.caja = caja_.sum(QStringLiteral("EGCA_MONTO"));
        totales_.banco = banco_.sum(QStringLiteral("EGBC_MONTO"));
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, QStringLiteral("QConsEgresos"));
        return false;
    }
    return true;
}

void Tfconsegresos::imprimir() {
    if (id_ > 0 && servicios_.imprimir) servicios_.imprimir(id_);
}

void Tfconsegresos::verContabilidad() {
    if (id_ <= 0 || anulado_ || !servicios_.contabilidad) return;
    servicios_.contabilidad(id_, egreso_.asString(QStringLiteral("PREF_PRE")).trimmed(),
                            egreso_.asDate(QStringLiteral("EGRE_FECHA")));
}

void Tfconsegresos::notas() {
    if (id_ <= 0) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfnotasdoc"), {{QStringLiteral("tipo"), 62}, {QStringLiteral("id"), qlonglong(id_)}});
}

}  // namespace cxp
