#pragma once
// The client dataset every screen stands on: rows of typed fields read from
// a query (or started empty), edited in memory in the states browse, insert
// and edit, and written back by applyUpdates as one transaction for a master
// and its nested details.
#include "base/Dinero.h"
#include "data/fb/Database.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace cxp {

class DataSet;
namespace detail {
struct Record;
}

enum class FieldType { String, Integer, Decimal, Float, Boolean, Date, Time, DateTime, Memo, Blob };

// Something the person can correct (a missing value, a text too long, too
// many decimals) or a misuse of the dataset. field() names the offending
// field, when there is one, so that the screen can move the focus to it.
class DataSetError : public std::runtime_error {
public:
    explicit DataSetError(const QString& message, const QString& field = {});
    const QString& message() const { return message_; }
    const QString& field() const { return field_; }

private:
    QString message_;
    QString field_;
};

// A column declared by the program: a dataset started from a column list,
// or a calculated field.
struct FieldSpec {
    FieldSpec(QString name, FieldType type = FieldType::String, int size = 0, int scale = 0, bool required = false,
              QString table = {})
        : name(std::move(name)), type(type), size(size), scale(scale), required(required), table(std::move(table)) {}
    QString name;
    FieldType type = FieldType::String;
    int size = 0;     // characters of a String; 0 for no limit
    int scale = 0;    // decimals of a Decimal
    bool required = false;
    QString table;    // table the column belongs to; empty for none
};

class Field {
public:
    const QString& name() const { return name_; }
    FieldType type() const { return type_; }
    int size() const { return size_; }    // characters of a String; 0 for no limit
    int scale() const { return scale_; }  // decimals of a Decimal
    const QString& table() const { return table_; }    // source table, empty for expressions
    const QString& origin() const { return origin_; }  // source column in that table
    bool calculated() const { return calculated_; }
    bool isNumeric() const;
    unsigned sqlType() const { return sqlType_; }  // SQL_* storage: bounds what a number may hold

    // NOT NULL columns are required unless they belong to another table than
    // the update table (they are not written). setRequired overrides that
    // and survives a re-open.
    bool required() const;
    void setRequired(bool on) { required_ = on; }
    // Read-only fields refuse setValue; calculated fields always are.
    bool readOnly() const { return readOnly_ || calculated_; }
    void setReadOnly(bool on) { readOnly_ = on; }
    // For grids: hidden fields are no column; the label defaults to the name.
    bool visible() const { return visible_; }
    void setVisible(bool on);
    QString label() const { return label_.isEmpty() ? name_ : label_; }
    void setLabel(const QString& label);

private:
    friend class DataSet;
    DataSet* owner_ = nullptr;
    QString name_, label_, table_, origin_;
    FieldType type_ = FieldType::String;
    unsigned sqlType_ = 0;  // storage, for the range an integer or decimal can hold
    int size_ = 0;
    int scale_ = 0;
    bool nullable_ = true;
    std::optional<bool> required_;
    bool readOnly_ = false;
    bool calculated_ = false;
    bool visible_ = true;
};

// Read access to one row without moving the current row. Null reads as 0,
// an empty text or an invalid date, as the typed getters of a data-aware
// screen expect; a row that is not there reads as null.
class RecordRef {
public:
    RecordRef(const DataSet* ds, const detail::Record* rec) : ds_(ds), rec_(rec) {}
    bool isValid() const { return rec_ != nullptr; }

    const fb::Value& value(const QString& field) const;
    const fb::Value& value(int field) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    QString asString(const QString& field) const;  // decimals "1234.50", dates "yyyy/MM/dd"
    int64_t asInt(const QString& field) const;     // throws on a fraction
    Dinero asDinero(const QString& field) const;   // exact; only integers and decimals
    QDate asDate(const QString& field) const;

private:
    const DataSet* ds_;
    const detail::Record* rec_;
};

// A calculated field's result may be a Dinero.
inline fb::Value toValue(Dinero d) { return fb::Decimal{d.crudo(), -Dinero::decimales}; }
// A value as plain text: decimals "-1234.50", dates "yyyy/MM/dd", times
// "HH:mm:ss", flags "S"/"N", null empty.
QString plainText(const fb::Value& value);

