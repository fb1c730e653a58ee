#pragma once
// The pictures of the left column's buttons, drawn here so that the program
// carries no image files.
#include <QIcon>
#include <QString>

namespace cxp::iconos {

// "acreedor", "cargo", "descuento", "pago", "aplicacion", "anticipo",
// "informes", "mantenimiento"; an unknown name gives an empty icon.
QIcon icono(const QString& nombre, int lado = 48);

}  // namespace cxp::iconos
