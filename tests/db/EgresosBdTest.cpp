// The database side of a payment voucher's means of payment and of the
// receivables it crosses: receivables balances at dates, the cash in a
// box, the documents held in a box, the cheque record and its checkbook,
// and the advances a voucher registers.
#include "data/Caja.h"
#include "data/Cartera.h"
#include "data/fb/DbError.h"
#include "db/Esquema.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace {

using namespace libro;
using cxp::Dinero;

Dinero pesos(int64_t p) { return Dinero::desdeEntero(p); }
QDate dia(int m, int d) { return QDate(2026, m, d); }

class EgresosBd : public ::testing::Test {
protected:
    void SetUp() override {
        libro.acreedor(nit);
        libro.acreedor(otro);
        for (const char* sql :
             {"insert into CAJAS (CAJA_ID, CAJA_NOMBRE) values (1, 'PRINCIPAL')",
              "insert into CAJAS (CAJA_ID, CAJA_NOMBRE) values (2, 'CENTRO')",
              "insert into FORMAS_PAGO (FOPA_ID, FOPA_NOM) values (2, 'CHEQUE')",
              "insert into CUENTAS_BANCO (CUBA_COD, CUBA_NUMERO) values (1, '201-1')",
              "insert into PREFIJOS_BANCOS (TIDO_COD, CUBA_COD, PRBA_PREF, PRBA_AUTO, PRBA_NUMERO) "
              "values (72, 1, 'CHA', 'S', '000010')",
              "insert into PREFIJOS_BANCOS (TIDO_COD, CUBA_COD, PRBA_PREF, PRBA_AUTO, PRBA_NUMERO) "
              "values (73, 1, 'RET', 'N', '000001')"})
            db.executeDirect(sql);
    }

    // A voucher of `nit` with one bank document; the number the database
    // kept.
    QString egresoConCheque(int tipo, const fb::Value& pref, const QString& numero, int* id = nullptr) {
        const Cruce& c = libro.egreso(nit, dia(11, 2), {});
        if (id) *id = c.id;
        db.executeDirect("insert into EGRESOS_BANCO (EGRE_ID, EGBC_TIPOBCO, CUBA_COD, PRBA_PREF, EGBC_NUMERO, "
                         "EGBC_FECHA, EGBC_MONTO) values (?, ?, 1, ?, ?, '2026/11/02', 100)",
                         {c.id, tipo, pref, numero});
        return uno("select EGBC_NUMERO from EGRESOS_BANCO where EGRE_ID = ?", {c.id});
    }
    QString numeroChequera(int tipo, const QString& pref) {
        return uno("select PRBA_NUMERO from PREFIJOS_BANCOS where TIDO_COD = ? and PRBA_PREF = ?", {tipo, pref});
    }
    QString uno(const QString& sql, const std::vector<fb::Value>& p = {}) {
        return db.queryOne(sql, p)->at(0).toString();
    }

    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    Libro libro{db};
    prueba::InteraccionGrabada interaccion;
    const QString nit = QStringLiteral("800100200");
    const QString otro = QStringLiteral("800300400");
};

