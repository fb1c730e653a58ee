#include "import/TfimportarVista.h"

#include "comunes/Presentacion.h"
#include "data/BarraEstado.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {

// A box of choices, one radio button per caption, the first checked.
QGroupBox* opciones(QWidget* padre, const QString& titulo, const QStringList& textos, QButtonGroup* grupo,
                    bool enFila = false) {
    auto* caja = new QGroupBox(titulo, padre);
    QBoxLayout* l = enFila ? static_cast<QBoxLayout*>(new QHBoxLayout(caja)) : new QVBoxLayout(caja);
    for (int i = 0; i < textos.size(); ++i) {
        auto* b = new QRadioButton(textos[i], caja);
        grupo->addButton(b, i);
        l->addWidget(b);
    }
    grupo->button(0)->setChecked(true);
    return caja;
}

}  // namespace

TfimportarVista::TfimportarVista(std::unique_ptr<Tfimportar> logica, Interaccion& interaccion,
                                 ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), manejador_(manejador) {
    setObjectName(QStringLiteral("Tfimportar"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kAncho, kAlto);

    QFrame* panel = panelBotones(this, sesion);
    siguiente_ = botonDePanel(panel, QStringLiteral("F2: Siguiente"), [this] { manejador_.proteger([this] { siguiente(); }); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { logica_->salir(); });

    paginas_ = new QStackedWidget(this);

    // Step 1: the kind.
    auto* p1 = new QWidget(paginas_);
    tipo_ = new QButtonGroup(p1);
    auto* l1 = new QVBoxLayout(p1);
    l1->addWidget(opciones(p1, QStringLiteral("Importar: "),
                           {QStringLiteral("Proveedores"), QStringLiteral("Grupos"), QStringLiteral("Saldos iniciales")},
                           tipo_));
    l1->addStretch();
    paginas_->addWidget(p1);

    // Step 2: the file and its layout.
    auto* p2 = new QWidget(paginas_);
    auto* l2 = new QVBoxLayout(p2);
    auto* fila = new QHBoxLayout;
    auto* etiqueta = new QLabel(QStringLiteral("Ubicación:"), p2);
    ruta_ = new QLineEdit(p2);
    ruta_->setObjectName(QStringLiteral("RUTA"));
    etiqueta->setBuddy(ruta_);
    auto* examinarBoton = new QPushButton(QStringLiteral("Examinar"), p2);
    connect(examinarBoton, &QPushButton::clicked, this, [this] { examinar(); });
    fila->addWidget(etiqueta);
    fila->addWidget(ruta_, 1);
    fila->addWidget(examinarBoton);
    l2->addLayout(fila);
    archivo_ = new QButtonGroup(p2);
    l2->addWidget(opciones(p2, QStringLiteral("Tipo de archivo "),
                           {QStringLiteral("Ancho fijo (Cada columna tiene siempre el mismo ancho)"),
                            QStringLiteral("Delimitado (separado por comas, tabuladores, etc.)")},
                           archivo_));
    archivo_->button(1)->setChecked(true);
    auto* filaOpciones = new QHBoxLayout;
    separador_ = new QButtonGroup(p2);
    delimitador_ = new QButtonGroup(p2);
    auto* cajaSeparador = opciones(
        p2, QStringLiteral("Separador:"),
        {QStringLiteral("Coma (,)"), QStringLiteral("Punto y coma (;)"), QStringLiteral("Tabulador")}, separador_);
    auto* cajaDelimitador =
        opciones(p2, QStringLiteral("Delimitador de texto:"),
                 {QStringLiteral("Ninguno"), QStringLiteral("Comillas"), QStringLiteral("Comilla simple (')")}, delimitador_);
    delimitados_ = {cajaSeparador, cajaDelimitador};
    filaOpciones->addWidget(cajaSeparador);
    filaOpciones->addWidget(cajaDelimitador);
    l2->addLayout(filaOpciones);
    l2->addStretch();
    connect(archivo_, &QButtonGroup::idClicked, this, [this] { tipoArchivoCambiado(); });
    paginas_->addWidget(p2);

    // Step 3: the mapping and the run.
    auto* p3 = new QWidget(paginas_);
    auto* l3 = new QVBoxLayout(p3);
    l3->addWidget(new QLabel(QStringLiteral("En frente de cada data indique la columna en que se encuentra:"), p3));
    rejilla_ = new Rejilla(logica_->mapa(), p3);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->vista()->horizontalHeader()->setStretchLastSection(true);
    l3->addWidget(rejilla_, 1);
    auto* filaBarra = new QHBoxLayout;
    barra_ = new QProgressBar(p3);
    barra_->setRange(0, 100);
    barra_->setValue(0);
    filaBarra->addWidget(new QLabel(QStringLiteral("Progeso:"), p3));
    filaBarra->addWidget(barra_, 1);
    l3->addLayout(filaBarra);
    auto* filaActual = new QHBoxLayout;
    actual_ = new QLineEdit(p3);
    actual_->setReadOnly(true);
    actual_->setFocusPolicy(Qt::NoFocus);
    filaActual->addWidget(new QLabel(QStringLiteral("Actual:"), p3));
    filaActual->addWidget(actual_, 1);
    l3->addLayout(filaActual);
    paginas_->addWidget(p3);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->addWidget(panel);
    todo->addWidget(paginas_, 1);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { siguiente(); });
    teclado_->asignar(Qt::Key_Escape, [this] { logica_->salir(); });
    connect(logica_.get(), &Tfimportar::pasoCambiado, this, [this](int paso) { mostrarPaso(paso); });
    connect(logica_.get(), &Tfimportar::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    mostrarPaso(1);
}

TfimportarVista::~TfimportarVista() = default;

void TfimportarVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        centrarEnArea(this, QSize(kAncho, kAlto));
    }
}

