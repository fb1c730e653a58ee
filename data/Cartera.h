#pragma once
// The receivables data module, as far as a payment voucher needs it: a
// sales document (invoice, customer debit note) of a third party found by
// type, prefix and number with its open amounts, and its balance at a
// date. The balance is the document less the receipts, credit notes and
// crossings by vouchers not annulled.
#include "base/Dinero.h"

#include <QDate>
#include <QString>
#include <cstdint>

namespace fb {
class Database;
}

namespace cxp {

class Interaccion;

// What a receivables crossing line receives from a valid document.
struct DocumentoCartera {
    int64_t id = 0;
    Dinero rtfte;
    Dinero rtiva;
    Dinero rtica;
    Dinero rcree;
    Dinero dtof;   // prompt-payment discount
    Dinero abono;  // the balance: what the line crosses by default
    QString sucursal;
};

class Cartera {
public:
    Cartera(fb::Database& compania, Interaccion& interaccion) : compania_(compania), interaccion_(interaccion) {}

    // The check of a receivable typed into a crossing line. True fills
    // `linea`; false (not found, another third party's, dated after
    // `fecha`, or nothing left to cross) leaves `linea` zeroed and says
    // nothing: the crossing shows its own message.
    bool valide_doc_cartera(const QString& nit, int tipo, const QString& prefijo, const QString& numero,
                            const QDate& fecha, DocumentoCartera& linea);

    // The receivable's balance at the end of a date; zero when it does not
    // exist.
    Dinero saldo_doc_cartera(int tipo, int64_t id, const QDate& fecha);

private:
    fb::Database& compania_;
    Interaccion& interaccion_;
};

}  // namespace cxp
