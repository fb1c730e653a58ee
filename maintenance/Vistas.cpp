#include "maintenance/Vistas.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/BusquedaBase.h"
#include "ui/DobleClic.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace cxp {

namespace {

void cerrar(QWidget* vista) { BusquedaBase::cerrarPantalla(vista); }

// Keeps the program answering while a long command runs, without taking
// the person's keys and clicks meanwhile (the command holds the screen).
void bombear() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace

// ---- the waiting panel

PanelEspera::PanelEspera(QWidget* padre) : QFrame(padre) {
    setObjectName(QStringLiteral("panelEspera"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* capa = new QVBoxLayout(this);
    texto_ = new QLabel(this);
    texto_->setAlignment(Qt::AlignCenter);
    QFont f = texto_->font();
    f.setBold(true);
    texto_->setFont(f);
    barra_ = new QProgressBar(this);
    barra_->setVisible(false);
    capa->addWidget(texto_);
    capa->addWidget(barra_);
    hide();
}

void PanelEspera::mostrar(const QString& texto) {
    if (texto.isEmpty()) {
        hide();
        return;
    }
    texto_->setText(texto);
    QWidget* p = parentWidget();
    const QSize s(qMin(p->width() - 20, 420), barra_->isVisible() ? 80 : 50);
    setGeometry(QRect(QPoint((p->width() - s.width()) / 2, (p->height() - s.height()) / 2), s));
    show();
    raise();
    repaint();
    bombear();
}

// ---- "Recálculo de saldos"

TfchequeosaldosVista::TfchequeosaldosVista(std::unique_ptr<Tfchequeosaldos> logica, ManejadorErrores& manejador,
                                           const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfchequeosaldos"));
    setWindowTitle(Tfchequeosaldos::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(620, 360);
    setMinimumSize(560, 320);
    Tfchequeosaldos* l = logica_.get();

    paginas_ = new QStackedWidget(this);
    auto* rango = new QWidget(paginas_);
    auto* advertencia = new QLabel(Tfchequeosaldos::kAdvertencia, rango);
    advertencia->setWordWrap(true);
    advertencia->setObjectName(QStringLiteral("advertencia"));
    QFont f = advertencia->font();
    f.setBold(true);
    advertencia->setFont(f);
    inicial_ = new QLineEdit(rango);
    inicial_->setObjectName(QStringLiteral("inicial"));
    ultimo_ = new QLineEdit(rango);
    ultimo_->setObjectName(QStringLiteral("final"));
    for (QLineEdit* e : {inicial_, ultimo_}) e->setMaxLength(20);
    auto* forma = new QFormLayout;
    forma->addRow(QStringLiteral("Proveedor Inicial:"), inicial_);
    forma->addRow(QStringLiteral("Proveedor Final:"), ultimo_);
    auto* capaRango = new QVBoxLayout(rango);
    capaRango->addWidget(advertencia);
    capaRango->addSpacing(12);
    capaRango->addLayout(forma);
    capaRango->addStretch();
    paginas_->addWidget(rango);

    auto* errores = new QWidget(paginas_);
    auto* tituloErrores = new QLabel(Tfchequeosaldos::kTituloErrores, errores);
    rejilla_ = new Rejilla(l->errores(), errores);
    rejilla_->setObjectName(QStringLiteral("rejillaErrores"));
    rejilla_->setSoloLectura(true);
    rejilla_->setNombreArchivo(QStringLiteral("ErroresSaldos"));
    rejilla_->setTitulo(Tfchequeosaldos::kTituloErrores);
    rejilla_->setAnchoColumna(QStringLiteral("ERROR"), 50);
    auto* capaErrores = new QVBoxLayout(errores);
    capaErrores->addWidget(tituloErrores);
    capaErrores->addWidget(rejilla_, 1);
    paginas_->addWidget(errores);

    QFrame* botones = panelBotones(this, sesion);
    recalcular_ = botonDePanel(botones, QStringLiteral("F2: Recalcular"), [l] { l->recalcular(); });
    recalcular_->setObjectName(QStringLiteral("recalcular"));
    finPanel(botones);
    botonDePanel(botones, QStringLiteral("Esc:Salir"), [this] { cerrar(this); });

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(paginas_, 1);
    capa->addWidget(botones);
    panel_ = new PanelEspera(this);
    panel_->barra()->setVisible(true);

    connect(inicial_, &QLineEdit::textEdited, l, &Tfchequeosaldos::setInicial);
    connect(ultimo_, &QLineEdit::textEdited, l, &Tfchequeosaldos::setFinal);
    inicial_->installEventFilter(new DobleClic(inicial_, [l] { l->buscarInicial(); }));
    ultimo_->installEventFilter(new DobleClic(ultimo_, [l] { l->buscarFinal(); }));
    const auto rangoCambio = [this, l] {
        if (inicial_->text() != l->inicial()) inicial_->setText(l->inicial());
        if (ultimo_->text() != l->ultimo()) ultimo_->setText(l->ultimo());
        recalcular_->setEnabled(l->puedeRecalcular() && !enErrores());
    };
    connect(l, &Tfchequeosaldos::cambioRango, this, rangoCambio);
    rangoCambio();
    connect(l, &Tfchequeosaldos::panel, this, [this](const QString& t) {
        recalcular_->setEnabled(t.isEmpty() && logica_->puedeRecalcular() && !enErrores());
        panel_->barra()->setRange(0, 0);
        panel_->mostrar(t);
    });
    connect(l, &Tfchequeosaldos::progreso, this, [this](int hechos, int total) {
        panel_->barra()->setRange(0, qMax(total, 1));
        panel_->barra()->setValue(hechos);
        panel_->barra()->setFormat(QStringLiteral("%v de %m proveedores"));
    });
    connect(l, &Tfchequeosaldos::mostrarErrores, this, [this] {
        paginas_->setCurrentIndex(1);
        recalcular_->setEnabled(false);
        rejilla_->vista()->setFocus();
    });
    connect(l, &Tfchequeosaldos::cerrar, this, [this] { cerrar(this); });
    // The chunks run on a thread of their own: the program keeps answering.
    l->setEnHilo(true);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this, l] {
        if (recalcular_->isEnabled()) l->recalcular();
    });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrar(this); });
    inicial_->setFocus();
}

