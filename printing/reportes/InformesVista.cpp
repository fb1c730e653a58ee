#include "printing/reportes/InformesVista.h"

#include "data/Sesion.h"
#include "ledger/VistaLedger.h"
#include "ui/Teclado.h"
#include "data/Interaccion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace cxp {

namespace {

using A = InformeAcreedores::Agrupar;
const QStringList kAgrupar{QStringLiteral("Ninguno"), QStringLiteral("Ciudad"), QStringLiteral("Grupo")};

}  // namespace

VistaAcreedores::VistaAcreedores(std::unique_ptr<InformeAcreedores> logica, const Opciones& o,
                                 Interaccion& interaccion, ManejadorErrores& manejador, const Sesion& sesion,
                                 QWidget* padre)
    : VistaInforme(*logica, o.nombre, o.titulo, interaccion, manejador, sesion, padre),
      logica_(std::move(logica)),
      agrupar_(o.agrupar) {
    InformeAcreedores& l = *logica_;
    panelAcreedores(o.tituloAgrupar, o.agrupaciones);
    if (o.fechas) {
        desde_ = fecha(QStringLiteral("desde"), l.desde);
        hasta_ = fecha(QStringLiteral("hasta"), l.hasta);
        rango(QStringLiteral("Fechas:"), desde_, hasta_);
    }
    casillas_ = new QHBoxLayout;
    if (o.moneda) {
        auto* etiqueta = new QLabel(QStringLiteral("Moneda:"), this);
        casillas_->addWidget(etiqueta);
        casillas_->addWidget(comboMoneda(this, etiqueta, l, [this](int c) { logica_->setMoneda(c); }));
    }
    casillas_->addStretch();
    if (!o.detalle.isEmpty()) {
        detalle_ = casilla(QStringLiteral("detalle"), o.detalle);
        detalle_->setChecked(l.detalle);
    }
    opciones()->addLayout(casillas_);
    titulo_ = campo(QStringLiteral("titulo"), 80);
    titulo_->setText(l.titulo());
}

VistaAcreedores::~VistaAcreedores() = default;

QCheckBox* VistaAcreedores::casilla(const QString& nombre, const QString& texto) {
    auto* c = new QCheckBox(texto, this);
    c->setObjectName(nombre);
    casillas_->addWidget(c);
    return c;
}

void VistaAcreedores::leerCampos() {
    InformeAcreedores& l = *logica_;
    l.orden = porNombre() ? InformeAcreedores::Orden::Nombre : InformeAcreedores::Orden::Nit;
    l.agrupar = agrupar_.at(size_t(agrupacion()));
    l.grupoDesde = grupoDesde();
    l.grupoHasta = grupoHasta();
    l.nitDesde = nitDesde();
    l.nitHasta = nitHasta();
    if (desde_) {
        l.desde = desde_->date();
        l.hasta = hasta_->date();
    }
    if (detalle_) l.detalle = detalle_->isChecked();
    l.setTitulo(titulo_->text());
    if (leerPropios) leerPropios();
}

