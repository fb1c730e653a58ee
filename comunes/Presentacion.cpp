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

namespace {

// A colour kept as a decimal integer in the platform encoding (red in the
// lowest byte); nothing when the text is no number.
std::optional<QColor> colorDeTexto(const QString& texto) {
    bool ok = false;
    const qlonglong c = texto.trimmed().toLongLong(&ok);
    if (!ok || c < 0) return std::nullopt;
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

}  // namespace

QFrame* panelBotones(QWidget* padre, const Sesion& sesion) {
    auto* panel = new QFrame(padre);
    panel->setObjectName(QStringLiteral("panelBotones"));
    panel->setFrameShape(QFrame::StyledPanel);
    const QColor base = colorDeTexto(sesion.color_final_ventana).value_or(QColor(0xa6, 0xca, 0xf0));
    const QColor fin = colorDeTexto(sesion.color_ventana).value_or(QColor(Qt::white));
    panel->setStyleSheet(QStringLiteral("QFrame#panelBotones { border: 1px solid palette(mid); border-radius: 2px; "
                                        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }")
                             .arg(base.name(), fin.name()));
    auto* fila = new QHBoxLayout(panel);
    fila->setContentsMargins(6, 4, 6, 4);
    fila->setSpacing(6);
    return panel;
}

QPushButton* botonDePanel(QFrame* panel, const QString& texto) {
    auto* b = new QPushButton(texto, panel);
    b->setFocusPolicy(Qt::NoFocus);
    if (auto* fila = qobject_cast<QHBoxLayout*>(panel->layout())) fila->addWidget(b);
    return b;
}

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
