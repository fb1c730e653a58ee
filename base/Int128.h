#pragma once
// 128-bit helpers for exact fixed-point arithmetic: every product or quotient of
// two int64 values fits, so rounding happens once, on the exact result.
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace cxp::int128 {

__extension__ typedef __int128 Int128;

// 10^k for 0 <= k <= 38 (the largest power that fits).
inline Int128 pow10(int k)
{
    if (k < 0 || k > 38)
        throw std::out_of_range("pow10: exponent out of range");
    Int128 p = 1;
    while (k-- > 0)
        p *= 10;
    return p;
}

inline Int128 abs(Int128 v) { return v < 0 ? -v : v; }

// n / d rounded to the nearest integer, exact ties to the even neighbour.
inline Int128 divideHalfEven(Int128 n, Int128 d)
{
    if (d == 0)
        throw std::domain_error("division by zero");
    Int128 q = n / d;
    const Int128 r = abs(n % d), ad = abs(d);
    if (r == 0)
        return q;
    const Int128 rest = ad - r;  // compare r with d/2 without doubling
    if (r > rest || (r == rest && q % 2 != 0))
        q += ((n < 0) != (d < 0)) ? -1 : 1;
    return q;
}

inline bool fitsInt64(Int128 v)
{
    return v >= std::numeric_limits<int64_t>::min() && v <= std::numeric_limits<int64_t>::max();
}

inline int64_t narrow(Int128 v)
{
    if (!fitsInt64(v))
        throw std::overflow_error("value out of the int64 range");
    return static_cast<int64_t>(v);
}

// v × 10^k, rounded half to even when k < 0; throws when the result leaves int64.
inline int64_t rescale(int64_t v, int k)
{
    if (k >= 0) {
        if (v == 0)
            return 0;
        if (k > 19)  // |v| >= 1, so |v| × 10^20 is already beyond int64
            throw std::overflow_error("value out of the int64 range");
        return narrow(Int128(v) * pow10(k));
    }
    if (k < -20)  // |v| < 10^19 < half of 10^20: always rounds to zero
        return 0;
    return narrow(divideHalfEven(v, pow10(-k)));
}

} // namespace cxp::int128
