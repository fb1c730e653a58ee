#pragma once
// The widgets of "Análisis de movimiento de cuentas por pagar": "Desde:",
// "Hasta:", "Cargar ejemplo:", the field list and the row, column and data
// areas (fields are dragged between them, or sent with the buttons), the
// pivot grid, and "F2:Calcula", "Grabar Plantilla", "Esc:Salir". A double
// click on a measure switches it between sum and count. The pivot's menu
// copies, prints or saves it (text, comma-separated, web page, rich text or
// spreadsheet).
#include "ledger/Tfanalisismovcxp.h"
#include "ui/ExportarTabla.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QTableView;

namespace cxp {

class Teclado;

class TfanalisismovcxpVista : public QWidget {
    Q_OBJECT
public:
    TfanalisismovcxpVista(std::unique_ptr<Tfanalisismovcxp> logica, Interaccion& interaccion,
                          ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre = nullptr);
    ~TfanalisismovcxpVista() override;

    Tfanalisismovcxp& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QTableView* tabla() const { return tabla_; }
    QComboBox* ejemplos() const { return ejemplos_; }
    QListWidget* campos() const { return campos_; }
    QListWidget* filas() const { return filas_; }
    QListWidget* columnas() const { return columnas_; }
    QListWidget* datos() const { return datos_; }
    QLabel* aviso() const { return aviso_; }

    void calcular();
    // "Grabar Plantilla": the save dialog in the layouts folder.
    void grabarPlantilla();
    // Sends the field chosen in the field list to an area.
    void enviarA(QListWidget* area);
    // Takes the chosen field out of its area.
    void quitar();

    // The pivot as a table to save or print: its row-field columns, then one
    // exact money column per column line and measure (counts as integers).
    static TablaExportar tabla(const ModeloPivote& modelo);
    void copiar();
    void imprimir();
    bool guardar();

private:
    void mostrarDiseno();
    void leerDiseno();
    void mostrarCampos();
    void mostrarPlantillas();

    std::unique_ptr<Tfanalisismovcxp> logica_;
    Interaccion& interaccion_;
    Teclado* teclado_;
    QTableView* tabla_;
    QComboBox* ejemplos_;
    QListWidget* campos_;
    QListWidget* filas_;
    QListWidget* columnas_;
    QListWidget* datos_;
    QCheckBox* subtotales_;
    QLabel* aviso_;
    bool sincronizando_ = false;
};

QWidget* crearTfanalisismovcxp(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

}  // namespace cxp
