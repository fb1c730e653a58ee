#pragma once
// A payables adjustment document entered one at a time: the charge
// (supplier debit note, type 51) and the discount (supplier credit note,
// type 52) are one machinery under two ClaseAjuste. The header and its
// article lines are one nested DataSet written in one batch; the amounts
// follow CadenaMontos; the save takes the accounting interface, the id,
// runs the checks, writes, posts and prints, and starts the next document
// on the same prefix. Screen logic only; the widgets are TfnotasdebitoVista.
#include "base/Dinero.h"
#include "comunes/Opciones.h"
#include "data/Articulos.h"
#include "data/DataSet.h"
#include "documents/CadenaMontos.h"
#include "documents/charges/EgresoContado.h"

#include <QDate>
#include <QObject>
#include <QSet>
#include <functional>
#include <memory>
#include <optional>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
class Numeracion;
class Terceros;
class Articulos;
class Contabilidad;
struct Sesion;

// What tells a charge from a discount: its tables and columns, its type,
// its messages and which fields and checks it has.
struct ClaseAjuste {
    // A kind of document the adjustment may cross at once ("Aplicar a:").
    struct Cruce {
        QString clase;  // "FACTCOMP"
        int tipo = 0;   // 21
    };
    int tipo = 51;
    QString col;            // header column prefix: "NDPR"
    QString colLinea;       // line column prefix: "NDPD"
    QString tabla;          // header table
    QString tablaLineas;    // line table
    QString articuloLinea;  // the lines' article column
    QString procedimientoId;
    QString proveedor;      // the data provider named in error logs
    QString nombre;         // "cargo" in the screen's own messages
    QString nitInactivo;    // the creditor not found or inactive
    QString tipoAplicado, numeroAplicado;  // the document crossed
    int descuentos = 4;     // commercial discounts: four, or one (DTOPORC/DTOMONTO)
    bool vence = true;               // due date and "Dias vence"
    bool numeroProveedor = true;     // duplicate and required creditor number
    bool simplificado = true;        // simplified-regime creditors
    bool cuentasNiif = true;         // the creditor's NIIF accounts proposed
    bool autorizacion = true;        // the tax authority's numbering authorization
    bool consultaNumero = true;      // a used number opens its consult
    bool baseRtfteDigitadaQueda = false;  // a typed rete-fuente base stays
    bool pagoContado = true;         // F4: paid at once in cash
    bool ordenServicio = true;       // filled from a service order
    QList<Cruce> cruces;             // the kinds crossed at once
    static const ClaseAjuste& cargo();
    static const ClaseAjuste& descuento();
};

// What the charge screen asks of other subsystems; the program wires the
// real ones, tests their own.
struct ServiciosCargo {
    // The accounting interface of (type, prefix): 0 when there is none or
    // the person cancelled the choice (preguntar = false: only the check).
    std::function<int(int tipo, const QString& prefijo, bool preguntar)> abreInterfaz;
    // Posts a saved charge with the interface chosen, through the review window.
    std::function<void(int64_t id, int interfaz, const QDate& fecha)> contabilizar;
    // The print window of a saved charge, modal.
    std::function<void(int64_t id)> imprimir;
    // The read-only consult of a charge whose number was typed again.
    std::function<void(int64_t id)> consultar;
    // Posts the application (type 53) of a crossing at once, saved with the
    // document, with the interface chosen, through the review window.
    std::function<void(int64_t id, int interfaz, const QDate& fecha)> contabilizarAplicacion;
    // The cash payment (type 62) saved with the charge: the cash module's
    // interface of its prefix (abre_interfaz_caja), its posting through the
    // review window and its print window, as on the voucher's own screen.
    std::function<int(int tipo, const QString& prefijo, bool preguntar)> abreInterfazCaja;
    std::function<void(int64_t id, int interfaz, const QDate& fecha)> contabilizarEgreso;
    std::function<void(int64_t id)> imprimirEgreso;
};

// A line of the application (type 53) a crossing at once prepares: debts
// positive, credits negative. The document's own line has id 0 until saved.
struct LineaCruce {
    int tipo = 0;
    int64_t id = 0;
    QString prefijo, numero;
    Dinero aplicado, rtfte, rtiva, rtica, rcree;
};

