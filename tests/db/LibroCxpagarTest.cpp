// The payables documents' tables and the ledger's balance model: lookups
// and their error codes, the advance's sign, the configured basis that a
// payment settles exactly, balances at any date against an oracle on
// generated data, creditor balances, and the check.
#include "base/Sql.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace {

using namespace libro;
using cxp::sql::fecha;
using cxp::sql::texto;

const QString kA = QStringLiteral("900100200");
const QString kB = QStringLiteral("900300400");
const QDate kHoy(2026, 3, 15);

class LibroCxpagar : public ::testing::Test {
protected:
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    Libro libro{db};

    void SetUp() override {
        libro.acreedor(kA);
        libro.acreedor(kB, QStringLiteral("02"));
    }

    struct Busqueda {
        int id = -1;
        Centavos saldo = 0, dtof = 0;
        Retenciones rete{};
        int error = -1;
        QString numprov;
    };
    Busqueda buscar(int tipo, const QString& prefijo, const QString& numero, const QString& nit, QDate f,
                    bool aplicacion = false) {
        const auto filas = db.query(QStringLiteral("select * from busca_id_doc_cxpagar%1(%2, %3,%4, %5, %6)")
                                        .arg(aplicacion ? QStringLiteral("_p") : QString())
                                        .arg(tipo)
                                        .arg(texto(prefijo), texto(numero), texto(nit), fecha(f)));
        EXPECT_EQ(filas.size(), 1u);
        if (filas.empty()) return {};
        const fb::Row& r = filas.front();
        return {int(r["ID"].toInt64()), centavos(r["SALDO"]), centavos(r["DTOF"]),
                {centavos(r["RTFTE"]), centavos(r["RTIVA"]), centavos(r["RTICA"]), centavos(r["RCREE"])},
                int(r["ERROR"].toInt64()), r["NUMPROV"].toString()};
    }
    Centavos saldoDoc(int tipo, int id, QDate f, int modo = 1) {
        const auto filas =
            db.query(QStringLiteral("select * from saldo_doc_cxpagar(%1, %2,%3,%4)").arg(tipo).arg(id).arg(fecha(f)).arg(modo));
        EXPECT_EQ(filas.size(), 1u);
        return filas.empty() ? -1 : centavos(filas.front()["SALDO"]);
    }
    Centavos saldoProveedor(const QString& nit, QDate f, int moneda = 0) {
        const auto filas = db.query(
            QStringLiteral("select * from saldo_proveedor (%1,%2,%3)").arg(texto(nit), fecha(f)).arg(moneda));
        EXPECT_EQ(filas.size(), 1u);
        return filas.empty() ? -1 : centavos(filas.front()["SALDO"]);
    }
    std::vector<fb::Row> abiertos(const QString& nit, QDate f, int moneda = 0) {
        return db.query(QStringLiteral("select * from cxpagar_proveedor(%1, %2,%3)").arg(texto(nit), fecha(f)).arg(moneda));
    }
    std::vector<fb::Row> chequeo(const QString& desde = QString(), const QString& hasta = QStringLiteral("zz")) {
        return db.query(QStringLiteral("select * from CHEQUEO_SALDOS_DOC_Cxpagar (%1,%2)").arg(texto(desde), texto(hasta)));
    }
    static std::string describir(const std::vector<fb::Row>& filas) {
        std::string s;
        for (const fb::Row& r : filas)
            s += QStringLiteral("%1/%2 %3%4: %5\n")
                     .arg(r["TIPO"].toString(), r["ID"].toString(), r["PREF"].toString(), r["NUMERO"].toString(),
                          r["ERROR"].toString())
                     .toStdString();
        return s;
    }
};

// ---------------------------------------------------------------- tables

TEST_F(LibroCxpagar, UnTerceroConDocumentosNoSeBorraYLasLineasSeVanConSuDocumento) {
    Documento& c = libro.cargo(kA, kHoy, 100000);
    Cruce& e = libro.egreso(kA, kHoy, {{51, c.id, 40000}});
    EXPECT_THROW(db.executeDirect("delete from TERCEROS where TERC_NIT = ?", {kA}), fb::DbError);
    libro.borrar(e);
    EXPECT_FALSE(db.queryOne("select 1 from EGRESOS_DETALLE where EGRE_ID = ?", {e.id}).has_value());
    db.executeDirect("insert into NOTA_DEBITO_PROV_DET (NDPR_ID, NDPD_ITEM, NDPD_TOTAL) values (?, 1, 5)", {c.id});
    libro.borrar(c);
    EXPECT_FALSE(db.queryOne("select 1 from NOTA_DEBITO_PROV_DET where NDPR_ID = ?", {c.id}).has_value());
    // With its documents gone, the creditor may go.
    db.executeDirect("delete from TERCEROS where TERC_NIT = ?", {kA});
}

