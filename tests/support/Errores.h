#pragma once
#include "data/fb/DbError.h"

#include <functional>
#include <gtest/gtest.h>

namespace prueba {

// The kind of DbError that f throws; a test failure when it throws none.
inline fb::ErrorKind claseDeError(const std::function<void()>& f) {
    try {
        f();
    } catch (const fb::DbError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "no falló";
    return fb::ErrorKind::Other;
}

}  // namespace prueba
