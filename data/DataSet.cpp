#include "data/DataSet.h"

#include "data/AvisoConsulta.h"

#include <firebird/Interface.h>

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <numeric>
#include <random>
#include <thread>

namespace cxp {

namespace detail {
struct Record {
    uint64_t id = 0;
    uint64_t owner = 0;  // id of the master row it belongs to; 0 for none
    std::vector<fb::Value> values;
    std::optional<std::vector<fb::Value>> original;  // as the database holds it; none while new
    // original was read from the database (not taken from our own write, to
    // which defaults and triggers may have added): an update or delete then
    // checks that the row still holds it.
    bool read = false;
};
}  // namespace detail

using detail::Record;

namespace {

std::atomic<uint64_t> nextRecordId{1};

std::unique_ptr<Record> makeRecord(size_t fields) {
    auto r = std::make_unique<Record>();
    r->id = nextRecordId++;
    r->values.resize(fields);
    return r;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

const fb::Value& nullValue() {
    static const fb::Value v;
    return v;
}

QString quoted(const QString& s) { return QStringLiteral("«%1»").arg(s); }

// ---- exact integers and decimals

enum class Rescale { Ok, Overflow, Lost };

// v with `from` decimals as the same number with `to` decimals.
Rescale rescale(int64_t v, int from, int to, int64_t& out) {
    __int128 x = v;
    if (to >= from) {
        for (int k = from; k < to; ++k) {
            x *= 10;
            if (x > INT64_MAX || x < INT64_MIN) return Rescale::Overflow;
        }
    } else {
        __int128 p = 1;
        for (int k = to; k < from; ++k) p *= 10;
        if (x % p != 0) return Rescale::Lost;
        x /= p;
    }
    out = int64_t(x);
    return Rescale::Ok;
}

bool fitsStorage(unsigned sqlType, int64_t v) {
    switch (sqlType) {
        case SQL_SHORT: return v >= INT16_MIN && v <= INT16_MAX;
        case SQL_LONG: return v >= INT32_MIN && v <= INT32_MAX;
        default: return true;
    }
}

QString decimalText(int64_t unscaled, int decimals, bool group) {
    const bool negative = unscaled < 0;
    const uint64_t magnitude = negative ? 0 - uint64_t(unscaled) : uint64_t(unscaled);
    QString digits = QString::number(magnitude);
    if (decimals > 0 && digits.size() <= decimals)
        digits.prepend(QString(decimals + 1 - digits.size(), u'0'));
    QString whole = decimals > 0 ? digits.left(digits.size() - decimals) : digits;
    if (group)
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, u',');
    QString out = negative ? QStringLiteral("-") + whole : whole;
    if (decimals > 0) out += u'.' + digits.right(decimals);
    return out;
}

// ---- values against fields

// The value as the field holds it, or a DataSetError naming the field.
fb::Value conform(const Field& f, const fb::Value& v, bool checkSize = true) {
    if (v.isNull()) return {};
    const auto& s = v.storage();
    auto refuse = [&]() -> fb::Value {
        throw DataSetError(QStringLiteral("%1 no admite un valor de ese tipo.").arg(quoted(f.label())), f.name());
    };
    switch (f.type()) {
        case FieldType::String:
        case FieldType::Memo: {
            const QString* t = std::get_if<QString>(&s);
            if (!t) return refuse();
            if (checkSize && f.size() > 0 && t->size() > f.size())
                throw DataSetError(QStringLiteral("El texto de %1 tiene %2 caracteres y el campo admite %3.")
                                       .arg(quoted(f.label()))
                                       .arg(t->size())
                                       .arg(f.size()),
                                   f.name());
            return *t;
        }
        case FieldType::Blob: {
            const QByteArray* b = std::get_if<QByteArray>(&s);
            if (!b) return refuse();
            if (checkSize && f.size() > 0 && b->size() > f.size())
                throw DataSetError(QStringLiteral("El dato de %1 tiene %2 bytes y el campo admite %3.")
                                       .arg(quoted(f.label()))
                                       .arg(b->size())
                                       .arg(f.size()),
                                   f.name());
            return *b;
        }
        case FieldType::Boolean:
            return std::holds_alternative<bool>(s) ? v : refuse();
        case FieldType::Date:
            return std::holds_alternative<QDate>(s) ? v : refuse();
        case FieldType::Time:
            return std::holds_alternative<QTime>(s) ? v : refuse();
        case FieldType::DateTime:
            if (const QDate* d = std::get_if<QDate>(&s)) return QDateTime(*d, QTime(0, 0));
            return std::holds_alternative<QDateTime>(s) ? v : refuse();
        case FieldType::Float:
            if (const int64_t* n = std::get_if<int64_t>(&s)) return double(*n);
            if (std::holds_alternative<fb::Decimal>(s)) return v.toDouble();
            return std::holds_alternative<double>(s) ? v : refuse();
        case FieldType::Integer:
        case FieldType::Decimal: {
            int64_t unscaled = 0;
            int decimals = 0;
            if (const int64_t* n = std::get_if<int64_t>(&s)) {
                unscaled = *n;
            } else if (const fb::Decimal* d = std::get_if<fb::Decimal>(&s)) {
                unscaled = d->unscaled;
                decimals = -d->scale;
            } else {
                return refuse();
            }
            int64_t out = 0;
            const Rescale r = rescale(unscaled, decimals, f.scale(), out);
            if (r == Rescale::Lost)
                throw DataSetError(QStringLiteral("%1 admite %2 decimales y %3 tiene más.")
                                       .arg(quoted(f.label()))
                                       .arg(f.scale())
                                       .arg(decimalText(unscaled, decimals, false)),
                                   f.name());
            if (r == Rescale::Overflow || !fitsStorage(f.sqlType(), out))
                throw DataSetError(QStringLiteral("El valor %1 no cabe en %2.")
                                       .arg(decimalText(unscaled, decimals, false), quoted(f.label())),
                                   f.name());
            if (f.type() == FieldType::Integer) return out;
            return fb::Decimal{out, -f.scale()};
        }
    }
    return refuse();
}

bool missing(const Field& f, const fb::Value& v) {
    if (v.isNull()) return true;
    if (f.type() == FieldType::String || f.type() == FieldType::Memo)
        return v.toString().trimmed().isEmpty();
    return false;
}

}  // namespace

QString plainText(const fb::Value& v) {
    return std::visit(
        [](const auto& x) -> QString {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) return {};
            else if constexpr (std::is_same_v<T, int64_t>) return QString::number(x);
            else if constexpr (std::is_same_v<T, fb::Decimal>) return decimalText(x.unscaled, -x.scale, false);
            else if constexpr (std::is_same_v<T, double>) return QString::number(x, 'g', 15);
            else if constexpr (std::is_same_v<T, bool>) return x ? QStringLiteral("S") : QStringLiteral("N");
            else if constexpr (std::is_same_v<T, QString>) return x;
            else if constexpr (std::is_same_v<T, QByteArray>) return QString::fromLatin1(x);
            else if constexpr (std::is_same_v<T, QDate>) return x.toString(QStringLiteral("yyyy/MM/dd"));
            else if constexpr (std::is_same_v<T, QTime>) return x.toString(QStringLiteral("HH:mm:ss"));
            else return x.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        },
        v.storage());
}