// A charge proposed from outside (a payable concept chosen in the payment
// voucher): what the clerk would type first. Empty texts, a null amount and
// an invalid date leave the charge's own values.
struct PropuestaCargo {
    QString nit, prefijo, concepto, cuenta;
    QDate fecha;
    std::optional<Dinero> monto, ivaPorc, rtftePorc, rtivaPorc, rticaPorc;
};

class DocumentoAjuste : public QObject {
    Q_OBJECT
public:
    static inline const QString kSinPrefijo = QStringLiteral("Debe crear antes un prefijo válido para el documento.");
    static inline const QString kPagoPrevio =
        QStringLiteral("Se encontró un pago previo incorrectamente registrado. Desea traerlo a pantalla?");
    static inline const QString kSinNit = QStringLiteral("No Puede Grabar Si No Existe Un Nit");
    static inline const QString kMontoCero = QStringLiteral("Debe Introducir Un Valor Mayor a 0 en el Campo  Monto");
    static inline const QString kNumProvObligatorio =
        QStringLiteral("Debe indicar el número del documento del proveedor.");
    static inline const QString kNitInactivo = QStringLiteral("No se encontró el NIT o esta inactivo");
    static inline const QString kVencimiento =
        QStringLiteral("El vencimiento debe ser igual o posterior a la fecha de la factura.");
    static inline const QString kCancelar =
        QStringLiteral("Si cancela ahora perderá los datos no grabados, continuar?");
    static inline const QString kMandanteNoExiste = QStringLiteral("El tercero indicado no existe.");
    static inline const QString kArticuloInactivo = QStringLiteral("El artículo está inactivo.");
    static inline const QString kArticuloNoExiste = QStringLiteral("El artículo no existe.");
    static inline const QString kUnidadInvalida = QStringLiteral("La unidad no es válida para el artículo.");
    static inline const QString kGrabadoPendiente = QStringLiteral(
        " quedó grabado. F2 vuelve a intentar la contabilización y la impresión; Esc sale sin perder nada.");
    static inline const QString kSinTasa = QStringLiteral("Debe indicar la tasa de cambio de la moneda.");
    static inline const QString kDocumentoSinLineas = QStringLiteral("No se encontró el documento o no tiene artículos.");
    static inline const QString kCruceSinMonto = QStringLiteral("Ingrese antes el monto e IVA de la nota.");
    static inline const QString kCruceNoExiste = QStringLiteral("No existe el documento a pagar");
    static inline const QString kCruceInsuficiente = QStringLiteral(
        "El saldo o las retenciones del documento son insuficientes. Haga el cruce por la opción de aplicaciones.");
    static inline const QString kSinPrefijoAplicacion = QStringLiteral("Debe crear antes el prefijo de aplicaciones.");

    DocumentoAjuste(const ClaseAjuste& clase, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, ServiciosCargo servicios, QObject* parent = nullptr);
    ~DocumentoAjuste() override;

    const ClaseAjuste& clase() const { return clase_; }
    // A header column ("MONTO" → "NDPR_MONTO") and a line column.
    QString c(const char* sufijo) const { return clase_.col + u'_' + QLatin1String(sufijo); }
    QString d(const char* sufijo) const { return clase_.colLinea + u'_' + QLatin1String(sufijo); }

    // Reads the configuration and the prefixes, offers back a charge left
    // with id 0 and starts a charge. False (after the message) when the
    // screen cannot work: no active prefix.
    bool abrir();

    DataSet& cargo() { return cargo_; }
    DataSet& lineas() { return lineas_; }
    const QList<OpcionBusqueda>& prefijos() const { return prefijos_; }
    const CadenaMontos& cadena() const { return cadena_; }

