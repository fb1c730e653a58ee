#include "printing/reportes/Registro.h"

#include "printing/reportes/InformesVista.h"
#include "printing/reportes/TfrepoanalisiVista.h"
#include "printing/reportes/TfrepocxpagaVista.h"
#include "printing/reportes/TfrepomovproveVista.h"
#include "ui/InteraccionQt.h"

namespace cxp {

void registrarPantallasInformes(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    using Fabrica = QWidget* (*)(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                                 QWidget*);
    const std::pair<QString, Fabrica> pantallas[] = {
        {QStringLiteral("Tfrepomovprove"), &crearTfrepomovprove},
        {QStringLiteral("Tfrepocxpaga"), &crearTfrepocxpaga},
        {QStringLiteral("Tfrepoanalisi"), &crearTfrepoanalisi},
        {QStringLiteral("Tfrepoproveedor"), &crearTfrepoproveedor},
        {QStringLiteral("Tfrepoconsecutivo"), &crearTfrepoconsecutivo},
        {QStringLiteral("Tfrepocrono"), &crearTfrepocrono},
        {QStringLiteral("TfrepDoc_prov"), &crearTfrepDoc_prov},
        {QStringLiteral("Tfrepoestdocuentas"), &crearTfrepoestdocuentas},
        {QStringLiteral("Tfreporelaprov"), &crearTfreporelaprov},
        {QStringLiteral("Tfcertretencion"), &crearTfcertretencion},
    };
    for (const auto& [nombre, fabrica] : pantallas)
        iq->registrarPantalla(nombre, [iq, s, m, c, fabrica = fabrica](const QVariantMap& args) -> QWidget* {
            return fabrica(*s, *iq, *m, *c, args, nullptr);
        });
}

}  // namespace cxp
