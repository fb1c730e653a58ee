#include "Imprimir.h"

#include "base/NumeroALetras.h"

#include <gtest/gtest.h>

namespace {

QString letras(const char* valor) {
    return cxp::numero_a_letras(D(valor), QStringLiteral("PESOS"), QStringLiteral("CENTAVOS"), QStringLiteral("M/CTE"));
}

// The words before the currency word, without the ending.
QString palabras(const char* valor) {
    const QString t = letras(valor);
    return t.left(t.indexOf(QLatin1String("PESOS"))).trimmed();
}

TEST(NumeroALetras, EjemplosConMonedaCentavosYCierre) {
    EXPECT_EQ(letras("1250000.50"), "UN MILLON DOSCIENTOS CINCUENTA MIL PESOS 50 CENTAVOS M/CTE");
    EXPECT_EQ(letras("2000000"), "DOS MILLONES DE PESOS  M/CTE");  // two spaces when there are no cents
    EXPECT_EQ(letras("1"), "UN PESOS  M/CTE");
    EXPECT_EQ(letras("0.07"), "PESOS 7 CENTAVOS M/CTE");
    EXPECT_EQ(cxp::numero_a_letras(D("15.25"), "DOLARES", "CENTS", "US"), "QUINCE DOLARES 25 CENTS US");
}

TEST(NumeroALetras, CeroYNegativosNoSeEscriben) {
    EXPECT_EQ(letras("0"), "");
    EXPECT_EQ(letras("-5"), "");
    EXPECT_EQ(letras("-0.01"), "");
}

TEST(NumeroALetras, UnidadesDecenasYCentenas) {
    const std::pair<const char*, const char*> casos[] = {
        {"2", "DOS"},          {"5", "CINCO"},          {"9", "NUEVE"},
        {"10", "DIEZ"},        {"11", "ONCE"},          {"15", "QUINCE"},
        {"16", "DIECISEIS"},   {"19", "DIECINUEVE"},    {"20", "VEINTE"},
        {"21", "VEINTIUN"},    {"22", "VEINTIDOS"},     {"26", "VEINTISEIS"},
        {"30", "TREINTA"},     {"31", "TREINTA Y UN"},  {"47", "CUARENTA Y SIETE"},
        {"99", "NOVENTA Y NUEVE"},
        {"100", "CIEN"},       {"101", "CIENTO UN"},    {"110", "CIENTO DIEZ"},
        {"116", "CIENTO DIECISEIS"}, {"120", "CIENTO VEINTE"}, {"200", "DOSCIENTOS"},
        {"555", "QUINIENTOS CINCUENTA Y CINCO"}, {"999", "NOVECIENTOS NOVENTA Y NUEVE"},
    };
    for (const auto& [valor, esperado] : casos) EXPECT_EQ(palabras(valor), esperado) << valor;
}

TEST(NumeroALetras, MilesYMillonesEnCadaFrontera) {
    const std::pair<const char*, const char*> casos[] = {
        {"1000", "UN MIL"},
        {"1001", "UN MIL UN"},
        {"21000", "VEINTIUN MIL"},
        {"100000", "CIEN MIL"},
        {"101000", "CIENTO UN MIL"},
        {"999999", "NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE"},
        {"1000000", "UN MILLON DE"},
        {"1000001", "UN MILLON UN"},
        {"1001000", "UN MILLON UN MIL"},
        {"2000000", "DOS MILLONES DE"},
        {"21000000", "VEINTIUN MILLONES DE"},
        {"999999999", "NOVECIENTOS NOVENTA Y NUEVE MILLONES NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE"},
        {"1000000000", "UN MIL MILLONES DE"},
        {"5000000000", "CINCO MIL MILLONES DE"},
        {"5000000001", "CINCO MIL MILLONES UN"},
        {"1001000000", "UN MIL UN MILLON DE"},
        {"5002000000", "CINCO MIL DOS MILLONES DE"},
        {"999999999999",
         "NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE MILLONES NOVECIENTOS NOVENTA Y NUEVE MIL "
         "NOVECIENTOS NOVENTA Y NUEVE"},
    };
    for (const auto& [valor, esperado] : casos) EXPECT_EQ(palabras(valor), esperado) << valor;
    EXPECT_EQ(letras("999999999999.99"),
              "NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE MILLONES NOVECIENTOS NOVENTA Y NUEVE MIL "
              "NOVECIENTOS NOVENTA Y NUEVE PESOS 99 CENTAVOS M/CTE");
}

TEST(NumeroALetras, LosCentavosSeRedondeanYLlevanAlEntero) {
    EXPECT_EQ(letras("10.125"), "DIEZ PESOS 12 CENTAVOS M/CTE");  // half to even
    EXPECT_EQ(letras("10.135"), "DIEZ PESOS 14 CENTAVOS M/CTE");
    EXPECT_EQ(letras("10.1251"), "DIEZ PESOS 13 CENTAVOS M/CTE");
    EXPECT_EQ(letras("0.995"), "UN PESOS  M/CTE");  // 100 cents are one peso
    EXPECT_EQ(letras("999999.9999"), "UN MILLON DE PESOS  M/CTE");
    EXPECT_EQ(letras("0.004"), "PESOS  M/CTE");
}

TEST(NumeroALetras, BillonesMasAllaDeLosMilesDeMillones) {
    EXPECT_EQ(palabras("1000000000000"), "UN BILLON DE");
    EXPECT_EQ(palabras("2000005000000"), "DOS BILLONES CINCO MILLONES DE");
    EXPECT_EQ(palabras("3001000000000"), "TRES BILLONES UN MIL MILLONES DE");
    EXPECT_EQ(palabras("922337203685477"),
              "NOVECIENTOS VEINTIDOS BILLONES TRESCIENTOS TREINTA Y SIETE MIL DOSCIENTOS TRES MILLONES SEISCIENTOS "
              "OCHENTA Y CINCO MIL CUATROCIENTOS SETENTA Y SIETE");
}

}  // namespace
