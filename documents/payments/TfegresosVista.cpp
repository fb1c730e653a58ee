#include "documents/payments/TfegresosVista.h"

#include "comunes/Delegados.h"
#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "documents/payments/DocumentosPagados.h"
#include "documents/payments/FormasPago.h"
#include "documents/payments/LineasContablesEgreso.h"
#include "documents/payments/MediosPagoVista.h"
#include "ledger/VistaLedger.h"
#include "ui/BusquedaBase.h"
#include "ui/DobleClic.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace cxp {

namespace {

const QStringList kTotales{"EGRE_MONTO", "EGRE_RTFTEMONTO", "EGRE_RTIVAMONTO", "EGRE_RTICAMONTO", "EGRE_RTCREE",
                           "EGRE_DTOF"};

Enlaces::Claves claves(const QList<OpcionBusqueda>& opciones) {
    Enlaces::Claves r;
    for (const OpcionBusqueda& o : opciones) r.append({o.clave, o.nombre});
    return r;
}

QStringList nombres(const QList<OpcionBusqueda>& opciones) {
    QStringList r;
    for (const OpcionBusqueda& o : opciones) r << o.nombre;
    return r;
}

// A column shown but never typed in.
class SinEdicion : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override { return nullptr; }
};

// The widget taking the focus runs `f` first (a list read again).
class AlEnfocar : public QObject {
public:
    AlEnfocar(QWidget* w, std::function<void()> f) : QObject(w), f_(std::move(f)) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::MouseButtonPress) f_();
        return false;
    }

private:
    std::function<void()> f_;
};

// A double click on a cell: the column's field name, and the row made current.
class DobleClicCelda : public QObject {
public:
    DobleClicCelda(Rejilla* rejilla, std::function<void(const QString&)> f) : QObject(rejilla), rejilla_(rejilla), f_(std::move(f)) {
        rejilla_->vista()->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonDblClick) return false;
        const QModelIndex i = rejilla_->vista()->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint());
        DataSet* ds = rejilla_->dataSet();
        QString campo;
        if (i.isValid() && ds) {
            const int f = rejilla_->modelo()->fieldIndex(i.column());
            if (f >= 0) campo = ds->field(f).name();
            const int fila = rejilla_->filaDataSet(i.row());
            if (fila >= 0 && fila != ds->currentRow() && confirmarEdicion(rejilla_->vista())) ds->setCurrentRow(fila);
        }
        f_(campo);
        return true;
    }

private:
    Rejilla* rejilla_;
    std::function<void(const QString&)> f_;
};

// Columns as narrow as what they show, so that a row fits the window.
void anchos(Rejilla* r, const DataSet& ds) {
    for (int k = 0; k < ds.fieldCount(); ++k) {
        const Field& f = ds.field(k);
        if (!f.visible()) continue;
        const int ancho = f.isNumeric() ? 14 : std::clamp(f.size(), 4, 24);
        r->setAnchoColumna(f.name(), std::max<int>(ancho, int(f.label().size())));
    }
}

}  // namespace

