#include "creditors/Replicacion.h"

#include "base/Rutas.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Sesion.h"
#include "data/fb/DbError.h"

namespace cxp {

const QStringList& ReplicacionAcreedores::columnasTercero() {
    static const QStringList c = QStringLiteral(
        "TERC_NIT TERC_NOM TERC_TIPOID TERC_CLIE TERC_PROV TERC_EMPL TERC_ESTADO TERC_ADMINI TERC_CONDUCTOR TERC_TRANS "
        "TERC_NITCONTA PAIS_ID TERC_DIR TERC_CIU TERC_TEL TERC_CONTACTO TERC_EMAIL TERC_FAX TERC_CEL TERC_CTARTFTE "
        "TERC_CTARTIVA TERC_CTARTICA TERC_CTAVENTA TERC_CTACLIENTE TERC_CTAPROV TERC_CTAEMPL TERC_DV CIUD_COD "
        "TERC_USUARIO TERC_APELLIDO1 TERC_APELLIDO2 TERC_NOMBRE1 TERC_NOMBRE2 TERC_EXENTO TERC_ANIV TERC_DVDIAN "
        "TERC_SIMPLIFICA").split(u' ');
    return c;
}

const QStringList& ReplicacionAcreedores::columnasProveedor() {
    static const QStringList c = QStringLiteral(
        "TERC_NIT GRPR_COD PROV_COD PROV_CODIGOINT PROV_VENDEDOR PROV_CARTERA PROV_RETEFTE PROV_RTEIVA PROV_RTEICA "
        "PROV_RTFTEBASE PROV_CTAPAGAR PROV_CTARTFTE PROV_CTARTIVA PROV_CTARTICA PROV_DIASPAGO PROV_SIMPLIFICADO "
        "PROV_CTACAUSA PROV_USUARIO PROV_RTICABASE PROV_RTCREE PROV_CTARTCREE").split(u' ');
    return c;
}

QString ReplicacionAcreedores::ruta(const QString& servidor, const QString& codigo) {
    QString base = servidor.trimmed();
    while (base.endsWith(u'/') || base.endsWith(u'\\')) base.chop(1);
    return rutas::compania(base, codigo.trimmed());
}

ReplicacionAcreedores::ReplicacionAcreedores(Sesion& sesion, const Configuracion& configuracion,
                                             std::function<void(const QString&)> aviso)
    : sesion_(sesion), configuracion_(configuracion), aviso_(std::move(aviso)) {}

namespace {
QString insercion(const QString& tabla, const QStringList& columnas) {
    QStringList marcas;
    for (int i = 0; i < columnas.size(); ++i) marcas << QStringLiteral("?");
    return QStringLiteral("UPDATE OR INSERT INTO ") + tabla + QStringLiteral(" (") + columnas.join(u',') +
           QStringLiteral(") VALUES (") + marcas.join(u',') + u')';
}
}  // namespace

QStringList ReplicacionAcreedores::replicar(const QString& nit) {
    QStringList hechas;
    const auto companias = sesion_.compania.query(
        QStringLiteral("select RPCM_COD, RPCM_SERVIDOR from REPLICA_COMPRAS order by RPCM_COD"));
    if (companias.empty()) return hechas;
    const auto tercero = sesion_.compania.queryOne(QStringLiteral("select ") + columnasTercero().join(u',') +
                                                   QStringLiteral(" from TERCEROS where TERC_NIT = ") + sql::texto(nit));
    const auto proveedor = sesion_.compania.queryOne(QStringLiteral("select ") + columnasProveedor().join(u',') +
                                                     QStringLiteral(" from PROVEEDORES where TERC_NIT = ") + sql::texto(nit));
    if (!tercero) return hechas;
    const QString articulos = QStringLiteral("ARTICULOS"), inventario = QStringLiteral("INVENTARIO");
    fb::ConnectionParams params;
    params.user = configuracion_.buscar(inventario, articulos,
                                        QStringLiteral("NOMBRE DE USUARIO PARA REPLICACION DE ARTICULOS")).value_or(QString());
    params.password = configuracion_.buscar(inventario, articulos,
                                            QStringLiteral("CLAVE DE USUARIO PARA REPLICACION DE ARTICULOS")).value_or(QString());
    for (const fb::Row& c : companias) {
        const QString codigo = c[0].toString().trimmed();
        if (codigo.isEmpty()) continue;
        params.database = ruta(c[1].toString(), codigo);
        fb::Database replica;
        try {
            replica = fb::Database::attach(params);
        } catch (const fb::DbError&) {
            continue;  // a sister company out of reach is skipped
        }
        if (aviso_) aviso_(QStringLiteral("Actualizando información en la compañia ") + codigo + QStringLiteral(" ..."));
        try {
            fb::Transaction tr = replica.begin();
            tr.execute(insercion(QStringLiteral("TERCEROS"), columnasTercero()), tercero->values());
            if (proveedor) tr.execute(insercion(QStringLiteral("PROVEEDORES"), columnasProveedor()), proveedor->values());
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
