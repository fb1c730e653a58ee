// The payables ledger at volume, on the embedded engine: the open documents
// of one creditor (cxpagar_proveedor) and the ageing analysis of every
// creditor (rep_analisis_cxpagar), each timed against the best hand-written
// single query that gives the same rows on the same file, with the ratio;
// the ageing also against one hand-written query over the documents and
// crossings themselves (no stored balances), to show what those buy; and
// the creditor's movement, the monthly movement and the pivot's load.
//
//   bench_cxpagar [acreedores [documentos [semilla]]]     (1000, 1000000, 1)
//
// The generated company database is kept in $CXP_BENCH_CARPETA (by default
// /tmp/cxp-bench-cxpagar) and reused by later runs with the same arguments.
#include "admin/Volumen.h"
#include "base/Sql.h"
#include "db/Esquema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <set>

namespace {

using cxp::sql::fecha;
using cxp::sql::texto;

struct Medida {
    double ms = 0;
    size_t filas = 0;
    std::multiset<QString> claves;
};

// Best of `veces` runs of the query, with its rows reduced to keys.
Medida medir(fb::Database& db, const QString& sql, int veces, const std::function<QString(const fb::Row&)>& clave) {
    Medida m;
    m.ms = 1e18;
    for (int i = 0; i < veces; ++i) {
        QElapsedTimer t;
        t.start();
        const auto filas = db.query(sql);
        m.ms = std::min(m.ms, t.nsecsElapsed() / 1e6);
        if (i == 0) {
            m.filas = filas.size();
            for (const fb::Row& r : filas) m.claves.insert(clave(r));
        }
    }
    return m;
}

QString centavos(const fb::Value& v) { return v.isNull() ? QStringLiteral("null") : v.toDecimal().rescaled(-2).toString(); }

void informe(const char* que, const Medida& proc, const Medida& base, double meta) {
    const double razon = proc.ms / std::max(base.ms, 0.001);
    std::printf("%-44s %10.1f ms  (meta < %.0f ms)  %s\n", que, proc.ms, meta, proc.ms < meta ? "ok" : "LENTO");
    std::printf("%-44s %10.1f ms\n", "  consulta escrita a mano, mismas filas", base.ms);
    std::printf("%-44s %10.2f    (meta <= 2)  %s   filas %zu / %zu %s\n", "  razón", razon, razon <= 2 ? "ok" : "ALTA",
                proc.filas, base.filas, proc.claves == base.claves ? "iguales" : "DISTINTAS");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    cxp::admin::OpcionesVolumen op;
    op.contabilizar = false;  // the consults timed read the payables tables alone
    if (argc > 1) op.acreedores = std::atoi(argv[1]);
    if (argc > 2) op.documentos = std::atoi(argv[2]);
    if (argc > 3) op.semilla = uint32_t(std::atoi(argv[3]));
    fb::Environment::ensure();

    const QString carpeta = qEnvironmentVariableIsEmpty("CXP_BENCH_CARPETA")
                                ? QStringLiteral("/tmp/cxp-bench-cxpagar")
                                : qEnvironmentVariable("CXP_BENCH_CARPETA");
    QDir().mkpath(carpeta);
    const QString ruta = QStringLiteral("%1/volumen-%2-%3-%4.fdb").arg(carpeta).arg(op.acreedores).arg(op.documentos).arg(op.semilla);
    if (!QFileInfo::exists(ruta)) {
        const QString parcial = ruta + QStringLiteral(".parcial");
        QFile::remove(parcial);
        QElapsedTimer t;
        t.start();
        {
            fb::Database db = fb::Database::create({parcial, QStringLiteral("SYSDBA")}, 16384);
            cxp::esquema::actualizar(db, cxp::esquema::Base::Compania);
            QTextStream salida(stdout);
            const auto r = cxp::admin::generarVolumen(db, op, &salida);
            std::printf("generados %d acreedores, %lld documentos, %lld cruces en %.0f s\n", r.acreedores,
                        (long long)r.documentos, (long long)r.lineas, t.elapsed() / 1000.0);
        }
        QFile::rename(parcial, ruta);
    }
    fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
    const QDate corte = op.hasta;

    // A creditor of median size.
    const auto fila = db.queryOne(QStringLiteral(
        "select first 1 skip %1 TERC_NIT from (select TERC_NIT, count(*) N from V_DOCUMENTOS_CXPAGAR group by TERC_NIT) "
        "order by N").arg(op.acreedores / 2));
    if (!fila) {
        std::fprintf(stderr, "sin datos\n");
        return 1;
    }
    const QString nit = fila->at(0).toString();
    const auto docs = db.queryOne(QStringLiteral("select count(*) from V_DOCUMENTOS_CXPAGAR where TERC_NIT = %1").arg(texto(nit)));
    std::printf("base %s\nacreedor %s con %lld documentos en el libro\n", qPrintable(ruta), qPrintable(nit),
                (long long)docs->at(0).toInt64());

    // 1. Open documents of one creditor (balances net of withholdings, the default).
    auto claveDoc = [](const fb::Row& r) {
        return QStringLiteral("%1/%2 %3").arg(r["TIPO"].toString(), r["ID"].toString(), centavos(r["SALDO"]));
    };
    const Medida proc1 = medir(db, QStringLiteral("select * from cxpagar_proveedor(%1, %2,0)").arg(texto(nit), fecha(corte)), 20, claveDoc);
    const QString mano1 = QStringLiteral(
        "select d.TIPO, d.ID, d.SIGNO * (d.BRUTO - d.RTFTE - d.RTIVA - d.RTICA - d.RCREE) "
        "       - coalesce(c.ABONO, 0) - coalesce(c.DTOF, 0) SALDO "
        "from V_DOCUMENTOS_CXPAGAR d "
        "left join (select TIPODOC, IDDOC, sum(ABONO) ABONO, sum(DTOF) DTOF from V_CRUCES_CXPAGAR "
        "           where TERC_NIT = %1 and FECHA <= %2 group by TIPODOC, IDDOC) c "
        "       on c.TIPODOC = d.TIPO and c.IDDOC = d.ID "
        "where d.TERC_NIT = %1 and d.FECHA <= %2 "
        "  and d.SIGNO * (d.BRUTO - d.RTFTE - d.RTIVA - d.RTICA - d.RCREE) - coalesce(c.ABONO, 0) - coalesce(c.DTOF, 0) <> 0")
                              .arg(texto(nit), fecha(corte));
    const Medida base1 = medir(db, mano1, 20, claveDoc);
    informe("cxpagar_proveedor, un acreedor", proc1, base1, 20);

    // 2. Ageing of every creditor, 30-day bands, by due date.
    auto claveAna = [](const fb::Row& r) {
        return QStringLiteral("%1/%2 %3 %4 %5 %6 %7 %8")
            .arg(r["TIPO"].toString(), r["ID"].toString(), centavos(r["SALDO"]), centavos(r["CORRIENTE"]),
                 centavos(r["CERO"]), centavos(r["TREINTA"]), centavos(r["SESENTA"]), centavos(r["NOVENTA"]));
    };
    const Medida proc2 = medir(db,
                               QStringLiteral("select * from rep_analisis_cxpagar ('','ñ','','zz', %1,'N','N','N',30,0,0) "
                                              "where TIPO <> 0")
                                   .arg(fecha(corte)),
                               3, claveAna);
    // The best single query reads the stored balances too, giving back the
    // crossings after the cut-off of a document crossed after it.
    const QString mano2 = QStringLiteral(
        "select x.*, "
        "  iif(x.DIAS < 0, x.SALDO, 0) CORRIENTE, iif(x.DIAS between 0 and 30, x.SALDO, 0) CERO, "
        "  iif(x.DIAS between 31 and 60, x.SALDO, 0) TREINTA, iif(x.DIAS between 61 and 90, x.SALDO, 0) SESENTA, "
        "  iif(x.DIAS > 90, x.SALDO, 0) NOVENTA "
        "from (select p.TERC_NIT NIT, t.TERC_NOM NOMBRE, t.TERC_TEL TELEFONO, t.TERC_CIU CIUDAD, p.GRPR_COD GRUPO, "
        "             g.GRPR_NOM NOMGRUPO, s.TIPO, s.ID, s.PREF_PRE PREFIJO, s.NUMERO, cast(%1 as date) - s.VENCE DIAS, "
        "             s.SALDON + iif(s.ULTIMA > cast(%1 as date), "
        "                 (select coalesce(sum(c.ABONO + c.DTOF), 0) from V_CRUCES_CXPAGAR c "
        "                   where c.TIPODOC = s.TIPO and c.IDDOC = s.ID and c.FECHA > cast(%1 as date)), 0) SALDO, "
        "             s.FECHA FECDOC, s.VENCE, s.NUMPROV, s.FECDTOF "
        "      from PROVEEDORES p "
        "      join TERCEROS t on t.TERC_NIT = p.TERC_NIT "
        "      join SALDOS_DOC_CXPAGAR s on s.TERC_NIT = p.TERC_NIT "
        "       and (s.ABIERTO = 'S' or s.ULTIMA > cast(%1 as date)) and s.FECHA + 0 <= cast(%1 as date) "
        "      left join GRUPOS_PROVEEDORES g on g.GRPR_COD = p.GRPR_COD) x "
        "where x.SALDO <> 0")
                              .arg(fecha(corte));
    const Medida base2 = medir(db, mano2, 3, claveAna);
    informe("rep_analisis_cxpagar, todos los acreedores", proc2, base2, 2000);

    // 3. The same ageing from the documents and the crossings themselves, in
    // one query: what the stored balances save.
    const QString crudo = QStringLiteral(
        "select x.*, "
        "  iif(x.DIAS < 0, x.SALDO, 0) CORRIENTE, iif(x.DIAS between 0 and 30, x.SALDO, 0) CERO, "
        "  iif(x.DIAS between 31 and 60, x.SALDO, 0) TREINTA, iif(x.DIAS between 61 and 90, x.SALDO, 0) SESENTA, "
        "  iif(x.DIAS > 90, x.SALDO, 0) NOVENTA "
        "from (select d.TERC_NIT NIT, d.TIPO, d.ID, cast(%1 as date) - d.VENCE DIAS, "
        "             d.SIGNO * (d.BRUTO - d.RTFTE - d.RTIVA - d.RTICA - d.RCREE) "
        "               - coalesce(c.ABONO, 0) - coalesce(c.DTOF, 0) SALDO "
        "      from V_DOCUMENTOS_CXPAGAR d "
        "      left join (select TIPODOC, IDDOC, sum(ABONO) ABONO, sum(DTOF) DTOF from V_CRUCES_CXPAGAR "
        "                  where FECHA <= cast(%1 as date) group by TIPODOC, IDDOC) c "
        "             on c.TIPODOC = d.TIPO and c.IDDOC = d.ID "
        "      where d.FECHA <= cast(%1 as date)) x "
        "where x.SALDO <> 0")
                              .arg(fecha(corte));
    const Medida base3 = medir(db, crudo, 1, claveAna);
    std::printf("%-44s %10.1f ms   filas %zu %s   (los saldos guardados: %.1f veces más rápido)\n",
                "  desde documentos y cruces, sin saldos", base3.ms, base3.filas,
                base3.claves == proc2.claves ? "iguales" : "DISTINTAS", base3.ms / std::max(proc2.ms, 0.001));

    // 4. The movements and the pivot's rows.
    auto sinClave = [](const fb::Row&) { return QString(); };
    const QDate mes(corte.year(), corte.month(), 1);
    struct Consulta {
        const char* que;
        QString sql;
        double meta;
    } consultas[] = {
        {"movimiento_cxpagar_desde_hasta, un año",
         QStringLiteral("select * from movimiento_cxpagar_desde_hasta(%1,%2,%3,0)")
             .arg(texto(nit), fecha(corte.addYears(-1).addDays(1)), fecha(corte)),
         200},
        {"movimiento_cxpagar_mes, todos", QStringLiteral("select * from movimiento_cxpagar_mes (%1,%2,0)").arg(fecha(mes), fecha(corte)),
         1500},
        {"ANALISIS_CXPAGAR (pivote), un mes", QStringLiteral("SELECT * FROM ANALISIS_CXPAGAR(%1, %2)").arg(fecha(mes), fecha(corte)),
         2000},
    };
    for (const Consulta& c : consultas) {
        const Medida m = medir(db, c.sql, 3, sinClave);
        std::printf("%-44s %10.1f ms  (meta < %.0f ms)  %s   filas %zu\n", c.que, m.ms, c.meta, m.ms < c.meta ? "ok" : "LENTO",
                    m.filas);
    }
    return (proc1.claves == base1.claves && proc2.claves == base2.claves) ? 0 : 1;
}
