#include "comunes/Selector.h"

#include "data/ManejadorErrores.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

Selector::Selector(std::unique_ptr<Seleccion> logica, ManejadorErrores& manejador, QWidget* padre)
    : QDialog(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Selector"));
    setWindowTitle(logica_->titulo());
    setModal(true);
    resize(kAncho, kAlto);

    texto_ = new QLineEdit(this);
    texto_->setObjectName(QStringLiteral("textoBuscado"));
    texto_->setPlaceholderText(QStringLiteral("Código o parte del nombre"));
    texto_->setClearButtonEnabled(true);
    auto* etiqueta = new QLabel(QStringLiteral("&Buscar:"), this);
    etiqueta->setBuddy(texto_);
    buscar_ = new QPushButton(QStringLiteral("Buscar"), this);
    buscar_->setAutoDefault(false);
    buscar_->setFocusPolicy(Qt::NoFocus);

    rejilla_ = new Rejilla(logica_->resultado(), this);
    rejilla_->setObjectName(QStringLiteral("rejillaSeleccion"));
    rejilla_->setSoloLectura(true);
    rejilla_->setTitulo(logica_->titulo());
    rejilla_->setNombreArchivo(logica_->titulo().toLower().replace(u' ', u'_'));
    for (const ColumnaSeleccion& c : logica_->columnas())
        if (c.ancho > 0) rejilla_->setAnchoColumna(c.campo, c.ancho);
    Seleccion* l = logica_.get();
    rejilla_->setColorTexto([l](const RecordRef& fila) -> std::optional<QColor> {
        switch (l->marca(fila)) {
            case MarcaFila::Inactiva: return QColor(200, 0, 0);
            case MarcaFila::Restringida: return QColor(128, 128, 128);
            case MarcaFila::Normal: break;
        }
        return std::nullopt;
    });
    filtros_ = rejilla_->crearCasillaFiltros(this);
    leyenda_ = new QLabel(logica_->leyenda(), this);
    leyenda_->setObjectName(QStringLiteral("leyenda"));
    leyenda_->setVisible(!logica_->leyenda().isEmpty());

    elegir_ = new QPushButton(QStringLiteral("Enter: Elegir"), this);
    salir_ = new QPushButton(QStringLiteral("Esc: Salir"), this);
    for (QPushButton* b : {elegir_, salir_}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }

    auto* filaBusqueda = new QHBoxLayout;
    filaBusqueda->addWidget(etiqueta);
    filaBusqueda->addWidget(texto_, 1);
    filaBusqueda->addWidget(buscar_);
    auto* filaBotones = new QHBoxLayout;
    filaBotones->addWidget(filtros_);
    filaBotones->addStretch();
    filaBotones->addWidget(elegir_);
    filaBotones->addWidget(salir_);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(6, 6, 6, 6);
    todo->setSpacing(4);
    todo->addLayout(filaBusqueda);
    todo->addWidget(rejilla_, 1);
    todo->addWidget(leyenda_);
    todo->addLayout(filaBotones);

    pausa_.setSingleShot(true);
    pausa_.setInterval(kPausa);
    connect(&pausa_, &QTimer::timeout, this, &Selector::buscar);
    connect(texto_, &QLineEdit::textEdited, this, [this] { pausa_.start(); });
    connect(buscar_, &QPushButton::clicked, this, [this] {
        buscar();
        irALista();
    });
    connect(elegir_, &QPushButton::clicked, this, &Selector::elegirActual);
    connect(salir_, &QPushButton::clicked, this, &QDialog::reject);
    connect(rejilla_, &Rejilla::activada, this, [this](int fila) {
        logica_->resultado().setCurrentRow(fila);
        elegirActual();
    });

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    // Enter in the text searches and goes to the list; in the list it chooses.
    teclado_->asignarEn(texto_, Qt::Key_Return, [this] {
        buscar();
        irALista();
    });
    teclado_->asignarEn(texto_, Qt::Key_Down, [this] { irALista(); });
    teclado_->asignarEn(rejilla_->vista(), Qt::Key_Return, [this] { elegirActual(); });
    teclado_->asignar(Qt::Key_Escape, [this] { reject(); });

    texto_->setText(logica_->filtroInicial());
    buscar();
    texto_->setFocus(Qt::OtherFocusReason);
}

Selector::~Selector() = default;

void Selector::buscar() {
    pausa_.stop();
    logica_->buscar(texto_->text());
}

void Selector::irALista() {
    if (logica_->resultado().isEmpty()) return;
    rejilla_->vista()->setFocus(Qt::OtherFocusReason);
}

void Selector::elegirActual() {
    // A search the person typed but did not wait for is run first: the
    // row chosen is one of what the text finds.
    if (pausa_.isActive()) {
        buscar();
        return;
    }
    const int fila = rejilla_->filaDataSet(rejilla_->vista()->currentIndex().row());
    const auto e = logica_->aceptar(fila >= 0 ? fila : logica_->resultado().currentRow());
    if (!e) return;
    eleccion_ = e;
    accept();
}

std::optional<QVariantMap> Selector::elegir(std::unique_ptr<Seleccion> logica, ManejadorErrores& manejador,
                                            QWidget* padre) {
    Selector dialogo(std::move(logica), manejador, padre);
    if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
    return dialogo.eleccion();
}

}  // namespace cxp
