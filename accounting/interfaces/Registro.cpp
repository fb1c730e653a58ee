#include "accounting/interfaces/Registro.h"

#include "accounting/interfaces/FichaInterfazVista.h"
#include "accounting/interfaces/Interfaces.h"
#include "accounting/interfaces/TfinterfacesVista.h"
#include "accounting/interfaces/TfpreginterfazVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarPantallasInterfaces(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                  const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    using Fabrica = QWidget* (*)(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                                 QWidget*);
    const std::pair<QString, Fabrica> pantallas[] = {
        {QStringLiteral("Tfinterfaces"), &crearTfinterfaces},
        {QStringLiteral("Tfnvainterfaz"), &crearTfnvainterfaz},
        {QStringLiteral("Tfmodinterfaz"), &crearTfmodinterfaz},
    };
    for (const auto& [nombre, fabrica] : pantallas)
        iq->registrarPantalla(nombre, [iq, s, m, c, fabrica = fabrica](const QVariantMap& args) -> QWidget* {
            return fabrica(*s, *iq, *m, *c, args, nullptr);
        });
    iq->registrarSelector(Interfaces::kSelector, [](const QVariantMap& args) {
        return TfpreginterfazVista::elegir(args, QApplication::activeWindow());
    });
}

}  // namespace cxp
