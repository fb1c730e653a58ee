#include "accounting/contabilizacion/LineasContables.h"

#include "base/Redondeo.h"
#include "base/Sql.h"
#include "data/Contabilidad.h"
#include "data/Interaccion.h"
#include "data/Selectores.h"

namespace cxp {

namespace {

const QString kComilla = QStringLiteral("\"");

bool pideBusqueda(const QString& t) { return t.startsWith(u'?') || t.endsWith(u'?'); }
QString sinInterrogacion(QString t) { return t.remove(u'?').trimmed(); }

}  // namespace

ColumnasLinea ColumnasLinea::pendiente() {
    return {QStringLiteral("CNDE_ITEM"),    QStringLiteral("CNDE_CUENTA"),   QStringLiteral("CNDE_TERC"),
            QStringLiteral("CNDE_PROY"),    QStringLiteral("CNDE_CENTRO"),   QStringLiteral("CNDE_CONC"),
            QStringLiteral("CNDE_REF"),     QStringLiteral("CNDE_BASE"),     QStringLiteral("CNDE_PORC"),
            QStringLiteral("CNDE_DEBITOS"), QStringLiteral("CNDE_CREDITOS"), QStringLiteral("CNDE_ARTICULO")};
}

ColumnasLinea ColumnasLinea::libro() {
    return {QStringLiteral("CODE_ITEM"),    QStringLiteral("CUEN_COD"),      QStringLiteral("TERC_NIT"),
            QStringLiteral("PROY_COD"),     QStringLiteral("CENT_COD"),      QStringLiteral("CODE_CONCEPTO"),
            QStringLiteral("CODE_REF"),     QStringLiteral("CODE_BASE"),     QStringLiteral("CODE_PORC"),
            QStringLiteral("CODE_DEBITOS"), QStringLiteral("CODE_CREDITOS"), QStringLiteral("ACFJ_COD")};
}

LineasContables::LineasContables(DataSet& lineas, ColumnasLinea columnas, fb::Database& compania,
                                 Interaccion& interaccion, Contabilidad& contabilidad,
                                 std::function<bool(const RecordRef&)> esNiif)
    : ds_(lineas),
      c_(std::move(columnas)),
      compania_(compania),
      interaccion_(interaccion),
      contabilidad_(contabilidad),
      esNiif_(std::move(esNiif)) {
    ds_.onChange(c_.cuenta, [this](DataSet& ds) { alCambiarCuenta(ds); });
    ds_.onChange(c_.tercero, [this](DataSet& ds) { alCambiarTercero(ds); });
    ds_.onChange(c_.centro, [this](DataSet& ds) { alCambiarCentro(ds); });
    ds_.onChange(c_.subcentro, [this](DataSet& ds) { alCambiarCentro(ds); });
    ds_.onChange(c_.concepto, [this](DataSet& ds) { alCambiarRepetible(ds, c_.concepto, ultimoConcepto_); });
    ds_.onChange(c_.referencia, [this](DataSet& ds) { alCambiarRepetible(ds, c_.referencia, ultimaReferencia_); });
    ds_.onChange(c_.base, [this](DataSet& ds) { alCambiarBase(ds, true); });
    ds_.onChange(c_.porcentaje, [this](DataSet& ds) { alCambiarBase(ds, false); });
    ds_.onChange(c_.debito, [this](DataSet& ds) { alCambiarValor(ds, true); });
    ds_.onChange(c_.credito, [this](DataSet& ds) { alCambiarValor(ds, false); });
    ds_.beforePost([this](DataSet& ds) { antesDeGuardar(ds); });
}

void LineasContables::setEncabezado(std::function<QString()> concepto, std::function<QString()> referencia) {
    conceptoEncabezado_ = std::move(concepto);
    referenciaEncabezado_ = std::move(referencia);
}

bool LineasContables::niifActual() const { return !ds_.isEmpty() && esNiif_(ds_.current()); }

void LineasContables::poner(const QString& campo, const fb::Value& valor) {
    if (ds_.state() == DataSet::State::Browse) ds_.edit();
    ds_.setValue(campo, valor);
}

void LineasContables::ponerDinero(const QString& campo, Dinero valor) {
    if (ds_.state() == DataSet::State::Browse) ds_.edit();
    ds_.setValue(campo, valor);
}

// ---- what the person types

void LineasContables::alCambiarCuenta(DataSet& ds) {
    const QString texto = ds.asString(c_.cuenta).trimmed();
    if (texto.isEmpty()) return;
    const bool niif = niifActual();
    if (pideBusqueda(texto)) {
        const std::optional<QString> elegida = contabilidad_.elegir_cuenta(sinInterrogacion(texto), niif);
        ds.setValue(c_.cuenta, elegida ? fb::Value(*elegida) : fb::Value());
        return;
    }
    const bool valida = niif ? contabilidad_.valide_cuenta_niif(texto) : contabilidad_.valide_cuenta(texto);
    if (!valida) ds.setValue(c_.cuenta, fb::Value());
}

void LineasContables::alCambiarTercero(DataSet& ds) {
    const QString texto = ds.asString(c_.tercero).trimmed();
    if (texto.isEmpty()) return;
    if (texto == kComilla) {
        const QString previo = anterior(c_.tercero, ultimoTercero_);
        ds.setValue(c_.tercero, previo.isEmpty() ? fb::Value() : fb::Value(previo));
        return;
    }
    if (pideBusqueda(texto)) {
        const std::optional<QVariantMap> e =
            interaccion_.elegir(selectores::kTerceros, {{QStringLiteral("filtro"), sinInterrogacion(texto)}});
        const QString nit = e ? e->value(QStringLiteral("nit")).toString() : QString();
        ds.setValue(c_.tercero, nit.isEmpty() ? fb::Value() : fb::Value(nit));
        return;
    }
    if (!nombreTercero(texto).isEmpty()) return;
    if (interaccion_.preguntar(kTerceroNoEncontrado))
        interaccion_.abrirPantalla(QStringLiteral("Tfnvotercero"), {{QStringLiteral("nit"), texto}});
    else
        ds.setValue(c_.tercero, fb::Value());
}

void LineasContables::alCambiarCentro(DataSet& ds) {
    if (ocupado_) return;
    const QString proyecto = ds.asString(c_.centro).trimmed();
    const QString centro = ds.asString(c_.subcentro).trimmed();
    if (proyecto.isEmpty() || centro.isEmpty()) return;
    ocupado_ = true;
    struct Fin {
        bool& b;
        ~Fin() { b = false; }
    } fin{ocupado_};
    const bool filtrar = filtrarAgencia_ && agencia_ != 0;
    if (pideBusqueda(centro) || pideBusqueda(proyecto)) {
        QVariantMap args{{QStringLiteral("filtro"), sinInterrogacion(proyecto)}};
        if (filtrar) args.insert(QStringLiteral("agencia"), agencia_);
        const std::optional<QVariantMap> e = interaccion_.elegir(selectores::kCentros, args);
        const QString p = e ? e->value(QStringLiteral("proyecto")).toString() : QString();
        const QString c = e ? e->value(QStringLiteral("centro")).toString() : QString();
        ds.setValue(c_.centro, p.isEmpty() ? fb::Value() : fb::Value(p));
        ds.setValue(c_.subcentro, c.isEmpty() ? fb::Value() : fb::Value(c));
        return;
    }
    QString sql = QStringLiteral("select proy_cod, cent_cod from centros where proy_cod = ") + sql::texto(proyecto) +
                  QStringLiteral(" and cent_cod = ") + sql::texto(centro);
    if (filtrar)
        sql += QStringLiteral(" and ((sucu_id = 0) or (sucu_id = ") + sql::numero(int64_t(agencia_)) +
               QStringLiteral("))");
    if (compania_.queryOne(sql)) return;
    interaccion_.error(kCentroNoEncontrado);
    ds.setValue(c_.centro, fb::Value());
    ds.setValue(c_.subcentro, fb::Value());
}

void LineasContables::alCambiarRepetible(DataSet& ds, const QString& campo, const QString& recordado) {
    if (ds.asString(campo).trimmed() != kComilla) return;
    const QString previo = anterior(campo, recordado);
    ds.setValue(campo, previo.isEmpty() ? fb::Value() : fb::Value(previo));
}

void LineasContables::alCambiarBase(DataSet& ds, bool esBase) {
    if (ds.state() == DataSet::State::Browse) return;
    const Dinero base = ds.asDinero(c_.base);
    Dinero porcentaje = ds.asDinero(c_.porcentaje);
    if (esBase) {
        const QString cuenta = ds.asString(c_.cuenta).trimmed();
        if (!cuenta.isEmpty()) {
            const std::optional<AtributosCuenta> a = atributos(cuenta, niifActual());
            if (a && a->baseMinima <= base) {
                porcentaje = a->porcentaje;
                ds.setValue(c_.porcentaje, porcentaje);
            }
        }
    }
    if (porcentaje <= Dinero()) return;
    // Amounts are stored to the cent.
    if (base > Dinero()) {
        ds.setValue(c_.debito, Redondear(base.porcentaje(porcentaje), -2));
        ds.setValue(c_.credito, Dinero());
    } else if (base < Dinero()) {
        ds.setValue(c_.debito, Dinero());
        ds.setValue(c_.credito, Redondear(base.abs().porcentaje(porcentaje), -2));
    }
}

void LineasContables::alCambiarValor(DataSet& ds, bool esDebito) {
    if (ds.asDinero(esDebito ? c_.debito : c_.credito).esCero()) return;
    ds.setValue(esDebito ? c_.credito : c_.debito, Dinero());
}

// ---- storing a line

std::optional<LineasContables::Falla> LineasContables::validar(const RecordRef& fila) {
    const QString cuenta = fila.asString(c_.cuenta).trimmed();
    const bool conValor = !fila.asDinero(c_.debito).esCero() || !fila.asDinero(c_.credito).esCero();
    if (cuenta.isEmpty()) {
        if (conValor) return Falla{kSinCuenta, c_.cuenta};
        return Falla{};  // nothing in it: dropped
    }
    const QString tercero = fila.asString(c_.tercero).trimmed();
    ultimoTercero_ = tercero;
    ultimoConcepto_ = fila.asString(c_.concepto);
    ultimaReferencia_ = fila.asString(c_.referencia);

    const std::optional<AtributosCuenta> a = atributos(cuenta, esNiif_(fila));
    if (!a) return std::nullopt;  // not in the chart: no further check
    if (a->retencion) {
        if (tercero.isEmpty()) return Falla{kSinNit, c_.tercero};
        if (fila.asDinero(c_.base).esCero()) return Falla{kSinBase, c_.base};
        if (fila.asDinero(c_.porcentaje).esCero()) return Falla{kSinPorcentaje, c_.porcentaje};
    }
    if (a->tercero && tercero.isEmpty()) return Falla{kSinNit, c_.tercero};
    if (a->centro &&
        (fila.asString(c_.centro).trimmed().isEmpty() || fila.asString(c_.subcentro).trimmed().isEmpty()))
        return Falla{kSinCentro, c_.centro};
    if (!conValor) return Falla{sinValor(cuenta), c_.debito};
    return std::nullopt;
}

void LineasContables::antesDeGuardar(DataSet& ds) {
    const std::optional<Falla> f = validar(ds.current());
    if (!f) return;
    if (f->mensaje.isEmpty()) {
        if (ds.state() == DataSet::State::Insert) ds.cancel();
        return;
    }
    if (alFallar_) alFallar_();
    throw DataSetError(f->mensaje, f->campo);
}

bool LineasContables::guardarLinea() {
    if (!ds_.isOpen() || ds_.state() == DataSet::State::Browse) return true;
    try {
        ds_.post();
    } catch (const DataSetError& e) {
        if (alFallar_) alFallar_();
        if (!e.message().isEmpty()) interaccion_.error(e.message());
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    return true;
}

// ---- leaving a column, double clicks, F5

void LineasContables::alSalirColumna(const QString& campo) {
    if (!ds_.isOpen() || ds_.isEmpty()) return;
    const QString cuenta = ds_.asString(c_.cuenta).trimmed();
    const bool esCuenta = campo.compare(c_.cuenta, Qt::CaseInsensitive) == 0;
    if (cuenta.isEmpty()) {
        if (esCuenta && alActivo_) alActivo_(false);
        return;
    }
    const std::optional<AtributosCuenta> a = atributos(cuenta, niifActual());
    if (esCuenta) {
        if (alActivo_) alActivo_(a && a->tipo == QLatin1String("A"));
    } else if (campo.compare(c_.tercero, Qt::CaseInsensitive) == 0) {
        if (ds_.asString(c_.tercero).trimmed().isEmpty() && a && a->tercero) {
            const QString previo = anterior(c_.tercero, ultimoTercero_);
            if (!previo.isEmpty()) poner(c_.tercero, previo);
        }
    } else {
        const bool esConcepto = campo.compare(c_.concepto, Qt::CaseInsensitive) == 0;
        const bool esReferencia = campo.compare(c_.referencia, Qt::CaseInsensitive) == 0;
        if (!esConcepto && !esReferencia) return;
        const QString valor = ds_.asString(campo).trimmed();
        QString nuevo;
        if (valor == kComilla)
            nuevo = anterior(campo, esConcepto ? ultimoConcepto_ : ultimaReferencia_);
        else if (valor.isEmpty()) {
            const auto& encabezado = esConcepto ? conceptoEncabezado_ : referenciaEncabezado_;
            nuevo = encabezado ? encabezado() : QString();
        } else
            return;
        if (nuevo.isEmpty()) return;
        const int tope = ds_.field(campo).size();
        poner(campo, tope > 0 ? nuevo.left(tope) : nuevo);
    }
}

void LineasContables::dobleClic(const QString& campo) {
    if (!ds_.isOpen() || ds_.isEmpty()) return;
    if (campo.compare(c_.cuenta, Qt::CaseInsensitive) == 0 || campo.compare(c_.tercero, Qt::CaseInsensitive) == 0) {
        const QString texto = ds_.asString(campo).trimmed();
        const int tope = ds_.field(campo).size();
        const QString nuevo = (tope > 0 && texto.size() >= tope) ? QStringLiteral("?") : texto + u'?';
        poner(campo, nuevo);
    } else if (campo.compare(c_.centro, Qt::CaseInsensitive) == 0 ||
               campo.compare(c_.subcentro, Qt::CaseInsensitive) == 0) {
        ocupado_ = true;
        try {
            poner(c_.centro, QStringLiteral("?"));
            poner(c_.subcentro, QStringLiteral("?"));
        } catch (...) {
            ocupado_ = false;
            throw;
        }
        ocupado_ = false;
        alCambiarCentro(ds_);
    }
}

void LineasContables::sugerir() {
    if (!ds_.isOpen() || ds_.isEmpty()) return;
    if (!ds_.asDinero(c_.debito).esCero() || !ds_.asDinero(c_.credito).esCero()) return;
    const bool niif = niifActual();
    const Dinero diferencia = debitos(niif) - creditos(niif);
    if (diferencia <= Dinero())
        ponerDinero(c_.debito, -diferencia);
    else
        ponerDinero(c_.credito, diferencia);
}

void LineasContables::asignarActivo(const QString& codigo) {
    if (!ds_.isOpen() || ds_.isEmpty()) return;
    poner(c_.activo, codigo.isEmpty() ? fb::Value() : fb::Value(codigo));
}

// ---- sums and look-ups

Dinero LineasContables::debitos(bool niif) const {
    Dinero s;
    for (int i = 0; i < ds_.recordCount(); ++i)
        if (esNiif_(ds_.row(i)) == niif) s += ds_.row(i).asDinero(c_.debito);
    return s;
}

Dinero LineasContables::creditos(bool niif) const {
    Dinero s;
    for (int i = 0; i < ds_.recordCount(); ++i)
        if (esNiif_(ds_.row(i)) == niif) s += ds_.row(i).asDinero(c_.credito);
    return s;
}

int LineasContables::cuenta(bool niif) const {
    int n = 0;
    for (int i = 0; i < ds_.recordCount(); ++i)
        if (esNiif_(ds_.row(i)) == niif) ++n;
    return n;
}

void LineasContables::quitarVacias() {
    for (int i = ds_.recordCount() - 1; i >= 0; --i) {
        const RecordRef f = ds_.row(i);
        if (!f.asString(c_.cuenta).trimmed().isEmpty() || !f.asDinero(c_.debito).esCero() ||
            !f.asDinero(c_.credito).esCero())
            continue;
        ds_.setCurrentRow(i);
        ds_.remove();
    }
}

QString LineasContables::anterior(const QString& campo, const QString& recordado) const {
    if (!recordado.trimmed().isEmpty()) return recordado;
    if (ds_.isEmpty()) return {};
    const bool niif = niifActual();
    for (int i = ds_.currentRow() - 1; i >= 0; --i)
        if (esNiif_(ds_.row(i)) == niif) return ds_.row(i).asString(campo);
    return {};
}

std::optional<AtributosCuenta> LineasContables::atributos(const QString& cuenta, bool niif) const {
    const std::optional<fb::Row> f = compania_.queryOne(
        QStringLiteral("select CUEN_TERCERO, CUEN_CENTRO, CUEN_RETENCION, CUEN_TIPO, CUEN_BASEMIN, CUEN_PORC from ") +
        (niif ? QStringLiteral("cuentas_niif") : QStringLiteral("cuentas")) + QStringLiteral(" where cuen_cod = ") +
        sql::texto(cuenta.trimmed()));
    if (!f) return std::nullopt;
    auto dinero = [](const fb::Value& v) {
        if (v.isNull()) return Dinero();
        const fb::Decimal d = v.toDecimal();
        return Dinero::desdeEscalado(d.unscaled, d.scale);
    };
    AtributosCuenta a;
    a.tercero = (*f)[0].toString().trimmed() == QLatin1String("S");
    a.centro = (*f)[1].toString().trimmed() == QLatin1String("S");
    a.retencion = (*f)[2].toString().trimmed() == QLatin1String("S");
    a.tipo = (*f)[3].toString().trimmed();
    a.baseMinima = dinero((*f)[4]);
    a.porcentaje = dinero((*f)[5]);
    return a;
}

QString LineasContables::nombreCuenta(const QString& cuenta, bool niif) const {
    if (cuenta.trimmed().isEmpty()) return {};
    const std::optional<fb::Row> f =
        compania_.queryOne(QStringLiteral("select cuen_nom from ") +
                           (niif ? QStringLiteral("cuentas_niif") : QStringLiteral("cuentas")) +
                           QStringLiteral(" where cuen_cod = ") + sql::texto(cuenta.trimmed()));
    return f ? (*f)[0].toString() : QString();
}

QString LineasContables::nombreTercero(const QString& nit) const {
    if (nit.trimmed().isEmpty()) return {};
    const std::optional<fb::Row> f = compania_.queryOne(QStringLiteral("select terc_nom from terceros where terc_nit = ") +
                                                        sql::texto(nit.trimmed()));
    return f ? (*f)[0].toString() : QString();
}

QString LineasContables::desc_activo(const QString& codigo) const { return contabilidad_.desc_activo(codigo); }

}  // namespace cxp