namespace {

Dinero dineroOf(const Field& f, const fb::Value& v) {
    if (v.isNull()) return {};
    if (const int64_t* n = std::get_if<int64_t>(&v.storage())) return Dinero::desdeEntero(*n);
    if (const fb::Decimal* d = std::get_if<fb::Decimal>(&v.storage())) return Dinero::desdeEscalado(d->unscaled, d->scale);
    throw DataSetError(QStringLiteral("%1 no es un importe.").arg(quoted(f.label())), f.name());
}

// A text that is equal for equal key values, for matching detail rows to
// master rows however each side's numbers are scaled.
QString keyText(const std::vector<fb::Value>& values, const std::vector<int>& fields) {
    QString out;
    for (int i : fields) {
        const fb::Value& v = values[size_t(i)];
        if (const fb::Decimal* d = std::get_if<fb::Decimal>(&v.storage())) {
            fb::Decimal n = *d;
            while (n.scale < 0 && n.unscaled % 10 == 0) {
                n.unscaled /= 10;
                ++n.scale;
            }
            out += n.scale == 0 ? QStringLiteral("n%1").arg(n.unscaled) : QStringLiteral("d%1e%2").arg(n.unscaled).arg(n.scale);
        } else if (std::holds_alternative<int64_t>(v.storage())) {
            out += u'n' + plainText(v);
        } else {
            out += QString::number(v.storage().index()) + plainText(v);
        }
        out += QChar(0x1f);
    }
    return out;
}

int compareValues(const fb::Value& a, const fb::Value& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    auto exact = [](const fb::Value& v, __int128& n, int& decimals) {
        if (const int64_t* i = std::get_if<int64_t>(&v.storage())) {
            n = *i;
            decimals = 0;
            return true;
        }
        if (const fb::Decimal* d = std::get_if<fb::Decimal>(&v.storage())) {
            n = d->unscaled;
            decimals = -d->scale;
            return true;
        }
        return false;
    };
    __int128 x, y;
    int dx, dy;
    if (exact(a, x, dx) && exact(b, y, dy)) {
        for (; dx < dy; ++dx) x *= 10;
        for (; dy < dx; ++dy) y *= 10;
        return (x > y) - (x < y);
    }
    if (a.storage().index() != b.storage().index())
        return int(a.storage().index()) - int(b.storage().index());
    return std::visit(
        [&](const auto& x) -> int {
            using T = std::decay_t<decltype(x)>;
            const T& y = std::get<T>(b.storage());
            if constexpr (std::is_same_v<T, std::monostate> || std::is_same_v<T, fb::Decimal> ||
                          std::is_same_v<T, int64_t>)
                return 0;  // nulls and exact numbers are compared above
            else if constexpr (std::is_same_v<T, QString>) return x.compare(y);
            else if constexpr (std::is_same_v<T, QByteArray>) return x.compare(y);
            else return (y < x) - (x < y);
        },
        a.storage());
}

bool validIdentifier(const QString& s) {
    if (s.isEmpty() || s.size() > 63) return false;
    return std::all_of(s.begin(), s.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' ||
               c == u'$';
    });
}

QString identifier(const QString& s) {
    if (!validIdentifier(s))
        throw DataSetError(QStringLiteral("El nombre %1 no es un identificador válido de la base de datos.").arg(quoted(s)));
    return u'"' + s + u'"';
}

fb::Column toColumn(const FieldSpec& s) {
    fb::Column c;
    c.name = s.name;
    c.field = s.name;
    c.relation = s.table;
    c.nullable = !s.required;
    switch (s.type) {
        case FieldType::String: c.type = SQL_VARYING; c.length = unsigned(std::max(0, s.size)); break;
        case FieldType::Integer: c.type = SQL_LONG; c.length = 4; break;
        case FieldType::Decimal: c.type = SQL_INT64; c.length = 8; c.scale = -s.scale; break;
        case FieldType::Float: c.type = SQL_DOUBLE; c.length = 8; break;
        case FieldType::Boolean: c.type = SQL_BOOLEAN; c.length = 1; break;
        case FieldType::Date: c.type = SQL_TYPE_DATE; c.length = 4; break;
        case FieldType::Time: c.type = SQL_TYPE_TIME; c.length = 4; break;
        case FieldType::DateTime: c.type = SQL_TIMESTAMP; c.length = 8; break;
        case FieldType::Memo: c.type = SQL_BLOB; c.subType = 1; c.length = 8; break;
        case FieldType::Blob: c.type = SQL_BLOB; c.length = 8; break;
    }
    return c;
}

}  // namespace

// ---------------------------------------------------------------- errors, fields, records

DataSetError::DataSetError(const QString& message, const QString& field)
    : std::runtime_error(message.toStdString()), message_(message), field_(field) {}

bool Field::isNumeric() const {
    return type_ == FieldType::Integer || type_ == FieldType::Decimal || type_ == FieldType::Float;
}

bool Field::required() const {
    if (required_) return *required_;
    if (calculated_ || nullable_) return false;
    return owner_ ? owner_->requiredByDefault(*this) : true;
}

void Field::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    if (owner_) owner_->fieldsChanged();
}

void Field::setLabel(const QString& label) {
    label_ = label;
    if (owner_) owner_->fieldsChanged();
}

const fb::Value& RecordRef::value(const QString& field) const { return value(ds_->fieldIndexOrThrow(field)); }

const fb::Value& RecordRef::value(int field) const {
    if (!rec_) return nullValue();
    return rec_->values.at(size_t(field));
}

QString RecordRef::asString(const QString& field) const { return plainText(value(field)); }