TfchequeosaldosVista::~TfchequeosaldosVista() = default;

bool TfchequeosaldosVista::enErrores() const { return paginas_->currentIndex() == 1; }

void TfchequeosaldosVista::closeEvent(QCloseEvent* evento) {
    // The run holds the screen until its last chunk.
    if (logica_->corriendo()) {
        evento->ignore();
        return;
    }
    QWidget::closeEvent(evento);
}

// ---- "Cambiar retenciones acreedores"

TfcambiaretesVista::TfcambiaretesVista(std::unique_ptr<Tfcambiaretes> logica, ManejadorErrores& manejador,
                                       const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfcambiaretes"));
    setWindowTitle(Tfcambiaretes::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    Tfcambiaretes* l = logica_.get();

    auto* rejillaGrupos = new QGridLayout;
    QGroupBox* grupo = nullptr;
    QFormLayout* forma = nullptr;
    QString ultimoGrupo;
    int n = 0;
    for (int i = 0; i < Tfcambiaretes::kPares; ++i) {
        const Tfcambiaretes::Par& p = Tfcambiaretes::pares()[size_t(i)];
        if (p.grupo != ultimoGrupo) {
            grupo = new QGroupBox(p.grupo, this);
            forma = new QFormLayout(grupo);
            rejillaGrupos->addWidget(grupo, n / 2, n % 2);
            ultimoGrupo = p.grupo;
            ++n;
        }
        for (bool nuevo : {false, true}) {
            auto* e = new QLineEdit(grupo);
            e->setObjectName(Tfcambiaretes::campo(i, nuevo));
            e->setMaxLength(18);
            e->setAlignment(Qt::AlignRight);
            forma->addRow(p.base ? (nuevo ? QStringLiteral("Base nueva:") : QStringLiteral("Base anterior:"))
                                 : (nuevo ? QStringLiteral("Porcentaje nuevo:") : QStringLiteral("Porcentaje anterior:")),
                          e);
            connect(e, &QLineEdit::textChanged, l, [l, i, nuevo](const QString& t) {
                if (nuevo)
                    l->setNuevo(i, t);
                else
                    l->setAnterior(i, t);
            });
            cajas_[size_t(i * 2 + (nuevo ? 1 : 0))] = e;
        }
    }
    progreso_ = new QLabel(this);
    progreso_->setObjectName(QStringLiteral("progreso"));

    QFrame* botones = panelBotones(this, sesion);
    botonDePanel(botones, QStringLiteral("F2: Grabar"), [l] { l->grabar(); });
    finPanel(botones);
    botonDePanel(botones, QStringLiteral("Esc:Salir"), [this] { cerrar(this); });

    auto* capa = new QVBoxLayout(this);
    capa->addLayout(rejillaGrupos);
    capa->addWidget(progreso_);
    capa->addStretch();
    capa->addWidget(botones);

    connect(l, &Tfcambiaretes::progreso, this, [this](const QString& t) {
        progreso_->setText(t);
        progreso_->repaint();
    });
    connect(l, &Tfcambiaretes::cerrar, this, [this] { cerrar(this); });
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [l] { l->grabar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrar(this); });
    cajas_[0]->setFocus();
}

