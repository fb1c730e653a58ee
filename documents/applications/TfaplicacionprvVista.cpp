#include "documents/applications/TfaplicacionprvVista.h"

#include "comunes/Delegados.h"
#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/BusquedaBase.h"
#include "ui/DobleClic.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {
const std::pair<const char*, const char*> kColumnas[] = {
    {"TIDO_NOMCORTO", "Tipo Documento"}, {"APPD_PREFIJO", "Prefijo"},  {"APPD_NUMERO", "Número"},
    {"APPD_APLICADO", "Aplicado"},       {"APPD_RTFTE", "Retefuente"}, {"APPD_RTIVA", "Reteiva"},
    {"APPD_RTICA", "Reteica"}};
}

TfaplicacionprvVista::TfaplicacionprvVista(std::unique_ptr<Tfaplicacionprv> logica, Interaccion& interaccion,
                                           ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion), manejador_(manejador) {
    const bool consulta = logica_->consulta();
    setObjectName(consulta ? QStringLiteral("Tfconsaplicacxp") : QStringLiteral("Tfaplicacionprv"));
    setWindowTitle(consulta ? Tfaplicacionprv::kTituloConsulta : Tfaplicacionprv::kTitulo);
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->setAntesDeComando([this] { return confirmar(); });
    Tfaplicacionprv* l = logica_.get();
    DataSet& a = l->aplicacion();
    DataSet& d = l->detalle();

    auto orden = [this](std::function<void()> f) {
        return [this, f] { manejador_.proteger([this, f] { if (confirmar()) f(); }); };
    };
    QFrame* panel = panelBotones(this, sesion);
    if (consulta) {
        botonDePanel(panel, QStringLiteral("F2: Imprimir"), orden([l] { l->imprimir(); }));
        botonDePanel(panel, QStringLiteral("F11:Contabilidad"), orden([l] { l->contabilidad(); }));
        botonDePanel(panel, QStringLiteral("F12:Notas"), orden([this, l] {
            interaccion_.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                                       {{QStringLiteral("tipo"), Tfaplicacionprv::kTipo},
                                        {QStringLiteral("id"), qlonglong(l->aplicacion().asInt(QStringLiteral("APPR_ID")))}});
        }));
    } else {
        botonDePanel(panel, QStringLiteral("F2: Grabar"), orden([l] { l->grabar(); }));
        botonDePanel(panel, QStringLiteral("F8: Documentos"), orden([l] { l->elegirDocumentos(); }));
        botonDePanel(panel, QStringLiteral("Buscar"), orden([this] {
            interaccion_.abrirPantalla(QStringLiteral("Tfbuscaplicaciones"));
        }));
    }
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this, l] { manejador_.proteger([l] { l->salir(); }); });

    auto* prefijo = new QComboBox(this);
    prefijo->setObjectName(QStringLiteral("PREF_PRE"));
    Enlaces::Claves prefijos;
    for (const OpcionBusqueda& o : l->prefijos()) prefijos.append({o.clave, o.nombre});
    enlaces_->enlazar(prefijo, a, QStringLiteral("PREF_PRE"), prefijos);
    prefijo->setEnabled(!consulta);
    auto* fecha = new QDateEdit(this);
    fecha->setObjectName(QStringLiteral("APPR_FECHA"));
    fecha->setCalendarPopup(true);
    enlaces_->enlazar(fecha, a, QStringLiteral("APPR_FECHA"));
    fecha->setReadOnly(consulta || l->fechaInhabilitada());

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
    QLineEdit* numero = linea(QStringLiteral("APPR_NUMERO"), 80);
    fila({{"Prefijo:", prefijo}, {"Número:", numero}, {"Fecha:", fecha}});
    QLineEdit* nit = linea(QStringLiteral("TERC_NIT"), 110);
    auto* nombre = new QLabel(this);
    nombre->setObjectName(QStringLiteral("nombreAcreedor"));
    nombre->setMinimumWidth(300);
    fila({{"Acreedor:", nit}, {"", nombre}});
    QLineEdit* concepto = linea(QStringLiteral("APPR_CONC"), 460);
    concepto->setMinimumWidth(420);
    fila({{"Concepto:", concepto}});
    if (l->preguntaTasa()) fila({{"Tasa:", linea(QStringLiteral("APPR_TRM"), 90)}});
    if (!consulta) nit->installEventFilter(new DobleClic(nit, orden([l] { l->buscarAcreedor(); })));

    for (int k = 0; k < d.fieldCount(); ++k) d.field(k).setVisible(false);
    for (const auto& [c, t] : kColumnas) {
        d.field(QString::fromLatin1(c)).setVisible(true);
        d.field(QString::fromLatin1(c)).setLabel(QString::fromUtf8(t));
    }
    rejilla_ = new Rejilla(d, this);
    rejilla_->setObjectName(QStringLiteral("rejillaDetalle"));
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setSoloLectura(consulta);
    for (const auto& [c, t] : kColumnas) rejilla_->setAnchoColumna(QString::fromLatin1(c), c[5] == 'A' ? 15 : c[5] == 'R' ? 12 : 8);
    if (int col = rejilla_->modelo()->columnOf(QStringLiteral("TIDO_NOMCORTO")); col >= 0 && !consulta)
        rejilla_->vista()->setItemDelegateForColumn(col, new DelegadoLista([l] {
            QStringList r;
            for (const OpcionBusqueda& o : l->tipos()) r << o.nombre;
            return r;
        }, rejilla_->vista()));
    rejilla_->setMinimumHeight(160);
    if (!consulta) {
        rejilla_->vista()->viewport()->installEventFilter(
            new DobleClic(rejilla_->vista(), orden([l] { l->elegirDocumentos(); })));
        teclado_->asignarEn(rejilla_->vista(), Qt::Key_Insert, [this, &d] {
            if (confirmarEdicion(rejilla_->vista()) && logica_->cabeceraCompleta()) d.append();
        });
        teclado_->asignarEn(rejilla_->vista(), Qt::CTRL | Qt::Key_Delete, [&d] {
            if (!d.isEmpty()) d.remove();
        });
    }

    auto* sumas = new QHBoxLayout;
    sumas->addStretch();
    for (const char* n : {"sumaplicado", "sumrtfte", "sumrtiva", "sumrtica"}) {
        auto* e = new QLabel(this);
        e->setObjectName(QString::fromLatin1(n));
        e->setMinimumWidth(110);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #000080; }"));
        sumas->addWidget(e);
    }

    auto* observaciones = new QPlainTextEdit(this);
    observaciones->setObjectName(QStringLiteral("APPR_OBS"));
    observaciones->setMaximumHeight(48);
    observaciones->setTabChangesFocus(true);
    observaciones->setReadOnly(consulta);
    enlaces_->enlazar(observaciones, a, QStringLiteral("APPR_OBS"));

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    if (consulta) {
        auto* anulado = new QLabel(this);
        anulado->setObjectName(QStringLiteral("anulado"));
        anulado->setStyleSheet(QStringLiteral("QLabel { color: #c00000; font-weight: bold; }"));
        anulado->setWordWrap(true);
        todo->addWidget(anulado);
    }
    todo->addLayout(cabecera);
    todo->addWidget(rejilla_, 1);
    todo->addLayout(sumas);
    auto* obs = new QHBoxLayout;
    obs->addWidget(new QLabel(QStringLiteral("Observaciones:"), this));
    obs->addWidget(observaciones, 1);
    todo->addLayout(obs);
    if (consulta) {
        auto* registro = new QLabel(this);
        registro->setObjectName(QStringLiteral("registro"));
        todo->addWidget(registro);
        for (QLineEdit* e : findChildren<QLineEdit*>()) e->setReadOnly(true);
        teclado_->asignar(Qt::Key_F2, [l] { l->imprimir(); });
        teclado_->asignar(Qt::Key_F11, [l] { l->contabilidad(); });
    } else {
        teclado_->asignar(Qt::Key_F2, [l] { l->grabar(); });
        teclado_->asignar(Qt::Key_F6, [l] { l->buscarAcreedor(); });
        teclado_->asignar(Qt::Key_F8, [l] { l->elegirDocumentos(); });
    }
    teclado_->asignar(Qt::Key_Escape, [l] { l->salir(); });

    connect(l, &Tfaplicacionprv::cambiado, this, [this, numero] {
        numero->setReadOnly(logica_->consulta() || logica_->numeroAutomatico());
        refrescar();
    });
    connect(l, &Tfaplicacionprv::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) {
            if (campo.startsWith(QLatin1String("APPD_"))) rejilla_->vista()->setFocus();
            else enlaces_->enfocar(campo);
        });
    numero->setReadOnly(consulta || l->numeroAutomatico());
    setFocusProxy(numero);
    setMinimumSize(780, 480);
    centrarEnArea(this, QSize(800, 520));
    refrescar();
}

