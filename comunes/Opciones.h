#pragma once
// The choices of a looked-up column or a list: the key a row stores and the
// name the person sees ("CXP" shown as "CUENTAS POR PAGAR").
#include <QList>
#include <QString>

namespace cxp {

struct OpcionBusqueda {
    QString clave;
    QString nombre;
};

// The key of a name, and the name of a key; empty when there is none.
inline QString claveDe(const QList<OpcionBusqueda>& opciones, const QString& nombre) {
    for (const OpcionBusqueda& o : opciones)
        if (o.nombre == nombre) return o.clave;
    return {};
}

inline QString nombreDe(const QList<OpcionBusqueda>& opciones, const QString& clave) {
    for (const OpcionBusqueda& o : opciones)
        if (o.clave == clave) return o.nombre;
    return {};
}

}  // namespace cxp
