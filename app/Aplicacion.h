#pragma once
// The application object: an exception that no screen handled reaches the
// central handler (ENoManejada) instead of ending the program.
#include <QApplication>

namespace cxp {

class ManejadorErrores;

class Aplicacion : public QApplication {
    Q_OBJECT
public:
    Aplicacion(int& argc, char** argv);
    void setManejador(ManejadorErrores* manejador) { manejador_ = manejador; }
    bool notify(QObject* receptor, QEvent* evento) override;

private:
    ManejadorErrores* manejador_ = nullptr;
};

}  // namespace cxp
