// The payables ledger's movements, ageing and reports: on generated data,
// every creditor's movement ties its opening to its closing balance, the
// monthly movement ties for every creditor, the ageing bands of a document
// add up to its balance and the reports agree with the balances; and the
// edges: the opening balance of a creditor without movement, the day
// before the from-date, band limits for 15 and 30 days, agencies, the
// payments of one document.
#include "base/Sql.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>

namespace {

using namespace libro;
using cxp::sql::fecha;
using cxp::sql::texto;

const QString kA = QStringLiteral("900100200");
const QString kB = QStringLiteral("900300400");
const QString kC = QStringLiteral("800111222");
const QString kD = QStringLiteral("79555444");
const QDate kHoy(2026, 3, 15);

class Movimientos : public ::testing::Test {
protected:
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    Libro libro{db};

    void SetUp() override {
        libro.acreedor(kA);
        libro.acreedor(kB, QStringLiteral("02"));
    }

    std::vector<fb::Row> movimiento(const QString& nit, QDate desde, QDate hasta) {
        return db.query(QStringLiteral("select * from movimiento_cxpagar_desde_hasta(%1,%2,%3,0)")
                            .arg(texto(nit), fecha(desde), fecha(hasta)));
    }
    Centavos saldoProveedor(const QString& nit, QDate f) {
        return centavos(db.queryOne(QStringLiteral("select * from saldo_proveedor (%1,%2,0)").arg(texto(nit), fecha(f)))->at(0));
    }
    std::vector<fb::Row> analisis(QDate corte, int dias, int agencia = 0, const QString& nits = QStringLiteral("'','ñ'")) {
        return db.query(QStringLiteral("select * from rep_analisis_cxpagar (%1,'','zz', %2,'N','N','N',%3,%4,0) ")
                            .arg(nits, fecha(corte))
                            .arg(dias)
                            .arg(agencia));
    }
};

// ---------------------------------------------------------------- generated data

class MovimientosGenerados : public Movimientos, public ::testing::WithParamInterface<bool> {
protected:
    const QStringList nits{kA, kB, kC, kD};
    const QDate inicio{2025, 1, 1};

