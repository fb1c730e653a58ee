#include "documents/payments/Tfegresos.h"

#include "base/Sql.h"
#include "data/Cartera.h"
#include "data/Configuracion.h"
#include "data/Cxpagar.h"
#include "data/Importe.h"
#include "data/ImporteColumna.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Sesion.h"
#include "data/Terceros.h"
#include "data/fb/DbError.h"
#include "documents/payments/CruceCartera.h"
#include "documents/payments/DocumentosPagados.h"
#include "documents/payments/EscrituraEgreso.h"
#include "documents/payments/FormasPago.h"
#include "documents/payments/LineasContablesEgreso.h"

#include <algorithm>
#include <chrono>

namespace cxp {

namespace {
const QString kId = QStringLiteral("EGRE_ID");
const QString kNit = QStringLiteral("TERC_NIT");
const QString kPrefijo = QStringLiteral("PREF_PRE");
const QString kNumero = QStringLiteral("EGRE_NUMERO");
const QString kFecha = QStringLiteral("EGRE_FECHA");
const QString kMonto = QStringLiteral("EGRE_MONTO");
const QString kTipo = QStringLiteral("EGRE_TIPO");
const QString kConc = QStringLiteral("EGRE_CONC");
const QString kNomTerc = QStringLiteral("EGRE_NOMTERC");
const QString kCajaDestino = QStringLiteral("CAJA_ID");
const QString kNumCheque = QStringLiteral("EGBC_NUMERO");
const QString kProveedor = QStringLiteral("QEgresos");

struct Bandera {
    bool& b;
    const bool antes;
    explicit Bandera(bool& x) : b(x), antes(x) { b = true; }
    ~Bandera() { b = antes; }
};

bool editando(const DataSet& ds) { return ds.isOpen() && ds.state() != DataSet::State::Browse; }

}  // namespace

const QList<OpcionBusqueda>& Tfegresos::tiposEgreso() {
    static const QList<OpcionBusqueda> tipos{{QStringLiteral("1"), QStringLiteral("CUENTA POR PAGAR")},
                                             {QStringLiteral("2"), QStringLiteral("TRASLADO A CAJA")},
                                             {QStringLiteral("3"), QStringLiteral("OTROS EGRESOS")},
                                             {QStringLiteral("4"), QStringLiteral("CRUCE DE CUENTAS")},
                                             {QStringLiteral("5"), QStringLiteral("PAGO NOMINA")}};
    return tipos;
}

Tfegresos::Tfegresos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                     const Configuracion& configuracion, ServiciosEgreso servicios, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      servicios_(std::move(servicios)),
      numeracion_(std::make_unique<Numeracion>(sesion.compania, interaccion, configuracion)),
      terceros_(std::make_unique<Terceros>(sesion.compania, interaccion, configuracion)),
      cxpagar_(std::make_unique<Cxpagar>(sesion.compania, interaccion)),
      cartera_(std::make_unique<Cartera>(sesion.compania, interaccion)) {
    enlazarTablasEgreso(egreso_, detalle_, cruce_, contabilidad_, caja_, banco_);

    formasPago_ = std::make_unique<FormasPago>(sesion_, interaccion_, configuracion_, caja_, banco_, [this] {
        FormasPago::Contexto c;
        if (!egreso_.isOpen() || egreso_.isEmpty()) return c;
        c.monto = egreso_.asDinero(kMonto);
        c.fecha = egreso_.asDate(kFecha);
        c.concepto = egreso_.asString(kConc);
        c.beneficiario = egreso_.asString(kNomTerc);
        return c;
    });
    connect(formasPago_.get(), &FormasPago::cambiado, this, &Tfegresos::cambiado);
    documentos_ = std::make_unique<DocumentosPagados>(egreso_, detalle_, sesion_.compania, *cxpagar_, configuracion_,
                                                      interaccion_);
    cruces_ = std::make_unique<CruceCartera>(egreso_, cruce_, sesion_.compania, *cartera_, *documentos_,
                                             configuracion_, interaccion_);
    lineas_ = std::make_unique<LineasContablesEgreso>(egreso_, contabilidad_, sesion_, configuracion_, interaccion_);

    egreso_.onNewRecord([this](DataSet& e) {
        e.setValue(kId, 0);
        e.setValue(QStringLiteral("TIDO_COD"), 62);
        e.setValue(kFecha, QDate::currentDate());
        for (const char* f : {"EGRE_ANULADO", "EGRE_TRANSMIT", "NUMOK"}) e.setValue(QString::fromLatin1(f), "N");
        for (const char* f : {"EGRE_MONTO", "EGRE_RTFTEMONTO", "EGRE_RTIVAMONTO", "EGRE_RTICAMONTO", "EGRE_RTCREE",
                              "EGRE_DTOF", "EGRE_EXCEDENTE"})
            e.setValue(QString::fromLatin1(f), Dinero());
        e.setValue(QStringLiteral("EGRE_USUARIO"), sesion_.usuario_actual);
        e.setValue(kTipo, "1");
        e.setValue(QStringLiteral("EGRE_IDAPORTE"), 0);
        e.setValue(QStringLiteral("EGRE_TRM"), Dinero());
    });
    enlazar();
}

Tfegresos::~Tfegresos() = default;

void Tfegresos::enlazar() {
    egreso_.onChange(kPrefijo, [this](DataSet&) { prefijoIngresado(); });
    egreso_.onChange(kNumero, [this](DataSet&) { numeroIngresado(); });
    egreso_.onChange(kNit, [this](DataSet&) { acreedorIngresado(); });
    egreso_.onChange(kTipo, [this](DataSet&) { tipoIngresado(); });
    egreso_.onChange(kFecha, [this](DataSet&) { fechaIngresada(); });
    egreso_.onChange(QStringLiteral("EGRE_EXCEDENTE"), [this](DataSet&) { emit cambiado(); });
    egreso_.beforePost([](DataSet& e) {
        if (e.asString(kNit).trimmed().isEmpty()) throw DataSetError(kSinTercero, kNit);
    });
}

void Tfegresos::fijarAporte(int64_t id, Dinero monto) {
    aporteId_ = id;
    aporteMonto_ = monto;
    aportePendiente_ = id != 0;
}

void Tfegresos::leerConfiguracion() {
    auto es = [this](const char* modulo, const char* grupo, const char* clave) {
        return configuracion_.valor(QString::fromLatin1(modulo), QString::fromLatin1(grupo), QString::fromLatin1(clave))
                   .trimmed()
                   .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    };
    permitirCero_ = es("CAJA", "EGRESOS", "PERMITIR EGRESOS EN CERO PARA HACER CRUCES DE SALDOS");
    lineasSoloLectura_ = es("CAJA", "EGRESOS", "INHABILITAR CUENTAS CONTABLES PARA EVITAR DOBLE CONTABILIZACION");
    fechaInhabilitada_ = es("CAJA", "DOCUMENTOS", "INHABILITAR FECHA EN DOCUMENTOS");
    descontarRetenciones_ = es("CXPAGAR", "SALDOS", "DESCONTAR RETENCIONES POR CAUSACION");
    preguntaTasa_ = es("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR");
    monedaPredeterminada_ =
        configuracion_.valor(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                             QStringLiteral("MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR"))
            .trimmed()
            .toInt();
}

bool Tfegresos::cargarListas() {
    auto lista = [this](const QString& sql) {
        QList<OpcionBusqueda> r;
        for (const fb::Row& f : sesion_.compania.query(sql)) r.append({f[0].toString().trimmed(), f[1].toString().trimmed()});
        return r;
    };
    clases_ = leerClases();
    tiposCxp_ = lista(QStringLiteral("select tido_cod, tido_nomcorto from tipo_documento where tido_cxp = 'S' order by tido_cod"));
    tiposCartera_ =
        lista(QStringLiteral("select tido_cod, tido_nomcorto from tipo_documento where tido_cart = 'S' order by tido_cod"));
    monedas_ = lista(QStringLiteral("select timo_cod, timo_nombre from tipos_moneda order by timo_cod"));
    return true;
}

QList<OpcionBusqueda> Tfegresos::leerClases() {
    QList<OpcionBusqueda> r;
    for (const fb::Row& f :
         sesion_.compania.query(QStringLiteral("select cleg_id, cleg_nombre from clase_egreso order by cleg_id")))
        r.append({f[0].toString().trimmed(), f[1].toString().trimmed()});
    return r;
}

void Tfegresos::recargarClases() {
    QList<OpcionBusqueda> nuevas = leerClases();
    const bool iguales = std::equal(nuevas.cbegin(), nuevas.cend(), clases_.cbegin(), clases_.cend(),
                                    [](const OpcionBusqueda& a, const OpcionBusqueda& b) {
                                        return a.clave == b.clave && a.nombre == b.nombre;
                                    });
    if (iguales) return;
    clases_ = std::move(nuevas);
    emit clasesCambiadas();
}

bool Tfegresos::cargarPrefijos() {
    prefijos_.clear();
    for (const QString& p : prefijosActivos(sesion_.compania, 62, sesion_.agencia_actual)) prefijos_.append({p, p});
    return !prefijos_.isEmpty();
}

QString Tfegresos::actualDelPrefijo(const QString& prefijo, bool* automatico) {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_actual, pref_auto from prefijos where tido_cod = 62 and pref_pre = ") +
        sql::texto(prefijo));
    if (automatico) *automatico = fila && (*fila)[1].toString().trimmed() == QLatin1String("S");
    return fila ? complete_numero((*fila)[0].toString().trimmed()) : QString();
}