int64_t RecordRef::asInt(const QString& field) const {
    const int i = ds_->fieldIndexOrThrow(field);
    const Field& f = ds_->field(i);
    const fb::Value& v = value(i);
    if (v.isNull()) return 0;
    if (const int64_t* n = std::get_if<int64_t>(&v.storage())) return *n;
    if (const fb::Decimal* d = std::get_if<fb::Decimal>(&v.storage())) {
        int64_t out = 0;
        if (rescale(d->unscaled, -d->scale, 0, out) == Rescale::Ok) return out;
        throw DataSetError(QStringLiteral("%1 tiene decimales.").arg(quoted(f.label())), f.name());
    }
    throw DataSetError(QStringLiteral("%1 no es un número entero.").arg(quoted(f.label())), f.name());
}

Dinero RecordRef::asDinero(const QString& field) const {
    const int i = ds_->fieldIndexOrThrow(field);
    return dineroOf(ds_->field(i), value(i));
}

QDate RecordRef::asDate(const QString& field) const {
    const int i = ds_->fieldIndexOrThrow(field);
    const fb::Value& v = value(i);
    if (v.isNull()) return {};
    if (const QDate* d = std::get_if<QDate>(&v.storage())) return *d;
    if (const QDateTime* d = std::get_if<QDateTime>(&v.storage())) return d->date();
    const Field& f = ds_->field(i);
    throw DataSetError(QStringLiteral("%1 no es una fecha.").arg(quoted(f.label())), f.name());
}

// Brackets a change that replaces every visible row, also when it throws.
class DataSet::ResetScope {
public:
    explicit ResetScope(DataSet& ds) : ds_(ds) { ds_.notify([](DataSetObserver* o) { o->aboutToReset(); }); }
    ~ResetScope() { ds_.notify([](DataSetObserver* o) { o->didReset(); }); }

private:
    DataSet& ds_;
};

// ---------------------------------------------------------------- lifetime

DataSet::DataSet() = default;

DataSet::~DataSet() {
    if (master_) {
        auto& links = master_->details_;
        links.erase(std::remove_if(links.begin(), links.end(), [&](const Link& l) { return l.detail == this; }),
                    links.end());
    }
    for (const Link& l : details_) l.detail->master_ = nullptr;
    notify([](DataSetObserver* o) { o->dataSetDestroyed(); });
}

