#include "creditors/FichaAcreedorVista.h"

#include "comunes/Presentacion.h"
#include "creditors/Replicacion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/DobleClic.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDateEdit>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace cxp {

namespace {
Enlaces::Claves claves(const QList<OpcionBusqueda>& opciones, bool conCodigo = false) {
    Enlaces::Claves r;
    for (const OpcionBusqueda& o : opciones) r.append({o.clave, conCodigo ? o.clave + QStringLiteral(" - ") + o.nombre : o.nombre});
    return r;
}

// Double-clicking an account field opens the account list too.
}  // namespace

QLineEdit* FichaAcreedorVista::linea(const QString& campo, DataSet& ds) {
    auto* e = new QLineEdit(this);
    e->setObjectName(campo);
    enlaces_->enlazar(e, ds, campo);
    editores_.insert(campo, e);
    return e;
}

FichaAcreedorVista::FichaAcreedorVista(std::unique_ptr<FichaAcreedor> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion), manejador_(manejador) {
    const bool nuevo = logica_->modo() == FichaAcreedor::Modo::Nuevo;
    setObjectName(nuevo ? QStringLiteral("Tfnvotercero") : QStringLiteral("Tfmodtercero"));
    setWindowTitle(logica_->titulo());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(tamano());

    QFrame* panel = panelBotones(this, sesion);
    grabar_ = botonDePanel(panel, QStringLiteral("F2:Grabar"));
    grabar_->setEnabled(logica_->puedeGrabar());
    QPushButton* contab = botonDePanel(panel, QStringLiteral("F11:Contabilidad"));
    QPushButton* documentos = nullptr;
    if (!nuevo) documentos = botonDePanel(panel, QStringLiteral("Documentos"));
    static_cast<QHBoxLayout*>(panel->layout())->addStretch();
    QPushButton* salir = botonDePanel(panel, QStringLiteral("Esc:Salir"));

    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    DataSet& t = logica_->tercero();
    DataSet& p = logica_->proveedor();

    // ---- third party
    QLineEdit* nit = linea(QStringLiteral("TERC_NIT"), t);
    if (!logica_->letrasEnNit())
        nit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,15}")), nit));
    nit->setReadOnly(!nuevo);
    QLineEdit* dv = linea(QStringLiteral("TERC_DV"), t);
    dv->setMaximumWidth(28);
    dv->setReadOnly(!logica_->dvEditable());
    auto* tipo = new QComboBox(this);
    tipo->setObjectName(QStringLiteral("TERC_TIPOID"));
    enlaces_->enlazar(tipo, t, QStringLiteral("TERC_TIPOID"), claves(logica_->tiposId()));
    auto* ciudad = new QComboBox(this);
    ciudad->setObjectName(QStringLiteral("CIUD_COD"));
    enlaces_->enlazar(ciudad, t, QStringLiteral("CIUD_COD"), claves(logica_->ciudades()));
    auto* pais = new QComboBox(this);
    pais->setObjectName(QStringLiteral("PAIS_ID"));
    enlaces_->enlazar(pais, t, QStringLiteral("PAIS_ID"), claves(logica_->paises()));
    auto* activo = new QCheckBox(QStringLiteral("Activo"), this);
    activo->setObjectName(QStringLiteral("TERC_ESTADO"));
    enlaces_->enlazar(activo, t, QStringLiteral("TERC_ESTADO"));

    auto boton = [this](const QString& pantalla) {
        auto* b = new QToolButton(this);
        b->setText(QStringLiteral("..."));
        connect(b, &QToolButton::clicked, this, [this, pantalla] { interaccion_.abrirPantalla(pantalla); });
        return b;
    };
    auto conBoton = [this](QWidget* w, QWidget* b) {
        auto* h = new QHBoxLayout;
        h->setSpacing(2);
        h->addWidget(w, 1);
        h->addWidget(b);
        return h;
    };

    auto* datos = new QGridLayout;
    datos->setHorizontalSpacing(6);
    datos->setColumnStretch(1, 1);
    datos->setColumnStretch(3, 1);
    datos->setVerticalSpacing(3);
    int f = 0;
    auto* nitFila = new QHBoxLayout;
    nitFila->addWidget(nit, 1);
    nitFila->addWidget(new QLabel(QStringLiteral("-"), this));
    nitFila->addWidget(dv);
    nitFila->addWidget(new QLabel(QStringLiteral("Tipo:"), this));
    nitFila->addWidget(tipo, 1);
    nitFila->addWidget(activo);
    datos->addWidget(new QLabel(QStringLiteral("N.I.T.:"), this), f, 0);
    datos->addLayout(nitFila, f++, 1, 1, 3);
    datos->addWidget(new QLabel(QStringLiteral("1er. Apellido:"), this), f, 0);
    datos->addWidget(linea(QStringLiteral("TERC_APELLIDO1"), t), f, 1);
    datos->addWidget(new QLabel(QStringLiteral("2do. Apellido:"), this), f, 2);
    datos->addWidget(linea(QStringLiteral("TERC_APELLIDO2"), t), f++, 3);
    datos->addWidget(new QLabel(QStringLiteral("1er. Nombre:"), this), f, 0);
    datos->addWidget(linea(QStringLiteral("TERC_NOMBRE1"), t), f, 1);
    datos->addWidget(new QLabel(QStringLiteral("2do. Nombre:"), this), f, 2);
    datos->addWidget(linea(QStringLiteral("TERC_NOMBRE2"), t), f++, 3);
    datos->addWidget(new QLabel(QStringLiteral("Nombre:"), this), f, 0);
    datos->addWidget(linea(QStringLiteral("TERC_NOM"), t), f++, 1, 1, 3);
    datos->addWidget(new QLabel(QStringLiteral("Dirección:"), this), f, 0);
    datos->addWidget(linea(QStringLiteral("TERC_DIR"), t), f, 1);
    datos->addWidget(new QLabel(QStringLiteral("Teléfonos:"), this), f, 2);
    datos->addWidget(linea(QStringLiteral("TERC_TEL"), t), f++, 3);
    datos->addWidget(new QLabel(QStringLiteral("Ciudad:"), this), f, 0);
    auto* botonCiudad = new QToolButton(this);
    botonCiudad->setText(QStringLiteral("..."));
    connect(botonCiudad, &QToolButton::clicked, this, [this] {
        manejador_.proteger([this] { logica_->elegirCiudad(); });
        enlaces_->refrescar();
    });
    datos->addLayout(conBoton(ciudad, botonCiudad), f, 1);
    datos->addWidget(new QLabel(QStringLiteral("País:"), this), f, 2);
    datos->addLayout(conBoton(pais, boton(QStringLiteral("Tfpaises"))), f++, 3);
    datos->addWidget(new QLabel(QStringLiteral("Contacto:"), this), f, 0);
    datos->addWidget(linea(QStringLiteral("TERC_CONTACTO"), t), f, 1);
    datos->addWidget(new QLabel(QStringLiteral("E-mail:"), this), f, 2);
    datos->addWidget(linea(QStringLiteral("TERC_EMAIL"), t), f++, 3);
    fax_ = new QLabel(logica_->tituloFax(), this);
    datos->addWidget(fax_, f, 0);
    datos->addWidget(linea(QStringLiteral("TERC_FAX"), t), f, 1);
    datos->addWidget(new QLabel(QStringLiteral("Celular:"), this), f, 2);
    datos->addWidget(linea(QStringLiteral("TERC_CEL"), t), f++, 3);

    // ---- supplier
    auto* grupo = new QComboBox(this);
    grupo->setObjectName(QStringLiteral("GRPR_COD"));
    enlaces_->enlazar(grupo, p, QStringLiteral("GRPR_COD"), claves(logica_->grupos(), true));
    auto* banco = new QComboBox(this);
    banco->setObjectName(QStringLiteral("PROV_BANCO"));
    enlaces_->enlazar(banco, p, QStringLiteral("PROV_BANCO"), claves(logica_->bancos()));
    auto* tipoCta = new QComboBox(this);
    tipoCta->setObjectName(QStringLiteral("PROV_TIPOCTA"));
    enlaces_->enlazar(tipoCta, p, QStringLiteral("PROV_TIPOCTA"),
                      {{QStringLiteral("A"), QStringLiteral("Ahorros")}, {QStringLiteral("C"), QStringLiteral("Corriente")}});
    auto* simplificado = new QCheckBox(QStringLiteral("Régimen simplificado"), this);
    simplificado->setObjectName(QStringLiteral("PROV_SIMPLIFICADO"));
    enlaces_->enlazar(simplificado, p, QStringLiteral("PROV_SIMPLIFICADO"));

    auto* prov = new QGridLayout;
    prov->setHorizontalSpacing(6);
    prov->setVerticalSpacing(3);
    f = 0;
    prov->addWidget(new QLabel(QStringLiteral("Grupo:"), this), f, 0);
    prov->addLayout(conBoton(grupo, boton(QStringLiteral("Tfgruposprov"))), f, 1);
    prov->addWidget(new QLabel(QStringLiteral("Código:"), this), f, 2);
    prov->addWidget(linea(QStringLiteral("PROV_COD"), p), f, 3);
    prov->addWidget(new QLabel(QStringLiteral("Cód. interno:"), this), f, 4);
    prov->addWidget(linea(QStringLiteral("PROV_CODIGOINT"), p), f++, 5);
    prov->addWidget(new QLabel(QStringLiteral("Vendedor:"), this), f, 0);
    prov->addWidget(linea(QStringLiteral("PROV_VENDEDOR"), p), f, 1);
    prov->addWidget(new QLabel(QStringLiteral("Cartera:"), this), f, 2);
    prov->addWidget(linea(QStringLiteral("PROV_CARTERA"), p), f++, 3, 1, 3);
    prov->addWidget(new QLabel(QStringLiteral("% Rte.fuente:"), this), f, 0);
    prov->addWidget(linea(QStringLiteral("PROV_RETEFTE"), p), f, 1);
    prov->addWidget(new QLabel(QStringLiteral("% Rte.IVA:"), this), f, 2);
    prov->addWidget(linea(QStringLiteral("PROV_RTEIVA"), p), f, 3);
    prov->addWidget(new QLabel(QStringLiteral("x mil Rte.ICA:"), this), f, 4);
    prov->addWidget(linea(QStringLiteral("PROV_RTEICA"), p), f++, 5);
    prov->addWidget(new QLabel(QStringLiteral("Base rte.fte:"), this), f, 0);
    prov->addWidget(linea(QStringLiteral("PROV_RTFTEBASE"), p), f, 1);
    prov->addWidget(new QLabel(QStringLiteral("Base rte.ICA:"), this), f, 2);
    prov->addWidget(linea(QStringLiteral("PROV_RTICABASE"), p), f, 3);
    prov->addWidget(new QLabel(QStringLiteral("% AutoRenta:"), this), f, 4);
    prov->addWidget(linea(QStringLiteral("PROV_RTCREE"), p), f++, 5);
    prov->addWidget(new QLabel(QStringLiteral("Días pago:"), this), f, 0);
    prov->addWidget(linea(QStringLiteral("PROV_DIASPAGO"), p), f, 1);
    prov->addWidget(new QLabel(QStringLiteral("Días entrega:"), this), f, 2);
    prov->addWidget(linea(QStringLiteral("PROV_DIASE"), p), f, 3);
    prov->addWidget(new QLabel(QStringLiteral("Cupo:"), this), f, 4);
    prov->addWidget(linea(QStringLiteral("PROV_CUPO"), p), f++, 5);
    prov->addWidget(new QLabel(QStringLiteral("Banco:"), this), f, 0);
    prov->addLayout(conBoton(banco, boton(QStringLiteral("Tfbancos"))), f, 1);
    prov->addWidget(new QLabel(QStringLiteral("Cuenta:"), this), f, 2);
    prov->addWidget(linea(QStringLiteral("PROV_CUENTA"), p), f, 3);
    prov->addWidget(tipoCta, f, 4);
    prov->addWidget(simplificado, f++, 5);
    for (int c : {1, 3, 5}) prov->setColumnStretch(c, 1);
    prov->setContentsMargins(6, 4, 6, 4);
    auto* grupoProv = new QGroupBox(QStringLiteral("Proveedor"), this);
    grupoProv->setLayout(prov);

    // ---- contacts and observations
    contactos_ = new Rejilla(logica_->contactos(), this);
    contactos_->setObjectName(QStringLiteral("contactos"));
    contactos_->setInteraccion(&interaccion);
    contactos_->setNombreArchivo(QStringLiteral("Contactos"));
    contactos_->setMinimumHeight(60);
    auto* obs = new QPlainTextEdit(this);
    obs->setObjectName(QStringLiteral("TERC_OBS"));
    enlaces_->enlazar(obs, t, QStringLiteral("TERC_OBS"));
    pestanas_ = new QTabWidget(this);
    auto* pestanas = pestanas_;
    // Contacts are added and removed with the buttons or Insert and
    // Ctrl+Delete in the grid, as a data grid does.
    auto* hojaContactos = new QWidget(this);
    auto* capaContactos = new QHBoxLayout(hojaContactos);
    capaContactos->setContentsMargins(0, 0, 0, 0);
    capaContactos->addWidget(contactos_, 1);
    auto* botonesContactos = new QVBoxLayout;
    auto* agregarContacto = new QPushButton(QStringLiteral("Agregar"), hojaContactos);
    auto* quitarContacto = new QPushButton(QStringLiteral("Quitar"), hojaContactos);
    agregarContacto->setObjectName(QStringLiteral("agregarContacto"));
    quitarContacto->setObjectName(QStringLiteral("quitarContacto"));
    botonesContactos->addWidget(agregarContacto);
    botonesContactos->addWidget(quitarContacto);
    botonesContactos->addStretch();
    capaContactos->addLayout(botonesContactos);
    pestanas->addTab(hojaContactos, QStringLiteral("Contactos"));
    pestanas->addTab(obs, QStringLiteral("Observaciones"));

    // ---- accounts panel
    cuentas_ = new QTabWidget(this);
    cuentas_->setObjectName(QStringLiteral("cuentas"));
    teclado_ = new Teclado(this);
    const QStringList titulos{QStringLiteral("C.x pagar:"),        QStringLiteral("C. gasto:"),
                              QStringLiteral("Retencion fuente:"), QStringLiteral("Retención I.V.A.:"),
                              QStringLiteral("Retención ICA:"),    QStringLiteral("AutoRenta:")};
    for (const QStringList* lista : {&FichaAcreedor::cuentasLocales(), &FichaAcreedor::cuentasNiif()}) {
        auto* hoja = new QWidget(cuentas_);
        auto* forma = new QFormLayout(hoja);
        for (int i = 0; i < lista->size(); ++i) {
            const QString campo = (*lista)[i];
            QLineEdit* e = linea(campo, p);
            e->setParent(hoja);
            forma->addRow(titulos[i], e);
            auto abrir = [this, campo](const QString& filtro) {
                manejador_.proteger([&] { logica_->buscarCuenta(campo, filtro); });
            };
            teclado_->busqueda(e, abrir);
            e->installEventFilter(new DobleClic(e, [abrir] { abrir(QString()); }));
        }
        auto* continua = new QPushButton(QStringLiteral("F5:Continua"), hoja);
        connect(continua, &QPushButton::clicked, this, [this] { mostrarCuentas(false); });
        forma->addRow(continua);
        cuentas_->addTab(hoja, lista == &FichaAcreedor::cuentasLocales() ? QStringLiteral("Dec.2649") : QStringLiteral("NIIF"));
    }
    cuentas_->hide();

    // Long names in the lists must not widen the screen.
    for (QComboBox* c : findChildren<QComboBox*>()) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(8);
    }
    for (int i = 0; i < prov->count(); ++i)
        if (auto* e = qobject_cast<QLineEdit*>(prov->itemAt(i)->widget())) e->setMinimumWidth(50);

    registro_ = new QLabel(logica_->registro(), this);
    registro_->setObjectName(QStringLiteral("registro"));

    aviso_ = new QLabel(this);
    aviso_->setObjectName(QStringLiteral("aviso"));
    aviso_->setStyleSheet(QStringLiteral("QLabel { background: #ffffc0; color: #000080; font-weight: bold; padding: 4px; }"));
    aviso_->hide();

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addWidget(aviso_);
    todo->addLayout(datos);
    todo->addWidget(grupoProv);
    todo->addWidget(cuentas_);
    todo->addWidget(pestanas, 1);
    todo->addWidget(registro_);

    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    auto agregar = [this] {
        if (!confirmarEdicion(contactos_->vista())) return;
        logica_->contactos().append();
        contactos_->vista()->setFocus(Qt::OtherFocusReason);
    };
    auto quitar = [this] {
        if (!logica_->contactos().isEmpty()) logica_->contactos().remove();
    };
    teclado_->asignarEn(contactos_->vista(), Qt::Key_Insert, agregar);
    teclado_->asignarEn(contactos_->vista(), Qt::CTRL | Qt::Key_Delete, quitar);
    connect(agregarContacto, &QPushButton::clicked, this, [this, agregar] { manejador_.proteger(agregar); });
    connect(quitarContacto, &QPushButton::clicked, this, [this, quitar] { manejador_.proteger(quitar); });
    teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { logica_->salir(); });
    teclado_->asignar(Qt::Key_F11, [this] { mostrarCuentas(true); });
    teclado_->asignar(Qt::Key_F5, [this] {
        if (cuentas_->isVisible()) mostrarCuentas(false);
    });
    connect(grabar_, &QPushButton::clicked, this, [this] { manejador_.proteger([this] { grabar(); }); });
    connect(contab, &QPushButton::clicked, this, [this] { mostrarCuentas(!cuentas_->isVisible()); });
    connect(salir, &QPushButton::clicked, this, [this] { logica_->salir(); });
    if (documentos)
        connect(documentos, &QPushButton::clicked, this, [this] {
            interaccion_.abrirPantalla(QStringLiteral("Tfdocumentostercero"),
                                       {{QStringLiteral("nit"), logica_->tercero().asString(QStringLiteral("TERC_NIT"))}});
        });
    connect(logica_.get(), &FichaAcreedor::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    connect(logica_.get(), &FichaAcreedor::tipoCambiado, this, &FichaAcreedorVista::tipoCambiado);
    connect(logica_.get(), &FichaAcreedor::reiniciado, this, [this] {
        enlaces_->refrescar();
        tipoCambiado(logica_->personaNatural());
    });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) { enlaces_->enfocar(campo); });
    tipoCambiado(logica_->personaNatural());
    setFocusProxy(nuevo ? nit : editor(QStringLiteral("TERC_NOM")));
}

