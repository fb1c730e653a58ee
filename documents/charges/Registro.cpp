#include "documents/charges/Registro.h"

#include "accounting/contabilizacion/Registro.h"
#include "accounting/interfaces/Interfaces.h"
#include "data/Sesion.h"
#include "documents/charges/TfnotasdebitoVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>
#include <QDialog>
#include <QVBoxLayout>

namespace cxp {

namespace {

ServiciosCargo servicios(InteraccionQt* iq, Sesion* s, ManejadorErrores* m, const Configuracion* c) {
    ServiciosCargo r;
    r.abreInterfaz = [iq, s](int tipo, const QString& prefijo, bool preguntar) {
        return Interfaces(s->compania, *iq).abre_interfaz(tipo, prefijo, preguntar);
    };
    // The interface was chosen by the save itself: the protocol must not ask again.
    r.contabilizar = [iq, s, m, c](int64_t id, int interfaz, const QDate& fecha) {
        ProtocoloContabilizacion protocolo = protocoloContabilizacion(
            *s, *iq, *m, *c, [interfaz](int, const QString&) { return interfaz; }, QApplication::activeWindow());
        protocolo.contabilizar(DocumentoContable{51, int(id), QString(), fecha});
    };
    r.imprimir = [iq](int64_t id) { iq->abrirPantalla(QStringLiteral("Tfimprnotadbp"), {{QStringLiteral("id"), qlonglong(id)}}); };
    r.consultar = [iq](int64_t id) { iq->abrirPantalla(QStringLiteral("Tfnotasdebito2"), {{QStringLiteral("id"), qlonglong(id)}}); };
    return r;
}

}  // namespace

void registrarPantallasCargos(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                              const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    iq->registrarPantalla(QStringLiteral("Tfnotasdebito"), [iq, s, m, c](const QVariantMap&) -> QWidget* {
        auto logica = std::make_unique<Tfnotasdebito>(*s, *iq, *m, *c, servicios(iq, s, m, c));
        if (!logica->abrir()) return nullptr;
        auto* vista = new TfnotasdebitoVista(std::move(logica), *iq, *m, *s);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
    iq->registrarPantalla(QStringLiteral("Tfnotasdebito2"), [iq, s, m, c](const QVariantMap& args) -> QWidget* {
        auto contabilidad = [iq, s, m, c](int64_t id, const QString& prefijo, const QDate& fecha) {
            ProtocoloContabilizacion protocolo = protocoloContabilizacion(
                *s, *iq, *m, *c,
                [iq, s](int tipo, const QString& p) { return Interfaces(s->compania, *iq).abre_interfaz(tipo, p, true); },
                QApplication::activeWindow());
            protocolo.desdeConsulta(DocumentoContable{51, int(id), prefijo, fecha});
        };
        auto logica = std::make_unique<Tfnotasdebito2>(*s, *iq, *m, *c, servicios(iq, s, m, c), contabilidad);
        if (!logica->abrir(args.value(QStringLiteral("id")).toLongLong())) return nullptr;
        auto* vista = new TfnotasdebitoVista(std::move(logica), *iq, *m, *s, nullptr, TfnotasdebitoVista::Modo::Consulta);
        vista->setAttribute(Qt::WA_DeleteOnClose);
        return vista;
    });
}

int64_t registrarCargoPropuesto(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                const Configuracion& configuracion, const PropuestaCargo& propuesta) {
    auto logica = std::make_unique<Tfnotasdebito>(sesion, interaccion, errores, configuracion,
                                                  servicios(&interaccion, &sesion, &errores, &configuracion));
    if (!logica->abrir()) return 0;
    logica->proponer(propuesta);
    Tfnotasdebito* cargo = logica.get();
    QDialog dialogo(QApplication::activeWindow());
    dialogo.setWindowTitle(QStringLiteral("Cargos en Cuenta"));
    auto* vista = new TfnotasdebitoVista(std::move(logica), interaccion, errores, sesion, &dialogo);
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.resize(780, 620);
    // Saved (posted and printed, or kept to finish later): the next blank
    // charge is not wanted here.
    QObject::connect(cargo, &Tfnotasdebito::reiniciado, &dialogo, [cargo, &dialogo] {
        if (cargo->ultimoId() != 0) dialogo.accept();
    });
    dialogo.exec();
    return cargo->ultimoId();
}

}  // namespace cxp
