#include "documents/charges/BuscaAjusteVista.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/Rejilla.h"

#include <algorithm>

namespace cxp {

BuscaAjusteVista::BuscaAjusteVista(const ClaseBusquedaAjuste& clase, Sesion& sesion, Interaccion& interaccion,
                                   ManejadorErrores& manejador, const Configuracion& configuracion, QWidget* padre)
    : BusquedaBase(interaccion, padre),
      logica_(std::make_unique<BuscaAjuste>(clase, sesion, interaccion, manejador, configuracion, resultado())) {
    setObjectName(clase.pantalla);
    setWindowTitle(clase.titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 460);
    setBaseDatos(&sesion.compania);
    setColumnas(logica_->columnas(), BuscaAjuste::kColumnaInicial);
    setModoSinPosicion(ModoBusqueda::DesdeValor);
    BuscaAjuste* l = logica_.get();
    setConsultaBase([l] { return l->consultaBase(); }, QStringLiteral(" and "));
    const QString proveedor = clase.proveedor;
    setManejadorErrores([&manejador, proveedor](const std::exception& e) { manejador.ManejarError(e, proveedor); });
    rejilla()->setNombreArchivo(clase.archivo);
    rejilla()->setTitulo(clase.titulo);
    setAlConsultar([l] { l->consultar(); });
    setAlAnular([l] { l->eliminar(); });
    setAlNotas([l] { l->notas(); });
    // F8 searches, as "Buscar" does; the payments list has its button.
    agregarBoton(QString(), Qt::Key_F8, [this] { buscar(); });
    agregarBoton(QStringLiteral("F8:Abonos"), QKeyCombination(Qt::ShiftModifier, Qt::Key_F8), [l] { l->abonos(); });
    connect(l, &BuscaAjuste::refrescar, this, [this] {
        const int fila = resultado().isEmpty() ? 0 : resultado().currentRow();
        if (buscar() && !resultado().isEmpty())
            resultado().setCurrentRow(std::min(fila, resultado().recordCount() - 1));
    });
    connect(this, &BusquedaBase::buscado, this, [this](int) { rotular(); });
}

BuscaAjusteVista::~BuscaAjusteVista() = default;

bool BuscaAjusteVista::abrirInicial() { return abrir(logica_->consultaInicial()); }

void BuscaAjusteVista::rotular() {
    DataSet& r = resultado();
    const QString p = logica_->clase().prefijoColumna + u'_';
    const std::pair<QString, const char*> rotulos[] = {
        {QStringLiteral("PREF_PRE"), "Prefijo"}, {p + QStringLiteral("NUMERO"), "Número"},
        {p + QStringLiteral("FECHA"), "Fecha"},  {p + QStringLiteral("NUMPROV"), "No. acreedor"},
        {QStringLiteral("TERC_NOM"), "Acreedor"}, {p + QStringLiteral("CONC"), "Concepto"},
        {p + QStringLiteral("MONTO"), "Monto"},  {p + QStringLiteral("IVAMONTO"), "IVA"},
        {QStringLiteral("TOTAL"), "Total"},      {p + QStringLiteral("ANULADO"), "Anul"}};
    for (const auto& [campo, rotulo] : rotulos)
        if (r.fieldIndex(campo) >= 0) r.field(campo).setLabel(QString::fromUtf8(rotulo));
    if (r.fieldIndex(p + QStringLiteral("ID")) >= 0) r.field(p + QStringLiteral("ID")).setVisible(false);
}

}  // namespace cxp
