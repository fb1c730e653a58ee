#pragma once
// Fills a company database with a realistic, reproducible payables ledger:
// creditors, purchase invoices, charges, discounts, returns, advances paid
// out by vouchers, payment vouchers and applications crossing them over
// several years, some annulled. The same seed gives the same rows.
#include "data/fb/Database.h"

#include <QDate>
#include <QTextStream>
#include <functional>
#include <stdexcept>

namespace cxp::admin {

struct OpcionesVolumen {
    int acreedores = 1000;
    int documentos = 1000000;  // every header: debts, credits, advances, vouchers and applications
    uint32_t semilla = 1;
    QDate desde = QDate(2021, 1, 1);
    QDate hasta = QDate(2026, 11, 30);
    // Every generated charge, discount, application and payment voucher is
    // posted to the ledger through the database's posting procedures, on a
    // small chart and definitions the generator adds when the company lacks
    // them. Purchase invoices and returns (21, 24) have no posting procedure
    // here and stay unposted.
    bool contabilizar = true;
    // Called after each batch is committed with the documents so far (for
    // progress, and for tests that cut a load short by throwing).
    std::function<void(int64_t)> trasLote;
};

// A database the generator must not touch: one holding documents that it
// did not generate.
class VolumenRechazado : public std::runtime_error {
public:
    explicit VolumenRechazado(const QString& m) : std::runtime_error(m.toStdString()), mensaje(m) {}
    QString mensaje;
};

struct ResumenVolumen {
    int acreedores = 0;
    int64_t documentos = 0;
    int64_t lineas = 0;  // crossings: lines of vouchers and applications
    int64_t anulados = 0;
    int64_t contabilizados = 0;  // documents made ledger vouchers
};

// Adds the rows to `db`, a company database at the current schema. Creditor
// NITs start at 800000000; the payables documents use the prefix "0000" and
// their numbers continue from those already in it.
//
// It works only on a fresh company (no payables documents) or one it filled
// before (VOLUMEN_CXPAGAR has its row), and throws VolumenRechazado for any
// other: the load turns the balance triggers off, which a company in use
// must never see. The state of the load is recorded before the triggers go
// off; whatever happens (an error, the process killed), the triggers end up
// on and the stored balances rebuilt, at the latest by the next run. The
// posting (OpcionesVolumen::contabilizar) comes after, with the triggers on;
// a document that does not post stops the load with the posting's errors.
ResumenVolumen generarVolumen(fb::Database& db, const OpcionesVolumen& op, QTextStream* avance = nullptr);

// A load cut short (state 'C'): triggers back on, stored balances rebuilt,
// state 'G'. True when there was one to repair.
bool repararVolumen(fb::Database& db);

}  // namespace cxp::admin
