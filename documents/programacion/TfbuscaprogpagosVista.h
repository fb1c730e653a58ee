#pragma once
// The widgets of "Busca programación de pagos" on the search frame: the
// plans grouped with their amount and rows, "F5:Nuevo" and "F4:Consultar"
// (Enter or a double click too) opening the plan's screen, "F3:Anular"
// (annul, then delete for an administrator), and "F9:Exportar" with the
// dispersal panel ("Fecha dispersión:", "Secuencia:", "Formato:",
// "F5:Continuar" asking for the .txt file, Esc leaving the panel).
#include "documents/programacion/BusquedaProgramacion.h"
#include "ui/BusquedaBase.h"

#include <functional>
#include <memory>

class QComboBox;
class QDateEdit;
class QFrame;
class QLineEdit;

namespace cxp {

class TfbuscaprogpagosVista : public BusquedaBase {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Busca programación de pagos");

    TfbuscaprogpagosVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                          const Configuracion& configuracion, QWidget* padre = nullptr);
    ~TfbuscaprogpagosVista() override;

    BusquedaProgramacion& logica() { return *logica_; }
    // The first listing, by date; false when it failed (the handler told why).
    bool abrirInicial();

    QFrame* panelDispersion() const { return panel_; }
    QDateEdit* fechaDispersion() const { return fecha_; }
    QLineEdit* secuencia() const { return secuencia_; }
    QComboBox* formato() const { return formato_; }
    // Where the file is asked for (the save dialog by default); an empty
    // name cancels.
    void setPedirArchivo(std::function<QString()> pedir) { pedirArchivo_ = std::move(pedir); }

    void nuevo();
    void consultar();
    void anular();
    void abrirPanel();
    void continuar();
    void cerrarPanel();

protected:
    void showEvent(QShowEvent* evento) override;

public slots:
    // The list again, on the plan it was on (a plan saved elsewhere).
    void refrescar();

private:
    void rotular();
    void abrirPlan(int64_t id);

    Interaccion& interaccion_;
    std::unique_ptr<BusquedaProgramacion> logica_;
    QFrame* panel_ = nullptr;
    QDateEdit* fecha_ = nullptr;
    QLineEdit* secuencia_ = nullptr;
    QComboBox* formato_ = nullptr;
    std::function<QString()> pedirArchivo_;
    bool colocada_ = false;
};

}  // namespace cxp
