#include "printing/formatos/Registro.h"

#include "printing/formatos/EdicionFormatoVista.h"
#include "printing/formatos/TfformatosVista.h"
#include "printing/motor/ImprimirDocumento.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarPantallasFormatos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                               const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    iq->registrarPantalla(QStringLiteral("Tfformatos"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        return crearTfformatos(*s, *iq, *m, args);
    });
    iq->registrarPantalla(QStringLiteral("Tfdefformato"), [iq, s, m](const QVariantMap& args) -> QWidget* {
        return crearTfdefformato(*s, *iq, *m, args);
    });
    // The trial print: the document in the print preview, on this format.
    iq->registrarPantalla(QStringLiteral("Tfmodformato"), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
        return crearTfmodformato(*s, *iq, *m, args, [iq, s, c](int tipo, const QString& prefijo, int64_t id) {
            PedidoImpresion pedido;
            pedido.tipo = tipo;
            pedido.prefijo = prefijo;
            pedido.id = id;
            pedido.salida = SalidaImpresion::Vista;
            imprimirDocumento(*s, *c, *iq, pedido, QApplication::activeWindow());
        });
    });
}

}  // namespace cxp
