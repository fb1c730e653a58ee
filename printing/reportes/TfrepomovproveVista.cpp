#include "printing/reportes/TfrepomovproveVista.h"

#include "ledger/VistaLedger.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace cxp {

TfrepomovproveVista::TfrepomovproveVista(std::unique_ptr<Tfrepomovprove> logica, Interaccion& interaccion,
                                         ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : VistaInforme(*logica, QStringLiteral("Tfrepomovprove"), Tfrepomovprove::kTitulo, interaccion, manejador, sesion,
                   padre),
      logica_(std::move(logica)) {
    Tfrepomovprove& l = *logica_;
    panelAcreedores(QStringLiteral("Agrupar por"), {QStringLiteral("Ninguno"), QStringLiteral("Ciudad"), QStringLiteral("Grupo")});
    desde_ = fecha(QStringLiteral("desde"), l.desde);
    hasta_ = fecha(QStringLiteral("hasta"), l.hasta);
    detalle_ = new QCheckBox(QStringLiteral("Detalle de comprobantes"), this);
    detalle_->setObjectName(QStringLiteral("detalle"));
    detalle_->setChecked(l.detalle);
    titulo_ = campo(QStringLiteral("titulo"), 80);
    titulo_->setText(l.titulo());
    auto* etiquetaMoneda = new QLabel(QStringLiteral("Moneda:"), this);
    QComboBox* moneda = comboMoneda(this, etiquetaMoneda, l, [this](int c) { logica_->setMoneda(c); });
    rango(QStringLiteral("Fechas:"), desde_, hasta_);
    auto* lineaMoneda = new QHBoxLayout;
    lineaMoneda->addWidget(etiquetaMoneda);
    lineaMoneda->addWidget(moneda);
    lineaMoneda->addStretch();
    lineaMoneda->addWidget(detalle_);
    opciones()->addLayout(lineaMoneda);
    fila(QStringLiteral("Título:"), titulo_);
}

TfrepomovproveVista::~TfrepomovproveVista() = default;

void TfrepomovproveVista::leerCampos() {
    Tfrepomovprove& l = *logica_;
    l.orden = porNombre() ? Tfrepomovprove::Orden::Nombre : Tfrepomovprove::Orden::Nit;
    l.agrupar = agrupacion() == 2   ? Tfrepomovprove::Agrupar::Grupo
                : agrupacion() == 1 ? Tfrepomovprove::Agrupar::Ciudad
                                    : Tfrepomovprove::Agrupar::Ninguno;
    l.grupoDesde = grupoDesde();
    l.grupoHasta = grupoHasta();
    l.nitDesde = nitDesde();
    l.nitHasta = nitHasta();
    l.desde = desde_->date();
    l.hasta = hasta_->date();
    l.detalle = detalle_->isChecked();
    l.setTitulo(titulo_->text());
}

QWidget* crearTfrepomovprove(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfrepomovprove>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return new TfrepomovproveVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
