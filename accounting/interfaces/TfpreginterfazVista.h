#pragma once
// "Interfaz contable": the chooser of the definition to apply when a
// document type and prefix have several. One column "Interfaz a aplicar";
// F2, Enter, "F2:Grabar" or a double click accept the row under the
// cursor, Esc or "Esc:Cancelar" leave without one.
#include <QDialog>
#include <QVariantMap>
#include <optional>

class QPushButton;
class QTableWidget;

namespace cxp {

class TfpreginterfazVista : public QDialog {
    Q_OBJECT
public:
    // The arguments of Interfaces::kSelector: "ids" and "nombres".
    explicit TfpreginterfazVista(const QVariantMap& argumentos, QWidget* padre = nullptr);

    QTableWidget* tabla() const { return tabla_; }
    QPushButton* botonGrabar() const { return grabar_; }
    QPushButton* botonCancelar() const { return cancelar_; }
    // The choice {"id": int} once accepted; nothing otherwise.
    std::optional<QVariantMap> eleccion() const;

    // Shows it modal and returns the choice.
    static std::optional<QVariantMap> elegir(const QVariantMap& argumentos, QWidget* padre);

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    QTableWidget* tabla_;
    QPushButton* grabar_;
    QPushButton* cancelar_;
    QVariantList ids_;
};

}  // namespace cxp
