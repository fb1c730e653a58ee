#include "documents/service/Registro.h"

#include "data/Sesion.h"
#include "documents/service/TfbuscaordenesVista.h"
#include "documents/service/TfordenservicioVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarPantallasOrdenes(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                               const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    ServiciosOrden servicios;
    servicios.imprimir = [iq](int64_t id) {
        iq->abrirPantalla(QStringLiteral("Tfimprordserv"), {{QStringLiteral("id"), qlonglong(id)}});
    };
    servicios.consultar = [iq](int64_t id) {
        iq->abrirPantalla(QStringLiteral("Tfconsordenserv"), {{QStringLiteral("id"), qlonglong(id)}});
    };
    iq->registrarPantalla(QStringLiteral("Tfordenservicio"), [iq, s, m, c, servicios](const QVariantMap&) -> QWidget* {
        auto logica = std::make_unique<Tfordenservicio>(*s, *iq, *m, *c, servicios);
        if (!logica->abrir()) return nullptr;
        auto* vista = new TfordenservicioVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    iq->registrarPantalla(QStringLiteral("Tfconsordenserv"), [iq, s, m, c, servicios](const QVariantMap& args) -> QWidget* {
        auto logica = std::make_unique<Tfordenservicio>(*s, *iq, *m, *c, servicios);
        if (!logica->consultar(args.value(QStringLiteral("id")).toLongLong())) return nullptr;
        auto* vista = new TfordenservicioVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    iq->registrarPantalla(QStringLiteral("Tfbuscaordenes"), [iq, s, m, c](const QVariantMap&) -> QWidget* {
        auto* vista = new TfbuscaordenesVista(*s, *iq, *m, *c, false);
        if (!vista->abrirInicial()) {
            delete vista;
            return nullptr;
        }
        return vista;
    });
    iq->registrarSelector(QStringLiteral("Tfbuscaordenes"), [iq, s, m, c](const QVariantMap&) {
        return elegirOrden(*s, *iq, *m, *c, QApplication::activeWindow());
    });
}

}  // namespace cxp
