#pragma once
// The widgets of "Movimiento Proveedor": "Ordenamiento", "Agrupar por",
// the group and creditor ranges, the dates, "Detalle de comprobantes",
// "Moneda:" and "Título:".
#include "printing/reportes/Tfrepomovprove.h"
#include "printing/reportes/VistaInforme.h"

#include <memory>

namespace cxp {

class TfrepomovproveVista : public VistaInforme {
    Q_OBJECT
public:
    TfrepomovproveVista(std::unique_ptr<Tfrepomovprove> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                        const Sesion& sesion, QWidget* padre = nullptr);
    ~TfrepomovproveVista() override;

    Tfrepomovprove& logica() { return *logica_; }

protected:
    void leerCampos() override;

private:
    std::unique_ptr<Tfrepomovprove> logica_;
    QDateEdit* desde_;
    QDateEdit* hasta_;
    QCheckBox* detalle_;
    QLineEdit* titulo_;
};

QWidget* crearTfrepomovprove(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
