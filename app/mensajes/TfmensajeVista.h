#pragma once
// The widgets of the message screen "Mensaje instantáneo": the users list,
// the history of the conversation with the user chosen, the "Mensaje" panel
// with a message's whole text, "Prioridad:" and the new message's text.
// Keys: F2 sends, Esc hides the "Mensaje" panel or cancels; F5 has no
// handler (only its button sends to all).
#include "app/mensajes/Tfmensaje.h"

#include <QVariantMap>
#include <QWidget>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace cxp {

class Enlaces;
class Rejilla;
class Teclado;

class TfmensajeVista : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 795;
    static constexpr int kAlto = 357;

    // Takes the logic, already opened.
    TfmensajeVista(std::unique_ptr<Tfmensaje> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Sesion& sesion, QWidget* padre = nullptr);
    ~TfmensajeVista() override;

    Tfmensaje& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejillaUsuarios() const { return usuarios_; }
    Rejilla* rejillaHistoria() const { return historia_; }
    QComboBox* comboPrioridad() const { return prioridad_; }
    QPlainTextEdit* editorMensaje() const { return texto_; }
    QFrame* panelMensaje() const { return panel_; }
    QPushButton* botonEnviar() const { return enviar_; }
    QPushButton* botonEnviarATodos() const { return todos_; }
    QPushButton* botonCancelar() const { return cancelar_; }

private:
    void cerrarPantalla();

    std::unique_ptr<Tfmensaje> logica_;
    Enlaces* enlaces_;
    Teclado* teclado_;
    Rejilla* usuarios_;
    Rejilla* historia_;
    QComboBox* prioridad_;
    QPlainTextEdit* texto_;
    QFrame* panel_;
    QPlainTextEdit* textoPanel_;
    QPushButton* enviar_;
    QPushButton* todos_;
    QPushButton* cancelar_;
};

// The factory the main window registers for "Tfmensaje". Arguments
// "respuesta_id" and "respuesta_autor" carry the reply context (both absent
// when opened from the menu). Null when the screen could not open (the
// error was already shown).
QWidget* crearTfmensaje(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                        const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
