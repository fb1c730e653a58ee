#pragma once
// The canvases of the engine: a recorder for tests, a painter (printer,
// PDF, preview, image) and an HTML page.
#include "printing/motor/Lienzo.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <optional>
#include <functional>
#include <vector>

class QPainter;

namespace cxp {

// Records every drawing call with its page (1-based).
class LienzoGrabado : public Lienzo {
public:
    struct Trazo {
        enum class Clase { Texto, Linea, Cuadro, Imagen };
        Clase clase;
        int pagina;
        QPointF desde;
        QPointF hasta;  // line end; box and picture corner; text: unused
        QString texto;
        FuenteTexto fuente;
        Alineacion alineacion = Alineacion::Izquierda;
        QByteArray datos;
    };

    explicit LienzoGrabado(QSizeF pagina = QSizeF(8.5, 11)) : pagina_(pagina) {}

    QSizeF pagina() const override { return pagina_; }
    void nuevaPagina() override { ++paginas_; }
    void texto(QPointF posicion, const QString& texto, const FuenteTexto& fuente, Alineacion alineacion) override;
    void linea(QPointF desde, QPointF hasta, int grosor) override;
    void cuadro(const QRectF& rectangulo, int grosor) override;
    void imagen(const QRectF& rectangulo, const QByteArray& datos) override;

    int paginas() const { return paginas_; }
    const std::vector<Trazo>& trazos() const { return trazos_; }
    // The texts drawn, optionally only those of one page.
    std::vector<Trazo> textos(int pagina = 0) const;
    // The texts that equal `texto`.
    std::vector<Trazo> buscar(const QString& texto) const;

private:
    QSizeF pagina_;
    int paginas_ = 1;
    std::vector<Trazo> trazos_;
};

// Paints on a QPainter whose device has `puntosPorPulgada` dots per inch
// and whose origin is the page's corner. `nuevaPagina` moves the device to
// a fresh page (QPagedPaintDevice::newPage, or a new image).
class LienzoPintor : public Lienzo {
public:
    LienzoPintor(QPainter& pintor, QSizeF pagina, double puntosPorPulgadaX, double puntosPorPulgadaY,
                 std::function<void()> nuevaPagina);

    QSizeF pagina() const override { return pagina_; }
    void nuevaPagina() override;
    void texto(QPointF posicion, const QString& texto, const FuenteTexto& fuente, Alineacion alineacion) override;
    void linea(QPointF desde, QPointF hasta, int grosor) override;
    void cuadro(const QRectF& rectangulo, int grosor) override;
    void imagen(const QRectF& rectangulo, const QByteArray& datos) override;

private:
    QPointF punto(QPointF pulgadas) const;
    QRectF rectangulo(const QRectF& pulgadas) const;
    QPainter& p_;
    QSizeF pagina_;
    double dx_;
    double dy_;
    std::function<void()> nueva_;
    std::optional<FuenteTexto> fuenteActual_;
    QFont fuenteQt_;
    std::optional<QFontMetricsF> metricas_;
};

// Builds an HTML document: one box per page with its pieces placed in
// inches, pictures embedded as PNG.
class LienzoHtml : public Lienzo {
public:
    LienzoHtml(QSizeF pagina, const QString& titulo);

    QSizeF pagina() const override { return pagina_; }
    void nuevaPagina() override;
    void texto(QPointF posicion, const QString& texto, const FuenteTexto& fuente, Alineacion alineacion) override;
    void linea(QPointF desde, QPointF hasta, int grosor) override;
    void cuadro(const QRectF& rectangulo, int grosor) override;
    void imagen(const QRectF& rectangulo, const QByteArray& datos) override;

    QString html() const;

private:
    QSizeF pagina_;
    QString titulo_;
    QStringList paginas_;
};

}  // namespace cxp