VistaComprobantes::VistaComprobantes(std::unique_ptr<InformeComprobantes> logica, const QString& nombre,
                                     const QString& titulo, Interaccion& interaccion, ManejadorErrores& manejador,
                                     const Sesion& sesion, QWidget* padre)
    : VistaInforme(*logica, nombre, titulo, interaccion, manejador, sesion, padre), logica_(std::move(logica)) {
    InformeComprobantes& l = *logica_;
    const auto casilla = [this](const char* nombre, const QString& texto, bool valor) {
        auto* c = new QCheckBox(texto, this);
        c->setObjectName(QString::fromLatin1(nombre));
        c->setChecked(valor);
        return c;
    };
    cargos_ = casilla("cargos", QStringLiteral("Notas débito"), l.cargos);
    descuentos_ = casilla("descuentos", QStringLiteral("Notas crédito"), l.descuentos);
    aplicaciones_ = casilla("aplicaciones", QStringLiteral("Aplicaciones"), l.aplicaciones);
    anticipos_ = casilla("anticipos", QStringLiteral("Anticipos"), l.anticipos);
    auto* tipos = new QGroupBox(QStringLiteral("Comprobantes"), this);
    auto* capa = new QHBoxLayout(tipos);
    for (QCheckBox* c : {cargos_, descuentos_, aplicaciones_, anticipos_}) capa->addWidget(c);
    opciones()->addWidget(tipos);
    detalle_ = casilla("detalle", QStringLiteral("Detalle de comprobantes"), l.detalle);
    anulados_ = casilla("anulados", QStringLiteral("Anulados"), l.anulados);
    auto* banderas = new QHBoxLayout;
    banderas->addWidget(detalle_);
    banderas->addWidget(anulados_);
    banderas->addStretch();
    opciones()->addLayout(banderas);

    if (auto* crono = qobject_cast<Tfrepocrono*>(&l)) {
        desde_ = fecha(QStringLiteral("desde"), crono->desde);
        hasta_ = fecha(QStringLiteral("hasta"), crono->hasta);
        rango(QStringLiteral("Fechas:"), desde_, hasta_);
    } else {
        numeroDesde_ = campo(QStringLiteral("numeroDesde"), 8);
        numeroHasta_ = campo(QStringLiteral("numeroHasta"), 8);
        rango(QStringLiteral("Números:"), numeroDesde_, numeroHasta_);
    }
    prefijoDesde_ = campo(QStringLiteral("prefijoDesde"), 4);
    prefijoHasta_ = campo(QStringLiteral("prefijoHasta"), 4);
    rango(QStringLiteral("Prefijos:"), prefijoDesde_, prefijoHasta_);
    agencia_ = new QSpinBox(this);
    agencia_->setObjectName(QStringLiteral("agencia"));
    agencia_->setRange(0, 9999);
    agencia_->setValue(l.agencia);
    fila(QStringLiteral("Agencias:"), agencia_);
    titulo_ = campo(QStringLiteral("titulo"), 80);
    titulo_->setText(l.titulo());
    fila(QStringLiteral("Título:"), titulo_);
}

VistaComprobantes::~VistaComprobantes() = default;

void VistaComprobantes::leerCampos() {
    InformeComprobantes& l = *logica_;
    l.cargos = cargos_->isChecked();
    l.descuentos = descuentos_->isChecked();
    l.aplicaciones = aplicaciones_->isChecked();
    l.anticipos = anticipos_->isChecked();
    l.detalle = detalle_->isChecked();
    l.anulados = anulados_->isChecked();
    l.prefijoDesde = prefijoDesde_->text();
    l.prefijoHasta = prefijoHasta_->text();
    l.agencia = agencia_->value();
    l.setTitulo(titulo_->text());
    if (auto* crono = qobject_cast<Tfrepocrono*>(&l)) {
        crono->desde = desde_->date();
        crono->hasta = hasta_->date();
    } else if (auto* consecutivo = qobject_cast<Tfrepoconsecutivo*>(&l)) {
        consecutivo->numeroDesde = numeroDesde_->text();
        consecutivo->numeroHasta = numeroHasta_->text();
    }
}