    // Client-only fields.
    Dinero subTotal() const { return cadena_.m.subTotal; }
    void setSubTotal(Dinero v);
    // The totals of the amounts as they are stored (each column at its
    // scale), so that the screen shows what the ledger will get.
    virtual Dinero neto() const;  // "Neto:"
    Dinero totalConIva() const;   // "Total:"
    int diasVence() const { return diasVence_; }
    void setDiasVence(int dias);
    QString nombreAcreedor() const { return nombreAcreedor_; }
    QString nombreCentro() const { return nombreCentro_; }
    QString nombreSubcentro() const { return nombreSubcentro_; }
    QString nombreMandante() const { return nombreMandante_; }
    bool numeroAutomatico() const { return numeroAutomatico_; }
    bool simplificado() const { return cadena_.reglas().simplificado; }

    // Configuration switches read on opening.
    bool descuentosAdicionales() const { return descuentosAdicionales_; }
    bool preguntaMandante() const { return preguntaMandante_; }
    bool preguntaTasa() const { return preguntaTasa_; }
    bool fechaInhabilitada() const { return fechaInhabilitada_; }

    // The VAT bases panel (F5): open, and "Continua".
    bool basesAbiertas() const { return basesAbiertas_; }
    void abrirBases();
    void continuarBases();
    // The article lines panel: running total of the lines.
    Dinero totalLineas() const;
    bool lineasAbiertas() const { return lineasAbiertas_; }
    void abrirLineas();
    void cerrarLineas();     // Esc
    void continuarLineas();  // "F2:Continuar"
    void agregarLinea();
    // "F7:Trae doc": the lines of another document (kind index into
    // clasesDocumento(), prefix, number) appended as lines of the charge.
    // Returns how many lines came; 0 after a message when none.
    static const QStringList& clasesDocumento();
    int traerDocumento(int clase, const QString& prefijo, const QString& numero);

    // Fills the new charge with a proposal, field by field as if typed:
    // prefix, creditor (its profile), date, concept, the concept's rates
    // over the creditor's, the cause account, and the amount last.
    void proponer(const PropuestaCargo& propuesta);

    // "?" lookups and F6.
    void buscarAcreedor();
    void buscarMandante();
    void buscarCuenta(const QString& campo, const QString& filtro);
    void buscarCentro();
    // "Aplicar a factura": the purchase invoice the charge refers to.
    void aplicarAFactura();
    QString factura() const { return factura_; }
    // "Aplicar a:": the kind (one of clase().cruces) and the prefix+number
    // of a document of the creditor. Checks that it exists and that its
    // balance and pending withholdings cover the document; then prepares
    // the application's two lines. False after the message (the number is
    // then to be cleared); an empty number drops the crossing.
    bool aplicarA(const QString& clase, const QString& numero);
    QString cruce() const { return cruce_.isEmpty() ? QString() : cruce_[1].prefijo + cruce_[1].numero; }
    const QList<LineaCruce>& lineasCruce() const { return cruce_; }

    // F4 "Egreso", before the charge is saved: the cash voucher prepared for
    // the charge's net and the payment forms dialog's cash panel open. False
    // after the message. aceptarEgreso() is the dialog's acceptance (false
    // after a refusal, which drops the voucher), cancelarEgreso() its exit.
    bool pagarDeContado();
    bool aceptarEgreso();
    void cancelarEgreso();
    bool egresoPendiente() const { return contado_ && contado_->pendiente(); }
    EgresoContado* egresoContado() { return contado_.get(); }
    // The cash voucher of the last charge saved, 0 when none was written.
    int64_t ultimoEgreso() const { return ultimoEgreso_; }

    // F2. True when the charge was written, posted and printed (a new one
    // is then on screen). When posting or printing fails after the write,
    // the saved charge stays on screen read-only and F2 does again only
    // what failed.
    bool grabar();
    bool grabado() const { return grabado_; }
    // Esc: closes the lines panel, or asks and drops the charge; true when
    // the screen closes.
    bool cancelar();

    // The id and number of the last charge saved; the id of the application
    // of its crossing (0 when it crossed nothing).
    int64_t ultimoId() const { return ultimoId_; }
    int64_t ultimaAplicacion() const { return ultimaAplicacion_; }
    QString ultimoNumero() const { return ultimoNumero_; }

