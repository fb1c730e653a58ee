#pragma once
#include "base/Dinero.h"

namespace cxp {

// Rule R, used for every computed tax and withholding: round to a multiple of
// 10^n, exact ties to the even multiple. n = 0 whole pesos, 2 hundreds, -2 cents.
// An n of -4 or below leaves the value as it is (it has four decimals).
Dinero redondearR(Dinero valor, int n);

// The system's own helper: round to a multiple of 10^potencia where an exact
// positive half always goes up (2.5 → 3, 0.125 at -2 → 0.13) and every other
// case rounds to nearest with ties to even. A negative half is not "a fraction
// of exactly 0.5" (its fraction is -0.5), so it falls into the ties-to-even
// branch: -2.5 → -2, -3.5 → -4. Exact in fixed point, unlike the double
// arithmetic it replaces (1.005 at -2 is 1.01 here).
Dinero Redondear(Dinero valor, int potencia);

} // namespace cxp
