#pragma once
// The free accounting lines of a payment voucher (EGRESOS_CONTABILIDAD):
// account, third party and centre checks, the refusal of a line without
// debit or credit, withholding lines computed from a base and the account's
// percentage, templates, and the lines of a social-contributions payment.
// The voucher's logic owns both DataSets; this class attaches its handlers.
#include "base/Dinero.h"
#include "data/DataSet.h"

#include <QString>
#include <memory>

namespace cxp {

class Configuracion;
class Contabilidad;
class Interaccion;
class Terceros;
struct Sesion;

// Debit and credit of a withholding line.
struct ValorRetencion {
    Dinero debito;
    Dinero credito;
    friend bool operator==(const ValorRetencion&, const ValorRetencion&) = default;
};

class LineasContablesEgreso {
public:
    static inline const QString kTerceroNoEncontrado = QStringLiteral("Tercero no encontrado. Desea crearlo?");
    static inline const QString kCentroNoEncontrado = QStringLiteral("Centro-subcentro no encontrado.");
    static inline const QString kPerderMovimientos = QStringLiteral(
        "Al traer la plantilla perderá los movimientos digitados en el comprobante, Continuar?");
    // Followed by the account and kSinValorFin.
    static inline const QString kSinValor = QStringLiteral("Debe indicar un valor débito o crédito para la cuenta ");
    static inline const QString kSinValorFin = QStringLiteral(" o eliminar el registro completo.");
    // Screens and pickers opened from the lines.
    static inline const QString kNuevoTercero = QStringLiteral("Tfnvotercero");
    static inline const QString kPlantillas = QStringLiteral("Tfbuscplantilla");

    // The header (EGRESOS) and its lines (EGRESOS_CONTABILIDAD).
    LineasContablesEgreso(DataSet& egreso, DataSet& lineas, Sesion& sesion, const Configuracion& configuracion,
                          Interaccion& interaccion);
    ~LineasContablesEgreso();
    LineasContablesEgreso(const LineasContablesEgreso&) = delete;
    LineasContablesEgreso& operator=(const LineasContablesEgreso&) = delete;

    // A withholding line: base × percentage / 100 rounded to a multiple of
    // 10^r (exact halves to even); a positive base gives a debit, a
    // negative one a credit of the same size. No percentage, nothing.
    static ValorRetencion retencion(Dinero base, Dinero porcentaje, int r);

    // A new voucher: item numbers from 1. After loading a voucher's lines
    // cargado() goes on after the highest item.
    void reiniciar();
    void cargado();

    // The grid is read-only when the cash module posts these accounts itself.
    bool soloLectura() const;

    Dinero sumDb() const;
    Dinero sumCr() const;
    // Names of the current line's account and third party, for the screen.
    const QString& nombreCuenta() const { return nombreCuenta_; }
    const QString& nombreTercero() const { return nombreTercero_; }

    // Lookups of the current line (double click or "?"): true when a value
    // was taken.
    bool buscarCuenta(const QString& filtro = {});
    bool buscarTercero(const QString& filtro = {});
    bool buscarCentro(const QString& filtro = {});

    // "Plantillas": the template picker for vouchers of that type, then
    // importarPlantilla.
    bool elegirPlantilla(const QString& tipoComprobante);
    // Replaces the lines by the template's (asking first when there are
    // lines). False when the person said no or the template has no lines.
    bool importarPlantilla(int64_t planId);

    // The lines of a social-contributions payment: one per row of
    // PAGO_APORTES with an account (debit the amount plus late interest).
    // Returns the lines added.
    int agregarAportes(int64_t pagoAportesId);

private:
    void nuevaLinea(DataSet& l);
    void cuentaIngresada(DataSet& l);
    void terceroIngresado(DataSet& l);
    void centroIngresado(DataSet& l);
    void baseIngresada(DataSet& l);
    void porcentajeIngresado(DataSet& l);
    void antesDePostear(DataSet& l);
    void calcular(DataSet& l);
    void vaciar();
    void agregarLinea(const QString& cuenta, const QString& nit, const QString& proyecto, const QString& centro,
                      const QString& concepto, Dinero debito, Dinero credito, Dinero base, Dinero porcentaje);

    DataSet& egreso_;
    DataSet& lineas_;
    Sesion& sesion_;
    const Configuracion& configuracion_;
    Interaccion& interaccion_;
    std::unique_ptr<Contabilidad> contabilidad_;
    std::unique_ptr<Terceros> terceros_;
    int ultimoItem_ = 0;
    bool importando_ = false;
    QString nombreCuenta_, nombreTercero_;
};

}  // namespace cxp
