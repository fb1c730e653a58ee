#pragma once
// The widgets of the numbering screen "Registro de consecutivos": the
// buttons "F2: Grabar" and "Esc:Salir", the "Documento:" list, "Habilitar
// filtros" and the grid of the type's prefixes. Keys: F2 saves and closes,
// Esc leaves, Insert (or Down on the last row) adds a prefix.
#include "comunes/TFConsecut.h"

#include <QVariantMap>
#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace cxp {

class Rejilla;
class Teclado;

class TFConsecutVista : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 500;
    static constexpr int kAlto = 287;

    // Takes the logic, already opened.
    TFConsecutVista(std::unique_ptr<TFConsecut> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Sesion& sesion, QWidget* padre = nullptr);
    ~TFConsecutVista() override;

    TFConsecut& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QComboBox* comboDocumento() const { return documento_; }
    Rejilla* rejilla() const { return rejilla_; }
    QCheckBox* casillaFiltros() const { return filtros_; }
    QPushButton* botonGrabar() const { return grabar_; }
    QPushButton* botonSalir() const { return salir_; }

    // The grid's column of a field, -1 when it shows none.
    int columna(const QString& campo) const;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void nuevoPrefijo();
    void bajar();
    void mostrarDocumento();

    std::unique_ptr<TFConsecut> logica_;
    Teclado* teclado_;
    QComboBox* documento_;
    Rejilla* rejilla_;
    QCheckBox* filtros_;
    QPushButton* grabar_;
    QPushButton* salir_;
    bool centrada_ = false;
};

// The factory the main window registers for "TFConsecut". Null when the
// screen could not open (the error was already shown).
QWidget* crearTFConsecut(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
