#include "documents/charges/Tfnotasdebito.h"

#include "base/Sql.h"
#include "data/Articulos.h"
#include "data/Ayudas.h"
#include "data/Configuracion.h"
#include "data/Contabilidad.h"
#include "data/Importe.h"
#include "data/ImporteColumna.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Selectores.h"
#include "data/Sesion.h"
#include "data/Terceros.h"
#include "data/fb/DbError.h"
#include "documents/service/OrdenEnCargo.h"

namespace cxp {

namespace {
const QString kId = QStringLiteral("NDPR_ID");
const QString kNit = QStringLiteral("TERC_NIT");
const QString kPrefijo = QStringLiteral("PREF_PRE");
const QString kNumero = QStringLiteral("NDPR_NUMERO");
const QString kFecha = QStringLiteral("NDPR_FECHA");
const QString kVence = QStringLiteral("NDPR_VENCE");
const QString kNumProv = QStringLiteral("NDPR_NUMPROV");
const QString kMonto = QStringLiteral("NDPR_MONTO");
const QString kItem = QStringLiteral("NDPD_ITEM");
const QString kTotalLinea = QStringLiteral("NDPD_TOTAL");
const QString kProveedor = QStringLiteral("QNotasDebito");
const QString kTabla = QStringLiteral("NOTAS_DEBITO_PROVEEDOR");

const QString dtoPorc(int i) { return QStringLiteral("NDPR_DTO%1P").arg(i + 1); }
const QString dtoMonto(int i) { return QStringLiteral("NDPR_DTO%1M").arg(i + 1); }
const QString base(int i) { return QStringLiteral("NDPR_BASE%1").arg(i); }
const QString iva(int i) { return QStringLiteral("NDPR_IVA%1").arg(i); }

struct CampoRetencion {
    Retencion r;
    const char* tasa;
    const char* monto;
};
const CampoRetencion kRetenciones[] = {
    {Retencion::Fuente, "NDPR_RTFTEPORC", "NDPR_RTFTEMONTO"},
    {Retencion::Iva, "NDPR_RTIVAPORC", "NDPR_RTIVAMONTO"},
    {Retencion::Ica, "NDPR_RTICAPORC", "NDPR_RTICAMONTO"},
    {Retencion::Cree, "NDPR_RTCREE", "NDPR_RTCREEM"},
};

bool vacio(const DataSet& ds, const QString& campo) { return ds.asString(campo).trimmed().isEmpty(); }

// Raises a screen flag for a scope and lowers it however the scope ends: a
// refused value must never leave the screen deaf to later changes.
struct Bandera {
    bool& b;
    const bool antes;
    explicit Bandera(bool& x) : b(x), antes(x) { b = true; }
    ~Bandera() { b = antes; }
    Bandera(const Bandera&) = delete;
    Bandera& operator=(const Bandera&) = delete;
};
}  // namespace

Tfnotasdebito::Tfnotasdebito(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, ServiciosCargo servicios, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      servicios_(std::move(servicios)),
      numeracion_(std::make_unique<Numeracion>(sesion.compania, interaccion, configuracion)),
      terceros_(std::make_unique<Terceros>(sesion.compania, interaccion, configuracion)),
      contabilidad_(std::make_unique<Contabilidad>(sesion, interaccion, configuracion)),
      articulos_(std::make_unique<Articulos>(sesion.compania)) {
    cargo_.setUpdateTable(kTabla, {kId});
    lineas_.setUpdateTable(QStringLiteral("NOTA_DEBITO_PROV_DET"), {kId, kItem});
    cargo_.addDetail(lineas_, {kId}, {kId});

    cargo_.onNewRecord([this](DataSet& c) {
        const QDate hoy = QDate::currentDate();
        c.setValue(kId, 0);
        c.setValue(QStringLiteral("TIDO_COD"), 51);
        c.setValue(kFecha, hoy);
        c.setValue(kVence, hoy);
        c.setValue(QStringLiteral("NDPR_DTOFECHA"), hoy);
        for (const char* f : {"NDPR_ANULADO", "NDPR_TRANSMIT", "NUMOK"}) c.setValue(QString::fromLatin1(f), "N");
        c.setValue(QStringLiteral("NDPR_TIPOCOSTO"), "A");
        c.setValue(QStringLiteral("NDPR_USUARIO"), sesion_.usuario_actual);
        for (const char* f : {"NDPR_MONTO", "NDPR_IVAPORC", "NDPR_IVAMONTO", "NDPR_RTFTEPORC", "NDPR_RTFTEMONTO",
                              "NDPR_RTIVAPORC", "NDPR_RTIVAMONTO", "NDPR_RTICAPORC", "NDPR_RTICAMONTO", "NDPR_RTCREE",
                              "NDPR_RTCREEM", "NDPR_DTOFPORC", "NDPR_DTOFMONTO", "NDPR_BASERTFTE", "NDPR_ADICIONAL",
                              "NDPR_EXTRA", "NDPR_BASE0", "NDPR_BASE1", "NDPR_BASE2", "NDPR_BASE3", "NDPR_IVA1",
                              "NDPR_IVA2", "NDPR_IVA3", "NDPR_INALCM", "NDPR_TOTALDET"})
            c.setValue(QString::fromLatin1(f), Dinero());
        // Discounts 2 to 4 exist only when the additional discounts are shown.
        for (int i = 0; i < 4; ++i) {
            Dinero tasa;
            if (descuentosAdicionales_) {
                static const char* orden[] = {"PRIMER", "SEGUNDO", "TERCER", "CUARTO"};
                const QString clave = QStringLiteral("PORCENTAJE DEL %1 DESCUENTO ADICIONAL EN CARGOS")
                                          .arg(QString::fromLatin1(orden[i]));
                tasa = Dinero::desdeTexto(configuracion_.valor(QStringLiteral("CXPAGAR"), QStringLiteral("DOCUMENTOS"),
                                                               clave))
                           .value_or(Dinero());
            }
            c.setValue(dtoPorc(i), tasa);
            c.setValue(dtoMonto(i), Dinero());
        }
        // Pesos are at 1; the default currency, set after, reads its rate
        // of the day (monedaIngresada) and is not overwritten.
        c.setValue(QStringLiteral("NDPR_TRM"), 1.0);
        if (preguntaTasa_ && monedaPredeterminada_ != 0) c.setValue(QStringLiteral("NDPR_MONEDA"), monedaPredeterminada_);
    });
    lineas_.onNewRecord([this](DataSet& l) {
        l.setValue(kItem, ++ultimaLinea_);
        l.setValue(QStringLiteral("NDPD_ANULADO"), "N");
        l.setValue(QStringLiteral("NDPD_TRANSMIT"), "N");
        l.setValue(QStringLiteral("NDPD_CANT"), Dinero::desdeEntero(1));
    });
    lineas_.onChange(QStringLiteral("ARTI_COD"), [this](DataSet&) { articuloIngresado(); });
    lineas_.onChange(QStringLiteral("NDPD_UNIDAD"), [this](DataSet&) { unidadIngresada(); });
    // A quantity with four decimals times a cost: the total at its column's cents.
    for (const char* campo : {"NDPD_CANT", "NDPD_COSTO"})
        lineas_.onChange(QString::fromLatin1(campo), [this](DataSet& l) {
            if (sincronizandoLineas_) return;
            ponImporte(l, kTotalLinea, l.asDinero(QStringLiteral("NDPD_CANT")) * l.asDinero(QStringLiteral("NDPD_COSTO")));
        });
    enlazar();
}

Tfnotasdebito::~Tfnotasdebito() = default;

// Each amount field feeds the chain, and the chain's results go back to the
// fields. While they go back nothing is fed in again.
void Tfnotasdebito::enlazar() {
    auto alCambiar = [this](const QString& campo, std::function<void(Dinero)> paso) {
        cargo_.onChange(campo, [this, campo, paso](DataSet& c) {
            if (sincronizando_) return;
            paso(c.asDinero(campo));
            escribirMontos();
        });
    };
    for (int i = 0; i < 4; ++i) {
        alCambiar(dtoPorc(i), [this, i](Dinero v) { cadena_.cambieTasaDescuento(i, v); });
        alCambiar(dtoMonto(i), [this, i](Dinero v) { cadena_.cambieMontoDescuento(i, v); });
    }
    alCambiar(QStringLiteral("NDPR_ADICIONAL"), [this](Dinero v) { cadena_.cambieAdicional(v); });
    alCambiar(QStringLiteral("NDPR_EXTRA"), [this](Dinero v) { cadena_.cambieExtra(v); });
    alCambiar(kMonto, [this](Dinero v) { cadena_.cambieMonto(v); });
    alCambiar(QStringLiteral("NDPR_IVAPORC"), [this](Dinero v) { cadena_.cambieTasaIva(v); });
    alCambiar(QStringLiteral("NDPR_DTOFPORC"), [this](Dinero v) { cadena_.cambieTasaDtof(v); });
    // The IVA and prompt-payment amounts typed: kept and made rates on save.
    alCambiar(QStringLiteral("NDPR_IVAMONTO"), [this](Dinero v) { cadena_.digiteIva(v); });
    alCambiar(QStringLiteral("NDPR_DTOFMONTO"), [this](Dinero v) { cadena_.digiteDtof(v); });
    alCambiar(QStringLiteral("NDPR_BASERTFTE"), [this](Dinero v) {
        if (basesAbiertas_) baseEnBases_ = true;
        cadena_.cambieBaseRtfte(v);
    });
    for (const CampoRetencion& r : kRetenciones) {
        const Retencion cual = r.r;
        alCambiar(QString::fromLatin1(r.tasa), [this, cual](Dinero v) { cadena_.cambieTasa(cual, v); });
        alCambiar(QString::fromLatin1(r.monto), [this, cual](Dinero v) { cadena_.digiteRetencion(cual, v); });
    }
    alCambiar(base(0), [this](Dinero v) { cadena_.m.base0 = v; });
    for (int i = 1; i <= 3; ++i)
        alCambiar(base(i), [this, i](Dinero v) { cadena_.cambieBase(i - 1, v); });
    for (int i = 1; i <= 3; ++i)
        alCambiar(iva(i), [this, i](Dinero v) { cadena_.m.iva[i - 1] = v; });
    alCambiar(QStringLiteral("NDPR_INALCM"), [this](Dinero v) { cadena_.m.inalcm = v; });

    cargo_.onChange(kNit, [this](DataSet&) { acreedorIngresado(); });
    cargo_.onChange(kNumProv, [this](DataSet&) { revisarNumeroProveedor(); });
    cargo_.onChange(QStringLiteral("NDPR_ORDSERV"), [this](DataSet& c) {
        if (llenarCargoDesdeOrden(c, cadena_, sesion_.compania, interaccion_)) escribirMontos();
    });
    cargo_.onChange(kPrefijo, [this](DataSet&) { prefijoIngresado(); });
    cargo_.onChange(kNumero, [this](DataSet&) { numeroIngresado(); });
    cargo_.onChange(kFecha, [this](DataSet&) { fechaIngresada(); });
    cargo_.onChange(kVence, [this](DataSet&) { venceIngresado(); });
    cargo_.onChange(QStringLiteral("NDPR_MONEDA"), [this](DataSet&) { monedaIngresada(); });
    cargo_.onChange(QStringLiteral("NDPR_PROY"), [this](DataSet&) { centroIngresado(); });
    cargo_.onChange(QStringLiteral("NDPR_CENTRO"), [this](DataSet&) { subcentroIngresado(); });
    cargo_.onChange(QStringLiteral("NDPR_MANDANTE"), [this](DataSet&) { mandanteIngresado(); });
    cargo_.onChange(QStringLiteral("ARTI_COD"), [this](DataSet&) { articuloCargoIngresado(); });
    cargo_.onChange(QStringLiteral("NDPR_CTAPAGAR"), [this](DataSet&) { cuentaIngresada(QStringLiteral("NDPR_CTAPAGAR"), false); });
    cargo_.onChange(QStringLiteral("NDPR_CTACAUSA"), [this](DataSet&) { cuentaIngresada(QStringLiteral("NDPR_CTACAUSA"), false); });
    cargo_.onChange(QStringLiteral("NDPR_CTAPAGARN"), [this](DataSet&) { cuentaIngresada(QStringLiteral("NDPR_CTAPAGARN"), true); });
    cargo_.onChange(QStringLiteral("NDPR_CTACAUSAN"), [this](DataSet&) { cuentaIngresada(QStringLiteral("NDPR_CTACAUSAN"), true); });
}

// Each column at its own scale: the chain keeps its four decimals.
void Tfnotasdebito::escribirMontos() {
    if (!cargo_.isOpen() || cargo_.isEmpty()) return;
    Bandera escribiendo(sincronizando_);
    const MontosDocumento& m = cadena_.m;
    auto pon = [this](const QString& campo, Dinero v) { ponImporte(cargo_, campo, v); };
    for (int i = 0; i < 4; ++i) {
        pon(dtoPorc(i), m.dtoPorc[i]);
        pon(dtoMonto(i), m.dtoMonto[i]);
    }
    pon(QStringLiteral("NDPR_ADICIONAL"), m.adicional);
    pon(QStringLiteral("NDPR_EXTRA"), m.extra);
    pon(kMonto, m.monto);
    pon(QStringLiteral("NDPR_IVAPORC"), m.ivaPorc);
    pon(QStringLiteral("NDPR_IVAMONTO"), m.ivaMonto);
    pon(QStringLiteral("NDPR_BASERTFTE"), m.baseRtfte);
    pon(QStringLiteral("NDPR_RTFTEPORC"), m.rtftePorc);
    pon(QStringLiteral("NDPR_RTFTEMONTO"), m.rtfteMonto);
    pon(QStringLiteral("NDPR_RTIVAPORC"), m.rtivaPorc);
    pon(QStringLiteral("NDPR_RTIVAMONTO"), m.rtivaMonto);
    pon(QStringLiteral("NDPR_RTICAPORC"), m.rticaPorc);
    pon(QStringLiteral("NDPR_RTICAMONTO"), m.rticaMonto);
    pon(QStringLiteral("NDPR_RTCREE"), m.creePorc);
    pon(QStringLiteral("NDPR_RTCREEM"), m.creeMonto);
    pon(QStringLiteral("NDPR_DTOFPORC"), m.dtofPorc);
    pon(QStringLiteral("NDPR_DTOFMONTO"), m.dtofMonto);
    pon(base(0), m.base0);
    for (int i = 0; i < 3; ++i) {
        pon(base(i + 1), m.base[i]);
        pon(iva(i + 1), m.iva[i]);
    }
    pon(QStringLiteral("NDPR_INALCM"), m.inalcm);
    emit montosCambiados();
}

// A charge brought back to the screen: the chain starts from its fields.
void Tfnotasdebito::leerMontos() {
    MontosDocumento& m = cadena_.m;
    for (int i = 0; i < 4; ++i) {
        m.dtoPorc[i] = cargo_.asDinero(dtoPorc(i));
        m.dtoMonto[i] = cargo_.asDinero(dtoMonto(i));
    }
    m.adicional = cargo_.asDinero(QStringLiteral("NDPR_ADICIONAL"));
    m.extra = cargo_.asDinero(QStringLiteral("NDPR_EXTRA"));
    m.monto = cargo_.asDinero(kMonto);
    m.subTotal = m.monto + m.dtoMonto[0] + m.dtoMonto[1] + m.dtoMonto[2] + m.dtoMonto[3] - m.adicional;
    m.ivaPorc = cargo_.asDinero(QStringLiteral("NDPR_IVAPORC"));
    m.ivaMonto = cargo_.asDinero(QStringLiteral("NDPR_IVAMONTO"));
    m.baseRtfte = cargo_.asDinero(QStringLiteral("NDPR_BASERTFTE"));
    m.rtftePorc = cargo_.asDinero(QStringLiteral("NDPR_RTFTEPORC"));
    m.rtfteMonto = cargo_.asDinero(QStringLiteral("NDPR_RTFTEMONTO"));
    m.rtivaPorc = cargo_.asDinero(QStringLiteral("NDPR_RTIVAPORC"));
    m.rtivaMonto = cargo_.asDinero(QStringLiteral("NDPR_RTIVAMONTO"));
    m.rticaPorc = cargo_.asDinero(QStringLiteral("NDPR_RTICAPORC"));
    m.rticaMonto = cargo_.asDinero(QStringLiteral("NDPR_RTICAMONTO"));
    m.creePorc = cargo_.asDinero(QStringLiteral("NDPR_RTCREE"));
    m.creeMonto = cargo_.asDinero(QStringLiteral("NDPR_RTCREEM"));
    m.dtofPorc = cargo_.asDinero(QStringLiteral("NDPR_DTOFPORC"));
    m.dtofMonto = cargo_.asDinero(QStringLiteral("NDPR_DTOFMONTO"));
    m.base0 = cargo_.asDinero(base(0));
    for (int i = 0; i < 3; ++i) {
        m.base[i] = cargo_.asDinero(base(i + 1));
        m.iva[i] = cargo_.asDinero(iva(i + 1));
    }
    m.inalcm = cargo_.asDinero(QStringLiteral("NDPR_INALCM"));
}

void Tfnotasdebito::leerConfiguracion() {
    auto es = [this](const char* modulo, const char* grupo, const char* clave, const char* valor) {
        return configuracion_.valor(QString::fromLatin1(modulo), QString::fromLatin1(grupo), QString::fromLatin1(clave))
                   .trimmed()
                   .compare(QString::fromLatin1(valor), Qt::CaseInsensitive) == 0;
    };
    accionRepetido_ = configuracion_
                          .valor(QStringLiteral("COMPRAS"), QStringLiteral("FACTURAS"),
                                 QStringLiteral("ACCION A TOMAR SI SE REPITE EL NUMERO DE FACTURA DEL PROVEEDOR"))
                          .trimmed()
                          .toUpper();
    numProvObligatorio_ = es("COMPRAS", "FACTURAS", "NUMERO DE FACTURA DEL PROVEEDOR OBLIGATORIO", "SI");
    filtrarCentros_ = es("CONTABILIDAD", "COMPROBANTES", "FILTRAR CENTROS DE COSTO POR AGENCIA", "SI");
    descuentosAdicionales_ =
        es("CXPAGAR", "DOCUMENTOS", "INCLUIR CAMPOS DE DESCUENTOS ADICIONALES EN CARGOS POR PAGAR", "SI");
    preguntaMandante_ = es("CXPAGAR", "DOCUMENTOS", "PREGUNTAR MANDANTE EN DOCUMENTOS DE CUENTAS POR PAGAR", "SI");
    preguntaTasa_ = es("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR", "SI");
    fechaInhabilitada_ = es("CXPAGAR", "DOCUMENTOS", "INHABILITAR FECHA EN DOCUMENTOS", "SI");
    monedaPredeterminada_ = configuracion_.entero(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                                  QStringLiteral("MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR"));
    CadenaMontos::Reglas r;
    r.digito = configuracion_.entero(QStringLiteral("CXPAGAR"), QStringLiteral("DOCUMENTOS"),
                                     QStringLiteral("REDONDEO AL MULTIPLO DE DIEZ EN TOTALES"));
    r.baseMinima = es("CXPAGAR", "DOCUMENTOS",
                      "CAUSAR RETENCIONES A PARTIR DE LA BASE MINIMA DEL PROVEEDOR O DESDE CERO", "BASE MINIMA");
    r.porcionSimplificado =
        Dinero::desdeTexto(configuracion_.valor(QStringLiteral("COMPRAS"), QStringLiteral("FACTURAS"),
                                                QStringLiteral("PORCENTAJE DE RETENCION DE IVA PARA REGIMEN SIMPLIFICADO")))
            .value_or(Dinero());
    for (int i = 0; i < 3; ++i) {
        const auto tasa = sesion_.compania.queryOne(
            QStringLiteral("select taiv_porc from tarifa_iva where taiv_ordimp = ") + sql::numero(int64_t(i + 1)));
        r.tasaBase[i] = tasa ? dineroDe((*tasa)[0]) : Dinero();
    }
    cadena_.fijeReglas(r);
}

bool Tfnotasdebito::cargarPrefijos() {
    // Each prefix with whether it has an accounting interface, so that a
    // new screen starts on one it can save with.
    QString sql = QStringLiteral(
        "select p.pref_pre, (select count(*) from interfaz_cxpagar i where i.tido_cod = 51 and i.pref_pre = p.pref_pre) "
        "from prefijos p where p.tido_cod = 51 and p.pref_activo = 'S' ");
    if (sesion_.agencia_actual != 0)
        sql += QStringLiteral(" and (p.SUCU_ID = ") + sql::numero(int64_t(sesion_.agencia_actual)) +
               QStringLiteral(" OR p.SUCU_ID = 0)");
    prefijos_.clear();
    conInterfaz_.clear();
    for (const fb::Row& f : sesion_.compania.query(sql + QStringLiteral(" order by p.pref_pre"))) {
        prefijos_.append({f[0].toString(), f[0].toString()});
        if (f[1].toInt64() > 0) conInterfaz_.insert(f[0].toString());
    }
    return !prefijos_.isEmpty();
}

QString Tfnotasdebito::prefijoInicial() const {
    for (const OpcionBusqueda& p : prefijos_)
        if (conInterfaz_.contains(p.clave)) return p.clave;
    return prefijos_.isEmpty() ? QString() : prefijos_.first().clave;
}

QString Tfnotasdebito::actualDelPrefijo(const QString& prefijo, bool* automatico) {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_actual, pref_auto from prefijos where tido_cod = 51 and pref_pre = ") +
        sql::texto(prefijo));
    if (automatico) *automatico = fila && (*fila)[1].toString().trimmed() == QLatin1String("S");
    return fila ? complete_numero((*fila)[0].toString().trimmed()) : QString();
}

bool Tfnotasdebito::abrir() {
    leerConfiguracion();
    if (!cargarPrefijos()) {
        interaccion_.error(kSinPrefijo);
        emit cerrar();
        return false;
    }
    try {
        // An abandoned cash voucher of a charge that never finished.
        sesion_.compania.executeDirect(QStringLiteral("delete from egresos where egre_id = 0"));
        cargo_.open(sesion_.compania, QStringLiteral("select * from notas_debito_proveedor where ndpr_id = 0"));
        lineas_.open(sesion_.compania,
                     QStringLiteral("select * from nota_debito_prov_det where ndpr_id = 0 order by ndpd_item"));
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        emit cerrar();
        return false;
    }
    if (!cargo_.isEmpty()) {
        if (interaccion_.preguntar(kPagoPrevio)) {
            cargo_.edit();
            cadena_.reinicie();
            baseEnBases_ = false;
            leerMontos();
            perfilAcreedor(cargo_.asString(kNit).trimmed());
            const QString proy = cargo_.asString(QStringLiteral("NDPR_PROY")).trimmed();
            if (!proy.isEmpty()) {
                auto nombre = [this](const QString& sql) {
                    const auto f = sesion_.compania.queryOne(sql);
                    return f ? (*f)[0].toString() : QString();
                };
                nombreCentro_ = nombre(QStringLiteral("SELECT PROY_NOM FROM PROYECTOS WHERE PROY_COD = ") + sql::texto(proy));
                nombreSubcentro_ = nombre(QStringLiteral("SELECT CENT_NOM FROM CENTROS WHERE CENT_COD = ") +
                                          sql::texto(cargo_.asString(QStringLiteral("NDPR_CENTRO"))) +
                                          QStringLiteral(" AND PROY_COD = ") + sql::texto(proy));
            }
            ultimaLinea_ = 0;
            for (lineas_.first(); !lineas_.isEmpty() && !lineas_.eof(); lineas_.next())
                ultimaLinea_ = std::max<int>(ultimaLinea_, int(lineas_.asInt(kItem)));
            nombreAcreedor_ = terceros_->nombre_proveedor(cargo_.asString(kNit));
            numeroAutomatico_ = false;
            actualDelPrefijo(cargo_.asString(kPrefijo), &numeroAutomatico_);
            emit montosCambiados();
            return true;
        }
        sesion_.compania.executeDirect(QStringLiteral("delete from notas_debito_proveedor where ndpr_id = 0"));
        cargo_.open(sesion_.compania, QStringLiteral("select * from notas_debito_proveedor where ndpr_id = 0"));
        lineas_.open(sesion_.compania, QStringLiteral("select * from nota_debito_prov_det where ndpr_id = 0"));
    }
    nuevoCargo();
    return true;
}

void Tfnotasdebito::nuevoCargo() {
    const QString prefijo = cargo_.isEmpty() ? ultimoPrefijo_ : cargo_.asString(kPrefijo);
    // An abandoned application of an earlier crossing; looked for first, so
    // that the usual case writes nothing.
    if (sesion_.compania.queryOne(QStringLiteral("select first 1 1 from aplicacion_provedor where appr_id = 0")))
        sesion_.compania.executeDirect(QStringLiteral("delete from aplicacion_provedor where appr_id = 0"));
    cadena_.reinicie();
    baseEnBases_ = false;
    ultimaLinea_ = 0;
    diasVence_ = 0;
    nombreAcreedor_.clear();
    nombreCentro_.clear();
    nombreSubcentro_.clear();
    nombreMandante_.clear();
    factura_.clear();
    cargo_.append();
    for (int i = 0; i < 4; ++i) cadena_.m.dtoPorc[i] = cargo_.asDinero(dtoPorc(i));
    // The last active prefix may have gone while the screen was open.
    if (prefijos_.isEmpty()) {
        interaccion_.error(kSinPrefijo);
        emit cerrar();
        return;
    }
    // The same prefix again, so that the number is its new consecutive.
    QString elegido = prefijo;
    if (elegido.isEmpty() || claveDe(prefijos_, elegido).isEmpty()) elegido = prefijoInicial();
    cargo_.setValue(kPrefijo, elegido);
    if (cargo_.asString(kPrefijo) == elegido && cargo_.asString(kNumero).isEmpty()) prefijoIngresado();
    interaccion_.enfocar(kNumero);
    emit reiniciado();
    emit montosCambiados();
}

Dinero Tfnotasdebito::totalConIva() const {
    if (!cargo_.isOpen() || cargo_.isEmpty()) return cadena_.totalConIva();
    return cargo_.asDinero(kMonto) + cargo_.asDinero(QStringLiteral("NDPR_IVAMONTO")) +
           cargo_.asDinero(QStringLiteral("NDPR_EXTRA"));
}

Dinero Tfnotasdebito::neto() const {
    if (!cargo_.isOpen() || cargo_.isEmpty()) return cadena_.neto();
    Dinero neto = totalConIva();
    for (const CampoRetencion& r : kRetenciones) neto -= cargo_.asDinero(QString::fromLatin1(r.monto));
    return neto;
}

void Tfnotasdebito::setSubTotal(Dinero v) {
    if (grabado_) return;
    cadena_.cambieSubTotal(v);
    escribirMontos();
}

void Tfnotasdebito::proponer(const PropuestaCargo& p) {
    if (!cargo_.isOpen() || cargo_.isEmpty() || grabado_) return;
    if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
    if (!p.prefijo.isEmpty() && !claveDe(prefijos_, p.prefijo).isEmpty()) cargo_.setValue(kPrefijo, p.prefijo);
    if (!p.nit.isEmpty()) cargo_.setValue(kNit, p.nit);
    if (p.fecha.isValid()) cargo_.setValue(kFecha, p.fecha);
    if (!p.concepto.isEmpty()) cargo_.setValue(QStringLiteral("NDPR_CONC"), p.concepto.left(60));
    const std::pair<const char*, const std::optional<Dinero>*> tasas[] = {{"NDPR_IVAPORC", &p.ivaPorc},
                                                                          {"NDPR_RTFTEPORC", &p.rtftePorc},
                                                                          {"NDPR_RTIVAPORC", &p.rtivaPorc},
                                                                          {"NDPR_RTICAPORC", &p.rticaPorc}};
    for (const auto& [campo, tasa] : tasas)
        if (*tasa) cargo_.setValue(QString::fromLatin1(campo), **tasa);
    if (!p.cuenta.isEmpty()) cargo_.setValue(QStringLiteral("NDPR_CTACAUSA"), p.cuenta);
    if (p.monto) setSubTotal(*p.monto);
    emit montosCambiados();
}

void Tfnotasdebito::setDiasVence(int dias) {
    diasVence_ = dias;
    cargo_.setValue(kVence, cargo_.asDate(kFecha).addDays(dias));
}

void Tfnotasdebito::acreedorIngresado() {
    const QString nit = cargo_.asString(kNit).trimmed();
    if (nit.startsWith(u'?')) {
        buscarAcreedor();
        return;
    }
    nombreAcreedor_.clear();
    if (nit.isEmpty()) {
        emit montosCambiados();
        return;
    }
    const auto perfil = terceros_->valide_retenciones(nit);
    if (!perfil || perfil->nombre.isEmpty()) {
        interaccion_.error(kNitInactivo);
        cargo_.setValue(kNit, QString());
        interaccion_.enfocar(kNit);
        emit montosCambiados();
        return;
    }
    nombreAcreedor_ = perfil->nombre;
    const auto prov = sesion_.compania.queryOne(
        QStringLiteral("select prov_ctapagar, prov_ctacausa, prov_simplificado, prov_ctapagniif, prov_ctacausaniif "
                       "from proveedores where terc_nit = ") +
        sql::texto(nit));
    const bool simplificado = prov && (*prov)[2].toString().trimmed() == QLatin1String("S");
    cadena_.nuevoAcreedor(terceros_->base_rtfte(nit), terceros_->base_rtica(nit), simplificado);
    baseEnBases_ = false;
    if (prov) {
        Bandera cuentas(sincronizando_);
        cargo_.setValue(QStringLiteral("NDPR_CTAPAGAR"), (*prov)[0]);
        cargo_.setValue(QStringLiteral("NDPR_CTACAUSA"), (*prov)[1]);
        cargo_.setValue(QStringLiteral("NDPR_CTAPAGARN"), (*prov)[3]);
        cargo_.setValue(QStringLiteral("NDPR_CTACAUSAN"), (*prov)[4]);
    }
    // The creditor may come after the amount: the whole chain again, with
    // its minimum bases.
    cadena_.tasasDelAcreedor(perfil->retefuente, perfil->reteiva, perfil->reteica, perfil->cree);
    escribirMontos();
    revisarNumeroProveedor();
}

// The creditor's minimum bases and regime, for a charge brought back to the
// screen: its amounts stay as they were saved.
void Tfnotasdebito::perfilAcreedor(const QString& nit) {
    if (nit.isEmpty()) return;
    const auto prov = sesion_.compania.queryOne(
        QStringLiteral("select prov_simplificado from proveedores where terc_nit = ") + sql::texto(nit));
    cadena_.nuevoAcreedor(terceros_->base_rtfte(nit), terceros_->base_rtica(nit),
                          prov && (*prov)[0].toString().trimmed() == QLatin1String("S"));
}

void Tfnotasdebito::revisarNumeroProveedor() {
    const QString nit = cargo_.asString(kNit).trimmed();
    const QString numero = cargo_.asString(kNumProv).trimmed();
    if (nit.isEmpty() || numero.isEmpty() || accionRepetido_ == QLatin1String("IGNORAR")) return;
    QString sql = QStringLiteral("select max(pref_pre), max(ndpr_numero) from notas_debito_proveedor where ndpr_numprov = ") +
                  sql::texto(numero) + QStringLiteral(" and terc_nit = ") + sql::texto(nit);
    // The charge itself, once saved, is not its own duplicate.
    if (cargo_.asInt(kId) != 0) sql += QStringLiteral(" and ndpr_id <> ") + sql::numero(cargo_.asInt(kId));
    const auto fila = sesion_.compania.queryOne(sql);
    const QString prefijo = fila ? (*fila)[0].toString().trimmed() : QString();
    if (prefijo.isEmpty()) return;
    interaccion_.advertencia(QStringLiteral("El cargo No. ") + prefijo + (*fila)[1].toString().trimmed() +
                             QStringLiteral(" ya tiene ese número de proveedor."));
    if (accionRepetido_ == QLatin1String("PROHIBIR")) {
        cargo_.setValue(kNumProv, QString());
        interaccion_.enfocar(kNumProv);
    }
}

void Tfnotasdebito::prefijoIngresado() {
    const QString prefijo = cargo_.asString(kPrefijo);
    if (prefijo.isEmpty()) return;
    const QString actual = actualDelPrefijo(prefijo, &numeroAutomatico_);
    cargo_.setValue(kNumero, actual);
    if (servicios_.abreInterfaz) servicios_.abreInterfaz(51, prefijo, false);
    autorizacionDelNumero();
    emit montosCambiados();  // the number's read-only state follows the prefix
}

// The tax authority's numbering authorization that covers the charge's
// number: looked up again whenever the number changes, so that the one
// stored is the one of the number finally used.
void Tfnotasdebito::autorizacionDelNumero() {
    bool entero = false;
    const qlonglong numero = cargo_.asString(kNumero).trimmed().toLongLong(&entero);
    QString autorizacion;
    if (entero) {
        const auto fila = sesion_.compania.queryOne(
            QStringLiteral("SELECT AUTO_NUMERO FROM AUTORIZACIONES WHERE TIDO_COD = 51 AND PREF_PRE = ") +
            sql::texto(cargo_.asString(kPrefijo)) + QStringLiteral(" AND CAST(auto_inicial AS INTEGER) <= ") +
            sql::numero(numero) + QStringLiteral(" AND CAST(auto_final AS INTEGER) >= ") + sql::numero(numero));
        if (fila) autorizacion = (*fila)[0].toString();
    }
    if (cargo_.asString(QStringLiteral("NDPR_AUTO")) != autorizacion)
        cargo_.setValue(QStringLiteral("NDPR_AUTO"), autorizacion);
}

void Tfnotasdebito::numeroIngresado() {
    if (sincronizando_) return;
    const QString prefijo = cargo_.asString(kPrefijo);
    const QString actual = actualDelPrefijo(prefijo);
    EntradaNumero entrada(*numeracion_, 51);
    entrada.cambio(cargo_, kNumero, prefijo, actual, [this](const QString& id) {
        if (servicios_.consultar) servicios_.consultar(id.toLongLong());
    });
    autorizacionDelNumero();
}

void Tfnotasdebito::fechaIngresada() {
    const QDate fecha = cargo_.asDate(kFecha);
    if (!fecha.isValid()) return;
    valide_fecha(cargo_, kFecha, configuracion_, interaccion_);
    if (diasVence_ != 0) cargo_.setValue(kVence, fecha.addDays(diasVence_));
    else if (cargo_.asDate(kVence) < fecha) cargo_.setValue(kVence, fecha);
    cadena_.recalculeIvaBases();
    escribirMontos();
    if (preguntaTasa_) monedaIngresada();
}

void Tfnotasdebito::venceIngresado() {
    const QDate fecha = cargo_.asDate(kFecha);
    const QDate vence = cargo_.asDate(kVence);
    if (!vence.isValid() || !fecha.isValid()) return;
    if (fecha > vence) {
        interaccion_.advertencia(kVencimiento);
        diasVence_ = 0;
        cargo_.setValue(kVence, fecha);
    } else {
        diasVence_ = int(fecha.daysTo(vence));
    }
    emit montosCambiados();
}

namespace {
// Pesos (no currency, or the peso's own ISO code) are at rate 1.
constexpr qlonglong kPesos = 170;
bool monedaExtranjera(const DataSet& c, qlonglong* codigo = nullptr) {
    bool entero = false;
    const qlonglong m = c.asString(QStringLiteral("NDPR_MONEDA")).trimmed().toLongLong(&entero);
    if (codigo) *codigo = m;
    return entero && m != 0 && m != kPesos;
}
}  // namespace

// The day's rate of a foreign currency. With none, the person is told and
// types it: a foreign-currency charge is never stored at 1 by default.
void Tfnotasdebito::monedaIngresada() {
    if (!preguntaTasa_) return;
    const QString campo = QStringLiteral("NDPR_TRM");
    qlonglong codigo = 0;
    if (!monedaExtranjera(cargo_, &codigo)) {
        cargo_.setValue(campo, 1.0);
        return;
    }
    const QDate fecha = cargo_.asDate(kFecha);
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select taca_valor from tasa_cambio_moneda where timo_cod = ") + sql::numero(codigo) +
        QStringLiteral(" and taca_fecha = ") + sql::fecha(fecha));
    if (fila && !(*fila)[0].isNull() && (*fila)[0].toDouble() > 0) {
        cargo_.setValue(campo, (*fila)[0].toDouble());
        return;
    }
    cargo_.setValue(campo, fb::Value());
    interaccion_.advertencia(QStringLiteral("No hay tasa de cambio de la moneda %1 para el %2. Digítela.")
                                 .arg(codigo)
                                 .arg(fecha.toString(QStringLiteral("yyyy/MM/dd"))));
}

