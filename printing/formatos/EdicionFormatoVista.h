#pragma once
// The widgets of "Definición de formatos documentos", new and modify: the
// format's fields on top (document, prefix, printer, detail lines, fonts,
// paper), the grids "Datos a imprimir" and "Lineas y cuadros " with their
// own filter rows ("Filtrar"), and the "Gráfico" box of a picture element.
// Keys: "F2: Grabar", "Esc: Cancelar"; to modify also "F5: Mover" and,
// when the program prints documents, "F8: Vista previa".
#include "printing/formatos/EdicionFormato.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;

namespace cxp {

class Enlaces;
class Rejilla;
class Teclado;

class EdicionFormatoVista : public QWidget {
    Q_OBJECT
public:
    EdicionFormatoVista(std::unique_ptr<EdicionFormato> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                        Sesion& sesion, QWidget* padre = nullptr);
    ~EdicionFormatoVista() override;

    EdicionFormato& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Enlaces& enlaces() { return *enlaces_; }
    Rejilla* rejillaDatos() const { return datos_; }
    Rejilla* rejillaLineas() const { return lineas_; }
    QComboBox* documento() const { return documento_; }
    QComboBox* prefijo() const { return prefijo_; }
    QComboBox* impresora() const { return impresora_; }
    QGroupBox* grafico() const { return grafico_; }

    // The "Gráfico" box with the picture of the current element.
    void mostrarGrafico();
    // Loads a bitmap file into the current element; false, with the
    // reason told, for a file that is no picture.
    bool cargarGrafico(const QString& archivo);

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void grabar();
    bool confirmar();
    void mostrarPrefijos();
    void mostrarPrefijo();
    void mostrarImpresora();
    void mover();
    void vistaPrevia();
    void elegirGrafico();
    Rejilla* rejilla(DataSet& ds, const QString& nombre, const QString& titulo);

    std::unique_ptr<EdicionFormato> logica_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Sesion& sesion_;
    Enlaces* enlaces_;
    Teclado* teclado_;
    QComboBox* documento_;
    QComboBox* prefijo_;
    QComboBox* impresora_;
    Rejilla* datos_;
    Rejilla* lineas_;
    QGroupBox* grafico_;
    QLabel* imagen_;
    bool centrada_ = false;
};

QWidget* crearTfdefformato(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const QVariantMap& argumentos, QWidget* padre = nullptr);
// {"tipo", "prefijo"}: the format to modify. With an impresor the screen
// offers the trial print on F8.
QWidget* crearTfmodformato(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const QVariantMap& argumentos, Tfmodformato::Impresor impresor = {},
                           QWidget* padre = nullptr);

}  // namespace cxp
