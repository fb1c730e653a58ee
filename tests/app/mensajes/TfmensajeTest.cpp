// The message screen's logic: the users list with who is connected today,
// the history of one conversation, the new message with its defaults, the
// reply context, priority, sending to one, and cancelling (sending to all is
// checked from its button).
#include "app/mensajes/Tfmensaje.h"
#include "tests/app/mensajes/Entorno.h"

#include <QSignalSpy>

using cxp::DataSet;
using cxp::RespuestaMensaje;
using cxp::Tfmensaje;

namespace {

class Pantalla : public prueba::BasesMensajes {
protected:
    std::unique_ptr<prueba::Instancia> admin;

    void SetUp() override {
        BasesMensajes::SetUp();
        admin = instancia("ADMIN");
    }

    std::unique_ptr<Tfmensaje> abrir(RespuestaMensaje respuesta = {}) {
        auto p = std::make_unique<Tfmensaje>(admin->sesion, admin->interaccion, admin->manejador, respuesta);
        EXPECT_TRUE(p->abrir()) << admin->interaccion.mensajes.join('\n').toStdString();
        return p;
    }

    // The messages in the database sent by ADMIN, newest last.
    std::vector<fb::Row> enviados() {
        fb::Database db = compania.conectar();
        return db.query("select * from MENSAJERIA where MENS_AUTOR = 'ADMIN' and MENS_ORIGEN is null order by MENS_ID");
    }

    void escribirConHora(const char* autor, const char* destino, const char* texto, const QDate& fecha, const char* hora) {
        fb::Database db = compania.conectar(autor);
        db.executeDirect("insert into MENSAJERIA (MENS_ID, MENS_MENSAJE, MENS_DESTINO, MENS_FECHA, MENS_HORA) "
                         "values (0, ?, ?, ?, ?)",
                         {texto, destino, fecha, QTime::fromString(hora, "HH:mm")});
    }

    static QStringList columna(DataSet& ds, const QString& campo) {
        QStringList r;
        for (int i = 0; i < ds.recordCount(); ++i) r << ds.row(i).asString(campo);
        return r;
    }
};

TEST_F(Pantalla, UsuariosConectadosHoy) {
    auto p = abrir();
    p->usuarios().sort("USUARIO");
    EXPECT_EQ(columna(p->usuarios(), "USUARIO"), (QStringList{"ADMIN", "AUXILIAR", "CAJERO"}));
    // Yesterday's mark left by a program that did not close is not today.
    EXPECT_EQ(columna(p->usuarios(), "Conectado"), (QStringList{"S", "N", "N"}));
    EXPECT_FALSE(p->usuarios().field("FECCON").visible());

    // The list follows the marks every refresh, keeping the user chosen.
    ASSERT_TRUE(p->usuarios().locate("USUARIO", "AUXILIAR"));
    fb::Database g = general.conectar();
    g.executeDirect("update USUARIO set FECCON = ? where USUA_COD = 'CAJERO'", {hoy});
    p->refrescarUsuarios();
    EXPECT_EQ(p->usuarios().asString("USUARIO"), "AUXILIAR");
    ASSERT_TRUE(p->usuarios().locate("USUARIO", "CAJERO"));
    EXPECT_EQ(p->usuarios().asString("Conectado"), "S");
    EXPECT_TRUE(p->refrescoActivo());
}

TEST_F(Pantalla, NuevoMensajeConSusValoresIniciales) {
    auto p = abrir();
    DataSet& m = p->mensaje();
    EXPECT_EQ(m.state(), DataSet::State::Insert);
    EXPECT_EQ(m.asInt("MENS_ID"), 0);
    EXPECT_EQ(m.asString("MENS_LEIDO"), "N");
    EXPECT_EQ(m.asInt("MENS_RESPUESTA"), 0);
    EXPECT_EQ(m.asInt("MENS_NIVEL"), 3);
    EXPECT_EQ(p->prioridad(), "Normal");
    EXPECT_TRUE(m.isNull("MENS_DESTINO"));

    p->setPrioridad("Alta");
    EXPECT_EQ(m.asInt("MENS_NIVEL"), 1);
    p->setPrioridad("Media");
    EXPECT_EQ(p->prioridad(), "Media");
    p->setPrioridad("Urgente");  // not offered: no change
    EXPECT_EQ(m.asInt("MENS_NIVEL"), 2);
}

TEST_F(Pantalla, HistoriaDeLaConversacionConElUsuarioElegido) {
    const QDate ayer = hoy.addDays(-1);
    escribirConHora("AUXILIAR", "ADMIN", "a1", ayer, "09:00");
    escribirConHora("ADMIN", "AUXILIAR", "a2", ayer, "10:00");
    escribirConHora("AUXILIAR", "ADMIN", "a3", hoy, "08:00");
    escribirConHora("CAJERO", "ADMIN", "c1", hoy, "09:00");
    escribirConHora("CAJERO", "AUXILIAR", "ajeno", hoy, "09:30");
    auto p = abrir();

    ASSERT_TRUE(p->usuarios().locate("USUARIO", "AUXILIAR"));
    EXPECT_EQ(columna(p->historia(), "MENSAJE"), (QStringList{"a3", "a2", "a1"}));  // newest first
    EXPECT_EQ(columna(p->historia(), "EOS"), (QStringList{"E", "S", "E"}));
    ASSERT_TRUE(p->usuarios().locate("USUARIO", "CAJERO"));
    EXPECT_EQ(columna(p->historia(), "MENSAJE"), QStringList{"c1"});
    ASSERT_TRUE(p->usuarios().locate("USUARIO", "ADMIN"));
    EXPECT_TRUE(p->historia().isEmpty());
}

TEST_F(Pantalla, ContestarLlenaDestinatarioYMensajeContestado) {
    const int64_t id = enviarComo("CAJERO", "ADMIN", "¿Firmó?");
    enviarComo("AUXILIAR", "ADMIN", "otra conversación");
    auto p = abrir({QString::number(id), "CAJERO"});

    EXPECT_EQ(p->usuarios().asString("USUARIO"), "CAJERO");
    EXPECT_EQ(p->mensaje().asString("MENS_DESTINO"), "CAJERO");
    EXPECT_EQ(p->mensaje().asInt("MENS_RESPUESTA"), id);
    EXPECT_EQ(columna(p->historia(), "MENSAJE"), QStringList{"¿Firmó?"});

    QSignalSpy cerrar(p.get(), &Tfmensaje::cerrar);
    p->setTexto("Sí, ayer");
    ASSERT_TRUE(p->enviar());
    EXPECT_EQ(cerrar.count(), 1);
    const auto filas = enviados();
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0]["MENS_DESTINO"].toString(), "CAJERO");
    EXPECT_EQ(filas[0]["MENS_RESPUESTA"].toInt64(), id);
    EXPECT_EQ(filas[0]["MENS_MENSAJE"].toString(), "Sí, ayer");
    EXPECT_EQ(filas[0]["MENS_LEIDO"].toString(), "N");
    EXPECT_EQ(filas[0]["MENS_NIVEL"].toInt64(), 3);
    // Stamped by the database, not by the client.
    EXPECT_EQ(filas[0]["MENS_FECHA"].toDate(), QDate::currentDate());
    EXPECT_FALSE(filas[0]["MENS_HORA"].isNull());
    EXPECT_GT(filas[0]["MENS_ID"].toInt64(), id);
}