FichaAcreedorVista::~FichaAcreedorVista() = default;

QSize FichaAcreedorVista::tamano() const {
    // Never so small that a field is cut: the fields the screen shows
    // (the modify screen's registry line, the replication notice) decide.
    const QSize base = logica_->modo() == FichaAcreedor::Modo::Nuevo ? QSize(580, 555) : QSize(580, 528);
    return base.expandedTo(minimumSizeHint());
}

void FichaAcreedorVista::tipoCambiado(bool natural) {
    for (const char* c : {"TERC_APELLIDO1", "TERC_APELLIDO2", "TERC_NOMBRE1", "TERC_NOMBRE2"})
        if (QLineEdit* e = editor(QString::fromLatin1(c))) e->setEnabled(natural);
}

void FichaAcreedorVista::mostrarCuentas(bool on) {
    // The accounts take the place of the contacts while shown.
    cuentas_->setVisible(on);
    pestanas_->setVisible(!on);
    if (on) {
        if (QLineEdit* e = editor(FichaAcreedor::cuentasLocales().first())) e->setFocus(Qt::OtherFocusReason);
    }
}

void FichaAcreedorVista::mostrarAviso(const QString& texto) {
    aviso_->setText(texto);
    aviso_->setVisible(!texto.isEmpty());
    aviso_->repaint();
}