    void SetUp() override {
        Movimientos::SetUp();
        libro.acreedor(kC, QStringLiteral("03"));
        libro.acreedor(kD, QStringLiteral("03"));
        libro.baseNeta(GetParam());
        poblarAlAzar(libro, nits, 7, inicio, 100);
    }
};

TEST_P(MovimientosGenerados, InicialMasDebitosMenosCreditosEsElFinalDeCadaAcreedorYRango) {
    const std::pair<int, int> rangos[] = {{0, 99}, {-10, 5}, {20, 20}, {31, 59}, {60, 140}, {101, 120}};
    int filas = 0;
    for (const QString& nit : nits) {
        for (const auto& [a, b] : rangos) {
            const QDate desde = inicio.addDays(a), hasta = inicio.addDays(b);
            SCOPED_TRACE(QStringLiteral("%1 %2..%3").arg(nit, desde.toString(), hasta.toString()).toStdString());
            const Centavos inicial = libro.saldoAcreedor(nit, desde.addDays(-1));
            const Centavos final = libro.saldoAcreedor(nit, hasta);
            EXPECT_EQ(saldoProveedor(nit, desde.addDays(-1)), inicial);
            Centavos corrido = inicial;
            QDate anterior = desde;
            for (const fb::Row& r : movimiento(nit, desde, hasta)) {
                EXPECT_EQ(centavos(r["INICIAL"]), inicial);
                const Centavos debito = centavos(r["DEBITO"]), credito = centavos(r["CREDITO"]);
                EXPECT_TRUE(debito >= 0 && credito >= 0 && (debito == 0 || credito == 0));
                corrido += debito - credito;
                EXPECT_EQ(centavos(r["SALDO"]), corrido);
                const QDate f = r["FECHA"].toDate();
                EXPECT_TRUE(f >= anterior && f <= hasta);  // in date order, inside the range
                anterior = f;
                EXPECT_FALSE(r["TIPODOC"].toString().isEmpty());
                ++filas;
            }
            EXPECT_EQ(corrido, final);
        }
    }
    EXPECT_GT(filas, 100);
}

TEST_P(MovimientosGenerados, MovimientoMensualCuadraConLosSaldosDeCadaAcreedor) {
    const std::pair<int, int> rangos[] = {{0, 30}, {31, 59}, {45, 99}, {200, 230}};
    for (const auto& [a, b] : rangos) {
        const QDate desde = inicio.addDays(a), hasta = inicio.addDays(b);
        std::map<QString, fb::Row> porNit;
        for (const fb::Row& r : db.query(QStringLiteral("select * from movimiento_cxpagar_mes (%1,%2,0)").arg(fecha(desde), fecha(hasta))))
            porNit[r["NIT"].toString()] = r;
        for (const QString& nit : nits) {
            SCOPED_TRACE(QStringLiteral("%1 %2..%3").arg(nit, desde.toString(), hasta.toString()).toStdString());
            const Centavos inicial = libro.saldoAcreedor(nit, desde.addDays(-1)), final = libro.saldoAcreedor(nit, hasta);
            Centavos debitos = 0, creditos = 0;
            for (const auto& [k, d] : libro.documentos()) {
                if (d.nit != nit || !libro.enLibro(d) || d.fecha < desde || d.fecha > hasta) continue;
                const Centavos monto = d.signo * (libro.neta() ? d.neto() : d.bruto);
                (monto > 0 ? debitos : creditos) += std::abs(monto);
            }
            const auto it = porNit.find(nit);
            if (inicial == 0 && final == 0 && debitos == 0 && creditos == 0) {
                EXPECT_TRUE(it == porNit.end());
                continue;
            }
            ASSERT_TRUE(it != porNit.end());
            const fb::Row& r = it->second;
            EXPECT_EQ(centavos(r["INICIAL"]), inicial);
            EXPECT_EQ(centavos(r["FINAL"]), final);
            EXPECT_EQ(centavos(r["DEBITOS"]), debitos);
            EXPECT_EQ(centavos(r["CREDITOS"]), creditos);
            EXPECT_EQ(centavos(r["ABONOS"]), inicial + debitos - creditos - final);
            EXPECT_EQ(r["NOMBRE"].toString(), QStringLiteral("ACREEDOR ") + nit);
        }
    }
}

TEST_P(MovimientosGenerados, LasBandasDeCadaDocumentoSumanSuSaldoYLosAcreedoresSuSaldo) {
    for (int dias : {15, 30}) {
        for (int d = 10; d <= 130; d += 40) {
            const QDate corte = inicio.addDays(d);
            std::map<QString, Centavos> total;
            std::map<QString, int> filasPorNit;
            for (const fb::Row& r : analisis(corte, dias)) {
                const QString nit = r["NIT"].toString();
                ++filasPorNit[nit];
                const Centavos saldo = centavos(r["SALDO"]);
                const Centavos bandas[] = {centavos(r["CORRIENTE"]), centavos(r["CERO"]), centavos(r["TREINTA"]),
                                           centavos(r["SESENTA"]), centavos(r["NOVENTA"])};
                int llenas = 0;
                Centavos suma = 0;
                for (Centavos b : bandas) {
                    suma += b;
                    llenas += b != 0;
                }
                EXPECT_EQ(suma, saldo);
                EXPECT_LE(llenas, 1);
                if (r["TIPO"].toInt64() == 0) {
                    EXPECT_EQ(saldo, 0);  // a creditor with nothing open: one row of zeros
                    continue;
                }
                const Documento& doc = libro.doc(int(r["TIPO"].toInt64()), int(r["ID"].toInt64()));
                EXPECT_EQ(saldo, libro.saldoBase(doc, corte));
                const int64_t diasVencido = doc.vence.daysTo(corte);
                EXPECT_EQ(r["DIAS"].toInt64(), diasVencido);
                const int banda = diasVencido < 0 ? 0 : diasVencido <= dias ? 1 : diasVencido <= 2 * dias ? 2
                                                        : diasVencido <= 3 * dias ? 3 : 4;
                EXPECT_EQ(bandas[banda], saldo);
                total[nit] += saldo;
            }
            for (const QString& nit : nits) {
                EXPECT_EQ(total[nit], saldoProveedor(nit, corte)) << nit.toStdString();
                EXPECT_GE(filasPorNit[nit], 1) << nit.toStdString();  // every creditor, at zero too
            }
        }
    }
}

TEST_P(MovimientosGenerados, LosReportesDeCuentasPorPagarCoincidenConLaConsulta) {
    const QDate corte = inicio.addDays(80);
    std::map<QString, Centavos> porNit;
    std::set<std::pair<int64_t, int64_t>> reporte;
    for (const fb::Row& r : db.query(QStringLiteral("select * from rep_cxpagar_proveedor('','zz','','zz',%1,'N','N',0,0)").arg(fecha(corte)))) {
        reporte.insert({r["TIPO"].toInt64(), r["ID"].toInt64()});
        porNit[r["NIT"].toString()] += centavos(r["SALDO"]);
        EXPECT_EQ(centavos(r["DISPONIBLE"]), 10000000000 - saldoProveedor(r["NIT"].toString(), corte));
    }
    std::set<std::pair<int64_t, int64_t>> consulta;
    for (const QString& nit : nits)
        for (const fb::Row& r : db.query(QStringLiteral("select * from cxpagar_proveedor(%1, %2,0)").arg(texto(nit), fecha(corte))))
            consulta.insert({r["TIPO"].toInt64(), r["ID"].toInt64()});
    EXPECT_EQ(reporte, consulta);
    const auto consolidado = db.query(QStringLiteral("select * from rep_cxpagar_consolidadas  ('','zz','','zz',%1,'N','N',0,0)").arg(fecha(corte)));
    EXPECT_EQ(consolidado.size(), size_t(nits.size()));  // those at zero too
    for (const fb::Row& r : consolidado) {
        EXPECT_EQ(centavos(r["SALDO"]), saldoProveedor(r["NIT"].toString(), corte));
        EXPECT_EQ(centavos(r["SALDO"]), porNit[r["NIT"].toString()]);
    }
    // ANALISIS_CXPAGAR: the documents dated in the range with their balance at its end.
    const QDate desde = inicio.addDays(30);
    size_t esperados = 0;
    for (const auto& [k, d] : libro.documentos())
        esperados += libro.enLibro(d) && d.fecha >= desde && d.fecha <= corte;
    const auto filas = db.query(QStringLiteral("SELECT * FROM ANALISIS_CXPAGAR(%1, %2)").arg(fecha(desde), fecha(corte)));
    EXPECT_EQ(filas.size(), esperados);
    Centavos suma = 0, esperado = 0;
    for (const fb::Row& r : filas) suma += centavos(r["SALDO"]);
    for (const auto& [k, d] : libro.documentos())
        if (d.fecha >= desde) esperado += libro.saldoBase(d, corte);
    EXPECT_EQ(suma, esperado);
}

TEST_P(MovimientosGenerados, LosAbonosDeUnDocumentoSonLoQueLeQuitaronLosCruces) {
    const QDate lejos(2030, 1, 1);
    int conAbonos = 0;
    for (const auto& [k, d] : libro.documentos()) {
        if (!libro.enLibro(d)) continue;
        Centavos suma = 0;
        for (const fb::Row& r : db.query(QStringLiteral("select * from abonos_documento_cxpagar(%1, %2) order by FECHA").arg(d.tipo).arg(d.id))) {
            suma += centavos(r["ABONO"]) + centavos(r["RETES"]);
            EXPECT_TRUE(r["TIPOAB"].toInt64() == 62 || r["TIPOAB"].toInt64() == 53);
        }
        conAbonos += suma != 0;
        EXPECT_EQ(suma, d.signo * d.bruto - libro.saldo(d, lejos).bruto) << d.tipo << "/" << d.id;
    }
    EXPECT_GT(conAbonos, 10);
}

INSTANTIATE_TEST_SUITE_P(Bases, MovimientosGenerados, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? std::string("Neta") : std::string("Bruta"); });