TfcambiaretesVista::~TfcambiaretesVista() = default;

// ---- "Procedimientos de usuario"

TfprocedimientosVista::TfprocedimientosVista(std::unique_ptr<Tfprocedimientos> logica, Interaccion& interaccion,
                                             ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfprocedimientos"));
    setWindowTitle(Tfprocedimientos::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(860, 580);
    setMinimumSize(760, 520);
    Tfprocedimientos* l = logica_.get();

    lista_ = new QComboBox(this);
    lista_->setObjectName(QStringLiteral("lista"));
    DataSet& cat = l->catalogo();
    for (int i = 0; i < cat.recordCount(); ++i)
        lista_->addItem(cat.row(i).asString(QStringLiteral("PRUS_NOMBRE")), cat.row(i).asString(QStringLiteral("PRUS_SP")));
    desde_ = new QDateEdit(this);
    hasta_ = new QDateEdit(this);
    desde_->setObjectName(QStringLiteral("desde"));
    hasta_->setObjectName(QStringLiteral("hasta"));
    for (QDateEdit* d : {desde_, hasta_}) {
        d->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        d->setCalendarPopup(true);
    }
    etiquetaDesde_ = new QLabel(QStringLiteral("Desde:"), this);
    etiquetaHasta_ = new QLabel(QStringLiteral("Hasta:"), this);
    aviso_ = new QLabel(this);
    aviso_->setObjectName(QStringLiteral("aviso"));
    aviso_->setWordWrap(true);
    explica_ = new QPlainTextEdit(this);
    explica_->setReadOnly(true);
    explica_->setMaximumHeight(60);

    auto* cabeza = new QGridLayout;
    cabeza->addWidget(new QLabel(QStringLiteral("Nombre del procedimiento:"), this), 0, 0);
    cabeza->addWidget(lista_, 0, 1, 1, 3);
    cabeza->addWidget(etiquetaDesde_, 1, 0);
    cabeza->addWidget(desde_, 1, 1);
    cabeza->addWidget(etiquetaHasta_, 1, 2);
    cabeza->addWidget(hasta_, 1, 3);
    cabeza->addWidget(aviso_, 2, 0, 1, 4);
    for (int i = 0; i < Tfprocedimientos::kParametros; ++i) {
        titulos_[size_t(i)] = new QLabel(this);
        parametros_[size_t(i)] = new QLineEdit(this);
        parametros_[size_t(i)]->setObjectName(QStringLiteral("parametro%1").arg(i + 1));
        cabeza->addWidget(titulos_[size_t(i)], 3 + i / 2, (i % 2) * 2);
        cabeza->addWidget(parametros_[size_t(i)], 3 + i / 2, (i % 2) * 2 + 1);
        connect(parametros_[size_t(i)], &QLineEdit::textChanged, l, [l, i](const QString& t) { l->setParametro(i, t); });
    }
    cabeza->addWidget(new QLabel(QStringLiteral("explicación:"), this), 6, 0);
    cabeza->addWidget(explica_, 6, 1, 1, 3);

    rejilla_ = new Rejilla(l->resultado(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setFormatos({FormatoArchivo::Texto, FormatoArchivo::Csv, FormatoArchivo::Excel, FormatoArchivo::Xlsx});
    QCheckBox* filtros = rejilla_->crearCasillaFiltros(this);
    pie_ = new QTableWidget(1, 0, this);
    pie_->setObjectName(QStringLiteral("pie"));
    pie_->horizontalHeader()->hide();
    pie_->verticalHeader()->setVisible(false);
    pie_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pie_->setFocusPolicy(Qt::NoFocus);
    pie_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pie_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pie_->setFixedHeight(pie_->verticalHeader()->defaultSectionSize() + 4);
    pie_->setVisible(false);
    QTableView* v = rejilla_->vista();
    connect(v->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { ajustarPie(); });
    connect(v->horizontalHeader(), &QHeaderView::sectionMoved, this, [this] { ajustarPie(); });
    connect(v->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { ajustarPie(); });

    QFrame* botones = panelBotones(this, sesion);
    botonDePanel(botones, QStringLiteral("F5:Generar"), [this] { generar(); });
    botonDePanel(botones, QStringLiteral("F2:Grabar"), [this] { grabar(); });
    finPanel(botones);
    botonDePanel(botones, QStringLiteral("Esc:Salir"), [this] { cerrar(this); });

    // The record navigator: first, prior, next and last row of the result.
    auto* fila = new QHBoxLayout;
    const std::pair<const char*, void (DataSet::*)()> pasos[] = {
        {"|<", &DataSet::first}, {"<", &DataSet::prior}, {">", &DataSet::next}, {">|", &DataSet::last}};
    for (const auto& [texto, paso] : pasos) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromLatin1(texto));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [l, paso = paso] {
            if (l->resultado().isOpen() && !l->resultado().isEmpty()) (l->resultado().*paso)();
        });
        fila->addWidget(b);
    }
    fila->addStretch();
    fila->addWidget(filtros);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(cabeza);
    capa->addLayout(fila);
    capa->addWidget(rejilla_, 1);
    capa->addWidget(pie_);
    capa->addWidget(botones);
    panel_ = new PanelEspera(this);

    connect(lista_, &QComboBox::currentIndexChanged, l, [l](int i) { l->elegir(i); });
    connect(l, &Tfprocedimientos::cambioProcedimiento, this, [this] { mostrarProcedimiento(); });
    connect(l, &Tfprocedimientos::panel, this, [this](const QString& t) { panel_->mostrar(t); });
    connect(l, &Tfprocedimientos::resultadoListo, this, [this] { mostrarResultado(); });
    connect(desde_, &QDateEdit::dateChanged, l, &Tfprocedimientos::setDesde);
    connect(hasta_, &QDateEdit::dateChanged, l, &Tfprocedimientos::setHasta);
    desde_->setDate(l->desde());
    hasta_->setDate(l->hasta());
    mostrarProcedimiento();

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F5, [this] { generar(); });
    teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrar(this); });
    lista_->setFocus();
}

