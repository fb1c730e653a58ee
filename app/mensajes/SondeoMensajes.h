#pragma once
// The main window's message poll: every ten seconds it asks the company
// database for the person's unread messages and shows them in the alert
// window. It never overlaps itself: it stops its timer first and restarts
// it only when there is nothing to show or when the alert window closes.
// A failed poll (the server away a while) is reported once and tried again
// after 5 s, then twice the wait of the one before, up to five minutes; the
// first poll that works brings back the ten seconds (and a later failure is
// reported again). A connection the server or the network dropped is
// attached again by the retries themselves: without a password where the
// engine needs none, otherwise with the one the clerk types once; the
// password is wiped as soon as the connections are back.
#include "app/mensajes/AlertaMensajes.h"
#include "app/mensajes/VentanaAlerta.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

class QWidget;

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class SondeoMensajes : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalo = 10000;     // milliseconds
    static constexpr int kPrimerReintento = 5000;  // the first wait after a failure
    static constexpr int kEsperaMaxima = 300000;  // the longest wait after failures
    static inline const QString kConexionPerdida =
        QStringLiteral("Se perdió la conexión con la base de datos. Reintentando…");

    SondeoMensajes(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                   QWidget* ventanaPrincipal);
    ~SondeoMensajes() override;

    // Starts the timer; the first poll comes after one interval. While the
    // alert window is open it does nothing: closing the window starts it.
    void iniciar();
    // The poll, once (also run at the end of the main window's first
    // activation).
    void sondear();
    bool activo() const { return reloj_.isActive(); }
    // The wait until the next poll.
    int espera() const { return reloj_.interval(); }

    AlertaMensajes& alerta() { return alerta_; }
    VentanaAlerta* ventana() const { return ventana_; }

    // Clicking the message shown: marks it read and hides the window.
    void clicMensaje();
    // "Contestar al autor": marks the message shown read, hides the window
    // and opens Tfmensaje with the author as recipient.
    void contestarAutor();

    // Where the one notice of a lost connection goes (the status bar); an
    // information box when unset.
    void setAviso(std::function<void(const QString&)> aviso) { aviso_ = std::move(aviso); }
    // Asks the clerk for the password when the server wants one to attach
    // again; nothing when she cancels.
    void setPedirClave(std::function<std::optional<QString>()> pedir) { pedirClave_ = std::move(pedir); }
    bool conexionPerdida() const { return perdida_; }

    // The poll's SQL for a user.
    static QString consulta(const QString& usuario);

private:
    bool reconectar();
    void marcarLeido(int64_t id);
    void alertaCerrada();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    AlertaMensajes alerta_;
    QPointer<VentanaAlerta> ventana_;
    QTimer reloj_;
    int fallos_ = 0;  // failed polls in a row
    bool perdida_ = false;  // the company connection was dropped
    std::function<void(const QString&)> aviso_;
    std::function<std::optional<QString>()> pedirClave_;
};

}  // namespace cxp
