#include "documents/advances/TfanticiposprovVista.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/BusquedaBase.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace cxp {

TfanticiposprovVista::TfanticiposprovVista(std::unique_ptr<Tfanticiposprov> logica, Interaccion& interaccion,
                                           ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion), manejador_(manejador) {
    const bool consulta = logica_->consulta();
    setObjectName(consulta ? QStringLiteral("Tfconsanticipocxp") : QStringLiteral("Tfanticiposprov"));
    setWindowTitle(Tfanticiposprov::kTitulo);
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->setAntesDeComando([this] { return enlaces_->confirmar(); });
    DataSet& a = logica_->anticipo();
    Tfanticiposprov* l = logica_.get();

    QFrame* panel = panelBotones(this, sesion);
    // F12 in the consult: the advance's notes.
    const auto notas = [this, &a] {
        interaccion_.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                                   {{QStringLiteral("tipo"), 55}, {QStringLiteral("id"), qlonglong(a.asInt(QStringLiteral("ANPR_ID")))}});
    };
    if (consulta) {
        botonDePanel(panel, QStringLiteral("F2: Imprimir"), [this, l] { manejador_.proteger([l] { l->imprimir(); }); });
        botonDePanel(panel, QStringLiteral("F12:Notas"), [this, notas] { manejador_.proteger(notas); });
    } else
        botonDePanel(panel, QStringLiteral("F2: Grabar"), [this] { manejador_.proteger([this] { grabar(); }); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { manejador_.proteger([this] { escape(); }); });

    auto* prefijo = new QComboBox(this);
    prefijo->setObjectName(QStringLiteral("PREF_PRE"));
    Enlaces::Claves prefijos;
    for (const OpcionBusqueda& o : logica_->prefijos()) prefijos.append({o.clave, o.nombre});
    enlaces_->enlazar(prefijo, a, QStringLiteral("PREF_PRE"), prefijos);
    prefijo->setEnabled(!consulta);
    auto fecha = [this, &a](const QString& campo) {
        auto* e = new QDateEdit(this);
        e->setObjectName(campo);
        e->setCalendarPopup(true);
        enlaces_->enlazar(e, a, campo);
        return e;
    };
    QDateEdit* fechaDoc = fecha(QStringLiteral("ANPR_FECHA"));
    fechaDoc->setReadOnly(consulta || logica_->fechaInhabilitada());
    QDateEdit* fechaDto = fecha(QStringLiteral("ANPR_DTOFECHA"));
    fechaDto->setReadOnly(consulta);

    auto* cabecera = new QGridLayout;
    cabecera->setVerticalSpacing(3);
    int f = 0;
    auto fila = [&](std::initializer_list<std::pair<const char*, QWidget*>> partes) {
        auto* h = new QHBoxLayout;
        for (const auto& [titulo, w] : partes) {
            if (titulo && *titulo) h->addWidget(new QLabel(QString::fromUtf8(titulo), this));
            h->addWidget(w);
        }
        h->addStretch();
        cabecera->addLayout(h, f++, 0);
    };
    QLineEdit* numero = linea(QStringLiteral("ANPR_NUMERO"), 80);
    fila({{"Prefijo:", prefijo}, {"Número:", numero}, {"Fecha:", fechaDoc}});
    QLabel* nombreAcreedor = nombre(QStringLiteral("nombreAcreedor"));
    nombreAcreedor->setMinimumWidth(280);
    fila({{"Acreedor:", linea(QStringLiteral("TERC_NIT"), 110)}, {"", nombreAcreedor}});
    QLineEdit* concepto = linea(QStringLiteral("ANPR_CONC"), 420);
    concepto->setMinimumWidth(380);
    fila({{"Concepto:", concepto}});
    if (logica_->preguntaTasa()) fila({{"Tasa:", linea(QStringLiteral("ANPR_TRM"), 90)}});

    auto* montos = new QGroupBox(QStringLiteral("Valores"), this);
    auto* gm = new QGridLayout(montos);
    gm->setVerticalSpacing(2);
    int r = 0;
    auto dupla = [&](const QString& titulo, const QString& tasa, const QString& monto) {
        gm->addWidget(new QLabel(titulo, montos), r, 0);
        if (!tasa.isEmpty()) gm->addWidget(linea(tasa, 70), r, 1);
        if (!monto.isEmpty()) gm->addWidget(linea(monto, 120), r, 2);
        ++r;
    };
    dupla(QStringLiteral("Monto:"), {}, QStringLiteral("ANPR_BASE"));
    dupla(QStringLiteral("IVA %:"), QStringLiteral("ANPR_IVAPORC"), QStringLiteral("ANPR_IVAMONTO"));
    dupla(QStringLiteral("Ret. fuente %:"), QStringLiteral("ANPR_RTFTEPORC"), QStringLiteral("ANPR_RTFTEMONTO"));
    dupla(QStringLiteral("Ret. IVA %:"), QStringLiteral("ANPR_RTIVAPORC"), QStringLiteral("ANPR_RTIVAMONTO"));
    dupla(QStringLiteral("Ret. ICA x mil:"), QStringLiteral("ANPR_RTICAPORC"), QStringLiteral("ANPR_RTICAMONTO"));
    dupla(QStringLiteral("Dto. pronto pago %:"), QStringLiteral("ANPR_DTOFPORC"), QStringLiteral("ANPR_DTOFMONTO"));
    gm->addWidget(new QLabel(QStringLiteral("Hasta:"), montos), r, 1);
    gm->addWidget(fechaDto, r++, 2);
    dupla(QStringLiteral("AutoRenta %:"), QStringLiteral("ANPR_RTCREE"), QStringLiteral("ANPR_RTCREEM"));
    editores_.value(QStringLiteral("ANPR_RTCREEM"))->setReadOnly(true);
    QLabel* total = nombre(QStringLiteral("totalconiva"));
    QLabel* neto = nombre(QStringLiteral("total"));
    for (QLabel* e : {total, neto}) {
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; }"));
    }
    gm->addWidget(new QLabel(QStringLiteral("Total:"), montos), r, 0);
    gm->addWidget(total, r++, 2);
    gm->addWidget(new QLabel(QStringLiteral("Neto:"), montos), r, 0);
    gm->addWidget(neto, r++, 2);
    gm->setColumnStretch(3, 1);

    auto* observaciones = new QPlainTextEdit(this);
    observaciones->setObjectName(QStringLiteral("ANPR_OBS"));
    observaciones->setMaximumHeight(52);
    observaciones->setTabChangesFocus(true);
    observaciones->setReadOnly(consulta);
    enlaces_->enlazar(observaciones, a, QStringLiteral("ANPR_OBS"));

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
    obs->addWidget(new QLabel(QStringLiteral("Observaciones:"), this));
    obs->addWidget(observaciones, 1);
    todo->addLayout(obs);
    if (consulta) todo->addWidget(nombre(QStringLiteral("registro")));
    todo->addStretch();

    if (consulta) {
        for (QLineEdit* e : findChildren<QLineEdit*>()) e->setReadOnly(true);
        teclado_->asignar(Qt::Key_F2, [l] { l->imprimir(); });
        teclado_->asignar(Qt::Key_F12, notas);
    } else {
        teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    }
    teclado_->asignar(Qt::Key_Escape, [this] { escape(); });

    connect(l, &Tfanticiposprov::cambiado, this, [this, numero] {
        numero->setReadOnly(logica_->consulta() || logica_->numeroAutomatico());
        refrescar();
    });
    connect(l, &Tfanticiposprov::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) { enlaces_->enfocar(campo); });
    numero->setReadOnly(consulta || logica_->numeroAutomatico());
    setFocusProxy(numero);
    resize(620, consulta ? 470 : 440);
    refrescar();
}

