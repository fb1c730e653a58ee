#include "documents/service/TfbuscaordenesVista.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/Rejilla.h"

#include <QDialog>
#include <QVBoxLayout>

namespace cxp {

TfbuscaordenesVista::TfbuscaordenesVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                         const Configuracion& configuracion, bool eligiendo, QWidget* padre)
    : BusquedaBase(interaccion, padre),
      logica_(std::make_unique<Tfbuscaordenes>(sesion, interaccion, manejador, configuracion, resultado())) {
    setObjectName(QStringLiteral("Tfbuscaordenes"));
    setWindowTitle(Tfbuscaordenes::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose, !eligiendo);
    resize(1000, 460);
    setBaseDatos(&sesion.compania);
    setColumnas(Tfbuscaordenes::columnas(), 0);
    setModoSinPosicion(ModoBusqueda::DesdeValor);
    setLimpiarTexto(true);
    Tfbuscaordenes* l = logica_.get();
    setConsultaBase([l] { return l->consultaBase(); });
    setManejadorErrores([&manejador](const std::exception& e) { manejador.ManejarError(e, QStringLiteral("QBuscaOrdenes")); });
    rejilla()->setNombreArchivo(QStringLiteral("BuscOrdenes"));
    rejilla()->setTitulo(Tfbuscaordenes::kTitulo);

    setAlConsultar([l] { l->consultar(); });
    setAlAnular([l] { l->anular(); });
    setAlNotas([this, &interaccion] {
        if (!resultado().isEmpty())
            interaccion.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                                      {{QStringLiteral("tipo"), 56},
                                       {QStringLiteral("id"), qlonglong(resultado().asInt(QStringLiteral("ORSE_ID")))}});
    });
    if (eligiendo) {
        agregarBoton(QStringLiteral("Seleccionar"), Qt::Key_F10, [l] { l->seleccionar(); });
        setAlElegir([l] { l->seleccionar(); });
    }
    connect(l, &Tfbuscaordenes::refrescar, this, [this] {
        const int fila = resultado().isEmpty() ? 0 : resultado().currentRow();
        if (buscar() && !resultado().isEmpty()) resultado().setCurrentRow(std::min(fila, resultado().recordCount() - 1));
    });
    connect(l, &Tfbuscaordenes::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    connect(this, &BusquedaBase::buscado, this, [this](int) { rotular(); });
}

TfbuscaordenesVista::~TfbuscaordenesVista() = default;

bool TfbuscaordenesVista::abrirInicial() { return abrir(logica_->consultaInicial()); }

void TfbuscaordenesVista::rotular() {
    DataSet& r = resultado();
    static const std::pair<const char*, const char*> rotulos[] = {
        {"PREF_PRE", "Prefijo"}, {"ORSE_ANULADO", "Anul"},  {"ORSE_FECHA", "Fecha"}, {"ORSE_NUMERO", "Número"},
        {"ORSE_CONCEPTO", "Concepto"}, {"ORSE_BASE", "Base"}, {"ORSE_IVAMONTO", "Iva"}, {"TERC_NOM", "Acreedor"}};
    for (const auto& [campo, rotulo] : rotulos)
        if (r.fieldIndex(QString::fromLatin1(campo)) >= 0)
            r.field(QString::fromLatin1(campo)).setLabel(QString::fromUtf8(rotulo));
    if (r.fieldIndex(QStringLiteral("ORSE_ID")) >= 0) r.field(QStringLiteral("ORSE_ID")).setVisible(false);
}

std::optional<QVariantMap> elegirOrden(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                       const Configuracion& configuracion, QWidget* padre) {
    QDialog dialogo(padre);
    dialogo.setWindowTitle(Tfbuscaordenes::kTitulo);
    auto* vista = new TfbuscaordenesVista(sesion, interaccion, manejador, configuracion, true, &dialogo);
    if (!vista->abrirInicial()) return std::nullopt;
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.resize(vista->size());
    QObject::connect(&vista->logica(), &Tfbuscaordenes::cerrar, &dialogo, &QDialog::accept);
    dialogo.exec();
    return vista->logica().eleccion();
}

}  // namespace cxp
