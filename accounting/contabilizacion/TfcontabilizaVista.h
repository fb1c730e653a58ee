#pragma once
// The widgets of the review window "Contabilización": the buttons, the
// voucher header, the tabs "Dec.2649" and "NIIF" each with the grid of its
// chart's lines and their sums, the names of the current line's account and
// third party, and the "Activo" box. A modal dialog: accepted when the
// voucher was saved. Keys: F2 saves, F5 suggests the amount, F9 brings a
// template, Insert (or Down on the last line) adds a line, Esc leaves.
#include "accounting/contabilizacion/Tfcontabiliza.h"

#include <QDialog>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace cxp {

class Enlaces;
class RejillaLineas;
class Teclado;

class TfcontabilizaVista : public QDialog {
    Q_OBJECT
public:
    // Takes the logic, already opened and needed.
    TfcontabilizaVista(std::unique_ptr<Tfcontabiliza> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~TfcontabilizaVista() override;

    Tfcontabiliza& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QTabWidget* pestanas() const { return pestanas_; }
    RejillaLineas* rejilla(int pestana) const { return pestana == Tfcontabiliza::Niif ? niif_ : local_; }
    QLabel* nombreCuenta() const { return nombreCuenta_; }
    QLabel* nombreTercero() const { return nombreTercero_; }
    QLabel* nombreMandante() const { return nombreMandante_; }
    QGroupBox* cajaActivo() const { return cajaActivo_; }
    QLineEdit* campo(const QString& nombre) const;

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    bool confirmar();
    void nuevaLinea();
    void bajar();
    void refrescarNombres();
    void mostrarActivo(bool visible);
    void elegirActivo();

    std::unique_ptr<Tfcontabiliza> logica_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_;
    Teclado* teclado_;
    QTabWidget* pestanas_;
    RejillaLineas* local_;
    RejillaLineas* niif_;
    QLabel* nombreCuenta_;
    QLabel* nombreTercero_;
    QLabel* nombreMandante_;
    QGroupBox* cajaActivo_;
    QLineEdit* activo_;
    QLabel* descripcionActivo_;
    bool terminado_ = false;
};

// The review window for the posting context just set: opened, shown
// modally when needed, and whether it was needed and accepted. A database
// error opening it counts as not accepted.
struct RevisionVentana {
    bool necesaria = false;
    bool aceptada = false;
};
RevisionVentana revisarContabilizacion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                       const Configuracion& configuracion, ContextoContabilizacion& contexto,
                                       QWidget* padre = nullptr);

}  // namespace cxp
