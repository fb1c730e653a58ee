#include "accounting/interfaces/FichaInterfazVista.h"

#include "accounting/interfaces/Delegados.h"
#include "comunes/Delegados.h"
#include "comunes/Presentacion.h"
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
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace cxp {

namespace {
const QSize kTamano(600, 595);

// A double click on an account field opens its chart.
Enlaces::Claves claves(const FichaInterfaz::Lista& lista) {
    Enlaces::Claves r;
    for (const auto& [clave, nombre] : lista) r.append({clave, nombre});
    return r;
}
}  // namespace

FichaInterfazVista::FichaInterfazVista(std::unique_ptr<FichaInterfaz> logica, Interaccion& interaccion,
                                       ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion), manejador_(manejador) {
    const bool nueva = logica_->modo() == FichaInterfaz::Modo::Nueva;
    setObjectName(nueva ? QStringLiteral("Tfnvainterfaz") : QStringLiteral("Tfmodinterfaz"));
    setWindowTitle(logica_->titulo());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kTamano);

    QFrame* panel = panelBotones(this, sesion);
    QPushButton* grabarBoton = botonDePanel(panel, QStringLiteral("F2: Grabar"));
    finPanel(panel);
    QPushButton* cancelar = botonDePanel(panel, QStringLiteral("ESC:Cancelar"));

    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    teclado_ = new Teclado(this);
    DataSet& i = logica_->interfaz();

    // ---- top part
    auto* documento = new QComboBox(this);
    documento->setObjectName(QStringLiteral("TIDO_COD"));
    enlaces_->enlazar(documento, i, QStringLiteral("TIDO_COD"), claves(logica_->documentos()));
    auto* comprobante = new QComboBox(this);
    comprobante->setObjectName(QStringLiteral("TICO_COD"));
    enlaces_->enlazar(comprobante, i, QStringLiteral("TICO_COD"), claves(logica_->comprobantes()));
    prefijo_ = new QComboBox(this);
    prefijo_->setObjectName(QStringLiteral("PREF_PRE"));
    prefijoConta_ = new QComboBox(this);
    prefijoConta_->setObjectName(QStringLiteral("PRCO_PRE"));
    connect(prefijo_, &QComboBox::activated, this,
            [this] { manejador_.proteger([this] { logica_->setPrefijo(prefijo_->currentText()); }); });
    connect(prefijoConta_, &QComboBox::activated, this,
            [this] { manejador_.proteger([this] { logica_->setPrefijoConta(prefijoConta_->currentText()); }); });
    auto* nombre = new QLineEdit(this);
    nombre->setObjectName(QStringLiteral("INCP_NOMBRE"));
    enlaces_->enlazar(nombre, i, QStringLiteral("INCP_NOMBRE"));
    auto* confirmar = new QCheckBox(QStringLiteral("Ver comprobante en pantalla antes de grabar"), this);
    confirmar->setObjectName(QStringLiteral("INCP_CONFIRMAR"));
    enlaces_->enlazar(confirmar, i, QStringLiteral("INCP_CONFIRMAR"));
    auto* equivalencia = new QCheckBox(QStringLiteral("Generar  NIIF por equivalencia"), this);
    equivalencia->setObjectName(QStringLiteral("INCP_EQUIVALENCIA"));
    enlaces_->enlazar(equivalencia, i, QStringLiteral("INCP_EQUIVALENCIA"));
    for (QComboBox* c : {documento, comprobante}) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(16);
    }

    auto* arriba = new QGridLayout;
    arriba->setHorizontalSpacing(6);
    arriba->setVerticalSpacing(3);
    arriba->addWidget(new QLabel(QStringLiteral("Documento:"), this), 0, 0);
    arriba->addWidget(documento, 0, 1);
    arriba->addWidget(new QLabel(QStringLiteral("Prefijo:"), this), 0, 2);
    arriba->addWidget(prefijo_, 0, 3);
    arriba->addWidget(new QLabel(QStringLiteral("Nombre:"), this), 1, 0);
    arriba->addWidget(nombre, 1, 1, 1, 3);
    arriba->addWidget(new QLabel(QStringLiteral("Comprobante:"), this), 2, 0);
    arriba->addWidget(comprobante, 2, 1);
    arriba->addWidget(new QLabel(QStringLiteral("Prefijo conta:"), this), 2, 2);
    arriba->addWidget(prefijoConta_, 2, 3);
    arriba->addWidget(confirmar, 3, 1, 1, 3);
    arriba->addWidget(equivalencia, 4, 1, 1, 3);
    arriba->setColumnStretch(1, 1);

    // ---- the two charts
    pestanas_ = new QTabWidget(this);
    pestanas_->setObjectName(QStringLiteral("pestanas"));
    pestanas_->addTab(hojaCuentas(false), QStringLiteral("Dec.2649"));
    pestanas_->addTab(hojaCuentas(true), QStringLiteral("NIIF"));

    // ---- additional lines
    lineas_ = new Rejilla(logica_->lineas(), this);
    lineas_->setObjectName(QStringLiteral("lineas"));
    lineas_->setInteraccion(&interaccion);
    lineas_->setNombreArchivo(QStringLiteral("CuentasAdicionales"));
    lineas_->setAnchoColumna(QStringLiteral("INPC_CUENTA"), 14);
    lineas_->setMinimumHeight(90);
    QTableView* rejilla = lineas_->vista();
    rejilla->horizontalHeader()->setStretchLastSection(true);
    DataSetModel* modelo = lineas_->modelo();
    if (const int c = modelo->columnOf(QStringLiteral("INPC_BASE")); c >= 0)
        rejilla->setItemDelegateForColumn(c, new DelegadoLista([] { return FichaInterfaz::bases(); }, rejilla));
    if (const int c = modelo->columnOf(QStringLiteral("INPC_DB")); c >= 0)
        rejilla->setItemDelegateForColumn(c, new DelegadoBandera(true, rejilla));

    navegador_ = new QWidget(this);
    auto* nav = new QHBoxLayout(navegador_);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(1);
    DataSet& l = logica_->lineas();
    const std::tuple<const char*, const char*, const char*, std::function<void()>> acciones[] = {
        {"insertar", "+", "Insertar línea", [this, rejilla, &l] {
             if (!confirmarEdicion(rejilla)) return;
             l.append();
             rejilla->setFocus(Qt::OtherFocusReason);
         }},
        {"borrar", "-", "Borrar línea", [&l] {
             if (!l.isEmpty()) l.remove();
         }},
        {"grabarLinea", "\u2713", "Grabar línea", [rejilla, &l] {
             confirmarEdicion(rejilla);
             if (l.state() != DataSet::State::Browse) l.post();
         }},
        {"cancelarLinea", "\u2717", "Cancelar línea", [&l] {
             if (l.state() != DataSet::State::Browse) l.cancel();
         }},
    };
    for (const auto& [nombreBoton, texto, ayuda, accion] : acciones) {
        auto* b = new QToolButton(navegador_);
        b->setObjectName(QString::fromLatin1(nombreBoton));
        b->setText(QString::fromUtf8(texto));
        b->setToolTip(QString::fromUtf8(ayuda));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(26);
        connect(b, &QToolButton::clicked, this, [this, accion = accion] {
            try {
                accion();
            } catch (const DataSetError& e) {
                manejador_.ManejarClientError(logica_->lineas(), QStringLiteral("cdsLineas"), e);
            } catch (const std::exception& e) {
                manejador_.ENoManejada(e);
            }
        });
        nav->addWidget(b);
    }
    teclado_->asignarEn(rejilla, Qt::Key_Insert, std::get<3>(acciones[0]));
    teclado_->asignarEn(rejilla, Qt::CTRL | Qt::Key_Delete, std::get<3>(acciones[1]));

    auto* grupoLineas = new QVBoxLayout;
    grupoLineas->setSpacing(2);
    auto* tituloLineas = new QHBoxLayout;
    tituloLineas->addWidget(new QLabel(QStringLiteral("Cuentas adicionales "), this));
    tituloLineas->addWidget(navegador_);
    tituloLineas->addStretch();
    grupoLineas->addLayout(tituloLineas);
    grupoLineas->addWidget(lineas_, 1);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addLayout(arriba);
    todo->addWidget(pestanas_);
    todo->addLayout(grupoLineas, 1);

    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { logica_->cancelar(); });
    connect(grabarBoton, &QPushButton::clicked, this, [this] { manejador_.proteger([this] { grabar(); }); });
    connect(cancelar, &QPushButton::clicked, this, [this] { logica_->cancelar(); });
    connect(logica_.get(), &FichaInterfaz::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    connect(logica_.get(), &FichaInterfaz::listasCambiadas, this, [this] {
        llenarPrefijos();
        habilitarCuentas();
    });
    connect(logica_.get(), &FichaInterfaz::fuentesCambiadas, this, &FichaInterfazVista::habilitarCuentas);
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) { enfocar(campo); });
    llenarPrefijos();
    habilitarCuentas();
    setFocusProxy(documento);
}

