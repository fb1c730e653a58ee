#include "accounting/interfaces/Delegados.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace cxp {

namespace {
bool marcada(const QModelIndex& indice) {
    return indice.data(Qt::EditRole).toString().trimmed().compare(QLatin1String("S"), Qt::CaseInsensitive) == 0;
}
}  // namespace

DelegadoBandera::DelegadoBandera(bool editable, QObject* parent) : QStyledItemDelegate(parent), editable_(editable) {}

void DelegadoBandera::paint(QPainter* pintor, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const {
    QStyleOptionViewItem fondo = opcion;
    initStyleOption(&fondo, indice);
    fondo.text.clear();
    const QWidget* w = opcion.widget;
    QStyle* estilo = w ? w->style() : QApplication::style();
    estilo->drawControl(QStyle::CE_ItemViewItem, &fondo, pintor, w);

    QStyleOptionButton casilla;
    const QSize tam = estilo->sizeFromContents(QStyle::CT_CheckBox, &casilla, QSize(), w);
    const int lado = std::min(tam.height(), opcion.rect.height()) - 2;
    casilla.rect = QRect(opcion.rect.center().x() - lado / 2, opcion.rect.center().y() - lado / 2, lado, lado);
    casilla.state = QStyle::State_Enabled | (marcada(indice) ? QStyle::State_On : QStyle::State_Off);
    estilo->drawPrimitive(QStyle::PE_IndicatorCheckBox, &casilla, pintor, w);
}

bool DelegadoBandera::editorEvent(QEvent* evento, QAbstractItemModel* modelo, const QStyleOptionViewItem&,
                                  const QModelIndex& indice) {
    if (!editable_ || !(indice.flags() & Qt::ItemIsEditable)) return false;
    bool cambiar = false;
    if (evento->type() == QEvent::MouseButtonRelease)
        cambiar = static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton;
    else if (evento->type() == QEvent::KeyPress)
        cambiar = static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Space;
    if (!cambiar) return false;
    return modelo->setData(indice, marcada(indice) ? QStringLiteral("N") : QStringLiteral("S"), Qt::EditRole);
}

void DelegadoSeleccion::paint(QPainter* pintor, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const {
    if (!(opcion.state & QStyle::State_Selected)) {
        QStyledItemDelegate::paint(pintor, opcion, indice);
        return;
    }
    const auto* vista = qobject_cast<const QAbstractItemView*>(opcion.widget);
    const bool foco = vista && vista->hasFocus();
    pintor->save();
    pintor->fillRect(opcion.rect, foco ? QColor(Qt::blue) : QColor(Qt::gray));
    pintor->setPen(foco ? QColor(Qt::yellow) : QColor(Qt::white));
    pintor->drawText(opcion.rect.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     indice.data(Qt::DisplayRole).toString());
    pintor->restore();
}

}  // namespace cxp
