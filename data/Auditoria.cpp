#include "data/Auditoria.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"

namespace cxp {

namespace {

QString condicion(int tipo, int64_t id) {
    return QStringLiteral(" from auditoria where tido_cod = ") + sql::numero(int64_t(tipo)) +
           QStringLiteral(" and audi_iddoc = ") + sql::numero(id);
}

}  // namespace

QString razon_anulacion(fb::Database& compania, fb::Database& general, int tipo, int64_t idDocumento) {
    static const QString kSinExplicacion = QStringLiteral("Sin explicación del usuario");
    const auto fila = compania.queryOne(QStringLiteral("select audi_razon, audi_usuario, audi_fecha") +
                                        condicion(tipo, idDocumento) + QStringLiteral(" and audi_oper = 'A'"));
    if (!fila) return kSinExplicacion + QStringLiteral(". Anulado por:, el dia: ");
    QString nombre;
    if (const auto usuario = general.queryOne(QStringLiteral("select usua_nombre from usuario where usua_cod = ") +
                                              sql::texto((*fila)[1].toString().trimmed())))
        nombre = usuario->at(0).toString().trimmed();
    const QDate fecha = (*fila)[2].isNull() ? QDate() : (*fila)[2].toDate();
    const QString razon = (*fila)[0].toString();
    return (razon.trimmed().isEmpty() ? kSinExplicacion : razon) + QStringLiteral(". Anulado por:") + nombre +
           QStringLiteral(", el dia: ") + fecha.toString(QStringLiteral("yyyy/MM/dd"));
}

bool razon_valida(const QString& razon, Interaccion& interaccion) {
    if (!razon.trimmed().isEmpty()) return true;
    interaccion.informacion(
        QStringLiteral("Debera ingresar una razon por la cual esta anulando/eliminando el documento. Intentelo de "
                       "nuevo."));
    return false;
}

std::optional<QString> pida_razon(const Configuracion& configuracion, Interaccion& interaccion) {
    const bool conRazon = configuracion
                              .valor(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                     QStringLiteral("ESTABLECER CONTROL DEL PORQUE SE ANULAN LOS DOCUMENTOS"))
                              .trimmed()
                              .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    if (!conRazon) return QString();
    const auto r = interaccion.elegir(QStringLiteral("PanelRazon"));
    if (!r) return std::nullopt;
    const QString razon = r->value(QStringLiteral("razon")).toString().trimmed();
    if (!razon_valida(razon, interaccion)) return std::nullopt;
    return razon;
}

void registre_razon(fb::Database& compania, int tipo, int64_t idDocumento, OperacionAuditada operacion,
                    const QString& razon) {
    compania.executeDirect(QStringLiteral("update auditoria set AUDI_RAZON = ") + sql::texto(razon) +
                           QStringLiteral(" where tido_cod = ") + sql::numero(int64_t(tipo)) +
                           QStringLiteral(" and audi_iddoc = ") + sql::numero(idDocumento) +
                           (operacion == OperacionAuditada::Anulacion ? QStringLiteral(" and audi_oper = 'A'")
                                                                      : QStringLiteral(" and audi_oper = 'D'")));
}

std::optional<RegistroInsercion> auditoria_insercion(fb::Database& compania, int tipo, int64_t idDocumento) {
    const auto fila = compania.queryOne(QStringLiteral("select first 1 audi_fecha, audi_hora, audi_usuario") +
                                        condicion(tipo, idDocumento) +
                                        QStringLiteral(" and audi_oper = 'I' order by audi_id"));
    if (!fila) return std::nullopt;
    return RegistroInsercion{(*fila)[0].isNull() ? QDate() : (*fila)[0].toDate(), (*fila)[1].toString(),
                             (*fila)[2].toString().trimmed()};
}

QString texto_auditoria_insercion(fb::Database& compania, int tipo, int64_t idDocumento, bool horaCorta) {
    const auto r = auditoria_insercion(compania, tipo, idDocumento);
    if (!r) return {};
    return r->fecha.toString(QStringLiteral("yyyy/MM/dd")) + u'-' + (horaCorta ? r->hora.left(8) : r->hora) + u'-' +
           r->usuario;
}

}  // namespace cxp
