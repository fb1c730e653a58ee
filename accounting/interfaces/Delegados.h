#pragma once
// Cells of the interface grids: an 'S'/'N' flag shown as a check box
// ("Ver", "Db."), and the chooser's rows painted blue with yellow text
// while the grid has the focus, grey with white text otherwise.
#include <QStyledItemDelegate>

namespace cxp {

class DelegadoBandera : public QStyledItemDelegate {
    Q_OBJECT
public:
    // A read-only flag only shows; an editable one toggles on a click or Space.
    explicit DelegadoBandera(bool editable, QObject* parent = nullptr);

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override { return nullptr; }
    bool editorEvent(QEvent* evento, QAbstractItemModel* modelo, const QStyleOptionViewItem& opcion,
                     const QModelIndex& indice) override;

private:
    bool editable_;
};

class DelegadoSeleccion : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
};

}  // namespace cxp
