#include "app/Tfprincipal.h"

#include "app/Iconos.h"
#include "app/PanelDegradado.h"
#include "app/Tfacercade.h"
#include "app/Tfmenumantenimiento.h"
#include "maintenance/Vistas.h"
#include "app/Tfmenureportes.h"
#include "app/mensajes/SondeoMensajes.h"
#include "app/mensajes/VentanaAlerta.h"  // SondeoMensajes holds a QPointer to it
#include "app/mensajes/TfmensajeVista.h"
#include "accounting/contabilizacion/Registro.h"
#include "accounting/interfaces/Registro.h"
#include "comunes/Registro.h"
#include "creditors/Registro.h"
#include "documents/notas/Registro.h"
#include "documents/advances/Registro.h"
#include "documents/service/Registro.h"
#include "documents/applications/Registro.h"
#include "documents/charges/Registro.h"
#include "documents/payments/Registro.h"
#include "documents/programacion/Registro.h"
#include "import/Registro.h"
#include "ledger/Registro.h"
#include "printing/formatos/Registro.h"
#include "printing/motor/Registro.h"
#include "printing/reportes/Registro.h"
#include "data/Ayudas.h"
#include "data/BarraEstado.h"
#include "data/DataSetModel.h"
#include "data/Configuracion.h"
#include "data/Derechos.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/CamposFecha.h"
#include "ui/PaletaSoloLectura.h"
#include "ui/BarraEstadoVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace cxp {

namespace {

constexpr int kAnchoColumna = 204;
constexpr int kAnchoBoton = 150;
constexpr int kAnchoImagen = 44;
constexpr int kAltoCabecera = 72;

// The picture of each button of the left column.
const QHash<QString, QString>& dibujos() {
    static const QHash<QString, QString> d{
        {"acreedor.buscar", "acreedor"},       {"cargo.originar", "cargo"},
        {"descuento.originar", "descuento"},   {"egreso.generar", "pago"},
        {"aplicacion.ejecutar", "aplicacion"}, {"anticipo.buscar", "anticipo"},
        {"menu.informes", "informes"},         {"menu.mantenimiento", "mantenimiento"},
    };
    return d;
}

QLabel* valor(const QString& nombre) {
    auto* l = new QLabel;
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(120);
    return l;
}

}  // namespace

Tfprincipal::Tfprincipal(Servicios s, ParametrosLinea parametros, QWidget* parent)
    : QMainWindow(parent),
      sesion_(s.sesion),
      interaccion_(s.interaccion),
      configuracion_(s.configuracion),
      errores_(s.errores),
      barra_(s.barra),
      parametros_(std::move(parametros)),
      activacion_(sesion_, interaccion_, configuracion_, errores_) {
    setObjectName(QStringLiteral("Tfprincipal"));
    setWindowTitle(kTitulo);
    // The window that creates the session names the module and restricts
    // payment vouchers to payments to creditors.
    sesion_.modulo_actual = QStringLiteral("C. X PAGAR");
    sesion_.solo_pagos_acreedores = true;

    despachador_ = std::make_unique<Despachador>(
        interaccion_, [this](int opcion) { return valide_acceso(sesion_, opcion); },
        [this](const QString& pantalla) { return interaccion_.tienePantalla(pantalla); });

    // Every screen's query shows the fetching notice in this window's bar.
    barra_.avisarConsultas();
    crearCuerpo();
    crearMenus();
    sondeo_ = new SondeoMensajes(sesion_, interaccion_, errores_, this);
    activacion_.setSondeo([this] { sondeo_->sondear(); });
    // A connection the server dropped: one notice in the bar, and the
    // password asked once when the server wants it to attach again.
    sondeo_->setAviso([this](const QString& texto) { barra_.mostrar_advertencia(texto); });
    sondeo_->setPedirClave([this]() -> std::optional<QString> {
        bool aceptada = false;
        QString clave = QInputDialog::getText(
            this, QStringLiteral("Conexión perdida"),
            QStringLiteral("Escriba su contraseña para volver a conectarse con la base de datos:"), QLineEdit::Password,
            QString(), &aceptada);
        if (!aceptada || clave.isEmpty()) return std::nullopt;
        return clave;
    });
    registrarPantallas();

    interaccion_.setVentana(this);
    interaccion_.setMostrarHija([this](QWidget* w) { mostrarHija(w); });
    interaccion_.setPantallaActual([this]() -> QWidget* {
        QMdiSubWindow* sub = mdi_->activeSubWindow();
        return sub ? sub->widget() : nullptr;
    });
    aplicarDerechos();
    resize(1024, 720);

    // Grid columns nobody captioned take their titles from the company's
    // table of column names.
    nombresCampos_ = std::make_unique<NombresCampos>(sesion_.compania);
    qApp->installEventFilter(new PaletaSoloLectura(this));
    qApp->installEventFilter(new FechasDelPrograma(this));
    DataSetModel::setCaptionLookup([this](const QString& columna) -> QString {
        // Asked while painting: a failed read leaves the name, with no box.
        if (!activacion_.aceptada()) return {};
        try {
            return nombresCampos_->nombre_campo(columna);
        } catch (const std::exception&) {
            return {};
        }
    });
}

