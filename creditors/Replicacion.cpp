#include "creditors/Replicacion.h"

#include "data/Sesion.h"
#include "data/fb/DbError.h"

namespace cxp {

ReplicacionAcreedores::ReplicacionAcreedores(Sesion& sesion, std::function<void(const QString&)> aviso)
    : sesion_(sesion), aviso_(std::move(aviso)) {}

QStringList ReplicacionAcreedores::replicar(const QString& nit) {
    QStringList hechas;
    if (!sesion_.compania.queryOne(QStringLiteral("select 1 from TERCEROS where TERC_NIT = ?"), {nit})) return hechas;
    const auto companias = sesion_.compania.query(QStringLiteral("select RPCM_COD from REPLICA_COMPRAS order by RPCM_COD"));
    for (const fb::Row& c : companias) {
        const QString codigo = c[0].toString().trimmed();
        if (codigo.isEmpty()) continue;
        const auto disponible =
            sesion_.compania.queryOne(QStringLiteral("select DISPONIBLE from REPLICA_DISPONIBLE(?)"), {codigo});
        if (!disponible || disponible->at(0).toString() != QLatin1String("S"))
            continue;  // a sister company out of reach is skipped
        if (aviso_) aviso_(QStringLiteral("Actualizando información en la compañia ") + codigo + QStringLiteral(" ..."));
        try {
            fb::Transaction tr = sesion_.compania.begin();
            tr.execute(QStringLiteral("execute procedure REPLIQUE_ACREEDOR ?, ?"), {nit, codigo});
            tr.commit();
            hechas << codigo;
        } catch (...) {
            if (aviso_) aviso_(QString());
            throw;
        }
        if (aviso_) aviso_(QString());
    }
    return hechas;
}

}  // namespace cxp
