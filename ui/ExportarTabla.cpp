#include "ui/ExportarTabla.h"

#include "base/LibroXlsx.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSaveFile>
#include <cmath>

namespace cxp {

namespace {

const QByteArray bom("\xEF\xBB\xBF");

QString plano(const fb::Value& v) { return v.isNull() ? QString() : plainText(v); }

// One line: tabs and line breaks inside a value would break the layout.
QString enUnaLinea(QString t) {
    for (QChar& c : t)
        if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    return t;
}

}  // namespace

QString sinFormula(const QString& t) {
    if (t.isEmpty()) return t;
    const QChar c = t.front();
    if (c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r') return u'\'' + t;
    return t;
}

namespace {

QString csv(const QString& t) {
    const bool comillas = t.contains(u',') || t.contains(u'"') || t.contains(u'\n') || t.contains(u'\r') ||
                          t.startsWith(u' ') || t.endsWith(u' ');
    if (!comillas) return t;
    QString r = t;
    r.replace(u'"', QStringLiteral("\"\""));
    return u'"' + r + u'"';
}

// XML 1.0 refuses most control characters even escaped.
QString xml(const QString& t) {
    QString r;
    r.reserve(t.size());
    for (QChar c : t) {
        switch (c.unicode()) {
            case '&': r += QStringLiteral("&amp;"); break;
            case '<': r += QStringLiteral("&lt;"); break;
            case '>': r += QStringLiteral("&gt;"); break;
            case '"': r += QStringLiteral("&quot;"); break;
            case '\n': r += QStringLiteral("&#10;"); break;
            case '\r': break;
            case '\t': r += c; break;
            default:
                if (c.unicode() >= 0x20) r += c;
        }
    }
    return r;
}

QString rtf(const QString& t) {
    QString r;
    for (QChar c : enUnaLinea(t)) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}')
            r += u'\\' + QString(c);
        else if (u < 0x80)
            r += c;
        else  // \uN takes a signed 16-bit number; "?" is the fallback reader's character
            r += QStringLiteral("\\u%1?").arg(int(short(u)));
    }
    return r;
}

QByteArray comoTexto(const TablaExportar& t) {
    QString s;
    QStringList titulos;
    for (const auto& c : t.columnas) titulos << enUnaLinea(c.titulo);
    s += titulos.join(u'\t') + QStringLiteral("\r\n");
    for (int f = 0; f < int(t.filas.size()); ++f) {
        QStringList celdas;
        for (int c = 0; c < int(t.columnas.size()); ++c) {
            const QString texto = enUnaLinea(t.texto(f, c));
            celdas << (t.columnas[size_t(c)].numerica() ? texto : sinFormula(texto));
        }
        s += celdas.join(u'\t') + QStringLiteral("\r\n");
    }
    return bom + s.toUtf8();
}

QByteArray comoCsv(const TablaExportar& t) {
    QString s;
    QStringList titulos;
    for (const auto& c : t.columnas) titulos << csv(c.titulo);
    s += titulos.join(u',') + QStringLiteral("\r\n");
    for (int f = 0; f < int(t.filas.size()); ++f) {
        QStringList celdas;
        for (int c = 0; c < int(t.columnas.size()); ++c) {
            const ColumnaTabla& col = t.columnas[size_t(c)];
            const fb::Value& v = t.filas[size_t(f)][size_t(c)];
            // Numbers without thousands so that they read back as numbers;
            // a memo keeps its lines (inside the quotes).
            if (col.numerica())
                celdas << csv(plano(v));
            else
                celdas << csv(sinFormula(col.tipo == FieldType::Memo ? plano(v) : t.texto(f, c)));
        }
        s += celdas.join(u',') + QStringLiteral("\r\n");
    }
    return bom + s.toUtf8();
}

QByteArray comoHtml(const TablaExportar& t) {
    QString s = QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title></title>\n</head>\n<body>\n"
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>");
    for (const auto& c : t.columnas) s += QStringLiteral("<th>%1</th>").arg(xml(c.titulo));
    s += QStringLiteral("</tr>\n");
    for (int f = 0; f < int(t.filas.size()); ++f) {
        s += QStringLiteral("<tr>");
        for (int c = 0; c < int(t.columnas.size()); ++c) {
            QString celda = xml(t.texto(f, c));
            celda.replace(QStringLiteral("&#10;"), QStringLiteral("<br>"));
            s += t.columnas[size_t(c)].numerica() ? QStringLiteral("<td align=\"right\">%1</td>").arg(celda)
                                                  : QStringLiteral("<td>%1</td>").arg(celda);
        }
        s += QStringLiteral("</tr>\n");
    }
    s += QStringLiteral("</table>\n</body>\n</html>\n");
    return s.toUtf8();
}

QByteArray comoRtf(const TablaExportar& t) {
    // Widths in twips, shared out over about 10 inches by the longest text
    // of each column (a landscape page).
    const int n = int(t.columnas.size());
    std::vector<int> largos(size_t(n), 1);
    for (int c = 0; c < n; ++c) {
        int m = int(t.columnas[size_t(c)].titulo.size());
        for (int f = 0; f < int(t.filas.size()); ++f) m = std::max(m, int(t.texto(f, c).size()));
        largos[size_t(c)] = std::clamp(m, 3, 60);
    }
    int total = 0;
    for (int l : largos) total += l;
    QString bordes = QStringLiteral("\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs");
    QString fila0 = QStringLiteral("\\trowd\\trgaph60");
    int x = 0;
    for (int c = 0; c < n; ++c) {
        x += std::max(400, 14400 * largos[size_t(c)] / std::max(total, 1));
        fila0 += bordes + QStringLiteral("\\cellx%1").arg(x);
    }
    QString s = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs18\n");
    s += fila0 + u'\n';
    for (const auto& c : t.columnas) s += QStringLiteral("\\pard\\intbl\\b %1\\b0\\cell\n").arg(rtf(c.titulo));
    s += QStringLiteral("\\row\n");
    for (int f = 0; f < int(t.filas.size()); ++f) {
        s += fila0 + u'\n';
        for (int c = 0; c < n; ++c)
            s += QStringLiteral("\\pard\\intbl%1 %2\\cell\n")
                     .arg(t.columnas[size_t(c)].numerica() ? QStringLiteral("\\qr") : QStringLiteral("\\ql"),
                          rtf(t.texto(f, c)));
        s += QStringLiteral("\\row\n");
    }
    s += QStringLiteral("\\pard\n}\n");
    return s.toLatin1();  // every character beyond ASCII went out as \uN
}

QByteArray comoExcel(const TablaExportar& t) {
    QString s = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<?mso-application progid=\"Excel.Sheet\"?>\n"
        "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\" "
        "xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
        "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
        "xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\n"
        "<Styles>\n"
        "<Style ss:ID=\"titulo\"><Font ss:Bold=\"1\"/></Style>\n"
        "<Style ss:ID=\"fecha\"><NumberFormat ss:Format=\"yyyy/mm/dd\"/></Style>\n"
        "<Style ss:ID=\"fechahora\"><NumberFormat ss:Format=\"yyyy/mm/dd hh:mm:ss\"/></Style>\n");
    for (int e = 0; e <= 6; ++e)
        s += QStringLiteral("<Style ss:ID=\"n%1\"><NumberFormat ss:Format=\"%2\"/></Style>\n").arg(e).arg(LibroXlsx::formatoMiles(e));
    s += QStringLiteral("</Styles>\n<Worksheet ss:Name=\"Hoja1\">\n<Table>\n<Row>");
    for (const auto& c : t.columnas)
        s += QStringLiteral("<Cell ss:StyleID=\"titulo\"><Data ss:Type=\"String\">%1</Data></Cell>").arg(xml(c.titulo));
    s += QStringLiteral("</Row>\n");
    for (int f = 0; f < int(t.filas.size()); ++f) {
        s += QStringLiteral("<Row>");
        for (int c = 0; c < int(t.columnas.size()); ++c) {
            const ColumnaTabla& col = t.columnas[size_t(c)];
            const fb::Value& v = t.filas[size_t(f)][size_t(c)];
            if (v.isNull()) {
                s += QStringLiteral("<Cell/>");
                continue;
            }
            switch (col.tipo) {
                case FieldType::Decimal:
                    s += QStringLiteral("<Cell ss:StyleID=\"n%1\"><Data ss:Type=\"Number\">%2</Data></Cell>")
                             .arg(std::clamp(col.escala, 0, 6))
                             .arg(plano(v));
                    break;
                case FieldType::Integer:  // ids and counts: no thousands
                case FieldType::Float:
                    s += QStringLiteral("<Cell><Data ss:Type=\"Number\">%1</Data></Cell>").arg(plano(v));
                    break;
                case FieldType::Date:
                    s += QStringLiteral("<Cell ss:StyleID=\"fecha\"><Data ss:Type=\"DateTime\">%1T00:00:00.000</Data></Cell>")
                             .arg(v.toDate().toString(QStringLiteral("yyyy-MM-dd")));
                    break;
                case FieldType::DateTime:
                    s += QStringLiteral("<Cell ss:StyleID=\"fechahora\"><Data ss:Type=\"DateTime\">%1</Data></Cell>")
                             .arg(v.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")));
                    break;
                default:  // a memo keeps its lines in the cell
                    s += QStringLiteral("<Cell><Data ss:Type=\"String\">%1</Data></Cell>")
                             .arg(xml(col.tipo == FieldType::Memo ? plano(v) : t.texto(f, c)));
            }
        }
        s += QStringLiteral("</Row>\n");
    }
    s += QStringLiteral("</Table>\n</Worksheet>\n</Workbook>\n");
    return s.toUtf8();
}

// Excel keeps 15 significant digits: a longer integer (an account number
// kept as a number) goes as its text so that no digit is lost.
bool cabeEnHoja(int64_t n) { return n > -1'000'000'000'000'000 && n < 1'000'000'000'000'000; }

// The width of a column in characters of the sheet's letter: its longest
// line, titles in bold a little wider.
std::vector<double> anchosHoja(const TablaExportar& t) {
    std::vector<double> r;
    for (int c = 0; c < int(t.columnas.size()); ++c) {
        double m = t.columnas[size_t(c)].titulo.size() * 1.1;
        for (int f = 0; f < int(t.filas.size()); ++f) {
            const ColumnaTabla& col = t.columnas[size_t(c)];
            const QString texto = col.tipo == FieldType::Memo ? plano(t.filas[size_t(f)][size_t(c)]) : t.texto(f, c);
            for (const QString& l : texto.split(u'\n')) m = std::max(m, double(l.size()));
        }
        r.push_back(std::clamp(m + 2, 6.0, 80.0));
    }
    return r;
}

QByteArray comoXlsx(const TablaExportar& t, QString* error) {
    LibroXlsx libro;
    const std::vector<double> anchos = anchosHoja(t);
    for (int c = 0; c < int(t.columnas.size()); ++c) {
        libro.ancho(c, anchos[size_t(c)]);
        libro.texto(0, c, t.columnas[size_t(c)].titulo, {.negrita = true});
    }
    libro.fijarFilas(1);
    const LibroXlsx::Estilo fecha{.numero = QStringLiteral("yyyy/mm/dd")};
    const LibroXlsx::Estilo fechaHora{.numero = QStringLiteral("yyyy/mm/dd hh:mm:ss")};
    for (int f = 0; f < int(t.filas.size()); ++f) {
        const int fila = f + 1;
        for (int c = 0; c < int(t.columnas.size()); ++c) {
            const ColumnaTabla& col = t.columnas[size_t(c)];
            const fb::Value& v = t.filas[size_t(f)][size_t(c)];
            if (v.isNull()) continue;
            switch (col.tipo) {
                case FieldType::Decimal: {
                    // Through the exact text: the nearest double, which the
                    // file writes back as the shortest decimal that reads as it.
                    bool ok = false;
                    const double d = plano(v).toDouble(&ok);
                    if (ok)
                        libro.numero(fila, c, d, {.numero = LibroXlsx::formatoMiles(std::clamp(col.escala, 0, 6))});
                    else
                        libro.texto(fila, c, t.texto(f, c));
                    break;
                }
                case FieldType::Integer:  // ids and counts: no thousands
                    if (v.is<int64_t>() && cabeEnHoja(v.toInt64()))
                        libro.numero(fila, c, double(v.toInt64()));
                    else
                        libro.texto(fila, c, plano(v));
                    break;
                case FieldType::Float:
                    if (v.is<double>() && std::isfinite(v.toDouble()))
                        libro.numero(fila, c, v.toDouble());
                    else
                        libro.texto(fila, c, plano(v));
                    break;
                case FieldType::Date:
                case FieldType::DateTime: {
                    const bool soloFecha = col.tipo == FieldType::Date || v.is<QDate>();
                    const QDateTime dt = soloFecha ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
                    // The sheet's calendar starts in 1900: earlier dates go as text.
                    if (!libro.fecha(fila, c, dt, soloFecha ? fecha : fechaHora)) libro.texto(fila, c, t.texto(f, c));
                    break;
                }
                case FieldType::Memo: {
                    const QString texto = plano(v);
                    libro.texto(fila, c, texto, {.envolver = texto.contains(u'\n')});
                    break;
                }
                default:
                    libro.texto(fila, c, t.texto(f, c));
            }
        }
    }
    return libro.cerrar(error);
}

}  // namespace

