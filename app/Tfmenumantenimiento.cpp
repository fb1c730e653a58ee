#include "app/Tfmenumantenimiento.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace cxp {

Tfmenumantenimiento::Tfmenumantenimiento(Despachador::Acceso acceso, Despachador::Existe existe,
                                         Interaccion& interaccion,
                                         std::function<void(const std::function<void()>&)> ejecutor, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      despachador_(interaccion, std::move(acceso), std::move(existe), comandos::mantenimiento()) {
    setObjectName(comandos::kMenuMantenimiento);
    setWindowTitle(QStringLiteral("Mantenimiento"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kAncho, kAlto);
    if (parent) move(parent->geometry().topLeft() + QPoint(kIzquierda, kArriba));

    auto* capa = new QVBoxLayout(this);
    capa->setSpacing(2);
    for (const Comando& c : comandos::mantenimiento()) {
        auto* b = new QPushButton(c.titulo, this);
        b->setObjectName(c.id);
        capa->addWidget(b);
        // Every button is in sight; one the person may not use refuses with
        // the message. A screen this build lacks leaves it disabled.
        bool activo = despachador_.disponibleSinDerechos(c.id);
        ejecutor([&] { activo = despachador_.disponible(c.id); });
        b->setEnabled(activo);
        const QString id = c.id;
        auto correr = ejecutor;
        connect(b, &QPushButton::clicked, this,
                [this, id, correr] { correr([this, id] { despachador_.ejecutar(id); }); });
        botones_.emplace_back(c.id, b);
    }
    capa->addStretch();
}

QPushButton* Tfmenumantenimiento::boton(const QString& comando) const {
    for (const auto& [id, b] : botones_)
        if (id == comando) return b;
    return nullptr;
}

void Tfmenumantenimiento::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(evento);
}

}  // namespace cxp
