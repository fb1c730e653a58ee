// An Interaccion that answers no to every question and keeps the last text
// it was shown: the benchmarks drive the logic without anyone at the screen.
#pragma once

#include "data/Interaccion.h"

#include <QString>
#include <QVariantMap>
#include <optional>

namespace cxp {

class Silenciosa : public Interaccion {
public:
    QString ultimo;
    void informacion(const QString& t) override { ultimo = t; }
    void error(const QString& t) override { ultimo = t; }
    void advertencia(const QString& t) override { ultimo = t; }
    void mensaje_error(const QString& t) override { ultimo = t; }
    bool preguntar(const QString&) override { return false; }
    bool reintentar(const QString&) override { return false; }
    void pitar() override {}
    void enfocar(const QString&) override {}
    bool abrirPantalla(const QString&, const QVariantMap&) override { return false; }
    std::optional<QVariantMap> elegir(const QString&, const QVariantMap&) override { return std::nullopt; }
};

}  // namespace cxp
