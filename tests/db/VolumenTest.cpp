// The volume generator: the size asked for, the same rows for the same
// seed, data the ledger's check finds clean under either basis, and a
// history with open, settled, annulled and crossed documents of every kind.
#include "admin/Volumen.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>
#include <functional>
#include <stdexcept>

namespace {

using cxp::admin::OpcionesVolumen;

class Volumen : public ::testing::Test {
protected:
    static OpcionesVolumen opciones(uint32_t semilla) {
        OpcionesVolumen op;
        op.acreedores = 6;
        op.documentos = 1500;
        op.semilla = semilla;
        op.contabilizar = false;  // the posting has a test of its own
        return op;
    }
    static QString huella(fb::Database& db) {
        QStringList partes;
        for (const char* sql : {"select count(*), sum(NDPR_MONTO), max(NDPR_FECHA) from NOTAS_DEBITO_PROVEEDOR",
                                "select count(*), sum(FACO_MONTO), sum(FACO_RTFTEMONTO) from FACTURAS_COMPRA",
                                "select count(*), sum(EGDE_ABONO), sum(EGDE_RTFTE) from EGRESOS_DETALLE",
                                "select count(*), sum(APPD_APLICADO), min(APPD_APLICADO) from APLICACION_PROVEEDOR_DETALLE",
                                "select count(*), sum(ANPR_BASE), max(EGRE_ID) from ANTICIPOS_PROVEEDOR",
                                "select list(TERC_NOM, '|') from (select TERC_NOM from TERCEROS order by TERC_NIT)"})
        {
            const fb::Row fila = *db.queryOne(QString::fromLatin1(sql));
            for (const fb::Value& v : fila.values()) partes << v.toString();
        }
        return partes.join(QLatin1Char(';'));
    }
    static int64_t contar(fb::Database& db, const char* sql) { return db.queryOne(QString::fromLatin1(sql))->at(0).toInt64(); }
};

TEST_F(Volumen, TamanoPedidoMismaSemillaMismasFilasYChequeoLimpio) {
    prueba::BaseTemporal a{prueba::plantillaCompania()}, b{prueba::plantillaCompania()}, c{prueba::plantillaCompania()};
    fb::Database da = a.conectar(), dbb = b.conectar(), dc = c.conectar();
    const auto r = cxp::admin::generarVolumen(da, opciones(11));
    cxp::admin::generarVolumen(dbb, opciones(11));
    cxp::admin::generarVolumen(dc, opciones(12));

    EXPECT_EQ(r.acreedores, 6);
    EXPECT_EQ(r.documentos, 1500);
    const int64_t cabeceras = contar(da, "select (select count(*) from FACTURAS_COMPRA) + (select count(*) from "
                                         "DEVOLUCIONES_COMPRAS) + (select count(*) from NOTAS_DEBITO_PROVEEDOR) + "
                                         "(select count(*) from NOTAS_CREDITO_PROVEEDOR) + (select count(*) from "
                                         "ANTICIPOS_PROVEEDOR) + (select count(*) from EGRESOS) + (select count(*) "
                                         "from APLICACION_PROVEDOR) from rdb$database");
    EXPECT_EQ(cabeceras, 1500);
    EXPECT_EQ(contar(da, "select count(*) from EGRESOS_DETALLE") + contar(da, "select count(*) from APLICACION_PROVEEDOR_DETALLE"),
              r.lineas);
    EXPECT_EQ(huella(da), huella(dbb));
    EXPECT_NE(huella(da), huella(dc));

    // Every kind of document, annulled ones, advances paid out, open and settled debts.
    for (const char* sql : {"select count(*) from FACTURAS_COMPRA", "select count(*) from DEVOLUCIONES_COMPRAS",
                            "select count(*) from NOTAS_DEBITO_PROVEEDOR", "select count(*) from NOTAS_CREDITO_PROVEEDOR",
                            "select count(*) from ANTICIPOS_PROVEEDOR where EGRE_ID <> 0",
                            "select count(*) from APLICACION_PROVEDOR", "select count(*) from EGRESOS where EGRE_ANULADO = 'S'",
                            "select count(*) from NOTAS_DEBITO_PROVEEDOR where NDPR_ANULADO = 'S' or NDPR_DTOFMONTO <> 0",
                            // both agencies' prefixes, dollars, discounts taken, annulled applications, lines
                            "select count(*) from EGRESOS e join PREFIJOS p on p.TIDO_COD = 62 and p.PREF_PRE = e.PREF_PRE "
                            "where p.SUCU_ID = 1",
                            "select count(*) from NOTAS_CREDITO_PROVEEDOR c join PREFIJOS p on p.TIDO_COD = 52 "
                            "and p.PREF_PRE = c.PREF_PRE where p.SUCU_ID = 2",
                            "select count(*) from NOTAS_DEBITO_PROVEEDOR where NDPR_MONEDA = 840 and NDPR_TRM > 1000",
                            "select count(*) from EGRESOS_DETALLE where EGDE_DTOF <> 0",
                            "select count(*) from APLICACION_PROVEDOR where APPR_ANULADO = 'S'",
                            "select count(*) from NOTA_DEBITO_PROV_DET",
                            // an overdue tail: open more than 180 days at the end
                            "select count(*) from rep_analisis_cxpagar ('','zz','','zz', '2026/11/30','N','N','N',60,0,0) "
                            "where NOVENTA <> 0 and DIAS > 180"})
        EXPECT_GT(contar(da, sql), 0) << sql;
    // Skewed sizes: the biggest creditor has several times the smallest's documents.
    EXPECT_GT(contar(da, "select max(N) from (select TERC_NIT, count(*) N from V_DOCUMENTOS_CXPAGAR group by TERC_NIT)"),
              3 * contar(da, "select min(N) from (select TERC_NIT, count(*) N from V_DOCUMENTOS_CXPAGAR group by TERC_NIT)"));
    // Rete-fuente only from the minimum base of the document's year's UVT
    // (the lowest, services': 4 UVT until 2025, 2 UVT of $52,374 in 2026).
    EXPECT_EQ(contar(da, "select count(*) from FACTURAS_COMPRA where FACO_RTFTEMONTO <> 0 and FACO_MONTO < "
                         "iif(extract(year from FACO_FECHA) >= 2026, 2 * 52374, 4 * 36308)"),
              0);
    EXPECT_GT(contar(da, "select count(*) from FACTURAS_COMPRA where FACO_RTFTEMONTO = 0 and FACO_ANULADO = 'N'"), 0);
    EXPECT_GT(contar(da, "select count(*) from cxpagar_proveedor('800000001', '2026/11/30', 0)"), 0);
    EXPECT_GT(contar(da, "select count(*) from cxpagar_proveedor('800000001', '2023/06/30', 0)"), 0);
    EXPECT_GT(contar(da, "select count(*) from ABONOS_DOCUMENTO_CXPAGAR(51, (select min(NDPR_ID) from "
                         "NOTAS_DEBITO_PROVEEDOR where NDPR_ANULADO = 'N'))"),
              0);

    for (const char* base : {"SI", "NO"}) {
        da.executeDirect(QStringLiteral("update CONFIGURACION set CONF_VALOR = '%1' where CONF_PROPIEDAD = "
                                        "'DESCONTAR RETENCIONES POR CAUSACION' and CONF_MODULO = 'CXPAGAR'")
                             .arg(QLatin1String(base)));
        const auto faltas = da.query("select * from CHEQUEO_SALDOS_DOC_CXPAGAR('', 'zz')");
        EXPECT_TRUE(faltas.empty()) << base << ": " << (faltas.empty() ? std::string() : faltas[0]["ERROR"].toString().toStdString());
    }
    // The id procedures continue after the generated rows.
    fb::Transaction tr = da.begin();
    EXPECT_GT(tr.executeProcedure("CAMBIE_ID_EGRESO")["ID"].toInt64(), contar(da, "select max(EGRE_ID) from EGRESOS"));
    tr.rollback();
}

// Every generated charge, discount, application and voucher is posted: each
// ledger voucher balances in both charts, and each creditor's payable and
// advance accounts equal its payables balance at several dates, under
// either withholding basis, once the invoices and returns (which have no
// posting procedure and stay out of the ledger) are taken off it.
TEST_F(Volumen, ContabilizadoCuadraConElSaldoDeCadaAcreedor) {
    for (const char* base : {"SI", "NO"}) {
        SCOPED_TRACE(base);
        prueba::BaseTemporal b{prueba::plantillaCompania()};
        fb::Database db = b.conectar();
        db.executeDirect(QStringLiteral("update CONFIGURACION set CONF_VALOR = '%1' where CONF_PROPIEDAD = "
                                        "'DESCONTAR RETENCIONES POR CAUSACION' and CONF_MODULO = 'CXPAGAR'")
                             .arg(QLatin1String(base)));
        OpcionesVolumen op = opciones(7);
        op.acreedores = 4;
        op.documentos = 500;
        op.contabilizar = OpcionesVolumen{}.contabilizar;  // on by default
        const auto r = cxp::admin::generarVolumen(db, op);
        const int64_t vivos = contar(db, "select (select count(*) from NOTAS_DEBITO_PROVEEDOR where NDPR_ANULADO = 'N') + "
                                         "(select count(*) from NOTAS_CREDITO_PROVEEDOR where NCPR_ANULADO = 'N') + "
                                         "(select count(*) from APLICACION_PROVEDOR where APPR_ANULADO = 'N') + "
                                         "(select count(*) from EGRESOS where EGRE_ANULADO = 'N') from rdb$database");
        EXPECT_GT(vivos, 100);
        EXPECT_EQ(r.contabilizados, vivos);
        EXPECT_EQ(contar(db, "select count(*) from COMPROBANTE_ENCABEZADO"), vivos);
        for (const char* sql : {"select count(*) from (select ENCO_CONSEC from COMPROBANTE_DETALLE group by ENCO_CONSEC "
                                "having sum(CODE_DEBITOS) <> sum(CODE_CREDITOS))",
                                "select count(*) from (select ENCO_CONSEC from COMPROBANTE_DETALLE_NIIF group by "
                                "ENCO_CONSEC having sum(CODE_DEBITOS) <> sum(CODE_CREDITOS))"})
            EXPECT_EQ(contar(db, sql), 0) << sql;
        const QString neta = QLatin1String(base) == QLatin1String("SI") ? QStringLiteral("1") : QStringLiteral("0");
        int conSaldo = 0;
        for (const QDate f : {QDate(2022, 6, 30), QDate(2024, 12, 31), QDate(2026, 11, 30)})
            for (int i = 0; i < op.acreedores; ++i) {
                const QString nit = QString::number(800000000 + i);
                const std::vector<fb::Value> p{nit, f};
                const auto mayor = db.queryOne(
                    "select coalesce(sum(d.CODE_CREDITOS - d.CODE_DEBITOS), 0) from COMPROBANTE_DETALLE d join "
                    "COMPROBANTE_ENCABEZADO e on e.ENCO_CONSEC = d.ENCO_CONSEC where d.TERC_NIT = ? and e.ENCO_FECHA <= ? "
                    "and d.CUEN_COD in ('22050501', '13300501')", p)->at(0).toDecimal().rescaled(-2).unscaled;
                const auto saldo = db.queryOne("select SALDO from SALDO_PROVEEDOR(?, ?, 0)", p)->at(0).toDecimal()
                                       .rescaled(-2).unscaled;
                const auto fuera = db.queryOne(
                    QStringLiteral("select coalesce(sum(SIGNO * (BRUTO - %1 * (RTFTE + RTIVA + RTICA + RCREE))), 0) "
                                   "from V_DOCUMENTOS_CXPAGAR where TIPO in (21, 24) and TERC_NIT = ? and FECHA <= ?")
                        .arg(neta), p)->at(0).toDecimal().rescaled(-2).unscaled;
                EXPECT_EQ(mayor, saldo - fuera) << nit.toStdString() << " " << f.toString(Qt::ISODate).toStdString();
                conSaldo += mayor != 0;
            }
        EXPECT_GT(conSaldo, 6) << "the books hold balances to compare";
    }
}

TEST_F(Volumen, UnaSegundaPasadaContinuaLosNumerosSinChocar) {
    prueba::BaseTemporal a{prueba::plantillaCompania()};
    fb::Database db = a.conectar();
    auto op = opciones(3);
    op.documentos = 300;
    cxp::admin::generarVolumen(db, op);
    op.semilla = 4;
    cxp::admin::generarVolumen(db, op);
    EXPECT_EQ(contar(db, "select count(*) from (select TERC_NIT from TERCEROS group by TERC_NIT)"), 6);
    EXPECT_GT(contar(db, "select count(*) from NOTAS_DEBITO_PROVEEDOR"), 0);
    EXPECT_TRUE(db.query("select * from CHEQUEO_SALDOS_DOC_CXPAGAR('', 'zz')").empty());
}

// The generator never touches a company in use, and whatever happens to a
// load (an error half-way, a process killed with the triggers off) the
// balance triggers end up on and the stored balances right.
TEST_F(Volumen, RechazaUnaCompaniaEnUsoYNuncaDejaLosTriggersApagados) {
    auto inactivos = [](fb::Database& db) {
        return contar(db, "select count(*) from RDB$TRIGGERS where RDB$TRIGGER_NAME like '%_SALDO' "
                          "and RDB$TRIGGER_INACTIVE = 1");
    };
    auto limpio = [](fb::Database& db) { return db.query("select * from CHEQUEO_SALDOS_DOC_CXPAGAR('', 'zz')").empty(); };
    struct Caso {
        const char* que;
        std::function<void(fb::Database&, OpcionesVolumen&)> preparar;
        bool rechazada, falla;
    } casos[] = {
        {"compania en uso",
         [](fb::Database& db, OpcionesVolumen&) {
             db.executeDirect("insert into TERCEROS (TERC_NIT, TERC_NOM) values ('900100200', 'EN USO')");
             db.executeDirect("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, "
                              "NDPR_VENCE, NDPR_MONTO) values (77, '900100200', '0000', '000077', '2026/01/05', "
                              "'2026/02/05', 500)");
         },
         true, false},
        {"falla a mitad de la carga",
         [](fb::Database&, OpcionesVolumen& op) { op.trasLote = [](int64_t) { throw std::runtime_error("cortada"); }; },
         false, true},
        {"carga matada con los triggers apagados",
         [](fb::Database& db, OpcionesVolumen&) {
             db.executeDirect("insert into VOLUMEN_CXPAGAR (VOLU_ID, VOLU_ESTADO) values (1, 'C')");
             db.executeDirect("alter trigger NOTAS_DEBITO_PROVEEDOR_SALDO inactive");
             db.executeDirect("insert into TERCEROS (TERC_NIT, TERC_NOM) values ('900100200', 'A MEDIAS')");
             db.executeDirect("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, "
                              "NDPR_VENCE, NDPR_MONTO) values (77, '900100200', '0000', '000077', '2026/01/05', "
                              "'2026/02/05', 500)");
         },
         false, false},
    };
    for (Caso& c : casos) {
        SCOPED_TRACE(c.que);
        prueba::BaseTemporal base{prueba::plantillaCompania()};
        fb::Database db = base.conectar();
        OpcionesVolumen op = opciones(5);
        op.documentos = 200;
        c.preparar(db, op);
        const int64_t cargosAntes = contar(db, "select count(*) from NOTAS_DEBITO_PROVEEDOR");
        if (c.rechazada) {
            EXPECT_THROW(cxp::admin::generarVolumen(db, op), cxp::admin::VolumenRechazado);
            EXPECT_EQ(contar(db, "select count(*) from NOTAS_DEBITO_PROVEEDOR"), cargosAntes);
            EXPECT_EQ(contar(db, "select count(*) from VOLUMEN_CXPAGAR"), 0);
        } else if (c.falla) {
            EXPECT_THROW(cxp::admin::generarVolumen(db, op), std::runtime_error);
        } else {
            cxp::admin::generarVolumen(db, op);
        }
        EXPECT_EQ(inactivos(db), 0);
        EXPECT_TRUE(limpio(db));
        if (!c.rechazada) {
            EXPECT_EQ(db.queryOne("select VOLU_ESTADO from VOLUMEN_CXPAGAR")->at(0).toString(), "G");
        }
    }
}

}  // namespace
