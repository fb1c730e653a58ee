#include "ledger/TfmovicuenxpagarVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ledger/VistaLedger.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

TfmovicuenxpagarVista::TfmovicuenxpagarVista(std::unique_ptr<Tfmovicuenxpagar> logica, Interaccion& interaccion,
                                             ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfmovicuenxpagar"));
    setWindowTitle(Tfmovicuenxpagar::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 460);
    Tfmovicuenxpagar& l = *logica_;

    desde_ = new QDateEdit(l.desde(), this);
    desde_->setObjectName(QStringLiteral("desde"));
    hasta_ = new QDateEdit(l.hasta(), this);
    hasta_->setObjectName(QStringLiteral("hasta"));
    for (QDateEdit* e : {desde_, hasta_}) {
        e->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        e->setCalendarPopup(true);
    }
    auto* etiquetaMoneda = new QLabel(QStringLiteral("Moneda:"), this);
    QComboBox* moneda = comboMoneda(this, etiquetaMoneda, l, [this](int c) { logica_->setMoneda(c); });

    rejilla_ = new Rejilla(l.movimiento(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(Tfmovicuenxpagar::kArchivo);
    rejilla_->setTitulo(Tfmovicuenxpagar::kTitulo);
    rejilla_->setAnchoColumna(QStringLiteral("NOMBRE"), 30);
    // The payments come at four decimals: pesos, like the other columns.
    rejilla_->setDecimales(QStringLiteral("ABONOS"), 2);
    QCheckBox* filtros = rejilla_->crearCasillaFiltros(this);
    totales_ = new QLabel(this);
    totales_->setObjectName(QStringLiteral("totales"));
    totales_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A narrow window wraps the line rather than cut it.
    totales_->setWordWrap(true);

    auto* cabeza = new QHBoxLayout;
    cabeza->addWidget(new QLabel(QStringLiteral("Desde:"), this));
    cabeza->addWidget(desde_);
    cabeza->addWidget(new QLabel(QStringLiteral("Hasta:"), this));
    cabeza->addWidget(hasta_);
    cabeza->addWidget(etiquetaMoneda);
    cabeza->addWidget(moneda);
    cabeza->addStretch();
    cabeza->addWidget(filtros);

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2:Calcula"), [this] { calcular(); });
    botonDePanel(panel, QStringLiteral("F9:Movmto."), [this] { logica_->movimientoAcreedor(); });
    botonDePanel(panel, QStringLiteral("F8:Saldos"), [this] { logica_->saldos(); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });

    auto* columna = new QVBoxLayout(this);
    columna->addLayout(cabeza);
    columna->addWidget(rejilla_, 1);
    columna->addWidget(totales_);
    columna->addWidget(panel);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { calcular(); });
    teclado_->asignar(Qt::Key_F9, [this] { logica_->movimientoAcreedor(); });
    teclado_->asignar(Qt::Key_F8, [this] { logica_->saldos(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrarPantalla(this); });
    teclado_->asignarEn(rejilla_->vista(), Qt::Key_Return, [this] { logica_->movimientoAcreedor(); });
    connect(rejilla_, &Rejilla::activada, this, [this](int fila) {
        logica_->movimiento().setCurrentRow(fila);
        logica_->movimientoAcreedor();
    });
    connect(desde_, &QDateEdit::dateChanged, this, [this](QDate d) { logica_->setDesde(d); });
    connect(hasta_, &QDateEdit::dateChanged, this, [this](QDate d) { logica_->setHasta(d); });
}

TfmovicuenxpagarVista::~TfmovicuenxpagarVista() = default;

void TfmovicuenxpagarVista::calcular() {
    if (!logica_->calcular()) return;
    const auto t = logica_->totales();
    totales_->setText(QStringLiteral("Totales:  Inicial %1   Cargos %2   Descuentos %3   Abonos %4   Final %5")
                          .arg(textoDinero(t.inicial), textoDinero(t.debitos), textoDinero(t.creditos),
                               textoDinero(t.abonos), textoDinero(t.final_)));
    rejilla_->vista()->setFocus();
}

QWidget* crearTfmovicuenxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfmovicuenxpagar>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return new TfmovicuenxpagarVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
