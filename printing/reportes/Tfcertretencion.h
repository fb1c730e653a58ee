#pragma once
// "Certificados de retención": for a period and a range of creditors, one
// certificate per creditor of the rete-fuente (by rate), rete-IVA and
// rete-ICA practised on it, with their bases, the company's data and the
// place and date of issue; printed one a page, or one PDF per creditor in
// a folder, each named by the creditor's NIT.
#include "printing/reportes/PantallaInforme.h"

namespace cxp {

class Tfcertretencion : public PantallaInforme {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Certificados de retención");
    inline static const QString kArchivo = QStringLiteral("CertRetencion");
    inline static const QString kDiseno = QStringLiteral("certretencion.xml");

    Tfcertretencion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion);
    // The last year whole; issued today.
    bool abrir();

    QDate desde, hasta;
    QString nitDesde, nitHasta;
    QString lugar;  // "Lugar de expedición:"
    QDate expedicion;

    // One PDF per creditor in `carpeta`, "<NIT>.pdf"; the number written,
    // -1 when nothing was (told why).
    int pdfPorAcreedor(const QString& carpeta);

protected:
    std::optional<Pedido> pedido() override;

private:
    QString consulta(const QString& nitDesde, const QString& nitHasta) const;
};

}  // namespace cxp
