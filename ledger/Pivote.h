#pragma once
// The pivot of a DataSet: rows and columns grouped by the values of the
// fields the person chose, and in each cell the sum (exact, as money) or
// the count of a measure, with subtotals at every grouping level and grand
// totals. A date field may also group by its year ("FECHA:AÑO") or month
// ("FECHA:MES").
//
// A layout is kept in a ".mds" file, a small JSON document:
//   {
//     "formato": "cxpagar-pivote",   // what the file is
//     "version": 1,
//     "filas": ["NOMGRUPO", "NOMBRETERC"],          // row fields, outermost first
//     "columnas": ["NOMTIPODOC"],                   // column fields, outermost first
//     "datos": [{"campo": "MONTO", "funcion": "suma"},
//               {"campo": "SALDO", "funcion": "suma"},
//               {"campo": "NUMERO", "funcion": "cuenta"}],
//     "subtotales": true                            // subtotal lines and columns
//   }
// Unknown keys are ignored, so later versions may add some.
#include "base/Dinero.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace cxp {

class DataSet;

namespace pivote {

enum class Funcion { Suma, Cuenta };

struct Dato {
    QString campo;
    Funcion funcion = Funcion::Suma;
    // "Suma de MONTO", "Cuenta de NUMERO".
    QString titulo() const;
    friend bool operator==(const Dato&, const Dato&) = default;
};

struct Diseno {
    QStringList filas;
    QStringList columnas;
    QList<Dato> datos;
    bool subtotales = true;

    QByteArray aJson() const;
    // Nothing, with the reason in *error, for a text that is no layout.
    static std::optional<Diseno> deJson(const QByteArray& json, QString* error = nullptr);
    bool guardar(const QString& ruta, QString* error = nullptr) const;
    static std::optional<Diseno> leer(const QString& ruta, QString* error = nullptr);
    // The fields it names that are not in `campos`.
    QStringList faltantes(const QStringList& campos) const;
    // The same layout without those fields.
    Diseno limitado(const QStringList& campos) const;

    friend bool operator==(const Diseno&, const Diseno&) = default;
};

// The fields a DataSet offers for grouping: its own, then year and month of
// each date field.
QStringList camposDisponibles(const DataSet& ds);
// Whether a field may be summed (integers and decimals).
bool esSumable(const DataSet& ds, const QString& campo);
// "Año de FECHA", "Mes de FECHA", or the field's name.
QString tituloCampo(const QString& campo);

// One row or column of the result: the values of its grouping fields
// (fewer than the fields for a subtotal, none for the grand total).
struct Encabezado {
    enum class Tipo { Detalle, Subtotal, Total };
    QStringList claves;
    Tipo tipo = Tipo::Detalle;
    // "Total" for the grand total, "Total " + the last value for a subtotal,
    // the values joined with " / " for a detail.
    QString texto() const;
};

class Resultado {
public:
    Diseno diseno;
    std::vector<Encabezado> filas;
    std::vector<Encabezado> columnas;

    // The measure of a cell; zero where no row of the data falls.
    Dinero valor(int fila, int columna, int dato) const;
    // Whether any row of the data falls in the cell.
    bool ocupada(int fila, int columna) const;

    // Cell values keyed by row and column keys (internal to the computation).
    QHash<QString, std::vector<Dinero>> celdas;
    static QString clave(const QStringList& fila, const QStringList& columna);
};

// Groups every row of the DataSet by the layout. Fields the DataSet lacks
// are left out; a measure summed over a field that is no number counts.
Resultado calcular(const DataSet& ds, const Diseno& diseno);

}  // namespace pivote
}  // namespace cxp
