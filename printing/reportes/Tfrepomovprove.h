#pragma once
// "Movimiento Proveedor": the movement of the creditors of a NIT range and
// a group range between two dates, detailed by document or one line per
// creditor, grouped by city or group, in the chosen currency.
#include "printing/reportes/PantallaInforme.h"

namespace cxp {

class Tfrepomovprove : public PantallaInforme {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Movimiento Proveedor");
    inline static const QString kArchivo = QStringLiteral("RepMovProv");
    inline static const QString kDiseno = QStringLiteral("repomovprove.xml");

    enum class Orden { Nit, Nombre };
    enum class Agrupar { Ninguno, Ciudad, Grupo };

    Tfrepomovprove(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Configuracion& configuracion);
    bool abrir();

    Orden orden = Orden::Nit;
    Agrupar agrupar = Agrupar::Ninguno;
    QString grupoDesde, grupoHasta;
    QString nitDesde, nitHasta;
    QDate desde, hasta;
    bool detalle = true;

protected:
    std::optional<Pedido> pedido() override;
};

}  // namespace cxp