TEST_F(LibroCxpagar, NumeroRepetidoEnElPrefijoYPrefijoDeOtroTipoSonRechazados) {
    libro.cargo(kA, kHoy, 1000);
    EXPECT_THROW(db.executeDirect("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, "
                                  "NDPR_FECHA, NDPR_VENCE) values (999, ?, '0000', '000001', ?, ?)",
                                  {kA, kHoy, kHoy}),
                 fb::DbError);
    db.executeDirect("insert into PREFIJOS (TIDO_COD, PREF_PRE) values (52, 'SOLO')");
    EXPECT_THROW(db.executeDirect("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, "
                                  "NDPR_FECHA, NDPR_VENCE) values (999, ?, 'SOLO', '000001', ?, ?)",
                                  {kA, kHoy, kHoy}),
                 fb::DbError);
}

// Every document table writes its audit rows with its type and its
// annulled flag, leaves none while held with id 0, and moves its prefix on.
TEST_F(LibroCxpagar, AuditoriaYConsecutivoDeCadaTablaDeDocumentos) {
    const struct {
        int tipo;
        const char* insertar;  // id, number
        const char* anular;
    } casos[] = {
        {51, "insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE) "
             "values (?, '900100200', '0000', ?, '2026/03/01', '2026/03/01')",
         "update NOTAS_DEBITO_PROVEEDOR set NDPR_ANULADO = 'S' where NDPR_ID = ?"},
        {52, "insert into NOTAS_CREDITO_PROVEEDOR (NCPR_ID, TERC_NIT, PREF_PRE, NCPR_NUMERO, NCPR_FECHA) "
             "values (?, '900100200', '0000', ?, '2026/03/01')",
         "update NOTAS_CREDITO_PROVEEDOR set NCPR_ANULADO = 'S' where NCPR_ID = ?"},
        {53, "insert into APLICACION_PROVEDOR (APPR_ID, TERC_NIT, PREF_PRE, APPR_NUMERO, APPR_FECHA) "
             "values (?, '900100200', '0000', ?, '2026/03/01')",
         "update APLICACION_PROVEDOR set APPR_ANULADO = 'S' where APPR_ID = ?"},
        {55, "insert into ANTICIPOS_PROVEEDOR (ANPR_ID, TERC_NIT, PREF_PRE, ANPR_NUMERO, ANPR_FECHA) "
             "values (?, '900100200', '0000', ?, '2026/03/01')",
         "update ANTICIPOS_PROVEEDOR set ANPR_ANULADO = 'S' where ANPR_ID = ?"},
        {62, "insert into EGRESOS (EGRE_ID, TERC_NIT, PREF_PRE, EGRE_NUMERO, EGRE_FECHA) "
             "values (?, '900100200', '0000', ?, '2026/03/01')",
         "update EGRESOS set EGRE_ANULADO = 'S' where EGRE_ID = ?"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tipo);
        // The operations in order, each by the login that wrote it, today, with the hour.
        auto ops = [&](int id) {
            QStringList s;
            for (const fb::Row& r : db.query("select AUDI_OPER, AUDI_USUARIO = current_user, AUDI_FECHA, "
                                             "AUDI_HORA from AUDITORIA where TIDO_COD = ? and "
                                             "AUDI_IDDOC = ? order by AUDI_ID",
                                             {c.tipo, id})) {
                s << r[0].toString();
                EXPECT_TRUE(r[1].toBool());
                EXPECT_EQ(r[2].toDate(), QDate::currentDate());
                EXPECT_EQ(r[3].toString().size(), 8);
            }
            return s.join(QString());
        };
        db.executeDirect(QString::fromLatin1(c.insertar), {0, QStringLiteral("000007")});
        const auto actual = [&] {
            return db.queryOne("select PREF_ACTUAL from PREFIJOS where TIDO_COD = ? and PREF_PRE = '0000'", {c.tipo})->at(0).toString();
        };
        EXPECT_EQ(db.queryOne("select count(*) from AUDITORIA where TIDO_COD = ? and AUDI_IDDOC = 0", {c.tipo})->at(0).toInt64(), 0);
        EXPECT_EQ(actual(), QStringLiteral("000008"));
        const QString tabla = QString::fromLatin1(c.insertar).section(' ', 2, 2);
        const QString idCol = QString::fromLatin1(c.insertar).section('(', 1, 1).section(',', 0, 0);
        db.executeDirect(QStringLiteral("update %1 set %2 = 41 where %2 = 0").arg(tabla, idCol));
        db.executeDirect(QStringLiteral("update %1 set PREF_PRE = PREF_PRE where %2 = 41").arg(tabla, idCol));
        db.executeDirect(QString::fromLatin1(c.anular), {41});
        db.executeDirect(QStringLiteral("delete from %1 where %2 = 41").arg(tabla, idCol));
        EXPECT_EQ(ops(41), QStringLiteral("IUAD"));
        // Defaults of a row posted without its flags.
        db.executeDirect(QString::fromLatin1(c.insertar), {42, QStringLiteral("000002")});
        EXPECT_EQ(db.queryOne(QStringLiteral("select NUMOK, TIDO_COD from %1 where %2 = 42").arg(tabla, idCol))->at(0).toString(),
                  QStringLiteral("N"));
        EXPECT_EQ(actual(), QStringLiteral("000008")) << "a number typed below the current one leaves the prefix alone";
    }
}