// ---------------------------------------------------------------- edges

TEST_F(Movimientos, AcreedorSinMovimientoTieneSaldoInicialCeroYNingunaFila) {
    EXPECT_TRUE(movimiento(kB, kHoy.addDays(-30), kHoy).empty());
    EXPECT_EQ(saldoProveedor(kB, kHoy.addDays(-31)), 0);
    EXPECT_EQ(saldoProveedor(QStringLiteral("NO EXISTE"), kHoy), 0);  // zero, not empty
}

TEST_F(Movimientos, ElSaldoInicialEsDelDiaAnteriorALaFechaDesde) {
    libro.cargo(kA, kHoy.addDays(-1), 1000);
    Documento& c = libro.cargo(kA, kHoy, 5000);
    libro.egreso(kA, kHoy, {{51, c.id, 2000}});
    const auto filas = movimiento(kA, kHoy, kHoy);
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(centavos(filas[0]["INICIAL"]), 1000);  // the charge of the day before, not today's
    EXPECT_EQ(filas[0]["TIPODOC"].toString(), QStringLiteral("NDPROV"));
    EXPECT_EQ(centavos(filas[0]["DEBITO"]), 5000);
    EXPECT_EQ(filas[1]["TIPODOC"].toString(), QStringLiteral("EGRESO"));
    EXPECT_EQ(centavos(filas[1]["CREDITO"]), 2000);
    EXPECT_EQ(filas[1]["CONCEPTO"].toString(), QStringLiteral("PAGO"));
    EXPECT_EQ(centavos(filas[1]["SALDO"]), 4000);
    EXPECT_EQ(filas[0]["NUMPROV"].toString(), QStringLiteral("P-") + c.numero);
}

