#include "comunes/TfautorizacionVista.h"

#include "comunes/Delegados.h"
#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/InteraccionQt.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

TfautorizacionVista::TfautorizacionVista(std::unique_ptr<Tfautorizacion> logica, Interaccion& interaccion,
                                         ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfautorizacion"));
    setWindowTitle(Tfautorizacion::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kAncho, kAlto);

    QFrame* panel = panelBotones(this, sesion);
    grabar_ = botonDePanel(panel, QStringLiteral("F2: Grabar"));
    static_cast<QHBoxLayout*>(panel->layout())->addStretch();
    salir_ = botonDePanel(panel, QStringLiteral("Esc:Salir"));

    rejilla_ = new Rejilla(logica_->autorizaciones(), this);
    rejilla_->setObjectName(QStringLiteral("rejillaAutorizaciones"));
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("autorizaciones"));
    rejilla_->setTitulo(Tfautorizacion::kTitulo);
    for (const auto& [campo, ancho] : std::initializer_list<std::pair<const char*, int>>{
             {"PREF_PRE", 5}, {"AUTO_NUMERO", 17}, {"AUTO_INICIAL", 7}, {"AUTO_FINAL", 7}, {"AUTO_AVISAR", 5},
             {"AUTO_USRAVISO", 10}, {"AUTO_TOKENEMP", 12}, {"AUTO_TOKENPSW", 8}, {"AUTO_ARCHFE", 10}})
        rejilla_->setAnchoColumna(QString::fromLatin1(campo), ancho);
    filtros_ = rejilla_->crearCasillaFiltros(this);

    // The grid's columns in their order, whatever the table's order is.
    QTableView* vista = rejilla_->vista();
    QHeaderView* cabecera = vista->horizontalHeader();
    for (int i = 0; i < Tfautorizacion::columnas().size(); ++i) {
        const int c = columna(Tfautorizacion::columnas().at(i));
        if (c >= 0) cabecera->moveSection(cabecera->visualIndex(c), i);
    }

    Tfautorizacion* l = logica_.get();
    vista->setItemDelegateForColumn(columna(QStringLiteral("PREF_PRE")),
                                    new DelegadoLista([l] { return l->listaPrefijos(); }, vista));
    for (const char* numero : {"AUTO_INICIAL", "AUTO_FINAL"})
        vista->setItemDelegateForColumn(columna(QString::fromLatin1(numero)), new DelegadoDigitos(8, vista));
    vista->setItemDelegateForColumn(columna(QStringLiteral("AUTO_TOKENPSW")), new DelegadoSecreto(vista));

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->setSpacing(4);
    todo->addWidget(panel);
    todo->addWidget(filtros_);
    todo->addWidget(rejilla_, 1);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->setAntesDeComando([vista] { return confirmarEdicion(vista); });
    teclado_->asignar(Qt::Key_F2, [this] { logica_->grabar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { logica_->salir(); });
    teclado_->asignarEn(vista, Qt::Key_Insert, [this] { nueva(); });
    teclado_->asignarEn(vista, Qt::Key_Down, [this] { bajar(); });
    connect(grabar_, &QPushButton::clicked, this, [this, vista, &manejador] {
        if (confirmarEdicion(vista)) manejador.proteger([this] { logica_->grabar(); });
    });
    connect(salir_, &QPushButton::clicked, this, [this] { logica_->salir(); });
    connect(logica_.get(), &Tfautorizacion::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });

    // "Move the focus to field X": the grid's cell of that field.
    if (auto* iq = dynamic_cast<InteraccionQt*>(&interaccion))
        iq->registrarEnfoque(this, [this, vista](const QString& campo) {
            const int c = columna(campo);
            const QModelIndex actual = vista->currentIndex();
            if (c >= 0 && actual.isValid()) vista->setCurrentIndex(vista->model()->index(actual.row(), c));
            vista->setFocus(Qt::OtherFocusReason);
        });
    setFocusProxy(vista);
}

TfautorizacionVista::~TfautorizacionVista() = default;

int TfautorizacionVista::columna(const QString& campo) const {
    return rejilla_->modelo() ? rejilla_->modelo()->columnOf(campo) : -1;
}

void TfautorizacionVista::nueva() {
    if (!logica_->nueva()) return;
    QTableView* vista = rejilla_->vista();
    const QModelIndex actual = vista->currentIndex();
    const int col = columna(QStringLiteral("AUTO_NUMERO"));
    if (actual.isValid() && col >= 0) vista->setCurrentIndex(vista->model()->index(actual.row(), col));
    vista->setFocus(Qt::OtherFocusReason);
}

void TfautorizacionVista::bajar() {
    QTableView* vista = rejilla_->vista();
    const QModelIndex actual = vista->currentIndex();
    const int filas = vista->model()->rowCount();
    if (filas == 0 || (actual.isValid() && actual.row() == filas - 1)) {
        if (logica_->autorizaciones().state() == DataSet::State::Insert) return;
        nueva();
        return;
    }
    const int fila = actual.isValid() ? actual.row() + 1 : 0;
    vista->setCurrentIndex(vista->model()->index(fila, std::max(actual.column(), 0)));
}

void TfautorizacionVista::showEvent(QShowEvent* evento) {
    QWidget::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        centrarEnArea(this, QSize(kAncho, kAlto));
    }
}

QWidget* crearTfautorizacion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const QVariantMap&, QWidget* padre) {
    auto logica = std::make_unique<Tfautorizacion>(sesion, interaccion, manejador);
    if (!logica->abrir()) return nullptr;
    return new TfautorizacionVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
