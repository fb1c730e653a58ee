#include "documents/programacion/TfbuscaprogpagosVista.h"

#include "comunes/Presentacion.h"
#include "data/Interaccion.h"
#include "documents/programacion/TfprogcxpVista.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

TfbuscaprogpagosVista::TfbuscaprogpagosVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                             const Configuracion& configuracion, QWidget* padre)
    : BusquedaBase(interaccion, padre), interaccion_(interaccion),
      logica_(std::make_unique<BusquedaProgramacion>(sesion, interaccion, manejador, configuracion, resultado())) {
    setObjectName(QStringLiteral("Tfbuscaprogpagos"));
    setWindowTitle(kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 460);
    setBaseDatos(&sesion.compania);
    setColumnas(BusquedaProgramacion::columnas(), 1);
    setModoSinPosicion(ModoBusqueda::DesdeValor);
    BusquedaProgramacion* l = logica_.get();
    l->setAlRefrescar([this] { refrescar(); });
    setConsultaBase([l] { return l->consultaAgrupada(); }, QStringLiteral(" where "));
    setManejadorErrores(
        [&manejador](const std::exception& e) { manejador.ManejarError(e, QStringLiteral("QBuscaProgramacion")); });
    rejilla()->setNombreArchivo(QStringLiteral("BuscProgPagos"));
    rejilla()->setTitulo(kTitulo);
    rejilla()->setAnchoColumna(QStringLiteral("CONC"), 36);

    // F5 goes on in the open dispersal panel; else it is a new plan.
    agregarBoton(QStringLiteral("F5:Nuevo"), Qt::Key_F5, [this] { panel_->isVisible() ? continuar() : nuevo(); });
    setAlConsultar([this] { consultar(); });
    setAlAnular([this] { anular(); }, QStringLiteral("F3:Anular"));
    agregarBoton(QStringLiteral("F9:Exportar"), Qt::Key_F9, [this] { abrirPanel(); });
    setAlSalir([this] {
        if (panel_->isVisible()) cerrarPanel();
        else cerrarPantalla(this);
    });

    // ---- the dispersal panel, above the buttons
    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("panelDispersion"));
    panel_->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(panel_);
    g->setContentsMargins(6, 4, 6, 4);
    g->setVerticalSpacing(3);
    fecha_ = new QDateEdit(QDate::currentDate(), panel_);
    fecha_->setObjectName(QStringLiteral("fechaDispersion"));
    fecha_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    fecha_->setCalendarPopup(true);
    secuencia_ = new QLineEdit(panel_);
    secuencia_->setObjectName(QStringLiteral("secuencia"));
    secuencia_->setFixedWidth(60);
    formato_ = new QComboBox(panel_);
    formato_->setObjectName(QStringLiteral("formato"));
    formato_->addItems({QStringLiteral("PAB"), QStringLiteral("MANUAL"), QStringLiteral("BCOBTA")});
    g->addWidget(new QLabel(QStringLiteral("<b>Archivo de dispersión</b>"), panel_), 0, 0, 1, 7);
    g->addWidget(new QLabel(QStringLiteral("Fecha dispersión:"), panel_), 1, 0);
    g->addWidget(fecha_, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Secuencia:"), panel_), 1, 2);
    g->addWidget(secuencia_, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Formato:"), panel_), 1, 4);
    g->addWidget(formato_, 1, 5);
    auto* h = new QHBoxLayout;
    for (const auto& [texto, f] : {std::pair{QStringLiteral("F5:Continuar"), &TfbuscaprogpagosVista::continuar},
                                   std::pair{QStringLiteral("Esc:Salir"), &TfbuscaprogpagosVista::cerrarPanel}}) {
        auto* b = new QPushButton(texto, panel_);
        b->setObjectName(QStringLiteral("panel ") + texto);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, f, &manejador] { manejador.proteger([this, f] { (this->*f)(); }); });
        h->addWidget(b);
    }
    h->addStretch();
    g->addLayout(h, 2, 0, 1, 7);
    g->setColumnStretch(6, 1);
    panel_->hide();
    if (auto* capa = qobject_cast<QVBoxLayout*>(layout())) capa->insertWidget(capa->count() - 1, panel_);

    connect(this, &BusquedaBase::buscado, this, [this](int) { rotular(); });
    pedirArchivo_ = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Archivo de dispersión"), QString(),
                                            QStringLiteral("Text files (*.txt)"));
    };
}

TfbuscaprogpagosVista::~TfbuscaprogpagosVista() = default;

void TfbuscaprogpagosVista::showEvent(QShowEvent* evento) {
    BusquedaBase::showEvent(evento);
    if (colocada_) return;
    colocada_ = true;
    centrarEnArea(this, tamanoEnArea(this, QSize(900, 460)));
}

bool TfbuscaprogpagosVista::abrirInicial() { return abrir(logica_->consultaInicial()); }

void TfbuscaprogpagosVista::rotular() {
    DataSet& r = resultado();
    static const std::pair<const char*, const char*> rotulos[] = {
        {"CONC", "Concepto"}, {"ANULADO", "Anulado"}, {"NUMERO", "Número"},     {"PREF", "Pref"},
        {"FECHA", "Fecha"},   {"MONTO", "Monto"},     {"CONFIRMADO", "Confirma"}, {"ITEMS", "Pagos"}};
    for (const auto& [campo, rotulo] : rotulos)
        if (r.fieldIndex(QString::fromLatin1(campo)) >= 0)
            r.field(QString::fromLatin1(campo)).setLabel(QString::fromUtf8(rotulo));
    if (r.fieldIndex(QStringLiteral("ID")) >= 0) r.field(QStringLiteral("ID")).setVisible(false);
}

void TfbuscaprogpagosVista::refrescar() {
    const int64_t id = resultado().isEmpty() ? 0 : resultado().asInt(QStringLiteral("ID"));
    if (!buscar()) return;
    if (id != 0) resultado().locate(QStringLiteral("ID"), fb::Value(id));
}

void TfbuscaprogpagosVista::abrirPlan(int64_t id) {
    interaccion_.abrirPantalla(QStringLiteral("Tfprogcxp"), {{QStringLiteral("id"), qlonglong(id)},
                                                              {QStringLiteral("avisar"), QVariant::fromValue<QObject*>(this)}});
}

void TfbuscaprogpagosVista::nuevo() { abrirPlan(0); }

void TfbuscaprogpagosVista::consultar() {
    if (!resultado().isEmpty()) abrirPlan(resultado().asInt(QStringLiteral("ID")));
}

void TfbuscaprogpagosVista::anular() {
    logica_->anular();
}

void TfbuscaprogpagosVista::abrirPanel() {
    if (resultado().isEmpty()) return;
    panel_->show();
    secuencia_->setFocus();
}

void TfbuscaprogpagosVista::cerrarPanel() {
    panel_->hide();
    rejilla()->vista()->setFocus();
}

void TfbuscaprogpagosVista::continuar() {
    if (!panel_->isVisible() || resultado().isEmpty()) return;
    const int64_t id = resultado().asInt(QStringLiteral("ID"));
    const QString ruta = pedirArchivo_ ? pedirArchivo_() : QString();
    if (ruta.isEmpty()) return;
    const auto lineas = logica_->exportar(id, fecha_->date(), secuencia_->text().trimmed(), formato_->currentText(), ruta);
    if (!lineas) return;
    interaccion_.informacion(QStringLiteral("Archivo de dispersión generado: %1 líneas.").arg(*lineas));
    cerrarPanel();
}

}  // namespace cxp
