#pragma once
// "Anticipos a Proveedor": an advance (type 55) registered from a payment
// voucher, which opens it modally with the creditor and its date and gets
// back the advance saved (stored with EGRE_ID 0: the voucher links it when
// it is saved). The same logic, opened on a saved advance, is the
// read-only consult Tfconsanticipocxp. Screen logic only; the widgets are
// TfanticiposprovVista.
#include "base/Dinero.h"
#include "comunes/Opciones.h"
#include "data/DataSet.h"

#include <QDate>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
class Numeracion;
class Terceros;
struct Sesion;

// The amounts of an advance: each computed one rounded to a multiple of
// 10^r, an exact half to the even multiple.
struct MontosAnticipo {
    Dinero base, ivaPorc, iva, rtftePorc, rtfte, rtivaPorc, rtiva, rticaPorc, rtica, dtofPorc, dtof;
    Dinero totalConIva() const { return base + iva; }
    Dinero neto() const { return base + iva - rtfte - rtiva - rtica; }
    // Everything from the base and the rates.
    void calcular(int r);
};

class Tfanticiposprov : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Anticipos a Proveedor");
    static inline const QString kPagoPrevio =
        QStringLiteral("Se encontró un pago previo incorrectamente registrado. Desea traerlo a pantalla?");
    static inline const QString kSinPrefijo = QStringLiteral("Debe crear antes un prefijo válido para el documento.");
    static inline const QString kRepetido = QStringLiteral("Anticipo previamente registrado.");
    static inline const QString kSinTercero = QStringLiteral("Tercero inactivo o no encontrado.");
    static inline const QString kSinNit = QStringLiteral("No Puede Grabar Si No Existe Un Nit");
    static inline const QString kMontoCero = QStringLiteral("Debe Introducir Un Valor Mayor a 0 en el Campo  Monto");
    static inline const QString kSinAcceso =
        QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");

    Tfanticiposprov(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, QObject* parent = nullptr);
    ~Tfanticiposprov() override;

    // The entry: reads the options, offers back an advance left with id 0,
    // loads the prefixes and starts an advance of the creditor on the date.
    // False (after the message) when the window cannot work.
    bool abrir(const QString& nit, const QDate& fecha);
    // The consult of a saved advance (right 51). False after the message.
    bool consultar(int64_t id);

    DataSet& anticipo() { return anticipo_; }
    const QList<OpcionBusqueda>& prefijos() const { return prefijos_; }
    bool consulta() const { return consulta_; }
    bool numeroAutomatico() const { return numeroAutomatico_; }
    bool fechaInhabilitada() const { return fechaInhabilitada_; }
    bool preguntaTasa() const { return preguntaTasa_; }
    int redondeo() const { return redondeo_; }
    QString nombreAcreedor() const { return nombreAcreedor_; }
    Dinero totalConIva() const;  // "Total:"
    Dinero neto() const;         // "Neto:"
    // Consult: "Registro: " with the insert's audit, and the annulment.
    QString registro() const { return registro_; }
    bool anulado() const;
    QString razonAnulacion() const { return razon_; }

    // F2: true when the advance was written; the window then closes and
    // resultado() holds what the voucher appends.
    bool grabar();
    // Esc.
    void cancelar();
    // {ANPR_ID, TIDO_COD 55, TIDO_NOMCORTO "ANTIPROV", PREFIJO, NUMERO}.
    const std::optional<QVariantMap>& resultado() const { return resultado_; }
    // Consult: F2 prints and reads the advance again.
    void imprimir();

    // The print window of a saved advance; the program wires it.
    std::function<void(int64_t id)> alImprimir;

signals:
    void cerrar();
    void cambiado();  // amounts, names or states changed: the view refreshes

private:
    void leerConfiguracion();
    bool cargarPrefijos();
    void nuevo(const QString& nit, const QDate& fecha);
    void enlazar();
    void prefijoIngresado();
    void numeroIngresado();
    void acreedorIngresado();
    void nitConsultado();
    void recalcular(const QString& campo);
    QString actualDelPrefijo(const QString& prefijo, bool* automatico = nullptr);
    bool escribir();
    void leerConsulta();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    std::unique_ptr<Numeracion> numeracion_;
    std::unique_ptr<Terceros> terceros_;
    DataSet anticipo_;
    QList<OpcionBusqueda> prefijos_;
    std::optional<QVariantMap> resultado_;
    QString nombreAcreedor_, registro_, razon_;
    int redondeo_ = 0;
    int monedaPredeterminada_ = 0;
    bool preguntaTasa_ = false;
    bool fechaInhabilitada_ = false;
    bool numeroAutomatico_ = false;
    bool consulta_ = false;
    bool calculando_ = false;
    int64_t id_ = 0;
};

}  // namespace cxp
