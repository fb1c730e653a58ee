#pragma once
// What the views of this folder share: the placing of a screen in the main
// window's area, and the grid editor that must reach its row before a
// command runs.
#include "ui/PanelBotones.h"

#include <QSize>
#include <QString>

class QFrame;
class QHBoxLayout;
class QPushButton;
class QTableView;
class QWidget;

namespace cxp {

struct Sesion;


// Gives the screen its size inside its MDI window (the window grows by its
// frame) and centres that window in the main window's area, once it shows
// there; a screen outside an MDI area is left as it is.
void centrarEnArea(QWidget* vista, const QSize& tamano);

// Writes what a cell editor of the grid holds to its row, as leaving the
// cell would, and closes the editor. False when an editor's value was
// refused (the grid told why).
bool confirmarEdicion(QTableView* vista);

}  // namespace cxp
