// 200,000 document-like rows of 30 columns inserted in one transaction
// through the access layer, against the same rows through isql-fb reading a
// script of INSERT statements. Both run on the embedded engine with the same
// Firebird root and lock folder. Prints the times and their ratio.
//
//   bench_insercion [filas]
#include "base/Dinero.h"
#include "base/Sql.h"
#include "data/fb/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const char* kTabla =
    "create table DOCUMENTO (ID integer not null primary key, TIPO smallint not null, PREFIJO varchar(4) not null, "
    "NUMERO varchar(8) not null, FECHA date not null, VENCE date, NIT varchar(20) not null, "
    "SUCURSAL varchar(3), CONCEPTO varchar(200), MONTO numeric(15,2), IVA numeric(15,2), "
    "PORC_IVA numeric(15,4), RETEFUENTE numeric(15,2), PORC_RETE numeric(15,4), RETEIVA numeric(15,2), "
    "PORC_RETEIVA numeric(15,4), RETEICA numeric(15,2), PORC_RETEICA numeric(15,4), CREE numeric(15,2), "
    "DESCUENTO numeric(15,2), NETO numeric(15,2), MONEDA varchar(3), TASA numeric(15,4), "
    "CUENTA varchar(20), CENTRO varchar(10), ANULADO char(1), CONTABILIZADO char(1), "
    "USUARIO varchar(31), CREADO timestamp, NOTA varchar(100))";

struct Fila {
    std::vector<fb::Value> valores;
};

cxp::Dinero d(int64_t crudo) { return cxp::Dinero::desdeCrudo(crudo); }

fb::Value dec(const cxp::Dinero& x, int escala) { return fb::Decimal{x.escalado(escala), escala}; }

std::vector<fb::Value> fila(int i) {
    const auto monto = d(int64_t(i % 9973) * 1234500 + 10000);
    const auto iva = monto.porcentaje(cxp::Dinero::desdeEntero(19));
    const auto rete = monto.porcentaje(d(25000));
    const QDate fecha = QDate(2020, 1, 1).addDays(i % 2000);
    return {i,
            51,
            QStringLiteral("CXP"),
            QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')),
            fecha,
            fecha.addDays(30),
            QStringLiteral("%1").arg(800000000 + i % 5000),
            QStringLiteral("001"),
            QStringLiteral("Cargo por servicios de transporte y logística número %1, ñandú").arg(i),
            dec(monto, -2),
            dec(iva, -2),
            dec(cxp::Dinero::desdeEntero(19), -4),
            dec(rete, -2),
            dec(d(25000), -4),
            dec(iva.porcentaje(cxp::Dinero::desdeEntero(15)), -2),
            dec(cxp::Dinero::desdeEntero(15), -4),
            dec(monto.porMil(d(69000)), -2),
            dec(d(69000), -4),
            dec(cxp::Dinero(), -2),
            dec(cxp::Dinero(), -2),
            dec(monto + iva - rete, -2),
            QStringLiteral("COP"),
            dec(cxp::Dinero::desdeEntero(1), -4),
            QStringLiteral("22050501"),
            QStringLiteral("100"),
            QStringLiteral("N"),
            QStringLiteral("S"),
            QStringLiteral("AUXILIAR"),
            QDateTime(fecha, QTime(8, 30, i % 60)),
            QStringLiteral("it's fine")};
}

QString literal(const fb::Value& v) {
    if (v.isNull()) return QStringLiteral("NULL");
    if (v.is<int64_t>()) return QString::number(v.toInt64());
    if (v.is<fb::Decimal>()) return v.toDecimal().toString();
    if (v.is<QDate>()) return cxp::sql::fecha(v.toDate());
    if (v.is<QDateTime>()) return cxp::sql::fechaHora(v.toDateTime());
    return cxp::sql::texto(v.toString());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int filas = argc > 1 ? std::atoi(argv[1]) : 200000;
    fb::Environment::ensure();
    QTemporaryDir dir(QStringLiteral("/tmp/cxp-bench-XXXXXX"));
    const QString rutaCapa = dir.filePath(QStringLiteral("capa.fdb"));
    const QString rutaIsql = dir.filePath(QStringLiteral("isql.fdb"));

    for (const QString& ruta : {rutaCapa, rutaIsql}) {
        fb::Database db = fb::Database::create({ruta, QStringLiteral("SYSDBA")});
        db.executeDirect(QString::fromLatin1(kTabla));
    }

    // Through the layer: one prepared statement, one transaction.
    QElapsedTimer t;
    t.start();
    {
        fb::Database db = fb::Database::attach({rutaCapa, QStringLiteral("SYSDBA")});
        fb::Transaction tr(db);
        fb::Statement st(tr, QStringLiteral("insert into DOCUMENTO values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
                                            "?,?,?,?,?,?,?,?,?,?)"));
        for (int i = 1; i <= filas; ++i) {
            st.bind(fila(i));
            st.execute();
        }
        tr.commit();
    }
    const double segCapa = t.elapsed() / 1000.0;

    // The same rows as a script for isql-fb (written before the clock starts).
    const QString guion = dir.filePath(QStringLiteral("filas.sql"));
    {
        QFile f(guion);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.write("SET NAMES ISO8859_1;\n");
        f.write(QStringLiteral("CONNECT '%1' USER 'SYSDBA';\n").arg(rutaIsql).toLatin1());
        for (int i = 1; i <= filas; ++i) {
            QStringList vals;
            for (const fb::Value& v : fila(i)) vals << literal(v);
            f.write(QStringLiteral("insert into DOCUMENTO values (%1);\n").arg(vals.join(QLatin1Char(','))).toLatin1());
        }
        f.write("COMMIT;\n");
    }
    t.restart();
    QProcess isql;
    isql.setProgram(QStringLiteral("isql-fb"));
    isql.setArguments({QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-i"), guion});
    isql.start();
    isql.waitForFinished(-1);
    const double segIsql = t.elapsed() / 1000.0;
    if (isql.exitCode() != 0) {
        std::fprintf(stderr, "isql-fb falló: %s\n", isql.readAllStandardError().constData());
        return 1;
    }

    // Both must hold the same rows.
    fb::Database a = fb::Database::attach({rutaCapa, QStringLiteral("SYSDBA")});
    fb::Database b = fb::Database::attach({rutaIsql, QStringLiteral("SYSDBA")});
    const QString control = QStringLiteral("select count(*), sum(NETO), sum(RETEICA) from DOCUMENTO");
    const fb::Row ra = *a.queryOne(control), rb = *b.queryOne(control);
    const bool iguales = ra.values() == rb.values();

    std::printf("filas: %d (30 columnas), una transacción\n", filas);
    std::printf("capa de acceso: %8.2f s  (%.0f filas/s)\n", segCapa, filas / segCapa);
    std::printf("isql-fb guion:  %8.2f s  (%.0f filas/s)\n", segIsql, filas / segIsql);
    std::printf("razón capa/isql: %.2f\n", segCapa / segIsql);
    std::printf("mismas filas en ambas bases: %s (%s / %s)\n", iguales ? "sí" : "NO",
                qPrintable(ra[1].toString()), qPrintable(rb[1].toString()));
    return iguales ? 0 : 1;
}
