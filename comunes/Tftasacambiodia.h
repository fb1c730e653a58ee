#pragma once
// The day's exchange rate screen "Tasa de cambio diaria": today's rate of
// the default currency of foreign operations, edited when it exists and
// entered when it does not. The rate is exact (four decimals), never a
// floating-point number. Screen logic only; the widgets are
// TftasacambiodiaVista.
#include "comunes/Opciones.h"
#include "data/DataSet.h"

#include <QDate>
#include <QObject>
#include <functional>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tftasacambiodia : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Tasa de cambio diaria");

    Tftasacambiodia(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, QObject* parent = nullptr);
    ~Tftasacambiodia() override;

    // Today, for tests.
    void setHoy(std::function<QDate()> hoy) { hoy_ = std::move(hoy); }

    // Opens the currencies and today's rates and places the screen on the
    // default currency's rate: editing today's row when there is one,
    // inserting it otherwise. False when an error was reported (a missing or
    // unreadable default currency, a database failure).
    bool abrir();

    DataSet& tasa() { return tasa_; }
    // "Moneda:": the currencies by name.
    const QList<OpcionBusqueda>& monedas() const { return monedas_; }
    int monedaPredeterminada() const { return moneda_; }

    // "F2: Grabar": applies the rate; closes when the database takes it.
    // Refused, the row goes back to editing and the screen stays.
    bool grabar();
    // "Esc:Salir": discards the change and closes.
    void salir();

signals:
    void cerrar();

private:
    void cambioMoneda(DataSet& ds);
    void antesDeGrabar(DataSet& ds);
    void editarActual();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    std::function<QDate()> hoy_;
    DataSet tasa_;
    QList<OpcionBusqueda> monedas_;
    int moneda_ = 0;
};

}  // namespace cxp
