// cxpagar ENTRADA USUARIO COMPANIA CLAVE_CIFRADA [UBICACION]
// Started by cxpagar-lanzador, which hands the sealed password through an
// inherited descriptor ("fd:N"). Exit status 0 after a session closed
// normally (also by SIGTERM, SIGINT or SIGHUP), 1 when the start was refused.
#include "app/Aplicacion.h"
#include "app/Formatos.h"
#include "app/Senales.h"
#include "app/Tfacercade.h"
#include "app/Tfprincipal.h"
#include "data/Ayudas.h"
#include "data/BarraEstado.h"
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/InteraccionQt.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    // Before any thread and any Firebird call: see app/Senales.h.
    cxp::bloquearSenalesDeParada();
    QElapsedTimer reloj;
    reloj.start();
    // The arguments are taken first and the sealed password leaves argv at
    // once; the launcher's descriptor is read and closed before anything
    // else starts.
    QStringList argumentos;
    for (int i = 1; i < argc; ++i) argumentos << QString::fromLocal8Bit(argv[i]);
    cxp::ParametrosLinea::borrarClaveDeArgv(argc, argv);
    cxp::ParametrosLinea parametros = cxp::ParametrosLinea::leer(argumentos);
    parametros.leerClaveDeDescriptor();

    cxp::Aplicacion app(argc, argv);
    app.setApplicationName(QStringLiteral("cxpagar"));
    app.setOrganizationName(QStringLiteral("Orvel"));
    app.setQuitOnLastWindowClosed(false);
    cxp::formatos::aplicar();

    cxp::Sesion sesion;
    cxp::InteraccionQt interaccion;
    cxp::Configuracion configuracion(interaccion);
    cxp::BarraEstado barra;
    cxp::NombresCampos nombres(sesion.compania);
    cxp::ManejadorErrores errores(interaccion, sesion, &barra, [&nombres](const QString& c) { return nombres(c); });
    app.setManejador(&errores);

    cxp::Tfacercade::presentar();

    cxp::Tfprincipal ventana({sesion, interaccion, configuracion, errores, barra}, std::move(parametros));
    QObject::connect(&ventana, &cxp::Tfprincipal::cerrada, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    cxp::SenalesDeParada senales;
    QObject::connect(&senales, &cxp::SenalesDeParada::recibida, &ventana, &cxp::Tfprincipal::terminar);

    // CXPAGAR_MEDIR_ARRANQUE: print the time from the start of main to the
    // main window shown with its session, and close (bench/arranque).
    if (qEnvironmentVariableIsSet("CXPAGAR_MEDIR_ARRANQUE")) {
        QObject::connect(&ventana, &cxp::Tfprincipal::activacionTerminada, &ventana, [&](bool aceptada) {
            std::printf("ventana principal %s en %lld ms\n", aceptada ? "lista" : "rechazada",
                        static_cast<long long>(reloj.elapsed()));
            std::fflush(stdout);
            if (aceptada) QTimer::singleShot(0, &ventana, &QWidget::close);
        });
    }
    // Maximised; without a window manager (a bare X server) the same size
    // is asked for directly.
    if (const QScreen* pantalla = QGuiApplication::primaryScreen()) ventana.setGeometry(pantalla->availableGeometry());
    ventana.showMaximized();
    const int estado = app.exec();
    return ventana.aceptada() ? estado : 1;
}
