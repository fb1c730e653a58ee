#include "documents/charges/Registro.h"

#include "accounting/contabilizacion/Registro.h"
#include "accounting/interfaces/Interfaces.h"
#include "data/Sesion.h"
#include "documents/charges/BuscaAjusteVista.h"
#include "documents/charges/Tfnotascredito.h"
#include "documents/charges/Tfnotasdebito.h"
#include "documents/charges/Tfnotasdebito2.h"
#include "documents/charges/TfnotasdebitoVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>
#include <QDialog>
#include <QVBoxLayout>

namespace cxp {

namespace {

// The charge (51) or the discount (52): its posting, printer and consult.
ServiciosCargo servicios(InteraccionQt* iq, Sesion* s, ManejadorErrores* m, const Configuracion* c, int tipo = 51) {
    ServiciosCargo r;
    r.abreInterfaz = [iq, s](int tipo, const QString& prefijo, bool preguntar) {
        return Interfaces(s->compania, *iq).abre_interfaz(tipo, prefijo, preguntar);
    };
    r.contabilizar = contabilizarGrabado(*s, *iq, *m, *c, tipo);
    r.contabilizarAplicacion = contabilizarGrabado(*s, *iq, *m, *c, 53);
    if (tipo == 51) {
        // The cash voucher of a charge paid at once: the cash module's
        // interfaces, posted and printed like a voucher saved on its screen.
        r.abreInterfazCaja = [iq, s](int tipo, const QString& prefijo, bool preguntar) {
            return Interfaces(s->compania, *iq).abre_interfaz_caja(tipo, prefijo, preguntar);
        };
        r.contabilizarEgreso = contabilizarGrabado(*s, *iq, *m, *c, 62);
        r.imprimirEgreso = [iq](int64_t id) {
            iq->abrirPantalla(QStringLiteral("Tfimpregreso"), {{QStringLiteral("id"), qlonglong(id)}});
        };
    }
    const QString impresora = tipo == 51 ? QStringLiteral("Tfimprnotadbp") : QStringLiteral("Tfimprnotacrp");
    r.imprimir = [iq, impresora](int64_t id) { iq->abrirPantalla(impresora, {{QStringLiteral("id"), qlonglong(id)}}); };
    const QString consulta = tipo == 51 ? QStringLiteral("Tfnotasdebito2") : QStringLiteral("Tfnotascredito2");
    r.consultar = [iq, consulta](int64_t id) { iq->abrirPantalla(consulta, {{QStringLiteral("id"), qlonglong(id)}}); };
    return r;
}

}  // namespace

namespace {

template <class Documento, class Consulta>
void registrarPar(InteraccionQt* iq, Sesion* s, ManejadorErrores* m, const Configuracion* c, int tipo,
                  const QString& nombre) {
    iq->registrarPantalla(nombre, [iq, s, m, c, tipo](const QVariantMap&) -> QWidget* {
        auto logica = std::make_unique<Documento>(*s, *iq, *m, *c, servicios(iq, s, m, c, tipo));
        if (!logica->abrir()) return nullptr;
        auto* vista = new TfnotasdebitoVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    iq->registrarPantalla(nombre + u'2', [iq, s, m, c, tipo](const QVariantMap& args) -> QWidget* {
        auto contabilidad = contabilizarDesdeConsulta(*s, *iq, *m, *c, tipo, [iq, s](int t, const QString& p) {
            return Interfaces(s->compania, *iq).abre_interfaz(t, p, true);
        });
        auto logica = std::make_unique<Consulta>(*s, *iq, *m, *c, servicios(iq, s, m, c, tipo), contabilidad);
        if (!logica->abrir(args.value(QStringLiteral("id")).toLongLong())) return nullptr;
        auto* vista = new TfnotasdebitoVista(std::move(logica), *iq, *m, *s, nullptr, TfnotasdebitoVista::Modo::Consulta);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
}

// The document as a modal window filled with a proposal: the id saved
// there, 0 when the clerk left without saving.
template <class Documento>
int64_t propuesto(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                  const Configuracion& configuracion, const PropuestaCargo& propuesta, int tipo, const QString& titulo) {
    auto logica = std::make_unique<Documento>(sesion, interaccion, errores, configuracion,
                                              servicios(&interaccion, &sesion, &errores, &configuracion, tipo));
    if (!logica->abrir()) return 0;
    logica->proponer(propuesta);
    DocumentoAjuste* documento = logica.get();
    QDialog dialogo(QApplication::activeWindow());
    dialogo.setWindowTitle(titulo);
    auto* vista = new TfnotasdebitoVista(std::move(logica), interaccion, errores, sesion, &dialogo);
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.resize(780, 620);
    // Saved (posted and printed, or kept to finish later): the next blank
    // document is not wanted here.
    QObject::connect(documento, &DocumentoAjuste::reiniciado, &dialogo, [documento, &dialogo] {
        if (documento->ultimoId() != 0) dialogo.accept();
    });
    dialogo.exec();
    return documento->ultimoId();
}

}  // namespace

void registrarPantallasCargos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                              const Configuracion& configuracion) {
    registrarPar<Tfnotasdebito, Tfnotasdebito2>(&interaccion, &sesion, &errores, &configuracion, 51,
                                                QStringLiteral("Tfnotasdebito"));
    registrarPar<Tfnotascredito, Tfnotascredito2>(&interaccion, &sesion, &errores, &configuracion, 52,
                                                  QStringLiteral("Tfnotascredito"));
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    for (const ClaseBusquedaAjuste* clase : {&ClaseBusquedaAjuste::cargo(), &ClaseBusquedaAjuste::descuento()})
        iq->registrarPantalla(clase->pantalla, [iq, s, m, c, clase](const QVariantMap&) -> QWidget* {
            auto* vista = new BuscaAjusteVista(*clase, *s, *iq, *m, *c);
            if (!vista->abrirInicial()) {
                delete vista;
                return nullptr;
            }
            return vista;
        });
}

int64_t registrarCargoPropuesto(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                const Configuracion& configuracion, const PropuestaCargo& propuesta) {
    return propuesto<Tfnotasdebito>(interaccion, sesion, errores, configuracion, propuesta, 51,
                                    QStringLiteral("Cargos en Cuenta"));
}

int64_t registrarDescuentoPropuesto(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                    const Configuracion& configuracion, const PropuestaCargo& propuesta) {
    return propuesto<Tfnotascredito>(interaccion, sesion, errores, configuracion, propuesta, 52,
                                     QStringLiteral("Descuentos en Cuenta"));
}

}  // namespace cxp
