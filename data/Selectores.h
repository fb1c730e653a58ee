#pragma once
// Names of the pickers opened through Interaccion::elegir, with the
// arguments each takes and the keys of the choice it returns. Screens and
// services name pickers only through these constants.
#include <QString>

namespace cxp::selectores {

// Account list in pick mode. Arguments: "filtro" (starting text of the
// code or name), "niif" (bool: the NIIF chart instead of the local one).
// Choice: "cuenta" (the code).
inline const QString kCuentas = QStringLiteral("SelectorCuentas");

// New account of the local or NIIF chart. Arguments: "cuenta" (the code
// typed), "niif" (bool). Choice: "cuenta" when the account was created;
// nothing when the person left without creating it.
inline const QString kNuevaCuenta = QStringLiteral("NuevaCuenta");

// Cost centres. Arguments: "filtro", "agencia" (int; present only when the
// centres are limited to that agency and to agency 0). Choice: "proyecto",
// "centro".
inline const QString kCentros = QStringLiteral("SelectorCentros");

// Third parties. Arguments: "filtro", "proveedores" (bool: creditors only).
// Choice: "nit", "nombre".
inline const QString kTerceros = QStringLiteral("SelectorTerceros");

// Fixed assets. Arguments: "filtro". Choice: "codigo", "descripcion".
inline const QString kActivos = QStringLiteral("SelectorActivos");

// Active articles of the inventory. Arguments: "filtro". Choice: "codigo",
// "nombre".
inline const QString kArticulos = QStringLiteral("SelectorArticulos");

// Purchase invoices, those of one creditor when "nit" is given. Arguments:
// "filtro", "nit". Choice: "id", "numero" (prefix followed by number).
inline const QString kFacturasCompra = QStringLiteral("SelectorFacturasCompra");

}  // namespace cxp::selectores
