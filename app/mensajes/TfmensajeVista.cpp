#include "app/mensajes/TfmensajeVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/BusquedaBase.h"
#include "ui/Enlaces.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace cxp {

namespace {

// A colour kept as a decimal integer in the platform encoding (red in the
// lowest byte); nullopt when the text is no number.
std::optional<QColor> colorDeTexto(const QString& texto) {
    bool ok = false;
    const qlonglong c = texto.trimmed().toLongLong(&ok);
    if (!ok || c < 0) return std::nullopt;
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// The screen's panels take the session's main colours, as every screen.
void pintarPanel(QFrame* panel, const Sesion& sesion) {
    const auto base = colorDeTexto(sesion.color_final_ventana);
    const auto fin = colorDeTexto(sesion.color_ventana);
    if (!base || !fin) return;
    panel->setObjectName(QStringLiteral("panelBotones"));
    panel->setStyleSheet(QStringLiteral("QFrame#panelBotones { border: 1px solid palette(mid); border-radius: 2px; "
                                        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2); }")
                             .arg(base->name(), fin->name()));
}

// The grid's current row shows selected, so that the person sees which
// user the message goes to and which message the panel shows.
void marcarFilaActual(Rejilla* rejilla) {
    auto marcar = [rejilla](int fila) {
        QTableView* vista = rejilla->vista();
        auto* proxy = qobject_cast<QSortFilterProxyModel*>(vista->model());
        if (!proxy || !rejilla->modelo() || fila < 0) return;
        const QModelIndex v = proxy->mapFromSource(rejilla->modelo()->index(fila, 0));
        if (v.isValid())
            vista->selectionModel()->select(v, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    QObject::connect(rejilla->modelo(), &DataSetModel::currentRowChanged, rejilla, marcar);
    QObject::connect(rejilla->modelo(), &QAbstractItemModel::modelReset, rejilla, [rejilla, marcar] {
        if (rejilla->dataSet()) marcar(rejilla->dataSet()->currentRow());
    });
    if (rejilla->dataSet()) marcar(rejilla->dataSet()->currentRow());
}

}  // namespace

TfmensajeVista::TfmensajeVista(std::unique_ptr<Tfmensaje> logica, Interaccion& interaccion,
                               ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfmensaje"));
    setWindowTitle(QStringLiteral("Mensaje instantáneo"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kAncho, kAlto);

    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });

    // ---- buttons
    auto* botones = new QFrame(this);
    botones->setFrameShape(QFrame::StyledPanel);
    pintarPanel(botones, sesion);
    enviar_ = new QPushButton(QStringLiteral("F2:Enviar"), botones);
    todos_ = new QPushButton(QStringLiteral("F5:Enviar a todos"), botones);
    cancelar_ = new QPushButton(QStringLiteral("Esc:Cancela"), botones);
    for (QPushButton* b : {enviar_, todos_, cancelar_}) b->setFocusPolicy(Qt::NoFocus);
    auto* filaBotones = new QHBoxLayout(botones);
    filaBotones->setContentsMargins(6, 4, 6, 4);
    filaBotones->addWidget(enviar_);
    filaBotones->addWidget(todos_);
    filaBotones->addStretch();
    filaBotones->addWidget(cancelar_);

    // ---- users and history
    usuarios_ = new Rejilla(logica_->usuarios(), this);
    usuarios_->setObjectName(QStringLiteral("rejillaUsuarios"));
    usuarios_->setSoloLectura(true);
    usuarios_->setInteraccion(&interaccion);
    usuarios_->setAnchoColumna(QStringLiteral("USUARIO"), 10);
    usuarios_->setAnchoColumna(QStringLiteral("NOMBRE"), 18);
    usuarios_->setAnchoColumna(QStringLiteral("Conectado"), 11);
    // Who is connected today stands out.
    usuarios_->setColorTexto([](const RecordRef& r) -> std::optional<QColor> {
        if (r.asString(QStringLiteral("Conectado")) == QLatin1String("S")) return QColor(0, 128, 0);
        return std::nullopt;
    });

    historia_ = new Rejilla(logica_->historia(), this);
    historia_->setObjectName(QStringLiteral("rejillaHistoria"));
    historia_->setSoloLectura(true);
    historia_->setInteraccion(&interaccion);
    historia_->setAnchoColumna(QStringLiteral("EOS"), 3);
    historia_->setAnchoColumna(QStringLiteral("FECHA"), 11);
    historia_->setAnchoColumna(QStringLiteral("HORA"), 9);
    historia_->setAnchoColumna(QStringLiteral("MENSAJE"), 37);
    historia_->setAnchoColumna(QStringLiteral("LEIDO"), 5);

    // Every row is the conversation with the user chosen.
    logica_->historia().field(QStringLiteral("REMITE")).setVisible(false);
    marcarFilaActual(usuarios_);
    marcarFilaActual(historia_);

    // The "Mensaje" panel: the whole text of a message of the history.
    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("panelMensaje"));
    panel_->setFrameShape(QFrame::StyledPanel);
    auto* tituloPanel = new QLabel(QStringLiteral("Mensaje"), panel_);
    QFont negrita = tituloPanel->font();
    negrita.setBold(true);
    tituloPanel->setFont(negrita);
    auto* cerrarPanel = new QToolButton(panel_);
    cerrarPanel->setObjectName(QStringLiteral("cerrarPanelMensaje"));
    cerrarPanel->setText(QStringLiteral("cerrar"));
    cerrarPanel->setFocusPolicy(Qt::NoFocus);
    textoPanel_ = new QPlainTextEdit(panel_);
    textoPanel_->setReadOnly(true);
    textoPanel_->setFixedHeight(54);
    textoPanel_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textoPanel_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* cabeza = new QHBoxLayout;
    cabeza->addWidget(tituloPanel);
    cabeza->addStretch();
    cabeza->addWidget(cerrarPanel);
    auto* columnaPanel = new QVBoxLayout(panel_);
    columnaPanel->setContentsMargins(4, 2, 4, 4);
    columnaPanel->setSpacing(2);
    columnaPanel->addLayout(cabeza);
    columnaPanel->addWidget(textoPanel_);
    panel_->hide();

