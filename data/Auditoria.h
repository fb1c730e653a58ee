#pragma once
// The audit trail as the screens read it: why and by whom a document was
// annulled, the reason typed when annulling or deleting, and who inserted a
// document and when (printed on documents). The database writes the rows;
// the program only fills the reason.
#include <QDate>
#include <QString>
#include <optional>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class Interaccion;

// razon_anulacion: "<reason>. Anulado por:<full name>, el dia: <date>", or
// "Sin explicación del usuario. Anulado por:<full name>, el dia: <date>"
// when the reason is empty or there is no annulment row. The user's full
// name comes from the general database.
QString razon_anulacion(fb::Database& compania, fb::Database& general, int tipo, int64_t idDocumento);

// The reason typed when annulling or deleting must not be empty: false
// after telling the person so.
bool razon_valida(const QString& razon, Interaccion& interaccion);

// The reason for annulling or deleting a document, asked in the reason panel
// when "ESTABLECER CONTROL DEL PORQUE SE ANULAN LOS DOCUMENTOS" says SI (an
// empty text when it does not); nothing when the person closed the panel or
// left the reason empty (she has been told).
std::optional<QString> pida_razon(const Configuracion& configuracion, Interaccion& interaccion);

enum class OperacionAuditada { Anulacion, Eliminacion };
// Puts the reason on the annulment ('A') or deletion ('D') row of the
// document, once the document has been annulled or deleted.
void registre_razon(fb::Database& compania, int tipo, int64_t idDocumento, OperacionAuditada operacion,
                    const QString& razon);

struct RegistroInsercion {
    QDate fecha;
    QString hora;
    QString usuario;
};
// The insertion row of a document, or nothing.
std::optional<RegistroInsercion> auditoria_insercion(fb::Database& compania, int tipo, int64_t idDocumento);
// "fecha-hora-usuario" of the insertion, as documents print it; payment
// vouchers take only the first eight characters of the time (horaCorta).
// Empty when there is no row.
QString texto_auditoria_insercion(fb::Database& compania, int tipo, int64_t idDocumento, bool horaCorta = false);

}  // namespace cxp
