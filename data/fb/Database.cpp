#include "data/fb/Database.h"

#include <QStringDecoder>

#include <firebird/Interface.h>
#include <ibase.h>

#include <QRegularExpression>
#include <cstring>

using namespace Firebird;

namespace fb {

namespace {

IMaster* master() {
    Environment::ensure();
    static IMaster* m = fb_get_master_interface();
    return m;
}

IUtil* util() { return master()->getUtilInterface(); }

// A throwing status, disposed on every path.
class Status {
public:
    Status() : w_(master()->getStatus()) {}
    ~Status() { w_.dispose(); }
    ThrowStatusWrapper* operator&() { return &w_; }

private:
    ThrowStatusWrapper w_;
};

// A status for clean-up paths, which must not throw.
class QuietStatus {
public:
    QuietStatus() : w_(master()->getStatus()) {}
    ~QuietStatus() { w_.dispose(); }
    CheckStatusWrapper* operator&() { return &w_; }
    bool failed() const { return w_.getState() & IStatus::STATE_ERRORS; }

private:
    CheckStatusWrapper w_;
};

// Status text as UTF-8 when it is valid UTF-8 (a UTF8 connection), else as
// ISO8859_1.
QString decodeStatus(const char* text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString s = utf8(QByteArrayView(text));
    return utf8.hasError() ? QString::fromLatin1(text) : s;
}

DbError toDbError(const IStatus* status) {
    std::vector<int64_t> codes;
    const intptr_t* v = status->getErrors();
    std::vector<ISC_STATUS> legacy;
    for (const intptr_t* p = v; *p != isc_arg_end;) {
        const intptr_t arg = *p;
        legacy.push_back(p[0]);
        legacy.push_back(p[1]);
        if (arg == isc_arg_gds) codes.push_back(int64_t(p[1]));
        if (arg == isc_arg_cstring) {
            legacy.push_back(p[2]);
            p += 3;
        } else {
            p += 2;
        }
    }
    legacy.push_back(isc_arg_end);
    char buf[2048];
    const unsigned n = util()->formatStatus(buf, sizeof buf - 1, const_cast<IStatus*>(status));
    buf[std::min<unsigned>(n, sizeof buf - 1)] = '\0';
    // Engine messages are ASCII; a procedure's exception text comes in the
    // connection's character set, ISO8859_1 for every database of the suite.
    QString text = decodeStatus(buf).trimmed();
    const int sqlCode = int(isc_sqlcode(legacy.data()));
    const ErrorKind kind = DbError::classify(codes, text);
    return DbError(kind, text, std::move(codes), sqlCode);
}

// Runs f, turning the client library's exceptions into DbError.
template <typename F>
auto guarded(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const FbException& e) {
        throw toDbError(e.getStatus());
    }
}

unsigned charsetId(const QString& name) {
    const QString n = name.toUpper();
    if (n == QLatin1String("UTF8")) return 4;
    if (n == QLatin1String("OCTETS")) return 1;
    if (n == QLatin1String("NONE")) return 0;
    return 21;  // ISO8859_1
}

int bytesPerChar(unsigned charSet) {
    switch (charSet & 0xFF) {
        case 3: return 3;  // UNICODE_FSS
        case 4: return 4;  // UTF8
        default: return 1;
    }
}

// Releases a reference-counted interface at scope end.
template <typename T>
struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p) p->release();
    }
    T* operator->() const { return p; }
};

std::vector<Column> readColumns(IMessageMetadata* meta) {
    std::vector<Column> cols;
    if (!meta) return cols;
    Status st;
    const unsigned n = meta->getCount(&st);
    cols.reserve(n);
    for (unsigned i = 0; i < n; ++i) {
        Column c;
        c.name = QString::fromUtf8(meta->getAlias(&st, i));
        c.field = QString::fromUtf8(meta->getField(&st, i));
        c.relation = QString::fromUtf8(meta->getRelation(&st, i));
        c.type = meta->getType(&st, i) & ~1u;
        c.subType = meta->getSubType(&st, i);
        c.length = meta->getLength(&st, i);
        c.scale = meta->getScale(&st, i);
        c.charSet = meta->getCharSet(&st, i);
        c.nullable = meta->isNullable(&st, i);
        if (c.name.isEmpty()) c.name = c.field;
        cols.push_back(std::move(c));
    }
    return cols;
}

