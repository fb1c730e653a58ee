#pragma once
// The payables data module's document lookups: a payables document's id
// and open amounts by type, prefix and number for a creditor at a date,
// the check of a document typed into a payment or application line, and a
// document's balance at a date.
#include "base/Dinero.h"

#include <QDate>
#include <QString>

namespace fb {
class Database;
}

namespace cxp {

class Interaccion;

// Open amounts of the last document found: balance and the withholdings
// still pending on it.
struct ImportesPendientes {
    Dinero saldo;
    Dinero rtfte;
    Dinero rtiva;
    Dinero rtica;
    Dinero rcree;
};

// What a payment or application line receives from a valid document.
struct DocumentoPorPagar {
    int64_t id = 0;
    Dinero rtfte;
    Dinero rtiva;
    Dinero rtica;
    Dinero rcree;
    Dinero dtof;   // prompt-payment discount
    Dinero abono;  // the balance: what the line pays by default
    QString numprov;
};

class Cxpagar {
public:
    Cxpagar(fb::Database& compania, Interaccion& interaccion) : compania_(compania), interaccion_(interaccion) {}

    // The document's id, or 0 when it is not found or cannot be paid (no
    // message: the caller says why). Every call overwrites ultimos().
    int64_t id_doc(int tipo, const QString& prefijo, const QString& numero, const QString& nit, const QDate& fecha);
    // The same through the lookup of the applications screen.
    int64_t id_doc_p(int tipo, const QString& prefijo, const QString& numero, const QString& nit, const QDate& fecha);
    const ImportesPendientes& ultimos() const { return ultimos_; }

    // The check of a document typed into a line. True fills `linea`; false
    // shows the lookup's message (codes 1 to 4; others are silent) and
    // leaves `linea` zeroed. An advance not yet paid out by a voucher comes
    // with its amounts negated.
    bool valide_doc_cxpagar(const QString& nit, int tipo, const QString& prefijo, const QString& numero,
                            const QDate& fecha, DocumentoPorPagar& linea);

    // The document's balance at a date (advances with the same sign rule);
    // 0 when the database has no row.
    Dinero saldo_doc_cxpagar(int tipo, int64_t id, const QDate& fecha);

    // "BOG000123" typed as one string: the last six characters are the
    // number and the rest the prefix. A shorter text is all number.
    static std::pair<QString, QString> separar_documento(const QString& texto);

private:
    int64_t buscar(const QString& procedimiento, int tipo, const QString& prefijo, const QString& numero,
                   const QString& nit, const QDate& fecha);
    // An advance counts negative while no voucher has paid it out. Nothing
    // when the advance does not exist.
    std::optional<bool> anticipoSinEgreso(int64_t id);

    fb::Database& compania_;
    Interaccion& interaccion_;
    ImportesPendientes ultimos_;
};

}  // namespace cxp
