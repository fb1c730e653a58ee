#include "documents/payments/ConceptosVista.h"

#include "comunes/Presentacion.h"
#include "creditors/TablaReferenciaVista.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Selectores.h"
#include "ui/BusquedaBase.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QDialog>
#include <algorithm>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

namespace {

// A double click on a cell of an account column opens the account list and
// puts the chosen account in the cell; other columns edit as usual.
class CuentaPorDobleClic : public QObject {
public:
    CuentaPorDobleClic(Rejilla* rejilla, QStringList cuentas, Interaccion& interaccion, ManejadorErrores& manejador)
        : QObject(rejilla), rejilla_(rejilla), cuentas_(std::move(cuentas)), interaccion_(interaccion),
          manejador_(manejador) {
        rejilla_->vista()->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonDblClick) return false;
        QTableView* v = rejilla_->vista();
        const QModelIndex i = v->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint());
        DataSet* ds = rejilla_->dataSet();
        if (!i.isValid() || !ds) return false;
        const int campo = rejilla_->modelo()->fieldIndex(i.column());
        if (campo < 0 || !cuentas_.contains(ds->field(campo).name(), Qt::CaseInsensitive)) return false;
        const int fila = rejilla_->filaDataSet(i.row());
        if (fila < 0) return false;
        const QString nombre = ds->field(campo).name();
        manejador_.proteger([&] {
            if (ds->currentRow() != fila) ds->setCurrentRow(fila);
            const auto e = interaccion_.elegir(selectores::kCuentas,
                                               {{QStringLiteral("filtro"), ds->asString(nombre).trimmed()},
                                                {QStringLiteral("niif"), false}});
            if (!e) return;
            if (ds->state() == DataSet::State::Browse) ds->edit();
            ds->setValue(nombre, fb::Value(e->value(QStringLiteral("cuenta")).toString()));
        });
        return true;
    }

private:
    Rejilla* rejilla_;
    QStringList cuentas_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
};

template <typename Vista, typename Logica>
std::optional<QVariantMap> modal(Vista* vista, Logica& logica, QDialog& dialogo) {
    vista->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.setWindowTitle(vista->windowTitle());
    dialogo.resize(vista->size());
    QObject::connect(&logica, &Logica::cerrar, &dialogo, &QDialog::accept);
    dialogo.exec();
    return logica.eleccion();
}

}  // namespace

