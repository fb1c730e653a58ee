#pragma once
// Money and exact decimals: fixed point with four decimals held as int64
// ten-thousandths. The database keeps money as numeric(15,2) and percentages as
// numeric(15,4); both fit exactly. No double on any path.
#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>
#include <optional>

namespace cxp {

class Dinero
{
public:
    static constexpr int decimales = 4;
    static constexpr int64_t unidad = 10000;  // raw value of 1

    constexpr Dinero() = default;

    static constexpr Dinero desdeCrudo(int64_t diezmilesimas) { return Dinero(diezmilesimas); }
    // Throws std::overflow_error beyond ±922,337,203,685,477.
    static Dinero desdeEntero(int64_t valor);
    // valor × 10^escala as Firebird hands a NUMERIC over (escala -2: 1234 → 12.34).
    // A scale finer than four decimals rounds half to even.
    static Dinero desdeEscalado(int64_t valor, int escala);
    // "-1234.5", "1,234.50", "+7", ".5". Thousands commas must group by three
    // ("1,5" is refused, it is a comma typed as decimal point). More than four
    // decimals round half to even. Surrounding spaces are ignored. Garbage,
    // exponents and values beyond the int64 range give nullopt.
    static std::optional<Dinero> desdeTexto(QStringView texto);
    // An amount as a clerk types it: separators that can only mean one
    // thing are read as meant ("1.500.000" and "1.500.000,50" with dots for
    // thousands, "1,500,000.50", "1500,50"); a lone separator before three
    // digits ("1.500", "1,500") keeps the program's rule (dot decimal, comma
    // thousands) and sets *ambiguo.
    static std::optional<Dinero> desdeTextoTecleado(QStringView texto, bool* ambiguo = nullptr);

    constexpr int64_t crudo() const { return v_; }
    // The value as an integer at a Firebird scale (-2 for money, -4 for
    // percentages): exact, or rounded half to even if digits would be lost.
    int64_t escalado(int escala) const;

    bool esCero() const { return v_ == 0; }
    int signo() const { return (v_ > 0) - (v_ < 0); }
    Dinero abs() const;

    Dinero operator-() const;
    Dinero &operator+=(Dinero o);
    Dinero &operator-=(Dinero o);
    Dinero &operator*=(Dinero o) { return *this = *this * o; }
    Dinero &operator*=(int64_t n) { return *this = *this * n; }
    Dinero &operator/=(Dinero o) { return *this = *this / o; }
    Dinero &operator/=(int64_t n) { return *this = *this / n; }

    friend Dinero operator+(Dinero a, Dinero b) { return a += b; }
    friend Dinero operator-(Dinero a, Dinero b) { return a -= b; }
    // Products and quotients are exact in 128 bits and rounded once, half to
    // even, to four decimals. Division by zero throws std::domain_error.
    friend Dinero operator*(Dinero a, Dinero b);
    friend Dinero operator*(Dinero a, int64_t n);
    friend Dinero operator*(int64_t n, Dinero a) { return a * n; }
    friend Dinero operator/(Dinero a, Dinero b);
    friend Dinero operator/(Dinero a, int64_t n);

    // this × factor / divisor with a single rounding; base.porcentaje(tasa)
    // is base × tasa / 100 and base.porMil(tasa) base × tasa / 1000 (rete-ICA).
    Dinero multiplicarDividir(Dinero factor, int64_t divisor) const;
    Dinero porcentaje(Dinero tasa) const { return multiplicarDividir(tasa, 100); }
    Dinero porMil(Dinero tasa) const { return multiplicarDividir(tasa, 1000); }

    friend constexpr bool operator==(const Dinero &, const Dinero &) = default;
    friend constexpr auto operator<=>(const Dinero &, const Dinero &) = default;

    // "-1,234,567.89": "," thousands, "." decimals, rounded half to even to
    // the decimals shown (more than four are padded with zeros).
    QString texto(int decimales = 2) const;
    // For SQL and files: "1234.5", "-0.0001", "12"; no thousands, no trailing zeros.
    QString textoPlano() const;

private:
    constexpr explicit Dinero(int64_t crudo) : v_(crudo) {}
    int64_t v_ = 0;
};

} // namespace cxp