Tfprincipal::~Tfprincipal() {
    DataSetModel::setCaptionLookup({});
    interaccion_.setMostrarHija({});
    interaccion_.setPantallaActual({});
}

int Tfprincipal::alturaBoton(int alturaCliente) { return std::max(0, (alturaCliente - kReservaColumna) / kBotones); }

int Tfprincipal::alturaCliente() const {
    const QMenuBar* barra = menuBar();
    return height() - (barra && barra->isVisible() ? barra->height() : 0);
}

QLabel* Tfprincipal::etiqueta(const QString& nombre) const { return etiquetas_.value(nombre); }

QMenu* Tfprincipal::submenu(const QString& ruta) {
    if (QMenu* m = menus_.value(ruta)) return m;
    const int corte = int(ruta.lastIndexOf(QLatin1Char('/')));
    QMenu* m = corte < 0 ? menuBar()->addMenu(ruta) : submenu(ruta.left(corte))->addMenu(ruta.mid(corte + 1));
    m->setObjectName(ruta);
    menus_.insert(ruta, m);
    return m;
}

QAction* Tfprincipal::nuevaAccion(QMenu* menu, const QString& id, const QString& titulo, const QString& atajo) {
    auto* a = menu ? menu->addAction(titulo) : new QAction(titulo, this);
    if (!menu) addAction(a);
    a->setObjectName(id);
    if (!atajo.isEmpty()) {
        a->setShortcut(QKeySequence(atajo));
        a->setShortcutContext(Qt::WindowShortcut);
    }
    acciones_.insert(id, a);
    return a;
}

void Tfprincipal::crearMenus() {
    // Archivo and Edición first, as in every desktop program; the command
    // menus follow in the order of the table. Top menus carry no mnemonic,
    // so that Alt + letter stays with the buttons of the left column.
    QMenu* archivo = submenu(QStringLiteral("Archivo"));
    connect(nuevaAccion(archivo, "archivo.impresora", "Configurar &Impresora"), &QAction::triggered, this,
            &Tfprincipal::configurarImpresora);
    archivo->addSeparator();
    connect(nuevaAccion(archivo, "archivo.salir", "&Salir"), &QAction::triggered, this, &QWidget::close);

    QMenu* edicion = submenu(QStringLiteral("Edición"));
    connect(nuevaAccion(edicion, "edicion.copiar", "&Copiar"), &QAction::triggered, this,
            [this] { portapapeles("copy"); });
    connect(nuevaAccion(edicion, "edicion.cortar", "Cor&tar"), &QAction::triggered, this,
            [this] { portapapeles("cut"); });
    connect(nuevaAccion(edicion, "edicion.pegar", "&Pegar"), &QAction::triggered, this,
            [this] { portapapeles("paste"); });

    for (const Comando& c : comandos::principal()) {
        if (c.menu.isEmpty()) continue;
        QAction* a = nuevaAccion(submenu(c.menu), c.id, c.titulo, c.atajo);
        const QString id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { ejecutar(id); });
    }

    QMenu* ventana = submenu(QStringLiteral("Ventana"));
    const Comando* mensaje = despachador_->buscar(QStringLiteral("ventana.mensaje"));
    connect(nuevaAccion(ventana, mensaje->id, mensaje->titulo, mensaje->atajo), &QAction::triggered, this,
            [this] { ejecutar(QStringLiteral("ventana.mensaje")); });
    ventana->addSeparator();
    connect(nuevaAccion(ventana, "ventana.organizar", "&Organizar iconos"), &QAction::triggered, this,
            &Tfprincipal::organizarIconos);
    connect(nuevaAccion(ventana, "ventana.cerrar", "C&errar"), &QAction::triggered, mdi_,
            &QMdiArea::closeActiveSubWindow);
    connect(nuevaAccion(ventana, "ventana.cascada", "&Cascada"), &QAction::triggered, mdi_,
            &QMdiArea::cascadeSubWindows);
    connect(nuevaAccion(ventana, "ventana.horizontal", "Mosaico &horizontal"), &QAction::triggered, this,
            [this] { mosaico(Qt::Horizontal); });
    connect(nuevaAccion(ventana, "ventana.vertical", "Mosaico &vertical"), &QAction::triggered, this,
            [this] { mosaico(Qt::Vertical); });
    connect(nuevaAccion(ventana, "ventana.minimizar", "&Minimizar todo"), &QAction::triggered, this, [this] {
        for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->showMinimized();
    });

    QMenu* ayuda = submenu(QStringLiteral("Ayuda"));
    // No help is written: the entries are there, without action.
    nuevaAccion(ayuda, "ayuda.contenido", "&Contenido")->setEnabled(false);
    nuevaAccion(ayuda, "ayuda.busqueda", "&Búsqueda")->setEnabled(false);
    ayuda->addSeparator();
    connect(nuevaAccion(ayuda, "ayuda.acercade", "&Acerca de"), &QAction::triggered, this, &Tfprincipal::acercaDe);

    connect(nuevaAccion(nullptr, "accion.configuracion", "Carge configuracion", "Ctrl+F1"), &QAction::triggered, this,
            &Tfprincipal::recargarConfiguracion);
}