QWidget* crearTablaPagos(const DefinicionTabla& definicion, Sesion& sesion, Interaccion& interaccion,
                         ManejadorErrores& manejador, const Configuracion& configuracion, QWidget* padre) {
    auto logica = std::make_unique<TablaReferencia>(definicion, sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    if (definicion.tabla == pagos::tablaClases().tabla) pagos::proponerIdClase(logica->filas());
    auto* vista = new TablaReferenciaVista(std::move(logica), interaccion, manejador, sesion, padre);
    if (!definicion.cuentas.isEmpty()) new CuentaPorDobleClic(vista->rejilla(), definicion.cuentas, interaccion, manejador);
    return vista;
}

// ---------------------------------------------------------------- concepts

TfconcxpagarVista::TfconcxpagarVista(std::unique_ptr<Tfconcxpagar> logica, Interaccion& interaccion,
                                     ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfconcxpagar"));
    setWindowTitle(Tfconcxpagar::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 380);
    Tfconcxpagar* l = logica_.get();
    auto elegir = [l, &manejador] { manejador.proteger([l] { l->elegir(); }); };
    auto modificar = [l, &manejador] { manejador.proteger([l] { l->modificar(); }); };
    auto cancelar = [this] { BusquedaBase::cerrarPantalla(this); };

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2: Grabar"), elegir);
    botonDePanel(panel, QStringLiteral("F4:&Modificar"), modificar);
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("ESC:Cancelar"), cancelar);

    rejilla_ = new Rejilla(l->conceptos(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setTitulo(Tfconcxpagar::kTitulo);
    rejilla_->setAnchoColumna(QStringLiteral("COCX_NOMBRE"), 34);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->addWidget(panel);
    todo->addWidget(rejilla_, 1);

    teclado_ = new Teclado(this);
    teclado_->setEnterSiguiente(false);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [l] { l->elegir(); });
    teclado_->asignar(Qt::Key_F4, [l] { l->modificar(); });
    teclado_->asignar(Qt::Key_Escape, cancelar);
    teclado_->asignarEn(rejilla_->vista(), Qt::Key_Return, [l] { l->elegir(); });
    connect(rejilla_, &Rejilla::activada, this, [l, elegir](int fila) {
        l->conceptos().setCurrentRow(fila);
        elegir();
    });
    connect(l, &Tfconcxpagar::cerrar, this, [this] {
        if (!qobject_cast<QDialog*>(parentWidget())) BusquedaBase::cerrarPantalla(this);
    });
    setFocusProxy(rejilla_->vista());
}

TfconcxpagarVista::~TfconcxpagarVista() = default;

// ---------------------------------------------------------------- documents in a box

TfdocencajaVista::TfdocencajaVista(std::unique_ptr<Tfdocencaja> logica, Interaccion& interaccion,
                                   ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfdocencaja"));
    setWindowTitle(Tfdocencaja::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(620, 340);
    auto salir = [this] { BusquedaBase::cerrarPantalla(this); };
    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2:Seleccionar"), [this, &manejador] { manejador.proteger([this] { elegir(); }); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), salir);

    rejilla_ = new Rejilla(logica_->documentos(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setTitulo(Tfdocencaja::kTitulo);
    rejilla_->vista()->setSelectionBehavior(QAbstractItemView::SelectRows);
    rejilla_->vista()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->addWidget(panel);
    todo->addWidget(rejilla_, 1);

    teclado_ = new Teclado(this);
    teclado_->setEnterSiguiente(false);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { elegir(); });
    teclado_->asignar(Qt::Key_Escape, salir);
    teclado_->asignarEn(rejilla_->vista(), Qt::Key_Return, [this] { elegir(); });
    connect(rejilla_, &Rejilla::activada, this, [this](int) { elegir(); });
    connect(logica_.get(), &Tfdocencaja::cerrar, this, [this] {
        if (!qobject_cast<QDialog*>(parentWidget())) BusquedaBase::cerrarPantalla(this);
    });
    setFocusProxy(rejilla_->vista());
}

TfdocencajaVista::~TfdocencajaVista() = default;

std::vector<int> TfdocencajaVista::filasElegidas() const {
    std::vector<int> r;
    QTableView* v = rejilla_->vista();
    if (v->selectionModel())
        for (const QModelIndex& i : v->selectionModel()->selectedRows()) {
            const int f = rejilla_->filaDataSet(i.row());
            if (f >= 0) r.push_back(f);
        }
    // Nothing marked: the row under the cursor.
    if (r.empty() && logica_->documentos().isOpen() && !logica_->documentos().isEmpty())
        r.push_back(logica_->documentos().currentRow());
    std::sort(r.begin(), r.end());
    return r;
}

void TfdocencajaVista::elegir() { logica_->elegir(filasElegidas()); }

// ---------------------------------------------------------------- pickers

std::optional<QVariantMap> elegirConcepto(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                          ServiciosConceptos servicios, const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfconcxpagar>(sesion, interaccion, manejador,
                                                 args.value(QStringLiteral("TERC_NIT")).toString(),
                                                 args.value(QStringLiteral("EGRE_FECHA")).toDate(), std::move(servicios));
    if (!logica->abrir()) return std::nullopt;
    Tfconcxpagar& l = *logica;
    QDialog dialogo(padre);
    return modal(new TfconcxpagarVista(std::move(logica), interaccion, manejador, sesion, &dialogo), l, dialogo);
}

std::optional<QVariantMap> elegirDocumentosEnCaja(Sesion& sesion, Interaccion& interaccion,
                                                  ManejadorErrores& manejador, const QVariantMap& args,
                                                  QWidget* padre) {
    auto logica = std::make_unique<Tfdocencaja>(sesion, interaccion, manejador,
                                                args.value(QStringLiteral("CAJA_ID")).toInt());
    if (!logica->abrir()) return std::nullopt;
    Tfdocencaja& l = *logica;
    QDialog dialogo(padre);
    return modal(new TfdocencajaVista(std::move(logica), interaccion, manejador, sesion, &dialogo), l, dialogo);
}

}  // namespace cxp
