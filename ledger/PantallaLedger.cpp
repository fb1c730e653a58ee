#include "ledger/PantallaLedger.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
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

bool PantallaLedger::hayTasa(int moneda, QDate fecha) {
    if (moneda == 0 || moneda == 170) return true;
    return proteger([&] {
        sesion_.compania.executeDirect(QStringLiteral("execute procedure TASA_CXPAGAR(") +
                                       sql::numero(int64_t(moneda)) + u',' + sql::fecha(fecha) + u')');
    });
}

bool PantallaLedger::fechasEnOrden(QDate desde, QDate hasta) {
    if (!desde.isValid() || !hasta.isValid() || desde <= hasta) return true;
    interaccion_.error(consultas::kFechasInvertidas);
    return false;
}

bool PantallaLedger::proteger(const std::function<void()>& comando) {
    return manejador_.proteger(comando);
}

bool PantallaLedger::cargar(DataSet& ds, const QString& consulta) {
    return proteger([&] { ds.open(sesion_.compania, consulta); });
}

}  // namespace cxp