TfprocedimientosVista::~TfprocedimientosVista() = default;

void TfprocedimientosVista::mostrarProcedimiento() {
    Tfprocedimientos& l = *logica_;
    const bool fechas = l.fechasVisibles();
    for (QWidget* w : std::initializer_list<QWidget*>{desde_, hasta_, etiquetaDesde_, etiquetaHasta_})
        w->setVisible(fechas);
    aviso_->setText(l.aviso());
    aviso_->setVisible(!fechas);
    for (int i = 0; i < Tfprocedimientos::kParametros; ++i) titulos_[size_t(i)]->setText(l.titulo(i));
    explica_->setPlainText(l.explicacion());
}

void TfprocedimientosVista::generar() {
    if (logica_->generar()) return;
}

void TfprocedimientosVista::mostrarResultado() {
    Tfprocedimientos& l = *logica_;
    DataSet& r = l.resultado();
    // "&Guardar selección" proposes the procedure's name, and prints under it.
    rejilla_->setNombreArchivo(l.procedimiento());
    rejilla_->setTitulo(lista_->currentText());
    // Numbers as "#,###.00" after a run with arguments, "#,###" after
    // CALCULE_DV; the sums on the light green footer only after the former.
    for (int i = 0; i < r.fieldCount(); ++i)
        if (Tfprocedimientos::esNumerico(r.field(i))) rejilla_->setDecimales(r.field(i).name(), l.conTotales() ? 2 : 0);
    pie_->setVisible(l.conTotales());
    pie_->setColumnCount(r.fieldCount());
    QTableView* v = rejilla_->vista();
    for (int i = 0; i < r.fieldCount(); ++i) {
        auto* item = new QTableWidgetItem;
        item->setBackground(QColor(192, 220, 192));
        if (l.conTotales() && Tfprocedimientos::esNumerico(r.field(i))) {
            item->setText(l.total(r.field(i).name()).texto(2));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        pie_->setItem(0, i, item);
    }
    Q_UNUSED(v);
    ajustarPie();
}

void TfprocedimientosVista::ajustarPie() {
    if (!pie_->isVisible()) return;
    QTableView* v = rejilla_->vista();
    QHeaderView* h = v->horizontalHeader();
    // Footer cells sit under their columns, wherever the grid shows them.
    for (int i = 0; i < pie_->columnCount() && i < h->count(); ++i) {
        pie_->setColumnWidth(i, h->sectionSize(i));
        pie_->setColumnHidden(i, h->isSectionHidden(i));
        const int visual = h->visualIndex(i);
        if (visual >= 0 && pie_->horizontalHeader()->visualIndex(i) != visual)
            pie_->horizontalHeader()->moveSection(pie_->horizontalHeader()->visualIndex(i), visual);
    }
    pie_->horizontalScrollBar()->setRange(v->horizontalScrollBar()->minimum(), v->horizontalScrollBar()->maximum());
    pie_->horizontalScrollBar()->setValue(v->horizontalScrollBar()->value());
}

void TfprocedimientosVista::grabar() {
    rejilla_->seleccionarTodo();
    rejilla_->guardarSeleccion();
}

// ---- factories and registration

QWidget* crearTfchequeosaldos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                              const Configuracion&, const QVariantMap&, QWidget* padre) {
    return new TfchequeosaldosVista(std::make_unique<Tfchequeosaldos>(sesion, interaccion, manejador), manejador,
                                    sesion, padre);
}

QWidget* crearTfcambiaretes(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion&, const QVariantMap&, QWidget* padre) {
    return new TfcambiaretesVista(std::make_unique<Tfcambiaretes>(sesion, interaccion, manejador), manejador, sesion,
                                  padre);
}

QWidget* crearTfprocedimientos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion&, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfprocedimientos>(sesion, interaccion, manejador);
    if (!logica->abrir()) return nullptr;
    return new TfprocedimientosVista(std::move(logica), interaccion, manejador, sesion, padre);
}

void registrarPantallasMantenimiento(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                     const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    using Fabrica = QWidget* (*)(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                                 QWidget*);
    const std::pair<QString, Fabrica> pantallas[] = {
        {QStringLiteral("Tfchequeosaldos"), &crearTfchequeosaldos},
        {QStringLiteral("Tfcambiaretes"), &crearTfcambiaretes},
        {QStringLiteral("Tfprocedimientos"), &crearTfprocedimientos},
    };
    for (const auto& [nombre, fabrica] : pantallas)
        iq->registrarPantalla(nombre, [iq, s, m, c, fabrica = fabrica](const QVariantMap& args) -> QWidget* {
            return fabrica(*s, *iq, *m, *c, args, nullptr);
        });
}

}  // namespace cxp
