#include "tests/support/DocumentoPrueba.h"

#include "db/Esquema.h"

namespace prueba {

void crearDocumentoPrueba(fb::Database& db) {
    cxp::esquema::ejecutar(db, {QStringLiteral("documento de prueba"), QStringLiteral(R"(
CREATE SEQUENCE GEN_DOC_PRUEBA;
CREATE TABLE DOC_PRUEBA (
  DOCU_ID      INTEGER NOT NULL PRIMARY KEY,
  TIDO_COD     INTEGER NOT NULL,
  DOCU_PREFIJO VARCHAR(4) NOT NULL,
  DOCU_NUMERO  VARCHAR(8) NOT NULL,
  DOCU_FECHA   DATE NOT NULL,
  DOCU_MONTO   NUMERIC(15,2) NOT NULL,
  DOCU_ANULADO CHAR(1) DEFAULT 'N' NOT NULL,
  CONSTRAINT UQ_DOC_PRUEBA_NUMERO UNIQUE (TIDO_COD, DOCU_PREFIJO, DOCU_NUMERO)
);
CREATE TABLE DOC_PRUEBA_LINEA (
  LINE_ID    INTEGER NOT NULL,
  DOCU_ID    INTEGER NOT NULL REFERENCES DOC_PRUEBA (DOCU_ID),
  LINE_VALOR NUMERIC(15,2) NOT NULL CHECK (LINE_VALOR > 0),
  CONSTRAINT PK_DOC_PRUEBA_LINEA PRIMARY KEY (DOCU_ID, LINE_ID)
);
SET TERM ^ ;
CREATE TRIGGER DOC_PRUEBA_AI FOR DOC_PRUEBA ACTIVE AFTER INSERT AS
BEGIN
  EXECUTE PROCEDURE AVANCE_PREFIJO (NEW.TIDO_COD, NEW.DOCU_PREFIJO, NEW.DOCU_NUMERO);
  EXECUTE PROCEDURE AUDITE_DOCUMENTO (NEW.TIDO_COD, NEW.DOCU_ID, 'I');
END^
CREATE TRIGGER DOC_PRUEBA_AU FOR DOC_PRUEBA ACTIVE AFTER UPDATE AS
BEGIN
  EXECUTE PROCEDURE AUDITE_CAMBIO (NEW.TIDO_COD, OLD.DOCU_ID, NEW.DOCU_ID, OLD.DOCU_ANULADO, NEW.DOCU_ANULADO);
END^
CREATE TRIGGER DOC_PRUEBA_AD FOR DOC_PRUEBA ACTIVE AFTER DELETE AS
BEGIN
  EXECUTE PROCEDURE AUDITE_DOCUMENTO (OLD.TIDO_COD, OLD.DOCU_ID, 'D');
END^
SET TERM ; ^
)")});
    db.executeDirect("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (?, ?, '000001')",
                     {kTipoPrueba, kPrefijoPrueba});
    cxp::esquema::otorgarDerechos(db, cxp::esquema::Base::Compania);
}

namespace {

// PREF_ACTUAL is the number the prefix offers to the next document.
QString siguienteNumero(fb::Database& db) {
    const auto fila = db.queryOne("select PREF_ACTUAL from PREFIJOS where TIDO_COD = ? and PREF_PRE = ?",
                                  {kTipoPrueba, kPrefijoPrueba});
    return fila ? fila->at(0).toString() : QStringLiteral("000001");
}

}  // namespace

Guardado guardarDocumento(fb::Database& db, int lineas) {
    Guardado g;
    cxp::DataSet doc, lineasDs;
    doc.openEmpty(db, "select * from DOC_PRUEBA where 1 = 0");
    doc.setUpdateTable("DOC_PRUEBA", {"DOCU_ID"});
    lineasDs.openEmpty(db, "select * from DOC_PRUEBA_LINEA where 1 = 0");
    lineasDs.setUpdateTable("DOC_PRUEBA_LINEA", {"DOCU_ID", "LINE_ID"});
    doc.addDetail(lineasDs, {"DOCU_ID"}, {"DOCU_ID"});

    doc.append();
    doc.setValue("DOCU_ID", 0);  // held with id 0 until the save
    doc.setValue("TIDO_COD", kTipoPrueba);
    doc.setValue("DOCU_PREFIJO", kPrefijoPrueba);
    doc.setValue("DOCU_NUMERO", siguienteNumero(db));
    doc.setValue("DOCU_FECHA", QDate::currentDate());
    doc.setValue("DOCU_MONTO", cxp::Dinero::desdeEntero(100 * lineas));
    doc.setValue("DOCU_ANULADO", QStringLiteral("N"));
    doc.post();
    for (int i = 1; i <= lineas; ++i) {
        lineasDs.append();
        lineasDs.setValue("LINE_ID", i);
        lineasDs.setValue("LINE_VALOR", cxp::Dinero::desdeEntero(100));
        lineasDs.post();
    }

    cxp::ApplyOptions op;
    // Eight clerks on one prefix at the same instant: each round one of them
    // wins the number, so the last may need as many attempts as there are
    // clerks, plus the update conflicts on the prefix row.
    op.maxAttempts = 40;
    op.beforeApply = [&](fb::Transaction& tr, int intento) {
        g.intentos = intento;
        if (doc.asInt("DOCU_ID") != 0) return;  // the id of an earlier attempt is still free
        const auto id = tr.queryOne("select next value for GEN_DOC_PRUEBA from rdb$database")->at(0);
        doc.edit();
        doc.setValue("DOCU_ID", id);
        doc.post();
    };
    op.onFailure = [&](const fb::DbError& e, int) {
        if (e.kind() != fb::ErrorKind::Unique) return false;
        // Another clerk took the number meanwhile: the next free one.
        ++g.numerosTomados;
        doc.edit();
        doc.setValue("DOCU_NUMERO", siguienteNumero(db));
        doc.post();
        return true;
    };
    doc.applyUpdates(db, op);
    g.numero = doc.asString("DOCU_NUMERO");
    g.id = doc.asInt("DOCU_ID");
    return g;
}

}  // namespace prueba
