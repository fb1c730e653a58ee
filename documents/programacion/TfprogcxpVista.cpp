#include "documents/programacion/TfprogcxpVista.h"

#include "comunes/Presentacion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/BusquedaBase.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {

QLabel* total(QWidget* padre, const QString& nombre) {
    auto* e = new QLabel(padre);
    e->setObjectName(nombre);
    e->setMinimumWidth(120);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; }"));
    return e;
}

// Columns shown, in the order of the query, and their titles.
void titular(DataSet& ds, std::initializer_list<std::pair<const char*, const char*>> titulos) {
    if (!ds.isOpen()) return;
    for (int i = 0; i < ds.fieldCount(); ++i) ds.field(i).setVisible(false);
    for (const auto& [campo, titulo] : titulos) {
        const QString c = QString::fromLatin1(campo);
        if (ds.fieldIndex(c) < 0) continue;
        ds.field(c).setVisible(true);
        ds.field(c).setLabel(QString::fromUtf8(titulo));
    }
}

// The grid's columns in the order given (the query's order otherwise):
// what the clerk pays beside what is owed.
void ordenar(Rejilla* r, std::initializer_list<const char*> campos) {
    QHeaderView* h = r->vista()->horizontalHeader();
    int destino = 0;
    for (const char* campo : campos) {
        const int columna = r->modelo()->columnOf(QString::fromLatin1(campo));
        if (columna < 0) continue;
        h->moveSection(h->visualIndex(columna), destino++);
    }
}

}  // namespace

QSize tamanoEnArea(QWidget* vista, QSize tamano) {
    auto* sub = qobject_cast<QMdiSubWindow*>(vista->parentWidget());
    if (QMdiArea* area = sub ? sub->mdiArea() : nullptr)
        tamano = tamano.boundedTo(area->viewport()->size() - (sub->size() - vista->size()));
    return tamano;
}

