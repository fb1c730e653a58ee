#pragma once
// Fills a company database with a realistic, reproducible payables ledger:
// creditors, purchase invoices, charges, discounts, returns, advances paid
// out by vouchers, payment vouchers and applications crossing them over
// several years, some annulled. The same seed gives the same rows.
#include "data/fb/Database.h"

#include <QDate>
#include <QTextStream>

namespace cxp::admin {

struct OpcionesVolumen {
    int acreedores = 1000;
    int documentos = 1000000;  // every header: debts, credits, advances, vouchers and applications
    uint32_t semilla = 1;
    QDate desde = QDate(2021, 1, 1);
    QDate hasta = QDate(2026, 11, 30);
};

struct ResumenVolumen {
    int acreedores = 0;
    int64_t documentos = 0;
    int64_t lineas = 0;  // crossings: lines of vouchers and applications
    int64_t anulados = 0;
};

// Adds the rows to `db`, a company database at the current schema. Creditor
// NITs start at 800000000; the payables documents use the prefix "0000" and
// their numbers continue from those already in it.
ResumenVolumen generarVolumen(fb::Database& db, const OpcionesVolumen& op, QTextStream* avance = nullptr);

}  // namespace cxp::admin