// ---------------------------------------------------------------- lookups

TEST_F(LibroCxpagar, CodigosDeErrorDeLaBusquedaDeDocumentos) {
    Documento& c = libro.cargo(kA, kHoy, 100000);
    Documento& pagado = libro.cargo(kA, kHoy, 50000);
    libro.egreso(kA, kHoy, {{51, pagado.id, 50000}});
    Documento& anulado = libro.cargo(kA, kHoy, 70000);
    libro.anular(anulado);
    const struct {
        const char* caso;
        int tipo;
        QString prefijo, numero, nit;
        QDate fecha;
        int error;
    } casos[] = {
        {"hallado", 51, "0000", c.numero, kA, kHoy, 0},
        {"el mismo día del documento", 51, "0000", c.numero, kA, c.fecha, 0},
        {"número inexistente", 51, "0000", "999999", kA, kHoy, 1},
        {"prefijo de otro", 51, "BOG", c.numero, kA, kHoy, 1},
        {"número corto sin prefijo", 51, "", "1", kA, kHoy, 1},
        {"anulado", 51, "0000", anulado.numero, kA, kHoy, 1},
        {"otro tipo con ese número", 52, "0000", c.numero, kA, kHoy, 1},
        {"de otro acreedor", 51, "0000", c.numero, kB, kHoy, 2},
        {"abono anterior al documento", 51, "0000", c.numero, kA, kHoy.addDays(-1), 3},
        {"totalmente cancelado", 51, "0000", pagado.numero, kA, kHoy, 4},
        {"aplicación", 53, "0000", "000001", kA, kHoy, 5},
        {"egreso", 62, "0000", "000001", kA, kHoy, 5},
        {"orden de servicio", 56, "0000", "000001", kA, kHoy, 5},
    };
    for (const auto& k : casos) {
        for (bool aplicacion : {false, true}) {
            SCOPED_TRACE(std::string(k.caso) + (aplicacion ? " (_p)" : ""));
            const Busqueda b = buscar(k.tipo, k.prefijo, k.numero, k.nit, k.fecha, aplicacion);
            EXPECT_EQ(b.error, k.error);
            if (k.error == 0) {
                EXPECT_EQ(b.id, c.id);
                EXPECT_EQ(b.saldo, 100000);
                EXPECT_EQ(b.numprov, QStringLiteral("P-") + c.numero);
            } else {
                EXPECT_EQ(b.id, 0);  // never the id of a document the caller may not cross
            }
        }
    }
}