TfprogcxpVista::TfprogcxpVista(std::unique_ptr<ProgramacionPagos> logica, Interaccion& interaccion,
                               ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion), manejador_(manejador) {
    setObjectName(QStringLiteral("Tfprogcxp"));
    setWindowTitle(kTitulo);
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->setAntesDeComando([this] { return enlaces_->confirmar(); });
    ProgramacionPagos& l = *logica_;
    DataSet& plan = l.plan();

    QFrame* botones = panelBotones(this, sesion);
    const auto orden = [this](void (TfprogcxpVista::*f)()) {
        return [this, f] { manejador_.proteger([this, f] { (this->*f)(); }); };
    };
    botonDePanel(botones, QStringLiteral("F2:Grabar"), orden(&TfprogcxpVista::grabar));
    botonDePanel(botones, QStringLiteral("F8:Pagar"), orden(&TfprogcxpVista::abrirPanel));
    botonDePanel(botones, QStringLiteral("F9:Movimientos"), orden(&TfprogcxpVista::movimientos));
    finPanel(botones);
    botonDePanel(botones, QStringLiteral("Esc:Salir"), orden(&TfprogcxpVista::escape));

    // ---- the plan
    const auto combo = [this, &plan](const QString& campo, const QList<OpcionBusqueda>& opciones) {
        auto* c = new QComboBox(this);
        c->setObjectName(campo);
        Enlaces::Claves claves;
        for (const OpcionBusqueda& o : opciones) claves.append({o.clave, o.nombre});
        enlaces_->enlazar(c, plan, campo, claves);
        return c;
    };
    const auto fecha = [this, &plan](const QString& campo) {
        auto* e = new QDateEdit(this);
        e->setObjectName(campo);
        e->setCalendarPopup(true);
        enlaces_->enlazar(e, plan, campo);
        return e;
    };
    QComboBox* prefijo = combo(QStringLiteral("PRPG_PREF"), l.prefijos());
    numero_ = enlaces_->linea(this, plan, QStringLiteral("PRPG_NUMERO"), 80);
    QDateEdit* corte = fecha(QStringLiteral("PRPG_FECHA"));
    agencia_ = new QComboBox(this);
    agencia_->setObjectName(QStringLiteral("agencia"));
    for (const OpcionBusqueda& o : l.agencias()) agencia_->addItem(o.nombre, o.clave.toInt());
    agencia_->setCurrentIndex(std::max(0, agencia_->findData(l.agencia())));
    QLineEdit* concepto = enlaces_->linea(this, plan, QStringLiteral("PRPG_CONC"), 0);
    concepto->setMinimumWidth(360);
    QComboBox* pregr = combo(QStringLiteral("PRPG_PREGR"), l.prefijosEgreso());
    QDateEdit* fecegr = fecha(QStringLiteral("PRPG_FECEGR"));
    auto* generar = new QCheckBox(QStringLiteral("Generar Egresos al grabar"), this);
    generar->setObjectName(QStringLiteral("PRPG_CONFIRMADO"));
    enlaces_->enlazar(generar, plan, QStringLiteral("PRPG_CONFIRMADO"));

    auto* cabecera = new QGridLayout;
    cabecera->setVerticalSpacing(3);
    int fila = 0;
    const auto linea = [&](std::initializer_list<std::pair<const char*, QWidget*>> partes) {
        auto* h = new QHBoxLayout;
        for (const auto& [titulo, w] : partes) {
            if (titulo && *titulo) h->addWidget(new QLabel(QString::fromUtf8(titulo), this));
            h->addWidget(w);
        }
        h->addStretch();
        cabecera->addLayout(h, fila++, 0);
    };
    linea({{"Prefijo:", prefijo}, {"Número:", numero_}, {"Corte:", corte}, {"Agencia:", agencia_}});
    linea({{"Concepto:", concepto}});
    linea({{"Pref. Egresos:", pregr}, {"Fecha egreso:", fecegr}, {"", generar}});

    // ---- the documents
    documentos_ = new Rejilla(l.documentos(), this);
    documentos_->setObjectName(QStringLiteral("documentos"));
    documentos_->setSoloLectura(true);
    documentos_->setInteraccion(&interaccion);
    documentos_->setNombreArchivo(QStringLiteral("ProgramacionCxp"));
    documentos_->setTitulo(kTitulo);
    documentos_->setAnchoColumna(QStringLiteral("NOMBRE"), 26);
    documentos_->setAnchoColumna(QStringLiteral("CONCEPTO"), 26);
    documentos_->setAnchoColumna(QStringLiteral("TIPONOM"), 9);
    documentos_->setAnchoColumna(QStringLiteral("PREFIJO"), 5);
    documentos_->setAnchoColumna(QStringLiteral("DIAS"), 5);
    soloAPagar_ = new QCheckBox(QStringLiteral("Solo documentos a pagar"), this);
    soloAPagar_->setObjectName(QStringLiteral("soloAPagar"));
    auto* pieDocumentos = new QHBoxLayout;
    pieDocumentos->addWidget(soloAPagar_);
    pieDocumentos->addWidget(documentos_->crearCasillaFiltros(this));
    pieDocumentos->addStretch();
    pieDocumentos->addWidget(new QLabel(QStringLiteral("Total pagos:"), this));
    pieDocumentos->addWidget(total(this, QStringLiteral("totalPagos")));

    // ---- the payment panel
    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("panelPago"));
    panel_->setFrameShape(QFrame::StyledPanel);
    auto* gp = new QGridLayout(panel_);
    gp->setContentsMargins(6, 4, 6, 4);
    gp->setVerticalSpacing(3);
    origen_ = new QComboBox(panel_);
    origen_->setObjectName(QStringLiteral("PRPG_COB"));
    origen_->addItems({QStringLiteral("Caja"), QStringLiteral("Banco")});
    tituloCaja_ = new QLabel(QStringLiteral("Caja:"), panel_);
    caja_ = new QComboBox(panel_);
    caja_->setObjectName(QStringLiteral("PRPG_IDCAJA"));
    caja_->setMinimumWidth(260);
    tituloClase_ = new QLabel(QStringLiteral("Tipo:"), panel_);
    clase_ = new QComboBox(panel_);
    clase_->setObjectName(QStringLiteral("PRPG_TIPOBCO"));
    clase_->setMinimumWidth(140);
    tituloPrefijo_ = new QLabel(QStringLiteral("Prefijo:"), panel_);
    prefijoBanco_ = new QComboBox(panel_);
    prefijoBanco_->setObjectName(QStringLiteral("PRPG_PREFBCO"));
    prefijoBanco_->setMinimumWidth(80);
    tituloValor_ = new QLabel(QStringLiteral("Valor a pagar:"), panel_);
    valor_ = new QLineEdit(panel_);
    valor_->setObjectName(QStringLiteral("PRPG_ABONO"));
    valor_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    valor_->setFixedWidth(130);
    egreso_ = new QCheckBox(QStringLiteral("Generar egreso"), panel_);
    egreso_->setObjectName(QStringLiteral("PRPG_EGRESO"));
    gp->addWidget(new QLabel(QStringLiteral("<b>Pagar</b>"), panel_), 0, 0, 1, 6);
    gp->addWidget(new QLabel(QStringLiteral("Pagar de:"), panel_), 1, 0);
    gp->addWidget(origen_, 1, 1);
    gp->addWidget(tituloCaja_, 1, 2);
    gp->addWidget(caja_, 1, 3, 1, 3);
    gp->addWidget(tituloClase_, 2, 0);
    gp->addWidget(clase_, 2, 1);
    gp->addWidget(tituloPrefijo_, 2, 2);
    gp->addWidget(prefijoBanco_, 2, 3);
    gp->addWidget(tituloValor_, 3, 0);
    gp->addWidget(valor_, 3, 1);
    gp->addWidget(egreso_, 3, 2, 1, 2);
    auto* botonesPanel = new QHBoxLayout;
    for (const auto& [texto, f] : {std::pair{QStringLiteral("F8:Pagar"), &TfprogcxpVista::pagar},
                                   std::pair{QStringLiteral("Esc:Salir"), &TfprogcxpVista::cerrarPanel}}) {
        auto* b = new QPushButton(texto, panel_);
        b->setObjectName(QStringLiteral("panel ") + texto);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, orden(f));
        botonesPanel->addWidget(b);
    }
    botonesPanel->addStretch();
    gp->addLayout(botonesPanel, 4, 0, 1, 6);
    gp->setColumnStretch(5, 1);
    panel_->hide();

    // ---- the money
    dinero_ = new Rejilla(l.dinero(), this);
    dinero_->setObjectName(QStringLiteral("dinero"));
    dinero_->setSoloLectura(true);
    dinero_->setInteraccion(&interaccion);
    dinero_->setNombreArchivo(QStringLiteral("DineroDisponible"));
    dinero_->setTitulo(QStringLiteral("Dinero disponible"));
    dinero_->setAnchoColumna(QStringLiteral("NOMBRE"), 40);
    auto* pieDinero = new QHBoxLayout;
    pieDinero->addStretch();
    pieDinero->addWidget(new QLabel(QStringLiteral("Total disponible:"), this));
    pieDinero->addWidget(total(this, QStringLiteral("totalDisponible")));
    pieDinero->addWidget(new QLabel(QStringLiteral("Diferencia:"), this));
    pieDinero->addWidget(total(this, QStringLiteral("diferencia")));

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(botones);
    todo->addLayout(cabecera);
    todo->addWidget(documentos_, 3);
    todo->addLayout(pieDocumentos);
    todo->addWidget(panel_);
    todo->addWidget(dinero_, 2);
    todo->addLayout(pieDinero);

    teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    teclado_->asignar(Qt::Key_F8, [this] { panel_->isVisible() ? pagar() : abrirPanel(); });
    teclado_->asignar(Qt::Key_F9, [this] { movimientos(); });
    teclado_->asignar(Qt::Key_Escape, [this] { panel_->isVisible() ? cerrarPanel() : escape(); });

    l.alComponer = [this] {
        rotular();
        refrescar();
    };
    connect(prefijo, &QComboBox::activated, this, [this] { refrescar(); });
    connect(agencia_, &QComboBox::activated, this, [this] {
        manejador_.proteger([this] { logica_->setAgencia(agencia_->currentData().toInt()); });
    });
    connect(soloAPagar_, &QCheckBox::toggled, this, [this](bool on) {
        manejador_.proteger([this, on] { logica_->soloAPagar(on); });
    });
    connect(origen_, &QComboBox::activated, this, [this] { llenarCajas(); });
    connect(caja_, &QComboBox::activated, this, [this] { llenarClases(); });
    connect(clase_, &QComboBox::activated, this, [this] { llenarPrefijos(); });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) { enlaces_->enfocar(campo); });
    setFocusProxy(concepto);
    resize(1000, 680);  // outside the main window
    rotular();
    refrescar();
}

