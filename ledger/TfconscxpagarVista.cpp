#include "ledger/TfconscxpagarVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ledger/VistaLedger.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QSignalBlocker>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

const QStringList& TfconscxpagarVista::columnas() {
    static const QStringList c{"TIPONOM", "PREFIJO", "NUMERO", "FECDOC", "VENCE", "DIAS", "REFERENCIA",
                               "CONCEPTO", "RTFTE", "RTIVA", "RTICA", "DTOF", "SALDO"};
    return c;
}

TfconscxpagarVista::TfconscxpagarVista(std::unique_ptr<Tfconscxpagar> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfconscxpagar"));
    setWindowTitle(Tfconscxpagar::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 420);
    Tfconscxpagar& l = *logica_;

    // ---- creditor, date, currency
    auto* nit = new QLabel(QStringLiteral("Nit: <b>%1</b>  %2").arg(l.nit().toHtmlEscaped(), l.nombre().toHtmlEscaped()),
                           this);
    nit->setObjectName(QStringLiteral("acreedor"));
    fecha_ = new QDateEdit(l.fecha(), this);
    fecha_->setObjectName(QStringLiteral("fecha"));
    fecha_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    fecha_->setCalendarPopup(true);
    auto* etiquetaMoneda = new QLabel(QStringLiteral("Moneda:"), this);
    moneda_ = comboMoneda(this, etiquetaMoneda, l, [this](int c) { logica_->setMoneda(c); });

    rejilla_ = new Rejilla(l.documentos(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(Tfconscxpagar::kArchivo);
    rejilla_->setTitulo(Tfconscxpagar::kTitulo + QStringLiteral(" ") + l.nit() + QStringLiteral(" ") + l.nombre());
    rejilla_->setAnchoColumna(QStringLiteral("CONCEPTO"), 28);
    mantenerOrden(rejilla_, columnas());
    QCheckBox* filtros = rejilla_->crearCasillaFiltros(this);

    auto* cabeza = new QHBoxLayout;
    cabeza->addWidget(nit);
    cabeza->addStretch();
    cabeza->addWidget(new QLabel(QStringLiteral("Fecha:"), this));
    cabeza->addWidget(fecha_);
    cabeza->addWidget(etiquetaMoneda);
    cabeza->addWidget(moneda_);
    cabeza->addWidget(filtros);

    // ---- buttons
    QFrame* panel = panelBotones(this, sesion);
    if (l.seleccion()) {
        seleccionar_ = botonDePanel(panel, QStringLiteral("Enter:Seleciona"), [this] { logica_->elegirActual(); });
        varios_ = botonDePanel(panel, QStringLiteral("F5:Sel. varios"), [this] { seleccionarVarios(); });
    }
    botonDePanel(panel, QStringLiteral("F4:Consultar"), [this] { logica_->consultar(); });
    botonDePanel(panel, QStringLiteral("F8:Abonos"), [this] { logica_->abonos(); });
    botonDePanel(panel, QStringLiteral("F12:Fecha"), [this] { fecha_->setFocus(); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });

    auto* columna = new QVBoxLayout(this);
    columna->addLayout(cabeza);
    columna->addWidget(rejilla_, 1);
    columna->addWidget(panel);

    // ---- keys
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F4, [this] { logica_->consultar(); });
    teclado_->asignar(Qt::Key_F8, [this] { logica_->abonos(); });
    teclado_->asignar(Qt::Key_F12, [this] { fecha_->setFocus(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrarPantalla(this); });
    teclado_->asignarEn(rejilla_->vista(), Qt::Key_Return, [this] { logica_->activar(); });
    if (l.seleccion()) teclado_->asignar(Qt::Key_F5, [this] { seleccionarVarios(); });
    connect(rejilla_, &Rejilla::activada, this, [this](int fila) {
        logica_->documentos().setCurrentRow(fila);
        logica_->activar();
    });
    connect(fecha_, &QDateEdit::dateChanged, this, [this](QDate d) {
        if (!logica_->setFecha(d) && logica_->fecha() != d) {
            const QSignalBlocker b(fecha_);
            fecha_->setDate(logica_->fecha());
        }
    });
    connect(logica_.get(), &PantallaLedger::cerrar, this, [this] {
        if (!qobject_cast<QDialog*>(parentWidget())) cerrarPantalla(this);
    });
    rejilla_->vista()->setFocus();
}

TfconscxpagarVista::~TfconscxpagarVista() = default;

std::vector<int> TfconscxpagarVista::filasElegidas() const {
    std::vector<int> r;
    QTableView* v = rejilla_->vista();
    if (!v->selectionModel()) return r;
    for (const QModelIndex& i : v->selectionModel()->selectedRows()) {
        const int f = rejilla_->filaDataSet(i.row());
        if (f >= 0) r.push_back(f);
    }
    return r;
}

void TfconscxpagarVista::seleccionarVarios() { logica_->seleccionarVarios(filasElegidas()); }

QWidget* crearTfconscxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfconscxpagar>(sesion, interaccion, manejador, configuracion,
                                                  args.value(QStringLiteral("nit")).toString());
    if (!logica->abrir(args.value(QStringLiteral("fecha")).toDate())) return nullptr;
    return new TfconscxpagarVista(std::move(logica), interaccion, manejador, sesion, padre);
}

std::optional<QVariantMap> elegirCxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                         const Configuracion& configuracion, const QVariantMap& args,
                                         QWidget* padre) {
    auto logica = std::make_unique<Tfconscxpagar>(sesion, interaccion, manejador, configuracion,
                                                  args.value(QStringLiteral("nit")).toString(), true);
    if (!logica->abrir(args.value(QStringLiteral("fecha")).toDate())) return std::nullopt;
    QDialog dialogo(padre);
    dialogo.setWindowTitle(Tfconscxpagar::kTitulo);
    auto* vista = new TfconscxpagarVista(std::move(logica), interaccion, manejador, sesion, &dialogo);
    vista->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.resize(vista->size());
    QObject::connect(&vista->logica(), &PantallaLedger::cerrar, &dialogo, &QDialog::accept);
    dialogo.exec();
    return vista->logica().eleccion();
}

}  // namespace cxp