void Tfegresos::abrirSets(int64_t id) {
    abrirTablasEgreso(sesion_.compania, id, egreso_, detalle_, cruce_, contabilidad_, caja_, banco_);
}

bool Tfegresos::abrir() {
    try {
        formasPago_->abrir();
        cargarListas();
        leerConfiguracion();
        if (!cargarPrefijos()) {
            interaccion_.error(kSinPrefijo);
            emit cerrar();
            return false;
        }
        abrirSets(0);
        if (!egreso_.isEmpty()) {
            if (interaccion_.reintentar(kPrevio)) {
                recuperar();
                return true;
            }
            // Its details go with it (on delete cascade).
            sesion_.compania.executeDirect(QStringLiteral("delete from egresos where egre_id = 0"));
            abrirSets(0);
        }
        nuevoEgreso();
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        emit cerrar();
        return false;
    }
    lineasDeAporte();
    return true;
}

// A voucher left stored with id 0 by an interrupted save, back on screen.
void Tfegresos::recuperar() {
    // Saved under its own id, the voucher is written whole again: its rows
    // are new, and the stored copy goes in the same transaction.
    egreso_.markAllNew();
    recuperado_ = true;
    egreso_.edit();
    numeroAutomatico_ = false;
    actualDelPrefijo(egreso_.asString(kPrefijo), &numeroAutomatico_);
    documentos_->reiniciar();
    documentos_->cargado();
    lineas_->reiniciar();
    lineas_->cargado();
    cruces_->reiniciar();
    cruces_->cargado();
    sumCruce_ = cruces_->total();
    documentos_->setSumCruce(sumCruce_);
    formasPago_->recalcular();
    emit cambiado();
}

