#pragma once
// "Movimiento Cuentas por Pagar Mensual": the movement of every creditor
// between two dates from movimiento_cxpagar_mes, with the totals of its
// amount columns. From a row the person opens the creditor's movement
// (F9, Enter) or open documents (F8). Screen logic only; the widgets are
// TfmovicuenxpagarVista.
#include "base/Dinero.h"
#include "ledger/PantallaLedger.h"

namespace cxp {

class Tfmovicuenxpagar : public PantallaLedger {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Movimiento Cuentas por Pagar Mensual");
    static inline const QString kArchivo = QStringLiteral("MoviMes");

    Tfmovicuenxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                     const Configuracion& configuracion, QObject* parent = nullptr);

    // The dates start at the first and last day of this month; nothing is
    // queried until F2. False when a database error was reported.
    bool abrir();

    DataSet& movimiento() { return movimiento_; }
    QDate desde() const { return desde_; }
    QDate hasta() const { return hasta_; }
    void setDesde(QDate fecha) { if (fecha.isValid()) desde_ = fecha; }
    void setHasta(QDate fecha) { if (fecha.isValid()) hasta_ = fecha; }
    void setMoneda(int codigo) { cambiarMoneda(codigo); }

    QString consulta() const;
    // "F2:Calcula".
    bool calcular();

    // Totals of INICIAL, DEBITOS, CREDITOS, ABONOS and FINAL over the rows.
    struct Totales {
        Dinero inicial, debitos, creditos, abonos, final_;
    };
    Totales totales() const;

    // F9 "Movmto.", Enter, double click: the row's creditor's movement
    // between the same dates.
    void movimientoAcreedor();
    // F8 "Saldos": the row's creditor's open documents.
    void saldos();

private:
    QDate desde_;
    QDate hasta_;
    DataSet movimiento_;
};

}  // namespace cxp
