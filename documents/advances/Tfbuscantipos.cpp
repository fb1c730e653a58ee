#include "documents/advances/Tfbuscantipos.h"

#include "base/Sql.h"
#include "data/DataSet.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

Tfbuscantipos::Tfbuscantipos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, DataSet& lista,
                             QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador), lista_(lista) {}

const std::vector<ColumnaBusqueda>& Tfbuscantipos::columnas() {
    using T = ColumnaBusqueda::Tipo;
    static const std::vector<ColumnaBusqueda> c{
        {QStringLiteral("Conce&pto"), QStringLiteral("anpr_conc"), T::Texto, true},
        {QStringLiteral("&Acreedor"), QStringLiteral("terc_nom"), T::Texto, true},
        {QStringLiteral("&Fecha"), QStringLiteral("anpr_fecha"), T::Fecha, false},
        {QStringLiteral("Nú&mero"), QStringLiteral("anpr_numero"), T::Texto, false},
    };
    return c;
}

QString Tfbuscantipos::consultaBase() const {
    return QStringLiteral("select * FROM BUSQUEDA_ANTICIPOS_PRV(") + sql::numero(int64_t(sesion_.agencia_actual)) +
           QStringLiteral(")");
}

QString Tfbuscantipos::consultaInicial() const {
    return consultaBase() + QStringLiteral(" order by anpr_fecha desc, pref_pre, anpr_numero desc");
}

// An advance a voucher paid out is annulled with that voucher. The update
// itself checks again, so that a voucher saved meanwhile wins.
bool Tfbuscantipos::anular() {
    if (!lista_.isOpen() || lista_.isEmpty()) return false;
    const int64_t id = lista_.asInt(QStringLiteral("ANPR_ID"));
    if (id == 0 || lista_.asString(QStringLiteral("ANPR_ANULADO")).trimmed() != QLatin1String("N")) {
        interaccion_.pitar();
        return false;
    }
    const QString numero = lista_.asString(QStringLiteral("PREF_PRE")).trimmed() +
                           lista_.asString(QStringLiteral("ANPR_NUMERO")).trimmed();
    const QString egreso = lista_.asString(QStringLiteral("PREFEGRE")).trimmed() +
                           lista_.asString(QStringLiteral("EGRE_NUMERO")).trimmed();
    if (!lista_.asString(QStringLiteral("EGRE_NUMERO")).trimmed().isEmpty()) {
        interaccion_.advertencia(QStringLiteral("El anticipo No ") + numero + QStringLiteral(" fue pagado con el egreso ") +
                                 egreso + QStringLiteral(": se anula anulando ese egreso."));
        return false;
    }
    // Registered less than a day ago, its voucher may still be on a
    // clerk's screen: annulled now, that voucher would pay it out annulled.
    const QString reciente = QStringLiteral(
        "exists (select 1 from auditoria where tido_cod = 55 and audi_oper = 'I' and audi_iddoc = %1 and "
        "cast(audi_fecha || ' ' || audi_hora as timestamp) > dateadd(-1 day to current_timestamp))")
                                 .arg(id);
    try {
        if (sesion_.compania.queryOne(QStringLiteral("select 1 from rdb$database where ") + reciente)) {
            interaccion_.advertencia(QStringLiteral("El anticipo No ") + numero +
                                     QStringLiteral(" se registró hace menos de un día y puede estar en un egreso "
                                                    "en digitación: se anula desde ese egreso."));
            return false;
        }
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, QStringLiteral("QBuscAnticipos"));
        return false;
    }
    if (!interaccion_.preguntar(QStringLiteral("Esta seguro de anular el anticipo No ") + numero + QStringLiteral("?")))
        return false;
    int64_t filas = 0;
    try {
        filas = sesion_.compania.executeDirect(
            QStringLiteral("update anticipos_proveedor set ANPR_ANULADO = 'S'  where anpr_id = ") + sql::numero(id) +
            QStringLiteral(" and anpr_anulado = 'N' and coalesce(egre_id, 0) = 0 and not ") + reciente);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, QStringLiteral("QBuscAnticipos"));
        return false;
    }
    if (filas == 0)
        interaccion_.advertencia(QStringLiteral("El anticipo No ") + numero +
                                 QStringLiteral(" ya fue pagado con un egreso o anulado: no se anuló."));
    emit refrescar();
    return filas > 0;
}

void Tfbuscantipos::consultar() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfconsanticipocxp"),
                               {{QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("ANPR_ID")))}});
}

void Tfbuscantipos::abonos() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfabonosprv"),
                               {{QStringLiteral("tipo"), 55},
                                {QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("ANPR_ID")))}});
}

}  // namespace cxp
