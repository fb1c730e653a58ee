#include "documents/payments/LineasContablesEgreso.h"

#include "base/Redondeo.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Contabilidad.h"
#include "data/Importe.h"
#include "data/Interaccion.h"
#include "data/Selectores.h"
#include "data/Sesion.h"
#include "data/Terceros.h"

#include <algorithm>

namespace cxp {

namespace {

const QString kItem = QStringLiteral("EGCO_ITEM");
const QString kCuenta = QStringLiteral("CUEN_COD");
const QString kDebito = QStringLiteral("EGCO_DEBITOS");
const QString kCredito = QStringLiteral("EGCO_CREDITOS");
const QString kBase = QStringLiteral("EGCO_BASEM");
const QString kPorc = QStringLiteral("EGCO_PORC");
const QString kConc = QStringLiteral("EGCO_CONC");
const QString kNit = QStringLiteral("EGCO_NIT");
const QString kProy = QStringLiteral("EGCO_PROY");
const QString kCentro = QStringLiteral("EGCO_CENTRO");

bool esSi(const std::optional<QString>& valor) { return valor && valor->trimmed().toUpper() == QLatin1String("SI"); }

void editar(DataSet& ds) {
    if (ds.state() == DataSet::State::Browse) ds.edit();
}

fb::Value textoONulo(const QString& t) { return t.trimmed().isEmpty() ? fb::Value() : fb::Value(t.trimmed()); }

struct Ocupado {
    bool& b;
    explicit Ocupado(bool& bandera) : b(bandera) { b = true; }
    ~Ocupado() { b = false; }
};

}  // namespace

LineasContablesEgreso::LineasContablesEgreso(DataSet& egreso, DataSet& lineas, Sesion& sesion,
                                             const Configuracion& configuracion, Interaccion& interaccion)
    : egreso_(egreso),
      lineas_(lineas),
      sesion_(sesion),
      configuracion_(configuracion),
      interaccion_(interaccion),
      contabilidad_(std::make_unique<Contabilidad>(sesion, interaccion, configuracion)),
      terceros_(std::make_unique<Terceros>(sesion.compania, interaccion, configuracion)) {
    lineas_.onNewRecord([this](DataSet& l) { nuevaLinea(l); });
    lineas_.onChange(kCuenta, [this](DataSet& l) { cuentaIngresada(l); });
    lineas_.onChange(kNit, [this](DataSet& l) { terceroIngresado(l); });
    lineas_.onChange(kProy, [this](DataSet& l) { centroIngresado(l); });
    lineas_.onChange(kCentro, [this](DataSet& l) { centroIngresado(l); });
    lineas_.onChange(kBase, [this](DataSet& l) { baseIngresada(l); });
    lineas_.onChange(kPorc, [this](DataSet& l) { porcentajeIngresado(l); });
    lineas_.beforePost([this](DataSet& l) { antesDePostear(l); });
}

LineasContablesEgreso::~LineasContablesEgreso() = default;

ValorRetencion LineasContablesEgreso::retencion(Dinero base, Dinero porcentaje, int r) {
    if (porcentaje <= Dinero() || base.esCero()) return {};
    const Dinero valor = redondearR(base.abs().porcentaje(porcentaje), r);
    return base > Dinero() ? ValorRetencion{valor, Dinero()} : ValorRetencion{Dinero(), valor};
}

void LineasContablesEgreso::reiniciar() {
    ultimoItem_ = 0;
    nombreCuenta_.clear();
    nombreTercero_.clear();
}

void LineasContablesEgreso::cargado() {
    ultimoItem_ = 0;
    for (int i = 0; i < lineas_.recordCount(); ++i)
        ultimoItem_ = std::max(ultimoItem_, int(lineas_.row(i).asInt(kItem)));
}

bool LineasContablesEgreso::soloLectura() const {
    return esSi(configuracion_.buscar(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                                      QStringLiteral("INHABILITAR CUENTAS CONTABLES PARA EVITAR DOBLE CONTABILIZACION")));
}

Dinero LineasContablesEgreso::sumDb() const { return lineas_.sum(kDebito); }
Dinero LineasContablesEgreso::sumCr() const { return lineas_.sum(kCredito); }

// ---- a line

void LineasContablesEgreso::nuevaLinea(DataSet& l) {
    l.setValue(kItem, ++ultimoItem_);
    const QString concepto = egreso_.isOpen() && !egreso_.isEmpty() ? egreso_.asString(QStringLiteral("EGRE_CONC"))
                                                                     : QString();
    l.setValue(kConc, textoONulo(concepto.left(60)));
    for (const QString& campo : {kDebito, kCredito, kBase, kPorc}) l.setValue(campo, Dinero());
    nombreCuenta_.clear();
    nombreTercero_.clear();
}

void LineasContablesEgreso::cuentaIngresada(DataSet& l) {
    if (importando_) return;
    const QString texto = l.asString(kCuenta).trimmed();
    nombreCuenta_.clear();
    if (texto.isEmpty()) return;
    if (texto.startsWith(u'?')) {
        const std::optional<QString> elegida = contabilidad_->elegir_cuenta(texto.mid(1).trimmed(), false);
        l.setValue(kCuenta, elegida ? fb::Value(*elegida) : fb::Value());
        if (elegida) nombreCuenta_ = contabilidad_->nom_cuenta(*elegida);
        return;
    }
    // Missing, incomplete, too low or with sub-accounts: the check says why.
    if (!contabilidad_->valide_cuenta(texto)) {
        l.setValue(kCuenta, fb::Value());
        return;
    }
    nombreCuenta_ = contabilidad_->nom_cuenta(texto);
}

void LineasContablesEgreso::terceroIngresado(DataSet& l) {
    if (importando_) return;
    const QString nit = l.asString(kNit).trimmed();
    nombreTercero_.clear();
    if (nit.isEmpty()) return;
    if (nit.startsWith(u'?')) {
        const auto e = interaccion_.elegir(selectores::kTerceros, {{QStringLiteral("filtro"), nit.mid(1).trimmed()}});
        const QString elegido = e ? e->value(QStringLiteral("nit")).toString().trimmed() : QString();
        l.setValue(kNit, textoONulo(elegido));
        if (!elegido.isEmpty()) nombreTercero_ = e->value(QStringLiteral("nombre")).toString();
        return;
    }
    if (terceros_->existe_nit(nit)) {
        const auto fila = sesion_.compania.queryOne(QStringLiteral("select terc_nom from terceros where terc_nit = ") +
                                                    sql::texto(nit));
        nombreTercero_ = fila ? fila->at(0).toString().trimmed() : QString();
        return;
    }
    if (interaccion_.preguntar(kTerceroNoEncontrado))
        interaccion_.abrirPantalla(kNuevoTercero, {{QStringLiteral("nit"), nit}});
    else
        l.setValue(kNit, fb::Value());
}

void LineasContablesEgreso::centroIngresado(DataSet& l) {
    if (importando_) return;
    const QString proyecto = l.asString(kProy).trimmed();
    const QString centro = l.asString(kCentro).trimmed();
    if (proyecto.isEmpty() || centro.isEmpty()) return;
    const bool filtrar = esSi(configuracion_.buscar(QStringLiteral("CONTABILIDAD"), QStringLiteral("COMPROBANTES"),
                                                    QStringLiteral("FILTRAR CENTROS DE COSTO POR AGENCIA")));
    QString consulta = QStringLiteral("select proy_cod, cent_cod from centros where proy_cod = ") + sql::texto(proyecto) +
                       QStringLiteral(" and cent_cod = ") + sql::texto(centro);
    if (filtrar)
        consulta += QStringLiteral(" and ((sucu_id = 0) or (sucu_id = ") +
                    sql::numero(int64_t(sesion_.agencia_actual)) + QStringLiteral("))");
    if (sesion_.compania.queryOne(consulta)) return;
    interaccion_.informacion(kCentroNoEncontrado);
    Ocupado o(importando_);
    l.setValue(kProy, fb::Value());
    l.setValue(kCentro, fb::Value());
}

void LineasContablesEgreso::calcular(DataSet& l) {
    const Dinero base = l.asDinero(kBase);
    const Dinero porcentaje = l.asDinero(kPorc);
    if (base.esCero() || porcentaje <= Dinero()) return;
    const auto r = configuracion_.buscar(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"),
                                         QStringLiteral("REDONDEO AL MULTIPLO DE DIEZ EN COMPROBANTES"));
    bool ok = false;
    const int potencia = r ? r->trimmed().toInt(&ok) : 0;
    const ValorRetencion v = retencion(base, porcentaje, ok ? potencia : 0);
    l.setValue(kDebito, v.debito);
    l.setValue(kCredito, v.credito);
}

void LineasContablesEgreso::baseIngresada(DataSet& l) {
    if (importando_ || l.state() == DataSet::State::Browse) return;
    const QString cuenta = l.asString(kCuenta).trimmed();
    if (cuenta.isEmpty()) return;
    if (l.isNull(kBase)) l.setValue(kBase, Dinero());
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select CUEN_BASEMIN, CUEN_PORC from cuentas where cuen_cod = ") + sql::texto(cuenta));
    if (fila && l.asDinero(kPorc).esCero() && l.asDinero(kBase).abs() >= dineroDe(fila->at(0))) {
        Ocupado o(importando_);  // the percentage's own recomputation waits for this one
        l.setValue(kPorc, dineroDe(fila->at(1)));
    }
    calcular(l);
}

void LineasContablesEgreso::porcentajeIngresado(DataSet& l) {
    if (importando_ || l.state() == DataSet::State::Browse) return;
    if (l.asString(kCuenta).trimmed().isEmpty()) return;
    calcular(l);
}

void LineasContablesEgreso::antesDePostear(DataSet& l) {
    const QString cuenta = l.asString(kCuenta).trimmed();
    if (cuenta.isEmpty()) {
        l.cancel();
        return;
    }
    // Template lines may come without amounts: the clerk fills them.
    if (importando_) return;
    if (l.asDinero(kDebito).esCero() && l.asDinero(kCredito).esCero())
        throw DataSetError(kSinValor + cuenta + kSinValorFin, kDebito);
}

// ---- lookups of the current line

bool LineasContablesEgreso::buscarCuenta(const QString& filtro) {
    const std::optional<QString> elegida = contabilidad_->elegir_cuenta(filtro, false);
    if (!elegida) return false;
    if (lineas_.isEmpty()) lineas_.append();
    editar(lineas_);
    lineas_.setValue(kCuenta, *elegida);
    return !lineas_.asString(kCuenta).isEmpty();
}

bool LineasContablesEgreso::buscarTercero(const QString& filtro) {
    const auto e = interaccion_.elegir(selectores::kTerceros, {{QStringLiteral("filtro"), filtro}});
    const QString nit = e ? e->value(QStringLiteral("nit")).toString().trimmed() : QString();
    if (nit.isEmpty()) return false;
    if (lineas_.isEmpty()) lineas_.append();
    editar(lineas_);
    lineas_.setValue(kNit, nit);
    return true;
}

bool LineasContablesEgreso::buscarCentro(const QString& filtro) {
    QVariantMap args{{QStringLiteral("filtro"), filtro}};
    if (esSi(configuracion_.buscar(QStringLiteral("CONTABILIDAD"), QStringLiteral("COMPROBANTES"),
                                   QStringLiteral("FILTRAR CENTROS DE COSTO POR AGENCIA"))))
        args.insert(QStringLiteral("agencia"), sesion_.agencia_actual);
    const auto e = interaccion_.elegir(selectores::kCentros, args);
    const QString proyecto = e ? e->value(QStringLiteral("proyecto")).toString().trimmed() : QString();
    const QString centro = e ? e->value(QStringLiteral("centro")).toString().trimmed() : QString();
    if (proyecto.isEmpty() || centro.isEmpty()) return false;
    if (lineas_.isEmpty()) lineas_.append();
    editar(lineas_);
    {
        Ocupado o(importando_);  // a centre from the list needs no check
        lineas_.setValue(kProy, proyecto);
        lineas_.setValue(kCentro, centro);
    }
    return true;
}

// ---- templates and contributions

void LineasContablesEgreso::vaciar() {
    if (lineas_.state() != DataSet::State::Browse) lineas_.cancel();
    while (!lineas_.isEmpty()) {
        lineas_.last();
        lineas_.remove();
    }
}

void LineasContablesEgreso::agregarLinea(const QString& cuenta, const QString& nit, const QString& proyecto,
                                         const QString& centro, const QString& concepto, Dinero debito,
                                         Dinero credito, Dinero base, Dinero porcentaje) {
    Ocupado o(importando_);  // the lines come as they were made
    lineas_.append();
    lineas_.setValue(kCuenta, textoONulo(cuenta));
    lineas_.setValue(kNit, textoONulo(nit));
    lineas_.setValue(kProy, textoONulo(proyecto));
    lineas_.setValue(kCentro, textoONulo(centro));
    if (!concepto.trimmed().isEmpty()) lineas_.setValue(kConc, concepto.trimmed().left(60));
    lineas_.setValue(kBase, base);
    lineas_.setValue(kPorc, porcentaje);
    lineas_.setValue(kDebito, debito);
    lineas_.setValue(kCredito, credito);
    lineas_.post();
}

bool LineasContablesEgreso::elegirPlantilla(const QString& tipoComprobante) {
    const auto e = interaccion_.elegir(kPlantillas, {{QStringLiteral("tipo"), tipoComprobante}});
    if (!e) return false;
    const int64_t id = e->value(QStringLiteral("plantilla")).toLongLong();
    return id != 0 && importarPlantilla(id);
}

bool LineasContablesEgreso::importarPlantilla(int64_t planId) {
    const std::vector<fb::Row> filas = sesion_.compania.query(
        QStringLiteral("select CUEN_COD, TERC_NIT, PROY_COD, CENT_COD, PLDE_CONCEPTO, PLDE_DEBITOS, PLDE_CREDITOS, "
                       "PLDE_BASE, PLDE_PORC from PLANTILLA_DETALLE where PLAN_ID = ") +
        sql::numero(planId) + QStringLiteral(" order by PLDE_ITEM"));
    const bool conLineas = !lineas_.isEmpty() && !(lineas_.recordCount() == 1 &&
                                                   lineas_.state() == DataSet::State::Insert);
    if (conLineas && !interaccion_.preguntar(kPerderMovimientos)) return false;
    vaciar();
    for (const fb::Row& f : filas)
        agregarLinea(f[0].toString(), f[1].toString(), f[2].toString(), f[3].toString(), f[4].toString(),
                     dineroDe(f[5]), dineroDe(f[6]), dineroDe(f[7]), dineroDe(f[8]));
    return !filas.empty();
}

int LineasContablesEgreso::agregarAportes(int64_t pagoAportesId) {
    const std::vector<fb::Row> filas =
        sesion_.compania.query(QStringLiteral("SELECT PGAP_ADMIN, PGAP_CTACONTA, PGAP_MONTO+PGAP_INTMORA FROM "
                                              "PAGO_APORTES WHERE PGAP_ID = ") +
                               sql::numero(pagoAportesId));
    int agregadas = 0;
    for (const fb::Row& f : filas) {
        const QString cuenta = f[1].toString().trimmed();
        if (cuenta.isEmpty()) continue;
        agregarLinea(cuenta, f[0].toString(), {}, {}, {}, dineroDe(f[2]), Dinero(), Dinero(), Dinero());
        ++agregadas;
    }
    return agregadas;
}

}  // namespace cxp
