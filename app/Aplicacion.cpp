#include "app/Aplicacion.h"

#include "data/ManejadorErrores.h"

#include <cstdio>
#include <stdexcept>

namespace cxp {

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationDisplayName(QStringLiteral("C x Pagar - Quelmar 2021"));
}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const std::exception& e) {
        if (manejador_)
            manejador_->ENoManejada(e);
        else
            std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        if (manejador_) manejador_->ENoManejada(std::runtime_error("Error desconocido"));
    }
    return false;
}

}  // namespace cxp