// A document 0, 15, 16, 30, 31, 45, 46, 60, 61, 90 and 91 days past due, and
// one not yet due, in the bands of 15 and of 30 days.
TEST_F(Movimientos, LimitesDeLasBandasDe15Y30Dias) {
    const int vencidos[] = {-1, 0, 15, 16, 30, 31, 45, 46, 60, 61, 90, 91};
    std::map<int64_t, int> diasPorId;
    for (int v : vencidos) diasPorId[libro.cargo(kA, kHoy.addDays(-v - 5), 100, 0, {}, 5).id] = v;
    const struct {
        int ancho;
        std::map<int, const char*> banda;
    } casos[] = {
        {15, {{-1, "CORRIENTE"}, {0, "CERO"}, {15, "CERO"}, {16, "TREINTA"}, {30, "TREINTA"}, {31, "SESENTA"},
              {45, "SESENTA"}, {46, "NOVENTA"}, {60, "NOVENTA"}, {61, "NOVENTA"}, {90, "NOVENTA"}, {91, "NOVENTA"}}},
        {30, {{-1, "CORRIENTE"}, {0, "CERO"}, {15, "CERO"}, {16, "CERO"}, {30, "CERO"}, {31, "TREINTA"},
              {45, "TREINTA"}, {46, "TREINTA"}, {60, "TREINTA"}, {61, "SESENTA"}, {90, "SESENTA"}, {91, "NOVENTA"}}},
    };
    for (const auto& caso : casos) {
        for (const fb::Row& r : analisis(kHoy, caso.ancho)) {
            if (r["NIT"].toString() != kA) continue;
            const int v = diasPorId.at(r["ID"].toInt64());
            SCOPED_TRACE(QStringLiteral("%1 días de ancho, %2 vencido").arg(caso.ancho).arg(v).toStdString());
            EXPECT_EQ(r["DIAS"].toInt64(), v);
            EXPECT_EQ(centavos(r[QLatin1String(caso.banda.at(v))]), 100);
        }
    }
}

