#pragma once
// "Busca Anticipos Acreedor": the advances of the agency with the voucher
// that paid each one out; consult, payments list and the annulment of an
// advance no voucher has paid out (one abandoned by a voucher that never
// finished). Screen logic only over the list the search frame fills; the
// widgets are TfbuscantiposVista.
#include "data/CondicionBusqueda.h"

#include <QObject>
#include <vector>

namespace cxp {

class DataSet;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfbuscantipos : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Busca Anticipos Acreedor");
    static inline const QString kNota = QStringLiteral(
        "Para registrar o anular anticipos use la opción de egresos en tgesorería o pagos en cuentas x pagar");

    Tfbuscantipos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, DataSet& lista,
                  QObject* parent = nullptr);

    // "Buscar por:": Conce&pto, &Acreedor (the first chosen), &Fecha, Nú&mero.
    static const std::vector<ColumnaBusqueda>& columnas();
    static constexpr int kColumnaInicial = 1;
    // The procedure's rows for the session's agency, before the condition.
    QString consultaBase() const;
    // The first listing: every advance, newest first.
    QString consultaInicial() const;

    // F3: annuls the current advance after the question; false when it was
    // not annulled (none chosen, already annulled, paid out, or No).
    bool anular();
    void consultar();  // F4 or a double click
    void abonos();     // F8

signals:
    // The list must be read again (after an annulment).
    void refrescar();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet& lista_;
};

}  // namespace cxp
