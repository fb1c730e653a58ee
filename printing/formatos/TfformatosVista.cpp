#include "printing/formatos/TfformatosVista.h"

#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {
constexpr int kAncho = 540;
constexpr int kAlto = 380;
}  // namespace

TfformatosVista::TfformatosVista(std::unique_ptr<Tfformatos> logica, Interaccion& interaccion,
                                 ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfformatos"));
    setWindowTitle(QStringLiteral("Formatos de impresión"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kAncho, kAlto);
    Tfformatos* l = logica_.get();
    const auto proteger = [&manejador](std::function<void()> f) {
        return [&manejador, f = std::move(f)] { manejador.proteger(f); };
    };

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F5: Nuevo"), proteger([l] { l->nuevo(); }));
    botonDePanel(panel, QStringLiteral("F4:Modificar"), proteger([l] { l->modificar(); }));
    botonDePanel(panel, QStringLiteral("F3:Eliminar"), proteger([l] { l->eliminar(); }));
    botonDePanel(panel, QStringLiteral("F8:Copiar"), proteger([this] { mostrarCopia(); }));
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [l] { l->salir(); });

    rejilla_ = new Rejilla(logica_->formatos(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("Formatos"));
    rejilla_->setTitulo(QStringLiteral("Formatos de impresión"));
    rejilla_->setAnchoColumna(QStringLiteral("TIDO_NOMLARGO"), 44);
    rejilla_->setAnchoColumna(QStringLiteral("PREF_PRE"), 8);
    QCheckBox* filtros = rejilla_->crearCasillaFiltros(this, QStringLiteral("Activar filtros"));
    connect(rejilla_, &Rejilla::activada, this, [l, &manejador](int) { manejador.proteger([l] { l->modificar(); }); });

    // The copy panel: the prefixes of the row's type.
    panelCopia_ = new QFrame(this);
    panelCopia_->setObjectName(QStringLiteral("panelCopia"));
    panelCopia_->setFrameShape(QFrame::StyledPanel);
    nuevoPrefijo_ = new QComboBox(panelCopia_);
    nuevoPrefijo_->setObjectName(QStringLiteral("nuevoPrefijo"));
    nuevoPrefijo_->setMinimumContentsLength(6);
    auto* etiqueta = new QLabel(QStringLiteral("Nuevo prefijo:"), panelCopia_);
    etiqueta->setBuddy(nuevoPrefijo_);
    auto* botonCopiar = new QPushButton(QStringLiteral("F2:Copiar"), panelCopia_);
    botonCopiar->setFocusPolicy(Qt::NoFocus);
    connect(botonCopiar, &QPushButton::clicked, this, [this, &manejador] { manejador.proteger([this] { copiar(); }); });
    auto* filaCopia = new QHBoxLayout(panelCopia_);
    filaCopia->setContentsMargins(6, 4, 6, 4);
    filaCopia->addWidget(etiqueta);
    filaCopia->addWidget(nuevoPrefijo_);
    filaCopia->addWidget(botonCopiar);
    filaCopia->addStretch();
    panelCopia_->hide();

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addWidget(filtros);
    todo->addWidget(rejilla_, 1);
    todo->addWidget(panelCopia_);

    teclado_ = new Teclado(this);
    teclado_->setEnterSiguiente(false);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F5, [l] { l->nuevo(); });
    teclado_->asignar(Qt::Key_F4, [l] { l->modificar(); });
    teclado_->asignar(Qt::Key_F3, [l] { l->eliminar(); });
    teclado_->asignar(Qt::Key_F8, [this] { mostrarCopia(); });
    teclado_->asignar(Qt::Key_F2, [this] { copiar(); });
    teclado_->asignar(Qt::Key_Escape, [this, l] {
        // Esc leaves the copy panel first, then the screen.
        if (panelCopia_->isVisible()) {
            panelCopia_->hide();
            rejilla_->vista()->setFocus(Qt::OtherFocusReason);
        } else {
            l->salir();
        }
    });
    connect(l, &Tfformatos::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    setFocusProxy(rejilla_->vista());
}

TfformatosVista::~TfformatosVista() = default;

void TfformatosVista::mostrarCopia() {
    if (logica_->formatos().isEmpty()) return;
    nuevoPrefijo_->clear();
    nuevoPrefijo_->addItems(logica_->prefijosCopia());
    panelCopia_->show();
    nuevoPrefijo_->setFocus(Qt::OtherFocusReason);
}

void TfformatosVista::copiar() {
    if (!panelCopia_->isVisible()) return;
    if (logica_->copiar(nuevoPrefijo_->currentText())) {
        panelCopia_->hide();
        rejilla_->vista()->setFocus(Qt::OtherFocusReason);
    }
}

void TfformatosVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        centrarEnArea(this, QSize(kAncho, kAlto));
    }
}

QWidget* crearTfformatos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, const QVariantMap&,
                         QWidget* padre) {
    auto logica = std::make_unique<Tfformatos>(sesion, interaccion, manejador);
    if (!logica->abrir()) return nullptr;
    return new TfformatosVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