void Tfnotasdebito::centroIngresado() {
    const QString centro = cargo_.asString(QStringLiteral("NDPR_PROY")).trimmed();
    nombreCentro_.clear();
    if (centro == QLatin1String("?")) {
        buscarCentro();
        return;
    }
    if (!centro.isEmpty()) {
        const auto nombre =
            sesion_.compania.queryOne(QStringLiteral("SELECT PROY_NOM FROM PROYECTOS WHERE PROY_COD = ") + sql::texto(centro));
        if (nombre) nombreCentro_ = (*nombre)[0].toString();
        const auto sub = sesion_.compania.queryOne(
            QStringLiteral("SELECT MIN(CENT_COD) FROM centros WHERE PROY_COD = ") + sql::texto(centro));
        if (sub && !(*sub)[0].isNull()) cargo_.setValue(QStringLiteral("NDPR_CENTRO"), (*sub)[0]);
    }
    emit montosCambiados();
}

void Tfnotasdebito::subcentroIngresado() {
    const QString sub = cargo_.asString(QStringLiteral("NDPR_CENTRO")).trimmed();
    nombreSubcentro_.clear();
    if (sub == QLatin1String("?")) {
        buscarCentro();
        return;
    }
    if (!sub.isEmpty()) {
        QString sql = QStringLiteral("SELECT CENT_NOM FROM CENTROS WHERE CENT_COD = ") + sql::texto(sub) +
                      QStringLiteral(" AND PROY_COD = ") + sql::texto(cargo_.asString(QStringLiteral("NDPR_PROY")));
        if (filtrarCentros_)
            sql += QStringLiteral(" and ((sucu_id = 0) or (sucu_id = ") +
                   sql::numero(int64_t(sesion_.agencia_actual)) + QStringLiteral("))");
        const auto nombre = sesion_.compania.queryOne(sql);
        if (nombre) nombreSubcentro_ = (*nombre)[0].toString();
    }
    emit montosCambiados();
}

