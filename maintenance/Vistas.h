#pragma once
// The widgets of the maintenance screens: the balance recalculation, the
// withholding change and the user procedures. Thin: they lay out the
// captions, forward the keys (F2, F5, Esc, Enter to the next field) and
// show what the logic says.
#include "maintenance/Tfcambiaretes.h"
#include "maintenance/Tfchequeosaldos.h"
#include "maintenance/Tfprocedimientos.h"

#include <QWidget>
#include <array>
#include <memory>

class QComboBox;
class QDateEdit;
#include <QFrame>
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace cxp {

class Configuracion;
class Rejilla;
class Teclado;

// A panel over the screen with a text while something long runs; shown
// painted at once.
class PanelEspera : public QFrame {
public:
    explicit PanelEspera(QWidget* padre);
    void mostrar(const QString& texto);
    QProgressBar* barra() const { return barra_; }

private:
    QLabel* texto_;
    QProgressBar* barra_;
};

class TfchequeosaldosVista : public QWidget {
    Q_OBJECT
public:
    TfchequeosaldosVista(std::unique_ptr<Tfchequeosaldos> logica, ManejadorErrores& manejador, const Sesion& sesion,
                         QWidget* padre = nullptr);
    ~TfchequeosaldosVista() override;
    Tfchequeosaldos& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QLineEdit* inicial() const { return inicial_; }
    QLineEdit* ultimo() const { return ultimo_; }
    QPushButton* recalcular() const { return recalcular_; }
    PanelEspera* panel() const { return panel_; }
    Rejilla* rejilla() const { return rejilla_; }
    bool enErrores() const;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    std::unique_ptr<Tfchequeosaldos> logica_;
    Teclado* teclado_;
    QStackedWidget* paginas_;
    QLineEdit* inicial_;
    QLineEdit* ultimo_;
    QPushButton* recalcular_;
    PanelEspera* panel_;
    Rejilla* rejilla_;
};

class TfcambiaretesVista : public QWidget {
    Q_OBJECT
public:
    TfcambiaretesVista(std::unique_ptr<Tfcambiaretes> logica, ManejadorErrores& manejador, const Sesion& sesion,
                       QWidget* padre = nullptr);
    ~TfcambiaretesVista() override;
    Tfcambiaretes& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QLineEdit* caja(int par, bool nuevo) const { return cajas_[size_t(par * 2 + (nuevo ? 1 : 0))]; }
    QLabel* progreso() const { return progreso_; }

private:
    std::unique_ptr<Tfcambiaretes> logica_;
    Teclado* teclado_;
    std::array<QLineEdit*, 12> cajas_{};
    QLabel* progreso_;
};

class TfprocedimientosVista : public QWidget {
    Q_OBJECT
public:
    TfprocedimientosVista(std::unique_ptr<Tfprocedimientos> logica, Interaccion& interaccion,
                          ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre = nullptr);
    ~TfprocedimientosVista() override;
    Tfprocedimientos& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QComboBox* lista() const { return lista_; }
    QLineEdit* parametro(int i) const { return parametros_[size_t(i)]; }
    QLabel* titulo(int i) const { return titulos_[size_t(i)]; }
    QDateEdit* desde() const { return desde_; }
    QLabel* aviso() const { return aviso_; }
    Rejilla* rejilla() const { return rejilla_; }
    QTableWidget* pie() const { return pie_; }
    void generar();
    void grabar();

private:
    void mostrarProcedimiento();
    void mostrarResultado();
    void ajustarPie();

    std::unique_ptr<Tfprocedimientos> logica_;
    Teclado* teclado_;
    QComboBox* lista_;
    QDateEdit* desde_;
    QDateEdit* hasta_;
    QLabel* etiquetaDesde_;
    QLabel* etiquetaHasta_;
    QLabel* aviso_;
    QPlainTextEdit* explica_;
    std::array<QLineEdit*, Tfprocedimientos::kParametros> parametros_{};
    std::array<QLabel*, Tfprocedimientos::kParametros> titulos_{};
    Rejilla* rejilla_;
    QTableWidget* pie_;
    PanelEspera* panel_;
};

// Registered as "Tfchequeosaldos", "Tfcambiaretes" and "Tfprocedimientos".
QWidget* crearTfchequeosaldos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                              const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);
QWidget* crearTfcambiaretes(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                            const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);
QWidget* crearTfprocedimientos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, const QVariantMap& args, QWidget* padre = nullptr);

class InteraccionQt;
void registrarPantallasMantenimiento(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                     const Configuracion& configuracion);

}  // namespace cxp