// What a save meets when another clerk changed or deleted the row after it
// was read.
inline constexpr const char* kModificadoPorOtro = "El registro fue modificado por otro usuario. Vuelva a consultarlo.";

struct ApplyOptions {
    // Attempts in all: update conflicts (another clerk writing the same row)
    // are retried with a short random pause, and so are failures that
    // onFailure declares fixed.
    int maxAttempts = 10;
    // No further attempt starts once this much time has gone since the
    // first one (zero: no limit), so that a save that keeps conflicting
    // gives up in a bounded time; with transaction.lockTimeoutSeconds it
    // also bounds the waits for another clerk's locks.
    std::chrono::milliseconds maxDuration{0};
    fb::TransactionOptions transaction;
    // Runs first inside each attempt's transaction, e.g. to take a new id
    // from a CAMBIE_ID_ procedure and set it on the master.
    std::function<void(fb::Transaction&, int attempt)> beforeApply;
    // Runs last inside each attempt's transaction, after this dataset's
    // rows are written: another document saved with it (e.g. through
    // writeIn), so that both are written or neither.
    std::function<void(fb::Transaction&, int attempt)> afterApply;
    // Called, with the transaction already rolled back, for a failure that
    // is no update conflict while attempts remain. Return true after fixing
    // the data (e.g. an automatic prefix whose number another clerk took:
    // take the next free one) to run the whole save again.
    std::function<bool(const fb::DbError&, int attempt)> onFailure;
};

// What a grid needs to follow a dataset. Rows are visible-row indices. Every
// aboutTo… call comes before the change and its did… call right after it.
class DataSetObserver {
public:
    virtual ~DataSetObserver() = default;
    virtual void aboutToReset() {}
    virtual void didReset() {}
    virtual void aboutToInsertRow(int) {}
    virtual void didInsertRow(int) {}
    virtual void aboutToRemoveRow(int) {}
    virtual void didRemoveRow(int) {}
    virtual void rowChanged(int) {}
    virtual void currentChanged(int) {}
    virtual void stateChanged() {}
    virtual void fieldsChanged() {}  // labels or visibility
    virtual void dataSetDestroyed() {}
};

class DataSet {
public:
    enum class State { Browse, Insert, Edit };
    using Handler = std::function<void(DataSet&)>;
    using Compute = std::function<fb::Value(const RecordRef&)>;

    DataSet();
    ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    // ---- opening. A re-open keeps hooks, calculated fields, details and the
    // label, visibility, read-only and required settings of fields that keep
    // their name. Through a Database the query runs in a read-only transaction.
    void open(fb::Transaction& tr, const QString& sql, const std::vector<fb::Value>& params = {});
    void open(fb::Database& db, const QString& sql, const std::vector<fb::Value>& params = {});
    // The statement's fields and no row (e.g. "select … from NOTAS where 1=0").
    void openEmpty(fb::Transaction& tr, const QString& sql);
    void openEmpty(fb::Database& db, const QString& sql);
    void openEmpty(const std::vector<FieldSpec>& columns);
    // Rows read elsewhere (by a thread of their own) with their statement's
    // columns; each row has one value per column.
    void open(const std::vector<fb::Column>& columns, std::vector<std::vector<fb::Value>> rows);
    bool isOpen() const { return open_; }
    // Drops every row and the change log, of the details too; keeps fields.
    void clear();

    // ---- fields. References stay valid until the next open or addCalculated.
    int fieldCount() const { return int(fields_.size()); }
    const Field& field(int index) const { return fields_.at(size_t(index)); }
    Field& field(int index) { return fields_.at(size_t(index)); }
    const Field& field(const QString& name) const { return fields_[size_t(fieldIndexOrThrow(name))]; }
    Field& field(const QString& name) { return fields_[size_t(fieldIndexOrThrow(name))]; }
    int fieldIndex(const QString& name) const;  // case-insensitive; -1 when none
    // A client-only field, recomputed whenever its row is read or changes;
    // never written. Computed in declaration order, so it may use earlier ones.
    void addCalculated(const FieldSpec& definicion, Compute compute);

