#pragma once
// What every report screen's widgets share: the options area above, the
// rows of the last run (for F4), the panel with F2:Imprimir, F4:Exportar
// and Esc:Salir, the keys, and the waiting panel "Generando informe.
// espere un momento..." over the screen while the report is made, with
// its progress and "Cancelar" (Esc too). A run that ends within half a
// second shows no panel. A screen adds its option widgets and copies them
// into its logic in leerCampos.
#include "printing/reportes/PantallaInforme.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QVBoxLayout;

namespace cxp {

class Rejilla;
class Teclado;

class VistaInforme : public QWidget {
    Q_OBJECT
public:
    using Enviar = std::function<void(const reportes::Paginado&, const QString&, const QString&)>;

    VistaInforme(PantallaInforme& logica, const QString& nombre, const QString& titulo, Interaccion& interaccion,
                 ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre);

    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QFrame* espera() const { return espera_; }
    QLabel* avance() const { return avance_; }
    // Below the options: "Informe cancelado." after a cancel.
    QLabel* estado() const { return estado_; }
    // The delay before the waiting panel shows.
    static constexpr int kRetrasoEsperaMs = 500;

    // F2 with what the fields show.
    void imprimir();
    // F4: every row of the last run through the save dialog.
    void exportar();
    // Where F2 sends the report; by default (empty) the output dialog.
    void setEnviar(Enviar enviar);

protected:
    // While a report runs the screen stays open: closing cancels the run.
    void closeEvent(QCloseEvent* evento) override;
    virtual void leerCampos() = 0;
    // Lays the options out: a row of option groups, then the fields.
    QVBoxLayout* opciones() const { return opciones_; }
    // Option groups ("Ordenamiento") of radio buttons, the first checked.
    QGroupBox* grupoOpciones(const QString& titulo, const std::vector<QRadioButton*>& botones);
    // A labelled "desde"/"hasta" pair in the grid of fields.
    void rango(const QString& etiqueta, QWidget* desde, QWidget* hasta);
    void fila(const QString& etiqueta, QWidget* campo, QWidget* otro = nullptr);
    QLineEdit* campo(const QString& nombre, int largo);
    QDateEdit* fecha(const QString& nombre, QDate valor);
    // A creditor field: a double click opens the creditor search.
    QLineEdit* campoAcreedor(const QString& nombre);
    // The creditor panel of the reports by creditor: "Ordenamiento" (Nit,
    // Nombre) beside the grouping (`agrupaciones`, the first checked), then
    // the group and creditor ranges ("grupoDesde", "nitDesde", ...).
    void panelAcreedores(const QString& tituloAgrupar, const QStringList& agrupaciones);
    bool porNombre() const;
    int agrupacion() const;  // the position of the grouping checked
    QString grupoDesde() const;
    QString grupoHasta() const;
    QString nitDesde() const;
    QString nitHasta() const;

    Interaccion& interaccion_;

private:
    PantallaInforme& logica_;
    Teclado* teclado_;
    Rejilla* rejilla_;
    void mostrarEspera(bool si);
    void ponerEspera();

    QFrame* espera_;
    QLabel* avance_;
    QPushButton* cancelar_;
    QTimer* retrasoEspera_;
    QLabel* estado_;
    QVBoxLayout* opciones_;
    QGridLayout* campos_;
    QRadioButton* porNombre_ = nullptr;
    QButtonGroup* agrupar_ = nullptr;
    QLineEdit* grupoDesde_ = nullptr;
    QLineEdit* grupoHasta_ = nullptr;
    QLineEdit* nitDesde_ = nullptr;
    QLineEdit* nitHasta_ = nullptr;
};

}  // namespace cxp
