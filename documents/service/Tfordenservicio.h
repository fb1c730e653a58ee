#pragma once
// "Orden de servicio" (type 56): a service contracted from a creditor, with
// its discount, additional and extra values, IVA and three withholdings.
// The amounts below the base follow CadenaMontos; above it the order's own
// rules ("Monto:" plus the additional value, the discount on the base
// before it). Saved with an id from CAMBIE_ID_ORDENSER, printed, and the
// next order starts on the same prefix. Opened on a saved order it is the
// read-only consult (F2 prints). Screen logic only; the widgets are
// TfordenservicioVista.
#include "base/Dinero.h"
#include "comunes/Opciones.h"
#include "data/DataSet.h"
#include "documents/CadenaMontos.h"

#include <QObject>
#include <functional>
#include <memory>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
class Numeracion;
class Terceros;
struct Sesion;

// What the order screen asks of other screens; the program wires them.
struct ServiciosOrden {
    std::function<void(int64_t id)> imprimir;   // the print window, modal
    std::function<void(int64_t id)> consultar;  // the consult of a taken number
};

class Tfordenservicio : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Orden de servicio");
    static inline const QString kOrdenPrevia = QStringLiteral(
        "Se encontró una orden previa incorrectamente registrado. Desea traerlo a pantalla?");
    static inline const QString kSinPrefijo = QStringLiteral("Debe crear antes un prefijo válido para el documento.");
    static inline const QString kNitInactivo = QStringLiteral("No se encontró el NIT o esta inactivo");
    static inline const QString kSinNit = QStringLiteral("No Puede Grabar Si No Existe Un Nit");
    static inline const QString kMontoCero = QStringLiteral("Debe Introducir Un Valor Mayor a 0 en el Campo  Monto");
    static inline const QString kCancelar =
        QStringLiteral("Si cancela ahora perderá los datos no grabados, continuar?");

    Tfordenservicio(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, ServiciosOrden servicios, QObject* parent = nullptr);
    ~Tfordenservicio() override;

    // The entry: options, prefixes of the agency, an order left with id 0
    // offered back, else a new order. False (after the message) when the
    // screen cannot work.
    bool abrir();
    // The read-only consult of a saved order.
    bool consultar(int64_t id);

    DataSet& orden() { return orden_; }
    const CadenaMontos& cadena() const { return cadena_; }
    const QList<OpcionBusqueda>& prefijos() const { return prefijos_; }
    const QList<OpcionBusqueda>& monedas() const { return monedas_; }
    bool consulta() const { return consulta_; }
    bool numeroAutomatico() const { return numeroAutomatico_; }
    bool fechaInhabilitada() const { return fechaInhabilitada_; }
    bool preguntaTasa() const { return preguntaTasa_; }
    bool simplificado() const { return cadena_.reglas().simplificado; }
    Dinero rtCree() const { return rtCree_; }  // the creditor's, shown only
    QString nombreAcreedor() const { return nombreAcreedor_; }
    QString registro() const { return registro_; }
    bool anulado() const;
    QString razonAnulacion() const { return razon_; }

    // "Monto:", the amount before the discount: no column of the order.
    Dinero subTotal() const { return cadena_.m.subTotal; }
    void setSubTotal(Dinero v);
    Dinero total() const;        // "Total:": less the withholdings
    Dinero netoAPagar() const;   // "Neto a pagar:"

    void buscarAcreedor();  // F6, "?" or a double click
    void buscarOrdenes();   // F8
    // F2: true when the order was written (and printed; a new one is then
    // on screen). Consult: prints.
    bool grabar();
    // Esc: true when the screen closes.
    bool cancelar();
    int64_t ultimoId() const { return ultimoId_; }

signals:
    void cerrar();
    void cambiado();    // amounts, names or states changed: the view refreshes
    void reiniciado();  // a new order is on screen

private:
    void leerConfiguracion();
    bool cargarPrefijos();
    void nuevaOrden(const QString& prefijo);
    void enlazar();
    void escribirMontos();
    void leerMontos();
    void perfil(const QString& nit, bool tasas);
    void acreedorIngresado();
    void prefijoIngresado();
    void numeroIngresado();
    void fechaIngresada();
    void monedaIngresada();
    void descuentoIngresado(Dinero porcentaje);
    QString actualDelPrefijo(const QString& prefijo, bool* automatico = nullptr);
    bool escribir();
    void leerConsulta();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    ServiciosOrden servicios_;
    std::unique_ptr<Numeracion> numeracion_;
    std::unique_ptr<Terceros> terceros_;
    DataSet orden_;
    CadenaMontos cadena_;
    QList<OpcionBusqueda> prefijos_, monedas_;
    QString nombreAcreedor_, registro_, razon_;
    Dinero rtCree_;
    bool preguntaTasa_ = false;
    bool fechaInhabilitada_ = false;
    bool numeroAutomatico_ = false;
    bool consulta_ = false;
    bool sincronizando_ = false;
    int64_t id_ = 0;
    int64_t ultimoId_ = 0;
};

}  // namespace cxp
