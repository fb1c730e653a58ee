#include "ledger/TfanalisismovcxpVista.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ledger/VistaLedger.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace cxp {

namespace {

constexpr int kRolCampo = Qt::UserRole;
constexpr int kRolFuncion = Qt::UserRole + 1;

// Subtotal and total lines in bold.
class DelegadoTotales : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(opcion, index);
        if (index.data(ModeloPivote::kRolTotal).toBool()) {
            opcion->font.setBold(true);
            opcion->backgroundBrush = QColor(0xe8, 0xee, 0xf7);
        }
    }
};

QListWidget* area(QWidget* padre, const QString& nombre, bool soloOrigen) {
    auto* l = new QListWidget(padre);
    l->setObjectName(nombre);
    l->setDragEnabled(true);
    if (soloOrigen) {
        l->setDragDropMode(QAbstractItemView::DragOnly);
        l->setDefaultDropAction(Qt::CopyAction);
    } else {
        l->setAcceptDrops(true);
        l->setDragDropMode(QAbstractItemView::DragDrop);
        l->setDefaultDropAction(Qt::MoveAction);
    }
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

QListWidgetItem* elemento(const QString& campo, std::optional<pivote::Funcion> funcion = std::nullopt) {
    auto* i = new QListWidgetItem;
    i->setData(kRolCampo, campo);
    if (funcion) {
        i->setData(kRolFuncion, int(*funcion));
        i->setText(pivote::Dato{campo, *funcion}.titulo());
    } else {
        i->setText(pivote::tituloCampo(campo));
    }
    return i;
}

QString campoDe(const QListWidgetItem* i) {
    const QString c = i->data(kRolCampo).toString();
    return c.isEmpty() ? i->text() : c;
}

}  // namespace

