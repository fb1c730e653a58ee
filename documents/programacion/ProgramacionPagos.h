#pragma once
// "Programación de Cuentas x pagar": a plan of the payables to pay at a
// cut-off date (PROGRAMACION_PAGOS_ENC and its rows PROGRAMACION_PAGOS),
// the open documents offered (rep_cxpagar_proveedor, less those another
// live plan of the same cut-off holds), the money available
// (dinero_disponible), the payment of one or several documents from a cash
// box or a bank account, and the save, in whose transaction the database
// generates the payment vouchers of the rows marked for it
// (GENERE_EGRESOS_PROGPAGO). Screen logic only.
#include "base/Dinero.h"
#include "comunes/Opciones.h"
#include "data/DataSet.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

// A row of the plan the database did not turn into a voucher, or whose
// voucher stayed unposted, and why.
struct NovedadProgramacion {
    int item = 0;
    int tipo = 0;
    int64_t iddoc = 0;
    int64_t egreso = 0;
    QString novedad;
};

// What the payment panel ("F8:Pagar") sets on the rows.
struct PagoProgramado {
    bool banco = false;   // "Banco"; false: "Caja"
    int caja = 0;         // the cash box, or the bank account's code
    QString clase;        // bank document kind: "CHEQUE" → 72, else 73
    QString prefijoBanco;
    bool egreso = false;  // PRPG_EGRESO "S"
    // One document only: the amount ("Valor a pagar:"); none: its balance.
    std::optional<Dinero> valor;
};

class ProgramacionPagos {
public:
    static constexpr int kTipo = 57;
    static inline const QString kSinPrefijoEgresos = QStringLiteral("Debe indicar un prefijo para los egresos");
    static inline const QString kSinPrefijo = QStringLiteral("Debe crear antes un prefijo válido para el documento.");
    static inline const QString kValorInvalido =
        QStringLiteral("El valor a pagar debe tener el signo del saldo del documento y no superarlo.");

    ProgramacionPagos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador);

    // Prefixes, agencies, the plan (new with 0) and the lists. False (after
    // the message) when the screen cannot work.
    bool abrir(int64_t id = 0);

    DataSet& plan() { return plan_; }
    DataSet& filas() { return filas_; }
    DataSet& documentos() { return documentos_; }
    DataSet& dinero() { return dinero_; }
    const QList<OpcionBusqueda>& prefijos() const { return prefijos_; }
    const QList<OpcionBusqueda>& prefijosEgreso() const { return prefijosEgreso_; }
    // The plan prefix gives the number: it is shown, not typed.
    bool numeroAutomatico() const { return numeroAutomatico_; }
    // "Todas" (key 0) and the agencies.
    const QList<OpcionBusqueda>& agencias() const { return agencias_; }
    int agencia() const { return agencia_; }
    void setAgencia(int agencia);

    // The two lists at the plan's cut-off, again.
    void componer();
    Dinero totalPagos() const;
    Dinero totalDisponible() const;
    Dinero diferencia() const { return totalDisponible() - totalPagos(); }
    // "Solo documentos a pagar": only the documents with "Pago" <> 0.
    void soloAPagar(bool solo);
    bool soloAPagar() const { return soloAPagar_; }
    // Runs after every composition of the lists (the screen shows them
    // again). A change of the cut-off date composes them too.
    std::function<void()> alComponer;

    // The bank document kinds of an account, and the checkbooks of a kind.
    QStringList clasesBanco(int cuenta);
    QStringList prefijosBanco(int cuenta, const QString& clase);

    // What the payment panel proposes for a document of the list: its plan
    // row when it has one, else cash and its balance.
    PagoProgramado propuesta(int filaDocumento);

    // "F8:Pagar" of the panel on the given rows of the documents list (the
    // current one when empty). False (after the message) without voucher
    // prefix, or with an amount above the balance or of the other sign.
    bool pagar(const QList<int>& filasDocumentos, const PagoProgramado& pago);

    // "F2:Grabar": the plan and its rows in one transaction, the vouchers
    // generated in it. False when nothing was written.
    bool grabar();
    // What the database reported of the last save.
    const QList<NovedadProgramacion>& novedades() const { return novedades_; }

private:
    void nuevoPlan();
    void cargarFilas(int64_t id);
    bool localizarFila(int tipo, int64_t id);
    QString actualDelPrefijo(const QString& prefijo);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet plan_, filas_, documentos_, dinero_;
    QList<OpcionBusqueda> prefijos_, prefijosEgreso_, agencias_;
    QList<NovedadProgramacion> novedades_;
    QHash<QPair<int, int64_t>, Dinero> pagos_;  // PRPG_ABONO by document, as of the last composition
    int agencia_ = 0;
    int ultimoItem_ = 0;
    bool soloAPagar_ = false;
    bool numeroAutomatico_ = false;
    bool abierto_ = false;
};

}  // namespace cxp