FichaInterfazVista::~FichaInterfazVista() = default;

QWidget* FichaInterfazVista::hojaCuentas(bool niif) {
    auto* hoja = new QWidget(this);
    auto* grupo = new QGroupBox(QStringLiteral("Cuentas: "), hoja);
    auto* rejilla = new QGridLayout(grupo);
    rejilla->setHorizontalSpacing(6);
    rejilla->setVerticalSpacing(3);
    DataSet& ds = niif ? logica_->niif() : logica_->interfaz();
    auto& cuentas = niif ? cuentasNiif_ : cuentas_;
    auto& fuentes = niif ? fuentesNiif_ : fuentes_;
    int fila = 0;
    for (const FichaInterfaz::Componente& c : FichaInterfaz::componentes()) {
        auto* fuente = new QComboBox(grupo);
        fuente->setObjectName(niif ? FichaInterfaz::nombreNiif(c.fuente) : c.fuente);
        Enlaces::Claves codigos;
        for (const QString& k : c.permitidas) codigos.append({k, k});
        enlaces_->enlazar(fuente, ds, c.fuente, codigos);
        fuente->setFixedWidth(48);
        auto* cuenta = new QLineEdit(grupo);
        cuenta->setObjectName(niif ? FichaInterfaz::nombreNiif(c.cuenta) : c.cuenta);
        enlaces_->enlazar(cuenta, ds, c.cuenta);
        const QString campo = c.cuenta;
        cuenta->installEventFilter(new DobleClic(cuenta, [this, niif, campo, cuenta] {
            manejador_.proteger([&] { logica_->buscarCuenta(niif, campo, cuenta->text().trimmed()); });
        }));
        rejilla->addWidget(new QLabel(c.titulo, grupo), fila, 0);
        rejilla->addWidget(fuente, fila, 1);
        rejilla->addWidget(cuenta, fila, 2);
        cuentas.insert(c.cuenta, cuenta);
        fuentes.insert(c.fuente, fuente);
        ++fila;
    }
    auto* leyenda = new QLabel(FichaInterfaz::kLeyenda, grupo);
    leyenda->setObjectName(QStringLiteral("leyenda"));
    rejilla->addWidget(leyenda, fila, 0, 1, 3);
    rejilla->setColumnStretch(2, 1);

    if (!niif) {
        // The extra discounts: local chart only, no source of their own.
        for (int k = 0; k < FichaInterfaz::descuentos().size(); ++k) {
            const QString campo = FichaInterfaz::descuentos()[k];
            auto* etiqueta = new QLabel(QStringLiteral("Descuento %1:").arg(k + 1), grupo);
            auto* cuenta = new QLineEdit(grupo);
            cuenta->setObjectName(campo);
            enlaces_->enlazar(cuenta, ds, campo);
            cuenta->installEventFilter(new DobleClic(cuenta, [this, campo, cuenta] {
                manejador_.proteger([&] { logica_->buscarCuenta(false, campo, cuenta->text().trimmed()); });
            }));
            rejilla->addWidget(etiqueta, k, 4);
            rejilla->addWidget(cuenta, k, 5);
            cuentas_.insert(campo, cuenta);
            descuentos_ << etiqueta << cuenta;
        }
        rejilla->setColumnMinimumWidth(3, 12);
        rejilla->setColumnStretch(5, 1);
    }
    auto* capa = new QVBoxLayout(hoja);
    capa->setContentsMargins(4, 4, 4, 4);
    capa->addWidget(grupo);
    return hoja;
}