void Tfnotasdebito::mandanteIngresado() {
    const QString nit = cargo_.asString(QStringLiteral("NDPR_MANDANTE")).trimmed();
    nombreMandante_.clear();
    if (nit.startsWith(u'?')) {
        buscarMandante();
        return;
    }
    if (!nit.isEmpty()) {
        nombreMandante_ = terceros_->nom_tercero(nit);
        if (nombreMandante_.isEmpty()) {
            interaccion_.error(kMandanteNoExiste);
            cargo_.setValue(QStringLiteral("NDPR_MANDANTE"), QString());
        }
    }
    emit montosCambiados();
}

void Tfnotasdebito::cuentaIngresada(const QString& campo, bool niif) {
    if (sincronizando_) return;
    const QString cuenta = cargo_.asString(campo).trimmed();
    if (cuenta.isEmpty()) return;
    if (cuenta.endsWith(u'?')) {
        buscarCuenta(campo, cuenta.chopped(1));
        return;
    }
    const bool valida = niif ? contabilidad_->valide_cuenta_niif(cuenta) : contabilidad_->valide_cuenta(cuenta);
    if (!valida) {
        cargo_.setValue(campo, QString());
        interaccion_.enfocar(campo);
    }
}

void Tfnotasdebito::buscarAcreedor() {
    const auto eleccion = interaccion_.elegir(QStringLiteral("Tfbuscprove"));
    cargo_.setValue(kNit, eleccion ? eleccion->value(QStringLiteral("nit")).toString() : QString());
}

