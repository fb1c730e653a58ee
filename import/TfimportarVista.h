#pragma once
// The widgets of the import wizard: three pages in one window. Step 1 the
// kind, step 2 "Ubicación:" with "Examinar", "Tipo de archivo ",
// "Separador:" and "Delimitador de texto:", step 3 the mapping grid,
// "Progeso:" and "Actual:". Keys: F2 goes on (or imports on step 3), Esc
// closes.
#include "import/Tfimportar.h"

#include <QVariantMap>
#include <QWidget>
#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace cxp {

class Rejilla;
class Teclado;

class TfimportarVista : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 560;
    static constexpr int kAlto = 420;

    TfimportarVista(std::unique_ptr<Tfimportar> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Sesion& sesion, QWidget* padre = nullptr);
    ~TfimportarVista() override;

    Tfimportar& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QButtonGroup* grupoTipo() const { return tipo_; }
    QButtonGroup* grupoArchivo() const { return archivo_; }
    QButtonGroup* grupoSeparador() const { return separador_; }
    QButtonGroup* grupoDelimitador() const { return delimitador_; }
    QLineEdit* editorRuta() const { return ruta_; }
    QLineEdit* editorActual() const { return actual_; }
    QProgressBar* barra() const { return barra_; }
    Rejilla* rejilla() const { return rejilla_; }
    QStackedWidget* paginas() const { return paginas_; }

    // F2 on the step shown.
    void siguiente();

private:
    void mostrarPaso(int paso);
    void tipoArchivoCambiado();
    void examinar();

    std::unique_ptr<Tfimportar> logica_;
    ManejadorErrores& manejador_;
    Teclado* teclado_;
    QStackedWidget* paginas_;
    QButtonGroup* tipo_;
    QButtonGroup* archivo_;
    QButtonGroup* separador_;
    QButtonGroup* delimitador_;
    QLineEdit* ruta_;
    QLineEdit* actual_;
    QProgressBar* barra_;
    Rejilla* rejilla_;
    QPushButton* siguiente_;
    QList<QWidget*> delimitados_;
    bool centrada_ = false;

protected:
    void showEvent(QShowEvent* evento) override;
};

// The factory the main window registers for "Tfimportar".
QWidget* crearTfimportar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
