#include "app/PanelDegradado.h"

#include <QLinearGradient>
#include <QPainter>

namespace cxp {

PanelDegradado::PanelDegradado(QWidget* parent) : QWidget(parent) {}

void PanelDegradado::setColores(const QColor& base, const QColor& fin) {
    base_ = base;
    fin_ = fin;
    update();
}

std::optional<QColor> PanelDegradado::colorConfigurado(const QString& texto) {
    bool ok = false;
    const qlonglong v = texto.trimmed().toLongLong(&ok);
    if (!ok || v < 0 || v > 0xFFFFFF) return std::nullopt;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

void PanelDegradado::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, base_);
    g.setColorAt(1, fin_);
    p.fillRect(rect(), g);
}

}  // namespace cxp
