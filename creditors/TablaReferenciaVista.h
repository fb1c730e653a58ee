#pragma once
// The widgets of a reference table: the buttons "F2: Grabar", "Esc:Salir"
// (and "F5:Selecciona" for cities) over an editable grid with its menu to
// copy, print and save.
#include "creditors/TablaReferencia.h"

#include <QWidget>
#include <memory>

namespace cxp {

class Rejilla;
class Teclado;

class TablaReferenciaVista : public QWidget {
    Q_OBJECT
public:
    TablaReferenciaVista(std::unique_ptr<TablaReferencia> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Sesion& sesion, QWidget* padre = nullptr);
    ~TablaReferenciaVista() override;
    TablaReferencia& logica() { return *logica_; }
    Rejilla* rejilla() const { return rejilla_; }
    Teclado& teclado() { return *teclado_; }

private:
    void grabar();
    std::unique_ptr<TablaReferencia> logica_;
    Rejilla* rejilla_;
    Teclado* teclado_;
};

// The factory of a reference screen by its class name; nullptr for a name
// that is none or a screen that refused to open.
QWidget* crearTablaReferencia(const QString& pantalla, Sesion& sesion, Interaccion& interaccion,
                              ManejadorErrores& manejador, const Configuracion& configuracion, QWidget* padre = nullptr);
// The cities as a picker: {"codigo", "nombre"}.
std::optional<QVariantMap> elegirCiudad(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                        const Configuracion& configuracion, QWidget* padre);

}  // namespace cxp
