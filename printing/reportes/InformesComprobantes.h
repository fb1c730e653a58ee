#pragma once
// The document listings: by consecutive number and by date, of the kinds
// ticked (charges, discounts, applications, advances), with or without
// their crossings, annulled ones when asked, of one agency or all.
#include "printing/reportes/PantallaInforme.h"

namespace cxp {

class InformeComprobantes : public PantallaInforme {
    Q_OBJECT
public:
    using PantallaInforme::PantallaInforme;
    bool abrir();

    bool cargos = true, descuentos = true, aplicaciones = true, anticipos = true;
    bool detalle = false;
    bool anulados = false;
    QString prefijoDesde, prefijoHasta;
    int agencia = 0;
    // The kinds as the procedure takes them: 1 charges, 2 discounts,
    // 4 applications, 8 advances; none ticked is every kind.
    int tipos() const;
};

class Tfrepoconsecutivo : public InformeComprobantes {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Comprobantes Consecutivo");
    inline static const QString kArchivo = QStringLiteral("RepoConsecut");
    inline static const QString kDiseno = QStringLiteral("repocomprobantes.xml");

    Tfrepoconsecutivo(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                      const Configuracion& configuracion);
    QString numeroDesde, numeroHasta;

protected:
    std::optional<Pedido> pedido() override;
};

class Tfrepocrono : public InformeComprobantes {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Comprobantes Cronologicos");
    inline static const QString kArchivo = QStringLiteral("RepoCrono");
    inline static const QString kDiseno = QStringLiteral("repocomprobantes.xml");

    Tfrepocrono(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                const Configuracion& configuracion);
    bool abrir();
    QDate desde, hasta;

protected:
    std::optional<Pedido> pedido() override;
};

}  // namespace cxp
