#pragma once
#include "base/Dinero.h"

#include <QString>

namespace cxp {

// numero_a_letras: an amount in Spanish words, as cheques and vouchers print
// it. The caller reads the three words from the configuration ("NOMBRE DE LA
// MONEDA A USAR EN LOS MONTOS EN LETRAS", "FRACCION DE MONEDA EN MONTOS EN
// LETRAS", "FINAL DE LA CADENA DE MONTOS EN LETRAS").
//   1 250 000.50 → "UN MILLON DOSCIENTOS CINCUENTA MIL PESOS 50 CENTAVOS M/CTE"
//   2 000 000    → "DOS MILLONES DE PESOS  M/CTE" (two spaces: no cents)
// Zero or less gives an empty text. The amount is first rounded to cents
// (rule R, halves to even), so 0.995 reads as one peso, not 100 cents.
// Amounts from a million millions up read in BILLONES.
QString numero_a_letras(const Dinero& valor, const QString& moneda, const QString& fraccion, const QString& cierre);

}  // namespace cxp
