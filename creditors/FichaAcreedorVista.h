#pragma once
// The widgets of "Nuevo acreedor" (580 by 555) and "Modificar acreedor"
// (580 by 528): the third party's fields, the supplier's terms and
// withholdings, the contacts grid, and the accounts panel shown by
// "F11:Contabilidad" with the tabs "Dec.2649" and "NIIF". Keys: F2 saves,
// Esc cancels and closes, Enter moves to the next field, F11 shows the
// accounts, F5 hides them; "?" in an account field opens the account list.
#include "creditors/FichaAcreedor.h"

#include <QHash>
#include <QVariantMap>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace cxp {

class Enlaces;
class Rejilla;
class Teclado;

class FichaAcreedorVista : public QWidget {
    Q_OBJECT
public:
    FichaAcreedorVista(std::unique_ptr<FichaAcreedor> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~FichaAcreedorVista() override;

    FichaAcreedor& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Enlaces& enlaces() { return *enlaces_; }
    QLineEdit* editor(const QString& campo) const { return editores_.value(campo); }
    QTabWidget* panelCuentas() const { return cuentas_; }
    QPushButton* botonGrabar() const { return grabar_; }
    QLabel* etiquetaFax() const { return fax_; }
    QLabel* registro() const { return registro_; }
    Rejilla* contactos() const { return contactos_; }
    QSize tamano() const;

    void mostrarCuentas(bool on);
    // The notice of the copies to sister companies; empty hides it.
    void mostrarAviso(const QString& texto);
    QLabel* aviso() const { return aviso_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QLineEdit* linea(const QString& campo, DataSet& ds);
    void tipoCambiado(bool natural);
    void grabar();

    std::unique_ptr<FichaAcreedor> logica_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_;
    Teclado* teclado_;
    QHash<QString, QLineEdit*> editores_;
    QTabWidget* cuentas_;
    QTabWidget* pestanas_;
    QPushButton* grabar_;
    QLabel* fax_;
    QLabel* registro_;
    QLabel* aviso_;
    Rejilla* contactos_;
    bool centrada_ = false;
};

// The factories the main window registers: "Tfnvotercero", and
// "Tfmodtercero" with the argument "nit".
// The new creditor's screen as a modal dialog over padre; the creditor
// saved last in it, {"nit", "nombre"}, or nothing.
std::optional<QVariantMap> elegirNuevoAcreedor(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                               const Configuracion& configuracion, QWidget* padre);
QWidget* crearTfnvotercero(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);
QWidget* crearTfmodtercero(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