QLineEdit* FichaInterfazVista::cuenta(const QString& campo, bool niif) const {
    return (niif ? cuentasNiif_ : cuentas_).value(campo);
}

QComboBox* FichaInterfazVista::fuente(const QString& campo, bool niif) const {
    return (niif ? fuentesNiif_ : fuentes_).value(campo);
}

QToolButton* FichaInterfazVista::botonNavegador(const QString& nombre) const {
    return navegador_->findChild<QToolButton*>(nombre);
}

void FichaInterfazVista::llenarPrefijos() {
    const DataSet& i = logica_->interfaz();
    const std::pair<QComboBox*, std::pair<const QStringList*, QString>> combos[] = {
        {prefijo_, {&logica_->prefijos(), i.isEmpty() ? QString() : i.asString(QStringLiteral("PREF_PRE"))}},
        {prefijoConta_, {&logica_->prefijosConta(), i.isEmpty() ? QString() : i.asString(QStringLiteral("PRCO_PRE"))}},
    };
    for (const auto& [combo, datos] : combos) {
        const QSignalBlocker bloqueo(combo);
        combo->clear();
        combo->addItems(*datos.first);
        combo->setCurrentIndex(combo->findText(datos.second));
    }
}

void FichaInterfazVista::habilitarCuentas() {
    for (const FichaInterfaz::Componente& c : FichaInterfaz::componentes()) {
        cuentas_.value(c.cuenta)->setEnabled(logica_->cuentaHabilitada(false, c.cuenta));
        cuentasNiif_.value(c.cuenta)->setEnabled(logica_->cuentaHabilitada(true, c.cuenta));
    }
    const bool descuentos = logica_->descuentosVisibles();
    for (QWidget* w : descuentos_) w->setVisible(descuentos);
}

