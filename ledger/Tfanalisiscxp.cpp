#include "ledger/Tfanalisiscxp.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"

namespace cxp {

Tfanalisiscxp::Tfanalisiscxp(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, bool descuentosProntoPago, QObject* parent)
    : PantallaLedger(sesion, interaccion, manejador, configuracion, parent), descuentos_(descuentosProntoPago) {}

bool Tfanalisiscxp::abrir() {
    corte_ = hoy();
    bool ok = false;
    const int d = configuracion_
                      .valor(QStringLiteral("CARTERA"), QStringLiteral("ANALISIS"),
                             QStringLiteral("RANGO DE DIAS PARA EL ANALISIS DE CARTERA"))
                      .trimmed()
                      .toInt(&ok);
    rango_ = ok && d > 0 ? d : kRangoPredeterminado;
    rangoCalculado_ = rango_;
    if (!prepararMoneda(monedas::kPreguntarCartera)) return false;
    return proteger([&] {
        agencias_.clear();
        if (sesion_.agencia_actual != 0) {
            const auto f = sesion_.compania.queryOne(
                QStringLiteral("select SUCU_ID, SUCU_NOMBRE from SUCURSALES where SUCU_ID = ") +
                sql::numero(int64_t(sesion_.agencia_actual)));
            agencias_.append({sesion_.agencia_actual, f ? f->at(1).toString() : QString::number(sesion_.agencia_actual)});
            agencia_ = sesion_.agencia_actual;
            return;
        }
        agencias_.append({0, kTodas});
        for (const fb::Row& f : sesion_.compania.query(
                 QStringLiteral("select SUCU_ID, SUCU_NOMBRE from SUCURSALES order by SUCU_NOMBRE")))
            agencias_.append({int(f.at(0).toInt64()), f.at(1).toString()});
        agencia_ = 0;
    });
}

void Tfanalisiscxp::setAgencia(int id) {
    for (const OpcionAgencia& a : agencias_)
        if (a.id == id) agencia_ = id;
}

QStringList Tfanalisiscxp::titulosBandas(int d) {
    return {QStringLiteral("0 - %1 dias").arg(d), QStringLiteral("%1-%2 dias").arg(d + 1).arg(2 * d),
            QStringLiteral("%1-%2 dias").arg(2 * d + 1).arg(3 * d), QStringLiteral("%1 y más dias").arg(3 * d + 1)};
}

const QStringList& Tfanalisiscxp::camposBandas() {
    static const QStringList campos{"CORRIENTE", "CERO", "TREINTA", "SESENTA", "NOVENTA"};
    return campos;
}

QString Tfanalisiscxp::consulta() const {
    QString q = QStringLiteral("select * from rep_analisis_cxpagar ('','ñ','','zz', ") + sql::fecha(corte_) +
                QStringLiteral(",'N','N','N',") + QString::number(rango_) + u',' +
                QString::number(agencia_) + u',' + QString::number(moneda()) + QStringLiteral(") ");
    QString condicion;
    if (!incluirCeros_) condicion = QStringLiteral(" where saldo <> 0");
    if (descuentos_)
        condicion += (condicion.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and ")) +
                     QStringLiteral(" dtof <> 0 and fecdtof <= ") + sql::fecha(corte_);
    return q + condicion;
}

void Tfanalisiscxp::titularBandas() {
    const QStringList titulos = titulosBandas(rangoCalculado_);
    for (int i = 0; i < titulos.size(); ++i) {
        Field& f = analisis_.field(camposBandas().at(i + 1));
        f.setLabel(titulos.at(i));
        if (descuentos_) f.setVisible(false);
    }
}

bool Tfanalisiscxp::calcular() {
    if (rango_ < 1) {
        interaccion_.error(kRangoInvalido);
        interaccion_.enfocar(QStringLiteral("rango"));
        return false;
    }
    if (!hayTasa(moneda(), corte_) || !cargar(analisis_, consulta())) return false;
    rangoCalculado_ = rango_;
    columnas(analisis_, {"NIT", "NOMBRE", "TELEFONO", "CIUDAD", "GRUPO", "DIAS", "DTOF", "FECDTOF", "SALDO",
                         "CORRIENTE", "CERO", "TREINTA", "SESENTA", "NOVENTA"});
    titularBandas();
    return true;
}

std::vector<Tfanalisiscxp::Banda> Tfanalisiscxp::bandas(const std::vector<int>& filas) const {
    std::vector<Banda> r;
    if (descuentos_) return r;
    QStringList titulos = titulosBandas(rangoCalculado_);
    titulos.prepend(QStringLiteral("Corriente"));
    for (int i = 0; i < camposBandas().size(); ++i) {
        const QString& campo = camposBandas().at(i);
        Dinero total;
        if (analisis_.isOpen() && analisis_.fieldIndex(campo) >= 0) {
            if (filas.empty()) {
                total = analisis_.sum(campo);
            } else {
                for (int f : filas) {
                    const RecordRef rr = analisis_.row(f);
                    if (rr.isValid()) total += rr.asDinero(campo);
                }
            }
        }
        r.push_back({campo, titulos.at(i), total});
    }
    return r;
}

void Tfanalisiscxp::recordar() {
    volverNit_ = analisis_.asString(QStringLiteral("NIT"));
    volverTipo_ = analisis_.fieldIndex(QStringLiteral("TIPO")) >= 0 ? analisis_.asInt(QStringLiteral("TIPO")) : 0;
    volverId_ = analisis_.fieldIndex(QStringLiteral("ID")) >= 0 ? analisis_.asInt(QStringLiteral("ID")) : 0;
}

void Tfanalisiscxp::saldos() {
    if (!analisis_.isOpen() || analisis_.isEmpty()) return;
    recordar();
    interaccion_.abrirPantalla(QStringLiteral("Tfconscxpagar"), {{QStringLiteral("nit"), volverNit_}});
}

void Tfanalisiscxp::movimiento() {
    if (!analisis_.isOpen() || analisis_.isEmpty()) return;
    recordar();
    interaccion_.abrirPantalla(QStringLiteral("Tfmovimientos"),
                               {{QStringLiteral("nit"), volverNit_},
                                {QStringLiteral("nombre"), analisis_.asString(QStringLiteral("NOMBRE"))},
                                {QStringLiteral("desde"), QDate(corte_.year(), corte_.month(), 1)},
                                {QStringLiteral("hasta"), QDate(corte_.year(), corte_.month(), corte_.daysInMonth())}});
}

void Tfanalisiscxp::volver() {
    if (volverNit_.isEmpty() || !analisis_.isOpen()) return;
    const QString nit = std::exchange(volverNit_, {});
    if (analisis_.fieldIndex(QStringLiteral("TIPO")) >= 0 && analisis_.fieldIndex(QStringLiteral("ID")) >= 0 &&
        analisis_.locate({QStringLiteral("NIT"), QStringLiteral("TIPO"), QStringLiteral("ID")},
                         {fb::Value(nit), fb::Value(volverTipo_), fb::Value(volverId_)}))
        return;
    analisis_.locate(QStringLiteral("NIT"), fb::Value(nit));
}

}  // namespace cxp
