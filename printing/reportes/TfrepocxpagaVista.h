#pragma once
// The widgets of "Reporte Cuentas Por Pagar": "Ordenamiento",
// "Agrupamiento", the creditor and group ranges, "Corte:", "Moneda:",
// "Detalle de comprobantes", "Incluir acreedores sin saldo", "Rangos de
// vencimiento", "Agencia:" and "Título:".
#include "printing/reportes/Tfrepocxpaga.h"
#include "printing/reportes/VistaInforme.h"

#include <memory>

class QSpinBox;

namespace cxp {

class TfrepocxpagaVista : public VistaInforme {
    Q_OBJECT
public:
    TfrepocxpagaVista(std::unique_ptr<Tfrepocxpaga> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                      const Sesion& sesion, QWidget* padre = nullptr);
    ~TfrepocxpagaVista() override;

    Tfrepocxpaga& logica() { return *logica_; }

protected:
    void leerCampos() override;

private:
    std::unique_ptr<Tfrepocxpaga> logica_;
    QDateEdit* corte_;
    QCheckBox* detalle_;
    QCheckBox* sinSaldo_;
    QCheckBox* vencimientos_;
    QDateEdit* venceDesde_;
    QDateEdit* venceHasta_;
    QSpinBox* agencia_;
    QLineEdit* titulo_;
};

QWidget* crearTfrepocxpaga(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
