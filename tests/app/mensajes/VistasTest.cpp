// The alert window and the message screen as the person sees them, under
// the offscreen platform: buttons and hints, position, clicking a message,
// the keys F2 / Esc / F5 and the priority combo. CXP_CAPTURAS (environment)
// receives pictures of both for a look.
#include "app/mensajes/SondeoMensajes.h"
#include "app/mensajes/TfmensajeVista.h"
#include "app/mensajes/VentanaAlerta.h"
#include "tests/app/mensajes/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using cxp::AlertaMensajes;
using cxp::SondeoMensajes;
using cxp::TfmensajeVista;
using cxp::VentanaAlerta;

namespace {

void borrarPendientes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class Vistas : public prueba::BasesMensajes {
protected:
    std::unique_ptr<prueba::Instancia> admin;
    std::unique_ptr<QMainWindow> principal;

    void SetUp() override {
        BasesMensajes::SetUp();
        admin = instancia("ADMIN");
        admin->sesion.color_ventana = "16773091";        // light blue
        admin->sesion.color_final_ventana = "16777215";  // white
        principal = std::make_unique<QMainWindow>();
        principal->resize(1024, 700);
        principal->show();
    }

    int64_t contarEnviados() {
        fb::Database db = compania.conectar();
        return db.queryOne("select count(*) from MENSAJERIA where MENS_AUTOR = 'ADMIN'")->at(0).toInt64();
    }

    TfmensajeVista* abrirPantalla(const QVariantMap& args = {}) {
        QWidget* w = cxp::crearTfmensaje(admin->sesion, admin->interaccion, admin->manejador, args);
        auto* v = qobject_cast<TfmensajeVista*>(w);
        EXPECT_NE(v, nullptr);
        if (!v) return nullptr;
        v->show();
        v->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(v));
        v->editorMensaje()->setFocus();
        return v;
    }
};

