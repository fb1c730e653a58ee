#include "documents/service/TfordenservicioVista.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/DobleClic.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace cxp {

TfordenservicioVista::TfordenservicioVista(std::unique_ptr<Tfordenservicio> logica, Interaccion& interaccion,
                                           ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion), manejador_(manejador) {
    const bool consulta = logica_->consulta();
    setObjectName(consulta ? QStringLiteral("Tfconsordenserv") : QStringLiteral("Tfordenservicio"));
    setWindowTitle(Tfordenservicio::kTitulo);
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->setAntesDeComando([this] { return confirmar(); });
    DataSet& o = logica_->orden();
    Tfordenservicio* l = logica_.get();
    auto grabar = [this, l] {
        if (confirmar()) l->grabar();
    };

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, consulta ? QStringLiteral("F2: Imprimir") : QStringLiteral("F2: Grabar"),
                 [this, grabar] { manejador_.proteger(grabar); });
    // F12 in the consult: the order's notes.
    const auto notas = [this, l] {
        interaccion_.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                                   {{QStringLiteral("tipo"), 56},
                                    {QStringLiteral("id"), qlonglong(l->orden().asInt(QStringLiteral("ORSE_ID")))}});
    };
    if (consulta) botonDePanel(panel, QStringLiteral("F12:Notas"), [this, notas] { manejador_.proteger(notas); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this, l] { manejador_.proteger([l] { l->cancelar(); }); });

    auto* prefijo = new QComboBox(this);
    prefijo->setObjectName(QStringLiteral("PREF_PRE"));
    Enlaces::Claves prefijos;
    for (const OpcionBusqueda& p : logica_->prefijos()) prefijos.append({p.clave, p.nombre});
    enlaces_->enlazar(prefijo, o, QStringLiteral("PREF_PRE"), prefijos);
    prefijo->setEnabled(!consulta);
    auto fecha = [this, &o](const QString& campo) {
        auto* e = new QDateEdit(this);
        e->setObjectName(campo);
        e->setCalendarPopup(true);
        enlaces_->enlazar(e, o, campo);
        return e;
    };
    QDateEdit* fechaDoc = fecha(QStringLiteral("ORSE_FECHA"));
    fechaDoc->setReadOnly(consulta || logica_->fechaInhabilitada());
    QDateEdit* entrega = fecha(QStringLiteral("ORSE_ENTREGA"));
    entrega->setReadOnly(consulta);

    auto* cabecera = new QVBoxLayout;
    cabecera->setSpacing(3);
    auto fila = [&](std::initializer_list<std::pair<const char*, QWidget*>> partes) {
        auto* h = new QHBoxLayout;
        for (const auto& [titulo, w] : partes) {
            if (titulo && *titulo) h->addWidget(new QLabel(QString::fromUtf8(titulo), this));
            h->addWidget(w);
        }
        h->addStretch();
        cabecera->addLayout(h);
    };
    QLineEdit* nit = linea(QStringLiteral("TERC_NIT"), 120);
    QLabel* nombreAcreedor = nombre(QStringLiteral("nombreAcreedor"));
    nombreAcreedor->setMinimumWidth(300);
    fila({{"Nit", nit}, {"", nombreAcreedor}});
    QLineEdit* numero = linea(QStringLiteral("ORSE_NUMERO"), 80);
    numero->setMinimumWidth(70);
    fila({{"Prefijo:", prefijo}, {"Número:", numero}, {"Fecha:", fechaDoc}, {"Fecha serv:", entrega}});
    QLineEdit* concepto = linea(QStringLiteral("ORSE_CONCEPTO"), 460);
    concepto->setMinimumWidth(420);
    fila({{"Concepto:", concepto}});
    if (logica_->preguntaTasa()) {
        auto* moneda = new QComboBox(this);
        moneda->setObjectName(QStringLiteral("ORSE_MONEDA"));
        Enlaces::Claves monedas;
        for (const OpcionBusqueda& m : logica_->monedas()) monedas.append({m.clave, m.clave + QStringLiteral(" ") + m.nombre});
        enlaces_->enlazar(moneda, o, QStringLiteral("ORSE_MONEDA"), monedas);
        moneda->setEnabled(!consulta);
        fila({{"Moneda:", moneda}, {"Tasa:", linea(QStringLiteral("ORSE_TRM"), 90)}});
    }

    auto* montos = new QGroupBox(QStringLiteral("Valores"), this);
    auto* gm = new QGridLayout(montos);
    gm->setVerticalSpacing(2);
    subTotal_ = new QLineEdit(this);
    subTotal_->setObjectName(QStringLiteral("SubTotal"));
    subTotal_->setAlignment(Qt::AlignRight);
    subTotal_->setFixedWidth(120);
    subTotal_->setReadOnly(consulta);
    connect(subTotal_, &QLineEdit::editingFinished, this, [this] { confirmarSubTotal(); });
    int r = 0;
    auto dupla = [&](const QString& titulo, const QString& tasa, const QString& monto) {
        gm->addWidget(new QLabel(titulo, montos), r, 0);
        if (!tasa.isEmpty()) gm->addWidget(linea(tasa, 70), r, 1);
        if (!monto.isEmpty()) gm->addWidget(linea(monto, 120), r, 2);
        ++r;
    };
    gm->addWidget(new QLabel(QStringLiteral("Monto:"), montos), r, 0);
    gm->addWidget(subTotal_, r++, 2);
    dupla(QStringLiteral("Descuento :"), QStringLiteral("ORSE_DTOPORC"), QStringLiteral("ORSE_DTOMONTO"));
    dupla(QStringLiteral("Valor adicional:"), {}, QStringLiteral("ORSE_ADICIONAL"));
    dupla(QStringLiteral("Neto:"), {}, QStringLiteral("ORSE_BASE"));
    dupla(QStringLiteral("Iva:"), QStringLiteral("ORSE_IVAPORC"), QStringLiteral("ORSE_IVAMONTO"));
    // The IVA follows its percentage; the withholdings may be typed.
    editores_.value(QStringLiteral("ORSE_IVAMONTO"))->setReadOnly(true);
    dupla(QStringLiteral("Valor Extra:"), {}, QStringLiteral("ORSE_EXTRA"));
    dupla(QStringLiteral("Retefuente:"), QStringLiteral("ORSE_RTFTEPORC"), QStringLiteral("ORSE_RTFTEMONTO"));
    dupla(QStringLiteral("Reteiva:"), QStringLiteral("ORSE_RTEIVAOPRC"), QStringLiteral("ORSE_RTIVAMONTO"));
    dupla(QStringLiteral("Reteica:"), QStringLiteral("ORSE_RTICAPORC"), QStringLiteral("ORSE_RTICAMONTO"));
    auto total = [&](const char* titulo, const char* objeto) {
        QLabel* e = nombre(QString::fromLatin1(objeto));
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; }"));
        gm->addWidget(new QLabel(QString::fromUtf8(titulo), montos), r, 0);
        gm->addWidget(e, r++, 2);
    };
    total("Total:", "total");
    total("Neto a pagar:", "totalconiva");
    gm->setColumnStretch(3, 1);
    QLabel* regimen = nombre(QStringLiteral("regimen"));
    gm->addWidget(regimen, 0, 3, Qt::AlignRight);

    auto* observacion = new QPlainTextEdit(this);
    observacion->setObjectName(QStringLiteral("ORSE_OBS"));
    observacion->setMaximumHeight(52);
    observacion->setTabChangesFocus(true);
    observacion->setReadOnly(consulta);
    enlaces_->enlazar(observacion, o, QStringLiteral("ORSE_OBS"));

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    if (consulta) {
        QLabel* anulado = nombre(QStringLiteral("anulado"));
        anulado->setStyleSheet(QStringLiteral("QLabel { color: #c00000; font-weight: bold; }"));
        anulado->setWordWrap(true);
        todo->addWidget(anulado);
    }
    todo->addLayout(cabecera);
    todo->addWidget(montos);
    auto* obs = new QHBoxLayout;
    obs->addWidget(new QLabel(QStringLiteral("Observación:"), this));
    obs->addWidget(observacion, 1);
    todo->addLayout(obs);
    if (consulta) todo->addWidget(nombre(QStringLiteral("registro")));
    todo->addStretch();

    teclado_->asignar(Qt::Key_F2, grabar);
    teclado_->asignar(Qt::Key_Escape, [l] { l->cancelar(); });
    if (consulta) {
        for (QLineEdit* e : findChildren<QLineEdit*>()) e->setReadOnly(true);
        teclado_->asignar(Qt::Key_F12, notas);
    } else {
        teclado_->asignar(Qt::Key_F6, [l] { l->buscarAcreedor(); });
        teclado_->asignar(Qt::Key_F8, [l] { l->buscarOrdenes(); });
        teclado_->busqueda(nit, [l](const QString&) { l->buscarAcreedor(); });
        nit->installEventFilter(new DobleClic(nit, [this, l] { manejador_.proteger([l] { l->buscarAcreedor(); }); }));
    }

    connect(l, &Tfordenservicio::cambiado, this, &TfordenservicioVista::refrescar);
    connect(l, &Tfordenservicio::reiniciado, this, [this] {
        enlaces_->refrescar();
        refrescar();
    });
    connect(l, &Tfordenservicio::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) {
            if (campo == QLatin1String("SubTotal")) subTotal_->setFocus();
            else enlaces_->enfocar(campo);
        });
    setFocusProxy(consulta ? static_cast<QWidget*>(concepto) : numero);
    resize(660, consulta ? 540 : 500);
    refrescar();
}

