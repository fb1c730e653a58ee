#include "accounting/contabilizacion/SelectorPlantillas.h"

#include "base/Sql.h"
#include "data/DataSet.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/Rejilla.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

std::optional<QVariantMap> elegirPlantilla(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                           const QVariantMap& args, QWidget* padre) {
    DataSet plantillas;
    const QString tipo = args.value(QStringLiteral("tipo")).toString().trimmed();
    if (!manejador.proteger([&] {
            plantillas.open(sesion.compania,
                            QStringLiteral("select PLAN_ID, PLAN_CONCEPTO from PLANTILLA_ENCABEZADO where TICO_COD = ") +
                                sql::texto(tipo) + QStringLiteral(" order by PLAN_CONCEPTO"));
        }))
        return std::nullopt;
    plantillas.field(QStringLiteral("PLAN_ID")).setLabel(QStringLiteral("Plantilla"));
    plantillas.field(QStringLiteral("PLAN_CONCEPTO")).setLabel(QStringLiteral("Concepto"));

    QDialog dialogo(padre);
    dialogo.setObjectName(QStringLiteral("Tfbuscplantilla"));
    dialogo.setWindowTitle(QStringLiteral("Plantillas de comprobantes ") + tipo);
    dialogo.resize(420, 280);
    auto* rejilla = new Rejilla(plantillas, &dialogo);
    rejilla->setSoloLectura(true);
    rejilla->setInteraccion(&interaccion);
    rejilla->setAnchoColumna(QStringLiteral("PLAN_CONCEPTO"), 40);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialogo);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    auto* todo = new QVBoxLayout(&dialogo);
    todo->addWidget(rejilla, 1);
    todo->addWidget(botones);
    QObject::connect(botones, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
    QObject::connect(botones, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(rejilla, &Rejilla::activada, &dialogo, [&dialogo](int) { dialogo.accept(); });
    if (dialogo.exec() != QDialog::Accepted || plantillas.isEmpty()) return std::nullopt;
    return QVariantMap{{QStringLiteral("plantilla"), int(plantillas.asInt(QStringLiteral("PLAN_ID")))},
                       {QStringLiteral("concepto"), plantillas.asString(QStringLiteral("PLAN_CONCEPTO"))}};
}

}  // namespace cxp
