#pragma once
// The general and company schemas are built once into template files that
// every test copies: fast, independent tests. The templates are shared by
// the test programs of one build tree (under CXP_PLANTILLAS, by default the
// build's plantillas/ folder) and rebuilt when the scripts change.
#include "db/Esquema.h"

#include <QString>

namespace prueba {

QString plantillaCompania();
QString plantillaGeneral();
// The same with the demo data loaded, and the demo's administrator ADMIN
// granted what an installation grants it.
QString plantillaDemo(cxp::esquema::Base base = cxp::esquema::Base::Compania);

}  // namespace prueba