VistaCertificados::VistaCertificados(std::unique_ptr<Tfcertretencion> logica, Interaccion& interaccion,
                                     ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : VistaInforme(*logica, QStringLiteral("Tfcertretencion"), Tfcertretencion::kTitulo, interaccion, manejador,
                   sesion, padre),
      logica_(std::move(logica)) {
    Tfcertretencion& l = *logica_;
    desde_ = fecha(QStringLiteral("desde"), l.desde);
    hasta_ = fecha(QStringLiteral("hasta"), l.hasta);
    nitDesde_ = campoAcreedor(QStringLiteral("nitDesde"));
    nitHasta_ = campoAcreedor(QStringLiteral("nitHasta"));
    lugar_ = campo(QStringLiteral("lugar"), 40);
    expedicion_ = fecha(QStringLiteral("expedicion"), l.expedicion);
    titulo_ = campo(QStringLiteral("titulo"), 80);
    titulo_->setText(l.titulo());
    rango(QStringLiteral("Período:"), desde_, hasta_);
    rango(QStringLiteral("Acreedores:"), nitDesde_, nitHasta_);
    fila(QStringLiteral("Lugar de expedición:"), lugar_, expedicion_);
    fila(QStringLiteral("Título:"), titulo_);
    auto* pdf = new QPushButton(QStringLiteral("F6:PDF por acreedor"), this);
    pdf->setObjectName(QStringLiteral("pdfPorAcreedor"));
    connect(pdf, &QPushButton::clicked, this, [this] { pdfPorAcreedor(); });
    auto* linea = new QHBoxLayout;
    linea->addStretch();
    linea->addWidget(pdf);
    opciones()->addLayout(linea);
    teclado().asignar(Qt::Key_F6, [this] { pdfPorAcreedor(); });
}

VistaCertificados::~VistaCertificados() = default;

void VistaCertificados::leerCampos() {
    Tfcertretencion& l = *logica_;
    l.desde = desde_->date();
    l.hasta = hasta_->date();
    l.nitDesde = nitDesde_->text();
    l.nitHasta = nitHasta_->text();
    l.lugar = lugar_->text();
    l.expedicion = expedicion_->date();
    l.setTitulo(titulo_->text());
}

void VistaCertificados::pdfPorAcreedor() {
    leerCampos();
    const QString carpeta = QFileDialog::getExistingDirectory(this, QStringLiteral("Carpeta de los certificados"));
    if (carpeta.isEmpty()) return;
    const int n = logica_->pdfPorAcreedor(carpeta);
    if (n > 0)
        interaccion_.informacion(QStringLiteral("%1 certificados en %2").arg(n).arg(QDir::toNativeSeparators(carpeta)));
}

// --- the screens

QWidget* crearTfcertretencion(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c,
                              const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfcertretencion>(s, i, m, c);
    if (!logica->abrir()) return nullptr;
    return new VistaCertificados(std::move(logica), i, m, s, padre);
}


QWidget* crearTfrepoproveedor(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c,
                              const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfrepoproveedor>(s, i, m, c);
    if (!logica->abrir()) return nullptr;
    Tfrepoproveedor* l = logica.get();
    auto* v = new VistaAcreedores(std::move(logica),
                                  {QStringLiteral("Tfrepoproveedor"), Tfrepoproveedor::kTitulo,
                                   QStringLiteral("Agrupar por"), kAgrupar, {A::Ninguno, A::Ciudad, A::Grupo}, false,
                                   false, QString()},
                                  i, m, s, padre);
    QCheckBox* agenda = v->casilla(QStringLiteral("agenda"), QStringLiteral("Agenda"));
    v->fila(QStringLiteral("Título:"), v->titulo());
    v->leerPropios = [l, agenda] { l->agenda = agenda->isChecked(); };
    return v;
}

QWidget* crearTfrepDoc_prov(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c,
                            const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<TfrepDoc_prov>(s, i, m, c);
    if (!logica->abrir()) return nullptr;
    logica->agencia = s.agencia_actual;
    TfrepDoc_prov* l = logica.get();
    auto* v = new VistaAcreedores(std::move(logica),
                                  {QStringLiteral("TfrepDoc_prov"), TfrepDoc_prov::kTitulo,
                                   QStringLiteral("Agrupar por"), kAgrupar, {A::Ninguno, A::Ciudad, A::Grupo}, true,
                                   false},
                                  i, m, s, padre);
    auto* comprobante = new QComboBox(v);
    comprobante->setObjectName(QStringLiteral("comprobante"));
    comprobante->addItems(TfrepDoc_prov::kComprobantes);
    QCheckBox* anulados = v->casilla(QStringLiteral("anulados"), QStringLiteral("Anulados"));
    auto* agencia = new QSpinBox(v);
    agencia->setObjectName(QStringLiteral("agencia"));
    agencia->setRange(0, 9999);
    agencia->setValue(l->agencia);
    v->fila(QStringLiteral("Comprobantes"), comprobante);
    v->fila(QStringLiteral("Agencia:"), agencia);
    v->fila(QStringLiteral("Título:"), v->titulo());
    v->leerPropios = [l, comprobante, anulados, agencia] {
        l->comprobante = comprobante->currentIndex();
        l->anulados = anulados->isChecked();
        l->agencia = agencia->value();
    };
    return v;
}

QWidget* crearTfrepoestdocuentas(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c,
                                 const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfrepoestdocuentas>(s, i, m, c);
    if (!logica->abrir()) return nullptr;
    Tfrepoestdocuentas* l = logica.get();
    // No collector is kept for a creditor: "Cobrador" groups by city.
    auto* v = new VistaAcreedores(
        std::move(logica),
        {QStringLiteral("Tfrepoestdocuentas"), Tfrepoestdocuentas::kTitulo, QStringLiteral("Agrupamiento"),
         {QStringLiteral("Ninguno"), QStringLiteral("Zona"), QStringLiteral("Cobrador")},
         {A::Ninguno, A::Grupo, A::Ciudad}, true, true, QString()},
        i, m, s, padre);
    auto* consolidado = new QRadioButton(QStringLiteral("Consolidado"), v);
    auto* detallado = new QRadioButton(QStringLiteral("Detallado"), v);
    detallado->setObjectName(QStringLiteral("detallado"));
    auto* movimiento = new QGroupBox(QStringLiteral("Movimiento"), v);
    auto* capa = new QHBoxLayout(movimiento);
    capa->addWidget(consolidado);
    capa->addWidget(detallado);
    auto* grupo = new QButtonGroup(movimiento);
    grupo->addButton(consolidado);
    grupo->addButton(detallado);
    detallado->setChecked(true);
    auto* observaciones = new QLineEdit(v);
    observaciones->setObjectName(QStringLiteral("observaciones"));
    observaciones->setMaxLength(200);
    v->fila(QStringLiteral("Movimiento"), movimiento);
    v->fila(QStringLiteral("Observaciones:"), observaciones);
    v->fila(QStringLiteral("Título:"), v->titulo());
    v->leerPropios = [l, detallado, observaciones] {
        l->detalle = detallado->isChecked();
        l->observaciones = observaciones->text();
    };
    return v;
}

QWidget* crearTfreporelaprov(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c,
                             const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfreporelaprov>(s, i, m, c);
    if (!logica->abrir()) return nullptr;
    Tfreporelaprov* l = logica.get();
    auto* v = new VistaAcreedores(std::move(logica),
                                  {QStringLiteral("Tfreporelaprov"), Tfreporelaprov::kTitulo,
                                   QStringLiteral("Agrupar por"), kAgrupar, {A::Ninguno, A::Ciudad, A::Grupo}},
                                  i, m, s, padre);
    QCheckBox* sin = v->casilla(QStringLiteral("sinRetenciones"), QStringLiteral("Incluir prov. sin retenciones"));
    v->fila(QStringLiteral("Título:"), v->titulo());
    v->leerPropios = [l, sin] { l->sinRetenciones = sin->isChecked(); };
    return v;
}

QWidget* crearTfrepoconsecutivo(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c,
                                const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfrepoconsecutivo>(s, i, m, c);
    if (!logica->abrir()) return nullptr;
    return new VistaComprobantes(std::move(logica), QStringLiteral("Tfrepoconsecutivo"), Tfrepoconsecutivo::kTitulo, i,
                                 m, s, padre);
}

QWidget* crearTfrepocrono(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c, const QVariantMap&,
                          QWidget* padre) {
    auto logica = std::make_unique<Tfrepocrono>(s, i, m, c);
    if (!logica->abrir()) return nullptr;
    return new VistaComprobantes(std::move(logica), QStringLiteral("Tfrepocrono"), Tfrepocrono::kTitulo, i, m, s,
                                 padre);
}

}  // namespace cxp