void Tfnotasdebito::buscarMandante() {
    const QString campo = QStringLiteral("NDPR_MANDANTE");
    QString filtro = cargo_.asString(campo).trimmed();
    if (filtro.startsWith(u'?')) filtro.remove(0, 1);
    const auto eleccion = interaccion_.elegir(selectores::kTerceros, {{QStringLiteral("filtro"), filtro}});
    cargo_.setValue(campo, eleccion ? eleccion->value(QStringLiteral("nit")).toString() : QString());
}

void Tfnotasdebito::buscarCuenta(const QString& campo, const QString& filtro) {
    const bool niif = campo.endsWith(u'N');
    const auto eleccion = interaccion_.elegir(selectores::kCuentas, {{QStringLiteral("filtro"), filtro},
                                                                      {QStringLiteral("niif"), niif}});
    cargo_.setValue(campo, eleccion ? eleccion->value(QStringLiteral("cuenta")).toString() : QString());
}

void Tfnotasdebito::aplicarAFactura() {
    const auto eleccion = interaccion_.elegir(selectores::kFacturasCompra,
                                              {{QStringLiteral("nit"), cargo_.asString(kNit)}});
    if (!eleccion) return;
    if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
    cargo_.setValue(QStringLiteral("NDPR_FACID"), int64_t(eleccion->value(QStringLiteral("id")).toLongLong()));
    factura_ = numeracion_->num_documento(21, eleccion->value(QStringLiteral("id")).toLongLong());
    emit montosCambiados();
}

