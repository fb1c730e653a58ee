#pragma once
// What a grid holds, written to a file or to paper: tab-separated text,
// comma-separated values, a web page, rich text, a spreadsheet (Excel 2003
// XML, which Excel and LibreOffice open as .xls), an Office Open XML workbook
// (.xlsx, through libxlsxwriter), and printed pages fitted to the page width
// with today's date on each.
#include "data/DataSet.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace cxp {

enum class FormatoArchivo { Texto, Csv, Html, Rtf, Excel, Xlsx };

// Every format, in the order the save dialogs offer them.
const QList<FormatoArchivo>& formatosArchivo();

struct ColumnaTabla {
    QString titulo;
    FieldType tipo = FieldType::String;
    int escala = 0;  // decimals of a Decimal
    bool numerica() const;
};

struct TablaExportar {
    std::vector<ColumnaTabla> columnas;
    std::vector<std::vector<fb::Value>> filas;  // one value per column

    // The rows (DataSet row indices) and fields (field indices) given.
    static TablaExportar desde(const DataSet& ds, const std::vector<int>& filas, const std::vector<int>& campos);
    // As a grid shows it: "1,234.50", 2024/02/29, "S"/"N".
    QString texto(int fila, int columna) const;
};

// "txt", "csv", "htm", "rtf", "xls", "xlsx".
QString extension(FormatoArchivo formato);
// "Archivo texto (*.txt)" and so on, in the order of the enum.
QString filtro(FormatoArchivo formato);
// The format whose filter the save dialog gives, nullopt for another.
std::optional<FormatoArchivo> formatoDeFiltro(const QString& filtro);
// The name with the format's extension added when it has another (or
// none); "datos.CSV" stays, "datos.html" stays a web page.
QString conExtension(const QString& ruta, FormatoArchivo formato);

// The file a save dialog's answer names: the format's extension is added
// first, and only then, when that file exists, `reemplazar` is asked
// whether to overwrite it. Nothing for an empty answer or a No.
std::optional<QString> destinoExportacion(const QString& elegido, FormatoArchivo formato,
                                          const std::function<bool(const QString& ruta)>& reemplazar);
// A text cell a spreadsheet would take for a formula (it begins with "=",
// "+", "-", "@", a tab or a carriage return) with an apostrophe in front,
// so that it opens as the text it is.
QString sinFormula(const QString& texto);

// The file's bytes. Text and CSV are UTF-8 with a byte-order mark (Excel
// reads accents then); CSV quotes as RFC 4180 and writes numbers plain
// ("1234.50") and dates yyyy/MM/dd; text cells of text and CSV pass
// through sinFormula. The spreadsheet keeps numbers as numbers and dates as
// dates; its text cells are String data, which it never evaluates. The
// workbook (.xlsx) has one sheet "Hoja1": bold titles, the title row frozen,
// columns as wide as their longest text, numbers as numbers (a decimal column
// with thousands and its decimals), dates as dates, text as shared strings
// (never formulas). Empty when the workbook cannot be made.
QByteArray contenido(const TablaExportar& tabla, FormatoArchivo formato);
// Writes the file whole or not at all; false with the reason in error.
bool guardar(const QString& ruta, const TablaExportar& tabla, FormatoArchivo formato, QString* error = nullptr);

// Prints the table: the title and the date on the top of each page, the
// column titles repeated, columns shrunk (or widened) to the page width.
// Returns the number of pages.
int imprimir(QPagedPaintDevice& dispositivo, const TablaExportar& tabla, const QString& titulo, QDate fecha);

}  // namespace cxp
