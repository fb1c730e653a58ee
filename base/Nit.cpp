#include "base/Nit.h"

namespace cxp {

std::optional<int> dv(QStringView nit) {
    static constexpr int kPesos[] = {3, 7, 13, 17, 19, 23, 29, 37, 41, 43, 47, 53, 59, 67, 71};
    constexpr qsizetype kMaximo = sizeof(kPesos) / sizeof(kPesos[0]);
    if (nit.isEmpty() || nit.size() > kMaximo) return std::nullopt;
    int suma = 0;
    for (qsizetype i = 0; i < nit.size(); ++i) {
        const QChar c = nit[nit.size() - 1 - i];
        if (c < u'0' || c > u'9') return std::nullopt;
        suma += (c.unicode() - u'0') * kPesos[i];
    }
    const int resto = suma % 11;
    return resto <= 1 ? resto : 11 - resto;
}

}  // namespace cxp
