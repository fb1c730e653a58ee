#pragma once
// What the ledger's views share besides the button panel (ui/PanelBotones):
// the grid's columns in their order, the currency selector, the closing of
// a screen and money in labels.
#include "ui/PanelBotones.h"

#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace cxp {

class PantallaLedger;
class Rejilla;
struct Sesion;

// Shows the grid's visible fields in this order (the others after them).
void ordenarColumnas(Rejilla* rejilla, const QStringList& campos);
// Keeps the grid's columns in that order after every re-open.
void mantenerOrden(Rejilla* rejilla, const QStringList& campos);

// "Moneda:" with the screen's choices; hidden with its label when the
// configuration does not ask for it. cambio receives the code chosen.
QComboBox* comboMoneda(QWidget* padre, QLabel* etiqueta, const PantallaLedger& pantalla,
                       std::function<void(int)> cambio);

// Closes the screen: its MDI frame inside the main window, its picker
// dialog (rejected), or the widget itself.
void cerrarPantalla(QWidget* vista);

// A money text for labels: "1,234.50".
QString textoDinero(const class Dinero& valor);

}  // namespace cxp
