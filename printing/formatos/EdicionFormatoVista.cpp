#include "printing/formatos/EdicionFormatoVista.h"

#include "comunes/Delegados.h"
#include "comunes/Presentacion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "printing/formatos/TFmoverformaVista.h"
#include "ui/BusquedaBase.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {

constexpr int kAncho = 900;
constexpr int kAlto = 640;

QStringList fuentes() {
    static const QStringList f = QFontDatabase::families();
    return f;
}

QStringList banderas() { return {QStringLiteral("S"), QStringLiteral("N")}; }

}  // namespace

EdicionFormatoVista::EdicionFormatoVista(std::unique_ptr<EdicionFormato> logica, Interaccion& interaccion,
                                         ManejadorErrores& manejador, Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion), manejador_(manejador), sesion_(sesion) {
    auto* modificar = qobject_cast<Tfmodformato*>(logica_.get());
    setObjectName(modificar ? QStringLiteral("Tfmodformato") : QStringLiteral("Tfdefformato"));
    setWindowTitle(QStringLiteral("Definición de formatos documentos"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kAncho, kAlto);
    EdicionFormato* l = logica_.get();
    DataSet& f = l->formato();

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2: Grabar"), [this] { manejador_.proteger([this] { grabar(); }); });
    if (modificar) {
        botonDePanel(panel, QStringLiteral("F5: Mover"), [this] { manejador_.proteger([this] { mover(); }); });
        if (modificar->tieneVistaPrevia())
            botonDePanel(panel, QStringLiteral("F8: Vista previa"),
                         [this] { manejador_.proteger([this] { vistaPrevia(); }); });
    }
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc: Cancelar"), [l] { l->cancelar(); });

    // ---- the format's fields
    enlaces_ = new Enlaces(interaccion, this);
    enlaces_->setManejadorErrores([&manejador](const std::exception& e) { manejador.ENoManejada(e); });
    auto* arriba = new QFrame(this);
    arriba->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(arriba);
    g->setContentsMargins(8, 6, 8, 6);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(4);
    const auto etiqueta = [&](const QString& texto, QWidget* w, int fila, int columna) {
        auto* e = new QLabel(texto, arriba);
        e->setBuddy(w);
        g->addWidget(e, fila, columna, Qt::AlignRight);
        g->addWidget(w, fila, columna + 1);
    };
    const auto numero = [&](const char* campo, int ancho = 70) {
        auto* e = new QLineEdit(arriba);
        e->setObjectName(QString::fromLatin1(campo));
        e->setMaximumWidth(ancho);
        enlaces_->enlazar(e, f, QString::fromLatin1(campo));
        return e;
    };

    documento_ = new QComboBox(arriba);
    documento_->setObjectName(QStringLiteral("TIDO_COD"));
    Enlaces::Claves tipos;
    for (const auto& [codigo, nombre] : l->tipos()) tipos.append({QString::number(codigo), nombre});
    enlaces_->enlazar(documento_, f, QStringLiteral("TIDO_COD"), tipos);
    documento_->setEnabled(!modificar);
    prefijo_ = new QComboBox(arriba);
    prefijo_->setObjectName(QStringLiteral("PREF_PRE"));
    prefijo_->setMinimumContentsLength(6);
    prefijo_->setEnabled(!modificar);
    impresora_ = new QComboBox(arriba);
    impresora_->setObjectName(QStringLiteral("FORM_IMPRE"));
    impresora_->setEditable(true);
    impresora_->addItems(QPrinterInfo::availablePrinterNames());
    impresora_->setMinimumContentsLength(24);

    etiqueta(QStringLiteral("Documento:"), documento_, 0, 0);
    etiqueta(QStringLiteral("Prefijo:"), prefijo_, 0, 2);
    etiqueta(QStringLiteral("Impresora:"), impresora_, 0, 4);
    etiqueta(QStringLiteral("Número de repeticiones items:"), numero("FORM_NROITEMS"), 1, 0);
    etiqueta(QStringLiteral("Espacio entre líneas:"), numero("FORM_ENTRELINEA"), 1, 2);
    auto* paginas = new QCheckBox(QStringLiteral("Permitir varias páginas"), arriba);
    paginas->setObjectName(QStringLiteral("FORM_PAGINAS"));
    enlaces_->enlazar(paginas, f, QStringLiteral("FORM_PAGINAS"));
    g->addWidget(paginas, 1, 5);

    auto* letra = new QComboBox(arriba);
    letra->setObjectName(QStringLiteral("FORM_FONT"));
    letra->setMinimumContentsLength(20);
    Enlaces::Claves familias{{QString(), QString()}};
    const QString actual = f.isEmpty() ? QString() : f.asString(QStringLiteral("FORM_FONT"));
    if (!actual.isEmpty() && !fuentes().contains(actual)) familias.append({actual, actual});
    for (const QString& familia : fuentes()) familias.append({familia, familia});
    enlaces_->enlazar(letra, f, QStringLiteral("FORM_FONT"), familias);
    etiqueta(QStringLiteral("Tipo de letra:"), letra, 2, 0);
    etiqueta(QStringLiteral("Tamaño"), numero("FORM_FSIZE", 50), 2, 2);
    auto* papel = new QGroupBox(QStringLiteral("Tamaño papel (pulgadas)"), arriba);
    auto* filaPapel = new QHBoxLayout(papel);
    filaPapel->setContentsMargins(6, 2, 6, 2);
    for (const auto& [texto, campo] : {std::pair{"Ancho:", "FORM_PAPELAN"}, std::pair{"Alto:", "FORM_PAPELAL"}}) {
        auto* e = new QLineEdit(papel);
        e->setObjectName(QString::fromLatin1(campo));
        e->setMaximumWidth(70);
        enlaces_->enlazar(e, f, QString::fromLatin1(campo));
        auto* et = new QLabel(QString::fromLatin1(texto), papel);
        et->setBuddy(e);
        filaPapel->addWidget(et);
        filaPapel->addWidget(e);
    }
    g->addWidget(papel, 2, 4, 1, 2);
    g->setColumnStretch(6, 1);

    // ---- the two grids
    datos_ = rejilla(l->datos(), QStringLiteral("rejillaDatos"), QStringLiteral("Datos a imprimir"));
    lineas_ = rejilla(l->lineas(), QStringLiteral("rejillaLineas"), QStringLiteral("Lineas y cuadros "));
    const auto delegado = [](Rejilla* r, const char* campo, QStyledItemDelegate* d) {
        const int c = r->modelo()->columnOf(QString::fromLatin1(campo));
        if (c >= 0) r->vista()->setItemDelegateForColumn(c, d);
    };
    QTableView* vd = datos_->vista();
    QTableView* vl = lineas_->vista();
    for (const char* c : {"DAFO_IMPRIME", "DAFO_REPITE", "DAFO_LIQUIDA", "DAFO_POSYVAR"})
        delegado(datos_, c, new DelegadoLista(banderas, vd));
    delegado(datos_, "DAFO_FONT", new DelegadoLista(fuentes, vd));
    delegado(lineas_, "FOLI_LIQUIDA", new DelegadoLista(banderas, vl));
    delegado(lineas_, "FOLI_FONT", new DelegadoLista(fuentes, vl));
    delegado(lineas_, "FOLI_TIPO", new DelegadoLista(
                                       [] {
                                           return QStringList{QStringLiteral("T"), QStringLiteral("L"),
                                                              QStringLiteral("C"), QStringLiteral("G")};
                                       },
                                       vl));
    for (const auto& [campo, ancho] : std::initializer_list<std::pair<const char*, int>>{
             {"DAFO_DATO", 22}, {"DAFO_IMPRIME", 4}, {"DAFO_POSX", 5}, {"DAFO_POSY", 5}, {"DAFO_REPITE", 4},
             {"DAFO_INI", 5}, {"DAFO_LONG", 5}, {"DAFO_FORMATO", 6}, {"DAFO_FONT", 14}, {"DAFO_FSIZE", 5},
             {"DAFO_LIQUIDA", 4}, {"DAFO_POSYVAR", 4}})
        datos_->setAnchoColumna(QString::fromLatin1(campo), ancho);
    for (const auto& [campo, ancho] : std::initializer_list<std::pair<const char*, int>>{
             {"FOLI_TIPO", 4}, {"FOLI_POSX", 5}, {"FOLI_POSY", 5}, {"FOLI_X", 5}, {"FOLI_Y", 5},
             {"FOLI_CADENA", 26}, {"FOLI_FONT", 14}, {"FOLI_FSIZE", 7}, {"FOLI_LIQUIDA", 4}})
        lineas_->setAnchoColumna(QString::fromLatin1(campo), ancho);

    const auto grupo = [this](const QString& titulo, Rejilla* r, const QString& nombre) {
        auto* caja = new QGroupBox(titulo, this);
        caja->setObjectName(nombre);
        auto* capa = new QVBoxLayout(caja);
        capa->setContentsMargins(4, 2, 4, 4);
        capa->setSpacing(2);
        capa->addWidget(r->crearCasillaFiltros(caja, QStringLiteral("Filtrar")));
        capa->addWidget(r, 1);
        return caja;
    };

    // ---- the "Gráfico" box: the picture of a 'G' element
    grafico_ = new QGroupBox(QStringLiteral("Gráfico"), this);
    grafico_->setObjectName(QStringLiteral("grafico"));
    imagen_ = new QLabel(grafico_);
    imagen_->setObjectName(QStringLiteral("imagen"));
    imagen_->setFixedSize(180, 150);
    imagen_->setFrameShape(QFrame::Box);
    imagen_->setAlignment(Qt::AlignCenter);
    imagen_->setCursor(Qt::PointingHandCursor);
    imagen_->setToolTip(QStringLiteral("Archivos de mapas de bits"));
    imagen_->installEventFilter(this);
    auto* continuar = new QPushButton(QStringLiteral("Continuar"), grafico_);
    connect(continuar, &QPushButton::clicked, grafico_, &QWidget::hide);
    auto* capaGrafico = new QVBoxLayout(grafico_);
    capaGrafico->addWidget(imagen_);
    capaGrafico->addWidget(continuar, 0, Qt::AlignHCenter);
    grafico_->hide();
    connect(lineas_, &Rejilla::activada, this, [this](int) {
        if (logica_->lineas().asString(QStringLiteral("FOLI_TIPO")) == QLatin1String("G")) mostrarGrafico();
    });

    auto* abajo = new QHBoxLayout;
    abajo->addWidget(grupo(QStringLiteral("Lineas y cuadros "), lineas_, QStringLiteral("lineasYCuadros")), 1);
    abajo->addWidget(grafico_, 0, Qt::AlignTop);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addWidget(arriba);
    todo->addWidget(grupo(QStringLiteral("Datos a imprimir"), datos_, QStringLiteral("datosAImprimir")), 3);
    todo->addLayout(abajo, 2);

    // ---- commands
    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    teclado_->asignar(Qt::Key_Escape, [l] { l->cancelar(); });
    if (modificar) {
        teclado_->asignar(Qt::Key_F5, [this] { mover(); });
        if (modificar->tieneVistaPrevia()) teclado_->asignar(Qt::Key_F8, [this] { vistaPrevia(); });
    }
    // Rows of a grid: Insert, or Down on the last row, adds one (a row just
    // added and left blank is not followed by another); Ctrl+Delete removes
    // the current one.
    for (Rejilla* r : {datos_, lineas_}) {
        QTableView* v = r->vista();
        DataSet* ds = r->dataSet();
        teclado_->asignarEn(v, Qt::Key_Insert, [v, ds] {
            if (!confirmarEdicion(v)) return;
            ds->append();
            v->setFocus(Qt::OtherFocusReason);
        });
        teclado_->asignarEn(v, Qt::Key_Down, [v, ds] {
            const QModelIndex actual = v->currentIndex();
            const int filas = v->model()->rowCount();
            if (filas > 0 && (!actual.isValid() || actual.row() < filas - 1)) {
                const int fila = actual.isValid() ? actual.row() + 1 : 0;
                v->setCurrentIndex(v->model()->index(fila, std::max(actual.column(), 0)));
                return;
            }
            if (!confirmarEdicion(v) || ds->state() == DataSet::State::Insert) return;
            ds->append();
        });
        teclado_->asignarEn(v, Qt::CTRL | Qt::Key_Delete, [ds] {
            if (!ds->isEmpty()) ds->remove();
        });
    }

    connect(l, &EdicionFormato::prefijosCambiaron, this, [this] { mostrarPrefijos(); });
    connect(prefijo_, &QComboBox::activated, this, [this](int i) {
        manejador_.proteger([this, i] {
            DataSet& ds = logica_->formato();
            if (ds.state() == DataSet::State::Browse) ds.edit();
            ds.setValue(QStringLiteral("PREF_PRE"), prefijo_->itemText(i));
        });
        mostrarPrefijo();
    });
    connect(l, &EdicionFormato::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this](const QString& campo) {
            if (enlaces_->enfocar(campo)) return;
            if (QWidget* w = InteraccionQt::buscarCampo(this, campo)) w->setFocus(Qt::OtherFocusReason);
        });

    mostrarPrefijos();
    mostrarImpresora();
    setFocusProxy(modificar ? static_cast<QWidget*>(impresora_) : documento_);
}

