#pragma once
// Cell editors of the maintenance grids: a pick list, digits only, and a
// secret shown as dots.
#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>

namespace cxp {

// A pick list: the cell takes one of the texts of the list (read when the
// editor opens, so that the list may change).
class DelegadoLista : public QStyledItemDelegate {
    Q_OBJECT
public:
    DelegadoLista(std::function<QStringList()> lista, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    std::function<QStringList()> lista_;
};

// Digits only, up to `maximo` of them (an entry mask of optional digits).
class DelegadoDigitos : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit DelegadoDigitos(int maximo, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int maximo_;
};

// A secret (a token's password): dots in the grid, typed without echo.
class DelegadoSecreto : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace cxp
