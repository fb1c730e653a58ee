#include "import/LectorTexto.h"

#include <QStringDecoder>

namespace cxp::importacion {

namespace {

// Windows-1252 in 0x80..0x9F; the five holes keep the ISO8859-1 control.
constexpr char16_t kCp1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QByteArray kMarcaUtf8("\xEF\xBB\xBF", 3);

void agregar(QString& campo, QChar c) {
    if (campo.size() < kLargoMaximoCampo) campo.append(c);
}

}  // namespace

Codificacion detectarCodificacion(const QByteArray& bytes) {
    if (bytes.startsWith(kMarcaUtf8)) return Codificacion::Utf8;
    QStringDecoder d(QStringDecoder::Utf8);
    const QString probado = d.decode(bytes);
    return d.hasError() ? Codificacion::Windows1252 : Codificacion::Utf8;
}

QString decodificar(const QByteArray& bytes, Codificacion* codificacion) {
    const Codificacion c = detectarCodificacion(bytes);
    if (codificacion) *codificacion = c;
    if (c == Codificacion::Utf8) {
        const QByteArray cuerpo = bytes.startsWith(kMarcaUtf8) ? bytes.mid(3) : bytes;
        return QString::fromUtf8(cuerpo);
    }
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* out = s.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = (u >= 0x80 && u < 0xA0) ? QChar(kCp1252[u - 0x80]) : QChar(u);
    }
    return s;
}

LectorTexto::LectorTexto(const QByteArray& bytes, FormatoArchivo formato)
    : texto_(decodificar(bytes, &codificacion_)), formato_(std::move(formato)) {}

bool LectorTexto::siguiente(LineaLeida& linea) {
    if (pos_ >= texto_.size()) return false;
    qsizetype fin = pos_;
    while (fin < texto_.size() && texto_[fin] != u'\r' && texto_[fin] != u'\n') ++fin;
    const QStringView vista = QStringView(texto_).mid(pos_, fin - pos_);
    // CR LF is one line end; a lone CR or LF is one too.
    qsizetype siguiente = fin;
    if (siguiente < texto_.size()) {
        if (texto_[siguiente] == u'\r' && siguiente + 1 < texto_.size() && texto_[siguiente + 1] == u'\n') ++siguiente;
        ++siguiente;
    }
    pos_ = siguiente;
    linea.numero = ++numero_;
    linea.campos.clear();
    linea.vacia = vista.isEmpty();
    if (formato_.anchoFijo) partirAnchoFijo(vista, linea.campos);
    else partirDelimitado(vista, linea.campos);
    return true;
}

// A field that opens with the delimiter runs to the next lone delimiter;
// a doubled one inside stands for itself and separators inside are text.
// Anything after the closing delimiter up to the separator is kept. A
// delimiter inside an unquoted field is an ordinary character, and a field
// left open by a missing delimiter ends with the line.
void LectorTexto::partirDelimitado(QStringView linea, QStringList& campos) const {
    const QChar sep = formato_.separador, del = formato_.delimitador;
    const bool conDelimitador = !del.isNull();
    QString campo;
    bool enComillas = false, alInicio = true;
    for (qsizetype i = 0; i < linea.size(); ++i) {
        const QChar c = linea[i];
        if (enComillas) {
            if (c == del) {
                if (i + 1 < linea.size() && linea[i + 1] == del) {
                    agregar(campo, c);
                    ++i;
                } else {
                    enComillas = false;
                }
            } else {
                agregar(campo, c);
            }
            continue;
        }
        if (c == sep) {
            campos << campo;
            campo.clear();
            alInicio = true;
            continue;
        }
        // Spaces before the opening delimiter are not part of the value.
        if (conDelimitador && c == del && alInicio) {
            enComillas = true;
            alInicio = false;
            campo.clear();
            continue;
        }
        if (c != u' ') alInicio = false;
        agregar(campo, c);
    }
    campos << campo;
}

void LectorTexto::partirAnchoFijo(QStringView linea, QStringList& campos) const {
    qsizetype desde = 0;
    for (const int ancho : formato_.anchos) {
        const qsizetype n = std::max(ancho, 0);
        const QStringView trozo = desde < linea.size() ? linea.mid(desde, n) : QStringView();
        campos << trozo.left(kLargoMaximoCampo).toString();
        desde += n;
    }
    if (formato_.anchos.empty()) campos << linea.left(kLargoMaximoCampo).toString();
}

}  // namespace cxp::importacion
