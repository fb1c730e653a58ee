#pragma once
// The names of the accounting periods, from 0: the twelve months, 12 the
// adjustments period and 13 the closing period.
#include <QString>
#include <array>

namespace cxp {

inline constexpr int kPeriodoAjustes = 12;
inline constexpr int kPeriodoCierre = 13;

const std::array<QString, 14>& periodos();

// The period's name; empty for a number outside 0 to 13.
QString nombre_periodo(int periodo);

}  // namespace cxp
