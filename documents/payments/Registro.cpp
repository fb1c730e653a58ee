#include "documents/payments/Registro.h"

#include "comunes/Selector.h"
#include "data/Sesion.h"
#include "documents/charges/Registro.h"
#include "accounting/contabilizacion/Registro.h"
#include "accounting/interfaces/Interfaces.h"
#include "documents/payments/ConceptosVista.h"
#include "documents/payments/TfbuscegresoVista.h"
#include "documents/payments/TfconsegresosVista.h"
#include "documents/payments/TfegresosVista.h"
#include "ledger/TfconscxpagarVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

namespace {

ServiciosEgreso servicios(InteraccionQt* iq, Sesion* s, ManejadorErrores* m, const Configuracion* c) {
    ServiciosEgreso r;
    // Vouchers post with the cash module's interfaces.
    r.abreInterfaz = [iq, s](int tipo, const QString& prefijo, bool preguntar) {
        return Interfaces(s->compania, *iq).abre_interfaz_caja(tipo, prefijo, preguntar);
    };
    r.contabilizar = contabilizarGrabado(*s, *iq, *m, *c, 62);
    r.imprimir = [iq](int64_t id) { iq->abrirPantalla(QStringLiteral("Tfimpregreso"), {{QStringLiteral("id"), qlonglong(id)}}); };
    r.consultar = [iq](int64_t id) {
        return iq->abrirPantalla(QStringLiteral("Tfconsegresos"), {{QStringLiteral("id"), qlonglong(id)}});
    };
    return r;
}

ServiciosConsultaEgreso serviciosConsulta(InteraccionQt* iq, Sesion* s, ManejadorErrores* m, const Configuracion* c) {
    ServiciosConsultaEgreso r;
    r.imprimir = [iq](int64_t id) { iq->abrirPantalla(QStringLiteral("Tfimpregreso"), {{QStringLiteral("id"), qlonglong(id)}}); };
    r.contabilidad = contabilizarDesdeConsulta(*s, *iq, *m, *c, 62, [iq, s](int tipo, const QString& p) {
        return Interfaces(s->compania, *iq).abre_interfaz_caja(tipo, p, true);
    });
    return r;
}

}  // namespace

void registrarPantallasPagos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                             const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    iq->registrarPantalla(QStringLiteral("Tfegresos"), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
        auto logica = std::make_unique<Tfegresos>(*s, *iq, *m, *c, servicios(iq, s, m, c));
        // Opened by another module to pay a social-contributions payment.
        if (args.contains(QStringLiteral("aporte")))
            logica->fijarAporte(args.value(QStringLiteral("aporte")).toLongLong(),
                                Dinero::desdeTexto(args.value(QStringLiteral("monto")).toString()).value_or(Dinero()));
        if (!logica->abrir()) return nullptr;
        auto* vista = new TfegresosVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    iq->registrarPantalla(QStringLiteral("Tfbuscegreso"), [iq, s, m, c](const QVariantMap&) -> QWidget* {
        auto* vista = new TfbuscegresoVista(*s, *iq, *m, *c);
        if (!vista->buscar()) {
            delete vista;
            return nullptr;
        }
        return vista;
    });
    // Opened with the voucher's id (the search, the voucher's number, the ledger).
    iq->registrarPantalla(QStringLiteral("Tfconsegresos"), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
        auto logica = std::make_unique<Tfconsegresos>(*s, *iq, *m, *c, serviciosConsulta(iq, s, m, c));
        if (!logica->abrir(args.value(QStringLiteral("id")).toLongLong())) return nullptr;
        auto* vista = new TfconsegresosVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    for (const DefinicionTabla* d : {&pagos::tablaConceptos(), &pagos::tablaClases()})
        iq->registrarPantalla(d->pantalla, [iq, s, m, c, d](const QVariantMap&) -> QWidget* {
            return crearTablaPagos(*d, *s, *iq, *m, *c);
        });
    iq->registrarSelector(QStringLiteral("Tfconcxpagar"), [iq, s, m, c](const QVariantMap& args) {
        ServiciosConceptos servicios;
        servicios.cargo = [iq, s, m, c](const PropuestaCargo& p) { return registrarCargoPropuesto(*iq, *s, *m, *c, p); };
        servicios.descuento = [iq, s, m, c](const PropuestaCargo& p) {
            return registrarDescuentoPropuesto(*iq, *s, *m, *c, p);
        };
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