void DataSet::addObserver(DataSetObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void DataSet::removeObserver(DataSetObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void DataSet::fieldsChanged() {
    notify([](DataSetObserver* o) { o->fieldsChanged(); });
}

// ---------------------------------------------------------------- fields

int DataSet::fieldIndex(const QString& name) const { return byName_.value(name.toUpper(), -1); }

int DataSet::fieldIndexOrThrow(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0) throw DataSetError(QStringLiteral("El campo %1 no existe.").arg(name), name);
    return i;
}

bool DataSet::requiredByDefault(const Field& f) const {
    return updateTable_.isEmpty() || f.table_.isEmpty() || sameName(f.table_, updateTable_);
}

std::vector<Field> DataSet::buildFields(const std::vector<fb::Column>& columns,
                                        const std::vector<FieldSpec>* specs) const {
    std::vector<Field> out;
    QSet<QString> names;
    auto add = [&](Field f, bool calculated) {
        f.owner_ = const_cast<DataSet*>(this);
        f.calculated_ = calculated;
        for (const Field& p : fields_) {
            if (sameName(p.name_, f.name_)) {
                f.label_ = p.label_;
                f.visible_ = p.visible_;
                f.readOnly_ = p.readOnly_;
                f.required_ = p.required_;
                break;
            }
        }
        if (calculated && names.contains(f.name_.toUpper()))
            throw DataSetError(QStringLiteral("El campo calculado %1 repite el nombre de una columna.").arg(f.name_));
        names.insert(f.name_.toUpper());
        out.push_back(std::move(f));
    };
    auto fromColumn = [](const fb::Column& c) {
        Field f;
        f.name_ = c.name;
        f.table_ = c.relation;
        f.origin_ = c.field.isEmpty() ? c.name : c.field;
        f.sqlType_ = c.type;
        // Firebird calls some expressions NOT NULL; only table columns require a value.
        f.nullable_ = c.nullable || c.relation.isEmpty();
        switch (c.type) {
            case SQL_TEXT:
            case SQL_VARYING:
                if ((c.charSet & 0xFF) == 1) {  // OCTETS: bytes, not text
                    f.type_ = FieldType::Blob;
                    f.size_ = int(c.length);
                } else {
                    f.type_ = FieldType::String;
                    f.size_ = c.characters();
                }
                break;
            case SQL_SHORT:
            case SQL_LONG:
            case SQL_INT64:
                f.type_ = c.scale < 0 ? FieldType::Decimal : FieldType::Integer;
                f.scale_ = c.scale < 0 ? -c.scale : 0;
                break;
            case SQL_FLOAT:
            case SQL_DOUBLE:
            case SQL_D_FLOAT: f.type_ = FieldType::Float; break;
            case SQL_BOOLEAN: f.type_ = FieldType::Boolean; break;
            case SQL_TYPE_DATE: f.type_ = FieldType::Date; break;
            case SQL_TYPE_TIME: f.type_ = FieldType::Time; break;
            case SQL_TIMESTAMP: f.type_ = FieldType::DateTime; break;
            case SQL_BLOB: f.type_ = c.subType == 1 ? FieldType::Memo : FieldType::Blob; break;
            case SQL_NULL: f.type_ = FieldType::String; break;
            default:
                throw DataSetError(
                    QStringLiteral("La columna %1 es de un tipo que el programa no maneja (%2).").arg(c.name).arg(c.type),
                    c.name);
        }
        return f;
    };
    for (size_t i = 0; i < columns.size(); ++i) {
        Field f = fromColumn(columns[i]);
        if (specs) f.nullable_ = !(*specs)[i].required;
        add(std::move(f), false);
    }
    for (const Calc& c : calcs_) {
        Field f = fromColumn(toColumn(c.definicion));
        f.table_.clear();
        f.origin_.clear();
        f.nullable_ = true;
        add(std::move(f), true);
    }
    return out;
}

void DataSet::addCalculated(const FieldSpec& definicion, Compute compute) {
    if (fieldIndex(definicion.name) >= 0) throw DataSetError(QStringLiteral("Ya existe un campo %1.").arg(definicion.name));
    calcs_.push_back({definicion, std::move(compute)});
    std::vector<Field> cols = buildFields({});  // the calculated fields alone
    Field f = std::move(cols.back());
    byName_.insert(f.name_.toUpper(), int(fields_.size()));
    fields_.push_back(std::move(f));
    for (auto& r : rows_) {
        r->values.resize(fields_.size());
        if (r->original) r->original->resize(fields_.size());
        computeCalcs(*r);
    }
    for (auto& r : deleted_) r->values.resize(fields_.size());
    if (!backup_.empty()) backup_.resize(fields_.size());
    fieldsChanged();
}

void DataSet::computeCalcs(Record& rec) const {
    for (size_t j = 0; j < calcs_.size(); ++j) {
        const size_t i = size_t(dataFields_) + j;
        rec.values[i] = conform(fields_[i], calcs_[j].compute(RecordRef(this, &rec)));
    }
}

// ---------------------------------------------------------------- opening

namespace {

std::function<void()> avisoAntes, avisoDespues;

// The notice stands while the query runs and its rows come, and goes
// whatever happens to the query.
class AvisoConsulta {
public:
    AvisoConsulta() {
        if (avisoAntes) avisoAntes();
    }
    ~AvisoConsulta() {
        if (avisoDespues) avisoDespues();
    }
};

}  // namespace

void setAvisoConsulta(std::function<void()> antes, std::function<void()> despues) {
    avisoAntes = std::move(antes);
    avisoDespues = std::move(despues);
}

void DataSet::open(fb::Transaction& tr, const QString& sql, const std::vector<fb::Value>& params) {
    fb::Statement st(tr, sql);
    if (!st.isSelect()) throw DataSetError(QStringLiteral("La sentencia no devuelve filas: %1").arg(sql));
    st.bind(params);
    std::vector<Field> fields = buildFields(st.columns());
    std::vector<std::unique_ptr<Record>> rows;
    {
        const AvisoConsulta aviso;
        fb::Cursor cursor = st.open();
        while (cursor.next()) {
            auto r = makeRecord(fields.size());
            const auto& values = cursor.row().values();
            std::copy(values.begin(), values.end(), r->values.begin());
            rows.push_back(std::move(r));
        }
    }
    load(std::move(fields), std::move(rows));
}

void DataSet::open(fb::Database& db, const QString& sql, const std::vector<fb::Value>& params) {
    db.read([&](fb::Transaction& tr) { open(tr, sql, params); });
}

void DataSet::openEmpty(fb::Transaction& tr, const QString& sql) {
    fb::Statement st(tr, sql);  // prepared only: its metadata is all we need
    load(buildFields(st.columns()), {});
}

void DataSet::openEmpty(fb::Database& db, const QString& sql) {
    db.read([&](fb::Transaction& tr) { openEmpty(tr, sql); });
}

void DataSet::openEmpty(const std::vector<FieldSpec>& columns) {
    std::vector<fb::Column> cols;
    for (const FieldSpec& s : columns) cols.push_back(toColumn(s));
    load(buildFields(cols, &columns), {});
}

void DataSet::open(const std::vector<fb::Column>& columns, std::vector<std::vector<fb::Value>> rows) {
    std::vector<Field> fields = buildFields(columns);
    std::vector<std::unique_ptr<Record>> records;
    records.reserve(rows.size());
    for (auto& values : rows) {
        if (values.size() != columns.size()) throw DataSetError(QStringLiteral("Una fila no tiene las columnas de la consulta."));
        auto r = makeRecord(fields.size());
        std::move(values.begin(), values.end(), r->values.begin());
        records.push_back(std::move(r));
    }
    load(std::move(fields), std::move(records));
}

void DataSet::load(std::vector<Field> fields, std::vector<std::unique_ptr<Record>> rows) {
    // Whatever was being edited is discarded, as on closing a dataset.
    for (const Link& l : details_)
        if (l.detail->open_ && l.detail->state_ != State::Browse) l.detail->cancel();
    {
        ResetScope reset(*this);
        fields_ = std::move(fields);
        dataFields_ = int(fields_.size() - calcs_.size());
        byName_.clear();
        for (size_t i = 0; i < fields_.size(); ++i)
            if (!byName_.contains(fields_[i].name_.toUpper())) byName_.insert(fields_[i].name_.toUpper(), int(i));
        rows_ = std::move(rows);
        deleted_.clear();
        backup_.clear();
        returnTo_ = nullptr;
        view_.clear();
        cur_ = -1;
        state_ = State::Browse;
        open_ = true;
        for (auto& r : rows_) {
            computeCalcs(*r);
            r->original = r->values;
            r->read = true;
        }
        attachToMaster();
        rebuildView();
        cur_ = view_.empty() ? -1 : 0;
        bof_ = true;
        eof_ = view_.empty();
    }
    for (const Link& l : details_) l.detail->attachToMaster();
    notify([](DataSetObserver* o) { o->stateChanged(); });
    currentMoved(true);
}

void DataSet::clearRows() {
    for (const Link& l : details_) l.detail->clearRows();
    {
        ResetScope reset(*this);
        rows_.clear();
        view_.clear();
        deleted_.clear();
        backup_.clear();
        cur_ = -1;
        bof_ = eof_ = true;
        state_ = State::Browse;
    }
    notify([](DataSetObserver* o) { o->stateChanged(); });
}

void DataSet::clear() {
    requireOpen();
    clearRows();
    currentMoved(true);
}

void DataSet::requireOpen() const {
    if (!open_) throw DataSetError(QStringLiteral("El conjunto de datos no está abierto."));
}

// ---------------------------------------------------------------- navigation

int DataSet::viewIndexOf(const Record* rec) const {
    const auto it = std::find(view_.begin(), view_.end(), rec);
    return it == view_.end() ? -1 : int(it - view_.begin());
}

void DataSet::checkBrowseMode() {
    if (!open_) return;
    for (const Link& l : details_) l.detail->checkBrowseMode();
    if (state_ != State::Browse) post();
}

void DataSet::moveTo(int row) {
    cur_ = row;
    bof_ = eof_ = false;
    currentMoved(false);
}

// After cur_ changed: tells the observers, and when another row became
// current, refreshes the details and runs afterScroll.
void DataSet::currentMoved(bool force, bool scrollHooks) {
    const Record* r = currentRecord();
    const uint64_t id = r ? r->id : 0;
    const bool other = force || id != currentId_;
    if (other || cur_ != lastRow_) {
        lastRow_ = cur_;
        notify([&](DataSetObserver* o) { o->currentChanged(cur_); });
    }
    if (!other) return;
    currentId_ = id;
    for (const Link& l : std::vector<Link>(details_)) l.detail->followMaster();
    if (scrollHooks) fire(afterScroll_);
}

void DataSet::first() {
    requireOpen();
    checkBrowseMode();
    cur_ = view_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = view_.empty();
    currentMoved(false);
}

void DataSet::last() {
    requireOpen();
    checkBrowseMode();
    cur_ = int(view_.size()) - 1;
    eof_ = true;
    bof_ = view_.empty();
    currentMoved(false);
}

void DataSet::next() {
    requireOpen();
    checkBrowseMode();
    if (cur_ + 1 < int(view_.size())) moveTo(cur_ + 1);
    else eof_ = true;
}

void DataSet::prior() {
    requireOpen();
    checkBrowseMode();
    if (cur_ > 0) moveTo(cur_ - 1);
    else bof_ = true;
}

void DataSet::setCurrentRow(int row) {
    requireOpen();
    if (row < 0 || row >= int(view_.size()))
        throw DataSetError(QStringLiteral("No existe la fila %1.").arg(row));
    if (row == cur_) return;
    checkBrowseMode();
    moveTo(row);
}

bool DataSet::locate(const QString& field, const fb::Value& value) {
    return locate(QStringList{field}, std::vector<fb::Value>{value});
}

bool DataSet::locate(const QStringList& fields, const std::vector<fb::Value>& values) {
    requireOpen();
    if (fields.isEmpty() || size_t(fields.size()) != values.size())
        throw DataSetError(QStringLiteral("locate necesita un valor por campo."));
    std::vector<int> idx;
    std::vector<fb::Value> wanted;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        idx.push_back(fieldIndexOrThrow(fields[k]));
        wanted.push_back(conform(fields_[size_t(idx.back())], values[size_t(k)], false));
    }
    checkBrowseMode();
    for (int row = 0; row < int(view_.size()); ++row) {
        bool match = true;
        for (size_t k = 0; k < idx.size() && match; ++k)
            match = view_[size_t(row)]->values[size_t(idx[k])] == wanted[k];
        if (match) {
            moveTo(row);
            return true;
        }
    }
    return false;
}

