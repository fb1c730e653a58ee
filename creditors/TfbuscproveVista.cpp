#include "creditors/TfbuscproveVista.h"

#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

TfbuscproveVista::TfbuscproveVista(std::unique_ptr<Tfbuscprove> logica, Interaccion& interaccion,
                                   ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), manejador_(manejador) {
    setObjectName(QStringLiteral("Tfbuscprove"));
    setWindowTitle(Tfbuscprove::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 460);

    // ---- search bar
    auto* grupo = new QGroupBox(QStringLiteral("Buscar en:"), this);
    auto* capaGrupo = new QHBoxLayout(grupo);
    opciones_ = new QButtonGroup(this);
    for (int i = 0; i < int(Tfbuscprove::columnas().size()); ++i) {
        auto* r = new QRadioButton(Tfbuscprove::columnas()[size_t(i)].titulo, grupo);
        opciones_->addButton(r, i);
        capaGrupo->addWidget(r);
    }
    opciones_->button(logica_->columna)->setChecked(true);
    texto_ = new QLineEdit(this);
    texto_->setObjectName(QStringLiteral("texto"));
    cualquier_ = new QCheckBox(QStringLiteral("Buscar e&n cualquier posición"), this);
    inactivos_ = new QCheckBox(QStringLiteral("Ver  inactivos"), this);
    auto* botonBuscar = new QPushButton(QStringLiteral("Buscar"), this);

    rejilla_ = new Rejilla(logica_->lista(), this);
    rejilla_->setObjectName(QStringLiteral("lista"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("Acreedores"));
    rejilla_->setTitulo(Tfbuscprove::kTitulo);
    rejilla_->setAnchoColumna(QStringLiteral("TERC_NOM"), 40);
    rejilla_->setColorTexto([](const RecordRef& r) -> std::optional<QColor> {
        if (r.asString(QStringLiteral("TERC_ESTADO")) == QStringLiteral("N")) return QColor(Qt::red);
        return std::nullopt;
    });
    // The current row: blue and yellow while the grid has the focus, grey and white otherwise.
    rejilla_->vista()->setStyleSheet(QStringLiteral(
        "QTableView::item:selected:active { background: #0000c0; color: yellow; }"
        "QTableView::item:selected:!active { background: grey; color: white; }"));
    QCheckBox* filtros = rejilla_->crearCasillaFiltros(this);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(grupo);
    auto* textoCapa = new QVBoxLayout;
    auto* filaTexto = new QHBoxLayout;
    filaTexto->addWidget(texto_, 1);
    filaTexto->addWidget(botonBuscar);
    textoCapa->addLayout(filaTexto);
    auto* casillas = new QHBoxLayout;
    casillas->addWidget(cualquier_);
    casillas->addWidget(inactivos_);
    casillas->addWidget(filtros);
    casillas->addStretch();
    textoCapa->addLayout(casillas);
    arriba->addLayout(textoCapa, 1);

    // ---- buttons
    QFrame* panel = panelBotones(this, sesion);
    Tfbuscprove* l = logica_.get();
    auto agregar = [&](const QString& t, auto metodo) {
        QPushButton* b = botonDePanel(panel, t, [this, l, metodo] { manejador_.proteger([l, metodo] { (l->*metodo)(); }); });
        botones_ << b;
        return b;
    };
    agregar(QStringLiteral("F5:Nuevo"), &Tfbuscprove::nuevo);
    agregar(QStringLiteral("F4:Modificar"), &Tfbuscprove::modificar);
    agregar(QStringLiteral("F3:Eliminar"), &Tfbuscprove::eliminar);
    agregar(QStringLiteral("F9:Movmto."), &Tfbuscprove::movimiento);
    agregar(QStringLiteral("F8:Cartera"), &Tfbuscprove::cartera);
    agregar(QStringLiteral("F6:Artículos"), &Tfbuscprove::articulos);
    agregar(QStringLiteral("Selecciona"), &Tfbuscprove::seleccionar)->setVisible(!logica_->gestion());
    static_cast<QHBoxLayout*>(panel->layout())->addStretch();
    agregar(QStringLiteral("Esc:Salir"), &Tfbuscprove::salir);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->addWidget(panel);
    todo->addLayout(arriba);
    todo->addWidget(rejilla_, 1);

    // ---- keys
    teclado_ = new Teclado(this);
    teclado_->setEnterSiguiente(false);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F3, [l] { l->eliminar(); });
    teclado_->asignar(Qt::Key_F4, [l] { l->modificar(); });
    teclado_->asignar(Qt::Key_F5, [l] { l->nuevo(); });
    teclado_->asignar(Qt::Key_F8, [l] { l->cartera(); });
    teclado_->asignar(Qt::Key_F9, [l] { l->movimiento(); });
    teclado_->asignar(Qt::Key_Escape, [l] { l->salir(); });
    teclado_->asignar(Qt::Key_Return, [l] { l->aceptar(); });
    teclado_->asignarEn(texto_, Qt::Key_Return, [this] { buscar(); });
    teclado_->asignar(Qt::SHIFT | Qt::Key_F12, [this] { texto_->setFocus(Qt::ShortcutFocusReason); });
    connect(botonBuscar, &QPushButton::clicked, this, [this] { manejador_.proteger([this] { buscar(); }); });
    connect(rejilla_, &Rejilla::activada, this, [this, l](int) { manejador_.proteger([l] { l->aceptar(); }); });
    connect(l, &Tfbuscprove::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    setFocusProxy(texto_);
}

TfbuscproveVista::~TfbuscproveVista() = default;

QPushButton* TfbuscproveVista::boton(const QString& texto) const {
    for (QPushButton* b : botones_)
        if (b->text() == texto) return b;
    return nullptr;
}

void TfbuscproveVista::buscar() {
    logica_->columna = opciones_->checkedId();
    logica_->texto = texto_->text();
    logica_->cualquierPosicion = cualquier_->isChecked();
    logica_->verInactivos = inactivos_->isChecked();
    if (logica_->buscar()) rejilla_->vista()->setFocus(Qt::OtherFocusReason);
}

QRect TfbuscproveVista::geometriaEn(const QSize& cliente, int abiertas) {
    return QRect(6 * abiertas, 8 * abiertas, cliente.width() - 130 - 6 * abiertas, cliente.height() - 140 - 8 * abiertas);
}

void TfbuscproveVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (colocada_) return;
    colocada_ = true;
    auto* ventana = qobject_cast<QMdiSubWindow*>(parentWidget());
    area_ = ventana ? ventana->mdiArea() : nullptr;
    if (area_) {
        const int abiertas = int(area_->subWindowList().size()) - 1;
        ventana->setGeometry(geometriaEn(area_->viewport()->size(), std::max(0, abiertas)));
        // Back on this screen: the list again, on the same creditor.
        connect(area_, &QMdiArea::subWindowActivated, this, [this, ventana](QMdiSubWindow* w) {
            if (w != ventana) return;
            manejador_.proteger([this] { logica_->activar(); });
            texto_->setFocus(Qt::OtherFocusReason);
        });
    }
    texto_->setFocus(Qt::OtherFocusReason);
}

