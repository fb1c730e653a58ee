#include "comunes/Tftasacambiodia.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
const QString kProveedor = QStringLiteral("QTasas");
const QString kDataset = QStringLiteral("cdsTasas");
const QString kMoneda = QStringLiteral("TIMO_COD");
const QString kFecha = QStringLiteral("TACA_FECHA");
const QString kValor = QStringLiteral("TACA_VALOR");
}  // namespace

Tftasacambiodia::Tftasacambiodia(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      hoy_([] { return QDate::currentDate(); }) {
    tasa_.setUpdateTable(QStringLiteral("TASA_CAMBIO_MONEDA"), {QStringLiteral("TACA_ID")});
    // The database gives the id to a rate inserted with id 0.
    tasa_.onNewRecord([this](DataSet& t) {
        t.setValue(QStringLiteral("TACA_ID"), 0);
        t.setValue(kFecha, hoy_());
        t.setValue(kMoneda, moneda_);
    });
    tasa_.onChange(kMoneda, [this](DataSet& t) { cambioMoneda(t); });
    tasa_.beforePost([this](DataSet& t) { antesDeGrabar(t); });
}

Tftasacambiodia::~Tftasacambiodia() = default;

bool Tftasacambiodia::abrir() {
    return manejador_.proteger([&] {
        moneda_ = configuracion_.entero(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                        QStringLiteral("MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR"));
        monedas_.clear();
        for (const fb::Row& r : sesion_.compania.query(
                 QStringLiteral("select TIMO_COD, TIMO_NOMBRE from TIPOS_MONEDA order by TIMO_NOMBRE")))
            monedas_.append({r[0].toString(), r[1].toString()});

        const QDate hoy = hoy_();
        // Today's rates of every currency: choosing a currency that already
        // has today's rate edits that rate, it never adds a second one.
        tasa_.open(sesion_.compania,
                   QStringLiteral("select TACA_ID, TACA_FECHA, TIMO_COD, TACA_VALOR from TASA_CAMBIO_MONEDA "
                                  "where TACA_FECHA = ") +
                       sql::fecha(hoy) + QStringLiteral(" order by TIMO_COD"));
        tasa_.field(kFecha).setLabel(QStringLiteral("Fecha"));
        tasa_.field(kMoneda).setLabel(QStringLiteral("Moneda"));
        tasa_.field(kValor).setLabel(QStringLiteral("Tasa de cambio"));
        tasa_.field(QStringLiteral("TACA_ID")).setVisible(false);

        if (tasa_.locate({kMoneda, kFecha}, {moneda_, hoy}))
            tasa_.edit();
        else
            tasa_.append();
    });
}

// Another currency moves to its rate of the day: the one there is, or a
// new one. What was typed as the rate goes along.
void Tftasacambiodia::cambioMoneda(DataSet& t) {
    const fb::Value moneda = t.value(kMoneda);
    const QDate fecha = t.asDate(kFecha);
    bool hayOtra = false;
    for (int i = 0; i < t.recordCount() && !hayOtra; ++i)
        hayOtra = i != t.currentRow() && t.row(i).value(kMoneda) == moneda && t.row(i).asDate(kFecha) == fecha;
    if (!hayOtra && t.state() == DataSet::State::Insert) return;

    const fb::Value valor = t.value(kValor);
    // A rate never stored goes (also one a refused save left behind); a
    // stored one keeps what it had.
    if (t.asInt(QStringLiteral("TACA_ID")) == 0)
        t.remove();
    else
        t.cancel();
    if (hayOtra && !moneda.isNull()) {
        t.locate({kMoneda, kFecha}, {moneda, fecha});
        t.edit();
    } else {
        // The rate being edited keeps its currency: the new one gets a row.
        t.append();
        t.setValue(kMoneda, moneda);
    }
    if (!valor.isNull()) t.setValue(kValor, valor);
}

void Tftasacambiodia::antesDeGrabar(DataSet& t) {
    if (!t.isNull(kValor) && t.asDinero(kValor) <= Dinero())
        throw DataSetError(QStringLiteral("La tasa de cambio debe ser mayor que cero."), kValor);
}

void Tftasacambiodia::editarActual() {
    if (!tasa_.isEmpty() && tasa_.state() == DataSet::State::Browse) tasa_.edit();
}

bool Tftasacambiodia::grabar() {
    if (!tasa_.isOpen()) return false;
    try {
        tasa_.post();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(tasa_, kDataset, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    try {
        tasa_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        manejador_.ManejarError(e, kProveedor);
        editarActual();
        return false;
    }
    emit cerrar();
    return true;
}

void Tftasacambiodia::salir() {
    if (tasa_.isOpen() && tasa_.state() != DataSet::State::Browse) tasa_.cancel();
    emit cerrar();
}

}  // namespace cxp
