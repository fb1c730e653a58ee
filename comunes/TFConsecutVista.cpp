#include "comunes/TFConsecutVista.h"

#include "comunes/Delegados.h"
#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/InteraccionQt.h"
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
QStringList nombres(const QList<OpcionBusqueda>& opciones) {
    QStringList r;
    for (const OpcionBusqueda& o : opciones) r << o.nombre;
    return r;
}
}  // namespace

TFConsecutVista::TFConsecutVista(std::unique_ptr<TFConsecut> logica, Interaccion& interaccion,
                                 ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("TFConsecut"));
    setWindowTitle(TFConsecut::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kAncho, kAlto);

    QFrame* panel = panelBotones(this, sesion);
    grabar_ = botonDePanel(panel, QStringLiteral("F2: Grabar"));
    static_cast<QHBoxLayout*>(panel->layout())->addStretch();
    salir_ = botonDePanel(panel, QStringLiteral("Esc:Salir"));

    documento_ = new QComboBox(this);
    documento_->setObjectName(QStringLiteral("documento"));
    documento_->addItems(logica_->documentos());
    documento_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* etiqueta = new QLabel(QStringLiteral("&Documento:"), this);
    etiqueta->setBuddy(documento_);

    rejilla_ = new Rejilla(logica_->prefijos(), this);
    rejilla_->setObjectName(QStringLiteral("rejillaPrefijos"));
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("consecutivos"));
    rejilla_->setTitulo(TFConsecut::kTitulo);
    for (const auto& [campo, ancho] : std::initializer_list<std::pair<const char*, int>>{
             {"COMPROBANTE", 16}, {"PREF_PRE", 6}, {"PREF_ACTUAL", 9}, {"PREF_AUTO", 4},
             {"PREF_PROY", 7}, {"PREF_CENTRO", 6}, {"PREF_ACTIVO", 5}, {"AGENCIA", 12}})
        rejilla_->setAnchoColumna(QString::fromLatin1(campo), ancho);
    filtros_ = rejilla_->crearCasillaFiltros(this);

    // The looked-up columns choose among the names; the flags are S or N;
    // the current number takes up to eight digits.
    QTableView* vista = rejilla_->vista();
    TFConsecut* l = logica_.get();
    vista->setItemDelegateForColumn(columna(TFConsecut::kComprobante),
                                    new DelegadoLista([l] { return nombres(l->comprobantes()); }, vista));
    vista->setItemDelegateForColumn(columna(TFConsecut::kAgencia),
                                    new DelegadoLista([l] { return nombres(l->agencias()); }, vista));
    for (const char* bandera : {"PREF_AUTO", "PREF_ACTIVO"})
        vista->setItemDelegateForColumn(
            columna(QString::fromLatin1(bandera)),
            new DelegadoLista([] { return QStringList{QStringLiteral("S"), QStringLiteral("N")}; }, vista));
    vista->setItemDelegateForColumn(columna(QStringLiteral("PREF_ACTUAL")),
                                    new DelegadoDigitos(TFConsecut::kDigitosActual, vista));

    auto* filaDocumento = new QHBoxLayout;
    filaDocumento->addWidget(etiqueta);
    filaDocumento->addWidget(documento_, 1);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addLayout(filaDocumento);
    todo->addWidget(filtros_);
    todo->addWidget(rejilla_, 1);

    // ---- commands
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    // What a cell editor holds reaches its row before a command runs.
    teclado_->setAntesDeComando([vista] { return confirmarEdicion(vista); });
    teclado_->asignar(Qt::Key_F2, [this] { logica_->grabar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { logica_->salir(); });
    teclado_->asignarEn(vista, Qt::Key_Insert, [this] { nuevoPrefijo(); });
    teclado_->asignarEn(vista, Qt::Key_Down, [this] { bajar(); });
    connect(grabar_, &QPushButton::clicked, this, [this, vista, &manejador] {
        if (confirmarEdicion(vista)) manejador.proteger([this] { logica_->grabar(); });
    });
    connect(salir_, &QPushButton::clicked, this, [this] { logica_->salir(); });
    connect(documento_, &QComboBox::activated, this, [this, vista, &manejador](int i) {
        if (confirmarEdicion(vista)) manejador.proteger([this, i] { logica_->elegirDocumento(i); });
        mostrarDocumento();
    });
    connect(logica_.get(), &TFConsecut::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });

    // "Move the focus to field X": the grid's cell of that field.
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this, vista](const QString& campo) {
            const int c = columna(campo);
            const QModelIndex actual = vista->currentIndex();
            if (c >= 0 && actual.isValid()) vista->setCurrentIndex(vista->model()->index(actual.row(), c));
            vista->setFocus(Qt::OtherFocusReason);
        });

    mostrarDocumento();
    setFocusProxy(vista);
}

TFConsecutVista::~TFConsecutVista() = default;

int TFConsecutVista::columna(const QString& campo) const {
    return rejilla_->modelo() ? rejilla_->modelo()->columnOf(campo) : -1;
}

void TFConsecutVista::mostrarDocumento() { documento_->setCurrentIndex(logica_->documentoActual()); }

void TFConsecutVista::nuevoPrefijo() {
    if (!logica_->nuevoPrefijo()) return;
    // The new row's prefix is the first thing to type.
    QTableView* vista = rejilla_->vista();
    const QModelIndex actual = vista->currentIndex();
    const int col = columna(QStringLiteral("PREF_PRE"));
    if (actual.isValid() && col >= 0) vista->setCurrentIndex(vista->model()->index(actual.row(), col));
    vista->setFocus(Qt::OtherFocusReason);
}

// Down on the last row adds a prefix, as in every editable grid.
void TFConsecutVista::bajar() {
    QTableView* vista = rejilla_->vista();
    const QModelIndex actual = vista->currentIndex();
    const int filas = vista->model()->rowCount();
    if (filas == 0 || (actual.isValid() && actual.row() == filas - 1)) {
        // A row just added and left blank is not followed by another.
        if (logica_->prefijos().state() == DataSet::State::Insert) return;
        nuevoPrefijo();
        return;
    }
    const int fila = actual.isValid() ? actual.row() + 1 : 0;
    vista->setCurrentIndex(vista->model()->index(fila, std::max(actual.column(), 0)));
}

void TFConsecutVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        centrarEnArea(this, QSize(kAncho, kAlto));
    }
}

QWidget* crearTFConsecut(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, const QVariantMap&,
                         QWidget* padre) {
    auto logica = std::make_unique<TFConsecut>(sesion, interaccion, manejador);
    if (!logica->abrir()) return nullptr;
    return new TFConsecutVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
