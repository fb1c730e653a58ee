#pragma once
// "Reporte Cuentas Por Pagar": what is owed at a cut-off date, by open
// document ("Detalle de comprobantes", optionally only those due within
// "Rangos de vencimiento") or one line per creditor (leaving out those
// without balance unless "Incluir acreedores sin saldo"), by NIT or name,
// optionally grouped by creditor group, of one agency or all, in the
// chosen currency.
#include "printing/reportes/PantallaInforme.h"

namespace cxp {

class Tfrepocxpaga : public PantallaInforme {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Reporte Cuentas Por Pagar");
    inline static const QString kArchivo = QStringLiteral("RepCxp");
    inline static const QString kDiseno = QStringLiteral("repcxpcondet.xml");

    enum class Orden { Nit, Nombre };

    Tfrepocxpaga(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                 const Configuracion& configuracion);
    bool abrir();

    Orden orden = Orden::Nit;
    bool porGrupo = false;
    QString nitDesde, nitHasta, grupoDesde, grupoHasta;
    QDate corte;
    bool detalle = false;
    bool sinSaldo = false;           // "Incluir acreedores sin saldo"
    QDate venceDesde, venceHasta;    // "Rangos de vencimiento"; invalid: open
    int agencia = 0;                 // "Agencia:"; 0 every agency

protected:
    std::optional<Pedido> pedido() override;
};

}  // namespace cxp
