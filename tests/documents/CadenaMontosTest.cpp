#include "documents/CadenaMontos.h"

#include <gtest/gtest.h>

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

CadenaMontos cadena(int digito = 0, bool baseMinima = false) {
    CadenaMontos c;
    CadenaMontos::Reglas r;
    r.digito = digito;
    r.baseMinima = baseMinima;
    r.porcionSimplificado = d("50");
    r.tasaBase = {d("19"), d("5"), d("16")};
    c.fijeReglas(r);
    return c;
}

} // namespace

// The minimum base is compared strictly, rete-ICA is per thousand and every
// withholding is rounded by rule R at the company's digit.
TEST(CadenaMontos, BaseMinimaYRedondeo) {
    struct Caso {
        const char* monto;
        int digito;
        const char* rtfte;
        const char* rtiva;
        const char* rtica;
    };
    const Caso casos[] = {
        {"1000000", 0, "0", "0", "0"},           // equal to both minimums: nothing withheld
        {"1000001", 0, "25000", "28500", "6900"}, // one peso more: all of them
        {"1000001", 3, "25000", "28000", "7000"}, // to thousands, ties to even
    };
    for (const Caso& k : casos) {
        CadenaMontos c = cadena(k.digito, true);
        c.nuevoAcreedor(d("1000000"), d("1000000"), false);
        c.cambieTasaIva(d("19"));
        c.cambieTasa(Retencion::Fuente, d("2.5"));
        c.cambieTasa(Retencion::Iva, d("15"));
        c.cambieTasa(Retencion::Ica, d("6.9"));
        c.cambieSubTotal(d(k.monto));
        SCOPED_TRACE(std::string(k.monto) + " d=" + std::to_string(k.digito));
        EXPECT_EQ(c.m.rtfteMonto, d(k.rtfte));
        EXPECT_EQ(c.m.rtivaMonto, d(k.rtiva));
        EXPECT_EQ(c.m.rticaMonto, d(k.rtica));
    }
}

TEST(CadenaMontos, EmpatesAlParEnCentenas) {
    CadenaMontos c = cadena(2);
    c.cambieTasaIva(d("10"));
    c.cambieSubTotal(d("190500"));
    EXPECT_EQ(c.m.ivaMonto, d("19000"));
    c.cambieSubTotal(d("191500"));
    EXPECT_EQ(c.m.ivaMonto, d("19200"));
}

TEST(CadenaMontos, DescuentosSobreElBrutoYTotales) {
    CadenaMontos c = cadena();
    c.cambieTasaDescuento(0, d("10"));
    c.cambieTasaDescuento(1, d("5"));
    c.cambieSubTotal(d("1000"));
    EXPECT_EQ(c.m.monto, d("850"));
    c.cambieAdicional(d("50"));
    c.cambieExtra(d("7"));
    c.cambieTasaIva(d("19"));
    c.cambieTasa(Retencion::Cree, d("0.4"));
    EXPECT_EQ(c.m.monto, d("900"));
    EXPECT_EQ(c.totalConIva(), d("1078"));          // 900 + 171 + 7
    EXPECT_EQ(c.neto(), d("1074"));                 // less CREE 3.6 → 4
    c.cambieTasaDtof(d("2"));
    EXPECT_EQ(c.m.dtofMonto, d("18"));
    EXPECT_EQ(c.neto(), d("1074")) << "el descuento pronto pago no se resta del neto";
}

// A typed amount survives rate edits, turns into its rate on save, and is
// released by typing 0 or by a new taxable amount.
TEST(CadenaMontos, RetencionDigitada) {
    CadenaMontos c = cadena();
    c.cambieTasa(Retencion::Fuente, d("2.5"));
    c.cambieSubTotal(d("200000"));
    EXPECT_EQ(c.m.rtfteMonto, d("5000"));
    c.digiteRetencion(Retencion::Fuente, d("7000"));
    c.cambieTasa(Retencion::Fuente, d("4"));
    c.cambieBaseRtfte(d("300000"));
    EXPECT_EQ(c.m.rtfteMonto, d("7000"));
    EXPECT_EQ(c.m.rtftePorc, d("2.5"));
    c.tasasDesdeMontos();
    EXPECT_EQ(c.m.rtftePorc, d("2.3333")) << "7000 × 100 / 300000";

    c.digiteRetencion(Retencion::Fuente, d("0"));
    EXPECT_FALSE(c.digitada(Retencion::Fuente));
    c.cambieTasa(Retencion::Fuente, d("1"));
    EXPECT_EQ(c.m.rtfteMonto, d("3000"));

    c.digiteRetencion(Retencion::Ica, d("999"));
    c.cambieSubTotal(d("100000"));
    EXPECT_FALSE(c.digitada(Retencion::Ica)) << "un monto nuevo libera lo digitado";

    CadenaMontos cero = cadena();
    cero.digiteRetencion(Retencion::Cree, d("10"));
    cero.tasasDesdeMontos();  // taxable amount 0: the rate stays, no division by zero
    EXPECT_EQ(cero.m.creePorc, Dinero());
}

