// The review window without its view, as a clerk sees it when the voucher
// balances: it opens, starts its own timer and saves itself. For runs with
// nobody at the screen (benchmarks, road tests): they wait for it on the
// event loop, asleep (a loop of processEvents with a time limit would spin
// and count its spinning as the save's processor time).
#pragma once

#include "accounting/contabilizacion/Protocolo.h"
#include "accounting/contabilizacion/Tfcontabiliza.h"

#include <QEventLoop>
#include <QTimer>

namespace cxp {

inline ProtocoloContabilizacion::Revision revisionQueSeGrabaSola(Sesion& sesion, Interaccion& interaccion,
                                                                 ManejadorErrores& manejador,
                                                                 const Configuracion& configuracion,
                                                                 ContextoContabilizacion& contexto) {
    Tfcontabiliza ventana(sesion, interaccion, manejador, configuracion, contexto);
    if (!ventana.abrir() || !ventana.necesaria()) return {};
    QEventLoop espera;
    QObject::connect(&ventana, &Tfcontabiliza::terminar, &espera, &QEventLoop::quit);
    // An unbalanced voucher stops the timer and waits for a clerk: give up.
    QTimer::singleShot(2000, &espera, &QEventLoop::quit);
    ventana.activar();
    if (ventana.resultado() == Tfcontabiliza::Resultado::Pendiente) espera.exec();
    return {true, ventana.resultado() == Tfcontabiliza::Resultado::Aceptado};
}

}  // namespace cxp