void Tfegresos::nuevoEgreso() {
    const QString prefijo = egreso_.isEmpty() ? ultimoPrefijo_ : egreso_.asString(kPrefijo);
    documentosAbiertos_ = cruceAbierto_ = false;
    totalesEditables_ = false;
    sumCruce_ = Dinero();
    documentos_->reiniciar();
    cruces_->reiniciar();
    lineas_->reiniciar();
    formasPago_->reiniciar();
    egreso_.append();
    if (aportePendiente_ && !aporteMonto_.esCero()) ponImporte(egreso_, kMonto, aporteMonto_);
    if (preguntaTasa_ && monedaPredeterminada_ != 0) setMoneda(monedaPredeterminada_);
    QString elegido = prefijo;
    if (elegido.isEmpty() || claveDe(prefijos_, elegido).isEmpty()) elegido = prefijos_.first().clave;
    egreso_.setValue(kPrefijo, elegido);
    interaccion_.enfocar(kNumero);
    emit reiniciado();
    emit cambiado();
}

// A social-contributions payment: its id on the header and one debit line
// per contribution, once; the next voucher is an ordinary one.
void Tfegresos::lineasDeAporte() {
    if (!aportePendiente_) return;
    aportePendiente_ = false;
    if (!editando(egreso_)) egreso_.edit();
    egreso_.setValue(QStringLiteral("EGRE_IDAPORTE"), aporteId_);
    lineas_->agregarAportes(aporteId_);
    aporteId_ = 0;
    emit cambiado();
}

