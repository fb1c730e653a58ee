#include "documents/payments/Tfegresos.h"

#include "base/Sql.h"
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
#include "documents/payments/FormasPago.h"

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
const QString kExcedente = QStringLiteral("EGRE_EXCEDENTE");
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
      cxpagar_(std::make_unique<Cxpagar>(sesion.compania, interaccion)) {
    egreso_.setUpdateTable(QStringLiteral("EGRESOS"), {kId});
    detalle_.setUpdateTable(QStringLiteral("EGRESOS_DETALLE"), {kId, QStringLiteral("EGDE_ITEM")});
    cruce_.setUpdateTable(QStringLiteral("EGRESOS_CRUCEC"), {kId, QStringLiteral("EGCC_ITEM")});
    contabilidad_.setUpdateTable(QStringLiteral("EGRESOS_CONTABILIDAD"), {kId, QStringLiteral("EGCO_ITEM")});
    caja_.setUpdateTable(QStringLiteral("EGRESOS_CAJA"), {kId, QStringLiteral("EGCA_ITEM")});
    banco_.setUpdateTable(QStringLiteral("EGRESOS_BANCO"), {kId});
    for (DataSet* d : {&detalle_, &cruce_, &contabilidad_, &caja_, &banco_}) egreso_.addDetail(*d, {kId}, {kId});

    formasPago_ = std::make_unique<FormasPago>(
        sesion_, interaccion_, configuracion_, caja_, banco_, [this] {
            FormasPago::Contexto c;
            if (!egreso_.isOpen() || egreso_.isEmpty()) return c;
            c.monto = egreso_.asDinero(kMonto);
            c.fecha = egreso_.asDate(kFecha);
            c.concepto = egreso_.asString(kConc);
            c.beneficiario = egreso_.asString(kNomTerc);
            return c;
        });
    connect(formasPago_.get(), &FormasPago::cambiado, this, &Tfegresos::cambiado);

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
    egreso_.onChange(kExcedente, [this](DataSet&) { excedenteIngresado(); });
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
    sincronizarPrefijos_ = es("CAJA", "EGRESOS", "SINCRONIZAR PREFIJOS DE EGRESOS Y DOCUMENTOS CANCELADOS");
    otrosConceptos_ = es("CAJA", "EGRESOS", "PERMITIR REGISTRAR EGRESOS POR OTROS CONCEPTOS A PROVEEDORES");
    componerConNumProv_ = es("CAJA", "EGRESOS", "COMPONER CONCEPTO CON NUMERO DE PROVEEDOR");
    fechaInhabilitada_ = es("CAJA", "DOCUMENTOS", "INHABILITAR FECHA EN DOCUMENTOS");
    filtrarCentros_ = es("CONTABILIDAD", "COMPROBANTES", "FILTRAR CENTROS DE COSTO POR AGENCIA");
    descontarRetenciones_ = es("CXPAGAR", "SALDOS", "DESCONTAR RETENCIONES POR CAUSACION");
    preguntaTasa_ = es("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR");
    monedaPredeterminada_ = configuracion_.entero(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                                  QStringLiteral("MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR"));
}

bool Tfegresos::cargarListas() {
    auto lista = [this](const QString& sql) {
        QList<OpcionBusqueda> r;
        for (const fb::Row& f : sesion_.compania.query(sql)) r.append({f[0].toString().trimmed(), f[1].toString().trimmed()});
        return r;
    };
    clases_ = lista(QStringLiteral("select cleg_id, cleg_nombre from clase_egreso order by cleg_id"));
    tiposCxp_ = lista(QStringLiteral("select tido_cod, tido_nomcorto from tipo_documento where tido_cxp = 'S' order by tido_cod"));
    tiposCartera_ =
        lista(QStringLiteral("select tido_cod, tido_nomcorto from tipo_documento where tido_cart = 'S' order by tido_cod"));
    monedas_ = lista(QStringLiteral("select timo_cod, timo_nombre from tipos_moneda order by timo_cod"));
    return true;
}

bool Tfegresos::cargarPrefijos() {
    QString sql = QStringLiteral("select pref_pre from prefijos where tido_cod = 62 and pref_activo = 'S'");
    if (sesion_.agencia_actual != 0)
        sql += QStringLiteral(" and (SUCU_ID = ") + sql::numero(int64_t(sesion_.agencia_actual)) +
               QStringLiteral(" OR SUCU_ID = 0)");
    prefijos_.clear();
    for (const fb::Row& f : sesion_.compania.query(sql + QStringLiteral(" order by pref_pre")))
        prefijos_.append({f[0].toString().trimmed(), f[0].toString().trimmed()});
    return !prefijos_.isEmpty();
}

