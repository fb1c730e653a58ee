#pragma once
// The widgets of the numbering authorizations screen "Autorizaciones de
// numeración": the buttons "F2: Grabar" and "Esc:Salir", "Habilitar
// filtros" and the grid of authorizations, whose prefix column picks from
// the charges' prefixes. Keys: F2 saves and closes, Esc leaves, Insert (or
// Down on the last row) adds an authorization.
#include "comunes/Tfautorizacion.h"

#include <QVariantMap>
#include <QWidget>
#include <memory>

class QCheckBox;
class QPushButton;

namespace cxp {

class Rejilla;
class Teclado;

class TfautorizacionVista : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 750;
    static constexpr int kAlto = 259;

    // Takes the logic, already opened.
    TfautorizacionVista(std::unique_ptr<Tfautorizacion> logica, Interaccion& interaccion,
                        ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre = nullptr);
    ~TfautorizacionVista() override;

    Tfautorizacion& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QCheckBox* casillaFiltros() const { return filtros_; }
    QPushButton* botonGrabar() const { return grabar_; }
    QPushButton* botonSalir() const { return salir_; }
    int columna(const QString& campo) const;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void nueva();
    void bajar();

    std::unique_ptr<Tfautorizacion> logica_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    QCheckBox* filtros_;
    QPushButton* grabar_;
    QPushButton* salir_;
    bool centrada_ = false;
};

// The factory the main window registers for "Tfautorizacion". Null when
// the screen does not open (its message was shown).
QWidget* crearTfautorizacion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
