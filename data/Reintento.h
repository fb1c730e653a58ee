#pragma once
// A unit of work in a transaction of its own, tried again on an update
// conflict or deadlock: Firebird 3 does not restart a statement, so when
// two clerks write the same row at once the second waits and then fails.
// Every save that can meet another clerk's runs under this rule; nobody
// sees a deadlock for a normal save. Other errors go out at once.
#include "data/fb/Database.h"
#include "data/fb/DbError.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include <type_traits>

namespace cxp {

// `trabajo(fb::Transaction&)` runs and the transaction commits; on a
// conflict both are done again (up to `intentos` times) after a short
// random pause, so that two clerks who collided do not collide in step.
template <class Trabajo>
auto conReintento(fb::Database& db, Trabajo&& trabajo, int intentos = 10) {
    for (int intento = 1;; ++intento) {
        try {
            fb::Transaction tr(db);
            if constexpr (std::is_void_v<decltype(trabajo(tr))>) {
                trabajo(tr);
                tr.commit();
                return;
            } else {
                auto resultado = trabajo(tr);
                tr.commit();
                return resultado;
            }
        } catch (const fb::DbError& e) {
            if (!e.isConflict() || intento >= intentos) throw;
            thread_local std::mt19937 azar{std::random_device{}()};
            std::uniform_int_distribution<int> ms(10, std::min(400, 40 * intento));
            std::this_thread::sleep_for(std::chrono::milliseconds(ms(azar)));
        }
    }
}

}  // namespace cxp
