#include "documents/charges/ReplicacionAjustes.h"

#include "base/Rutas.h"
#include "data/fb/Database.h"
#include "data/Interaccion.h"
#include "data/fb/DbError.h"

#include <optional>

namespace cxp {

namespace {

QString tipoPendiente(int tipo) {
    return tipo == 52 ? QStringLiteral("n") : QStringLiteral("N");
}

int tipoDocumento(const QString& pendiente) {
    if (pendiente == QLatin1String("N")) return 51;
    if (pendiente == QLatin1String("n")) return 52;
    return 0;
}

struct Documento {
    QString prefijo, numero;
};

std::optional<Documento> documento(fb::Database& db, int tipo, int64_t id) {
    const QString sql = tipo == 52
                            ? QStringLiteral("select PREF_PRE, NCPR_NUMERO from NOTAS_CREDITO_PROVEEDOR where NCPR_ID = ?")
                            : QStringLiteral("select PREF_PRE, NDPR_NUMERO from NOTAS_DEBITO_PROVEEDOR where NDPR_ID = ?");
    const auto f = db.queryOne(sql, {id});
    if (!f) return std::nullopt;
    return Documento{(*f)[0].toString().trimmed(), (*f)[1].toString().trimmed()};
}

}  // namespace

ReplicacionAjustes::ReplicacionAjustes(fb::Database& compania) : compania_(compania) {}

QString ReplicacionAjustes::ruta(const QString& servidor, const QString& codigo) {
    QString ubicacion = servidor.trimmed();
    while (ubicacion.endsWith(u'/') || ubicacion.endsWith(u'\\')) ubicacion.chop(1);
    return rutas::compania(ubicacion, codigo.trimmed());
}

ReplicacionAjustes::Envio ReplicacionAjustes::enviar(int tipo, int64_t id, const QString& codigo,
                                                     const QString& servidor) {
    Envio e{codigo, ruta(servidor, codigo)};
    const auto disponible =
        compania_.queryOne(QStringLiteral("select DISPONIBLE from REPLICA_DISPONIBLE(?)"), {codigo});
    if (!disponible || disponible->at(0).toString() != QLatin1String("S")) {
        e.mensaje = QStringLiteral("No se pudo entablar la conexión con ") + e.ruta;
        return e;
    }
    try {
        fb::Transaction tr = compania_.begin();
        tr.execute(QStringLiteral("execute procedure REPLIQUE_AJUSTE ?, ?, ?"), {int64_t(tipo), id, codigo});
        tr.commit();
        e.hecho = true;
    } catch (const fb::DbError& err) {
        e.mensaje = QStringLiteral("No se pudo copiar el documento en ") + e.ruta + QStringLiteral(": ") + err.text();
    }
    return e;
}

std::vector<ReplicacionAjustes::Envio> ReplicacionAjustes::replicar(int tipo, int64_t id) {
    std::vector<Envio> envios;
    const auto doc = documento(compania_, tipo, id);
    if (!doc) return envios;
    for (const fb::Row& r :
         compania_.query(QStringLiteral("select RPCM_COD, RPCM_PREF, RPCM_SERVIDOR from REPLICA_COMPRAS order by RPCM_COD"))) {
        const QString codigo = r[0].toString().trimmed();
        if (codigo.isEmpty() || r[1].toString().trimmed() != doc->prefijo) continue;
        Envio e = enviar(tipo, id, codigo, r[2].toString());
        const std::vector<fb::Value> clave{id, codigo, tipoPendiente(tipo)};
        if (e.hecho) {
            // Sent again by hand: what was pending for it is done.
            fb::Transaction tr = compania_.begin();
            tr.execute(QStringLiteral("delete from REPLICA_ARTICULO_ESTADO where RPAE_ID = ? and RPAE_CIA = ? and "
                                      "RPAE_TIPO = ?"),
                       clave);
            tr.commit();
        } else {
            fb::Transaction tr = compania_.begin();
            if (!tr.queryOne(QStringLiteral("select 1 from REPLICA_ARTICULO_ESTADO where RPAE_ID = ? and RPAE_CIA = ? "
                                            "and RPAE_TIPO = ?"),
                             clave))
                tr.execute(QStringLiteral("insert into REPLICA_ARTICULO_ESTADO (RPAE_ID, RPAE_CIA, RPAE_TIPO, ARTI_COD, "
                                          "RPAE_SERVIDOR) values (?, ?, ?, ?, ?)"),
                           {id, codigo, tipoPendiente(tipo), (doc->prefijo + doc->numero).left(15), e.ruta.left(60)});
            tr.commit();
        }
        envios.push_back(std::move(e));
    }
    return envios;
}

ReplicacionAjustes::Resumen ReplicacionAjustes::reintentar(int tipo, int64_t id) {
    Resumen resumen;
    const auto pendientes = compania_.query(QStringLiteral(
        "select distinct e.RPAE_ID, e.RPAE_TIPO, e.RPAE_CIA, r.RPCM_SERVIDOR from REPLICA_ARTICULO_ESTADO e "
        "left join REPLICA_COMPRAS r on r.RPCM_COD = e.RPAE_CIA where e.RPAE_TIPO in ('N', 'n') "
        "order by e.RPAE_TIPO, e.RPAE_ID"));
    for (const fb::Row& p : pendientes) {
        const int64_t doc = p[0].toInt64();
        const int t = tipoDocumento(p[1].toString());
        const QString codigo = p[2].toString().trimmed();
        if ((tipo && t != tipo) || (id && doc != id)) continue;
        const std::vector<fb::Value> clave{doc, codigo, p[1].toString()};
        const auto borrar = [&] {
            fb::Transaction tr = compania_.begin();
            tr.execute(QStringLiteral("delete from REPLICA_ARTICULO_ESTADO where RPAE_ID = ? and RPAE_CIA = ? and "
                                      "RPAE_TIPO = ?"),
                       clave);
            tr.commit();
        };
        // A document deleted since, or a company taken off the list, has
        // nothing left to send.
        if (p[3].isNull() || !documento(compania_, t, doc)) {
            borrar();
            continue;
        }
        const Envio e = enviar(t, doc, codigo, p[3].toString());
        if (e.hecho) {
            borrar();
            ++resumen.enviados;
        } else {
            ++resumen.pendientes;
            resumen.mensajes << e.mensaje;
        }
    }
    return resumen;
}

void replicarEnHermanas(fb::Database& compania, Interaccion& interaccion, int tipo, int64_t id) {
    try {
        for (const auto& e : ReplicacionAjustes(compania).replicar(tipo, id))
            if (!e.hecho) interaccion.advertencia(e.mensaje);
    } catch (const std::exception& e) {
        interaccion.advertencia(QStringLiteral("No se pudo replicar el documento: ") + QString::fromUtf8(e.what()));
    }
}

}  // namespace cxp
