#include "ledger/TfmovimientosVista.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Selectores.h"
#include "data/Sesion.h"
#include "ledger/VistaLedger.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QSignalBlocker>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

const QStringList& TfmovimientosVista::columnas() {
    static const QStringList c{"TIPODOC", "PREFIJO", "NUMERO", "NUMPROV", "FECHA",
                               "CONCEPTO", "DEBITO", "CREDITO", "SALDO"};
    return c;
}

namespace {
QDateEdit* editorFecha(QWidget* padre, const QString& nombre, QDate fecha) {
    auto* e = new QDateEdit(fecha, padre);
    e->setObjectName(nombre);
    e->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    e->setCalendarPopup(true);
    return e;
}
QLabel* etiquetaSaldo(QWidget* padre, const QString& nombre) {
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(130);
    l->setFrameShape(QFrame::StyledPanel);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}
}  // namespace

TfmovimientosVista::TfmovimientosVista(std::unique_ptr<Tfmovimientos> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfmovimientos"));
    setWindowTitle(Tfmovimientos::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 440);
    Tfmovimientos& l = *logica_;

    nit_ = new QLineEdit(l.nit(), this);
    nit_->setObjectName(QStringLiteral("nit"));
    nit_->setMaxLength(20);
    nit_->setMaximumWidth(140);
    nombre_ = new QLabel(l.nombre(), this);
    nombre_->setObjectName(QStringLiteral("nombre"));
    desde_ = editorFecha(this, QStringLiteral("desde"), l.desde());
    hasta_ = editorFecha(this, QStringLiteral("hasta"), l.hasta());
    auto* etiquetaMoneda = new QLabel(QStringLiteral("Moneda:"), this);
    QComboBox* moneda = comboMoneda(this, etiquetaMoneda, l, [this](int c) {
        logica_->setMoneda(c);
        mostrarSaldos();
    });
    inicial_ = etiquetaSaldo(this, QStringLiteral("saldoInicial"));
    final_ = etiquetaSaldo(this, QStringLiteral("saldoFinal"));

    rejilla_ = new Rejilla(l.movimiento(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(Tfmovimientos::kArchivo);
    rejilla_->setTitulo(Tfmovimientos::kTitulo + QStringLiteral(" ") + l.nit() + QStringLiteral(" ") + l.nombre());
    rejilla_->setAnchoColumna(QStringLiteral("CONCEPTO"), 28);
    mantenerOrden(rejilla_, columnas());
    QCheckBox* filtros = rejilla_->crearCasillaFiltros(this);

    auto* cabeza = new QGridLayout;
    cabeza->addWidget(new QLabel(QStringLiteral("Nit:"), this), 0, 0);
    cabeza->addWidget(nit_, 0, 1);
    cabeza->addWidget(nombre_, 0, 2, 1, 3);
    cabeza->addWidget(new QLabel(QStringLiteral("Saldo inicial:"), this), 0, 5, Qt::AlignRight);
    cabeza->addWidget(inicial_, 0, 6);
    cabeza->addWidget(new QLabel(QStringLiteral("Desde:"), this), 1, 0);
    cabeza->addWidget(desde_, 1, 1);
    cabeza->addWidget(new QLabel(QStringLiteral("Hasta:"), this), 1, 2, Qt::AlignRight);
    cabeza->addWidget(hasta_, 1, 3);
    auto* monedaFila = new QHBoxLayout;
    monedaFila->addWidget(etiquetaMoneda);
    monedaFila->addWidget(moneda);
    monedaFila->addWidget(filtros);
    monedaFila->addStretch();
    cabeza->addLayout(monedaFila, 1, 4);
    cabeza->addWidget(new QLabel(QStringLiteral("Saldo final:"), this), 1, 5, Qt::AlignRight);
    cabeza->addWidget(final_, 1, 6);
    cabeza->setColumnStretch(4, 1);

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F4:Consultar"), [this] { logica_->consultar(); });
    botonDePanel(panel, QStringLiteral("F8:Abonos"), [this] { logica_->abonos(); });
    botonDePanel(panel, QStringLiteral("F12:Fecha"), [this] { desde_->setFocus(); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });

    auto* columna = new QVBoxLayout(this);
    columna->addLayout(cabeza);
    columna->addWidget(rejilla_, 1);
    columna->addWidget(panel);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F4, [this] { logica_->consultar(); });
    teclado_->asignar(Qt::Key_F8, [this] { logica_->abonos(); });
    teclado_->asignar(Qt::Key_F12, [this] { desde_->setFocus(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrarPantalla(this); });
    // A creditor typed, or looked up with "?".
    auto cambiarNit = [this](const QString& nit) {
        nit_->setText(nit);
        logica_->setNit(nit);
        nombre_->setText(logica_->nombre());
        rejilla_->setTitulo(Tfmovimientos::kTitulo + QStringLiteral(" ") + logica_->nit() + QStringLiteral(" ") +
                            logica_->nombre());
        mostrarSaldos();
    };
    teclado_->busqueda(nit_, [this, &interaccion, cambiarNit](const QString& texto) {
        const auto e = interaccion.elegir(selectores::kTerceros,
                                          {{QStringLiteral("filtro"), texto}, {QStringLiteral("proveedores"), true}});
        if (e) cambiarNit(e->value(QStringLiteral("nit")).toString());
    });
    connect(nit_, &QLineEdit::editingFinished, this, [this, cambiarNit] {
        if (!Teclado::pideBusqueda(nit_->text()) && nit_->text().trimmed() != logica_->nit()) cambiarNit(nit_->text());
    });
    connect(rejilla_, &Rejilla::activada, this, [this](int fila) {
        logica_->movimiento().setCurrentRow(fila);
        logica_->consultar();
    });
    connect(desde_, &QDateEdit::dateChanged, this, [this](QDate d) {
        if (!logica_->setDesde(d) && logica_->desde() != d) {
            const QSignalBlocker b(desde_);
            desde_->setDate(logica_->desde());
        }
        mostrarSaldos();
    });
    connect(hasta_, &QDateEdit::dateChanged, this, [this](QDate d) {
        if (!logica_->setHasta(d) && logica_->hasta() != d) {
            const QSignalBlocker b(hasta_);
            hasta_->setDate(logica_->hasta());
        }
        mostrarSaldos();
    });
    mostrarSaldos();
    rejilla_->vista()->setFocus();
}

TfmovimientosVista::~TfmovimientosVista() = default;

void TfmovimientosVista::mostrarSaldos() {
    inicial_->setText(textoDinero(logica_->saldoInicial()));
    final_->setText(textoDinero(logica_->saldoFinal()));
}

QWidget* crearTfmovimientos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfmovimientos>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir(args.value(QStringLiteral("nit")).toString(), args.value(QStringLiteral("nombre")).toString(),
                       args.value(QStringLiteral("desde")).toDate(), args.value(QStringLiteral("hasta")).toDate()))
        return nullptr;
    return new TfmovimientosVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