TEST_F(Vistas, VentanaDeAlerta) {
    const int64_t primero = enviarComo("AUXILIAR", "ADMIN", "Favor revisar el egreso 000123 antes del cierre", 1);
    enviarComo("CAJERO", "ADMIN", "Arqueo de caja listo", 2);
    enviarComo("AUXILIAR", "ADMIN", "Buenos días", 3);
    SondeoMensajes sondeo(admin->sesion, admin->interaccion, admin->manejador, principal.get());
    sondeo.sondear();
    VentanaAlerta* v = sondeo.ventana();
    ASSERT_TRUE(v->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(v));

    EXPECT_EQ(v->size(), QSize(300, 100));
    // At the bottom right of the main window, and the focus stays where it was.
    const QRect marco(principal->mapToGlobal(QPoint(0, 0)), principal->size());
    EXPECT_TRUE(marco.contains(v->geometry()));
    EXPECT_LE((v->geometry().bottomRight() - marco.bottomRight()).manhattanLength(), 20);
    EXPECT_TRUE(v->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(v->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QWidget* foco = QApplication::focusWidget();
    EXPECT_FALSE(foco && v->isAncestorOf(foco));
    EXPECT_FALSE(v->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(v->botonAnterior()->toolTip(), "Anterior");
    EXPECT_EQ(v->botonSiguiente()->toolTip(), "Siguiente");
    EXPECT_EQ(v->botonCerrar()->toolTip(), "Cerrar");
    EXPECT_EQ(v->botonContestar()->toolTip(), "Contestar al autor");
    EXPECT_EQ(v->etiquetaPosicion()->text(), "1 de 3");
    EXPECT_TRUE(v->etiquetaMensaje()->text().startsWith(QString::number(primero) + "<br><b>Favor revisar"));
    EXPECT_FALSE(v->botonAnterior()->isEnabled());
    EXPECT_TRUE(v->botonSiguiente()->isEnabled());
    EXPECT_TRUE(v->relojActivo()) << "each message has its 30 seconds";
    prueba::capturar(*v, "alerta-1");

    QTest::mouseClick(v->botonSiguiente(), Qt::LeftButton);
    EXPECT_EQ(v->etiquetaPosicion()->text(), "2 de 3");
    EXPECT_TRUE(v->etiquetaMensaje()->text().contains("Arqueo de caja listo"));
    prueba::capturar(*v, "alerta-2");
    QTest::mouseClick(v->botonAnterior(), Qt::LeftButton);
    EXPECT_EQ(v->etiquetaPosicion()->text(), "1 de 3");

    // A click on the message marks it read and hides the window.
    QTest::mouseClick(v->etiquetaMensaje(), Qt::LeftButton);
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(leido(primero), "S");
    EXPECT_TRUE(sondeo.activo());
}

// The alert leaves the field being typed in uncovered.
TEST(Alerta, LugarQueNoTapaElCampo) {
    const QRect marco(100, 50, 1000, 700);
    const QSize t(300, 100);
    const QRect abajoDerecha(792, 642, 300, 100), arribaDerecha(792, 58, 300, 100), abajoIzquierda(108, 642, 300, 100);
    const struct {
        QRect campo;
        QRect esperado;
    } casos[] = {
        {QRect(), abajoDerecha},
        {QRect(200, 200, 150, 22), abajoDerecha},
        {QRect(900, 700, 150, 22), arribaDerecha},
        {QRect(100, 80, 1000, 22), abajoDerecha},
        {QRect(700, 60, 400, 700), abajoIzquierda},
    };
    for (const auto& c : casos) EXPECT_EQ(VentanaAlerta::lugar(marco, c.campo, t), c.esperado) << c.campo.x();
}

TEST_F(Vistas, PantallaDeMensajeConTeclasYPrioridad) {
    const int64_t id = enviarComo("AUXILIAR", "ADMIN", "¿Ya salió el pago a Proveedora del Valle?");
    {
        fb::Database db = compania.conectar("ADMIN");
        db.executeDirect("insert into MENSAJERIA (MENS_ID, MENS_MENSAJE, MENS_DESTINO) values (0, ?, 'AUXILIAR')",
                         {"Sí, esta mañana por transferencia"});
    }
    TfmensajeVista* v = abrirPantalla({{"respuesta_id", QString::number(id)}, {"respuesta_autor", "AUXILIAR"}});
    ASSERT_NE(v, nullptr);
    QPointer<TfmensajeVista> vivo(v);

    EXPECT_EQ(v->windowTitle(), "Mensaje instantáneo");
    EXPECT_EQ(v->size(), QSize(795, 357));
    EXPECT_EQ(v->botonEnviar()->text(), "F2:Enviar");
    EXPECT_EQ(v->botonEnviarATodos()->text(), "F5:Enviar a todos");
    EXPECT_EQ(v->botonCancelar()->text(), "Esc:Cancela");
    QComboBox* prioridad = v->comboPrioridad();
    ASSERT_EQ(prioridad->count(), 3);
    EXPECT_EQ(prioridad->itemText(0), "Normal");
    EXPECT_EQ(prioridad->itemText(1), "Media");
    EXPECT_EQ(prioridad->itemText(2), "Alta");
    EXPECT_EQ(prioridad->currentText(), "Normal");
    EXPECT_EQ(v->rejillaHistoria()->modelo()->rowCount(), 2);

    QTest::keyClicks(v->editorMensaje(), "Gracias, confirmado");
    prioridad->setFocus();
    QTest::keyClick(prioridad, Qt::Key_Down);
    QTest::keyClick(prioridad, Qt::Key_Down);
    EXPECT_EQ(prioridad->currentText(), "Alta");
    EXPECT_EQ(v->logica().mensaje().asInt("MENS_NIVEL"), 1);
    prueba::capturar(*v, "tfmensaje");

    // F5 has no handler: nothing is sent.
    QTest::keyClick(v->editorMensaje(), Qt::Key_F5);
    EXPECT_EQ(contarEnviados(), 1);

    QTest::keyClick(v->editorMensaje(), Qt::Key_F2);
    borrarPendientes();
    EXPECT_TRUE(vivo.isNull()) << "the screen closes after sending";
    fb::Database db = compania.conectar();
    const auto r = db.queryOne("select * from MENSAJERIA where MENS_AUTOR = 'ADMIN' and MENS_RESPUESTA <> 0");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ((*r)["MENS_MENSAJE"].toString(), "Gracias, confirmado");
    EXPECT_EQ((*r)["MENS_DESTINO"].toString(), "AUXILIAR");
    EXPECT_EQ((*r)["MENS_RESPUESTA"].toInt64(), id);
    EXPECT_EQ((*r)["MENS_NIVEL"].toInt64(), 1);
    EXPECT_TRUE(admin->interaccion.mensajes.isEmpty()) << admin->interaccion.mensajes.join('\n').toStdString();
}

TEST_F(Vistas, EscapeCierraElPanelYDespuesLaPantalla) {
    enviarComo("AUXILIAR", "ADMIN", "Un mensaje largo que no cabe en la columna de la rejilla del historial");
    TfmensajeVista* v = abrirPantalla({{"respuesta_autor", "AUXILIAR"}});
    ASSERT_NE(v, nullptr);
    QPointer<TfmensajeVista> vivo(v);
    QTest::keyClicks(v->editorMensaje(), "borrador");

    QTableView* tabla = v->rejillaHistoria()->vista();
    const QModelIndex celda = tabla->model()->index(0, 0);
    // A view takes a double click only on the row it was pressed on.
    QTest::mouseClick(tabla->viewport(), Qt::LeftButton, {}, tabla->visualRect(celda).center());
    QTest::mouseDClick(tabla->viewport(), Qt::LeftButton, {}, tabla->visualRect(celda).center());
    ASSERT_TRUE(v->panelMensaje()->isVisible());
    EXPECT_EQ(v->logica().textoPanelMensaje(),
              "Un mensaje largo que no cabe en la columna de la rejilla del historial");
    prueba::capturar(*v, "tfmensaje-panel");

    v->editorMensaje()->setFocus();
    QTest::keyClick(v->editorMensaje(), Qt::Key_Escape);
    EXPECT_FALSE(v->panelMensaje()->isVisible());
    ASSERT_FALSE(vivo.isNull());

    QTest::keyClick(v->editorMensaje(), Qt::Key_Escape);
    borrarPendientes();
    EXPECT_TRUE(vivo.isNull());
    EXPECT_EQ(contarEnviados(), 0);
}

TEST_F(Vistas, EnviarATodosDesdeElBoton) {
    TfmensajeVista* v = abrirPantalla();
    ASSERT_NE(v, nullptr);
    QPointer<TfmensajeVista> vivo(v);
    v->editorMensaje()->insertPlainText("Inventario el sábado");
    QTest::mouseClick(v->botonEnviarATodos(), Qt::LeftButton);
    borrarPendientes();
    EXPECT_TRUE(vivo.isNull());
    // The record to "Todos" and one copy for each of the other two.
    fb::Database db = compania.conectar();
    QStringList destinos;
    for (const auto& f : db.query("select MENS_DESTINO from MENSAJERIA where MENS_MENSAJE = 'Inventario el sábado' "
                                  "order by MENS_DESTINO"))
        destinos << f[0].toString();
    EXPECT_EQ(destinos, (QStringList{"AUXILIAR", "CAJERO", "Todos"}));
}

}  // namespace

CXP_MAIN_CON_QAPPLICATION
