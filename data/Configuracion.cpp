#include "data/Configuracion.h"

#include "data/Interaccion.h"

#include <stdexcept>

namespace cxp {

QString Configuracion::clave(const QString& modulo, const QString& categoria, const QString& propiedad) {
    // A unit separator cannot occur in a key column, so no two keys join alike.
    const QChar sep(0x1f);
    return modulo + sep + categoria + sep + propiedad;
}

void Configuracion::cargar(fb::Database& compania) {
    QHash<QString, QString> nuevos;
    for (const fb::Row& fila : compania.query(QStringLiteral("SELECT * FROM CONFIGURACION")))
        nuevos.insert(clave(fila["CONF_MODULO"].toString(), fila["CONF_CATEGORIA"].toString(),
                            fila["CONF_PROPIEDAD"].toString()),
                      fila["CONF_VALOR"].toString());
    valores_ = std::move(nuevos);
}

std::optional<QString> Configuracion::buscar(const QString& modulo, const QString& categoria,
                                             const QString& propiedad) const {
    const auto it = valores_.constFind(clave(modulo, categoria, propiedad));
    if (it == valores_.constEnd()) return std::nullopt;
    return *it;
}

QString Configuracion::valor(const QString& modulo, const QString& categoria, const QString& propiedad) const {
    if (auto v = buscar(modulo, categoria, propiedad)) return *v;
    interaccion_.error(QStringLiteral("No se encontró la configuración ") + propiedad);
    return {};
}

int Configuracion::entero(const QString& modulo, const QString& categoria, const QString& propiedad) const {
    const QString texto = valor(modulo, categoria, propiedad);
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    if (!ok)
        throw std::invalid_argument(QStringLiteral("El valor \"%1\" de la configuración %2 no es un número entero.")
                                        .arg(texto, propiedad)
                                        .toStdString());
    return n;
}

void Configuracion::asignar(const QString& modulo, const QString& categoria, const QString& propiedad,
                            const QString& valor) {
    valores_.insert(clave(modulo, categoria, propiedad), valor);
}

}  // namespace cxp
