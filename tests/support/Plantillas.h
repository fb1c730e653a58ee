#pragma once
// Each test program builds the general and company schemas once into
// template files and copies them for every test: fast, independent tests.
#include "db/Esquema.h"

#include <QString>

namespace prueba {

QString plantillaCompania();
QString plantillaGeneral();
// The same with the demo data loaded, and the demo's administrator ADMIN
// granted what an installation grants it.
QString plantillaDemo(cxp::esquema::Base base = cxp::esquema::Base::Compania);

}  // namespace prueba
