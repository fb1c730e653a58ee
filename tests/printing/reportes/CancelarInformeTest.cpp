// A long report cancelled from its screen: the waiting panel comes after
// half a second with its progress, Esc stops the run within a second, and
// the screen is left as it was, with no preview and no message; the next
// run goes on the same attachment. A quick run shows no panel at all.
#include "printing/reportes/VistaInforme.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"

#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/Teclado.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class PantallaPrueba : public cxp::PantallaInforme {
public:
    using PantallaInforme::PantallaInforme;
    QString consulta;

protected:
    std::optional<Pedido> pedido() override {
        Pedido p;
        p.consulta = consulta;
        p.informe = QStringLiteral("detallado");
        return p;
    }
};

class VistaPrueba : public cxp::VistaInforme {
public:
    using VistaInforme::VistaInforme;

protected:
    void leerCampos() override {}
};

// Counts the times a widget is shown.
class Apariciones : public QObject {
public:
    int veces = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++veces;
        return false;
    }
};

TEST(CancelarInforme, EscDetieneElInformeLargo) {
    prueba::BaseTemporal base;
    prueba::InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    sesion.compania = base.conectar();
    cxp::ManejadorErrores manejador{interaccion, sesion, nullptr};
    cxp::Configuracion configuracion{interaccion};
    configuracion.asignar("GENERAL", "GENERAL", "NOMBRE COMPANIA", "Compañía de prueba");
    PantallaPrueba logica(sesion, interaccion, manejador, configuracion, QStringLiteral("reportes/prueba.xml"),
                          QStringLiteral("RepPrueba"), QStringLiteral("Prueba"));
    VistaPrueba vista(logica, QStringLiteral("Tfprueba"), QStringLiteral("Prueba"), interaccion, manejador, sesion,
                      nullptr);
    vista.setAttribute(Qt::WA_DeleteOnClose, false);
    vista.show();
    int enviados = 0;
    vista.setEnviar([&](const cxp::reportes::Paginado&, const QString&, const QString&) { ++enviados; });
    Apariciones panel;
    vista.espera()->installEventFilter(&panel);

    struct Caso {
        const char* nombre;
        QString consulta;  // without a cancel: minutes
        QString avance;    // what the panel tells at the cancel
    };
    const Caso casos[] = {
        {"el servidor cuenta", "select count(*) from rdb$types a, rdb$types b, rdb$types c, rdb$types d",
         "Filas leídas: 0"},
        // Each row counts for itself (the count reads its row): rows come slowly.
        {"llegan filas",
         "select (select count(*) from rdb$types x, rdb$types y where x.rdb$type <> a.rdb$type - 100000) "
         "from rdb$types a, rdb$types b",
         "Filas leídas: "},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        panel.veces = 0;
        logica.consulta = c.consulta;
        QString avance;
        bool visible = false;
        QElapsedTimer reloj;
        QTimer::singleShot(900, [&] {
            visible = vista.espera()->isVisible() && vista.espera()->findChild<QPushButton*>("cancelar");
            avance = vista.avance()->text();
            if (const QString carpeta = qEnvironmentVariable("CXP_CAPTURAS"); !carpeta.isEmpty())
                vista.grab().save(carpeta + QStringLiteral("/informe-cancelar.png"));
            reloj.start();
            vista.teclado().pulsar(Qt::Key_Escape);
        });
        vista.imprimir();
        EXPECT_LT(reloj.elapsed(), 1000);
        EXPECT_TRUE(visible);
        EXPECT_TRUE(avance.startsWith(c.avance)) << avance.toStdString();
        EXPECT_TRUE(logica.cancelado());
        EXPECT_EQ(vista.estado()->text(), cxp::PantallaInforme::kCancelado);
        EXPECT_FALSE(vista.espera()->isVisible());
        EXPECT_EQ(panel.veces, 1);
        EXPECT_FALSE(logica.filas().isOpen());  // the grid as it was: never filled
        EXPECT_EQ(enviados, 0);
        EXPECT_TRUE(interaccion.mensajes.isEmpty()) << interaccion.mensajes.join(u'\n').toStdString();
        EXPECT_TRUE(vista.isVisible());  // Esc stopped the run, it did not close the screen
    }
    // The same attachment runs the next report at once, without a panel.
    panel.veces = 0;
    logica.consulta = QStringLiteral("select rdb$relation_id from rdb$database where 1 = 0");
    vista.imprimir();
    EXPECT_FALSE(logica.cancelado());
    EXPECT_EQ(panel.veces, 0);
    EXPECT_EQ(interaccion.mensajes, QStringList{"informacion: " + cxp::PantallaInforme::kSinDatos});
    EXPECT_TRUE(vista.estado()->text().isEmpty());
}

}  // namespace
