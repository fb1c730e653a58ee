#include "accounting/contabilizacion/TfcontabilizaVista.h"

#include "accounting/contabilizacion/RejillaLineas.h"
#include "comunes/Presentacion.h"
#include "data/DataSetModel.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Selectores.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

TfcontabilizaVista::TfcontabilizaVista(std::unique_ptr<Tfcontabiliza> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QDialog(padre), logica_(std::move(logica)), interaccion_(interaccion), manejador_(manejador) {
    setObjectName(QStringLiteral("Tfcontabiliza"));
    setWindowTitle(Tfcontabiliza::kTitulo);
    resize(Tfcontabiliza::kAncho, Tfcontabiliza::kAlto);
    Tfcontabiliza* l = logica_.get();

    QFrame* panel = panelBotones(this, sesion);
    QPushButton* grabar = botonDePanel(panel, QStringLiteral("F2: Grabar"), [this] {
        if (confirmar()) manejador_.proteger([this] { logica_->grabar(); });
    });
    botonDePanel(panel, QStringLiteral("F5: Sugerir"), [this] { manejador_.proteger([this] { logica_->sugerir(); }); });
    botonDePanel(panel, QStringLiteral("F9:Plantilla"), [this] { manejador_.proteger([this] { logica_->plantilla(); }); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { manejador_.proteger([this] { logica_->escape(false); }); });
    grabar->setObjectName(QStringLiteral("botonGrabar"));

    // The header.
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([this](const std::exception& e) { manejador_.ManejarError(e); });
    auto* cabecera = new QGridLayout;
    cabecera->setHorizontalSpacing(6);
    cabecera->setVerticalSpacing(3);
    auto editor = [&](const char* campo, int caracteres, bool soloLectura) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(campo));
        enlaces_->enlazar(e, l->encabezado(), QString::fromLatin1(campo));
        e->setReadOnly(soloLectura);
        if (soloLectura) e->setFocusPolicy(Qt::NoFocus);
        e->setFixedWidth(e->fontMetrics().averageCharWidth() * caracteres + 12);
        return e;
    };
    cabecera->addWidget(new QLabel(QStringLiteral("Comprobante:"), this), 0, 0);
    auto* tipo = new QHBoxLayout;
    tipo->addWidget(editor("CNTB_TIPOCOMP", 4, true));
    tipo->addWidget(editor("CNTB_PREFCNT", 5, true));
    tipo->addStretch();
    cabecera->addLayout(tipo, 0, 1);
    cabecera->addWidget(new QLabel(QStringLiteral("Número:"), this), 0, 2);
    cabecera->addWidget(editor("CNTB_NUMERO", 8, true), 0, 3);
    cabecera->addWidget(new QLabel(QStringLiteral("Fecha:"), this), 0, 4);
    cabecera->addWidget(editor("CNTB_FECHA", 10, true), 0, 5);
    cabecera->addWidget(new QLabel(QStringLiteral("Concepto:"), this), 1, 0);
    QLineEdit* concepto = editor("CNTB_CONCEPTO", 40, false);
    concepto->setMinimumWidth(0);
    concepto->setMaximumWidth(QWIDGETSIZE_MAX);
    cabecera->addWidget(concepto, 1, 1);
    cabecera->addWidget(new QLabel(QStringLiteral("Referencia:"), this), 1, 2);
    cabecera->addWidget(editor("CNTB_REF", 14, false), 1, 3, 1, 3);
    cabecera->addWidget(new QLabel(QStringLiteral("Mandante:"), this), 2, 0);
    auto* mandante = new QHBoxLayout;
    QLineEdit* nitMandante = editor("CNTB_MANDANTE", 14, false);
    mandante->addWidget(nitMandante);
    nombreMandante_ = new QLabel(this);
    nombreMandante_->setObjectName(QStringLiteral("nombreMandante"));
    mandante->addWidget(nombreMandante_, 1);
    cabecera->addLayout(mandante, 2, 1, 1, 5);
    cabecera->setColumnStretch(1, 1);

    // The two charts over the one dataset of lines.
    pestanas_ = new QTabWidget(this);
    local_ = new RejillaLineas(l->lineas(), l->reglas(),
                               [](const RecordRef& r) { return !Tfcontabiliza::esNiif(r); }, false, interaccion, this);
    niif_ = new RejillaLineas(l->lineas(), l->reglas(), &Tfcontabiliza::esNiif, true, interaccion, this);
    local_->vista()->setObjectName(QStringLiteral("rejillaLocal"));
    niif_->vista()->setObjectName(QStringLiteral("rejillaNiif"));
    pestanas_->addTab(local_, QStringLiteral("Dec.2649"));
    pestanas_->addTab(niif_, QStringLiteral("NIIF"));
    niif_->setSoloLectura(!l->niifEditable());
    pestanas_->setCurrentIndex(l->pestana());

    // Names of the current line's account and third party.
    nombreCuenta_ = new QLabel(this);
    nombreTercero_ = new QLabel(this);
    nombreCuenta_->setObjectName(QStringLiteral("nombreCuenta"));
    nombreTercero_->setObjectName(QStringLiteral("nombreTercero"));
    auto* nombres = new QHBoxLayout;
    nombres->addWidget(new QLabel(QStringLiteral("Cuenta:"), this));
    nombres->addWidget(nombreCuenta_, 1);
    nombres->addWidget(new QLabel(QStringLiteral("Tercero:"), this));
    nombres->addWidget(nombreTercero_, 1);

    // The "Activo" box.
    cajaActivo_ = new QGroupBox(QStringLiteral("Activo"), this);
    cajaActivo_->setObjectName(QStringLiteral("cajaActivo"));
    activo_ = new QLineEdit(cajaActivo_);
    activo_->setObjectName(QStringLiteral("activo"));
    activo_->setReadOnly(true);
    activo_->setFixedWidth(activo_->fontMetrics().averageCharWidth() * 15 + 12);
    activo_->installEventFilter(this);
    descripcionActivo_ = new QLabel(cajaActivo_);
    auto* buscarActivo = new QPushButton(QStringLiteral("..."), cajaActivo_);
    buscarActivo->setFixedWidth(28);
    auto* continuar = new QPushButton(QStringLiteral("Continuar"), cajaActivo_);
    auto* filaActivo = new QHBoxLayout(cajaActivo_);
    filaActivo->addWidget(activo_);
    filaActivo->addWidget(buscarActivo);
    filaActivo->addWidget(descripcionActivo_, 1);
    filaActivo->addWidget(continuar);
    cajaActivo_->hide();
    connect(buscarActivo, &QPushButton::clicked, this, [this] { manejador_.proteger([this] { elegirActivo(); }); });
    connect(continuar, &QPushButton::clicked, cajaActivo_, &QWidget::hide);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addLayout(cabecera);
    todo->addWidget(pestanas_, 1);
    todo->addLayout(nombres);
    todo->addWidget(cajaActivo_);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->setAntesDeComando([this] { return confirmar(); });
    teclado_->asignar(Qt::Key_F2, [this] { logica_->grabar(); });
    teclado_->asignar(Qt::Key_F5, [this] { logica_->sugerir(); });
    teclado_->asignar(Qt::Key_F9, [this] { logica_->plantilla(); });
    teclado_->asignar(Qt::Key_Escape, [this] {
        QWidget* foco = QApplication::focusWidget();
        const bool enRejilla = foco && (foco == local_->vista() || local_->vista()->isAncestorOf(foco));
        logica_->escape(pestanas_->currentIndex() == Tfcontabiliza::Local && enRejilla);
    });
    for (RejillaLineas* r : {local_, niif_}) {
        teclado_->asignarEn(r->vista(), Qt::Key_Insert, [this] { nuevaLinea(); });
        teclado_->asignarEn(r->vista(), Qt::Key_Down, [this] { bajar(); });
        connect(r, &RejillaLineas::lineaActual, this, [this] { refrescarNombres(); });
    }
    teclado_->busqueda(nitMandante, [this, l](const QString& texto) {
        manejador_.proteger([&] {
            if (l->encabezado().state() == DataSet::State::Browse) l->encabezado().edit();
            l->encabezado().setValue(QStringLiteral("CNTB_MANDANTE"), texto + u'?');
        });
        enlaces_->refrescar();
    });

    connect(pestanas_, &QTabWidget::currentChanged, this, [this](int i) {
        if (i < 0) return;
        if (i == logica_->pestana()) return;
        if (!logica_->reglas().guardarLinea()) {
            pestanas_->setCurrentIndex(logica_->pestana());
            return;
        }
        logica_->setPestana(i);
        rejilla(i)->seguirDataSet();
        refrescarNombres();
    });
    connect(l, &Tfcontabiliza::pestanaCambiada, this, [this](int i) {
        pestanas_->setCurrentIndex(i);
        rejilla(i)->vista()->setFocus(Qt::OtherFocusReason);
    });
    connect(l, &Tfcontabiliza::activoVisible, this, &TfcontabilizaVista::mostrarActivo);
    connect(l, &Tfcontabiliza::mandanteCambiado, this, [this] { nombreMandante_->setText(logica_->nombreMandante()); });
    connect(l, &Tfcontabiliza::terminar, this, [this](bool aceptado) {
        terminado_ = true;
        done(aceptado ? QDialog::Accepted : QDialog::Rejected);
    });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) {
            if (campo.startsWith(QLatin1String("rejilla"))) {
                rejilla(logica_->pestana())->vista()->setFocus(Qt::OtherFocusReason);
                return;
            }
            RejillaLineas* r = rejilla(logica_->pestana());
            const int c = r->columna(campo);
            if (c >= 0) {
                const QModelIndex actual = r->vista()->currentIndex();
                if (actual.isValid()) r->vista()->setCurrentIndex(r->vista()->model()->index(actual.row(), c));
                r->vista()->setFocus(Qt::OtherFocusReason);
            } else {
                enlaces_->enfocar(campo);
            }
        });
    nombreMandante_->setText(l->nombreMandante());
    rejilla(l->pestana())->seguirDataSet();
    refrescarNombres();
    setFocusProxy(rejilla(l->pestana())->vista());
}

