#include "printing/formatos/Registro.h"

#include "printing/formatos/EdicionFormatoVista.h"
#include "printing/formatos/TfformatosVista.h"
#include "ui/InteraccionQt.h"

namespace cxp {

void registrarPantallasFormatos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    iq->registrarPantalla(QStringLiteral("Tfformatos"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        return crearTfformatos(*s, *iq, *m, args);
    });
    iq->registrarPantalla(QStringLiteral("Tfdefformato"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        return crearTfdefformato(*s, *iq, *m, args);
    });
    iq->registrarPantalla(QStringLiteral("Tfmodformato"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        return crearTfmodformato(*s, *iq, *m, args);
    });
}

}  // namespace cxp
