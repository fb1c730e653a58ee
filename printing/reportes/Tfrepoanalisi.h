#pragma once
// "Análisis Cuentas por Pagar": the balances at a cut-off date aged in four
// bands of "Rango días:" days, by document or by creditor, only overdue
// documents, creditors without balance, or only the documents in a foreign
// currency with their balance in it.
#include "printing/reportes/PantallaInforme.h"

namespace cxp {

class Tfrepoanalisi : public PantallaInforme {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Análisis Cuentas por Pagar");
    inline static const QString kArchivo = QStringLiteral("RepoAnalisis");
    inline static const QString kDiseno = QStringLiteral("repoanalisis.xml");

    enum class Orden { Nit, Nombre };

    Tfrepoanalisi(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion);
    bool abrir();

    // The four band titles for bands of `dias` days:
    // "0 - 30 dias", "31-60 dias", "61-90 dias", "91 y más dias".
    static QStringList titulosRangos(int dias);

    Orden orden = Orden::Nit;
    bool porGrupo = false;
    QString nitDesde, nitHasta, grupoDesde, grupoHasta;
    QDate corte;
    int dias = 30;                  // "Rango días:"
    bool detalle = false;
    bool soloVencidos = false;      // "Sólo documentos vencidos"
    bool sinCartera = false;        // "Incluir acreedores sin cartera"
    bool monedaExtranjera = false;  // "Saldo en moneda extranjera"
    int agencia = 0;

protected:
    std::optional<Pedido> pedido() override;
};

}  // namespace cxp
