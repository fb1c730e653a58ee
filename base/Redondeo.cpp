#include "base/Redondeo.h"

#include "base/Int128.h"

namespace cxp {

using int128::Int128;

namespace {

enum class Empate { par, positivoArriba };

Dinero redondear(Dinero valor, int potencia, Empate empate)
{
    const int k = potencia + Dinero::decimales;  // the multiple is 10^k raw units
    if (k <= 0)
        return valor;
    const Int128 crudo = valor.crudo();
    if (k > 20)  // |crudo| < 10^19, below half of any such multiple
        return Dinero();
    const Int128 paso = int128::pow10(k);
    Int128 cociente = int128::divideHalfEven(crudo, paso);
    if (empate == Empate::positivoArriba && crudo > 0 && (crudo % paso) * 2 == paso)
        cociente = crudo / paso + 1;
    return Dinero::desdeCrudo(int128::narrow(cociente * paso));
}

} // namespace

Dinero redondearR(Dinero valor, int n)
{
    return redondear(valor, n, Empate::par);
}

Dinero Redondear(Dinero valor, int potencia)
{
    return redondear(valor, potencia, Empate::positivoArriba);
}

} // namespace cxp