TfprogcxpVista::~TfprogcxpVista() { logica_->alComponer = nullptr; }

void TfprogcxpVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (colocada_) return;
    colocada_ = true;
    // As large as it was made, within the main window's area.
    centrarEnArea(this, tamanoEnArea(this, QSize(1000, 680)));
}

QLabel* TfprogcxpVista::etiqueta(const QString& nombre) const { return findChild<QLabel*>(nombre); }

void TfprogcxpVista::rotular() {
    titular(logica_->documentos(), {{"NIT", "Nit"},
                                    {"NOMBRE", "Acreedor"},
                                    {"TIPONOM", "Documento"},
                                    {"PREFIJO", "Pref"},
                                    {"NUMERO", "Número"},
                                    {"CONCEPTO", "Concepto"},
                                    {"FECDOC", "Fecha"},
                                    {"VENCE", "Vence"},
                                    {"DIAS", "Dias"},
                                    {"SALDO", "Saldo"},
                                    {"RTFTE", "Rete fuente"},
                                    {"RTIVA", "Rete IVA"},
                                    {"RTICA", "Rete ICA"},
                                    {"DTOF", "Descto P.P."},
                                    {"NUMPROV", "Nro.Prov"},
                                    {"PAGO", "Pago"}});
    titular(logica_->dinero(), {{"COB", "Origen"},
                                {"IDCAJA", "Código"},
                                {"NOMBRE", "Nombre"},
                                {"CTABCO", "Tipo"},
                                {"NROBCO", "Cuenta"},
                                {"SALDO", "Saldo"}});
    ordenar(documentos_, {"NIT", "NOMBRE", "TIPONOM", "PREFIJO", "NUMERO", "VENCE", "DIAS", "SALDO", "PAGO", "CONCEPTO"});
}