bool ColumnaTabla::numerica() const {
    return tipo == FieldType::Integer || tipo == FieldType::Decimal || tipo == FieldType::Float;
}

TablaExportar TablaExportar::desde(const DataSet& ds, const std::vector<int>& filas, const std::vector<int>& campos) {
    TablaExportar t;
    for (int c : campos) {
        const Field& f = ds.field(c);
        t.columnas.push_back({f.label(), f.type(), f.scale()});
    }
    for (int r : filas) {
        const RecordRef rec = ds.row(r);
        std::vector<fb::Value> valores;
        valores.reserve(campos.size());
        for (int c : campos) valores.push_back(rec.value(c));
        t.filas.push_back(std::move(valores));
    }
    return t;
}

QString TablaExportar::texto(int fila, int columna) const {
    const ColumnaTabla& c = columnas[size_t(columna)];
    const fb::Value& v = filas[size_t(fila)][size_t(columna)];
    if (v.isNull()) return {};
    if (c.tipo == FieldType::Decimal) {
        const auto& d = std::get<fb::Decimal>(v.storage());
        if (c.escala <= Dinero::decimales) {
            try {
                return Dinero::desdeEscalado(d.unscaled, d.scale).texto(c.escala);
            } catch (const std::exception&) {
                // beyond what Dinero holds: plain below
            }
        }
    }
    if (c.tipo == FieldType::Memo) return enUnaLinea(plainText(v));
    return plainText(v);
}