void FichaAcreedorVista::grabar() {
    if (!enlaces_->confirmar()) return;
    confirmarEdicion(contactos_->vista());
    logica_->grabar();
}

void FichaAcreedorVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        centrarEnArea(this, tamano());
        focusProxy()->setFocus(Qt::OtherFocusReason);
    }
}

namespace {
FichaAcreedorVista* conReplicas(FichaAcreedorVista* v, Sesion& sesion, const Configuracion&) {
    v->logica().setReplicar([v, &sesion](const QString& nit) {
        ReplicacionAcreedores(sesion, [v](const QString& t) { v->mostrarAviso(t); }).replicar(nit);
    });
    return v;
}
}  // namespace

QWidget* crearTfnvotercero(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<FichaAcreedor>(FichaAcreedor::Modo::Nuevo, sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return conReplicas(new FichaAcreedorVista(std::move(logica), interaccion, manejador, sesion, padre), sesion,
                       configuracion);
}

std::optional<QVariantMap> elegirNuevoAcreedor(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                               const Configuracion& configuracion, QWidget* padre) {
    auto logica = std::make_unique<FichaAcreedor>(FichaAcreedor::Modo::Nuevo, sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return std::nullopt;
    QDialog dialogo(padre);
    dialogo.setObjectName(QStringLiteral("TfnvoterceroMarco"));
    auto* vista = conReplicas(new FichaAcreedorVista(std::move(logica), interaccion, manejador, sesion, &dialogo), sesion,
                              configuracion);
    vista->setAttribute(Qt::WA_DeleteOnClose, false);
    dialogo.setWindowTitle(vista->windowTitle());
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.resize(vista->tamano());
    dialogo.exec();
    return vista->logica().grabado();
}

QWidget* crearTfmodtercero(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion, const QVariantMap& args, QWidget* padre) {
    auto logica =
        std::make_unique<FichaAcreedor>(FichaAcreedor::Modo::Modificar, sesion, interaccion, manejador, configuracion);
    if (!logica->abrir(args.value(QStringLiteral("nit")).toString())) return nullptr;
    return conReplicas(new FichaAcreedorVista(std::move(logica), interaccion, manejador, sesion, padre), sesion,
                       configuracion);
}

}  // namespace cxp
