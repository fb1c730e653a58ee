#include "documents/payments/TfbuscegresoVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/Rejilla.h"

#include <QDate>
#include <QLineEdit>

namespace cxp {

TfbuscegresoVista::TfbuscegresoVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                     const Configuracion& configuracion, QWidget* padre)
    : BusquedaBase(interaccion, padre),
      logica_(std::make_unique<Tfbuscegreso>(sesion, interaccion, manejador, configuracion, resultado())) {
    setObjectName(QStringLiteral("Tfbuscegreso"));
    setWindowTitle(Tfbuscegreso::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(860, 460);
    setBaseDatos(&sesion.compania);
    setColumnas(Tfbuscegreso::columnas(), 0);
    setModoSinPosicion(ModoBusqueda::DesdeValor);
    Tfbuscegreso* l = logica_.get();
    // The first date depends on whether something is typed.
    setConsultaBase([this, l] { return l->consultaBase(texto()->text()); }, QStringLiteral(" and "));
    setOrden(Tfbuscegreso::orden());
    setManejadorErrores(
        [&manejador](const std::exception& e) { manejador.ManejarError(e, QStringLiteral("QBuscEgresos")); });
    rejilla()->setNombreArchivo(QStringLiteral("egresos"));
    rejilla()->setTitulo(QStringLiteral("Egresos ") + QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    setAlConsultar([l] { l->consultar(); });
    setAlAnular([l] { l->eliminar(); });
    setAlNotas([l] { l->notas(); });
    connect(l, &Tfbuscegreso::refrescar, this, [this] {
        const int fila = resultado().isEmpty() ? 0 : resultado().currentRow();
        if (buscar() && !resultado().isEmpty()) resultado().setCurrentRow(std::min(fila, resultado().recordCount() - 1));
    });
    connect(this, &BusquedaBase::buscado, this, [this](int) { rotular(); });
}

TfbuscegresoVista::~TfbuscegresoVista() = default;

void TfbuscegresoVista::rotular() {
    DataSet& r = resultado();
    static const std::pair<const char*, const char*> rotulos[] = {
        {"EGRE_ANULADO", "Anul"}, {"PREF_PRE", "Prefijo"},      {"EGRE_NUMERO", "Número"}, {"EGRE_FECHA", "Fecha"},
        {"EGRE_CONC", "Concepto"}, {"EGRE_NOMTERC", "Acreedor"}, {"TERC_NIT", "Nit"},       {"EGRE_MONTO", "Monto"}};
    for (const auto& [campo, rotulo] : rotulos)
        if (r.fieldIndex(QString::fromLatin1(campo)) >= 0)
            r.field(QString::fromLatin1(campo)).setLabel(QString::fromUtf8(rotulo));
    for (const char* oculto : {"EGRE_ID", "EGRE_TIPO"})
        if (r.fieldIndex(QString::fromLatin1(oculto)) >= 0) r.field(QString::fromLatin1(oculto)).setVisible(false);
}

}  // namespace cxp
