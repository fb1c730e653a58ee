#include "printing/reportes/ArchivosInforme.h"

#include "base/LibroXlsx.h"
#include "data/DataSet.h"
#include "printing/motor/Lienzos.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace cxp::reportes {

namespace {

// Twelve columns to the inch: the usual pitch of a listing.
constexpr double kColumnasPorPulgada = 12.0;

// Collects the texts of each page; every distinct height is one line.
class LienzoTexto : public Lienzo {
public:
    explicit LienzoTexto(QSizeF pagina) : pagina_(pagina) { paginas_.emplace_back(); }
    QSizeF pagina() const override { return pagina_; }
    void nuevaPagina() override { paginas_.emplace_back(); }
    void texto(QPointF p, const QString& t, const FuenteTexto&, Alineacion a) override {
        int col = int(std::lround(p.x() * kColumnasPorPulgada));
        if (a == Alineacion::Derecha) col -= int(t.size());
        paginas_.back()[int(std::lround(p.y() * 100))].push_back({std::max(0, col), t});
    }
    void linea(QPointF, QPointF, int) override {}
    void cuadro(const QRectF&, int) override {}
    void imagen(const QRectF&, const QByteArray&) override {}

    std::vector<QStringList> lineas() const {
        std::vector<QStringList> r;
        for (const auto& pagina : paginas_) {
            QStringList ls;
            for (auto [y, piezas] : pagina) {
                std::sort(piezas.begin(), piezas.end(), [](const Pieza& a, const Pieza& b) { return a.col < b.col; });
                QString l;
                for (const Pieza& pz : piezas) {
                    // Pieces that would overlap keep one space between them.
                    const int desde = l.isEmpty() ? pz.col : std::max<int>(pz.col, int(l.size()) + 1);
                    l += QString(desde - int(l.size()), u' ') + pz.texto;
                }
                ls.append(l);
            }
            r.push_back(ls);
        }
        return r;
    }

private:
    struct Pieza {
        int col;
        QString texto;
    };
    QSizeF pagina_;
    std::vector<std::map<int, std::vector<Pieza>>> paginas_;
};

QString rtfEscapado(const QString& t) {
    QString r;
    for (const QChar c : t) {
        if (c == u'\\' || c == u'{' || c == u'}')
            r += u'\\' + QString(c);
        else if (c.unicode() < 128)
            r += c;
        else
            r += QStringLiteral("\\u%1?").arg(int(qint16(c.unicode())));
    }
    return r;
}

bool guardar(const QString& archivo, const QByteArray& bytes, QString* error) {
    QSaveFile f(archivo);
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit()) return true;
    if (error) *error = QStringLiteral("No se pudo escribir el archivo %1: %2").arg(archivo, f.errorString());
    return false;
}

std::vector<QStringList> lineasDe(const Paginado& p) {
    LienzoTexto l(p.papel());
    p.dibujar(l);
    return l.lineas();
}

// The report in a sheet, its pages read as one: each line of a band (its
// pieces at one height) one row; each piece in the column of the place it
// starts at (or ends at, when it ends there), the pieces of every band at
// one place sharing the column; numbers, sums and dates as such, with the
// layout's decimals and pattern. Page headers come once; page footers and
// repeated group headers not at all (a sheet has no pages).
QByteArray comoLibro(const Paginado& paginado, QString* error) {
    struct Celda {
        int pagina;
        int altura;  // hundredths of an inch
        std::pair<int, bool> lugar;  // twentieths of an inch, ends there
        Paginado::Pieza pieza;
    };
    std::vector<Celda> celdas;
    paginado.recorrer([&](const Paginado::Pieza& p) {
        if (p.dePagina || p.texto.isEmpty()) return;
        const double x = p.elemento->x;
        celdas.push_back({p.pagina, int(std::lround(p.y * 100)), {int(std::lround(x * 20)), p.elemento->derecha}, p});
    });
    std::stable_sort(celdas.begin(), celdas.end(), [](const Celda& a, const Celda& b) {
        return std::tie(a.pagina, a.altura) < std::tie(b.pagina, b.altura);
    });
    std::map<std::pair<int, bool>, int> columnas;
    for (const Celda& c : celdas) columnas.emplace(c.lugar, 0);
    int n = 0;
    for (auto& [lugar, columna] : columnas) columna = n++;

    LibroXlsx libro;
    std::vector<double> anchos(size_t(n), 4);
    int fila = -1;
    std::pair<int, int> linea{-1, -1};
    for (const Celda& c : celdas) {
        if (std::pair(c.pagina, c.altura) != linea) {
            linea = {c.pagina, c.altura};
            ++fila;
        }
        const int columna = columnas[c.lugar];
        const Elemento& e = *c.pieza.elemento;
        const fb::Value& v = c.pieza.valor;
        anchos[size_t(columna)] = std::max(anchos[size_t(columna)], std::min(double(c.pieza.texto.size()) + 2, 50.0));
        bool escrito = false;
        const bool numero = e.clase == ClaseElemento::Suma || e.clase == ClaseElemento::Cuenta ||
                            (e.clase == ClaseElemento::Campo && e.formato == FormatoValor::Numero);
        if (numero) {
            bool ok = false;
            const double d = plainText(toValue(comoDinero(v))).toDouble(&ok);
            if (ok) libro.numero(fila, columna, d, {.numero = LibroXlsx::formatoMiles(std::clamp(e.decimales, 0, 6))});
            escrito = ok;
        } else if (e.clase == ClaseElemento::Campo && e.formato == FormatoValor::Fecha &&
                   (v.is<QDate>() || v.is<QDateTime>())) {
            const QDateTime f = v.is<QDate>() ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
            escrito = libro.fecha(fila, columna, f, {.derecha = e.derecha, .numero = LibroXlsx::formatoFecha(e.patron)});
        }
        if (!escrito) libro.texto(fila, columna, c.pieza.texto, {.derecha = e.derecha});
    }
    for (int c = 0; c < n; ++c) libro.ancho(c, anchos[size_t(c)]);
    return libro.cerrar(error);
}

}  // namespace