EdicionFormatoVista::~EdicionFormatoVista() = default;

Rejilla* EdicionFormatoVista::rejilla(DataSet& ds, const QString& nombre, const QString& titulo) {
    auto* r = new Rejilla(ds, this);
    r->setObjectName(nombre);
    r->setInteraccion(&interaccion_);
    r->setNombreArchivo(titulo.trimmed());
    r->setTitulo(titulo.trimmed());
    return r;
}

void EdicionFormatoVista::mostrarPrefijos() {
    prefijo_->clear();
    prefijo_->addItems(logica_->prefijos());
    mostrarPrefijo();
}

void EdicionFormatoVista::mostrarPrefijo() {
    const DataSet& ds = logica_->formato();
    const QString p = ds.isEmpty() ? QString() : ds.asString(QStringLiteral("PREF_PRE"));
    int i = prefijo_->findText(p);
    if (i < 0 && !p.isEmpty()) {
        prefijo_->addItem(p);
        i = prefijo_->count() - 1;
    }
    prefijo_->setCurrentIndex(i);
}

void EdicionFormatoVista::mostrarImpresora() {
    const DataSet& ds = logica_->formato();
    impresora_->setCurrentText(ds.isEmpty() ? QString() : ds.asString(QStringLiteral("FORM_IMPRE")));
}

