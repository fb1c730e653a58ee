#include "accounting/interfaces/TfinterfacesVista.h"

#include "accounting/interfaces/Delegados.h"
#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {
const QSize kTamano(760, 400);
}  // namespace

TfinterfacesVista::TfinterfacesVista(std::unique_ptr<Tfinterfaces> logica, Interaccion& interaccion,
                                     ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), manejador_(manejador) {
    setObjectName(QStringLiteral("Tfinterfaces"));
    setWindowTitle(Tfinterfaces::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kTamano);

    QFrame* panel = panelBotones(this, sesion);
    QPushButton* nueva = botonDePanel(panel, QStringLiteral("F5: Nueva"));
    QPushButton* modificar = botonDePanel(panel, QStringLiteral("F4:Modificar"));
    QPushButton* eliminar = botonDePanel(panel, QStringLiteral("F3:Eliminar"));
    QPushButton* copiar = botonDePanel(panel, QStringLiteral("F8:Copiar"));
    finPanel(panel);
    QPushButton* botonSalir = botonDePanel(panel, QStringLiteral("Esc:Salir"));

    rejilla_ = new Rejilla(logica_->lista(), this);
    rejilla_->setObjectName(QStringLiteral("lista"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("InterfCXP"));
    rejilla_->setTitulo(Tfinterfaces::kTitulo);
    rejilla_->setAnchoColumna(QStringLiteral("TIDO_NOMLARGO"), 36);
    rejilla_->setAnchoColumna(QStringLiteral("INCP_NOMBRE"), 24);
    for (const char* corta : {"PREF_PRE", "TICO_COD", "PRCO_PRE", "INCP_CONFIRMAR"})
        rejilla_->setAnchoColumna(QString::fromLatin1(corta), 6);
    filtros_ = rejilla_->crearCasillaFiltros(this, QStringLiteral("Activar filtros"));

    // The document first, and "Ver" as a check box.
    DataSetModel* modelo = rejilla_->modelo();
    QTableView* vista = rejilla_->vista();
    auto ordenar = [modelo, vista] {
        const int documento = modelo->columnOf(QStringLiteral("TIDO_NOMLARGO"));
        QHeaderView* cabecera = vista->horizontalHeader();
        if (documento >= 0 && cabecera->visualIndex(documento) != 0)
            cabecera->moveSection(cabecera->visualIndex(documento), 0);
    };
    ordenar();
    connect(modelo, &QAbstractItemModel::modelReset, this, ordenar);
    const int ver = modelo->columnOf(QStringLiteral("INCP_CONFIRMAR"));
    if (ver >= 0) vista->setItemDelegateForColumn(ver, new DelegadoBandera(false, vista));

    // The copy panel.
    copia_ = new QFrame(this);
    copia_->setObjectName(QStringLiteral("panelCopia"));
    copia_->setFrameShape(QFrame::StyledPanel);
    prefijo_ = new QComboBox(copia_);
    prefijo_->setObjectName(QStringLiteral("nuevoPrefijo"));
    prefijo_->setMinimumContentsLength(6);
    auto* grabarCopia = new QPushButton(QStringLiteral("F2:Copiar"), copia_);
    auto* salirCopia = new QPushButton(QStringLiteral("Esc:Salir"), copia_);
    for (QPushButton* b : {grabarCopia, salirCopia}) b->setFocusPolicy(Qt::NoFocus);
    auto* capaCopia = new QHBoxLayout(copia_);
    capaCopia->addWidget(new QLabel(QStringLiteral("Nuevo prefijo:"), copia_));
    capaCopia->addWidget(prefijo_);
    capaCopia->addWidget(grabarCopia);
    capaCopia->addWidget(salirCopia);
    capaCopia->addStretch();
    copia_->hide();

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addWidget(filtros_);
    todo->addWidget(copia_);
    todo->addWidget(rejilla_, 1);

    teclado_ = new Teclado(this);
    teclado_->setEnterSiguiente(false);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F5, [this] { logica_->nueva(); });
    teclado_->asignar(Qt::Key_F4, [this] { logica_->modificar(); });
    teclado_->asignar(Qt::Key_F3, [this] { logica_->eliminar(); });
    teclado_->asignar(Qt::Key_F8, [this] { iniciarCopia(); });
    teclado_->asignar(Qt::Key_F2, [this] { confirmarCopia(); });
    teclado_->asignar(Qt::Key_Escape, [this] { salir(); });
    auto proteger = [this](std::function<void()> f) { return [this, f] { manejador_.proteger(f); }; };
    connect(nueva, &QPushButton::clicked, this, proteger([this] { logica_->nueva(); }));
    connect(modificar, &QPushButton::clicked, this, proteger([this] { logica_->modificar(); }));
    connect(eliminar, &QPushButton::clicked, this, proteger([this] { logica_->eliminar(); }));
    connect(copiar, &QPushButton::clicked, this, proteger([this] { iniciarCopia(); }));
    connect(grabarCopia, &QPushButton::clicked, this, proteger([this] { confirmarCopia(); }));
    connect(salirCopia, &QPushButton::clicked, this, [this] { copia_->hide(); });
    connect(botonSalir, &QPushButton::clicked, this, [this] { salir(); });
    connect(rejilla_, &Rejilla::activada, this, [this](int) { manejador_.proteger([this] { logica_->modificar(); }); });
    setFocusProxy(vista);
}

TfinterfacesVista::~TfinterfacesVista() = default;

void TfinterfacesVista::iniciarCopia() {
    if (logica_->lista().isEmpty()) return;
    prefijo_->clear();
    prefijo_->addItems(logica_->prefijosCopia());
    prefijo_->setCurrentIndex(-1);
    copia_->show();
    prefijo_->setFocus(Qt::OtherFocusReason);
}

void TfinterfacesVista::confirmarCopia() {
    if (!copia_->isVisible()) return;
    copia_->hide();
    const QString prefijo = prefijo_->currentIndex() >= 0 ? prefijo_->currentText() : QString();
    rejilla_->vista()->setFocus(Qt::OtherFocusReason);
    if (!prefijo.isEmpty()) logica_->copiar(prefijo);
}

void TfinterfacesVista::salir() {
    if (copia_->isVisible()) {
        copia_->hide();
        rejilla_->vista()->setFocus(Qt::OtherFocusReason);
        return;
    }
    BusquedaBase::cerrarPantalla(this);
}

void TfinterfacesVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (colocada_) return;
    colocada_ = true;
    centrarEnArea(this, kTamano);
    auto* ventana = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (QMdiArea* area = ventana ? ventana->mdiArea() : nullptr)
        connect(area, &QMdiArea::subWindowActivated, this, [this, ventana](QMdiSubWindow* w) {
            if (w == ventana) logica_->refrescar();
        });
    rejilla_->vista()->setFocus(Qt::OtherFocusReason);
}

// A screen shown as a window of its own is read again when it becomes
// the active window.
bool TfinterfacesVista::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate && isWindow()) logica_->refrescar();
    return QWidget::event(evento);
}

QWidget* crearTfinterfaces(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion&, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfinterfaces>(sesion, interaccion, manejador);
    if (!logica->refrescar()) return nullptr;
    return new TfinterfacesVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