// An invoice of 1,190,000 with 25,000 of withholding, a receipt of 300,000
// on 10/10 and a voucher crossing 200,000 with the withholding on 10/20; a
// crossing of an annulled voucher counts nothing. Then the receivables a
// voucher cannot cross, each with its message.
TEST_F(EgresosBd, CarteraEnFechasYDocumentosQueNoSeCruzan) {
    db.executeDirect("insert into FACTURAS (FACT_ID, PREF_PRE, FACT_NUMERO, TERC_NIT, FACT_FECHA, FACT_MONTO, "
                     "FACT_RTFTE, FACT_SUCURSAL) values (7, 'FV', '00000015', ?, '2026/10/01', 1190000, 25000, 'NORTE')",
                     {nit});
    db.executeDirect("insert into RECIBOS_CAJA (RECA_ID, PREF_PRE, RECA_NUMERO, TERC_NIT, RECA_FECHA, RECA_TIPODOC, "
                     "RECA_IDDOC, RECA_ABONO) values (1, 'RC', '000001', ?, '2026/10/10', 31, 7, 300000)",
                     {nit});
    const Cruce& cruce = libro.egreso(nit, dia(10, 20), {});
    db.executeDirect("insert into EGRESOS_CRUCEC (EGRE_ID, EGCC_ITEM, EGCC_TIPODOC, EGCC_IDDOC, EGCC_ABONO, "
                     "EGCC_RTFTE) values (?, 1, 31, 7, 200000, 25000)",
                     {cruce.id});
    Cruce& anulado = libro.egreso(nit, dia(10, 15), {});
    db.executeDirect("insert into EGRESOS_CRUCEC (EGRE_ID, EGCC_ITEM, EGCC_TIPODOC, EGCC_IDDOC, EGCC_ABONO) "
                     "values (?, 1, 31, 7, 100000)",
                     {anulado.id});
    libro.anular(anulado);

    cxp::Cartera cartera(db, interaccion);
    struct Caso {
        bool neta;
        QDate fecha;
        int64_t saldo;
    };
    const Caso casos[] = {
        {true, dia(9, 30), 0},         {true, dia(10, 1), 1165000}, {true, dia(10, 10), 865000},
        {true, dia(10, 20), 665000},   {false, dia(10, 1), 1190000}, {false, dia(10, 19), 890000},
        {false, dia(10, 20), 665000},
    };
    for (const Caso& c : casos) {
        db.executeDirect("update CONFIGURACION set CONF_VALOR = ? where CONF_MODULO = 'CARTERA' and "
                         "CONF_CATEGORIA = 'SALDOS' and CONF_PROPIEDAD = 'DESCONTAR RETENCIONES POR CAUSACION'",
                         {c.neta ? QStringLiteral("SI") : QStringLiteral("NO")});
        EXPECT_EQ(cartera.saldo_doc_cartera(31, 7, c.fecha), pesos(c.saldo))
            << (c.neta ? "neta " : "bruta ") << c.fecha.toString(Qt::ISODate).toStdString();
    }

    // The lookup on the gross basis, before the crossing: the balance and the
    // withholding still pending, the number typed without its zeros.
    cxp::DocumentoCartera d;
    ASSERT_TRUE(cartera.valide_doc_cartera(nit, 31, "FV", "15", dia(10, 19), d));
    EXPECT_EQ(d.id, 7);
    EXPECT_EQ(d.abono, pesos(890000));
    EXPECT_EQ(d.rtfte, pesos(25000));
    EXPECT_EQ(d.sucursal, "NORTE");
    ASSERT_TRUE(cartera.valide_doc_cartera(nit, 31, "FV", "00000015", dia(10, 20), d));
    EXPECT_EQ(d.rtfte, pesos(0)) << "the crossing took the withholding";
    db.executeDirect("insert into FACTURAS (FACT_ID, PREF_PRE, FACT_NUMERO, TERC_NIT, FACT_FECHA, FACT_MONTO) "
                     "values (9, 'FV', '00000021', ?, '2026/10/01', 500000)", {nit});
    db.executeDirect("insert into PAGOS_CLIENTES (PACL_ID, PREF_PRE, PACL_NUMERO, TERC_NIT, PACL_FECHA, PACL_TIPODOC, "
                     "PACL_IDDOC, PACL_MONTO) values (1, 'PC', '000001', ?, '2026/10/02', 31, 9, 500000)", {nit});
    const auto abiertas = db.query("select NUMERO, SALDO from CARTERA_TERCERO(?, '2026/10/20')", {nit});
    ASSERT_EQ(abiertas.size(), 1u) << "the paid invoice is not open";
    EXPECT_EQ(abiertas[0][0].toString(), "00000015");
    // Receivables a voucher cannot cross: another third party's, dated after
    // the voucher, settled, missing, not a debt, a number too long.
    const std::tuple<QString, int, QString, QDate> rechazos[] = {
        {otro, 31, "15", dia(10, 5)}, {nit, 31, "15", dia(9, 5)}, {nit, 31, "21", dia(10, 5)},
        {nit, 31, "99", dia(10, 5)},  {nit, 42, "15", dia(10, 5)}, {nit, 31, "1234567890", dia(10, 5)},
    };
    for (const auto& [n, tipo, numero, fecha] : rechazos) {
        d.id = 99;
        EXPECT_FALSE(cartera.valide_doc_cartera(n, tipo, "FV", numero, fecha, d)) << tipo << " " << numero.toStdString();
        EXPECT_EQ(d.id, 0);
    }
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << interaccion.mensajes.join('\n').toStdString();
}

