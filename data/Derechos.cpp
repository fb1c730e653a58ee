#include "data/Derechos.h"

#include "base/Sql.h"
#include "data/Sesion.h"

namespace cxp {

bool tiene_derecho(fb::Database& compania, const QString& usuario, const QString& modulo, int opcion) {
    const auto fila = compania.queryOne(QStringLiteral("select acus_si from acceso_usuario where user_cod = ") +
                                        sql::texto(usuario) + QStringLiteral(" and acus_modulo = ") +
                                        sql::texto(modulo) + QStringLiteral(" and acus_opcion = ") +
                                        sql::numero(int64_t(opcion)));
    return fila && fila->at(0).toString().trimmed() == QLatin1String("S");
}

namespace {

// The session is read-only for screens; a query does not change the
// connection object itself, only the server's state.
fb::Database& conexion(const Sesion& sesion) { return const_cast<fb::Database&>(sesion.compania); }

}  // namespace

bool valide_acceso(const Sesion& sesion, int opcion, const QString& modulo) {
    if (sesion.es_administrador) return true;
    return tiene_derecho(conexion(sesion), sesion.usuario_actual, modulo, opcion);
}

bool valide_acceso(const Sesion& sesion, int opcion) { return valide_acceso(sesion, opcion, sesion.modulo_actual); }

bool acceso_editacomproba(const Sesion& sesion, const QString& usuario, const QString& modulo, int opcion) {
    if (sesion.es_administrador && usuario == sesion.usuario_actual) return true;
    return tiene_derecho(conexion(sesion), usuario, modulo, opcion);
}

}  // namespace cxp
