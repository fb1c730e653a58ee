#pragma once
// The dialog of every picker: a search text, the list of what matches
// (a read-only grid with "Habilitar filtros" and the grid's menu), Enter or
// a double click to choose, Esc to leave without a choice. What is listed
// and what may be chosen is the Seleccion's.
#include "comunes/Seleccion.h"

#include <QDialog>
#include <QTimer>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace cxp {

class Rejilla;
class Teclado;

class Selector : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAncho = 640;
    static constexpr int kAlto = 420;
    // Typing searches once the person pauses this long (milliseconds).
    static constexpr int kPausa = 300;

    // Runs the first search with the Seleccion's starting filter.
    Selector(std::unique_ptr<Seleccion> logica, ManejadorErrores& manejador, QWidget* padre = nullptr);
    ~Selector() override;

    Seleccion& logica() { return *logica_; }
    QLineEdit* texto() const { return texto_; }
    Rejilla* rejilla() const { return rejilla_; }
    QCheckBox* casillaFiltros() const { return filtros_; }
    QPushButton* botonElegir() const { return elegir_; }
    QPushButton* botonSalir() const { return salir_; }
    Teclado& teclado() { return *teclado_; }
    const std::optional<QVariantMap>& eleccion() const { return eleccion_; }

    // Searches the text now.
    void buscar();
    // Chooses the grid's current row: accepted, the dialog closes with it.
    void elegirActual();

    // Opens the dialog modally and returns the choice.
    static std::optional<QVariantMap> elegir(std::unique_ptr<Seleccion> logica, ManejadorErrores& manejador,
                                             QWidget* padre = nullptr);

private:
    void irALista();

    std::unique_ptr<Seleccion> logica_;
    QLineEdit* texto_;
    Rejilla* rejilla_;
    QCheckBox* filtros_;
    QLabel* leyenda_;
    QPushButton* buscar_;
    QPushButton* elegir_;
    QPushButton* salir_;
    Teclado* teclado_;
    QTimer pausa_;
    std::optional<QVariantMap> eleccion_;
};

}  // namespace cxp
