#include "ui/Rejilla.h"

#include "data/Interaccion.h"
#include "ui/CamposFecha.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

// Client-side filter over the model. Sorting goes to the DataSet.
class FiltroRejilla : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QStringList filtros;
    std::function<std::optional<QColor>(const RecordRef&)> color;
    QHash<QString, int> decimales;  // by field name, upper case

    void aplicar() { invalidateRowsFilter(); }

    // The decimals a column of the source shows: its own unless set.
    std::optional<int> decimalesDe(int columna) const {
        auto* m = static_cast<DataSetModel*>(sourceModel());
        if (decimales.isEmpty() || !m || !m->dataSet()) return std::nullopt;
        const int fi = m->fieldIndex(columna);
        if (fi < 0) return std::nullopt;
        const Field& f = m->dataSet()->field(fi);
        const auto d = decimales.constFind(f.name().toUpper());
        if (d == decimales.constEnd() || f.type() != FieldType::Decimal) return std::nullopt;
        return *d;
    }
    // What a cell of the source shows.
    QString texto(const QModelIndex& s) const {
        if (const auto d = decimalesDe(s.column())) {
            auto* m = static_cast<DataSetModel*>(sourceModel());
            const fb::Value& v = m->dataSet()->row(s.row()).value(m->fieldIndex(s.column()));
            if (v.isNull()) return {};
            const auto& x = std::get<fb::Decimal>(v.storage());
            try {
                return Dinero::desdeEscalado(x.unscaled, x.scale).texto(*d);
            } catch (const std::exception&) {
                // beyond what Dinero holds: as the model shows it
            }
        }
        return s.data(Qt::DisplayRole).toString();
    }

    void sort(int column, Qt::SortOrder order) override {
        if (sourceModel()) sourceModel()->sort(column, order);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole && decimalesDe(index.column())) return texto(mapToSource(index));
        if (role == Qt::ForegroundRole && color) {
            auto* m = static_cast<DataSetModel*>(sourceModel());
            const QModelIndex s = mapToSource(index);
            if (m && m->dataSet() && s.isValid())
                if (const auto c = color(m->dataSet()->row(s.row()))) return *c;
        }
        return QSortFilterProxyModel::data(index, role);
    }

protected:
    bool filterAcceptsRow(int fila, const QModelIndex& padre) const override {
        for (int c = 0; c < filtros.size(); ++c) {
            if (filtros[c].isEmpty()) continue;
            const QString t = texto(sourceModel()->index(fila, c, padre));
            if (!t.contains(filtros[c], Qt::CaseInsensitive)) return false;
        }
        return true;
    }
};

namespace {

// The current row: blue with yellow text while the grid has the focus,
// grey with white text otherwise.
class DelegadoRejilla : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& opcion, const QModelIndex& index) const override {
        QStyleOptionViewItem o(opcion);
        const auto* vista = qobject_cast<const QAbstractItemView*>(o.widget);
        const bool foco = vista && vista->hasFocus();
        const QColor fondo = foco ? QColor(0, 0, 255) : QColor(128, 128, 128);
        const QColor letra = foco ? QColor(255, 255, 0) : QColor(255, 255, 255);
        for (auto grupo : {QPalette::Active, QPalette::Inactive}) {
            o.palette.setColor(grupo, QPalette::Highlight, fondo);
            o.palette.setColor(grupo, QPalette::HighlightedText, letra);
        }
        QStyledItemDelegate::paint(p, o, index);
    }
    // A date cell is edited as every date box is: yyyy/MM/dd, typed over.
    // Prepared here, after the view put this delegate's filter on the
    // editor, so that a date typed is taken before the delegate commits.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* fecha = qobject_cast<QDateTimeEdit*>(editor)) prepararFecha(fecha);
        QStyledItemDelegate::setEditorData(editor, index);
    }
};

}  // namespace

Rejilla::Rejilla(QWidget* parent) : QWidget(parent) { construir(); }

Rejilla::Rejilla(DataSet& ds, QWidget* parent) : QWidget(parent) {
    construir();
    setDataSet(&ds);
}