QString Tfegresos::actualDelPrefijo(const QString& prefijo, bool* automatico) {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_actual, pref_auto from prefijos where tido_cod = 62 and pref_pre = ") +
        sql::texto(prefijo));
    if (automatico) *automatico = fila && (*fila)[1].toString().trimmed() == QLatin1String("S");
    return fila ? complete_numero((*fila)[0].toString().trimmed()) : QString();
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
        auto abrirSets = [this] {
            egreso_.open(sesion_.compania, QStringLiteral("SELECT * FROM EGRESOS WHERE EGRE_ID = 0"));
            detalle_.open(sesion_.compania, QStringLiteral("select * from egresos_detalle where egre_id = 0 order by egde_item"));
            cruce_.open(sesion_.compania, QStringLiteral("select * from egresos_crucec where egre_id = 0 order by egcc_item"));
            contabilidad_.open(sesion_.compania,
                               QStringLiteral("select * from egresos_contabilidad where egre_id = 0 order by egco_item"));
            caja_.open(sesion_.compania, QStringLiteral("select * from egresos_caja where egre_id = 0 order by egca_item"));
            banco_.open(sesion_.compania, QStringLiteral("select * from egresos_banco where egre_id = 0"));
        };
        abrirSets();
        if (!egreso_.isEmpty()) {
            if (interaccion_.reintentar(kPrevio)) {
                recuperar();
                return true;
            }
            // The details go with it (cascade).
            sesion_.compania.executeDirect(QStringLiteral("delete from egresos where egre_id = 0"));
            abrirSets();
        }
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        emit cerrar();
        return false;
    }
    nuevoEgreso();
    return true;
}

// A voucher left stored with id 0 by an interrupted save, back on screen.
void Tfegresos::recuperar() {
    egreso_.edit();
    numeroAutomatico_ = false;
    actualDelPrefijo(egreso_.asString(kPrefijo), &numeroAutomatico_);
    egreso_.field(kNumero).setReadOnly(numeroAutomatico_);
    sumCruce_ = cruce_.isEmpty() ? Dinero() : cruce_.sum(QStringLiteral("EGCC_ABONO"));
    formasPago_->recalcular();
    emit cambiado();
}

void Tfegresos::nuevoEgreso() {
    const QString prefijo = egreso_.isEmpty() ? ultimoPrefijo_ : egreso_.asString(kPrefijo);
    documentosAbiertos_ = cruceAbierto_ = false;
    totalesEditables_ = false;
    sumCruce_ = Dinero();
    anticipos_.clear();
    formasPago_->reiniciar();
    egreso_.append();
    if (aportePendiente_ && !aporteMonto_.esCero()) ponImporte(egreso_, kMonto, aporteMonto_);
    if (aportePendiente_) egreso_.setValue(QStringLiteral("EGRE_IDAPORTE"), aporteId_);
    if (preguntaTasa_ && monedaPredeterminada_ != 0) setMoneda(monedaPredeterminada_);
    QString elegido = prefijo;
    if (elegido.isEmpty() || claveDe(prefijos_, elegido).isEmpty()) elegido = prefijos_.first().clave;
    egreso_.setValue(kPrefijo, elegido);
    interaccion_.enfocar(kNumero);
    emit reiniciado();
    emit cambiado();
}

// ------------------------------------------------------------------ header