// ------------------------------------------------------------------ header

void Tfegresos::prefijoIngresado() {
    const QString prefijo = egreso_.asString(kPrefijo).trimmed();
    if (prefijo.isEmpty()) return;
    Bandera quieto(sincronizando_);
    const QString actual = actualDelPrefijo(prefijo, &numeroAutomatico_);
    egreso_.setValue(kNumero, actual);
    emit cambiado();  // the number's read-only state follows the prefix
}

void Tfegresos::numeroIngresado() {
    if (sincronizando_) return;
    const QString prefijo = egreso_.asString(kPrefijo).trimmed();
    EntradaNumero entrada(*numeracion_, 62);
    entrada.cambio(egreso_, kNumero, prefijo, actualDelPrefijo(prefijo), [this](const QString& id) {
        if (!servicios_.consultar || !servicios_.consultar(id.toLongLong())) interaccion_.informacion(kNumeroGrabado);
    });
}

void Tfegresos::acreedorIngresado() {
    if (sincronizando_) return;
    const QString nit = egreso_.asString(kNit).trimmed();
    if (nit.isEmpty()) {
        if (!egreso_.asString(kNomTerc).isEmpty()) egreso_.setValue(kNomTerc, QString());
        emit cambiado();
        return;
    }
    if (nit.startsWith(u'?')) {
        buscarAcreedor();
        return;
    }
    const QString nombre = terceros_->nom_tercero(nit);
    egreso_.setValue(kNomTerc, nombre.left(60));
    auto rechazar = [this](const QString& mensaje) {
        interaccion_.error(mensaje);
        Bandera quieto(sincronizando_);
        egreso_.setValue(kNit, QString());
        egreso_.setValue(kNomTerc, QString());
        interaccion_.enfocar(kNit);
        emit cambiado();
    };
    if (nombre.isEmpty()) return rechazar(kTerceroInactivo);
    if (terceros_->valide_proveedor(nit) != QLatin1String("S")) return rechazar(kNoAcreedor);
    egreso_.setValue(kTipo, "1");
    abrirDocumentos();
}

bool Tfegresos::cajaDestinoVisible() const {
    return egreso_.isOpen() && !egreso_.isEmpty() && egreso_.asString(kTipo).trimmed() == QLatin1String("2");
}

// A transfer to a box names the box the money goes to and pays nothing
// in cash out of a box.
void Tfegresos::tipoIngresado() {
    if (cajaDestinoVisible()) {
        const int caja = formasPago_->primeraCaja();
        if (caja != 0) egreso_.setValue(kCajaDestino, caja);
        formasPago_->eliminarItemsCaja();
    } else if (!egreso_.isNull(kCajaDestino)) {
        egreso_.setValue(kCajaDestino, fb::Value());
    }
    emit cambiado();
}

void Tfegresos::setMoneda(int moneda) {
    moneda_ = moneda;
    leerTasa();
    emit cambiado();
}

void Tfegresos::fechaIngresada() { leerTasa(); }

