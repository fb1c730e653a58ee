#include "ui/BarraEstadoVista.h"

#include <QApplication>

namespace cxp {

BarraEstadoVista::BarraEstadoVista(BarraEstado& barra, QWidget* parent) : QLabel(parent), barra_(&barra) {
    setObjectName(QStringLiteral("BarraEstado"));
    setAutoFillBackground(true);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setMargin(2);
    setMinimumHeight(fontMetrics().height() + 8);
    connect(&barra, &BarraEstado::cambio, this, &BarraEstadoVista::mostrar);
    connect(&barra, &BarraEstado::pitido, this, [this] {
        ++pitidos_;
        QApplication::beep();
    });
    mostrar(barra.estado(), barra.texto());
}

QColor BarraEstadoVista::colorPlataforma(unsigned valor) {
    return QColor(int(valor & 0xFF), int((valor >> 8) & 0xFF), int((valor >> 16) & 0xFF));
}

QColor BarraEstadoVista::colorDe(BarraEstado::Estado estado) const {
    if (estado == BarraEstado::Estado::Normal) return QApplication::palette(this).color(QPalette::Button);
    return colorPlataforma(BarraEstado::color(estado));
}

void BarraEstadoVista::mostrar(BarraEstado::Estado estado, const QString& texto) {
    estado_ = estado;
    QPalette p = palette();
    const QColor fondo = colorDe(estado);
    p.setColor(QPalette::Window, fondo);
    // Readable on every background: white on red and blue, black otherwise.
    const int luz = (299 * fondo.red() + 587 * fondo.green() + 114 * fondo.blue()) / 1000;
    const bool oscuro = luz < 128;
    p.setColor(QPalette::WindowText, oscuro ? Qt::white : Qt::black);
    setPalette(p);
    setText(texto);
    // The fetching notice must be seen before the fetch blocks the loop.
    if (estado == BarraEstado::Estado::Buscando || estado == BarraEstado::Estado::Despejada) {
        if (isVisible()) repaint();
    }
}

}  // namespace cxp