// "Aplicar a artículo": an article of the inventory, active.
void Tfnotasdebito::articuloCargoIngresado() { articuloDe(cargo_, QStringLiteral("ARTI_COD")); }

void Tfnotasdebito::buscarCentro() {
    QVariantMap args;
    if (filtrarCentros_ && sesion_.agencia_actual != 0) args.insert(QStringLiteral("agencia"), sesion_.agencia_actual);
    const auto eleccion = interaccion_.elegir(selectores::kCentros, args);
    {
        Bandera eligiendo(sincronizando_);
        cargo_.setValue(QStringLiteral("NDPR_PROY"),
                        eleccion ? eleccion->value(QStringLiteral("proyecto")).toString() : QString());
        cargo_.setValue(QStringLiteral("NDPR_CENTRO"),
                        eleccion ? eleccion->value(QStringLiteral("centro")).toString() : QString());
    }
    centroIngresado();
    if (eleccion) cargo_.setValue(QStringLiteral("NDPR_CENTRO"), eleccion->value(QStringLiteral("centro")).toString());
}

void Tfnotasdebito::abrirBases() {
    basesAbiertas_ = true;
    baseEnBases_ = false;
}

// A rete-fuente base left over from the amount is not the bases' own: only
// one typed in the panel stays fixed.
void Tfnotasdebito::continuarBases() {
    basesAbiertas_ = false;
    cadena_.continuarBases(baseEnBases_);
    escribirMontos();
}

