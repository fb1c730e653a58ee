#pragma once
// Where a laid-out report goes: the output dialog (preview, printer or a
// file as PDF, HTML, text, RTF or a workbook), the preview window and the printer.
#include "printing/reportes/ArchivosInforme.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace cxp::reportes {

class DialogoSalida : public QDialog {
    Q_OBJECT
public:
    enum class Destino { VistaPrevia, Impresora, Archivo };

    // `nombre`: the file name offered, without extension ("RepMovProv").
    DialogoSalida(const QString& nombre, QWidget* padre = nullptr);

    Destino destino() const;
    FormatoArchivo formato() const;
    // The file chosen, with the format's extension when it lacks one.
    QString archivo() const;

private:
    void elegirArchivo();
    QRadioButton* previa_;
    QRadioButton* impresora_;
    QRadioButton* archivo_;
    QComboBox* formato_;
    QLineEdit* ruta_;
};

// The preview window, with printing from it.
void vistaPrevia(const Paginado& paginado, const QString& titulo, QWidget* padre);
// The print dialog, then the printer; false when cancelled or it failed.
bool imprimir(const Paginado& paginado, const QString& titulo, QWidget* padre, QString* error);
// Asks where and sends it there; false with the reason when a file or the
// printer failed (a cancelled dialog is no failure and leaves `error` empty).
bool enviar(const Paginado& paginado, const QString& titulo, const QString& nombreArchivo, QWidget* padre,
            QString* error);

}  // namespace cxp::reportes
