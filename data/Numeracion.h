#pragma once
// Document numbering: filling numbers with zeros, finding a document by
// type, prefix and number in its own table, the check run while a person
// types a document number, the default prefix of a type, and the same for
// bank documents (numbered per bank account) and accounting vouchers
// (numbered per voucher type).
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class DataSet;
class Interaccion;

// Where the documents of a type live. `prefijo` is empty for the types
// looked up by number alone; `conTipo` adds "tido_cod = <code>" to the
// lookup (two types share the table).
struct TablaDocumento {
    int tipo = 0;
    QString tabla;
    QString id;
    QString prefijo;
    QString numero;
    bool banco = false;  // numbered per bank account (cuba_cod, prba_pref)
    bool conTipo = false;
};

// The table of a type, or nothing for a code without documents.
const TablaDocumento* tablaDocumento(int tipo);
// Every type with a table, in code order.
const QList<TablaDocumento>& tablasDocumento();
// Digits of a type's numbers: eight for sales (31) and supplier invoices (50).
int anchoNumero(int tipo);

// The first number of a type and prefix, from `desde` on, that no document
// of that prefix holds, filled to the type's width (numbers stored with
// another width count too). Nothing when `desde` is not a number. One query.
std::optional<QString> primerNumeroLibre(fb::Database& db, int tipo, const QString& prefijo, const QString& desde);
// The first free number from the prefix's PREF_ACTUAL on: what a save on an
// automatic prefix takes when its number is taken, even when PREF_ACTUAL
// itself points at a used number (moved back by hand, or after an import).
// Nothing when the prefix does not exist or its consecutive is no number.
std::optional<QString> numeroLibreDelPrefijo(fb::Database& db, int tipo, const QString& prefijo);
// The active prefixes of a type a clerk of `agencia` may use (its own and the
// company-wide ones; every one for agency 0), in order.
QStringList prefijosActivos(fb::Database& db, int tipo, int agencia);

// "7" -> "000007"; six or more characters unchanged.
QString complete_numero(const QString& numero);
// Left-padded with "0" to ancho; longer strings unchanged.
QString complete_numero_n(const QString& numero, int ancho);

class Numeracion {
public:
    Numeracion(fb::Database& compania, Interaccion& interaccion, const Configuracion& configuracion);

    // Is there a document of that type, prefix and number? The number is
    // filled to the type's width first. Leaves the document's id as the
    // type's found identifier. An empty number answers true without a query.
    // A type without a table throws std::invalid_argument.
    bool existe_numero(int tipo, const QString& prefijo, const QString& numero);

    // The check of a typed document number, `campo`, against the prefix's
    // current consecutive `actual`:
    // - empty: true;
    // - free: true;
    // - taken and different from `actual`: asks "Documento <n> previamente
    //   registrado. Consultar?"; Yes gives true with the found identifier set
    //   (the caller opens that document), No gives false;
    // - taken and equal to `actual`: moves silently to the next free number
    //   and writes it into `campo`. PREFIJOS is not changed.
    bool valide_numero(int tipo, const QString& prefijo, const QString& actual, QString& campo);

    // Makes sure the default prefix "0000" of a type exists and is active.
    void registre_prefijo(int tipo);
    // The type's short name, or empty.
    QString nombre_tipo(int tipo);
    // The prefix and number of the document with that id; nothing when there is none.
    std::optional<std::pair<QString, QString>> numero_documento(int tipo, int64_t id);
    // The same as prefix followed directly by the number; empty when none.
    QString num_documento(int tipo, int64_t id);

    // Bank documents, numbered per bank account in PREFIJOS_BANCOS.
    void registre_prefijoBnco(int tipo, int64_t cuenta);
    bool existe_numerobco(int tipo, int64_t cuenta, const QString& numero, const QString& prefijo);
    // As valide_numero; moving past taken numbers writes every candidate
    // back to PREFIJOS_BANCOS before testing it.
    bool valide_numerobnco(int tipo, int64_t cuenta, const QString& actual, QString& campo, const QString& prefijo);

    // Accounting vouchers, numbered per voucher type in PREFIJOS_CONTA.
    bool existe_ComContable(const QString& tipoComprobante, const QString& prefijo, const QString& numero);
    bool valide_NumComConta(const QString& tipoComprobante, const QString& prefijo, const QString& actual,
                            QString& campo);

    // Found-document identifiers: the id of the last document found of a
    // type (payments 54 and vouchers 62 share one), and of the last voucher.
    QString encontrado(int tipo) const;
    QString comprobanteEncontrado() const { return comprobante_; }
    void limpiarEncontrados();

private:
    using Existe = std::function<bool(const QString& numero)>;
    bool validar(const QString& etiqueta, const QString& actual, QString& campo, int ancho, const Existe& existe,
                 const std::function<void(const QString&)>& antesDeProbar);
    std::optional<QString> buscarId(const QString& sql);
    static QString ranura(int tipo);

    fb::Database& compania_;
    Interaccion& interaccion_;
    const Configuracion& configuracion_;
    QHash<QString, QString> encontrados_;
    QString comprobante_;
};

// The number entry of a document screen, on every change of its number
// field:
// 1. a number shorter than six characters is filled with zeros;
// 2. it is checked with valide_numero;
// 3. refused: the field is emptied;
// 4. accepted with a found document: `consultar` opens it, then the field
//    goes back to the prefix's current consecutive (moving past it when it
//    is taken).
class EntradaNumero {
public:
    using Consultar = std::function<void(const QString& identificador)>;

    EntradaNumero(Numeracion& numeracion, int tipo) : numeracion_(numeracion), tipo_(tipo) {}

    // Runs the protocol on `campo` of the dataset's current row (in insert
    // or edit). `actual` is the prefix's current consecutive.
    void cambio(DataSet& ds, const QString& campo, const QString& prefijo, const QString& actual,
                const Consultar& consultar);
    // The same on a plain value; returns the number the field must hold.
    QString cambio(const QString& numero, const QString& prefijo, const QString& actual, const Consultar& consultar);

private:
    Numeracion& numeracion_;
    int tipo_;
};

}  // namespace cxp
