#pragma once
// Builders of payables documents for the ledger's tests, writing the rows a
// screen writes (id from the document's CAMBIE_ID_ procedure, number from a
// counter, the creditor's prefix "0000"), and an oracle that keeps what was
// written and computes every balance by hand, at any date, from those rows.
#include "data/fb/Database.h"

#include <QDate>
#include <array>
#include <map>
#include <vector>

namespace libro {

using Centavos = int64_t;

fb::Value dinero(Centavos c);
Centavos centavos(const fb::Value& v);

// Withholdings by kind: rete-fuente, rete-IVA, rete-ICA, CREE.
using Retenciones = std::array<Centavos, 4>;

struct Linea {
    int tipo = 0;
    int id = 0;
    Centavos abono = 0;  // signed like the document's balance
    Centavos dtof = 0;
    Retenciones rete{};
};

struct Documento {
    int tipo = 0;
    int id = 0;
    QString nit;
    QString numero;
    QDate fecha, vence, fecdtof;
    int signo = 1;
    Centavos bruto = 0;
    Retenciones rete{};
    Centavos dtof = 0;
    bool anulado = false;
    bool borrado = false;
    int egreso = 0;  // advances: the voucher that paid it out
    Centavos neto() const { return bruto - rete[0] - rete[1] - rete[2] - rete[3]; }
};

struct Cruce {
    int tipo = 0;  // 62 or 53
    int id = 0;
    QString nit;
    QDate fecha;
    bool anulado = false;
    bool borrado = false;
    std::vector<Linea> lineas;
};

struct Saldo {
    Centavos bruto = 0, neto = 0;
    Retenciones pendiente{};
};

class Libro {
public:
    explicit Libro(fb::Database& db) : db_(db) {}

    void acreedor(const QString& nit, const QString& grupo = QStringLiteral("01"));
    // Balances net of withholdings ("SI") or gross (anything else).
    void baseNeta(bool neta);
    bool neta() const { return neta_; }

    // Debts and credits. Amounts: gross taxable amount, VAT, withholdings,
    // prompt-payment discount.
    Documento& cargo(const QString& nit, QDate fecha, Centavos monto, Centavos iva = 0, Retenciones r = {},
                     int diasVence = 30, Centavos dtof = 0, int diasDtof = 0);
    Documento& factura(const QString& nit, QDate fecha, Centavos monto, Centavos iva = 0, Retenciones r = {},
                       int diasVence = 30);
    Documento& descuento(const QString& nit, QDate fecha, Centavos monto, Centavos iva = 0, Retenciones r = {});
    Documento& devolucion(const QString& nit, QDate fecha, Centavos monto);
    // An advance registered from a voucher: EGRE_ID 0 until `egreso` pays it out.
    Documento& anticipo(const QString& nit, QDate fecha, Centavos base, Centavos iva = 0, Retenciones r = {});
    // A payment voucher with its documents; `pagaAnticipos` are advances it
    // registers and pays out (their lines carry the payout, negated as the
    // client enters them).
    Cruce& egreso(const QString& nit, QDate fecha, std::vector<Linea> lineas, std::vector<int> pagaAnticipos = {});
    Cruce& aplicacion(const QString& nit, QDate fecha, std::vector<Linea> lineas);

    void anular(Documento& d);
    void anular(Cruce& c);
    void borrar(Cruce& c);  // annulled first, as the search requires
    void borrar(Documento& d);

    Documento& doc(int tipo, int id) { return docs_.at({tipo, id}); }
    std::map<std::pair<int, int>, Documento>& documentos() { return docs_; }
    std::map<std::pair<int, int>, Cruce>& cruces() { return cruces_; }

    // The oracle: a live document's balances at a date, from the rows written.
    bool enLibro(const Documento& d) const;
    Saldo saldo(const Documento& d, QDate fecha) const;
    Centavos saldoBase(const Documento& d, QDate fecha) const {
        const Saldo s = saldo(d, fecha);
        return neta_ ? s.neto : s.bruto;
    }
    Centavos saldoAcreedor(const QString& nit, QDate fecha) const;

private:
    int nuevoId(const char* procedimiento);
    QString numero(int tipo);
    Documento& guardar(Documento d);

    fb::Database& db_;
    bool neta_ = true;
    std::map<int, int> consecutivos_;
    std::map<std::pair<int, int>, Documento> docs_;
    std::map<std::pair<int, int>, Cruce> cruces_;
};

// Every kind of document for the creditors `nits` (already created), one
// day at a time from `inicio`: debts and credits, advances paid out by their
// vouchers, payments of what the lookup proposes (whole or in part, with the
// discount and withholdings), applications of credits against debts, and
// now and then an annulment or a deletion. Valid data: no crossing past its
// document, none before it, none of another creditor's.
void poblarAlAzar(Libro& libro, const QStringList& nits, uint32_t semilla, QDate inicio, int dias);

// The definition of `procedimiento` in company script `guion` (a former one
// when a later script replaced it), to be created as `nombre`; empty when
// it is not there.
QString anterior(const QString& guion, const QString& procedimiento, const QString& nombre);

}  // namespace libro
