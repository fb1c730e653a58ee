#pragma once
// The widgets of "Documentos por tercero": the list of documents and, beside
// it, the PDF of the current one; "F5:Nuevo" opens "Registrar documento del
// tercero" (a title and a PDF file chosen in an open dialog, previewed),
// "F3:Borrar", "Esc:Salir".
#include "creditors/Tfdocumentostercero.h"

#include <QDialog>
#include <QVariantMap>
#include <QWidget>
#include <memory>

class QLineEdit;
class QPdfDocument;
class QPdfView;

namespace cxp {

class Configuracion;
class Rejilla;
class Teclado;

class RegistrarDocumento : public QDialog {
    Q_OBJECT
public:
    RegistrarDocumento(Tfdocumentostercero& logica, QWidget* padre = nullptr);
    QLineEdit* titulo() const { return titulo_; }
    QPdfDocument* documento() const { return documento_; }
    // The file chosen, previewed.
    void setArchivo(const QString& ruta);
    const QString& archivo() const { return archivo_; }
    // "F2:Grabar": stores and closes; a refusal keeps the dialog.
    bool grabar();

private:
    Tfdocumentostercero& logica_;
    QLineEdit* titulo_;
    QLineEdit* ruta_;
    QPdfDocument* documento_;
    QPdfView* vista_;
    QString archivo_;
};

class TfdocumentosterceroVista : public QWidget {
    Q_OBJECT
public:
    TfdocumentosterceroVista(std::unique_ptr<Tfdocumentostercero> logica, Interaccion& interaccion,
                             ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre = nullptr);
    ~TfdocumentosterceroVista() override;
    Tfdocumentostercero& logica() { return *logica_; }
    Rejilla* rejilla() const { return rejilla_; }
    QPdfDocument* documento() const { return documento_; }
    Teclado& teclado() { return *teclado_; }
    // Shows the current row's PDF.
    void mostrarActual();

private:
    std::unique_ptr<Tfdocumentostercero> logica_;
    Rejilla* rejilla_;
    QPdfDocument* documento_;
    QPdfView* visor_;
    Teclado* teclado_;
};

QWidget* crearTfdocumentostercero(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                  const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
