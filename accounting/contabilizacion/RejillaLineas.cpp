#include "accounting/contabilizacion/RejillaLineas.h"

#include "accounting/contabilizacion/LineasContables.h"
#include "data/DataSetModel.h"
#include "data/Interaccion.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {

class FiltroLineas : public QSortFilterProxyModel {
public:
    FiltroLineas(std::function<bool(const RecordRef&)> acepta, QObject* padre)
        : QSortFilterProxyModel(padre), acepta_(std::move(acepta)) {
        setDynamicSortFilter(true);
    }

protected:
    bool filterAcceptsRow(int fila, const QModelIndex&) const override {
        auto* m = static_cast<DataSetModel*>(sourceModel());
        if (!m || !m->dataSet()) return false;
        return acepta_(m->dataSet()->row(fila));
    }

private:
    std::function<bool(const RecordRef&)> acepta_;
};

}  // namespace

RejillaLineas::RejillaLineas(DataSet& lineas, LineasContables& reglas, std::function<bool(const RecordRef&)> filtro,
                             bool niif, Interaccion& interaccion, QWidget* padre)
    : QWidget(padre), ds_(lineas), reglas_(reglas), interaccion_(interaccion), niif_(niif) {
    modelo_ = new DataSetModel(lineas, this);
    filtro_ = new FiltroLineas(std::move(filtro), this);
    filtro_->setSourceModel(modelo_);
    vista_ = new QTableView(this);
    vista_->setModel(filtro_);
    vista_->setSelectionBehavior(QAbstractItemView::SelectItems);
    vista_->setSelectionMode(QAbstractItemView::SingleSelection);
    vista_->verticalHeader()->hide();
    vista_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);

    debitos_ = new QLabel(this);
    creditos_ = new QLabel(this);
    for (QLabel* l : {debitos_, creditos_}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(110);
    }
    debitos_->setObjectName(niif ? QStringLiteral("totalDebitosNiif") : QStringLiteral("totalDebitos"));
    creditos_->setObjectName(niif ? QStringLiteral("totalCreditosNiif") : QStringLiteral("totalCreditos"));
    auto* pie = new QHBoxLayout;
    pie->setContentsMargins(0, 0, 0, 0);
    pie->addStretch();
    pie->addWidget(new QLabel(QStringLiteral("Sumas:"), this));
    pie->addWidget(debitos_);
    pie->addWidget(creditos_);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(2);
    todo->addWidget(vista_, 1);
    todo->addLayout(pie);

    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] { refrescarTotales(); });
    connect(modelo_, &QAbstractItemModel::layoutChanged, this, [this] { refrescarTotales(); });
    connect(modelo_, &QAbstractItemModel::rowsInserted, this, [this] { refrescarTotales(); });
    connect(modelo_, &QAbstractItemModel::rowsRemoved, this, [this] { refrescarTotales(); });
    connect(modelo_, &QAbstractItemModel::dataChanged, this, [this] {
        refrescarTotales();
        emit lineaActual();
    });
    connect(modelo_, &DataSetModel::currentRowChanged, this, [this] { seguirDataSet(); });
    connect(modelo_, &DataSetModel::editRefused, this, [this](const QString& mensaje, const QString& campo) {
        if (!mensaje.isEmpty()) interaccion_.error(mensaje);
        const int c = columna(campo);
        if (c >= 0 && vista_->currentIndex().isValid())
            vista_->setCurrentIndex(filtro_->index(vista_->currentIndex().row(), c));
    });
    connect(vista_->selectionModel(), &QItemSelectionModel::currentChanged, this, &RejillaLineas::alCambiarCelda);
    connect(vista_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (!i.isValid() || vista_->editTriggers() == QAbstractItemView::NoEditTriggers) return;
        reglas_.dobleClic(campoDe(i.column()));
        emit lineaActual();
    });

    // Both tables list the line's columns in the grid's order: account,
    // third party, centre, sub-centre, concept, reference, category, base,
    // percentage, debit, credit.
    // Eleven columns in a 751-pixel window: a point smaller than the
    // screen's text, each column as wide as its title or its usual content,
    // and the concept takes what is left.
    QFont fuente = vista_->font();
    if (fuente.pointSizeF() > 8) fuente.setPointSizeF(fuente.pointSizeF() - 1);
    vista_->setFont(fuente);
    vista_->horizontalHeader()->setFont(fuente);
    vista_->verticalHeader()->setDefaultSectionSize(QFontMetrics(fuente).height() + 6);
    const QFontMetrics letra(fuente);
    const char* muestras[] = {"11050501", "900456789", "01", "01", "", "R-123", "01",
                              "999,999.00", "19.0000", "9,999,999.00", "9,999,999.00"};
    for (int c = 0; c < modelo_->columnCount() && c < int(std::size(muestras)); ++c)
        vista_->setColumnWidth(c, std::max(letra.horizontalAdvance(modelo_->headerData(c, Qt::Horizontal).toString()),
                                           letra.horizontalAdvance(QString::fromLatin1(muestras[c]))) +
                                      10);
    const int concepto = 4;
    if (modelo_->columnCount() > concepto)
        vista_->horizontalHeader()->setSectionResizeMode(concepto, QHeaderView::Stretch);
    refrescarTotales();
}

RejillaLineas::~RejillaLineas() = default;

int RejillaLineas::columna(const QString& campo) const { return modelo_->columnOf(campo); }

QString RejillaLineas::campoDe(int columna) const {
    const int f = modelo_->fieldIndex(columna);
    return (f >= 0 && modelo_->dataSet()) ? modelo_->dataSet()->field(f).name() : QString();
}

void RejillaLineas::setSoloLectura(bool on) {
    modelo_->setReadOnly(on);
    vista_->setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                               : QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::SelectedClicked);
}

void RejillaLineas::refrescarTotales() {
    debitos_->setText(reglas_.debitos(niif_).texto());
    creditos_->setText(reglas_.creditos(niif_).texto());
}

void RejillaLineas::seguirDataSet() {
    if (siguiendo_ || ds_.isEmpty()) return;
    const QModelIndex fuente = modelo_->index(ds_.currentRow(), 0);
    const QModelIndex aqui = filtro_->mapFromSource(fuente);
    if (!aqui.isValid()) return;
    siguiendo_ = true;
    const int col = vista_->currentIndex().isValid() ? vista_->currentIndex().column() : 0;
    vista_->setCurrentIndex(filtro_->index(aqui.row(), col));
    siguiendo_ = false;
    emit lineaActual();
}

void RejillaLineas::alCambiarCelda(const QModelIndex& ahora, const QModelIndex& antes) {
    if (siguiendo_) return;
    if (antes.isValid() && (antes.column() != ahora.column() || antes.row() != ahora.row()))
        reglas_.alSalirColumna(campoDe(antes.column()));
    if (!ahora.isValid()) return;
    const int fila = filtro_->mapToSource(ahora).row();
    if (fila == ds_.currentRow()) return;
    if (!reglas_.guardarLinea()) {
        // The line stays current until it is right.
        QMetaObject::invokeMethod(this, [this] { seguirDataSet(); }, Qt::QueuedConnection);
        return;
    }
    siguiendo_ = true;
    const int destino = filtro_->mapToSource(filtro_->index(std::min(ahora.row(), filtro_->rowCount() - 1), 0)).row();
    if (destino >= 0) ds_.setCurrentRow(destino);
    siguiendo_ = false;
    emit lineaActual();
}

}  // namespace cxp
