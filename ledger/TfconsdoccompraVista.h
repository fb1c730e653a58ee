#pragma once
// The widgets of the purchasing document consult: the header's fields,
// read-only, in a form. Esc closes.
#include "ledger/Tfconsdoccompra.h"

#include <QWidget>
#include <memory>

namespace cxp {

class Teclado;

class TfconsdoccompraVista : public QWidget {
    Q_OBJECT
public:
    TfconsdoccompraVista(std::unique_ptr<Tfconsdoccompra> logica, ManejadorErrores& manejador, const Sesion& sesion,
                         QWidget* padre = nullptr);
    ~TfconsdoccompraVista() override;

    Tfconsdoccompra& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }

private:
    std::unique_ptr<Tfconsdoccompra> logica_;
    Teclado* teclado_;
};

// Registered as "Tfconsfacturacompra" (tipo 21) and "Tfconsdevolucioncompra"
// (24): argument "id".
QWidget* crearTfconsdoccompra(int tipo, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                              const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
