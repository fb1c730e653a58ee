#pragma once
// The widgets of the day's exchange rate screen "Tasa de cambio diaria":
// "Fecha:" (today, not edited), "Moneda:" chosen by name and "Tasa de
// cambio:". Keys: F2 saves and closes, Esc discards and closes, Enter
// moves to the next field.
#include "comunes/Tftasacambiodia.h"

#include <QVariantMap>
#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace cxp {

class Enlaces;
class Teclado;

class TftasacambiodiaVista : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 286;
    static constexpr int kAlto = 178;

    // Takes the logic, already opened.
    TftasacambiodiaVista(std::unique_ptr<Tftasacambiodia> logica, Interaccion& interaccion,
                         ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre = nullptr);
    ~TftasacambiodiaVista() override;

    Tftasacambiodia& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Enlaces& enlaces() { return *enlaces_; }
    QDateEdit* editorFecha() const { return fecha_; }
    QComboBox* comboMoneda() const { return moneda_; }
    QLineEdit* editorValor() const { return valor_; }
    QPushButton* botonGrabar() const { return grabar_; }
    QPushButton* botonSalir() const { return salir_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    std::unique_ptr<Tftasacambiodia> logica_;
    Enlaces* enlaces_;
    Teclado* teclado_;
    QDateEdit* fecha_;
    QComboBox* moneda_;
    QLineEdit* valor_;
    QPushButton* grabar_;
    QPushButton* salir_;
    bool centrada_ = false;
};

// The factory the main window registers for "Tftasacambiodia".
QWidget* crearTftasacambiodia(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                              const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
