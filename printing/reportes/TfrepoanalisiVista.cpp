#include "printing/reportes/TfrepoanalisiVista.h"

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

TfrepoanalisiVista::TfrepoanalisiVista(std::unique_ptr<Tfrepoanalisi> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : VistaInforme(*logica, QStringLiteral("Tfrepoanalisi"), Tfrepoanalisi::kTitulo, interaccion, manejador, sesion,
                   padre),
      logica_(std::move(logica)) {
    Tfrepoanalisi& l = *logica_;
    auto* porNit = new QRadioButton(QStringLiteral("Nit"), this);
    porNombre_ = new QRadioButton(QStringLiteral("Nombre"), this);
    auto* ninguno = new QRadioButton(QStringLiteral("Ninguno"), this);
    porGrupo_ = new QRadioButton(QStringLiteral("Grupo"), this);
    auto* grupos = new QHBoxLayout;
    grupos->addWidget(grupoOpciones(QStringLiteral("Ordenamiento"), {porNit, porNombre_}));
    grupos->addWidget(grupoOpciones(QStringLiteral("Agrupamiento"), {ninguno, porGrupo_}));
    opciones()->addLayout(grupos);

    nitDesde_ = campoAcreedor(QStringLiteral("nitDesde"));
    nitHasta_ = campoAcreedor(QStringLiteral("nitHasta"));
    grupoDesde_ = campo(QStringLiteral("grupoDesde"), 2);
    grupoHasta_ = campo(QStringLiteral("grupoHasta"), 2);
    corte_ = fecha(QStringLiteral("corte"), l.corte);
    dias_ = new QSpinBox(this);
    dias_->setObjectName(QStringLiteral("dias"));
    dias_->setRange(1, 999);
    dias_->setValue(l.dias);
    const auto casilla = [this](const QString& texto, const QString& nombre) {
        auto* c = new QCheckBox(texto, this);
        c->setObjectName(nombre);
        return c;
    };
    detalle_ = casilla(QStringLiteral("Detalle de comprobantes"), QStringLiteral("detalle"));
    vencidos_ = casilla(QStringLiteral("Sólo documentos vencidos"), QStringLiteral("vencidos"));
    sinCartera_ = casilla(QStringLiteral("Incluir acreedores sin cartera"), QStringLiteral("sinCartera"));
    extranjera_ = casilla(QStringLiteral("Saldo en moneda extranjera"), QStringLiteral("extranjera"));
    agencia_ = new QSpinBox(this);
    agencia_->setObjectName(QStringLiteral("agencia"));
    agencia_->setRange(0, 9999);
    agencia_->setValue(l.agencia);
    titulo_ = campo(QStringLiteral("titulo"), 80);
    titulo_->setText(l.titulo());
    auto* etiquetaMoneda = new QLabel(QStringLiteral("Moneda:"), this);
    QComboBox* moneda = comboMoneda(this, etiquetaMoneda, l, [this](int c) { logica_->setMoneda(c); });

    rango(QStringLiteral("Acreedores:"), nitDesde_, nitHasta_);
    rango(QStringLiteral("Grupos:"), grupoDesde_, grupoHasta_);
    fila(QStringLiteral("Corte:"), corte_, detalle_);
    fila(QStringLiteral("Rango días:"), dias_, vencidos_);
    fila(QStringLiteral("Agencia:"), agencia_, sinCartera_);
    fila(QString(), extranjera_);
    fila(QStringLiteral("Título:"), titulo_);
    auto* lineaMoneda = new QHBoxLayout;
    lineaMoneda->addWidget(etiquetaMoneda);
    lineaMoneda->addWidget(moneda);
    lineaMoneda->addStretch();
    opciones()->addLayout(lineaMoneda);
}

TfrepoanalisiVista::~TfrepoanalisiVista() = default;

void TfrepoanalisiVista::leerCampos() {
    Tfrepoanalisi& l = *logica_;
    l.orden = porNombre_->isChecked() ? Tfrepoanalisi::Orden::Nombre : Tfrepoanalisi::Orden::Nit;
    l.porGrupo = porGrupo_->isChecked();
    l.nitDesde = nitDesde_->text();
    l.nitHasta = nitHasta_->text();
    l.grupoDesde = grupoDesde_->text();
    l.grupoHasta = grupoHasta_->text();
    l.corte = corte_->date();
    l.dias = dias_->value();
    l.detalle = detalle_->isChecked();
    l.soloVencidos = vencidos_->isChecked();
    l.sinCartera = sinCartera_->isChecked();
    l.monedaExtranjera = extranjera_->isChecked();
    l.agencia = agencia_->value();
    l.setTitulo(titulo_->text());
}

QWidget* crearTfrepoanalisi(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfrepoanalisi>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return new TfrepoanalisiVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