TfegresosVista::TfegresosVista(std::unique_ptr<Tfegresos> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), manejador_(manejador) {
    setObjectName(QStringLiteral("Tfegresos"));
    setWindowTitle(QStringLiteral("Egresos"));
    Tfegresos* l = logica_.get();
    DataSet& e = l->egreso();
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& x) { manejador.ENoManejada(x); });
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([this, &manejador](const Teclado::Comando& c) {
        manejador.proteger(c);
        refrescar();
    });
    teclado_->setAntesDeComando([this] { return confirmar(); });
    auto orden = [this, &manejador](std::function<void()> f) {
        return [this, f = std::move(f), &manejador] {
            if (!confirmar()) return;
            manejador.proteger(f);
            refrescar();
        };
    };

    // ---- key legend
    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2:Grabar"), orden([l] { l->teclaF2(); }));
    QPushButton* caja = botonDePanel(panel, QStringLiteral("F4: Pago caja"), orden([l] { l->abrirCaja(); }));
    caja->setObjectName(QStringLiteral("botonCaja"));
    QPushButton* banco = botonDePanel(panel, QStringLiteral("F5: Pago banco"), orden([l] { l->abrirBanco(); }));
    banco->setObjectName(QStringLiteral("botonBanco"));
    botonDePanel(panel, QStringLiteral("F6:Terceros"), orden([l] { l->teclaF6(); }));
    botonDePanel(panel, QStringLiteral("F7: Cruce cuentas"), orden([l] { l->teclaF7(); }));
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { teclaEsc(); });

    // ---- header
    auto* prefijo = new QComboBox(this);
    prefijo->setObjectName(QStringLiteral("PREF_PRE"));
    enlaces_->enlazar(prefijo, e, QStringLiteral("PREF_PRE"), claves(l->prefijos()));
    campos_.insert(QStringLiteral("PREF_PRE"), prefijo);
    QLineEdit* numero = linea(QStringLiteral("EGRE_NUMERO"), e, 80);
    auto* fecha = new QDateEdit(this);
    fecha->setObjectName(QStringLiteral("EGRE_FECHA"));
    fecha->setCalendarPopup(true);
    enlaces_->enlazar(fecha, e, QStringLiteral("EGRE_FECHA"));
    fecha->setReadOnly(l->fechaInhabilitada());
    campos_.insert(QStringLiteral("EGRE_FECHA"), fecha);
    auto combo = [this, &e](const QString& campo, const QList<OpcionBusqueda>& lista) {
        auto* c = new QComboBox(this);
        c->setObjectName(campo);
        c->setMinimumWidth(150);
        enlaces_->enlazar(c, e, campo, claves(lista));
        campos_.insert(campo, c);
        return c;
    };
    QComboBox* tipo = combo(QStringLiteral("EGRE_TIPO"), Tfegresos::tiposEgreso());
    QComboBox* clase = combo(QStringLiteral("CLEG_ID"), l->clases());
    // Classes edited in their maintenance meanwhile show when the clerk
    // comes back to the combo.
    new AlEnfocar(clase, [l, &manejador] { manejador.proteger([l] { l->recargarClases(); }); });
    connect(l, &Tfegresos::clasesCambiadas, this,
            [this, l, clase] { enlaces_->cambiarClaves(clase, claves(l->clases())); });
    QComboBox* cajaDestino = combo(QStringLiteral("CAJA_ID"), l->formasPago().cajas());
    auto* buscarEgresos = new QPushButton(QStringLiteral("Buscar egresos"), this);
    buscarEgresos->setObjectName(QStringLiteral("buscarEgresos"));
    auto* clases = new QPushButton(QStringLiteral("Clases"), this);
    clases->setObjectName(QStringLiteral("botonClases"));
    auto* buscarNit = new QPushButton(QStringLiteral("..."), this);
    buscarNit->setObjectName(QStringLiteral("buscarAcreedor"));
    buscarNit->setMaximumWidth(28);
    for (QPushButton* b : {buscarEgresos, clases, buscarNit}) b->setFocusPolicy(Qt::NoFocus);
    connect(buscarEgresos, &QPushButton::clicked, this, orden([l] { l->abrirBusqueda(); }));
    connect(clases, &QPushButton::clicked, this, orden([l] { l->abrirClases(); }));
    connect(buscarNit, &QPushButton::clicked, this, orden([l] { l->buscarAcreedor(); }));
    QLineEdit* nit = linea(QStringLiteral("TERC_NIT"), e, 120);
    nit->installEventFilter(new DobleClic(nit, orden([l] { l->buscarAcreedor(); })));
    teclado_->busqueda(nit, [l](const QString&) { l->buscarAcreedor(); });

    auto* cabecera = new QGridLayout;
    cabecera->setHorizontalSpacing(6);
    cabecera->setVerticalSpacing(3);
    int f = 0;
    auto fila = [&](std::initializer_list<std::pair<const char*, QWidget*>> partes) {
        auto* h = new QHBoxLayout;
        for (const auto& [titulo, w] : partes) {
            if (titulo && *titulo) {
                auto* t = new QLabel(QString::fromUtf8(titulo), this);
                t->setObjectName(QStringLiteral("rotulo_") + w->objectName());
                h->addWidget(t);
            }
            h->addWidget(w);
        }
        h->addStretch();
        cabecera->addLayout(h, f++, 0);
    };
    fila({{"Prefijo:", prefijo}, {"Número:", numero}, {"Fecha:", fecha}, {"", buscarEgresos}});
    fila({{"Tipo egreso:", tipo}, {"Clase:", clase}, {"", clases}, {"Caja destino:", cajaDestino}});
    QLabel* nombreAcreedor = nombre(QStringLiteral("nombreAcreedor"));
    nombreAcreedor->setMinimumWidth(320);
    fila({{"Nit:", nit}, {"", buscarNit}, {"", nombreAcreedor}});
    fila({{"Concepto:", linea(QStringLiteral("EGRE_CONC"), e, 430)}});
    if (l->preguntaTasa()) {
        moneda_ = new QComboBox(this);
        moneda_->setObjectName(QStringLiteral("moneda"));
        for (const OpcionBusqueda& o : l->monedas()) moneda_->addItem(o.nombre, o.clave.toInt());
        connect(moneda_, &QComboBox::activated, this, [this](int i) {
            const int codigo = moneda_->itemData(i).toInt();
            manejador_.proteger([this, codigo] { logica_->setMoneda(codigo); });
            refrescar();
        });
        fila({{"Moneda:", moneda_}, {"Tasa:", linea(QStringLiteral("EGRE_TRM"), e, 100)}});
    }

    // ---- totals
    auto* valores = new QGroupBox(QStringLiteral("Valores"), this);
    auto* gv = new QGridLayout(valores);
    gv->setVerticalSpacing(2);
    const std::pair<const char*, const char*> totales[] = {
        {"EGRE_MONTO", "Monto:"},           {"EGRE_EXCEDENTE", "Excedente:"}, {"EGRE_RTFTEMONTO", "Ret. fuente:"},
        {"EGRE_RTIVAMONTO", "Ret. IVA:"},   {"EGRE_RTICAMONTO", "Ret. ICA:"}, {"EGRE_RTCREE", "AutoRenta:"},
        {"EGRE_DTOF", "Descuento:"}};
    int i = 0;
    for (const auto& [c, t] : totales) {
        gv->addWidget(new QLabel(QString::fromUtf8(t), valores), i / 4, (i % 4) * 2);
        gv->addWidget(linea(QString::fromLatin1(c), e, 120), i / 4, (i % 4) * 2 + 1);
        ++i;
    }
    const std::pair<const char*, const char*> sumas[] = {
        {"sumAbono", "Documentos:"}, {"sumCruce", "Cruces:"}, {"sumCaja", "Caja:"}, {"sumBanco", "Banco:"}};
    int j = 0;
    for (const auto& [o, t] : sumas) {
        QLabel* v = nombre(QString::fromLatin1(o));
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        v->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; }"));
        gv->addWidget(new QLabel(QString::fromUtf8(t), valores), 2, j * 2);
        gv->addWidget(v, 2, j * 2 + 1);
        ++j;
    }

    auto* observaciones = new QPlainTextEdit(this);
    observaciones->setObjectName(QStringLiteral("EGRE_OBS"));
    observaciones->setMaximumHeight(42);
    observaciones->setTabChangesFocus(true);
    enlaces_->enlazar(observaciones, e, QStringLiteral("EGRE_OBS"));
    campos_.insert(QStringLiteral("EGRE_OBS"), observaciones);

    // ---- documents panel
    const std::vector<std::pair<const char*, const char*>> columnasDocs{
        {"TIDO_NOMCORTO", "Tipo doc."}, {"EGDE_PREFIJO", "Prefijo"},  {"EGDE_NUMERO", "Número"},
        {"EGDE_NUMPROV", "No.Prov."},   {"EGDE_ABONO", "Abono"},      {"EGDE_RTFTE", "Ret. fuente"},
        {"EGDE_RTIVA", "Ret. IVA"},     {"EGDE_RTICA", "Ret. ICA"},   {"EGDE_RCREE", "AutoRenta"},
        {"EGDE_DTOF", "Descuento"}};
    documentos_ = panelRejilla(QStringLiteral("panelDocumentos"), QStringLiteral("Pago cuenta por pagar"),
                               rejillaDocumentos_, l->detalle(), columnasDocs);
    // Withholdings already discounted when the debt was caused are shown,
    // not typed (the rules still set them).
    if (l->retencionesSoloLectura())
        for (const char* c : {"EGDE_RTFTE", "EGDE_RTIVA", "EGDE_RTICA", "EGDE_RCREE"})
            if (int col = rejillaDocumentos_->modelo()->columnOf(QString::fromLatin1(c)); col >= 0)
                rejillaDocumentos_->vista()->setItemDelegateForColumn(col, new SinEdicion(rejillaDocumentos_->vista()));
    {
        auto* h = new QHBoxLayout;
        for (const auto& [t, fn] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
                 {"F2:Continuar", [l] { l->continuarDocumentos(); }},
                 {"Esc:Salir", [l] { l->salirDocumentos(); }},
                 {"F4:Anticipo", [l] { l->registrarAnticipo(); }},
                 {"F8:C. x Pagar", [l] { l->elegirCxpagar(); }},
                 {"F9:Conceptos", [l] { l->elegirConcepto(); }}}) {
            auto* b = new QPushButton(QString::fromUtf8(t), documentos_);
            b->setFocusPolicy(Qt::NoFocus);
            connect(b, &QPushButton::clicked, this, orden(fn));
            h->addWidget(b);
        }
        h->addStretch();
        static_cast<QVBoxLayout*>(documentos_->layout())->addLayout(h);
    }
    new DobleClicCelda(rejillaDocumentos_, [this, orden](const QString&) { orden([this] { logica_->elegirCxpagar(); })(); });

    // ---- crossing panel
    const std::vector<std::pair<const char*, const char*>> columnasCruce{
        {"TIDO_NOMCORTO", "Tipo doc."}, {"EGCC_PREFIJO", "Prefijo"}, {"EGCC_NUMERO", "Número"},
        {"EGCC_ABONO", "Abono"},        {"EGCC_RTFTE", "Ret. fuente"}, {"EGCC_RTIVA", "Ret. IVA"},
        {"EGCC_RTICA", "Ret. ICA"},     {"EGCC_RCREE", "AutoRenta"}, {"EGCC_DTOF", "Descuento"},
        {"EGCC_SUCURSAL", "Sucursal"}};
    cruce_ = panelRejilla(QStringLiteral("panelCruce"), QStringLiteral("Pago de Cliente"), rejillaCruce_, l->cruce(),
                          columnasCruce);
    {
        auto* h = new QHBoxLayout;
        for (const auto& [t, fn] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
                 {"F2:Continuar", [l] { l->continuarCruce(); }},
                 {"Esc:Salir", [l] { l->salirCruce(); }},
                 {"F8:Cartera", [l] { l->elegirCartera(); }}}) {
            auto* b = new QPushButton(QString::fromUtf8(t), cruce_);
            b->setFocusPolicy(Qt::NoFocus);
            connect(b, &QPushButton::clicked, this, orden(fn));
            h->addWidget(b);
        }
        h->addStretch();
        static_cast<QVBoxLayout*>(cruce_->layout())->addLayout(h);
    }
    // Short names typed from the lists of payables and receivables types.
    for (auto [r, lista] : {std::pair{rejillaDocumentos_, &l->tiposCxpagar()}, std::pair{rejillaCruce_, &l->tiposCartera()}})
        if (int col = r->modelo()->columnOf(QStringLiteral("TIDO_NOMCORTO")); col >= 0)
            r->vista()->setItemDelegateForColumn(col, new DelegadoLista([lista] { return nombres(*lista); }, r->vista()));

    // ---- means of payment
    MediosPagoVista::Comandos comandos;
    comandos.continuarCaja = [l] { l->continuarCaja(); };
    comandos.salirCaja = [l] { l->salirCaja(); };
    comandos.continuarBanco = [l] { l->continuarBanco(); };
    comandos.salirBanco = [l] { l->salirBanco(); };
    medios_ = new MediosPagoVista(l->formasPago(), l->caja(), l->banco(), interaccion, manejador, comandos, this);
    medios_->asignarTeclas(*teclado_);
    connect(&l->formasPago(), &FormasPago::cambiado, this, &TfegresosVista::refrescar);

    // ---- accounting lines
    auto* contabilidad = new QGroupBox(QStringLiteral("Contabilidad"), this);
    contabilidad->setObjectName(QStringLiteral("grupoContabilidad"));
    auto* vl = new QVBoxLayout(contabilidad);
    vl->setContentsMargins(4, 4, 4, 4);
    DataSet& lineas = l->contabilidad();
    const std::pair<const char*, const char*> columnasLineas[] = {
        {"CUEN_COD", "Cuenta"},  {"EGCO_DEBITOS", "Débitos"}, {"EGCO_CREDITOS", "Créditos"}, {"EGCO_BASEM", "Base"},
        {"EGCO_PORC", "Porc."},  {"EGCO_CONC", "Concepto"},   {"EGCO_NIT", "Tercero"},      {"EGCO_PROY", "Centro"},
        {"EGCO_CENTRO", "Subcentro"}};
    for (int k = 0; k < lineas.fieldCount(); ++k) lineas.field(k).setVisible(false);
    for (const auto& [c, t] : columnasLineas)
        if (lineas.fieldIndex(QString::fromLatin1(c)) >= 0) {
            lineas.field(QString::fromLatin1(c)).setVisible(true);
            lineas.field(QString::fromLatin1(c)).setLabel(QString::fromUtf8(t));
        }
    rejillaLineas_ = new Rejilla(lineas, contabilidad);
    rejillaLineas_->setObjectName(QStringLiteral("rejillaLineas"));
    rejillaLineas_->setInteraccion(&interaccion);
    anchos(rejillaLineas_, lineas);
    rejillaLineas_->vista()->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    rejillaLineas_->setMinimumHeight(110);
    vl->addWidget(rejillaLineas_, 1);
    new DobleClicCelda(rejillaLineas_, [this](const QString& campo) {
        manejador_.proteger([this, campo] {
            LineasContablesEgreso& r = logica_->lineasContables();
            if (logica_->lineasSoloLectura()) return;
            if (campo == QLatin1String("CUEN_COD")) r.buscarCuenta();
            else if (campo == QLatin1String("EGCO_NIT")) r.buscarTercero();
            else if (campo == QLatin1String("EGCO_PROY") || campo == QLatin1String("EGCO_CENTRO")) r.buscarCentro();
        });
        refrescar();
    });
    auto* hl = new QHBoxLayout;
    auto* plantillas = new QPushButton(QStringLiteral("Plantillas"), contabilidad);
    plantillas->setObjectName(QStringLiteral("botonPlantillas"));
    plantillas->setFocusPolicy(Qt::NoFocus);
    connect(plantillas, &QPushButton::clicked, this, orden([l] { l->elegirPlantilla(); }));
    hl->addWidget(plantillas);
    hl->addWidget(nombre(QStringLiteral("nombreCuenta")), 1);
    hl->addWidget(nombre(QStringLiteral("nombreTercero")), 1);
    hl->addWidget(new QLabel(QStringLiteral("Débitos:"), contabilidad));
    hl->addWidget(nombre(QStringLiteral("sumDb")));
    hl->addWidget(new QLabel(QStringLiteral("Créditos:"), contabilidad));
    hl->addWidget(nombre(QStringLiteral("sumCr")));
    vl->addLayout(hl);
    teclado_->asignarEn(rejillaLineas_->vista(), Qt::Key_Insert, [this, &lineas] {
        if (!logica_->lineasSoloLectura() && confirmarEdicion(rejillaLineas_->vista())) lineas.append();
    });
    teclado_->asignarEn(rejillaLineas_->vista(), Qt::CTRL | Qt::Key_Delete, [this, &lineas] {
        if (!logica_->lineasSoloLectura() && !lineas.isEmpty()) lineas.remove();
    });
    for (auto [r, ds] : {std::pair{rejillaDocumentos_, &l->detalle()}, std::pair{rejillaCruce_, &l->cruce()}}) {
        teclado_->asignarEn(r->vista(), Qt::Key_Insert, [r = r, ds = ds] {
            if (confirmarEdicion(r->vista())) ds->append();
        });
        teclado_->asignarEn(r->vista(), Qt::CTRL | Qt::Key_Delete, [ds = ds] {
            if (!ds->isEmpty()) ds->remove();
        });
    }

    // ---- the whole
    auto* marco = new QVBoxLayout(this);
    marco->setContentsMargins(4, 4, 4, 4);
    marco->setSpacing(4);
    marco->addWidget(panel);
    marco->addLayout(cabecera);
    marco->addWidget(valores);
    auto* obs = new QHBoxLayout;
    obs->addWidget(new QLabel(QStringLiteral("Observaciones:"), this));
    obs->addWidget(observaciones, 1);
    marco->addLayout(obs);
    marco->addWidget(documentos_, 2);
    marco->addWidget(cruce_, 2);
    marco->addWidget(medios_, 2);
    marco->addWidget(contabilidad, 2);
    // What no panel takes goes to the accounting lines.
    for (QWidget* w : {static_cast<QWidget*>(documentos_), static_cast<QWidget*>(cruce_), static_cast<QWidget*>(medios_),
                       static_cast<QWidget*>(contabilidad)})
        w->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    // ---- keys: each goes to the logic
    teclado_->asignar(Qt::Key_F2, [l] { l->teclaF2(); });
    teclado_->asignar(Qt::Key_Escape, [this] { teclaEsc(); });
    teclado_->asignar(Qt::Key_F4, [l] { l->teclaF4(); });
    teclado_->asignar(Qt::Key_F5, [l] { l->teclaF5(); });
    teclado_->asignar(Qt::Key_F6, [l] { l->teclaF6(); });
    teclado_->asignar(Qt::Key_F7, [l] { l->teclaF7(); });
    teclado_->asignar(Qt::Key_F8, [l] { l->teclaF8(); });
    teclado_->asignar(Qt::Key_F9, [l] { l->teclaF9(); });

    connect(l, &Tfegresos::cambiado, this, &TfegresosVista::refrescar);
    connect(l, &Tfegresos::reiniciado, this, [this] {
        enlaces_->refrescar();
        refrescar();
    });
    connect(l, &Tfegresos::cerrar, this, [this] {
        if (cerrando_) return;  // closing by its window already
        cerrando_ = true;
        BusquedaBase::cerrarPantalla(this);
    });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& c) {
            if (!enlaces_->enfocar(c)) medios_->enlaces().enfocar(c);
        });
    caja->setEnabled(l->formasPago().cajaHabilitada());
    banco->setEnabled(l->formasPago().bancoHabilitado());
    setFocusProxy(numero);
    refrescar();
}