    // ---- navigation. Moving posts a pending insert or edit first (of the
    // details too), as a data-aware grid does when it leaves a row.
    int recordCount() const { return int(view_.size()); }
    bool isEmpty() const { return view_.empty(); }
    int currentRow() const { return cur_; }  // -1 when empty
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    void first();
    void last();
    void next();   // on the last row sets eof and stays
    void prior();  // on the first row sets bof and stays
    void setCurrentRow(int row);
    bool locate(const QString& field, const fb::Value& value);
    bool locate(const QStringList& fields, const std::vector<fb::Value>& values);
    // Stable; nulls first; text in Spanish collation, case-insensitive.
    void sort(const QString& field, bool ascending = true);

    // ---- reading the current row
    RecordRef current() const;
    RecordRef row(int row) const;
    const fb::Value& value(const QString& field) const { return current().value(field); }
    bool isNull(const QString& field) const { return current().isNull(field); }
    QString asString(const QString& field) const { return current().asString(field); }
    int64_t asInt(const QString& field) const { return current().asInt(field); }
    Dinero asDinero(const QString& field) const { return current().asDinero(field); }
    QDate asDate(const QString& field) const { return current().asDate(field); }
    // Exact sum of an integer or decimal column over the visible rows.
    Dinero sum(const QString& field) const;

    // ---- editing. A value is refused, and nothing stored, when it is of
    // another kind than the field, a text longer than the field, or a number
    // with more decimals or digits than the column holds.
    State state() const { return state_; }
    void append();
    void insert();   // before the current row
    void edit();
    // Only in insert or edit: a value set in browse throws.
    void setValue(const QString& field, const fb::Value& value);
    void setValue(const QString& field, Dinero value);
    // Runs beforePost, then checks required fields (the first missing one
    // throws, naming it); on success back to browse and afterPost.
    void post();
    void cancel();  // restores the row, or drops it when it was being inserted
    // The current row, with its detail rows; rows the database holds are
    // logged for deletion. A row being inserted is simply cancelled.
    void remove();

    // ---- notifications. onChange fires after a field's value really changed.
    // Re-entry rule: while a field's handlers run, changes to that same field
    // are stored but do not fire them again, so a handler that sets its own
    // field, or a chain A → B → A, ends: the inner change to A is silent.
    // Other fields' handlers still fire. Changes made by calculations, key
    // propagation to details, cancel or loading fire nothing.
    void onChange(const QString& field, Handler handler);
    void beforePost(Handler handler) { beforePost_.push_back(std::move(handler)); }
    void afterPost(Handler handler) { afterPost_.push_back(std::move(handler)); }
    void afterScroll(Handler handler) { afterScroll_.push_back(std::move(handler)); }  // another row became current
    void onNewRecord(Handler handler) { newRecord_.push_back(std::move(handler)); }   // defaults of a new row
    void afterRemove(Handler handler) { afterRemove_.push_back(std::move(handler)); }

    // ---- nested details. The detail shows the rows of the master's current
    // row (each detail row belongs to one master row, so two new documents
    // that both hold id 0 keep their own lines); its new rows take the master's key; when the master's key changes
    // (a new document takes its real id before it is stored) the detail's
    // link fields follow; removing a master row removes its details. Loaded
    // detail rows find their master row by key when either is opened.
    void addDetail(DataSet& detail, const QStringList& masterFields, const QStringList& detailFields);
    DataSet* master() const { return master_; }

