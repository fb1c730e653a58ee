#pragma once
// A database value read as money: integers and exact decimals only, null
// as zero. Anything else (a double, a text) throws std::invalid_argument,
// so that no money ever passes through floating point.
#include "base/Dinero.h"
#include "data/fb/Value.h"

#include <stdexcept>

namespace cxp {

inline Dinero dineroDe(const fb::Value& v) {
    if (v.isNull()) return {};
    if (const int64_t* n = std::get_if<int64_t>(&v.storage())) return Dinero::desdeEntero(*n);
    if (const fb::Decimal* d = std::get_if<fb::Decimal>(&v.storage())) return Dinero::desdeEscalado(d->unscaled, d->scale);
    throw std::invalid_argument("El valor " + v.toString().toStdString() + " no es un importe exacto.");
}

}  // namespace cxp