TfanalisismovcxpVista::TfanalisismovcxpVista(std::unique_ptr<Tfanalisismovcxp> logica, Interaccion& interaccion,
                                             ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)), interaccion_(interaccion) {
    setObjectName(QStringLiteral("Tfanalisismovcxp"));
    setWindowTitle(Tfanalisismovcxp::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1100, 560);
    Tfanalisismovcxp& l = *logica_;

    auto* desde = new QDateEdit(l.desde(), this);
    desde->setObjectName(QStringLiteral("desde"));
    auto* hasta = new QDateEdit(l.hasta(), this);
    hasta->setObjectName(QStringLiteral("hasta"));
    for (QDateEdit* e : {desde, hasta}) {
        e->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        e->setCalendarPopup(true);
    }
    ejemplos_ = new QComboBox(this);
    ejemplos_->setObjectName(QStringLiteral("ejemplos"));
    ejemplos_->setMinimumWidth(180);
    aviso_ = new QLabel(this);
    aviso_->setObjectName(QStringLiteral("aviso"));

    auto* cabeza = new QHBoxLayout;
    cabeza->addWidget(new QLabel(QStringLiteral("Desde:"), this));
    cabeza->addWidget(desde);
    cabeza->addWidget(new QLabel(QStringLiteral("Hasta:"), this));
    cabeza->addWidget(hasta);
    cabeza->addWidget(new QLabel(QStringLiteral("Cargar ejemplo:"), this));
    cabeza->addWidget(ejemplos_);
    cabeza->addWidget(aviso_, 1);

    // ---- the field list and the areas
    campos_ = area(this, QStringLiteral("campos"), true);
    filas_ = area(this, QStringLiteral("filas"), false);
    columnas_ = area(this, QStringLiteral("columnas"), false);
    datos_ = area(this, QStringLiteral("datos"), false);
    subtotales_ = new QCheckBox(QStringLiteral("Subtotales"), this);
    subtotales_->setObjectName(QStringLiteral("subtotales"));
    auto* aFilas = new QPushButton(QStringLiteral("A filas"), this);
    auto* aColumnas = new QPushButton(QStringLiteral("A columnas"), this);
    auto* aDatos = new QPushButton(QStringLiteral("A datos"), this);
    auto* quitar = new QPushButton(QStringLiteral("Quitar"), this);
    for (QPushButton* b : {aFilas, aColumnas, aDatos, quitar}) b->setFocusPolicy(Qt::NoFocus);

    auto* lado = new QWidget(this);
    auto* rejillaLado = new QGridLayout(lado);
    rejillaLado->setContentsMargins(0, 0, 0, 0);
    rejillaLado->addWidget(new QLabel(QStringLiteral("Campos:"), lado), 0, 0);
    rejillaLado->addWidget(campos_, 1, 0, 5, 1);
    rejillaLado->addWidget(new QLabel(QStringLiteral("Filas:"), lado), 0, 1);
    rejillaLado->addWidget(filas_, 1, 1);
    rejillaLado->addWidget(new QLabel(QStringLiteral("Columnas:"), lado), 2, 1);
    rejillaLado->addWidget(columnas_, 3, 1);
    rejillaLado->addWidget(new QLabel(QStringLiteral("Datos:"), lado), 4, 1);
    rejillaLado->addWidget(datos_, 5, 1);
    auto* botonesLado = new QHBoxLayout;
    for (QPushButton* b : {aFilas, aColumnas, aDatos, quitar}) botonesLado->addWidget(b);
    rejillaLado->addLayout(botonesLado, 6, 0, 1, 2);
    rejillaLado->addWidget(subtotales_, 7, 0, 1, 2);
    lado->setMaximumWidth(360);

    tabla_ = new QTableView(this);
    tabla_->setObjectName(QStringLiteral("pivote"));
    tabla_->setModel(&l.modelo());
    tabla_->setItemDelegate(new DelegadoTotales(tabla_));
    tabla_->setSelectionBehavior(QAbstractItemView::SelectItems);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->verticalHeader()->setVisible(false);
    tabla_->verticalHeader()->setDefaultSectionSize(tabla_->fontMetrics().height() + 6);
    tabla_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);

    auto* division = new QSplitter(Qt::Horizontal, this);
    division->addWidget(lado);
    division->addWidget(tabla_);
    division->setStretchFactor(1, 1);
    division->setSizes({320, 780});

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2:Calcula"), [this] { calcular(); });
    botonDePanel(panel, QStringLiteral("Grabar Plantilla"), [this] { grabarPlantilla(); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });

    auto* columna = new QVBoxLayout(this);
    columna->addLayout(cabeza);
    columna->addWidget(division, 1);
    columna->addWidget(panel);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { calcular(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrarPantalla(this); });

    tabla_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(tabla_);
    menu->addAction(QStringLiteral("&Copiar"), this, [this] { copiar(); });
    menu->addAction(QStringLiteral("&Imprimir"), this, [this] { imprimir(); });
    menu->addAction(QStringLiteral("&Guardar"), this, [this] { guardar(); });
    connect(tabla_, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& p) { menu->popup(tabla_->viewport()->mapToGlobal(p)); });

    connect(desde, &QDateEdit::dateChanged, this, [this](QDate d) { logica_->setDesde(d); });
    connect(hasta, &QDateEdit::dateChanged, this, [this](QDate d) { logica_->setHasta(d); });
    connect(ejemplos_, &QComboBox::activated, this, [this](int i) {
        logica_->setPlantilla(i <= 0 ? QString() : ejemplos_->itemText(i));
    });
    connect(aFilas, &QPushButton::clicked, this, [this] { enviarA(filas_); });
    connect(aColumnas, &QPushButton::clicked, this, [this] { enviarA(columnas_); });
    connect(aDatos, &QPushButton::clicked, this, [this] { enviarA(datos_); });
    connect(quitar, &QPushButton::clicked, this, [this] { this->quitar(); });
    connect(subtotales_, &QCheckBox::toggled, this, [this] { leerDiseno(); });
    connect(datos_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* i) {
        const auto f = pivote::Funcion(i->data(kRolFuncion).toInt());
        i->setData(kRolFuncion, int(f == pivote::Funcion::Suma ? pivote::Funcion::Cuenta : pivote::Funcion::Suma));
        leerDiseno();
    });
    // A drop changes an area's rows: the layout is read once the drop ends.
    for (QListWidget* a : {filas_, columnas_, datos_}) {
        connect(a->model(), &QAbstractItemModel::rowsInserted, this, [this] {
            if (!sincronizando_) QTimer::singleShot(0, this, [this] { leerDiseno(); });
        });
        connect(a->model(), &QAbstractItemModel::rowsRemoved, this, [this] {
            if (!sincronizando_) QTimer::singleShot(0, this, [this] { leerDiseno(); });
        });
    }
    connect(&l, &Tfanalisismovcxp::aviso, this, [this](const QString& t) {
        aviso_->setText(t);
        aviso_->repaint();
    });
    connect(&l, &Tfanalisismovcxp::disenoCambio, this, [this] { mostrarDiseno(); });
    connect(&l, &Tfanalisismovcxp::plantillasCambio, this, [this] { mostrarPlantillas(); });
    mostrarPlantillas();
    mostrarDiseno();
}

