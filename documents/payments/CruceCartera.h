#pragma once
// The receivables of the same third party crossed against a payment
// (EGRESOS_CRUCEC, panel "Pago de Cliente"): rows by receivables type short
// name, prefix and number, completed from the receivables module and kept
// within each receivable's balance; closing the panel hands the total to
// the documents paid, which set the voucher's amount.
#include "base/Dinero.h"
#include "data/DataSet.h"

#include <QString>
#include <QVariantMap>

namespace fb {
class Database;
}

namespace cxp {

class Cartera;
class Configuracion;
class DocumentosPagados;
class Interaccion;

class CruceCartera {
public:
    static inline const QString kNoEncontrado = QStringLiteral("No se encontró el documento indicado.");
    static inline const QString kDuplicado = QStringLiteral("El documento a pagar ya existe en este cruce.");

    // The header (EGRESOS) and its crossings (EGRESOS_CRUCEC, opened with
    // consulta() so that it carries TIDO_NOMCORTO).
    CruceCartera(DataSet& egreso, DataSet& cruces, fb::Database& compania, Cartera& cartera,
                 DocumentosPagados& documentos, const Configuracion& configuracion, Interaccion& interaccion);
    CruceCartera(const CruceCartera&) = delete;
    CruceCartera& operator=(const CruceCartera&) = delete;

    static QString consulta(int64_t egreId);

    void reiniciar();
    void cargado();

    // The crossings' abono total (0 without rows).
    Dinero total() const;

    // "F2:Continuar": posts or cancels the edited row, hands the total to
    // the documents paid and sets EGRE_MONTO by the amount rule. Returns
    // the total.
    Dinero cerrarPanel();

    // A picker's choice, of the same shape as the documents paid take.
    int agregarEleccion(const QVariantMap& eleccion);
    bool agregar(const QString& nomcorto, const QString& prefijo, const QString& numero);

private:
    void nuevaFila(DataSet& c);
    void tipoIngresado(DataSet& c);
    void documentoIngresado(DataSet& c);
    void montoCambiado(DataSet& c);
    void limpiarDocumento(DataSet& c);
    bool duplicado(const DataSet& c) const;

    DataSet& egreso_;
    DataSet& cruces_;
    fb::Database& compania_;
    Cartera& cartera_;
    DocumentosPagados& documentos_;
    const Configuracion& configuracion_;
    Interaccion& interaccion_;
    int ultimoItem_ = 0;
    bool ajustando_ = false;
};

}  // namespace cxp
