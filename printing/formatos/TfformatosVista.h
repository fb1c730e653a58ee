#pragma once
// The widgets of "Formatos de impresión": the buttons "F5: Nuevo",
// "F4:Modificar", "F3:Eliminar", "F8:Copiar" over the grid with its filter
// row ("Activar filtros") and menu, and the small copy panel ("Nuevo
// prefijo:" with "F2:Copiar") that F8 shows.
#include "printing/formatos/Tfformatos.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QFrame;

namespace cxp {

class Rejilla;
class Teclado;

class TfformatosVista : public QWidget {
    Q_OBJECT
public:
    TfformatosVista(std::unique_ptr<Tfformatos> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Sesion& sesion, QWidget* padre = nullptr);
    ~TfformatosVista() override;

    Tfformatos& logica() { return *logica_; }
    Rejilla* rejilla() const { return rejilla_; }
    Teclado& teclado() { return *teclado_; }
    QFrame* panelCopia() const { return panelCopia_; }
    QComboBox* nuevoPrefijo() const { return nuevoPrefijo_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void mostrarCopia();
    void copiar();

    std::unique_ptr<Tfformatos> logica_;
    Rejilla* rejilla_;
    Teclado* teclado_;
    QFrame* panelCopia_;
    QComboBox* nuevoPrefijo_;
    bool centrada_ = false;
};

QWidget* crearTfformatos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         const QVariantMap& argumentos, QWidget* padre = nullptr);

}  // namespace cxp
