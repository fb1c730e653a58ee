#include "documents/charges/EgresoContado.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Sesion.h"
#include "documents/payments/EscrituraEgreso.h"
#include "documents/payments/FormasPago.h"

namespace cxp {

namespace {
const QString kPrefijo = QStringLiteral("PREF_PRE");
const QString kNumero = QStringLiteral("EGRE_NUMERO");
const QString kMonto = QStringLiteral("EGRE_MONTO");
const QString kMontoCaja = QStringLiteral("EGCA_MONTO");

bool editando(const DataSet& ds) { return ds.isOpen() && ds.state() != DataSet::State::Browse; }
}  // namespace

EgresoContado::EgresoContado(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador), configuracion_(configuracion) {
    enlazarTablasEgreso(egreso_, detalle_, cruce_, contabilidad_, caja_, banco_);
    formas_ = std::make_unique<FormasPago>(sesion_, interaccion_, configuracion_, caja_, banco_, [this] {
        FormasPago::Contexto c;
        if (!egreso_.isOpen() || egreso_.isEmpty()) return c;
        c.monto = egreso_.asDinero(kMonto);
        c.fecha = egreso_.asDate(QStringLiteral("EGRE_FECHA"));
        c.concepto = egreso_.asString(QStringLiteral("EGRE_CONC"));
        c.beneficiario = egreso_.asString(QStringLiteral("EGRE_NOMTERC"));
        return c;
    });
    connect(formas_.get(), &FormasPago::cambiado, this, &EgresoContado::cambiado);
    egreso_.onChange(kPrefijo, [this](DataSet&) { prefijoIngresado(); });
}

EgresoContado::~EgresoContado() = default;

Dinero EgresoContado::monto() const {
    return egreso_.isOpen() && !egreso_.isEmpty() ? egreso_.asDinero(kMonto) : Dinero();
}

bool EgresoContado::preparar(const Cargo& cargo) {
    cancelar();
    if (!abierto_) {
        formas_->abrir();
        abierto_ = true;
    }
    if (formas_->cajas().isEmpty()) {
        interaccion_.error(kSinCaja);
        return false;
    }
    prefijos_.clear();
    for (const QString& p : prefijosActivos(sesion_.compania, 62, sesion_.agencia_actual)) prefijos_.append({p, p});
    if (prefijos_.isEmpty()) {
        interaccion_.error(kSinPrefijo);
        return false;
    }
    numeroIgual_ = configuracion_
                       .valor(QStringLiteral("COMPRAS"), QStringLiteral("FACTURAS"),
                              QStringLiteral("NUMERO DE EGRESO IGUAL AL DE FACTURA PARA COMPRAS DE CONTADO"))
                       .trimmed()
                       .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    QString prefijo = configuracion_
                          .valor(QStringLiteral("COMPRAS"), QStringLiteral("FACTURAS"),
                                 QStringLiteral("PREFIJO DEL EGRESO PARA COMPRAS DE CONTADO"))
                          .trimmed();
    if (claveDe(prefijos_, prefijo).isEmpty()) prefijo = prefijos_.first().clave;

    cargo_ = cargo;
    abrirTablasEgreso(sesion_.compania, -1, egreso_, detalle_, cruce_, contabilidad_, caja_, banco_);
    const int caja = formas_->cajaPredeterminada() != 0 ? formas_->cajaPredeterminada() : formas_->primeraCaja();
    DataSet& e = egreso_;
    e.append();
    e.setValue(QStringLiteral("EGRE_ID"), 0);
    e.setValue(QStringLiteral("TIDO_COD"), 62);
    e.setValue(QStringLiteral("EGRE_TIPO"), "1");
    for (const char* f : {"EGRE_ANULADO", "EGRE_TRANSMIT", "NUMOK"}) e.setValue(QString::fromLatin1(f), "N");
    e.setValue(QStringLiteral("CAJA_ID"), caja);
    e.setValue(QStringLiteral("EGRE_CONC"), (QStringLiteral("Ab. Cargo ") + cargo.prefijo + cargo.numero).left(60));
    e.setValue(QStringLiteral("TERC_NIT"), cargo.nit);
    e.setValue(QStringLiteral("EGRE_NOMTERC"), cargo.nombre.left(60));
    e.setValue(QStringLiteral("EGRE_USUARIO"), sesion_.usuario_actual.left(10));
    e.setValue(QStringLiteral("EGRE_FECHA"), cargo.fecha);
    const std::pair<const char*, Dinero> montos[] = {
        {"EGRE_MONTO", cargo.neto},       {"EGRE_RTFTEMONTO", cargo.rtfte}, {"EGRE_RTIVAMONTO", cargo.rtiva},
        {"EGRE_RTICAMONTO", cargo.rtica}, {"EGRE_RTCREE", cargo.rcree},     {"EGRE_DTOF", Dinero()},
        {"EGRE_EXCEDENTE", Dinero()},     {"EGRE_TRM", Dinero()}};
    for (const auto& [campo, v] : montos) e.setValue(QString::fromLatin1(campo), v);
    e.setValue(QStringLiteral("EGRE_IDAPORTE"), 0);
    e.setValue(kPrefijo, prefijo);

    DataSet& d = detalle_;
    d.append();
    d.setValue(QStringLiteral("EGDE_ITEM"), 1);
    d.setValue(QStringLiteral("EGDE_TIPODOC"), 51);
    d.setValue(QStringLiteral("EGDE_IDDOC"), 0);
    d.setValue(QStringLiteral("EGDE_PREFIJO"), cargo.prefijo);
    d.setValue(QStringLiteral("EGDE_NUMERO"), cargo.numero);
    const std::pair<const char*, Dinero> linea[] = {{"EGDE_ABONO", cargo.neto}, {"EGDE_RTFTE", cargo.rtfte},
                                                    {"EGDE_RTIVA", cargo.rtiva}, {"EGDE_RTICA", cargo.rtica},
                                                    {"EGDE_RCREE", cargo.rcree}, {"EGDE_DTOF", Dinero()},
                                                    {"EGDE_DIFCAMBIO", Dinero()}};
    for (const auto& [campo, v] : linea) d.setValue(QString::fromLatin1(campo), v);
    d.setValue(QStringLiteral("EGDE_ANULADO"), "N");
    d.setValue(QStringLiteral("EGDE_TRANSMIT"), "N");
    d.post();
    if (!formas_->abrirCaja()) {
        cancelar();
        return false;
    }
    emit cambiado();
    return true;
}

void EgresoContado::prefijoIngresado() {
    const QString prefijo = egreso_.asString(kPrefijo).trimmed();
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_actual from prefijos where tido_cod = 62 and pref_pre = ") + sql::texto(prefijo));
    egreso_.setValue(kNumero, fila ? complete_numero((*fila)[0].toString().trimmed()) : QString());
    emit cambiado();
}

int EgresoContado::interfaz() const {
    if (!egreso_.isOpen() || egreso_.isEmpty()) return 0;
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select min(incj_id) from interfaz_caja where tido_cod = 62 and pref_pre = ") +
        sql::texto(egreso_.asString(kPrefijo).trimmed()));
    return fila && !(*fila)[0].isNull() ? int((*fila)[0].toInt64()) : 0;
}

