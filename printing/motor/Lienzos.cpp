#include "printing/motor/Lienzos.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace cxp {

// ---- LienzoGrabado

void LienzoGrabado::texto(QPointF posicion, const QString& texto, const FuenteTexto& fuente, Alineacion alineacion) {
    trazos_.push_back({Trazo::Clase::Texto, paginas_, posicion, {}, texto, fuente, alineacion, {}});
}

void LienzoGrabado::linea(QPointF desde, QPointF hasta, int) {
    trazos_.push_back({Trazo::Clase::Linea, paginas_, desde, hasta, {}, {}, {}, {}});
}

void LienzoGrabado::cuadro(const QRectF& r, int) {
    trazos_.push_back({Trazo::Clase::Cuadro, paginas_, r.topLeft(), r.bottomRight(), {}, {}, {}, {}});
}

void LienzoGrabado::imagen(const QRectF& r, const QByteArray& datos) {
    trazos_.push_back({Trazo::Clase::Imagen, paginas_, r.topLeft(), r.bottomRight(), {}, {}, {}, datos});
}

std::vector<LienzoGrabado::Trazo> LienzoGrabado::textos(int pagina) const {
    std::vector<Trazo> r;
    for (const Trazo& t : trazos_)
        if (t.clase == Trazo::Clase::Texto && (pagina == 0 || t.pagina == pagina)) r.push_back(t);
    return r;
}

std::vector<LienzoGrabado::Trazo> LienzoGrabado::buscar(const QString& texto) const {
    std::vector<Trazo> r;
    for (const Trazo& t : trazos_)
        if (t.clase == Trazo::Clase::Texto && t.texto == texto) r.push_back(t);
    return r;
}

// ---- LienzoPintor

LienzoPintor::LienzoPintor(QPainter& pintor, QSizeF pagina, double ppx, double ppy, std::function<void()> nuevaPagina)
    : p_(pintor), pagina_(pagina), dx_(ppx), dy_(ppy), nueva_(std::move(nuevaPagina)) {}

QPointF LienzoPintor::punto(QPointF p) const {
    return {p.x() * dx_, p.y() * dy_};
}

QRectF LienzoPintor::rectangulo(const QRectF& r) const {
    return QRectF(punto(r.topLeft()), punto(r.bottomRight()));
}

void LienzoPintor::nuevaPagina() {
    if (nueva_) nueva_();
}

void LienzoPintor::texto(QPointF posicion, const QString& texto, const FuenteTexto& fuente, Alineacion alineacion) {
    if (texto.isEmpty()) return;
    // A page of a report sets thousands of texts in a few fonts: the font
    // and its metrics are made again only when they change.
    if (!fuenteActual_ || !(*fuenteActual_ == fuente)) {
        QFont f(fuente.nombre.isEmpty() ? QStringLiteral("Sans Serif") : fuente.nombre);
        // Point sizes through the device's own resolution.
        f.setPixelSize(std::max(1, int(std::lround(fuente.puntos * dy_ / 72.0))));
        fuenteActual_ = fuente;
        fuenteQt_ = f;
        metricas_.emplace(f);
    }
    if (p_.font() != fuenteQt_) p_.setFont(fuenteQt_);
    if (p_.pen() != QPen(Qt::black)) p_.setPen(QPen(Qt::black));
    QPointF p = punto(posicion);
    if (alineacion == Alineacion::Derecha) p.rx() -= metricas_->horizontalAdvance(texto);
    p.ry() += metricas_->ascent();
    p_.drawText(p, texto);
}

void LienzoPintor::linea(QPointF desde, QPointF hasta, int grosor) {
    QPen pen(Qt::black);
    pen.setWidthF(grosor * dx_ / 150.0);  // the width in hundredths of an inch × 2/3
    pen.setStyle(Qt::SolidLine);
    p_.setPen(pen);
    p_.drawLine(punto(desde), punto(hasta));
}

void LienzoPintor::cuadro(const QRectF& r, int grosor) {
    QPen pen(Qt::black);
    pen.setWidthF(grosor * dx_ / 150.0);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(rectangulo(r));
}

