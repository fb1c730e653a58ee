#pragma once
// The documents a payment voucher pays (EGRESOS_DETALLE): rows entered by
// type short name, prefix and number and completed from the payables
// lookup, kept within each document's balance with the sign of its kind,
// and the totals, concept and amount they give the voucher's header. The
// voucher's logic owns both DataSets; this class attaches its handlers to
// them and answers what the screen asks.
#include "base/Dinero.h"
#include "data/DataSet.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVariantMap>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class Cxpagar;
class Interaccion;

// EGRE_MONTO: documents paid, plus the surplus, less the receivables crossed.
Dinero montoEgreso(Dinero sumAbono, Dinero excedente, Dinero sumCruce);

class DocumentosPagados {
public:
    static inline const QString kNoEncontrado = QStringLiteral("No se encontró el documento indicado.");
    static inline const QString kPrefijoDistinto =
        QStringLiteral("El prefijo del documento debe coincidir con el prefijo del egreso.");
    static inline const QString kDuplicado = QStringLiteral("El documento a pagar ya existe en este egreso.");
    static inline const QString kMenorQueCero = QStringLiteral("El monto no puede ser menor que cero");
    static inline const QString kMayorQueCero = QStringLiteral("El monto no puede ser mayor que cero");
    static inline const QString kAbonoMenor = QStringLiteral("El monto del abono es menor que el saldo del documento.");
    static inline const QString kAbonoMayor = QStringLiteral("El monto del abono es mayor que el saldo del documento.");
    static inline const QString kSinDocumentos =
        QStringLiteral("No debe registrar pagos a proveedores sin documentos a pagar.");
    static inline const QString kBorrarDocumentos =
        QStringLiteral("Esta seguro de borrar las documentos a pagar digitados?");
    static inline const QString kTipoDesconocido = QStringLiteral("El tipo de documento no existe.");

    // What closing or leaving the panel leaves the screen to do.
    enum class Cierre {
        Documentos,      // rows: header filled (concept, totals, amount); hide the panel
        OtrosConceptos,  // no rows, class 3 allowed: EGRE_TIPO is "3"; hide the panel,
                         // make amount, discount and withholdings editable, focus EGRE_CONC
        SinAcreedor,     // no rows: the creditor was cleared; hide the panel, focus TERC_NIT
        Sigue,           // the person kept the rows: the panel stays
    };

    // The header (EGRESOS) and its documents (EGRESOS_DETALLE, opened with
    // consulta() so that it carries TIDO_NOMCORTO).
    DocumentosPagados(DataSet& egreso, DataSet& detalle, fb::Database& compania, Cxpagar& cxpagar,
                      const Configuracion& configuracion, Interaccion& interaccion);
    DocumentosPagados(const DocumentosPagados&) = delete;
    DocumentosPagados& operator=(const DocumentosPagados&) = delete;

    // The select that opens the rows of a voucher with the type's short
    // name as an editable client column TIDO_NOMCORTO.
    static QString consulta(int64_t egreId);
    // The code of the type with that short name among the types of one
    // ledger (bandera "TIDO_CXP" or "TIDO_CART"); 0 when there is none.
    static int tipoPorNombre(fb::Database& compania, const QString& nomcorto, const QString& bandera);

    // A new voucher: item numbers from 1, no advance registered, nothing settled.
    void reiniciar();
    // After loading the rows of a voucher (the id-0 recovery): item numbers
    // go on after the highest one.
    void cargado();

    // ---- totals over the rows
    Dinero sumAbono() const;
    Dinero sumRtfte() const;
    Dinero sumRtiva() const;
    Dinero sumRtica() const;
    Dinero sumRtcree() const;
    Dinero sumDtof() const;
    // The receivables crossed, as the crossings panel left them.
    Dinero sumCruce() const { return sumCruce_; }
    void setSumCruce(Dinero total) { sumCruce_ = total; }

    // Whether the last row posted settled its document (abono and what goes
    // with it equal to the balance, before any correction).
    bool ultimoSaldado() const { return ultimoSaldado_; }

    // "Cancela "/"Abono " and the rows' documents, 60 characters at most.
    QString componerConcepto() const;
    // EGRE_MONTO by the amount rule (the header must be in edit or insert).
    void aplicarMonto();
    Dinero pagoAnticipos() const;

    // "F2:Continuar" and "Esc:Salir" of the documents panel.
    Cierre cerrarPanel();
    Cierre salirPanel();

    // A picker's choice: {"documentos": [{TIDO_NOMCORTO, PREFIJO, NUMERO}, …]}
    // or one such map. Each becomes a row, checked as if typed; returns the
    // rows that stayed.
    int agregarEleccion(const QVariantMap& eleccion);
    bool agregar(const QString& nomcorto, const QString& prefijo, const QString& numero);

    // Advances registered from this voucher (saved with EGRE_ID 0). Only
    // these are ever deleted by a row delete, the panel's Esc or the close.
    void registrarAnticipo(int64_t anprId) { anticipos_.insert(anprId); }
    const QSet<int64_t>& anticiposRegistrados() const { return anticipos_; }
    // Deletes those still unpaid (EGRE_ID 0); for the screen's close.
    void borrarAnticiposRegistrados();
    // The voucher was saved: its advances now belong to it.
    void anticiposGrabados() { anticipos_.clear(); }

private:
    void nuevaFila(DataSet& d);
    void tipoIngresado(DataSet& d);
    void documentoIngresado(DataSet& d);
    void montoCambiado(DataSet& d);
    void antesDePostear(DataSet& d);
    void despuesDeBorrar(DataSet& d);
    Cierre sinFilas();
    void limpiarDocumento(DataSet& d);
    bool duplicado(const DataSet& d) const;
    // T: abono + discount, and the withholdings unless causation already
    // deducted them.
    Dinero comprometido(const DataSet& d) const;
    QString numeroProveedor(int tipo, int64_t id) const;
    // Registered advances whose row is gone are deleted with it.
    void borrarAnticiposSinFila();

    DataSet& egreso_;
    DataSet& detalle_;
    fb::Database& compania_;
    Cxpagar& cxpagar_;
    const Configuracion& configuracion_;
    Interaccion& interaccion_;
    int ultimoItem_ = 0;
    bool ultimoSaldado_ = false;
    bool ocupado_ = false;  // filling or correcting a row: its own changes run nothing
    // The balance message of a correction made while typing, said on post.
    QString corregido_;
    Dinero sumCruce_;
    QSet<int64_t> anticipos_;
};

}  // namespace cxp
