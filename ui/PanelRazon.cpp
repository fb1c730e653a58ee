#include "ui/PanelRazon.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cxp {

namespace {
// AUDI_RAZON holds 255 characters.
constexpr int largoRazon = 255;
}  // namespace

PanelRazon::PanelRazon(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Anulación"));
    setObjectName(QStringLiteral("PanelRazon"));
    auto* capa = new QVBoxLayout(this);
    auto* etiqueta = new QLabel(titulo(), this);
    capa->addWidget(etiqueta);
    texto_ = new QLineEdit(this);
    texto_->setObjectName(QStringLiteral("razon"));
    texto_->setMaxLength(largoRazon);
    texto_->setMinimumWidth(420);
    etiqueta->setBuddy(texto_);
    capa->addWidget(texto_);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    continuar_ = new QPushButton(QStringLiteral("F5:Continua"), this);
    cancelar_ = new QPushButton(QStringLiteral("Esc:Cancelar"), this);
    // Enter in the text must not accept: the reason is confirmed with F5.
    continuar_->setAutoDefault(false);
    cancelar_->setAutoDefault(false);
    botones->addWidget(continuar_);
    botones->addWidget(cancelar_);
    capa->addLayout(botones);
    connect(continuar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);
}

QString PanelRazon::razon() const { return texto_->text().trimmed(); }

void PanelRazon::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
        accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(event);  // Escape rejects
}

std::optional<QString> PanelRazon::pedir(QWidget* parent) {
    PanelRazon panel(parent);
    if (panel.exec() != QDialog::Accepted) return std::nullopt;
    return panel.razon();
}

}  // namespace cxp
