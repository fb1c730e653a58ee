#pragma once
// The widgets of "Cargos en Cuenta": the header (prefix, number, dates,
// creditor, concept), the amounts with the four withholdings and the
// totals, the accounts under both charts and the cost centre, the VAT bases
// panel (F5) and the article lines panel. Keys: F2 saves (or continues the
// lines panel), Esc closes the lines panel or cancels, F5 opens and
// continues the VAT bases, F6 searches the creditor, Enter moves to the
// next field; "?" in the creditor, account, centre and mandante fields
// opens their lookups.
#include "documents/charges/Tfnotasdebito2.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <memory>

class QComboBox;
class QFrame;
class QScrollArea;
class QLabel;
class QLineEdit;

namespace cxp {

class Enlaces;
class Rejilla;
class Teclado;

class TfnotasdebitoVista : public QWidget {
    Q_OBJECT
public:
    // The consult ("Tfnotasdebito2") shows a saved charge read-only with the
    // same layout: F2 prints, F5 shows the VAT bases, F11 the ledger voucher.
    enum class Modo { Registro, Consulta };

    TfnotasdebitoVista(std::unique_ptr<DocumentoAjuste> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Sesion& sesion, QWidget* padre = nullptr, Modo modo = Modo::Registro);
    ~TfnotasdebitoVista() override;

    DocumentoAjuste& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Enlaces& enlaces() { return *enlaces_; }
    QLineEdit* editor(const QString& campo) const { return editores_.value(campo); }
    QLineEdit* subTotal() const { return subTotal_; }
    QLabel* etiqueta(const QString& nombre) const;
    QFrame* panelBases() const { return bases_; }
    QFrame* panelLineas() const { return lineas_; }

    // What the person typed reaches the charge (before every command).
    bool confirmar();
    void grabar();
    void escape();
    void alternarBases();
    void abrirLineas();
    // F4 "Egreso": the payment forms dialog of the charge's cash voucher
    // (window-modal; F2 accepts, Esc leaves). Null while none is open.
    void pagarDeContado();
    QDialog* dialogoEgreso() const { return dialogoEgreso_; }
    // Grows the window to show every open panel whole (within the MDI area).
    void ajustarTamano();
    Modo modo() const { return modo_; }

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QLineEdit* linea(const QString& campo, DataSet& ds, int ancho = 0);
    QLabel* nombre(const QString& objeto);
    void refrescar();
    void soloLectura();
    bool confirmarSubTotal();

    std::unique_ptr<DocumentoAjuste> logica_;
    Modo modo_;
    ConsultaAjuste* consulta_ = nullptr;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_ = nullptr;
    Teclado* teclado_ = nullptr;
    QHash<QString, QLineEdit*> editores_;
    QLineEdit* subTotal_ = nullptr;
    QLineEdit* dias_ = nullptr;
    QFrame* bases_ = nullptr;
    QFrame* lineas_ = nullptr;
    QScrollArea* desplazable_ = nullptr;
    Rejilla* rejillaLineas_ = nullptr;
    QLabel* totalLineas_ = nullptr;
    QPointer<QDialog> dialogoEgreso_;
};

}  // namespace cxp
