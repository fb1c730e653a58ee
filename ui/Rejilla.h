#pragma once
// The grid every list, search and consult screen shows a DataSet in: a
// filter row ("Habilitar filtros": one box per column, rows whose text
// contains it, ignoring case), sorting by a click on a title (the DataSet
// itself is sorted, so navigation follows), the current row kept in step
// with the DataSet, and the popup menu "&Copiar", "Se&lecccionar todo",
// "&Imprimir" and "&Guardar selección".
#include "data/DataSetModel.h"
#include "ui/ExportarTabla.h"

#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QMenu;
class QTableView;

namespace cxp {

class Interaccion;
class FiltroRejilla;

class Rejilla : public QWidget {
    Q_OBJECT
public:
    explicit Rejilla(QWidget* parent = nullptr);
    Rejilla(DataSet& ds, QWidget* parent = nullptr);
    ~Rejilla() override;

    void setDataSet(DataSet* ds);
    DataSet* dataSet() const;
    DataSetModel* modelo() const { return modelo_; }
    QTableView* vista() const { return vista_; }

    // Search and consult grids are read-only.
    void setSoloLectura(bool on);
    // Where refused edits and failed saves are told; without it, a box.
    void setInteraccion(Interaccion* interaccion) { interaccion_ = interaccion; }

    // ---- the filter row. Hiding it drops its filters.
    void setFiltrosVisibles(bool on);
    bool filtrosVisibles() const;
    // A "Habilitar filtros" check box that shows and hides the row.
    QCheckBox* crearCasillaFiltros(QWidget* padre, const QString& texto = QStringLiteral("Habilitar filtros"));
    void setFiltro(int columna, const QString& texto);
    QLineEdit* editorFiltro(int columna) const;
    int filasVisibles() const;
    // The DataSet row shown in a row of the grid, -1 when none.
    int filaDataSet(int filaVista) const;

    // ---- the menu and what it does.
    QMenu* menu() const { return menu_; }
    void copiar();
    void seleccionarTodo();
    // The DataSet rows selected, in the grid's order; every row shown
    // when nothing is selected.
    std::vector<int> filasSeleccionadas() const;
    // The shown columns of those rows, in the grid's column order, titled
    // as the grid titles them.
    TablaExportar tablaSeleccion() const;
    bool exportar(const QString& ruta, FormatoArchivo formato, QString* error = nullptr) const;
    // The save dialog with the proposed name; the chosen filter's
    // extension is added when the name lacks it.
    bool guardarSeleccion();
    // The print preview of every row shown.
    void imprimir();
    int imprimirEn(QPagedPaintDevice& dispositivo) const;

    void setNombreArchivo(const QString& nombre) { nombreArchivo_ = nombre; }
    const QString& nombreArchivo() const { return nombreArchivo_; }
    void setTitulo(const QString& titulo) { titulo_ = titulo; }
    // The formats offered by the save dialog (all five by default).
    void setFormatos(const QList<FormatoArchivo>& formatos) { formatos_ = formatos; }
    QStringList filtrosArchivo() const;

    // The text colour of a row (inactive creditors in red); nullopt for the default.
    void setColorTexto(std::function<std::optional<QColor>(const RecordRef&)> color);
    // Width of a column in average characters.
    void setAnchoColumna(const QString& campo, int caracteres);
    // Decimals a money column shows (and copies and prints) when its value
    // comes at more, as a procedure's payments at four; the value stays.
    void setDecimales(const QString& campo, int decimales);

signals:
    // A double click on a row: the DataSet row.
    void activada(int fila);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void construir();
    void rehacerFiltros();
    void ubicarFiltros();
    void anchosIniciales();
    void seguirDataSet(int fila);
    void seguirVista();
    void avisar(const QString& texto);

    QPointer<DataSetModel> modelo_;
    FiltroRejilla* filtro_ = nullptr;
    QTableView* vista_ = nullptr;
    QWidget* filaFiltros_ = nullptr;
    QList<QLineEdit*> editores_;
    QMenu* menu_ = nullptr;
    Interaccion* interaccion_ = nullptr;
    QString nombreArchivo_;
    QString titulo_;
    QList<FormatoArchivo> formatos_;
    QHash<QString, int> anchos_;
    bool soloLectura_ = false;
    bool siguiendo_ = false;
};

}  // namespace cxp
