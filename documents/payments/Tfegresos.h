#pragma once
// "Egresos": the payment voucher (type 62). A header and five nested sets
// (documents paid, receivables crossed, accounting lines, cash items, the
// bank document) written together in one transaction; the means of payment
// ruled by FormasPago; the keys of the screen as commands; the save in its
// order (checks, interface, id, write with the retry rule, posting, print,
// next voucher on the same prefix) and the closing. Screen logic only; the
// widgets are TfegresosVista.
#include "base/Dinero.h"
#include "comunes/Opciones.h"
#include "data/DataSet.h"

#include <QDate>
#include <QObject>
#include <QSet>
#include <functional>
#include <memory>
#include <optional>

namespace cxp {

class Configuracion;
class Cartera;
class CruceCartera;
class Cxpagar;
class DocumentosPagados;
class FormasPago;
class LineasContablesEgreso;
class Interaccion;
class ManejadorErrores;
class Numeracion;
class Terceros;
struct Sesion;

// What the voucher asks of other subsystems; the program wires the real
// ones, tests their own.
struct ServiciosEgreso {
    // The accounting interface of (type, prefix), the cash module's
    // (abre_interfaz_caja): 0 when there is none or the person cancelled
    // the choice.
    std::function<int(int tipo, const QString& prefijo, bool preguntar)> abreInterfaz;
    // Posts a saved voucher with the interface chosen, through the review
    // window (contabilice_egreso, Tfcontabiliza, CONTABILIZA_PENDIENTE).
    std::function<void(int64_t id, int interfaz, const QDate& fecha)> contabilizar;
    // The print window of a saved voucher, modal.
    std::function<void(int64_t id)> imprimir;
    // The consult of a saved voucher whose number was typed again; false
    // when that screen is not in this build.
    std::function<bool(int64_t id)> consultar;
};

class Tfegresos : public QObject {
    Q_OBJECT
public:
    static inline const QString kPrevio = QStringLiteral(
        "Se encontró un comprobante previo que no está correctamente registrado. Desea Eliminarlo o Recuperarlo?");
    static inline const QString kSinPrefijo = QStringLiteral("Debe crear antes un prefijo válido para el documento.");
    static inline const QString kTerceroInactivo = QStringLiteral("Tercero Inactivo o no encontrado.");
    static inline const QString kNoAcreedor =
        QStringLiteral("Debe indicar un tercero marcado como acreedor o usar el módulo de caja.");
    static inline const QString kSinTercero = QStringLiteral("Debe indicar un tercero para el egreso.");
    static inline const QString kMontoCero = QStringLiteral("El monto del egreso no puede ser cero.");
    static inline const QString kSinCajaDestino = QStringLiteral("Indique la caja de destino.");
    static inline const QString kNoCuadra =
        QStringLiteral("El monto del egreso debe ser idéntico a la suma de las formas de pago");
    static inline const QString kPerderItems = QStringLiteral("Perderá los items previamente digitados, Continuar?");
    static inline const QString kBorraAnticipo = QStringLiteral("Se borrará el anticipo registrado con este egreso.");
    static inline const QString kNumeroGrabado = QStringLiteral("El número pertenece a un egreso grabado.");
    static inline const QString kSinPantalla = QStringLiteral("Esta opción no está disponible en esta versión.");

    // The open entry panel: one at a time (the crossing panel included).
    enum class Panel { Ninguno, Documentos, Caja, Banco, Cruce };

    Tfegresos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
              const Configuracion& configuracion, ServiciosEgreso servicios, QObject* parent = nullptr);
    ~Tfegresos() override;

    // A social-contributions payment this voucher pays (PAGO_APORTES): its
    // id and amount. Before abrir().
    void fijarAporte(int64_t id, Dinero monto);

    // Screen creation in its order: boxes, rights, lists, options, the
    // header with id 0 (a stored one offered back with Abort/Retry), the
    // prefixes. False (after the message) when the screen cannot work.
    bool abrir();

    // ---- the sets
    DataSet& egreso() { return egreso_; }
    DataSet& detalle() { return detalle_; }
    DataSet& cruce() { return cruce_; }
    DataSet& contabilidad() { return contabilidad_; }
    DataSet& caja() { return caja_; }
    DataSet& banco() { return banco_; }
    FormasPago& formasPago() { return *formasPago_; }
    // The rules of the documents paid and of the accounting lines (names,
    // lookups, templates of the lines grid).
    DocumentosPagados& documentos() { return *documentos_; }
    CruceCartera& crucesCartera() { return *cruces_; }
    LineasContablesEgreso& lineasContables() { return *lineas_; }

    // ---- pick lists (key → name)
    const QList<OpcionBusqueda>& prefijos() const { return prefijos_; }
    const QList<OpcionBusqueda>& clases() const { return clases_; }         // clase_egreso
    const QList<OpcionBusqueda>& monedas() const { return monedas_; }       // tipos_moneda
    const QList<OpcionBusqueda>& tiposCxpagar() const { return tiposCxp_; } // code → short name
    const QList<OpcionBusqueda>& tiposCartera() const { return tiposCartera_; }
    // EGRE_TIPO: "1" "CUENTA POR PAGAR" … "5" "PAGO NOMINA".
    static const QList<OpcionBusqueda>& tiposEgreso();
    // Boxes, forms of payment, bank accounts, kinds and bank prefixes live
    // with the means of payment: formasPago().cajas() …