TEST_F(LibroCxpagar, ElSignoDelAnticipoSigueAlEgresoQueLoPaga) {
    Documento& a = libro.anticipo(kA, kHoy, 100000, 19000, {2500, 0, 966, 0});
    const Centavos neto = 100000 + 19000 - 2500 - 966;
    // Registered from a voucher still being entered: the amount the voucher
    // pays out, positive, with the link 0 or null alike; owed to nobody.
    for (const char* enlace : {"0", "null"}) {
        db.executeDirect(QStringLiteral("update ANTICIPOS_PROVEEDOR set EGRE_ID = %1 where ANPR_ID = ?").arg(QLatin1String(enlace)),
                         {a.id});
        EXPECT_EQ(saldoDoc(55, a.id, kHoy), neto) << enlace;
        const Busqueda b = buscar(55, "0000", a.numero, kA, kHoy);
        EXPECT_EQ(b.error, 0) << enlace;
        EXPECT_EQ(b.saldo, neto) << enlace;
        EXPECT_EQ(buscar(55, "0000", a.numero, kA, kHoy, true).error, 1) << enlace;
        EXPECT_EQ(saldoProveedor(kA, kHoy), 0) << enlace;
        EXPECT_TRUE(abiertos(kA, kHoy).empty()) << enlace;
    }
    // The voucher's save links it: from then on it is a credit.
    Cruce& e = libro.egreso(kA, kHoy, {}, {a.id});
    EXPECT_EQ(db.queryOne("select EGRE_ID from ANTICIPOS_PROVEEDOR where ANPR_ID = ?", {a.id})->at(0).toInt64(), e.id);
    EXPECT_EQ(saldoDoc(55, a.id, kHoy), -neto);
    EXPECT_EQ(buscar(55, "0000", a.numero, kA, kHoy, true).saldo, -neto);
    EXPECT_EQ(saldoProveedor(kA, kHoy), -neto);
    // Crossed later against a charge: the payout line of its own voucher
    // never counted as a crossing.
    Documento& c = libro.cargo(kA, kHoy, 40000);
    libro.aplicacion(kA, kHoy, {{51, c.id, 40000}, {55, a.id, -40000}});
    EXPECT_EQ(saldoDoc(55, a.id, kHoy), -neto + 40000);
    EXPECT_EQ(saldoProveedor(kA, kHoy), -neto + 40000);
    // A voucher held with id 0 links its advance when it gets its id.
    Documento& a2 = libro.anticipo(kA, kHoy, 5000);
    db.executeDirect("insert into PREFIJOS (TIDO_COD, PREF_PRE) values (62, 'BOG')");
    db.executeDirect("insert into EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, TERC_NIT) "
                     "values (0, 'BOG', '000001', ?, ?)",
                     {kHoy, kA});
    db.executeDirect("insert into EGRESOS_DETALLE (EGRE_ID, EGDE_ITEM, EGDE_TIPODOC, EGDE_IDDOC, EGDE_ABONO) "
                     "values (0, 1, 55, ?, -5000)",
                     {a2.id});
    EXPECT_EQ(db.queryOne("select EGRE_ID from ANTICIPOS_PROVEEDOR where ANPR_ID = ?", {a2.id})->at(0).toInt64(), 0);
    db.executeDirect("update EGRESOS set EGRE_ID = 777777 where EGRE_ID = 0");
    EXPECT_EQ(db.queryOne("select EGRE_ID from ANTICIPOS_PROVEEDOR where ANPR_ID = ?", {a2.id})->at(0).toInt64(), 777777);
}