TfaplicacionprvVista::~TfaplicacionprvVista() = default;

QLineEdit* TfaplicacionprvVista::linea(const QString& campo, int ancho) {
    auto* e = new QLineEdit(this);
    e->setObjectName(campo);
    e->setMaximumWidth(ancho);
    enlaces_->enlazar(e, logica_->aplicacion(), campo);
    return e;
}

QLabel* TfaplicacionprvVista::etiqueta(const QString& nombre) const { return findChild<QLabel*>(nombre); }

bool TfaplicacionprvVista::confirmar() { return enlaces_->confirmar() && confirmarEdicion(rejilla_->vista()); }

void TfaplicacionprvVista::refrescar() {
    auto pon = [this](const char* n, const QString& t) {
        if (QLabel* e = etiqueta(QString::fromLatin1(n))) e->setText(t);
    };
    pon("nombreAcreedor", logica_->nombreAcreedor());
    pon("sumaplicado", logica_->sumAplicado().texto(2));
    pon("sumrtfte", logica_->sumRetenciones(QStringLiteral("APPD_RTFTE")).texto(2));
    pon("sumrtiva", logica_->sumRetenciones(QStringLiteral("APPD_RTIVA")).texto(2));
    pon("sumrtica", logica_->sumRetenciones(QStringLiteral("APPD_RTICA")).texto(2));
    pon("registro", logica_->registro());
    if (QLabel* anulado = etiqueta(QStringLiteral("anulado"))) {
        anulado->setVisible(logica_->anulado());
        anulado->setText(QStringLiteral("ANULADO. ") + logica_->razonAnulacion());
    }
}

}  // namespace cxp
