#include "documents/notas/Registro.h"

#include "documents/notas/TfnotasdocVista.h"
#include "ui/InteraccionQt.h"

namespace cxp {

void registrarPantallasNotas(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    iq->registrarPantalla(QStringLiteral("Tfnotasdoc"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        const int tipo = args.value(QStringLiteral("tipo")).toInt();
        const qlonglong id = args.value(QStringLiteral("id")).toLongLong();
        if (tipo == 0 || id == 0) return nullptr;
        auto* vista = new TfnotasdocVista(*s, *iq, *m, tipo, id);
        if (!vista->abrir()) {
            delete vista;
            return nullptr;
        }
        return vista;
    });
}

}  // namespace cxp
