#pragma once
// Thin RAII layer over Firebird's OO API. Every handle is released on every
// path; every failure becomes a DbError.
#include "data/fb/DbError.h"
#include "data/fb/Value.h"

#include <QString>
#include <QAnyStringView>
#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
class IStatement;
class IResultSet;
class IMessageMetadata;
}  // namespace Firebird

namespace fb {

// The process-wide engine set-up. The embedded engine runs as SuperClassic
// from the program's own Firebird root and every process shares one lock
// folder, so that several programs may open the same files at once. It is
// applied before the first call into the client library, and the lock
// folder is a constant: two lock folders on one file would corrupt it.
// Both live in a folder of this OS user (~/.cache/cxpagar-firebird, the home
// taken from the user database, not from $HOME), mode 0700: another user can
// neither plant libraries in the root nor block the folder by making it
// first. Several OS users sharing one set of files use a Firebird server.
struct Environment {
    static QString base();        // the user's folder holding both
    static QString root();        // the program's Firebird root
    static QString lockFolder();  // the one lock folder
    // Prepares the root and the environment (idempotent, thread-safe).
    // Throws DbError when the root cannot be written or a folder is not
    // private to this user.
    static void ensure();
    // Why `dir` is not a private folder of this user (lstat: a directory,
    // not a link, owned by the effective user, no rights for group or
    // others); empty when it is.
    static QString privateFolderProblem(const QString& dir);
};

struct ConnectionParams {
    QString database;  // "/path/x.fdb" embedded, or "host/port:/path/x.fdb" on a server
    QString user;
    QString password;
    QString role;
    QString charset = QStringLiteral("ISO8859_1");
};

struct TransactionOptions {
    bool readOnly = false;
    int lockTimeoutSeconds = -1;  // -1 waits for ever
};

// One column of a statement's result (or one parameter).
struct Column {
    QString name;      // alias as the statement names it, upper case unless quoted
    QString field;     // source column
    QString relation;  // source table, empty for expressions
    unsigned type = 0; // SQL_* without the nullable bit
    int subType = 0;
    unsigned length = 0;  // bytes
    int scale = 0;
    unsigned charSet = 0;
    bool nullable = true;
    // Characters the column holds (length in bytes over the character width).
    int characters() const;
};

class Row {
public:
    Row() = default;
    Row(std::shared_ptr<const std::vector<Column>> columns, std::vector<Value> values);

    int size() const { return int(values_.size()); }
    const Value& at(int i) const { return values_.at(size_t(i)); }
    const Value& operator[](int i) const { return at(i); }
    // By column name, case-insensitive; throws DbError when there is none.
    const Value& operator[](QAnyStringView name) const;
    bool has(QAnyStringView name) const { return indexOf(name) >= 0; }
    int indexOf(QAnyStringView name) const;
    const std::vector<Column>& columns() const { return *columns_; }
    const std::vector<Value>& values() const { return values_; }

private:
    std::shared_ptr<const std::vector<Column>> columns_;
    std::vector<Value> values_;
};

class Transaction;
class Statement;

// Stops, from any thread, the statement that runs on one attachment: the
// call waiting on it fails with a DbError of kind Cancelled, its
// transaction can be rolled back, and the attachment goes on. A copy may
// outlive the Database; once that is detached, cancel() does nothing.
class Canceller {
public:
    Canceller() = default;
    void cancel() const;
    bool isValid() const { return bool(target_); }

private:
    friend class Database;
    struct Target {
        std::mutex mutex;
        Firebird::IAttachment* att = nullptr;
    };
    explicit Canceller(std::shared_ptr<Target> t) : target_(std::move(t)) {}
    std::shared_ptr<Target> target_;
};

class Database {
public:
    Database() = default;
    ~Database();
    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    static Database attach(const ConnectionParams& params);
    // Creates a dialect 3 database with ISO8859_1 as its default character set.
    static Database create(const ConnectionParams& params, int pageSize = 8192);

    bool isAttached() const { return att_ != nullptr; }
    void detach();
    // Drops the attached database file (used by tools and tests).
    void drop();

    const ConnectionParams& params() const { return params_; }
    // The password is not kept once the attachment no longer needs it.
    void forgetPassword() { params_.password = QString(); }

    Transaction begin(const TransactionOptions& options = {});

    // A statement run in its own transaction that commits on success.
    // Returns the rows affected.
    int64_t executeDirect(const QString& sql, const std::vector<Value>& params = {});
    // Reads through query()/queryOne() share one read-only read-committed
    // transaction kept open instead of starting one per read: every start
    // rewrites the database header, a synchronous write when forced writes
    // are on. Such a transaction sees every commit at once and holds back
    // no garbage collection. A read that fails drops it; the next read
    // starts another. Off by default; the session's connections turn it on.
    void setSharedReads(bool on);
    bool sharedReads() const { return sharedReads_; }

