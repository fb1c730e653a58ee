#pragma once
// The grid of one chart's lines of a voucher: the lines of a dataset that a
// filter lets through (the pending voucher holds both charts in one
// dataset), the columns of the line, the sums of debits and credits of the
// lines shown under it, and the line rules wired to the grid: a line is
// stored (and validated) before another becomes current, leaving a column
// runs its defaults, a double click opens the lookup of the column.
#include "data/DataSet.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace cxp {

class DataSetModel;
class Interaccion;
class LineasContables;

class RejillaLineas : public QWidget {
    Q_OBJECT
public:
    RejillaLineas(DataSet& lineas, LineasContables& reglas, std::function<bool(const RecordRef&)> filtro,
                  bool niif, Interaccion& interaccion, QWidget* padre = nullptr);
    ~RejillaLineas() override;

    QTableView* vista() const { return vista_; }
    DataSetModel* modelo() const { return modelo_; }
    int columna(const QString& campo) const;  // in the grid; -1 when none
    QString campoDe(int columna) const;
    // The view follows the dataset's current row, when it is one of its lines.
    void seguirDataSet();
    void refrescarTotales();
    QLabel* totalDebitos() const { return debitos_; }
    QLabel* totalCreditos() const { return creditos_; }
    void setSoloLectura(bool on);

signals:
    // Another line became current, or the current line changed.
    void lineaActual();

private:
    void alCambiarCelda(const QModelIndex& ahora, const QModelIndex& antes);

    DataSet& ds_;
    LineasContables& reglas_;
    Interaccion& interaccion_;
    bool niif_;
    DataSetModel* modelo_;
    QSortFilterProxyModel* filtro_;
    QTableView* vista_;
    QLabel* debitos_;
    QLabel* creditos_;
    bool siguiendo_ = false;
};

}  // namespace cxp
