#pragma once
// "Busca Ordenes de servicio": the orders of the agency; F3 annuls a valid
// order and lets an administrator remove an annulled one (right 12, with
// the reason when the company asks for it), F4 consults, "Seleccionar"
// hands the order to the screen that asked for it. Screen logic only,
// over the list the search frame fills; the widgets are TfbuscaordenesVista.
#include "data/CondicionBusqueda.h"

#include <QObject>
#include <QVariantMap>
#include <optional>
#include <vector>

namespace cxp {

class Configuracion;
class DataSet;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfbuscaordenes : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Busca Ordenes de servicio");
    static inline const QString kSinAcceso =
        QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");

    Tfbuscaordenes(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Configuracion& configuracion, DataSet& lista, QObject* parent = nullptr);

    // "Buscar por:": Conce&pto, &Acreedor, &Fecha (newest first), Nú&mero.
    static const std::vector<ColumnaBusqueda>& columnas();
    // The orders of the session's agency (with the prefixes of every
    // agency), before the condition.
    QString consultaBase() const;
    QString consultaInicial() const;

    // F3: annuls the current valid order, or deletes the annulled one (an
    // administrator only). False when nothing changed.
    bool anular();
    void consultar();  // F4
    // "Seleccionar": {id, numero (prefix+number)} for the caller.
    void seleccionar();
    const std::optional<QVariantMap>& eleccion() const { return eleccion_; }

signals:
    void refrescar();  // the list must be read again
    void cerrar();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    DataSet& lista_;
    std::optional<QVariantMap> eleccion_;
};

}  // namespace cxp
