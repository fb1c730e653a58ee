#pragma once
// The amounts of a payables adjustment document (a charge; the discount
// follows the same rules) and the chain that keeps them consistent while the
// clerk types: gross amount → commercial discounts → taxable amount → IVA and
// the four withholdings → totals. Every computed IVA and withholding is
// rounded by rule R at the company's rounding digit; the IVA of each VAT base
// always to whole pesos. No database and no widget: the screen feeds the
// changes in and writes the amounts back to its fields.
#include "base/Dinero.h"

#include <array>

namespace cxp {

struct MontosDocumento {
    Dinero subTotal;                 // gross amount typed ("Monto:")
    std::array<Dinero, 4> dtoPorc{}; // commercial discounts, percent of the gross
    std::array<Dinero, 4> dtoMonto{};
    Dinero adicional;                // taxed, enters the taxable amount
    Dinero extra;                    // not taxed, only the totals
    Dinero monto;                    // taxable amount
    Dinero ivaPorc, ivaMonto;
    Dinero baseRtfte;
    Dinero rtftePorc, rtfteMonto;
    Dinero rtivaPorc, rtivaMonto;    // rate in percent of the IVA
    Dinero rticaPorc, rticaMonto;    // rate per thousand
    Dinero creePorc, creeMonto;
    Dinero dtofPorc, dtofMonto;      // prompt-payment discount
    // VAT bases: exempt, three taxed ones with their IVA, consumption tax.
    Dinero base0;
    std::array<Dinero, 3> base{};
    std::array<Dinero, 3> iva{};
    Dinero inalcm;
};

enum class Retencion { Fuente = 0, Iva = 1, Ica = 2, Cree = 3 };

class CadenaMontos {
public:
    struct Reglas {
        int digito = 0;              // rounding digit d of rule R
        bool baseMinima = false;     // withhold only above the creditor's minimum bases
        Dinero baseMinimaRtfte;      // the creditor's, for rete-fuente and rete-IVA
        Dinero baseMinimaRtica;
        bool simplificado = false;   // simplified-regime creditor: rete-IVA is the whole IVA
        Dinero porcionSimplificado;  // percent of the bases' IVA taken as IVA for them
        std::array<Dinero, 3> tasaBase{};  // IVA rate of each taxed base
        // A rete-fuente base typed by the clerk stays through later amount
        // changes (the discount); otherwise every new amount overwrites it.
        bool baseRtfteDigitadaQueda = false;
    };

    MontosDocumento m;

    const Reglas& reglas() const { return reglas_; }
    void fijeReglas(const Reglas& r) { reglas_ = r; }
    // A new document: no amounts, nothing typed, the rete-fuente base again
    // the taxable amount; the creditor's profile is cleared too.
    void reinicie();
    // A new creditor: its minimum bases and regime; the typed amounts are
    // released and a rete-fuente base fixed in the VAT-bases panel too
    // (it was the previous creditor's).
    void nuevoAcreedor(Dinero baseMinimaRtfte, Dinero baseMinimaRtica, bool simplificado);
    // The creditor's four rates: the whole chain is recomputed with the
    // minimum-base test, as when the taxable amount changes.
    void tasasDelAcreedor(Dinero rtfte, Dinero rtiva, Dinero rtica, Dinero cree);

    // Changes typed by the clerk, each recomputing what depends on it.
    void cambieSubTotal(Dinero v);
    void cambieTasaDescuento(int i, Dinero v);
    void cambieMontoDescuento(int i, Dinero v);
    void cambieAdicional(Dinero v);
    void cambieExtra(Dinero v) { m.extra = v; }
    void cambieMonto(Dinero v);
    void cambieTasaIva(Dinero v);
    void cambieTasa(Retencion r, Dinero v);
    void cambieTasaDtof(Dinero v);
    void cambieBaseRtfte(Dinero v);
    // A withholding amount typed by hand: kept through later rate edits
    // until it is typed as 0 or the taxable amount changes.
    void digiteRetencion(Retencion r, Dinero v);
    bool digitada(Retencion r) const { return digitada_[static_cast<int>(r)]; }
    // A withholding that arrives already computed (a document loaded from a
    // file): kept as it comes when the base passes the creditor's minimum
    // for it, else 0, and held like a typed one.
    void retencionRecibida(Retencion r, Dinero v);
    // The IVA and the prompt-payment discount typed by hand: the same rule
    // (kept through rate edits, released by 0 or a new taxable amount, made
    // back into their rates on save). A typed IVA is what rete-IVA takes.
    void digiteIva(Dinero v);
    void digiteDtof(Dinero v);
    bool ivaDigitado() const { return ivaDigitado_; }
    bool dtofDigitado() const { return dtofDigitado_; }

    // VAT bases panel.
    void cambieBase(int i, Dinero v);  // i 0..2: the taxed bases
    void recalculeIvaBases();          // after a rate change (a new date)
    // "Continua". baseRtfteDigitada: the clerk typed the rete-fuente base in
    // the panel; only then does the chain stop overwriting it.
    void continuarBases(bool baseRtfteDigitada);
    bool baseDesdeBases() const { return baseDesdeBases_; }

    // On save: every typed amount gives back its rate (a zero divisor leaves
    // the rate as it is): the withholdings, the IVA and the prompt-payment
    // discount.
    void tasasDesdeMontos();

    Dinero neto() const;          // "Neto:"
    Dinero totalConIva() const;   // "Total:"

private:
    Dinero R(Dinero v) const;
    bool superaBaseRtfte() const;
    bool superaBaseRtica() const;
    void recalculeMonto();
    void recalculeRtiva();
    Dinero& tasa(Retencion r);
    Dinero& monto(Retencion r);

    Reglas reglas_;
    std::array<bool, 4> digitada_{};
    bool ivaDigitado_ = false;
    bool dtofDigitado_ = false;
    bool baseDesdeBases_ = false;
    bool baseRtfteDigitada_ = false;
};

} // namespace cxp
