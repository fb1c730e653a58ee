#pragma once
// An Office Open XML workbook (.xlsx) of one sheet, "Hoja1", written with
// libxlsxwriter: text always as text (a shared string is never read as a
// formula), numbers as numbers, dates as dates, each with its look.
#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QTemporaryDir>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace cxp {

struct EstiloCelda {
    bool negrita = false;
    bool derecha = false;
    bool envolver = false;  // several lines in the cell, from its top
    QString numero = {};    // the sheet's number format ("#,##0.00", "yyyy/mm/dd"); empty: general
};

class LibroXlsx {
public:
    using Estilo = EstiloCelda;
    // The most a sheet holds.
    static constexpr int kFilas = 1048576;
    static constexpr int kColumnas = 16384;
    static constexpr int kLargoTexto = 32767;

    LibroXlsx();
    ~LibroXlsx();
    LibroXlsx(const LibroXlsx&) = delete;
    LibroXlsx& operator=(const LibroXlsx&) = delete;

    // Rows and columns count from 0. An empty text writes nothing; a longer
    // one than a cell holds is cut.
    void texto(int fila, int columna, QString t, const Estilo& estilo = {});
    void numero(int fila, int columna, double n, const Estilo& estilo = {});
    // False (and nothing written) for what the sheet's calendar lacks:
    // before 1900 or after 9999.
    bool fecha(int fila, int columna, const QDateTime& f, const Estilo& estilo);
    void ancho(int columna, double caracteres);
    // The first `filas` rows stay in sight when scrolling.
    void fijarFilas(int filas);

    // Closes the workbook and gives its bytes; empty with the reason in
    // `error` when a cell or the file failed.
    QByteArray cerrar(QString* error);

    // "#,##0" with `decimales` zeros after the point.
    static QString formatoMiles(int decimales);
    // A Qt date pattern ("dd/MM/yyyy HH:mm") as the sheet writes it.
    static QString formatoFecha(const QString& patronQt);

private:
    lxw_format* formato(const Estilo& e);
    bool cabe(int fila, int columna);
    void nota(int estado);

    QTemporaryDir dir_;
    lxw_workbook* libro_ = nullptr;
    lxw_worksheet* hoja_ = nullptr;
    QHash<QString, lxw_format*> formatos_;
    int estado_ = 0;  // the first lxw_error
    QString error_;
};

}  // namespace cxp
