#include "ledger/Tfmovicuenxpagar.h"

#include "base/Sql.h"
#include "data/Interaccion.h"

namespace cxp {

Tfmovicuenxpagar::Tfmovicuenxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                   const Configuracion& configuracion, QObject* parent)
    : PantallaLedger(sesion, interaccion, manejador, configuracion, parent) {}

bool Tfmovicuenxpagar::abrir() {
    const QDate h = hoy();
    desde_ = QDate(h.year(), h.month(), 1);
    hasta_ = QDate(h.year(), h.month(), h.daysInMonth());
    return prepararMoneda(monedas::kPreguntarCxpagar);
}

QString Tfmovicuenxpagar::consulta() const {
    return QStringLiteral("select * from movimiento_cxpagar_mes (") + sql::fecha(desde_) + u',' + sql::fecha(hasta_) +
           u',' + QString::number(moneda()) + u')';
}

bool Tfmovicuenxpagar::calcular() {
    if (!fechasEnOrden(desde_, hasta_) || !hayTasa(moneda(), hasta_) || !cargar(movimiento_, consulta()))
        return false;
    columnas(movimiento_, {"NIT", "NOMBRE", "GRUPO", "INICIAL", "DEBITOS", "CREDITOS", "ABONOS", "FINAL"},
             {{QStringLiteral("DEBITOS"), QStringLiteral("Cargos")},
              {QStringLiteral("CREDITOS"), QStringLiteral("Descuentos")}});
    return true;
}

Tfmovicuenxpagar::Totales Tfmovicuenxpagar::totales() const {
    if (!movimiento_.isOpen()) return {};
    return {movimiento_.sum(QStringLiteral("INICIAL")), movimiento_.sum(QStringLiteral("DEBITOS")),
            movimiento_.sum(QStringLiteral("CREDITOS")), movimiento_.sum(QStringLiteral("ABONOS")),
            movimiento_.sum(QStringLiteral("FINAL"))};
}

void Tfmovicuenxpagar::movimientoAcreedor() {
    if (!movimiento_.isOpen() || movimiento_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfmovimientos"),
                               {{QStringLiteral("nit"), movimiento_.asString(QStringLiteral("NIT"))},
                                {QStringLiteral("nombre"), movimiento_.asString(QStringLiteral("NOMBRE"))},
                                {QStringLiteral("desde"), desde_},
                                {QStringLiteral("hasta"), hasta_}});
}

void Tfmovicuenxpagar::saldos() {
    if (!movimiento_.isOpen() || movimiento_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfconscxpagar"),
                               {{QStringLiteral("nit"), movimiento_.asString(QStringLiteral("NIT"))}});
}

}  // namespace cxp
