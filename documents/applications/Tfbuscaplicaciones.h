#pragma once
// "Busca Aplicaciones": the applications of the user's agency; consult,
// payments list, notes, and "Eliminar": an application is annulled first
// and only an administrator may then delete it. Screen logic only over the
// list the search frame fills; the widgets are TfbuscaplicacionesVista.
#include "data/CondicionBusqueda.h"

#include <QObject>
#include <vector>

namespace cxp {

class Configuracion;
class DataSet;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfbuscaplicaciones : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Busca Aplicaciones");
    // The right of the search's own option.
    static constexpr int kDerecho = 41;

    Tfbuscaplicaciones(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Configuracion& configuracion, DataSet& lista, QObject* parent = nullptr);

    // "Buscar por:": Conce&pto, &Acreedor (the first chosen), &Fecha, Nú&mero.
    static const std::vector<ColumnaBusqueda>& columnas();
    static constexpr int kColumnaInicial = 1;
    QString consultaBase() const;
    // Every application, oldest first.
    QString consultaInicial() const;

    enum class Resultado { Nada, Anulada, Eliminada };
    // "Eliminar": annuls the current application, or deletes an annulled
    // one when the user is an administrator; the reason asked first when
    // the company keeps them.
    Resultado eliminar();
    void consultar();
    void abonos();
    void notas();

signals:
    void refrescar();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    DataSet& lista_;
};

}  // namespace cxp
