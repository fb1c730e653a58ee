#pragma once
// The widgets of "Anticipos a Proveedor": prefix, number, date, creditor,
// concept, the amount with VAT, the three withholdings, the prompt-payment
// discount and the self-withholding, "Total:" and "Neto:", remarks. Keys:
// F2 saves, Esc leaves, Enter moves to the next field. On a saved advance
// (Tfconsanticipocxp) everything is read-only, with the annulled mark and
// its reason and "Registro:"; F2 prints.
#include "documents/advances/Tfanticiposprov.h"

#include <QHash>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;

namespace cxp {

class Enlaces;
class Teclado;

class TfanticiposprovVista : public QWidget {
    Q_OBJECT
public:
    TfanticiposprovVista(std::unique_ptr<Tfanticiposprov> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Sesion& sesion, QWidget* padre = nullptr);
    ~TfanticiposprovVista() override;

    Tfanticiposprov& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QLineEdit* editor(const QString& campo) const { return editores_.value(campo); }
    QLabel* etiqueta(const QString& nombre) const;

    // What the person typed reaches the advance (before every command).
    bool confirmar();
    void grabar();
    void escape();

private:
    QLineEdit* linea(const QString& campo, int ancho);
    QLabel* nombre(const QString& objeto);
    void refrescar();

    std::unique_ptr<Tfanticiposprov> logica_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_ = nullptr;
    Teclado* teclado_ = nullptr;
    QHash<QString, QLineEdit*> editores_;
};

// The modal entry the payment voucher opens ({TERC_NIT, FECHA}): the saved
// advance's {ANPR_ID, TIDO_COD, TIDO_NOMCORTO, PREFIJO, NUMERO}, nothing
// after Esc or when the window cannot open.
std::optional<QVariantMap> elegirAnticipo(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                          const Configuracion& configuracion, const QVariantMap& args, QWidget* padre,
                                          std::function<void(int64_t)> imprimir = {});

}  // namespace cxp
