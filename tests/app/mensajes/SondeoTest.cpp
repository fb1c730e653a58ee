// The message poll: what it asks, what the alert window holds, marking read,
// answering, a closed connection, and messages travelling between two
// running programs (two connections) and to "Todos".
#include "app/mensajes/SondeoMensajes.h"
#include "app/mensajes/Tfmensaje.h"
#include "app/mensajes/VentanaAlerta.h"
#include "tests/app/mensajes/Entorno.h"

#include <QToolButton>

using cxp::AlertaMensajes;
using cxp::SondeoMensajes;
using cxp::Tfmensaje;

namespace {

class Sondeo : public prueba::BasesMensajes {
protected:
    std::unique_ptr<prueba::Instancia> admin;
    std::unique_ptr<SondeoMensajes> sondeo;

    void SetUp() override {
        BasesMensajes::SetUp();
        admin = instancia("ADMIN");
        sondeo = std::make_unique<SondeoMensajes>(admin->sesion, admin->interaccion, admin->manejador, nullptr);
    }
    void TearDown() override { sondeo.reset(); }
};

TEST(TextoDeAlerta, IdMensajeAutorYElIdDeVuelta) {
    const QString t = AlertaMensajes::textoDe(42, "Revise el egreso", "AUXILIAR");
    EXPECT_EQ(t, "42<br><b>Revise el egreso<br>De : AUXILIAR</b><br>Haga clic para marcar como leído");
    EXPECT_EQ(AlertaMensajes::idDe(t), 42);
    // Typed text shows as written and cannot fake the id.
    const QString raro = AlertaMensajes::textoDe(7, "total < 100 & <br>99", "X");
    EXPECT_EQ(AlertaMensajes::idDe(raro), 7);
    EXPECT_TRUE(raro.contains("total &lt; 100 &amp; &lt;br&gt;99"));
    // Only a positive whole number in front reaches the update.
    EXPECT_EQ(AlertaMensajes::idDe("1 or 1=1<br>x"), std::nullopt);
    EXPECT_EQ(AlertaMensajes::idDe("0<br>x"), std::nullopt);
    EXPECT_EQ(AlertaMensajes::idDe("15"), std::nullopt);
}

TEST_F(Sondeo, TresNoLeidosUnaAlertaEnUnoDeTres) {
    const int64_t alta = enviarComo("AUXILIAR", "ADMIN", "Pagar hoy", 1);
    const int64_t media = enviarComo("CAJERO", "ADMIN", "Arqueo listo", 2);
    const int64_t normal = enviarComo("AUXILIAR", "ADMIN", "Buenos días", 3);
    enviarComo("ADMIN", "AUXILIAR", "No es para mí");
    const int64_t viejo = enviarComo("CAJERO", "ADMIN", "Ya leído");
    fb::Database db = compania.conectar();
    db.executeDirect("update MENSAJERIA set MENS_LEIDO = 'S' where MENS_ID = ?", {viejo});

    sondeo->iniciar();
    sondeo->sondear();
    sondeo->iniciar();  // as the main window does right after its first poll

    const AlertaMensajes& a = sondeo->alerta();
    ASSERT_EQ(a.cantidad(), 3);
    EXPECT_EQ(a.textoPosicion(), "1 de 3");
    EXPECT_EQ(a.mensaje(0).texto, AlertaMensajes::textoDe(alta, "Pagar hoy", "AUXILIAR"));
    EXPECT_EQ(a.mensaje(1).texto, AlertaMensajes::textoDe(media, "Arqueo listo", "CAJERO"));
    EXPECT_EQ(a.mensaje(2).texto, AlertaMensajes::textoDe(normal, "Buenos días", "AUXILIAR"));
    EXPECT_EQ(a.mensaje(0).color, AlertaMensajes::kMagentaClaro);
    EXPECT_EQ(a.mensaje(1).color, AlertaMensajes::kAmarilloClaro);
    EXPECT_EQ(a.mensaje(2).color, AlertaMensajes::kCianClaro);
    EXPECT_EQ(a.color(), AlertaMensajes::kBlanco);
    ASSERT_TRUE(sondeo->ventana()->isVisible());
    EXPECT_TRUE(sondeo->ventana()->botonAnterior()->isVisible());
    EXPECT_TRUE(sondeo->ventana()->botonSiguiente()->isVisible());
    EXPECT_FALSE(sondeo->activo()) << "the poll must wait while the alert is open";

    // Clicking the second one marks only that one read and hides the window.
    sondeo->alerta().siguiente();
    sondeo->clicMensaje();
    EXPECT_EQ(leido(media), "S");
    EXPECT_FALSE(mensaje(media)["MENS_FECLEIDO"].isNull());
    EXPECT_EQ(leido(alta), "N");
    EXPECT_EQ(leido(normal), "N");
    EXPECT_FALSE(sondeo->ventana()->isVisible());
    EXPECT_TRUE(sondeo->activo()) << "closing the alert restarts the poll";

    // The next poll brings the two left, from the first again.
    sondeo->sondear();
    EXPECT_EQ(sondeo->alerta().cantidad(), 2);
    EXPECT_EQ(sondeo->alerta().textoPosicion(), "1 de 2");
    EXPECT_TRUE(admin->interaccion.mensajes.isEmpty()) << admin->interaccion.mensajes.join('\n').toStdString();
}

TEST_F(Sondeo, SinMensajesSigueSondeando) {
    enviarComo("ADMIN", "AUXILIAR", "Para otro");
    sondeo->sondear();
    EXPECT_TRUE(sondeo->alerta().vacia());
    EXPECT_FALSE(sondeo->ventana()->isVisible());
    EXPECT_TRUE(sondeo->activo());
    EXPECT_EQ(sondeo->ventana()->size(), QSize(300, 100));
}

TEST_F(Sondeo, CerrarLaAlertaNoMarcaNadaYReiniciaElSondeo) {
    const int64_t id = enviarComo("AUXILIAR", "ADMIN", "Hola");
    sondeo->sondear();
    ASSERT_TRUE(sondeo->ventana()->isVisible());
    // With one message there is nothing to move to.
    EXPECT_FALSE(sondeo->ventana()->botonSiguiente()->isVisible());
    sondeo->ventana()->botonCerrar()->click();
    EXPECT_FALSE(sondeo->ventana()->isVisible());
    EXPECT_TRUE(sondeo->activo());
    EXPECT_EQ(leido(id), "N");
    sondeo->sondear();
    EXPECT_EQ(sondeo->alerta().cantidad(), 1) << "an unread message comes back";
}

TEST_F(Sondeo, ConexionCerradaDetieneElSondeoParaSiempre) {
    enviarComo("AUXILIAR", "ADMIN", "Hola");
    sondeo->iniciar();
    ASSERT_TRUE(sondeo->activo());
    admin->sesion.compania.detach();
    sondeo->sondear();
    EXPECT_FALSE(sondeo->activo());
    EXPECT_FALSE(sondeo->ventana()->isVisible());
    EXPECT_TRUE(admin->interaccion.mensajes.isEmpty());
    // Nothing restarts it: not another poll, not time passing.
    sondeo->sondear();
    QCoreApplication::processEvents();
    EXPECT_FALSE(sondeo->activo());
    EXPECT_TRUE(sondeo->alerta().vacia());
}

// The server away a while: one notice, polls further and further apart,
// and back to every ten seconds with the messages once it answers.
TEST_F(Sondeo, UnFalloSeInformaUnaVezYElSondeoReintentaConEspera) {
    enviarComo("AUXILIAR", "ADMIN", "Hola");
    sondeo->iniciar();
    fb::Database buena = std::move(admin->sesion.compania);
    admin->sesion.compania = general.conectar("ADMIN");  // no MENSAJERIA there: the query fails
    for (const int espera : {5000, 10000, 20000, 40000, 80000, 160000, 300000, 300000}) {
        sondeo->sondear();
        EXPECT_TRUE(sondeo->activo());
        EXPECT_EQ(sondeo->espera(), espera);
    }
    EXPECT_EQ(admin->interaccion.de("error").size(), 1);
    admin->sesion.compania = std::move(buena);
    sondeo->sondear();
    EXPECT_EQ(sondeo->alerta().cantidad(), 1);
    sondeo->ventana()->hide();  // closing the alert restarts the poll
    EXPECT_EQ(sondeo->espera(), SondeoMensajes::kIntervalo);
    // A new outage is reported again.
    admin->sesion.compania = general.conectar("ADMIN");
    sondeo->sondear();
    EXPECT_EQ(admin->interaccion.de("error").size(), 2);
}

// The company attachment killed on the server's side: one notice, a retry
// in 5 s that attaches again (a local engine wants no password) and shows
// the message, and the ten seconds back.
TEST_F(Sondeo, ConexionCortadaSeAvisaUnaVezYSeVuelveAConectar) {
    QStringList avisos;
    int pedidas = 0;
    sondeo->setAviso([&](const QString& t) { avisos << t; });
    sondeo->setPedirClave([&]() -> std::optional<QString> {
        ++pedidas;
        return std::nullopt;
    });
    admin->sesion.compania.setSharedReads(true);
    sondeo->sondear();
    enviarComo("AUXILIAR", "ADMIN", "Hola");
    compania.conectar().executeDirect("delete from mon$attachments where mon$user = 'ADMIN'");
    sondeo->sondear();
    EXPECT_TRUE(sondeo->conexionPerdida());
    EXPECT_EQ(sondeo->espera(), 5000);
    EXPECT_EQ(avisos, QStringList{SondeoMensajes::kConexionPerdida});
    EXPECT_TRUE(admin->interaccion.mensajes.isEmpty());
    sondeo->sondear();
    EXPECT_FALSE(sondeo->conexionPerdida());
    EXPECT_EQ(sondeo->alerta().cantidad(), 1);
    EXPECT_TRUE(admin->sesion.compania.sharedReads());
    EXPECT_EQ(pedidas, 0);
    EXPECT_EQ(avisos.size(), 1);
}

TEST_F(Sondeo, ContestarAlAutorMarcaLeidoYAbreLaPantallaConElContexto) {
    const int64_t id = enviarComo("CAJERO", "ADMIN", "¿Firmó el cheque?");
    sondeo->sondear();
    sondeo->contestarAutor();
    EXPECT_EQ(leido(id), "S");
    EXPECT_FALSE(sondeo->ventana()->isVisible());
    EXPECT_TRUE(sondeo->activo());
    ASSERT_EQ(admin->interaccion.pantallas, QStringList{"Tfmensaje"});
    const QVariantMap& args = admin->interaccion.argumentosPantallas.front();
    EXPECT_EQ(args.value("respuesta_id").toString(), QString::number(id));
    EXPECT_EQ(args.value("respuesta_autor").toString(), "CAJERO");
}

TEST_F(Sondeo, UnMensajeATodosLlegaACadaUnoDeLosDemas) {
    Tfmensaje pantalla(admin->sesion, admin->interaccion, admin->manejador);
    ASSERT_TRUE(pantalla.abrir());
    pantalla.setTexto("Cierre de mes a las 5");
    pantalla.setPrioridad("Media");
    ASSERT_TRUE(pantalla.enviarATodos());

    for (const char* usuario : {"AUXILIAR", "CAJERO"}) {
        auto otro = instancia(usuario);
        SondeoMensajes s(otro->sesion, otro->interaccion, otro->manejador, nullptr);
        s.sondear();
        ASSERT_EQ(s.alerta().cantidad(), 1) << usuario;
        EXPECT_TRUE(s.alerta().actual().texto.contains("<b>Cierre de mes a las 5<br>De : ADMIN</b>")) << usuario;
        EXPECT_EQ(s.alerta().actual().color, AlertaMensajes::kAmarilloClaro);
        s.clicMensaje();
    }
    // The sender gets no copy, and each reader's mark is his own.
    sondeo->sondear();
    EXPECT_TRUE(sondeo->alerta().vacia());
    fb::Database db = compania.conectar();
    EXPECT_EQ(db.queryOne("select count(*) from MENSAJERIA where MENS_DESTINO in ('AUXILIAR', 'CAJERO') "
                          "and MENS_LEIDO = 'S'")
                  ->at(0)
                  .toInt64(),
              2);
}

TEST_F(Sondeo, DosProgramasSeEscribenYSeContestan) {
    auto aux = instancia("AUXILIAR");
    SondeoMensajes sondeoAux(aux->sesion, aux->interaccion, aux->manejador, nullptr);

    // ADMIN writes to AUXILIAR, chosen in the users list.
    {
        Tfmensaje pantalla(admin->sesion, admin->interaccion, admin->manejador);
        ASSERT_TRUE(pantalla.abrir());
        ASSERT_TRUE(pantalla.usuarios().locate("USUARIO", "AUXILIAR"));
        pantalla.setTexto("Necesito el soporte del egreso 15");
        ASSERT_TRUE(pantalla.enviar());
    }
    sondeoAux.sondear();
    ASSERT_EQ(sondeoAux.alerta().cantidad(), 1);
    EXPECT_TRUE(sondeoAux.alerta().actual().texto.contains("De : ADMIN"));
    const int64_t original = *AlertaMensajes::idDe(sondeoAux.alerta().actual().texto);

    // AUXILIAR answers from the alert; the screen opens with the context.
    sondeoAux.contestarAutor();
    ASSERT_EQ(aux->interaccion.argumentosPantallas.size(), 1u);
    const QVariantMap args = aux->interaccion.argumentosPantallas.front();
    {
        Tfmensaje respuesta(aux->sesion, aux->interaccion, aux->manejador,
                            {args.value("respuesta_id").toString(), args.value("respuesta_autor").toString()});
        ASSERT_TRUE(respuesta.abrir());
        respuesta.setTexto("Ya se lo envío");
        ASSERT_TRUE(respuesta.enviar());
    }
    sondeo->sondear();
    ASSERT_EQ(sondeo->alerta().cantidad(), 1);
    const int64_t contestado = *AlertaMensajes::idDe(sondeo->alerta().actual().texto);
    const fb::Row r = mensaje(contestado);
    EXPECT_EQ(r["MENS_AUTOR"].toString(), "AUXILIAR");
    EXPECT_EQ(r["MENS_RESPUESTA"].toInt64(), original);
    EXPECT_EQ(leido(original), "S");
    EXPECT_TRUE(aux->interaccion.mensajes.isEmpty()) << aux->interaccion.mensajes.join('\n').toStdString();
}

}  // namespace

CXP_MAIN_CON_QAPPLICATION
