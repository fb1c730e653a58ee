#pragma once
// The message screen "Mensaje instantáneo": the users of the suite with who
// is connected today, the history of messages exchanged with the one chosen,
// and a new message to that user or to all. Screen logic only; the widgets
// are TfmensajeVista.
#include "data/DataSet.h"

#include <QDate>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

// The message being answered: its id and author, as text; both empty when
// the screen is opened from the menu.
struct RespuestaMensaje {
    QString id;
    QString autor;
};

class Tfmensaje : public QObject {
    Q_OBJECT
public:
    static constexpr int kRefrescoUsuarios = 15000;  // milliseconds
    static inline const QString kTodos = QStringLiteral("Todos");

    Tfmensaje(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
              RespuestaMensaje respuesta = {}, QObject* parent = nullptr);
    ~Tfmensaje() override;

    // Opens the history, the users list and a new message, applies the
    // reply context and starts the users list's refresh. False when a
    // database error was reported; the screen should not open then.
    bool abrir();

    DataSet& historia() { return historia_; }
    DataSet& usuarios() { return usuarios_; }
    DataSet& mensaje() { return mensaje_; }
    const RespuestaMensaje& respuesta() const { return respuesta_; }

    // "Prioridad:" offers "Normal", "Media", "Alta", stored as 3, 2, 1.
    static const QStringList& prioridades();
    static int nivelDe(const QString& prioridad);   // 0 when unknown
    static QString prioridadDe(int nivel);          // empty when unknown
    QString prioridad() const;
    void setPrioridad(const QString& prioridad);

    // The text of the new message (the view's editor); an empty text is
    // no text, so that the required check stops it.
    void setTexto(const QString& texto);
    QString texto() const;

    // The user the message goes to on F2.
    QString destinatario() const;

    // "F2:Enviar": to the user chosen in the list.
    bool enviar();
    // "F5:Enviar a todos".
    bool enviarATodos();
    // "Esc:Cancela": discards the message and closes.
    void cancelar();
    // The Escape key: hides the "Mensaje" panel when it is shown, otherwise
    // cancels.
    void escape();

    // The "Mensaje" panel shows the whole text of the history's current
    // message.
    void mostrarMensaje();
    void ocultarMensaje();
    bool panelMensajeVisible() const { return panelVisible_; }
    QString textoPanelMensaje() const { return textoPanel_; }

    // Re-reads the users list keeping the user chosen (every 15 seconds).
    void refrescarUsuarios();
    bool refrescoActivo() const { return refresco_.isActive(); }

    // Today, for "Conectado"; tests fix it.
    void setHoy(std::function<QDate()> hoy) { hoy_ = std::move(hoy); }

    // The history's SQL, whole or for the conversation with one user.
    static QString consultaHistoria(const QString& usuario, const QString& remite = {});
    static QString consultaUsuarios();

signals:
    void cerrar();  // the screen is done: sent or cancelled
    void panelMensajeCambio(bool visible);

private:
    bool grabar(const QString& destino);
    void editarMensaje();
    void usuarioMovido();
    void filtrarHistoria();
    void abrirUsuarios();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    RespuestaMensaje respuesta_;
    DataSet historia_;
    DataSet usuarios_;
    DataSet mensaje_;
    QTimer refresco_;
    std::function<QDate()> hoy_;
    // The author of the message answered when the users list does not hold
    // him: F2 answers him until the person chooses someone in the list.
    QString destinoRespuesta_;
    QString filtroActual_;
    bool moviendoUsuarios_ = false;
    bool panelVisible_ = false;
    QString textoPanel_;
};

}  // namespace cxp