void LienzoPintor::imagen(const QRectF& r, const QByteArray& datos) {
    const QImage img = QImage::fromData(datos);
    if (img.isNull()) return;
    p_.drawImage(rectangulo(r), img);
}

// ---- LienzoHtml

namespace {

QString pulgadas(double v) {
    return QString::number(v, 'f', 3) + QStringLiteral("in");
}

QString escapar(const QString& t) {
    return t.toHtmlEscaped();
}

}  // namespace

LienzoHtml::LienzoHtml(QSizeF pagina, const QString& titulo) : pagina_(pagina), titulo_(titulo) {
    paginas_.append(QString());
}

void LienzoHtml::nuevaPagina() {
    paginas_.append(QString());
}

void LienzoHtml::texto(QPointF p, const QString& texto, const FuenteTexto& fuente, Alineacion alineacion) {
    if (texto.isEmpty()) return;
    const QString lado = alineacion == Alineacion::Izquierda
                             ? QStringLiteral("left:") + pulgadas(p.x())
                             : QStringLiteral("right:") + pulgadas(pagina_.width() - p.x());
    paginas_.last() += QStringLiteral("<div style=\"position:absolute;top:%1;%2;white-space:pre;"
                                      "font-family:'%3';font-size:%4pt\">%5</div>\n")
                           .arg(pulgadas(p.y()), lado, escapar(fuente.nombre), QString::number(fuente.puntos),
                                escapar(texto));
}

void LienzoHtml::linea(QPointF a, QPointF b, int grosor) {
    // Horizontal and vertical lines as thin boxes; a slanted one as an SVG.
    const QRectF r = QRectF(a, b).normalized();
    paginas_.last() += QStringLiteral("<svg style=\"position:absolute;left:%1;top:%2;overflow:visible\" "
                                      "width=\"%3\" height=\"%4\"><line x1=\"%5\" y1=\"%6\" x2=\"%7\" y2=\"%8\" "
                                      "stroke=\"black\" stroke-width=\"%9\"/></svg>\n")
                           .arg(pulgadas(r.left()), pulgadas(r.top()), QString::number(std::max(1.0, r.width() * 96)),
                                QString::number(std::max(1.0, r.height() * 96)),
                                QString::number((a.x() - r.left()) * 96), QString::number((a.y() - r.top()) * 96),
                                QString::number((b.x() - r.left()) * 96), QString::number((b.y() - r.top()) * 96))
                           .arg(grosor * 0.64);
}

void LienzoHtml::cuadro(const QRectF& r, int grosor) {
    paginas_.last() += QStringLiteral("<div style=\"position:absolute;left:%1;top:%2;width:%3;height:%4;"
                                      "border:%5px solid black;box-sizing:border-box\"></div>\n")
                           .arg(pulgadas(r.left()), pulgadas(r.top()), pulgadas(r.width()), pulgadas(r.height()))
                           .arg(std::max(1, grosor / 2));
}

void LienzoHtml::imagen(const QRectF& r, const QByteArray& datos) {
    const QImage img = QImage::fromData(datos);
    if (img.isNull()) return;
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    paginas_.last() += QStringLiteral("<img style=\"position:absolute;left:%1;top:%2;width:%3;height:%4\" "
                                      "src=\"data:image/png;base64,%5\">\n")
                           .arg(pulgadas(r.left()), pulgadas(r.top()), pulgadas(r.width()), pulgadas(r.height()),
                                QString::fromLatin1(png.toBase64()));
}

QString LienzoHtml::html() const {
    QString h = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n"
                               "<style>body{background:#888;margin:0}.pagina{position:relative;background:white;"
                               "margin:0.3in auto;overflow:hidden;width:%2;height:%3}</style></head><body>\n")
                    .arg(escapar(titulo_), pulgadas(pagina_.width()), pulgadas(pagina_.height()));
    for (const QString& p : paginas_) h += QStringLiteral("<div class=\"pagina\">\n") + p + QStringLiteral("</div>\n");
    h += QStringLiteral("</body></html>\n");
    return h;
}

}  // namespace cxp
