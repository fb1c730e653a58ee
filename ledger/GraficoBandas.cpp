#include "ledger/GraficoBandas.h"

#include <QPainter>
#include <QPaintEvent>

namespace cxp {

namespace {
const QColor kColores[] = {QColor(0x2e, 0x7d, 0x32), QColor(0xf9, 0xa8, 0x25), QColor(0xef, 0x6c, 0x00),
                           QColor(0xd8, 0x43, 0x15), QColor(0xb7, 0x1c, 0x1c)};
const QColor kCredito(0x15, 0x65, 0xc0);
}  // namespace

GraficoBandas::GraficoBandas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("graficoBandas"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraficoBandas::setBandas(std::vector<Tfanalisiscxp::Banda> bandas, const QString& titulo) {
    bandas_ = std::move(bandas);
    titulo_ = titulo;
    update();
}

int GraficoBandas::altura(const Dinero& total, const Dinero& maximo, int alto) {
    const __int128 m = maximo.abs().crudo();
    if (m == 0 || alto <= 0) return 0;
    const __int128 t = total.abs().crudo();
    return int((t * alto + m / 2) / m);
}

void GraficoBandas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = p.fontMetrics();
    const int margen = 8;
    const int alturaTexto = fm.height();

    QFont negrita = p.font();
    negrita.setBold(true);
    p.setFont(negrita);
    p.setPen(palette().text().color());
    p.drawText(QRect(margen, margen, width() - 2 * margen, alturaTexto), Qt::AlignLeft | Qt::AlignVCenter, titulo_);
    p.setFont(font());

    if (bandas_.empty()) {
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Sin datos: oprima F2 para calcular"));
        return;
    }
    Dinero maximo;
    bool hayNegativos = false;
    for (const auto& b : bandas_) {
        if (b.total.abs() > maximo) maximo = b.total.abs();
        hayNegativos = hayNegativos || b.total.signo() < 0;
    }
    const int arriba = margen + alturaTexto * 2 + 4;  // title and the totals over the bars
    const int abajo = height() - margen - alturaTexto * 2;  // band titles
    const int alto = std::max(1, abajo - arriba);
    const int eje = hayNegativos ? arriba + alto / 2 : abajo;
    const int altoMax = hayNegativos ? alto / 2 - alturaTexto : alto;
    const int n = int(bandas_.size());
    const int ancho = (width() - 2 * margen) / n;

    p.setPen(palette().mid().color());
    p.drawLine(margen, eje, width() - margen, eje);
    for (int i = 0; i < n; ++i) {
        const auto& b = bandas_[size_t(i)];
        const int h = altura(b.total, maximo, altoMax);
        const int x = margen + i * ancho + ancho / 6;
        const int w = ancho * 2 / 3;
        const bool negativo = b.total.signo() < 0;
        const QRect barra = negativo ? QRect(x, eje, w, h) : QRect(x, eje - h, w, h);
        p.fillRect(barra, negativo ? kCredito : kColores[i % 5]);
        p.setPen(palette().text().color());
        const QRect valor = negativo ? QRect(margen + i * ancho, eje + h + 2, ancho, alturaTexto)
                                     : QRect(margen + i * ancho, eje - h - alturaTexto - 2, ancho, alturaTexto);
        p.drawText(valor, Qt::AlignHCenter | Qt::AlignVCenter, b.total.texto(2));
        p.drawText(QRect(margen + i * ancho, abajo + 4, ancho, alturaTexto * 2), Qt::AlignHCenter | Qt::AlignTop,
                   b.titulo);
    }
}

}  // namespace cxp
