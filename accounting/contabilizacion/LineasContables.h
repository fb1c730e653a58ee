#pragma once
// The rules of the lines of an accounting voucher, shared by the posting
// review window (pending voucher lines, both charts in one dataset told
// apart by the line number) and the ledger voucher editor (one dataset per
// chart): lookups typed into the fields ("?"), the lone double-quote that
// repeats the previous line, third parties and cost centres checked as they
// are typed, debit or credit computed from base and percentage, the
// defaults filled when a column is left, the validation of a line before
// it is stored, the suggested amount that balances the voucher, and the
// sums of each chart.
#include "base/Dinero.h"
#include "data/DataSet.h"

#include <QString>
#include <functional>
#include <optional>

namespace cxp {

class Contabilidad;
class Interaccion;

// The columns of a line in its table.
struct ColumnasLinea {
    QString item, cuenta, tercero, centro, subcentro, concepto, referencia, base, porcentaje, debito, credito, activo;
    static ColumnasLinea pendiente();  // CONTABILIZACION_DET
    static ColumnasLinea libro();      // COMPROBANTE_DETALLE and COMPROBANTE_DETALLE_NIIF
};

// An account's attributes in its chart.
struct AtributosCuenta {
    bool tercero = false;
    bool centro = false;
    bool retencion = false;
    QString tipo;
    Dinero baseMinima;
    Dinero porcentaje;
};

class LineasContables {
public:
    static inline const QString kSinCuenta = QStringLiteral("Debe indicar una cuenta para el movimiento.");
    static inline const QString kSinNit = QStringLiteral("Debe indicar un NIT para el movimiento.");
    static inline const QString kSinBase = QStringLiteral("Debe indicar una base para el movimiento.");
    static inline const QString kSinPorcentaje = QStringLiteral("Debe indicar un porcentaje para el movimiento.");
    static inline const QString kSinCentro = QStringLiteral("Debe indicar un Proyecto-Centro para el movimiento.");
    static inline const QString kTerceroNoEncontrado = QStringLiteral("Tercero no encontrado. Desea crearlo?");
    static inline const QString kCentroNoEncontrado = QStringLiteral("Centro-subcentro no encontrado.");
    static QString sinValor(const QString& cuenta) {
        return QStringLiteral("Debe indicar un valor débito o crédito para la cuenta ") + cuenta +
               QStringLiteral(" o eliminar el registro completo.");
    }

    // esNiif tells the chart of a line. Installs the change handlers and
    // the validation before a line is stored.
    LineasContables(DataSet& lineas, ColumnasLinea columnas, fb::Database& compania, Interaccion& interaccion,
                    Contabilidad& contabilidad, std::function<bool(const RecordRef&)> esNiif);

    // The voucher header's concept and reference, taken by a line whose
    // concept or reference is left empty.
    void setEncabezado(std::function<QString()> concepto, std::function<QString()> referencia);
    // Cost centres of the person's agency (or of none) only.
    void setFiltroAgencia(bool filtrar, int agencia) {
        filtrarAgencia_ = filtrar;
        agencia_ = agencia;
    }
    // Runs when a line fails its validation (the review window stops its timer).
    void setAlFallar(std::function<void()> alFallar) { alFallar_ = std::move(alFallar); }
    // The "Activo" box: shown for an account of type 'A' when its column is
    // left, hidden otherwise.
    void setAlActivo(std::function<void(bool)> alActivo) { alActivo_ = std::move(alActivo); }

    const ColumnasLinea& columnas() const { return c_; }
    DataSet& lineas() { return ds_; }
    bool esNiif(const RecordRef& fila) const { return esNiif_(fila); }

    // Stores the current line after its validation; a line without account
    // nor amounts is dropped. False, after the message, when it stays in edit.
    bool guardarLinea();
    // The validation of a line; the first failure's message and field.
    struct Falla {
        QString mensaje;
        QString campo;
    };
    std::optional<Falla> validar(const RecordRef& fila);

    // The person left a column of the current line.
    void alSalirColumna(const QString& campo);
    // A double click on a column: "?" appended to an account or third
    // party (which opens its lookup), "?" in both centre columns.
    void dobleClic(const QString& campo);
    // F5: the amount that balances the chart of the current line, when the
    // line has neither debit nor credit.
    void sugerir();
    // The chosen fixed asset of the current line.
    void asignarActivo(const QString& codigo);

    // Sums of one chart's lines.
    Dinero debitos(bool niif) const;
    Dinero creditos(bool niif) const;
    bool cuadra(bool niif) const { return debitos(niif) == creditos(niif); }
    int cuenta(bool niif) const;  // lines of a chart

    // Drops the lines that have neither account nor amounts.
    void quitarVacias();

    std::optional<AtributosCuenta> atributos(const QString& cuenta, bool niif) const;
    QString nombreCuenta(const QString& cuenta, bool niif) const;
    QString nombreTercero(const QString& nit) const;
    QString desc_activo(const QString& codigo) const;

private:
    void alCambiarCuenta(DataSet& ds);
    void alCambiarTercero(DataSet& ds);
    void alCambiarCentro(DataSet& ds);
    void alCambiarRepetible(DataSet& ds, const QString& campo, const QString& anterior);
    void alCambiarBase(DataSet& ds, bool esBase);
    void alCambiarValor(DataSet& ds, bool esDebito);
    void antesDeGuardar(DataSet& ds);
    // The previous value of a column: the one remembered from the last line
    // stored, else that of the line before the current one in its chart.
    QString anterior(const QString& campo, const QString& recordado) const;
    void poner(const QString& campo, const fb::Value& valor);
    void ponerDinero(const QString& campo, Dinero valor);
    bool niifActual() const;

    DataSet& ds_;
    ColumnasLinea c_;
    fb::Database& compania_;
    Interaccion& interaccion_;
    Contabilidad& contabilidad_;
    std::function<bool(const RecordRef&)> esNiif_;
    std::function<QString()> conceptoEncabezado_, referenciaEncabezado_;
    std::function<void()> alFallar_;
    std::function<void(bool)> alActivo_;
    bool filtrarAgencia_ = false;
    int agencia_ = 0;
    bool ocupado_ = false;
    QString ultimoTercero_, ultimoConcepto_, ultimaReferencia_;
};

}  // namespace cxp
