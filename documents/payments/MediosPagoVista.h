#pragma once
// The widgets of the means of payment (FormasPago): the cash panel "Pago de
// caja" (a grid of items: box, form of payment, bank, account, number,
// date, amount; Insert adds an item, a double click brings the documents
// the box holds) and the bank panel "Pago del Banco" (account, kind,
// prefix, number, date, beneficiary, amount, concept, "Causar GMF"). Each
// panel shows while its FormasPago panel is open. The document that pays
// gives the commands of the panels' buttons (the payment voucher's own,
// which also keep its totals); by default they are FormasPago's.
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace cxp {

class DataSet;
class Enlaces;
class FormasPago;
class Interaccion;
class ManejadorErrores;
class Rejilla;
class Teclado;

class MediosPagoVista : public QWidget {
    Q_OBJECT
public:
    struct Comandos {
        std::function<void()> continuarCaja, salirCaja, continuarBanco, salirBanco;
    };

    MediosPagoVista(FormasPago& formas, DataSet& caja, DataSet& banco, Interaccion& interaccion,
                    ManejadorErrores& manejador, Comandos comandos = {}, QWidget* padre = nullptr);
    ~MediosPagoVista() override;

    QFrame* panelCaja() const { return caja_; }
    QFrame* panelBanco() const { return banco_; }
    Rejilla* rejillaCaja() const { return rejillaCaja_; }
    Enlaces& enlaces() { return *enlaces_; }
    QComboBox* tipoBanco() const { return tipo_; }
    QComboBox* prefijoBanco() const { return prefijo_; }
    QLineEdit* numeroBanco() const { return numero_; }
    QCheckBox* gmf() const { return gmf_; }

    // The panels' keys: Insert in the cash grid, Enter to the next field.
    void asignarTeclas(Teclado& teclado);
    // What the person typed reaches the sets (before any command).
    bool confirmar();
    // Panels shown or hidden, lists, read-only number and totals again.
    void refrescar();
    // The focus to the open panel's first field.
    void enfocar();

private:
    QLineEdit* linea(const QString& campo, DataSet& ds, int ancho);

    FormasPago& formas_;
    DataSet& cajaDs_;
    DataSet& bancoDs_;
    ManejadorErrores& manejador_;
    Comandos comandos_;
    Enlaces* enlaces_;
    QFrame* caja_;
    QFrame* banco_;
    Rejilla* rejillaCaja_;
    QLabel* totalCaja_;
    QComboBox* cuenta_ = nullptr;
    QComboBox* tipo_;
    QComboBox* prefijo_;
    QLineEdit* numero_ = nullptr;
    QCheckBox* gmf_;
    bool refrescando_ = false;
};

}  // namespace cxp
