#pragma once
// The widgets of the voucher consult: the header as read-only text, the
// detail sets on tabs (documents paid, receivables crossed, accounting
// lines, cash, bank) with their totals, "Registro:", and for an annulled
// voucher the mark and its reason. Keys: F2 print, F4 cash, F5 bank, F11
// ledger voucher (disabled when annulled), F12 notes, Esc close.
#include "documents/payments/Tfconsegresos.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;

namespace cxp {

class Rejilla;
class Teclado;

class TfconsegresosVista : public QWidget {
    Q_OBJECT
public:
    TfconsegresosVista(std::unique_ptr<Tfconsegresos> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~TfconsegresosVista() override;

    Tfconsegresos& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QTabWidget* pestanas() const { return pestanas_; }
    QPushButton* botonContabilidad() const { return contabilidad_; }

private:
    std::unique_ptr<Tfconsegresos> logica_;
    Teclado* teclado_ = nullptr;
    QTabWidget* pestanas_ = nullptr;
    QPushButton* contabilidad_ = nullptr;
};

}  // namespace cxp
