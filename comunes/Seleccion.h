#pragma once
// The logic of a picker: the list it searches (its query, built with the
// person's text as a quoted literal only), the columns it shows, how a row
// is marked, and whether a row may be chosen. Qt Core only: the dialog over
// it is Selector; tests drive it without widgets.
#include "data/DataSet.h"

#include <QString>
#include <QVariantMap>
#include <optional>
#include <vector>

namespace cxp {

class Interaccion;
class ManejadorErrores;

struct ColumnaSeleccion {
    QString campo;
    QString titulo;
    int ancho = 0;  // average characters; 0 for the field's own
};

// How the dialog shows a row.
enum class MarcaFila {
    Normal,
    Inactiva,    // inactive: shown in red, refused
    Restringida  // shown, but cannot be chosen for another reason (grey)
};

// What choosing a row gives: the choice, or the reason it is refused.
struct Eleccion {
    std::optional<QVariantMap> valor;
    QString rechazo;
};

class Seleccion {
public:
    Seleccion(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador);
    virtual ~Seleccion();
    Seleccion(const Seleccion&) = delete;
    Seleccion& operator=(const Seleccion&) = delete;

    virtual QString titulo() const = 0;
    virtual std::vector<ColumnaSeleccion> columnas() const = 0;
    // The whole statement for a search text (empty: everything).
    virtual QString consulta(const QString& texto) const = 0;
    virtual MarcaFila marca(const RecordRef& fila) const;
    // What the marks mean, shown under the list; empty for none.
    virtual QString leyenda() const { return {}; }
    virtual Eleccion elegir(const RecordRef& fila) const = 0;

    // The text the list starts with (the caller's "filtro").
    const QString& filtroInicial() const { return filtro_; }
    void setFiltroInicial(const QString& filtro) { filtro_ = filtro.trimmed(); }

    // Runs the search into resultado(); a failure goes to the central
    // handler and leaves the previous list.
    bool buscar(const QString& texto);
    DataSet& resultado() { return resultado_; }
    const QString& textoBuscado() const { return buscado_; }

    // The choice of a row of the result; a refused row shows its reason
    // and gives nothing.
    std::optional<QVariantMap> aceptar(int fila);

    // " and (<code> like 'T%' or upper(<name>) like upper('%T%'))", or
    // nothing for an empty text. Columns come from the program, never from
    // the person; the text enters only as quoted literals.
    static QString condicion(const QString& texto, const QStringList& columnasCodigo,
                             const QStringList& columnasNombre);

protected:
    fb::Database& db_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;

private:
    DataSet resultado_;
    QString filtro_;
    QString buscado_;
};

}  // namespace cxp