QString comoTexto(const Paginado& paginado) {
    QStringList paginas;
    for (const QStringList& ls : lineasDe(paginado)) paginas.append(ls.join(u'\n') + u'\n');
    return paginas.join(u'\f');
}

bool escribirArchivo(const Paginado& paginado, FormatoArchivo formato, const QString& archivo, const QString& titulo,
                     QString* error) {
    switch (formato) {
    case FormatoArchivo::Texto:
        return guardar(archivo, comoTexto(paginado).toUtf8(), error);
    case FormatoArchivo::Rtf: {
        QString r = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\f0\\fs16\n");
        bool primera = true;
        for (const QStringList& ls : lineasDe(paginado)) {
            if (!primera) r += QStringLiteral("\\page\n");
            primera = false;
            for (const QString& l : ls) r += rtfEscapado(l) + QStringLiteral("\\par\n");
        }
        r += u'}';
        return guardar(archivo, r.toLatin1(), error);
    }
    case FormatoArchivo::Xlsx: {
        QString razon;
        const QByteArray libro = comoLibro(paginado, &razon);
        if (!libro.isEmpty()) return guardar(archivo, libro, error);
        if (error) *error = QStringLiteral("No se pudo escribir el archivo %1: %2").arg(archivo, razon);
        return false;
    }
    case FormatoArchivo::Html: {
        LienzoHtml l(paginado.papel(), titulo);
        paginado.dibujar(l);
        return guardar(archivo, l.html().toUtf8(), error);
    }
    case FormatoArchivo::Pdf: {
        QSaveFile salida(archivo);
        auto falla = [&] {
            if (error) *error = QStringLiteral("No se pudo escribir el archivo %1: %2").arg(archivo, salida.errorString());
            return false;
        };
        if (!salida.open(QIODevice::WriteOnly)) return falla();
        QPdfWriter pdf(&salida);
        pdf.setResolution(300);
        pdf.setTitle(titulo);
        pdf.setCreator(QStringLiteral("C x Pagar"));
        pdf.setPageSize(QPageSize(paginado.papel(), QPageSize::Inch, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p;
        if (!p.begin(&pdf)) return falla();
        LienzoPintor l(p, paginado.papel(), pdf.resolution(), pdf.resolution(), [&pdf] { pdf.newPage(); });
        paginado.dibujar(l);
        if (!p.end() || !salida.commit()) return falla();
        return true;
    }
    }
    return false;
}

bool escribirPng(const Paginado& paginado, const QString& archivo, int ppp, QString* error) {
    const QSizeF papel = paginado.papel();
    QImage img(QSize(int(papel.width() * ppp), int(papel.height() * ppp)), QImage::Format_RGB32);
    img.fill(Qt::white);
    const QFileInfo info(archivo);
    int n = 0;
    bool ok = true;
    auto nombre = [&](int k) {
        return k == 0 ? archivo
                      : info.path() + u'/' + info.completeBaseName() + u'-' + QString::number(k + 1) + QStringLiteral(".png");
    };
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    auto guardarPagina = [&] {
        p.end();
        ok = img.convertToFormat(QImage::Format_Grayscale8).save(nombre(n++), "PNG") && ok;
        img.fill(Qt::white);
        p.begin(&img);
        p.setRenderHint(QPainter::TextAntialiasing);
    };
    LienzoPintor l(p, papel, ppp, ppp, guardarPagina);
    paginado.dibujar(l);
    p.end();
    // The pages are black on white: grey levels keep the files small.
    ok = img.convertToFormat(QImage::Format_Grayscale8).save(nombre(n), "PNG") && ok;
    if (!ok && error) *error = QStringLiteral("No se pudo escribir el archivo ") + archivo;
    return ok;
}

}  // namespace cxp::reportes
