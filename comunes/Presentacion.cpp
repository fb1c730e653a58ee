#include "comunes/Presentacion.h"

#include "data/DataSetModel.h"
#include "data/Sesion.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QColor>
#include <QFrame>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <optional>

namespace cxp {

void centrarEnArea(QWidget* vista, const QSize& tamano) {
    auto* sub = qobject_cast<QMdiSubWindow*>(vista->parentWidget());
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    if (!area) return;
    sub->resize(sub->size() - vista->size() + tamano);
    const QRect r = area->viewport()->rect();
    const QSize t = sub->size();
    sub->move(std::max(0, (r.width() - t.width()) / 2), std::max(0, (r.height() - t.height()) / 2));
}

bool confirmarEdicion(QTableView* vista) {
    if (!vista) return true;
    QWidget* foco = QApplication::focusWidget();
    QWidget* editor = nullptr;
    for (QWidget* w = foco; w; w = w->parentWidget())
        if (w->parentWidget() == vista->viewport()) {
            editor = w;
            break;
        }
    if (!editor) return true;
    // A refusal is told by the grid's model as it happens.
    bool rechazado = false;
    QMetaObject::Connection rechazo;
    QAbstractItemModel* modelo = vista->model();
    if (auto* proxy = qobject_cast<QSortFilterProxyModel*>(modelo)) modelo = proxy->sourceModel();
    if (auto* m = qobject_cast<DataSetModel*>(modelo))
        rechazo = QObject::connect(m, &DataSetModel::editRefused, vista, [&rechazado] { rechazado = true; });
    // The view's own slots: write the editor's value, then close it.
    QMetaObject::invokeMethod(vista, "commitData", Qt::DirectConnection, Q_ARG(QWidget*, editor));
    QMetaObject::invokeMethod(vista, "closeEditor", Qt::DirectConnection, Q_ARG(QWidget*, editor),
                              Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    QObject::disconnect(rechazo);
    vista->setFocus(Qt::OtherFocusReason);
    return !rechazado;
}

}  // namespace cxp