void TfprogcxpVista::refrescar() {
    etiqueta(QStringLiteral("totalPagos"))->setText(logica_->totalPagos().texto(2));
    etiqueta(QStringLiteral("totalDisponible"))->setText(logica_->totalDisponible().texto(2));
    QLabel* diferencia = etiqueta(QStringLiteral("diferencia"));
    diferencia->setText(logica_->diferencia().texto(2));
    // Short of money: the difference in red.
    diferencia->setStyleSheet(logica_->diferencia() < Dinero() ? QStringLiteral("QLabel { font-weight: bold; color: #c00000; }")
                                                               : QStringLiteral("QLabel { font-weight: bold; color: #000080; }"));
    numero_->setReadOnly(logica_->numeroAutomatico());
}

bool TfprogcxpVista::confirmar() { return enlaces_->confirmar(); }

void TfprogcxpVista::grabar() {
    if (!confirmar()) return;
    if (!logica_->grabar()) return;
    emit grabado();
    BusquedaBase::cerrarPantalla(this);
}

void TfprogcxpVista::abrirPanel() {
    DataSet& docs = logica_->documentos();
    if (!docs.isOpen() || docs.isEmpty()) return;
    if (logica_->plan().asString(QStringLiteral("PRPG_PREGR")).trimmed().isEmpty()) {
        interaccion_.error(ProgramacionPagos::kSinPrefijoEgresos);
        return;
    }
    QList<int> filas;
    for (const QModelIndex& i : documentos_->vista()->selectionModel()->selectedRows())
        filas << documentos_->filaDataSet(i.row());
    filas.removeAll(-1);
    if (filas.size() < 2) filas = {docs.currentRow()};
    elegidas_.clear();
    for (const int f : filas)
        elegidas_.append({int(docs.row(f).asInt(QStringLiteral("TIPO"))), docs.row(f).asInt(QStringLiteral("ID"))});
    const PagoProgramado p = logica_->propuesta(filas.first());
    const bool uno = elegidas_.size() == 1;
    tituloValor_->setVisible(uno);
    valor_->setVisible(uno);
    valor_->setText(uno && p.valor ? p.valor->texto(2) : QString());
    egreso_->setChecked(p.egreso);
    origen_->setCurrentIndex(p.banco ? 1 : 0);
    llenarCajas();
    caja_->setCurrentIndex(std::max(0, caja_->findData(p.caja)));
    llenarClases();
    if (p.banco) {
        // The kind stored is its code: 72 is the cheque, any other the withdrawal.
        for (int i = 0; i < clase_->count(); ++i)
            if ((clase_->itemText(i).toUpper() == QLatin1String("CHEQUE")) == (p.clase == QLatin1String("CHEQUE")))
                clase_->setCurrentIndex(i);
        llenarPrefijos();
        prefijoBanco_->setCurrentIndex(std::max(0, prefijoBanco_->findText(p.prefijoBanco)));
    }
    panel_->show();
    origen_->setFocus();
}