    // ---- writing. Only columns of the update table that are neither
    // calculated nor read-only (key and link fields always) are written.
    void setUpdateTable(const QString& table, const QStringList& keyFields);
    const QString& updateTable() const { return updateTable_; }
    const QStringList& keyFields() const { return keyFields_; }
    bool hasChanges() const;  // this dataset and its details
    // Writes the changes of this dataset and its details in one transaction:
    // deletes of the details (deepest first), inserts and updates from the
    // master down, then the master's deletes. Inserts give the columns that
    // hold a value (the database's defaults apply to the rest); updates give
    // the changed columns, keyed on the original key. A row read from the
    // database is updated or deleted only while it still holds the values
    // read in every written column (blobs and times aside); when another clerk changed
    // or deleted it meanwhile the save fails with kModificadoPorOtro and
    // nothing is overwritten. A row this dataset wrote itself is keyed on its
    // key alone until it is read again. On a failure nothing stays in the database,
    // the change log stays as it was and the DbError is thrown; on success
    // the change log is cleared. applyUpdates changes no value of the
    // dataset itself: values set by a hook during a failed attempt stay (a
    // hook should be right when it runs again), and values the database
    // sets (defaults, triggers) are not read back.
    void applyUpdates(fb::Database& db, const ApplyOptions& options = {});
    // Every row, of the details too, becomes new: the next applyUpdates
    // inserts them all and deletes none. For rows read under a key that the
    // save replaces (a document left stored with id 0 and saved with its
    // own id): the caller removes the stored rows in beforeApply.
    void markAllNew();
    // The rows written inside another save's transaction, as applyUpdates
    // writes them, without committing; acceptWritten() clears the change
    // log once that transaction committed (on a failure nothing is to do:
    // the change log stays for the next attempt).
    void writeIn(fb::Transaction& tr);
    void acceptWritten() { mergeChangeLog(); }

    void addObserver(DataSetObserver* observer);
    void removeObserver(DataSetObserver* observer);

private:
    friend class Field;
    friend class RecordRef;
    struct Link {
        DataSet* detail;
        QStringList masterFields, detailFields;
    };
    struct Calc {
        FieldSpec definicion;
        Compute compute;
    };
    class Writer;
    class ResetScope;

    int fieldIndexOrThrow(const QString& name) const;
    std::vector<Field> buildFields(const std::vector<fb::Column>& columns,
                                   const std::vector<FieldSpec>* specs = nullptr) const;
    void load(std::vector<Field> fields, std::vector<std::unique_ptr<detail::Record>> rows);
    void requireOpen() const;
    detail::Record* currentRecord() const { return cur_ >= 0 ? view_[size_t(cur_)] : nullptr; }
    int viewIndexOf(const detail::Record* rec) const;
    const Link& linkOf(const DataSet* detail) const;
    void computeCalcs(detail::Record& rec) const;
    bool requiredByDefault(const Field& f) const;

    void checkBrowseMode();
    void moveTo(int row);
    void currentMoved(bool force, bool scrollHooks = true);
    void rebuildView();
    void followMaster();
    void attachToMaster();
    void placeRecord(std::unique_ptr<detail::Record> rec, int pos);
    void removeAt(int pos, bool logDelete);
    void removeOwnedBy(uint64_t owner);
    void propagateKeys(detail::Record& masterRec);
    bool isMasterKey(int field) const;
    void newRow(bool atEnd);
    void fire(std::vector<Handler>& handlers);
    void fireChange(int field);
    void clearRows();

    bool rowChanged(const detail::Record& rec) const;
    bool ownChanges() const;
    bool writes(int field) const;
    bool isKeyOrLink(int field) const;
    void mergeChangeLog();

    template <typename F> void notify(F&& f) {
        for (DataSetObserver* o : std::vector<DataSetObserver*>(observers_)) f(o);
    }
    void fieldsChanged();

    bool open_ = false;
    State state_ = State::Browse;
    std::vector<Field> fields_;
    int dataFields_ = 0;
    QHash<QString, int> byName_;
    std::vector<Calc> calcs_;

    std::vector<std::unique_ptr<detail::Record>> rows_;  // every row, of every master row
    std::vector<detail::Record*> view_;                  // the rows shown
    std::vector<std::unique_ptr<detail::Record>> deleted_;
    std::vector<fb::Value> backup_;  // the row before edit()
    const detail::Record* returnTo_ = nullptr;  // current row before an insert
    int cur_ = -1;
    int lastRow_ = -1;
    uint64_t currentId_ = 0;
    bool bof_ = true;
    bool eof_ = true;

    QHash<QString, std::vector<Handler>> changeHandlers_;
    QSet<QString> running_;
    std::vector<Handler> beforePost_, afterPost_, afterScroll_, newRecord_, afterRemove_;

    std::vector<Link> details_;
    DataSet* master_ = nullptr;

    QString updateTable_;
    QStringList keyFields_;
    std::vector<DataSetObserver*> observers_;
};

}  // namespace cxp
