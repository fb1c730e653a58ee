#include "documents/advances/Registro.h"

#include "data/Sesion.h"
#include "documents/advances/TfanticiposprovVista.h"
#include "documents/advances/TfbuscantiposVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarPantallasAnticipos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                 const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    auto imprimir = [iq](int64_t id) {
        iq->abrirPantalla(QStringLiteral("Tfimpranticipoprv"), {{QStringLiteral("id"), qlonglong(id)}});
    };
    iq->registrarPantalla(QStringLiteral("Tfanticiposprov"), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
        auto logica = std::make_unique<Tfanticiposprov>(*s, *iq, *m, *c);
        if (!logica->abrir(args.value(QStringLiteral("TERC_NIT")).toString(), args.value(QStringLiteral("FECHA")).toDate()))
            return nullptr;
        auto* vista = new TfanticiposprovVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    iq->registrarSelector(QStringLiteral("Tfanticiposprov"), [iq, s, m, c, imprimir](const QVariantMap& args) {
        return elegirAnticipo(*s, *iq, *m, *c, args, QApplication::activeWindow(), imprimir);
    });
    iq->registrarPantalla(QStringLiteral("Tfconsanticipocxp"), [iq, s, m, c, imprimir](const QVariantMap& args) -> QWidget* {
        auto logica = std::make_unique<Tfanticiposprov>(*s, *iq, *m, *c);
        logica->alImprimir = imprimir;
        if (!logica->consultar(args.value(QStringLiteral("id")).toLongLong())) return nullptr;
        auto* vista = new TfanticiposprovVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    iq->registrarPantalla(QStringLiteral("Tfbuscantipos"), [iq, s, m](const QVariantMap&) -> QWidget* {
        auto* vista = new TfbuscantiposVista(*s, *iq, *m);
        if (!vista->abrirInicial()) {
            delete vista;
            return nullptr;
        }
        return vista;
    });
}

}  // namespace cxp