TfordenservicioVista::~TfordenservicioVista() = default;

QLineEdit* TfordenservicioVista::linea(const QString& campo, int ancho) {
    QLineEdit* e = enlaces_->linea(this, logica_->orden(), campo, ancho);
    editores_.insert(campo, e);
    return e;
}

QLabel* TfordenservicioVista::nombre(const QString& objeto) {
    auto* e = new QLabel(this);
    e->setObjectName(objeto);
    e->setMinimumWidth(80);
    return e;
}

QLabel* TfordenservicioVista::etiqueta(const QString& nombre) const { return findChild<QLabel*>(nombre); }

// "Monto:" is no column of the order: it goes to the logic itself.
bool TfordenservicioVista::confirmarSubTotal() {
    if (logica_->consulta()) return true;
    const QString texto = subTotal_->text().trimmed();
    bool ambiguo = false;
    const auto v = texto.isEmpty() ? std::optional<Dinero>(Dinero()) : Dinero::desdeTextoTecleado(texto, &ambiguo);
    if (!v) {
        interaccion_.error(QStringLiteral("\"") + texto + QStringLiteral("\" no es un valor válido."));
        subTotal_->setText(logica_->subTotal().texto(2));
        return false;
    }
    if (*v == logica_->subTotal()) return true;
    if (ambiguo) interaccion_.advertencia(Enlaces::avisoAmbiguo(texto, *v));
    return manejador_.proteger([this, v] { logica_->setSubTotal(*v); });
}

bool TfordenservicioVista::confirmar() { return enlaces_->confirmar() && confirmarSubTotal(); }

void TfordenservicioVista::refrescar() {
    if (!subTotal_->hasFocus()) subTotal_->setText(logica_->subTotal().texto(2));
    auto pon = [this](const char* n, const QString& t) {
        if (QLabel* e = etiqueta(QString::fromLatin1(n))) e->setText(t);
    };
    pon("total", logica_->total().texto(2));
    pon("totalconiva", logica_->netoAPagar().texto(2));
    pon("nombreAcreedor", logica_->nombreAcreedor());
    pon("regimen", logica_->simplificado() ? QStringLiteral("Régimen simplificado") : QString());
    pon("registro", logica_->registro());
    if (QLabel* anulado = etiqueta(QStringLiteral("anulado"))) {
        anulado->setVisible(logica_->anulado());
        anulado->setText(QStringLiteral("ANULADO. ") + logica_->razonAnulacion());
    }
    if (QLineEdit* numero = editor(QStringLiteral("ORSE_NUMERO")))
        numero->setReadOnly(logica_->consulta() || logica_->numeroAutomatico());
}

}  // namespace cxp
