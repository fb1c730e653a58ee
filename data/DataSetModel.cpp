#include "data/DataSetModel.h"

namespace cxp {

namespace {

// "1234567.5" → "1,234,567.5"
QString grouped(QString plain) {
    const qsizetype start = plain.startsWith(u'-') ? 1 : 0;
    qsizetype end = plain.indexOf(u'.');
    if (end < 0) end = plain.size();
    for (qsizetype i = end - 3; i > start; i -= 3) plain.insert(i, u',');
    return plain;
}

bool isIntegral(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Short:
        case QMetaType::UShort: return true;
        default: return false;
    }
}

// What an editor gave, as the field's kind of value. Empty text is null for
// everything but text fields. Money is parsed exactly, never through double.
fb::Value fromVariant(const Field& f, const QVariant& v) {
    auto refuse = [&]() -> fb::Value {
        throw DataSetError(QStringLiteral("«%1»: «%2» no es un valor válido.").arg(f.label(), v.toString()), f.name());
    };
    if (!v.isValid() || v.isNull()) return {};
    const bool isText = v.typeId() == QMetaType::QString;
    const QString text = isText ? v.toString().trimmed() : QString();
    if (f.type() == FieldType::String || f.type() == FieldType::Memo) return v.toString();
    if (isText && text.isEmpty()) return {};
    switch (f.type()) {
        case FieldType::Integer: {
            if (isIntegral(v)) return int64_t(v.toLongLong());
            bool ok = false;
            const qlonglong n = text.toLongLong(&ok);
            return isText && ok ? fb::Value(int64_t(n)) : refuse();
        }
        case FieldType::Decimal: {
            if (isIntegral(v)) return int64_t(v.toLongLong());
            if (!isText) return refuse();
            const auto d = Dinero::desdeTextoTecleado(text);
            return d ? toValue(*d) : refuse();
        }
        case FieldType::Float: {
            bool ok = false;
            const double d = v.toDouble(&ok);
            return ok ? fb::Value(d) : refuse();
        }
        case FieldType::Boolean:
            if (v.typeId() == QMetaType::Bool) return v.toBool();
            if (text.compare(QStringLiteral("S"), Qt::CaseInsensitive) == 0) return true;
            if (text.compare(QStringLiteral("N"), Qt::CaseInsensitive) == 0) return false;
            return refuse();
        case FieldType::Date: {
            if (v.typeId() == QMetaType::QDate) return v.toDate();
            const QDate d = QDate::fromString(text, QStringLiteral("yyyy/MM/dd"));
            return d.isValid() ? fb::Value(d) : refuse();
        }
        case FieldType::Time: {
            if (v.typeId() == QMetaType::QTime) return v.toTime();
            QTime t = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
            if (!t.isValid()) t = QTime::fromString(text, QStringLiteral("HH:mm"));
            return t.isValid() ? fb::Value(t) : refuse();
        }
        case FieldType::DateTime: {
            if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
            if (v.typeId() == QMetaType::QDate) return v.toDate();
            QDateTime t = QDateTime::fromString(text, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
            if (!t.isValid()) t = QDateTime::fromString(text, QStringLiteral("yyyy/MM/dd HH:mm"));
            if (!t.isValid()) {
                const QDate d = QDate::fromString(text, QStringLiteral("yyyy/MM/dd"));
                if (d.isValid()) return d;
            }
            return t.isValid() ? fb::Value(t) : refuse();
        }
        case FieldType::Blob:
            return v.typeId() == QMetaType::QByteArray ? fb::Value(v.toByteArray()) : refuse();
        default: return refuse();
    }
}

QVariant editValue(const Field& f, const fb::Value& v) {
    if (v.isNull()) return {};
    switch (f.type()) {
        case FieldType::Integer: return qlonglong(v.toInt64());
        case FieldType::Decimal: return plainText(v);
        case FieldType::Float: return v.toDouble();
        case FieldType::Boolean: return v.toBool();
        case FieldType::Date: return v.toDate();
        case FieldType::Time: return v.toTime();
        case FieldType::DateTime: return v.toDateTime();
        case FieldType::Blob: return v.toBytes();
        default: return v.toString();
    }
}

}  // namespace

DataSetModel::DataSetModel(DataSet& dataSet, QObject* parent) : QAbstractTableModel(parent), ds_(&dataSet) {
    computeColumns();
    ds_->addObserver(this);
}

DataSetModel::~DataSetModel() {
    if (ds_) ds_->removeObserver(this);
}

QString DataSetModel::displayText(const Field& f, const fb::Value& v) {
    if (v.isNull()) return {};
    switch (f.type()) {
        case FieldType::Decimal: {
            const auto& d = std::get<fb::Decimal>(v.storage());
            if (f.scale() <= Dinero::decimales) {
                try {
                    return Dinero::desdeEscalado(d.unscaled, d.scale).texto(f.scale());
                } catch (const std::exception&) {
                    // beyond what Dinero holds: still shown exactly below
                }
            }
            return grouped(plainText(v));
        }
        case FieldType::Memo: return plainText(v).section(u'\n', 0, 0);
        case FieldType::Blob: return QStringLiteral("(%1 bytes)").arg(v.toBytes().size());
        default: return plainText(v);
    }
}

namespace {
DataSetModel::CaptionLookup& captionLookup() {
    static DataSetModel::CaptionLookup lookup;
    return lookup;
}
}  // namespace

void DataSetModel::setCaptionLookup(CaptionLookup lookup) { captionLookup() = std::move(lookup); }

bool DataSetModel::isInternalId(const Field& field) {
    return field.label() == field.name() && field.name().endsWith(QLatin1String("_ID"), Qt::CaseInsensitive);
}

QString DataSetModel::caption(int column) const {
    const int fi = fieldIndex(column);
    if (!ds_ || fi < 0) return {};
    const Field& f = ds_->field(fi);
    if (f.label() != f.name() || !captionLookup()) return f.label();
    const QString c = captionLookup()(f.name());
    return c.isEmpty() ? f.label() : c;
}

void DataSetModel::computeColumns() {
    columns_.clear();
    if (!ds_) return;
    for (int i = 0; i < ds_->fieldCount(); ++i)
        if (ds_->field(i).visible() && !isInternalId(ds_->field(i))) columns_.push_back(i);
}

int DataSetModel::fieldIndex(int column) const {
    return column >= 0 && column < int(columns_.size()) ? columns_[size_t(column)] : -1;
}

int DataSetModel::columnOf(const QString& field) const {
    if (!ds_) return -1;
    const int i = ds_->fieldIndex(field);
    const auto it = std::find(columns_.begin(), columns_.end(), i);
    return i < 0 || it == columns_.end() ? -1 : int(it - columns_.begin());
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !ds_ ? 0 : ds_->recordCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    if (!ds_ || !index.isValid() || index.row() >= ds_->recordCount() || index.column() >= int(columns_.size()))
        return {};
    const int fi = columns_[size_t(index.column())];
    const Field& f = ds_->field(fi);
    const fb::Value& v = ds_->row(index.row()).value(fi);
    switch (role) {
        case Qt::DisplayRole: return displayText(f, v);
        case Qt::EditRole: return editValue(f, v);
        case Qt::TextAlignmentRole:
            return f.isNumeric() ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
        default: return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && ds_ && section >= 0 &&
        section < int(columns_.size()))
        return caption(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || !ds_) return f;
    f |= Qt::ItemNeverHasChildren;
    if (!readOnly_ && !ds_->field(columns_[size_t(index.column())]).readOnly()) f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!ds_ || role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable)) return false;
    const Field& f = ds_->field(columns_[size_t(index.column())]);
    const QString name = f.name();
    try {
        const fb::Value v = fromVariant(f, value);
        ds_->setCurrentRow(index.row());
        const bool browsing = ds_->state() == DataSet::State::Browse;
        if (browsing) ds_->edit();
        try {
            ds_->setValue(name, v);
            if (browsing) ds_->post();
        } catch (...) {
            if (browsing) ds_->cancel();
            throw;
        }
        return true;
    } catch (const DataSetError& e) {
        emit editRefused(e.message(), e.field().isEmpty() ? name : e.field());
    } catch (const std::exception& e) {
        // Change handlers may fail too (a lookup in the database); the grid
        // cannot carry an exception, so it becomes a refusal.
        emit editRefused(QString::fromUtf8(e.what()), name);
    }
    return false;
}

