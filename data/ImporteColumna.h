#pragma once
// Money written to a DataSet column at the column's own scale. The amount
// chains work with four decimals (a 2.5 % discount on 1,000,001 is
// 25,000.025); a numeric(15,2) column keeps two, rounded by rule R (ties to
// even), so that a computed value never makes the DataSet refuse it.
#include "base/Redondeo.h"
#include "data/DataSet.h"

namespace cxp {

// The value as the column will hold it.
inline Dinero aEscalaDeColumna(const DataSet& ds, const QString& campo, Dinero valor) {
    const Field& f = ds.field(campo);
    int escala = 4;
    if (f.type() == FieldType::Decimal) escala = f.scale();
    else if (f.type() == FieldType::Integer) escala = 0;
    return escala < 4 ? redondearR(valor, -escala) : valor;
}

// Writes it; false when the column already held that value.
inline bool ponImporte(DataSet& ds, const QString& campo, Dinero valor) {
    const Dinero v = aEscalaDeColumna(ds, campo, valor);
    if (ds.asDinero(campo) == v) return false;
    ds.setValue(campo, v);
    return true;
}

}  // namespace cxp
