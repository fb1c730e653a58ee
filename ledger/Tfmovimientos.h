#pragma once
// "Movimientos": the movement of one creditor between two dates from the
// procedure movimiento_cxpagar_desde_hasta, between the opening balance
// (the day before the from-date) and the closing balance (the to-date) of
// saldo_proveedor. From a row the person consults the document (F4) or its
// payments (F8). Screen logic only; the widgets are TfmovimientosVista.
#include "base/Dinero.h"
#include "ledger/PantallaLedger.h"

namespace cxp {

class Tfmovimientos : public PantallaLedger {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Movimientos");
    static inline const QString kArchivo = QStringLiteral("MOVACREEDOR");

    Tfmovimientos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, QObject* parent = nullptr);

    // Creditor, name and dates as the opener gives them (an invalid from-date
    // is the first of the month, an invalid to-date today; a creditor
    // without a name takes nombre_proveedor). Runs the queries when there is
    // a creditor. False when a database error was reported.
    bool abrir(const QString& nit, const QString& nombre, QDate desde, QDate hasta);

    DataSet& movimiento() { return movimiento_; }
    const QString& nit() const { return nit_; }
    const QString& nombre() const { return nombre_; }
    QDate desde() const { return desde_; }
    QDate hasta() const { return hasta_; }
    Dinero saldoInicial() const { return inicial_; }
    Dinero saldoFinal() const { return final_; }

    // Either date or the currency changed: the queries run again. A
    // from-date after the to-date, or a currency without a rate, is told
    // and changes nothing.
    bool setDesde(QDate fecha);
    bool setHasta(QDate fecha);
    bool setMoneda(int codigo);
    // Another creditor typed: its name and movement.
    bool setNit(const QString& nit);

    QString consultaMovimiento() const;
    QString consultaSaldo(QDate fecha) const;
    // Both balances at the rows' rate, for a currency other than pesos.
    QString consultaSaldos() const;
    bool refrescar();

    // F4, double click: the consult of the row's document, its type read
    // from the short name.
    void consultar();
    // F8 "Abonos": the payments of the row's document.
    void abonos();

private:
    std::optional<int> tipoDeFila();
    Dinero saldo(QDate fecha);

    QString nit_;
    QString nombre_;
    QDate desde_;
    QDate hasta_;
    Dinero inicial_;
    Dinero final_;
    DataSet movimiento_;
};

}  // namespace cxp
