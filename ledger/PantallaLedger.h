#pragma once
// What every screen of the ledger holds: the session and the services it
// speaks through, the currency its amounts are shown in, and the running of
// a query into a grid's DataSet with its failures reported centrally.
#include "data/DataSet.h"
#include "ledger/Comun.h"

#include <QDate>
#include <QObject>
#include <QStringList>
#include <functional>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class PantallaLedger : public QObject {
    Q_OBJECT
public:
    PantallaLedger(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Configuracion& configuracion, QObject* parent = nullptr);

    // "Moneda:": shown when the configuration asks for it; its choices and
    // the code passed to the procedures (0, the local currency, while it is
    // hidden).
    bool monedaVisible() const { return monedaVisible_; }
    const QList<OpcionMoneda>& monedas() const { return monedas_; }
    int moneda() const { return moneda_; }

    // Today, for tests.
    void setHoy(std::function<QDate()> hoy) { hoy_ = std::move(hoy); }
    QDate hoy() const { return hoy_ ? hoy_() : QDate::currentDate(); }

    // The grid shows these fields, and no other, with these titles.
    static void columnas(DataSet& ds, const QStringList& campos, const QList<std::pair<QString, QString>>& titulos = {});

signals:
    void cerrar();

protected:
    // Reads the currency selector's configuration key and its choices.
    // False when a database error was reported.
    bool prepararMoneda(const QString& propiedad);
    void cambiarMoneda(int codigo) { moneda_ = codigo; }
    // Whether the currency has a rate on or before the date (the local
    // currency always has). Asked before a query runs, so that a refresh
    // without a rate is told and leaves the grid and the selector as they
    // were, instead of emptying the grid under a currency it cannot show.
    bool hayTasa(int moneda, QDate fecha);
    // A from-date after the to-date is refused with a message.
    bool fechasEnOrden(QDate desde, QDate hasta);
    // Runs a command; a failure reaches the central handler. True when it
    // ran to its end.
    bool proteger(const std::function<void()>& comando);
    // Opens the DataSet on the query; false after reporting a failure.
    bool cargar(DataSet& ds, const QString& consulta);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;

private:
    std::function<QDate()> hoy_;
    bool monedaVisible_ = false;
    QList<OpcionMoneda> monedas_;
    int moneda_ = 0;
};

}  // namespace cxp
