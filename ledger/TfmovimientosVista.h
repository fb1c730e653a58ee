#pragma once
// The widgets of "Movimientos": "Nit:" and the creditor's name, "Desde:",
// "Hasta:", "Moneda:", "Saldo inicial:" and "Saldo final:" above the grid
// of the movement, and the buttons. Keys: F4 and double click consult, F8
// payments, F12 to the from-date, Esc close.
#include "ledger/Tfmovimientos.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace cxp {

class Rejilla;
class Teclado;

class TfmovimientosVista : public QWidget {
    Q_OBJECT
public:
    static const QStringList& columnas();

    TfmovimientosVista(std::unique_ptr<Tfmovimientos> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~TfmovimientosVista() override;

    Tfmovimientos& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QLineEdit* nit() const { return nit_; }
    QDateEdit* desde() const { return desde_; }
    QDateEdit* hasta() const { return hasta_; }
    QLabel* saldoInicial() const { return inicial_; }
    QLabel* saldoFinal() const { return final_; }

private:
    void mostrarSaldos();

    std::unique_ptr<Tfmovimientos> logica_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    QLineEdit* nit_;
    QLabel* nombre_;
    QDateEdit* desde_;
    QDateEdit* hasta_;
    QLabel* inicial_;
    QLabel* final_;
};

// The factory registered as "Tfmovimientos": arguments "nit", "nombre",
// "desde", "hasta".
QWidget* crearTfmovimientos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