TfegresosVista::~TfegresosVista() = default;

QLineEdit* TfegresosVista::linea(const QString& campo, DataSet& ds, int ancho) {
    QLineEdit* e = enlaces_->linea(this, ds, campo, ancho);
    campos_.insert(campo, e);
    return e;
}

QLabel* TfegresosVista::nombre(const QString& objeto) {
    auto* l = new QLabel(this);
    l->setObjectName(objeto);
    l->setMinimumWidth(90);
    return l;
}

QFrame* TfegresosVista::panelRejilla(const QString& objeto, const QString& titulo, Rejilla*& rejilla, DataSet& ds,
                                     const std::vector<std::pair<const char*, const char*>>& columnas) {
    auto* p = new QFrame(this);
    p->setObjectName(objeto);
    p->setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(new QLabel(QStringLiteral("<b>") + titulo + QStringLiteral("</b>"), p));
    for (int k = 0; k < ds.fieldCount(); ++k) ds.field(k).setVisible(false);
    for (const auto& [c, t] : columnas)
        if (ds.fieldIndex(QString::fromLatin1(c)) >= 0) {
            ds.field(QString::fromLatin1(c)).setVisible(true);
            ds.field(QString::fromLatin1(c)).setLabel(QString::fromUtf8(t));
        }
    rejilla = new Rejilla(ds, p);
    rejilla->setObjectName(QStringLiteral("rejilla") + objeto.mid(5));
    anchos(rejilla, ds);
    QStringList orden;
    for (const auto& [c, t] : columnas) orden << QString::fromLatin1(c);
    mantenerOrden(rejilla, orden);
    rejilla->vista()->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->addWidget(rejilla, 1);
    p->hide();
    return p;
}

