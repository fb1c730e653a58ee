#include "app/ParametrosLinea.h"

namespace cxp {

ParametrosLinea ParametrosLinea::leer(const QStringList& a) {
    ParametrosLinea p;
    p.entrada = a.value(0);
    p.usuario = a.value(1);
    p.compania = a.value(2);
    p.claveCifrada = a.value(3);
    p.ubicacion = a.value(4);
    return p;
}

bool ParametrosLinea::desdeLanzador() const { return entrada == QLatin1String("ENTRADA") && !claveCifrada.isEmpty(); }

QStringList ParametrosLinea::argumentos() const {
    QStringList a{entrada, usuario, compania, claveCifrada};
    if (!ubicacion.isEmpty()) a << ubicacion;
    return a;
}

}  // namespace cxp