void Tfprincipal::crearCuerpo() {
    auto* centro = new QWidget;
    auto* rejilla = new QGridLayout(centro);
    rejilla->setContentsMargins(0, 0, 0, 0);
    rejilla->setSpacing(0);

    // Panel 1: the header.
    auto* cabecera = new PanelDegradado;
    cabecera->setObjectName(QStringLiteral("cabecera"));
    cabecera->setFixedHeight(kAltoCabecera);
    auto* filaCab = new QGridLayout(cabecera);
    filaCab->setContentsMargins(12, 6, kLogoDesdeDerecha + 8, 6);
    filaCab->setHorizontalSpacing(8);
    const auto par = [&](int fila, int col, const QString& texto, const QString& nombre) {
        auto* rotulo = new QLabel(texto);
        rotulo->setObjectName(QStringLiteral("rotulo_") + nombre);
        QLabel* v = valor(nombre);
        filaCab->addWidget(rotulo, fila, col);
        filaCab->addWidget(v, fila, col + 1);
        etiquetas_.insert(QStringLiteral("rotulo_") + nombre, rotulo);
        etiquetas_.insert(nombre, v);
    };
    par(0, 0, QStringLiteral("Compañia:"), QStringLiteral("compania"));
    par(1, 0, QStringLiteral("Usuario:"), QStringLiteral("usuario"));
    par(1, 2, QStringLiteral("Agencia"), QStringLiteral("agencia"));
    filaCab->setColumnStretch(1, 3);
    filaCab->setColumnStretch(3, 1);
    auto* revision = new QLabel(QStringLiteral("Revisión base de datos: "));
    revision->setObjectName(QStringLiteral("revision"));
    etiquetas_.insert(QStringLiteral("revision"), revision);
    filaCab->addWidget(revision, 0, 2, 1, 2, Qt::AlignRight);
    etiquetas_.value("rotulo_agencia")->hide();
    etiquetas_.value("agencia")->hide();
    logo_ = new QLabel(cabecera);
    logo_->setObjectName(QStringLiteral("logo"));
    logo_->setAlignment(Qt::AlignCenter);
    etiquetas_.insert(QStringLiteral("logo"), logo_);
    paneles_[0] = cabecera;

    // Panel 2: the left column, its buttons placed by the resize rule.
    auto* columna = new PanelDegradado;
    columna->setObjectName(QStringLiteral("columna"));
    columna->setFixedWidth(kAnchoColumna);
    columna_ = columna;
    paneles_[1] = columna;
    const auto& lista = comandos::columna();
    for (size_t i = 0; i < lista.size(); ++i) {
        const Boton& b = lista[i];
        auto* texto = new QPushButton(b.titulo, columna);
        texto->setObjectName(QStringLiteral("boton_") + b.comando);
        // Alt + letter is the window's own accelerator (keyPressEvent), so
        // that a screen's mnemonic with the same letter wins while it has
        // the focus.
        const QKeySequence mnemonico = QKeySequence::mnemonic(b.titulo);
        texto->setShortcut(QKeySequence());
        if (!mnemonico.isEmpty()) aceleradores_.insert(int(mnemonico[0].key()), b.comando);
        auto* imagen = new QToolButton(columna);
        imagen->setObjectName(QStringLiteral("imagen_") + b.comando);
        imagen->setIcon(iconos::icono(dibujos().value(b.comando)));
        imagen->setIconSize(QSize(32, 32));
        imagen->setAutoRaise(true);
        imagen->setToolTip(QString(b.titulo).remove(QLatin1Char('&')).trimmed());
        imagen->setFocusPolicy(Qt::NoFocus);
        const QString id = b.comando;
        connect(texto, &QPushButton::clicked, this, [this, id] { ejecutar(id); });
        connect(imagen, &QToolButton::clicked, this, [this, id] { ejecutar(id); });
        botones_.insert(b.comando, texto);
        imagenes_.insert(b.comando, imagen);
    }

    // Panel 3: the consult buttons.
    auto* consultas = new PanelDegradado;
    consultas->setObjectName(QStringLiteral("consultas"));
    auto* filaCons = new QHBoxLayout(consultas);
    filaCons->setContentsMargins(6, 4, 6, 4);
    for (const Boton& b : comandos::consultas()) {
        auto* boton = new QPushButton(b.titulo);
        boton->setObjectName(QStringLiteral("boton_") + b.comando);
        const QString id = b.comando;
        connect(boton, &QPushButton::clicked, this, [this, id] { ejecutar(id); });
        filaCons->addWidget(boton);
        botones_.insert(b.comando, boton);
    }
    filaCons->addStretch();
    paneles_[2] = consultas;

    mdi_ = new QMdiArea;
    mdi_->setObjectName(QStringLiteral("mdi"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    rejilla->addWidget(cabecera, 0, 0, 1, 2);
    rejilla->addWidget(columna, 1, 0, 2, 1);
    rejilla->addWidget(consultas, 1, 1);
    rejilla->addWidget(mdi_, 2, 1);
    rejilla->setRowStretch(2, 1);
    rejilla->setColumnStretch(1, 1);
    setCentralWidget(centro);

    auto* vista = new BarraEstadoVista(barra_);
    vista->setObjectName(QStringLiteral("barraEstado"));
    statusBar()->addWidget(vista, 1);
    statusBar()->setSizeGripEnabled(true);
}

void Tfprincipal::registrarPantallas() {
    const auto ejecutor = [this](const std::function<void()>& f) { errores_.proteger(f); };
    interaccion_.registrarPantalla(comandos::kMenuMantenimiento, [this, ejecutor](const QVariantMap&) -> QWidget* {
        return new Tfmenumantenimiento([this](int opcion) { return valide_acceso(sesion_, opcion); },
                                       [this](const QString& p) { return interaccion_.tienePantalla(p); }, interaccion_,
                                       ejecutor, this);
    });
    for (const QString& menu : Tfmenureportes::nombres())
        interaccion_.registrarPantalla(menu, [this, ejecutor, menu](const QVariantMap&) -> QWidget* {
            return new Tfmenureportes(menu, [this](int opcion) { return valide_acceso(sesion_, opcion); },
                                      [this](const QString& p) { return interaccion_.tienePantalla(p); }, interaccion_,
                                      ejecutor, this);
        });
    interaccion_.registrarPantalla(comandos::kMensaje, [this](const QVariantMap& args) -> QWidget* {
        return crearTfmensaje(sesion_, interaccion_, errores_, args);
    });
    // Numbering, the day's exchange rate, numbering authorizations, and the
    // pickers every screen opens by name.
    registrarComunes(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasLedger(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasAcreedores(interaccion_, sesion_, errores_, configuracion_);
    registrarGruposProveedor(interaccion_, sesion_, errores_, configuracion_);
    registrarImportacion(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasImpresion(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasContabilizacion(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasInterfaces(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasFormatos(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasCargos(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasAnticipos(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasOrdenes(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasAplicaciones(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasNotas(interaccion_, sesion_, errores_);

    registrarPantallasPagos(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasProgramacion(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasMantenimiento(interaccion_, sesion_, errores_, configuracion_);
    registrarPantallasInformes(interaccion_, sesion_, errores_, configuracion_);
}

void Tfprincipal::aplicarDerechos() {
    const bool sesion = activacion_.aceptada();
    const auto decidir = [&](const QString& id, auto* control) {
        // Every command is in sight; one the person may not use refuses
        // with the message when chosen. What would do nothing for this
        // person in this build (its screen, or its fallback's, not built)
        // is disabled. A failed right query is reported and the command
        // stays as its own action stands: choosing it checks again.
        bool activo = false;
        if (sesion && !errores_.proteger([&] { activo = despachador_->disponible(id); }))
            activo = despachador_->disponibleSinDerechos(id);
        control->setEnabled(activo);
    };
    for (const Comando& c : comandos::principal())
        if (QAction* a = acciones_.value(c.id)) decidir(c.id, a);
    for (auto it = botones_.cbegin(); it != botones_.cend(); ++it) decidir(it.key(), it.value());
    for (auto it = imagenes_.cbegin(); it != imagenes_.cend(); ++it)
        it.value()->setEnabled(botones_.value(it.key())->isEnabled());
    for (const char* id : {"edicion.copiar", "edicion.cortar", "edicion.pegar", "accion.configuracion"})
        acciones_.value(QLatin1String(id))->setEnabled(sesion);
}

void Tfprincipal::ejecutar(const QString& comando) {
    if (!activacion_.aceptada()) return;
    errores_.proteger([&] { despachador_->ejecutar(comando); });
}

void Tfprincipal::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    reubicar();
    // The first activation runs once the window is on screen, so that its
    // messages have a window to sit on.
    if (!activada_) QTimer::singleShot(0, this, &Tfprincipal::activar);
}

void Tfprincipal::activar() {
    if (activada_) return;
    activada_ = true;
    const bool aceptada = activacion_.activar(parametros_);
    parametros_.claveCifrada.clear();  // used once
    if (cerrando_) {
        // A stop signal came while the activation waited on a question; the
        // mark it set afterwards goes too.
        activacion_.cerrar(true);
        return;
    }
    if (!aceptada) {
        emit activacionTerminada(false);
        close();
        return;
    }
    errores_.proteger([&] {
        barra_.setDuracionAdvertencias(configuracion_.entero(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                                             QStringLiteral("DURACION DE LAS ADVERTENCIAS")));
    });
    mostrarEncabezado();
    pintarPaneles();
    aplicarDerechos();
    sondeo_->iniciar();
    emit activacionTerminada(true);
    activacion_.accionesIniciales();
}

void Tfprincipal::mostrarEncabezado() {
    const Encabezado& e = activacion_.encabezado();
    etiquetas_.value("compania")->setText(e.compania);
    etiquetas_.value("usuario")->setText(e.usuario);
    etiquetas_.value("agencia")->setText(e.agencia);
    etiquetas_.value("rotulo_agencia")->setVisible(e.agenciaVisible);
    etiquetas_.value("agencia")->setVisible(e.agenciaVisible);
    QLabel* revision = etiquetas_.value("revision");
    revision->setText(revision->text() + e.revision);
    QPixmap logo;
    if (!sesion_.compania_logo.isEmpty() && logo.loadFromData(sesion_.compania_logo))
        logo_->setPixmap(
            logo.scaled(kLogoDesdeDerecha - 8, kAltoCabecera - 8, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    reubicar();
}

void Tfprincipal::pintarPaneles() {
    // A colour that is not a number was reported at start-up; the panels
    // keep their defaults for it.
    const QColor primero = PanelDegradado::colorConfigurado(sesion_.color_ventana).value_or(QColor(Qt::white));
    const QColor segundo =
        PanelDegradado::colorConfigurado(sesion_.color_final_ventana).value_or(QColor(0xa6, 0xca, 0xf0));
    // The first colour is the gradient's end, the second its base; the
    // third panel has them swapped.
    paneles_[0]->setColores(segundo, primero);
    paneles_[1]->setColores(segundo, primero);
    paneles_[2]->setColores(primero, segundo);
}

void Tfprincipal::resizeEvent(QResizeEvent* evento) {
    QMainWindow::resizeEvent(evento);
    reubicar();
}

void Tfprincipal::reubicar() {
    const int h = alturaBoton(alturaCliente());
    const auto& lista = comandos::columna();
    for (size_t i = 0; i < lista.size(); ++i) {
        // Each button's top is its tab order × h.
        const int arriba = int(i) * h;
        botones_.value(lista[i].comando)->setGeometry(4, arriba, kAnchoBoton, h);
        imagenes_.value(lista[i].comando)->setGeometry(8 + kAnchoBoton, arriba, kAnchoImagen, h);
    }
    if (logo_)
        logo_->setGeometry(paneles_[0]->width() - kLogoDesdeDerecha, 4, kLogoDesdeDerecha - 8, kAltoCabecera - 8);
}

void Tfprincipal::keyPressEvent(QKeyEvent* evento) {
    // The hidden accelerators: Alt + the letter of a left-column button
    // presses it. The key reaches the window only when no screen used it.
    if (evento->modifiers() == Qt::AltModifier) {
        const auto it = aceleradores_.constFind(evento->key());
        if (it != aceleradores_.constEnd()) {
            QPushButton* b = botones_.value(*it);
            if (b->isVisibleTo(this) && b->isEnabled()) b->click();
            evento->accept();
            return;
        }
    }
    QMainWindow::keyPressEvent(evento);
}

void Tfprincipal::closeEvent(QCloseEvent* evento) {
    if (cerrando_) {
        evento->accept();
        return;
    }
    // The child windows close with it; one that refuses (unsaved work it
    // asked about) keeps the program open.
    mdi_->closeAllSubWindows();
    if (!mdi_->subWindowList().isEmpty()) {
        evento->ignore();
        return;
    }
    cerrando_ = true;
    activacion_.cerrar();
    evento->accept();
    emit cerrada();
}

void Tfprincipal::terminar() {
    if (cerrando_) return;
    cerrando_ = true;
    activacion_.cerrar(true);
    emit cerrada();
}

void Tfprincipal::mostrarHija(QWidget* w) {
    // Small menus and dialogs are windows of their own; screens are MDI
    // children.
    const Qt::WindowType tipo = w->windowType();
    if (tipo == Qt::Tool || tipo == Qt::Dialog || tipo == Qt::Popup) {
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        w->raise();
        w->activateWindow();
        return;
    }
    QMdiSubWindow* sub = mdi_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(w->windowTitle());
    // A screen that frees itself takes its frame with it: no empty window
    // of its title stays behind in the area.
    connect(w, &QObject::destroyed, mdi_, [sub = QPointer<QMdiSubWindow>(sub)] {
        QTimer::singleShot(0, [sub] {
            if (sub) sub->close();
        });
    });
    sub->show();
    w->show();
}

void Tfprincipal::mosaico(Qt::Orientation orientacion) {
    QList<QMdiSubWindow*> abiertas;
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (!sub->isMinimized()) abiertas << sub;
    if (abiertas.isEmpty()) return;
    const QRect area = mdi_->viewport()->rect();
    const int n = int(abiertas.size());
    for (int i = 0; i < n; ++i) {
        abiertas[i]->showNormal();
        // Horizontal tiling stacks the windows one above the other, each
        // the whole width; vertical tiling puts them side by side.
        if (orientacion == Qt::Horizontal)
            abiertas[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
        else
            abiertas[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
    }
}

void Tfprincipal::organizarIconos() {
    // Minimised windows in rows along the bottom of the area.
    const QRect area = mdi_->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (!sub->isMinimized()) continue;
        const QSize t = sub->size();
        if (x > 0 && x + t.width() > area.width()) x = 0;
        sub->move(x, area.height() - t.height());
        x += t.width();
    }
}

void Tfprincipal::portapapeles(const char* metodo) {
    // copy(), cut() and paste() are slots of every text field (line, plain
    // and rich text editors, and the editors inside spin and date boxes).
    if (QWidget* foco = QApplication::focusWidget()) QMetaObject::invokeMethod(foco, metodo, Qt::DirectConnection);
}

void Tfprincipal::configurarImpresora() {
    if (!impresora_) impresora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialogo(impresora_.get(), this);
    dialogo.setWindowTitle(QStringLiteral("Configurar impresora"));
    dialogo.exec();
}

void Tfprincipal::acercaDe() { (new Tfacercade(this))->show(); }

void Tfprincipal::recargarConfiguracion() {
    if (!activacion_.aceptada()) return;
    errores_.proteger([this] { configuracion_.cargar(sesion_.compania); });
}

}  // namespace cxp