TEST_F(Pantalla, DesdeElMenuVaAlUsuarioDeLaListaSinContestado) {
    auto p = abrir();
    EXPECT_TRUE(p->mensaje().isNull("MENS_DESTINO"));
    EXPECT_EQ(p->mensaje().asInt("MENS_RESPUESTA"), 0);
    ASSERT_TRUE(p->usuarios().locate("USUARIO", "AUXILIAR"));
    p->setTexto("Recuerde el cierre");
    p->setPrioridad("Alta");
    ASSERT_TRUE(p->enviar());
    const auto filas = enviados();
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0]["MENS_DESTINO"].toString(), "AUXILIAR");
    EXPECT_EQ(filas[0]["MENS_RESPUESTA"].toInt64(), 0);
    EXPECT_EQ(filas[0]["MENS_NIVEL"].toInt64(), 1);
}

TEST_F(Pantalla, ElAutorFueraDeLaListaRecibeLaRespuesta) {
    // An author without a row in the general database: the list cannot
    // show him, and the answer must not go to whoever is first in it.
    const int64_t id = enviarComo("SYSDBA", "ADMIN", "Mantenimiento esta noche");
    auto p = abrir({QString::number(id), "SYSDBA"});
    EXPECT_EQ(p->destinatario(), "SYSDBA");
    p->setTexto("Entendido");
    ASSERT_TRUE(p->enviar());
    EXPECT_EQ(enviados().back()["MENS_DESTINO"].toString(), "SYSDBA");

    // Choosing someone in the list replaces him.
    auto q = abrir({QString::number(id), "SYSDBA"});
    ASSERT_TRUE(q->usuarios().locate("USUARIO", "CAJERO"));
    EXPECT_EQ(q->destinatario(), "CAJERO");
}

TEST_F(Pantalla, UnMensajeVacioNoSeEnvia) {
    auto p = abrir();
    QSignalSpy cerrar(p.get(), &Tfmensaje::cerrar);
    p->setTexto("   ");
    EXPECT_FALSE(p->enviar());
    EXPECT_EQ(cerrar.count(), 0);
    EXPECT_TRUE(enviados().empty());
    ASSERT_EQ(admin->interaccion.de("error").size(), 1);
    EXPECT_TRUE(admin->interaccion.de("error").front().startsWith("Los campos , MENS_MENSAJE"))
        << admin->interaccion.de("error").front().toStdString();
    EXPECT_EQ(admin->interaccion.enfoques, QStringList{"MENS_MENSAJE"});

    // Corrected, it goes.
    p->setTexto("Ahora sí");
    EXPECT_TRUE(p->enviar());
    EXPECT_EQ(enviados().size(), 1u);
}

TEST_F(Pantalla, UnFalloDeLaBaseDejaElMensajeParaIntentarDeNuevo) {
    auto p = abrir();
    p->setTexto("Hola");
    admin->sesion.compania.detach();  // the server went away
    QSignalSpy cerrar(p.get(), &Tfmensaje::cerrar);
    EXPECT_FALSE(p->enviar());
    EXPECT_EQ(cerrar.count(), 0);
    EXPECT_EQ(admin->interaccion.de("error").size(), 1);
    admin->sesion.compania = compania.conectar("ADMIN");
    EXPECT_TRUE(p->enviar());
    ASSERT_EQ(enviados().size(), 1u);
    EXPECT_EQ(enviados()[0]["MENS_MENSAJE"].toString(), "Hola");
}

}  // namespace

CXP_MAIN_CON_QAPPLICATION