TfanalisismovcxpVista::~TfanalisismovcxpVista() = default;

void TfanalisismovcxpVista::mostrarPlantillas() {
    const QSignalBlocker b(ejemplos_);
    ejemplos_->clear();
    ejemplos_->addItem(QString());
    ejemplos_->addItems(logica_->plantillas());
    ejemplos_->setCurrentIndex(std::max(0, ejemplos_->findText(logica_->plantilla())));
}

void TfanalisismovcxpVista::mostrarCampos() {
    campos_->clear();
    for (const QString& c : logica_->campos()) campos_->addItem(elemento(c));
}

void TfanalisismovcxpVista::mostrarDiseno() {
    sincronizando_ = true;
    const pivote::Diseno& d = logica_->diseno();
    if (campos_->count() != logica_->campos().size()) mostrarCampos();
    filas_->clear();
    columnas_->clear();
    datos_->clear();
    for (const QString& c : d.filas) filas_->addItem(elemento(c));
    for (const QString& c : d.columnas) columnas_->addItem(elemento(c));
    for (const pivote::Dato& x : d.datos) datos_->addItem(elemento(x.campo, x.funcion));
    {
        const QSignalBlocker b(subtotales_);
        subtotales_->setChecked(d.subtotales);
    }
    sincronizando_ = false;
    tabla_->resizeColumnsToContents();
}

void TfanalisismovcxpVista::leerDiseno() {
    if (sincronizando_) return;
    pivote::Diseno d;
    QStringList usados;
    // A field groups rows or columns, not both: the first area keeps it.
    for (auto [lista, destino] : {std::pair{filas_, &d.filas}, std::pair{columnas_, &d.columnas}})
        for (int i = 0; i < lista->count(); ++i) {
            const QString c = campoDe(lista->item(i));
            if (!usados.contains(c)) {
                usados << c;
                destino->append(c);
            }
        }
    for (int i = 0; i < datos_->count(); ++i) {
        QListWidgetItem* it = datos_->item(i);
        const QString c = campoDe(it);
        const QVariant f = it->data(kRolFuncion);
        const pivote::Funcion funcion =
            f.isValid() ? pivote::Funcion(f.toInt())
                        : (pivote::esSumable(logica_->movimiento(), c) ? pivote::Funcion::Suma : pivote::Funcion::Cuenta);
        d.datos.append({c, funcion});
    }
    d.subtotales = subtotales_->isChecked();
    logica_->setDiseno(d);
}

void TfanalisismovcxpVista::enviarA(QListWidget* destino) {
    QListWidgetItem* i = campos_->currentItem();
    if (!i) return;
    sincronizando_ = true;
    destino->addItem(elemento(campoDe(i)));
    sincronizando_ = false;
    leerDiseno();
}

void TfanalisismovcxpVista::quitar() {
    for (QListWidget* a : {filas_, columnas_, datos_}) {
        if (QListWidgetItem* i = a->currentItem(); i && a->hasFocus()) {
            sincronizando_ = true;
            delete i;
            sincronizando_ = false;
            leerDiseno();
            return;
        }
    }
    for (QListWidget* a : {filas_, columnas_, datos_}) {
        if (!a->selectedItems().isEmpty()) {
            sincronizando_ = true;
            delete a->selectedItems().front();
            sincronizando_ = false;
            leerDiseno();
            return;
        }
    }
}