void FichaInterfazVista::enfocar(const QString& campo) {
    const bool niif = campo.startsWith(QLatin1String("NIIF."));
    const QString nombre = niif ? campo.mid(5) : campo;
    QWidget* w = niif ? static_cast<QWidget*>(cuentasNiif_.value(nombre)) : cuentas_.value(nombre);
    if (!w) w = niif ? static_cast<QWidget*>(fuentesNiif_.value(nombre)) : fuentes_.value(nombre);
    if (w) {
        pestanas_->setCurrentIndex(niif ? 1 : 0);
        w->setEnabled(true);
        w->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (nombre.startsWith(QLatin1String("INPC_"))) {
        lineas_->vista()->setFocus(Qt::OtherFocusReason);
        return;
    }
    enlaces_->enfocar(nombre);
}

void FichaInterfazVista::grabar() {
    if (!enlaces_->confirmar()) return;
    confirmarEdicion(lineas_->vista());
    logica_->grabar();
}

void FichaInterfazVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        centrarEnArea(this, kTamano);
        focusProxy()->setFocus(Qt::OtherFocusReason);
    }
}

namespace {
QWidget* crear(FichaInterfaz::Modo modo, int id, Sesion& sesion, Interaccion& interaccion,
               ManejadorErrores& manejador, const Configuracion& configuracion, QWidget* padre) {
    auto logica = std::make_unique<FichaInterfaz>(modo, sesion, interaccion, manejador, configuracion);
    if (!logica->abrir(id)) return nullptr;
    return new FichaInterfazVista(std::move(logica), interaccion, manejador, sesion, padre);
}
}  // namespace

QWidget* crearTfnvainterfaz(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    return crear(FichaInterfaz::Modo::Nueva, 0, sesion, interaccion, manejador, configuracion, padre);
}

QWidget* crearTfmodinterfaz(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre) {
    return crear(FichaInterfaz::Modo::Modificar, args.value(QStringLiteral("id")).toInt(), sesion, interaccion,
                 manejador, configuracion, padre);
}

}  // namespace cxp
