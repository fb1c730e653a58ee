#pragma once
// The payment voucher search: class "1" vouchers ("CUENTA POR PAGAR") of the
// agency, newest first, from N days back when nothing is typed (N = "CAJA" /
// "DOCUMENTOS" / "NUMERO DE DIAS PARA BUSCAR DOCUMENTOS"). Consult, notes,
// and "Eliminar": a voucher is annulled first (its cheque or withdrawal
// number freed when the clerk wants it again) and only an administrator may
// then delete it. Screen logic only; the widgets are TfbuscegresoVista.
#include "data/CondicionBusqueda.h"

#include <QDate>
#include <QObject>
#include <vector>

namespace cxp {

class Configuracion;
class DataSet;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfbuscegreso : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Busqueda de Egresos");
    // Another clerk annulled or deleted it after the list was read.
    static inline const QString kCambiado =
        QStringLiteral("El egreso %1 fue anulado o eliminado por otro usuario. No se hizo ningún cambio.");
    static inline const QDate kDesdeSiempre{2010, 1, 1};

    Tfbuscegreso(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                 const Configuracion& configuracion, DataSet& lista, QObject* parent = nullptr);

    // "Buscar por:" Nú&mero, &Fecha, &Acreedor, Conce&pto.
    static const std::vector<ColumnaBusqueda>& columnas();
    static QString orden() { return QStringLiteral(" order by egre_fecha desc, egre_id desc"); }
    // The first date searched: today - N days with N >= 1 and no text,
    // else 2010/01/01.
    QDate desde(const QString& texto, const QDate& hoy = QDate::currentDate()) const;
    // The listing before the condition; joined with " and ".
    QString consultaBase(const QString& texto) const;
    // The whole statement (what the screen runs for a search).
    QString consulta(int columna, const QString& texto, bool cualquierPosicion) const;

    enum class Resultado { Nada, Anulado, Eliminado };
    // F3 on the current row.
    Resultado eliminar();
    void consultar();
    void notas();

signals:
    void refrescar();

private:
    bool liberarDocumentoBanco(int64_t id);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    DataSet& lista_;
};

}  // namespace cxp