// Box 1: 1,000,000 received on 10/1, 200,000 taken to box 2 on 10/5,
// 300,000 paid in cash on 10/10 (and 50,000 by a voucher annulled),
// 100,000 brought by a transfer voucher on 10/12.
TEST_F(EgresosBd, EfectivoEnCajaAlCierreDelDia) {
    db.executeDirect("insert into RECIBOS_CAJA (RECA_ID, PREF_PRE, RECA_NUMERO, RECA_FECHA, CAJA_ID, RECA_EFECTIVO) "
                     "values (1, 'RC', '000001', '2026/10/01', 1, 1000000)");
    db.executeDirect("insert into TRASLADOS_CAJA (TRCJ_ID, PREF_PRE, TRCJ_NUMERO, TRCJ_FECHA, CAJA_ID, TRCJ_CAJADEST, "
                     "TRCJ_MONTO) values (1, 'TC', '000001', '2026/10/05', 1, 2, 200000)");
    const Cruce& pago = libro.egreso(nit, dia(10, 10), {});
    db.executeDirect("insert into EGRESOS_CAJA (EGRE_ID, EGCA_ITEM, CAJA_ID, FOPA_ID, EGCA_MONTO) values (?, 1, 1, 1, 300000)",
                     {pago.id});
    Cruce& anulado = libro.egreso(nit, dia(10, 10), {});
    db.executeDirect("insert into EGRESOS_CAJA (EGRE_ID, EGCA_ITEM, CAJA_ID, FOPA_ID, EGCA_MONTO) values (?, 1, 1, 1, 50000)",
                     {anulado.id});
    libro.anular(anulado);
    const Cruce& traslado = libro.egreso(nit, dia(10, 12), {});
    db.executeDirect("update EGRESOS set EGRE_TIPO = '2', CAJA_ID = 1, EGRE_MONTO = 100000 where EGRE_ID = ?",
                     {traslado.id});

    cxp::Caja caja(db, interaccion);
    const std::pair<QDate, int64_t> casos[] = {{dia(9, 30), 0},        {dia(10, 1), 1000000}, {dia(10, 5), 800000},
                                               {dia(10, 10), 500000},  {dia(10, 12), 600000}};
    for (const auto& [fecha, saldo] : casos)
        EXPECT_EQ(caja.efectivo_caja(1, fecha), pesos(saldo)) << fecha.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(caja.efectivo_caja(2, dia(10, 12)), pesos(200000));
}

// A cheque received held in box 1 leaves with the first voucher that pays
// with it, cannot leave twice, and comes back when that voucher is
// annulled.
TEST_F(EgresosBd, DocumentoEnCajaSaleConElEgresoYVuelveAlAnularlo) {
    db.executeDirect("insert into DOCUMENTOS_PAGO_CAJA (DPCA_ID, CAJA_ID, FOPA_ID, DPCA_BANCO, DPCA_CUENTA, "
                     "DPCA_NUMERO, DPCA_MONTO) values (1, 1, 2, '07', '1234', 'CH-9', 450000)");
    cxp::Caja caja(db, interaccion);
    EXPECT_TRUE(caja.valide_doc_en_caja(2, "07", "1234", "CH-9", 1));
    EXPECT_FALSE(caja.valide_doc_en_caja(2, "07", "1234", "CH-9", 2)) << "another box";
    EXPECT_FALSE(caja.valide_doc_en_caja(2, "07", "1234' or '1'='1", "CH-9", 1));
    EXPECT_EQ(caja.monto_doc_en_caja(2, "07", "1234", "CH-9", 1), pesos(450000));

    const auto pagarCon = [&](int egreso) {
        db.executeDirect("insert into EGRESOS_CAJA (EGRE_ID, EGCA_ITEM, CAJA_ID, FOPA_ID, EGCA_BANCO, EGCA_CUENTA, "
                         "EGCA_NUMERO, EGCA_MONTO) values (?, 1, 1, 2, '07', '1234', 'CH-9', 450000)",
                         {egreso});
    };
    Cruce& primero = libro.egreso(nit, dia(11, 2), {});
    pagarCon(primero.id);
    EXPECT_FALSE(caja.valide_doc_en_caja(2, "07", "1234", "CH-9", 1));
    EXPECT_EQ(caja.monto_doc_en_caja(2, "07", "1234", "CH-9", 1), pesos(0));
    EXPECT_EQ(uno("select DPCA_TIPOSAL || '/' || DPCA_IDSAL from DOCUMENTOS_PAGO_CAJA"), QStringLiteral("62/%1").arg(primero.id));

    const Cruce& segundo = libro.egreso(nit, dia(11, 2), {});
    EXPECT_THROW(pagarCon(segundo.id), fb::DbError);

    libro.anular(primero);
    EXPECT_TRUE(caja.valide_doc_en_caja(2, "07", "1234", "CH-9", 1));
    pagarCon(segundo.id);
    db.executeDirect("delete from EGRESOS_CAJA where EGRE_ID = ?", {segundo.id});
    EXPECT_TRUE(caja.valide_doc_en_caja(2, "07", "1234", "CH-9", 1)) << "a deleted item gives it back";
}

