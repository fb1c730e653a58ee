#include "accounting/interfaces/Interfaces.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"

#include <QStringList>
#include <QVariantList>

namespace cxp {

Interfaces::Interfaces(fb::Database& db, Interaccion& interaccion) : db_(db), interaccion_(interaccion) {}

int Interfaces::abre_interfaz(int tipo, const QString& prefijo, bool preguntar) {
    return abrir(QStringLiteral("select INCP_ID ID, INCP_NOMBRE NOMBRE from INTERFAZ_CXPAGAR where tido_cod = ") +
                     sql::numero(int64_t(tipo)) + QStringLiteral(" and pref_pre = ") + sql::texto(prefijo),
                 preguntar);
}

int Interfaces::abre_interfaz_caja(int tipo, const QString& prefijo, bool preguntar) {
    return abrir(QStringLiteral("select INCJ_ID ID, INCJ_NOMBRE NOMBRE from INTERFAZ_CAJA where tido_cod = ") +
                     sql::numero(int64_t(tipo)) + QStringLiteral(" and pref_pre = ") + sql::texto(prefijo),
                 preguntar);
}

int Interfaces::abrir(const QString& consulta, bool preguntar) {
    const std::vector<fb::Row> filas = db_.query(consulta);
    if (filas.empty()) {
        interaccion_.informacion(kSinInterfaz);
        return 0;
    }
    if (!preguntar) return 0;
    if (filas.size() == 1) return int(filas.front()[0].toInt64());

    QVariantList ids;
    QStringList nombres;
    for (const fb::Row& f : filas) {
        ids << int(f[0].toInt64());
        nombres << f[1].toString().trimmed();
    }
    const auto eleccion =
        interaccion_.elegir(kSelector, {{QStringLiteral("ids"), ids}, {QStringLiteral("nombres"), nombres}});
    if (!eleccion) return 0;
    // Only an id of the list offered is an answer.
    const int id = eleccion->value(QStringLiteral("id")).toInt();
    return ids.contains(id) ? id : 0;
}

}  // namespace cxp
