#pragma once
// The surface the engine draws on, in inches from the top-left corner of
// the page. Implementations: a painter over a printer, PDF or image; an
// HTML page; a recorder for tests.
#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace cxp {

struct FuenteTexto {
    QString nombre;
    int puntos = 10;
    friend bool operator==(const FuenteTexto&, const FuenteTexto&) = default;
};

enum class Alineacion {
    Izquierda,  // the text starts at x
    Derecha,    // the text ends at x
};

class Lienzo {
public:
    virtual ~Lienzo() = default;
    // The printable page in inches.
    virtual QSizeF pagina() const = 0;
    virtual void nuevaPagina() = 0;
    // Text with its top at y.
    virtual void texto(QPointF posicion, const QString& texto, const FuenteTexto& fuente, Alineacion alineacion) = 0;
    virtual void linea(QPointF desde, QPointF hasta, int grosor) = 0;
    virtual void cuadro(const QRectF& rectangulo, int grosor) = 0;
    // A picture (image file bytes: BMP, PNG, JPEG) stretched into the rectangle.
    virtual void imagen(const QRectF& rectangulo, const QByteArray& datos) = 0;
};

}  // namespace cxp
