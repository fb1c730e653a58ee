#pragma once
// Lays the rows of a report into pages: title, page headers repeated on
// every page, group headers kept with their first row, group footers with
// the sums of their rows, the summary with the report's sums, page footers
// with "Página N de M". The pages are laid out first and drawn afterwards
// on any canvas of the printing engine.
#include "base/Dinero.h"
#include "data/fb/Value.h"
#include "printing/motor/Lienzo.h"
#include "printing/reportes/Diseno.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace cxp {
class DataSet;
}

namespace cxp::reportes {

// The rows a report runs over.
class Filas {
public:
    virtual ~Filas() = default;
    virtual int cuenta() const = 0;
    virtual QStringList columnas() const = 0;
    // Case-insensitive; -1 when the rows have no such column.
    virtual int columna(const QString& nombre) const;
    virtual fb::Value valor(int fila, int columna) const = 0;
};

// The rows of a dataset, in its order.
class FilasDataSet : public Filas {
public:
    explicit FilasDataSet(const DataSet& ds) : ds_(ds) {}
    int cuenta() const override;
    QStringList columnas() const override;
    fb::Value valor(int fila, int columna) const override;

private:
    const DataSet& ds_;
};

// Rows held in memory (generated rows, tests).
class FilasTabla : public Filas {
public:
    explicit FilasTabla(QStringList columnas) : columnas_(std::move(columnas)) {}
    void agregar(std::vector<fb::Value> fila) { filas_.push_back(std::move(fila)); }
    int cuenta() const override { return int(filas_.size()); }
    QStringList columnas() const override { return columnas_; }
    fb::Value valor(int fila, int columna) const override { return filas_[size_t(fila)][size_t(columna)]; }

private:
    QStringList columnas_;
    std::vector<std::vector<fb::Value>> filas_;
};

// What the screen sets before a run.
struct Ejecucion {
    QHash<QString, QString> parametros;  // "nomcia", "titulo", "usuario", ...
    QHash<QString, QString> textos;      // text objects by name ("Text22")
    QSet<QString> ocultas;               // bands hidden by name
};

// An exact number of a column: integers and decimals; a float through its
// text at four decimals; anything else (null, text) 0.
Dinero comoDinero(const fb::Value& v);
// A value as an element of the layout shows it.
QString textoValor(const fb::Value& v, const Elemento& e);

class Paginado {
public:
    // Checks the run against the report (hidden bands, text objects and
    // columns must exist, naming the one that does not) and lays it out.
    // The report and the rows must outlive the result.
    // `avance`, when given, hears of each page begun (1, 2, ...); when it
    // answers false the layout stops there: nullopt and no error.
    static std::optional<Paginado> preparar(const Informe& informe, const Filas& filas, const Ejecucion& ejecucion,
                                            QString* error, const std::function<bool(int)>& avance = {});

    int paginas() const { return int(paginas_.size()); }
    QSizeF papel() const { return informe_->papel; }
    // Draws every page; the canvas starts on the first one.
    void dibujar(Lienzo& lienzo) const;
    // Draws one page (0-based) on a canvas that stands on a page: what a
    // preview needs to show a page without drawing the others.
    void dibujarPagina(int pagina, Lienzo& lienzo) const;
    // The sums and counts a band shows at each of its placements, in the
    // order of its elements (for checks).
    std::vector<std::vector<Dinero>> sumasDe(const QString& banda) const;

    // What each placed band shows, page after page and band after band:
    // every text, field, sum and count with the value behind it (a field's
    // value, a sum or count as an exact number, null for a text).
    struct Pieza {
        const Banda* banda;
        const Elemento* elemento;
        int pagina;     // from 1
        double y;       // inches from the page's top
        bool dePagina;  // there because a page began or ends: page headers
                        // after the first page, group headers repeated, page footers
        QString texto;  // as printed; empty when nothing is printed
        fb::Value valor;
    };
    void recorrer(const std::function<void(const Pieza&)>& f) const;

private:
    struct Colocacion {
        const Banda* banda;
        int fila;     // the row the band's fields read; -1 none
        double y;     // inches from the page's top
        std::vector<Dinero> acumulados;  // one per sum or count of the band
        bool dePagina = false;           // see Pieza
    };
    struct Pagina {
        std::vector<Colocacion> bandas;
    };

    void dibujarBanda(const Colocacion& c, int pagina, Lienzo& lienzo) const;
    // The text of the band's element `i`; `acumulado` counts the sums and
    // counts met so far in the band.
    QString textoElemento(const Colocacion& c, size_t i, size_t& acumulado, int pagina, fb::Value* valor) const;
    QString sustituir(const QString& texto, int pagina) const;

    const Informe* informe_ = nullptr;
    const Filas* filas_ = nullptr;
    Ejecucion ejecucion_;
    // Per band, per element: the column it reads, -1 none.
    std::vector<std::vector<int>> columnasBanda_;
    std::vector<Pagina> paginas_;
};

}  // namespace cxp::reportes
