#pragma once
// The annulment reason: "Indique la razon por la cual está anulando este
// documento :", a text, "F5:Continua" to go on and "Esc:Cancelar" to leave.
// It is modal, so the screen that asked cannot be closed under it.
#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace cxp {

class PanelRazon : public QDialog {
    Q_OBJECT
public:
    explicit PanelRazon(QWidget* parent = nullptr);

    static QString titulo() { return QStringLiteral("Indique la razon por la cual está anulando este documento :"); }

    // The text as typed, spaces at both ends removed.
    QString razon() const;
    QLineEdit* texto() const { return texto_; }
    QPushButton* botonContinuar() const { return continuar_; }
    QPushButton* botonCancelar() const { return cancelar_; }

    // The reason when the person goes on (possibly empty: the caller says
    // "Debera ingresar una razon…"), nothing when they cancel.
    static std::optional<QString> pedir(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* texto_;
    QPushButton* continuar_;
    QPushButton* cancelar_;
};

}  // namespace cxp