void DataSet::sort(const QString& field, bool ascending) {
    requireOpen();
    const int i = fieldIndexOrThrow(field);
    checkBrowseMode();
    const Record* keep = currentRecord();
    const bool text = fields_[size_t(i)].type_ == FieldType::String || fields_[size_t(i)].type_ == FieldType::Memo;
    QCollator collator{QLocale(QLocale::Spanish, QLocale::Colombia)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::optional<QCollatorSortKey>> keys(rows_.size());
    if (text)
        for (size_t r = 0; r < rows_.size(); ++r)
            if (const QString* s = std::get_if<QString>(&rows_[r]->values[size_t(i)].storage()))
                keys[r] = collator.sortKey(*s);
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), size_t(0));
    auto compare = [&](size_t a, size_t b) {
        if (keys[a] && keys[b]) return keys[a]->compare(*keys[b]);
        return compareValues(rows_[a]->values[size_t(i)], rows_[b]->values[size_t(i)]);
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = compare(a, b);
        return ascending ? c < 0 : c > 0;
    });
    {
        ResetScope reset(*this);
        std::vector<std::unique_ptr<Record>> sorted;
        sorted.reserve(rows_.size());
        for (size_t k : order) sorted.push_back(std::move(rows_[k]));
        rows_ = std::move(sorted);
        rebuildView();
        cur_ = viewIndexOf(keep);
    }
    lastRow_ = cur_;
    notify([&](DataSetObserver* o) { o->currentChanged(cur_); });
}

// ---------------------------------------------------------------- reading

RecordRef DataSet::current() const { return RecordRef(this, currentRecord()); }

RecordRef DataSet::row(int row) const {
    if (row < 0 || row >= int(view_.size())) throw DataSetError(QStringLiteral("No existe la fila %1.").arg(row));
    return RecordRef(this, view_[size_t(row)]);
}

Dinero DataSet::sum(const QString& field) const {
    const int i = fieldIndexOrThrow(field);
    const Field& f = fields_[size_t(i)];
    if (f.type_ != FieldType::Integer && f.type_ != FieldType::Decimal)
        throw DataSetError(QStringLiteral("No se puede sumar %1.").arg(quoted(f.label())), f.name_);
    Dinero total;
    for (const Record* r : view_) total += dineroOf(f, r->values[size_t(i)]);
    return total;
}

// ---------------------------------------------------------------- editing

void DataSet::fire(std::vector<Handler>& handlers) {
    for (const Handler& h : std::vector<Handler>(handlers)) h(*this);
}

void DataSet::onChange(const QString& field, Handler handler) {
    changeHandlers_[field.toUpper()].push_back(std::move(handler));
}

void DataSet::fireChange(int field) {
    const QString key = fields_[size_t(field)].name_.toUpper();
    const auto it = changeHandlers_.constFind(key);
    if (it == changeHandlers_.constEnd() || running_.contains(key)) return;
    const std::vector<Handler> handlers = it.value();
    running_.insert(key);
    struct Done {
        QSet<QString>& running;
        QString key;
        ~Done() { running.remove(key); }
    } done{running_, key};
    for (const Handler& h : handlers) h(*this);
}

void DataSet::placeRecord(std::unique_ptr<Record> rec, int pos) {
    size_t at = rows_.size();
    auto indexInRows = [&](const Record* r) {
        return size_t(std::find_if(rows_.begin(), rows_.end(), [&](const auto& p) { return p.get() == r; }) -
                      rows_.begin());
    };
    if (pos < int(view_.size())) at = indexInRows(view_[size_t(pos)]);
    else if (!view_.empty()) at = indexInRows(view_.back()) + 1;
    Record* raw = rec.get();
    notify([&](DataSetObserver* o) { o->aboutToInsertRow(pos); });
    rows_.insert(rows_.begin() + std::ptrdiff_t(at), std::move(rec));
    view_.insert(view_.begin() + pos, raw);
    notify([&](DataSetObserver* o) { o->didInsertRow(pos); });
}

void DataSet::newRow(bool atEnd) {
    requireOpen();
    checkBrowseMode();
    const Record* m = nullptr;
    if (master_) {
        m = master_->currentRecord();
        if (!m) throw DataSetError(QStringLiteral("No hay un registro maestro para el detalle."));
    }
    auto rec = makeRecord(fields_.size());
    if (m) {
        rec->owner = m->id;
        const Link& l = master_->linkOf(this);
        for (qsizetype k = 0; k < l.masterFields.size(); ++k) {
            const int d = fieldIndexOrThrow(l.detailFields[k]);
            const int mi = master_->fieldIndexOrThrow(l.masterFields[k]);
            rec->values[size_t(d)] = conform(fields_[size_t(d)], m->values[size_t(mi)], false);
        }
    }
    computeCalcs(*rec);
    returnTo_ = currentRecord();
    const int pos = atEnd || cur_ < 0 ? int(view_.size()) : cur_;
    placeRecord(std::move(rec), pos);
    cur_ = pos;
    bof_ = eof_ = false;
    state_ = State::Insert;
    backup_.clear();
    currentMoved(false, false);
    notify([](DataSetObserver* o) { o->stateChanged(); });
    fire(newRecord_);
    fire(afterScroll_);
}