    auto* izquierda = new QWidget(this);
    auto* colIzq = new QVBoxLayout(izquierda);
    colIzq->setContentsMargins(0, 0, 0, 0);
    colIzq->setSpacing(2);
    colIzq->addWidget(new QLabel(QStringLiteral("Usuarios"), izquierda));
    colIzq->addWidget(usuarios_);
    auto* derecha = new QWidget(this);
    auto* colDer = new QVBoxLayout(derecha);
    colDer->setContentsMargins(0, 0, 0, 0);
    colDer->setSpacing(2);
    colDer->addWidget(new QLabel(QStringLiteral("Historial"), derecha));
    colDer->addWidget(historia_, 1);
    colDer->addWidget(panel_);
    auto* division = new QSplitter(Qt::Horizontal, this);
    division->addWidget(izquierda);
    division->addWidget(derecha);
    division->setStretchFactor(0, 0);
    division->setStretchFactor(1, 1);
    division->setSizes({300, kAncho - 300});
    division->setChildrenCollapsible(false);

    // ---- the new message
    prioridad_ = new QComboBox(this);
    prioridad_->setObjectName(QStringLiteral("MENS_NIVEL"));
    Enlaces::Claves claves;
    for (const QString& p : Tfmensaje::prioridades())
        claves.append({QString::number(Tfmensaje::nivelDe(p)), p});
    enlaces_->enlazar(prioridad_, logica_->mensaje(), QStringLiteral("MENS_NIVEL"), claves);
    texto_ = new QPlainTextEdit(this);
    texto_->setObjectName(QStringLiteral("MENS_MENSAJE"));
    texto_->setFixedHeight(60);
    texto_->setTabChangesFocus(true);
    texto_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    texto_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    enlaces_->enlazar(texto_, logica_->mensaje(), QStringLiteral("MENS_MENSAJE"));
    auto* filaPrioridad = new QHBoxLayout;
    filaPrioridad->addWidget(new QLabel(QStringLiteral("Prioridad:"), this));
    filaPrioridad->addWidget(prioridad_);
    filaPrioridad->addStretch();

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(botones);
    todo->addWidget(division, 1);
    todo->addLayout(filaPrioridad);
    todo->addWidget(texto_);

    // ---- commands
    teclado_ = new Teclado(this);
    teclado_->setEnterSiguiente(false);  // Enter writes a new line in the message
    // What was typed reaches the message before it is sent; Esc discards it.
    auto comando = [this, &manejador](auto&& f) {
        return [this, &manejador, f] {
            if (!enlaces_->confirmar()) return;
            manejador.proteger(f);
        };
    };
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, comando([this] { logica_->enviar(); }));
    teclado_->asignar(Qt::Key_Escape, [this] { logica_->escape(); });
    connect(enviar_, &QPushButton::clicked, this, comando([this] { logica_->enviar(); }));
    connect(todos_, &QPushButton::clicked, this, comando([this] { logica_->enviarATodos(); }));
    connect(cancelar_, &QPushButton::clicked, this, [this] { logica_->cancelar(); });
    connect(cerrarPanel, &QToolButton::clicked, this, [this] { logica_->ocultarMensaje(); });
    connect(historia_, &Rejilla::activada, this, [this](int fila) {
        logica_->historia().setCurrentRow(fila);
        logica_->mostrarMensaje();
    });
    connect(logica_.get(), &Tfmensaje::panelMensajeCambio, this, [this](bool visible) {
        textoPanel_->setPlainText(logica_->textoPanelMensaje());
        panel_->setVisible(visible);
    });
    connect(logica_.get(), &Tfmensaje::cerrar, this, &TfmensajeVista::cerrarPantalla);

    setFocusProxy(texto_);
}

TfmensajeVista::~TfmensajeVista() = default;

void TfmensajeVista::cerrarPantalla() {
    // Inside the main window the screen is an MDI child: close its frame.
    BusquedaBase::cerrarPantalla(this);
}

QWidget* crearTfmensaje(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                        const QVariantMap& args, QWidget* padre) {
    RespuestaMensaje respuesta{args.value(QStringLiteral("respuesta_id")).toString(),
                               args.value(QStringLiteral("respuesta_autor")).toString()};
    auto logica = std::make_unique<Tfmensaje>(sesion, interaccion, manejador, std::move(respuesta));
    if (!logica->abrir()) return nullptr;
    return new TfmensajeVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