    // Runs `leer(Transaction&)` in the shared read transaction when reads
    // are shared (a failure drops it), else in a read-only transaction of
    // its own, committed after it. For reads that need a statement rather
    // than rows (a data set's fields, a procedure that takes a sequence's
    // next value).
    template <class Leer>
    decltype(auto) read(Leer&& leer);

    // A query run in its own read-only transaction (or the shared one).
    std::vector<Row> query(const QString& sql, const std::vector<Value>& params = {});
    std::optional<Row> queryOne(const QString& sql, const std::vector<Value>& params = {});

    Firebird::IAttachment* handle() const { return att_; }

    // A handle another thread may use to stop what runs on this attachment.
    Canceller canceller() const { return Canceller(cancelTarget_); }
    // Drops a cancel that came after the statement it meant had ended (the
    // engine may hold it for the next call) and leaves cancelling enabled.
    // Called by the thread that uses the attachment, before its work.
    void resetCancel();

    // Text <-> the connection's character set. Text the character set cannot
    // hold is refused with a DbError, never replaced.
    QByteArray encode(QStringView text) const;
    QString decode(const char* data, size_t size) const;
    bool isUtf8() const { return utf8_; }

private:
    Transaction& reader();
    void dropReader() noexcept;
    void setAttachment(Firebird::IAttachment* att);

    Firebird::IAttachment* att_ = nullptr;
    std::shared_ptr<Canceller::Target> cancelTarget_;
    ConnectionParams params_;
    bool utf8_ = false;
    bool sharedReads_ = false;
    std::unique_ptr<Transaction> reader_;
};

class Transaction {
public:
    Transaction(Database& db, const TransactionOptions& options = {});
    ~Transaction();  // rolls back unless committed
    Transaction(Transaction&&) noexcept;
    Transaction& operator=(Transaction&&) = delete;
    Transaction(const Transaction&) = delete;

    void commit();
    void rollback();
    bool isActive() const { return tra_ != nullptr; }
    Database& database() const { return *db_; }
    Firebird::ITransaction* handle() const { return tra_; }

    // Shortcuts over Statement.
    int64_t execute(const QString& sql, const std::vector<Value>& params = {});
    std::vector<Row> query(const QString& sql, const std::vector<Value>& params = {});
    std::optional<Row> queryOne(const QString& sql, const std::vector<Value>& params = {});
    // EXECUTE PROCEDURE name(params...) returning its output parameters.
    Row executeProcedure(const QString& name, const std::vector<Value>& params = {});

private:
    Database* db_;
    Firebird::ITransaction* tra_ = nullptr;
};

class Cursor;

class Statement {
public:
    Statement(Transaction& tr, const QString& sql);
    ~Statement();
    Statement(Statement&&) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int parameterCount() const;
    const std::vector<Column>& columns() const { return *outColumns_; }
    bool isSelect() const;  // has a cursor: SELECT or a selectable procedure

    // Parameters are positional ('?'), 0-based.
    void bind(int index, const Value& value);
    void bind(const std::vector<Value>& values);
    void clearBindings();

    // Runs a statement without a cursor. Returns the output row of
    // EXECUTE PROCEDURE or of a RETURNING clause.
    std::optional<Row> execute();
    int64_t affectedRows() const;

    // Opens a cursor for SELECT or a selectable procedure.
    Cursor open();
    std::vector<Row> fetchAll();

private:
    friend class Cursor;
    struct Input;
    std::vector<unsigned char> buildInput(Firebird::IMessageMetadata** meta);
    Row readRow(const unsigned char* buffer) const;

    Transaction* tr_;
    Firebird::IStatement* stmt_ = nullptr;
    Firebird::IMessageMetadata* outMeta_ = nullptr;
    std::shared_ptr<std::vector<Column>> outColumns_;
    std::vector<Column> inColumns_;
    std::vector<Value> params_;
    unsigned type_ = 0;
};

class Cursor {
public:
    ~Cursor();
    Cursor(Cursor&&) noexcept;
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    bool next();  // false at the end
    const Row& row() const { return row_; }

private:
    friend class Statement;
    Cursor(Statement& st, Firebird::IResultSet* rs);
    Statement* st_;
    Firebird::IResultSet* rs_;
    std::vector<unsigned char> buffer_;
    Row row_;
};

template <class Leer>
decltype(auto) Database::read(Leer&& leer) {
    if (sharedReads_) {
        try {
            return leer(reader());
        } catch (const DbError&) {
            dropReader();  // a lost connection leaves it dead
            throw;
        }
    }
    Transaction tr(*this, {.readOnly = true});
    if constexpr (std::is_void_v<decltype(leer(tr))>) {
        leer(tr);
        tr.commit();
    } else {
        decltype(auto) r = leer(tr);
        tr.commit();
        return r;
    }
}

}  // namespace fb
