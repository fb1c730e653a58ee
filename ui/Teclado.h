#pragma once
// The keys of one screen: Enter moves to the next field as Tab does; F-keys
// and Esc run the screen's commands; a code field whose text begins or
// ends with "?" opens its lookup when the person presses Enter or leaves it.
// Keys are caught before the focused widget sees them, and only while the
// focus is inside the screen.
#include <QKeyCombination>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class QLineEdit;

namespace cxp {

class Teclado : public QObject {
    Q_OBJECT
public:
    using Comando = std::function<void()>;

    // Lives as long as the screen (its child).
    explicit Teclado(QWidget* pantalla);

    // A key anywhere in the screen. Qt::Key_F4 means F4 without Shift,
    // Ctrl or Alt; Qt::SHIFT | Qt::Key_F12 needs Shift. Enter and Return
    // are one key.
    void asignar(QKeyCombination tecla, Comando comando);
    // A key while the focus is in `donde` (or inside it); it wins over
    // asignar (Enter in a search text runs the search).
    void asignarEn(QWidget* donde, QKeyCombination tecla, Comando comando);
    void quitar(QKeyCombination tecla);

    // Enter to the next field; on by default.
    void setEnterSiguiente(bool on) { enterSiguiente_ = on; }

    // The lookup of a code field. abrir receives the text without its
    // question marks; the field is left showing that text (a bound field
    // shows its value again) and the lookup sets the value it chose.
    void busqueda(QLineEdit* campo, std::function<void(const QString&)> abrir);
    static bool pideBusqueda(const QString& texto);
    static QString sinInterrogacion(const QString& texto);

    // Runs before every command; false stops it (Enlaces::confirmar: what
    // the person typed reaches the DataSet before F2 saves it).
    void setAntesDeComando(std::function<bool()> antes) { antes_ = std::move(antes); }
    // Runs the commands (ManejadorErrores::proteger); by default a failure
    // is only logged, since nothing may escape an event handler.
    void setEjecutor(std::function<void(const Comando&)> ejecutor) { ejecutor_ = std::move(ejecutor); }

    // Runs the command of a key as if pressed with the focus on `foco`;
    // false when no command takes the key there.
    bool pulsar(QKeyCombination tecla, QWidget* foco = nullptr);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct Asignacion {
        QPointer<QWidget> donde;  // null: the whole screen
        QKeyCombination tecla;
        Comando comando;
    };
    struct Busqueda {
        QPointer<QLineEdit> campo;
        std::function<void(const QString&)> abrir;
    };
    static QKeyCombination normal(QKeyCombination tecla);
    const Asignacion* buscar(QKeyCombination tecla, QWidget* foco) const;
    bool dentro(QWidget* w) const;
    void correr(const Comando& comando);
    Busqueda* busquedaDe(QObject* objeto);
    bool lanzarBusqueda(Busqueda& b, bool ahora);
    static bool avanzaConEnter(QWidget* w);
    static void siguiente(QWidget* w);

    QPointer<QWidget> pantalla_;
    std::vector<Asignacion> asignaciones_;
    std::vector<Busqueda> busquedas_;
    bool enterSiguiente_ = true;
    std::function<bool()> antes_;
    std::function<void(const Comando&)> ejecutor_;
};

}  // namespace cxp
