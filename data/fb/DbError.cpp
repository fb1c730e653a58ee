#include "data/fb/DbError.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <firebird/Interface.h>

namespace fb {

DbError::DbError(ErrorKind kind, QString text, std::vector<int64_t> gdsCodes, int sqlCode)
    : std::runtime_error(text.toStdString()),
      kind_(kind),
      text_(std::move(text)),
      gds_(std::move(gdsCodes)),
      sqlCode_(sqlCode) {}

bool DbError::hasCode(int64_t gds) const {
    return std::find(gds_.begin(), gds_.end(), gds) != gds_.end();
}

ErrorKind DbError::classify(const std::vector<int64_t>& codes, const QString& text) {
    auto has = [&](int64_t c) { return std::find(codes.begin(), codes.end(), c) != codes.end(); };
    // Two processes sharing the files (SuperClassic) may meet in a deadlock
    // on a page lock; the lock manager breaks it by failing one request with
    // this generic error. The work was rolled back and may simply be redone.
    static const QRegularExpression pageLock(QStringLiteral("page \\d+, page type \\d+ lock (conversion )?denied"));
    if (has(isc_cancelled)) return ErrorKind::Cancelled;
    if (has(isc_random) && pageLock.match(text).hasMatch()) return ErrorKind::LockConflict;
    if (has(isc_unique_key_violation) || has(isc_no_dup)) return ErrorKind::Unique;
    if (has(isc_foreign_key)) return ErrorKind::ForeignKey;
    if (has(isc_update_conflict) || has(isc_deadlock) || has(isc_lock_conflict) ||
        has(isc_lock_timeout))
        return ErrorKind::LockConflict;
    if (has(isc_login)) return ErrorKind::Login;
    if (has(isc_network_error) || has(isc_net_connect_err) || has(isc_net_read_err) ||
        has(isc_net_write_err) || has(isc_conn_lost) || has(isc_lost_db_connection) ||
        has(isc_att_shutdown) || has(isc_shutdown) || has(isc_network_error) ||
        has(isc_net_lookup_err) || has(isc_net_connect_listen_err))
        return ErrorKind::Network;
    if (has(isc_io_error) && (has(isc_io_open_err) || has(isc_io_access_err)))
        return ErrorKind::MissingFile;
    return ErrorKind::Other;
}

const char* toString(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::Unique: return "unique";
        case ErrorKind::ForeignKey: return "foreign key";
        case ErrorKind::LockConflict: return "lock conflict";
        case ErrorKind::Login: return "login";
        case ErrorKind::MissingFile: return "missing file";
        case ErrorKind::Network: return "network";
        case ErrorKind::Cancelled: return "cancelled";
        case ErrorKind::Other: return "other";
    }
    return "other";
}

}  // namespace fb

namespace fb {

QString DbError::exceptionMessage() const {
    constexpr int64_t kUserException = 335544517;  // isc_except
    if (!hasCode(kUserException)) return {};
    // "exception N" / "-NAME" / "-the message" / "-At trigger ..." lines.
    const QStringList lineas = text_.split(QLatin1Char('\n'));
    if (lineas.size() < 3) return {};
    QString mensaje = lineas.at(2).trimmed();
    if (mensaje.startsWith(QLatin1Char('-'))) mensaje.remove(0, 1);
    return mensaje.trimmed();
}

}  // namespace fb