// The cheque record comes with its voucher and the checkbook moves on; an
// automatic checkbook replaces a number taken meanwhile, a manual one
// refuses it.
TEST_F(EgresosBd, ChequeYRetiroConSuEgreso) {
    cxp::Caja caja(db, interaccion);
    int id = 0;
    EXPECT_EQ(egresoConCheque(72, QStringLiteral("CHA"), "000010", &id), "000010");
    EXPECT_EQ(numeroChequera(72, "CHA"), "000011");
    EXPECT_EQ(uno("select CHEQ_NUMERO || '/' || TERC_NIT from CHEQUES where CHEQ_IDEGRESO = ?", {id}), "000010/" + nit);
    EXPECT_TRUE(caja.existe_documento_banco(72, 1, "CHA", "000010"));
    EXPECT_FALSE(caja.existe_documento_banco(73, 1, "CHA", "000010"));

    // Another clerk's cheques 11 and 12 were written meanwhile.
    db.executeDirect("insert into CHEQUES (CHEQ_ID, CUBA_COD, PRBA_PREF, CHEQ_NUMERO) values (-1, 1, 'CHA', '000011')");
    db.executeDirect("insert into CHEQUES (CHEQ_ID, CUBA_COD, PRBA_PREF, CHEQ_NUMERO) values (-2, 1, 'CHA', '000012')");
    EXPECT_EQ(egresoConCheque(72, QStringLiteral("CHA"), "000011"), "000013");
    EXPECT_EQ(numeroChequera(72, "CHA"), "000014");
    EXPECT_EQ(egresoConCheque(72, QStringLiteral("CHA"), ""), "000014") << "an automatic checkbook numbers it";

    EXPECT_EQ(egresoConCheque(73, QStringLiteral("RET"), "000001"), "000001");
    EXPECT_EQ(numeroChequera(73, "RET"), "000002");
    try {
        egresoConCheque(73, QStringLiteral("RET"), "000001");
        ADD_FAILURE() << "a manual number taken was accepted";
    } catch (const fb::DbError& e) {
        EXPECT_TRUE(e.text().contains("El número 000001 ya está registrado en la cuenta bancaria 1, prefijo RET."))
            << e.text().toStdString();
    }
    EXPECT_EQ(uno("select count(*) from RETIROS"), "1");

    // Cheques outside any checkbook (no prefix) are not checked.
    EXPECT_EQ(egresoConCheque(72, fb::Value{}, "000100"), "000100");
    EXPECT_EQ(egresoConCheque(72, fb::Value{}, "000100"), "000100");

    // The annulled voucher's cheque stays used, and annulled.
    libro.anular(libro.cruces().at({62, id}));
    EXPECT_EQ(uno("select CHEQ_ANULADO from CHEQUES where CHEQ_IDEGRESO = ?", {id}), "S");
}

