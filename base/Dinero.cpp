#include "base/Dinero.h"

#include "base/Int128.h"

#include <QList>
#include <stdexcept>

namespace cxp {

using int128::Int128;

Dinero Dinero::desdeEntero(int64_t valor)
{
    return Dinero(int128::rescale(valor, decimales));
}

Dinero Dinero::desdeEscalado(int64_t valor, int escala)
{
    return Dinero(int128::rescale(valor, decimales + escala));
}

int64_t Dinero::escalado(int escala) const
{
    return int128::rescale(v_, -escala - decimales);
}

namespace {

bool esDigito(QChar c) { return c >= u'0' && c <= u'9'; }  // ASCII only

// Integer part with optional thousands commas: "1234" or "1,234,567".
bool parteEnteraValida(QStringView s)
{
    if (!s.contains(u','))
        return true;
    const auto grupos = s.split(u',');
    for (qsizetype i = 0; i < grupos.size(); ++i) {
        const auto n = grupos[i].size();
        if (i == 0 ? (n < 1 || n > 3) : n != 3)
            return false;
    }
    return true;
}

} // namespace

std::optional<Dinero> Dinero::desdeTextoTecleado(QStringView texto, bool* ambiguo)
{
    if (ambiguo)
        *ambiguo = false;
    QString t = texto.trimmed().toString();
    const qsizetype puntos = t.count(u'.');
    const qsizetype comas = t.count(u',');
    const auto cambiar = [&t](QChar miles, QChar decimal) {
        for (QChar& c : t)
            c = c == miles ? u',' : c == decimal ? u'.' : c;
    };
    if (puntos > 0 && comas > 0) {
        // The last separator is the decimal one.
        if (t.lastIndexOf(u',') > t.lastIndexOf(u'.')) {
            if (comas > 1)
                return std::nullopt;
            cambiar(u'.', u',');
        } else if (puntos > 1) {
            return std::nullopt;
        }
    } else if (puntos > 1) {
        cambiar(u'.', QChar());  // dots for thousands only
    } else if (comas == 1 && t.size() - t.indexOf(u',') - 1 != 3) {
        cambiar(QChar(), u',');  // a decimal comma: "1500,50"
    } else if ((puntos == 1 || comas == 1) && ambiguo) {
        const qsizetype sep = puntos == 1 ? t.indexOf(u'.') : t.indexOf(u',');
        QStringView antes = QStringView(t).left(sep);
        if (!antes.isEmpty() && (antes.front() == u'-' || antes.front() == u'+'))
            antes = antes.mid(1);
        *ambiguo = t.size() - sep - 1 == 3 && antes.size() >= 1 && antes.size() <= 3;
    }
    return desdeTexto(t);
}

std::optional<Dinero> Dinero::desdeTexto(QStringView texto)
{
    QStringView s = texto.trimmed();
    bool negativo = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negativo = s.front() == u'-';
        s = s.mid(1);
    }
    const qsizetype punto = s.indexOf(u'.');
    const QStringView entera = punto < 0 ? s : s.left(punto);
    const QStringView fraccion = punto < 0 ? QStringView() : s.mid(punto + 1);
    if (entera.isEmpty() && fraccion.isEmpty())
        return std::nullopt;
    if (!parteEnteraValida(entera))
        return std::nullopt;

