#include "accounting/contabilizacion/Cuadre.h"

#include "data/Configuracion.h"

namespace cxp {

bool permiteDescuadrados(const Configuracion& configuracion) {
    return configuracion
               .buscar(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"),
                       QStringLiteral("PERMITIR COMPROBANTES DESCUADRADOS"))
               .value_or(QString())
               .trimmed() == QLatin1String("SI");
}

Cuadre revisarCuadre(const LineasContables& local, const LineasContables& niif, const Configuracion& configuracion) {
    if (local.cuenta(false) + niif.cuenta(true) == 0 || permiteDescuadrados(configuracion)) return Cuadre::Cuadrado;
    if (!local.cuadra(false)) return Cuadre::LocalDescuadrado;
    if (!niif.cuadra(true)) return Cuadre::NiifDescuadrado;
    return Cuadre::Cuadrado;
}

}  // namespace cxp
