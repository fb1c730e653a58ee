#include "documents/payments/Registro.h"

#include "documents/charges/Registro.h"
#include "documents/payments/ConceptosVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarPantallasPagos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                             const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    for (const DefinicionTabla* d : {&pagos::tablaConceptos(), &pagos::tablaClases()})
        iq->registrarPantalla(d->pantalla, [iq, s, m, c, d](const QVariantMap&) -> QWidget* {
            return crearTablaPagos(*d, *s, *iq, *m, *c);
        });
    iq->registrarSelector(QStringLiteral("Tfconcxpagar"), [iq, s, m, c](const QVariantMap& args) {
        ServiciosConceptos servicios;
        servicios.cargo = [iq, s, m, c](const PropuestaCargo& p) { return registrarCargoPropuesto(*iq, *s, *m, *c, p); };
        // The discount screen joins when this build has it.
        return elegirConcepto(*s, *iq, *m, std::move(servicios), args, QApplication::activeWindow());
    });
    iq->registrarSelector(QStringLiteral("Tfdocencaja"), [iq, s, m](const QVariantMap& args) {
        return elegirDocumentosEnCaja(*s, *iq, *m, args, QApplication::activeWindow());
    });
}

}  // namespace cxp
