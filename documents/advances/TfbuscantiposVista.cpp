#include "documents/advances/TfbuscantiposVista.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "ui/Rejilla.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace cxp {

TfbuscantiposVista::TfbuscantiposVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                       QWidget* padre)
    : BusquedaBase(interaccion, padre),
      logica_(std::make_unique<Tfbuscantipos>(sesion, interaccion, manejador, resultado())) {
    setObjectName(QStringLiteral("Tfbuscantipos"));
    setWindowTitle(Tfbuscantipos::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(820, 460);
    setBaseDatos(&sesion.compania);
    setColumnas(Tfbuscantipos::columnas(), Tfbuscantipos::kColumnaInicial);
    setModoSinPosicion(ModoBusqueda::DesdeValor);
    Tfbuscantipos* l = logica_.get();
    setConsultaBase([l] { return l->consultaBase(); }, QStringLiteral(" where "));
    setManejadorErrores([&manejador](const std::exception& e) { manejador.ManejarError(e, QStringLiteral("QBuscAnticipos")); });
    rejilla()->setNombreArchivo(QStringLiteral("BuscAnticipo"));
    rejilla()->setTitulo(Tfbuscantipos::kTitulo);

    auto* nota = new QLabel(Tfbuscantipos::kNota, this);
    nota->setObjectName(QStringLiteral("nota"));
    nota->setStyleSheet(QStringLiteral("QLabel { color: #800000; }"));
    nota->setWordWrap(true);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, nota);

    setAlConsultar([l] { l->consultar(); });
    agregarBoton(QStringLiteral("F8: Abonos"), Qt::Key_F8, [l] { l->abonos(); });
    setAlAnular([l] { l->anular(); });
    setAlNotas([this, &interaccion] {
        if (!resultado().isEmpty())
            interaccion.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                                      {{QStringLiteral("tipo"), 55},
                                       {QStringLiteral("id"), qlonglong(resultado().asInt(QStringLiteral("ANPR_ID")))}});
    });
    connect(l, &Tfbuscantipos::refrescar, this, [this] {
        const int fila = resultado().isEmpty() ? 0 : resultado().currentRow();
        if (buscar() && !resultado().isEmpty()) resultado().setCurrentRow(std::min(fila, resultado().recordCount() - 1));
    });
    connect(this, &BusquedaBase::buscado, this, [this](int) { rotular(); });
}

TfbuscantiposVista::~TfbuscantiposVista() = default;

bool TfbuscantiposVista::abrirInicial() { return abrir(logica_->consultaInicial()); }

void TfbuscantiposVista::rotular() {
    DataSet& r = resultado();
    static const std::pair<const char*, const char*> rotulos[] = {
        {"PREF_PRE", "Prefijo"}, {"ANPR_NUMERO", "Número"}, {"ANPR_FECHA", "Fecha"},     {"ANPR_CONC", "Concepto"},
        {"ANPR_BASE", "Base"},   {"ANPR_ANULADO", "Anul"},  {"TERC_NOM", "Acreedor"}, {"TERC_NIT", "Nit"},
        {"PREFEGRE", "Pref.egreso"}, {"EGRE_NUMERO", "Nro.egreso"}};
    for (const auto& [campo, rotulo] : rotulos)
        if (r.fieldIndex(QString::fromLatin1(campo)) >= 0) r.field(QString::fromLatin1(campo)).setLabel(QString::fromUtf8(rotulo));
    if (r.fieldIndex(QStringLiteral("ANPR_ID")) >= 0) r.field(QStringLiteral("ANPR_ID")).setVisible(false);
}

}  // namespace cxp
