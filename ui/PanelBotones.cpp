#include "ui/PanelBotones.h"

#include "data/Sesion.h"

#include <QColor>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
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

QPushButton* botonDePanel(QFrame* panel, const QString& texto, std::function<void()> comando) {
    auto* b = new QPushButton(texto, panel);
    b->setFocusPolicy(Qt::NoFocus);
    if (comando) QObject::connect(b, &QPushButton::clicked, panel, [comando = std::move(comando)] { comando(); });
    if (auto* fila = qobject_cast<QHBoxLayout*>(panel->layout())) fila->addWidget(b);
    return b;
}

void finPanel(QFrame* panel) {
    if (auto* fila = qobject_cast<QHBoxLayout*>(panel->layout())) fila->addStretch();
}

}  // namespace cxp