// ---- articles by creditor

TfprovarticulosVista::TfprovarticulosVista(std::unique_ptr<Tfprovarticulos> logica, Interaccion& interaccion,
                                           ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfprovarticulos"));
    setWindowTitle(Tfprovarticulos::kTitulo + QStringLiteral(" ") + logica_->nit());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 380);
    QFrame* panel = panelBotones(this, sesion);
    Tfprovarticulos* l = logica_.get();
    botonDePanel(panel, QStringLiteral("F2:Actualizar"), [l] { l->abrir(); });
    static_cast<QHBoxLayout*>(panel->layout())->addStretch();
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { BusquedaBase::cerrarPantalla(this); });
    rejilla_ = new Rejilla(logica_->articulos(), this);
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("ArticulosProveedor"));
    rejilla_->setTitulo(Tfprovarticulos::kTitulo);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->addWidget(panel);
    todo->addWidget(rejilla_, 1);
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [l] { l->abrir(); });
    teclado_->asignar(Qt::Key_Escape, [this] { BusquedaBase::cerrarPantalla(this); });
}

TfprovarticulosVista::~TfprovarticulosVista() = default;

QWidget* crearTfbuscprove(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, const Configuracion&,
                          const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfbuscprove>(args.value(QStringLiteral("gestion")).toBool(), sesion, interaccion, manejador);
    if (!logica->abrir()) return nullptr;
    return new TfbuscproveVista(std::move(logica), interaccion, manejador, sesion, padre);
}

QWidget* crearTfprovarticulos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                              const Configuracion&, const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfprovarticulos>(sesion, manejador, args.value(QStringLiteral("nit")).toString());
    if (!logica->abrir()) return nullptr;
    return new TfprovarticulosVista(std::move(logica), interaccion, manejador, sesion, padre);
}

std::optional<QVariantMap> elegirAcreedor(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                          const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfbuscprove>(false, sesion, interaccion, manejador);
    if (!logica->abrir()) return std::nullopt;
    QDialog dialogo(padre);
    dialogo.setWindowTitle(Tfbuscprove::kTitulo);
    auto* vista = new TfbuscproveVista(std::move(logica), interaccion, manejador, sesion, &dialogo);
    vista->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.resize(vista->size());
    QObject::connect(&vista->logica(), &Tfbuscprove::cerrar, &dialogo, &QDialog::accept);
    dialogo.exec();
    return vista->logica().eleccion();
}

}  // namespace cxp
