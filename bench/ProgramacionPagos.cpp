// Vouchers generated from one payment plan on the demo company: a plan of
// N charges (500 by default) of one creditor, one voucher per row
// (PRPG_UNEGR 'N'), paid from cash box 1, generated, posted in both charts
// and committed in one transaction, as the plan's save does. Prints the
// wall time and the process's processor time (the engine is embedded, so
// its work is in the process) of the generation and of the commit.
//
//   bench_programacion [filas [plantilla.fdb]]      (500)
//
// With a template file, a run starts from a copy of it (made by the first
// run that names it, before the generation) brought to the current schema:
// the schema and the demo are not built again on every run.
#include "data/fb/Database.h"
#include "db/Esquema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

using namespace cxp;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    fb::Environment::ensure();
    const int filas = argc > 1 ? std::atoi(argv[1]) : 500;

    const QString plantilla = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    QTemporaryDir carpeta(QDir::tempPath() + QStringLiteral("/cxp-bench-programacion-XXXXXX"));
    const QString ruta = carpeta.filePath(QStringLiteral("demo.fdb"));
    const bool copiada = !plantilla.isEmpty() && QFile::exists(plantilla) && QFile::copy(plantilla, ruta);
    if (copiada) QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner);
    fb::Database db = copiada ? fb::Database::attach({ruta, QStringLiteral("SYSDBA")})
                              : fb::Database::create({ruta, QStringLiteral("SYSDBA")}, 16384);
    esquema::actualizar(db, esquema::Base::Compania);
    if (!copiada) {
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        fb::Transaction tr = db.begin();
        tr.execute(QStringLiteral("insert into programacion_pagos_enc (prpg_id, prpg_pref, prpg_numero, prpg_fecha, "
                                  "prpg_pregr, prpg_fecegr, prpg_unegr, prpg_confirmado) values (1, '0000', '000001', "
                                  "current_date, 'BOG', current_date, 'N', 'S')"));
        for (int i = 0; i < filas; ++i) {
            const int id = 1000 + i;
            tr.execute(QStringLiteral("insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, TIDO_COD, PREF_PRE, "
                                      "NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE, NDPR_CONC, NDPR_MONTO, NDPR_USUARIO) values "
                                      "(?, '900456789', 51, 'CEN', ?, current_date - 1, current_date, 'PRUEBA', 100000, "
                                      "'ADMIN')"),
                       {int64_t(id), QString::number(100000 + i)});
            tr.execute(QStringLiteral("insert into programacion_pagos (prpg_id, prpg_item, prpg_fecha, prpg_tipodoc, "
                                      "prpg_iddoc, prpg_abono, prpg_cob, prpg_idcaja, prpg_egreso, prpg_pref, prpg_fecegr) "
                                      "values (1, ?, current_date, 51, ?, 100000, 'C', 1, 'S', 'BOG', current_date)"),
                       {int64_t(i + 1), int64_t(id)});
        }
        tr.commit();
    }
    if (!copiada && !plantilla.isEmpty()) {
        db = fb::Database();
        QFile::remove(plantilla);
        QFile::copy(ruta, plantilla);
        db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
    }
    std::printf("base de demostración con %d cargos programados%s\n", filas, copiada ? " (de la plantilla)" : "");

    QElapsedTimer reloj;
    const std::clock_t cpu0 = std::clock();
    reloj.start();
    fb::Transaction tr = db.begin();
    const auto novedades = tr.query(QStringLiteral("select * from genere_egresos_progpago(1, 'ADMIN')"));
    const qint64 generar = reloj.elapsed();
    const double cpuGenerar = double(std::clock() - cpu0) * 1000.0 / CLOCKS_PER_SEC;
    tr.commit();
    const qint64 total = reloj.elapsed();
    const double cpuTotal = double(std::clock() - cpu0) * 1000.0 / CLOCKS_PER_SEC;

    const auto egresos = db.queryOne(QStringLiteral("select count(*) from programacion_pagos where prpg_idegre <> 0"));
    const auto comprobantes =
        db.queryOne(QStringLiteral("select count(*) from comprobante_encabezado where enco_tiporef = 62"));
    std::printf("egresos generados: %lld, comprobantes de egreso: %lld, novedades: %d\n",
                (long long)(*egresos)[0].toInt64(), (long long)(*comprobantes)[0].toInt64(), int(novedades.size()));
    std::printf("generación: %lld ms reloj, %.0f ms procesador\n", (long long)generar, cpuGenerar);
    std::printf("con el commit: %lld ms reloj, %.0f ms procesador (%.1f ms por egreso)\n", (long long)total, cpuTotal,
                double(total) / std::max(1, filas));
    return novedades.empty() ? 0 : 1;
}
