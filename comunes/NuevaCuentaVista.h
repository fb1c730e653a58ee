#pragma once
// The dialog that creates an account the person chose to create: the code
// (given, not typed), "Nombre:", "Naturaleza:", the flags of the lines
// posted to it and the withholding base and percentage. F2 stores it and
// closes with its code; Esc leaves without creating it.
#include "comunes/NuevaCuenta.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace cxp {

class Enlaces;
class Teclado;

class NuevaCuentaVista : public QDialog {
    Q_OBJECT
public:
    // Takes the logic, already opened.
    NuevaCuentaVista(std::unique_ptr<NuevaCuenta> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                     QWidget* padre = nullptr);
    ~NuevaCuentaVista() override;

    NuevaCuenta& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QLineEdit* editorCodigo() const { return codigo_; }
    QLineEdit* editorNombre() const { return nombre_; }
    QComboBox* comboNaturaleza() const { return naturaleza_; }
    QCheckBox* casillaTercero() const { return tercero_; }
    QCheckBox* casillaCentro() const { return centro_; }
    QCheckBox* casillaRetencion() const { return retencion_; }
    QLineEdit* editorBase() const { return base_; }
    QLineEdit* editorPorcentaje() const { return porcentaje_; }
    QPushButton* botonGrabar() const { return grabar_; }
    QPushButton* botonSalir() const { return salir_; }
    const std::optional<QString>& creada() const { return creada_; }

    // F2: stores the account; closes with it when the database took it.
    void grabar();

    // Opens the dialog modally; the new account's code, or nothing.
    static std::optional<QVariantMap> crear(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                            const QVariantMap& argumentos, QWidget* padre = nullptr);

private:
    void mostrarRetencion();

    std::unique_ptr<NuevaCuenta> logica_;
    Enlaces* enlaces_;
    Teclado* teclado_;
    QLineEdit* codigo_;
    QLineEdit* nombre_;
    QComboBox* naturaleza_;
    QCheckBox* tercero_;
    QCheckBox* centro_;
    QCheckBox* retencion_;
    QLineEdit* base_;
    QLineEdit* porcentaje_;
    QPushButton* grabar_;
    QPushButton* salir_;
    std::optional<QString> creada_;
};

}  // namespace cxp
