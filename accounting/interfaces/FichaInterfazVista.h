#pragma once
// The widgets of "Nueva interface contable" and "Modificar interface
// contable": the document and voucher at the top, the tabs "Dec.2649" and
// "NIIF" with each component's source and account, the discount accounts
// (local tab, by configuration), and the grid "Cuentas adicionales " with
// its navigator. Keys: F2 saves, Esc cancels, Enter moves to the next
// field; "?" at the end of an account or a double click opens the chart.
#include "accounting/interfaces/FichaInterfaz.h"

#include <QHash>
#include <QVariantMap>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;

namespace cxp {

class Enlaces;
class Rejilla;
class Teclado;

class FichaInterfazVista : public QWidget {
    Q_OBJECT
public:
    FichaInterfazVista(std::unique_ptr<FichaInterfaz> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~FichaInterfazVista() override;

    FichaInterfaz& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Enlaces& enlaces() { return *enlaces_; }
    // An account or source field of a tab; `niif` for the NIIF tab.
    QLineEdit* cuenta(const QString& campo, bool niif = false) const;
    QComboBox* fuente(const QString& campo, bool niif = false) const;
    QComboBox* prefijo() const { return prefijo_; }
    QComboBox* prefijoConta() const { return prefijoConta_; }
    QTabWidget* pestanas() const { return pestanas_; }
    Rejilla* lineas() const { return lineas_; }
    QToolButton* botonNavegador(const QString& nombre) const;

    void grabar();
    void enfocar(const QString& campo);

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QWidget* hojaCuentas(bool niif);
    void llenarPrefijos();
    void habilitarCuentas();

    std::unique_ptr<FichaInterfaz> logica_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_;
    Teclado* teclado_;
    QHash<QString, QLineEdit*> cuentas_, cuentasNiif_;
    QHash<QString, QComboBox*> fuentes_, fuentesNiif_;
    QList<QWidget*> descuentos_;
    QComboBox* prefijo_;
    QComboBox* prefijoConta_;
    QTabWidget* pestanas_;
    Rejilla* lineas_;
    QWidget* navegador_;
    bool centrada_ = false;
};

// The factories the main window registers: "Tfnvainterfaz", and
// "Tfmodinterfaz" with the argument "id".
QWidget* crearTfnvainterfaz(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);
QWidget* crearTfmodinterfaz(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
