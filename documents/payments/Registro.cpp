#include "documents/payments/Registro.h"

#include "comunes/Selector.h"
#include "data/Sesion.h"
#include "documents/charges/Registro.h"
#include "documents/payments/ConceptosVista.h"
#include "ledger/TfconscxpagarVista.h"
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
    // The creditor's open payables, in picking mode ("Sel. varios" too).
    iq->registrarSelector(QStringLiteral("Tfconscxpagar"), [iq, s, m, c](const QVariantMap& args) {
        return elegirCxpagar(*s, *iq, *m, *c,
                             {{QStringLiteral("nit"), args.value(QStringLiteral("TERC_NIT"))},
                              {QStringLiteral("fecha"), args.value(QStringLiteral("EGRE_FECHA"))}},
                             QApplication::activeWindow());
    });
    // The receivables the crossing panel takes, read-only.
    iq->registrarSelector(QStringLiteral("Tfconscartera"), [iq, s, m](const QVariantMap& args) {
        return Selector::elegir(std::make_unique<SeleccionCartera>(s->compania, *iq, *m, args), *m,
                                QApplication::activeWindow());
    });
    iq->registrarSelector(QStringLiteral("Tfdocencaja"), [iq, s, m](const QVariantMap& args) {
        return elegirDocumentosEnCaja(*s, *iq, *m, args, QApplication::activeWindow());
    });
}

}  // namespace cxp
