#include "documents/applications/EscrituraAplicacion.h"

#include "data/fb/Database.h"

namespace cxp {

void enlazarTablasAplicacion(DataSet& aplicacion, DataSet& detalle) {
    aplicacion.setUpdateTable(QStringLiteral("APLICACION_PROVEDOR"), {QStringLiteral("APPR_ID")});
    detalle.setUpdateTable(QStringLiteral("APLICACION_PROVEEDOR_DETALLE"),
                           {QStringLiteral("APPR_ID"), QStringLiteral("APPD_ITEM")});
    aplicacion.addDetail(detalle, {QStringLiteral("APPR_ID")}, {QStringLiteral("APPR_ID")});
}

int64_t idDeAplicacion(fb::Transaction& tr, DataSet& aplicacion) {
    const QString kId = QStringLiteral("APPR_ID");
    if (aplicacion.asInt(kId) != 0) return aplicacion.asInt(kId);
    const int64_t id = tr.executeProcedure(QStringLiteral("CAMBIE_ID_APLIPROV"))[QStringLiteral("ID")].toInt64();
    aplicacion.edit();
    aplicacion.setValue(kId, id);
    aplicacion.post();
    return id;
}

}  // namespace cxp
