#include "documents/service/OrdenEnCargoVista.h"

#include "data/ManejadorErrores.h"
#include "documents/service/OrdenEnCargo.h"

#include <QPushButton>

namespace cxp {

QPushButton* botonOrdenServicio(QWidget* padre, DataSet& cargo, Interaccion& interaccion, ManejadorErrores& manejador,
                                bool activo) {
    auto* boton = new QPushButton(QStringLiteral("Orden servicio"), padre);
    boton->setObjectName(QStringLiteral("ordenServicio"));
    boton->setFocusPolicy(Qt::NoFocus);
    boton->setEnabled(activo);
    QObject::connect(boton, &QPushButton::clicked, boton, [&cargo, &interaccion, &manejador] {
        manejador.proteger([&cargo, &interaccion] { elegirOrdenParaCargo(cargo, interaccion); });
    });
    return boton;
}

}  // namespace cxp
