#pragma once
// "Análisis de Cuentas x pagar": the payables of every creditor at a
// cut-off date, aged in bands of d days by rep_analisis_cxpagar, and the
// bands' totals for the chart. In its prompt-payment mode ("Descuentos por
// pronto pago") it lists the documents whose discount deadline has come by
// the cut-off date, without the overdue bands. Screen logic only; the
// widgets are TfanalisiscxpVista.
#include "base/Dinero.h"
#include "ledger/PantallaLedger.h"

#include <vector>

namespace cxp {

struct OpcionAgencia {
    int id = 0;  // 0: every agency
    QString nombre;
};

class Tfanalisiscxp : public PantallaLedger {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Análisis de Cuentas x pagar");
    static inline const QString kTituloDescuentos = QStringLiteral("Descuentos por pronto pago");
    static inline const QString kArchivo = QStringLiteral("analisiscxp");
    static inline const QString kTodas = QStringLiteral("Todas");
    static inline const QString kRangoInvalido = QStringLiteral("El rango de días debe ser un número mayor que cero.");
    static constexpr int kRangoPredeterminado = 30;

    Tfanalisiscxp(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, bool descuentosProntoPago = false, QObject* parent = nullptr);

    // Cut-off today, the band width of the configuration, the agencies the
    // person may see and the currency selector; nothing is queried until
    // F2. False when a database error was reported.
    bool abrir();

    bool descuentos() const { return descuentos_; }
    QString titulo() const { return descuentos_ ? kTituloDescuentos : kTitulo; }
    DataSet& analisis() { return analisis_; }

    QDate corte() const { return corte_; }
    void setCorte(QDate fecha) { if (fecha.isValid()) corte_ = fecha; }
    int rango() const { return rango_; }
    void setRango(int dias) { rango_ = dias; }
    // "Agencia:": "Todas" and every agency, or only the person's own one.
    const QList<OpcionAgencia>& agencias() const { return agencias_; }
    int agencia() const { return agencia_; }
    void setAgencia(int id);
    void setMoneda(int codigo) { cambiarMoneda(codigo); }
    bool incluirCeros() const { return incluirCeros_; }
    void setIncluirCeros(bool on) { incluirCeros_ = on; }

    // The overdue bands' titles for a width: "0 - 30 dias", "31-60 dias",
    // "61-90 dias", "91 y más dias".
    static QStringList titulosBandas(int dias);
    // The columns of the bands, in order (CORRIENTE first).
    static const QStringList& camposBandas();

    QString consulta() const;
    // "F2 Calcula". A band width below 1 is refused with kRangoInvalido.
    bool calcular();

    // A band of the chart: its column, title and total.
    struct Banda {
        QString campo;
        QString titulo;
        Dinero total;
    };
    // The totals of the rows given (DataSet rows), or of every row when none
    // is given. Empty in the prompt-payment mode.
    std::vector<Banda> bandas(const std::vector<int>& filas = {}) const;

    // F8 "Saldos": the open documents of the row's creditor.
    void saldos();
    // F9 "Movmto.": the row's creditor's movement in the cut-off's month.
    void movimiento();
    // Back from either: the grid returns to the creditor it was on.
    void volver();

private:
    void recordar();
    void titularBandas();

    bool descuentos_;
    QDate corte_;
    int rango_ = kRangoPredeterminado;
    int rangoCalculado_ = kRangoPredeterminado;
    QList<OpcionAgencia> agencias_;
    int agencia_ = 0;
    bool incluirCeros_ = false;
    DataSet analisis_;
    QString volverNit_;
    int64_t volverTipo_ = 0;
    int64_t volverId_ = 0;
};

}  // namespace cxp
