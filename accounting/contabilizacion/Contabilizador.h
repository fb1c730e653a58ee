#pragma once
// The posting operations: each calls the database procedure of its document
// kind, which builds a pending voucher (CONTABILIZACION and its lines) for
// the document under the interface definition chosen, then, for documents
// dated in the NIIF opening year or later, the procedure that adds the NIIF
// lines to the same pending voucher. Errors the procedures record in ERRORES
// are shown in one message per stage; the pending voucher id is returned
// whatever the errors, 0 when the procedure gave no row.
#include <QDate>
#include <QString>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class Interaccion;
struct ContextoContabilizacion;

// One kind of document that is posted: its type, the procedures of both
// stages and the ERRORES type of the local stage (the NIIF stage records
// under 31).
struct ClaseContabilizacion {
    int tipo;
    QString procedimiento;
    QString procedimientoNiif;
    int tipoErrores;

    static const ClaseContabilizacion& notadb();    // 51 charge
    static const ClaseContabilizacion& notacr();    // 52 discount
    static const ClaseContabilizacion& aplicapr();  // 53 application
    static const ClaseContabilizacion& egreso();    // 62 payment voucher
    // The one of a document type; null for a type that is not posted here.
    static const ClaseContabilizacion* deTipo(int tipo);
};

class Contabilizador {
public:
    static constexpr int kTipoErroresNiif = 31;
    static inline const QString kEncabezadoErrores =
        QStringLiteral("Se presentaron los siguientes errores en la contabilización: ");
    static inline const QString kNiifOmitido =
        QStringLiteral("Por estos errores no se generó el comprobante NIIF.");

    Contabilizador(fb::Database& compania, Interaccion& interaccion, const Configuracion& configuracion,
                   ContextoContabilizacion& contexto);

    int contabilice_notadb(int id, int interfaz, const QDate& fecha);
    int contabilice_notacr(int id, int interfaz, const QDate& fecha);
    int contabilice_aplicapr(int id, int interfaz, const QDate& fecha);
    int contabilice_egreso(int id, int interfaz, const QDate& fecha);
    int contabilice(const ClaseContabilizacion& clase, int id, int interfaz, const QDate& fecha);

    // The message of the errors recorded for a document under one ERRORES
    // type; empty when there are none.
    QString mensajeErrores(int tipoErrores, int id);
    // Finalizes a pending voucher into a ledger voucher.
    void contabiliza_pendiente(int idcnt);

private:
    // The opening year of the NIIF chart; nothing (after telling the person)
    // when it is missing or no whole number.
    bool anoAperturaNiif(int& ano);

    fb::Database& compania_;
    Interaccion& interaccion_;
    const Configuracion& configuracion_;
    ContextoContabilizacion& contexto_;
};

}  // namespace cxp
