#include "accounting/contabilizacion/TfedtmovimienVista.h"

#include "accounting/contabilizacion/RejillaLineas.h"
#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "ui/Enlaces.h"
#include "ui/BusquedaBase.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Teclado.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

TfedtmovimienVista::TfedtmovimienVista(std::unique_ptr<Tfedtmovimien> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), manejador_(manejador) {
    setObjectName(QStringLiteral("Tfedtmovimien"));
    setWindowTitle(Tfedtmovimien::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kAncho, kAlto);
    Tfedtmovimien* l = logica_.get();

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2: Grabar"), [this] {
        if (confirmar()) manejador_.proteger([this] { logica_->grabar(); });
    });
    botonDePanel(panel, QStringLiteral("F5: Sugerir"), [this] { manejador_.proteger([this] { logica_->sugerir(); }); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { BusquedaBase::cerrarPantalla(this); });

    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([this](const std::exception& e) { manejador_.ManejarError(e); });
    auto editor = [&](const char* campo, int caracteres) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(campo));
        enlaces_->enlazar(e, l->encabezado(), QString::fromLatin1(campo));
        const bool soloLectura = l->encabezado().field(QString::fromLatin1(campo)).readOnly();
        e->setReadOnly(soloLectura);
        if (soloLectura) e->setFocusPolicy(Qt::NoFocus);
        if (caracteres > 0) e->setFixedWidth(e->fontMetrics().averageCharWidth() * caracteres + 12);
        return e;
    };
    auto* cabecera = new QGridLayout;
    cabecera->setHorizontalSpacing(6);
    cabecera->setVerticalSpacing(3);
    cabecera->addWidget(new QLabel(QStringLiteral("Comprobante:"), this), 0, 0);
    auto* tipo = new QHBoxLayout;
    tipo->addWidget(editor("TICO_COD", 4));
    tipo->addWidget(editor("PRCO_PREF", 5));
    tipo->addStretch();
    cabecera->addLayout(tipo, 0, 1);
    cabecera->addWidget(new QLabel(QStringLiteral("Número:"), this), 0, 2);
    cabecera->addWidget(editor("ENCO_NUMERO", 8), 0, 3);
    cabecera->addWidget(new QLabel(QStringLiteral("Fecha:"), this), 0, 4);
    cabecera->addWidget(editor("ENCO_FECHA", 10), 0, 5);
    cabecera->addWidget(new QLabel(QStringLiteral("Concepto:"), this), 1, 0);
    cabecera->addWidget(editor("ENCO_CONCEPTO", 0), 1, 1);
    cabecera->addWidget(new QLabel(QStringLiteral("Referencia:"), this), 1, 2);
    cabecera->addWidget(editor("ENCO_REF", 14), 1, 3, 1, 3);
    cabecera->setColumnStretch(1, 1);

    pestanas_ = new QTabWidget(this);
    auto todas = [](const RecordRef&) { return true; };
    local_ = new RejillaLineas(l->detalle(Tfedtmovimien::Local), l->reglas(Tfedtmovimien::Local), todas, false,
                               interaccion, this);
    niif_ = new RejillaLineas(l->detalle(Tfedtmovimien::Niif), l->reglas(Tfedtmovimien::Niif), todas, true,
                              interaccion, this);
    local_->vista()->setObjectName(QStringLiteral("rejillaLocal"));
    niif_->vista()->setObjectName(QStringLiteral("rejillaNiif"));
    pestanas_->addTab(local_, QStringLiteral("Dec.2649"));
    pestanas_->addTab(niif_, QStringLiteral("NIIF"));
    pestanas_->setCurrentIndex(l->pestana());

    nombreCuenta_ = new QLabel(this);
    nombreTercero_ = new QLabel(this);
    auto* nombres = new QHBoxLayout;
    nombres->addWidget(new QLabel(QStringLiteral("Cuenta:"), this));
    nombres->addWidget(nombreCuenta_, 1);
    nombres->addWidget(new QLabel(QStringLiteral("Tercero:"), this));
    nombres->addWidget(nombreTercero_, 1);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addLayout(cabecera);
    todo->addWidget(pestanas_, 1);
    todo->addLayout(nombres);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->setAntesDeComando([this] { return confirmar(); });
    teclado_->asignar(Qt::Key_F2, [this] { logica_->grabar(); });
    teclado_->asignar(Qt::Key_F5, [this] { logica_->sugerir(); });
    teclado_->asignar(Qt::Key_Escape, [this] { BusquedaBase::cerrarPantalla(this); });
    for (RejillaLineas* r : {local_, niif_}) {
        teclado_->asignarEn(r->vista(), Qt::Key_Insert, [this] { nuevaLinea(); });
        teclado_->asignarEn(r->vista(), Qt::Key_Down, [this] { bajar(); });
        connect(r, &RejillaLineas::lineaActual, this, [this] { refrescarNombres(); });
    }
    connect(pestanas_, &QTabWidget::currentChanged, this, [this](int i) {
        if (i < 0) return;
        logica_->setPestana(i);
        refrescarNombres();
    });
    connect(l, &Tfedtmovimien::pestanaCambiada, this, [this](int i) {
        pestanas_->setCurrentIndex(i);
        rejilla(i)->vista()->setFocus(Qt::OtherFocusReason);
    });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) {
            RejillaLineas* r = rejilla(logica_->pestana());
            const int c = r->columna(campo);
            const QModelIndex actual = r->vista()->currentIndex();
            if (c >= 0 && actual.isValid()) r->vista()->setCurrentIndex(r->vista()->model()->index(actual.row(), c));
            if (c >= 0 || !enlaces_->enfocar(campo)) r->vista()->setFocus(Qt::OtherFocusReason);
        });
    for (int p : {Tfedtmovimien::Local, Tfedtmovimien::Niif}) rejilla(p)->seguirDataSet();
    refrescarNombres();
    setFocusProxy(rejilla(l->pestana())->vista());
}

