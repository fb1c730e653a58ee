#include "base/NumeroALetras.h"

#include "base/Redondeo.h"

namespace cxp {

namespace {

const char* const kCentenas[] = {"",           "",            "DOSCIENTOS ", "TRESCIENTOS ", "CUATROCIENTOS ",
                                 "QUINIENTOS ", "SEISCIENTOS ", "SETECIENTOS ", "OCHOCIENTOS ", "NOVECIENTOS "};
const char* const kDiez[] = {"DIEZ ", "ONCE ", "DOCE ", "TRECE ", "CATORCE ", "QUINCE "};
const char* const kDecenas[] = {"", "", "", "TREINTA ", "CUARENTA ", "CINCUENTA ", "SESENTA ", "SETENTA ", "OCHENTA ",
                                "NOVENTA "};
const char* const kUnidades[] = {"", "UN ", "DOS ", "TRES ", "CUATRO ", "CINCO ", "SEIS ", "SIETE ", "OCHO ", "NUEVE "};

// One group of three digits, each word followed by a space.
QString grupo(int n) {
    const int c = n / 100, d = n / 10 % 10, u = n % 10;
    QString t;
    if (c == 1)
        t += (d != 0 || u != 0) ? QStringLiteral("CIENTO ") : QStringLiteral("CIEN ");
    else
        t += QLatin1String(kCentenas[c]);
    if (d == 1)
        t += u <= 5 ? QLatin1String(kDiez[u]) : QLatin1String("DIECI");  // DIECI + SEIS
    else if (d == 2)
        t += u != 0 ? QLatin1String("VEINTI") : QLatin1String("VEINTE ");
    else
        t += QLatin1String(kDecenas[d]);
    if (d >= 3 && u > 0) t += QLatin1String("Y ");
    if (u >= 6 || (u >= 1 && d != 1)) t += QLatin1String(kUnidades[u]);
    return t;
}

}  // namespace

QString numero_a_letras(const Dinero& valor, const QString& moneda, const QString& fraccion, const QString& cierre) {
    if (valor.signo() <= 0) return {};
    // Whole cents first, so that a fraction rounding up to 100 cents carries
    // into the pesos.
    const int64_t centavosTotales = redondearR(valor, -2).crudo() / (Dinero::unidad / 100);
    const int64_t entero = centavosTotales / 100;
    const int centavos = int(centavosTotales % 100);

    const int billones = int(entero / 1000000000000LL);  // 10^12 and up (at most 922)
    const int milesDeMillones = int(entero / 1000000000 % 1000);
    const int millones = int(entero / 1000000 % 1000);
    const int miles = int(entero / 1000 % 1000);
    const int unidades = int(entero % 1000);

    QString t;
    if (billones != 0) t += grupo(billones) + (billones == 1 ? QStringLiteral("BILLON ") : QStringLiteral("BILLONES "));
    if (milesDeMillones != 0) t += grupo(milesDeMillones) + QStringLiteral("MIL ");
    // 5 000 000 000 reads CINCO MIL MILLONES: the word follows a zero group
    // when thousands of millions stand before it.
    if (millones != 0 || milesDeMillones != 0)
        t += grupo(millones) + (millones == 1 ? QStringLiteral("MILLON ") : QStringLiteral("MILLONES "));
    if (miles != 0) t += grupo(miles) + QStringLiteral("MIL ");
    t += grupo(unidades);

    if (t.endsWith(QLatin1String("MILLON ")) || t.endsWith(QLatin1String("MILLONES ")) ||
        t.endsWith(QLatin1String("BILLON ")) || t.endsWith(QLatin1String("BILLONES ")))
        t += QLatin1String("DE ");
    t += moneda + QLatin1Char(' ');
    if (centavos > 0) t += QString::number(centavos) + QLatin1Char(' ') + fraccion;
    t += QLatin1Char(' ') + cierre;
    return t;
}

}  // namespace cxp
