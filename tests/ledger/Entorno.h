#pragma once
// A scratch company database for the ledger's screens, and what one running
// program holds: the session with its connection, the scripted Interaccion,
// the error handler and the configuration. The ledger's procedures are
// replaced by stand-ins with the same arguments and columns that return
// fixed rows and echo their arguments (CONCEPTO, TELEFONO, CIUDAD), so the
// tests see exactly what each screen passed.
#include "data/DataSet.h"
#include "tests/support/EntornoCompania.h"

namespace prueba {

class EntornoLedger : public EntornoCompania {
protected:
    void SetUp() override;

    // The values of one field down the rows, as text.
    static QStringList columna(cxp::DataSet& ds, const QString& campo) {
        QStringList r;
        for (int i = 0; i < ds.recordCount(); ++i) r << ds.row(i).asString(campo);
        return r;
    }

    // False: the ledger's own procedures, as the schema has them.
    bool sustitutos_ = true;

    void configurar(const QString& modulo, const QString& categoria, const QString& propiedad, const QString& valor) {
        configuracion.asignar(modulo, categoria, propiedad, valor);
    }
};

}  // namespace prueba
