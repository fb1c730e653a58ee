#pragma once
// Reader of the text files the import takes: delimited (a separator between
// fields and an optional text delimiter that protects what it encloses) or
// fixed width (each column cut by its width). The file's encoding is found
// from its bytes: UTF-8 with or without its mark, else Windows-1252, which
// covers ISO8859-1. Every line keeps its number in the file, and the last
// line is read whether or not it ends with a line end.
#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

namespace cxp::importacion {

enum class Codificacion { Utf8, Windows1252 };

struct FormatoArchivo {
    bool anchoFijo = false;
    QChar separador = u',';
    QChar delimitador;      // null: none
    std::vector<int> anchos; // fixed width: the width of column 1, 2, ...
};

struct LineaLeida {
    int numero = 0;          // 1-based line number in the file
    QStringList campos;      // field 1 is campos[0]
    bool vacia = false;      // nothing but the line end
};

// A field holds at most this many characters; the rest is dropped.
inline constexpr int kLargoMaximoCampo = 255;

Codificacion detectarCodificacion(const QByteArray& bytes);
QString decodificar(const QByteArray& bytes, Codificacion* codificacion = nullptr);

class LectorTexto {
public:
    LectorTexto(const QByteArray& bytes, FormatoArchivo formato);

    // The next line, false at the end of the file.
    bool siguiente(LineaLeida& linea);
    // Progress: characters read of the whole text.
    qsizetype leidos() const { return pos_; }
    qsizetype total() const { return texto_.size(); }
    Codificacion codificacion() const { return codificacion_; }

private:
    void partirDelimitado(QStringView linea, QStringList& campos) const;
    void partirAnchoFijo(QStringView linea, QStringList& campos) const;

    QString texto_;
    FormatoArchivo formato_;
    Codificacion codificacion_;
    qsizetype pos_ = 0;
    int numero_ = 0;
};

}  // namespace cxp::importacion
