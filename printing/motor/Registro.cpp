#include "printing/motor/Registro.h"

#include "printing/motor/Salidas.h"
#include "printing/motor/TfimpresionVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarPantallasImpresion(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores&,
                                 const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    const Configuracion* c = &configuracion;
    for (int tipo : {62, 51, 52, 53, 55, 56}) {
        iq->registrarPantalla(ventanaImpresion(tipo), [iq, s, c, tipo](const QVariantMap& args) -> QWidget* {
            auto salida = [](const PlanImpresion& plan) { return imprimirEnImpresora(plan, QApplication::activeWindow()); };
            auto impresora = crearImpresora(tipo, *s, *c, *iq, salida);
            impresora->setDocumento(args.value(QStringLiteral("id")).toLongLong(),
                                    args.value(QStringLiteral("prefijo")).toString());
            // Only the payment voucher's window stays open; the others
            // print once and are gone.
            if (!impresora->permiteGeneral()) {
                impresora->imprimir(false);
                return nullptr;
            }
            return new TfimpresionVista(std::move(impresora));
        });
    }
}

}  // namespace cxp
