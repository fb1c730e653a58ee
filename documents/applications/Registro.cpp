#include "documents/applications/Registro.h"

#include "accounting/contabilizacion/Registro.h"
#include "accounting/interfaces/Interfaces.h"
#include "data/Sesion.h"
#include "documents/applications/TfaplicacionprvVista.h"
#include "documents/applications/TfbuscaplicacionesVista.h"
#include "ui/InteraccionQt.h"


namespace cxp {

namespace {

ServiciosAplicacion servicios(InteraccionQt* iq, Sesion* s, ManejadorErrores* m, const Configuracion* c) {
    ServiciosAplicacion r;
    r.abreInterfaz = [iq, s](int tipo, const QString& prefijo, bool preguntar) {
        return Interfaces(s->compania, *iq).abre_interfaz(tipo, prefijo, preguntar);
    };
    r.contabilizar = contabilizarGrabado(*s, *iq, *m, *c, Tfaplicacionprv::kTipo);
    r.imprimir = [iq](int64_t id) {
        iq->abrirPantalla(QStringLiteral("Tfimpraplicacionp"), {{QStringLiteral("id"), qlonglong(id)}});
    };
    r.consultar = [iq](int64_t id) {
        iq->abrirPantalla(QStringLiteral("Tfaplicacion2"), {{QStringLiteral("id"), qlonglong(id)}});
    };
    r.contabilidad =
        contabilizarDesdeConsulta(*s, *iq, *m, *c, Tfaplicacionprv::kTipo, [iq, s](int tipo, const QString& p) {
            return Interfaces(s->compania, *iq).abre_interfaz(tipo, p, true);
        });
    return r;
}

}  // namespace

void registrarPantallasAplicaciones(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                    const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    iq->registrarPantalla(QStringLiteral("Tfaplicacionprv"), [iq, s, m, c](const QVariantMap&) -> QWidget* {
        auto logica = std::make_unique<Tfaplicacionprv>(*s, *iq, *m, *c, servicios(iq, s, m, c));
        if (!logica->abrir()) return nullptr;
        auto* vista = new TfaplicacionprvVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    for (const char* nombre : {"Tfconsaplicacxp", "Tfaplicacion2"})
        iq->registrarPantalla(QString::fromLatin1(nombre), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
            auto logica = std::make_unique<Tfaplicacionprv>(*s, *iq, *m, *c, servicios(iq, s, m, c));
            if (!logica->consultar(args.value(QStringLiteral("id")).toLongLong())) return nullptr;
            auto* vista = new TfaplicacionprvVista(std::move(logica), *iq, *m, *s);
            vista->setAttribute(Qt::WA_DeleteOnClose);
            return vista;
        });
    iq->registrarPantalla(QStringLiteral("Tfbuscaplicaciones"), [iq, s, m, c](const QVariantMap&) -> QWidget* {
        auto* vista = new TfbuscaplicacionesVista(*s, *iq, *m, *c);
        if (!vista->abrirInicial()) {
            delete vista;
            return nullptr;
        }
        return vista;
    });
}

}  // namespace cxp
