#include "comunes/TftasacambiodiaVista.h"

#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cxp {

TftasacambiodiaVista::TftasacambiodiaVista(std::unique_ptr<Tftasacambiodia> logica, Interaccion& interaccion,
                                           ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tftasacambiodia"));
    setWindowTitle(Tftasacambiodia::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kAncho, kAlto);

    QFrame* panel = panelBotones(this, sesion);
    grabar_ = botonDePanel(panel, QStringLiteral("F2: Grabar"));
    static_cast<QHBoxLayout*>(panel->layout())->addStretch();
    salir_ = botonDePanel(panel, QStringLiteral("Esc:Salir"));

    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    DataSet& tasa = logica_->tasa();

    fecha_ = new QDateEdit(this);
    fecha_->setObjectName(QStringLiteral("TACA_FECHA"));
    enlaces_->enlazar(fecha_, tasa, QStringLiteral("TACA_FECHA"));
    // The day's rate is today's: the date is shown, not typed.
    fecha_->setEnabled(false);

    moneda_ = new QComboBox(this);
    moneda_->setObjectName(QStringLiteral("TIMO_COD"));
    // Long currency names must not widen the small screen.
    moneda_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    moneda_->setMinimumContentsLength(12);
    Enlaces::Claves claves;
    for (const OpcionBusqueda& m : logica_->monedas()) claves.append({m.clave, m.nombre});
    enlaces_->enlazar(moneda_, tasa, QStringLiteral("TIMO_COD"), claves);

    valor_ = new QLineEdit(this);
    valor_->setObjectName(QStringLiteral("TACA_VALOR"));
    enlaces_->enlazar(valor_, tasa, QStringLiteral("TACA_VALOR"));

    // The currency's name takes the whole width of the small screen.
    auto* campos = new QFormLayout;
    campos->setContentsMargins(8, 4, 8, 2);
    campos->setVerticalSpacing(4);
    campos->addRow(QStringLiteral("&Fecha:"), fecha_);
    auto* etiquetaMoneda = new QLabel(QStringLiteral("&Moneda:"), this);
    etiquetaMoneda->setBuddy(moneda_);
    campos->addRow(etiquetaMoneda);
    campos->addRow(moneda_);
    campos->addRow(QStringLiteral("&Tasa de cambio:"), valor_);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addLayout(campos);
    todo->addStretch();

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    // What was typed reaches the row before F2 stores it; Esc drops it.
    teclado_->asignar(Qt::Key_F2, [this] {
        if (enlaces_->confirmar()) logica_->grabar();
    });
    teclado_->asignar(Qt::Key_Escape, [this] { logica_->salir(); });
    connect(grabar_, &QPushButton::clicked, this, [this, &manejador] {
        if (enlaces_->confirmar()) manejador.proteger([this] { logica_->grabar(); });
    });
    connect(salir_, &QPushButton::clicked, this, [this] { logica_->salir(); });
    connect(logica_.get(), &Tftasacambiodia::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });

    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) { enlaces_->enfocar(campo); });
    setFocusProxy(valor_);
}

TftasacambiodiaVista::~TftasacambiodiaVista() = default;

void TftasacambiodiaVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        centrarEnArea(this, QSize(kAncho, kAlto));
        valor_->setFocus(Qt::OtherFocusReason);
        valor_->selectAll();
    }
}

QWidget* crearTftasacambiodia(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                              const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tftasacambiodia>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return new TftasacambiodiaVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
