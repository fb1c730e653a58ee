#include "ledger/TfanalisiscxpVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ledger/GraficoBandas.h"
#include "ledger/VistaLedger.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

const QStringList& TfanalisiscxpVista::columnas() {
    static const QStringList c{"NIT",  "NOMBRE",  "TELEFONO", "CIUDAD",    "GRUPO", "DIAS",    "DTOF",
                               "FECDTOF", "SALDO", "CORRIENTE", "CERO", "TREINTA", "SESENTA", "NOVENTA"};
    return c;
}

TfanalisiscxpVista::TfanalisiscxpVista(std::unique_ptr<Tfanalisiscxp> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfanalisiscxp"));
    Tfanalisiscxp& l = *logica_;
    setWindowTitle(l.titulo());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1100, 520);

    corte_ = new QDateEdit(l.corte(), this);
    corte_->setObjectName(QStringLiteral("corte"));
    corte_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    corte_->setCalendarPopup(true);
    rango_ = new QSpinBox(this);
    rango_->setObjectName(QStringLiteral("rango"));
    rango_->setRange(0, 3650);
    rango_->setValue(l.rango());
    agencia_ = new QComboBox(this);
    agencia_->setObjectName(QStringLiteral("agencia"));
    for (const OpcionAgencia& a : l.agencias()) agencia_->addItem(a.nombre, a.id);
    agencia_->setCurrentIndex(std::max(0, agencia_->findData(l.agencia())));
    agencia_->setEnabled(l.agencias().size() > 1);
    auto* etiquetaMoneda = new QLabel(QStringLiteral("Moneda:"), this);
    QComboBox* moneda = comboMoneda(this, etiquetaMoneda, l, [this](int c) { logica_->setMoneda(c); });
    ceros_ = new QCheckBox(QStringLiteral("Incluir acreedores en cero"), this);
    ceros_->setObjectName(QStringLiteral("ceros"));

    rejilla_ = new Rejilla(l.analisis(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(Tfanalisiscxp::kArchivo);
    rejilla_->setTitulo(l.titulo());
    rejilla_->setAnchoColumna(QStringLiteral("NIT"), 11);
    rejilla_->setAnchoColumna(QStringLiteral("NOMBRE"), 24);
    rejilla_->setAnchoColumna(QStringLiteral("TELEFONO"), 10);
    rejilla_->setAnchoColumna(QStringLiteral("CIUDAD"), 10);
    rejilla_->setAnchoColumna(QStringLiteral("GRUPO"), 5);
    rejilla_->setAnchoColumna(QStringLiteral("DIAS"), 5);
    mantenerOrden(rejilla_, columnas());
    QCheckBox* filtros = rejilla_->crearCasillaFiltros(this);

    grafico_ = new GraficoBandas(this);
    grafico_->setVisible(!l.descuentos());

    auto* cabeza = new QHBoxLayout;
    cabeza->addWidget(new QLabel(QStringLiteral("Corte:"), this));
    cabeza->addWidget(corte_);
    cabeza->addWidget(new QLabel(QStringLiteral("Rango días:"), this));
    cabeza->addWidget(rango_);
    cabeza->addWidget(new QLabel(QStringLiteral("Agencia:"), this));
    cabeza->addWidget(agencia_);
    cabeza->addWidget(etiquetaMoneda);
    cabeza->addWidget(moneda);
    cabeza->addWidget(ceros_);
    cabeza->addStretch();
    cabeza->addWidget(filtros);

    auto* division = new QSplitter(Qt::Vertical, this);
    division->addWidget(rejilla_);
    division->addWidget(grafico_);
    division->setStretchFactor(0, 3);
    division->setStretchFactor(1, 2);

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2:Calcula"), [this] { calcular(); });
    botonDePanel(panel, QStringLiteral("F8:Saldos"), [this] { logica_->saldos(); });
    botonDePanel(panel, QStringLiteral("F9:Movmto."), [this] { logica_->movimiento(); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });

    auto* columna = new QVBoxLayout(this);
    columna->addLayout(cabeza);
    columna->addWidget(division, 1);
    columna->addWidget(panel);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { calcular(); });
    teclado_->asignar(Qt::Key_F8, [this] { logica_->saldos(); });
    teclado_->asignar(Qt::Key_F9, [this] { logica_->movimiento(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrarPantalla(this); });

    connect(corte_, &QDateEdit::dateChanged, this, [this](QDate d) { logica_->setCorte(d); });
    connect(rango_, &QSpinBox::valueChanged, this, [this](int d) { logica_->setRango(d); });
    connect(agencia_, &QComboBox::currentIndexChanged, this,
            [this](int) { logica_->setAgencia(agencia_->currentData().toInt()); });
    connect(ceros_, &QCheckBox::toggled, this, [this](bool on) { logica_->setIncluirCeros(on); });
    connect(rejilla_->vista()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { actualizarGrafico(); });
    // Back from the open documents or the movement: the focus comes into
    // this screen again from another one.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* antes, QWidget* ahora) {
        if (ahora && isAncestorOf(ahora) && (!antes || !isAncestorOf(antes))) logica_->volver();
    });
    actualizarGrafico();
}

TfanalisiscxpVista::~TfanalisiscxpVista() = default;

void TfanalisiscxpVista::calcular() {
    if (!logica_->calcular()) return;
    actualizarGrafico();
    rejilla_->vista()->setFocus();
}

void TfanalisiscxpVista::actualizarGrafico() {
    if (logica_->descuentos()) return;
    std::vector<int> filas;
    if (auto* s = rejilla_->vista()->selectionModel())
        for (const QModelIndex& i : s->selectedRows()) {
            const int f = rejilla_->filaDataSet(i.row());
            if (f >= 0) filas.push_back(f);
        }
    if (filas.size() < 2) filas.clear();
    const QString titulo = !logica_->analisis().isOpen()
                               ? QStringLiteral("Edades de las cuentas por pagar")
                               : filas.empty() ? QStringLiteral("Edades de las cuentas por pagar al %1")
                                                     .arg(logica_->corte().toString(QStringLiteral("yyyy/MM/dd")))
                                               : QStringLiteral("Edades de las %1 filas seleccionadas").arg(filas.size());
    grafico_->setBandas(logica_->analisis().isOpen() ? logica_->bandas(filas) : std::vector<Tfanalisiscxp::Banda>{},
                        titulo);
}

QWidget* crearTfanalisiscxp(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfanalisiscxp>(sesion, interaccion, manejador, configuracion,
                                                  args.value(QStringLiteral("descuentos_pronto_pago")).toBool());
    if (!logica->abrir()) return nullptr;
    return new TfanalisiscxpVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
