#pragma once
// The read-only consult of a saved charge or discount, opened by its id from the number
// entry, the searches and the ledger's drill-downs: the charge with the
// entry screen's layout, its "Registro:" line, the annulled mark with its
// reason, the purchase invoice and the document crossed, the totals as
// the consult computes them (CREE is not subtracted from the company's
// self-withholding date on), F2 print, F5 the VAT bases, F11 the ledger
// voucher.
#include "documents/charges/DocumentoAjuste.h"

namespace cxp {

class ConsultaAjuste : public DocumentoAjuste {
    Q_OBJECT
public:
    static inline const QString kNoEncontrado = QStringLiteral("No se encontró el cargo solicitado.");

    // Posts the charge (no ledger voucher yet) or opens its ledger voucher:
    // the caller's protocol from a consult screen.
    using ContabilidadConsulta = std::function<void(int64_t id, const QString& prefijo, const QDate& fecha)>;

    ConsultaAjuste(const ClaseAjuste& clase, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Configuracion& configuracion, ServiciosCargo servicios, ContabilidadConsulta contabilidad,
                   QObject* parent = nullptr);

    // The charge of `id`; false (after the message) when there is none.
    bool abrir(int64_t id);

    int64_t id() const { return id_; }
    const QString& registro() const { return registro_; }
    bool anulado() const { return anulado_; }
    const QString& razon() const { return razon_; }
    const QString& aplicado() const { return aplicado_; }
    Dinero neto() const override;

    void imprimir();     // F2
    void contabilidad(); // F11
    void notas();        // F12: the document's notes
    // The copies in the sister companies of its prefix, made now where
    // they are missing; the pending rows of those made are cleared.
    void replicar();

private:
    ContabilidadConsulta contabilidad_;
    int64_t id_ = 0;
    QString registro_, razon_, aplicado_;
    bool anulado_ = false;
    QDate fechaCree_;
};

}  // namespace cxp
