#pragma once
// "Análisis de movimiento de cuentas por pagar": the payables movement
// between two dates from ANALISIS_CXPAGAR in a pivot whose rows, columns
// and measures the person chooses, with layouts kept as ".mds" files in
// the installation's Cxpagar/reportes folder. Screen logic only; the
// widgets are TfanalisismovcxpVista.
#include "ledger/ModeloPivote.h"
#include "ledger/PantallaLedger.h"

namespace cxp {

class Tfanalisismovcxp : public PantallaLedger {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Análisis de movimiento de cuentas por pagar");
    static inline const QString kEspere = QStringLiteral("Actualizando balance. Espere un momento...");
    static inline const QString kPlantillaPredeterminada = QStringLiteral("Analisismovcxp.mds");
    static inline const QString kExtension = QStringLiteral("mds");

    Tfanalisismovcxp(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                     const Configuracion& configuracion, QObject* parent = nullptr);

    // The dates at the first and last day of this month and the list of
    // layouts; nothing is queried until F2.
    bool abrir();

    DataSet& movimiento() { return movimiento_; }
    ModeloPivote& modelo() { return modelo_; }
    const pivote::Diseno& diseno() const { return diseno_; }
    // The person moved fields between the areas: the pivot is computed again.
    void setDiseno(const pivote::Diseno& diseno);
    // The fields the data offer (after F2), for the field list.
    QStringList campos() const;

    QDate desde() const { return desde_; }
    QDate hasta() const { return hasta_; }
    void setDesde(QDate fecha) { if (fecha.isValid()) desde_ = fecha; }
    void setHasta(QDate fecha) { if (fecha.isValid()) hasta_ = fecha; }

    // Installation directory + "/Cxpagar/reportes/".
    QString carpetaPlantillas() const;
    // "Cargar ejemplo:": the ".mds" files of that folder, by name.
    const QStringList& plantillas() const { return plantillas_; }
    void listarPlantillas();
    // The layout chosen in the list (a file name of it); empty for none.
    const QString& plantilla() const { return plantilla_; }
    // Choosing a layout applies it at once when there are data.
    void setPlantilla(const QString& nombre);

    // The layout used when no file applies: creditors by group down the
    // side, document types across, sums of MONTO and SALDO.
    static pivote::Diseno disenoPredeterminado();

    QString consulta() const;
    // "F2:Calcula": tells kEspere, runs the query, loads the rows and applies
    // the layout chosen, or the folder's Analisismovcxp.mds, or the default.
    bool calcular();
    // Applies a layout file; its fields the data lack are left out and
    // named to the person. False when the file cannot be read.
    bool aplicarPlantilla(const QString& ruta);

    // "Grabar Plantilla": the current layout to `ruta` (".mds" added when it
    // lacks it); the list is read again.
    bool grabarPlantilla(const QString& ruta);

signals:
    void aviso(const QString& texto);  // status text; empty clears it
    void disenoCambio();
    void plantillasCambio();

private:
    void recalcular();

    QDate desde_;
    QDate hasta_;
    DataSet movimiento_;
    pivote::Diseno diseno_;
    ModeloPivote modelo_;
    QStringList plantillas_;
    QString plantilla_;
};

}  // namespace cxp
