#include "Imprimir.h"

#include "base/Redondeo.h"

#include <gtest/gtest.h>
#include <limits>

using cxp::Dinero;

namespace {

struct Caso
{
    const char *valor;
    int potencia;
    const char *esperado;
};

void comprobar(Dinero (*f)(Dinero, int), std::initializer_list<Caso> casos)
{
    for (const Caso &c : casos)
        EXPECT_EQ(f(D(c.valor), c.potencia), D(c.esperado)) << c.valor << " at 10^" << c.potencia;
}

TEST(Redondeo, ReglaRLlevaLosEmpatesAlPar)
{
    comprobar(cxp::redondearR, {
        {"2.5", 0, "2"}, {"3.5", 0, "4"}, {"-2.5", 0, "-2"}, {"-3.5", 0, "-4"},
        {"2.4", 0, "2"}, {"2.6", 0, "3"}, {"-2.6", 0, "-3"}, {"2.5001", 0, "3"},
        {"250", 2, "200"}, {"350", 2, "400"}, {"-250", 2, "-200"}, {"19050", 2, "19000"}, {"19150", 2, "19200"},
        {"15", 1, "20"}, {"25", 1, "20"}, {"2500", 3, "2000"},
        {"0.125", -2, "0.12"}, {"0.135", -2, "0.14"}, {"1.005", -2, "1"}, {"0.0015", -3, "0.002"}, {"0.0025", -3, "0.002"},
        {"1.2345", -4, "1.2345"}, {"1.2345", -9, "1.2345"},
        {"250000000000000", 14, "200000000000000"}, {"500000000000000", 15, "0"},
        {"922337203685477", 16, "0"}, {"5", 100, "0"}});
    // Rounding up past the largest value must not wrap.
    EXPECT_THROW(cxp::redondearR(Dinero::desdeCrudo(std::numeric_limits<int64_t>::max()), 0), std::overflow_error);
    EXPECT_THROW(cxp::redondearR(D("600000000000000"), 15), std::overflow_error);
}

// Positive halves always go up; a negative half has fraction -0.5, not 0.5,
// so it rounds to even like any other tie.
TEST(Redondeo, RedondearSubeLasMitadesPositivasYLasNegativasVanAlPar)
{
    comprobar(cxp::Redondear, {
        {"1234.5", 0, "1235"}, {"1234.56", 2, "1200"}, {"0.125", -2, "0.13"}, {"1.005", -2, "1.01"},
        {"2.5", 0, "3"}, {"3.5", 0, "4"}, {"250", 2, "300"}, {"350", 2, "400"},
        {"-2.5", 0, "-2"}, {"-3.5", 0, "-4"}, {"-250", 2, "-200"}, {"-350", 2, "-400"}, {"-0.125", -2, "-0.12"},
        {"2.4", 0, "2"}, {"2.6", 0, "3"}, {"-2.4", 0, "-2"}, {"-2.6", 0, "-3"},
        {"0.0001", -4, "0.0001"}, {"-500000000000000", 15, "0"}});
    EXPECT_THROW(cxp::Redondear(D("500000000000000"), 15), std::overflow_error);
}

} // namespace
