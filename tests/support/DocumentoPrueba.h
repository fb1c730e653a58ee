#pragma once
// A small document table built on the two patterns every document table
// follows (audit rows and the prefix advance), and the save a document
// screen performs: number from the prefix, id from a sequence just before
// the save, header and lines in one batch through the DataSet.
#include "data/DataSet.h"
#include "data/fb/Database.h"

namespace prueba {

inline constexpr int kTipoPrueba = 51;
inline const QString kPrefijoPrueba = QStringLiteral("CONC");

// Creates DOC_PRUEBA, DOC_PRUEBA_LINEA, their sequence and triggers, and the
// prefix (51, CONC) offering 000001, on a company database.
void crearDocumentoPrueba(fb::Database& db);

struct Guardado {
    QString numero;
    int64_t id = 0;
    int intentos = 0;         // attempts of the batch
    int numerosTomados = 0;   // times another clerk had taken the number
};

// Saves one document with `lineas` lines as a clerk does. Any DbError that
// reaches the caller is a failure of the save.
Guardado guardarDocumento(fb::Database& db, int lineas = 3);

}  // namespace prueba
