// The payment plan's two lists at a cut-off over the volume file (1,000
// creditors, 1,000,000 documents): the open documents less those another
// live plan of the same cut-off holds, and the money available, composed by
// ProgramacionPagos itself. Median and minimum of `veces` compositions,
// wall and processor time (the engine is embedded: its work is in the
// process), for every agency ("Todas") and for agency 1; the opening of
// the plan screen's logic (prefixes, agencies, plan, lists) for a new plan
// and for the plan holding 2,000 rows; "F8:Pagar" on one document.
//
//   bench_programacion_listas [volumen.fdb] [veces] [corte]
//        (/work/volumen/volumen-1000-1000000-1.fdb, 9, 2026-11-30)
//
// The file is copied (the original is never changed) into $CXP_BENCH_CARPETA
// (by default /tmp/cxp-bench-programacion-listas) and brought to the current
// schema; later runs reuse the copy. A live plan of the cut-off holding the
// first 2,000 documents offered is made once per cut-off, so the exclusion
// works on real rows.
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "db/Esquema.h"
#include "documents/programacion/ProgramacionPagos.h"
#include "bench/Silenciosa.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

using namespace cxp;

constexpr int kRetenidos = 2000;

double cpuMs() { return std::clock() * 1000.0 / CLOCKS_PER_SEC; }

struct Medida {
    std::vector<double> pared, cpu;
    void tomar(const std::function<void()>& f) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        f();
        pared.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back(cpuMs() - c0);
    }
    void imprimir(const char* que) {
        std::sort(pared.begin(), pared.end());
        std::sort(cpu.begin(), cpu.end());
        std::printf("  %s: pared mediana %.0f ms, mínimo %.0f ms; procesador mediana %.0f ms, mínimo %.0f ms %s\n", que,
                    pared[pared.size() / 2], pared.front(), cpu[cpu.size() / 2], cpu.front(),
                    pared[pared.size() / 2] < 1000 ? "(meta < 1 s: ok)" : "(meta < 1 s: LENTO)");
    }
};

