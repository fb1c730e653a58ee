#pragma once
// The import of creditors, creditor groups and opening balances of payables
// from a text file into the company database. Every line is one record:
// checked, then written whole or not at all; records go to the database in
// transactions of many, each record one statement (the engine undoes a
// failed statement alone, so a refused record leaves nothing behind).
// Nothing is refused silently: every refused record is listed with its line,
// the datum and the reason.
#include "base/Dinero.h"
#include "import/LectorTexto.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;

namespace importacion {

enum TipoImportacion { kProveedores = 14, kGrupos = 15, kSaldosIniciales = 16 };

struct ColumnaMapa {
    QString dato;     // datum code, e.g. "TERC_NIT"
    int columna = 0;  // column of the file, from 1
    int ancho = 0;    // width for fixed-width files
    bool importar = true;
};

struct Rechazo {
    int linea = 0;
    QString dato;   // the datum at fault, or the record's key
    QString razon;
};

struct Resumen {
    int leidos = 0, importados = 0, actualizados = 0, rechazados = 0;
    std::vector<Rechazo> rechazos;
    bool interrumpida = false;
    int ultimaLinea = 0;      // last line read
    QString archivoRechazos;  // where the list was saved, empty when none

    // "Importación finalizada." and the counts.
    QString texto() const;
};

// Progress: characters read, characters in the file, the current record's
// text ("Actual:") and, for documents, "Documento: " and its number. Return
// false to stop the import after the current record.
using Avance = std::function<bool(qsizetype leidos, qsizetype total, const QString& actual, const QString& documento)>;

// The mapping of a kind as stored, ordered by column.
std::vector<ColumnaMapa> mapaGuardado(fb::Database& db, int tipo);
// The file layout a mapping describes: the widths of columns 1..n.
std::vector<int> anchosDelMapa(const std::vector<ColumnaMapa>& mapa);

// An amount as found in a file: "1234.56", "1.234,56", "1,234.56", "1234,56";
// a lone separator before three digits ("1.234") could be either and is
// refused. Empty is nothing.
// nullopt with *valido false when the text is not an amount.
std::optional<Dinero> montoDelArchivo(const QString& texto, bool* valido);

class Importador {
public:
    Importador(fb::Database& db, const Configuracion& configuracion, QString usuario);

    // Records written in each transaction.
    void fijeLote(int registros) { lote_ = std::max(1, registros); }

    Resumen importar(int tipo, const QByteArray& contenido, const FormatoArchivo& formato,
                     const std::vector<ColumnaMapa>& mapa, const Avance& avance = {});
    // Reads the file and saves the refused records next to it
    // ("<file>.rechazados.txt"). A file that cannot be read throws
    // std::runtime_error.
    Resumen importarArchivo(int tipo, const QString& ruta, const FormatoArchivo& formato,
                            const std::vector<ColumnaMapa>& mapa, const Avance& avance = {});

private:
    struct Estado;
    fb::Database& db_;
    const Configuracion& configuracion_;
    QString usuario_;
    int lote_ = 500;
};

}  // namespace importacion
}  // namespace cxp
