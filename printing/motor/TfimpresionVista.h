#pragma once
// The window of a document printer: the text, "F2: Imprimir" and
// "Esc:Salir"; F2 or Enter prints, F10 prints on the general format (payment
// voucher), Esc closes.
#include "printing/motor/Impresoras.h"

#include <QWidget>
#include <memory>

class QPushButton;

namespace cxp {

class TfimpresionVista : public QWidget {
    Q_OBJECT
public:
    TfimpresionVista(std::unique_ptr<ImpresoraDocumento> impresora, QWidget* parent = nullptr);
    ImpresoraDocumento& impresora() { return *impresora_; }

    void imprimir(bool general);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::unique_ptr<ImpresoraDocumento> impresora_;
};

}  // namespace cxp
