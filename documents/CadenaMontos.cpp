#include "documents/CadenaMontos.h"

#include "base/Redondeo.h"

namespace cxp {

Dinero CadenaMontos::R(Dinero v) const { return redondearR(v, reglas_.digito); }

// Strictly above: a base equal to the minimum withholds nothing.
bool CadenaMontos::superaBaseRtfte() const {
    return !reglas_.baseMinima || m.baseRtfte > reglas_.baseMinimaRtfte;
}

bool CadenaMontos::superaBaseRtica() const {
    return !reglas_.baseMinima || m.monto > reglas_.baseMinimaRtica;
}

Dinero& CadenaMontos::tasa(Retencion r) {
    switch (r) {
    case Retencion::Fuente: return m.rtftePorc;
    case Retencion::Iva: return m.rtivaPorc;
    case Retencion::Ica: return m.rticaPorc;
    case Retencion::Cree: break;
    }
    return m.creePorc;
}

Dinero& CadenaMontos::monto(Retencion r) {
    switch (r) {
    case Retencion::Fuente: return m.rtfteMonto;
    case Retencion::Iva: return m.rtivaMonto;
    case Retencion::Ica: return m.rticaMonto;
    case Retencion::Cree: break;
    }
    return m.creeMonto;
}

void CadenaMontos::reinicie() {
    m = MontosDocumento();
    baseRtfteDigitada_ = false;
    nuevoAcreedor(Dinero(), Dinero(), false);
}

void CadenaMontos::nuevoAcreedor(Dinero baseMinimaRtfte, Dinero baseMinimaRtica, bool simplificado) {
    reglas_.baseMinimaRtfte = baseMinimaRtfte;
    reglas_.baseMinimaRtica = baseMinimaRtica;
    reglas_.simplificado = simplificado;
    digitada_ = {};
    ivaDigitado_ = dtofDigitado_ = false;
    baseDesdeBases_ = false;
}

void CadenaMontos::tasasDelAcreedor(Dinero rtfte, Dinero rtiva, Dinero rtica, Dinero cree) {
    m.rtftePorc = rtfte;
    m.rtivaPorc = rtiva;
    m.rticaPorc = rtica;
    m.creePorc = cree;
    cambieMonto(m.monto);
}

void CadenaMontos::cambieSubTotal(Dinero v) {
    m.subTotal = v;
    for (int i = 0; i < 4; ++i) m.dtoMonto[i] = m.subTotal.porcentaje(m.dtoPorc[i]);
    recalculeMonto();
}

// Each discount on the gross amount, not one after the other.
void CadenaMontos::cambieTasaDescuento(int i, Dinero v) {
    m.dtoPorc.at(i) = v;
    m.dtoMonto[i] = m.subTotal.porcentaje(v);
    recalculeMonto();
}

void CadenaMontos::cambieMontoDescuento(int i, Dinero v) {
    m.dtoMonto.at(i) = v;
    recalculeMonto();
}

void CadenaMontos::cambieAdicional(Dinero v) {
    m.adicional = v;
    recalculeMonto();
}

void CadenaMontos::recalculeMonto() {
    cambieMonto(m.subTotal - m.dtoMonto[0] - m.dtoMonto[1] - m.dtoMonto[2] - m.dtoMonto[3] + m.adicional);
}

void CadenaMontos::recalculeRtiva() {
    m.rtivaMonto = reglas_.simplificado ? R(m.ivaMonto) : R(m.ivaMonto.porcentaje(m.rtivaPorc));
}

void CadenaMontos::cambieMonto(Dinero v) {
    m.monto = v;
    if (!baseDesdeBases_ && !(reglas_.baseRtfteDigitadaQueda && baseRtfteDigitada_)) m.baseRtfte = m.monto;
    m.ivaMonto = R(m.monto.porcentaje(m.ivaPorc));
    if (superaBaseRtfte()) {
        m.rtfteMonto = R(m.baseRtfte.porcentaje(m.rtftePorc));
        recalculeRtiva();
    } else {
        m.rtfteMonto = Dinero();
        m.rtivaMonto = Dinero();
    }
    m.rticaMonto = superaBaseRtica() ? R(m.monto.porMil(m.rticaPorc)) : Dinero();
    m.creeMonto = R(m.monto.porcentaje(m.creePorc));
    m.dtofMonto = R(m.monto.porcentaje(m.dtofPorc));
    digitada_ = {};
    ivaDigitado_ = dtofDigitado_ = false;
}

// The IVA and then rete-IVA; a rete-IVA typed by hand stays. Under "BASE
// MINIMA" a rate edit keeps the minimum-base test: a base at or below the
// creditor's minimum withholds nothing whichever rate is typed.
void CadenaMontos::cambieTasaIva(Dinero v) {
    if (ivaDigitado_) return;
    m.ivaPorc = v;
    m.ivaMonto = R(m.monto.porcentaje(v));
    if (!digitada(Retencion::Iva)) {
        if (superaBaseRtfte()) recalculeRtiva();
        else m.rtivaMonto = Dinero();
    }
}

void CadenaMontos::cambieTasa(Retencion r, Dinero v) {
    if (digitada(r)) return;
    tasa(r) = v;
    switch (r) {
    case Retencion::Fuente: m.rtfteMonto = superaBaseRtfte() ? R(m.baseRtfte.porcentaje(v)) : Dinero(); break;
    case Retencion::Iva:
        if (superaBaseRtfte()) recalculeRtiva();
        else m.rtivaMonto = Dinero();
        break;
    case Retencion::Ica: m.rticaMonto = superaBaseRtica() ? R(m.monto.porMil(v)) : Dinero(); break;
    case Retencion::Cree: m.creeMonto = R(m.monto.porcentaje(v)); break;
    }
}

void CadenaMontos::cambieTasaDtof(Dinero v) {
    if (dtofDigitado_) return;
    m.dtofPorc = v;
    m.dtofMonto = R(m.monto.porcentaje(v));
}

void CadenaMontos::cambieBaseRtfte(Dinero v) {
    m.baseRtfte = v;
    baseRtfteDigitada_ = !v.esCero();
    if (superaBaseRtfte() && !digitada(Retencion::Fuente)) m.rtfteMonto = R(v.porcentaje(m.rtftePorc));
}

void CadenaMontos::digiteRetencion(Retencion r, Dinero v) {
    monto(r) = v;
    digitada_[static_cast<int>(r)] = !v.esCero();
}

void CadenaMontos::retencionRecibida(Retencion r, Dinero v) {
    const bool supera = r == Retencion::Ica ? superaBaseRtica() : r == Retencion::Cree || superaBaseRtfte();
    digiteRetencion(r, supera ? v : Dinero());
}

void CadenaMontos::digiteIva(Dinero v) {
    m.ivaMonto = v;
    ivaDigitado_ = !v.esCero();
    if (digitada(Retencion::Iva)) return;
    if (superaBaseRtfte()) recalculeRtiva();
    else m.rtivaMonto = Dinero();
}

void CadenaMontos::digiteDtof(Dinero v) {
    m.dtofMonto = v;
    dtofDigitado_ = !v.esCero();
}

void CadenaMontos::cambieBase(int i, Dinero v) {
    m.base.at(i) = v;
    m.iva[i] = redondearR(v.porcentaje(reglas_.tasaBase[i]), 0);
}

void CadenaMontos::recalculeIvaBases() {
    for (int i = 0; i < 3; ++i) m.iva[i] = redondearR(m.base[i].porcentaje(reglas_.tasaBase[i]), 0);
}

void CadenaMontos::continuarBases(bool baseRtfteDigitada) {
    if (baseRtfteDigitada && !m.baseRtfte.esCero()) baseDesdeBases_ = true;
    cambieSubTotal(m.base0 + m.base[0] + m.base[1] + m.base[2]);
    const Dinero ivaBases = m.iva[0] + m.iva[1] + m.iva[2] + m.inalcm;
    if (reglas_.simplificado) {
        m.ivaMonto = ivaBases.porcentaje(reglas_.porcionSimplificado);
        m.rtivaMonto = m.ivaMonto;
    } else {
        m.ivaMonto = ivaBases;
        // The rete-IVA follows the IVA of the bases, not the single rate's.
        if (superaBaseRtfte() && !digitada(Retencion::Iva)) recalculeRtiva();
    }
}

void CadenaMontos::tasasDesdeMontos() {
    auto devuelva = [&](Retencion r, Dinero divisor, int64_t escala) {
        if (!digitada(r) || divisor.esCero()) return;
        tasa(r) = monto(r) * escala / divisor;
    };
    devuelva(Retencion::Fuente, m.baseRtfte, 100);
    devuelva(Retencion::Iva, m.ivaMonto, 100);
    devuelva(Retencion::Ica, m.monto, 1000);
    devuelva(Retencion::Cree, m.monto, 100);
    if (!m.monto.esCero()) {
        if (ivaDigitado_) m.ivaPorc = m.ivaMonto * 100 / m.monto;
        if (dtofDigitado_) m.dtofPorc = m.dtofMonto * 100 / m.monto;
    }
}

Dinero CadenaMontos::totalConIva() const { return m.monto + m.ivaMonto + m.extra; }

Dinero CadenaMontos::neto() const {
    return totalConIva() - m.rtfteMonto - m.rtivaMonto - m.rticaMonto - m.creeMonto;
}

} // namespace cxp
