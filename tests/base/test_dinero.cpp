#include "Imprimir.h"

#include "base/Dinero.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>
#include <limits>

using cxp::Dinero;

namespace {

const Dinero maximo = Dinero::desdeCrudo(std::numeric_limits<int64_t>::max());
const Dinero minimo = Dinero::desdeCrudo(std::numeric_limits<int64_t>::min());
const Dinero diezmilesima = Dinero::desdeCrudo(1);

TEST(Dinero, EscalaDeFirebirdEnAmbosSentidos)
{
    EXPECT_EQ(Dinero::desdeEscalado(1234, -2), D("12.34"));
    EXPECT_EQ(Dinero::desdeEscalado(12345, -5), D("0.1234"));      // tie to even
    EXPECT_EQ(Dinero::desdeEscalado(12355, -5), D("0.1236"));
    EXPECT_EQ(Dinero::desdeEscalado(12345001, -8), D("0.1235"));   // not a tie
    EXPECT_EQ(Dinero::desdeEscalado(std::numeric_limits<int64_t>::max(), -18), D("9.2234"));
    EXPECT_THROW(Dinero::desdeEscalado(std::numeric_limits<int64_t>::max(), 0), std::overflow_error);
    EXPECT_EQ(Dinero::desdeEntero(922337203685477).crudo(), 9223372036854770000);
    EXPECT_THROW(Dinero::desdeEntero(922337203685478), std::overflow_error);

    EXPECT_EQ(D("12.345").escalado(-2), 1234);
    EXPECT_EQ(D("12.355").escalado(-2), 1236);
    EXPECT_EQ(D("-12.355").escalado(-2), -1236);
    EXPECT_EQ(D("1.5").escalado(-6), 1500000);
    EXPECT_EQ(D("-0.0001").escalado(-4), -1);
    EXPECT_THROW(maximo.escalado(-6), std::overflow_error);
}

TEST(Dinero, LeeTextoConMilesYRedondeaMasDeCuatroDecimales)
{
    const std::pair<const char *, int64_t> validos[] = {
        {"-1234.5", -12345000}, {"1,234.50", 12345000}, {"+7", 70000}, {".5", 5000}, {"5.", 50000},
        {"  12 ", 120000}, {"-0", 0}, {"1,234,567.8901", 12345678901},
        {"922337203685477.5807", std::numeric_limits<int64_t>::max()},
        {"-922,337,203,685,477.5808", std::numeric_limits<int64_t>::min()},
        {"0.00005", 0}, {"0.00015", 2}, {"0.000050001", 1}, {"-0.00015", -2}, {"1.99995", 20000}};
    for (auto [texto, crudo] : validos) {
        const auto d = Dinero::desdeTexto(QString::fromLatin1(texto));
        ASSERT_TRUE(d.has_value()) << texto;
        EXPECT_EQ(d->crudo(), crudo) << texto;
    }
    const char *invalidos[] = {"", " ", "-", ".", "abc", "12a", "1e5", "1,5", "12,34", "1234,567",
                               ",123", "1,,234", "1.2.3", "--1", "1 234", "0x10", "1.2,3",
                               "922337203685477.5808", "99999999999999999999999999999999999"};
    for (const char *texto : invalidos)
        EXPECT_FALSE(Dinero::desdeTexto(QString::fromLatin1(texto)).has_value()) << texto;
    EXPECT_FALSE(Dinero::desdeTexto(u"\u0661\u0662").has_value());  // non-ASCII digits
}

// Amounts as typed in Colombia: what can only mean one thing is read so;
// a lone separator before three digits keeps the program's rule, flagged.
TEST(Dinero, LeeLoQueElAuxiliarTeclea)
{
    const struct {
        const char *texto;
        int64_t crudo;
        bool ambiguo;
    } casos[] = {
        {"1.500.000", 15000000000, false},  {"1.500.000,50", 15000005000, false},
        {"1,500,000.50", 15000005000, false}, {"1500,50", 15005000, false},
        {"-12.345,6", -123456000, false},   {"1500", 15000000, false},
        {"1.5", 15000, false},              {"1.500", 15000, true},
        {"1,500", 15000000, true},          {"-2.250", -22500, true},
        {"1234.567", 12345670, false},
    };
    for (const auto &c : casos) {
        bool ambiguo = !c.ambiguo;
        const auto d = Dinero::desdeTextoTecleado(QString::fromLatin1(c.texto), &ambiguo);
        ASSERT_TRUE(d.has_value()) << c.texto;
        EXPECT_EQ(d->crudo(), c.crudo) << c.texto;
        EXPECT_EQ(ambiguo, c.ambiguo) << c.texto;
    }
    for (const char *texto : {"1.50.000", "1,500.000,5", "1.500,000.5", "1..5", "1.500.000,5,0", "abc"})
        EXPECT_FALSE(Dinero::desdeTextoTecleado(QString::fromLatin1(texto)).has_value()) << texto;
}

TEST(Dinero, SumasExactasYDesbordamientoDetectado)
{
    EXPECT_EQ(D("0.1") + D("0.2"), D("0.3"));
    EXPECT_EQ(maximo - maximo + minimo, minimo);
    EXPECT_THROW(maximo + diezmilesima, std::overflow_error);
    EXPECT_THROW(minimo - diezmilesima, std::overflow_error);
    EXPECT_THROW(-minimo, std::overflow_error);
    EXPECT_THROW(minimo.abs(), std::overflow_error);
    EXPECT_THROW(maximo * 2, std::overflow_error);
    EXPECT_THROW(Dinero::desdeEntero(1000000000) * Dinero::desdeEntero(1000000000), std::overflow_error);
    EXPECT_THROW(minimo / -1, std::overflow_error);

    EXPECT_LT(D("-1"), Dinero());
    EXPECT_GT(diezmilesima, Dinero());
    EXPECT_EQ(D("-3.5").abs(), D("3.5"));
    EXPECT_EQ(D("-3.5").signo(), -1);
    EXPECT_EQ(Dinero().signo(), 0);
    EXPECT_TRUE(D("-0.0000").esCero());
}

TEST(Dinero, ProductosYCocientesRedondeanUnaVezAlPar)
{
    // Raw product far beyond int64, result within range.
    EXPECT_EQ(Dinero::desdeEntero(900000000000) * Dinero::desdeEntero(1000), Dinero::desdeEntero(900000000000000));
    EXPECT_EQ(D("1.2345") * D("1.1"), D("1.358"));    // 1.35795
    EXPECT_EQ(D("0.0005") * D("0.5"), D("0.0002"));   // 0.00025
    EXPECT_EQ(D("0.0003") * D("0.5"), D("0.0002"));   // 0.00015
    EXPECT_EQ(D("-0.0003") * D("0.5"), D("-0.0002"));
    EXPECT_EQ(D("1") / D("3"), D("0.3333"));
    EXPECT_EQ(D("-2") / D("3"), D("-0.6667"));
    EXPECT_EQ(D("0.0001") / D("0.0002"), D("0.5"));
    EXPECT_EQ(D("0.0001") / 2, Dinero());
    EXPECT_EQ(D("0.0003") / 2, D("0.0002"));
    EXPECT_EQ(D("0.0003") / -2, D("-0.0002"));
    EXPECT_THROW(D("900000000000000") / D("0.5"), std::overflow_error);
    EXPECT_THROW(D("1") / Dinero(), std::domain_error);
    EXPECT_THROW(D("1") / 0, std::domain_error);
    EXPECT_THROW(D("1").multiplicarDividir(D("1"), 0), std::domain_error);

    // base × rate / 100 rounds once: two roundings would give 0.0002.
    EXPECT_EQ(D("0.1495").porcentaje(D("0.1")), D("0.0001"));
    EXPECT_EQ((D("0.1495") * D("0.1")) / 100, D("0.0002"));
    EXPECT_EQ(D("1000000").porMil(D("6.9")), D("6900"));
}

TEST(Dinero, TextoConMilesYPlanoSinCeros)
{
    EXPECT_EQ(D("1234567.891").texto(), "1,234,567.89");
    EXPECT_EQ(D("-1234567.895").texto(), "-1,234,567.90");
    EXPECT_EQ(D("-1234567.885").texto(), "-1,234,567.88");
    EXPECT_EQ(D("999.995").texto(), "1,000.00");
    EXPECT_EQ(D("-0.005").texto(), "0.00");   // rounds to zero: no sign
    EXPECT_EQ(D("-0.0051").texto(), "-0.01");
    EXPECT_EQ(D("1234.5").texto(0), "1,234");
    EXPECT_EQ(D("1235.5").texto(0), "1,236");
    EXPECT_EQ(D("1.5").texto(6), "1.500000");
    EXPECT_EQ(minimo.texto(4), "-922,337,203,685,477.5808");
    EXPECT_THROW(D("1").texto(-1), std::invalid_argument);

    EXPECT_EQ(D("1234.5000").textoPlano(), "1234.5");
    EXPECT_EQ(D("-0.0001").textoPlano(), "-0.0001");
    EXPECT_EQ(Dinero().textoPlano(), "0");
    EXPECT_EQ(minimo.textoPlano(), "-922337203685477.5808");
}

TEST(Dinero, NoDependeDelLocaleDeLaMaquina)
{
    const QLocale anterior;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Colombia));
    const std::string cAnterior = std::setlocale(LC_ALL, nullptr);
    for (const char *nombre : {"es_CO.UTF-8", "es_ES.UTF-8", "de_DE.UTF-8"})
        if (std::setlocale(LC_ALL, nombre))
            break;
    ASSERT_EQ(QLocale().decimalPoint(), ",");  // the test really runs under a comma locale

    EXPECT_EQ(D("-1234567.89").texto(), "-1,234,567.89");
    EXPECT_EQ(D("1234.5").textoPlano(), "1234.5");
    EXPECT_EQ(Dinero::desdeTexto(u"1,234.50"), D("1234.5"));
    EXPECT_FALSE(Dinero::desdeTexto(u"1.234,50").has_value());

    std::setlocale(LC_ALL, cAnterior.c_str());
    QLocale::setDefault(anterior);
}

} // namespace