TfanticiposprovVista::~TfanticiposprovVista() = default;

QLineEdit* TfanticiposprovVista::linea(const QString& campo, int ancho) {
    QLineEdit* e = enlaces_->linea(this, logica_->anticipo(), campo, ancho);
    editores_.insert(campo, e);
    return e;
}

QLabel* TfanticiposprovVista::nombre(const QString& objeto) {
    auto* e = new QLabel(this);
    e->setObjectName(objeto);
    e->setMinimumWidth(80);
    return e;
}

QLabel* TfanticiposprovVista::etiqueta(const QString& nombre) const { return findChild<QLabel*>(nombre); }

void TfanticiposprovVista::refrescar() {
    auto pon = [this](const char* n, const QString& t) {
        if (QLabel* e = etiqueta(QString::fromLatin1(n))) e->setText(t);
    };
    pon("totalconiva", logica_->totalConIva().texto(2));
    pon("total", logica_->neto().texto(2));
    pon("nombreAcreedor", logica_->nombreAcreedor());
    pon("registro", logica_->registro());
    if (QLabel* anulado = etiqueta(QStringLiteral("anulado"))) {
        anulado->setVisible(logica_->anulado());
        anulado->setText(QStringLiteral("ANULADO. ") + logica_->razonAnulacion());
    }
}

bool TfanticiposprovVista::confirmar() { return enlaces_->confirmar(); }

void TfanticiposprovVista::grabar() {
    if (!confirmar()) return;
    logica_->grabar();
}

void TfanticiposprovVista::escape() { logica_->cancelar(); }

std::optional<QVariantMap> elegirAnticipo(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                          const Configuracion& configuracion, const QVariantMap& args, QWidget* padre,
                                          std::function<void(int64_t)> imprimir) {
    auto logica = std::make_unique<Tfanticiposprov>(sesion, interaccion, manejador, configuracion);
    logica->alImprimir = std::move(imprimir);
    if (!logica->abrir(args.value(QStringLiteral("TERC_NIT")).toString(),
                       args.value(QStringLiteral("FECHA")).toDate()))
        return std::nullopt;
    QDialog dialogo(padre);
    dialogo.setWindowTitle(Tfanticiposprov::kTitulo);
    auto* vista = new TfanticiposprovVista(std::move(logica), interaccion, manejador, sesion, &dialogo);
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.resize(vista->size());
    QObject::connect(&vista->logica(), &Tfanticiposprov::cerrar, &dialogo, &QDialog::accept);
    dialogo.exec();
    return vista->logica().resultado();
}

}  // namespace cxp
