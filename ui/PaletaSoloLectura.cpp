#include "ui/PaletaSoloLectura.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace cxp {

PaletaSoloLectura::PaletaSoloLectura(QObject* parent) : QObject(parent) {}

namespace {
bool esCampo(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}
}  // namespace

bool PaletaSoloLectura::soloLectura(const QWidget* w) {
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        // The editor inside a spin or date box follows its box.
        if (const auto* caja = qobject_cast<const QAbstractSpinBox*>(w->parentWidget())) return caja->isReadOnly();
        return e->isReadOnly();
    }
    if (const auto* e = qobject_cast<const QPlainTextEdit*>(w)) return e->isReadOnly();
    if (const auto* e = qobject_cast<const QTextEdit*>(w)) return e->isReadOnly();
    if (const auto* e = qobject_cast<const QAbstractSpinBox*>(w)) return e->isReadOnly();
    return false;
}

void PaletaSoloLectura::aplicar(QWidget* w) {
    if (!esCampo(w)) return;
    const bool ro = soloLectura(w);
    const QPalette base = QApplication::palette(w);
    const QColor fondo = ro ? base.color(QPalette::Window) : base.color(QPalette::Base);
    if (w->palette().color(QPalette::Base) == fondo) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Base, fondo);
    w->setPalette(p);
    if (auto* caja = qobject_cast<QAbstractSpinBox*>(w))
        if (auto* e = caja->findChild<QLineEdit*>()) aplicar(e);
}

bool PaletaSoloLectura::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type t = evento->type();
    if ((t == QEvent::Polish || t == QEvent::ReadOnlyChange) && objeto->isWidgetType())
        aplicar(static_cast<QWidget*>(objeto));
    return QObject::eventFilter(objeto, evento);
}

}  // namespace cxp
