#pragma once
// What the ledger's consults share: the currency selector and the opening
// of the consult of a document on a row.
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class Interaccion;

namespace consultas {

// The consult screens of the documents a ledger row may hold, by the class
// name they are registered under.
inline const QString kCargo = QStringLiteral("Tfnotasdebito2");                     // 51
inline const QString kDescuento = QStringLiteral("Tfnotascredito2");                // 52
inline const QString kAplicacion = QStringLiteral("Tfconsaplicacxp");               // 53
inline const QString kAnticipo = QStringLiteral("Tfconsanticipocxp");               // 55
inline const QString kEgreso = QStringLiteral("Tfconsegresos");                     // 62
inline const QString kFacturaCompra = QStringLiteral("Tfconsfacturacompra");        // 21
inline const QString kDevolucionCompra = QStringLiteral("Tfconsdevolucioncompra");  // 24

inline const QString kNoExiste = QStringLiteral("No Existe un Documento a Consultar");
inline const QString kOtroModulo = QStringLiteral("Consulte El Documento En el Modulo Correspondiente");
inline const QString kFechasInvertidas = QStringLiteral("La fecha inicial no puede ser posterior a la fecha final.");

// The consult screen of a document type; empty for the types whose consult
// belongs to another module of the suite (receivables applications 43,
// cash receipts 61) or to none.
QString pantallaDe(int tipo);

// Opens the consult of the document (argument "id"). A type without a
// consult here, or a consult not in this build, says kOtroModulo.
bool abrir(Interaccion& interaccion, int tipo, int64_t id);

// The type of a document type's short name (TIDO_NOMCORTO), read from
// TIPO_DOCUMENTO; nothing for a name no type has.
std::optional<int> tipoDeNombreCorto(fb::Database& compania, const QString& nombreCorto);

}  // namespace consultas

// A currency a ledger consult may show its amounts in. Code 0 is the
// company's own currency: the amounts as they were recorded.
struct OpcionMoneda {
    int codigo = 0;
    QString nombre;
};

namespace monedas {

inline const QString kLocal = QStringLiteral("Moneda local");
inline const QString kPreguntarCxpagar =
    QStringLiteral("PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR");
inline const QString kPreguntarCartera = QStringLiteral("PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CARTERA");

// Whether the selector shows: configuration "GENERAL" / "GENERAL" /
// propiedad is "SI".
bool visible(const Configuracion& configuracion, const QString& propiedad);
// The local currency first, then TIPOS_MONEDA by code.
QList<OpcionMoneda> lista(fb::Database& compania);

}  // namespace monedas

}  // namespace cxp