bool isIdentifier(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9_$]{0,62}$"));
    return re.match(s).hasMatch();
}

}  // namespace

int Column::characters() const {
    if (type == SQL_TEXT || type == SQL_VARYING) return int(length) / bytesPerChar(charSet);
    return 0;
}

// ---------------------------------------------------------------- Row

Row::Row(std::shared_ptr<const std::vector<Column>> columns, std::vector<Value> values)
    : columns_(std::move(columns)), values_(std::move(values)) {}

int Row::indexOf(QAnyStringView name) const {
    if (!columns_) return -1;
    for (size_t i = 0; i < columns_->size(); ++i)
        if (QAnyStringView::compare((*columns_)[i].name, name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

const Value& Row::operator[](QAnyStringView name) const {
    const int i = indexOf(name);
    if (i < 0)
        throw DbError(ErrorKind::Other,
                      QStringLiteral("La consulta no tiene la columna %1.").arg(name.toString()));
    return values_[size_t(i)];
}

// ---------------------------------------------------------------- Database

Database::~Database() { detach(); }

// The shared read transaction points at its Database: it ends on a move,
// and the next read starts another.
Database::Database(Database&& o) noexcept
    : att_((o.dropReader(), std::exchange(o.att_, nullptr))),
      cancelTarget_(std::move(o.cancelTarget_)),
      params_(std::move(o.params_)),
      utf8_(o.utf8_),
      sharedReads_(o.sharedReads_) {}

Database& Database::operator=(Database&& o) noexcept {
    if (this != &o) {
        detach();
        o.dropReader();
        att_ = std::exchange(o.att_, nullptr);
        cancelTarget_ = std::move(o.cancelTarget_);
        params_ = std::move(o.params_);
        utf8_ = o.utf8_;
        sharedReads_ = o.sharedReads_;
    }
    return *this;
}

namespace {

std::vector<unsigned char> buildDpb(const ConnectionParams& p, bool creating, int pageSize) {
    Status st;
    IXpbBuilder* b = util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    struct Dispose {
        IXpbBuilder* b;
        ~Dispose() { b->dispose(); }
    } d{b};
    if (!p.user.isEmpty()) b->insertString(&st, isc_dpb_user_name, p.user.toUtf8().constData());
    if (!p.password.isEmpty()) b->insertString(&st, isc_dpb_password, p.password.toUtf8().constData());
    if (!p.role.isEmpty()) b->insertString(&st, isc_dpb_sql_role_name, p.role.toUtf8().constData());
    b->insertString(&st, isc_dpb_lc_ctype, p.charset.toUtf8().constData());
    b->insertInt(&st, isc_dpb_sql_dialect, 3);
    if (creating) {
        b->insertString(&st, isc_dpb_set_db_charset, "ISO8859_1");
        b->insertInt(&st, isc_dpb_page_size, pageSize);
    }
    const unsigned char* buf = b->getBuffer(&st);
    return std::vector<unsigned char>(buf, buf + b->getBufferLength(&st));
}

}  // namespace

Database Database::attach(const ConnectionParams& params) {
    Database db;
    db.params_ = params;
    db.utf8_ = charsetId(params.charset) == 4;
    db.setAttachment(guarded([&] {
        Status st;
        const auto dpb = buildDpb(params, false, 0);
        Ref<IProvider> prov{master()->getDispatcher()};
        return prov->attachDatabase(&st, params.database.toUtf8().constData(), unsigned(dpb.size()),
                                    dpb.data());
    }));
    return db;
}

Database Database::create(const ConnectionParams& params, int pageSize) {
    Database db;
    db.params_ = params;
    db.utf8_ = charsetId(params.charset) == 4;
    db.setAttachment(guarded([&] {
        Status st;
        const auto dpb = buildDpb(params, true, pageSize);
        Ref<IProvider> prov{master()->getDispatcher()};
        return prov->createDatabase(&st, params.database.toUtf8().constData(), unsigned(dpb.size()),
                                    dpb.data());
    }));
    return db;
}

void Database::setAttachment(IAttachment* att) {
    att_ = att;
    cancelTarget_ = std::make_shared<Canceller::Target>();
    cancelTarget_->att = att;
}

void Database::detach() {
    dropReader();
    if (!att_) return;
    if (cancelTarget_) {
        // A cancel under way finishes before the handle goes.
        std::lock_guard lock(cancelTarget_->mutex);
        cancelTarget_->att = nullptr;
    }
    QuietStatus st;
    att_->detach(&st);
    if (st.failed()) att_->release();  // a lost connection: drop the handle
    att_ = nullptr;
}

void Database::drop() {
    dropReader();
    if (!att_) return;
    if (cancelTarget_) {
        std::lock_guard lock(cancelTarget_->mutex);
        cancelTarget_->att = nullptr;
    }
    guarded([&] {
        Status st;
        att_->dropDatabase(&st);
    });
    att_ = nullptr;
}

void Canceller::cancel() const {
    if (!target_) return;
    std::lock_guard lock(target_->mutex);
    if (!target_->att) return;
    // Nothing running is no fault: the engine says so and nothing changes.
    QuietStatus st;
    target_->att->cancelOperation(&st, fb_cancel_raise);
}

void Database::resetCancel() {
    if (!att_) return;
    // Disabling drops a pending raise; enabling again makes the attachment
    // cancellable, as it is when attached.
    guarded([&] {
        Status st;
        att_->cancelOperation(&st, fb_cancel_disable);
        att_->cancelOperation(&st, fb_cancel_enable);
    });
}

Transaction Database::begin(const TransactionOptions& options) { return Transaction(*this, options); }

int64_t Database::executeDirect(const QString& sql, const std::vector<Value>& params) {
    Transaction tr(*this);
    const int64_t n = tr.execute(sql, params);
    tr.commit();
    return n;
}

void Database::setSharedReads(bool on) {
    sharedReads_ = on;
    if (!on) dropReader();
}

Transaction& Database::reader() {
    if (!reader_) reader_ = std::make_unique<Transaction>(*this, TransactionOptions{.readOnly = true});
    return *reader_;
}

void Database::dropReader() noexcept { reader_.reset(); }  // a read-only transaction: rolled back, nothing lost

std::vector<Row> Database::query(const QString& sql, const std::vector<Value>& params) {
    return read([&](Transaction& tr) { return tr.query(sql, params); });
}

std::optional<Row> Database::queryOne(const QString& sql, const std::vector<Value>& params) {
    return read([&](Transaction& tr) { return tr.queryOne(sql, params); });
}

QByteArray Database::encode(QStringView text) const {
    if (utf8_) return text.toUtf8();
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            throw DbError(ErrorKind::Other,
                          QStringLiteral("El texto \"%1\" tiene el carácter \"%2\", que la base de datos no "
                                         "puede guardar.")
                              .arg(text.left(60).toString(), QString(c)));
        out.append(char(c.unicode()));
    }
    return out;
}

QString Database::decode(const char* data, size_t size) const {
    return utf8_ ? QString::fromUtf8(data, qsizetype(size)) : QString::fromLatin1(data, qsizetype(size));
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database& db, const TransactionOptions& options) : db_(&db) {
    if (!db.isAttached())
        throw DbError(ErrorKind::Network, QStringLiteral("No hay conexión con la base de datos."));
    tra_ = guarded([&] {
        Status st;
        IXpbBuilder* b = util()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
        struct Dispose {
            IXpbBuilder* b;
            ~Dispose() { b->dispose(); }
        } d{b};
        b->insertTag(&st, options.readOnly ? isc_tpb_read : isc_tpb_write);
        b->insertTag(&st, isc_tpb_read_committed);
        b->insertTag(&st, isc_tpb_rec_version);
        b->insertTag(&st, isc_tpb_wait);
        if (options.lockTimeoutSeconds >= 0) b->insertInt(&st, isc_tpb_lock_timeout, options.lockTimeoutSeconds);
        return db.handle()->startTransaction(&st, b->getBufferLength(&st), b->getBuffer(&st));
    });
}

Transaction::Transaction(Transaction&& o) noexcept : db_(o.db_), tra_(std::exchange(o.tra_, nullptr)) {}

Transaction::~Transaction() {
    if (!tra_) return;
    QuietStatus st;
    tra_->rollback(&st);
    if (st.failed()) tra_->release();
    tra_ = nullptr;
}

void Transaction::commit() {
    if (!tra_) throw DbError(ErrorKind::Other, QStringLiteral("La transacción ya terminó."));
    guarded([&] {
        Status st;
        tra_->commit(&st);
    });
    tra_ = nullptr;
}

void Transaction::rollback() {
    if (!tra_) return;
    ITransaction* t = std::exchange(tra_, nullptr);
    try {
        guarded([&] {
            Status st;
            t->rollback(&st);
        });
    } catch (...) {
        t->release();
        throw;
    }
}

int64_t Transaction::execute(const QString& sql, const std::vector<Value>& params) {
    Statement s(*this, sql);
    s.bind(params);
    s.execute();
    return s.affectedRows();
}

std::vector<Row> Transaction::query(const QString& sql, const std::vector<Value>& params) {
    Statement s(*this, sql);
    s.bind(params);
    return s.fetchAll();
}

std::optional<Row> Transaction::queryOne(const QString& sql, const std::vector<Value>& params) {
    Statement s(*this, sql);
    s.bind(params);
    Cursor c = s.open();
    if (!c.next()) return std::nullopt;
    return c.row();
}

Row Transaction::executeProcedure(const QString& name, const std::vector<Value>& params) {
    if (!isIdentifier(name))
        throw DbError(ErrorKind::Other, QStringLiteral("Nombre de procedimiento no válido: %1").arg(name));
    QString sql = QStringLiteral("EXECUTE PROCEDURE ") + name;
    if (!params.empty()) {
        QStringList marks;
        for (size_t i = 0; i < params.size(); ++i) marks << QStringLiteral("?");
        sql += QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    Statement s(*this, sql);
    s.bind(params);
    auto row = s.execute();
    return row ? *row : Row();
}


// ---------------------------------------------------------------- Statement

namespace {

std::invalid_argument badParam(int i, const char* why) {
    return std::invalid_argument("parámetro " + std::to_string(i + 1) + ": " + why);
}

void putShortText(unsigned char* dst, const QByteArray& bytes) {
    const uint16_t len = uint16_t(bytes.size());
    std::memcpy(dst, &len, 2);
    std::memcpy(dst + 2, bytes.constData(), size_t(bytes.size()));
}

}  // namespace

Statement::Statement(Transaction& tr, const QString& sql) : tr_(&tr) {
    if (!tr.isActive()) throw DbError(ErrorKind::Other, QStringLiteral("La transacción ya terminó."));
    const QByteArray text = tr.database().encode(sql);
    guarded([&] {
        Status st;
        stmt_ = tr.database().handle()->prepare(&st, tr.handle(), unsigned(text.size()), text.constData(),
                                                3, IStatement::PREPARE_PREFETCH_METADATA);
        type_ = stmt_->getType(&st);
        outMeta_ = stmt_->getOutputMetadata(&st);
        Ref<IMessageMetadata> in{stmt_->getInputMetadata(&st)};
        inColumns_ = readColumns(in.p);
        outColumns_ = std::make_shared<std::vector<Column>>(readColumns(outMeta_));
    });
    params_.resize(inColumns_.size());
}

Statement::~Statement() {
    if (outMeta_) outMeta_->release();
    if (stmt_) {
        QuietStatus st;
        stmt_->free(&st);
        if (st.failed()) stmt_->release();
    }
}

Statement::Statement(Statement&& o) noexcept
    : tr_(o.tr_),
      stmt_(std::exchange(o.stmt_, nullptr)),
      outMeta_(std::exchange(o.outMeta_, nullptr)),
      outColumns_(std::move(o.outColumns_)),
      inColumns_(std::move(o.inColumns_)),
      params_(std::move(o.params_)),
      type_(o.type_) {}

int Statement::parameterCount() const { return int(inColumns_.size()); }

bool Statement::isSelect() const {
    return type_ == isc_info_sql_stmt_select || type_ == isc_info_sql_stmt_select_for_upd;
}

void Statement::bind(int index, const Value& value) {
    if (index < 0 || index >= parameterCount()) throw badParam(index, "no existe");
    params_[size_t(index)] = value;
}

void Statement::bind(const std::vector<Value>& values) {
    if (int(values.size()) != parameterCount())
        throw std::invalid_argument("la sentencia espera " + std::to_string(parameterCount()) +
                                    " parámetros y recibió " + std::to_string(values.size()));
    params_ = values;
}

void Statement::clearBindings() { std::fill(params_.begin(), params_.end(), Value()); }

// Builds the input message. Each parameter is described by the value given
// to it (the server converts to the column's type), so an exact number stays
// exact and a date is never text in a regional format.
std::vector<unsigned char> Statement::buildInput(IMessageMetadata** metaOut) {
    *metaOut = nullptr;
    if (inColumns_.empty()) return {};
    Database& db = tr_->database();
    std::vector<QByteArray> bytes(params_.size());
    Status st;
    Ref<IMessageMetadata> orig{stmt_->getInputMetadata(&st)};
    IMetadataBuilder* b = orig->getBuilder(&st);
    struct Release {
        IMetadataBuilder* b;
        ~Release() { b->release(); }
    } rel{b};
    for (size_t i = 0; i < params_.size(); ++i) {
        const Value& v = params_[i];
        const unsigned origType = inColumns_[i].type;
        const bool blob = origType == SQL_BLOB;
        auto set = [&](unsigned type, unsigned length, int scale = 0, int sub = 0) {
            b->setType(&st, unsigned(i), type | 1);
            b->setLength(&st, unsigned(i), length);
            b->setScale(&st, unsigned(i), scale);
            b->setSubType(&st, unsigned(i), sub);
        };
        const auto& s = v.storage();
        if (v.isNull()) {
            continue;  // keeps the parameter's own type, with the null flag set below
        } else if (blob) {
            if (auto q = std::get_if<QByteArray>(&s)) bytes[i] = *q;
            else bytes[i] = db.encode(v.toString());
            set(SQL_BLOB, sizeof(ISC_QUAD), 0, inColumns_[i].subType);
        } else if (std::holds_alternative<int64_t>(s)) {
            set(SQL_INT64, 8);
        } else if (auto d = std::get_if<Decimal>(&s)) {
            set(SQL_INT64, 8, d->scale);
        } else if (std::holds_alternative<double>(s)) {
            set(SQL_DOUBLE, 8);
        } else if (std::holds_alternative<bool>(s)) {
            set(SQL_BOOLEAN, 1);
        } else if (auto q = std::get_if<QString>(&s)) {
            bytes[i] = db.encode(*q);
            if (bytes[i].size() > 32765) throw badParam(int(i), "texto demasiado largo");
            set(SQL_VARYING, unsigned(std::max<qsizetype>(bytes[i].size(), 1)));
            b->setCharSet(&st, unsigned(i), charsetId(db.params().charset));
        } else if (auto q = std::get_if<QByteArray>(&s)) {
            bytes[i] = *q;
            if (bytes[i].size() > 32765) throw badParam(int(i), "dato demasiado largo");
            set(SQL_VARYING, unsigned(std::max<qsizetype>(bytes[i].size(), 1)));
            b->setCharSet(&st, unsigned(i), 1);  // OCTETS
        } else if (std::holds_alternative<QDate>(s)) {
            set(SQL_TYPE_DATE, sizeof(ISC_DATE));
        } else if (std::holds_alternative<QTime>(s)) {
            set(SQL_TYPE_TIME, sizeof(ISC_TIME));
        } else if (std::holds_alternative<QDateTime>(s)) {
            set(SQL_TIMESTAMP, sizeof(ISC_TIMESTAMP));
        }
    }
    IMessageMetadata* meta = b->getMetadata(&st);
    *metaOut = meta;
    std::vector<unsigned char> buf(meta->getMessageLength(&st), 0);
    IUtil* u = util();
    for (size_t i = 0; i < params_.size(); ++i) {
        const unsigned ix = unsigned(i);
        unsigned char* p = buf.data() + meta->getOffset(&st, ix);
        int16_t* nullFlag = reinterpret_cast<int16_t*>(buf.data() + meta->getNullOffset(&st, ix));
        const Value& v = params_[i];
        const auto& s = v.storage();
        *nullFlag = v.isNull() ? -1 : 0;
        if (v.isNull()) continue;
        const unsigned type = meta->getType(&st, ix) & ~1u;
        switch (type) {
            case SQL_BLOB: {
                ISC_QUAD id;
                Ref<IBlob> blobRef;
                IBlob* blobH = tr_->database().handle()->createBlob(&st, tr_->handle(), &id, 0, nullptr);
                try {
                    const QByteArray& data = bytes[i];
                    for (qsizetype off = 0; off < data.size(); off += 32768) {
                        const auto n = std::min<qsizetype>(32768, data.size() - off);
                        blobH->putSegment(&st, unsigned(n), data.constData() + off);
                    }
                    blobH->close(&st);
                } catch (...) {
                    QuietStatus q;
                    blobH->cancel(&q);
                    if (q.failed()) blobH->release();
                    throw;
                }
                std::memcpy(p, &id, sizeof id);
                break;
            }
            case SQL_INT64: {
                int64_t n = 0;
                if (auto d = std::get_if<Decimal>(&s)) n = d->unscaled;
                else n = std::get<int64_t>(s);
                std::memcpy(p, &n, 8);
                break;
            }
            case SQL_DOUBLE: {
                const double d = std::get<double>(s);
                std::memcpy(p, &d, 8);
                break;
            }
            case SQL_BOOLEAN:
                *p = std::get<bool>(s) ? 1 : 0;
                break;
            case SQL_VARYING:
                putShortText(p, bytes[i]);
                break;
            case SQL_TYPE_DATE: {
                const QDate d = std::get<QDate>(s);
                const ISC_DATE x = u->encodeDate(unsigned(d.year()), unsigned(d.month()), unsigned(d.day()));
                std::memcpy(p, &x, sizeof x);
                break;
            }
            case SQL_TYPE_TIME: {
                const QTime t = std::get<QTime>(s);
                const ISC_TIME x = u->encodeTime(unsigned(t.hour()), unsigned(t.minute()), unsigned(t.second()),
                                                 unsigned(t.msec()) * 10);
                std::memcpy(p, &x, sizeof x);
                break;
            }
            case SQL_TIMESTAMP: {
                const QDateTime dt = std::get<QDateTime>(s);
                ISC_TIMESTAMP x;
                x.timestamp_date = u->encodeDate(unsigned(dt.date().year()), unsigned(dt.date().month()),
                                                 unsigned(dt.date().day()));
                x.timestamp_time = u->encodeTime(unsigned(dt.time().hour()), unsigned(dt.time().minute()),
                                                 unsigned(dt.time().second()), unsigned(dt.time().msec()) * 10);
                std::memcpy(p, &x, sizeof x);
                break;
            }
            default:
                throw badParam(int(i), "tipo no soportado");
        }
    }
    return buf;
}

Row Statement::readRow(const unsigned char* buf) const {
    Status st;
    IUtil* u = util();
    const Database& db = tr_->database();
    std::vector<Value> values;
    values.reserve(outColumns_->size());
    for (unsigned i = 0; i < outColumns_->size(); ++i) {
        const Column& c = (*outColumns_)[i];
        const unsigned char* p = buf + outMeta_->getOffset(&st, i);
        const int16_t isNull = *reinterpret_cast<const int16_t*>(buf + outMeta_->getNullOffset(&st, i));
        if (isNull) {
            values.emplace_back();
            continue;
        }
        auto integer = [&](int64_t n) -> Value {
            if (c.scale < 0) return Decimal{n, c.scale};
            return c.scale == 0 ? Value(n) : Value(Decimal{n, 0}.rescaled(-c.scale));
        };
        switch (c.type) {
            case SQL_TEXT: {
                if ((c.charSet & 0xFF) == 1) {
                    values.emplace_back(QByteArray(reinterpret_cast<const char*>(p), int(c.length)));
                    break;
                }
                // CHAR arrives padded with spaces; the padding is not data.
                size_t n = c.length;
                while (n > 0 && p[n - 1] == ' ') --n;
                values.emplace_back(db.decode(reinterpret_cast<const char*>(p), n));
                break;
            }
            case SQL_VARYING: {
                uint16_t n;
                std::memcpy(&n, p, 2);
                const char* data = reinterpret_cast<const char*>(p + 2);
                if ((c.charSet & 0xFF) == 1) values.emplace_back(QByteArray(data, n));
                else values.emplace_back(db.decode(data, n));
                break;
            }
            case SQL_SHORT: {
                int16_t n;
                std::memcpy(&n, p, 2);
                values.push_back(integer(n));
                break;
            }
            case SQL_LONG: {
                int32_t n;
                std::memcpy(&n, p, 4);
                values.push_back(integer(n));
                break;
            }
            case SQL_INT64: {
                int64_t n;
                std::memcpy(&n, p, 8);
                values.push_back(integer(n));
                break;
            }
            case SQL_FLOAT: {
                float f;
                std::memcpy(&f, p, 4);
                values.emplace_back(double(f));
                break;
            }
            case SQL_DOUBLE:
            case SQL_D_FLOAT: {
                double d;
                std::memcpy(&d, p, 8);
                values.emplace_back(d);
                break;
            }
            case SQL_BOOLEAN:
                values.emplace_back(bool(*p));
                break;
            case SQL_TYPE_DATE: {
                ISC_DATE x;
                std::memcpy(&x, p, sizeof x);
                unsigned y, m, d;
                u->decodeDate(x, &y, &m, &d);
                values.emplace_back(QDate(int(y), int(m), int(d)));
                break;
            }
            case SQL_TYPE_TIME: {
                ISC_TIME x;
                std::memcpy(&x, p, sizeof x);
                unsigned h, m, s, f;
                u->decodeTime(x, &h, &m, &s, &f);
                values.emplace_back(QTime(int(h), int(m), int(s), int(f / 10)));
                break;
            }
            case SQL_TIMESTAMP: {
                ISC_TIMESTAMP x;
                std::memcpy(&x, p, sizeof x);
                unsigned y, mo, d, h, mi, s, f;
                u->decodeDate(x.timestamp_date, &y, &mo, &d);
                u->decodeTime(x.timestamp_time, &h, &mi, &s, &f);
                values.emplace_back(QDateTime(QDate(int(y), int(mo), int(d)), QTime(int(h), int(mi), int(s), int(f / 10))));
                break;
            }
            case SQL_BLOB: {
                ISC_QUAD id;
                std::memcpy(&id, p, sizeof id);
                QByteArray data;
                guarded([&] {
                    Status bst;
                    IBlob* blob = tr_->database().handle()->openBlob(&bst, tr_->handle(), &id, 0, nullptr);
                    try {
                        char chunk[32768];
                        for (;;) {
                            unsigned got = 0;
                            const int r = blob->getSegment(&bst, sizeof chunk, chunk, &got);
                            if (r == IStatus::RESULT_NO_DATA) break;
                            data.append(chunk, got);
                        }
                        blob->close(&bst);
                    } catch (...) {
                        QuietStatus q;
                        blob->close(&q);
                        if (q.failed()) blob->release();
                        throw;
                    }
                });
                if (c.subType == 1) values.emplace_back(db.decode(data.constData(), size_t(data.size())));
                else values.emplace_back(data);
                break;
            }
            case SQL_NULL:
                values.emplace_back();
                break;
            default:
                throw DbError(ErrorKind::Other,
                              QStringLiteral("Tipo de columna no soportado en %1 (%2).").arg(c.name).arg(c.type));
        }
    }
    return Row(outColumns_, std::move(values));
}

std::optional<Row> Statement::execute() {
    if (isSelect()) {
        // A SELECT run for its effect: read nothing.
        Cursor c = open();
        return std::nullopt;
    }
    return guarded([&]() -> std::optional<Row> {
        Status st;
        IMessageMetadata* inMeta = nullptr;
        std::vector<unsigned char> in;
        try {
            in = buildInput(&inMeta);
        } catch (...) {
            if (inMeta) inMeta->release();
            throw;
        }
        Ref<IMessageMetadata> inRef{inMeta};
        if (outColumns_->empty()) {
            tr_->handle();
            stmt_->execute(&st, tr_->handle(), inMeta, in.empty() ? nullptr : in.data(), nullptr, nullptr);
            return std::nullopt;
        }
        std::vector<unsigned char> out(outMeta_->getMessageLength(&st));
        stmt_->execute(&st, tr_->handle(), inMeta, in.empty() ? nullptr : in.data(), outMeta_, out.data());
        return readRow(out.data());
    });
}

int64_t Statement::affectedRows() const {
    return guarded([&] {
        Status st;
        return int64_t(stmt_->getAffectedRecords(&st));
    });
}

Cursor Statement::open() {
    return guarded([&] {
        Status st;
        IMessageMetadata* inMeta = nullptr;
        std::vector<unsigned char> in;
        try {
            in = buildInput(&inMeta);
        } catch (...) {
            if (inMeta) inMeta->release();
            throw;
        }
        Ref<IMessageMetadata> inRef{inMeta};
        IResultSet* rs = stmt_->openCursor(&st, tr_->handle(), inMeta, in.empty() ? nullptr : in.data(),
                                           outMeta_, 0);
        return Cursor(*this, rs);
    });
}

std::vector<Row> Statement::fetchAll() {
    std::vector<Row> rows;
    Cursor c = open();
    while (c.next()) rows.push_back(c.row());
    return rows;
}

// ---------------------------------------------------------------- Cursor

Cursor::Cursor(Statement& st, IResultSet* rs) : st_(&st), rs_(rs) {
    Status s;
    buffer_.resize(st.outMeta_ ? st.outMeta_->getMessageLength(&s) : 0);
}

Cursor::Cursor(Cursor&& o) noexcept
    : st_(o.st_), rs_(std::exchange(o.rs_, nullptr)), buffer_(std::move(o.buffer_)), row_(std::move(o.row_)) {}

Cursor::~Cursor() {
    if (!rs_) return;
    QuietStatus st;
    rs_->close(&st);
    if (st.failed()) rs_->release();
}

bool Cursor::next() {
    if (!rs_) return false;
    const bool got = guarded([&] {
        Status st;
        return rs_->fetchNext(&st, buffer_.data()) == IStatus::RESULT_OK;
    });
    if (!got) {
        QuietStatus st;
        rs_->close(&st);
        if (st.failed()) rs_->release();
        rs_ = nullptr;
        return false;
    }
    row_ = st_->readRow(buffer_.data());
    return true;
}

}  // namespace fb
