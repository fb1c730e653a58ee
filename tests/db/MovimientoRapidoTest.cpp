// The movement report by creditor from the stored balances against the
// definition it replaced (script 042's, created here under another name),
// and the withholdings report read off each: the same rows in the same
// order, over generated data with documents before, in and after the range,
// annulled ones, payments and applications, a currency, and crossings of
// older data the database refuses now (before their document, of another
// creditor's document).
#include "base/Sql.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace {

using namespace libro;
using cxp::sql::texto;

QStringList filas(fb::Database& db, const QString& consulta) {
    QStringList r;
    for (const fb::Row& f : db.query(consulta)) {
        QStringList v;
        for (const fb::Value& x : f.values()) v << (x.isNull() ? QStringLiteral("-") : x.toString());
        r << v.join(u'|');
    }
    return r;
}

class MovimientoRapido : public ::testing::TestWithParam<bool> {};

TEST_P(MovimientoRapido, LasMismasFilasQueElMovimientoAnterior) {
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    Libro libro{db};
    libro.baseNeta(GetParam());
    // Ids apart by type, so that no two rows of a day tie in the order.
    int desde = 300000;
    for (const char* s : {"GEN_NOTAS_CREDITO_PROVEEDOR", "GEN_ANTICIPOS_PROVEEDOR", "GEN_APLICACION_PROVEDOR", "GEN_EGRESOS"})
        db.executeDirect(QStringLiteral("alter sequence %1 restart with %2").arg(QLatin1String(s)).arg(desde += 100000));
    const QStringList nits{"900100200", "900300400", "800111222", "79555444", "860000001"};  // the last without documents
    for (int i = 0; i < nits.size(); ++i) libro.acreedor(nits[i], QStringLiteral("0%1").arg(1 + i % 3));
    const QDate inicio(2025, 1, 1);
    poblarAlAzar(libro, nits.mid(0, 4), 20261208, inicio, 150);
    for (int mes = 0; mes < 7; ++mes)
        db.executeDirect("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) values (0, 840, ?, ?)",
                         {inicio.addMonths(mes), dinero(400000 + 3717 * mes)});
    // Older data: payments dated before their charge (one also paid later,
    // one not), and one of another creditor's charge.
    const QDate dia = inicio.addDays(70);
    const int c = libro.cargo(nits[0], dia, 50000).id, antes = libro.cargo(nits[2], dia.addDays(10), 30000).id,
              otro = libro.cargo(nits[1], dia, 40000).id;
    for (const char* t : {"EGRESOS_DETALLE_GUARDIA inactive", "APLICACION_PROV_DET_GUARDIA inactive"})
        db.executeDirect(QStringLiteral("alter trigger ") + QLatin1String(t));
    libro.egreso(nits[0], dia.addDays(-40), {{51, c, 20000}});
    libro.egreso(nits[2], dia.addDays(-20), {{51, antes, 10000}});
    libro.egreso(nits[0], dia.addDays(3), {{51, otro, 1000}, {51, c, 500}});

    const QString movimiento = anterior("042_reportes.sql", "REP_MOVIMIENTO_PROVEEDOR", "MOVIMIENTO_ANTERIOR");
    const QString retencion = anterior("046_reportes_cxpagar.sql", "REP_RETENCION_PROVEEDOR", "RETENCION_ANTERIOR");
    ASSERT_FALSE(movimiento.isEmpty() || retencion.isEmpty());
    db.executeDirect(movimiento);
    db.executeDirect(QString(retencion).replace("FROM REP_MOVIMIENTO_PROVEEDOR", "FROM MOVIMIENTO_ANTERIOR"));

    const struct {
        int desde, hasta;         // days from the start
        const char *nit, *grupo;  // "from,to"
        const char* opciones;     // detail, order, grouping
        int moneda;
        int minimo;               // rows the case must give at least
    } casos[] = {
        {-10, 200, ",zz", ",zz", "'S','C','N'", 0, 100},  // everything: no opening balance
        {30, 75, ",zz", ",zz", "'S','N','Z'", 0, 30},      // documents and crossings before and after
        {76, 95, ",zz", ",zz", "'S','C','C'", 0, 10},
        {100, 149, "8,9", ",zz", "'N','N','Z'", 840, 2},
        {40, 90, ",zz", "03,03", "'S','C','Z'", 840, 10},  // in dollars
        {160, 190, "9,99", ",zz", "'S','N','N'", 0, 2},   // after the last document: one row each
        {0, 20, "A,B", ",zz", "'S','C','N'", 0, 0},        // no creditor
        {90, 60, ",zz", ",zz", "'S','C','N'", 840, 4},     // backwards: the two balances, no rows
    };
    for (const auto& k : casos) {
        const QStringList n = QString(k.nit).split(u','), g = QString(k.grupo).split(u',');
        const QString args = QStringLiteral("(%1, %2, %3, %4, %5, %6, ")
                                 .arg(texto(n[0]), texto(n[1]), texto(g[0]), texto(g[1]),
                                      cxp::sql::fecha(inicio.addDays(k.desde)), cxp::sql::fecha(inicio.addDays(k.hasta)));
        const QString m = args + k.opciones + QStringLiteral(", %1)").arg(k.moneda);
        const QString r = args + k.opciones + QStringLiteral(", 'S', %1)").arg(k.moneda);
        SCOPED_TRACE(m.toStdString());
        const QStringList ahora = filas(db, "select * from REP_MOVIMIENTO_PROVEEDOR" + m);
        EXPECT_EQ(ahora, filas(db, "select * from MOVIMIENTO_ANTERIOR" + m));
        EXPECT_GE(ahora.size(), k.minimo);
        // The withholdings, creditors without any included.
        EXPECT_EQ(filas(db, "select * from REP_RETENCION_PROVEEDOR" + r), filas(db, "select * from RETENCION_ANTERIOR" + r));
    }
}

INSTANTIATE_TEST_SUITE_P(Bases, MovimientoRapido, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? std::string("Neta") : std::string("Bruta"); });

}  // namespace
