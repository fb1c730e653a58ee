// A report of 10,000 generated rows laid out and written to PDF: pages per
// second (the target is 50), against drawing the same pages on the
// recording canvas (the layout alone) as the baseline of the same run.
//
//   bench_informes VOLUMEN.fdb   the movement report of every creditor of a
//   volume company file for the last month with documents, as F2 makes it:
//   the procedure's rows fetched, laid out on the shipped layout and the
//   preview opened on its first page (target < 3 s), with and without
//   detail; wall and processor time of each step, the engine embedded so
//   that its work counts in the processor time. The file is copied once
//   (the original is never changed) into $CXP_BENCH_CARPETA (by default
//   /tmp/cxp-bench-informes) and brought to the current schema there.
#include "printing/motor/Lienzos.h"
#include "printing/reportes/ArchivosInforme.h"
#include "printing/reportes/VistaPrevia.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

#include "base/Sql.h"
#include "data/DataSet.h"
#include "db/Esquema.h"

using namespace cxp;
using namespace cxp::reportes;

namespace {

double cpuMs() { return std::clock() * 1000.0 / CLOCKS_PER_SEC; }

// Wall and processor time of one step.
struct Paso {
    QElapsedTimer pared;
    double cpu0 = cpuMs();
    Paso() { pared.start(); }
    QString texto() const {
        return QStringLiteral("%1 ms (procesador %2 ms)").arg(pared.nsecsElapsed() / 1e6, 0, 'f', 0).arg(cpuMs() - cpu0, 0, 'f', 0);
    }
};

int volumen(const QString& origen) {
    fb::Environment::ensure();
    const QString carpeta = qEnvironmentVariableIsEmpty("CXP_BENCH_CARPETA") ? QStringLiteral("/tmp/cxp-bench-informes")
                                                                             : qEnvironmentVariable("CXP_BENCH_CARPETA");
    QDir().mkpath(carpeta);
    const QString ruta = carpeta + QStringLiteral("/informes.fdb");
    if (!QFile::exists(ruta + QStringLiteral(".listo"))) {
        QFile::remove(ruta);
        if (!QFile::copy(origen, ruta)) {
            std::fprintf(stderr, "no se pudo copiar %s\n", qPrintable(origen));
            return 1;
        }
        QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner);
        fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
        cxp::esquema::actualizar(db, cxp::esquema::Base::Compania);
        QFile(ruta + QStringLiteral(".listo")).open(QIODevice::WriteOnly);
    }
    fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
    const auto ultimo = db.queryOne(QStringLiteral("select max(ndpr_fecha) from notas_debito_proveedor"));
    const QDate hasta = (*ultimo)[0].toDate();
    const QDate desde(hasta.year(), hasta.month(), 1);
    QString error;
    const auto d = Diseno::leerArchivo(QStringLiteral(CXP_FUENTE "/printing/reportes/disenos/repomovprove.xml"), &error);
    if (!d) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    int fallas = 0;
    for (const bool detalle : {true, false, true, false}) {
        const Paso total;
        const Paso consulta;
        DataSet ds;
        ds.open(db, QStringLiteral("select * from rep_movimiento_proveedor ('','zz','','zz',%1,%2,'%3','C','N',0)"
                                   " where DEBITO <> 0 OR CREDITO <> 0 OR SALDO <> 0 OR ABONO <> 0"
                                   " order by NIT, FECHA, ID")
                        .arg(sql::fecha(desde), sql::fecha(hasta), detalle ? "S" : "N"));
        const QString tConsulta = consulta.texto();
        const Paso paginar;
        const FilasDataSet filas(ds);
        Ejecucion e;
        e.ocultas = {QStringLiteral("ciudad"), QStringLiteral("totalciudad"), QStringLiteral("grupo"),
                     QStringLiteral("totalgrupo")};
        const auto p = Paginado::preparar(*d->informe(detalle ? QStringLiteral("detallado") : QStringLiteral("consolidado")),
                                          filas, e, &error);
        if (!p) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const QString tPaginar = paginar.texto();
        const Paso primera;
        {
            VistaPrevia vista(*p, QStringLiteral("Movimiento"));  // draws the first page
        }
        const QString tPrimera = primera.texto();
        const double ms = total.pared.nsecsElapsed() / 1e6;
        const QString tTotal = total.texto();
        // What the former preview drew before showing anything: every page.
        const Paso todas;
        LienzoGrabado grabado(p->papel());
        p->dibujar(grabado);
        std::printf("movimiento %s %s..%s: %d filas, %d páginas\n"
                    "  F2 a la primera página: %s  (meta < 3000) %s\n"
                    "    consulta y filas %s; paginado %s; primera página %s\n"
                    "  todas las páginas dibujadas (la vista previa anterior, sin contar la consulta): %s\n",
                    detalle ? "detallado" : "consolidado", qPrintable(sql::fecha(desde)), qPrintable(sql::fecha(hasta)),
                    ds.recordCount(), p->paginas(), qPrintable(tTotal), ms < 3000 ? "ok" : "LENTO", qPrintable(tConsulta),
                    qPrintable(tPaginar), qPrintable(tPrimera), qPrintable(todas.texto()));
        std::fflush(stdout);
        fallas += ms < 3000 ? 0 : 1;
    }
    return fallas ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && QString::fromLocal8Bit(argv[1]).endsWith(QStringLiteral(".fdb"))) return volumen(QString::fromLocal8Bit(argv[1]));
    // bench_informes [LAYOUT] [PNG]: PNG, when given, gets the first page.
    const QString ruta = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(CXP_FUENTE "/printing/reportes/disenos/repomovprove.xml");
    const QString png = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QString error;
    const auto d = Diseno::leerArchivo(ruta, &error);
    if (!d) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const Informe& inf = *d->informe(QStringLiteral("detallado"));
    QStringList cols{"NIT", "NOMBRE", "TELEFONO", "CIUDAD", "CODZONA", "NOMZONA", "DV", "CODCIUD", "NOMCIUD",
                     "INICIAL", "TIPODOC", "IDDOC", "PREFIJO", "NUMERO", "FECHA", "CONCEPTO", "DEBITO", "CREDITO",
                     "SALDO", "RTFTE", "RTIVA", "RTICA", "ABONO", "ARTFTE", "ARTIVA", "ARTICA", "SALDOF", "RCREE",
                     "ARCREE", "ID", "NUMPROV"};
    FilasTabla filas(cols);
    const int n = 10000;
    int64_t corrido = 0;  // the creditor's running balance, in cents
    for (int i = 0; i < n; ++i) {
        std::vector<fb::Value> f(size_t(cols.size()));
        const int acreedor = i / 25;
        const int64_t inicial = int64_t(acreedor % 7) * 1000000;
        if (i % 25 == 0) corrido = inicial;
        const int64_t debito = i % 3 == 2 ? 0 : int64_t(i % 977) * 12345 + 100000;
        const int64_t credito = i % 3 == 2 ? int64_t(i % 311) * 5432 + 50000 : 0;
        corrido += debito - credito;
        f[0] = QStringLiteral("%1").arg(800000000 + acreedor);
        f[1] = QStringLiteral("PROVEEDOR DE PRUEBA %1 S.A.S.").arg(acreedor);
        f[4] = QStringLiteral("%1").arg(1 + acreedor / 100, 2, 10, QChar(u'0'));
        f[5] = QStringLiteral("GRUPO %1").arg(f[4].toString());
        f[9] = fb::Decimal{inicial, -2};
        f[10] = i % 3 == 2 ? QStringLiteral("EGRESO") : QStringLiteral("NDPROV");
        f[12] = i % 3 == 2 ? QStringLiteral("CE") : QStringLiteral("CA");
        f[13] = QStringLiteral("%1").arg(i, 6, 10, QChar(u'0'));
        f[14] = QDate(2026, 1, 1).addDays((i % 25) * 12);
        f[15] = i % 3 == 2 ? QStringLiteral("Pago a proveedor") : QStringLiteral("Cargo por servicios del mes");
        f[16] = fb::Decimal{debito, -2};
        f[17] = fb::Decimal{credito, -2};
        f[18] = fb::Decimal{corrido, -2};
        f[29] = int64_t(i);
        filas.agregar(std::move(f));
    }
    Ejecucion e;
    e.parametros.insert(QStringLiteral("nomcia"), QStringLiteral("COMPAÑIA DE DEMOSTRACION S.A."));
    e.parametros.insert(QStringLiteral("nitcia"), QStringLiteral("900.123.456-7"));
    e.parametros.insert(QStringLiteral("titulo"), QStringLiteral("MOVIMIENTO POR ACREEDOR"));
    e.parametros.insert(QStringLiteral("subtitulo"), QStringLiteral("Fechas: 2026/01/01 - 2026/10/27"));
    e.parametros.insert(QStringLiteral("usuario"), QStringLiteral("ADMINISTRADOR"));
    e.ocultas = {QStringLiteral("ciudad"), QStringLiteral("totalciudad")};
    QElapsedTimer t;
    t.start();
    const auto p = Paginado::preparar(inf, filas, e, &error);
    if (!p) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double msPaginar = t.nsecsElapsed() / 1e6;
    t.restart();
    LienzoGrabado grabado(p->papel());
    p->dibujar(grabado);
    const double msGrabar = t.nsecsElapsed() / 1e6;
    QTemporaryDir dir;
    t.restart();
    if (!escribirArchivo(*p, FormatoArchivo::Pdf, dir.filePath(QStringLiteral("m.pdf")), QStringLiteral("bench"), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double msPdf = t.nsecsElapsed() / 1e6;
    const double total = msPaginar + msPdf;
    if (!png.isEmpty()) {
        QTemporaryDir paginas;
        if (!escribirPng(*p, paginas.filePath(QStringLiteral("p.png")), 110, &error) ||
            !(QFile::remove(png), QFile::copy(paginas.filePath(QStringLiteral("p.png")), png)))
            std::fprintf(stderr, "%s\n", qPrintable(error));
    }
    // CXP_CAPTURA=FILE.png: a picture of the preview window on its first page.
    if (!qEnvironmentVariableIsEmpty("CXP_CAPTURA")) {
        VistaPrevia vista(*p, QStringLiteral("Movimiento por acreedor"));
        vista.resize(860, 640);
        vista.grab().toImage().convertToFormat(QImage::Format_Grayscale8).save(qEnvironmentVariable("CXP_CAPTURA"));
    }
    std::printf("%d rows, %d pages\n", n, p->paginas());
    std::printf("layout %.1f ms, recording canvas %.1f ms, PDF %.1f ms (%.1f× the recording)\n", msPaginar, msGrabar,
                msPdf, msPdf / std::max(0.001, msGrabar));
    std::printf("layout + PDF: %.0f pages/s (target 50)\n", p->paginas() / (total / 1000.0));
    return p->paginas() / (total / 1000.0) >= 50 ? 0 : 2;
}
