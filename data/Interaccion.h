#pragma once
// How screen logic and services speak to the person, without touching a
// widget. The program's own implementation shows Spanish message boxes
// (ui/InteraccionQt); tests use a scripted one that records every text and
// answers questions from a script.
#include <QString>
#include <QVariantMap>
#include <optional>

namespace cxp {

class Interaccion {
public:
    virtual ~Interaccion() = default;

    // Message boxes with one OK button.
    virtual void informacion(const QString& texto) = 0;
    virtual void error(const QString& texto) = 0;
    virtual void advertencia(const QString& texto) = 0;
    // Yes/No question; true only on Yes.
    virtual bool preguntar(const QString& texto) = 0;
    // Abort/Retry question; true on Retry.
    virtual bool reintentar(const QString& texto) = 0;
    virtual void pitar() = 0;
    // A passing warning: a beep and a window without buttons, captioned
    // "Advertencia", that stays about five seconds (ten half-second waits
    // during which the program keeps answering) or until Escape.
    virtual void mensaje_error(const QString& texto) = 0;

    // Asks the view to put the focus on a field (a DataSet field name or a
    // control's name).
    virtual void enfocar(const QString& campo) = 0;

    // Opens a screen by its class name ("Tfmensaje", "Tftasacambiodia") as a
    // child window, with optional arguments. Returns false when the screen
    // does not exist in this build.
    virtual bool abrirPantalla(const QString& pantalla, const QVariantMap& argumentos = {}) = 0;
    // Opens a picker (a search screen in picking mode) and returns the
    // person's choice, or nothing when they left without choosing.
    virtual std::optional<QVariantMap> elegir(const QString& selector, const QVariantMap& argumentos = {}) = 0;
};

}  // namespace cxp