void Tfegresos::leerTasa() {
    if (!preguntaTasa_ || !editando(egreso_) || moneda_ == 0) return;
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select taca_valor from tasa_cambio_moneda where timo_cod = ") + sql::numero(int64_t(moneda_)) +
        QStringLiteral(" and taca_fecha = ") + sql::fecha(egreso_.asDate(kFecha)));
    if (fila && !(*fila)[0].isNull()) ponImporte(egreso_, QStringLiteral("EGRE_TRM"), dineroDe((*fila)[0]));
}

// ------------------------------------------------------------------ panels

Tfegresos::Panel Tfegresos::panel() const {
    if (cruceAbierto_) return Panel::Cruce;
    if (documentosAbiertos_) return Panel::Documentos;
    if (formasPago_->bancoAbierto()) return Panel::Banco;
    if (formasPago_->cajaAbierta()) return Panel::Caja;
    return Panel::Ninguno;
}

Dinero Tfegresos::sumCaja() const { return formasPago_->sumCaja(); }
Dinero Tfegresos::sumBanco() const { return formasPago_->sumBanco(); }
Dinero Tfegresos::sumAbono() const { return detalle_.isOpen() ? documentos_->sumAbono() : Dinero(); }
bool Tfegresos::registroAnticipo() const { return !documentos_->anticiposRegistrados().isEmpty(); }

void Tfegresos::abrirDocumentos() {
    if (panel() != Panel::Ninguno && panel() != Panel::Documentos) return;
    documentosAbiertos_ = true;
    totalesEditables_ = false;
    if (detalle_.isEmpty()) detalle_.append();
    interaccion_.enfocar(QStringLiteral("TIDO_NOMCORTO"));
    emit cambiado();
}

// What closing or leaving the documents panel leaves to the screen.
static bool cierreDocumentos(DocumentosPagados::Cierre cierre, Interaccion& interaccion, bool& abierto, bool& editables) {
    switch (cierre) {
    case DocumentosPagados::Cierre::Sigue: return false;
    case DocumentosPagados::Cierre::Documentos: break;
    case DocumentosPagados::Cierre::OtrosConceptos:
        editables = true;
        interaccion.enfocar(QStringLiteral("EGRE_CONC"));
        break;
    case DocumentosPagados::Cierre::SinAcreedor: interaccion.enfocar(QStringLiteral("TERC_NIT")); break;
    }
    abierto = false;
    return true;
}

bool Tfegresos::continuarDocumentos() {
    const bool r = cierreDocumentos(documentos_->cerrarPanel(), interaccion_, documentosAbiertos_, totalesEditables_);
    emit cambiado();
    return r;
}

bool Tfegresos::salirDocumentos() {
    const bool r = cierreDocumentos(documentos_->salirPanel(), interaccion_, documentosAbiertos_, totalesEditables_);
    emit cambiado();
    return r;
}

bool Tfegresos::abrirCaja() {
    if (panel() == Panel::Documentos || panel() == Panel::Cruce) return false;
    if (cajaDestinoVisible()) return false;  // a transfer pays nothing out of a box
    return formasPago_->abrirCaja();
}
bool Tfegresos::continuarCaja() { return formasPago_->continuarCaja(); }
void Tfegresos::salirCaja() { formasPago_->salirCaja(); }
bool Tfegresos::abrirBanco() {
    if (panel() == Panel::Documentos || panel() == Panel::Cruce) return false;
    return formasPago_->abrirBanco();
}
bool Tfegresos::continuarBanco() { return formasPago_->continuarBanco(); }
void Tfegresos::salirBanco() { formasPago_->salirBanco(); }
int Tfegresos::documentosEnCaja() { return formasPago_->documentosEnCaja(); }

bool Tfegresos::abrirCruce() {
    if (panel() != Panel::Ninguno && panel() != Panel::Cruce) return false;
    cruceAbierto_ = true;
    if (cruce_.isEmpty()) cruce_.append();
    emit cambiado();
    return true;
}

