#include "documents/programacion/Registro.h"

#include "data/Sesion.h"
#include "documents/programacion/TfbuscaprogpagosVista.h"
#include "documents/programacion/TfprogcxpVista.h"
#include "ui/InteraccionQt.h"

#include <QPointer>

namespace cxp {

void registrarPantallasProgramacion(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                    const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    iq->registrarPantalla(QStringLiteral("Tfprogcxp"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        auto logica = std::make_unique<ProgramacionPagos>(*s, *iq, *m);
        if (!logica->abrir(args.value(QStringLiteral("id")).toLongLong())) return nullptr;
        auto* vista = new TfprogcxpVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        if (QPointer<QObject> avisar = args.value(QStringLiteral("avisar")).value<QObject*>())
            QObject::connect(vista, &TfprogcxpVista::grabado, avisar, [avisar] {
                if (avisar) QMetaObject::invokeMethod(avisar, "refrescar");
            });
        return vista;
    });
    iq->registrarPantalla(QStringLiteral("Tfbuscaprogpagos"), [iq, s, m, c](const QVariantMap&) -> QWidget* {
        auto* vista = new TfbuscaprogpagosVista(*s, *iq, *m, *c);
        if (!vista->abrirInicial()) {
            delete vista;
            return nullptr;
        }
        return vista;
    });
}

}  // namespace cxp
