#pragma once
// The widgets of "Análisis de Cuentas x pagar": "Corte:", "Rango días:",
// "Agencia:", "Moneda:", "Incluir acreedores en cero", the grid and, beside
// it, the bands' bar chart (of the selected rows when several are
// selected). Keys: F2 calculate, F8 open documents, F9 movement, Esc close;
// coming back to the screen returns the grid to the creditor it was on.
#include "ledger/Tfanalisiscxp.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QSpinBox;

namespace cxp {

class GraficoBandas;
class Rejilla;
class Teclado;

class TfanalisiscxpVista : public QWidget {
    Q_OBJECT
public:
    static const QStringList& columnas();

    TfanalisiscxpVista(std::unique_ptr<Tfanalisiscxp> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr);
    ~TfanalisiscxpVista() override;

    Tfanalisiscxp& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    GraficoBandas* grafico() const { return grafico_; }
    QDateEdit* corte() const { return corte_; }
    QSpinBox* rango() const { return rango_; }
    QComboBox* agencia() const { return agencia_; }
    QCheckBox* ceros() const { return ceros_; }

    void calcular();
    // The chart of every row, or of the rows selected when there are several.
    void actualizarGrafico();

private:
    std::unique_ptr<Tfanalisiscxp> logica_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    GraficoBandas* grafico_;
    QDateEdit* corte_;
    QSpinBox* rango_;
    QComboBox* agencia_;
    QCheckBox* ceros_;
};

// Registered as "Tfanalisiscxp": argument "descuentos_pronto_pago" (bool).
QWidget* crearTfanalisiscxp(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
