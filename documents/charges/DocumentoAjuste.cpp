#include "documents/charges/DocumentoAjuste.h"
#include "documents/charges/ReplicacionAjustes.h"

#include "base/Sql.h"
#include "data/Articulos.h"
#include "data/Ayudas.h"
#include "data/Configuracion.h"
#include "data/Contabilidad.h"
#include "data/Cxpagar.h"
#include "data/Importe.h"
#include "data/ImporteColumna.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Selectores.h"
#include "data/Sesion.h"
#include "data/Terceros.h"
#include "data/fb/DbError.h"
#include "documents/applications/EscrituraAplicacion.h"
#include "documents/service/OrdenEnCargo.h"

namespace cxp {

namespace {
const QString kNit = QStringLiteral("TERC_NIT");
const QString kPrefijo = QStringLiteral("PREF_PRE");


struct CampoRetencion {
    Retencion r;
    const char* tasa;
    const char* monto;
};
const CampoRetencion kRetenciones[] = {
    {Retencion::Fuente, "RTFTEPORC", "RTFTEMONTO"},
    {Retencion::Iva, "RTIVAPORC", "RTIVAMONTO"},
    {Retencion::Ica, "RTICAPORC", "RTICAMONTO"},
    {Retencion::Cree, "RTCREE", "RTCREEM"},
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

const ClaseAjuste& ClaseAjuste::cargo() {
    static const ClaseAjuste k = [] {
        ClaseAjuste c{51,
                               QStringLiteral("NDPR"),
                               QStringLiteral("NDPD"),
                               QStringLiteral("NOTAS_DEBITO_PROVEEDOR"),
                               QStringLiteral("NOTA_DEBITO_PROV_DET"),
                               QStringLiteral("ARTI_COD"),
                               QStringLiteral("CAMBIE_ID_NOTADBPROV"),
                               QStringLiteral("QNotasDebito"),
                               QStringLiteral("cargo"),
                               DocumentoAjuste::kNitInactivo,
                               QStringLiteral("NDPR_TIPOAPL"),
                               QStringLiteral("NDPR_NUMAPL")};
        c.cruces = {{QStringLiteral("NOTACRPR"), 52}, {QStringLiteral("ANTICPRV"), 55}};
        return c;
    }();
    return k;
}

// The discount: one commercial discount, no due date, no creditor-number
// checks, no simplified regime, only the local chart's accounts proposed,
// no numbering authorization, no cash payment.
const ClaseAjuste& ClaseAjuste::descuento() {
    static const ClaseAjuste k = [] {
        ClaseAjuste d{52,
                      QStringLiteral("NCPR"),
                      QStringLiteral("NCPD"),
                      QStringLiteral("NOTAS_CREDITO_PROVEEDOR"),
                      QStringLiteral("NOTA_CREDITO_PROV_DET"),
                      QStringLiteral("ACTI_COD"),
                      QStringLiteral("CAMBIE_ID_NOTACRPROV"),
                      QStringLiteral("QNotasCredito"),
                      QStringLiteral("descuento"),
                      QStringLiteral("No se encontrò el NIT o esta inactivo"),
                      QStringLiteral("NCPR_TIPODOCAPL"),
                      QStringLiteral("NCPR_NUMDOCAPL")};
        d.descuentos = 1;
        d.vence = d.numeroProveedor = d.simplificado = d.cuentasNiif = d.autorizacion = d.consultaNumero = false;
        d.pagoContado = d.ordenServicio = false;
        d.baseRtfteDigitadaQueda = true;
        d.cruces = {{QStringLiteral("FACTCOMP"), 21}, {QStringLiteral("NOTADBPR"), 51}};
        return d;
    }();
    return k;
}

DocumentoAjuste::DocumentoAjuste(const ClaseAjuste& clase, Sesion& sesion, Interaccion& interaccion,
                                 ManejadorErrores& manejador, const Configuracion& configuracion,
                                 ServiciosCargo servicios, QObject* parent)
    : QObject(parent),
      clase_(clase),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      servicios_(std::move(servicios)),
      numeracion_(std::make_unique<Numeracion>(sesion.compania, interaccion, configuracion)),
      terceros_(std::make_unique<Terceros>(sesion.compania, interaccion, configuracion)),
      contabilidad_(std::make_unique<Contabilidad>(sesion, interaccion, configuracion)),
      articulos_(std::make_unique<Articulos>(sesion.compania)) {
    cargo_.setUpdateTable(clase_.tabla, {c("ID")});
    lineas_.setUpdateTable(clase_.tablaLineas, {c("ID"), d("ITEM")});
    cargo_.addDetail(lineas_, {c("ID")}, {c("ID")});
    enlazarTablasAplicacion(aplicacion_, aplicacionLineas_);

    cargo_.onNewRecord([this](DataSet& doc) {
        const QDate hoy = QDate::currentDate();
        doc.setValue(c("ID"), 0);
        doc.setValue(QStringLiteral("TIDO_COD"), clase_.tipo);
        doc.setValue(c("FECHA"), hoy);
        if (clase_.vence) doc.setValue(c("VENCE"), hoy);
        doc.setValue(c("DTOFECHA"), hoy);
        for (const char* f : {"ANULADO", "TRANSMIT"}) doc.setValue(c(f), "N");
        doc.setValue(QStringLiteral("NUMOK"), "N");
        doc.setValue(c("TIPOCOSTO"), "A");
        doc.setValue(c("USUARIO"), sesion_.usuario_actual);
        for (const char* f : {"MONTO", "IVAPORC", "IVAMONTO", "RTFTEPORC", "RTFTEMONTO", "RTIVAPORC", "RTIVAMONTO",
                              "RTICAPORC", "RTICAMONTO", "RTCREE", "RTCREEM", "DTOFPORC", "DTOFMONTO", "BASERTFTE",
                              "ADICIONAL", "EXTRA", "BASE0", "BASE1", "BASE2", "BASE3", "IVA1", "IVA2", "IVA3", "INALCM",
                              "TOTALDET"})
            doc.setValue(c(f), Dinero());
        // Discounts 2 to 4 exist only when the additional discounts are shown.
        for (int i = 0; i < clase_.descuentos; ++i) {
            Dinero tasa;
            if (descuentosAdicionales_) {
                static const char* orden[] = {"PRIMER", "SEGUNDO", "TERCER", "CUARTO"};
                const QString clave = QStringLiteral("PORCENTAJE DEL %1 DESCUENTO ADICIONAL EN CARGOS")
                                          .arg(QString::fromLatin1(orden[i]));
                tasa = Dinero::desdeTexto(configuracion_.valor(QStringLiteral("CXPAGAR"), QStringLiteral("DOCUMENTOS"),
                                                               clave))
                           .value_or(Dinero());
            }
            doc.setValue(dtoPorc(i), tasa);
            doc.setValue(dtoMonto(i), Dinero());
        }
        // Pesos are at 1; the default currency, set after, reads its rate
        // of the day (monedaIngresada) and is not overwritten.
        doc.setValue(c("TRM"), 1.0);
        if (preguntaTasa_ && monedaPredeterminada_ != 0) doc.setValue(c("MONEDA"), monedaPredeterminada_);
    });
    lineas_.onNewRecord([this](DataSet& l) {
        l.setValue(d("ITEM"), ++ultimaLinea_);
        l.setValue(d("ANULADO"), "N");
        l.setValue(d("TRANSMIT"), "N");
        l.setValue(d("CANT"), Dinero::desdeEntero(1));
    });
    lineas_.onChange(clase_.articuloLinea, [this](DataSet&) { articuloIngresado(); });
    lineas_.onChange(d("UNIDAD"), [this](DataSet&) { unidadIngresada(); });
    // A quantity with four decimals times a cost: the total at its column's cents.
    for (const char* campo : {"CANT", "COSTO"})
        lineas_.onChange(d(campo), [this](DataSet& l) {
            if (sincronizandoLineas_) return;
            ponImporte(l, d("TOTAL"), l.asDinero(d("CANT")) * l.asDinero(d("COSTO")));
        });
    enlazar();
}

QString DocumentoAjuste::dtoPorc(int i) const {
    return clase_.descuentos == 1 ? c("DTOPORC") : c("DTO") + QString::number(i + 1) + u'P';
}

QString DocumentoAjuste::dtoMonto(int i) const {
    return clase_.descuentos == 1 ? c("DTOMONTO") : c("DTO") + QString::number(i + 1) + u'M';
}

DocumentoAjuste::~DocumentoAjuste() = default;

// Each amount field feeds the chain, and the chain's results go back to the
// fields. While they go back nothing is fed in again.
void DocumentoAjuste::enlazar() {
    auto alCambiar = [this](const QString& campo, std::function<void(Dinero)> paso) {
        cargo_.onChange(campo, [this, campo, paso](DataSet& c) {
            if (sincronizando_) return;
            paso(c.asDinero(campo));
            escribirMontos();
        });
    };
    for (int i = 0; i < clase_.descuentos; ++i) {
        alCambiar(dtoPorc(i), [this, i](Dinero v) { cadena_.cambieTasaDescuento(i, v); });
        alCambiar(dtoMonto(i), [this, i](Dinero v) { cadena_.cambieMontoDescuento(i, v); });
    }
    alCambiar(c("ADICIONAL"), [this](Dinero v) { cadena_.cambieAdicional(v); });
    alCambiar(c("EXTRA"), [this](Dinero v) { cadena_.cambieExtra(v); });
    alCambiar(c("MONTO"), [this](Dinero v) { cadena_.cambieMonto(v); });
    alCambiar(c("IVAPORC"), [this](Dinero v) { cadena_.cambieTasaIva(v); });
    alCambiar(c("DTOFPORC"), [this](Dinero v) { cadena_.cambieTasaDtof(v); });
    // The IVA and prompt-payment amounts typed: kept and made rates on save.
    alCambiar(c("IVAMONTO"), [this](Dinero v) { cadena_.digiteIva(v); });
    alCambiar(c("DTOFMONTO"), [this](Dinero v) { cadena_.digiteDtof(v); });
    alCambiar(c("BASERTFTE"), [this](Dinero v) {
        if (basesAbiertas_) baseEnBases_ = true;
        cadena_.cambieBaseRtfte(v);
    });
    for (const CampoRetencion& r : kRetenciones) {
        const Retencion cual = r.r;
        alCambiar(c(r.tasa), [this, cual](Dinero v) { cadena_.cambieTasa(cual, v); });
        alCambiar(c(r.monto), [this, cual](Dinero v) { cadena_.digiteRetencion(cual, v); });
    }
    alCambiar(base(0), [this](Dinero v) { cadena_.m.base0 = v; });
    for (int i = 1; i <= 3; ++i)
        alCambiar(base(i), [this, i](Dinero v) { cadena_.cambieBase(i - 1, v); });
    for (int i = 1; i <= 3; ++i)
        alCambiar(iva(i), [this, i](Dinero v) { cadena_.m.iva[i - 1] = v; });
    alCambiar(c("INALCM"), [this](Dinero v) { cadena_.m.inalcm = v; });

    cargo_.onChange(kNit, [this](DataSet&) { acreedorIngresado(); });
    cargo_.onChange(c("NUMPROV"), [this](DataSet&) { revisarNumeroProveedor(); });
    if (clase_.ordenServicio)
        cargo_.onChange(c("ORDSERV"), [this](DataSet& d) {
            if (llenarCargoDesdeOrden(d, cadena_, sesion_.compania, interaccion_)) escribirMontos();
        });
    cargo_.onChange(kPrefijo, [this](DataSet&) { prefijoIngresado(); });
    cargo_.onChange(c("NUMERO"), [this](DataSet&) { numeroIngresado(); });
    cargo_.onChange(c("FECHA"), [this](DataSet&) { fechaIngresada(); });
    if (clase_.vence) cargo_.onChange(c("VENCE"), [this](DataSet&) { venceIngresado(); });
    cargo_.onChange(c("MONEDA"), [this](DataSet&) { monedaIngresada(); });
    cargo_.onChange(c("PROY"), [this](DataSet&) { centroIngresado(); });
    cargo_.onChange(c("CENTRO"), [this](DataSet&) { subcentroIngresado(); });
    cargo_.onChange(c("MANDANTE"), [this](DataSet&) { mandanteIngresado(); });
    cargo_.onChange(QStringLiteral("ARTI_COD"), [this](DataSet&) { articuloCargoIngresado(); });
    cargo_.onChange(c("CTAPAGAR"), [this](DataSet&) { cuentaIngresada(c("CTAPAGAR"), false); });
    cargo_.onChange(c("CTACAUSA"), [this](DataSet&) { cuentaIngresada(c("CTACAUSA"), false); });
    for (const char* campo : {"CTAPAGARN", "CTACAUSAN"})
        cargo_.onChange(c(campo), [this, campo](DataSet&) { cuentaIngresada(c(campo), true); });
}

// Each column at its own scale: the chain keeps its four decimals.
void DocumentoAjuste::escribirMontos() {
    if (!cargo_.isOpen() || cargo_.isEmpty()) return;
    Bandera escribiendo(sincronizando_);
    const MontosDocumento& m = cadena_.m;
    auto pon = [this](const QString& campo, Dinero v) { ponImporte(cargo_, campo, v); };
    for (int i = 0; i < clase_.descuentos; ++i) {
        pon(dtoPorc(i), m.dtoPorc[i]);
        pon(dtoMonto(i), m.dtoMonto[i]);
    }
    pon(c("ADICIONAL"), m.adicional);
    pon(c("EXTRA"), m.extra);
    pon(c("MONTO"), m.monto);
    pon(c("IVAPORC"), m.ivaPorc);
    pon(c("IVAMONTO"), m.ivaMonto);
    pon(c("BASERTFTE"), m.baseRtfte);
    pon(c("RTFTEPORC"), m.rtftePorc);
    pon(c("RTFTEMONTO"), m.rtfteMonto);
    pon(c("RTIVAPORC"), m.rtivaPorc);
    pon(c("RTIVAMONTO"), m.rtivaMonto);
    pon(c("RTICAPORC"), m.rticaPorc);
    pon(c("RTICAMONTO"), m.rticaMonto);
    pon(c("RTCREE"), m.creePorc);
    pon(c("RTCREEM"), m.creeMonto);
    pon(c("DTOFPORC"), m.dtofPorc);
    pon(c("DTOFMONTO"), m.dtofMonto);
    pon(base(0), m.base0);
    for (int i = 0; i < 3; ++i) {
        pon(base(i + 1), m.base[i]);
        pon(iva(i + 1), m.iva[i]);
    }
    pon(c("INALCM"), m.inalcm);
    emit montosCambiados();
}

// A charge brought back to the screen: the chain starts from its fields.
void DocumentoAjuste::leerMontos() {
    MontosDocumento& m = cadena_.m;
    for (int i = 0; i < clase_.descuentos; ++i) {
        m.dtoPorc[i] = cargo_.asDinero(dtoPorc(i));
        m.dtoMonto[i] = cargo_.asDinero(dtoMonto(i));
    }
    m.adicional = cargo_.asDinero(c("ADICIONAL"));
    m.extra = cargo_.asDinero(c("EXTRA"));
    m.monto = cargo_.asDinero(c("MONTO"));
    m.subTotal = m.monto + m.dtoMonto[0] + m.dtoMonto[1] + m.dtoMonto[2] + m.dtoMonto[3] - m.adicional;
    m.ivaPorc = cargo_.asDinero(c("IVAPORC"));
    m.ivaMonto = cargo_.asDinero(c("IVAMONTO"));
    m.baseRtfte = cargo_.asDinero(c("BASERTFTE"));
    m.rtftePorc = cargo_.asDinero(c("RTFTEPORC"));
    m.rtfteMonto = cargo_.asDinero(c("RTFTEMONTO"));
    m.rtivaPorc = cargo_.asDinero(c("RTIVAPORC"));
    m.rtivaMonto = cargo_.asDinero(c("RTIVAMONTO"));
    m.rticaPorc = cargo_.asDinero(c("RTICAPORC"));
    m.rticaMonto = cargo_.asDinero(c("RTICAMONTO"));
    m.creePorc = cargo_.asDinero(c("RTCREE"));
    m.creeMonto = cargo_.asDinero(c("RTCREEM"));
    m.dtofPorc = cargo_.asDinero(c("DTOFPORC"));
    m.dtofMonto = cargo_.asDinero(c("DTOFMONTO"));
    m.base0 = cargo_.asDinero(base(0));
    for (int i = 0; i < 3; ++i) {
        m.base[i] = cargo_.asDinero(base(i + 1));
        m.iva[i] = cargo_.asDinero(iva(i + 1));
    }
    m.inalcm = cargo_.asDinero(c("INALCM"));
}

void DocumentoAjuste::leerConfiguracion() {
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
    numProvObligatorio_ = clase_.numeroProveedor && es("COMPRAS", "FACTURAS", "NUMERO DE FACTURA DEL PROVEEDOR OBLIGATORIO", "SI");
    filtrarCentros_ = es("CONTABILIDAD", "COMPROBANTES", "FILTRAR CENTROS DE COSTO POR AGENCIA", "SI");
    descuentosAdicionales_ =
        clase_.descuentos == 4 && es("CXPAGAR", "DOCUMENTOS", "INCLUIR CAMPOS DE DESCUENTOS ADICIONALES EN CARGOS POR PAGAR", "SI");
    preguntaMandante_ = es("CXPAGAR", "DOCUMENTOS", "PREGUNTAR MANDANTE EN DOCUMENTOS DE CUENTAS POR PAGAR", "SI");
    preguntaTasa_ = es("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR", "SI");
    fechaInhabilitada_ = es("CXPAGAR", "DOCUMENTOS", "INHABILITAR FECHA EN DOCUMENTOS", "SI");
    monedaPredeterminada_ = configuracion_.entero(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                                  QStringLiteral("MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR"));
    CadenaMontos::Reglas r;
    r.digito = configuracion_.entero(QStringLiteral("CXPAGAR"), QStringLiteral("DOCUMENTOS"),
                                     QStringLiteral("REDONDEO AL MULTIPLO DE DIEZ EN TOTALES"));
    r.baseRtfteDigitadaQueda = clase_.baseRtfteDigitadaQueda;
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

bool DocumentoAjuste::cargarPrefijos() {
    // Each prefix with whether it has an accounting interface, so that a
    // new screen starts on one it can save with.
    QString sql = QStringLiteral(
        "select p.pref_pre, (select count(*) from interfaz_cxpagar i where i.tido_cod = %1 and i.pref_pre = p.pref_pre) "
        "from prefijos p where p.tido_cod = %1 and p.pref_activo = 'S' ").arg(clase_.tipo);
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

QString DocumentoAjuste::prefijoInicial() const {
    for (const OpcionBusqueda& p : prefijos_)
        if (conInterfaz_.contains(p.clave)) return p.clave;
    return prefijos_.isEmpty() ? QString() : prefijos_.first().clave;
}

QString DocumentoAjuste::actualDelPrefijo(const QString& prefijo, bool* automatico) {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_actual, pref_auto from prefijos where tido_cod = %1 and pref_pre = ").arg(clase_.tipo) +
        sql::texto(prefijo));
    if (automatico) *automatico = fila && (*fila)[1].toString().trimmed() == QLatin1String("S");
    return fila ? complete_numero((*fila)[0].toString().trimmed()) : QString();
}

bool DocumentoAjuste::abrir() {
    leerConfiguracion();
    if (!cargarPrefijos()) {
        interaccion_.error(kSinPrefijo);
        emit cerrar();
        return false;
    }
    try {
        // The cash voucher of a charge is held on screen and written only
        // with the charge's own save: the screen leaves none behind, and an
        // id-0 voucher in the table is another screen's.
        abrirPendiente();
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, clase_.proveedor);
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
            const QString proy = cargo_.asString(c("PROY")).trimmed();
            if (!proy.isEmpty()) {
                auto nombre = [this](const QString& sql) {
                    const auto f = sesion_.compania.queryOne(sql);
                    return f ? (*f)[0].toString() : QString();
                };
                nombreCentro_ = nombre(QStringLiteral("SELECT PROY_NOM FROM PROYECTOS WHERE PROY_COD = ") + sql::texto(proy));
                nombreSubcentro_ = nombre(QStringLiteral("SELECT CENT_NOM FROM CENTROS WHERE CENT_COD = ") +
                                          sql::texto(cargo_.asString(c("CENTRO"))) +
                                          QStringLiteral(" AND PROY_COD = ") + sql::texto(proy));
            }
            ultimaLinea_ = 0;
            for (lineas_.first(); !lineas_.isEmpty() && !lineas_.eof(); lineas_.next())
                ultimaLinea_ = std::max<int>(ultimaLinea_, int(lineas_.asInt(d("ITEM"))));
            nombreAcreedor_ = terceros_->nombre_proveedor(cargo_.asString(kNit));
            numeroAutomatico_ = false;
            actualDelPrefijo(cargo_.asString(kPrefijo), &numeroAutomatico_);
            emit montosCambiados();
            return true;
        }
        sesion_.compania.executeDirect(QStringLiteral("delete from %1 where %2 = 0").arg(clase_.tabla, c("ID")));
        abrirPendiente();
    }
    nuevoCargo();
    return true;
}

// The document left with id 0 by a save that did not finish, with its lines.
void DocumentoAjuste::abrirPendiente() {
    cargo_.open(sesion_.compania, QStringLiteral("select * from %1 where %2 = 0").arg(clase_.tabla, c("ID")));
    lineas_.open(sesion_.compania, QStringLiteral("select * from %1 where %2 = 0 order by %3")
                                       .arg(clase_.tablaLineas, c("ID"), d("ITEM")));
}

void DocumentoAjuste::nuevoCargo() {
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
    cruce_.clear();
    if (contado_) contado_->cancelar();
    cargo_.append();
    for (int i = 0; i < clase_.descuentos; ++i) cadena_.m.dtoPorc[i] = cargo_.asDinero(dtoPorc(i));
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
    if (cargo_.asString(kPrefijo) == elegido && cargo_.asString(c("NUMERO")).isEmpty()) prefijoIngresado();
    interaccion_.enfocar(c("NUMERO"));
    emit reiniciado();
    emit montosCambiados();
}

Dinero DocumentoAjuste::totalConIva() const {
    if (!cargo_.isOpen() || cargo_.isEmpty()) return cadena_.totalConIva();
    return cargo_.asDinero(c("MONTO")) + cargo_.asDinero(c("IVAMONTO")) +
           cargo_.asDinero(c("EXTRA"));
}

Dinero DocumentoAjuste::neto() const {
    if (!cargo_.isOpen() || cargo_.isEmpty()) return cadena_.neto();
    Dinero neto = totalConIva();
    for (const CampoRetencion& r : kRetenciones) neto -= cargo_.asDinero(c(r.monto));
    return neto;
}

void DocumentoAjuste::setSubTotal(Dinero v) {
    if (grabado_) return;
    cadena_.cambieSubTotal(v);
    escribirMontos();
}

void DocumentoAjuste::proponer(const PropuestaCargo& p) {
    if (!cargo_.isOpen() || cargo_.isEmpty() || grabado_) return;
    if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
    if (!p.prefijo.isEmpty() && !claveDe(prefijos_, p.prefijo).isEmpty()) cargo_.setValue(kPrefijo, p.prefijo);
    if (!p.nit.isEmpty()) cargo_.setValue(kNit, p.nit);
    if (p.fecha.isValid()) cargo_.setValue(c("FECHA"), p.fecha);
    if (!p.concepto.isEmpty()) cargo_.setValue(c("CONC"), p.concepto.left(60));
    const std::pair<const char*, const std::optional<Dinero>*> tasas[] = {{"IVAPORC", &p.ivaPorc},
                                                                          {"RTFTEPORC", &p.rtftePorc},
                                                                          {"RTIVAPORC", &p.rtivaPorc},
                                                                          {"RTICAPORC", &p.rticaPorc}};
    for (const auto& [campo, tasa] : tasas)
        if (*tasa) cargo_.setValue(c(campo), **tasa);
    if (!p.cuenta.isEmpty()) cargo_.setValue(c("CTACAUSA"), p.cuenta);
    if (p.monto) setSubTotal(*p.monto);
    emit montosCambiados();
}

void DocumentoAjuste::setDiasVence(int dias) {
    diasVence_ = dias;
    if (clase_.vence) cargo_.setValue(c("VENCE"), cargo_.asDate(c("FECHA")).addDays(dias));
}

void DocumentoAjuste::acreedorIngresado() {
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
        interaccion_.error(clase_.nitInactivo);
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
    const bool simplificado = clase_.simplificado && prov && (*prov)[2].toString().trimmed() == QLatin1String("S");
    cadena_.nuevoAcreedor(terceros_->base_rtfte(nit), terceros_->base_rtica(nit), simplificado);
    baseEnBases_ = false;
    if (prov) {
        Bandera cuentas(sincronizando_);
        cargo_.setValue(c("CTAPAGAR"), (*prov)[0]);
        cargo_.setValue(c("CTACAUSA"), (*prov)[1]);
        if (clase_.cuentasNiif) {
            cargo_.setValue(c("CTAPAGARN"), (*prov)[3]);
            cargo_.setValue(c("CTACAUSAN"), (*prov)[4]);
        }
    }
    // The creditor may come after the amount: the whole chain again, with
    // its minimum bases.
    cadena_.tasasDelAcreedor(perfil->retefuente, perfil->reteiva, perfil->reteica, perfil->cree);
    escribirMontos();
    revisarNumeroProveedor();
}

// The creditor's minimum bases and regime, for a charge brought back to the
// screen: its amounts stay as they were saved.
void DocumentoAjuste::perfilAcreedor(const QString& nit) {
    if (nit.isEmpty()) return;
    const auto prov = sesion_.compania.queryOne(
        QStringLiteral("select prov_simplificado from proveedores where terc_nit = ") + sql::texto(nit));
    cadena_.nuevoAcreedor(terceros_->base_rtfte(nit), terceros_->base_rtica(nit),
                          clase_.simplificado && prov && (*prov)[0].toString().trimmed() == QLatin1String("S"));
}

void DocumentoAjuste::revisarNumeroProveedor() {
    const QString nit = cargo_.asString(kNit).trimmed();
    const QString numero = cargo_.asString(c("NUMPROV")).trimmed();
    if (!clase_.numeroProveedor || nit.isEmpty() || numero.isEmpty() || accionRepetido_ == QLatin1String("IGNORAR"))
        return;
    QString sql = QStringLiteral("select max(pref_pre), max(ndpr_numero) from notas_debito_proveedor where ndpr_numprov = ") +
                  sql::texto(numero) + QStringLiteral(" and terc_nit = ") + sql::texto(nit);
    // The charge itself, once saved, is not its own duplicate.
    if (cargo_.asInt(c("ID")) != 0) sql += QStringLiteral(" and ndpr_id <> ") + sql::numero(cargo_.asInt(c("ID")));
    const auto fila = sesion_.compania.queryOne(sql);
    const QString prefijo = fila ? (*fila)[0].toString().trimmed() : QString();
    if (prefijo.isEmpty()) return;
    interaccion_.advertencia(QStringLiteral("El cargo No. ") + prefijo + (*fila)[1].toString().trimmed() +
                             QStringLiteral(" ya tiene ese número de proveedor."));
    if (accionRepetido_ == QLatin1String("PROHIBIR")) {
        cargo_.setValue(c("NUMPROV"), QString());
        interaccion_.enfocar(c("NUMPROV"));
    }
}

void DocumentoAjuste::prefijoIngresado() {
    const QString prefijo = cargo_.asString(kPrefijo);
    if (prefijo.isEmpty()) return;
    // The prefix's consecutive is checked against this same reading: read
    // again, another clerk's save in between would make it look typed by
    // hand, ask about a number nobody typed and leave the number empty.
    const QString actual = actualDelPrefijo(prefijo, &numeroAutomatico_);
    ponerNumero(prefijo, actual, actual);
    if (servicios_.abreInterfaz) servicios_.abreInterfaz(clase_.tipo, prefijo, false);
    emit montosCambiados();  // the number's read-only state follows the prefix
}

// The number entry's rules on `numero`: a used one opens its consult and
// the consecutive comes back; the consecutive taken moves on silently.
void DocumentoAjuste::ponerNumero(const QString& prefijo, const QString& numero, const QString& actual) {
    EntradaNumero entrada(*numeracion_, clase_.tipo);
    const QString elegido = entrada.cambio(numero, prefijo, actual, [this](const QString& id) {
        if (clase_.consultaNumero && servicios_.consultar) servicios_.consultar(id.toLongLong());
    });
    if (elegido != cargo_.asString(c("NUMERO"))) {
        Bandera poniendo(sincronizando_);
        cargo_.setValue(c("NUMERO"), elegido.isEmpty() ? fb::Value() : fb::Value(elegido));
    }
    autorizacionDelNumero();
}

// The tax authority's numbering authorization that covers the charge's
// number: looked up again whenever the number changes, so that the one
// stored is the one of the number finally used.
void DocumentoAjuste::autorizacionDelNumero() {
    if (!clase_.autorizacion) return;
    bool entero = false;
    const qlonglong numero = cargo_.asString(c("NUMERO")).trimmed().toLongLong(&entero);
    QString autorizacion;
    if (entero) {
        const auto fila = sesion_.compania.queryOne(
            QStringLiteral("SELECT AUTO_NUMERO FROM AUTORIZACIONES WHERE TIDO_COD = 51 AND PREF_PRE = ") +
            sql::texto(cargo_.asString(kPrefijo)) + QStringLiteral(" AND CAST(auto_inicial AS INTEGER) <= ") +
            sql::numero(numero) + QStringLiteral(" AND CAST(auto_final AS INTEGER) >= ") + sql::numero(numero));
        if (fila) autorizacion = (*fila)[0].toString();
    }
    if (cargo_.asString(c("AUTO")) != autorizacion)
        cargo_.setValue(c("AUTO"), autorizacion);
}

void DocumentoAjuste::numeroIngresado() {
    if (sincronizando_) return;
    const QString prefijo = cargo_.asString(kPrefijo);
    ponerNumero(prefijo, cargo_.asString(c("NUMERO")), actualDelPrefijo(prefijo));
}

void DocumentoAjuste::fechaIngresada() {
    const QDate fecha = cargo_.asDate(c("FECHA"));
    if (!fecha.isValid()) return;
    valide_fecha(cargo_, c("FECHA"), configuracion_, interaccion_);
    if (!clase_.vence) {
    } else if (diasVence_ != 0) cargo_.setValue(c("VENCE"), fecha.addDays(diasVence_));
    else if (cargo_.asDate(c("VENCE")) < fecha) cargo_.setValue(c("VENCE"), fecha);
    cadena_.recalculeIvaBases();
    escribirMontos();
    if (preguntaTasa_) monedaIngresada();
}

void DocumentoAjuste::venceIngresado() {
    const QDate fecha = cargo_.asDate(c("FECHA"));
    const QDate vence = cargo_.asDate(c("VENCE"));
    if (!vence.isValid() || !fecha.isValid()) return;
    if (fecha > vence) {
        interaccion_.advertencia(kVencimiento);
        diasVence_ = 0;
        cargo_.setValue(c("VENCE"), fecha);
    } else {
        diasVence_ = int(fecha.daysTo(vence));
    }
    emit montosCambiados();
}

namespace {
// Pesos (no currency, or the peso's own ISO code) are at rate 1.
constexpr qlonglong kPesos = 170;
bool monedaExtranjera(const DataSet& ds, const QString& campo, qlonglong* codigo = nullptr) {
    bool entero = false;
    const qlonglong m = ds.asString(campo).trimmed().toLongLong(&entero);
    if (codigo) *codigo = m;
    return entero && m != 0 && m != kPesos;
}
}  // namespace

// The day's rate of a foreign currency. With none, the person is told and
// types it: a foreign-currency charge is never stored at 1 by default.
void DocumentoAjuste::monedaIngresada() {
    if (!preguntaTasa_) return;
    const QString campo = c("TRM");
    qlonglong codigo = 0;
    if (!monedaExtranjera(cargo_, c("MONEDA"), &codigo)) {
        cargo_.setValue(campo, 1.0);
        return;
    }
    const QDate fecha = cargo_.asDate(c("FECHA"));
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

void DocumentoAjuste::centroIngresado() {
    const QString centro = cargo_.asString(c("PROY")).trimmed();
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
        if (sub && !(*sub)[0].isNull()) cargo_.setValue(c("CENTRO"), (*sub)[0]);
    }
    emit montosCambiados();
}

void DocumentoAjuste::subcentroIngresado() {
    const QString sub = cargo_.asString(c("CENTRO")).trimmed();
    nombreSubcentro_.clear();
    if (sub == QLatin1String("?")) {
        buscarCentro();
        return;
    }
    if (!sub.isEmpty()) {
        QString sql = QStringLiteral("SELECT CENT_NOM FROM CENTROS WHERE CENT_COD = ") + sql::texto(sub) +
                      QStringLiteral(" AND PROY_COD = ") + sql::texto(cargo_.asString(c("PROY")));
        if (filtrarCentros_)
            sql += QStringLiteral(" and ((sucu_id = 0) or (sucu_id = ") +
                   sql::numero(int64_t(sesion_.agencia_actual)) + QStringLiteral("))");
        const auto nombre = sesion_.compania.queryOne(sql);
        if (nombre) nombreSubcentro_ = (*nombre)[0].toString();
    }
    emit montosCambiados();
}

void DocumentoAjuste::mandanteIngresado() {
    const QString nit = cargo_.asString(c("MANDANTE")).trimmed();
    nombreMandante_.clear();
    if (nit.startsWith(u'?')) {
        buscarMandante();
        return;
    }
    if (!nit.isEmpty()) {
        nombreMandante_ = terceros_->nom_tercero(nit);
        if (nombreMandante_.isEmpty()) {
            interaccion_.error(kMandanteNoExiste);
            cargo_.setValue(c("MANDANTE"), QString());
        }
    }
    emit montosCambiados();
}

void DocumentoAjuste::cuentaIngresada(const QString& campo, bool niif) {
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

void DocumentoAjuste::buscarAcreedor() {
    const auto eleccion = interaccion_.elegir(QStringLiteral("Tfbuscprove"));
    cargo_.setValue(kNit, eleccion ? eleccion->value(QStringLiteral("nit")).toString() : QString());
}

void DocumentoAjuste::buscarMandante() {
    const QString campo = c("MANDANTE");
    QString filtro = cargo_.asString(campo).trimmed();
    if (filtro.startsWith(u'?')) filtro.remove(0, 1);
    const auto eleccion = interaccion_.elegir(selectores::kTerceros, {{QStringLiteral("filtro"), filtro}});
    cargo_.setValue(campo, eleccion ? eleccion->value(QStringLiteral("nit")).toString() : QString());
}

void DocumentoAjuste::buscarCuenta(const QString& campo, const QString& filtro) {
    const bool niif = campo.endsWith(u'N');
    const auto eleccion = interaccion_.elegir(selectores::kCuentas, {{QStringLiteral("filtro"), filtro},
                                                                      {QStringLiteral("niif"), niif}});
    cargo_.setValue(campo, eleccion ? eleccion->value(QStringLiteral("cuenta")).toString() : QString());
}

void DocumentoAjuste::aplicarAFactura() {
    const auto eleccion = interaccion_.elegir(selectores::kFacturasCompra,
                                              {{QStringLiteral("nit"), cargo_.asString(kNit)}});
    if (!eleccion) return;
    if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
    cargo_.setValue(c("FACID"), int64_t(eleccion->value(QStringLiteral("id")).toLongLong()));
    factura_ = numeracion_->num_documento(21, eleccion->value(QStringLiteral("id")).toLongLong());
    emit montosCambiados();
}

bool DocumentoAjuste::aplicarA(const QString& clase, const QString& numero) {
    const QString texto = numero.trimmed().toUpper();
    int tipo = 0;
    for (const ClaseAjuste::Cruce& k : clase_.cruces)
        if (k.clase == clase) tipo = k.tipo;
    auto soltar = [this] {
        cruce_.clear();
        claseCruce_.clear();
        if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
        cargo_.setValue(clase_.tipoAplicado, fb::Value());
        cargo_.setValue(clase_.numeroAplicado, fb::Value());
        emit montosCambiados();
    };
    if (texto.isEmpty() || tipo == 0) {
        soltar();
        return texto.isEmpty();
    }
    if (egresoPendiente()) {
        interaccion_.error(EgresoContado::kConPago);
        soltar();
        return false;
    }
    const MontosDocumento& m = cadena_.m;
    if (m.monto.esCero()) {
        interaccion_.advertencia(kCruceSinMonto);
        soltar();
        return false;
    }
    // Purchase invoices are numbered with eight digits, the rest with six.
    const int ancho = tipo == 21 ? 8 : 6;
    const QString prefijo = texto.size() > ancho ? texto.left(texto.size() - ancho) : QString();
    const QString consecutivo = complete_numero_n(texto.right(std::min<int>(ancho, texto.size())), ancho);
    Cxpagar cxpagar(sesion_.compania, interaccion_);
    const int64_t id =
        cxpagar.id_doc(tipo, prefijo, consecutivo, cargo_.asString(kNit).trimmed(), cargo_.asDate(c("FECHA")));
    if (id == 0) {
        interaccion_.error(kCruceNoExiste);
        soltar();
        return false;
    }
    // The document's balance and pending withholdings: a discount takes
    // from a debt at most what the debt still owes, as they come; a charge
    // crosses a credit (its balance negative) in absolute value. The extra
    // value and CREE are not part of the balance test.
    ImportesPendientes p = cxpagar.ultimos();
    const bool deuda = clase_.tipo == 51;  // the document itself is a debt: the other one a credit
    if (deuda)
        for (Dinero* v : {&p.saldo, &p.rtfte, &p.rtiva, &p.rtica, &p.rcree}) *v = v->abs();
    const Dinero neto = m.monto + m.ivaMonto - m.rtfteMonto - m.rtivaMonto - m.rticaMonto;
    if (p.saldo < neto || p.rtfte < m.rtfteMonto || p.rtiva < m.rtivaMonto || p.rtica < m.rticaMonto ||
        p.rcree < m.creeMonto) {
        interaccion_.error(kCruceInsuficiente);
        soltar();
        return false;
    }
    // The first active application prefix of any agency.
    const QStringList prefijosAplicacion = prefijosActivos(sesion_.compania, 53, 0);
    if (prefijosAplicacion.isEmpty()) {
        interaccion_.error(kSinPrefijoAplicacion);
        soltar();
        return false;
    }
    prefijoAplicacion_ = prefijosAplicacion.first();
    claseCruce_ = clase;
    cruce_.clear();
    // Debts positive, credits negative: the two lines add up to zero.
    auto firmado = [&](Dinero v) { return deuda ? v : -v; };
    LineaCruce propia{clase_.tipo, 0, cargo_.asString(kPrefijo), cargo_.asString(c("NUMERO")),
                      firmado(neto - m.creeMonto), firmado(m.rtfteMonto), firmado(m.rtivaMonto),
                      firmado(m.rticaMonto), firmado(m.creeMonto)};
    LineaCruce otro{tipo, id, prefijo, consecutivo, -propia.aplicado, -propia.rtfte, -propia.rtiva, -propia.rtica,
                    -propia.rcree};
    cruce_ << propia << otro;
    if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
    cargo_.setValue(clase_.tipoAplicado, tipo);
    cargo_.setValue(clase_.numeroAplicado, otro.prefijo + otro.numero);
    emit montosCambiados();
    return true;
}

// "Aplicar a artículo": an article of the inventory, active.
void DocumentoAjuste::articuloCargoIngresado() { articuloDe(cargo_, QStringLiteral("ARTI_COD")); }

void DocumentoAjuste::buscarCentro() {
    QVariantMap args;
    if (filtrarCentros_ && sesion_.agencia_actual != 0) args.insert(QStringLiteral("agencia"), sesion_.agencia_actual);
    const auto eleccion = interaccion_.elegir(selectores::kCentros, args);
    {
        Bandera eligiendo(sincronizando_);
        cargo_.setValue(c("PROY"),
                        eleccion ? eleccion->value(QStringLiteral("proyecto")).toString() : QString());
        cargo_.setValue(c("CENTRO"),
                        eleccion ? eleccion->value(QStringLiteral("centro")).toString() : QString());
    }
    centroIngresado();
    if (eleccion) cargo_.setValue(c("CENTRO"), eleccion->value(QStringLiteral("centro")).toString());
}

void DocumentoAjuste::abrirBases() {
    basesAbiertas_ = true;
    baseEnBases_ = false;
}

// A rete-fuente base left over from the amount is not the bases' own: only
// one typed in the panel stays fixed.
void DocumentoAjuste::continuarBases() {
    basesAbiertas_ = false;
    cadena_.continuarBases(baseEnBases_);
    escribirMontos();
}

Dinero DocumentoAjuste::totalLineas() const {
    Dinero total;
    const int actual = lineas_.isEmpty() ? -1 : lineas_.currentRow();
    DataSet& l = const_cast<DataSet&>(lineas_);
    for (int i = 0; i < l.recordCount(); ++i) {
        l.setCurrentRow(i);
        total += l.asDinero(d("TOTAL"));
    }
    if (actual >= 0) l.setCurrentRow(actual);
    return total;
}

void DocumentoAjuste::agregarLinea() { lineas_.append(); }

// An article typed in `campo`: "?" opens the picker (its choice comes back
// through the field); an unknown or inactive one is refused and emptied.
std::optional<Articulo> DocumentoAjuste::articuloDe(DataSet& ds, const QString& campo) {
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

void DocumentoAjuste::articuloIngresado() {
    if (sincronizandoLineas_) return;
    const auto articulo = articuloDe(lineas_, clase_.articuloLinea);
    if (!articulo) return;
    lineas_.setValue(d("DESC"), articulo->nombre.left(60));
    if (lineas_.asString(d("UNIDAD")).trimmed().isEmpty())
        lineas_.setValue(d("UNIDAD"), articulo->unidad);
    else
        proponerCosto();
}

void DocumentoAjuste::unidadIngresada() {
    if (sincronizandoLineas_) return;
    const QString codigo = lineas_.asString(clase_.articuloLinea).trimmed();
    const QString unidad = lineas_.asString(d("UNIDAD")).trimmed();
    if (codigo.isEmpty() || unidad.isEmpty()) return;
    if (!articulos_->valide_unidad(codigo, unidad)) {
        interaccion_.error(kUnidadInvalida);
        lineas_.setValue(d("UNIDAD"), QString());
        interaccion_.enfocar(d("UNIDAD"));
        return;
    }
    proponerCosto();
}

// The average cost of the article in the line's unit at the charge's date.
void DocumentoAjuste::proponerCosto() {
    const QString codigo = lineas_.asString(clase_.articuloLinea).trimmed();
    const QString unidad = lineas_.asString(d("UNIDAD")).trimmed();
    if (codigo.isEmpty() || unidad.isEmpty()) return;
    ponImporte(lineas_, d("COSTO"), articulos_->costo_promedio(codigo, unidad, cargo_.asDate(c("FECHA"))));
}

const QStringList& DocumentoAjuste::clasesDocumento() {
    static const QStringList clases{QStringLiteral("Entrada"),           QStringLiteral("Salida"),
                                    QStringLiteral("Transferencia"),     QStringLiteral("Remisión proveedor"),
                                    QStringLiteral("Factura de compra"), QStringLiteral("Remisión cliente"),
                                    QStringLiteral("Factura de venta")};
    return clases;
}

int DocumentoAjuste::traerDocumento(int clase, const QString& prefijo, const QString& numero) {
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
        lineas_.setValue(clase_.articuloLinea, f[0]);
        ponImporte(lineas_, d("CANT"), dineroDe(f[1]));
        lineas_.setValue(d("UNIDAD"), f[2]);
        ponImporte(lineas_, d("COSTO"), dineroDe(f[3]));
        ponImporte(lineas_, d("TOTAL"), dineroDe(f[4]));
        const auto articulo = articulos_->articulo(f[0].toString());
        if (articulo) lineas_.setValue(d("DESC"), articulo->nombre.left(60));
        lineas_.post();
    }
    cargo_.setValue(c("TOTALDET"), totalLineas());
    emit montosCambiados();
    return int(filas.size());
}

void DocumentoAjuste::abrirLineas() {
    lineasAbiertas_ = true;
    if (lineas_.isEmpty()) lineas_.append();
}

// Esc in the panel: the line being edited is dropped.
void DocumentoAjuste::cerrarLineas() {
    if (lineas_.state() != DataSet::State::Browse) lineas_.cancel();
    lineasAbiertas_ = false;
    if (!lineas_.isEmpty()) cargo_.setValue(c("TOTALDET"), totalLineas());
}

// "F2:Continuar": the lines stay and their total goes to the charge.
void DocumentoAjuste::continuarLineas() {
    if (lineas_.state() != DataSet::State::Browse) lineas_.post();
    lineasAbiertas_ = false;
    cargo_.setValue(c("TOTALDET"), totalLineas());
}

// The dataset's own checks, in their order; each leaves the charge in edit.
bool DocumentoAjuste::validar() {
    if (numProvObligatorio_ && vacio(cargo_, c("NUMPROV"))) {
        interaccion_.error(kNumProvObligatorio);
        interaccion_.enfocar(c("NUMPROV"));
        return false;
    }
    if (vacio(cargo_, kNit)) {
        interaccion_.error(kSinNit);
        interaccion_.enfocar(kNit);
        return false;
    }
    if (cargo_.asDinero(c("MONTO")).esCero()) {
        interaccion_.error(kMontoCero);
        interaccion_.enfocar(QStringLiteral("SubTotal"));
        return false;
    }
    const fb::Value tasa = cargo_.value(c("TRM"));
    if (monedaExtranjera(cargo_, c("MONEDA")) && (tasa.isNull() || tasa.toDouble() <= 0)) {
        interaccion_.error(kSinTasa);
        interaccion_.enfocar(c("TRM"));
        return false;
    }
    return true;
}

bool DocumentoAjuste::grabar() {
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
    const int interfaz = servicios_.abreInterfaz ? servicios_.abreInterfaz(clase_.tipo, prefijo, true) : 0;
    if (interfaz == 0) return false;

    if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
    if (!lineas_.isEmpty()) cargo_.setValue(c("TOTALDET"), totalLineas());
    // The id is taken before the checks and kept for the next attempt.
    if (cargo_.asInt(c("ID")) == 0) {
        try {
            // The procedure only takes the next value of a sequence: a read,
            // which needs no transaction that writes.
            const int64_t id = sesion_.compania.read([&](fb::Transaction& tr) {
                return tr.executeProcedure(clase_.procedimientoId)[QStringLiteral("ID")].toInt64();
            });
            cargo_.setValue(c("ID"), id);
        } catch (const std::exception& e) {
            manejador_.ManejarError(e, clase_.proveedor);
            return false;
        }
    }
    if (!validar()) return false;
    // The crossing at once: its application is written in the document's
    // own transaction (both or neither) and posted after it.
    int interfazAplicacion = 0;
    if (!cruce_.isEmpty()) {
        // Checked again with the amounts as they are now: they may have
        // changed since the document crossed was chosen.
        const QString clase = claseCruce_, numero = cruce();
        if (!aplicarA(clase, numero)) return false;
        interfazAplicacion = servicios_.abreInterfaz ? servicios_.abreInterfaz(53, prefijoAplicacion_, true) : 0;
        if (interfazAplicacion == 0) return false;
        try {
            prepararAplicacion();
        } catch (const std::exception& e) {
            manejador_.ManejarError(e, clase_.proveedor);
            return false;
        }
    }
    // The cash payment: still the charge's (its amounts may have changed
    // since F4), and its interface chosen before anything is written.
    int interfazEgreso = 0;
    if (egresoPendiente()) {
        if (!contado_->paga(cargoParaEgreso())) {
            interaccion_.error(EgresoContado::kCargoCambiado);
            contado_->cancelar();
            emit montosCambiados();
            return false;
        }
        const QString prefijoEgreso = contado_->egreso().asString(kPrefijo).trimmed();
        interfazEgreso = servicios_.abreInterfazCaja ? servicios_.abreInterfazCaja(62, prefijoEgreso, true)
                                                     : contado_->interfaz();
        if (interfazEgreso == 0) return false;
    }
    if (!escribir()) {
        if (cargo_.state() == DataSet::State::Browse) cargo_.edit();
        return false;
    }
    const int64_t id = cargo_.asInt(c("ID"));
    ultimaAplicacion_ = cruce_.isEmpty() ? 0 : aplicacion_.asInt(QStringLiteral("APPR_ID"));
    interfazAplicacion_ = interfazAplicacion;
    porContabilizarAplicacion_ = ultimaAplicacion_ != 0;
    ultimoId_ = id;
    ultimoNumero_ = cargo_.asString(kPrefijo) + cargo_.asString(c("NUMERO"));
    ultimoPrefijo_ = cargo_.asString(kPrefijo);
    replicarEnHermanas(sesion_.compania, interaccion_, clase_.tipo, id);
    // The cash voucher in its own transaction: a failure is said and leaves
    // nothing of it, the charge saved.
    ultimoEgreso_ = egresoPendiente() ? contado_->grabar(id, cargoParaEgreso(), interfazEgreso) : 0;
    interfazEgreso_ = interfazEgreso;
    porContabilizarEgreso_ = porImprimirEgreso_ = ultimoEgreso_ != 0;
    grabado_ = true;
    porContabilizar_ = porImprimir_ = true;
    interfazGrabado_ = interfaz;
    bloquearCargo(true);
    return terminarGrabado();
}

// Posting and printing of the charge just written. A failure leaves the
// screen on the saved charge, read-only: F2 tries again what failed and
// nothing is written twice; Esc leaves without a question.
bool DocumentoAjuste::terminarGrabado() {
    const int64_t id = cargo_.asInt(c("ID"));
    try {
        if (porContabilizar_) {
            if (servicios_.contabilizar) servicios_.contabilizar(id, interfazGrabado_, cargo_.asDate(c("FECHA")));
            porContabilizar_ = false;
        }
        if (porContabilizarAplicacion_) {
            if (servicios_.contabilizarAplicacion)
                servicios_.contabilizarAplicacion(ultimaAplicacion_, interfazAplicacion_, cargo_.asDate(c("FECHA")));
            porContabilizarAplicacion_ = false;
        }
        if (porContabilizarEgreso_) {
            if (servicios_.contabilizarEgreso)
                servicios_.contabilizarEgreso(ultimoEgreso_, interfazEgreso_, cargo_.asDate(c("FECHA")));
            porContabilizarEgreso_ = false;
        }
        if (porImprimir_) {
            if (servicios_.imprimir) servicios_.imprimir(id);
            porImprimir_ = false;
        }
        if (porImprimirEgreso_) {
            if (servicios_.imprimirEgreso) servicios_.imprimirEgreso(ultimoEgreso_);
            porImprimirEgreso_ = false;
        }
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, clase_.proveedor);
        interaccion_.advertencia(QStringLiteral("El ") + clase_.nombre + u' ' + ultimoNumero_ + kGrabadoPendiente);
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

void DocumentoAjuste::bloquearCargo(bool bloquear) {
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
bool DocumentoAjuste::escribir() {
    const QString numeroPedido = cargo_.asString(c("NUMERO"));
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
        if (!cruce_.isEmpty()) opciones.afterApply = [this](fb::Transaction& tr, int) { escribirAplicacion(tr); };
        opciones.onFailure = [this](const fb::DbError& e, int) {
            if (e.kind() != fb::ErrorKind::Unique) return false;
            // The application's number, always taken from its prefix, may
            // have gone to another clerk as well.
            const bool aplicacion = renumerarAplicacion();
            if (!numeroAutomatico_) return aplicacion;
            // The first free number from the prefix's consecutive on, even
            // when the consecutive itself points at a used number.
            const auto siguiente = numeroLibreDelPrefijo(sesion_.compania, clase_.tipo, cargo_.asString(kPrefijo));
            if (!siguiente || *siguiente == cargo_.asString(c("NUMERO"))) return aplicacion;
            Bandera renumerando(sincronizando_);
            cargo_.edit();
            cargo_.setValue(c("NUMERO"), *siguiente);
            autorizacionDelNumero();
            cargo_.post();
            return true;
        };
        cargo_.applyUpdates(sesion_.compania, opciones);
        if (!cruce_.isEmpty()) aplicacion_.acceptWritten();
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, clase_.proveedor, &cargo_, QStringLiteral("cdsNotasDebito"));
        return false;
    }
    if (cargo_.asString(c("NUMERO")) != numeroPedido)
        interaccion_.informacion(QStringLiteral("El número ") + numeroPedido +
                                 QStringLiteral(" fue tomado por otro documento. El ") + clase_.nombre +
                                 QStringLiteral(" se grabó con el número ") +
                                 cargo_.asString(c("NUMERO")) + QStringLiteral("."));
    return true;
}

// The application of the crossing, held in memory until the save: header
// from the applications prefix, the document's line and the other one.
void DocumentoAjuste::prepararAplicacion() {
    aplicacion_.open(sesion_.compania, QStringLiteral("select * from aplicacion_provedor where appr_id = -1"));
    aplicacionLineas_.open(sesion_.compania,
                           QStringLiteral("select * from aplicacion_proveedor_detalle where appr_id = -1"));
    const auto numero = numeroLibreDelPrefijo(sesion_.compania, 53, prefijoAplicacion_);
    if (!numero) throw DataSetError(kSinPrefijoAplicacion, QStringLiteral("PREF_PRE"));
    DataSet& a = aplicacion_;
    a.append();
    a.setValue(QStringLiteral("APPR_ID"), 0);
    a.setValue(QStringLiteral("TIDO_COD"), 53);
    a.setValue(kPrefijo, prefijoAplicacion_);
    a.setValue(QStringLiteral("APPR_NUMERO"), *numero);
    a.setValue(QStringLiteral("APPR_FECHA"), cargo_.asDate(c("FECHA")));
    a.setValue(QStringLiteral("APPR_CONC"),
               (QStringLiteral("APLICACION CARGO A ") + claseCruce_ + QStringLiteral(" No.") + cruce()).left(60));
    for (const char* f : {"APPR_ANULADO", "APPR_TRANSMIT", "NUMOK"}) a.setValue(QString::fromLatin1(f), "N");
    a.setValue(kNit, cargo_.asString(kNit));
    a.setValue(QStringLiteral("APPR_USUARIO"), sesion_.usuario_actual.left(10));
    a.post();
    int item = 0;
    for (const LineaCruce& l : std::as_const(cruce_)) {
        DataSet& d = aplicacionLineas_;
        d.append();
        d.setValue(QStringLiteral("APPD_ITEM"), ++item);
        d.setValue(QStringLiteral("APPD_TIPODOC"), l.tipo);
        d.setValue(QStringLiteral("APPD_IDDOC"), l.id);
        d.setValue(QStringLiteral("APPD_PREFIJO"), l.prefijo);
        d.setValue(QStringLiteral("APPD_NUMERO"), l.numero);
        const std::pair<const char*, Dinero> montos[] = {{"APPD_APLICADO", l.aplicado}, {"APPD_RTFTE", l.rtfte},
                                                         {"APPD_RTIVA", l.rtiva},       {"APPD_RTICA", l.rtica},
                                                         {"APPD_RCREE", l.rcree}};
        for (const auto& [campo, v] : montos) d.setValue(QString::fromLatin1(campo), v);
        d.setValue(QStringLiteral("APPD_ANULADO"), "N");
        d.setValue(QStringLiteral("APPD_TRANSMIT"), "N");
        d.post();
    }
}

// Inside the document's transaction, after its own rows: the document's
// line names it by the id and number it is written with, and the
// application takes its id and is written by its own writer.
void DocumentoAjuste::escribirAplicacion(fb::Transaction& tr) {
    DataSet& d = aplicacionLineas_;
    for (d.first(); !d.eof(); d.next()) {
        if (d.asInt(QStringLiteral("APPD_TIPODOC")) != clase_.tipo) continue;
        d.edit();
        d.setValue(QStringLiteral("APPD_IDDOC"), cargo_.asInt(c("ID")));
        d.setValue(QStringLiteral("APPD_PREFIJO"), cargo_.asString(kPrefijo));
        d.setValue(QStringLiteral("APPD_NUMERO"), cargo_.asString(c("NUMERO")));
        d.post();
    }
    idDeAplicacion(tr, aplicacion_);
    aplicacion_.writeIn(tr);
}

bool DocumentoAjuste::renumerarAplicacion() {
    if (cruce_.isEmpty() || !aplicacion_.isOpen() || aplicacion_.isEmpty()) return false;
    const auto siguiente = numeroLibreDelPrefijo(sesion_.compania, 53, prefijoAplicacion_);
    if (!siguiente || *siguiente == aplicacion_.asString(QStringLiteral("APPR_NUMERO"))) return false;
    aplicacion_.edit();
    aplicacion_.setValue(QStringLiteral("APPR_NUMERO"), *siguiente);
    aplicacion_.post();
    return true;
}

EgresoContado::Cargo DocumentoAjuste::cargoParaEgreso() const {
    EgresoContado::Cargo r;
    r.nit = cargo_.asString(kNit).trimmed();
    r.nombre = nombreAcreedor_;
    r.prefijo = cargo_.asString(kPrefijo).trimmed();
    r.numero = cargo_.asString(c("NUMERO")).trimmed();
    r.fecha = cargo_.asDate(c("FECHA"));
    r.neto = neto();
    r.rtfte = cargo_.asDinero(c("RTFTEMONTO"));
    r.rtiva = cargo_.asDinero(c("RTIVAMONTO"));
    r.rtica = cargo_.asDinero(c("RTICAMONTO"));
    r.rcree = cargo_.asDinero(c("RTCREEM"));
    return r;
}

// F4: only a charge not yet saved, with its creditor and an amount to pay.
bool DocumentoAjuste::pagarDeContado() {
    if (!clase_.pagoContado || grabado_ || !cargo_.isOpen() || cargo_.isEmpty()) return false;
    if (lineas_.state() != DataSet::State::Browse) lineas_.post();
    if (vacio(cargo_, kNit)) {
        interaccion_.error(kSinNit);
        interaccion_.enfocar(kNit);
        return false;
    }
    if (neto() <= Dinero()) {
        interaccion_.error(kMontoCero);
        interaccion_.enfocar(QStringLiteral("SubTotal"));
        return false;
    }
    if (!cruce_.isEmpty()) {
        interaccion_.error(EgresoContado::kConCruce);
        return false;
    }
    if (!contado_) contado_ = std::make_unique<EgresoContado>(sesion_, interaccion_, manejador_, configuracion_);
    try {
        return contado_->preparar(cargoParaEgreso());
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, clase_.proveedor);
        contado_->cancelar();
        return false;
    }
}

bool DocumentoAjuste::aceptarEgreso() {
    if (!contado_) return false;
    try {
        const bool r = contado_->aceptar();
        emit montosCambiados();
        return r;
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, clase_.proveedor);
        contado_->cancelar();
        return false;
    }
}

void DocumentoAjuste::cancelarEgreso() {
    if (contado_) contado_->cancelar();
    emit montosCambiados();
}

bool DocumentoAjuste::cancelar() {
    if (lineasAbiertas_) {
        cerrarLineas();
        return false;
    }
    // A charge already written has nothing to lose.
    if (!grabado_ && !vacio(cargo_, kNit) && !interaccion_.preguntar(kCancelar)) return false;
    lineas_.cancel();
    cargo_.cancel();
    if (contado_) contado_->cancelar();
    emit cerrar();
    return true;
}

}  // namespace cxp
