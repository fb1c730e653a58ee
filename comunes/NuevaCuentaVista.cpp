#include "comunes/NuevaCuentaVista.h"

#include "data/ManejadorErrores.h"
#include "ui/Enlaces.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cxp {

NuevaCuentaVista::NuevaCuentaVista(std::unique_ptr<NuevaCuenta> logica, Interaccion& interaccion,
                                   ManejadorErrores& manejador, QWidget* padre)
    : QDialog(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("NuevaCuenta"));
    setWindowTitle(logica_->titulo());
    setModal(true);

    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    DataSet& c = logica_->cuenta();

    auto* aviso = new QLabel(
        (logica_->niif() ? QStringLiteral("La cuenta NIIF %1 no existe.") : QStringLiteral("La cuenta %1 no existe."))
                .arg(logica_->codigo()) +
            QStringLiteral(" Complete sus datos para crearla."),
        this);
    aviso->setWordWrap(true);

    codigo_ = new QLineEdit(this);
    enlaces_->enlazar(codigo_, c, QStringLiteral("CUEN_COD"));
    codigo_->setEnabled(false);  // given, not typed
    nombre_ = new QLineEdit(this);
    enlaces_->enlazar(nombre_, c, QStringLiteral("CUEN_NOM"));
    naturaleza_ = new QComboBox(this);
    enlaces_->enlazar(naturaleza_, c, QStringLiteral("CUEN_NATURALEZA"),
                      {{QStringLiteral("D"), QStringLiteral("Débito")}, {QStringLiteral("C"), QStringLiteral("Crédito")}});
    tercero_ = new QCheckBox(QStringLiteral("Exige &tercero"), this);
    enlaces_->enlazar(tercero_, c, QStringLiteral("CUEN_TERCERO"));
    centro_ = new QCheckBox(QStringLiteral("Exige &centro de costo"), this);
    enlaces_->enlazar(centro_, c, QStringLiteral("CUEN_CENTRO"));
    retencion_ = new QCheckBox(QStringLiteral("Cuenta de &retención"), this);
    enlaces_->enlazar(retencion_, c, QStringLiteral("CUEN_RETENCION"));
    base_ = new QLineEdit(this);
    enlaces_->enlazar(base_, c, QStringLiteral("CUEN_BASEMIN"));
    porcentaje_ = new QLineEdit(this);
    enlaces_->enlazar(porcentaje_, c, QStringLiteral("CUEN_PORC"));

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Código:"), codigo_);
    campos->addRow(QStringLiteral("&Nombre:"), nombre_);
    campos->addRow(QStringLiteral("N&aturaleza:"), naturaleza_);
    campos->addRow(QString(), tercero_);
    campos->addRow(QString(), centro_);
    campos->addRow(QString(), retencion_);
    campos->addRow(QStringLiteral("&Base mínima:"), base_);
    campos->addRow(QStringLiteral("&Porcentaje:"), porcentaje_);

    grabar_ = new QPushButton(QStringLiteral("F2: Grabar"), this);
    salir_ = new QPushButton(QStringLiteral("Esc:Salir"), this);
    for (QPushButton* b : {grabar_, salir_}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(grabar_);
    botones->addWidget(salir_);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(aviso);
    todo->addLayout(campos);
    todo->addStretch();
    todo->addLayout(botones);
    resize(420, sizeHint().height());

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& cmd) { manejador.proteger(cmd); });
    teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { reject(); });
    connect(grabar_, &QPushButton::clicked, this, [this, &manejador] { manejador.proteger([this] { grabar(); }); });
    connect(salir_, &QPushButton::clicked, this, &QDialog::reject);
    // Base and percentage belong to a withholding account.
    connect(retencion_, &QCheckBox::toggled, this, [this] { mostrarRetencion(); });
    mostrarRetencion();
    nombre_->setFocus(Qt::OtherFocusReason);
}

NuevaCuentaVista::~NuevaCuentaVista() = default;

void NuevaCuentaVista::mostrarRetencion() {
    base_->setEnabled(retencion_->isChecked());
    porcentaje_->setEnabled(retencion_->isChecked());
}

void NuevaCuentaVista::grabar() {
    if (!enlaces_->confirmar()) return;
    creada_ = logica_->crear();
    if (creada_) accept();
}

std::optional<QVariantMap> NuevaCuentaVista::crear(Sesion& sesion, Interaccion& interaccion,
                                                   ManejadorErrores& manejador, const QVariantMap& argumentos,
                                                   QWidget* padre) {
    auto logica = std::make_unique<NuevaCuenta>(sesion, interaccion, manejador,
                                                argumentos.value(QStringLiteral("cuenta")).toString(),
                                                argumentos.value(QStringLiteral("niif")).toBool());
    if (!logica->abrir()) return std::nullopt;
    NuevaCuentaVista dialogo(std::move(logica), interaccion, manejador, padre);
    if (dialogo.exec() != QDialog::Accepted || !dialogo.creada()) return std::nullopt;
    return QVariantMap{{QStringLiteral("cuenta"), *dialogo.creada()}};
}

}  // namespace cxp
