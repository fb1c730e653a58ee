#pragma once
// Copies of saved charges (51) and discounts (52) in the databases of the
// sister companies of REPLICA_COMPRAS whose RPCM_PREF is the document's
// prefix. The database's REPLIQUE_AJUSTE makes each copy with the
// replication login (the program never sees its password). A sister whose
// database does not open, or that refuses the copy, leaves a pending row in
// REPLICA_ARTICULO_ESTADO ("N" charge, "n" discount), sent again later by
// reintentar() (cxpagar-admin replicar, the consult's button).
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace fb {
class Database;
}

namespace cxp {

class Interaccion;

class ReplicacionAjustes {
public:
    explicit ReplicacionAjustes(fb::Database& compania);

    struct Envio {
        QString compania;  // RPCM_COD
        QString ruta;      // the sister's database
        bool hecho = false;
        QString mensaje;   // why it was not made
    };

    // Copies document (tipo, id) to every sister company of its prefix; a
    // failed one is recorded pending (once per document and company).
    std::vector<Envio> replicar(int tipo, int64_t id);

    struct Resumen {
        int enviados = 0;
        int pendientes = 0;
        QStringList mensajes;
    };
    // Sends every pending charge and discount (of one document when id is
    // given) and clears the row of each one sent.
    Resumen reintentar(int tipo = 0, int64_t id = 0);

    // The sister's database as the copies reach it: <location>/datos/<code>/
    // quelmar.fdb, trailing separators of the location dropped.
    static QString ruta(const QString& servidor, const QString& codigo);

private:
    Envio enviar(int tipo, int64_t id, const QString& codigo, const QString& servidor);

    fb::Database& compania_;
};

// The copies of a document just saved: each sister that did not get it is
// told to the clerk; nothing here undoes or stops the save.
void replicarEnHermanas(fb::Database& compania, Interaccion& interaccion, int tipo, int64_t id);

}  // namespace cxp
