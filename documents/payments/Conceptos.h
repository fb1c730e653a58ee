#pragma once
// The payable concepts and the payment classes, and the pickers the payment
// voucher opens over its own tables:
// - "Tfregconcxpagar" and "Tfclaseegr": the grids that maintain
//   CONCEPTOS_CXPAGAR and CLASE_EGRESO (a reference table each);
// - "Tfconcxpagar" ("Conceptos por pagar"): choosing a concept opens the
//   charge (or the discount) proposed from it, and hands back the type
//   short name, prefix and number of the document saved there;
// - "Tfdocencaja": the documents a cash box holds (cheques received and
//   the like), several chosen at once;
// - "Tfconscartera": the third party's open receivables, read-only, one
//   chosen to cross against the payment.
// Screen logic only; the widgets are ConceptosVista.
#include "comunes/Seleccion.h"
#include "creditors/TablaReferencia.h"
#include "data/DataSet.h"
#include "documents/charges/Tfnotasdebito.h"

#include <QDate>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <optional>
#include <vector>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

namespace pagos {

// The grids' definitions. The classes' ids are proposed as the next free one.
const DefinicionTabla& tablaConceptos();
const DefinicionTabla& tablaClases();
// A new row of the classes takes the highest id of the grid plus one.
void proponerIdClase(DataSet& clases);

// Keys of the pickers' choices (also the names the voucher's rows use).
inline const QString kTipoNombre = QStringLiteral("TIDO_NOMCORTO");
inline const QString kPrefijo = QStringLiteral("PREFIJO");
inline const QString kNumero = QStringLiteral("NUMERO");
inline const QString kDocumentos = QStringLiteral("documentos");

}  // namespace pagos

// What the concept picker opens: the charge or the discount screen,
// modally, pre-filled; each returns the id of the document saved there, 0
// when the clerk left without saving. A missing one is a screen this build
// lacks.
struct ServiciosConceptos {
    std::function<int64_t(const PropuestaCargo&)> cargo;
    std::function<int64_t(const PropuestaCargo&)> descuento;
};

class Tfconcxpagar : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Conceptos por pagar");
    static inline const QString kSinDescuentos =
        QStringLiteral("El registro de descuentos desde un concepto aún no está disponible en este programa.");

    // The creditor and date of the voucher that asks.
    Tfconcxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QString nit, QDate fecha,
                 ServiciosConceptos servicios, QObject* parent = nullptr);

    // The visible concepts by name. False after a reported error.
    bool abrir();
    DataSet& conceptos() { return conceptos_; }

    // What the current concept proposes to a charge or discount.
    PropuestaCargo propuesta() const;
    // "F2: Grabar" (Enter, double click): the document of the current
    // concept is registered; once saved its choice is kept and the picker
    // closes. Nothing when the clerk did not save it.
    std::optional<QVariantMap> elegir();
    // "F4:&Modificar": the concepts' maintenance, then the list again.
    void modificar();
    const std::optional<QVariantMap>& eleccion() const { return eleccion_; }

signals:
    void cerrar();

private:
    std::optional<QVariantMap> documento(int tipo, int64_t id);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    QString nit_;
    QDate fecha_;
    ServiciosConceptos servicios_;
    DataSet conceptos_;
    std::optional<QVariantMap> eleccion_;
};

class Tfdocencaja : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Documentos en caja");
    static inline const QString kSinSeleccion = QStringLiteral("Seleccione los documentos a entregar.");

    Tfdocencaja(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int caja,
                QObject* parent = nullptr);
    // The documents still in the box (given out by no voucher).
    bool abrir();
    DataSet& documentos() { return documentos_; }
    int caja() const { return caja_; }

    // The rows given (DataSet rows) as {"documentos": [{FOPA_ID,
    // EGCA_BANCO, EGCA_CUENTA, EGCA_NUMERO, EGCA_MONTO}, …]}, the amount as
    // exact plain decimal text ("1250000.5", Dinero::textoPlano). None selected: the person is told
    // and nothing is chosen.
    std::optional<QVariantMap> elegir(const std::vector<int>& filas);
    const std::optional<QVariantMap>& eleccion() const { return eleccion_; }

signals:
    void cerrar();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    int caja_;
    DataSet documentos_;
    std::optional<QVariantMap> eleccion_;
};

// The receivables of one third party with a balance at a date (today by
// default), oldest first; the text searches prefix and number. Arguments
// "TERC_NIT", "EGRE_FECHA". Choice: {"documentos": [{TIDO_NOMCORTO,
// PREFIJO, NUMERO}]}.
class SeleccionCartera : public Seleccion {
public:
    SeleccionCartera(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                     const QVariantMap& argumentos);
    QString titulo() const override;
    std::vector<ColumnaSeleccion> columnas() const override;
    QString consulta(const QString& texto) const override;
    Eleccion elegir(const RecordRef& fila) const override;

private:
    QString nit_;
    QDate fecha_;
};

}  // namespace cxp
