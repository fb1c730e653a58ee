#pragma once
// Each test program builds the general and company schemas once into
// template files and copies them for every test: fast, independent tests.
#include <QString>

namespace prueba {

QString plantillaCompania();
QString plantillaGeneral();

}  // namespace prueba