void TfanalisismovcxpVista::calcular() {
    if (!logica_->calcular()) return;
    mostrarCampos();
    mostrarDiseno();
}

void TfanalisismovcxpVista::grabarPlantilla() {
    const QString carpeta = logica_->carpetaPlantillas();
    QDir().mkpath(carpeta);
    const QString ruta = QFileDialog::getSaveFileName(this, QStringLiteral("Grabar Plantilla"), carpeta,
                                                      QStringLiteral("Plantillas de análisis (*.mds)"));
    if (!ruta.isEmpty()) logica_->grabarPlantilla(ruta);
}

TablaExportar TfanalisismovcxpVista::tabla(const ModeloPivote& modelo) {
    TablaExportar t;
    const pivote::Resultado& r = modelo.resultado();
    const int ce = modelo.columnasEncabezado();
    const int nd = int(r.diseno.datos.size());
    for (int c = 0; c < modelo.columnCount(); ++c) {
        ColumnaTabla col;
        col.titulo = modelo.headerData(c, Qt::Horizontal).toString().replace(u'\n', u' ');
        if (c >= ce && nd > 0) {
            const bool cuenta = r.diseno.datos.at((c - ce) % nd).funcion == pivote::Funcion::Cuenta;
            col.tipo = cuenta ? FieldType::Integer : FieldType::Decimal;
            col.escala = cuenta ? 0 : 2;
        }
        t.columnas.push_back(col);
    }
    for (int f = 0; f < modelo.rowCount(); ++f) {
        std::vector<fb::Value> fila;
        for (int c = 0; c < modelo.columnCount(); ++c) {
            if (c < ce || nd == 0) {
                fila.push_back(modelo.data(modelo.index(f, c)).toString());
                continue;
            }
            const int col = (c - ce) / nd, dato = (c - ce) % nd;
            if (!r.ocupada(f, col)) {
                fila.push_back(fb::Value());
                continue;
            }
            const Dinero v = r.valor(f, col, dato);
            if (t.columnas[size_t(c)].tipo == FieldType::Integer)
                fila.push_back(fb::Value(v.escalado(0)));
            else
                fila.push_back(fb::Value(fb::Decimal{v.escalado(-2), -2}));
        }
        t.filas.push_back(std::move(fila));
    }
    return t;
}

void TfanalisismovcxpVista::copiar() {
    const TablaExportar t = tabla(logica_->modelo());
    QApplication::clipboard()->setText(QString::fromUtf8(contenido(t, FormatoArchivo::Texto)).remove(QChar(0xFEFF)));
}

void TfanalisismovcxpVista::imprimir() {
    QPrinter impresora(QPrinter::HighResolution);
    QPrintPreviewDialog vistaPrevia(&impresora, this);
    vistaPrevia.setWindowTitle(QStringLiteral("Vista preliminar"));
    connect(&vistaPrevia, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
        cxp::imprimir(*p, tabla(logica_->modelo()), Tfanalisismovcxp::kTitulo, QDate::currentDate());
    });
    vistaPrevia.exec();
}

bool TfanalisismovcxpVista::guardar() {
    QStringList filtros;
    for (FormatoArchivo f : formatosArchivo()) filtros << filtro(f);
    QString elegido;
    QString ruta = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar"), QStringLiteral("Analisismovcxp"),
                                                filtros.join(QStringLiteral(";;")), &elegido);
    if (ruta.isEmpty()) return false;
    const FormatoArchivo formato = formatoDeFiltro(elegido).value_or(FormatoArchivo::Texto);
    ruta = conExtension(ruta, formato);
    QString error;
    if (!cxp::guardar(ruta, tabla(logica_->modelo()), formato, &error)) {
        interaccion_.error(QStringLiteral("No se pudo guardar el archivo %1: %2").arg(ruta, error));
        return false;
    }
    return true;
}

QWidget* crearTfanalisismovcxp(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfanalisismovcxp>(sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return new TfanalisismovcxpVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
