#pragma once
// "Aplicaciones  Proveedores": an application (type 53) crosses a
// creditor's credits (advances, discounts, returns) against the same
// creditor's debts without moving money. Its rows are payables documents
// with signed amounts that add up to zero. The same logic, opened on a
// saved application, is the read-only consult Tfconsaplicacxp (also named
// Tfaplicacion2). Screen logic only; the widgets are TfaplicacionprvVista.
#include "base/Dinero.h"
#include "comunes/Opciones.h"
#include "data/DataSet.h"

#include <QDate>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace cxp {

class Configuracion;
class Cxpagar;
class Interaccion;
class ManejadorErrores;
class Numeracion;
class Terceros;
struct Sesion;

// What the application asks of other subsystems; the program wires the
// real ones, tests their own.
struct ServiciosAplicacion {
    // The accounting interface of (type, prefix): 0 when there is none or
    // the person cancelled the choice.
    std::function<int(int tipo, const QString& prefijo, bool preguntar)> abreInterfaz;
    // Posts a saved application with the interface chosen, through the
    // review window (contabilice_aplicapr, Tfcontabiliza, CONTABILIZA_PENDIENTE).
    std::function<void(int64_t id, int interfaz, const QDate& fecha)> contabilizar;
    // The print window of a saved application, modal.
    std::function<void(int64_t id)> imprimir;
    // The read-only view of a saved application whose number was typed again.
    std::function<void(int64_t id)> consultar;
    // The consult's "F11:Contabilidad": the ledger voucher in its editor, or
    // the posting when there is none.
    std::function<void(int64_t id, const QString& prefijo, const QDate& fecha)> contabilidad;
};

class Tfaplicacionprv : public QObject {
    Q_OBJECT
public:
    static constexpr int kTipo = 53;
    static inline const QString kTitulo = QStringLiteral("Aplicaciones  Proveedores");
    static inline const QString kTituloConsulta = QStringLiteral("Consulta Aplicaciones  Proveedores");
    static inline const QString kPagoPrevio =
        QStringLiteral("Se encontró un pago previo incorrectamente registrado. Desea traerlo a pantalla?");
    static inline const QString kSinPrefijo = QStringLiteral("Debe crear antes un prefijo válido para el documento.");
    static inline const QString kSinTercero = QStringLiteral("No se encontrò el NIT o esta inactivo");
    static inline const QString kNoExiste = QStringLiteral("No existe el documento a pagar");
    static inline const QString kDuplicado = QStringLiteral("El documento a pagar ya existe en esta aplicación.");
    static inline const QString kCruceDuplicado = QStringLiteral("El documento a cruzar ya existe en esta aplicación.");
    static inline const QString kMontoIncorrecto = QStringLiteral("Monto Incorrecto");
    static inline const QString kExcedido =
        QStringLiteral("El abono, el descuento o las retenciones son mayores que el saldo pendiente.");
    static inline const QString kCabecera = QStringLiteral("Debe Existir un Número ,  Prefijo,   Nit.");
    static inline const QString kSinNumero = QStringLiteral("Debe Existir un   Número, Prefijo.");
    static inline const QString kSinNit = QStringLiteral("Debe Existir un Nit.");
    static inline const QString kSinFilas = QStringLiteral("Debe Digitar al menos un documento a Aplicar");
    static inline const QString kNoSumaCero =
        QStringLiteral("La Suma del Documento Aplicado y Las Retenciones Debe ser 0");
    static inline const QString kPerder =
        QStringLiteral("Si cancela ahora perderá los datos no grabados, continuar?");
    static inline const QString kNoEncontrada = QStringLiteral("No se encuentra la  Aplicación solicitada. ");

    Tfaplicacionprv(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, ServiciosAplicacion servicios, QObject* parent = nullptr);
    ~Tfaplicacionprv() override;

    // The entry: options, the application left with id 0 offered back (or
    // deleted with its rows), prefixes, a new application. False (after
    // the message) when the window cannot work.
    bool abrir();
    // The read-only consult of a saved application. False after the message.
    bool consultar(int64_t id);

    DataSet& aplicacion() { return aplicacion_; }
    DataSet& detalle() { return detalle_; }
    const QList<OpcionBusqueda>& prefijos() const { return prefijos_; }
    // The short names of the payables types ("Tipo Documento").
    const QList<OpcionBusqueda>& tipos() const { return tipos_; }
    bool consulta() const { return consulta_; }
    bool numeroAutomatico() const { return numeroAutomatico_; }
    bool fechaInhabilitada() const { return fechaInhabilitada_; }
    bool preguntaTasa() const { return preguntaTasa_; }
    QString nombreAcreedor() const { return nombreAcreedor_; }
    Dinero sumAplicado() const;
    Dinero sumRetenciones(const QString& campo) const;
    // Consult: "Registro: " with the insert's audit, and the annulment.
    QString registro() const { return registro_; }
    bool anulado() const;
    QString razonAnulacion() const { return razon_; }

    // F2: true when the application was written (then posted, printed and
    // a new one started on the same prefix).
    bool grabar();
    // Esc: false when the person kept the data.
    bool salir();
    // F8 or a double click on the rows: documents picked in the payables
    // balances consult. Returns the rows added.
    int elegirDocumentos();
    // A picker's choice ({"lista": CEFA_ID} and/or {"documentos": [...]}).
    int agregarEleccion(const QVariantMap& eleccion);
    // F6 or "?" in the tax id.
    void buscarAcreedor();
    // Header post check: prefix, number and creditor present.
    bool cabeceraCompleta();

    // Consult keys.
    void imprimir();
    void contabilidad();

signals:
    void cerrar();
    void cambiado();

private:
    void leerConfiguracion();
    bool cargarListas();
    void nuevo(const QString& prefijo);
    void enlazar();
    void prefijoIngresado();
    void numeroIngresado();
    void acreedorIngresado();
    void nuevaFila(DataSet& d);
    void tipoIngresado(DataSet& d);
    void documentoIngresado(DataSet& d);
    void aplicadoCambiado(DataSet& d);
    void antesDePostear(DataSet& d);
    bool duplicado(const DataSet& d, int tipo, const QString& prefijo, const QString& numero) const;
    bool agregar(const QString& nomcorto, const QString& prefijo, const QString& numero);
    QString actualDelPrefijo(const QString& prefijo, bool* automatico = nullptr);
    bool escribir();
    void leerConsulta();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    ServiciosAplicacion servicios_;
    std::unique_ptr<Numeracion> numeracion_;
    std::unique_ptr<Terceros> terceros_;
    std::unique_ptr<Cxpagar> cxpagar_;
    DataSet aplicacion_, detalle_;
    QList<OpcionBusqueda> prefijos_, tipos_;
    QString nombreAcreedor_, registro_, razon_;
    int ultimoItem_ = 0;
    bool preguntaTasa_ = false;
    bool fechaInhabilitada_ = false;
    bool numeroAutomatico_ = false;
    bool consulta_ = false;
    bool ocupado_ = false;
    bool recuperado_ = false;
    int64_t id_ = 0;
};

}  // namespace cxp
