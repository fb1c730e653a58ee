#pragma once
// The widgets of "Interfaces Cuentas x pagar": the read-only list with its
// filter row ("Activar filtros") and menu, the buttons of the commands, and
// the small copy panel ("Nuevo prefijo:"). Keys: F5 new, F4 modify, F3
// delete, F8 copy, F2 confirms the copy, Esc leaves the panel or the
// screen. The list is read again each time the screen is activated.
#include "accounting/interfaces/Tfinterfaces.h"

#include <QVariantMap>
#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;

namespace cxp {

class Configuracion;
class Rejilla;
class Teclado;

class TfinterfacesVista : public QWidget {
    Q_OBJECT
public:
    TfinterfacesVista(std::unique_ptr<Tfinterfaces> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                      const Sesion& sesion, QWidget* padre = nullptr);
    ~TfinterfacesVista() override;

    Tfinterfaces& logica() { return *logica_; }
    Rejilla* rejilla() const { return rejilla_; }
    Teclado& teclado() { return *teclado_; }
    QFrame* panelCopia() const { return copia_; }
    QComboBox* prefijoCopia() const { return prefijo_; }
    QCheckBox* casillaFiltros() const { return filtros_; }

    void iniciarCopia();
    void confirmarCopia();
    void salir();

protected:
    void showEvent(QShowEvent* evento) override;
    bool event(QEvent* evento) override;

private:
    std::unique_ptr<Tfinterfaces> logica_;
    ManejadorErrores& manejador_;
    Rejilla* rejilla_;
    Teclado* teclado_;
    QFrame* copia_;
    QComboBox* prefijo_;
    QCheckBox* filtros_;
    bool colocada_ = false;
};

QWidget* crearTfinterfaces(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
