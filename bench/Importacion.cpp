// The import at volume on fresh company files:
//
//  1. 100,000 creditors from a CSV file (quoted names with the separator)
//     through the import, against raw prepared inserts of the same rows
//     (third party and creditor row, same batches) in the same run;
//  2. 100,000 opening balances with their withholdings, as charges, on the
//     creditors just imported.
//
// Both files are written without forced writes (gfix -write async), as a
// one-off load is best run, so that the figures measure the program and not
// the disk's syncs; the ratio compares the two on the same terms.
//
//   bench_importacion [registros]      (100000)
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"
#include "db/Esquema.h"
#include "import/Importador.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

using namespace cxp;
using namespace cxp::importacion;

class Silenciosa : public Interaccion {
public:
    void informacion(const QString&) override {}
    void error(const QString&) override {}
    void advertencia(const QString&) override {}
    void mensaje_error(const QString&) override {}
    bool preguntar(const QString&) override { return false; }
    bool reintentar(const QString&) override { return false; }
    void pitar() override {}
    void enfocar(const QString&) override {}
    bool abrirPantalla(const QString&, const QVariantMap&) override { return false; }
    std::optional<QVariantMap> elegir(const QString&, const QVariantMap&) override { return std::nullopt; }
};

// A company file with one creditor group, copied for the second one.
void nuevasCompanias(const QTemporaryDir& dir) {
    const fb::ConnectionParams p{dir.filePath(QStringLiteral("importada.fdb")), QStringLiteral("SYSDBA")};
    {
        fb::Database db = fb::Database::create(p, 16384);
        esquema::actualizar(db, esquema::Base::Compania);
        db.executeDirect(QStringLiteral("insert into grupos_proveedores (grpr_cod, grpr_nom) values ('01', 'NACIONALES')"));
    }
    QProcess gfix;
    gfix.start(QStringLiteral("gfix"), {QStringLiteral("-write"), QStringLiteral("async"), p.database,
                                        QStringLiteral("-user"), p.user});
    gfix.waitForFinished(60000);
    QFile::copy(p.database, dir.filePath(QStringLiteral("cruda.fdb")));
}

// CPU seconds of this process (the embedded engine runs in it): on a
// machine shared with other work the wall clock measures the others too.
double cpu() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

