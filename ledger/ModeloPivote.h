#pragma once
// A pivot result as a table: first one column per row field holding the
// row's values (an outer value only on the first line of its group; a
// subtotal line shows "Total " + its value at its level, the grand total
// "Total"), then one column per column line and measure.
// Read-only; kRolTotal tells the subtotal and total lines, which views
// show in bold.
#include "ledger/Pivote.h"

#include <QAbstractTableModel>

namespace cxp {

class ModeloPivote : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kRolTotal = Qt::UserRole + 1;

    explicit ModeloPivote(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setResultado(pivote::Resultado resultado);
    const pivote::Resultado& resultado() const { return r_; }
    int columnasEncabezado() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    pivote::Resultado r_;
};

}  // namespace cxp
