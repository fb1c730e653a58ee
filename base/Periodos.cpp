#include "base/Periodos.h"

namespace cxp {

const std::array<QString, 14>& periodos() {
    static const std::array<QString, 14> nombres{
        QStringLiteral("Enero"),     QStringLiteral("Febrero"), QStringLiteral("Marzo"),      QStringLiteral("Abril"),
        QStringLiteral("Mayo"),      QStringLiteral("Junio"),   QStringLiteral("Julio"),      QStringLiteral("Agosto"),
        QStringLiteral("Septiembre"), QStringLiteral("Octubre"), QStringLiteral("Noviembre"), QStringLiteral("Diciembre"),
        QStringLiteral("Ajustes"),   QStringLiteral("Cierre"),
    };
    return nombres;
}

QString nombre_periodo(int periodo) {
    return periodo >= 0 && periodo < int(periodos().size()) ? periodos()[size_t(periodo)] : QString();
}

}  // namespace cxp
