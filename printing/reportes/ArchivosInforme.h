#pragma once
// A laid-out report written to files: PDF, HTML, plain text, RTF, a
// workbook (.xlsx, the pages as one sheet) and one PNG per page. The text and RTF outputs set the pieces of each page in
// lines and columns of a fixed-width letter.
#include "printing/reportes/Paginado.h"

#include <QString>

namespace cxp::reportes {

enum class FormatoArchivo { Pdf, Html, Texto, Rtf, Xlsx };

// Writes the whole report; false with the reason in `error` when the file
// cannot be written (nothing half-written is left behind).
bool escribirArchivo(const Paginado& paginado, FormatoArchivo formato, const QString& archivo, const QString& titulo,
                     QString* error);
// One PNG per page: archivo, then archivo-2.png, ... (pictures for docs).
bool escribirPng(const Paginado& paginado, const QString& archivo, int puntosPorPulgada, QString* error);
// The pages as plain text lines, pages separated by a form feed.
QString comoTexto(const Paginado& paginado);

}  // namespace cxp::reportes