Rejilla::~Rejilla() = default;

void Rejilla::construir() {
    formatos_ = formatosArchivo();
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->setSpacing(0);
    filaFiltros_ = new QWidget(this);
    filaFiltros_->setObjectName(QStringLiteral("filaFiltros"));
    filaFiltros_->hide();
    capa->addWidget(filaFiltros_);
    vista_ = new QTableView(this);
    vista_->setObjectName(QStringLiteral("rejilla"));
    vista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    vista_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // No column is sorted until the person clicks one: the query's order stands.
    vista_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    vista_->horizontalHeader()->setSortIndicatorShown(true);
    vista_->setSortingEnabled(true);
    vista_->verticalHeader()->setDefaultSectionSize(vista_->fontMetrics().height() + 6);
    vista_->verticalHeader()->hide();
    vista_->setAlternatingRowColors(false);
    vista_->setItemDelegate(new DelegadoRejilla(vista_));
    vista_->setContextMenuPolicy(Qt::CustomContextMenu);
    capa->addWidget(vista_, 1);
    filtro_ = new FiltroRejilla(this);
    vista_->setModel(filtro_);

    menu_ = new QMenu(this);
    QAction* copiar = menu_->addAction(QStringLiteral("&Copiar"), this, &Rejilla::copiar);
    copiar->setShortcut(QKeySequence::Copy);
    copiar->setShortcutContext(Qt::WidgetShortcut);
    vista_->addAction(copiar);
    menu_->addAction(QStringLiteral("Se&lecccionar todo"), this, &Rejilla::seleccionarTodo);
    menu_->addAction(QStringLiteral("&Imprimir"), this, &Rejilla::imprimir);
    menu_->addAction(QStringLiteral("&Guardar selección"), this, &Rejilla::guardarSeleccion);
    connect(vista_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { menu_->exec(vista_->viewport()->mapToGlobal(p)); });

    connect(vista_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        const int fila = filaDataSet(i.row());
        if (fila >= 0) emit activada(fila);
    });
    connect(vista_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { seguirVista(); });

    QHeaderView* h = vista_->horizontalHeader();
    connect(h, &QHeaderView::sectionResized, this, &Rejilla::ubicarFiltros);
    connect(h, &QHeaderView::sectionMoved, this, &Rejilla::ubicarFiltros);
    connect(h, &QHeaderView::geometriesChanged, this, &Rejilla::ubicarFiltros);
    connect(vista_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &Rejilla::ubicarFiltros);
    filaFiltros_->installEventFilter(this);
}

void Rejilla::setDataSet(DataSet* ds) {
    if (modelo_) {
        filtro_->setSourceModel(nullptr);
        delete modelo_;
    }
    if (!ds) {
        rehacerFiltros();
        return;
    }
    modelo_ = new DataSetModel(*ds, this);
    modelo_->setReadOnly(soloLectura_);
    filtro_->setSourceModel(modelo_);
    connect(modelo_, &DataSetModel::currentRowChanged, this, &Rejilla::seguirDataSet);
    connect(modelo_, &DataSetModel::editRefused, this, [this](const QString& texto, const QString&) { avisar(texto); });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] {
        rehacerFiltros();
        anchosIniciales();
        seguirDataSet(modelo_ && modelo_->dataSet() ? modelo_->dataSet()->currentRow() : -1);
    });
    rehacerFiltros();
    anchosIniciales();
    seguirDataSet(ds->currentRow());
}

DataSet* Rejilla::dataSet() const { return modelo_ ? modelo_->dataSet() : nullptr; }

void Rejilla::setSoloLectura(bool on) {
    soloLectura_ = on;
    if (modelo_) modelo_->setReadOnly(on);
    vista_->setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                               : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::AnyKeyPressed);
}

void Rejilla::avisar(const QString& texto) {
    if (interaccion_) {
        interaccion_->error(texto);
        return;
    }
    QMessageBox caja(QMessageBox::Critical, QStringLiteral("Error"), texto, QMessageBox::Ok, this);
    caja.setTextFormat(Qt::PlainText);
    caja.exec();
}

