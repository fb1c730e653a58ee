#pragma once
// The widgets of "Orden de servicio": creditor, prefix, number, dates,
// concept, "Monto:" with the discount, additional and extra values, IVA,
// the three withholdings, currency and rate, observation and the totals.
// Keys: F2 saves, Esc leaves, F6 the creditor search ("?" or a double
// click on the NIT too), F8 the order search, Enter the next field. On a
// saved order (Tfconsordenserv) everything is read-only and F2 prints.
#include "documents/service/Tfordenservicio.h"

#include <QHash>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;

namespace cxp {

class Enlaces;
class Teclado;

class TfordenservicioVista : public QWidget {
    Q_OBJECT
public:
    TfordenservicioVista(std::unique_ptr<Tfordenservicio> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Sesion& sesion, QWidget* padre = nullptr);
    ~TfordenservicioVista() override;

    Tfordenservicio& logica() { return *logica_; }
    Teclado& teclado() { return *teclado_; }
    QLineEdit* editor(const QString& campo) const { return editores_.value(campo); }
    QLineEdit* subTotal() const { return subTotal_; }
    QLabel* etiqueta(const QString& nombre) const;

    // What the person typed reaches the order (before every command).
    bool confirmar();

private:
    QLineEdit* linea(const QString& campo, int ancho);
    QLabel* nombre(const QString& objeto);
    bool confirmarSubTotal();
    void refrescar();

    std::unique_ptr<Tfordenservicio> logica_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    Enlaces* enlaces_ = nullptr;
    Teclado* teclado_ = nullptr;
    QLineEdit* subTotal_ = nullptr;
    QHash<QString, QLineEdit*> editores_;
};

}  // namespace cxp
