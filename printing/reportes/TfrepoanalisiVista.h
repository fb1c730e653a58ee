#pragma once
// The widgets of "Análisis Cuentas por Pagar": "Ordenamiento",
// "Agrupamiento", the creditor and group ranges, "Corte:", "Rango días:",
// "Moneda:", "Detalle de comprobantes", "Sólo documentos vencidos",
// "Incluir acreedores sin cartera", "Saldo en moneda extranjera",
// "Agencia:" and "Título:".
#include "printing/reportes/Tfrepoanalisi.h"
#include "printing/reportes/VistaInforme.h"

#include <memory>

class QSpinBox;

namespace cxp {

class TfrepoanalisiVista : public VistaInforme {
    Q_OBJECT
public:
    TfrepoanalisiVista(std::unique_ptr<Tfrepoanalisi> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~TfrepoanalisiVista() override;

    Tfrepoanalisi& logica() { return *logica_; }

protected:
    void leerCampos() override;

private:
    std::unique_ptr<Tfrepoanalisi> logica_;
    QRadioButton* porNombre_;
    QRadioButton* porGrupo_;
    QLineEdit* nitDesde_;
    QLineEdit* nitHasta_;
    QLineEdit* grupoDesde_;
    QLineEdit* grupoHasta_;
    QDateEdit* corte_;
    QSpinBox* dias_;
    QCheckBox* detalle_;
    QCheckBox* vencidos_;
    QCheckBox* sinCartera_;
    QCheckBox* extranjera_;
    QSpinBox* agencia_;
    QLineEdit* titulo_;
};

QWidget* crearTfrepoanalisi(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
