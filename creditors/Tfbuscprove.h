#pragma once
// The creditor search "Búsqueda de Acreedores": the hub from which
// creditors are found, created, modified and deleted and their balances,
// movement and articles consulted (management mode, opened from the main
// window), or a picker that returns the chosen creditor. Screen logic only;
// the widgets are TfbuscproveVista.
#include "data/DataSet.h"
#include "data/CondicionBusqueda.h"

#include <QObject>
#include <QVariantMap>
#include <optional>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfbuscprove : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Búsqueda de Acreedores");

    Tfbuscprove(bool gestion, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                QObject* parent = nullptr);
    ~Tfbuscprove() override;

    bool gestion() const { return gestion_; }
    // "Buscar en:": NI&T, Nomb&re, Códi&go, Contact&o.
    static const std::vector<ColumnaBusqueda>& columnas();

    // What is searched; the search runs on buscar().
    int columna = 1;
    QString texto;
    bool cualquierPosicion = false;
    bool verInactivos = false;

    // The list ordered by name, nothing chosen yet.
    bool abrir();
    // The list with the search column, text and options; the text only ever
    // enters as a quoted literal.
    QString consulta() const;
    bool buscar();
    DataSet& lista() { return lista_; }
    QString nitActual() const;

    // Commands.
    void nuevo();        // F5, right 0
    void modificar();    // F4
    void eliminar();     // F3, right 2
    void cartera();      // F8
    void movimiento();   // F9
    void articulos();    // "F6:Artículos"
    void seleccionar();  // "Selecciona"
    void aceptar();      // Enter or a double click in the grid
    void salir();        // Esc
    // The screen became active again: the list refreshed on the same NIT.
    void activar();

    // The picker's choice: {"nit", "nombre"}; nothing after Esc.
    const std::optional<QVariantMap>& eleccion() const { return eleccion_; }

signals:
    void cerrar();
    void buscado();

private:
    bool reabrir(const QString& sql, const QString& nit = {});

    bool gestion_;
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet lista_;
    QString ultima_;
    std::optional<QVariantMap> eleccion_;
};

}  // namespace cxp