QString extension(FormatoArchivo formato) {
    switch (formato) {
        case FormatoArchivo::Texto: return QStringLiteral("txt");
        case FormatoArchivo::Csv: return QStringLiteral("csv");
        case FormatoArchivo::Html: return QStringLiteral("htm");
        case FormatoArchivo::Rtf: return QStringLiteral("rtf");
        case FormatoArchivo::Excel: return QStringLiteral("xls");
        case FormatoArchivo::Xlsx: return QStringLiteral("xlsx");
    }
    return {};
}

QString filtro(FormatoArchivo formato) {
    switch (formato) {
        case FormatoArchivo::Texto: return QStringLiteral("Archivo texto (*.txt)");
        case FormatoArchivo::Csv: return QStringLiteral("Valores separados por comas (*.csv)");
        case FormatoArchivo::Html: return QStringLiteral("Página web (*.htm *.html)");
        case FormatoArchivo::Rtf: return QStringLiteral("Texto enriquecido (*.rtf)");
        case FormatoArchivo::Excel: return QStringLiteral("Libro de Microsoft Excel (*.xls)");
        case FormatoArchivo::Xlsx: return QStringLiteral("Libro de Excel 2007-365 (*.xlsx)");
    }
    return {};
}

const QList<FormatoArchivo>& formatosArchivo() {
    static const QList<FormatoArchivo> todos{FormatoArchivo::Texto, FormatoArchivo::Csv,   FormatoArchivo::Html,
                                             FormatoArchivo::Rtf,   FormatoArchivo::Excel, FormatoArchivo::Xlsx};
    return todos;
}