void DataSetModel::sort(int column, Qt::SortOrder order) {
    const int fi = fieldIndex(column);
    if (!ds_ || fi < 0) return;
    try {
        ds_->sort(ds_->field(fi).name(), order == Qt::AscendingOrder);
    } catch (const std::exception& e) {  // a pending row that cannot be posted
        emit editRefused(QString::fromUtf8(e.what()), ds_->field(fi).name());
    }
}

void DataSetModel::aboutToReset() { beginResetModel(); }

void DataSetModel::didReset() {
    computeColumns();
    endResetModel();
}

void DataSetModel::aboutToInsertRow(int row) { beginInsertRows({}, row, row); }
void DataSetModel::didInsertRow(int) { endInsertRows(); }
void DataSetModel::aboutToRemoveRow(int row) { beginRemoveRows({}, row, row); }
void DataSetModel::didRemoveRow(int) { endRemoveRows(); }

void DataSetModel::rowChanged(int row) {
    if (!columns_.empty()) emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1));
}

void DataSetModel::currentChanged(int row) { emit currentRowChanged(row); }

void DataSetModel::fieldsChanged() {
    beginResetModel();
    computeColumns();
    endResetModel();
}

void DataSetModel::dataSetDestroyed() {
    beginResetModel();
    ds_ = nullptr;
    columns_.clear();
    endResetModel();
}

}  // namespace cxp