void DataSet::append() { newRow(true); }
void DataSet::insert() { newRow(false); }

void DataSet::edit() {
    requireOpen();
    Record* r = currentRecord();
    if (!r) throw DataSetError(QStringLiteral("No hay un registro que modificar."));
    if (state_ != State::Browse) return;
    backup_ = r->values;
    state_ = State::Edit;
    notify([](DataSetObserver* o) { o->stateChanged(); });
}

void DataSet::setValue(const QString& field, Dinero value) { setValue(field, toValue(value)); }

void DataSet::setValue(const QString& field, const fb::Value& value) {
    requireOpen();
    const int i = fieldIndexOrThrow(field);
    const Field& f = fields_[size_t(i)];
    if (f.readOnly())
        throw DataSetError(QStringLiteral("%1 es de solo lectura.").arg(quoted(f.label())), f.name_);
    if (state_ == State::Browse)
        throw DataSetError(QStringLiteral("No se puede cambiar %1: el registro no está en edición.").arg(quoted(f.label())),
                           f.name_);
    Record* rec = currentRecord();
    fb::Value v = conform(f, value);
    if (rec->values[size_t(i)] == v) return;
    rec->values[size_t(i)] = std::move(v);
    computeCalcs(*rec);
    if (isMasterKey(i)) propagateKeys(*rec);
    const int row = cur_;
    notify([&](DataSetObserver* o) { o->rowChanged(row); });
    fireChange(i);
}

void DataSet::post() {
    requireOpen();
    if (state_ == State::Browse) return;
    fire(beforePost_);
    if (state_ == State::Browse) return;  // a hook already posted or cancelled
    const Record* r = currentRecord();
    for (size_t i = 0; i < fields_.size(); ++i) {
        const Field& f = fields_[i];
        if (f.required() && missing(f, r->values[i]))
            throw DataSetError(QStringLiteral("El campo %1 debe tener un valor.").arg(quoted(f.label())), f.name_);
    }
    state_ = State::Browse;
    backup_.clear();
    notify([](DataSetObserver* o) { o->stateChanged(); });
    fire(afterPost_);
}

void DataSet::cancel() {
    requireOpen();
    if (state_ == State::Browse) return;
    if (state_ == State::Insert) {
        state_ = State::Browse;
        const int pos = cur_;
        removeAt(pos, false);
        const int back = viewIndexOf(returnTo_);
        cur_ = back >= 0 ? back : std::min(pos, int(view_.size()) - 1);
        bof_ = eof_ = view_.empty();
        notify([](DataSetObserver* o) { o->stateChanged(); });
        currentMoved(false);
        return;
    }
    Record* r = currentRecord();
    r->values = std::move(backup_);
    backup_.clear();
    state_ = State::Browse;
    computeCalcs(*r);
    propagateKeys(*r);
    const int row = cur_;
    notify([&](DataSetObserver* o) { o->rowChanged(row); });
    notify([](DataSetObserver* o) { o->stateChanged(); });
}

void DataSet::remove() {
    requireOpen();
    if (!currentRecord()) throw DataSetError(QStringLiteral("No hay un registro que borrar."));
    if (state_ == State::Insert) {  // a row never posted simply goes
        cancel();
        return;
    }
    if (state_ == State::Edit) cancel();
    const int pos = cur_;
    removeAt(pos, true);
    cur_ = std::min(pos, int(view_.size()) - 1);
    bof_ = eof_ = view_.empty();
    currentMoved(false);
    fire(afterRemove_);
}

// Takes the visible row at pos out, with its detail rows; the rows the
// database holds go to the change log when logDelete.
void DataSet::removeAt(int pos, bool logDelete) {
    Record* r = view_[size_t(pos)];
    for (const Link& l : details_) l.detail->removeOwnedBy(r->id);
    notify([&](DataSetObserver* o) { o->aboutToRemoveRow(pos); });
    view_.erase(view_.begin() + pos);
    cur_ = -1;
    auto it = std::find_if(rows_.begin(), rows_.end(), [&](const auto& p) { return p.get() == r; });
    std::unique_ptr<Record> gone = std::move(*it);
    rows_.erase(it);
    if (logDelete && gone->original) deleted_.push_back(std::move(gone));
    notify([&](DataSetObserver* o) { o->didRemoveRow(pos); });
}

// The master's current row is going: so are the rows shown here.
void DataSet::removeOwnedBy(uint64_t owner) {
    if (!open_) return;
    if (state_ != State::Browse) {
        state_ = State::Browse;
        backup_.clear();
        notify([](DataSetObserver* o) { o->stateChanged(); });
    }
    {
        ResetScope reset(*this);
        view_.clear();  // nothing may point at a row freed below
        cur_ = -1;
        std::vector<std::unique_ptr<Record>> kept;
        for (auto& r : rows_) {
            if (r->owner != owner) {
                kept.push_back(std::move(r));
                continue;
            }
            for (const Link& l : details_) l.detail->removeOwnedBy(r->id);
            if (r->original) deleted_.push_back(std::move(r));
        }
        rows_ = std::move(kept);
        rebuildView();
        cur_ = view_.empty() ? -1 : 0;
        bof_ = true;
        eof_ = view_.empty();
    }
}

// ---------------------------------------------------------------- master and details

const DataSet::Link& DataSet::linkOf(const DataSet* detail) const {
    for (const Link& l : details_)
        if (l.detail == detail) return l;
    throw DataSetError(QStringLiteral("El conjunto de datos no es detalle de este maestro."));
}

void DataSet::addDetail(DataSet& detail, const QStringList& masterFields, const QStringList& detailFields) {
    if (masterFields.isEmpty() || masterFields.size() != detailFields.size())
        throw DataSetError(QStringLiteral("El enlace maestro-detalle necesita un campo del detalle por cada campo del maestro."));
    for (const DataSet* a = this; a; a = a->master_)
        if (a == &detail) throw DataSetError(QStringLiteral("Un conjunto de datos no puede ser detalle de sí mismo."));
    if (detail.master_ && detail.master_ != this)
        throw DataSetError(QStringLiteral("El detalle ya tiene otro maestro."));
    auto it = std::find_if(details_.begin(), details_.end(), [&](const Link& l) { return l.detail == &detail; });
    if (it != details_.end()) *it = {&detail, masterFields, detailFields};
    else details_.push_back({&detail, masterFields, detailFields});
    detail.master_ = this;
    detail.attachToMaster();
    detail.followMaster();
}

