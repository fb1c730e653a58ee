#include "app/mensajes/SondeoMensajes.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "data/fb/DbError.h"

#include <algorithm>

namespace cxp {

SondeoMensajes::SondeoMensajes(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               QWidget* ventanaPrincipal)
    : QObject(ventanaPrincipal), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {
    reloj_.setInterval(kIntervalo);
    connect(&reloj_, &QTimer::timeout, this, &SondeoMensajes::sondear);
    ventana_ = new VentanaAlerta(alerta_, ventanaPrincipal);
    connect(ventana_, &VentanaAlerta::clicMensaje, this, &SondeoMensajes::clicMensaje);
    connect(ventana_, &VentanaAlerta::contestar, this, &SondeoMensajes::contestarAutor);
    connect(ventana_, &VentanaAlerta::cerrada, this, &SondeoMensajes::alertaCerrada);
}

SondeoMensajes::~SondeoMensajes() {
    // The window lives under the main window; it must not outlive the
    // messages it shows.
    if (ventana_) {
        ventana_->disconnect(this);
        delete ventana_.data();
    }
}

void SondeoMensajes::iniciar() {
    if (ventana_ && ventana_->isVisible()) return;
    reloj_.start();
}

QString SondeoMensajes::consulta(const QString& usuario) {
    return QStringLiteral("select mens_id, mens_autor, mens_mensaje, mens_nivel  from mensajeria where mens_destino = ") +
           sql::texto(usuario) + QStringLiteral(" and mens_leido = 'N'");
}

void SondeoMensajes::sondear() {
    reloj_.stop();
    alerta_.setPosicion(0);
    if (!sesion_.compania.isAttached()) return;  // and the timer stays stopped

    alerta_.limpiar();
    std::vector<fb::Row> filas;
    bool bien = !perdida_ || reconectar();
    if (bien) {
        try {
            filas = sesion_.compania.query(consulta(sesion_.usuario_actual));
        } catch (const fb::DbError& e) {
            bien = false;
            if (e.kind() == fb::ErrorKind::Network) {
                // The attachment is dead: every later query fails on it.
                if (!perdida_ && fallos_ == 0) {
                    if (aviso_) aviso_(kConexionPerdida);
                    else interaccion_.informacion(kConexionPerdida);
                }
                perdida_ = true;
            } else if (fallos_ == 0) {
                manejador_.ENoManejada(e);  // the one notice of this outage
            }
        } catch (const std::exception& e) {
            bien = false;
            if (fallos_ == 0) manejador_.ENoManejada(e);
        }
    }
    if (!bien) {
        // Not a box every ten seconds while the server is away, and not
        // silence for the rest of the session either.
        ++fallos_;
        const qint64 espera = qint64(kPrimerReintento) << std::min(fallos_ - 1, 10);
        reloj_.start(int(std::min<qint64>(espera, kEsperaMaxima)));
        return;
    }
    fallos_ = 0;
    reloj_.setInterval(kIntervalo);

    if (filas.empty()) {
        if (ventana_ && ventana_->isVisible()) ventana_->hide();  // its closing restarts the timer
        else reloj_.start();
        return;
    }
    // In the order they were sent.
    std::stable_sort(filas.begin(), filas.end(),
                     [](const fb::Row& a, const fb::Row& b) { return a[0].toInt64() < b[0].toInt64(); });
    alerta_.setColor(AlertaMensajes::kBlanco);
    for (const fb::Row& f : filas) {
        alerta_.agregar(AlertaMensajes::textoDe(f[0].toInt64(), f[2].toString(), f[1].toString().trimmed()),
                        AlertaMensajes::colorDeNivel(int(f[3].toInt64())));
    }
    if (ventana_) ventana_->mostrar();
}

namespace {

// A connection dead or alive: a read the server answers.
bool viva(fb::Database& db) {
    if (!db.isAttached()) return false;
    try {
        db.queryOne(QStringLiteral("select 1 from rdb$database"));
        return true;
    } catch (const fb::DbError& e) {
        if (e.kind() == fb::ErrorKind::Network) return false;
        throw;
    }
}

void borrar(QString& clave) {
    clave.fill(QChar(u'\0'));
    clave.clear();
}

}  // namespace

// The session's connections attached again with what they were attached
// with. The engine of a local folder needs no password; a server does, and
// the clerk types it once (the first attach that reaches the server tells).
// False while the server is still away or the clerk cancelled.
bool SondeoMensajes::reconectar() {
    std::optional<QString> clave;
    auto adjuntar = [&](fb::Database& db) {
        fb::ConnectionParams p = db.params();
        for (;;) {
            p.password = clave.value_or(QString());
            try {
                fb::Database nueva = fb::Database::attach(p);
                borrar(p.password);
                nueva.forgetPassword();
                nueva.setSharedReads(db.sharedReads());
                db = std::move(nueva);  // screens hold the session's object: they go on with it
                return true;
            } catch (const fb::DbError& e) {
                borrar(p.password);
                if (e.kind() != fb::ErrorKind::Login || clave || !pedirClave_) return false;
                clave = pedirClave_();  // once per recovery
                if (!clave) return false;
            }
        }
    };
    bool bien = false;
    try {
        bien = (viva(sesion_.compania) || adjuntar(sesion_.compania)) &&
               (!sesion_.general.isAttached() || viva(sesion_.general) || adjuntar(sesion_.general));
        // The reports' attachment, when one was open: a report is not refused
        // later for want of the password. Its fault does not undo the others.
        if (bien && !sesion_.informes.params().database.isEmpty()) {
            try {
                if (!viva(sesion_.informes)) adjuntar(sesion_.informes);
            } catch (const std::exception&) {
            }
        }
    } catch (const std::exception&) {
        bien = false;
    }
    if (clave) borrar(*clave);
    if (bien) perdida_ = false;
    return bien;
}

void SondeoMensajes::marcarLeido(int64_t id) {
    sesion_.compania.executeDirect(QStringLiteral("update mensajeria set mens_leido = 'S' where mens_id = ") +
                                   sql::numero(id));
}

void SondeoMensajes::clicMensaje() {
    if (alerta_.vacia()) return;
    if (const auto id = AlertaMensajes::idDe(alerta_.actual().texto))
        manejador_.proteger([&] { marcarLeido(*id); });
    if (ventana_) ventana_->hide();
}

void SondeoMensajes::contestarAutor() {
    if (alerta_.vacia()) return;
    const auto id = AlertaMensajes::idDe(alerta_.actual().texto);
    QString autor;
    bool leido = false;
    if (id) {
        leido = manejador_.proteger([&] {
            const auto fila = sesion_.compania.queryOne(
                QStringLiteral("select mens_autor from mensajeria where mens_id = ") + sql::numero(*id));
            if (fila) autor = fila->at(0).toString().trimmed();
            marcarLeido(*id);
        });
    }
    if (ventana_) ventana_->hide();
    if (!leido) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfmensaje"),
                               {{QStringLiteral("respuesta_id"), QString::number(*id)},
                                {QStringLiteral("respuesta_autor"), autor}});
}

void SondeoMensajes::alertaCerrada() { reloj_.start(); }

}  // namespace cxp
