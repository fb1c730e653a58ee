#pragma once
// The cash and bank data module: cash held in a box before a date, the
// documents of payment (cheques received, card slips) held in a box, and
// whether a bank document (cheque or withdrawal) already exists.
#include "base/Dinero.h"

#include <QDate>
#include <QString>
#include <optional>

namespace fb {
class Database;
}

namespace cxp {

class Interaccion;

class Caja {
public:
    // Bank document types.
    static constexpr int kCheque = 72;
    static constexpr int kRetiro = 73;

    Caja(fb::Database& compania, Interaccion& interaccion) : compania_(compania), interaccion_(interaccion) {}

    // Cash (form of payment 1) in the box at the end of the voucher's day:
    // the box's balance before the day after. Nothing when the database
    // gives no row.
    std::optional<Dinero> efectivo_caja(int caja, const QDate& fechaEgreso);

    // Whether the document of payment (form, bank, account, number) is held
    // in the box now (not given out by a voucher).
    bool valide_doc_en_caja(int fopa, const QString& banco, const QString& cuenta, const QString& numero, int caja);
    // Its amount; zero when it is not held in the box.
    Dinero monto_doc_en_caja(int fopa, const QString& banco, const QString& cuenta, const QString& numero, int caja);

    // Whether a cheque (72) or withdrawal (73) with that prefix and number
    // exists on the company's bank account. Another type is false.
    bool existe_documento_banco(int tipo, int cuenta, const QString& prefijo, const QString& numero);

private:
    fb::Database& compania_;
    Interaccion& interaccion_;
};

}  // namespace cxp
