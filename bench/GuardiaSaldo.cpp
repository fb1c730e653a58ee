// What the balance guard costs a save: applications of two rows (a charge
// against a discount of the same creditor) saved one transaction each on a
// generated company, in rounds with the guard's triggers on and off on the
// same file, median and 90th percentile of each.
//
//   bench_guardia [acreedores [documentos [aplicaciones]]]     (50, 20000, 300)
//
// The generated file is kept in $CXP_BENCH_CARPETA (by default
// /tmp/cxp-bench-guardia) and reused by later runs with the same arguments.
#include "admin/Volumen.h"
#include "db/Esquema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* const kGuardia[] = {"EGRESOS_DETALLE_BLOQUEO",     "EGRESOS_DETALLE_GUARDIA", "APLICACION_PROV_DET_BLOQUEO",
                                "APLICACION_PROV_DET_GUARDIA", "EGRESOS_BLOQUEO",         "EGRESOS_GUARDIA",
                                "APLICACION_PROVEDOR_BLOQUEO", "APLICACION_PROVEDOR_GUARDIA"};

void guardia(fb::Database& db, bool activa) {
    for (const char* t : kGuardia)
        db.executeDirect(QStringLiteral("alter trigger %1 %2").arg(QLatin1String(t), activa ? "active" : "inactive"));
}

int nuevoId(fb::Database& db, const char* procedimiento) {
    fb::Transaction tr = db.begin();
    const int id = int(tr.executeProcedure(QString::fromLatin1(procedimiento))["ID"].toInt64());
    tr.commit();
    return id;
}

fb::ConnectionParams embebida(const QString& ruta) {
    fb::ConnectionParams p;
    p.database = ruta;
    p.user = QStringLiteral("SYSDBA");
    return p;
}

fb::Value pesos(int64_t p) { return fb::Decimal{p * 100, -2}; }

struct Cifras {
    double mediana = 0, p90 = 0;
};

Cifras cifras(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 9 / 10]};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    cxp::admin::OpcionesVolumen op;
    op.acreedores = argc > 1 ? std::atoi(argv[1]) : 50;
    op.documentos = argc > 2 ? std::atoi(argv[2]) : 20000;
    const int aplicaciones = argc > 3 ? std::atoi(argv[3]) : 300;
    fb::Environment::ensure();

    const QString carpeta = qEnvironmentVariableIsEmpty("CXP_BENCH_CARPETA") ? QStringLiteral("/tmp/cxp-bench-guardia")
                                                                              : qEnvironmentVariable("CXP_BENCH_CARPETA");
    QDir().mkpath(carpeta);
    const QString ruta = QStringLiteral("%1/volumen-%2-%3.fdb").arg(carpeta).arg(op.acreedores).arg(op.documentos);
    if (!QFileInfo::exists(ruta)) {
        const QString parcial = ruta + QStringLiteral(".parcial");
        QFile::remove(parcial);
        {
            fb::Database db = fb::Database::create(embebida(parcial), 16384);
            cxp::esquema::actualizar(db, cxp::esquema::Base::Compania);
            cxp::admin::generarVolumen(db, op);
        }
        QFile::rename(parcial, ruta);
    }
    fb::Database db = fb::Database::attach(embebida(ruta));
    const QString nit = db.queryOne(QStringLiteral("select min(TERC_NIT) from PROVEEDORES"))->at(0).toString();
    const QDate hoy(2026, 12, 1);

    // One discount large enough for every round, and a charge per save.
    const int descuento = nuevoId(db, "CAMBIE_ID_NOTACRPROV");
    db.executeDirect(QStringLiteral("insert into NOTAS_CREDITO_PROVEEDOR (NCPR_ID, TERC_NIT, PREF_PRE, NCPR_NUMERO, "
                                    "NCPR_FECHA, NCPR_MONTO, NCPR_CONC) values (?, ?, '0000', ?, ?, ?, 'BANCO')"),
                     {descuento, nit, QStringLiteral("B%1").arg(descuento % 100000, 5, 10, QLatin1Char('0')), hoy,
                      pesos(int64_t(aplicaciones) * 2 * 100)});
    std::vector<int> cargos;
    for (int i = 0; i < 2 * aplicaciones; ++i) {
        const int id = nuevoId(db, "CAMBIE_ID_NOTADBPROV");
        db.executeDirect(QStringLiteral("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, "
                                        "NDPR_FECHA, NDPR_VENCE, NDPR_MONTO, NDPR_CONC) "
                                        "values (?, ?, '0000', ?, ?, ?, 100, 'BANCO')"),
                         {id, nit, QStringLiteral("Q%1").arg(id % 100000, 5, 10, QLatin1Char('0')), hoy, hoy});
        cargos.push_back(id);
    }

    // Whole saves, and their statements alone (the commit's writes to disk
    // are the same with and without the guard, and the noisiest part).
    std::vector<double> con, sin, conFilas, sinFilas;
    for (int i = 0; i < 2 * aplicaciones; ++i) {
        const bool activa = (i / 25) % 2 == 0;  // blocks of 25 saves, alternating
        if (i % 25 == 0) guardia(db, activa);
        const int id = nuevoId(db, "CAMBIE_ID_APLIPROV");
        QElapsedTimer t;
        t.start();
        fb::Transaction tr = db.begin();
        tr.execute(QStringLiteral("insert into APLICACION_PROVEDOR (APPR_ID, PREF_PRE, APPR_NUMERO, APPR_FECHA, "
                                  "TERC_NIT) values (?, '0000', ?, ?, ?)"),
                   {id, QStringLiteral("A%1").arg(id % 100000, 5, 10, QLatin1Char('0')), hoy, nit});
        tr.execute(QStringLiteral("insert into APLICACION_PROVEEDOR_DETALLE (APPR_ID, APPD_ITEM, APPD_TIPODOC, "
                                  "APPD_IDDOC, APPD_APLICADO) values (?, 1, 51, ?, 100)"),
                   {id, cargos[size_t(i)]});
        tr.execute(QStringLiteral("insert into APLICACION_PROVEEDOR_DETALLE (APPR_ID, APPD_ITEM, APPD_TIPODOC, "
                                  "APPD_IDDOC, APPD_APLICADO) values (?, 2, 52, ?, -100)"),
                   {id, descuento});
        (activa ? conFilas : sinFilas).push_back(t.nsecsElapsed() / 1e6);
        tr.commit();
        (activa ? con : sin).push_back(t.nsecsElapsed() / 1e6);
    }
    guardia(db, true);

    const Cifras c = cifras(con), s = cifras(sin), cf = cifras(conFilas), sf = cifras(sinFilas);
    std::printf("base %s, acreedor %s, %d aplicaciones de dos filas con y sin guardia\n", qPrintable(ruta),
                qPrintable(nit), aplicaciones);
    std::printf("con guardia   mediana %7.2f ms   p90 %7.2f ms\n", c.mediana, c.p90);
    std::printf("sin guardia   mediana %7.2f ms   p90 %7.2f ms\n", s.mediana, s.p90);
    std::printf("costo         mediana %+7.2f ms\n", c.mediana - s.mediana);
    std::printf("sentencias sin el commit: con guardia mediana %.2f ms, sin guardia %.2f ms, costo %+.2f ms\n",
                cf.mediana, sf.mediana, cf.mediana - sf.mediana);
    return 0;
}