bool Tfegresos::continuarCruce() {
    try {
        sumCruce_ = cruces_->cerrarPanel();
    } catch (const DataSetError& e) {
        interaccion_.error(e.message());
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    cruceAbierto_ = false;
    emit cambiado();
    return true;
}

void Tfegresos::salirCruce() {
    if (editando(cruce_)) cruce_.cancel();
    cruceAbierto_ = false;
    emit cambiado();
}

// ------------------------------------------------------------------ keys

bool Tfegresos::teclaF2() {
    if (cruceAbierto_) return continuarCruce();
    if (documentosAbiertos_) return continuarDocumentos();
    if (formasPago_->bancoAbierto()) return continuarBanco();
    if (formasPago_->cajaAbierta()) return continuarCaja();
    return grabar();
}

bool Tfegresos::teclaEsc() {
    if (documentosAbiertos_) {
        salirDocumentos();
        return false;
    }
    if (formasPago_->bancoAbierto()) {
        salirBanco();
        return false;
    }
    if (formasPago_->cajaAbierta()) {
        salirCaja();
        return false;
    }
    if (cruceAbierto_) {
        salirCruce();
        return false;
    }
    return cerrarPantalla();
}

void Tfegresos::teclaF4() {
    if (documentosAbiertos_) registrarAnticipo();
    else if (!cruceAbierto_) abrirCaja();  // the bank panel open: refused with its message
}

void Tfegresos::teclaF5() {
    if (panel() == Panel::Ninguno || panel() == Panel::Caja) abrirBanco();  // the cash panel refuses it
}

void Tfegresos::teclaF6() { buscarTercero(); }
void Tfegresos::teclaF7() { abrirCruce(); }

void Tfegresos::teclaF8() {
    if (cruceAbierto_) elegirCartera();
    else if (documentosAbiertos_) elegirCxpagar();
}

void Tfegresos::teclaF9() {
    if (documentosAbiertos_) elegirConcepto();
}

// ------------------------------------------------------------------ pickers

void Tfegresos::buscarAcreedor() {
    const auto eleccion = interaccion_.elegir(QStringLiteral("Tfbuscprove"));
    egreso_.setValue(kNit, eleccion ? eleccion->value(QStringLiteral("nit")).toString() : QString());
}

void Tfegresos::buscarTercero() { interaccion_.abrirPantalla(QStringLiteral("Tfbuscterceros")); }

void Tfegresos::abrirBusqueda() {
    if (!interaccion_.abrirPantalla(QStringLiteral("Tfbuscegreso"))) interaccion_.informacion(kSinPantalla);
}

// The maintenance is a screen of its own: the list is read again when the
// clerk comes back to the class (the view asks on the combo's focus).
void Tfegresos::abrirClases() {
    interaccion_.abrirPantalla(QStringLiteral("Tfclaseegr"));
    recargarClases();
}

// "F4:Anticipo": the advance saved in its own window (with EGRE_ID 0) comes
// back as a row; it is this voucher's, and only this voucher's advances
// are ever deleted by it.
void Tfegresos::registrarAnticipo() {
    const auto eleccion = interaccion_.elegir(
        QStringLiteral("Tfanticiposprov"),
        {{kNit, egreso_.asString(kNit).trimmed()}, {QStringLiteral("FECHA"), egreso_.asDate(kFecha)}});
    if (!eleccion) return;
    const int64_t id = eleccion->value(QStringLiteral("ANPR_ID")).toLongLong();
    if (id == 0) return;
    documentos_->registrarAnticipo(id);
    QString nombre = eleccion->value(QStringLiteral("TIDO_NOMCORTO")).toString().trimmed();
    if (nombre.isEmpty()) nombre = QStringLiteral("ANTIPROV");
    documentos_->agregar(nombre, eleccion->value(QStringLiteral("PREFIJO")).toString(),
                         eleccion->value(QStringLiteral("NUMERO")).toString());
    emit cambiado();
}

int Tfegresos::elegirCxpagar() {
    // The voucher's date is the picker's cut-off: balances as of the payment.
    const auto eleccion = interaccion_.elegir(
        QStringLiteral("Tfconscxpagar"), {{kNit, egreso_.asString(kNit).trimmed()}, {kFecha, egreso_.asDate(kFecha)}});
    const int n = eleccion ? documentos_->agregarEleccion(*eleccion) : 0;
    emit cambiado();
    return n;
}

int Tfegresos::elegirCartera() {
    const auto eleccion =
        interaccion_.elegir(QStringLiteral("Tfconscartera"), {{kNit, egreso_.asString(kNit).trimmed()}});
    const int n = eleccion ? cruces_->agregarEleccion(*eleccion) : 0;
    emit cambiado();
    return n;
}

bool Tfegresos::elegirConcepto() {
    const auto eleccion = interaccion_.elegir(
        QStringLiteral("Tfconcxpagar"), {{kNit, egreso_.asString(kNit).trimmed()}, {kFecha, egreso_.asDate(kFecha)}});
    const bool r = eleccion && documentos_->agregarEleccion(*eleccion) > 0;
    emit cambiado();
    return r;
}

bool Tfegresos::elegirPlantilla() {
    const bool r = lineas_->elegirPlantilla(QStringLiteral("EGR"));
    emit cambiado();
    return r;
}

// ------------------------------------------------------------------ save

// The checks of the save, in their order; the first one that fails says
// why and leaves the voucher in edit.
bool Tfegresos::validar() {
    auto rechazar = [this](const QString& mensaje, const QString& campo) {
        interaccion_.error(mensaje);
        interaccion_.enfocar(campo);
        return false;
    };
    const Dinero monto = egreso_.asDinero(kMonto);
    if (monto.esCero() && !permitirCero_) return rechazar(kMontoCero, kMonto);
    if (cajaDestinoVisible() && (egreso_.isNull(kCajaDestino) || egreso_.asInt(kCajaDestino) == 0))
        return rechazar(kSinCajaDestino, kCajaDestino);
    if (editando(contabilidad_)) {
        if (contabilidad_.asString(QStringLiteral("CUEN_COD")).trimmed().isEmpty()) {
            contabilidad_.cancel();
        } else {
            try {
                contabilidad_.post();
            } catch (const DataSetError& e) {
                return rechazar(e.message(), e.field());
            }
        }
    }
    // The means of payment add up to the amount to the cent, taken from the
    // rows themselves.
    const Dinero medios = formasPago_->totalItemsCaja() + (banco_.isEmpty() ? Dinero() : banco_.asDinero(QStringLiteral("EGBC_MONTO")));
    if (medios != monto) return rechazar(kNoCuadra, kMonto);
    if (egreso_.asString(kNit).trimmed().isEmpty()) return rechazar(kSinTercero, kNit);
    return true;
}

bool Tfegresos::grabar() {
    if (!egreso_.isOpen() || egreso_.isEmpty()) return false;
    // Nothing while an entry panel is open.
    if (panel() != Panel::Ninguno) return false;
    if (!editando(egreso_)) egreso_.edit();
    if (!validar()) return false;
    const int interfaz = servicios_.abreInterfaz ? servicios_.abreInterfaz(62, egreso_.asString(kPrefijo).trimmed(), true) : 0;
    if (interfaz == 0) return false;
    if (egreso_.asInt(kId) == 0) {
        try {
            egreso_.setValue(kId, nuevoIdEgreso(sesion_.compania));
        } catch (const std::exception& e) {
            manejador_.ManejarError(e, kProveedor);
            return false;
        }
    }
    egreso_.setValue(QStringLiteral("EGRE_IDINTER"), interfaz);
    if (!escribir()) return false;
    terminarGrabado(egreso_.asInt(kId), interfaz, egreso_.asDate(kFecha));
    return true;
}

// One transaction for the header and its five sets. On an automatic
// prefix whose number another clerk took meanwhile, the voucher takes the
// next free number and the clerk is told which; the database does the same
// for the cheque of an automatic checkbook.
bool Tfegresos::escribir() {
    const QString numeroPedido = egreso_.asString(kNumero);
    const QString chequePedido = banco_.isEmpty() ? QString() : banco_.asString(kNumCheque).trimmed();
    try {
        OpcionesEscrituraEgreso opciones;
        opciones.renumerar = numeroAutomatico_;
        opciones.borrarCopiaCero = recuperado_;
        opciones.ponerNumero = [this](const QString& numero) {
            Bandera renumerando(sincronizando_);
            egreso_.setValue(kNumero, numero);
        };
        escribirEgreso(sesion_.compania, egreso_, opciones);
    } catch (const DataSetError& e) {
        interaccion_.error(e.message());
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        if (!editando(egreso_)) egreso_.edit();
        return false;
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor, &egreso_, QStringLiteral("cdsEgresos"));
        if (!editando(egreso_)) egreso_.edit();
        return false;
    }
    recuperado_ = false;
    const int64_t id = egreso_.asInt(kId);
    ultimoId_ = id;
    ultimoPrefijo_ = egreso_.asString(kPrefijo).trimmed();
    ultimoNumero_ = ultimoPrefijo_ + egreso_.asString(kNumero).trimmed();
    if (egreso_.asString(kNumero) != numeroPedido)
        interaccion_.informacion(QStringLiteral("El número ") + numeroPedido +
                                 QStringLiteral(" fue tomado por otro egreso. El egreso se grabó con el número ") +
                                 egreso_.asString(kNumero) + QStringLiteral("."));
    // The cheque number the database gave.
    ultimoCheque_.clear();
    if (!chequePedido.isEmpty()) {
        try {
            const auto fila = sesion_.compania.queryOne(
                QStringLiteral("select egbc_numero from egresos_banco where egre_id = ") + sql::numero(id));
            ultimoCheque_ = fila ? (*fila)[0].toString().trimmed() : chequePedido;
        } catch (const std::exception&) {
            ultimoCheque_ = chequePedido;
        }
        if (ultimoCheque_ != chequePedido)
            interaccion_.informacion(QStringLiteral("El número del cheque cambió a ") + ultimoCheque_ +
                                     QStringLiteral(" porque el ") + chequePedido + QStringLiteral(" ya fue usado."));
    }
    documentos_->anticiposGrabados();
    return true;
}