// The payment screen checks T = abono + discount (+ withholdings when they
// are not taken at causation) against saldo_doc_cxpagar. Paying what the
// lookup proposes, corrected as the screen corrects it, settles the document
// exactly under either basis, at every step of several partial payments.
TEST_F(LibroCxpagar, ElPagoPropuestoCancelaExactamenteEnAmbasBases) {
    for (bool neta : {true, false}) {
        SCOPED_TRACE(neta ? "SI" : "NO");
        libro.baseNeta(neta);
        Documento& c = libro.cargo(kA, kHoy, 1000000, 190000, {25000, 28500, 9660, 4000}, 30, 10000, 10);
        const Centavos bruto = 1190000, neto = 1190000 - 25000 - 28500 - 9660 - 4000;
        Busqueda b = buscar(51, "0000", c.numero, kA, kHoy);
        ASSERT_EQ(b.error, 0);
        EXPECT_EQ(b.saldo, neta ? neto : bruto);
        EXPECT_EQ(b.rete, (Retenciones{25000, 28500, 9660, 4000}));
        EXPECT_EQ(b.dtof, 10000);
        EXPECT_EQ(saldoDoc(51, c.id, kHoy, 0), bruto);
        EXPECT_EQ(saldoDoc(51, c.id, kHoy, 2), neto);

        // A first partial payment of 300000 with the discount and the
        // withholdings the lookup proposes.
        libro.egreso(kA, kHoy, {{51, c.id, 300000, b.dtof, b.rete}});
        const QDate luego = kHoy.addDays(20);  // past the discount's deadline
        b = buscar(51, "0000", c.numero, kA, luego);
        ASSERT_EQ(b.error, 0);
        EXPECT_EQ(b.rete, (Retenciones{}));
        EXPECT_EQ(b.dtof, 0);
        EXPECT_EQ(b.saldo, (neta ? neto : bruto - 67160) - 300000 - 10000);
        // The screen: T = abono + discount (+ withholdings), S the balance;
        // abono corrected to abono + (S - T).
        const Centavos S = saldoDoc(51, c.id, luego);
        Centavos abono = b.saldo;
        const Centavos T = abono + b.dtof + (neta ? 0 : b.rete[0] + b.rete[1] + b.rete[2] + b.rete[3]);
        abono += S - T;
        libro.egreso(kA, luego, {{51, c.id, abono, b.dtof, b.rete}});
        EXPECT_EQ(saldoDoc(51, c.id, luego, 0), 0);
        EXPECT_EQ(saldoDoc(51, c.id, luego, 2), 0);
        EXPECT_EQ(buscar(51, "0000", c.numero, kA, luego).error, 4);
        // Before the second payment it was still open.
        EXPECT_EQ(buscar(51, "0000", c.numero, kA, luego.addDays(-1)).error, 0);
        EXPECT_TRUE(chequeo().empty()) << describir(chequeo());
    }
}

TEST_F(LibroCxpagar, CreditosBuscadosDanSaldoNegativoYLasDevolucionesYFacturasCuentan) {
    Documento& n = libro.descuento(kA, kHoy, 20000, 3800);
    Documento& d = libro.devolucion(kA, kHoy, 5000);
    Documento& f = libro.factura(kA, kHoy, 80000, 0, {}, 45);
    EXPECT_EQ(buscar(52, "0000", n.numero, kA, kHoy).saldo, -23800);
    EXPECT_EQ(buscar(24, "DV", d.numero, kA, kHoy).saldo, -5000);
    const Busqueda bf = buscar(21, "FC", f.numero, kA, kHoy);
    EXPECT_EQ(bf.saldo, 80000);
    EXPECT_EQ(bf.numprov, QStringLiteral("FP") + f.numero);
    EXPECT_EQ(saldoProveedor(kA, kHoy), 80000 - 23800 - 5000);
    // A voucher pays the invoice and takes the credits off it.
    libro.egreso(kA, kHoy, {{21, f.id, 80000}, {52, n.id, -23800}, {24, d.id, -5000}});
    EXPECT_EQ(saldoProveedor(kA, kHoy), 0);
    EXPECT_EQ(buscar(52, "0000", n.numero, kA, kHoy).error, 4);
}

// ---------------------------------------------------------------- creditor balance

TEST_F(LibroCxpagar, ConsultaDeAbiertosConDiasYTipo) {
    Documento& c = libro.cargo(kA, kHoy, 100000, 0, {}, 30);
    const auto filas = abiertos(kA, kHoy.addDays(45));
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0]["TIPO"].toInt64(), 51);
    EXPECT_EQ(filas[0]["ID"].toInt64(), c.id);
    EXPECT_EQ(filas[0]["TIPONOM"].toString(), QStringLiteral("NDPROV"));
    EXPECT_EQ(filas[0]["NOMBRE"].toString(), QStringLiteral("ACREEDOR ") + kA);
    EXPECT_EQ(filas[0]["DIAS"].toInt64(), 15);  // 45 days after a 30-day due date
    EXPECT_EQ(filas[0]["VENCE"].toDate(), kHoy.addDays(30));
    EXPECT_EQ(filas[0]["REFERENCIA"].toString(), QStringLiteral("P-") + c.numero);
    EXPECT_TRUE(abiertos(kA, kHoy.addDays(-1)).empty());  // not yet dated
}

TEST_F(LibroCxpagar, MonedaExtranjeraConLaTasaDeLaFechaOLaAnteriorYSinTasaFalla) {
    libro.cargo(kA, kHoy, 4000000);
    db.executeDirect("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) values (0, 840, ?, 4000)",
                     {kHoy.addDays(-3)});
    EXPECT_EQ(saldoProveedor(kA, kHoy, 840), 1000);
    EXPECT_EQ(centavos(abiertos(kA, kHoy, 840).at(0)["SALDO"]), 1000);
    EXPECT_EQ(saldoProveedor(kA, kHoy, 170), 4000000);
    EXPECT_THROW(saldoProveedor(kA, kHoy, 978), fb::DbError);
    EXPECT_THROW(saldoProveedor(kA, kHoy.addDays(-4), 840), fb::DbError);
}

