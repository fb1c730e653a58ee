#include "ledger/Registro.h"

#include "ledger/Comun.h"
#include "ledger/Selectores.h"
#include "ledger/TfabonosprvVista.h"
#include "ledger/TfanalisiscxpVista.h"
#include "ledger/TfanalisismovcxpVista.h"
#include "ledger/TfconscxpagarVista.h"
#include "ledger/TfconsdoccompraVista.h"
#include "ledger/TfmovicuenxpagarVista.h"
#include "ledger/TfmovimientosVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarPantallasLedger(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                              const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    using Fabrica = QWidget* (*)(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                                 QWidget*);
    const std::pair<QString, Fabrica> pantallas[] = {
        {QStringLiteral("Tfconscxpagar"), &crearTfconscxpagar},
        {QStringLiteral("Tfmovimientos"), &crearTfmovimientos},
        {QStringLiteral("Tfmovicuenxpagar"), &crearTfmovicuenxpagar},
        {QStringLiteral("Tfabonosprv"), &crearTfabonosprv},
        {QStringLiteral("Tfanalisiscxp"), &crearTfanalisiscxp},
        {QStringLiteral("Tfanalisismovcxp"), &crearTfanalisismovcxp},
    };
    for (const auto& [nombre, fabrica] : pantallas)
        iq->registrarPantalla(nombre, [iq, s, m, c, fabrica = fabrica](const QVariantMap& args) -> QWidget* {
            return fabrica(*s, *iq, *m, *c, args, nullptr);
        });
    for (const auto& [nombre, tipo] : {std::pair{consultas::kFacturaCompra, 21}, std::pair{consultas::kDevolucionCompra, 24}})
        iq->registrarPantalla(nombre, [iq, s, m, c, tipo = tipo](const QVariantMap& args) -> QWidget* {
            return crearTfconsdoccompra(tipo, *s, *iq, *m, *c, args, nullptr);
        });
    iq->registrarSelector(selectores::kCxpagar, [iq, s, m, c](const QVariantMap& args) {
        return elegirCxpagar(*s, *iq, *m, *c, args, QApplication::activeWindow());
    });
}

}  // namespace cxp