TEST(CadenaMontos, MontoNegativoYBaseMinima) {
    CadenaMontos c = cadena(0, true);
    c.nuevoAcreedor(d("0"), d("0"), false);
    c.cambieTasa(Retencion::Fuente, d("2.5"));
    c.cambieTasa(Retencion::Cree, d("0.4"));
    c.cambieSubTotal(d("-100000"));
    EXPECT_EQ(c.m.monto, d("-100000"));
    EXPECT_EQ(c.m.rtfteMonto, Dinero()) << "una base negativa no supera el mínimo";
    EXPECT_EQ(c.m.creeMonto, d("-400")) << "el CREE no tiene base mínima";
}

TEST(CadenaMontos, BasesDeIva) {
    CadenaMontos c = cadena();
    c.cambieTasa(Retencion::Iva, d("15"));
    c.m.base0 = d("1000");
    c.cambieBase(0, d("10001"));   // 1900.19 → 1900
    c.cambieBase(1, d("2010"));    // 100.5 → 100 (whole pesos, ties to even)
    c.m.inalcm = d("80");
    c.m.baseRtfte = d("5000");
    c.continuarBases(true);
    EXPECT_EQ(c.m.iva[0], d("1900"));
    EXPECT_EQ(c.m.iva[1], d("100"));
    EXPECT_EQ(c.m.subTotal, d("13011"));
    EXPECT_EQ(c.m.ivaMonto, d("2080"));
    EXPECT_EQ(c.m.rtivaMonto, d("312"));
    EXPECT_TRUE(c.baseDesdeBases());
    EXPECT_EQ(c.m.baseRtfte, d("5000")) << "la base de retención de las bases no se sobrescribe";
    c.cambieSubTotal(d("20000"));
    EXPECT_EQ(c.m.baseRtfte, d("5000"));

    CadenaMontos s = cadena();
    s.nuevoAcreedor(Dinero(), Dinero(), true);
    s.cambieBase(0, d("10000"));
    s.continuarBases(false);
    EXPECT_EQ(s.m.ivaMonto, d("950")) << "régimen simplificado: la mitad del IVA de las bases";
    EXPECT_EQ(s.m.rtivaMonto, d("950"));
    EXPECT_FALSE(s.baseDesdeBases());
}

// An IVA or prompt-payment amount typed by hand stays through rate edits,
// rete-IVA follows the typed IVA, and on save each becomes its rate; typing
// 0 releases it to its rate again.
TEST(CadenaMontos, IvaYPagoOportunoDigitadosVuelvenTasa) {
    struct Caso {
        const char* iva;
        const char* dtof;
        const char* ivaPorc;
        const char* ivaMonto;
        const char* rtiva;
        const char* dtofPorc;
        const char* dtofMonto;
    };
    const Caso casos[] = {
        {"200000", "5000", "10", "200000", "30000", "0.25", "5000"},
        {"0", "0", "16", "320000", "48000", "2", "40000"},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.iva);
        CadenaMontos c = cadena();
        c.cambieTasaIva(d("19"));
        c.cambieTasa(Retencion::Iva, d("15"));
        c.cambieTasaDtof(d("1"));
        c.cambieSubTotal(d("2000000"));
        c.digiteIva(d(k.iva));
        c.digiteDtof(d(k.dtof));
        c.cambieTasaIva(d("16"));
        c.cambieTasaDtof(d("2"));
        c.tasasDesdeMontos();
        EXPECT_EQ(c.m.ivaPorc, d(k.ivaPorc));
        EXPECT_EQ(c.m.ivaMonto, d(k.ivaMonto));
        EXPECT_EQ(c.m.rtivaMonto, d(k.rtiva));
        EXPECT_EQ(c.m.dtofPorc, d(k.dtofPorc));
        EXPECT_EQ(c.m.dtofMonto, d(k.dtofMonto));
    }
}
