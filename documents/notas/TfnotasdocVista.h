#pragma once
// The widgets of "Notas al documento": the notes' grid, the note's text and
// its attached file in a PDF pane read from memory (a double click opens
// the file with the desktop's handler), "F5:Nueva", "F3:Borrar",
// "Esc:Salir"; and the entry dialog "Registrar Nota al documento".
#include "data/DataSet.h"
#include "documents/notas/Tfnotasdoc.h"

#include <QDialog>
#include <QWidget>
#include <memory>

class QBuffer;
class QComboBox;
class QLabel;
class QLineEdit;
class QPdfDocument;
class QPdfView;
class QPlainTextEdit;
class QStackedWidget;

namespace cxp {

class Rejilla;
class Teclado;

class TfnotasdocVista : public QWidget {
    Q_OBJECT
public:
    TfnotasdocVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int tipo,
                    int64_t idDocumento, QWidget* padre = nullptr);
    ~TfnotasdocVista() override;

    bool abrir();
    Tfnotasdoc& logica() { return *logica_; }
    DataSet& lista() { return lista_; }
    QPdfDocument* documentoPdf() const { return pdf_; }
    Teclado* teclado() const { return teclado_; }
    void nueva();  // F5
    void abrirAdjunto();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void mostrar();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet lista_;
    std::unique_ptr<Tfnotasdoc> logica_;
    Rejilla* rejilla_;
    QPlainTextEdit* texto_;
    QStackedWidget* pila_;
    QLabel* sinPdf_;
    QPdfView* visor_;
    QPdfDocument* pdf_;
    QBuffer* memoria_;
    Teclado* teclado_;
};

class TfnvanotadocVista : public QDialog {
    Q_OBJECT
public:
    TfnvanotadocVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int tipo,
                      int64_t idDocumento, QWidget* padre = nullptr);

    Tfnvanotadoc& logica() { return logica_; }
    void grabar();  // F2
    void examinar();

private:
    Tfnvanotadoc logica_;
    QComboBox* tipo_;
    QLineEdit* resumen_;
    QPlainTextEdit* texto_;
    QLabel* archivo_;
};

}  // namespace cxp
