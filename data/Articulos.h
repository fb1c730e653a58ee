#pragma once
// The article data module of the inventory, as the payables documents use
// it for their article lines: an article's description, state, units and
// average cost.
#include "base/Dinero.h"

#include <QDate>
#include <QString>
#include <optional>

namespace fb {
class Database;
}

namespace cxp {

struct Articulo {
    QString nombre;
    QString unidad;  // base unit
    bool activo = true;
};

class Articulos {
public:
    explicit Articulos(fb::Database& compania) : compania_(compania) {}

    // desc_articulo and estado_articulo in one read; nothing when the code
    // is no article.
    std::optional<Articulo> articulo(const QString& codigo);
    // valide_unidad: the article's base unit or one of its other units.
    bool valide_unidad(const QString& codigo, const QString& unidad);
    // costo_promedio: the average cost at the date in that unit (0 when it
    // has none yet).
    Dinero costo_promedio(const QString& codigo, const QString& unidad, const QDate& fecha);

private:
    fb::Database& compania_;
};

}  // namespace cxp