void Tfegresos::prefijoIngresado() {
    const QString prefijo = egreso_.asString(kPrefijo).trimmed();
    if (prefijo.isEmpty()) return;
    Bandera quieto(sincronizando_);
    const QString actual = actualDelPrefijo(prefijo, &numeroAutomatico_);
    egreso_.field(kNumero).setReadOnly(false);
    egreso_.setValue(kNumero, actual);
    egreso_.field(kNumero).setReadOnly(numeroAutomatico_);
    emit cambiado();
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
        egreso_.setValue(kNomTerc, QString());
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
// in cash from a box.
void Tfegresos::tipoIngresado() {
    if (cajaDestinoVisible()) {
        const int caja = formasPago_->primeraCaja();
        if (caja != 0) egreso_.setValue(QStringLiteral("CAJA_ID"), caja);
        formasPago_->eliminarItemsCaja();
    } else if (!egreso_.isNull(QStringLiteral("CAJA_ID"))) {
        egreso_.setValue(QStringLiteral("CAJA_ID"), fb::Value());
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

void Tfegresos::excedenteIngresado() {
    if (sincronizando_) return;
    // Without any row the amount stays as it is.
    if (detalle_.isEmpty() && cruce_.isEmpty()) return;
    aplicarRegla();
}

// The amount paid: the documents, plus the surplus, less the crossings.
void Tfegresos::aplicarRegla() {
    if (!editando(egreso_)) egreso_.edit();
    const Dinero documentos = detalle_.isEmpty() ? Dinero() : detalle_.sum(QStringLiteral("EGDE_ABONO"));
    ponImporte(egreso_, kMonto, documentos + egreso_.asDinero(kExcedente) - sumCruce_);
    emit cambiado();
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
Dinero Tfegresos::sumAbono() const { return detalle_.isOpen() && !detalle_.isEmpty() ? detalle_.sum(QStringLiteral("EGDE_ABONO")) : Dinero(); }

void Tfegresos::abrirDocumentos() {
    if (panel() != Panel::Ninguno && panel() != Panel::Documentos) return;
    documentosAbiertos_ = true;
    totalesEditables_ = false;
    if (detalle_.isEmpty()) detalle_.append();
    interaccion_.enfocar(QStringLiteral("EGDE_TIPODOC"));
    emit cambiado();
}

void Tfegresos::postearPendientes(DataSet& ds) {
    if (editando(ds)) ds.post();
}

bool Tfegresos::continuarDocumentos() {
    if (editando(detalle_)) {
        if (detalle_.asString(QStringLiteral("EGDE_NUMERO")).trimmed().isEmpty() || detalle_.isNull(QStringLiteral("EGDE_IDDOC"))) {
            detalle_.cancel();
        } else {
            try {
                detalle_.post();
            } catch (const DataSetError& e) {
                interaccion_.error(e.message());
                return false;
            }
        }
    }
    if (!editando(egreso_)) egreso_.edit();
    documentosAbiertos_ = false;
    if (!detalle_.isEmpty()) {
        ponImporte(egreso_, QStringLiteral("EGRE_RTFTEMONTO"), detalle_.sum(QStringLiteral("EGDE_RTFTE")));
        ponImporte(egreso_, QStringLiteral("EGRE_RTIVAMONTO"), detalle_.sum(QStringLiteral("EGDE_RTIVA")));
        ponImporte(egreso_, QStringLiteral("EGRE_RTICAMONTO"), detalle_.sum(QStringLiteral("EGDE_RTICA")));
        ponImporte(egreso_, QStringLiteral("EGRE_RTCREE"), detalle_.sum(QStringLiteral("EGDE_RCREE")));
        ponImporte(egreso_, QStringLiteral("EGRE_DTOF"), detalle_.sum(QStringLiteral("EGDE_DTOF")));
        aplicarRegla();
        return true;
    }
    if (otrosConceptos_) {
        egreso_.setValue(kTipo, "3");
        totalesEditables_ = true;
        interaccion_.enfocar(kConc);
    } else {
        interaccion_.error(kSinDocumentos);
        Bandera quieto(sincronizando_);
        egreso_.setValue(kNit, QString());
        egreso_.setValue(kNomTerc, QString());
        interaccion_.enfocar(kNit);
    }
    emit cambiado();
    return true;
}

bool Tfegresos::salirDocumentos() {
    if (editando(detalle_)) detalle_.cancel();
    if (!detalle_.isEmpty()) {
        if (!interaccion_.preguntar(kBorrarDocumentos)) return false;
        while (!detalle_.isEmpty()) {
            detalle_.last();
            detalle_.remove();
        }
        borrarAnticipos();
    }
    return continuarDocumentos();
}

bool Tfegresos::abrirCaja() {
    if (panel() == Panel::Documentos || panel() == Panel::Cruce) return false;
    if (cajaDestinoVisible()) return false;  // a transfer pays nothing from a box
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
    if (editando(cruce_)) {
        if (cruce_.isNull(QStringLiteral("EGCC_IDDOC"))) cruce_.cancel();
        else {
            try {
                cruce_.post();
            } catch (const DataSetError& e) {
                interaccion_.error(e.message());
                return false;
            }
        }
    }
    cruceAbierto_ = false;
    sumCruce_ = cruce_.isEmpty() ? Dinero() : cruce_.sum(QStringLiteral("EGCC_ABONO"));
    aplicarRegla();
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
    else if (panel() == Panel::Ninguno || panel() == Panel::Caja) abrirCaja();
}

void Tfegresos::teclaF5() {
    if (panel() == Panel::Ninguno || panel() == Panel::Banco) abrirBanco();
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

void Tfegresos::abrirClases() {
    interaccion_.abrirPantalla(QStringLiteral("Tfclaseegr"));
    cargarListas();
    emit cambiado();
}

void Tfegresos::registrarAnticipo() {}
int Tfegresos::elegirCxpagar() { return 0; }
int Tfegresos::elegirCartera() { return 0; }
bool Tfegresos::elegirConcepto() { return false; }

// ------------------------------------------------------------------ save

bool Tfegresos::validar() { return true; }
bool Tfegresos::escribir() { return false; }
bool Tfegresos::grabar() { return false; }
void Tfegresos::anticiposDesdeEgreso() {}
void Tfegresos::borrarAnticipos() {}
bool Tfegresos::cerrarPantalla() { return true; }

}  // namespace cxp