Dinero Tfnotasdebito::totalLineas() const {
    Dinero total;
    const int actual = lineas_.isEmpty() ? -1 : lineas_.currentRow();
    DataSet& l = const_cast<DataSet&>(lineas_);
    for (int i = 0; i < l.recordCount(); ++i) {
        l.setCurrentRow(i);
        total += l.asDinero(kTotalLinea);
    }
    if (actual >= 0) l.setCurrentRow(actual);
    return total;
}

void Tfnotasdebito::agregarLinea() { lineas_.append(); }

// An article typed in `campo`: "?" opens the picker (its choice comes back
// through the field); an unknown or inactive one is refused and emptied.
std::optional<Articulo> Tfnotasdebito::articuloDe(DataSet& ds, const QString& campo) {
    const QString codigo = ds.asString(campo).trimmed();
    if (codigo.isEmpty()) return std::nullopt;
    if (codigo.startsWith(u'?')) {
        const auto eleccion = interaccion_.elegir(selectores::kArticulos, {{QStringLiteral("filtro"), codigo.mid(1)}});
        ds.setValue(campo, eleccion ? eleccion->value(QStringLiteral("codigo")).toString() : QString());
        return std::nullopt;
    }
    const auto articulo = articulos_->articulo(codigo);
    if (!articulo || !articulo->activo) {
        interaccion_.error(articulo ? kArticuloInactivo : kArticuloNoExiste);
        ds.setValue(campo, QString());
        interaccion_.enfocar(campo);
        return std::nullopt;
    }
    return articulo;
}