TfcontabilizaVista::~TfcontabilizaVista() {
    // The grids and the bound fields follow the logic's datasets: they go
    // first, and nothing they signal on their way reaches the logic.
    disconnect(pestanas_, nullptr, this, nullptr);
    disconnect(logica_.get(), nullptr, this, nullptr);
    delete local_;
    delete niif_;
    delete enlaces_;
}

QLineEdit* TfcontabilizaVista::campo(const QString& nombre) const { return findChild<QLineEdit*>(nombre); }

bool TfcontabilizaVista::confirmar() {
    // What is typed in a grid cell or a header field reaches the datasets first.
    return confirmarEdicion(local_->vista()) && confirmarEdicion(niif_->vista()) && enlaces_->confirmar();
}

void TfcontabilizaVista::nuevaLinea() {
    if (!logica_->nuevaLinea()) return;
    RejillaLineas* r = rejilla(logica_->pestana());
    r->seguirDataSet();
    const QModelIndex actual = r->vista()->currentIndex();
    if (actual.isValid()) r->vista()->setCurrentIndex(r->vista()->model()->index(actual.row(), 0));
    r->vista()->setFocus(Qt::OtherFocusReason);
    refrescarNombres();
}

void TfcontabilizaVista::bajar() {
    QTableView* v = rejilla(logica_->pestana())->vista();
    const QModelIndex actual = v->currentIndex();
    const int filas = v->model()->rowCount();
    if (filas == 0 || (actual.isValid() && actual.row() == filas - 1)) {
        if (logica_->lineas().state() == DataSet::State::Insert) return;
        nuevaLinea();
        return;
    }
    v->setCurrentIndex(v->model()->index(actual.isValid() ? actual.row() + 1 : 0, std::max(actual.column(), 0)));
}

