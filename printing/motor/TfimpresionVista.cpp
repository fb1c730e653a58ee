#include "printing/motor/TfimpresionVista.h"

#include "ui/BusquedaBase.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cxp {

TfimpresionVista::TfimpresionVista(std::unique_ptr<ImpresoraDocumento> impresora, QWidget* parent)
    : QWidget(parent), impresora_(std::move(impresora)) {
    setObjectName(QStringLiteral("TfimpresionVista"));
    setWindowTitle(impresora_->titulo());
    auto* texto = new QLabel(impresora_->indicacion(), this);
    texto->setWordWrap(true);
    auto* imprimirBtn = new QPushButton(QStringLiteral("F2: Imprimir"), this);
    imprimirBtn->setObjectName(QStringLiteral("imprimir"));
    auto* salir = new QPushButton(QStringLiteral("Esc:Salir"), this);
    salir->setObjectName(QStringLiteral("salir"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(imprimirBtn);
    botones->addWidget(salir);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(texto);
    capa->addLayout(botones);
    connect(imprimirBtn, &QPushButton::clicked, this, [this] { imprimir(false); });
    connect(salir, &QPushButton::clicked, this, [this] { BusquedaBase::cerrarPantalla(this); });
    setFocusPolicy(Qt::StrongFocus);
}

void TfimpresionVista::imprimir(bool general) {
    if (impresora_->imprimir(general)) BusquedaBase::cerrarPantalla(this);
}

void TfimpresionVista::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter: imprimir(false); return;
    case Qt::Key_F10:
        if (impresora_->permiteGeneral()) imprimir(true);
        return;
    case Qt::Key_Escape: BusquedaBase::cerrarPantalla(this); return;
    default: QWidget::keyPressEvent(e);
    }
}

}  // namespace cxp
