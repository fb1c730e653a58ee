#include "printing/reportes/TfrepomovproveVista.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "ledger/VistaLedger.h"
#include "printing/reportes/SalidaInforme.h"
#include "ui/DobleClic.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace cxp {

namespace {

QGroupBox* grupoOpciones(QWidget* padre, const QString& titulo, const std::vector<QRadioButton*>& opciones) {
    auto* caja = new QGroupBox(titulo, padre);
    auto* capa = new QHBoxLayout(caja);
    auto* grupo = new QButtonGroup(caja);
    for (QRadioButton* r : opciones) {
        capa->addWidget(r);
        grupo->addButton(r);
    }
    opciones.front()->setChecked(true);
    return caja;
}

QLineEdit* campo(QWidget* padre, const QString& nombre, int largo) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(nombre);
    e->setMaxLength(largo);
    return e;
}

}  // namespace

TfrepomovproveVista::TfrepomovproveVista(std::unique_ptr<Tfrepomovprove> logica, Interaccion& interaccion,
                                         ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion) {
    setObjectName(QStringLiteral("Tfrepomovprove"));
    setWindowTitle(Tfrepomovprove::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 520);
    Tfrepomovprove& l = *logica_;

    porNit_ = new QRadioButton(QStringLiteral("Nit"), this);
    porNombre_ = new QRadioButton(QStringLiteral("Nombre"), this);
    sinGrupo_ = new QRadioButton(QStringLiteral("Ninguno"), this);
    porCiudad_ = new QRadioButton(QStringLiteral("Ciudad"), this);
    porGrupo_ = new QRadioButton(QStringLiteral("Grupo"), this);
    QGroupBox* orden = grupoOpciones(this, QStringLiteral("Ordenamiento"), {porNit_, porNombre_});
    QGroupBox* agrupar = grupoOpciones(this, QStringLiteral("Agrupar por"), {sinGrupo_, porCiudad_, porGrupo_});
    grupoDesde_ = campo(this, QStringLiteral("grupoDesde"), 2);
    grupoHasta_ = campo(this, QStringLiteral("grupoHasta"), 2);
    nitDesde_ = campo(this, QStringLiteral("nitDesde"), 20);
    nitHasta_ = campo(this, QStringLiteral("nitHasta"), 20);
    desde_ = new QDateEdit(l.desde, this);
    desde_->setObjectName(QStringLiteral("desde"));
    hasta_ = new QDateEdit(l.hasta, this);
    hasta_->setObjectName(QStringLiteral("hasta"));
    for (QDateEdit* e : {desde_, hasta_}) {
        e->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        e->setCalendarPopup(true);
    }
    detalle_ = new QCheckBox(QStringLiteral("Detalle de comprobantes"), this);
    detalle_->setObjectName(QStringLiteral("detalle"));
    detalle_->setChecked(l.detalle);
    titulo_ = campo(this, QStringLiteral("titulo"), 80);
    titulo_->setText(l.titulo());
    auto* etiquetaMoneda = new QLabel(QStringLiteral("Moneda:"), this);
    QComboBox* moneda = comboMoneda(this, etiquetaMoneda, l, [this](int c) { logica_->setMoneda(c); });

    auto* rangos = new QGridLayout;
    rangos->addWidget(new QLabel(QStringLiteral("Desde"), this), 0, 1);
    rangos->addWidget(new QLabel(QStringLiteral("Hasta"), this), 0, 2);
    rangos->addWidget(new QLabel(QStringLiteral("Grupos:"), this), 1, 0);
    rangos->addWidget(grupoDesde_, 1, 1);
    rangos->addWidget(grupoHasta_, 1, 2);
    rangos->addWidget(new QLabel(QStringLiteral("Acreedores:"), this), 2, 0);
    rangos->addWidget(nitDesde_, 2, 1);
    rangos->addWidget(nitHasta_, 2, 2);
    rangos->addWidget(new QLabel(QStringLiteral("Fechas:"), this), 3, 0);
    rangos->addWidget(desde_, 3, 1);
    rangos->addWidget(hasta_, 3, 2);
    rangos->addWidget(etiquetaMoneda, 4, 0);
    rangos->addWidget(moneda, 4, 1);
    rangos->addWidget(detalle_, 4, 2);
    rangos->addWidget(new QLabel(QStringLiteral("Título:"), this), 5, 0);
    rangos->addWidget(titulo_, 5, 1, 1, 2);

    rejilla_ = new Rejilla(l.filas(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(Tfrepomovprove::kArchivo);
    rejilla_->setTitulo(Tfrepomovprove::kTitulo);

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2:Imprimir"), [this] { imprimir(); });
    botonDePanel(panel, QStringLiteral("F4:Exportar"), [this] { exportar(); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });

    auto* opciones = new QHBoxLayout;
    opciones->addWidget(orden);
    opciones->addWidget(agrupar);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(opciones);
    columna->addLayout(rangos);
    columna->addWidget(rejilla_, 1);
    columna->addWidget(panel);

    espera_ = new QLabel(PantallaInforme::kEspera, this);
    espera_->setObjectName(QStringLiteral("espera"));
    espera_->setAlignment(Qt::AlignCenter);
    espera_->setFrameShape(QFrame::Box);
    espera_->setAutoFillBackground(true);
    espera_->setMinimumSize(320, 60);
    espera_->hide();

    setEnviar({});

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { imprimir(); });
    teclado_->asignar(Qt::Key_F4, [this] { exportar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrarPantalla(this); });
    for (QLineEdit* e : {nitDesde_, nitHasta_})
        e->installEventFilter(new DobleClic(e, [this, e] {
            const auto elegido = interaccion_.elegir(QStringLiteral("Tfbuscprove"));
            if (elegido) e->setText(elegido->value(QStringLiteral("nit")).toString());
        }));
}

TfrepomovproveVista::~TfrepomovproveVista() = default;

void TfrepomovproveVista::setEnviar(std::function<void(const reportes::Paginado&, const QString&, const QString&)> enviar) {
    // The waiting panel stays; only the output changes.
    if (!enviar)
        enviar = [this](const reportes::Paginado& p, const QString& titulo, const QString& archivo) {
            QString error;
            if (!reportes::enviar(p, titulo, archivo, this, &error) && !error.isEmpty()) interaccion_.error(error);
        };
    logica_->setSalida({[this](bool si) {
                            if (si) {
                                espera_->adjustSize();
                                espera_->move((width() - espera_->width()) / 2, (height() - espera_->height()) / 2);
                                espera_->raise();
                                espera_->show();
                                espera_->repaint();
                                QApplication::setOverrideCursor(Qt::WaitCursor);
                            } else {
                                espera_->hide();
                                QApplication::restoreOverrideCursor();
                            }
                        },
                        std::move(enviar)});
}

void TfrepomovproveVista::leerCampos() {
    Tfrepomovprove& l = *logica_;
    l.orden = porNombre_->isChecked() ? Tfrepomovprove::Orden::Nombre : Tfrepomovprove::Orden::Nit;
    l.agrupar = porGrupo_->isChecked()    ? Tfrepomovprove::Agrupar::Grupo
                : porCiudad_->isChecked() ? Tfrepomovprove::Agrupar::Ciudad
                                          : Tfrepomovprove::Agrupar::Ninguno;
    l.grupoDesde = grupoDesde_->text();
    l.grupoHasta = grupoHasta_->text();
    l.nitDesde = nitDesde_->text();
    l.nitHasta = nitHasta_->text();
    l.desde = desde_->date();
    l.hasta = hasta_->date();
    l.detalle = detalle_->isChecked();
    l.setTitulo(titulo_->text());
}

void TfrepomovproveVista::imprimir() {
    leerCampos();
    logica_->generar();
}

void TfrepomovproveVista::exportar() {
    if (logica_->filas().recordCount() == 0) {
        interaccion_.informacion(PantallaInforme::kSinDatos);
        return;
    }
    rejilla_->seleccionarTodo();
    rejilla_->guardarSeleccion();
}

QWidget* crearTfrepomovprove(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfrepomovprove>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return new TfrepomovproveVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