TfedtmovimienVista::~TfedtmovimienVista() {
    // The grids and the bound fields follow the logic's datasets: they go
    // first, and nothing they signal on their way reaches the logic.
    disconnect(pestanas_, nullptr, this, nullptr);
    disconnect(logica_.get(), nullptr, this, nullptr);
    delete local_;
    delete niif_;
    delete enlaces_;
}

bool TfedtmovimienVista::confirmar() {
    // What is typed in a grid cell or a header field reaches the datasets first.
    return confirmarEdicion(local_->vista()) && confirmarEdicion(niif_->vista()) && enlaces_->confirmar();
}

void TfedtmovimienVista::nuevaLinea() {
    if (!logica_->nuevaLinea()) return;
    RejillaLineas* r = rejilla(logica_->pestana());
    r->seguirDataSet();
    const QModelIndex actual = r->vista()->currentIndex();
    if (actual.isValid()) r->vista()->setCurrentIndex(r->vista()->model()->index(actual.row(), 0));
    r->vista()->setFocus(Qt::OtherFocusReason);
}

void TfedtmovimienVista::bajar() {
    QTableView* v = rejilla(logica_->pestana())->vista();
    const QModelIndex actual = v->currentIndex();
    const int filas = v->model()->rowCount();
    if (filas == 0 || (actual.isValid() && actual.row() == filas - 1)) {
        if (logica_->detalle(logica_->pestana()).state() == DataSet::State::Insert) return;
        nuevaLinea();
        return;
    }
    v->setCurrentIndex(v->model()->index(actual.isValid() ? actual.row() + 1 : 0, std::max(actual.column(), 0)));
}

void TfedtmovimienVista::refrescarNombres() {
    nombreCuenta_->setText(logica_->nombreCuentaActual());
    nombreTercero_->setText(logica_->nombreTerceroActual());
}

void TfedtmovimienVista::closeEvent(QCloseEvent* evento) {
    if (!cerrando_ && !logica_->pedirCierre()) {
        evento->ignore();
        return;
    }
    cerrando_ = true;
    QWidget::closeEvent(evento);
}

QWidget* crearTfedtmovimien(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfedtmovimien>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir(args.value(QStringLiteral("enco_consec")).toInt())) return nullptr;
    return new TfedtmovimienVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
