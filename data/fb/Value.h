#pragma once
// A value read from or written to Firebird. Exact numerics travel as an
// unscaled int64 with Firebird's (non-positive) scale; never as double.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <variant>

namespace fb {

struct Decimal {
    int64_t unscaled = 0;
    int scale = 0;  // 0 or negative: 1234 with scale -2 is 12.34
    friend bool operator==(const Decimal&, const Decimal&) = default;
    // Same number at another scale; throws std::overflow_error when it does
    // not fit and std::domain_error when digits would be lost.
    Decimal rescaled(int newScale) const;
    QString toString() const;  // "12.34", "-0.05"
};

class Value {
public:
    using Storage = std::variant<std::monostate, int64_t, Decimal, double, bool, QString,
                                 QByteArray, QDate, QTime, QDateTime>;

    Value() = default;
    Value(std::nullptr_t) {}
    Value(int v) : v_(int64_t(v)) {}
    Value(int64_t v) : v_(v) {}
    Value(Decimal v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(bool v) : v_(v) {}
    Value(const QString& v) : v_(v) {}
    Value(const char* v) : v_(QString::fromUtf8(v)) {}
    Value(const QByteArray& v) : v_(v) {}
    Value(const QDate& v) { if (v.isValid()) v_ = v; }
    Value(const QTime& v) { if (v.isValid()) v_ = v; }
    Value(const QDateTime& v) { if (v.isValid()) v_ = v; }

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    const Storage& storage() const { return v_; }

    template <typename T> bool is() const { return std::holds_alternative<T>(v_); }

    // Conversions are strict where precision could be lost; they throw
    // std::invalid_argument when the value is of an unrelated kind.
    QString toString() const;      // null gives an empty string
    int64_t toInt64() const;       // integers; decimals only when exact
    Decimal toDecimal() const;     // integers and decimals
    double toDouble() const;
    bool toBool() const;
    QDate toDate() const;
    QTime toTime() const;
    QDateTime toDateTime() const;
    QByteArray toBytes() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    Storage v_;
};

}  // namespace fb
