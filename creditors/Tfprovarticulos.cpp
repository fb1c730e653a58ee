#include "creditors/Tfprovarticulos.h"

#include "base/Sql.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

Tfprovarticulos::Tfprovarticulos(Sesion& sesion, ManejadorErrores& manejador, QString nit, QObject* parent)
    : QObject(parent), sesion_(sesion), manejador_(manejador), nit_(std::move(nit)) {}

bool Tfprovarticulos::abrir() {
    return manejador_.proteger([this] {
        articulos_.open(sesion_.compania, QStringLiteral("select * from PROVEEDOR_ARTICULO where terc_nit = ") +
                                              sql::texto(nit_) + QStringLiteral(" order by ARTI_COD"));
        articulos_.field(QStringLiteral("TERC_NIT")).setVisible(false);
        const std::pair<const char*, const char*> titulos[] = {
            {"ARTI_COD", "Artículo"}, {"PVAR_COD", "Código proveedor"}, {"PVAR_DES", "Descripción"},
            {"PVAR_FECHA", "Fecha"},  {"PVAR_COSTO", "Costo"},          {"PVAR_UNIDAD", "Unidad"}};
        for (const auto& [campo, titulo] : titulos)
            articulos_.field(QString::fromLatin1(campo)).setLabel(QString::fromUtf8(titulo));
    });
}

}  // namespace cxp