void TfcontabilizaVista::refrescarNombres() {
    nombreCuenta_->setText(logica_->nombreCuentaActual());
    nombreTercero_->setText(logica_->nombreTerceroActual());
    if (cajaActivo_->isVisible()) {
        const QString codigo = logica_->lineas().isEmpty() ? QString() : logica_->lineas().asString("CNDE_ARTICULO");
        activo_->setText(codigo);
        descripcionActivo_->setText(codigo.isEmpty() ? QString() : logica_->reglas().desc_activo(codigo));
    }
}

void TfcontabilizaVista::mostrarActivo(bool visible) {
    cajaActivo_->setVisible(visible);
    refrescarNombres();
}

void TfcontabilizaVista::elegirActivo() {
    const std::optional<QVariantMap> e = interaccion_.elegir(selectores::kActivos, {{QStringLiteral("filtro"), activo_->text()}});
    if (!e) return;
    const QString codigo = e->value(QStringLiteral("codigo")).toString();
    logica_->reglas().asignarActivo(codigo);
    activo_->setText(codigo);
    descripcionActivo_->setText(e->value(QStringLiteral("descripcion")).toString());
}

bool TfcontabilizaVista::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == activo_ && evento->type() == QEvent::MouseButtonDblClick) {
        manejador_.proteger([this] { elegirActivo(); });
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void TfcontabilizaVista::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // The first activation starts the self-save of a voucher that needs no confirmation.
    QMetaObject::invokeMethod(this, [this] { logica_->activar(); }, Qt::QueuedConnection);
}

void TfcontabilizaVista::closeEvent(QCloseEvent* evento) {
    if (terminado_ || logica_->pedirCierre()) {
        terminado_ = true;
        QDialog::closeEvent(evento);
        return;
    }
    evento->ignore();
}

void TfcontabilizaVista::reject() {
    if (terminado_ || logica_->pedirCierre()) {
        terminado_ = true;
        QDialog::reject();
    }
}

RevisionVentana revisarContabilizacion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                       const Configuracion& configuracion, ContextoContabilizacion& contexto,
                                       QWidget* padre) {
    auto logica = std::make_unique<Tfcontabiliza>(sesion, interaccion, manejador, configuracion, contexto);
    if (!logica->abrir()) return {true, false};
    if (!logica->necesaria()) return {false, false};
    TfcontabilizaVista ventana(std::move(logica), interaccion, manejador, sesion, padre);
    const bool aceptada = ventana.exec() == QDialog::Accepted;
    return {true, aceptada};
}

}  // namespace cxp
