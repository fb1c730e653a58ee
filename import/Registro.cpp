#include "import/Registro.h"

#include "import/TfimportarVista.h"
#include "ui/InteraccionQt.h"

namespace cxp {

void registrarImportacion(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                          const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    iq->registrarPantalla(QStringLiteral("Tfimportar"), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
        return crearTfimportar(*s, *iq, *m, *c, args, nullptr);
    });
}

}  // namespace cxp
