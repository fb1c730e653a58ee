#pragma once
// The widgets of the creditor search: "Buscar en:" with its four columns,
// the text, "Buscar e&n cualquier posición", "Ver  inactivos", "Habilitar
// filtros", "Buscar", the list (inactive creditors in red) and the buttons.
// Keys: F3 delete, F4 modify, F5 new, F8 balances, F9 movement, Esc close;
// Enter searches in the text and modifies or selects in the grid; Shift+F12
// back to the text. Also "Artículos por proveedor".
#include "creditors/Tfbuscprove.h"
#include "creditors/Tfprovarticulos.h"

#include <QPointer>
#include <QVariantMap>
#include <QWidget>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QMdiArea;
class QPushButton;

namespace cxp {

class Configuracion;
class Rejilla;
class Teclado;

class TfbuscproveVista : public QWidget {
    Q_OBJECT
public:
    TfbuscproveVista(std::unique_ptr<Tfbuscprove> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                     const Sesion& sesion, QWidget* padre = nullptr);
    ~TfbuscproveVista() override;

    Tfbuscprove& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QLineEdit* texto() const { return texto_; }
    QCheckBox* cualquierPosicion() const { return cualquier_; }
    QCheckBox* verInactivos() const { return inactivos_; }
    QButtonGroup* opciones() const { return opciones_; }
    QPushButton* boton(const QString& texto) const;

    // Size and place among the main window's child windows: height = client
    // height - 140 - 8n, width = client width - 130 - 6n, at (6n, 8n).
    static QRect geometriaEn(const QSize& cliente, int abiertas);

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void buscar();

    std::unique_ptr<Tfbuscprove> logica_;
    ManejadorErrores& manejador_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    QLineEdit* texto_;
    QCheckBox* cualquier_;
    QCheckBox* inactivos_;
    QButtonGroup* opciones_;
    QList<QPushButton*> botones_;
    QPointer<QMdiArea> area_;
    bool colocada_ = false;
};

class TfprovarticulosVista : public QWidget {
    Q_OBJECT
public:
    TfprovarticulosVista(std::unique_ptr<Tfprovarticulos> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Sesion& sesion, QWidget* padre = nullptr);
    ~TfprovarticulosVista() override;
    Rejilla* rejilla() const { return rejilla_; }
    Teclado& teclado() { return *teclado_; }

private:
    std::unique_ptr<Tfprovarticulos> logica_;
    Rejilla* rejilla_;
    Teclado* teclado_;
};

QWidget* crearTfbuscprove(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                          const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);
QWidget* crearTfprovarticulos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                              const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);
// The picker: {"nit", "nombre"} of the chosen creditor, nothing after Esc.
std::optional<QVariantMap> elegirAcreedor(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                          const QVariantMap& args, QWidget* padre);

}  // namespace cxp