    constexpr Int128 tope = Int128(1) << 100;  // far beyond int64, never overflows
    Int128 crudo = 0;
    for (QChar c : entera) {
        if (c == u',')
            continue;
        if (!esDigito(c))
            return std::nullopt;
        crudo = crudo * 10 + (c.unicode() - u'0');
        if (crudo > tope)
            return std::nullopt;
    }
    // Four decimals exact; the fifth decides the rounding, any later non-zero
    // digit breaks a tie.
    int primeroPerdido = 0;
    bool restoNoCero = false;
    for (qsizetype i = 0; i < fraccion.size(); ++i) {
        const QChar c = fraccion[i];
        if (!esDigito(c))
            return std::nullopt;
        const int d = c.unicode() - u'0';
        if (i < decimales)
            crudo = crudo * 10 + d;
        else if (i == decimales)
            primeroPerdido = d;
        else
            restoNoCero = restoNoCero || d != 0;
    }
    for (qsizetype i = fraccion.size(); i < decimales; ++i)
        crudo *= 10;
    if (primeroPerdido > 5 || (primeroPerdido == 5 && (restoNoCero || crudo % 2 != 0)))
        ++crudo;
    if (negativo)
        crudo = -crudo;
    if (!int128::fitsInt64(crudo))
        return std::nullopt;
    return Dinero(static_cast<int64_t>(crudo));
}

Dinero Dinero::abs() const
{
    return v_ < 0 ? -*this : *this;
}

Dinero Dinero::operator-() const
{
    return Dinero(int128::narrow(-Int128(v_)));
}

Dinero &Dinero::operator+=(Dinero o)
{
    if (__builtin_add_overflow(v_, o.v_, &v_))
        throw std::overflow_error("Dinero: overflow in addition");
    return *this;
}

Dinero &Dinero::operator-=(Dinero o)
{
    if (__builtin_sub_overflow(v_, o.v_, &v_))
        throw std::overflow_error("Dinero: overflow in subtraction");
    return *this;
}

Dinero operator*(Dinero a, Dinero b)
{
    return Dinero(int128::narrow(int128::divideHalfEven(Int128(a.v_) * b.v_, Dinero::unidad)));
}

Dinero operator*(Dinero a, int64_t n)
{
    return Dinero(int128::narrow(Int128(a.v_) * n));
}

Dinero operator/(Dinero a, Dinero b)
{
    return Dinero(int128::narrow(int128::divideHalfEven(Int128(a.v_) * Dinero::unidad, b.v_)));
}

Dinero operator/(Dinero a, int64_t n)
{
    return Dinero(int128::narrow(int128::divideHalfEven(a.v_, n)));
}

Dinero Dinero::multiplicarDividir(Dinero factor, int64_t divisor) const
{
    const Int128 divisorCrudo = Int128(divisor) * unidad;
    return Dinero(int128::narrow(int128::divideHalfEven(Int128(v_) * factor.v_, divisorCrudo)));
}

QString Dinero::texto(int decimales) const
{
    if (decimales < 0)
        throw std::invalid_argument("Dinero::texto: negative number of decimals");
    const int mostrados = std::min(decimales, Dinero::decimales);
    const Int128 escala = int128::pow10(mostrados);
    const Int128 redondeado = int128::divideHalfEven(v_, int128::pow10(Dinero::decimales - mostrados));
    const Int128 absoluto = int128::abs(redondeado);

    const QString digitos = QString::number(static_cast<quint64>(absoluto / escala));
    QString r;
    r.reserve(digitos.size() * 4 / 3 + decimales + 2);
    if (redondeado < 0)  // a value rounding to zero shows no sign
        r += u'-';
    for (qsizetype i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0)
            r += u',';
        r += digitos[i];
    }
    if (decimales > 0) {
        r += u'.';
        r += QString::number(static_cast<quint64>(absoluto % escala)).rightJustified(mostrados, u'0');
        r += QString(decimales - mostrados, u'0');
    }
    return r;
}

QString Dinero::textoPlano() const
{
    const Int128 absoluto = int128::abs(v_);
    QString r = QString::number(static_cast<quint64>(absoluto / unidad));
    if (v_ < 0)
        r.prepend(u'-');
    if (const auto fraccion = static_cast<quint64>(absoluto % unidad); fraccion != 0) {
        QString f = QString::number(fraccion).rightJustified(Dinero::decimales, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        r += u'.' + f;
    }
    return r;
}

} // namespace cxp
