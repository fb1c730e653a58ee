#pragma once
// The fetch notice: told before any DataSet runs its query and fetches the
// rows, and after (also when the query fails). Set once by the application
// (the status bar); empty functions turn it off.
#include <functional>

namespace cxp {

void setAvisoConsulta(std::function<void()> antes, std::function<void()> despues);

}  // namespace cxp
