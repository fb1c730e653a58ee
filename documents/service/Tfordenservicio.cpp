#include "documents/service/Tfordenservicio.h"

#include "base/Redondeo.h"
#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/Ayudas.h"
#include "data/Configuracion.h"
#include "data/Importe.h"
#include "data/ImporteColumna.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Sesion.h"
#include "data/Terceros.h"
#include "data/fb/DbError.h"

namespace cxp {

namespace {
const QString kId = QStringLiteral("ORSE_ID");
const QString kNit = QStringLiteral("TERC_NIT");
const QString kPrefijo = QStringLiteral("PREF_PRE");
const QString kNumero = QStringLiteral("ORSE_NUMERO");
const QString kFecha = QStringLiteral("ORSE_FECHA");
const QString kBase = QStringLiteral("ORSE_BASE");
const QString kDtoPorc = QStringLiteral("ORSE_DTOPORC");
const QString kDtoMonto = QStringLiteral("ORSE_DTOMONTO");
const QString kAdicional = QStringLiteral("ORSE_ADICIONAL");
const QString kExtra = QStringLiteral("ORSE_EXTRA");
const QString kIvaPorc = QStringLiteral("ORSE_IVAPORC");
const QString kIvaMonto = QStringLiteral("ORSE_IVAMONTO");
const QString kMoneda = QStringLiteral("ORSE_MONEDA");
const QString kTrm = QStringLiteral("ORSE_TRM");
const QString kProveedor = QStringLiteral("QOrdenServicio");
constexpr int kTipo = 56;

struct CampoRetencion {
    Retencion r;
    const char* tasa;
    const char* monto;
};
const CampoRetencion kRetenciones[] = {
    {Retencion::Fuente, "ORSE_RTFTEPORC", "ORSE_RTFTEMONTO"},
    {Retencion::Iva, "ORSE_RTEIVAOPRC", "ORSE_RTIVAMONTO"},
    {Retencion::Ica, "ORSE_RTICAPORC", "ORSE_RTICAMONTO"},
};

struct Bandera {
    bool& b;
    const bool antes;
    explicit Bandera(bool& x) : b(x), antes(x) { b = true; }
    ~Bandera() { b = antes; }
    Bandera(const Bandera&) = delete;
    Bandera& operator=(const Bandera&) = delete;
};
}  // namespace

Tfordenservicio::Tfordenservicio(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion, ServiciosOrden servicios, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      servicios_(std::move(servicios)),
      numeracion_(std::make_unique<Numeracion>(sesion.compania, interaccion, configuracion)),
      terceros_(std::make_unique<Terceros>(sesion.compania, interaccion, configuracion)) {
    orden_.setUpdateTable(QStringLiteral("ORDEN_SERVICIO"), {kId});
    orden_.onNewRecord([this](DataSet& o) {
        const QDate hoy = QDate::currentDate();
        o.setValue(kId, 0);
        o.setValue(QStringLiteral("TIDO_COD"), kTipo);
        o.setValue(kFecha, hoy);
        o.setValue(QStringLiteral("ORSE_ENTREGA"), hoy);
        for (const char* f : {"ORSE_ANULADO", "ORSE_TRANSMIT", "NUMOK"}) o.setValue(QString::fromLatin1(f), "N");
        o.setValue(QStringLiteral("ORSE_USUARIO"), sesion_.usuario_actual.left(10));
        for (const char* f : {"ORSE_BASE", "ORSE_IVAPORC", "ORSE_IVAMONTO", "ORSE_RTFTEPORC", "ORSE_RTFTEMONTO",
                              "ORSE_RTEIVAOPRC", "ORSE_RTIVAMONTO", "ORSE_RTICAPORC", "ORSE_RTICAMONTO",
                              "ORSE_ADICIONAL", "ORSE_EXTRA", "ORSE_DTOPORC", "ORSE_DTOMONTO"})
            o.setValue(QString::fromLatin1(f), Dinero());
        o.setValue(kTrm, Dinero::desdeEntero(1));
    });
    enlazar();
}

Tfordenservicio::~Tfordenservicio() = default;

// Each amount field feeds the chain; its results go back to the fields,
// and while they go back nothing is fed in again.
void Tfordenservicio::enlazar() {
    auto alCambiar = [this](const QString& campo, std::function<void(Dinero)> paso) {
        orden_.onChange(campo, [this, campo, paso](DataSet& o) {
            if (sincronizando_ || consulta_) return;
            paso(o.asDinero(campo));
            escribirMontos();
        });
    };
    // The base before the discount: "Monto:" and the additional value leave
    // the discount out, the discount amount and the additional value put it in.
    alCambiar(kAdicional, [this](Dinero v) { cadena_.cambieAdicional(v); });
    alCambiar(kDtoMonto, [this](Dinero v) { cadena_.cambieMontoDescuento(0, v); });
    alCambiar(kDtoPorc, [this](Dinero v) { descuentoIngresado(v); });
    alCambiar(kExtra, [this](Dinero v) { cadena_.cambieExtra(v); });
    alCambiar(kBase, [this](Dinero v) { cadena_.cambieMonto(v); });
    alCambiar(kIvaPorc, [this](Dinero v) { cadena_.cambieTasaIva(v); });
    for (const CampoRetencion& r : kRetenciones) {
        const Retencion cual = r.r;
        alCambiar(QString::fromLatin1(r.tasa), [this, cual](Dinero v) { cadena_.cambieTasa(cual, v); });
        alCambiar(QString::fromLatin1(r.monto), [this, cual](Dinero v) { cadena_.digiteRetencion(cual, v); });
    }
    orden_.onChange(kNit, [this](DataSet&) {
        if (!consulta_ && !sincronizando_) acreedorIngresado();
    });
    orden_.onChange(kPrefijo, [this](DataSet&) {
        if (!consulta_ && !sincronizando_) prefijoIngresado();
    });
    orden_.onChange(kNumero, [this](DataSet&) {
        if (!consulta_ && !sincronizando_) numeroIngresado();
    });
    orden_.onChange(kFecha, [this](DataSet&) {
        if (!consulta_ && !sincronizando_) fechaIngresada();
    });
    orden_.onChange(kMoneda, [this](DataSet&) {
        if (!consulta_ && !sincronizando_) monedaIngresada();
    });
}

// The discount on the base as it stands without the discount, so that a
// second percentage does not discount the first discount again.
void Tfordenservicio::descuentoIngresado(Dinero porcentaje) {
    cadena_.m.dtoPorc[0] = porcentaje;
    const Dinero sinDescuento = cadena_.m.subTotal + cadena_.m.adicional;
    cadena_.cambieMontoDescuento(0, redondearR(sinDescuento.porcentaje(porcentaje), cadena_.reglas().digito));
}

void Tfordenservicio::setSubTotal(Dinero v) {
    if (consulta_) return;
    cadena_.m.subTotal = v;
    cadena_.cambieMonto(v + cadena_.m.adicional);
    escribirMontos();
}

void Tfordenservicio::escribirMontos() {
    if (!orden_.isOpen() || orden_.isEmpty()) return;
    {
        Bandera b(sincronizando_);
        const MontosDocumento& m = cadena_.m;
        auto pon = [this](const QString& campo, Dinero v) { ponImporte(orden_, campo, v); };
        pon(kDtoPorc, m.dtoPorc[0]);
        pon(kDtoMonto, m.dtoMonto[0]);
        pon(kAdicional, m.adicional);
        pon(kExtra, m.extra);
        pon(kBase, m.monto);
        pon(kIvaPorc, m.ivaPorc);
        pon(kIvaMonto, m.ivaMonto);
        pon(QStringLiteral("ORSE_RTFTEPORC"), m.rtftePorc);
        pon(QStringLiteral("ORSE_RTFTEMONTO"), m.rtfteMonto);
        pon(QStringLiteral("ORSE_RTEIVAOPRC"), m.rtivaPorc);
        pon(QStringLiteral("ORSE_RTIVAMONTO"), m.rtivaMonto);
        pon(QStringLiteral("ORSE_RTICAPORC"), m.rticaPorc);
        pon(QStringLiteral("ORSE_RTICAMONTO"), m.rticaMonto);
    }
    emit cambiado();
}

// An order brought back: the chain starts from its fields.
void Tfordenservicio::leerMontos() {
    MontosDocumento& m = cadena_.m;
    m.dtoPorc[0] = orden_.asDinero(kDtoPorc);
    m.dtoMonto[0] = orden_.asDinero(kDtoMonto);
    m.adicional = orden_.asDinero(kAdicional);
    m.extra = orden_.asDinero(kExtra);
    m.monto = m.baseRtfte = orden_.asDinero(kBase);
    m.subTotal = m.monto + m.dtoMonto[0] - m.adicional;
    m.ivaPorc = orden_.asDinero(kIvaPorc);
    m.ivaMonto = orden_.asDinero(kIvaMonto);
    m.rtftePorc = orden_.asDinero(QStringLiteral("ORSE_RTFTEPORC"));
    m.rtfteMonto = orden_.asDinero(QStringLiteral("ORSE_RTFTEMONTO"));
    m.rtivaPorc = orden_.asDinero(QStringLiteral("ORSE_RTEIVAOPRC"));
    m.rtivaMonto = orden_.asDinero(QStringLiteral("ORSE_RTIVAMONTO"));
    m.rticaPorc = orden_.asDinero(QStringLiteral("ORSE_RTICAPORC"));
    m.rticaMonto = orden_.asDinero(QStringLiteral("ORSE_RTICAMONTO"));
}

void Tfordenservicio::leerConfiguracion() {
    auto es = [this](const char* modulo, const char* grupo, const char* clave, const char* valor) {
        return configuracion_.valor(QString::fromLatin1(modulo), QString::fromLatin1(grupo), QString::fromLatin1(clave))
                   .trimmed()
                   .compare(QString::fromLatin1(valor), Qt::CaseInsensitive) == 0;
    };
    preguntaTasa_ = es("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR", "SI");
    fechaInhabilitada_ = es("CXPAGAR", "DOCUMENTOS", "INHABILITAR FECHA EN DOCUMENTOS", "SI");
    CadenaMontos::Reglas r;
    r.digito = configuracion_.entero(QStringLiteral("CXPAGAR"), QStringLiteral("DOCUMENTOS"),
                                     QStringLiteral("REDONDEO AL MULTIPLO DE DIEZ EN TOTALES"));
    r.baseMinima = es("CXPAGAR", "DOCUMENTOS",
                      "CAUSAR RETENCIONES A PARTIR DE LA BASE MINIMA DEL PROVEEDOR O DESDE CERO", "BASE MINIMA");
    r.porcionSimplificado =
        Dinero::desdeTexto(configuracion_.valor(QStringLiteral("COMPRAS"), QStringLiteral("FACTURAS"),
                                                QStringLiteral("PORCENTAJE DE RETENCION DE IVA PARA REGIMEN SIMPLIFICADO")))
            .value_or(Dinero());
    cadena_.fijeReglas(r);
    monedas_.clear();
    if (preguntaTasa_)
        for (const fb::Row& f :
             sesion_.compania.query(QStringLiteral("select timo_cod, timo_nombre from tipos_moneda order by timo_cod")))
            monedas_.append({f[0].toString(), f[1].toString().trimmed()});
}

bool Tfordenservicio::cargarPrefijos() {
    prefijos_.clear();
    for (const QString& p : prefijosActivos(sesion_.compania, kTipo, sesion_.agencia_actual)) prefijos_.append({p, p});
    return !prefijos_.isEmpty();
}

QString Tfordenservicio::actualDelPrefijo(const QString& prefijo, bool* automatico) {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_actual, pref_auto from prefijos where tido_cod = 56 and pref_pre = ") +
        sql::texto(prefijo));
    if (automatico) *automatico = fila && (*fila)[1].toString().trimmed() == QLatin1String("S");
    if (!fila) return QString();
    const auto libre = numeroLibreDelPrefijo(sesion_.compania, kTipo, prefijo);
    return libre ? *libre : complete_numero((*fila)[0].toString().trimmed());
}

bool Tfordenservicio::abrir() {
    try {
        leerConfiguracion();
        if (!cargarPrefijos()) {
            interaccion_.error(kSinPrefijo);
            return false;
        }
        orden_.open(sesion_.compania, QStringLiteral("SELECT * FROM ORDEN_SERVICIO WHERE ORSE_ID = 0"));
        if (!orden_.isEmpty()) {
            if (interaccion_.preguntar(kOrdenPrevia)) {
                orden_.edit();
                cadena_.reinicie();
                leerMontos();
                perfil(orden_.asString(kNit).trimmed(), false);
                actualDelPrefijo(orden_.asString(kPrefijo), &numeroAutomatico_);
                emit cambiado();
                return true;
            }
            sesion_.compania.executeDirect(QStringLiteral("delete from orden_servicio where orse_id = 0"));
            orden_.open(sesion_.compania, QStringLiteral("SELECT * FROM ORDEN_SERVICIO WHERE ORSE_ID = 0"));
        }
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    nuevaOrden(prefijos_.first().clave);
    return true;
}

void Tfordenservicio::nuevaOrden(const QString& prefijo) {
    cadena_.reinicie();
    nombreAcreedor_.clear();
    rtCree_ = Dinero();
    orden_.clear();
    orden_.append();
    const QString elegido = claveDe(prefijos_, prefijo).isEmpty() ? prefijos_.first().clave : prefijo;
    orden_.setValue(kPrefijo, elegido);
    if (orden_.asString(kNumero).isEmpty()) prefijoIngresado();
    interaccion_.enfocar(kNumero);
    emit reiniciado();
    emit cambiado();
}

// The creditor's name, profile and regime. With `tasas` its percentages
// fill the order and the amounts are worked out again.
void Tfordenservicio::perfil(const QString& nit, bool tasas) {
    nombreAcreedor_.clear();
    rtCree_ = Dinero();
    if (nit.isEmpty()) return;
    const auto p = terceros_->valide_retenciones(nit);
    if (!p || p->nombre.isEmpty()) {
        if (tasas) {
            interaccion_.error(kNitInactivo);
            orden_.setValue(kNit, QString());
            interaccion_.enfocar(kNit);
        }
        return;
    }
    nombreAcreedor_ = p->nombre;
    rtCree_ = p->cree;
    const auto prov = sesion_.compania.queryOne(
        QStringLiteral("select prov_simplificado from proveedores where terc_nit = ") + sql::texto(nit));
    cadena_.nuevoAcreedor(terceros_->base_rtfte(nit), terceros_->base_rtica(nit),
                          prov && (*prov)[0].toString().trimmed() == QLatin1String("S"));
    // The order keeps no CREE: it is shown, never withheld here.
    if (tasas) cadena_.tasasDelAcreedor(p->retefuente, p->reteiva, p->reteica, Dinero());
}

void Tfordenservicio::acreedorIngresado() {
    const QString nit = orden_.asString(kNit).trimmed();
    if (nit.startsWith(u'?')) {
        buscarAcreedor();
        return;
    }
    perfil(nit, true);
    escribirMontos();
}

void Tfordenservicio::buscarAcreedor() {
    if (consulta_) return;
    const auto eleccion = interaccion_.elegir(QStringLiteral("Tfbuscprove"));
    orden_.setValue(kNit, eleccion ? eleccion->value(QStringLiteral("nit")).toString() : QString());
}

void Tfordenservicio::buscarOrdenes() { interaccion_.abrirPantalla(QStringLiteral("Tfbuscaordenes")); }

void Tfordenservicio::prefijoIngresado() {
    const QString prefijo = orden_.asString(kPrefijo);
    if (prefijo.isEmpty()) return;
    const QString actual = actualDelPrefijo(prefijo, &numeroAutomatico_);
    {
        Bandera b(sincronizando_);
        orden_.setValue(kNumero, actual);
    }
    emit cambiado();  // the number's read-only state follows the prefix
}

void Tfordenservicio::numeroIngresado() {
    Bandera b(sincronizando_);
    const QString prefijo = orden_.asString(kPrefijo);
    EntradaNumero entrada(*numeracion_, kTipo);
    entrada.cambio(orden_, kNumero, prefijo, actualDelPrefijo(prefijo), [this](const QString& id) {
        // The order being entered, brought back with its number, is not a taken one.
        if (id.toLongLong() != orden_.asInt(kId) && servicios_.consultar) servicios_.consultar(id.toLongLong());
    });
}

void Tfordenservicio::fechaIngresada() {
    if (!orden_.asDate(kFecha).isValid()) return;
    valide_fecha(orden_, kFecha, configuracion_, interaccion_);
    if (preguntaTasa_) monedaIngresada();
}

// The day's rate of the currency; 1 when there is none.
void Tfordenservicio::monedaIngresada() {
    if (!preguntaTasa_) return;
    Dinero tasa = Dinero::desdeEntero(1);
    if (!orden_.value(kMoneda).isNull()) {
        const auto fila = sesion_.compania.queryOne(
            QStringLiteral("select taca_valor from tasa_cambio_moneda where timo_cod = ") +
            sql::numero(orden_.asInt(kMoneda)) + QStringLiteral(" and taca_fecha = ") + sql::fecha(orden_.asDate(kFecha)));
        if (fila && !(*fila)[0].isNull() && dineroDe((*fila)[0]) > Dinero()) tasa = dineroDe((*fila)[0]);
    }
    ponImporte(orden_, kTrm, tasa);
}

Dinero Tfordenservicio::netoAPagar() const {
    if (!orden_.isOpen() || orden_.isEmpty()) return Dinero();
    return orden_.asDinero(kBase) + orden_.asDinero(kIvaMonto) + orden_.asDinero(kExtra);
}

Dinero Tfordenservicio::total() const {
    Dinero t = netoAPagar();
    if (!orden_.isOpen() || orden_.isEmpty()) return t;
    for (const CampoRetencion& r : kRetenciones) t -= orden_.asDinero(QString::fromLatin1(r.monto));
    return t;
}

bool Tfordenservicio::anulado() const {
    return orden_.isOpen() && !orden_.isEmpty() &&
           orden_.asString(QStringLiteral("ORSE_ANULADO")).trimmed() == QLatin1String("S");
}

bool Tfordenservicio::grabar() {
    if (!orden_.isOpen() || orden_.isEmpty()) return false;
    if (consulta_) {
        if (servicios_.imprimir) servicios_.imprimir(id_);
        leerConsulta();
        return false;
    }
    // Typed withholdings give back their percentages.
    cadena_.tasasDesdeMontos();
    escribirMontos();
    if (orden_.state() == DataSet::State::Browse) orden_.edit();
    if (orden_.asString(kNit).trimmed().isEmpty()) {
        interaccion_.error(kSinNit);
        interaccion_.enfocar(kNit);
        return false;
    }
    if (orden_.asDinero(kBase).esCero()) {
        interaccion_.error(kMontoCero);
        interaccion_.enfocar(QStringLiteral("SubTotal"));
        return false;
    }
    if (!escribir()) {
        if (orden_.state() == DataSet::State::Browse) orden_.edit();
        return false;
    }
    ultimoId_ = orden_.asInt(kId);
    const QString prefijo = orden_.asString(kPrefijo);
    try {
        if (servicios_.imprimir) servicios_.imprimir(ultimoId_);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
    }
    nuevaOrden(prefijo);
    return true;
}

// The id is taken inside the save's own transaction, once: a retry keeps
// it. On an automatic prefix whose number another clerk took meanwhile the
// order takes the next free one and the clerk is told.
bool Tfordenservicio::escribir() {
    const QString pedido = orden_.asString(kNumero);
    try {
        if (orden_.state() != DataSet::State::Browse) orden_.post();
        ApplyOptions o;
        if (numeroAutomatico_) o.maxAttempts = 60;
        o.maxDuration = std::chrono::seconds(8);
        o.transaction.lockTimeoutSeconds = 3;
        o.beforeApply = [this](fb::Transaction& tr, int) {
            if (orden_.asInt(kId) != 0) return;
            const int64_t id = tr.executeProcedure(QStringLiteral("CAMBIE_ID_ORDENSER"))[QStringLiteral("ID")].toInt64();
            Bandera b(sincronizando_);
            orden_.edit();
            orden_.setValue(kId, id);
            orden_.post();
        };
        o.onFailure = [this](const fb::DbError& e, int) {
            if (e.kind() != fb::ErrorKind::Unique || !numeroAutomatico_) return false;
            const auto siguiente = numeroLibreDelPrefijo(sesion_.compania, kTipo, orden_.asString(kPrefijo));
            if (!siguiente || *siguiente == orden_.asString(kNumero)) return false;
            Bandera b(sincronizando_);
            orden_.edit();
            orden_.setValue(kNumero, *siguiente);
            orden_.post();
            return true;
        };
        orden_.applyUpdates(sesion_.compania, o);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor, &orden_, QStringLiteral("cdsOrdenServicio"));
        return false;
    }
    if (orden_.asString(kNumero) != pedido)
        interaccion_.informacion(QStringLiteral("El número ") + pedido +
                                 QStringLiteral(" fue tomado por otro documento. La orden se grabó con el número ") +
                                 orden_.asString(kNumero) + QStringLiteral("."));
    return true;
}

bool Tfordenservicio::cancelar() {
    if (!consulta_ && orden_.isOpen() && !orden_.isEmpty() && !orden_.asString(kNit).trimmed().isEmpty() &&
        !interaccion_.preguntar(kCancelar))
        return false;
    if (orden_.isOpen() && orden_.state() != DataSet::State::Browse) orden_.cancel();
    emit cerrar();
    return true;
}

bool Tfordenservicio::consultar(int64_t id) {
    consulta_ = true;
    id_ = id;
    try {
        leerConfiguracion();
        leerConsulta();
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    if (orden_.isEmpty()) {
        interaccion_.error(QStringLiteral("No existe la órden de servicio"));
        return false;
    }
    return true;
}

void Tfordenservicio::leerConsulta() {
    orden_.open(sesion_.compania, QStringLiteral("SELECT * FROM ORDEN_SERVICIO WHERE ORSE_ID = ") + sql::numero(id_));
    for (int i = 0; i < orden_.fieldCount(); ++i) orden_.field(i).setReadOnly(true);
    prefijos_.clear();
    if (orden_.isEmpty()) return;
    prefijos_.append({orden_.asString(kPrefijo), orden_.asString(kPrefijo)});
    cadena_.reinicie();
    leerMontos();
    nombreAcreedor_ = terceros_->nom_tercero(orden_.asString(kNit).trimmed());
    registro_ = QStringLiteral("Registro: ") + texto_auditoria_insercion(sesion_.compania, kTipo, id_);
    razon_ = anulado() ? razon_anulacion(sesion_.compania, sesion_.general, kTipo, id_) : QString();
    emit cambiado();
}

}  // namespace cxp
