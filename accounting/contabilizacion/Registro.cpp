#include "accounting/contabilizacion/Registro.h"

#include "accounting/contabilizacion/Contexto.h"
#include "accounting/contabilizacion/SelectorPlantillas.h"
#include "accounting/contabilizacion/Tfcontabiliza.h"
#include "accounting/contabilizacion/TfcontabilizaVista.h"
#include "accounting/contabilizacion/TfedtmovimienVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

ContextoContabilizacion& contextoContabilizacion() {
    static ContextoContabilizacion contexto;
    return contexto;
}

void registrarPantallasContabilizacion(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                       const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    iq->registrarPantalla(QStringLiteral("Tfedtmovimien"), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
        return crearTfedtmovimien(*s, *iq, *m, *c, args);
    });
    iq->registrarSelector(QStringLiteral("Tfcontabiliza"), [iq, s, m, c](const QVariantMap&) {
        const RevisionVentana r =
            revisarContabilizacion(*s, *iq, *m, *c, contextoContabilizacion(), QApplication::activeWindow());
        return std::optional<QVariantMap>(
            QVariantMap{{QStringLiteral("necesaria"), r.necesaria}, {QStringLiteral("aceptada"), r.aceptada}});
    });
    iq->registrarSelector(Tfcontabiliza::kSelectorPlantillas, [iq, s, m](const QVariantMap& args) {
        return elegirPlantilla(*s, *iq, *m, args, QApplication::activeWindow());
    });
}

ProtocoloContabilizacion protocoloContabilizacion(Sesion& sesion, Interaccion& interaccion,
                                                  ManejadorErrores& errores, const Configuracion& configuracion,
                                                  ProtocoloContabilizacion::ElegirInterfaz elegirInterfaz,
                                                  QWidget* padre) {
    Sesion* s = &sesion;
    Interaccion* i = &interaccion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    return ProtocoloContabilizacion(sesion, interaccion, configuracion, contextoContabilizacion(),
                                    std::move(elegirInterfaz), [s, i, m, c, padre] {
                                        const RevisionVentana r = revisarContabilizacion(
                                            *s, *i, *m, *c, contextoContabilizacion(), padre);
                                        return ProtocoloContabilizacion::Revision{r.necesaria, r.aceptada};
                                    });
}

std::function<void(int64_t id, int interfaz, const QDate& fecha)> contabilizarGrabado(
    Sesion& sesion, Interaccion& interaccion, ManejadorErrores& errores, const Configuracion& configuracion, int tipo) {
    return [s = &sesion, i = &interaccion, m = &errores, c = &configuracion, tipo](int64_t id, int interfaz,
                                                                                 const QDate& fecha) {
        ProtocoloContabilizacion protocolo = protocoloContabilizacion(
            *s, *i, *m, *c, [interfaz](int, const QString&) { return interfaz; }, QApplication::activeWindow());
        protocolo.contabilizar(DocumentoContable{tipo, int(id), QString(), fecha});
    };
}

std::function<void(int64_t id, const QString& prefijo, const QDate& fecha)> contabilizarDesdeConsulta(
    Sesion& sesion, Interaccion& interaccion, ManejadorErrores& errores, const Configuracion& configuracion, int tipo,
    ProtocoloContabilizacion::ElegirInterfaz elegir) {
    return [s = &sesion, i = &interaccion, m = &errores, c = &configuracion, tipo,
            elegir = std::move(elegir)](int64_t id, const QString& prefijo, const QDate& fecha) {
        ProtocoloContabilizacion protocolo = protocoloContabilizacion(*s, *i, *m, *c, elegir, QApplication::activeWindow());
        protocolo.desdeConsulta(DocumentoContable{tipo, int(id), prefijo, fecha});
    };
}

}  // namespace cxp
