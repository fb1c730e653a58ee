#pragma once
// Makes the posting screens known to the program: the ledger voucher
// editor "Tfedtmovimien" (argument "enco_consec"), the review window
// "Tfcontabiliza" as a modal choice (it reads the posting context and
// answers {"necesaria", "aceptada"}), and the template picker
// "Tfbuscplantilla". Document screens post through
// protocoloContabilizacion, giving the interface chooser.
#include "accounting/contabilizacion/Protocolo.h"

class QWidget;

namespace cxp {

class Configuracion;
class InteraccionQt;
class ManejadorErrores;
struct ContextoContabilizacion;
struct Sesion;

// The posting context of the running program, shared by the posting
// operations, the review window and the screens that post.
ContextoContabilizacion& contextoContabilizacion();

void registrarPantallasContabilizacion(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                       const Configuracion& configuracion);

// The caller's protocol with the review window shown over `padre`.
ProtocoloContabilizacion protocoloContabilizacion(Sesion& sesion, Interaccion& interaccion,
                                                  ManejadorErrores& errores, const Configuracion& configuracion,
                                                  ProtocoloContabilizacion::ElegirInterfaz elegirInterfaz,
                                                  QWidget* padre = nullptr);

// Posts a document its screen has just saved, with the interface the save
// chose (the protocol does not ask again); the review window over the
// active window.
std::function<void(int64_t id, int interfaz, const QDate& fecha)> contabilizarGrabado(
    Sesion& sesion, Interaccion& interaccion, ManejadorErrores& errores, const Configuracion& configuracion, int tipo);
// Posts a saved document from its consult, the interface chosen by `elegir`.
std::function<void(int64_t id, const QString& prefijo, const QDate& fecha)> contabilizarDesdeConsulta(
    Sesion& sesion, Interaccion& interaccion, ManejadorErrores& errores, const Configuracion& configuracion, int tipo,
    ProtocoloContabilizacion::ElegirInterfaz elegir);

}  // namespace cxp