// ---------------------------------------------------------------- check

TEST_F(LibroCxpagar, ElChequeoReportaCadaFalta) {
    Documento& c = libro.cargo(kA, kHoy, 10000);
    Documento& otro = libro.cargo(kB, kHoy, 10000);
    Documento& n = libro.descuento(kA, kHoy, 3000);
    // Faults of older data: the database refuses a crossing past its document now.
    for (const char* t : {"EGRESOS_DETALLE_GUARDIA", "APLICACION_PROV_DET_GUARDIA"})
        db.executeDirect(QStringLiteral("alter trigger %1 inactive").arg(QLatin1String(t)));
    libro.egreso(kA, kHoy, {{51, c.id, 12000}});                   // past the charge
    libro.egreso(kA, kHoy, {{51, otro.id, 1000}});                 // another creditor's
    libro.egreso(kA, kHoy.addDays(-5), {{52, n.id, -100}});        // before the discount
    libro.aplicacion(kA, kHoy, {{52, n.id, -1000}, {51, c.id, 500}});  // does not add up to 0
    libro.egreso(kA, kHoy, {{51, 424242, 1}});                      // nothing there
    for (const char* t : {"EGRESOS_DETALLE_GUARDIA", "APLICACION_PROV_DET_GUARDIA"})
        db.executeDirect(QStringLiteral("alter trigger %1 active").arg(QLatin1String(t)));
    const auto filas = chequeo();
    const std::string todo = describir(filas);
    auto hay = [&](int tipo, const char* texto) {
        for (const fb::Row& r : filas)
            if (r["TIPO"].toInt64() == tipo && r["ERROR"].toString().contains(QLatin1String(texto))) return true;
        return false;
    };
    EXPECT_TRUE(hay(51, "MAS ALLA")) << todo;
    EXPECT_TRUE(hay(62, "DE OTRO PROVEEDOR")) << todo;
    EXPECT_TRUE(hay(62, "ANTES DE SU FECHA")) << todo;
    EXPECT_TRUE(hay(53, "NO SUMA CERO")) << todo;
    EXPECT_TRUE(hay(62, "NO ESTA EN CARTERA")) << todo;
    EXPECT_EQ(filas.size(), 5u) << todo;
    // The range limits it to the creditors asked for.
    EXPECT_TRUE(chequeo(QStringLiteral("A"), QStringLiteral("B")).empty());
}

