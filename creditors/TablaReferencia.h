#pragma once
// The reference tables the creditor record uses, each edited in a grid:
// creditor groups ("Tfgruposprov", with their default accounts), cities
// ("Tfciudades", which can also return the chosen city), countries
// ("Tfpaises"), banks ("Tfbancos", right 80 of "BANCOS") and identification
// types ("Tftipoid"). "F2: Grabar" applies every change in one transaction;
// a row without code is dropped; account columns are checked as typed.
// Screen logic only; the widgets are TablaReferenciaVista.
#include "data/DataSet.h"

#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <memory>
#include <optional>

namespace cxp {

class Configuracion;
class Contabilidad;
class Interaccion;
class ManejadorErrores;
struct Sesion;

struct DefinicionTabla {
    QString pantalla;  // "Tfciudades"
    QString titulo;    // "Ciudades"
    QString tabla;     // "CIUDADES"
    QString clave;     // "CIUD_COD"
    QString orden;     // "CIUD_NOM"
    QList<std::pair<QString, QString>> columnas;  // column, title
    QStringList cuentas, cuentasNiif;             // account columns
    QString moduloDerecho;  // right needed to open, when any
    int opcionDerecho = -1;
    bool selecciona = false;  // "F5:Selecciona"
};

class TablaReferencia : public QObject {
    Q_OBJECT
public:
    static const QList<DefinicionTabla>& definiciones();
    static const DefinicionTabla* definicion(const QString& pantalla);

    TablaReferencia(const DefinicionTabla& definicion, Sesion& sesion, Interaccion& interaccion,
                    ManejadorErrores& manejador, const Configuracion& configuracion, QObject* parent = nullptr);
    ~TablaReferencia() override;

    const DefinicionTabla& def() const { return def_; }
    // False without the right (its message shown) or after a reported error.
    bool abrir();
    DataSet& filas() { return filas_; }

    // "F2: Grabar": rows without code dropped, the rest applied. False when
    // something was refused (the grid stays as it was typed).
    bool grabar();
    // "F5:Selecciona" (cities): {"codigo", "nombre"} of the current row.
    void seleccionar();
    void salir();
    const std::optional<QVariantMap>& eleccion() const { return eleccion_; }

signals:
    void cerrar();

private:
    DefinicionTabla def_;
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    std::unique_ptr<Contabilidad> contabilidad_;
    DataSet filas_;
    std::optional<QVariantMap> eleccion_;
};

}  // namespace cxp
