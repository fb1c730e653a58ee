#pragma once
// The widgets of "Programación de Cuentas x pagar": the plan's prefix,
// number, cut-off ("Corte:"), agency ("Todas" or one), concept, voucher
// prefix and date, "Generar Egresos al grabar"; the open documents with
// "Total pagos:" and "Solo documentos a pagar"; the money available with
// "Total disponible:" and "Diferencia:". Keys: F2 saves, F8 opens the
// payment panel on the selected documents ("Pagar de:" "Caja"/"Banco", the
// box or account, the bank document kind and its prefix, "Valor a pagar:"
// for one document; its own F8 applies it, Esc leaves it), F9 shows the
// current creditor's movements, Esc leaves.
#include "documents/programacion/ProgramacionPagos.h"

#include <QHash>
#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace cxp {

class Enlaces;
class Rejilla;

// A screen's size bounded by the main window's area it shows in.
QSize tamanoEnArea(QWidget* vista, QSize tamano);
class Teclado;

class TfprogcxpVista : public QWidget {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Programación de Cuentas x pagar");

    TfprogcxpVista(std::unique_ptr<ProgramacionPagos> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Sesion& sesion, QWidget* padre = nullptr);
    ~TfprogcxpVista() override;

    ProgramacionPagos& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* documentos() const { return documentos_; }
    Rejilla* dinero() const { return dinero_; }
    QLabel* etiqueta(const QString& nombre) const;
    QFrame* panelPago() const { return panel_; }
    QComboBox* origen() const { return origen_; }
    QComboBox* caja() const { return caja_; }
    QComboBox* clase() const { return clase_; }
    QComboBox* prefijoBanco() const { return prefijoBanco_; }
    QLineEdit* valor() const { return valor_; }
    QCheckBox* egreso() const { return egreso_; }
    QCheckBox* soloAPagar() const { return soloAPagar_; }
    QComboBox* agencia() const { return agencia_; }

    bool confirmar();
    void grabar();
    // F8 on the list: the panel on the selected documents.
    void abrirPanel();
    // F8 of the panel: the payment on those documents, the panel closed.
    void pagar();
    void cerrarPanel();
    void movimientos();
    void escape();

protected:
    void showEvent(QShowEvent* evento) override;

signals:
    // The plan was saved (the search lists it again).
    void grabado();

private:
    void rotular();
    void refrescar();
    void llenarCajas();
    void llenarClases();
    void llenarPrefijos();

    std::unique_ptr<ProgramacionPagos> logica_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_ = nullptr;
    Teclado* teclado_ = nullptr;
    Rejilla* documentos_ = nullptr;
    Rejilla* dinero_ = nullptr;
    QLineEdit* numero_ = nullptr;
    QComboBox* agencia_ = nullptr;
    QCheckBox* soloAPagar_ = nullptr;
    QFrame* panel_ = nullptr;
    QComboBox* origen_ = nullptr;
    QLabel* tituloCaja_ = nullptr;
    QComboBox* caja_ = nullptr;
    QLabel* tituloClase_ = nullptr;
    QComboBox* clase_ = nullptr;
    QLabel* tituloPrefijo_ = nullptr;
    QComboBox* prefijoBanco_ = nullptr;
    QLabel* tituloValor_ = nullptr;
    QLineEdit* valor_ = nullptr;
    QCheckBox* egreso_ = nullptr;
    // The documents the panel is open on, by type and id: the list may be
    // sorted or composed again meanwhile.
    QList<std::pair<int, int64_t>> elegidas_;
    bool colocada_ = false;
};

}  // namespace cxp
