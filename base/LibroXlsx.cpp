#include "base/LibroXlsx.h"

#include <QFile>

#include <xlsxwriter.h>

namespace cxp {

LibroXlsx::LibroXlsx() {
    if (!dir_.isValid()) {
        error_ = dir_.errorString();
        return;
    }
    // libxlsxwriter writes its own file; the bytes are read back on closing.
    libro_ = workbook_new(QFile::encodeName(dir_.filePath(QStringLiteral("libro.xlsx"))).constData());
    if (!libro_) {
        error_ = QStringLiteral("No se pudo crear el libro.");
        return;
    }
    hoja_ = workbook_add_worksheet(libro_, "Hoja1");
}

LibroXlsx::~LibroXlsx() {
    if (libro_) workbook_close(libro_);
}

void LibroXlsx::nota(int estado) {
    if (estado_ == LXW_NO_ERROR) estado_ = estado;
}

bool LibroXlsx::cabe(int fila, int columna) {
    if (!hoja_) return false;
    if (fila >= 0 && fila < kFilas && columna >= 0 && columna < kColumnas) return true;
    if (error_.isEmpty())
        error_ = QStringLiteral("La hoja admite hasta %1 filas y %2 columnas.").arg(kFilas).arg(kColumnas);
    return false;
}

lxw_format* LibroXlsx::formato(const Estilo& e) {
    if (!e.negrita && !e.derecha && !e.envolver && e.numero.isEmpty()) return nullptr;
    const QString clave = QStringLiteral("%1%2%3%4").arg(int(e.negrita)).arg(int(e.derecha)).arg(int(e.envolver)).arg(e.numero);
    lxw_format*& f = formatos_[clave];
    if (f) return f;
    f = workbook_add_format(libro_);
    if (e.negrita) format_set_bold(f);
    if (e.derecha) format_set_align(f, LXW_ALIGN_RIGHT);
    if (e.envolver) {
        format_set_text_wrap(f);
        format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
    }
    if (!e.numero.isEmpty()) format_set_num_format(f, e.numero.toUtf8().constData());
    return f;
}

void LibroXlsx::texto(int fila, int columna, QString t, const Estilo& estilo) {
    if (t.isEmpty() || !cabe(fila, columna)) return;
    if (t.size() > kLargoTexto) {
        t.truncate(kLargoTexto);
        if (t.back().isHighSurrogate()) t.chop(1);
    }
    nota(worksheet_write_string(hoja_, lxw_row_t(fila), lxw_col_t(columna), t.toUtf8().constData(), formato(estilo)));
}

void LibroXlsx::numero(int fila, int columna, double n, const Estilo& estilo) {
    if (!cabe(fila, columna)) return;
    nota(worksheet_write_number(hoja_, lxw_row_t(fila), lxw_col_t(columna), n, formato(estilo)));
}

bool LibroXlsx::fecha(int fila, int columna, const QDateTime& f, const Estilo& estilo) {
    if (!f.isValid() || f.date().year() < 1900 || f.date().year() > 9999) return false;
    if (!cabe(fila, columna)) return true;
    const QTime h = f.time();
    lxw_datetime d{f.date().year(), f.date().month(), f.date().day(), h.hour(), h.minute(),
                   h.second() + h.msec() / 1000.0};
    nota(worksheet_write_datetime(hoja_, lxw_row_t(fila), lxw_col_t(columna), &d, formato(estilo)));
    return true;
}

void LibroXlsx::ancho(int columna, double caracteres) {
    if (cabe(0, columna)) nota(worksheet_set_column(hoja_, lxw_col_t(columna), lxw_col_t(columna), caracteres, nullptr));
}

void LibroXlsx::fijarFilas(int filas) {
    if (hoja_) worksheet_freeze_panes(hoja_, lxw_row_t(filas), 0);
}

QByteArray LibroXlsx::cerrar(QString* error) {
    auto falla = [&](const QString& razon) {
        if (error) *error = razon;
        return QByteArray();
    };
    if (!libro_) return falla(error_);
    nota(workbook_close(libro_));  // frees the workbook whatever it answers
    libro_ = nullptr;
    hoja_ = nullptr;
    if (!error_.isEmpty()) return falla(error_);
    if (estado_ != LXW_NO_ERROR)
        return falla(QStringLiteral("No se pudo escribir el libro: ") + QString::fromUtf8(lxw_strerror(lxw_error(estado_))));
    QFile f(dir_.filePath(QStringLiteral("libro.xlsx")));
    if (!f.open(QIODevice::ReadOnly)) return falla(f.errorString());
    return f.readAll();
}

QString LibroXlsx::formatoMiles(int decimales) {
    return decimales > 0 ? QStringLiteral("#,##0.") + QString(decimales, u'0') : QStringLiteral("#,##0");
}

QString LibroXlsx::formatoFecha(const QString& patronQt) {
    // The same letters; the sheet tells minutes from months by the hour
    // beside them, and writes Qt's "ap" as "AM/PM".
    QString r = patronQt.toLower();
    r.replace(QStringLiteral("ap"), QStringLiteral("AM/PM"));
    return r;
}

}  // namespace cxp
