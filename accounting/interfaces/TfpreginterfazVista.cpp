#include "accounting/interfaces/TfpreginterfazVista.h"

#include "accounting/interfaces/Delegados.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace cxp {

TfpreginterfazVista::TfpreginterfazVista(const QVariantMap& argumentos, QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("Tfpreginterfaz"));
    setWindowTitle(QStringLiteral("Interfaz contable"));
    resize(360, 220);
    ids_ = argumentos.value(QStringLiteral("ids")).toList();
    const QStringList nombres = argumentos.value(QStringLiteral("nombres")).toStringList();

    tabla_ = new QTableWidget(int(ids_.size()), 1, this);
    tabla_->setHorizontalHeaderLabels({QStringLiteral("Interfaz a aplicar")});
    tabla_->horizontalHeader()->setStretchLastSection(true);
    tabla_->verticalHeader()->hide();
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setItemDelegate(new DelegadoSeleccion(tabla_));
    for (int i = 0; i < ids_.size(); ++i) tabla_->setItem(i, 0, new QTableWidgetItem(nombres.value(i)));
    if (!ids_.isEmpty()) tabla_->setCurrentCell(0, 0);

    grabar_ = new QPushButton(QStringLiteral("F2:Grabar"), this);
    cancelar_ = new QPushButton(QStringLiteral("Esc:Cancelar"), this);
    for (QPushButton* b : {grabar_, cancelar_}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(grabar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);
    connect(tabla_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });

    auto* botones = new QHBoxLayout;
    botones->addWidget(grabar_);
    botones->addStretch();
    botones->addWidget(cancelar_);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(tabla_, 1);
    todo->addLayout(botones);
    tabla_->setFocus(Qt::OtherFocusReason);
}

void TfpreginterfazVista::keyPressEvent(QKeyEvent* evento) {
    if (evento->modifiers() == Qt::NoModifier || evento->modifiers() == Qt::KeypadModifier) {
        switch (evento->key()) {
        case Qt::Key_F2:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            accept();
            return;
        case Qt::Key_Escape:
            reject();
            return;
        default:
            break;
        }
    }
    QDialog::keyPressEvent(evento);
}

std::optional<QVariantMap> TfpreginterfazVista::eleccion() const {
    const int fila = tabla_->currentRow();
    if (result() != QDialog::Accepted || fila < 0 || fila >= ids_.size()) return std::nullopt;
    return QVariantMap{{QStringLiteral("id"), ids_.at(fila)}};
}

std::optional<QVariantMap> TfpreginterfazVista::elegir(const QVariantMap& argumentos, QWidget* padre) {
    TfpreginterfazVista d(argumentos, padre);
    d.exec();
    return d.eleccion();
}

}  // namespace cxp
