#include "ledger/Comun.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"

namespace cxp {

namespace consultas {

QString pantallaDe(int tipo) {
    switch (tipo) {
    case 21: return kFacturaCompra;
    case 24: return kDevolucionCompra;
    case 51: return kCargo;
    case 52: return kDescuento;
    case 53: return kAplicacion;
    case 55: return kAnticipo;
    case 62: return kEgreso;
    default: return {};
    }
}

bool abrir(Interaccion& interaccion, int tipo, int64_t id) {
    const QString pantalla = pantallaDe(tipo);
    if (pantalla.isEmpty() || !interaccion.abrirPantalla(pantalla, {{QStringLiteral("id"), qlonglong(id)}})) {
        interaccion.informacion(kOtroModulo);
        return false;
    }
    return true;
}

std::optional<int> tipoDeNombreCorto(fb::Database& compania, const QString& nombreCorto) {
    const auto fila = compania.queryOne(QStringLiteral("SELECT TIDO_COD FROM TIPO_DOCUMENTO WHERE TIDO_NOMCORTO = ") +
                                        sql::texto(nombreCorto));
    if (!fila || fila->at(0).isNull()) return std::nullopt;
    return int(fila->at(0).toInt64());
}

}  // namespace consultas

namespace monedas {

bool visible(const Configuracion& configuracion, const QString& propiedad) {
    return configuracion.valor(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"), propiedad) == QLatin1String("SI");
}

QList<OpcionMoneda> lista(fb::Database& compania) {
    QList<OpcionMoneda> r{{0, kLocal}};
    for (const fb::Row& f :
         compania.query(QStringLiteral("select TIMO_COD, TIMO_NOMBRE from TIPOS_MONEDA order by TIMO_COD")))
        r.append({int(f.at(0).toInt64()), f.at(1).toString()});
    return r;
}

}  // namespace monedas

}  // namespace cxp
