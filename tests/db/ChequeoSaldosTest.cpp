// The balance check against the one it replaced (script 040's, created here
// under another name as the reference): the same rows, range by range, on
// generated data with faults planted in every document type and in both
// kinds of crossing.
#include "base/Sql.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace {

using namespace libro;

const QString kA = QStringLiteral("900100200");
const QString kB = QStringLiteral("900300400");

class ChequeoSaldos : public ::testing::TestWithParam<bool> {
protected:
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    Libro libro{db};

    QStringList filas(const QString& procedimiento, const QString& desde, const QString& hasta) {
        QStringList r;
        for (const fb::Row& f : db.query(QStringLiteral("select * from %1(%2, %3)")
                                             .arg(procedimiento, cxp::sql::texto(desde), cxp::sql::texto(hasta))))
            r << QStringLiteral("%1/%2 %3-%4: %5")
                     .arg(f["TIPO"].toString(), f["ID"].toString(), f["PREF"].toString(), f["NUMERO"].toString(),
                          f["ERROR"].toString());
        r.sort();
        return r;
    }
    int primero(int tipo, const QString& nit) {
        const auto f = db.queryOne("select min(ID) from SALDOS_DOC_CXPAGAR where TIPO = ? and TERC_NIT = ?", {tipo, nit});
        return f && !f->at(0).isNull() ? int(f->at(0).toInt64()) : 0;
    }
};

TEST_P(ChequeoSaldos, LasMismasFilasQueElChequeoAnterior) {
    libro.baseNeta(GetParam());
    const QStringList nits{kA, kB, QStringLiteral("800111222"), QStringLiteral("79555444")};
    for (const QString& nit : nits) libro.acreedor(nit);
    const QDate inicio(2025, 1, 1);
    poblarAlAzar(libro, nits, 20261207, inicio, 160);
    const QString anterior = libro::anterior("040_procedimientos_usuario.sql", "CHEQUEO_SALDOS_DOC_CXPAGAR", "CHEQUEO_ANTERIOR");
    ASSERT_FALSE(anterior.isEmpty());
    db.executeDirect(anterior);

    // Crossings of older data, past what the database refuses now.
    const QDate hoy = inicio.addDays(170);
    Documento& c = libro.cargo(kA, hoy, 10000);
    Documento& otro = libro.cargo(kB, hoy, 10000);
    Documento& n = libro.descuento(kA, hoy, 3000);
    for (const char* t : {"EGRESOS_DETALLE_GUARDIA", "APLICACION_PROV_DET_GUARDIA"})
        db.executeDirect(QStringLiteral("alter trigger %1 inactive").arg(QLatin1String(t)));
    libro.egreso(kA, hoy, {{51, c.id, 12000}});                               // past the charge
    libro.egreso(kA, hoy, {{51, otro.id, 1000}});                             // another creditor's
    libro.aplicacion(kA, hoy, {{51, otro.id, 500}, {52, n.id, -500}});        // another creditor's
    libro.egreso(kA, hoy.addDays(-5), {{52, n.id, -100}});                    // before the discount
    libro.aplicacion(kA, hoy, {{52, n.id, -1000}, {51, c.id, 500}});          // does not add up to 0
    libro.egreso(kA, hoy, {{51, 424242, 1}});                                 // nothing there
    for (const char* t : {"EGRESOS_DETALLE_GUARDIA", "APLICACION_PROV_DET_GUARDIA"})
        db.executeDirect(QStringLiteral("alter trigger %1 active").arg(QLatin1String(t)));

    // Stored rows edited by hand, one of each document type.
    const struct {
        int tipo;
        const char* nit;
        const char* cambio;  // empty: the row deleted
    } alterados[] = {
        {21, "900100200", "SALDON = SALDON + 1"},
        {24, "900300400", "VENCE = VENCE + 1"},
        {51, "800111222", ""},
        {52, "79555444", "CONCEPTO = 'OTRO'"},
        {55, "900100200", "TERC_NIT = '900300400'"},
        {51, "900300400", "RTICA = RTICA - 1"},
        {21, "79555444", "MONTOB = MONTOB + 1"},
    };
    for (const auto& a : alterados) {
        const int id = primero(a.tipo, QLatin1String(a.nit));
        ASSERT_NE(id, 0) << a.tipo << " " << a.nit;
        const QString cambio = QLatin1String(a.cambio);
        db.executeDirect(cambio.isEmpty() ? QStringLiteral("delete from SALDOS_DOC_CXPAGAR where TIPO = ? and ID = ?")
                                          : QStringLiteral("update SALDOS_DOC_CXPAGAR set %1 where TIPO = ? and ID = ?").arg(cambio),
                         {a.tipo, id});
    }
    db.executeDirect("insert into SALDOS_DOC_CXPAGAR (TIPO, ID, TERC_NIT, FECHA, SIGNO, MONTOB, MONTON, SALDOB, SALDON, "
                     "RTFTE, RTIVA, RTICA, RCREE, DESCUENTO, DTOFPEND, ABIERTO) "
                     "values (52, 9999, ?, ?, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'N')",
                     {kB, hoy});

    const struct {
        const char* desde;
        const char* hasta;
        int minimo;  // rows the range must give at least
    } rangos[] = {{"", "zz", 14}, {"900100200", "900100200", 5}, {"900300400", "900300400", 3},
                  {"8", "9", 1},  {"79555444", "800111222", 3},  {"A", "B", 0}};
    for (const auto& r : rangos) {
        SCOPED_TRACE(QStringLiteral("%1..%2").arg(QLatin1String(r.desde), QLatin1String(r.hasta)).toStdString());
        const QStringList antes = filas(QStringLiteral("CHEQUEO_ANTERIOR"), QLatin1String(r.desde), QLatin1String(r.hasta));
        const QStringList ahora =
            filas(QStringLiteral("CHEQUEO_SALDOS_DOC_CXPAGAR"), QLatin1String(r.desde), QLatin1String(r.hasta));
        EXPECT_EQ(ahora, antes) << ahora.join('\n').toStdString() << "\n--\n" << antes.join('\n').toStdString();
        EXPECT_GE(ahora.size(), r.minimo) << ahora.join('\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Bases, ChequeoSaldos, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? std::string("Neta") : std::string("Bruta"); });

}  // namespace