// A live plan of CORTE holding the first documents offered at that date,
// unless the copy has one already: its id.
int64_t retenerDocumentos(fb::Database& db, const QDate& corte) {
    const fb::Value fecha(corte);
    const auto hay = db.queryOne(
        QStringLiteral("select max(prpg_id) from programacion_pagos_enc where prpg_fecha = ? and prpg_anulado = 'N'"),
        {fecha});
    if (!(*hay)[0].isNull()) return (*hay)[0].toInt64();
    fb::Transaction tr = db.begin();
    const int64_t id = tr.query(QStringLiteral("select id from cambie_id_progpago"))[0][0].toInt64();
    const auto numero = tr.query(QStringLiteral("select pref_actual from prefijos where tido_cod = 57 and "
                                                "pref_pre = '0000'"))[0][0];
    tr.execute(QStringLiteral("insert into programacion_pagos_enc (prpg_id, prpg_pref, prpg_numero, prpg_fecha, "
                              "prpg_confirmado) values (?, '0000', ?, ?, 'S')"),
               {id, numero, fecha});
    const auto documentos = tr.query(
        QStringLiteral("select first %1 tipo, id, saldo from rep_cxpagar_proveedor('', 'zz', '', 'zz', ?, 'N', 'N', "
                       "0, 0) where saldo <> 0")
            .arg(kRetenidos),
        {fecha});
    int item = 0;
    for (const fb::Row& d : documentos)
        tr.execute(QStringLiteral("insert into programacion_pagos (prpg_id, prpg_item, prpg_fecha, prpg_tipodoc, "
                                  "prpg_iddoc, prpg_abono) values (?, ?, ?, ?, ?, ?)"),
                   {id, int64_t(++item), fecha, d[0], d[1], d[2]});
    tr.commit();
    std::printf("plan vivo del %s con %d documentos retenidos\n", qPrintable(corte.toString(Qt::ISODate)), item);
    return id;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    fb::Environment::ensure();
    const QString origen = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QStringLiteral("/work/volumen/volumen-1000-1000000-1.fdb");
    const int veces = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    const QDate corte = QDate::fromString(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("2026-11-30"),
                                          Qt::ISODate);
    if (!corte.isValid()) {
        std::fprintf(stderr, "corte no válido\n");
        return 2;
    }
    const QString carpeta = qEnvironmentVariableIsEmpty("CXP_BENCH_CARPETA")
                                ? QStringLiteral("/tmp/cxp-bench-programacion-listas")
                                : qEnvironmentVariable("CXP_BENCH_CARPETA");
    QDir().mkpath(carpeta);
    const QString ruta = carpeta + QStringLiteral("/programacion.fdb");
    const QString listo = ruta + QStringLiteral(".listo");
    if (!QFile::exists(listo)) {
        QFile::remove(ruta);
        QElapsedTimer t;
        t.start();
        if (!QFile::copy(origen, ruta)) {
            std::fprintf(stderr, "no se pudo copiar %s\n", qPrintable(origen));
            return 1;
        }
        QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner);
        fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
        esquema::actualizar(db, esquema::Base::Compania);
        QFile marca(listo);
        marca.open(QIODevice::WriteOnly);
        std::printf("copia lista en %.0f s\n", t.elapsed() / 1000.0);
    }
    int64_t retenedor = 0;
    {
        fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
        esquema::actualizar(db, esquema::Base::Compania);
        retenedor = retenerDocumentos(db, corte);
    }

    Silenciosa interaccion;
    Sesion sesion;
    sesion.usuario_actual = QStringLiteral("ADMIN");
    sesion.es_administrador = true;
    sesion.compania = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
    sesion.compania.setSharedReads(true);
    ManejadorErrores manejador{interaccion, sesion, nullptr};

    Medida apertura, todas, agencia, conFilas, f8;
    int documentos = 0, cajasYCuentas = 0, documentosAgencia = 0;
    for (int i = 0; i <= veces; ++i) {
        ProgramacionPagos p(sesion, interaccion, manejador);
        auto abrir = [&] {
            if (!p.abrir()) {
                std::fprintf(stderr, "no abrió: %s\n", qPrintable(interaccion.ultimo));
                std::exit(1);
            }
        };
        if (i == 0) {
            abrir();  // the first one warms the page cache
        } else {
            apertura.tomar(abrir);
        }
        p.plan().edit();
        p.plan().setValue(QStringLiteral("PRPG_FECHA"), corte);
        p.plan().post();
        auto componer = [&] {
            p.componer();
            documentos = p.documentos().recordCount();
            cajasYCuentas = p.dinero().recordCount();
        };
        auto conAgencia = [&] {
            p.setAgencia(1);
            documentosAgencia = p.documentos().recordCount();
        };
        if (i == 0) {
            componer();
            conAgencia();
            p.setAgencia(0);
            continue;
        }
        todas.tomar(componer);
        agencia.tomar(conAgencia);
        p.setAgencia(0);
        // "F8:Pagar" on one document of the list, from cash box 1.
        PagoProgramado caja;
        caja.caja = 1;
        f8.tomar([&] {
            if (!p.pagar({i * 7 % p.documentos().recordCount()}, caja)) {
                std::fprintf(stderr, "no pagó: %s\n", qPrintable(interaccion.ultimo));
                std::exit(1);
            }
        });
        // The holding plan itself: its own rows are offered, each with its "Pago".
        ProgramacionPagos q(sesion, interaccion, manejador);
        conFilas.tomar([&] {
            if (!q.abrir(retenedor)) std::exit(1);
        });
        if (q.totalPagos().esCero()) {
            std::fprintf(stderr, "el plan de %d filas no muestra sus pagos\n", kRetenidos);
            return 1;
        }
    }
    const auto total = sesion.compania.queryOne(QStringLiteral(
        "select (select count(*) from NOTAS_DEBITO_PROVEEDOR) + (select count(*) from NOTAS_CREDITO_PROVEEDOR) + "
        "(select count(*) from FACTURAS_COMPRA) + (select count(*) from DEVOLUCIONES_COMPRAS) from rdb$database"));
    std::printf("listas de la programación al %s: %lld documentos en la base, %d ofrecidos (agencia 1: %d; %d "
                "retenidos por otro plan), %d cajas y cuentas\n",
                qPrintable(corte.toString(Qt::ISODate)), (long long)(*total)[0].toInt64(), documentos,
                documentosAgencia, kRetenidos, cajasYCuentas);
    todas.imprimir("las dos listas, todas las agencias");
    agencia.imprimir("las dos listas, agencia 1");
    apertura.imprimir("apertura (prefijos, agencias, plan y listas de hoy)");
    conFilas.imprimir("apertura del plan que retiene los documentos, con sus filas");
    f8.imprimir("F8:Pagar de un documento de la lista");
    return 0;
}