bool EdicionFormatoVista::confirmar() {
    return confirmarEdicion(datos_->vista()) && confirmarEdicion(lineas_->vista()) && enlaces_->confirmar();
}

void EdicionFormatoVista::grabar() {
    if (!confirmar()) return;
    logica_->grabar(impresora_->currentText().trimmed());
}

void EdicionFormatoVista::mover() {
    auto* m = qobject_cast<Tfmodformato*>(logica_.get());
    if (!m || !confirmar()) return;
    const QString impresora = impresora_->currentText().trimmed();
    m->mover([this](int tipo, const QString& prefijo) { return moverFormato(tipo, prefijo, sesion_, manejador_, this); });
    enlaces_->refrescar();
    impresora_->setCurrentText(impresora);
}

void EdicionFormatoVista::vistaPrevia() {
    auto* m = qobject_cast<Tfmodformato*>(logica_.get());
    if (!m || !confirmar()) return;
    m->vistaPrevia();
}

void EdicionFormatoVista::mostrarGrafico() {
    const QByteArray bytes = logica_->imagen();
    QPixmap p;
    if (!bytes.isEmpty() && p.loadFromData(bytes))
        imagen_->setPixmap(p.scaled(imagen_->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        imagen_->setText(QStringLiteral("(sin imagen)"));
    grafico_->show();
}

bool EdicionFormatoVista::cargarGrafico(const QString& archivo) {
    QFile f(archivo);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly)) bytes = f.readAll();
    if (bytes.isEmpty() || QImage::fromData(bytes).isNull()) {
        interaccion_.error(QStringLiteral("No se pudo leer la imagen ") + archivo);
        return false;
    }
    logica_->cargarImagen(bytes);
    mostrarGrafico();
    return true;
}

