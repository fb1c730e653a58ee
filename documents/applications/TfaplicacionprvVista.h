#pragma once
// The widgets of "Aplicaciones  Proveedores": prefix, number, date,
// creditor, concept, the rows (type short name, prefix, number, amount
// applied and the three withholdings) with their sums, remarks. Keys: F2
// saves, Esc leaves, F6 or "?" in the tax id finds the creditor, F8 or a
// double click on the rows picks documents, Insert and Ctrl+Delete add and
// remove rows. The consult (Tfconsaplicacxp, Tfaplicacion2) is the same
// window read-only with the annulled mark and "Registro:"; F2 prints, F11
// goes to the ledger and F12 to the notes.
#include "documents/applications/Tfaplicacionprv.h"

#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;

namespace cxp {

class Enlaces;
class Rejilla;
class Teclado;

class TfaplicacionprvVista : public QWidget {
    Q_OBJECT
public:
    TfaplicacionprvVista(std::unique_ptr<Tfaplicacionprv> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Sesion& sesion, QWidget* padre = nullptr);
    ~TfaplicacionprvVista() override;

    Tfaplicacionprv& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Rejilla* rejilla() const { return rejilla_; }
    QLabel* etiqueta(const QString& nombre) const;

private:
    QLineEdit* linea(const QString& campo, int ancho);
    void refrescar();
    bool confirmar();

    std::unique_ptr<Tfaplicacionprv> logica_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_ = nullptr;
    Teclado* teclado_ = nullptr;
    Rejilla* rejilla_ = nullptr;
};

}  // namespace cxp
