#pragma once
// The widgets of "Movimiento Proveedor": "Ordenamiento", "Agrupar por",
// the group and creditor ranges (a double click on a creditor field opens
// the creditor search), the dates, "Detalle de comprobantes", "Moneda:",
// "Título:", the rows of the last run, and F2:Imprimir, F4:Exportar,
// Esc:Salir. While the report is made the panel "Generando informe.
// espere un momento..." covers the screen.
#include "printing/reportes/Tfrepomovprove.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace cxp {

class Rejilla;
class Teclado;

class TfrepomovproveVista : public QWidget {
    Q_OBJECT
public:
    TfrepomovproveVista(std::unique_ptr<Tfrepomovprove> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                        const Sesion& sesion, QWidget* padre = nullptr);
    ~TfrepomovproveVista() override;

    Tfrepomovprove& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QLabel* espera() const { return espera_; }

    // F2 with what the fields show.
    void imprimir();
    // F4: every row of the last run through the save dialog.
    void exportar();
    // Where F2 sends the report; by default the output dialog.
    void setEnviar(std::function<void(const reportes::Paginado&, const QString&, const QString&)> enviar);

private:
    void leerCampos();

    std::unique_ptr<Tfrepomovprove> logica_;
    Interaccion& interaccion_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    QLabel* espera_;
    QRadioButton* porNit_;
    QRadioButton* porNombre_;
    QRadioButton* sinGrupo_;
    QRadioButton* porCiudad_;
    QRadioButton* porGrupo_;
    QLineEdit* grupoDesde_;
    QLineEdit* grupoHasta_;
    QLineEdit* nitDesde_;
    QLineEdit* nitHasta_;
    QDateEdit* desde_;
    QDateEdit* hasta_;
    QCheckBox* detalle_;
    QLineEdit* titulo_;
};

QWidget* crearTfrepomovprove(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