// The stored balances follow every change and the check finds any row that
// does not match its recomputation.
TEST_F(LibroCxpagar, SaldosGuardadosSiguenCadaCambioYElChequeoDetectaLosAlterados) {
    auto guardado = [&](int tipo, int id) -> std::optional<Centavos> {
        const auto f = db.queryOne("select SALDON from SALDOS_DOC_CXPAGAR where TIPO = ? and ID = ?", {tipo, id});
        if (!f) return std::nullopt;
        return centavos(f->at(0));
    };
    Documento& c = libro.cargo(kA, kHoy, 100000, 0, {2500, 0, 0, 0});
    EXPECT_EQ(guardado(51, c.id), 97500);
    Cruce& e = libro.egreso(kA, kHoy, {{51, c.id, 40000, 0, {2500, 0, 0, 0}}});
    EXPECT_EQ(guardado(51, c.id), 57500);
    db.executeDirect("update EGRESOS set EGRE_FECHA = ? where EGRE_ID = ?", {kHoy.addDays(3), e.id});
    EXPECT_EQ(db.queryOne("select ULTIMA from SALDOS_DOC_CXPAGAR where TIPO = 51 and ID = ?", {c.id})->at(0).toDate(),
              kHoy.addDays(3));
    libro.anular(e);
    EXPECT_EQ(guardado(51, c.id), 97500);
    Documento& a = libro.anticipo(kA, kHoy, 30000);
    EXPECT_FALSE(guardado(55, a.id));  // owed to nobody yet
    Cruce& pago = libro.egreso(kA, kHoy, {}, {a.id});
    EXPECT_EQ(guardado(55, a.id), -30000);
    libro.aplicacion(kA, kHoy, {{51, c.id, 30000}, {55, a.id, -30000}});
    EXPECT_EQ(guardado(55, a.id), 0);
    EXPECT_EQ(guardado(51, c.id), 67500);
    // Rows from before annulments were refused under live crossings.
    db.executeDirect("alter trigger EGRESOS_ANULACION inactive");
    db.executeDirect("alter trigger NOTAS_DEBITO_PROV_ANULACION inactive");
    libro.anular(pago);
    EXPECT_FALSE(guardado(55, a.id));
    libro.anular(c);
    EXPECT_FALSE(guardado(51, c.id));
    // A charge held with id 0 gets its row when it gets its id.
    db.executeDirect("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, "
                     "NDPR_VENCE, NDPR_MONTO) values (0, ?, '0000', '000900', ?, ?, 700)",
                     {kA, kHoy, kHoy});
    EXPECT_FALSE(guardado(51, 0));
    db.executeDirect("update NOTAS_DEBITO_PROVEEDOR set NDPR_ID = 5150 where NDPR_ID = 0");
    EXPECT_EQ(guardado(51, 5150), 70000);
    // The application crossed an advance that left the ledger with its voucher.
    auto faltas = chequeo();
    EXPECT_EQ(faltas.size(), 2u) << describir(faltas);

    Documento& d = libro.cargo(kB, kHoy, 5000);
    const auto antes = chequeo(kB, kB);
    EXPECT_TRUE(antes.empty()) << describir(antes);
    db.executeDirect("update SALDOS_DOC_CXPAGAR set SALDON = 1 where TIPO = 51 and ID = ?", {d.id});
    db.executeDirect("insert into SALDOS_DOC_CXPAGAR (TIPO, ID, TERC_NIT, FECHA, SIGNO, MONTOB, MONTON, SALDOB, "
                     "SALDON, RTFTE, RTIVA, RTICA, RCREE, DESCUENTO, DTOFPEND, ABIERTO) "
                     "values (52, 9999, ?, ?, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'N')",
                     {kB, kHoy});
    faltas = chequeo(kB, kB);
    const std::string todo = describir(faltas);
    ASSERT_EQ(faltas.size(), 2u) << todo;
    EXPECT_NE(todo.find("SALDO GUARDADO 1.00 RECALCULADO 50.00"), std::string::npos) << todo;
    EXPECT_NE(todo.find("FUERA DE CARTERA"), std::string::npos) << todo;
    db.executeDirect("delete from SALDOS_DOC_CXPAGAR where TIPO = 51 and ID = ?", {d.id});
    EXPECT_NE(describir(chequeo(kB, kB)).find("FALTA SU SALDO GUARDADO"), std::string::npos);
    // The repair makes them again from the movements, for the range only.
    db.executeDirect("update SALDOS_DOC_CXPAGAR set SALDON = 7 where TERC_NIT = ?", {kA});
    db.executeDirect("execute procedure REPARE_SALDOS_CXPAGAR(?, ?)", {kB, kB});
    EXPECT_TRUE(chequeo(kB, kB).empty()) << describir(chequeo(kB, kB));
    EXPECT_EQ(centavos(db.queryOne("select SALDON from SALDOS_DOC_CXPAGAR where TIPO = 51 and ID = ?", {d.id})->at(0)), 5000);
    EXPECT_FALSE(chequeo(kA, kA).empty());  // outside the range: still as it was
}

