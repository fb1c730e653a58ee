#pragma once
// The widgets of "Mover Formato": the three fields, the eight options and
// "F2:Grabar" / "Esc:Cancelar", as a modal dialog over the format.
#include "printing/formatos/TFmoverforma.h"

#include <QDialog>
#include <QList>
#include <memory>

class QLineEdit;
class QRadioButton;

namespace cxp {

class Teclado;

class TFmoverformaVista : public QDialog {
    Q_OBJECT
public:
    TFmoverformaVista(std::unique_ptr<TFmoverforma> logica, ManejadorErrores& manejador, const Sesion& sesion,
                      QWidget* padre = nullptr);
    ~TFmoverformaVista() override;

    TFmoverforma& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QLineEdit* posiciones() const { return posiciones_; }
    QLineEdit* desde() const { return desde_; }
    QLineEdit* hasta() const { return hasta_; }
    const QList<QRadioButton*>& opciones() const { return opciones_; }
    bool movido() const { return movido_; }

private:
    void mostrarCampos();
    void grabar();

    std::unique_ptr<TFmoverforma> logica_;
    QLineEdit* posiciones_;
    QLineEdit* desde_;
    QLineEdit* hasta_;
    QList<QRadioButton*> opciones_;
    Teclado* teclado_;
    bool movido_ = false;
};

// Runs the dialog on the format of (tipo, prefijo); true when it moved it.
bool moverFormato(int tipo, const QString& prefijo, Sesion& sesion, ManejadorErrores& manejador, QWidget* padre);

}  // namespace cxp
