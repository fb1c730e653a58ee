#pragma once
// The widgets of "Egresos": the header (prefix, number, date, class of
// payment, payment class, destination box, creditor, concept, currency and
// rate), the totals, the four entry panels shown one at a time (documents
// "Pago cuenta por pagar", cash "Pago de caja", bank "Pago del Banco",
// crossings "Pago de Cliente"), the accounting lines with their sums, and
// the key legend. Every key goes to the logic (F2, Esc, F4, F5, F6, F7,
// F8, F9, ignored with Shift, Alt or Ctrl held); Enter moves to the next
// field; "?" in the creditor opens its search. The means of payment are
// their own widget (MediosPagoVista).
#include "documents/payments/Tfegresos.h"

#include <QHash>
#include <QWidget>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace cxp {

class Enlaces;
class MediosPagoVista;
class Rejilla;
class Teclado;

class TfegresosVista : public QWidget {
    Q_OBJECT
public:
    TfegresosVista(std::unique_ptr<Tfegresos> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Sesion& sesion, QWidget* padre = nullptr);
    ~TfegresosVista() override;

    Tfegresos& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    Enlaces& enlaces() { return *enlaces_; }
    MediosPagoVista* medios() const { return medios_; }
    // The widget of a header field (or a control by object name).
    QWidget* campo(const QString& nombre) const;
    QFrame* panelDocumentos() const { return documentos_; }
    QFrame* panelCruce() const { return cruce_; }
    Rejilla* rejillaDocumentos() const { return rejillaDocumentos_; }
    Rejilla* rejillaCruce() const { return rejillaCruce_; }
    Rejilla* rejillaLineas() const { return rejillaLineas_; }
    QLabel* etiqueta(const QString& nombre) const;

    // What the person typed reaches the sets (before every command).
    bool confirmar();
    // Panels, totals, names and read-only states again from the logic.
    void refrescar();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    QLineEdit* linea(const QString& campo, DataSet& ds, int ancho = 0);
    QLabel* nombre(const QString& objeto);
    QFrame* panelRejilla(const QString& objeto, const QString& titulo, Rejilla*& rejilla, DataSet& ds,
                         const std::vector<std::pair<const char*, const char*>>& columnas);
    void enfocarPanel();
    void teclaEsc();

    std::unique_ptr<Tfegresos> logica_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_ = nullptr;
    Teclado* teclado_ = nullptr;
    MediosPagoVista* medios_ = nullptr;
    QHash<QString, QWidget*> campos_;
    QFrame* documentos_ = nullptr;
    QFrame* cruce_ = nullptr;
    Rejilla* rejillaDocumentos_ = nullptr;
    Rejilla* rejillaCruce_ = nullptr;
    Rejilla* rejillaLineas_ = nullptr;
    QComboBox* moneda_ = nullptr;
    Tfegresos::Panel panelAnterior_ = Tfegresos::Panel::Ninguno;
    bool cerrando_ = false;
};

}  // namespace cxp
