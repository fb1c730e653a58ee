#pragma once
// A DataSet as a table for grids: one column per visible field, one row per
// visible row. Money shows with "," thousands and "." decimals and dates as
// yyyy/MM/dd whatever the locale; edits go through edit / setValue / post.
#include "data/DataSet.h"

#include <QAbstractTableModel>
#include <functional>

namespace cxp {

class DataSetModel : public QAbstractTableModel, private DataSetObserver {
    Q_OBJECT
public:
    // The dataset may die first: the model then shows nothing.
    explicit DataSetModel(DataSet& dataSet, QObject* parent = nullptr);
    ~DataSetModel() override;

    DataSet* dataSet() const { return ds_; }
    int fieldIndex(int column) const;          // -1 when none
    int columnOf(const QString& field) const;  // -1 when hidden or unknown
    // A read-only model refuses every edit (search and consult grids).
    void setReadOnly(bool on) { readOnly_ = on; }
    bool isReadOnly() const { return readOnly_; }

    // How a grid shows a value of the field.
    static QString displayText(const Field& field, const fb::Value& value);

    // Where a column nobody captioned takes its title from (the program's
    // table of column names); process-wide, set by the main window. Such a
    // column that is an internal id ("…_ID") is no column at all.
    using CaptionLookup = std::function<QString(const QString&)>;
    static void setCaptionLookup(CaptionLookup lookup);
    static bool isInternalId(const Field& field);
    // The title of a column: its field's label, else the lookup's.
    QString caption(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Moves to the row, then edit / setValue / post; a row already being
    // inserted or edited stays so (it posts when the grid leaves it). A
    // refused value leaves the row as it was and emits editRefused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Sorts the dataset itself (stable), so navigation follows the grid.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

signals:
    void currentRowChanged(int row);
    void editRefused(const QString& message, const QString& field);

private:
    void aboutToReset() override;
    void didReset() override;
    void aboutToInsertRow(int row) override;
    void didInsertRow(int row) override;
    void aboutToRemoveRow(int row) override;
    void didRemoveRow(int row) override;
    void rowChanged(int row) override;
    void currentChanged(int row) override;
    void fieldsChanged() override;
    void dataSetDestroyed() override;
    void computeColumns();

    DataSet* ds_;
    std::vector<int> columns_;  // field index of each column
    bool readOnly_ = false;
};

}  // namespace cxp