QWidget* TfegresosVista::campo(const QString& nombre) const {
    if (QWidget* w = campos_.value(nombre)) return w;
    return findChild<QWidget*>(nombre);
}

QLabel* TfegresosVista::etiqueta(const QString& nombre) const { return findChild<QLabel*>(nombre); }

bool TfegresosVista::confirmar() {
    for (Rejilla* r : {rejillaDocumentos_, rejillaCruce_, rejillaLineas_})
        if (r->isVisible() && !confirmarEdicion(r->vista())) return false;
    return enlaces_->confirmar() && medios_->confirmar();
}

void TfegresosVista::refrescar() {
    Tfegresos& l = *logica_;
    const Tfegresos::Panel p = l.panel();
    documentos_->setVisible(p == Tfegresos::Panel::Documentos);
    cruce_->setVisible(p == Tfegresos::Panel::Cruce);
    medios_->refrescar();
    medios_->setVisible(p == Tfegresos::Panel::Caja || p == Tfegresos::Panel::Banco);
    const bool destino = l.cajaDestinoVisible();
    for (const QString& n : {QStringLiteral("CAJA_ID"), QStringLiteral("rotulo_CAJA_ID")})
        if (QWidget* w = campo(n)) w->setVisible(destino);
    // The totals come from the documents, except a payment of other concepts.
    for (const QString& c : kTotales)
        if (auto* w = qobject_cast<QLineEdit*>(campos_.value(c))) w->setReadOnly(!l.totalesEditables());
    if (auto* numero = qobject_cast<QLineEdit*>(campos_.value(QStringLiteral("EGRE_NUMERO"))))
        numero->setReadOnly(l.numeroAutomatico());
    rejillaLineas_->setSoloLectura(l.lineasSoloLectura());
    auto pon = [this](const char* n, const QString& t) {
        if (QLabel* e = etiqueta(QString::fromLatin1(n))) e->setText(t);
    };
    pon("nombreAcreedor", l.nombreAcreedor());
    pon("sumAbono", l.sumAbono().texto(2));
    pon("sumCruce", l.sumCruce().texto(2));
    pon("sumCaja", l.sumCaja().texto(2));
    pon("sumBanco", l.sumBanco().texto(2));
    pon("sumDb", l.lineasContables().sumDb().texto(2));
    pon("sumCr", l.lineasContables().sumCr().texto(2));
    pon("nombreCuenta", l.lineasContables().nombreCuenta());
    pon("nombreTercero", l.lineasContables().nombreTercero());
    if (moneda_) {
        const QSignalBlocker b(moneda_);
        moneda_->setCurrentIndex(moneda_->findData(l.moneda()));
    }
    if (p != panelAnterior_) {
        panelAnterior_ = p;
        enfocarPanel();
    }
}