// The check compares every stored column a consult reads, and each fault
// it reports is repaired by its document; the range repair recomputes a
// row filed under another creditor by its own key instead of dropping it.
TEST_F(LibroCxpagar, ChequeoComparaCadaColumnaGuardadaYLaReparacionEsPorDocumento) {
    Documento& c = libro.cargo(kA, kHoy, 100000, 19000, {2500, 0, 0, 0}, 30, 2000, 10);
    libro.egreso(kA, kHoy.addDays(2), {{51, c.id, 20000}});
    const char* cambios[] = {
        "FECHA = FECHA - 1", "VENCE = VENCE + 1", "FECDTOF = FECDTOF + 1", "ULTIMA = ULTIMA - 1",
        "MONTOB = MONTOB + 1", "MONTON = MONTON + 1", "DESCUENTO = DESCUENTO + 1", "DTOFPEND = DTOFPEND - 1",
        "NUMPROV = 'OTRO'", "CONCEPTO = 'OTRO'", "NUMERO = '999999'", "TRM = 3", "MONEDA = 840",
        "MANDANTE = 'X'", "SIGNO = -1"};
    for (const char* cambio : cambios) {
        SCOPED_TRACE(cambio);
        db.executeDirect(QStringLiteral("update SALDOS_DOC_CXPAGAR set %1 where TIPO = 51 and ID = ?").arg(QLatin1String(cambio)),
                         {c.id});
        const auto faltas = chequeo(kA, kA);
        ASSERT_EQ(faltas.size(), 1u) << describir(faltas);
        db.executeDirect("execute procedure REPARE_SALDO_DOC_CXPAGAR(?, ?)",
                         {faltas[0]["TIPO"].toInt64(), faltas[0]["ID"].toInt64()});
        EXPECT_TRUE(chequeo(kA, kA).empty()) << describir(chequeo(kA, kA));
    }
    // A row filed under creditor B: the repair of B's range puts it back under A.
    db.executeDirect("update SALDOS_DOC_CXPAGAR set TERC_NIT = ? where TIPO = 51 and ID = ?", {kB, c.id});
    db.executeDirect("execute procedure REPARE_SALDOS_CXPAGAR(?, ?)", {kB, kB});
    EXPECT_TRUE(chequeo().empty()) << describir(chequeo());
}

// ---------------------------------------------------------------- generated data

// Several creditors, every kind of document, partial and full payments with
// discounts and withholdings, applications of credits against debts, and
// annulments and deletions; then, at many dates, every document's balance
// against the oracle, the creditor balances against their open documents,
// and the check.
class LibroGenerado : public LibroCxpagar, public ::testing::WithParamInterface<bool> {};

TEST_P(LibroGenerado, SaldosDeDocumentosYAcreedoresEnCualquierFecha) {
    libro.baseNeta(GetParam());
    const QStringList nits{kA, kB, QStringLiteral("800111222"), QStringLiteral("79555444")};
    for (int i = 2; i < nits.size(); ++i) libro.acreedor(nits[i], QStringLiteral("03"));
    const QDate inicio(2025, 1, 1);
    poblarAlAzar(libro, nits, 20261206, inicio, 120);

    int abiertosVistos = 0;
    for (int dia = -1; dia <= 130; dia += 7) {
        const QDate f = inicio.addDays(dia);
        for (auto& [k, d] : libro.documentos()) {
            const Saldo s = libro.saldo(d, f);
            SCOPED_TRACE(QStringLiteral("%1/%2 el %3").arg(d.tipo).arg(d.id).arg(f.toString()).toStdString());
            if (!libro.enLibro(d)) {
                EXPECT_EQ(saldoDoc(d.tipo, d.id, f, 0), 0);  // annulled or deleted: out of the ledger
                continue;
            }
            ASSERT_EQ(saldoDoc(d.tipo, d.id, f, 0), s.bruto);
            EXPECT_EQ(saldoDoc(d.tipo, d.id, f, 2), s.neto);
            // Never past the document in the wrong direction.
            EXPECT_GE(d.signo * s.bruto, 0);
            EXPECT_GE(d.signo * s.neto, 0);
            EXPECT_LE(d.signo * s.bruto, d.bruto);
        }
        for (const QString& nit : nits) {
            Centavos suma = 0;
            for (const fb::Row& r : abiertos(nit, f)) {
                const Centavos saldo = centavos(r["SALDO"]);
                EXPECT_NE(saldo, 0);
                const Documento& d = libro.doc(int(r["TIPO"].toInt64()), int(r["ID"].toInt64()));
                EXPECT_EQ(saldo, libro.saldoBase(d, f));
                const Saldo s = libro.saldo(d, f);
                EXPECT_EQ(centavos(r["RTFTE"]), s.pendiente[0]);
                EXPECT_EQ(centavos(r["RTICA"]), s.pendiente[2]);
                suma += saldo;
                ++abiertosVistos;
            }
            EXPECT_EQ(saldoProveedor(nit, f), suma) << nit.toStdString() << " " << f.toString().toStdString();
            EXPECT_EQ(suma, libro.saldoAcreedor(nit, f));
        }
    }
    EXPECT_GT(abiertosVistos, 50);  // the data did exercise open documents
    const auto faltas = chequeo();
    EXPECT_TRUE(faltas.empty()) << describir(faltas);
}

INSTANTIATE_TEST_SUITE_P(Bases, LibroGenerado, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? std::string("Neta") : std::string("Bruta"); });

}  // namespace
