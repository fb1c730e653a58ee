#include "data/BarraEstado.h"

#include "data/AvisoConsulta.h"

namespace cxp {

BarraEstado::BarraEstado(QObject* parent) : QObject(parent) {
    reloj_.setSingleShot(true);
    // A warning or reminder expires into the bar at rest.
    connect(&reloj_, &QTimer::timeout, this, [this] { poner(Estado::Normal, {}); });
}

namespace {

// The bar the DataSets tell; only it may turn the notice off.
BarraEstado* barraQueAvisa = nullptr;

}  // namespace

BarraEstado::~BarraEstado() {
    if (barraQueAvisa != this) return;
    setAvisoConsulta({}, {});
    barraQueAvisa = nullptr;
}

void BarraEstado::avisarConsultas() {
    barraQueAvisa = this;
    setAvisoConsulta([this] { mostrar_mensaje(); }, [this] { quitar_mensaje(); });
}

unsigned BarraEstado::color(Estado estado) {
    switch (estado) {
        case Estado::Normal: return 15790320;  // button face, F0F0F0
        case Estado::Despejada: return 15780518;
        case Estado::Advertencia: return 255;
        case Estado::Recordatorio: return 65535;
        case Estado::Buscando: return 16711680;
    }
    return 15790320;
}

void BarraEstado::poner(Estado estado, const QString& texto) {
    estado_ = estado;
    texto_ = texto;
    emit cambio(estado_, texto_);
}

void BarraEstado::mostrar_advertencia(const QString& texto) {
    emit pitido();
    reloj_.stop();
    reloj_.setInterval(segundos_ * 1000);
    poner(Estado::Advertencia, QStringLiteral("Advertencia: ") + texto);
    reloj_.start();
}

void BarraEstado::mostrar_alerta(const QString& texto) {
    emit pitido();
    // Only right after a fetch: the light blue its notice left behind.
    if (estado_ != Estado::Despejada) return;
    reloj_.stop();
    reloj_.setInterval(segundos_ * 100);  // tenths of a second
    poner(Estado::Recordatorio, QStringLiteral("RECORDAR: ") + texto);
    reloj_.start();
}

void BarraEstado::mostrar_mensaje() {
    // Only on a bar at rest, so after one fetch the notice waits until a
    // warning has expired.
    if (suprimir_ || estado_ != Estado::Normal) return;
    poner(Estado::Buscando, QStringLiteral("Solicitando información. Espere un momento..."));
}

void BarraEstado::quitar_mensaje() {
    if (estado_ != Estado::Buscando) return;
    poner(Estado::Despejada, {});
}

void BarraEstado::mostrar_texto(const QString& texto) { poner(estado_, texto); }

}  // namespace cxp
