#pragma once
// What the alert window holds: the unread messages of one poll, shown one
// at a time, and the position among them. Qt Core only, so that the poll
// and its tests do not depend on the widget.
#include <QObject>
#include <QString>
#include <optional>
#include <vector>

namespace cxp {

class AlertaMensajes : public QObject {
    Q_OBJECT
public:
    // Background colours in the platform encoding (red in the lowest byte).
    static constexpr unsigned kBlanco = 16777215;
    static constexpr unsigned kMagentaClaro = 16744703;  // level 1, "Alta"
    static constexpr unsigned kAmarilloClaro = 8454143;  // level 2, "Media"
    static constexpr unsigned kCianClaro = 16777088;     // level 3, "Normal"

    struct Mensaje {
        QString texto;  // rich text; the id is the text before the first "<br>"
        unsigned color = kBlanco;
    };

    explicit AlertaMensajes(QObject* parent = nullptr) : QObject(parent) {}

    // The colour of a message of that level; white for an unknown level.
    static unsigned colorDeNivel(int nivel);
    // The text of one message: id, text in bold, author, and the hint.
    // Text and author are escaped so that a "<" typed in a message shows
    // as written.
    static QString textoDe(int64_t id, const QString& mensaje, const QString& autor);
    // The id in front of a message's text; nothing when it is not a
    // positive whole number (it then never reaches SQL).
    static std::optional<int64_t> idDe(const QString& texto);

    void limpiar();
    void agregar(const QString& texto, unsigned color);

    int cantidad() const { return int(mensajes_.size()); }
    bool vacia() const { return mensajes_.empty(); }
    const Mensaje& mensaje(int i) const { return mensajes_.at(size_t(i)); }
    // The message shown; requires a non-empty window.
    const Mensaje& actual() const { return mensajes_.at(size_t(posicion_)); }

    // 0-based, kept within the messages.
    int posicion() const { return posicion_; }
    void setPosicion(int posicion);
    bool hayAnterior() const { return posicion_ > 0; }
    bool haySiguiente() const { return posicion_ + 1 < cantidad(); }
    void anterior() { setPosicion(posicion_ - 1); }
    void siguiente() { setPosicion(posicion_ + 1); }
    // "%d of %d" with the 1-based position: "1 of 3".
    QString textoPosicion() const;

    // The window's own colour, set to white by the poll.
    unsigned color() const { return color_; }
    void setColor(unsigned color);

signals:
    void cambio();

private:
    std::vector<Mensaje> mensajes_;
    int posicion_ = 0;
    unsigned color_ = kBlanco;
};

}  // namespace cxp
