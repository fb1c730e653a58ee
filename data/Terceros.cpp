#include "data/Terceros.h"

#include "base/Redondeo.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Importe.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"

namespace cxp {

namespace {

const QString kCreditor = QStringLiteral(
    "select t.terc_nit, terc_nom, prov_retefte, prov_rteiva, prov_rteica, prov_rtftebase, prov_simplificado, "
    "prov_rtcree from terceros t, proveedores p where t.terc_nit = p.terc_nit");

}  // namespace

Terceros::Terceros(fb::Database& compania, Interaccion& interaccion, const Configuracion& configuracion)
    : compania_(compania), interaccion_(interaccion), configuracion_(configuracion) {}

bool Terceros::existe_nit(const QString& nit) {
    return compania_
        .queryOne(QStringLiteral("select terc_nit, terc_nom, terc_clie, terc_prov from terceros where terc_nit = ") +
                  sql::texto(nit))
        .has_value();
}

QString Terceros::valide_proveedor(const QString& nit) {
    const auto fila = compania_.queryOne(
        QStringLiteral("select terc_nit, terc_nom, terc_clie,terc_prov from terceros where terc_estado = 'S' and "
                       "terc_nit = ") +
        sql::texto(nit));
    return fila ? (*fila)[3].toString().trimmed() : QString();
}

QString Terceros::nombre_proveedor(const QString& nit) {
    const auto fila = compania_.queryOne(kCreditor + QStringLiteral(" and t.terc_nit = ") + sql::texto(nit) +
                                         QStringLiteral(" and terc_estado = 'S' and t.terc_prov = 'S'"));
    return fila ? (*fila)[1].toString().trimmed() : QString();
}

std::optional<PerfilRetenciones> Terceros::valide_proveedor_ret(const QString& nit) {
    const auto fila = compania_.queryOne(kCreditor + QStringLiteral(" and terc_estado = 'S' and t.terc_nit = ") +
                                         sql::texto(nit) + QStringLiteral(" and t.terc_prov = 'S'"));
    if (!fila) return std::nullopt;
    PerfilRetenciones p{(*fila)[1].toString().trimmed(), dineroDe((*fila)[2]), dineroDe((*fila)[3]),
                        dineroDe((*fila)[4]),            dineroDe((*fila)[7]), (*fila)[6].toString().trimmed()};
    if (p.simplificado == QLatin1String("S")) {
        const QString porcentaje = configuracion_.valor(
            QStringLiteral("COMPRAS"), QStringLiteral("FACTURAS"),
            QStringLiteral("PORCENTAJE DE RETENCION DE IVA PARA REGIMEN SIMPLIFICADO"));
        const auto valor = Dinero::desdeTexto(porcentaje.trimmed());
        if (!valor)
            throw std::invalid_argument("El porcentaje de retención de IVA para régimen simplificado \"" +
                                        porcentaje.toStdString() + "\" no es un número.");
        p.reteiva = *valor;
    }
    return p;
}

Dinero Terceros::base(const QString& nit, const QString& columna) {
    const auto fila = compania_.queryOne(QStringLiteral("select ") + columna +
                                         QStringLiteral(" from terceros t, proveedores p where t.terc_nit = p.terc_nit "
                                                        "and t.terc_nit = ") +
                                         sql::texto(nit) + QStringLiteral(" and t.terc_prov = 'S'"));
    return fila ? Redondear(dineroDe(fila->at(0)), 0) : Dinero();
}

Dinero Terceros::base_rtfte(const QString& nit) { return base(nit, QStringLiteral("prov_rtftebase")); }
Dinero Terceros::base_rtica(const QString& nit) { return base(nit, QStringLiteral("prov_rticabase")); }

std::optional<PerfilRetenciones> Terceros::valide_retenciones(const QString& nit) {
    const auto fila = compania_.queryOne(
        QStringLiteral("select TERC_NOM,PROV_RETEFTE,PROV_RTEIVA,PROV_RTEICA,PROV_RTCREE FROM PROVEEDORES c,TERCEROS t "
                       "where c.terc_nit = t.terc_nit and TERC_ESTADO = 'S' AND t.terc_nit = ") +
        sql::texto(nit));
    if (!fila) return std::nullopt;
    return PerfilRetenciones{(*fila)[0].toString().trimmed(), dineroDe((*fila)[1]), dineroDe((*fila)[2]),
                             dineroDe((*fila)[3]), dineroDe((*fila)[4]), QString()};
}

QString Terceros::nom_tercero(const QString& nit) {
    const auto fila = compania_.queryOne(
        QStringLiteral("select terc_nit, terc_nom from terceros where terc_estado = 'S' and terc_nit = ") + sql::texto(nit));
    return fila ? (*fila)[1].toString().trimmed() : QString();
}

bool Terceros::valide_tercero(const QString& nit) {
    const auto fila = compania_.queryOne(QStringLiteral("select * from existe_tercero(") + sql::texto(nit) + u')');
    if (fila && fila->at(0).toString().trimmed() == QLatin1String("S")) return true;
    interaccion_.informacion(QStringLiteral("Tercero Inactivo o no encontrado."));
    return false;
}

Dinero Terceros::precio_proveedor(const QString& articulo, const QString& nit) {
    const auto fila = compania_.queryOne(QStringLiteral("select * from costo_proveedor(") + sql::texto(articulo) + u',' +
                                         sql::texto(nit) + u')');
    return fila ? dineroDe(fila->at(0)) : Dinero();
}

}  // namespace cxp
