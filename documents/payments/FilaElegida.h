#pragma once
// A document chosen in a picker, appended as a row of one of the voucher's
// detail sets (documents paid, receivables crossed): the row's own checks
// complete it or refuse it, as when the clerk types it.
#include <QString>
#include <QVariantMap>
#include <functional>

namespace cxp {

class DataSet;

// Columns of the detail set that take the choice.
struct ColumnasDocumento {
    QString nomcorto;
    QString prefijo;
    QString numero;
    QString id;
};

// Appends and posts a row with that type, prefix and number. False, and no
// row left, when a check refused it (a duplicate is cancelled by its own
// handler) or the document was not found.
bool agregarDocumento(DataSet& filas, const ColumnasDocumento& columnas, const QString& nomcorto,
                      const QString& prefijo, const QString& numero);

// A picker's choice: one document ({TIDO_NOMCORTO, PREFIJO, NUMERO}) or
// several under "documentos". Returns how many rows `agregar` took.
int agregarEleccion(const QVariantMap& eleccion,
                    const std::function<bool(const QString&, const QString&, const QString&)>& agregar);

}  // namespace cxp
