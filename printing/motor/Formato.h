#pragma once
// A print format as the engine reads it: the FORMATOS row of a document type
// and prefix, its data items (FORMATO_DATOS) and drawing elements
// (FORMATO_LINEAS). Positions are on the 1500 × 2000 grid; paper in inches.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace fb {
class Database;
}

namespace cxp {

struct DatoFormato {
    int item = 0;
    QString dato;                 // data name of the document's vocabulary
    bool imprime = true;
    int posX = 0;
    int posY = 0;
    bool repite = false;          // a detail item, once per detail line
    int inicio = 1;               // first character of a text
    std::optional<int> longitud;  // characters of a text; side of the logo
    QString formato;              // decimals of a number; not an integer: 2
    QString fuente;               // empty: the format's
    std::optional<int> tamano;    // empty: the format's
    bool liquida = false;         // a closing item, after the detail
    bool posYVariable = false;    // moved down by the detail lines of the page
};

struct LineaFormato {
    int item = 0;
    QChar tipo = u'T';  // T text, L line, C box, G picture
    int posX = 0;
    int posY = 0;
    int x = 0;
    int y = 0;
    QString cadena;
    QString fuente;
    std::optional<int> tamano;
    bool liquida = false;  // drawn after the detail
    QByteArray imagen;
};

struct Formato {
    int tipo = 0;
    QString prefijo;
    QString impresora;
    std::optional<int> nroItems;  // detail lines per page
    bool paginas = true;          // several pages allowed
    int entrelinea = 0;           // vertical grid units between detail lines
    QString fuente;
    int tamano = 10;
    std::optional<double> papelAncho;  // inches
    std::optional<double> papelAlto;
    std::vector<DatoFormato> datos;
    std::vector<LineaFormato> lineas;

    // The largest PosY of the items marked to print (bottom of the
    // annulled stamp).
    int maximaPosY() const;
};

// The format of (tipo, prefijo) with its items and elements in item order,
// or nothing when there is none.
std::optional<Formato> leerFormato(fb::Database& compania, int tipo, const QString& prefijo);

}  // namespace cxp
