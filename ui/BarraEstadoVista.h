#pragma once
// The main window's status panel: paints what cxp::BarraEstado says (the
// colour of its state and its text) and beeps when it asks.
#include "data/BarraEstado.h"

#include <QColor>
#include <QLabel>
#include <QPointer>

namespace cxp {

class BarraEstadoVista : public QLabel {
    Q_OBJECT
public:
    explicit BarraEstadoVista(BarraEstado& barra, QWidget* parent = nullptr);

    // A colour of the platform encoding (red in the lowest byte) as RGB.
    static QColor colorPlataforma(unsigned valor);
    // What the bar paints for a state: Normal takes the button face.
    QColor colorDe(BarraEstado::Estado estado) const;
    QColor colorActual() const { return colorDe(estado_); }
    int pitidos() const { return pitidos_; }

private:
    void mostrar(BarraEstado::Estado estado, const QString& texto);
    QPointer<BarraEstado> barra_;
    BarraEstado::Estado estado_ = BarraEstado::Estado::Normal;
    int pitidos_ = 0;
};

}  // namespace cxp
