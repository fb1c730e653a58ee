#pragma once
// "Abonos al documento": the payments made to one payables document, from
// abonos_documento_cxpagar, by date. F4 consults the paying document.
// Screen logic only; the widgets are TfabonosprvVista.
#include "base/Dinero.h"
#include "ledger/PantallaLedger.h"

namespace cxp {

class Tfabonosprv : public PantallaLedger {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Abonos al documento");

    Tfabonosprv(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                const Configuracion& configuracion, int tipo, int64_t id, QObject* parent = nullptr);

    // Runs the query. False when a database error was reported.
    bool abrir();

    DataSet& abonos() { return abonos_; }
    int tipo() const { return tipo_; }
    int64_t id() const { return id_; }
    QString consulta() const;
    // Sums of ABONO and RETES.
    Dinero totalAbonos() const;
    Dinero totalRetenciones() const;

    // F4: the consult of the paying document (application, payment voucher;
    // a cash receipt belongs to the cash module).
    void consultar();

private:
    int tipo_;
    int64_t id_;
    DataSet abonos_;
};

}  // namespace cxp
