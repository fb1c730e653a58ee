#pragma once
// The read-only consult of a document of the purchasing module that the
// payables ledger lists: a purchase invoice (type 21, FACTURAS_COMPRA,
// "Tfconsfacturacompra") or a purchase return (type 24,
// DEVOLUCIONES_COMPRAS, "Tfconsdevolucioncompra"). It shows the header's
// columns as the purchasing module stores them, with the creditor's name.
// Screen logic only; the widgets are TfconsdoccompraVista.
#include "ledger/PantallaLedger.h"

namespace cxp {

class Tfconsdoccompra : public PantallaLedger {
    Q_OBJECT
public:
    static inline const QString kNoEncontrado = QStringLiteral("No se encuentra el documento solicitado.");

    // Tipo 21 or 24.
    Tfconsdoccompra(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, int tipo, int64_t id, QObject* parent = nullptr);

    // Reads the document. False (after telling kNoEncontrado or the
    // database error) when there is nothing to show.
    bool abrir();

    int tipo() const { return tipo_; }
    int64_t id() const { return id_; }
    QString titulo() const;
    QString tabla() const;
    QString consulta() const;
    QString consultaLineas() const;
    DataSet& documento() { return documento_; }
    DataSet& lineas() { return lineas_; }

    // The shown pairs of caption and value, in the table's column order.
    QList<std::pair<QString, QString>> campos() const;

private:
    int tipo_;
    int64_t id_;
    DataSet documento_;
    DataSet lineas_;
};

}  // namespace cxp