// Gives every loaded row the master row whose key its link fields hold.
void DataSet::attachToMaster() {
    if (!master_ || !open_) return;
    if (!master_->open_) {
        for (auto& r : rows_) r->owner = 0;
        return;
    }
    const Link& l = master_->linkOf(this);
    std::vector<int> mi, di;
    for (qsizetype k = 0; k < l.masterFields.size(); ++k) {
        mi.push_back(master_->fieldIndexOrThrow(l.masterFields[k]));
        di.push_back(fieldIndexOrThrow(l.detailFields[k]));
    }
    QHash<QString, uint64_t> byKey;
    for (const auto& m : master_->rows_) {
        const QString k = keyText(m->values, mi);
        if (!byKey.contains(k)) byKey.insert(k, m->id);
    }
    for (auto& r : rows_) r->owner = byKey.value(keyText(r->values, di), 0);
}

void DataSet::rebuildView() {
    view_.clear();
    if (master_) {
        const Record* m = master_->currentRecord();
        if (!m) return;
        for (const auto& r : rows_)
            if (r->owner == m->id) view_.push_back(r.get());
    } else {
        for (const auto& r : rows_) view_.push_back(r.get());
    }
}

void DataSet::followMaster() {
    if (!open_) return;
    if (state_ != State::Browse) cancel();
    {
        ResetScope reset(*this);
        rebuildView();
        cur_ = view_.empty() ? -1 : 0;
        bof_ = true;
        eof_ = view_.empty();
    }
    currentMoved(true);
}

bool DataSet::isMasterKey(int field) const {
    for (const Link& l : details_)
        for (const QString& name : l.masterFields)
            if (sameName(name, fields_[size_t(field)].name_)) return true;
    return false;
}

// Copies the key of a master row into the link fields of its detail rows,
// and on down to theirs.
void DataSet::propagateKeys(Record& m) {
    for (const Link& l : details_) {
        DataSet& d = *l.detail;
        if (!d.open_) continue;
        std::vector<int> mi, di;
        for (qsizetype k = 0; k < l.masterFields.size(); ++k) {
            mi.push_back(fieldIndexOrThrow(l.masterFields[k]));
            di.push_back(d.fieldIndexOrThrow(l.detailFields[k]));
        }
        const bool shown = currentRecord() == &m;
        for (auto& rp : d.rows_) {
            Record& r = *rp;
            if (r.owner != m.id) continue;
            bool changed = false;
            for (size_t k = 0; k < mi.size(); ++k) {
                fb::Value v = conform(d.fields_[size_t(di[k])], m.values[size_t(mi[k])], false);
                if (r.values[size_t(di[k])] == v) continue;
                if (&r == d.currentRecord() && d.state_ == State::Edit) d.backup_[size_t(di[k])] = v;
                r.values[size_t(di[k])] = std::move(v);
                changed = true;
            }
            if (!changed) continue;
            d.computeCalcs(r);
            d.propagateKeys(r);
            const int row = shown ? d.viewIndexOf(&r) : -1;
            if (row >= 0) d.notify([&](DataSetObserver* o) { o->rowChanged(row); });
        }
    }
}

// ---------------------------------------------------------------- change log

void DataSet::setUpdateTable(const QString& table, const QStringList& keyFields) {
    identifier(table);
    if (keyFields.isEmpty()) throw DataSetError(QStringLiteral("La tabla %1 necesita campos clave.").arg(table));
    updateTable_ = table;
    keyFields_ = keyFields;
}

bool DataSet::isKeyOrLink(int field) const {
    const QString& name = fields_[size_t(field)].name_;
    for (const QString& k : keyFields_)
        if (sameName(k, name)) return true;
    if (master_)
        for (const QString& k : master_->linkOf(this).detailFields)
            if (sameName(k, name)) return true;
    return false;
}

bool DataSet::writes(int field) const {
    const Field& f = fields_[size_t(field)];
    if (f.calculated_ || updateTable_.isEmpty() || !sameName(f.table_, updateTable_)) return false;
    return !f.readOnly_ || isKeyOrLink(field);
}

// Without an update table every field counts, so that changes nobody could
// write are reported instead of being lost.
bool DataSet::rowChanged(const Record& rec) const {
    if (!rec.original) return true;
    for (int i = 0; i < dataFields_; ++i)
        if ((updateTable_.isEmpty() || writes(i)) && rec.values[size_t(i)] != (*rec.original)[size_t(i)]) return true;
    return false;
}

bool DataSet::ownChanges() const {
    if (!open_) return false;
    if (!deleted_.empty()) return true;
    return std::any_of(rows_.begin(), rows_.end(), [&](const auto& r) { return rowChanged(*r); });
}

bool DataSet::hasChanges() const {
    if (ownChanges()) return true;
    return std::any_of(details_.begin(), details_.end(), [](const Link& l) { return l.detail->hasChanges(); });
}

void DataSet::mergeChangeLog() {
    for (auto& r : rows_) {
        if (rowChanged(*r)) r->read = false;
        r->original = r->values;
    }
    deleted_.clear();
    for (const Link& l : details_) l.detail->mergeChangeLog();
}

// Writes one attempt's statements, preparing each distinct text once.
class DataSet::Writer {
public:
    explicit Writer(fb::Transaction& tr) : tr_(tr) {}

    void writeTree(const DataSet& root) {
        detailDeletes(root);
        upsertTree(root);
        deletes(root);
    }

private:
    struct Target {
        QString table;
        std::vector<int> columns;
        std::vector<int> keys;
    };

    void detailDeletes(const DataSet& ds) {
        for (const Link& l : ds.details_) {
            detailDeletes(*l.detail);
            deletes(*l.detail);
        }
    }

    void upsertTree(const DataSet& ds) {
        upserts(ds);
        for (const Link& l : ds.details_) upsertTree(*l.detail);
    }

    std::optional<Target> target(const DataSet& ds) {
        if (!ds.ownChanges()) return std::nullopt;
        if (ds.updateTable_.isEmpty())
            throw DataSetError(QStringLiteral("Hay cambios sin tabla a la cual grabarlos (campos %1…).")
                                   .arg(ds.fieldCount() ? ds.fields_[0].name_ : QString()));
        Target t;
        QSet<QString> origins;
        for (int i = 0; i < ds.dataFields_; ++i) {
            if (!ds.writes(i)) continue;
            const Field& f = ds.fields_[size_t(i)];
            identifier(f.origin_);
            if (origins.contains(f.origin_.toUpper())) continue;  // the same column twice in the query
            origins.insert(f.origin_.toUpper());
            if (t.table.isEmpty()) t.table = identifier(f.table_);  // the table as the database spells it
            t.columns.push_back(i);
        }
        if (t.columns.empty())
            throw DataSetError(QStringLiteral("Ningún campo pertenece a la tabla %1.").arg(ds.updateTable_));
        for (const QString& k : ds.keyFields_) {
            const int i = ds.fieldIndexOrThrow(k);
            if (!ds.writes(i))
                throw DataSetError(QStringLiteral("La clave %1 no es una columna de %2.").arg(k, ds.updateTable_), k);
            t.keys.push_back(i);
        }
        return t;
    }