void TfprogcxpVista::llenarCajas() {
    const bool banco = origen_->currentIndex() == 1;
    tituloCaja_->setText(banco ? QStringLiteral("Cuenta:") : QStringLiteral("Caja:"));
    const QString cob = banco ? QStringLiteral("BANCO") : QStringLiteral("CAJA");
    {
        const QSignalBlocker b(caja_);
        caja_->clear();
        const DataSet& d = logica_->dinero();
        for (int i = 0; d.isOpen() && i < d.recordCount(); ++i) {
            const RecordRef r = d.row(i);
            if (r.asString(QStringLiteral("COB")).trimmed() != cob) continue;
            caja_->addItem(r.asString(QStringLiteral("NOMBRE")).trimmed(), int(r.asInt(QStringLiteral("IDCAJA"))));
        }
    }
    for (QWidget* w : std::initializer_list<QWidget*>{tituloClase_, clase_, tituloPrefijo_, prefijoBanco_})
        w->setVisible(banco);
    llenarClases();
}

void TfprogcxpVista::llenarClases() {
    const QSignalBlocker b(clase_);
    clase_->clear();
    if (origen_->currentIndex() == 1 && caja_->currentIndex() >= 0)
        manejador_.proteger([this] { clase_->addItems(logica_->clasesBanco(caja_->currentData().toInt())); });
    llenarPrefijos();
}

void TfprogcxpVista::llenarPrefijos() {
    const QSignalBlocker b(prefijoBanco_);
    prefijoBanco_->clear();
    if (origen_->currentIndex() == 1 && caja_->currentIndex() >= 0 && clase_->currentIndex() >= 0)
        manejador_.proteger([this] {
            prefijoBanco_->addItems(logica_->prefijosBanco(caja_->currentData().toInt(), clase_->currentText()));
        });
}

void TfprogcxpVista::pagar() {
    if (!panel_->isVisible()) return;
    PagoProgramado p;
    p.banco = origen_->currentIndex() == 1;
    if (caja_->currentIndex() < 0) {
        interaccion_.error(p.banco ? QStringLiteral("Debe indicar la cuenta de la que se paga.")
                                   : QStringLiteral("Debe indicar la caja de la que se paga."));
        caja_->setFocus();
        return;
    }
    p.caja = caja_->currentData().toInt();
    if (p.banco) {
        if (prefijoBanco_->currentIndex() < 0) {
            interaccion_.error(QStringLiteral("Debe indicar el prefijo del documento del banco."));
            clase_->setFocus();
            return;
        }
        p.clase = clase_->currentText();
        p.prefijoBanco = prefijoBanco_->currentText();
    }
    p.egreso = egreso_->isChecked();
    if (valor_->isVisible()) {
        const auto v = Dinero::desdeTextoTecleado(valor_->text().trimmed());
        if (!v) {
            interaccion_.error(QStringLiteral("Valor a pagar: «%1» no es un valor válido.").arg(valor_->text()));
            valor_->setFocus();
            return;
        }
        p.valor = v;
    }
    QList<int> filas;
    const DataSet& docs = logica_->documentos();
    for (const auto& [tipo, id] : elegidas_)
        for (int i = 0; i < docs.recordCount(); ++i)
            if (docs.row(i).asInt(QStringLiteral("TIPO")) == tipo && docs.row(i).asInt(QStringLiteral("ID")) == id)
                filas << i;
    // A document no longer listed (another cut-off or agency) is not paid.
    if (filas.size() != elegidas_.size()) {
        cerrarPanel();
        interaccion_.error(QStringLiteral("Los documentos elegidos ya no están en la lista: elíjalos de nuevo."));
        return;
    }
    if (!logica_->pagar(filas, p)) return;
    cerrarPanel();
}

void TfprogcxpVista::cerrarPanel() {
    panel_->hide();
    elegidas_.clear();
    documentos_->vista()->setFocus();
}

void TfprogcxpVista::movimientos() {
    DataSet& d = logica_->documentos();
    if (!d.isOpen() || d.isEmpty()) return;
    const QDate corte = logica_->plan().asDate(QStringLiteral("PRPG_FECHA"));
    const QDate desde = d.isNull(QStringLiteral("FECDOC")) ? QDate(corte.year(), 1, 1) : d.asDate(QStringLiteral("FECDOC"));
    interaccion_.abrirPantalla(QStringLiteral("Tfmovimientos"),
                               {{QStringLiteral("nit"), d.asString(QStringLiteral("NIT")).trimmed()},
                                {QStringLiteral("nombre"), d.asString(QStringLiteral("NOMBRE")).trimmed()},
                                {QStringLiteral("desde"), std::min(desde, corte)},
                                {QStringLiteral("hasta"), corte}});
}

void TfprogcxpVista::escape() { BusquedaBase::cerrarPantalla(this); }

}  // namespace cxp