std::optional<FormatoArchivo> formatoDeFiltro(const QString& f) {
    for (FormatoArchivo x : formatosArchivo())
        if (filtro(x) == f) return x;
    return std::nullopt;
}

QString conExtension(const QString& ruta, FormatoArchivo formato) {
    const QString sufijo = QFileInfo(ruta).suffix();
    const QString ext = extension(formato);
    if (sufijo.compare(ext, Qt::CaseInsensitive) == 0) return ruta;
    if (formato == FormatoArchivo::Html && sufijo.compare(QStringLiteral("html"), Qt::CaseInsensitive) == 0)
        return ruta;
    return ruta + u'.' + ext;
}

std::optional<QString> destinoExportacion(const QString& elegido, FormatoArchivo formato,
                                          const std::function<bool(const QString&)>& reemplazar) {
    if (elegido.isEmpty()) return std::nullopt;
    const QString ruta = conExtension(elegido, formato);
    if (QFileInfo::exists(ruta) && !reemplazar(ruta)) return std::nullopt;
    return ruta;
}

QByteArray contenido(const TablaExportar& tabla, FormatoArchivo formato) {
    switch (formato) {
        case FormatoArchivo::Texto: return comoTexto(tabla);
        case FormatoArchivo::Csv: return comoCsv(tabla);
        case FormatoArchivo::Html: return comoHtml(tabla);
        case FormatoArchivo::Rtf: return comoRtf(tabla);
        case FormatoArchivo::Excel: return comoExcel(tabla);
        case FormatoArchivo::Xlsx: return comoXlsx(tabla, nullptr);
    }
    return {};
}