    // Keyed on the original key; a row read from the database must also
    // still hold every written column as it was read, so that a clerk never
    // overwrites what another saved meanwhile.
    QString where(const DataSet& ds, const Target& t, const Record& r, std::vector<fb::Value>& params) {
        QStringList parts;
        auto condition = [&](int i) {
            const fb::Value& v = (*r.original)[size_t(i)];
            const QString column = identifier(ds.fields_[size_t(i)].origin_);
            if (v.isNull()) {
                parts << column + QStringLiteral(" is null");
            } else {
                parts << column + QStringLiteral(" = ?");
                params.push_back(v);
            }
        };
        for (int i : t.keys) condition(i);
        if (r.read)
            for (int i : t.columns) {
                // Blobs cannot be compared; times hold finer fractions than
                // they are read with.
                const FieldType type = ds.fields_[size_t(i)].type_;
                if (type == FieldType::Blob || type == FieldType::Memo || type == FieldType::Time ||
                    type == FieldType::DateTime)
                    continue;
                if (std::find(t.keys.begin(), t.keys.end(), i) != t.keys.end()) continue;
                condition(i);
            }
        return QStringLiteral(" where ") + parts.join(QStringLiteral(" and "));
    }

    // An update or delete must meet exactly the row it was read as.
    void checkOne(int64_t affected, const DataSet& ds, const Target& t, const Record& r) {
        if (affected == 1) return;
        if (affected == 0) throw fb::DbError(fb::ErrorKind::Other, QString::fromUtf8(kModificadoPorOtro));
        QStringList key;
        for (int i : t.keys) key << ds.fields_[size_t(i)].origin_ + u'=' + plainText((*r.original)[size_t(i)]);
        const QString which = QStringLiteral("(%1: %2)").arg(ds.updateTable_, key.join(QStringLiteral(", ")));
        throw fb::DbError(fb::ErrorKind::Other,
                          QStringLiteral("La clave no identifica un solo registro; no se grabó nada. ") + which);
    }

    void upserts(const DataSet& ds) {
        const auto t = target(ds);
        if (!t) return;
        for (const auto& rp : ds.rows_) {
            const Record& r = *rp;
            std::vector<fb::Value> params;
            QStringList columns;
            if (!r.original) {
                for (int i : t->columns) {
                    if (r.values[size_t(i)].isNull()) continue;
                    columns << identifier(ds.fields_[size_t(i)].origin_);
                    params.push_back(r.values[size_t(i)]);
                }
                if (columns.isEmpty()) {
                    run(QStringLiteral("insert into %1 default values").arg(t->table), params);
                } else {
                    QStringList marks;
                    for (qsizetype k = 0; k < columns.size(); ++k) marks << QStringLiteral("?");
                    run(QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(t->table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                        params);
                }
                continue;
            }
            for (int i : t->columns) {
                if (r.values[size_t(i)] == (*r.original)[size_t(i)]) continue;
                columns << identifier(ds.fields_[size_t(i)].origin_) + QStringLiteral(" = ?");
                params.push_back(r.values[size_t(i)]);
            }
            if (columns.isEmpty()) continue;
            const QString sql =
                QStringLiteral("update %1 set %2").arg(t->table, columns.join(QStringLiteral(", "))) + where(ds, *t, r, params);
            checkOne(run(sql, params), ds, *t, r);
        }
    }

    void deletes(const DataSet& ds) {
        if (ds.deleted_.empty()) return;
        const auto t = target(ds);
        for (const auto& rp : ds.deleted_) {
            std::vector<fb::Value> params;
            const QString sql = QStringLiteral("delete from %1").arg(t->table) + where(ds, *t, *rp, params);
            checkOne(run(sql, params), ds, *t, *rp);
        }
    }

    int64_t run(const QString& sql, const std::vector<fb::Value>& params) {
        auto& st = statements_[sql];
        if (!st) st = std::make_unique<fb::Statement>(tr_, sql);
        st->bind(params);
        st->execute();
        return st->affectedRows();
    }

    fb::Transaction& tr_;
    std::map<QString, std::unique_ptr<fb::Statement>> statements_;
};

namespace {
// A short random pause before retrying, so that two clerks who collided do
// not collide again in step.
void pauseBeforeRetry(int attempt) {
    thread_local std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<int> ms(10, std::min(400, 40 * attempt));
    std::this_thread::sleep_for(std::chrono::milliseconds(ms(rng)));
}
}  // namespace

void DataSet::markAllNew() {
    for (auto& r : rows_) {
        r->original.reset();
        r->read = false;
    }
    deleted_.clear();
    for (const Link& l : details_) l.detail->markAllNew();
}

void DataSet::writeIn(fb::Transaction& tr) {
    requireOpen();
    checkBrowseMode();
    Writer w(tr);
    w.writeTree(*this);
}

void DataSet::applyUpdates(fb::Database& db, const ApplyOptions& options) {
    requireOpen();
    checkBrowseMode();
    const int attempts = std::max(1, options.maxAttempts);
    const auto start = std::chrono::steady_clock::now();
    auto timeLeft = [&] {
        return options.maxDuration.count() <= 0 || std::chrono::steady_clock::now() - start < options.maxDuration;
    };
    for (int attempt = 1;; ++attempt) {
        try {
            fb::Transaction tr(db, options.transaction);
            if (options.beforeApply) {
                options.beforeApply(tr, attempt);
                checkBrowseMode();
            }
            {
                Writer w(tr);
                w.writeTree(*this);
            }
            if (options.afterApply) options.afterApply(tr, attempt);
            tr.commit();
            break;
        } catch (const fb::DbError& e) {
            // The transaction is already rolled back here.
            if (attempt >= attempts || !timeLeft()) throw;
            if (e.isConflict()) {
                pauseBeforeRetry(attempt);
                if (!timeLeft()) throw;
                continue;
            }
            if (options.onFailure && options.onFailure(e, attempt)) continue;
            throw;
        }
    }
    mergeChangeLog();
}

}  // namespace cxp
