#pragma once
// A report layout file of the installation: several named reports, each a
// page ("detallado.Page1") of bands laid out one under the other. The file
// is XML a clerk may edit with a text editor (docs/reportes.md); it is
// checked whole when read, and every fault is told naming what is wrong.
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace cxp::reportes {

enum class ClaseBanda {
    Titulo,      // once, at the top of the first page
    Encabezado,  // at the top of every page
    Grupo,       // when the group's column changes, before its first row
    Detalle,     // once per row
    PieGrupo,    // after the last row of a group
    Resumen,     // once, after the last row
    Pie,         // at the bottom of every page
};

enum class ClaseElemento { Texto, Campo, Suma, Cuenta, Linea, Cuadro };

enum class FormatoValor { Texto, Numero, Fecha };

struct Elemento {
    ClaseElemento clase = ClaseElemento::Texto;
    QString nombre;   // a text object the screen may fill ("Text22")
    QString texto;    // a text: may carry {parameters}
    QString columna;  // a field, sum or count: the result column
    double x = 0;     // inches from the left margin and from the band's top
    double y = 0;
    double x2 = 0;    // line end / box corner
    double y2 = 0;
    bool derecha = false;  // the text ends at x
    QString fuente;
    int puntos = 8;
    FormatoValor formato = FormatoValor::Texto;
    int decimales = 2;    // numbers
    QString patron;       // dates ("dd/MM/yyyy")
    int largo = 0;        // characters kept; 0 all
    bool ocultarCero = false;
};

struct Banda {
    QString nombre;
    ClaseBanda clase = ClaseBanda::Detalle;
    QString campo;       // group bands: the column that makes the group
    double alto = 0.2;   // inches
    bool repetir = false;  // group header: again at the top of each page the group goes on
    bool saltar = false;   // group header: each group after the first starts a new page
    std::vector<Elemento> elementos;
};

struct Informe {
    QString nombre;  // "detallado"
    QString pagina;  // "detallado.Page1"
    QSizeF papel{8.5, 11};
    double margen = 0.4;  // inches on every side
    QString fuente = QStringLiteral("DejaVu Sans");
    std::vector<Banda> bandas;

    const Banda* banda(const QString& nombre) const;
    // The group columns, outermost first, in the order their bands appear.
    QStringList grupos() const;
};

// The parameters a layout's texts may name between braces.
const QStringList& parametrosConocidos();

class Diseno {
public:
    // Reads and checks a layout. On a fault, nullopt and `error` says what
    // and where ("Banda desconocida \"x\" en el informe detallado").
    static std::optional<Diseno> leer(const QByteArray& xml, QString* error);
    static std::optional<Diseno> leerArchivo(const QString& ruta, QString* error);

    const std::vector<Informe>& informes() const { return informes_; }
    const Informe* informe(const QString& nombre) const;

private:
    std::vector<Informe> informes_;
};

}  // namespace cxp::reportes
