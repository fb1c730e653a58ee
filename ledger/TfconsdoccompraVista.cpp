#include "ledger/TfconsdoccompraVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ledger/VistaLedger.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace cxp {

TfconsdoccompraVista::TfconsdoccompraVista(std::unique_ptr<Tfconsdoccompra> logica, ManejadorErrores& manejador,
                                           const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(logica_->tipo() == 24 ? QStringLiteral("Tfconsdevolucioncompra")
                                        : QStringLiteral("Tfconsfacturacompra"));
    setWindowTitle(logica_->titulo());
    setAttribute(Qt::WA_DeleteOnClose);

    auto* forma = new QFormLayout;
    for (const auto& [titulo, valor] : logica_->campos()) {
        auto* e = new QLineEdit(valor, this);
        e->setObjectName(QStringLiteral("campo"));
        e->setReadOnly(true);
        e->setMinimumWidth(260);
        forma->addRow(titulo + QLatin1Char(':'), e);
    }
    QFrame* panel = panelBotones(this, sesion);
    finPanel(panel);
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { cerrarPantalla(this); });
    auto* lineas = new Rejilla(logica_->lineas(), this);
    lineas->setObjectName(QStringLiteral("lineas"));
    lineas->setSoloLectura(true);
    lineas->setMinimumHeight(120);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(forma);
    columna->addWidget(lineas, 1);
    columna->addWidget(panel);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_Escape, [this] { cerrarPantalla(this); });
}

TfconsdoccompraVista::~TfconsdoccompraVista() = default;

QWidget* crearTfconsdoccompra(int tipo, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                              const Configuracion& configuracion, const QVariantMap& args, QWidget* padre) {
    auto logica = std::make_unique<Tfconsdoccompra>(sesion, interaccion, manejador, configuracion, tipo,
                                                    args.value(QStringLiteral("id")).toLongLong());
    if (!logica->abrir()) return nullptr;
    return new TfconsdoccompraVista(std::move(logica), manejador, sesion, padre);
}

}  // namespace cxp