bool guardar(const QString& ruta, const TablaExportar& tabla, FormatoArchivo formato, QString* error) {
    const QByteArray bytes = formato == FormatoArchivo::Xlsx ? comoXlsx(tabla, error) : contenido(tabla, formato);
    if (bytes.isEmpty() && formato == FormatoArchivo::Xlsx) return false;
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(bytes) < 0 || !archivo.commit()) {
        if (error) *error = archivo.errorString();
        return false;
    }
    return true;
}

int imprimir(QPagedPaintDevice& dispositivo, const TablaExportar& tabla, const QString& titulo, QDate fecha) {
    QPainter p;
    if (!p.begin(&dispositivo)) return 0;
    QFont letra(QStringLiteral("Sans Serif"), 8);
    QFont negrita = letra;
    negrita.setBold(true);
    const QFontMetricsF fm(letra, &dispositivo);
    const QFontMetricsF fmNegrita(negrita, &dispositivo);
    const double relleno = fm.averageCharWidth();
    const double tope = fm.averageCharWidth() * 60;  // a long concept does not take the page
    const int n = int(tabla.columnas.size());

    std::vector<double> anchos(static_cast<size_t>(n));
    double total = 0;
    for (int c = 0; c < n; ++c) {
        double a = fmNegrita.horizontalAdvance(tabla.columnas[size_t(c)].titulo);
        for (int f = 0; f < int(tabla.filas.size()); ++f) a = std::max(a, fm.horizontalAdvance(tabla.texto(f, c)));
        anchos[size_t(c)] = std::min(a, tope) + 2 * relleno;
        total += anchos[size_t(c)];
    }
    const double anchoPagina = dispositivo.width();
    // Too wide: everything shrinks together; narrower: the columns widen.
    const double escala = total > anchoPagina ? anchoPagina / total : 1.0;
    if (escala == 1.0 && total > 0)
        for (double& a : anchos) a *= anchoPagina / total;
    p.scale(escala, escala);
    const double ancho = anchoPagina / escala;
    const double alto = dispositivo.height() / escala;
    const double fila = fm.height() * 1.4;

    int pagina = 0;
    double y = 0;
    auto encabezado = [&] {
        ++pagina;
        y = 0;
        p.setFont(negrita);
        p.setPen(Qt::black);
        const QRectF linea(0, y, ancho, fila);
        p.drawText(linea, Qt::AlignLeft | Qt::AlignVCenter, titulo);
        p.setFont(letra);
        p.drawText(linea, Qt::AlignRight | Qt::AlignVCenter, fecha.toString(QStringLiteral("yyyy/MM/dd")));
        y += fila * 1.5;
        double x = 0;
        p.setFont(negrita);
        for (int c = 0; c < n; ++c) {
            const QRectF celda(x, y, anchos[size_t(c)], fila);
            p.fillRect(celda, QColor(220, 220, 220));
            p.drawRect(celda);
            const QRectF dentro = celda.adjusted(relleno, 0, -relleno, 0);
            p.drawText(dentro,
                       (tabla.columnas[size_t(c)].numerica() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       fmNegrita.elidedText(tabla.columnas[size_t(c)].titulo, Qt::ElideRight, dentro.width()));
            x += anchos[size_t(c)];
        }
        p.setFont(letra);
        y += fila;
    };
    auto pie = [&] {
        p.drawText(QRectF(0, alto - fila, ancho, fila), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Página %1").arg(pagina));
    };

    encabezado();
    for (int f = 0; f < int(tabla.filas.size()); ++f) {
        if (y + fila > alto - fila * 1.5) {
            pie();
            dispositivo.newPage();
            encabezado();
        }
        double x = 0;
        for (int c = 0; c < n; ++c) {
            const QRectF celda(x, y, anchos[size_t(c)], fila);
            const QRectF dentro = celda.adjusted(relleno, 0, -relleno, 0);
            p.drawText(dentro,
                       (tabla.columnas[size_t(c)].numerica() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       fm.elidedText(tabla.texto(f, c), Qt::ElideRight, dentro.width()));
            x += anchos[size_t(c)];
        }
        p.setPen(QColor(200, 200, 200));
        p.drawLine(QPointF(0, y + fila), QPointF(x, y + fila));
        p.setPen(Qt::black);
        y += fila;
    }
    pie();
    p.end();
    return pagina;
}

}  // namespace cxp
