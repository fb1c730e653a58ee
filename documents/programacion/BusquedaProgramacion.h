#pragma once
// "Busca programación de pagos": the plans grouped with their amount and
// rows, annulment and (administrators, once annulled) deletion with the
// reason, and the bank dispersal file of a plan (ARCHIVO_BANCO_CXP, one
// line per DATOS row). Screen logic only.
#include "data/CondicionBusqueda.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace cxp {

class Configuracion;
class DataSet;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class BusquedaProgramacion {
public:
    static constexpr int kTipo = 57;
    static constexpr int kDerecho = 112;  // "Programar pagos"

    BusquedaProgramacion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Configuracion& configuracion, DataSet& lista);

    // The grouped query (restricted to the agency's prefixes when the
    // session has one), and ordered by date as the window opens.
    QString consultaBase() const;
    QString consultaInicial() const;
    // "Conce&pto", "&Fecha", "&Número" over the grouped plans: the search's
    // condition and order apply to the groups (alias g).
    static const std::vector<ColumnaBusqueda>& columnas();
    QString consultaAgrupada() const;

    // F3 on the current plan: annuls a live one, deletes an annulled one
    // (administrators). True when the plan changed. `refrescar` is called
    // whenever the database was reached (changed, changed by another
    // clerk meanwhile, or refused).
    bool anular();
    void setAlRefrescar(std::function<void()> refrescar) { alRefrescar_ = std::move(refrescar); }

    // F9 "F5:Continuar": the lines of the plan's dispersal file written to
    // `ruta` (".txt" added when the name has no extension), one per row the
    // procedure returns, in its order. The number of lines written; nothing
    // when the file could not be written (after the message).
    std::optional<int> exportar(int64_t id, const QDate& fecha, const QString& secuencia, const QString& formato,
                                QString ruta);

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    DataSet& lista_;
    std::function<void()> alRefrescar_;
};

}  // namespace cxp
