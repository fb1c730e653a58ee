#pragma once
// The maintenance menu: a small window of buttons, 179 by 320 at left 1,
// top 220 of the main window, caption "Mantenimiento". Each button checks
// the menu's own option numbers; Escape closes it; freed on close.
#include "app/Comandos.h"

#include <QPushButton>
#include <QWidget>
#include <memory>

namespace cxp {

class Tfmenumantenimiento : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 179;
    static constexpr int kAlto = 320;
    static constexpr int kIzquierda = 1;
    static constexpr int kArriba = 220;

    // `ejecutor` runs a command through the central error handler.
    Tfmenumantenimiento(Despachador::Acceso acceso, Despachador::Existe existe, Interaccion& interaccion,
                        std::function<void(const std::function<void()>&)> ejecutor, QWidget* parent = nullptr);

    QPushButton* boton(const QString& comando) const;

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    Despachador despachador_;
    std::vector<std::pair<QString, QPushButton*>> botones_;
};

}  // namespace cxp
