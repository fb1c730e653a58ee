#pragma once
// The check digit of a Colombian NIT (DIAN's modulo 11 with prime weights).
#include <QStringView>
#include <optional>

namespace cxp {

// dv: weights 3, 7, 13, 17, ... 71 from the rightmost digit leftwards;
// r = sum mod 11; the digit is r when r is 0 or 1, else 11 - r.
// Only NITs of one to fifteen digits have one: anything else (letters,
// separators, more than fifteen digits, empty) gives nothing.
std::optional<int> dv(QStringView nit);

}  // namespace cxp
