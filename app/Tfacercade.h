#pragma once
// The about window: 262 by 296, opened from Ayuda › "&Acerca de" and shown
// for one second as the splash while the program starts.
#include <QWidget>

namespace cxp {

class Tfacercade : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 262;
    static constexpr int kAlto = 296;
    static constexpr int kPresentacionMs = 1000;

    explicit Tfacercade(QWidget* parent = nullptr);

    // The splash: shown at once, closes itself after one second and is
    // freed on close.
    static Tfacercade* presentar();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
};

}  // namespace cxp
