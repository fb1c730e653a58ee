#include "printing/reportes/VistaInforme.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "ledger/VistaLedger.h"
#include "printing/reportes/SalidaInforme.h"
#include "ui/DobleClic.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace cxp {

VistaInforme::VistaInforme(PantallaInforme& logica, const QString& nombre, const QString& titulo,
                           Interaccion& interaccion, ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), interaccion_(interaccion), logica_(logica) {
    setObjectName(nombre);
    setWindowTitle(titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 520);

    rejilla_ = new Rejilla(logica.filas(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(logica.nombreExportar());
    rejilla_->setTitulo(titulo);

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2:Imprimir"), [this] { imprimir(); });
    botonDePanel(panel, QStringLiteral("F4:Exportar"), [this] { exportar(); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });

    opciones_ = new QVBoxLayout;
    campos_ = new QGridLayout;
    campos_->addWidget(new QLabel(QStringLiteral("Desde"), this), 0, 1);
    campos_->addWidget(new QLabel(QStringLiteral("Hasta"), this), 0, 2);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(opciones_);
    columna->addLayout(campos_);
    estado_ = new QLabel(this);
    estado_->setObjectName(QStringLiteral("estado"));
    columna->addWidget(estado_);
    columna->addWidget(rejilla_, 1);
    columna->addWidget(panel);

    espera_ = new QFrame(this);
    espera_->setObjectName(QStringLiteral("espera"));
    espera_->setFrameShape(QFrame::Box);
    espera_->setFrameShadow(QFrame::Raised);
    espera_->setLineWidth(2);
    espera_->setAutoFillBackground(true);
    auto* capaEspera = new QVBoxLayout(espera_);
    auto* texto = new QLabel(PantallaInforme::kEspera, espera_);
    texto->setAlignment(Qt::AlignCenter);
    avance_ = new QLabel(espera_);
    avance_->setObjectName(QStringLiteral("avance"));
    avance_->setAlignment(Qt::AlignCenter);
    cancelar_ = new QPushButton(QStringLiteral("Cancelar"), espera_);
    cancelar_->setObjectName(QStringLiteral("cancelar"));
    cancelar_->setFocusPolicy(Qt::NoFocus);  // Esc and the click; the focus stays where it was
    connect(cancelar_, &QPushButton::clicked, this, [this] { logica_.cancelar(); });
    capaEspera->addWidget(texto);
    capaEspera->addWidget(avance_);
    capaEspera->addWidget(cancelar_, 0, Qt::AlignCenter);
    espera_->setMinimumWidth(340);
    espera_->hide();
    retrasoEspera_ = new QTimer(this);
    retrasoEspera_->setSingleShot(true);
    retrasoEspera_->setInterval(kRetrasoEsperaMs);
    connect(retrasoEspera_, &QTimer::timeout, this, [this] { ponerEspera(); });
    setEnviar({});
    logica_.setAvance([this](const QString& texto) { avance_->setText(texto); });

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { imprimir(); });
    teclado_->asignar(Qt::Key_F4, [this] { exportar(); });
    teclado_->asignar(Qt::Key_Escape, [this] {
        if (logica_.enCurso()) logica_.cancelar();
        else cerrarPantalla(this);
    });
}

void VistaInforme::closeEvent(QCloseEvent* evento) {
    if (logica_.enCurso()) {
        logica_.cancelar();
        evento->ignore();
        return;
    }
    QWidget::closeEvent(evento);
}

void VistaInforme::ponerEspera() {
    espera_->adjustSize();
    espera_->move((width() - espera_->width()) / 2, (height() - espera_->height()) / 2);
    espera_->raise();
    espera_->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

// The panel comes only when the run lasts: a quick report leaves no flicker.
void VistaInforme::mostrarEspera(bool si) {
    if (si) {
        avance_->clear();
        estado_->clear();
        retrasoEspera_->start();
        return;
    }
    retrasoEspera_->stop();
    if (!espera_->isVisible()) return;
    espera_->hide();
    QApplication::restoreOverrideCursor();
}

void VistaInforme::setEnviar(Enviar enviar) {
    if (!enviar)
        enviar = [this](const reportes::Paginado& p, const QString& titulo, const QString& archivo) {
            QString error;
            if (!reportes::enviar(p, titulo, archivo, this, &error) && !error.isEmpty()) interaccion_.error(error);
        };
    logica_.setSalida({[this](bool si) { mostrarEspera(si); }, std::move(enviar)});
}

QGroupBox* VistaInforme::grupoOpciones(const QString& titulo, const std::vector<QRadioButton*>& botones) {
    auto* caja = new QGroupBox(titulo, this);
    auto* capa = new QHBoxLayout(caja);
    auto* grupo = new QButtonGroup(caja);
    for (QRadioButton* r : botones) {
        capa->addWidget(r);
        grupo->addButton(r);
    }
    botones.front()->setChecked(true);
    return caja;
}

void VistaInforme::rango(const QString& etiqueta, QWidget* desde, QWidget* hasta) {
    const int f = campos_->rowCount();
    campos_->addWidget(new QLabel(etiqueta, this), f, 0);
    campos_->addWidget(desde, f, 1);
    campos_->addWidget(hasta, f, 2);
}

void VistaInforme::fila(const QString& etiqueta, QWidget* campo, QWidget* otro) {
    const int f = campos_->rowCount();
    if (!etiqueta.isEmpty()) campos_->addWidget(new QLabel(etiqueta, this), f, 0);
    if (otro) {
        campos_->addWidget(campo, f, 1);
        campos_->addWidget(otro, f, 2);
    } else {
        campos_->addWidget(campo, f, 1, 1, 2);
    }
}

QLineEdit* VistaInforme::campo(const QString& nombre, int largo) {
    auto* e = new QLineEdit(this);
    e->setObjectName(nombre);
    e->setMaxLength(largo);
    return e;
}

QDateEdit* VistaInforme::fecha(const QString& nombre, QDate valor) {
    auto* e = new QDateEdit(valor, this);
    e->setObjectName(nombre);
    e->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    e->setCalendarPopup(true);
    return e;
}

QLineEdit* VistaInforme::campoAcreedor(const QString& nombre) {
    QLineEdit* e = campo(nombre, 20);
    e->installEventFilter(new DobleClic(e, [this, e] {
        const auto elegido = interaccion_.elegir(QStringLiteral("Tfbuscprove"));
        if (elegido) e->setText(elegido->value(QStringLiteral("nit")).toString());
    }));
    return e;
}

void VistaInforme::panelAcreedores(const QString& tituloAgrupar, const QStringList& agrupaciones) {
    auto* porNit = new QRadioButton(QStringLiteral("Nit"), this);
    porNombre_ = new QRadioButton(QStringLiteral("Nombre"), this);
    std::vector<QRadioButton*> botones;
    for (const QString& a : agrupaciones) botones.push_back(new QRadioButton(a, this));
    auto* grupos = new QHBoxLayout;
    grupos->addWidget(grupoOpciones(QStringLiteral("Ordenamiento"), {porNit, porNombre_}));
    grupos->addWidget(grupoOpciones(tituloAgrupar, botones));
    agrupar_ = botones.front()->group();
    for (size_t i = 0; i < botones.size(); ++i) agrupar_->setId(botones[i], int(i));
    opciones()->addLayout(grupos);
    grupoDesde_ = campo(QStringLiteral("grupoDesde"), 2);
    grupoHasta_ = campo(QStringLiteral("grupoHasta"), 2);
    nitDesde_ = campoAcreedor(QStringLiteral("nitDesde"));
    nitHasta_ = campoAcreedor(QStringLiteral("nitHasta"));
    rango(QStringLiteral("Grupos:"), grupoDesde_, grupoHasta_);
    rango(QStringLiteral("Acreedores:"), nitDesde_, nitHasta_);
}

bool VistaInforme::porNombre() const {
    return porNombre_ && porNombre_->isChecked();
}
int VistaInforme::agrupacion() const {
    return agrupar_ ? std::max(agrupar_->checkedId(), 0) : 0;
}
QString VistaInforme::grupoDesde() const {
    return grupoDesde_ ? grupoDesde_->text() : QString();
}
QString VistaInforme::grupoHasta() const {
    return grupoHasta_ ? grupoHasta_->text() : QString();
}
QString VistaInforme::nitDesde() const {
    return nitDesde_ ? nitDesde_->text() : QString();
}
QString VistaInforme::nitHasta() const {
    return nitHasta_ ? nitHasta_->text() : QString();
}

void VistaInforme::imprimir() {
    if (logica_.enCurso()) return;
    leerCampos();
    logica_.generar();
    if (logica_.cancelado()) estado_->setText(PantallaInforme::kCancelado);
}

void VistaInforme::exportar() {
    if (logica_.enCurso()) return;
    if (logica_.filas().recordCount() == 0) {
        interaccion_.informacion(PantallaInforme::kSinDatos);
        return;
    }
    rejilla_->seleccionarTodo();
    rejilla_->guardarSeleccion();
}

}  // namespace cxp