void TfimportarVista::mostrarPaso(int paso) {
    paginas_->setCurrentIndex(paso - 1);
    setWindowTitle(paso == 1   ? Tfimportar::kTituloPaso1
                   : paso == 2 ? Tfimportar::kTituloPaso2
                               : Tfimportar::kTituloPaso3);
    siguiente_->setText(paso == 3 ? QStringLiteral("F2: Importar") : QStringLiteral("F2: Siguiente"));
    if (paso == 2) ruta_->setFocus(Qt::OtherFocusReason);
    if (paso == 3) {
        rejilla_->vista()->resizeColumnsToContents();
        barra_->setValue(0);
        actual_->clear();
    }
}

// Fixed width has no separator nor delimiter.
void TfimportarVista::tipoArchivoCambiado() {
    const bool delimitado = archivo_->checkedId() == 1;
    for (QWidget* w : delimitados_) w->setEnabled(delimitado);
}

void TfimportarVista::examinar() {
    const QString elegido = QFileDialog::getOpenFileName(
        this, QString(), ruta_->text(),
        QStringLiteral("Archivos de texto (*.txt);;Archivos de valores separados por comas (*.csv)"));
    if (!elegido.isEmpty()) ruta_->setText(elegido);
}

void TfimportarVista::siguiente() {
    Tfimportar& l = *logica_;
    switch (l.paso()) {
    case 1: l.siguientePaso1(tipo_->checkedId()); break;
    case 2: {
        l.ruta = ruta_->text().trimmed();
        l.fijeTipoArchivo(archivo_->checkedId());
        const QChar separadores[] = {u',', u';', u'\t'};
        const QChar delimitadores[] = {QChar(), u'"', u'\''};
        l.separador = separadores[std::max(0, separador_->checkedId())];
        l.delimitador = delimitadores[std::max(0, delimitador_->checkedId())];
        l.siguientePaso2();
        break;
    }
    default: {
        if (!confirmarEdicion(rejilla_->vista())) return;
        siguiente_->setEnabled(false);
        struct Rehabilitar {
            QPushButton* boton;
            ~Rehabilitar() { boton->setEnabled(true); }
        } rehabilitar{siguiente_};
        int ultimo = -1;
        BarraEstado* estado = manejador_.barraEstado();
        l.importar([this, &ultimo, estado](qsizetype leidos, qsizetype total, const QString& actual,
                                           const QString& documento) {
            const int avance = total > 0 ? int(leidos * 100 / total) : 100;
            if (avance != ultimo) {
                ultimo = avance;
                barra_->setValue(avance);
                actual_->setText(actual);
                if (estado && !documento.isEmpty()) estado->mostrar_texto(documento);
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
            return true;
        });
        break;
    }
    }
}

QWidget* crearTfimportar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfimportar>(sesion, interaccion, manejador, configuracion);
    return new TfimportarVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
