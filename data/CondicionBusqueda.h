#pragma once
// The WHERE part of a search screen: the column chosen in "Buscar por:",
// the text and "Buscar e&n cualquier posición". The column comes from the
// screen's fixed list and the text only ever enters as a quoted literal,
// so quotes or SQL typed by the person never change the query.
// No widgets here: a screen's logic may build its query with it.
#include <QString>
#include <QStringList>
#include <vector>

namespace cxp {

struct ColumnaBusqueda {
    enum class Tipo {
        Texto,  // upper(col) against upper(text)
        Fecha,  // the date as text, 'yyyy-mm-dd': "2024/01" finds January 2024
        Numero  // the number as text
    };
    QString titulo;   // "&Acreedor"
    QString columna;  // "t.terc_nom"
    Tipo tipo = Tipo::Texto;
    bool descendente = false;  // order by column desc (dates, newest first)
};

enum class ModoBusqueda {
    EmpiezaPor,  // like 'text%'
    Contiene,    // like '%text%' ("Buscar e&n cualquier posición")
    DesdeValor   // >= 'text': the list starts at the first value not below the text
};

// " and upper(t.terc_nom) like upper('%PEÑA%')", or "" for an empty text.
// `conector` joins it to the query (" and ", " where "). Throws
// std::invalid_argument when the column is not one of `columnas`.
QString condicionBusqueda(const std::vector<ColumnaBusqueda>& columnas, int indice, const QString& texto,
                          ModoBusqueda modo, const QString& conector = QStringLiteral(" and "));
// " order by t.terc_nom" (" desc" for a descending column).
QString ordenBusqueda(const std::vector<ColumnaBusqueda>& columnas, int indice);

}  // namespace cxp
