#include "maintenance/Tfcambiaretes.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <algorithm>

namespace cxp {

const std::array<Tfcambiaretes::Par, Tfcambiaretes::kPares>& Tfcambiaretes::pares() {
    static const std::array<Par, kPares> p{{
        {QStringLiteral("Retención en la fuente"), false,
         QStringLiteral("Cambiando porcentaje de retención en la fuente..."),
         QStringLiteral("porcentaje de retención en la fuente")},
        {QStringLiteral("Retención en la fuente"), true, QStringLiteral("Cambiando base de retención en la fuente..."),
         QStringLiteral("base de retención en la fuente")},
        {QStringLiteral("Retención de IVA"), false, QStringLiteral("Cambiando porcentaje de retención de IVA..."),
         QStringLiteral("porcentaje de retención de IVA")},
        {QStringLiteral("Retención de ICA"), false, QStringLiteral("Cambiando porcentaje de retención de ICA..."),
         QStringLiteral("porcentaje de retención de ICA")},
        {QStringLiteral("Retención de ICA"), true, QStringLiteral("Cambiando base de retención de ICA..."),
         QStringLiteral("base de retención de ICA")},
        {QStringLiteral("Retención CREE"), false, QStringLiteral("Cambiando porcentaje de retención CREE..."),
         QStringLiteral("porcentaje de retención CREE")},
    }};
    return p;
}

Tfcambiaretes::Tfcambiaretes(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {
    cambiados_.fill(-1);
}

QString Tfcambiaretes::campo(int par, bool nuevo) {
    return (nuevo ? QStringLiteral("nuevo") : QStringLiteral("anterior")) + QString::number(par);
}

std::optional<Dinero> Tfcambiaretes::valor(int par, bool nuevo) {
    const Par& p = pares()[size_t(par)];
    const QString& texto = nuevo ? nuevo_[size_t(par)] : anterior_[size_t(par)];
    const auto v = Dinero::desdeTexto(texto);
    // Rates are stored with four decimals at most, bases with two.
    const bool enRango = v && v->signo() >= 0 && (p.base || *v <= Dinero::desdeEntero(100)) &&
                         (!p.base || v->escalado(-2) * 100 == v->crudo());
    if (enRango) return v;
    const QString caja = p.base ? (nuevo ? QStringLiteral("Base nueva:") : QStringLiteral("Base anterior:"))
                                : (nuevo ? QStringLiteral("Porcentaje nuevo:") : QStringLiteral("Porcentaje anterior:"));
    interaccion_.error(QStringLiteral("El valor de \"%1\" en %2 no es válido: %3.")
                           .arg(caja, p.grupo,
                                p.base ? QStringLiteral("debe ser un número no negativo con dos decimales a lo sumo")
                                       : QStringLiteral("debe ser un número de 0 a 100 con cuatro decimales a lo sumo")));
    interaccion_.enfocar(campo(par, nuevo));
    return std::nullopt;
}

bool Tfcambiaretes::grabar() {
    // Every value is checked before anything runs.
    std::array<std::optional<std::pair<Dinero, Dinero>>, kPares> valores;
    for (int i = 0; i < kPares; ++i) {
        if (anterior_[size_t(i)].trimmed().isEmpty() || nuevo_[size_t(i)].trimmed().isEmpty()) continue;
        const auto a = valor(i, false);
        if (!a) return false;
        const auto n = valor(i, true);
        if (!n) return false;
        valores[size_t(i)] = std::pair{*a, *n};
    }
    if (std::none_of(valores.begin(), valores.end(), [](const auto& v) { return v.has_value(); })) {
        interaccion_.informacion(QStringLiteral("Indique el valor anterior y el nuevo de alguna retención."));
        return false;
    }
    std::array<int, kPares> cambiados;
    cambiados.fill(-1);
    const bool ok = manejador_.proteger([&] {
        fb::Transaction tr = sesion_.compania.begin();
        for (int i = 0; i < kPares; ++i) {
            if (!valores[size_t(i)]) continue;
            emit progreso(pares()[size_t(i)].progreso);
            const auto& [a, n] = *valores[size_t(i)];
            const auto fila = tr.queryOne(QStringLiteral("select CAMBIADOS from CAMBIE_RETENCION_ACREEDORES(?, ?, ?)"),
                                          {fb::Value(i + 1), fb::Value(fb::Decimal{a.escalado(-4), -4}),
                                           fb::Value(fb::Decimal{n.escalado(-4), -4})});
            cambiados[size_t(i)] = fila ? int(fila->at(0).toInt64()) : 0;
        }
        tr.commit();
    });
    emit progreso(QString());
    if (!ok) return false;
    cambiados_ = cambiados;
    QStringList lineas;
    for (int i = 0; i < kPares; ++i)
        if (cambiados[size_t(i)] >= 0)
            lineas << QStringLiteral("Cambio de %1: %2 acreedor%3.")
                          .arg(pares()[size_t(i)].nombre)
                          .arg(cambiados[size_t(i)])
                          .arg(cambiados[size_t(i)] == 1 ? QString() : QStringLiteral("es"));
    interaccion_.informacion(lineas.join(u'\n'));
    emit cerrar();
    return true;
}

}  // namespace cxp
