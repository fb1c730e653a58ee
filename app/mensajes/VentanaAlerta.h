#pragma once
// The alert window of the message poll: 300 by 100 at the bottom right of
// the main window, one message at a time on its level's colour, with
// "Anterior", "Siguiente", "Cerrar" and "Contestar al autor". Each message
// stays 30 seconds before the next one comes; the window never hides by
// itself. It never takes the keyboard focus and moves away from the field
// the person types in.
#include "app/mensajes/AlertaMensajes.h"

#include <QFrame>
#include <QTimer>

class QLabel;
class QToolButton;
class QPropertyAnimation;

namespace cxp {

class VentanaAlerta : public QFrame {
    Q_OBJECT
public:
    static constexpr int kAncho = 300;
    static constexpr int kAlto = 100;
    static constexpr int kTiempoPorMensaje = 30000;  // milliseconds

    // parent: the main window. The alert stays over it but is no
    // always-on-top window.
    explicit VentanaAlerta(AlertaMensajes& alerta, QWidget* parent = nullptr);

    // Places the window, fades it in and starts the display time of the
    // first message.
    void mostrar();
    // Where the window goes: the bottom right corner of `marco` (the main
    // window, in global coordinates), else its top right, else its bottom
    // left, whichever first leaves `campo` (the field with the focus)
    // uncovered.
    static QRect lugar(const QRect& marco, const QRect& campo, const QSize& tamano);

    QToolButton* botonAnterior() const { return anterior_; }
    QToolButton* botonSiguiente() const { return siguiente_; }
    QToolButton* botonCerrar() const { return cerrar_; }
    QToolButton* botonContestar() const { return contestar_; }
    QLabel* etiquetaMensaje() const { return texto_; }
    QLabel* etiquetaPosicion() const { return posicion_; }
    bool relojActivo() const { return reloj_.isActive(); }

signals:
    void clicMensaje();  // the person clicked the message shown
    void contestar();    // "Contestar al autor"
    void cerrada();      // the window was hidden or closed

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* objeto, QEvent* event) override;

private:
    void colocar();
    void actualizar();
    void tiempoCumplido();

    AlertaMensajes& alerta_;
    QLabel* texto_;
    QLabel* posicion_;
    QToolButton* anterior_;
    QToolButton* siguiente_;
    QToolButton* cerrar_;
    QToolButton* contestar_;
    QPropertyAnimation* fundido_;
    QTimer reloj_;
};

}  // namespace cxp