    // The columns of the commercial discounts and of the VAT bases.
    QString dtoPorc(int i) const;
    QString dtoMonto(int i) const;
    QString base(int i) const { return c("BASE") + QString::number(i); }
    QString iva(int i) const { return c("IVA") + QString::number(i); }

signals:
    void cerrar();
    void reiniciado();      // a new charge is on screen
    void montosCambiados(); // amounts or names changed: the view refreshes

protected:
    void leerConfiguracion();
    bool cargarPrefijos();
    // The first prefix with an accounting interface, else the first one.
    QString prefijoInicial() const;
    void abrirPendiente();
    void nuevoCargo();
    void enlazar();
    void escribirMontos();
    void leerMontos();
    void acreedorIngresado();
    void perfilAcreedor(const QString& nit);
    void revisarNumeroProveedor();
    void prefijoIngresado();
    void autorizacionDelNumero();
    void numeroIngresado();
    void ponerNumero(const QString& prefijo, const QString& numero, const QString& actual);
    void fechaIngresada();
    void venceIngresado();
    void monedaIngresada();
    void centroIngresado();
    void subcentroIngresado();
    void mandanteIngresado();
    void cuentaIngresada(const QString& campo, bool niif);
    std::optional<Articulo> articuloDe(DataSet& ds, const QString& campo);
    void articuloIngresado();
    void articuloCargoIngresado();
    void unidadIngresada();
    void proponerCosto();
    bool validar();
    bool escribir();
    void prepararAplicacion();
    void escribirAplicacion(fb::Transaction& tr);
    bool renumerarAplicacion();
    EgresoContado::Cargo cargoParaEgreso() const;
    bool terminarGrabado();
    void bloquearCargo(bool bloquear);
    QString actualDelPrefijo(const QString& prefijo, bool* automatico = nullptr);

    const ClaseAjuste& clase_;
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    ServiciosCargo servicios_;
    std::unique_ptr<Numeracion> numeracion_;
    std::unique_ptr<Terceros> terceros_;
    std::unique_ptr<Contabilidad> contabilidad_;
    std::unique_ptr<Articulos> articulos_;

    DataSet cargo_, lineas_;
    CadenaMontos cadena_;
    QList<OpcionBusqueda> prefijos_;
    QSet<QString> conInterfaz_;  // prefixes with an accounting interface
    QString accionRepetido_;
    bool numProvObligatorio_ = false;
    bool filtrarCentros_ = false;
    bool descuentosAdicionales_ = false;
    bool preguntaMandante_ = false;
    bool preguntaTasa_ = false;
    bool fechaInhabilitada_ = false;
    int monedaPredeterminada_ = 0;
    bool basesAbiertas_ = false;
    bool lineasAbiertas_ = false;
    bool baseEnBases_ = false;
    bool sincronizandoLineas_ = false;
    bool sincronizando_ = false;
    bool numeroAutomatico_ = false;
    bool grabado_ = false;  // written; posting or printing still to do
    bool porContabilizar_ = false;
    bool porImprimir_ = false;
    int interfazGrabado_ = 0;
    QStringList bloqueados_;
    int diasVence_ = 0;
    int ultimaLinea_ = 0;
    int64_t ultimoId_ = 0;
    QString ultimoNumero_;
    QString ultimoPrefijo_;
    QString nombreAcreedor_, nombreCentro_, nombreSubcentro_, nombreMandante_, factura_;
    QList<LineaCruce> cruce_;
    QString claseCruce_, prefijoAplicacion_;
    // The application of the crossing, written in the document's own
    // transaction; its interface is taken with the document's.
    DataSet aplicacion_, aplicacionLineas_;
    int interfazAplicacion_ = 0;
    bool porContabilizarAplicacion_ = false;
    int64_t ultimaAplicacion_ = 0;
    // The cash payment: prepared on F4, written after the charge, then
    // posted and printed with it.
    std::unique_ptr<EgresoContado> contado_;
    int interfazEgreso_ = 0;
    int64_t ultimoEgreso_ = 0;
    bool porContabilizarEgreso_ = false;
    bool porImprimirEgreso_ = false;
};

}  // namespace cxp
