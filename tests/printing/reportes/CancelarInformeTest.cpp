// Long work stopped from another thread. On the server: the statement ends
// within a second with the cancelled kind and the attachment goes on. On a report screen: the waiting panel comes after
// half a second with its progress, Esc stops the run, and the screen is
// left as it was, with no preview and no message; a quick run shows no panel.
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "printing/reportes/VistaInforme.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Errores.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Servidor.h"
#include "ui/Teclado.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QUuid>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
// Billions of rows to count: minutes of work if nobody stops it.
const QString kCuenta = QStringLiteral("select count(*) from rdb$types a, rdb$types b, rdb$types c, rdb$types d");

TEST(Cancelar, SentenciaDelServidorDesdeOtroHilo) {
    CXP_SERVIDOR_O_FALLA(srv);
    fb::Database db = fb::Database::create(srv.params(srv.carpeta + "/" + QUuid::createUuid().toString(QUuid::Id128)));
    const fb::Canceller cancelar = db.canceller();
    QElapsedTimer reloj;
    std::thread otro([&] { std::this_thread::sleep_for(400ms), reloj.start(), cancelar.cancel(); });
    EXPECT_EQ(prueba::claseDeError([&] { db.queryOne(kCuenta); }), fb::ErrorKind::Cancelled);
    otro.join();
    EXPECT_LT(reloj.elapsed(), 1000);
    cancelar.cancel();  // nothing runs: dropped before the next work
    db.resetCancel();
    EXPECT_EQ(db.queryOne(QStringLiteral("select 7 from rdb$database"))->at(0).toInt64(), 7);
    db.drop();
}

struct PantallaPrueba : cxp::PantallaInforme {
    using PantallaInforme::PantallaInforme;
    QString consulta;
    std::optional<Pedido> pedido() override { return Pedido{consulta, QStringLiteral("detallado"), {}, {}, {}, {}}; }
};

struct VistaPrueba : cxp::VistaInforme {
    using VistaInforme::VistaInforme;
    int paneles = 0;  // times the waiting panel showed
    bool eventFilter(QObject*, QEvent* e) override { return paneles += e->type() == QEvent::Show, false; }
    void leerCampos() override {}
};

TEST(Cancelar, EscDetieneElInformeLargo) {
    prueba::BaseTemporal base;
    prueba::InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    sesion.compania = base.conectar();
    cxp::ManejadorErrores manejador{interaccion, sesion, nullptr};
    cxp::Configuracion configuracion{interaccion};
    configuracion.asignar("GENERAL", "GENERAL", "NOMBRE COMPANIA", "Compañía de prueba");
    PantallaPrueba logica(sesion, interaccion, manejador, configuracion, "reportes/prueba.xml", "RepPrueba", "Prueba");
    VistaPrueba vista(logica, "Tfprueba", "Prueba", interaccion, manejador, sesion, nullptr);
    vista.setAttribute(Qt::WA_DeleteOnClose, false);
    vista.show();
    int enviados = 0;
    vista.setEnviar([&](const cxp::reportes::Paginado&, const QString&, const QString&) { ++enviados; });
    vista.espera()->installEventFilter(&vista);
    logica.consulta = kCuenta;
    QString avance;
    QElapsedTimer reloj;
    QTimer::singleShot(900, [&] {
        avance = vista.espera()->isVisible() ? vista.avance()->text() : QString();
        reloj.start(), vista.teclado().pulsar(Qt::Key_Escape);
    });
    vista.imprimir();
    EXPECT_LT(reloj.elapsed(), 1000);
    EXPECT_EQ(avance, "Filas leídas: 0");
    EXPECT_EQ(vista.estado()->text(), cxp::PantallaInforme::kCancelado);
    EXPECT_EQ(vista.paneles, 1);
    EXPECT_FALSE(logica.filas().isOpen());  // the grid as it was: never filled
    EXPECT_EQ(enviados, 0);
    EXPECT_EQ(interaccion.mensajes, QStringList());
    vista.paneles = 0;
    logica.consulta = "select 1 from rdb$database where 1 = 0";
    vista.imprimir();
    EXPECT_EQ(vista.paneles, 0);
    EXPECT_EQ(interaccion.mensajes, QStringList{"informacion: " + cxp::PantallaInforme::kSinDatos});
}

}  // namespace