TEST_F(Movimientos, AnalisisPorFechaDelDocumentoYPorAgencia) {
    db.executeDirect("insert into PREFIJOS (TIDO_COD, PREF_PRE, SUCU_ID) values (51, 'BOG', 1)");
    Documento& c = libro.cargo(kA, kHoy.addDays(-40), 100, 0, {}, 30);
    db.executeDirect("update NOTAS_DEBITO_PROVEEDOR set PREF_PRE = 'BOG' where NDPR_ID = ?", {c.id});
    libro.factura(kB, kHoy.addDays(-10), 300);
    auto dias = [&](int agencia) {
        std::map<QString, int64_t> m;
        for (const fb::Row& r : analisis(kHoy, 30, agencia)) m[r["NIT"].toString() + "/" + r["TIPO"].toString()] = r["DIAS"].toInt64();
        return m;
    };
    EXPECT_EQ(dias(0).at(kA + "/51"), 10);  // from its due date
    EXPECT_EQ(dias(1).at(kA + "/51"), 10);
    const auto agencia2 = dias(2);
    EXPECT_FALSE(agencia2.contains(kA + "/51"));  // the prefix is agency 1's
    EXPECT_TRUE(agencia2.contains(kA + "/0"));    // the creditor shows at zero
    EXPECT_TRUE(agencia2.contains(kB + "/21"));   // another module's prefix: every agency
    db.executeDirect("update CONFIGURACION set CONF_VALOR = 'FECHA' where CONF_PROPIEDAD = "
                     "'ANALISIS DE CXPAGAR CON FECHA FACTURA O VENCIMIENTO'");
    EXPECT_EQ(dias(0).at(kA + "/51"), 40);  // from the document's date
    // A range of creditors leaves the others out, with their zero rows.
    for (const fb::Row& r : analisis(kHoy, 30, 0, texto(kB) + "," + texto(kB))) EXPECT_EQ(r["NIT"].toString(), kB);
}

TEST_F(Movimientos, DescuentoProntoPagoPendienteYSuPlazoEnElAnalisis) {
    libro.cargo(kA, kHoy.addDays(-20), 100000, 0, {}, 30, 2000, 10);
    const auto filas = analisis(kHoy, 30);
    ASSERT_FALSE(filas.empty());
    EXPECT_EQ(centavos(filas[0]["DTOF"]), 2000);  // past its deadline, still not taken
    EXPECT_EQ(filas[0]["FECDTOF"].toDate(), kHoy.addDays(-10));
    EXPECT_EQ(centavos(filas[0]["SALDOMON"]), 100000);
    EXPECT_TRUE(filas[0]["TRM"].isNull());
}

// In dollars the ageing converts the balance and every band at the
// cut-off's rate; SALDOMON is the balance in the document's own currency,
// and null for a document recorded in another.
TEST_F(Movimientos, AnalisisEnOtraMonedaConvierteSaldoYBandas) {
    const Documento& pesos = libro.cargo(kA, kHoy.addDays(-10), 400000, 0, {}, 0);
    const Documento& dolares = libro.cargo(kA, kHoy.addDays(-70), 1000000, 0, {}, 0);
    db.executeDirect("update NOTAS_DEBITO_PROVEEDOR set NDPR_MONEDA = 840, NDPR_TRM = 5000 where NDPR_ID = ?",
                     {dolares.id});
    db.executeDirect("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) values (0, 840, ?, 4000)",
                     {kHoy.addDays(-1)});
    struct Caso {
        int moneda;
        int id;
        Centavos saldo, banda;
        const char* campoBanda;
        std::optional<Centavos> saldomon;
    } casos[] = {
        {840, pesos.id, 100, 100, "CERO", std::nullopt},
        {840, dolares.id, 250, 250, "SESENTA", 200},
        {0, pesos.id, 400000, 400000, "CERO", 400000},
        {0, dolares.id, 1000000, 1000000, "SESENTA", std::nullopt},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1/%2").arg(c.moneda).arg(c.id).toStdString());
        const auto filas = db.query(QStringLiteral("select * from rep_analisis_cxpagar (%1,%1,'','zz', %2,'N','N','N',30,0,%3) "
                                                   "where ID = %4")
                                        .arg(texto(kA), fecha(kHoy))
                                        .arg(c.moneda)
                                        .arg(c.id));
        ASSERT_EQ(filas.size(), 1u);
        EXPECT_EQ(centavos(filas[0]["SALDO"]), c.saldo);
        EXPECT_EQ(centavos(filas[0][QString::fromLatin1(c.campoBanda)]), c.banda);
        if (c.saldomon)
            EXPECT_EQ(centavos(filas[0]["SALDOMON"]), *c.saldomon);
        else
            EXPECT_TRUE(filas[0]["SALDOMON"].isNull());
    }
    // No rate on or before the cut-off: refused, never pesos shown as dollars.
    EXPECT_THROW(db.query(QStringLiteral("select * from rep_analisis_cxpagar ('','zz','','zz', %1,'N','N','N',30,0,840)")
                              .arg(fecha(kHoy.addDays(-2)))),
                 fb::DbError);
}