void TfegresosVista::enfocarPanel() {
    // A grid opens on its first column (the type), wherever its cursor was.
    auto alPrincipio = [](Rejilla* r) {
        r->vista()->setFocus();
        r->vista()->horizontalScrollBar()->setValue(0);
    };
    switch (logica_->panel()) {
        case Tfegresos::Panel::Documentos: alPrincipio(rejillaDocumentos_); break;
        case Tfegresos::Panel::Cruce: alPrincipio(rejillaCruce_); break;
        case Tfegresos::Panel::Caja:
        case Tfegresos::Panel::Banco: medios_->enfocar(); break;
        case Tfegresos::Panel::Ninguno: break;
    }
}

void TfegresosVista::teclaEsc() {
    manejador_.proteger([this] { logica_->teclaEsc(); });
    if (!cerrando_) refrescar();
}

void TfegresosVista::closeEvent(QCloseEvent* evento) {
    // Closed by its window (not by Esc): the same question and clean-up.
    if (!cerrando_) {
        cerrando_ = true;
        bool cerrar = true;
        manejador_.proteger([&] { cerrar = logica_->cerrarPantalla(); });
        if (!cerrar) {
            cerrando_ = false;
            evento->ignore();
            return;
        }
    }
    QWidget::closeEvent(evento);
}

void TfegresosVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    centrarEnArea(this, QSize(900, 720));
}

}  // namespace cxp
