#pragma once
// The report menus: small windows of buttons, each with its picture beside
// it opening the same screen. "Informes" (Tfmenureportes1) leads to the
// creditor directory and to the other three: "Inf. documentos"
// (Tfmenureportes), "Cuentas por Pagar" (Tfmenureportes2) and
// "Inf. Movimiento" (Tfmenureportes3). The report screens ask their
// rights; Escape closes a menu; freed on close.
#include "app/Comandos.h"

#include <QPushButton>
#include <QWidget>

namespace cxp {

class Tfmenureportes : public QWidget {
    Q_OBJECT
public:
    // The four menus by screen name, in that order.
    static const QStringList& nombres();

    // `nombre` one of nombres(); `ejecutor` runs a command through the
    // central error handler.
    Tfmenureportes(const QString& nombre, Despachador::Acceso acceso, Despachador::Existe existe,
                   Interaccion& interaccion, std::function<void(const std::function<void()>&)> ejecutor,
                   QWidget* parent = nullptr);

    QPushButton* boton(const QString& comando) const;

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    Despachador despachador_;
    std::vector<std::pair<QString, QPushButton*>> botones_;
};

}  // namespace cxp