QString nit(int i) { return QString::number(800000000 + i); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    fb::Environment::ensure();
    QTemporaryDir dir;
    nuevasCompanias(dir);
    fb::Database importada = fb::Database::attach({dir.filePath(QStringLiteral("importada.fdb")), QStringLiteral("SYSDBA")});
    fb::Database cruda = fb::Database::attach({dir.filePath(QStringLiteral("cruda.fdb")), QStringLiteral("SYSDBA")});
    Silenciosa interaccion;
    Configuracion configuracion(interaccion);
    configuracion.cargar(importada);

    QByteArray acreedores;
    for (int i = 0; i < n; ++i)
        acreedores += QStringLiteral("%1,\"ALIMENTOS %2, S.A.\",CRA %3 # 4-5,601 555 %3,BOGOTA,11001,ANA PEREZ,,,N,,,,,P%2,01\r\n")
                          .arg(nit(i))
                          .arg(i)
                          .arg(i % 1000)
                          .toUtf8();

    // Raw: the same rows, prepared inserts, the import's batch size.
    QElapsedTimer reloj;
    reloj.start();
    double c0 = cpu();
    {
        const int lote = 500;
        auto tr = std::make_unique<fb::Transaction>(cruda);
        auto abrir = [&] {
            return std::make_pair(
                std::make_unique<fb::Statement>(
                    *tr, QStringLiteral("insert into terceros (terc_nit, terc_nom, terc_dir, terc_tel, terc_ciu, ciud_cod, "
                                        "terc_contacto, terc_tipoid, terc_clie, terc_prov, terc_empl) "
                                        "values (?, ?, ?, ?, ?, ?, ?, ?, 'N', 'S', 'N')")),
                std::make_unique<fb::Statement>(
                    *tr, QStringLiteral("insert into proveedores (terc_nit, prov_cod, grpr_cod, prov_simplificado) "
                                        "values (?, ?, ?, 'N')")));
        };
        auto st = abrir();
        for (int i = 0; i < n; ++i) {
            st.first->bind({nit(i), QStringLiteral("ALIMENTOS %1, S.A.").arg(i),
                            QStringLiteral("CRA %1 # 4-5").arg(i % 1000), QStringLiteral("601 555 %1").arg(i % 1000),
                            QStringLiteral("BOGOTA"), QStringLiteral("11001"), QStringLiteral("ANA PEREZ"),
                            QStringLiteral("N")});
            st.first->execute();
            st.second->bind({nit(i), QStringLiteral("P%1").arg(i), QStringLiteral("01")});
            st.second->execute();
            if ((i + 1) % lote == 0) {
                st = {};
                tr->commit();
                tr = std::make_unique<fb::Transaction>(cruda);
                st = abrir();
            }
        }
        st = {};
        tr->commit();
    }
    const double sCrudo = reloj.nsecsElapsed() / 1e9, cCrudo = cpu() - c0;

    Importador importador(importada, configuracion, QStringLiteral("SYSDBA"));
    reloj.restart();
    c0 = cpu();
    const Resumen r1 = importador.importar(kProveedores, acreedores, FormatoArchivo{false, u',', u'"', {}},
                                           mapaGuardado(importada, kProveedores));
    const double sImportado = reloj.nsecsElapsed() / 1e9, cImportado = cpu() - c0;
    std::printf("acreedores: %d importados, %d rechazados en %.2f s = %.0f/s (CPU %.2f s = %.0f/s); "
                "crudos %.2f s = %.0f/s (CPU %.2f s = %.0f/s); razón %.2f (CPU %.2f)\n",
                r1.importados, r1.rechazados, sImportado, n / sImportado, cImportado, n / cImportado, sCrudo, n / sCrudo,
                cCrudo, n / cCrudo, sCrudo / sImportado, cCrudo / cImportado);

    QByteArray saldos;
    for (int i = 0; i < n; ++i)
        saldos += QStringLiteral("D,SI,%1,F-%1,2026/01/31,%2,2026/03/01,\"SALDO INICIAL, ENERO\",1500000,,,,,,,,,,285000,,,"
                                 "37500,42750,10350\r\n")
                      .arg(i + 1)
                      .arg(nit(i % n))
                      .toUtf8();
    reloj.restart();
    c0 = cpu();
    const Resumen r2 = importador.importar(kSaldosIniciales, saldos, FormatoArchivo{false, u',', u'"', {}},
                                           mapaGuardado(importada, kSaldosIniciales));
    const double sSaldos = reloj.nsecsElapsed() / 1e9, cSaldos = cpu() - c0;
    const auto suma = importada.queryOne(QStringLiteral(
        "select count(*), sum(ndpr_rtftemonto + ndpr_rtivamonto + ndpr_rticamonto) from notas_debito_proveedor"));
    std::printf("saldos iniciales: %d importados, %d rechazados en %.2f s = %.0f/s (CPU %.2f s = %.0f/s); "
                "%s cargos, retenciones %s\n",
                r2.importados, r2.rechazados, sSaldos, n / sSaldos, cSaldos, n / cSaldos, qPrintable(suma->at(0).toString()),
                qPrintable(suma->at(1).toString()));
    const bool bien = r1.importados == n && r2.importados == n && n / sImportado >= 10000 && sCrudo / sImportado >= 0.5 &&
                      n / sSaldos >= 5000;
    std::printf("%s\n", bien ? "metas cumplidas" : "METAS NO CUMPLIDAS");
    return bien ? 0 : 1;
}
