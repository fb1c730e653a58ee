#include "ledger/TfabonosprvVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ledger/VistaLedger.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

TfabonosprvVista::TfabonosprvVista(std::unique_ptr<Tfabonosprv> logica, Interaccion& interaccion,
                                   ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfabonosprv"));
    setWindowTitle(Tfabonosprv::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(620, 340);

    rejilla_ = new Rejilla(logica_->abonos(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("Abonos"));
    rejilla_->setTitulo(Tfabonosprv::kTitulo);
    mantenerOrden(rejilla_, {"TIPODOC", "PREFIJO", "NUMERO", "FECHA", "ABONO", "RETES"});
    QCheckBox* filtros = rejilla_->crearCasillaFiltros(this);
    totales_ = new QLabel(QStringLiteral("Total abonos: %1   Retenciones: %2")
                              .arg(textoDinero(logica_->totalAbonos()), textoDinero(logica_->totalRetenciones())),
                          this);
    totales_->setObjectName(QStringLiteral("totales"));
    totales_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F4:Consultar"), [this] { logica_->consultar(); });
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });

    auto* cabeza = new QHBoxLayout;
    cabeza->addStretch();
    cabeza->addWidget(filtros);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(cabeza);
    columna->addWidget(rejilla_, 1);
    columna->addWidget(totales_);
    columna->addWidget(panel);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F4, [this] { logica_->consultar(); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrarPantalla(this); });
    connect(rejilla_, &Rejilla::activada, this, [this](int fila) {
        logica_->abonos().setCurrentRow(fila);
        logica_->consultar();
    });
    rejilla_->vista()->setFocus();
}

TfabonosprvVista::~TfabonosprvVista() = default;

QWidget* crearTfabonosprv(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                          const Configuracion& configuracion, const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfabonosprv>(sesion, interaccion, manejador, configuracion,
                                                args.value(QStringLiteral("tipo")).toInt(),
                                                args.value(QStringLiteral("id")).toLongLong());
    if (!logica->abrir()) return nullptr;
    return new TfabonosprvVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