// ---- current row, both ways

void Rejilla::seguirDataSet(int fila) {
    if (siguiendo_ || !modelo_) return;
    siguiendo_ = true;
    const QModelIndex fuente = fila >= 0 ? modelo_->index(fila, 0) : QModelIndex();
    const QModelIndex v = filtro_->mapFromSource(fuente);
    if (v.isValid() && vista_->currentIndex().row() != v.row()) {
        const int columna = std::max(vista_->currentIndex().column(), 0);
        vista_->selectionModel()->setCurrentIndex(filtro_->index(v.row(), columna), QItemSelectionModel::NoUpdate);
        vista_->scrollTo(v);
    }
    siguiendo_ = false;
}

void Rejilla::seguirVista() {
    if (siguiendo_ || !modelo_ || !modelo_->dataSet()) return;
    const int fila = filaDataSet(vista_->currentIndex().row());
    DataSet* ds = modelo_->dataSet();
    if (fila < 0 || fila == ds->currentRow()) return;
    siguiendo_ = true;
    try {
        ds->setCurrentRow(fila);
    } catch (const std::exception& e) {
        // Leaving a row that cannot be posted: the grid goes back to it.
        siguiendo_ = false;
        const QString texto = dynamic_cast<const DataSetError*>(&e) ? static_cast<const DataSetError&>(e).message()
                                                                    : QString::fromUtf8(e.what());
        seguirDataSet(ds->currentRow());
        avisar(texto);
        return;
    }
    siguiendo_ = false;
}

int Rejilla::filaDataSet(int filaVista) const {
    if (filaVista < 0 || filaVista >= filtro_->rowCount()) return -1;
    return filtro_->mapToSource(filtro_->index(filaVista, 0)).row();
}

int Rejilla::filasVisibles() const { return filtro_->rowCount(); }

// ---- the filter row

void Rejilla::rehacerFiltros() {
    const int n = modelo_ ? modelo_->columnCount() : 0;
    if (editores_.size() == n) {
        ubicarFiltros();
        return;
    }
    qDeleteAll(editores_);
    editores_.clear();
    filtro_->filtros = QStringList(n, QString());
    for (int c = 0; c < n; ++c) {
        auto* e = new QLineEdit(filaFiltros_);
        e->setObjectName(QStringLiteral("filtro%1").arg(c));
        e->setClearButtonEnabled(false);
        connect(e, &QLineEdit::textChanged, this, [this, c](const QString& t) {
            if (c < filtro_->filtros.size()) {
                filtro_->filtros[c] = t.trimmed();
                filtro_->aplicar();
            }
        });
        e->show();
        editores_ << e;
    }
    filaFiltros_->setFixedHeight(editores_.isEmpty() ? 0 : editores_.first()->sizeHint().height());
    filtro_->aplicar();
    ubicarFiltros();
}

void Rejilla::ubicarFiltros() {
    if (!filaFiltros_->isVisible()) return;
    QHeaderView* h = vista_->horizontalHeader();
    const int x0 = vista_->frameWidth() + (vista_->verticalHeader()->isVisible() ? vista_->verticalHeader()->width() : 0);
    for (int c = 0; c < editores_.size(); ++c) {
        QLineEdit* e = editores_[c];
        if (h->isSectionHidden(c)) {
            e->hide();
            continue;
        }
        e->setGeometry(x0 + h->sectionViewportPosition(c), 0, h->sectionSize(c), filaFiltros_->height());
        e->show();
    }
}

bool Rejilla::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == filaFiltros_ && (evento->type() == QEvent::Resize || evento->type() == QEvent::Show))
        ubicarFiltros();
    return QWidget::eventFilter(objeto, evento);
}

void Rejilla::setFiltrosVisibles(bool on) {
    if (!on)
        for (QLineEdit* e : editores_) e->clear();
    filaFiltros_->setVisible(on);
    ubicarFiltros();
}

bool Rejilla::filtrosVisibles() const { return !filaFiltros_->isHidden(); }

