#pragma once
// The main window's status bar as states and timers. Its state is what the
// original kept in the bar's colour, and the handlers test it the same way:
// a fetching notice appears only on a bar at rest, a reminder only after a
// fetching notice was removed. The widget (ui/) only paints what it is told.
#include <QObject>
#include <QString>
#include <QTimer>

namespace cxp {

class BarraEstado : public QObject {
    Q_OBJECT
public:
    enum class Estado {
        Normal,        // button face: rest, after a warning or reminder expired
        Despejada,     // light blue 15780518: a fetching notice was removed
        Advertencia,   // red 255
        Recordatorio,  // yellow 65535
        Buscando       // blue 16711680: records are being fetched
    };
    Q_ENUM(Estado)

    explicit BarraEstado(QObject* parent = nullptr);
    ~BarraEstado() override;

    Estado estado() const { return estado_; }
    const QString& texto() const { return texto_; }
    // The state's colour in the platform encoding (red in the lowest byte).
    static unsigned color(Estado estado);

    // "DURACION DE LAS ADVERTENCIAS", in seconds.
    void setDuracionAdvertencias(int segundos) { segundos_ = segundos; }
    // The general data module's suppression flag for the fetching notice.
    void setSuprimirMensajes(bool on) { suprimir_ = on; }

    void mostrar_advertencia(const QString& texto);
    void mostrar_alerta(const QString& texto);
    void mostrar_mensaje();
    void quitar_mensaje();
    // Puts mostrar_mensaje and quitar_mensaje around every DataSet's fetch,
    // until this bar goes.
    void avisarConsultas();
    // The raw text of an error, in the state the bar is in.
    void mostrar_texto(const QString& texto);

signals:
    void cambio(cxp::BarraEstado::Estado estado, const QString& texto);
    void pitido();

private:
    void poner(Estado estado, const QString& texto);
    Estado estado_ = Estado::Normal;
    QString texto_;
    int segundos_ = 5;
    bool suprimir_ = false;
    QTimer reloj_;
};

}  // namespace cxp