void EdicionFormatoVista::elegirGrafico() {
    const QString archivo = QFileDialog::getOpenFileName(this, QStringLiteral("Gráfico"), QString(),
                                                         QStringLiteral("Archivos de mapas de bits (*.bmp)"));
    if (!archivo.isEmpty()) manejador_.proteger([&] { cargarGrafico(archivo); });
}

bool EdicionFormatoVista::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == imagen_ && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        elegirGrafico();
        return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

void EdicionFormatoVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        centrarEnArea(this, QSize(kAncho, kAlto));
    }
}

QWidget* crearTfdefformato(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, const QVariantMap&,
                           QWidget* padre) {
    auto logica = std::make_unique<Tfdefformato>(sesion, interaccion, manejador);
    if (!logica->abrir()) return nullptr;
    return new EdicionFormatoVista(std::move(logica), interaccion, manejador, sesion, padre);
}

QWidget* crearTfmodformato(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const QVariantMap& argumentos, Tfmodformato::Impresor impresor, QWidget* padre) {
    auto logica = std::make_unique<Tfmodformato>(argumentos.value(QStringLiteral("tipo")).toInt(),
                                                 argumentos.value(QStringLiteral("prefijo")).toString(), sesion,
                                                 interaccion, manejador);
    if (!logica->abrir()) return nullptr;
    logica->setImpresor(std::move(impresor));
    return new EdicionFormatoVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