QCheckBox* Rejilla::crearCasillaFiltros(QWidget* padre, const QString& texto) {
    auto* c = new QCheckBox(texto, padre);
    c->setObjectName(QStringLiteral("habilitarFiltros"));
    c->setChecked(filtrosVisibles());
    connect(c, &QCheckBox::toggled, this, &Rejilla::setFiltrosVisibles);
    return c;
}

void Rejilla::setFiltro(int columna, const QString& texto) {
    if (columna >= 0 && columna < editores_.size()) editores_[columna]->setText(texto);
}

QLineEdit* Rejilla::editorFiltro(int columna) const {
    return columna >= 0 && columna < editores_.size() ? editores_[columna] : nullptr;
}

// ---- widths

void Rejilla::setDecimales(const QString& campo, int decimales) {
    filtro_->decimales.insert(campo.toUpper(), decimales);
    filtro_->aplicar();
}

void Rejilla::setAnchoColumna(const QString& campo, int caracteres) {
    anchos_.insert(campo.toUpper(), caracteres);
    anchosIniciales();
}

void Rejilla::anchosIniciales() {
    if (!modelo_ || !modelo_->dataSet()) return;
    const DataSet& ds = *modelo_->dataSet();
    const QFontMetrics fm = vista_->fontMetrics();
    QFont negrita = vista_->horizontalHeader()->font();
    negrita.setBold(true);
    const QFontMetrics fmTitulo(negrita);
    for (int c = 0; c < modelo_->columnCount(); ++c) {
        const Field& f = ds.field(modelo_->fieldIndex(c));
        int ancho = 0;
        if (const int caracteres = anchos_.value(f.name().toUpper(), 0)) {
            ancho = caracteres * fm.averageCharWidth();
        } else {
            // Digits are wider than the average letter: measure a sample.
            switch (f.type()) {
                case FieldType::Date: ancho = fm.horizontalAdvance(QStringLiteral("0000/00/00")); break;
                case FieldType::DateTime: ancho = fm.horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")); break;
                case FieldType::Decimal: ancho = fm.horizontalAdvance(QStringLiteral("0,000,000,000.00")); break;
                case FieldType::Integer: ancho = fm.horizontalAdvance(QStringLiteral("00000000")); break;
                case FieldType::Boolean: ancho = fm.horizontalAdvance(QStringLiteral("S")); break;
                default: ancho = std::clamp(f.size() > 0 ? f.size() : 30, 1, 40) * fm.averageCharWidth();
            }
        }
        // Room for the title and its sort arrow.
        ancho = std::max(ancho, fmTitulo.horizontalAdvance(modelo_->caption(c)) + 16);
        vista_->setColumnWidth(c, ancho + 12);
    }
}

// ---- the menu

void Rejilla::seleccionarTodo() { vista_->selectAll(); }

std::vector<int> Rejilla::filasSeleccionadas() const {
    std::vector<int> vistaFilas;
    if (vista_->selectionModel())
        for (const QModelIndex& i : vista_->selectionModel()->selectedRows()) vistaFilas.push_back(i.row());
    if (vistaFilas.empty())
        for (int r = 0; r < filtro_->rowCount(); ++r) vistaFilas.push_back(r);
    std::sort(vistaFilas.begin(), vistaFilas.end());
    std::vector<int> filas;
    for (int r : vistaFilas) filas.push_back(filaDataSet(r));
    return filas;
}

namespace {
// The columns a grid shows, in its order and with the titles it shows.
TablaExportar tablaDe(const QHeaderView* h, const DataSetModel* modelo, const FiltroRejilla& filtro,
                      const std::vector<int>& filas) {
    if (!modelo || !modelo->dataSet()) return {};
    std::vector<int> campos, logicas;
    for (int v = 0; v < h->count(); ++v) {
        const int logica = h->logicalIndex(v);
        if (h->isSectionHidden(logica)) continue;
        campos.push_back(modelo->fieldIndex(logica));
        logicas.push_back(logica);
    }
    TablaExportar t = TablaExportar::desde(*modelo->dataSet(), filas, campos);
    for (size_t c = 0; c < t.columnas.size(); ++c) {
        t.columnas[c].titulo = modelo->caption(logicas[c]);
        if (const auto d = filtro.decimalesDe(logicas[c])) t.columnas[c].escala = *d;
    }
    return t;
}
}  // namespace

