// The volume generator: the size asked for, the same rows for the same
// seed, data the ledger's check finds clean under either basis, and a
// history with open, settled, annulled and crossed documents of every kind.
#include "admin/Volumen.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace {

using cxp::admin::OpcionesVolumen;

class Volumen : public ::testing::Test {
protected:
    static OpcionesVolumen opciones(uint32_t semilla) {
        OpcionesVolumen op;
        op.acreedores = 6;
        op.documentos = 1500;
        op.semilla = semilla;
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
                            "select count(*) from NOTAS_DEBITO_PROVEEDOR where NDPR_ANULADO = 'S' or NDPR_DTOFMONTO <> 0"})
        EXPECT_GT(contar(da, sql), 0) << sql;
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

}  // namespace