// The ageing covers every third party with payables, with or without a
// creditor record, so that it reconciles with SALDO_PROVEEDOR.
TEST_F(Movimientos, AnalisisCubreTercerosSinRegistroDeAcreedor) {
    const QString sinRegistro = QStringLiteral("900555666"), cliente = QStringLiteral("900777888");
    for (const QString& nit : {sinRegistro, cliente})
        db.executeDirect("insert into TERCEROS (TERC_NIT, TERC_NOM) values (?, 'SIN REGISTRO')", {nit});
    libro.cargo(kA, kHoy.addDays(-5), 10000);
    libro.factura(sinRegistro, kHoy.addDays(-40), 70000);
    libro.cargo(sinRegistro, kHoy.addDays(-3), 5000);
    std::map<QString, Centavos> porNit;
    for (const fb::Row& r : analisis(kHoy, 30)) porNit[r["NIT"].toString()] += centavos(r["SALDO"]);
    for (const QString& nit : {kA, kB, sinRegistro})
        EXPECT_EQ(porNit[nit], saldoProveedor(nit, kHoy)) << nit.toStdString();
    EXPECT_EQ(porNit[sinRegistro], 75000);
    EXPECT_FALSE(porNit.count(cliente)) << "a third party without payables is not listed";
    // Its documents fall in the group range that starts at the beginning.
    const auto conGrupo = db.query(QStringLiteral("select * from rep_analisis_cxpagar ('','zz','01','zz', %1,'N','N','N',30,0,0)")
                                       .arg(fecha(kHoy)));
    for (const fb::Row& r : conGrupo) EXPECT_NE(r["NIT"].toString(), sinRegistro);
}

// The opening and closing balances of the movement in another currency are
// at the rate of its rows: opening + debits - credits = closing.
TEST_F(Movimientos, SaldosDelMovimientoEnOtraMonedaALaTasaDeSusFilas) {
    libro.cargo(kA, kHoy.addDays(-30), 400000);
    const Documento& c = libro.cargo(kA, kHoy, 800000);
    libro.egreso(kA, kHoy, {{51, c.id, 200000}});
    db.executeDirect("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) values (0, 840, ?, 5000)",
                     {kHoy.addDays(-10)});
    db.executeDirect("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) values (0, 840, ?, 4000)",
                     {kHoy});
    const QDate desde = kHoy.addDays(-5);
    const auto filas = db.query(QStringLiteral("select * from movimiento_cxpagar_desde_hasta(%1,%2,%3,840)")
                                    .arg(texto(kA), fecha(desde), fecha(kHoy)));
    const auto saldos = db.queryOne(QStringLiteral("select * from saldos_movimiento_cxpagar(%1,%2,%3,840)")
                                        .arg(texto(kA), fecha(desde), fecha(kHoy)));
    ASSERT_TRUE(saldos.has_value());
    Centavos inicial = centavos((*saldos)["INICIAL"]), suma = inicial;
    for (const fb::Row& r : filas) suma += centavos(r["DEBITO"]) - centavos(r["CREDITO"]);
    EXPECT_EQ(inicial, 100);
    ASSERT_FALSE(filas.empty());
    EXPECT_EQ(centavos(filas[0]["INICIAL"]), inicial);
    EXPECT_EQ(suma, centavos((*saldos)["FINAL"]));
    EXPECT_EQ(centavos((*saldos)["FINAL"]), 250);
}

}  // namespace
