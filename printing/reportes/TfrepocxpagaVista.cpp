#include "printing/reportes/TfrepocxpagaVista.h"

#include "ledger/VistaLedger.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace cxp {

TfrepocxpagaVista::TfrepocxpagaVista(std::unique_ptr<Tfrepocxpaga> logica, Interaccion& interaccion,
                                     ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : VistaInforme(*logica, QStringLiteral("Tfrepocxpaga"), Tfrepocxpaga::kTitulo, interaccion, manejador, sesion,
                   padre),
      logica_(std::move(logica)) {
    Tfrepocxpaga& l = *logica_;
    panelAcreedores(QStringLiteral("Agrupamiento"), {QStringLiteral("Ninguno"), QStringLiteral("Grupo")});
    corte_ = fecha(QStringLiteral("corte"), l.corte);
    detalle_ = new QCheckBox(QStringLiteral("Detalle de comprobantes"), this);
    detalle_->setObjectName(QStringLiteral("detalle"));
    sinSaldo_ = new QCheckBox(QStringLiteral("Incluir acreedores sin saldo"), this);
    sinSaldo_->setObjectName(QStringLiteral("sinSaldo"));
    vencimientos_ = new QCheckBox(QStringLiteral("Rangos de vencimiento"), this);
    vencimientos_->setObjectName(QStringLiteral("vencimientos"));
    venceDesde_ = fecha(QStringLiteral("venceDesde"), l.corte.addDays(-30));
    venceHasta_ = fecha(QStringLiteral("venceHasta"), l.corte);
    agencia_ = new QSpinBox(this);
    agencia_->setObjectName(QStringLiteral("agencia"));
    agencia_->setRange(0, 9999);
    agencia_->setValue(l.agencia);
    titulo_ = campo(QStringLiteral("titulo"), 80);
    titulo_->setText(l.titulo());
    auto* etiquetaMoneda = new QLabel(QStringLiteral("Moneda:"), this);
    QComboBox* moneda = comboMoneda(this, etiquetaMoneda, l, [this](int c) { logica_->setMoneda(c); });

    fila(QStringLiteral("Corte:"), corte_, detalle_);
    fila(QStringLiteral("Agencia:"), agencia_, sinSaldo_);
    fila(QString(), vencimientos_);
    rango(QStringLiteral("Vencimientos:"), venceDesde_, venceHasta_);
    fila(QStringLiteral("Título:"), titulo_);
    auto* lineaMoneda = new QHBoxLayout;
    lineaMoneda->addWidget(etiquetaMoneda);
    lineaMoneda->addWidget(moneda);
    lineaMoneda->addStretch();
    opciones()->addLayout(lineaMoneda);
    // The due-date range is for the detail only.
    const auto habilitar = [this] {
        vencimientos_->setEnabled(detalle_->isChecked());
        venceDesde_->setEnabled(detalle_->isChecked() && vencimientos_->isChecked());
        venceHasta_->setEnabled(detalle_->isChecked() && vencimientos_->isChecked());
        sinSaldo_->setEnabled(!detalle_->isChecked());
    };
    habilitar();
    connect(detalle_, &QCheckBox::toggled, this, habilitar);
    connect(vencimientos_, &QCheckBox::toggled, this, habilitar);
}

TfrepocxpagaVista::~TfrepocxpagaVista() = default;

void TfrepocxpagaVista::leerCampos() {
    Tfrepocxpaga& l = *logica_;
    l.orden = porNombre() ? Tfrepocxpaga::Orden::Nombre : Tfrepocxpaga::Orden::Nit;
    l.porGrupo = agrupacion() == 1;
    l.nitDesde = nitDesde();
    l.nitHasta = nitHasta();
    l.grupoDesde = grupoDesde();
    l.grupoHasta = grupoHasta();
    l.corte = corte_->date();
    l.detalle = detalle_->isChecked();
    l.sinSaldo = sinSaldo_->isChecked();
    const bool rangos = l.detalle && vencimientos_->isChecked();
    l.venceDesde = rangos ? venceDesde_->date() : QDate();
    l.venceHasta = rangos ? venceHasta_->date() : QDate();
    l.agencia = agencia_->value();
    l.setTitulo(titulo_->text());
}

QWidget* crearTfrepocxpaga(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfrepocxpaga>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return new TfrepocxpagaVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