    // ---- state the view shows
    Panel panel() const;
    bool numeroAutomatico() const { return numeroAutomatico_; }
    bool cajaDestinoVisible() const;  // class "2"
    // Class "3" without documents: amount, discount and withholdings typed.
    bool totalesEditables() const { return totalesEditables_; }
    bool preguntaTasa() const { return preguntaTasa_; }
    bool fechaInhabilitada() const { return fechaInhabilitada_; }
    bool lineasSoloLectura() const { return lineasSoloLectura_; }
    bool retencionesSoloLectura() const { return descontarRetenciones_; }
    QString nombreAcreedor() const { return egreso_.isOpen() && !egreso_.isEmpty() ? egreso_.asString(QStringLiteral("EGRE_NOMTERC")) : QString(); }
    int moneda() const { return moneda_; }
    void setMoneda(int moneda);
    Dinero sumCaja() const;
    Dinero sumBanco() const;
    Dinero sumCruce() const { return sumCruce_; }
    Dinero sumAbono() const;  // documents paid
    bool registroAnticipo() const;

    // ---- the keys (ignored by the view while Shift, Alt or Ctrl is held)
    bool teclaF2();   // "Continuar" of the open panel; none open: save
    bool teclaEsc();  // "Salir" of the open panel; none open: close (true when the screen closes)
    void teclaF4();   // documents panel: advance; none open: cash panel
    void teclaF5();   // none open: bank panel
    void teclaF6();   // third-party search
    void teclaF7();   // receivables crossing panel
    void teclaF8();   // crossing panel: receivables picker; documents panel: payables picker
    void teclaF9();   // documents panel: concepts

    // ---- the same commands by name (buttons)
    void abrirDocumentos();
    bool continuarDocumentos();
    bool salirDocumentos();
    bool abrirCaja();
    bool continuarCaja();
    void salirCaja();
    bool abrirBanco();
    bool continuarBanco();
    void salirBanco();
    bool abrirCruce();
    bool continuarCruce();
    void salirCruce();
    void registrarAnticipo();
    int elegirCxpagar();
    int elegirCartera();
    bool elegirConcepto();
    bool elegirPlantilla();  // "Plantillas" of the accounting lines
    int documentosEnCaja();  // double click on the cash grid
    void buscarAcreedor();   // button or double click on the tax id
    void buscarTercero();    // F6
    void abrirBusqueda();    // button: Tfbuscegreso
    void abrirClases();      // button: Tfclaseegr
    // The classes read again (edited meanwhile in Tfclaseegr); `clasesCambiadas`
    // when they differ.
    void recargarClases();

    // F2 with no panel open. True when the voucher was written (and a new
    // one is on screen).
    bool grabar();
    // Closing the screen: the question, the sets, the advances registered
    // from this voucher. True when the screen may close.
    bool cerrarPantalla();

    // The id, number and cheque number of the last voucher saved.
    int64_t ultimoId() const { return ultimoId_; }
    QString ultimoNumero() const { return ultimoNumero_; }
    QString ultimoCheque() const { return ultimoCheque_; }

signals:
    void cerrar();
    void reiniciado();  // a new voucher is on screen
    void cambiado();    // panels, totals, names or read-only states changed
    void clasesCambiadas();

protected:
    void leerConfiguracion();
    bool cargarListas();
    QList<OpcionBusqueda> leerClases();
    bool cargarPrefijos();
    void nuevoEgreso();
    void recuperar();
    void enlazar();
    void prefijoIngresado();
    void numeroIngresado();
    void acreedorIngresado();
    void tipoIngresado();
    void fechaIngresada();
    void leerTasa();
    bool validar();
    bool escribir();
    void terminarGrabado(int64_t id, int interfaz, const QDate& fecha);
    void abrirSets(int64_t id);
    void lineasDeAporte();
    QString actualDelPrefijo(const QString& prefijo, bool* automatico = nullptr);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    ServiciosEgreso servicios_;
    std::unique_ptr<Numeracion> numeracion_;
    std::unique_ptr<Terceros> terceros_;
    std::unique_ptr<Cxpagar> cxpagar_;

    DataSet egreso_, detalle_, cruce_, contabilidad_, caja_, banco_;
    std::unique_ptr<Cartera> cartera_;
    std::unique_ptr<FormasPago> formasPago_;
    std::unique_ptr<DocumentosPagados> documentos_;
    std::unique_ptr<CruceCartera> cruces_;
    std::unique_ptr<LineasContablesEgreso> lineas_;

    QList<OpcionBusqueda> prefijos_, clases_, monedas_, tiposCxp_, tiposCartera_;
    bool documentosAbiertos_ = false;
    bool cruceAbierto_ = false;
    bool numeroAutomatico_ = false;
    bool totalesEditables_ = false;
    bool sincronizando_ = false;
    bool recuperado_ = false;  // brought back from the copy stored with id 0

    // Options read at creation.
    bool permitirCero_ = false;
    bool lineasSoloLectura_ = false;
    bool fechaInhabilitada_ = false;
    bool descontarRetenciones_ = false;
    bool preguntaTasa_ = false;
    int monedaPredeterminada_ = 0;
    int moneda_ = 0;

    int64_t aporteId_ = 0;
    Dinero aporteMonto_;
    bool aportePendiente_ = false;
    Dinero sumCruce_;

    int64_t ultimoId_ = 0;
    QString ultimoNumero_;
    QString ultimoPrefijo_;
    QString ultimoCheque_;
};

}  // namespace cxp
