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

#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace libro;

// The body of `procedimiento` in script `guion`, created as `nombre`.
QString anterior(const char* guion, const QString& procedimiento, const QString& nombre) {
    QFile f(QStringLiteral(":/db/compania/") + QLatin1String(guion));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString texto = QString::fromUtf8(f.readAll());
    const QString inicio = QStringLiteral("CREATE OR ALTER PROCEDURE ") + procedimiento + u' ';
    const qsizetype desde = texto.indexOf(inicio);
    const qsizetype hasta = texto.indexOf(QStringLiteral("\nEND^"), desde);
    if (desde < 0 || hasta < 0) return {};
    return texto.mid(desde, hasta + 4 - desde).replace(inicio, QStringLiteral("CREATE PROCEDURE ") + nombre + u' ');
}

class MovimientoRapido : public ::testing::TestWithParam<bool> {
protected:
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    Libro libro{db};

    QStringList filas(const QString& consulta) {
        QStringList r;
        for (const fb::Row& f : db.query(consulta)) {
            QStringList v;
            for (const fb::Value& x : f.values()) v << (x.isNull() ? QStringLiteral("-") : x.toString());
            r << v.join(u'|');
        }
        return r;
    }
};

TEST_P(MovimientoRapido, LasMismasFilasQueElMovimientoAnterior) {
    libro.baseNeta(GetParam());
    // Ids apart by type, so that no two rows of a day tie in the order.
    for (const auto& [secuencia, desde] : {std::pair{"GEN_NOTAS_CREDITO_PROVEEDOR", 300000},
                                          {"GEN_ANTICIPOS_PROVEEDOR", 400000},
                                          {"GEN_APLICACION_PROVEDOR", 500000},
                                          {"GEN_EGRESOS", 600000}})
        db.executeDirect(QStringLiteral("alter sequence %1 restart with %2").arg(QLatin1String(secuencia)).arg(desde));
    const QStringList nits{QStringLiteral("900100200"), QStringLiteral("900300400"), QStringLiteral("800111222"),
                           QStringLiteral("79555444"), QStringLiteral("860000001")};
    const QStringList grupos{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"), QStringLiteral("03"),
                             QStringLiteral("01")};
    for (int i = 0; i < nits.size(); ++i) libro.acreedor(nits[i], grupos[i]);  // the last one without documents
    const QDate inicio(2025, 1, 1);
    poblarAlAzar(libro, nits.mid(0, 4), 20261208, inicio, 150);
    for (int mes = 0; mes < 7; ++mes)
        db.executeDirect("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) values (0, 840, ?, ?)",
                         {inicio.addMonths(mes), libro::dinero(Centavos(400000 + 3717 * mes))});

    // Older data: payments dated before their charge (one also paid later,
    // one not), and one of another creditor's charge.
    const QDate dia = inicio.addDays(70);
    Documento& c = libro.cargo(nits[0], dia, 50000);
    Documento& antes = libro.cargo(nits[2], dia.addDays(10), 30000);
    Documento& otro = libro.cargo(nits[1], dia, 40000);
    for (const char* t : {"EGRESOS_DETALLE_GUARDIA", "APLICACION_PROV_DET_GUARDIA"})
        db.executeDirect(QStringLiteral("alter trigger %1 inactive").arg(QLatin1String(t)));
    libro.egreso(nits[0], dia.addDays(-40), {{51, c.id, 20000}});
    libro.egreso(nits[2], dia.addDays(-20), {{51, antes.id, 10000}});
    libro.egreso(nits[0], dia.addDays(3), {{51, otro.id, 1000}, {51, c.id, 500}});
    for (const char* t : {"EGRESOS_DETALLE_GUARDIA", "APLICACION_PROV_DET_GUARDIA"})
        db.executeDirect(QStringLiteral("alter trigger %1 active").arg(QLatin1String(t)));

    const QString movimiento = anterior("042_reportes.sql", QStringLiteral("REP_MOVIMIENTO_PROVEEDOR"),
                                        QStringLiteral("MOVIMIENTO_ANTERIOR"));
    QString retencion = anterior("046_reportes_cxpagar.sql", QStringLiteral("REP_RETENCION_PROVEEDOR"),
                                 QStringLiteral("RETENCION_ANTERIOR"));
    ASSERT_FALSE(movimiento.isEmpty());
    ASSERT_FALSE(retencion.isEmpty());
    db.executeDirect(movimiento);
    db.executeDirect(retencion.replace(QStringLiteral("FROM REP_MOVIMIENTO_PROVEEDOR"),
                                       QStringLiteral("FROM MOVIMIENTO_ANTERIOR")));

    const struct {
        int desde, hasta;  // days from the start
        const char* nits;  // "from,to"
        const char* grupos;
        const char* opciones;  // detail, order, grouping
        int moneda;
        int minimo;  // rows the case must give at least
    } casos[] = {
        {-10, 200, ",zz", ",zz", "'S','C','N'", 0, 100},  // everything: no opening balance
        {30, 75, ",zz", ",zz", "'S','N','Z'", 0, 30},      // documents and crossings before and after
        {70, 70, ",zz", ",zz", "'S','C','C'", 0, 5},       // one day
        {76, 95, ",zz", ",zz", "'S','N','N'", 0, 10},
        {100, 149, "8,9", ",zz", "'N','N','Z'", 0, 2},
        {40, 90, ",zz", "03,03", "'S','C','Z'", 840, 10},  // in dollars
        {60, 120, ",zz", ",zz", "'N','C','N'", 840, 5},
        {160, 190, "9,99", ",zz", "'S','N','N'", 0, 2},   // after the last document: one row each
        {0, 20, "A,B", ",zz", "'S','C','N'", 0, 0},        // no creditor
        {90, 60, ",zz", ",zz", "'S','C','N'", 840, 4},     // backwards: the two balances, no rows
    };
    for (const auto& k : casos) {
        const QStringList n = QString::fromLatin1(k.nits).split(u','), g = QString::fromLatin1(k.grupos).split(u',');
        const QString args = QStringLiteral("(%1, %2, %3, %4, %5, %6, %7")
                                 .arg(cxp::sql::texto(n[0]), cxp::sql::texto(n[1]), cxp::sql::texto(g[0]),
                                      cxp::sql::texto(g[1]), cxp::sql::fecha(inicio.addDays(k.desde)),
                                      cxp::sql::fecha(inicio.addDays(k.hasta)), QLatin1String(k.opciones));
        SCOPED_TRACE(args.toStdString());
        const QString m = args + QStringLiteral(", %1)").arg(k.moneda);
        const QStringList antes = filas(QStringLiteral("select * from MOVIMIENTO_ANTERIOR") + m);
        const QStringList ahora = filas(QStringLiteral("select * from REP_MOVIMIENTO_PROVEEDOR") + m);
        EXPECT_EQ(ahora, antes) << ahora.join(u'\n').toStdString() << "\n--\n" << antes.join(u'\n').toStdString();
        EXPECT_GE(ahora.size(), k.minimo);
        // The withholdings, with and without creditors that have none.
        const QString r = args + QStringLiteral(", 'S', %1)").arg(k.moneda);
        EXPECT_EQ(filas(QStringLiteral("select * from REP_RETENCION_PROVEEDOR") + r),
                  filas(QStringLiteral("select * from RETENCION_ANTERIOR") + r));
    }
}

INSTANTIATE_TEST_SUITE_P(Bases, MovimientoRapido, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? std::string("Neta") : std::string("Bruta"); });

}  // namespace
