#include "printing/motor/Impresoras.h"

#include "data/Interaccion.h"

namespace cxp {

ImpresoraDocumento::ImpresoraDocumento(int tipo, Sesion& sesion, const Configuracion& configuracion,
                                       Interaccion& interaccion, Salida salida)
    : tipo_(tipo), sesion_(sesion), configuracion_(configuracion), interaccion_(interaccion), salida_(std::move(salida)) {}

QString ImpresoraDocumento::indicacion() const {
    return QStringLiteral("Prepare la impresora y presione Imprimir");
}

bool ImpresoraDocumento::imprimir(bool general) {
    ultimo_ = {};
    const PlanImpresion plan =
        Impresion(sesion_, configuracion_, interaccion_).preparar(tipo_, id_, general && permiteGeneral(), prefijoFormato_);
    if (plan.trabajos.empty()) {
        ultimo_.error = plan.error;
        return true;
    }
    ultimo_ = salida_ ? salida_(plan) : ResultadoMotor{};
    if (!ultimo_.impreso && !ultimo_.error.isEmpty()) interaccion_.error(ultimo_.error);
    // Only the payment voucher may stay open for further copies.
    return permiteGeneral() ? plan.cerrar : true;
}

std::unique_ptr<ImpresoraDocumento> crearImpresora(int tipo, Sesion& s, const Configuracion& c, Interaccion& i,
                                                   ImpresoraDocumento::Salida salida) {
    switch (tipo) {
    case 62: return std::make_unique<Tfimpregreso>(s, c, i, std::move(salida));
    case 51: return std::make_unique<Tfimprnotadbp>(s, c, i, std::move(salida));
    case 52: return std::make_unique<Tfimprnotacrp>(s, c, i, std::move(salida));
    case 53: return std::make_unique<Tfimpraplicacionp>(s, c, i, std::move(salida));
    case 55: return std::make_unique<Tfimpranticipoprv>(s, c, i, std::move(salida));
    case 56: return std::make_unique<Tfimprordserv>(s, c, i, std::move(salida));
    default: return nullptr;
    }
}

}  // namespace cxp