bool EgresoContado::aceptar() {
    if (!egreso_.isOpen() || egreso_.isEmpty()) return false;
    // A line left without an amount is no line.
    if (editando(caja_) && caja_.asDinero(kMontoCaja).esCero()) caja_.cancel();
    if (formas_->cajaAbierta() && !formas_->continuarCaja()) return false;  // the line's own refusal
    auto rechazar = [this](const QString& mensaje) {
        interaccion_.error(mensaje);
        cancelar();
        return false;
    };
    if (interfaz() == 0) return rechazar(kSinInterfaz);
    if (caja_.isEmpty()) return rechazar(kSinFormaPago);
    // The amount paid is the charge's net: the lines add up to it exactly.
    if (formas_->totalItemsCaja() != egreso_.asDinero(kMonto)) return rechazar(kNoSuma);
    if (editando(egreso_)) egreso_.post();
    pendiente_ = true;
    emit cambiado();
    return true;
}

void EgresoContado::cancelar() {
    const bool habia = pendiente_ || (egreso_.isOpen() && !egreso_.isEmpty());
    pendiente_ = false;
    formas_->reiniciar();
    for (DataSet* ds : {&caja_, &banco_, &detalle_, &egreso_})
        if (ds->isOpen()) ds->clear();
    if (habia) emit cambiado();
}

bool EgresoContado::paga(const Cargo& cargo) const {
    Cargo antes = cargo_;
    // The number and date are the charge's own at the save.
    antes.numero = cargo.numero;
    antes.fecha = cargo.fecha;
    antes.prefijo = cargo.prefijo;
    return antes == cargo;
}

int64_t EgresoContado::grabar(int64_t idCargo, const Cargo& cargo, int interfaz) {
    if (!pendiente_) return 0;
    int64_t id = 0;
    try {
        DataSet& e = egreso_;
        e.edit();
        const QString prefijo = e.asString(kPrefijo).trimmed();
        QString numero = cargo.numero;
        if (!numeroIgual_) {
            const auto libre = numeroLibreDelPrefijo(sesion_.compania, 62, prefijo);
            numero = libre ? *libre : e.asString(kNumero);
        }
        e.setValue(kNumero, numero);
        e.setValue(QStringLiteral("EGRE_CONC"), (QStringLiteral("Ab. cargo ") + cargo.prefijo + cargo.numero).left(60));
        e.setValue(QStringLiteral("EGRE_FECHA"), cargo.fecha);
        e.setValue(QStringLiteral("EGRE_IDINTER"), interfaz);
        id = nuevoIdEgreso(sesion_.compania);
        e.setValue(QStringLiteral("EGRE_ID"), id);
        e.post();
        for (detalle_.first(); !detalle_.eof(); detalle_.next()) {
            detalle_.edit();
            detalle_.setValue(QStringLiteral("EGDE_IDDOC"), idCargo);
            detalle_.setValue(QStringLiteral("EGDE_PREFIJO"), cargo.prefijo);
            detalle_.setValue(QStringLiteral("EGDE_NUMERO"), cargo.numero);
            detalle_.post();
        }
        for (caja_.first(); !caja_.eof(); caja_.next()) {
            caja_.edit();
            caja_.setValue(QStringLiteral("EGCA_FECHA"), cargo.fecha);
            caja_.post();
        }
        OpcionesEscrituraEgreso opciones;
        // Its own number comes from the prefix: taken meanwhile, the next one.
        // Equal to the charge's, a number already used is a failure.
        opciones.renumerar = !numeroIgual_;
        escribirEgreso(sesion_.compania, egreso_, opciones);
    } catch (const std::exception& e) {
        manejador_.anotarAvisando(manejador_.archivoLog(), sesion_.usuario_actual,
                                  kErrorGrabar + u' ' + ManejadorErrores::mensajeDe(e));
        interaccion_.error(kErrorGrabar);
        cancelar();
        return 0;
    }
    pendiente_ = false;
    return id;
}

}  // namespace cxp