// Posting and printing of the voucher just written, then the next voucher
// on the same prefix. The voucher is already whole in the database: a
// failure here is said, and the voucher is posted or printed again from
// its consult.
void Tfegresos::terminarGrabado(int64_t id, int interfaz, const QDate& fecha) {
    try {
        if (servicios_.contabilizar) servicios_.contabilizar(id, interfaz, fecha);
        if (servicios_.imprimir) servicios_.imprimir(id);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        interaccion_.advertencia(QStringLiteral("El egreso ") + ultimoNumero_ +
                                 QStringLiteral(" quedó grabado. Contabilícelo o imprímalo desde la consulta de egresos."));
    }
    cargarPrefijos();
    // The saved voucher leaves memory: a clerk pays all day.
    egreso_.clear();
    nuevoEgreso();
}

// Closing: the question when rows were entered, then the advances this
// voucher registered and did not pay. Advances other clerks are
// registering from their own vouchers are never touched.
bool Tfegresos::cerrarPantalla() {
    const bool conItems = (detalle_.isOpen() && !detalle_.isEmpty() &&
                           !(detalle_.recordCount() == 1 && detalle_.state() == DataSet::State::Insert)) ||
                          (caja_.isOpen() && !caja_.isEmpty());
    if (conItems && !interaccion_.preguntar(kPerderItems)) return false;
    for (DataSet* d : {&detalle_, &cruce_, &contabilidad_, &caja_, &banco_})
        if (editando(*d)) d->cancel();
    if (editando(egreso_)) egreso_.cancel();
    if (registroAnticipo()) {
        interaccion_.informacion(kBorraAnticipo);
        try {
            documentos_->borrarAnticiposRegistrados();
        } catch (const std::exception& e) {
            manejador_.ManejarError(e, kProveedor);
        }
    }
    emit cerrar();
    return true;
}

}  // namespace cxp