void Tfnotasdebito::articuloIngresado() {
    if (sincronizandoLineas_) return;
    const auto articulo = articuloDe(lineas_, QStringLiteral("ARTI_COD"));
    if (!articulo) return;
    lineas_.setValue(QStringLiteral("NDPD_DESC"), articulo->nombre.left(60));
    if (lineas_.asString(QStringLiteral("NDPD_UNIDAD")).trimmed().isEmpty())
        lineas_.setValue(QStringLiteral("NDPD_UNIDAD"), articulo->unidad);
    else
        proponerCosto();
}

void Tfnotasdebito::unidadIngresada() {
    if (sincronizandoLineas_) return;
    const QString codigo = lineas_.asString(QStringLiteral("ARTI_COD")).trimmed();
    const QString unidad = lineas_.asString(QStringLiteral("NDPD_UNIDAD")).trimmed();
    if (codigo.isEmpty() || unidad.isEmpty()) return;
    if (!articulos_->valide_unidad(codigo, unidad)) {
        interaccion_.error(kUnidadInvalida);
        lineas_.setValue(QStringLiteral("NDPD_UNIDAD"), QString());
        interaccion_.enfocar(QStringLiteral("NDPD_UNIDAD"));
        return;
    }
    proponerCosto();
}

// The average cost of the article in the line's unit at the charge's date.
void Tfnotasdebito::proponerCosto() {
    const QString codigo = lineas_.asString(QStringLiteral("ARTI_COD")).trimmed();
    const QString unidad = lineas_.asString(QStringLiteral("NDPD_UNIDAD")).trimmed();
    if (codigo.isEmpty() || unidad.isEmpty()) return;
    ponImporte(lineas_, QStringLiteral("NDPD_COSTO"), articulos_->costo_promedio(codigo, unidad, cargo_.asDate(kFecha)));
}

const QStringList& Tfnotasdebito::clasesDocumento() {
    static const QStringList clases{QStringLiteral("Entrada"),           QStringLiteral("Salida"),
                                    QStringLiteral("Transferencia"),     QStringLiteral("Remisión proveedor"),
                                    QStringLiteral("Factura de compra"), QStringLiteral("Remisión cliente"),
                                    QStringLiteral("Factura de venta")};
    return clases;
}

int Tfnotasdebito::traerDocumento(int clase, const QString& prefijo, const QString& numero) {
    struct Origen {
        const char* encabezado;
        const char* detalle;
        const char* id;
        const char* numero;
        const char* columnas;  // article, quantity, unit, cost or unit price, total
    };
    static const Origen origenes[] = {
        {"entradas", "entradas_detalle", "entr_id", "entr_numero", "arti_cod, ende_cant, ende_unidad, ende_costo, ende_total"},
        {"salidas", "salidas_detalle", "sali_id", "sali_numero", "arti_cod, sade_cant, sade_unidad, sade_costo, sade_total"},
        {"trasferencias", "trasferencias_detalle", "tran_id", "tran_numero",
         "arti_cod, trde_cant, trde_unidad, trde_costo, trde_total"},
        {"remision_proveedor", "remision_proveedor_det", "repr_id", "repr_numero",
         "arti_cod, rpde_cant, rpde_unidad, rpde_costo, rpde_total"},
        {"facturas_compra", "facturas_compras_detalle", "faco_id", "faco_numero",
         "arti_cod, fcde_cant, fcde_unidad, fcde_prunit, fcde_total"},
        {"remisiones_venta", "remisiones_venta_det", "revt_id", "revt_numero",
         "arti_cod, rvde_cant, rvde_unidad, rvde_prunit, rvde_total"},
        {"facturas", "facturas_detalle", "fact_id", "fact_numero", "arti_cod, fade_cant, fade_unidad, fade_prunit, fade_total"},
    };
    if (clase < 0 || clase >= int(std::size(origenes))) return 0;
    const Origen& o = origenes[clase];
    const QString sql = QStringLiteral("select %1 from %2 e, %3 d where e.%4 = d.%4 and pref_pre = ")
                            .arg(QLatin1String(o.columnas), QLatin1String(o.encabezado), QLatin1String(o.detalle),
                                 QLatin1String(o.id)) +
                        sql::texto(prefijo.trimmed()) + QStringLiteral(" and %1 = ").arg(QLatin1String(o.numero)) +
                        sql::texto(numero.trimmed());
    const std::vector<fb::Row> filas = sesion_.compania.query(sql);
    if (filas.empty()) {
        interaccion_.advertencia(kDocumentoSinLineas);
        return 0;
    }
    if (lineas_.state() != DataSet::State::Browse) lineas_.post();
    // Copied as they are: no article lookups, no proposed cost.
    Bandera copiando(sincronizandoLineas_);
    for (const fb::Row& f : filas) {
        lineas_.append();
        lineas_.setValue(QStringLiteral("ARTI_COD"), f[0]);
        ponImporte(lineas_, QStringLiteral("NDPD_CANT"), dineroDe(f[1]));
        lineas_.setValue(QStringLiteral("NDPD_UNIDAD"), f[2]);
        ponImporte(lineas_, QStringLiteral("NDPD_COSTO"), dineroDe(f[3]));
        ponImporte(lineas_, kTotalLinea, dineroDe(f[4]));
        const auto articulo = articulos_->articulo(f[0].toString());
        if (articulo) lineas_.setValue(QStringLiteral("NDPD_DESC"), articulo->nombre.left(60));
        lineas_.post();
    }
    cargo_.setValue(QStringLiteral("NDPR_TOTALDET"), totalLineas());
    emit montosCambiados();
    return int(filas.size());
}

void Tfnotasdebito::abrirLineas() {
    lineasAbiertas_ = true;
    if (lineas_.isEmpty()) lineas_.append();
}

// Esc in the panel: the line being edited is dropped.
void Tfnotasdebito::cerrarLineas() {
    if (lineas_.state() != DataSet::State::Browse) lineas_.cancel();
    lineasAbiertas_ = false;
    if (!lineas_.isEmpty()) cargo_.setValue(QStringLiteral("NDPR_TOTALDET"), totalLineas());
}

