#pragma once
// "Busca Cargos en Cuenta" and its twin for discounts: the charges (or
// discounts) of the user's agency by concept, creditor, date (newest first)
// or number; consult, payments list, notes, and "Eliminar": a live document
// is annulled, an annulled one deleted by an administrator only, the reason
// asked first when the company keeps them. Screen logic only over the list
// the search frame fills; the widgets are BuscaAjusteVista.
#include "data/CondicionBusqueda.h"

#include <QObject>
#include <vector>

namespace cxp {

class Configuracion;
class DataSet;
struct DocumentoAnulable;
class Interaccion;
class ManejadorErrores;
struct Sesion;

// What tells a charge search from a discount search.
struct ClaseBusquedaAjuste {
    int tipo;                 // 51 charges, 52 discounts
    QString pantalla;         // "Tfbuscanotdebito"
    QString titulo;           // "Busca Cargos en Cuenta"
    QString prefijoColumna;   // "NDPR"
    QString tabla;            // "notas_debito_proveedor"
    int derecho;              // option of "C. X PAGAR"
    QString consulta;         // the consult screen, "Tfnotasdebito2"
    QString archivo;          // the grid's file name, "BuscNotaDebito"
    QString preguntaAnular;   // followed by prefix+number and "?"
    QString preguntaEliminar; // the same
    QString proveedor;        // the data provider named to the error handler

    static const ClaseBusquedaAjuste& cargo();
    static const ClaseBusquedaAjuste& descuento();
};

class BuscaAjuste : public QObject {
    Q_OBJECT
public:
    BuscaAjuste(const ClaseBusquedaAjuste& clase, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                const Configuracion& configuracion, DataSet& lista, QObject* parent = nullptr);

    const ClaseBusquedaAjuste& clase() const { return clase_; }
    // "Buscar por:": Conce&pto, &Acreedor, &Fecha (the first chosen, newest
    // first), Nú&mero.
    std::vector<ColumnaBusqueda> columnas() const;
    static constexpr int kColumnaInicial = 2;
    QString consultaBase() const;
    // The listing on opening: every document, newest first.
    QString consultaInicial() const;

    enum class Resultado { Nada, Anulado, Eliminado };
    Resultado eliminar();  // F3
    void consultar();      // F4, double click
    void abonos();         // "F8:Abonos"
    void notas();          // F12

    // Another clerk annulled or deleted the row meanwhile.
    QString yaCambiado(const QString& numero) const;

signals:
    void refrescar();

private:
    QString c(const char* sufijo) const;
    DocumentoAnulable anulable() const;
    int64_t idActual() const;

    const ClaseBusquedaAjuste& clase_;
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    DataSet& lista_;
};

// The two screens by their names.
class Tfbuscanotdebito : public BuscaAjuste {
    Q_OBJECT
public:
    Tfbuscanotdebito(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c, DataSet& l,
                     QObject* parent = nullptr)
        : BuscaAjuste(ClaseBusquedaAjuste::cargo(), s, i, m, c, l, parent) {}
};

class Tfbuscancredito : public BuscaAjuste {
    Q_OBJECT
public:
    Tfbuscancredito(Sesion& s, Interaccion& i, ManejadorErrores& m, const Configuracion& c, DataSet& l,
                    QObject* parent = nullptr)
        : BuscaAjuste(ClaseBusquedaAjuste::descuento(), s, i, m, c, l, parent) {}
};

}  // namespace cxp
