#pragma once
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace fb {

enum class ErrorKind {
    Unique,        // unique or primary key violated
    ForeignKey,    // foreign key violated
    LockConflict,  // update conflict, deadlock or lock timeout: retry may succeed
    Login,         // user name or password refused
    MissingFile,   // database file or path not found
    Network,       // host unreachable or connection lost
    Cancelled,     // stopped on request (Database::Canceller): no failure
    Other
};

// A database failure with everything Firebird said about it.
class DbError : public std::runtime_error {
public:
    DbError(ErrorKind kind, QString text, std::vector<int64_t> gdsCodes = {}, int sqlCode = 0);

    ErrorKind kind() const { return kind_; }
    const QString& text() const { return text_; }            // Firebird's whole message
    const std::vector<int64_t>& gdsCodes() const { return gds_; }  // every isc_arg_gds code
    int sqlCode() const { return sqlCode_; }
    bool hasCode(int64_t gds) const;

    // A conflict between concurrent writers that a fresh attempt may get past.
    bool isConflict() const { return kind_ == ErrorKind::LockConflict; }
    // The statement was stopped on request; its transaction is rolled back
    // and the connection goes on.
    bool isCancelled() const { return kind_ == ErrorKind::Cancelled; }

    // The text of an exception raised by one of the database's own
    // procedures or triggers ("La cuenta superior 1205 no existe."), without
    // Firebird's frame around it; empty for any other error.
    QString exceptionMessage() const;

    static ErrorKind classify(const std::vector<int64_t>& gdsCodes, const QString& text = {});

private:
    ErrorKind kind_;
    QString text_;
    std::vector<int64_t> gds_;
    int sqlCode_;
};

const char* toString(ErrorKind kind);

}  // namespace fb
