#pragma once
// A charge paid at once in cash (a cash purchase): the payment voucher (type
// 62) prepared on F4 with one document line, the charge for its net to pay,
// and the cash items taken in the payment forms dialog (FormasPago). It is
// held in memory while the charge is entered and written after the charge,
// by the voucher's own writer, all or nothing: a voucher that cannot be
// written leaves nothing behind and the charge stays saved.
#include "base/Dinero.h"
#include "comunes/Opciones.h"
#include "data/DataSet.h"

#include <QDate>
#include <QObject>
#include <memory>

namespace cxp {

class Configuracion;
class FormasPago;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class EgresoContado : public QObject {
    Q_OBJECT
public:
    static inline const QString kSinPrefijo = QStringLiteral("Debe crear antes el prefijo de egresos.");
    static inline const QString kSinCaja =
        QStringLiteral("No hay una caja activa para el usuario y la agencia. No se puede hacer el egreso.");
    static inline const QString kSinInterfaz =
        QStringLiteral("No se ha definido interfaz para egresos. No se puede grabar el egreso.");
    static inline const QString kSinFormaPago = QStringLiteral("Debe indicar la forma de pago del egreso de caja.");
    static inline const QString kNoSuma = QStringLiteral("La suma de las formas de pago debe ser igual al monto pagado.");
    static inline const QString kErrorGrabar =
        QStringLiteral("Error al grabar el egreso. Use la opción de tesorería o cuentas x pagar.");
    // A crossing at once settles the charge's whole net: nothing is left to
    // pay in cash, and a voucher prepared beside it could only fail after
    // the charge is saved. The two companions exclude each other.
    static inline const QString kConCruce = QStringLiteral(
        "El cargo se aplica a otro documento por todo su neto: no queda saldo para pagar de contado.");
    static inline const QString kConPago = QStringLiteral(
        "El cargo se paga de contado: no queda saldo para aplicarlo a otro documento.");
    static inline const QString kCargoCambiado = QStringLiteral(
        "El cargo cambió después de indicar el pago de contado. Indique de nuevo las formas de pago (F4).");

    // What the voucher takes from the charge.
    struct Cargo {
        QString nit, nombre, prefijo, numero;
        QDate fecha;
        Dinero neto, rtfte, rtiva, rtica, rcree;
        bool operator==(const Cargo&) const = default;
    };

    EgresoContado(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, QObject* parent = nullptr);
    ~EgresoContado() override;

    // F4: the boxes of the user and agency, the agency's voucher prefixes,
    // the voucher with its document line, and the cash panel open with its
    // first item. False after the message (nothing prepared).
    bool preparar(const Cargo& cargo);
    // The dialog's acceptance: the item being typed is posted (one without
    // amount is dropped); no cash interface for the prefix, no cash item, or
    // items that do not add up to the amount paid each cancel the voucher
    // after its message. True: the voucher waits for the charge's save.
    bool aceptar();
    // The dialog left, or the voucher dropped: nothing pending.
    void cancelar();

    bool pendiente() const { return pendiente_; }
    // The charge still is what the voucher pays (amounts, creditor).
    bool paga(const Cargo& cargo) const;
    // The cash interface of the prefix (min INCJ_ID), 0 when there is none.
    int interfaz() const;

    // After the charge is written: the voucher takes the charge's id and
    // number (its own number equal to the charge's when the company says
    // so), the date and interface, a new id, and is written whole. Returns
    // its id; 0 after "Error al grabar el egreso…", with nothing written and
    // the voucher dropped.
    int64_t grabar(int64_t idCargo, const Cargo& cargo, int interfaz);

    DataSet& egreso() { return egreso_; }
    DataSet& detalle() { return detalle_; }
    DataSet& caja() { return caja_; }
    DataSet& banco() { return banco_; }
    FormasPago& formasPago() { return *formas_; }
    const QList<OpcionBusqueda>& prefijos() const { return prefijos_; }
    bool numeroIgualAlCargo() const { return numeroIgual_; }
    Dinero monto() const;

signals:
    void cambiado();

private:
    void prefijoIngresado();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    DataSet egreso_, detalle_, cruce_, contabilidad_, caja_, banco_;
    std::unique_ptr<FormasPago> formas_;
    QList<OpcionBusqueda> prefijos_;
    Cargo cargo_;
    bool abierto_ = false;  // FormasPago read its lists
    bool numeroIgual_ = false;
    bool pendiente_ = false;
};

}  // namespace cxp
