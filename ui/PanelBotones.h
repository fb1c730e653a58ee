#pragma once
// The panel of a screen's command buttons, painted with the session's main
// colours ("COLOR FINAL VENTANA PRINCIPAL" on top fading to "COLOR VENTANA
// PRINCIPAL"). Buttons take no focus: the keys are the commands.
#include <QString>
#include <functional>

class QFrame;
class QPushButton;
class QWidget;

namespace cxp {

struct Sesion;

QFrame* panelBotones(QWidget* padre, const Sesion& sesion);
// A button at the end of the panel's row; comando runs on a click.
QPushButton* botonDePanel(QFrame* panel, const QString& texto, std::function<void()> comando = {});
// The buttons added after this sit at the right.
void finPanel(QFrame* panel);

}  // namespace cxp
