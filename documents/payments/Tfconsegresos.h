#pragma once
// The consult of one payment voucher, read-only: the header with the cash
// box and class names and the bank document's kind ("CHEQUE"/"RETIRO"),
// the documents paid, the receivables crossed, the accounting lines, the
// cash items and the bank document, with their totals; who registered it;
// an annulled voucher's mark and reason. Commands: print, ledger voucher
// (post it when it has none), notes. Screen logic only; the widgets are
// TfconsegresosVista.
#include "base/Dinero.h"
#include "data/DataSet.h"

#include <QDate>
#include <QObject>
#include <functional>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
struct Sesion;

struct ServiciosConsultaEgreso {
    std::function<void(int64_t id)> imprimir;  // Tfimpregreso
    // The ledger voucher: posts it when there is none, else opens it for
    // editing when the user may.
    std::function<void(int64_t id, const QString& prefijo, const QDate& fecha)> contabilidad;
};

class Tfconsegresos : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Consulta de Egresos");
    static inline const QString kSinAcceso =
        QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");
    static inline const QString kNoEncontrado = QStringLiteral("No se encontró el comprobante de egreso solicitado.");

    Tfconsegresos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, ServiciosConsultaEgreso servicios, QObject* parent = nullptr);

    // The right (31, or 41 outside payables) and the voucher with its sets.
    // False after the message.
    bool abrir(int64_t id);

    DataSet& egreso() { return egreso_; }
    DataSet& detalle() { return detalle_; }
    DataSet& cruce() { return cruce_; }
    DataSet& contabilidad() { return contabilidad_; }
    DataSet& caja() { return caja_; }
    DataSet& banco() { return banco_; }

    int64_t id() const { return id_; }
    bool anulado() const { return anulado_; }
    bool preguntaTasa() const { return preguntaTasa_; }
    const QString& nombreCaja() const { return nombreCaja_; }    // destination box (class 2)
    const QString& nombreClase() const { return nombreClase_; }
    const QString& tipoBanco() const { return tipoBanco_; }      // "CHEQUE", "RETIRO" or empty
    const QString& registro() const { return registro_; }        // "Registro: fecha-hora-usuario"
    const QString& razon() const { return razon_; }              // annulled: why and by whom

    struct Totales {
        Dinero abono, dtof, retenciones;  // documents paid
        Dinero cruce;                     // receivables crossed
        Dinero debitos, creditos;         // accounting lines
        Dinero caja, banco;               // means of payment
    };
    const Totales& totales() const { return totales_; }

    void imprimir();       // F2
    void verContabilidad();  // F11; nothing for an annulled voucher
    void notas();          // F12

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    ServiciosConsultaEgreso servicios_;
    DataSet egreso_, detalle_, cruce_, contabilidad_, caja_, banco_;
    int64_t id_ = 0;
    bool anulado_ = false;
    bool preguntaTasa_ = false;
    QString nombreCaja_, nombreClase_, tipoBanco_, registro_, razon_;
    Totales totales_;
};

}  // namespace cxp
