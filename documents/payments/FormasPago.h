#pragma once
// The means of payment of a document that pays money out: cash-box items
// (cash, or documents held in a box such as a cheque received) and at most
// one bank document (cheque or withdrawal). It rules the two nested sets it
// is given, keeps the state of their two panels (one open at a time) and
// the pick lists they need. The payment voucher uses it; so can any other
// document paid in cash, handing it its own amount, date, concept and
// beneficiary through `Contexto`.
#include "base/Dinero.h"
#include "comunes/Opciones.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace cxp {

class Caja;
class Configuracion;
class DataSet;
class Interaccion;
struct Sesion;

class FormasPago : public QObject {
    Q_OBJECT
public:
    static inline const QString kCierreBanco = QStringLiteral("Cierre antes el detalle del pago del banco.");
    static inline const QString kCierreCaja = QStringLiteral("Cierre antes el detalle del pago de caja.");
    static inline const QString kSinCuentas = QStringLiteral("Debe crear antes las cuentas de bancos a manejar.");
    static inline const QString kSinMontoItem = QStringLiteral("Debe indicar un monto para la forma de pago");
    static inline const QString kEfectivoInsuficiente = QStringLiteral("El saldo de efectivo es insuficiente.");
    static inline const QString kNoEnCaja = QStringLiteral("No existe la forma de pago en la caja indicada.");
    static inline const QString kDocRepetido = QStringLiteral("El documento de pago ya existe en este egreso.");
    static inline const QString kSinPrefijosBanco =
        QStringLiteral("La cuenta indicada no posee prefijos registrados para cheques o retiros.");
    static inline const QString kDocBancoExiste = QStringLiteral(
        "Ya existe el documento del banco, verifique cuenta, tipo, prefijo y numero del documento.");
    static inline const QString kFechaLejana = QStringLiteral(
        "La fecha del cheque es demasiado lejana. Revise la fecha del mismo y la fecha del sistema.");
    static inline const QString kMontoCero = QStringLiteral("El monto del movimiento no puede ser cero");
    static inline const QString kMontoNegativo = QStringLiteral("El monto de la forma de pago no puede ser negativo.");

    // What the paying document tells the means of payment.
    struct Contexto {
        Dinero monto;          // the amount the means must add up to
        QDate fecha;           // the document's date
        QString concepto;      // default concept of the bank document
        QString beneficiario;  // default beneficiary of the bank document
    };
    using LeerContexto = std::function<Contexto()>;

    // A bank-document prefix of the chosen account and kind.
    struct PrefijoBanco {
        int tipo = 0;  // 72 cheque, 73 withdrawal
        QString prefijo;
        QString numero;  // the number the next document takes
        bool automatico = false;
    };

    // `caja` and `banco` are the nested sets EGRESOS_CAJA and EGRESOS_BANCO
    // (or sets with the same columns), already opened by the owner.
    FormasPago(Sesion& sesion, Interaccion& interaccion, const Configuracion& configuracion, DataSet& caja,
               DataSet& banco, LeerContexto contexto, QObject* parent = nullptr);
    ~FormasPago() override;

    // Reads the offered boxes (active, the user's own box, the agency's),
    // the forms of payment, the active bank accounts and the options; the
    // rights 40 and 43 of "CAJA" for the two panels. Attaches the handlers
    // to the two sets.
    void abrir();
    // The cash-box filter as written on the boxes' query (for a picker).
    QString filtroCajas() const { return filtroCajas_; }

    // ---- pick lists (key → name)
    const QList<OpcionBusqueda>& cajas() const { return cajas_; }
    const QList<OpcionBusqueda>& formas() const { return formas_; }
    const QList<OpcionBusqueda>& cuentas() const { return cuentas_; }
    // Kinds ("CHEQUE", "RETIRO") the current bank document's account has
    // prefixes for; prefixes of its account and kind.
    const QStringList& tipos() const { return tipos_; }
    const QList<PrefijoBanco>& prefijosBanco() const { return prefijosBanco_; }
    QString tipoElegido() const { return tipoElegido_; }
    // The kind box of the bank panel: loads the kind's prefixes and takes
    // the first.
    void elegirTipo(const QString& tipo);
    int cajaPredeterminada() const { return cajaPredeterminada_; }
    int primeraCaja() const;

    // ---- state
    bool cajaHabilitada() const { return cajaHabilitada_; }  // right 40
    bool bancoHabilitado() const { return bancoHabilitado_; }  // right 43
    bool cajaAbierta() const { return cajaAbierta_; }
    bool bancoAbierto() const { return bancoAbierto_; }
    // The bank document's number comes from an automatic checkbook: the
    // view shows it read-only, and a number typed all the same goes back.
    bool numeroBancoAutomatico() const { return numeroBancoAutomatico_; }
    Dinero sumCaja() const { return sumCaja_; }
    Dinero sumBanco() const { return sumBanco_; }
    // Items of the open set, computed now (the panel may still be open).
    Dinero totalItemsCaja() const;

    // ---- cash panel ("F4: Pago caja")
    bool abrirCaja();       // false after the refusal message
    void agregarItemCaja(); // a new item with its defaults
    bool continuarCaja();   // "F2:Continuar": posts, totals, closes
    void salirCaja();       // Esc: the item being edited is dropped, closes
    // Double click on the cash grid: the documents the box holds, chosen in
    // "Tfdocencaja", come in as items. Returns how many came.
    int documentosEnCaja();
    // Every cash item goes (class "2" of the voucher).
    void eliminarItemsCaja();

    // ---- bank panel ("F5: Pago banco")
    bool abrirBanco();      // false after the refusal message
    bool continuarBanco();  // "F2:Continuar": refuses amount 0, posts, closes
    void salirBanco();      // Esc: the document being entered is dropped

    // Totals again from the sets (a voucher brought back to the screen).
    void recalcular();
    // Everything back to closed and zero for a new document.
    void reiniciar();

signals:
    void cambiado();  // panels, totals, lists or read-only states changed

private:
    void nuevoItemCaja(DataSet& c);
    void itemCajaCambiado();
    void documentoCajaCambiado();
    void revisarItemCaja(DataSet& c);
    bool alcanzaEfectivo(const DataSet& c) const;
    void nuevoDocumentoBanco(DataSet& b);
    void cuentaBancoCambiada();
    void prefijoBancoCambiado();
    void numeroBancoCambiado();
    void fechaBancoCambiada();
    void cargarTipos();
    bool repetidoEnCaja(int fopa, const QString& banco, const QString& cuenta, const QString& numero) const;
    int siguienteItem() const;

    Sesion& sesion_;
    Interaccion& interaccion_;
    const Configuracion& configuracion_;
    DataSet& caja_;
    DataSet& banco_;
    LeerContexto contexto_;
    std::unique_ptr<Caja> datosCaja_;

    QList<OpcionBusqueda> cajas_, formas_, cuentas_;
    QStringList tipos_;
    QList<PrefijoBanco> prefijosBanco_;
    QString tipoElegido_;
    QString filtroCajas_;
    int cajaPredeterminada_ = 0;
    bool validarEfectivo_ = false;
    int diasPosfechado_ = 0;
    bool cajaHabilitada_ = false;
    bool bancoHabilitado_ = false;
    bool cajaAbierta_ = false;
    bool bancoAbierto_ = false;
    bool numeroBancoAutomatico_ = false;
    QString numeroDelTalonario_;  // the automatic checkbook's next number
    bool ocupado_ = false;  // handlers of the sets are quiet while set here
    Dinero sumCaja_, sumBanco_;
};

}  // namespace cxp