// The voucher, its bank document and a line that fails, in one
// transaction: nothing stays, no cheque and no number used.
TEST_F(EgresosBd, EgresoFallidoNoDejaChequeNiConsumeNumero) {
    {
        fb::Transaction tr = db.begin();
        const int id = int(tr.executeProcedure("CAMBIE_ID_EGRESO")["ID"].toInt64());
        tr.execute("insert into EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, TERC_NIT, EGRE_TIPO) "
                   "values (?, '0000', '000900', '2026/11/02', ?, '1')",
                   {id, nit});
        tr.execute("insert into EGRESOS_BANCO (EGRE_ID, EGBC_TIPOBCO, CUBA_COD, PRBA_PREF, EGBC_NUMERO, EGBC_MONTO) "
                   "values (?, 72, 1, 'CHA', '000010', 100)",
                   {id});
        EXPECT_THROW(tr.execute("insert into EGRESOS_DETALLE (EGRE_ID, EGDE_ITEM, EGDE_TIPODOC, EGDE_IDDOC) "
                                "values (?, 1, 51, null)",
                                {id}),
                     fb::DbError);
    }  // rolled back
    EXPECT_EQ(uno("select count(*) from EGRESOS"), "0");
    EXPECT_EQ(uno("select count(*) from CHEQUES"), "0");
    EXPECT_EQ(numeroChequera(72, "CHA"), "000010");
}

TEST_F(EgresosBd, AnticipoRegistradoDesdeElEgresoTomaSuId) {
    const Documento& anticipo = libro.anticipo(nit, dia(11, 1), 500000);
    const Documento& ajeno = libro.anticipo(nit, dia(11, 1), 300000);  // another clerk's open voucher
    const Cruce& egreso = libro.egreso(nit, dia(11, 1), {}, {anticipo.id});
    const QString egresoDe = "select EGRE_ID from ANTICIPOS_PROVEEDOR where ANPR_ID = ?";
    EXPECT_EQ(uno(egresoDe, {anticipo.id}), QString::number(egreso.id));
    EXPECT_EQ(uno(egresoDe, {ajeno.id}), "0");
}

TEST_F(EgresosBd, PagoDeAportesMarcadoMientrasVivaSuEgreso) {
    db.executeDirect("insert into PAGO_APORTES (PGAP_ID, PGAP_ITEM, PGAP_ADMIN, PGAP_CTACONTA, PGAP_MONTO, "
                     "PGAP_INTMORA) values (5, 1, ?, '237005', 800000, 1200)",
                     {otro});
    Cruce& egreso = libro.egreso(nit, dia(11, 3), {});
    db.executeDirect("update EGRESOS set EGRE_IDAPORTE = 5 where EGRE_ID = ?", {egreso.id});
    const QString pagado = "select PGAP_PAGADO || '/' || EGRE_ID from PAGO_APORTES";
    EXPECT_EQ(uno(pagado), QStringLiteral("S/%1").arg(egreso.id));
    libro.anular(egreso);
    EXPECT_EQ(uno(pagado), "N/0");
}

// The demo company: cash in both boxes, the cheques held, the
// receivable partly paid, the automatic checkbook after the demo's cheque.
TEST(EgresosDemo, CajasChequeraYCartera) {
    prueba::BaseTemporal base(prueba::plantillaCompania());
    fb::Database db = base.conectar();
    cxp::esquema::ejecutar(db, cxp::esquema::guionDemo(cxp::esquema::Base::Compania));
    prueba::InteraccionGrabada interaccion;
    cxp::Caja caja(db, interaccion);
    EXPECT_EQ(caja.efectivo_caja(1, dia(12, 7)), pesos(12823560));
    EXPECT_EQ(caja.efectivo_caja(2, dia(12, 7)), pesos(4000000));
    EXPECT_EQ(caja.monto_doc_en_caja(2, "07", "0012345678", "7788123", 1), pesos(1250000));
    EXPECT_TRUE(caja.existe_documento_banco(72, 1, "CHB", "004512"));

    cxp::Cartera cartera(db, interaccion);
    cxp::DocumentoCartera d;
    ASSERT_TRUE(cartera.valide_doc_cartera("900456789", 31, "FV", "1201", dia(12, 7), d));
    EXPECT_EQ(d.abono, pesos(1785000 - 37500 - 785000));

    EXPECT_EQ(db.queryOne("select PRBA_NUMERO from PREFIJOS_BANCOS where PRBA_PREF = 'CHB'")->at(0).toString(), "004513");
}

}  // namespace