// "F2:Continuar": the lines stay and their total goes to the charge.
void Tfnotasdebito::continuarLineas() {
    if (lineas_.state() != DataSet::State::Browse) lineas_.post();
    lineasAbiertas_ = false;
    cargo_.setValue(QStringLiteral("NDPR_TOTALDET"), totalLineas());
}

// The dataset's own checks, in their order; each leaves the charge in edit.
bool Tfnotasdebito::validar() {
    if (numProvObligatorio_ && vacio(cargo_, kNumProv)) {
        interaccion_.error(kNumProvObligatorio);
        interaccion_.enfocar(kNumProv);
        return false;
    }
    if (vacio(cargo_, kNit)) {
        interaccion_.error(kSinNit);
        interaccion_.enfocar(kNit);
        return false;
    }
    if (cargo_.asDinero(kMonto).esCero()) {
        interaccion_.error(kMontoCero);
        interaccion_.enfocar(QStringLiteral("SubTotal"));
        return false;
    }
    const fb::Value tasa = cargo_.value(QStringLiteral("NDPR_TRM"));
    if (monedaExtranjera(cargo_) && (tasa.isNull() || tasa.toDouble() <= 0)) {
        interaccion_.error(kSinTasa);
        interaccion_.enfocar(QStringLiteral("NDPR_TRM"));
        return false;
    }
    return true;
}

bool Tfnotasdebito::grabar() {
    if (!cargo_.isOpen() || cargo_.isEmpty()) return false;
    if (grabado_) return terminarGrabado();
    if (lineas_.state() != DataSet::State::Browse) {
        try {
            lineas_.post();
        } catch (const std::exception& e) {
            manejador_.ManejarClientError(lineas_, QStringLiteral("cdsLineas"), e);
            return false;
        }
    }
    if (basesAbiertas_) continuarBases();
    cadena_.tasasDesdeMontos();
    escribirMontos();
    const QString prefijo = cargo_.asString(kPrefijo);
    const int interfaz = servicios_.abreInterfaz ? servicios_.abreInterfaz(51, prefijo, true) : 0;
    if (interfaz == 0) return false;

    if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
    if (!lineas_.isEmpty()) cargo_.setValue(QStringLiteral("NDPR_TOTALDET"), totalLineas());
    // The id is taken before the checks and kept for the next attempt.
    if (cargo_.asInt(kId) == 0) {
        try {
            // The procedure only takes the next value of a sequence: a
            // read-only transaction, which commits without a write.
            fb::TransactionOptions soloLectura;
            soloLectura.readOnly = true;
            fb::Transaction tr = sesion_.compania.begin(soloLectura);
            const int64_t id = tr.executeProcedure(QStringLiteral("CAMBIE_ID_NOTADBPROV"))[QStringLiteral("ID")].toInt64();
            tr.commit();
            cargo_.setValue(kId, id);
        } catch (const std::exception& e) {
            manejador_.ManejarError(e, kProveedor);
            return false;
        }
    }
    if (!validar()) return false;
    if (!escribir()) {
        if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
        return false;
    }
    // Crossing with a discount or an advance, copies to the sister
    // companies and the cash payment come here with the charge companions.
    const int64_t id = cargo_.asInt(kId);
    ultimoId_ = id;
    ultimoNumero_ = cargo_.asString(kPrefijo) + cargo_.asString(kNumero);
    ultimoPrefijo_ = cargo_.asString(kPrefijo);
    grabado_ = true;
    porContabilizar_ = porImprimir_ = true;
    interfazGrabado_ = interfaz;
    bloquearCargo(true);
    return terminarGrabado();
}

// Posting and printing of the charge just written. A failure leaves the
// screen on the saved charge, read-only: F2 tries again what failed and
// nothing is written twice; Esc leaves without a question.
bool Tfnotasdebito::terminarGrabado() {
    const int64_t id = cargo_.asInt(kId);
    try {
        if (porContabilizar_) {
            if (servicios_.contabilizar) servicios_.contabilizar(id, interfazGrabado_, cargo_.asDate(kFecha));
            porContabilizar_ = false;
        }
        if (porImprimir_) {
            if (servicios_.imprimir) servicios_.imprimir(id);
            porImprimir_ = false;
        }
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        interaccion_.advertencia(QStringLiteral("El cargo ") + ultimoNumero_ + kGrabadoPendiente);
        emit montosCambiados();
        return false;
    }
    grabado_ = false;
    bloquearCargo(false);
    cargarPrefijos();
    // The saved charge leaves the screen: a clerk entering charges all day
    // must not carry every one of them in memory.
    cargo_.clear();
    nuevoCargo();
    return true;
}

void Tfnotasdebito::bloquearCargo(bool bloquear) {
    if (bloquear) {
        bloqueados_.clear();
        for (int i = 0; i < cargo_.fieldCount(); ++i) {
            Field& f = cargo_.field(i);
            if (f.readOnly()) continue;
            f.setReadOnly(true);
            bloqueados_ << f.name();
        }
        return;
    }
    for (const QString& campo : std::as_const(bloqueados_)) cargo_.field(campo).setReadOnly(false);
    bloqueados_.clear();
}

// One batch with the lines. On an automatic prefix whose number another
// clerk took meanwhile, the charge takes the next free number and the clerk
// is told which.
bool Tfnotasdebito::escribir() {
    const QString numeroPedido = cargo_.asString(kNumero);
    try {
        if (cargo_.state() != DataSet::State::Browse) cargo_.post();
        ApplyOptions opciones;
        // Several clerks on one automatic prefix each take the next free
        // number until they get one: more attempts than a plain conflict needs.
        if (numeroAutomatico_) opciones.maxAttempts = 60;
        // A save that keeps conflicting gives up with the message instead of
        // holding the screen.
        opciones.maxDuration = std::chrono::seconds(8);
        opciones.transaction.lockTimeoutSeconds = 3;
        opciones.onFailure = [this](const fb::DbError& e, int) {
            if (e.kind() != fb::ErrorKind::Unique || !numeroAutomatico_) return false;
            // The first free number from the prefix's consecutive on, even
            // when the consecutive itself points at a used number.
            const auto siguiente = numeroLibreDelPrefijo(sesion_.compania, 51, cargo_.asString(kPrefijo));
            if (!siguiente || *siguiente == cargo_.asString(kNumero)) return false;
            Bandera renumerando(sincronizando_);
            cargo_.edit();
            cargo_.setValue(kNumero, *siguiente);
            autorizacionDelNumero();
            cargo_.post();
            return true;
        };
        cargo_.applyUpdates(sesion_.compania, opciones);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor, &cargo_, QStringLiteral("cdsNotasDebito"));
        return false;
    }
    if (cargo_.asString(kNumero) != numeroPedido)
        interaccion_.informacion(QStringLiteral("El número ") + numeroPedido +
                                 QStringLiteral(" fue tomado por otro documento. El cargo se grabó con el número ") +
                                 cargo_.asString(kNumero) + QStringLiteral("."));
    return true;
}

bool Tfnotasdebito::cancelar() {
    if (lineasAbiertas_) {
        cerrarLineas();
        return false;
    }
    // A charge already written has nothing to lose.
    if (!grabado_ && !vacio(cargo_, kNit) && !interaccion_.preguntar(kCancelar)) return false;
    lineas_.cancel();
    cargo_.cancel();
    emit cerrar();
    return true;
}

}  // namespace cxp
