#include "app/Iconos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace cxp::iconos {

namespace {

const QColor kTinta(0x1f, 0x3a, 0x5f);
const QColor kPapel(0xfb, 0xfb, 0xf5);
const QColor kVerde(0x2e, 0x8b, 0x57);
const QColor kRojo(0xc0, 0x39, 0x2b);
const QColor kOro(0xd4, 0xa0, 0x17);

// A sheet with a folded corner and a few lines of text, in a 48 grid.
void hoja(QPainter& p) {
    QPainterPath h;
    h.moveTo(10, 4);
    h.lineTo(30, 4);
    h.lineTo(38, 12);
    h.lineTo(38, 44);
    h.lineTo(10, 44);
    h.closeSubpath();
    p.setPen(QPen(kTinta, 2));
    p.setBrush(kPapel);
    p.drawPath(h);
    p.drawLine(30, 4, 30, 12);
    p.drawLine(30, 12, 38, 12);
    p.setPen(QPen(kTinta, 1.5));
    for (int y = 18; y <= 30; y += 6) p.drawLine(15, y, 33, y);
}

void signo(QPainter& p, bool mas, const QColor& color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(34, 36), 10, 10);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(29, 36), QPointF(39, 36));
    if (mas) p.drawLine(QPointF(34, 31), QPointF(34, 41));
}

void persona(QPainter& p) {
    p.setPen(QPen(kTinta, 2));
    p.setBrush(QColor(0x5d, 0x8a, 0xc4));
    p.drawEllipse(QPointF(24, 15), 8, 8);
    QPainterPath cuerpo;
    cuerpo.moveTo(8, 44);
    cuerpo.cubicTo(8, 28, 40, 28, 40, 44);
    cuerpo.closeSubpath();
    p.drawPath(cuerpo);
}

void billete(QPainter& p) {
    p.setPen(QPen(kTinta, 2));
    p.setBrush(QColor(0xa8, 0xd5, 0xa2));
    p.drawRoundedRect(QRectF(4, 12, 40, 24), 3, 3);
    p.setBrush(kVerde);
    p.drawEllipse(QPointF(24, 24), 7, 7);
    p.setBrush(kOro);
    p.drawEllipse(QPointF(36, 38), 8, 8);
}

void cruce(QPainter& p) {
    p.setPen(QPen(kTinta, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(8, 16, 40, 16);
    p.drawLine(32, 9, 40, 16);
    p.drawLine(32, 23, 40, 16);
    p.setPen(QPen(kVerde, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(40, 32, 8, 32);
    p.drawLine(16, 25, 8, 32);
    p.drawLine(16, 39, 8, 32);
}

void reloj(QPainter& p) {
    p.setPen(QPen(kTinta, 2));
    p.setBrush(kPapel);
    p.drawEllipse(QPointF(22, 24), 17, 17);
    p.setPen(QPen(kTinta, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(22, 24, 22, 13);
    p.drawLine(22, 24, 30, 28);
    p.setPen(Qt::NoPen);
    p.setBrush(kOro);
    p.drawEllipse(QPointF(37, 38), 8, 8);
}

void barras(QPainter& p) {
    p.setPen(QPen(kTinta, 2));
    p.drawLine(6, 42, 42, 42);
    p.drawLine(6, 42, 6, 6);
    const QColor colores[] = {kVerde, QColor(0x5d, 0x8a, 0xc4), kOro, kRojo};
    const int alturas[] = {14, 26, 20, 32};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colores[i]);
        p.drawRect(QRectF(10 + i * 8, 41 - alturas[i], 6, alturas[i]));
    }
}

void llave(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(24, 24);
    p.rotate(-45);
    p.setPen(QPen(kTinta, 2));
    p.setBrush(QColor(0x9a, 0xa5, 0xb1));
    p.drawRoundedRect(QRectF(-3, -6, 6, 26), 2, 2);
    QPainterPath cabeza;
    cabeza.addEllipse(QPointF(0, -12), 10, 10);
    QPainterPath boca;
    boca.addRect(QRectF(-4, -24, 8, 12));
    p.drawPath(cabeza.subtracted(boca));
}

}  // namespace

QIcon icono(const QString& nombre, int lado) {
    QPixmap pix(lado, lado);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 48.0, lado / 48.0);
    if (nombre == QLatin1String("acreedor"))
        persona(p);
    else if (nombre == QLatin1String("cargo")) {
        hoja(p);
        signo(p, true, kRojo);
    } else if (nombre == QLatin1String("descuento")) {
        hoja(p);
        signo(p, false, kVerde);
    } else if (nombre == QLatin1String("pago"))
        billete(p);
    else if (nombre == QLatin1String("aplicacion"))
        cruce(p);
    else if (nombre == QLatin1String("anticipo"))
        reloj(p);
    else if (nombre == QLatin1String("informes"))
        barras(p);
    else if (nombre == QLatin1String("mantenimiento"))
        llave(p);
    else
        return {};
    p.end();
    return QIcon(pix);
}

}  // namespace cxp::iconos
