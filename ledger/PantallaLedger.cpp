#include "ledger/PantallaLedger.h"

#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

PantallaLedger::PantallaLedger(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador),
      configuracion_(configuracion) {}

void PantallaLedger::columnas(DataSet& ds, const QStringList& campos,
                              const QList<std::pair<QString, QString>>& titulos) {
    for (int i = 0; i < ds.fieldCount(); ++i)
        ds.field(i).setVisible(campos.contains(ds.field(i).name(), Qt::CaseInsensitive));
    for (const auto& [campo, titulo] : titulos)
        if (ds.fieldIndex(campo) >= 0) ds.field(campo).setLabel(titulo);
}

bool PantallaLedger::prepararMoneda(const QString& propiedad) {
    monedaVisible_ = monedas::visible(configuracion_, propiedad);
    moneda_ = 0;
    if (!monedaVisible_) return true;
    return proteger([&] { monedas_ = monedas::lista(sesion_.compania); });
}

bool PantallaLedger::proteger(const std::function<void()>& comando) {
    return manejador_.proteger(comando);
}

bool PantallaLedger::cargar(DataSet& ds, const QString& consulta) {
    return proteger([&] { ds.open(sesion_.compania, consulta); });
}

}  // namespace cxp
