#include "comunes/Registro.h"

#include "comunes/NuevaCuentaVista.h"
#include "comunes/Selecciones.h"
#include "comunes/Selector.h"
#include "comunes/TFConsecutVista.h"
#include "comunes/TfautorizacionVista.h"
#include "comunes/TftasacambiodiaVista.h"
#include "data/Selectores.h"
#include "data/Sesion.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarComunes(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                      const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;

    iq->registrarPantalla(QStringLiteral("TFConsecut"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        return crearTFConsecut(*s, *iq, *m, args);
    });
    iq->registrarPantalla(QStringLiteral("Tftasacambiodia"), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
        return crearTftasacambiodia(*s, *iq, *m, *c, args);
    });
    iq->registrarPantalla(QStringLiteral("Tfautorizacion"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        return crearTfautorizacion(*s, *iq, *m, args);
    });

    for (const QString& nombre :
         {selectores::kCuentas, selectores::kCentros, selectores::kTerceros, selectores::kActivos,
          selectores::kArticulos, selectores::kFacturasCompra}) {
        iq->registrarSelector(nombre, [iq, s, m, nombre](const QVariantMap& args) -> std::optional<QVariantMap> {
            return Selector::elegir(crearSeleccion(nombre, s->compania, *iq, *m, args), *m,
                                    QApplication::activeWindow());
        });
    }
    iq->registrarSelector(selectores::kNuevaCuenta, [iq, s, m](const QVariantMap& args) {
        return NuevaCuentaVista::crear(*s, *iq, *m, args, QApplication::activeWindow());
    });
}

}  // namespace cxp
