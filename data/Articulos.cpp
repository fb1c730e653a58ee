#include "data/Articulos.h"

#include "base/Sql.h"
#include "data/Importe.h"
#include "data/fb/Database.h"

namespace cxp {

std::optional<Articulo> Articulos::articulo(const QString& codigo) {
    const auto f = compania_.queryOne(
        QStringLiteral("select arti_nombre, arti_unidad, arti_estado from articulos where arti_cod = ") +
        sql::texto(codigo.trimmed()));
    if (!f) return std::nullopt;
    return Articulo{(*f)[0].toString(), (*f)[1].toString().trimmed(), (*f)[2].toString().trimmed() != QLatin1String("I")};
}

bool Articulos::valide_unidad(const QString& codigo, const QString& unidad) {
    const auto f = compania_.queryOne(
        QStringLiteral("select count(*) from articulos a where a.arti_cod = ") + sql::texto(codigo.trimmed()) +
        QStringLiteral(" and (a.arti_unidad = ") + sql::texto(unidad.trimmed()) +
        QStringLiteral(" or exists (select 1 from articulo_unidades u where u.arti_cod = a.arti_cod and u.unid_cod = ") +
        sql::texto(unidad.trimmed()) + QStringLiteral("))"));
    return f && (*f)[0].toInt64() > 0;
}

Dinero Articulos::costo_promedio(const QString& codigo, const QString& unidad, const QDate& fecha) {
    const auto f = compania_.queryOne(QStringLiteral("select costo from costo_promedio(") + sql::texto(codigo.trimmed()) +
                                      QStringLiteral(", ") + sql::texto(unidad.trimmed()) + QStringLiteral(", ") +
                                      sql::fecha(fecha) + QStringLiteral(")"));
    return f && !(*f)[0].isNull() ? dineroDe((*f)[0]) : Dinero();
}

}  // namespace cxp
