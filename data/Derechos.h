#pragma once
// User rights: per module and numbered option, from the company table
// ACCESO_USUARIO. Only a row whose ACUS_SI is "S" grants; a missing row
// denies. An administrator passes every check without a query.
// A failing query throws its DbError: the command's handler reports it, and
// a right is never granted or denied by a database failure.
#include <QString>

namespace fb {
class Database;
}

namespace cxp {

struct Sesion;

// What a clerk is told when a right is refused.
inline const QString kDerechoNegado =
    QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");

// valide_acceso: the session's user, option `opcion` of `modulo`.
bool valide_acceso(const Sesion& sesion, int opcion, const QString& modulo);
// The same in the running module (sesion.modulo_actual, "C. X PAGAR").
bool valide_acceso(const Sesion& sesion, int opcion);

// acceso_editacomproba: the check for an explicit user code (callers pass
// usuario_actual; "CONTABILIDAD" 31 decides whether the accounting lines of
// a document may be edited). The session's administrator flag applies only
// when the code is the session's own user.
bool acceso_editacomproba(const Sesion& sesion, const QString& usuario, const QString& modulo, int opcion);

// The query alone, without the administrator shortcut.
bool tiene_derecho(fb::Database& compania, const QString& usuario, const QString& modulo, int opcion);

}  // namespace cxp