TablaExportar Rejilla::tablaSeleccion() const {
    return tablaDe(vista_->horizontalHeader(), modelo_, *filtro_, filasSeleccionadas());
}

void Rejilla::copiar() {
    const TablaExportar t = tablaSeleccion();
    QStringList lineas;
    for (int f = 0; f < int(t.filas.size()); ++f) {
        QStringList celdas;
        for (int c = 0; c < int(t.columnas.size()); ++c) celdas << t.texto(f, c).replace(u'\t', u' ');
        lineas << celdas.join(u'\t');
    }
    QApplication::clipboard()->setText(lineas.join(u'\n'));
}

bool Rejilla::exportar(const QString& ruta, FormatoArchivo formato, QString* error) const {
    return guardar(ruta, tablaSeleccion(), formato, error);
}

QStringList Rejilla::filtrosArchivo() const {
    QStringList r;
    for (FormatoArchivo f : formatos_) r << filtro(f);
    return r;
}

bool Rejilla::guardarSeleccion() {
    QString elegido;
    const QStringList filtros = filtrosArchivo();
    // The dialog's own overwrite question would ask about the name as typed
    // ("saldos"), not the file written ("saldos.csv"): asked here instead.
    const QString respuesta = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar selección"), nombreArchivo_,
                                                           filtros.join(QStringLiteral(";;")), &elegido,
                                                           QFileDialog::DontConfirmOverwrite);
    const FormatoArchivo formato = formatoDeFiltro(elegido).value_or(formatos_.value(0, FormatoArchivo::Texto));
    const auto destino = destinoExportacion(respuesta, formato, [this](const QString& r) {
        const QString pregunta = QStringLiteral("El archivo %1 ya existe. ¿Desea reemplazarlo?").arg(r);
        if (interaccion_) return interaccion_->preguntar(pregunta);
        QMessageBox caja(QMessageBox::Question, QStringLiteral("Confirmación"), pregunta,
                         QMessageBox::Yes | QMessageBox::No, this);
        caja.setTextFormat(Qt::PlainText);
        caja.setDefaultButton(QMessageBox::No);
        return caja.exec() == QMessageBox::Yes;
    });
    if (!destino) return false;
    const QString ruta = *destino;
    QString error;
    if (!exportar(ruta, formato, &error)) {
        avisar(QStringLiteral("No se pudo guardar el archivo %1: %2").arg(ruta, error));
        return false;
    }
    return true;
}

int Rejilla::imprimirEn(QPagedPaintDevice& dispositivo) const {
    // Every row shown, whatever is selected.
    std::vector<int> filas;
    for (int r = 0; r < filtro_->rowCount(); ++r) filas.push_back(filaDataSet(r));
    const TablaExportar t = tablaDe(vista_->horizontalHeader(), modelo_, *filtro_, filas);
    const QString titulo = titulo_.isEmpty() ? window()->windowTitle() : titulo_;
    return cxp::imprimir(dispositivo, t, titulo, QDate::currentDate());
}

void Rejilla::imprimir() {
    QPrinter impresora(QPrinter::HighResolution);
    QPrintPreviewDialog vistaPrevia(&impresora, this);
    vistaPrevia.setWindowTitle(QStringLiteral("Vista preliminar"));
    connect(&vistaPrevia, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { imprimirEn(*p); });
    vistaPrevia.exec();
}

void Rejilla::setColorTexto(std::function<std::optional<QColor>(const RecordRef&)> color) {
    filtro_->color = std::move(color);
    if (filtro_->rowCount() > 0 && filtro_->columnCount() > 0)
        emit filtro_->dataChanged(filtro_->index(0, 0),
                                  filtro_->index(filtro_->rowCount() - 1, filtro_->columnCount() - 1));
}

}  // namespace cxp
