#include "documents/applications/TfbuscaplicacionesVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/Rejilla.h"

namespace cxp {

TfbuscaplicacionesVista::TfbuscaplicacionesVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                                 const Configuracion& configuracion, QWidget* padre)
    : BusquedaBase(interaccion, padre),
      logica_(std::make_unique<Tfbuscaplicaciones>(sesion, interaccion, manejador, configuracion, resultado())) {
    setObjectName(QStringLiteral("Tfbuscaplicaciones"));
    setWindowTitle(Tfbuscaplicaciones::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(800, 440);
    setBaseDatos(&sesion.compania);
    setColumnas(Tfbuscaplicaciones::columnas(), Tfbuscaplicaciones::kColumnaInicial);
    setModoSinPosicion(ModoBusqueda::DesdeValor);
    Tfbuscaplicaciones* l = logica_.get();
    setConsultaBase([l] { return l->consultaBase(); }, QStringLiteral(" and "));
    setManejadorErrores(
        [&manejador](const std::exception& e) { manejador.ManejarError(e, QStringLiteral("QBuscAplicaciones")); });
    rejilla()->setNombreArchivo(QStringLiteral("BuscAplic"));
    rejilla()->setTitulo(Tfbuscaplicaciones::kTitulo);
    setAlConsultar([l] { l->consultar(); });
    setAlAnular([l] { l->eliminar(); });
    setAlNotas([l] { l->notas(); });
    agregarBoton(QStringLiteral("F8: Abonos"), Qt::Key_F8, [l] { l->abonos(); });
    connect(l, &Tfbuscaplicaciones::refrescar, this, [this] {
        const int fila = resultado().isEmpty() ? 0 : resultado().currentRow();
        if (buscar() && !resultado().isEmpty()) resultado().setCurrentRow(std::min(fila, resultado().recordCount() - 1));
    });
    connect(this, &BusquedaBase::buscado, this, [this](int) { rotular(); });
}

TfbuscaplicacionesVista::~TfbuscaplicacionesVista() = default;

bool TfbuscaplicacionesVista::abrirInicial() { return abrir(logica_->consultaInicial()); }

void TfbuscaplicacionesVista::rotular() {
    DataSet& r = resultado();
    static const std::pair<const char*, const char*> rotulos[] = {
        {"APPR_ANULADO", "Anul"}, {"PREF_PRE", "Prefijo"}, {"APPR_NUMERO", "Número"},
        {"APPR_CONC", "Concepto"}, {"APPR_FECHA", "Fecha"}, {"TERC_NOM", "Acreedor"}};
    for (const auto& [campo, rotulo] : rotulos)
        if (r.fieldIndex(QString::fromLatin1(campo)) >= 0)
            r.field(QString::fromLatin1(campo)).setLabel(QString::fromUtf8(rotulo));
    if (r.fieldIndex(QStringLiteral("APPR_ID")) >= 0) r.field(QStringLiteral("APPR_ID")).setVisible(false);
}

}  // namespace cxp
