#pragma once
// Builders of the rows many tests start from, on a company database.
#include "base/Sql.h"
#include "data/fb/Database.h"

namespace prueba {

struct Acreedor {
    QString grupo = QStringLiteral("01");  // its supplier row's group; the group must exist
    QString estado = QStringLiteral("S");  // S active, N inactive
    bool proveedor = true;                 // false: a third party without supplier row
    bool cliente = false;
};

// A third party (a legal entity) and, unless told otherwise, its supplier row.
inline void unAcreedor(fb::Database& db, const QString& nit, const QString& nombre, const Acreedor& a = {}) {
    const auto si = [](bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); };
    db.executeDirect(QStringLiteral("insert into TERCEROS (TERC_NIT, TERC_NOM, TERC_PROV, TERC_ESTADO, TERC_CLIE, "
                                    "TERC_TIPOID) values (%1, %2, %3, %4, %5, 'J')")
                         .arg(cxp::sql::texto(nit), cxp::sql::texto(nombre), cxp::sql::texto(si(a.proveedor)),
                              cxp::sql::texto(a.estado), cxp::sql::texto(si(a.cliente))));
    if (a.proveedor)
        db.executeDirect(QStringLiteral("insert into PROVEEDORES (TERC_NIT, GRPR_COD) values (%1, %2)")
                             .arg(cxp::sql::texto(nit), cxp::sql::texto(a.grupo)));
}

}  // namespace prueba
