#include "printing/motor/ImprimirDocumento.h"

#include "data/Interaccion.h"
#include "printing/motor/Impresion.h"
#include "printing/motor/Salidas.h"

namespace cxp {

ResultadoImpresion imprimirDocumento(Sesion& sesion, const Configuracion& configuracion, Interaccion& interaccion,
                                     const PedidoImpresion& pedido, QWidget* padre) {
    ResultadoImpresion resultado;
    const PlanImpresion plan = Impresion(sesion, configuracion, interaccion)
                                   .preparar(pedido.tipo, pedido.id, pedido.formatoGeneral, pedido.prefijo);
    if (plan.trabajos.empty()) {
        resultado.mensaje = plan.error;
        return resultado;
    }
    ResultadoMotor r;
    switch (pedido.salida) {
    case SalidaImpresion::Impresora: r = imprimirEnImpresora(plan, padre); break;
    case SalidaImpresion::Vista: r = vistaPrevia(plan, padre); break;
    case SalidaImpresion::Pdf: r = imprimirPdf(plan, pedido.archivo); break;
    case SalidaImpresion::Html: r = imprimirHtml(plan, pedido.archivo); break;
    }
    if (!r.impreso && !r.error.isEmpty()) interaccion.error(r.error);
    resultado.impreso = r.impreso;
    resultado.paginas = r.paginas;
    resultado.mensaje = r.error;
    return resultado;
}

}  // namespace cxp
