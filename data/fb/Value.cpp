#include "data/fb/Value.h"

#include <limits>
#include <stdexcept>

namespace fb {

namespace {
int64_t pow10(int n) {
    int64_t r = 1;
    for (int i = 0; i < n; ++i) r *= 10;
    return r;
}
}  // namespace

Decimal Decimal::rescaled(int newScale) const {
    if (newScale == scale) return *this;
    if (newScale < scale) {  // more decimals: multiply
        const int shift = scale - newScale;
        if (shift > 18) throw std::overflow_error("Decimal: escala fuera de rango");
        __int128 v = __int128(unscaled) * pow10(shift);
        if (v > std::numeric_limits<int64_t>::max() || v < std::numeric_limits<int64_t>::min())
            throw std::overflow_error("Decimal: el valor no cabe en la escala pedida");
        return {int64_t(v), newScale};
    }
    const int shift = newScale - scale;
    if (shift > 18) {
        if (unscaled != 0) throw std::domain_error("Decimal: se perderían dígitos");
        return {0, newScale};
    }
    const int64_t p = pow10(shift);
    if (unscaled % p != 0) throw std::domain_error("Decimal: se perderían dígitos");
    return {unscaled / p, newScale};
}

QString Decimal::toString() const {
    if (scale >= 0) {
        QString s = QString::number(unscaled);
        for (int i = 0; i < scale; ++i) s += QLatin1Char('0');
        return s;
    }
    const bool negative = unscaled < 0;
    // Work on the unsigned magnitude: -INT64_MIN does not fit in int64.
    uint64_t mag = negative ? uint64_t(0) - uint64_t(unscaled) : uint64_t(unscaled);
    QString digits = QString::number(mag);
    const int d = -scale;
    while (digits.size() <= d) digits.prepend(QLatin1Char('0'));
    QString s = digits.left(digits.size() - d) + QLatin1Char('.') + digits.right(d);
    return negative ? QLatin1Char('-') + s : s;
}

QString Value::toString() const {
    return std::visit(
        [](const auto& v) -> QString {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) return {};
            else if constexpr (std::is_same_v<T, int64_t>) return QString::number(v);
            else if constexpr (std::is_same_v<T, Decimal>) return v.toString();
            else if constexpr (std::is_same_v<T, double>) return QString::number(v, 'g', 17);
            else if constexpr (std::is_same_v<T, bool>) return v ? QStringLiteral("true") : QStringLiteral("false");
            else if constexpr (std::is_same_v<T, QString>) return v;
            else if constexpr (std::is_same_v<T, QByteArray>) return QString::fromLatin1(v);
            else if constexpr (std::is_same_v<T, QDate>) return v.toString(QStringLiteral("yyyy/MM/dd"));
            else if constexpr (std::is_same_v<T, QTime>) return v.toString(QStringLiteral("HH:mm:ss"));
            else return v.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        },
        v_);
}

static std::invalid_argument wrongKind(const char* wanted) {
    return std::invalid_argument(std::string("fb::Value: no es ") + wanted);
}

int64_t Value::toInt64() const {
    if (auto p = std::get_if<int64_t>(&v_)) return *p;
    if (auto p = std::get_if<Decimal>(&v_)) return p->rescaled(0).unscaled;
    if (auto p = std::get_if<bool>(&v_)) return *p ? 1 : 0;
    if (isNull()) return 0;
    throw wrongKind("un entero");
}

Decimal Value::toDecimal() const {
    if (auto p = std::get_if<Decimal>(&v_)) return *p;
    if (auto p = std::get_if<int64_t>(&v_)) return {*p, 0};
    if (isNull()) return {};
    throw wrongKind("un número exacto");
}

double Value::toDouble() const {
    if (auto p = std::get_if<double>(&v_)) return *p;
    if (auto p = std::get_if<int64_t>(&v_)) return double(*p);
    if (auto p = std::get_if<Decimal>(&v_)) return p->toString().toDouble();
    if (isNull()) return 0;
    throw wrongKind("un número");
}

bool Value::toBool() const {
    if (auto p = std::get_if<bool>(&v_)) return *p;
    if (auto p = std::get_if<int64_t>(&v_)) return *p != 0;
    if (isNull()) return false;
    throw wrongKind("un lógico");
}

QDate Value::toDate() const {
    if (auto p = std::get_if<QDate>(&v_)) return *p;
    if (auto p = std::get_if<QDateTime>(&v_)) return p->date();
    if (isNull()) return {};
    throw wrongKind("una fecha");
}

QTime Value::toTime() const {
    if (auto p = std::get_if<QTime>(&v_)) return *p;
    if (auto p = std::get_if<QDateTime>(&v_)) return p->time();
    if (isNull()) return {};
    throw wrongKind("una hora");
}

QDateTime Value::toDateTime() const {
    if (auto p = std::get_if<QDateTime>(&v_)) return *p;
    if (auto p = std::get_if<QDate>(&v_)) return QDateTime(*p, QTime(0, 0));
    if (isNull()) return {};
    throw wrongKind("una fecha y hora");
}

QByteArray Value::toBytes() const {
    if (auto p = std::get_if<QByteArray>(&v_)) return *p;
    if (auto p = std::get_if<QString>(&v_)) return p->toUtf8();
    if (isNull()) return {};
    throw wrongKind("binario");
}

}  // namespace fb
