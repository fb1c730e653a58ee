// The balance recalculation at volume, on the embedded engine: the
// "Recálculo de saldos" screen's logic over every creditor of a generated
// company (1,000 creditors and 1,000,000 documents by default), first clean,
// then with stored balances tampered with here and there, timed whole and
// by the longest wait between two chunks (what the person feels). The file
// is changed: run it on a copy.
//
//   bench_recalculo FILE [acreedores-por-tramo]
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "maintenance/Tfchequeosaldos.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

namespace {

class Consola : public cxp::Interaccion {
public:
    QStringList textos;
    void informacion(const QString& t) override { textos << t; }
    void error(const QString& t) override { textos << t; std::fprintf(stderr, "%s\n", qPrintable(t)); }
    void advertencia(const QString& t) override { textos << t; }
    bool preguntar(const QString&) override { return false; }
    bool reintentar(const QString&) override { return false; }
    void pitar() override {}
    void mensaje_error(const QString& t) override { textos << t; }
    void enfocar(const QString&) override {}
    bool abrirPantalla(const QString&, const QVariantMap&) override { return false; }
    std::optional<QVariantMap> elegir(const QString&, const QVariantMap&) override { return std::nullopt; }
};

struct Corrida {
    double segundos = 0;
    double esperaMaxima = 0;  // seconds between two pumps
    int tramoMaximo = 0;      // which chunk that was
    double cpu = 0;           // seconds of this process's processor time
    int errores = 0;
    QString mensaje;
};

Corrida correr(cxp::Sesion& sesion, int tramo) {
    Consola consola;
    cxp::ManejadorErrores manejador(consola, sesion, nullptr);
    manejador.setArchivoLog(QStringLiteral("/dev/null"));
    cxp::Tfchequeosaldos t(sesion, consola, manejador);
    t.setTamanoTramo(tramo);
    t.setInicial(QStringLiteral("0"));
    t.setFinal(QStringLiteral("zzzzzzzzzz"));
    Corrida c;
    QElapsedTimer total, paso;
    total.start();
    paso.start();
    int n = 0;
    t.setBomba([&] {
        const double s = paso.restart() / 1000.0;
        if (s > c.esperaMaxima) c.esperaMaxima = s, c.tramoMaximo = n;
        ++n;
    });
    const std::clock_t cpu = std::clock();
    t.recalcular();
    c.cpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    c.segundos = total.elapsed() / 1000.0;
    c.errores = t.errores().recordCount();
    c.mensaje = consola.textos.join(QStringLiteral(" | "));
    return c;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: bench_recalculo ARCHIVO.fdb [acreedores-por-tramo]\n");
        return 2;
    }
    const int tramo = argc > 2 ? std::atoi(argv[2]) : 20;
    fb::Environment::ensure();
    cxp::Sesion sesion;
    sesion.usuario_actual = QStringLiteral("SYSDBA");
    sesion.compania = fb::Database::attach({QString::fromLocal8Bit(argv[1]), QStringLiteral("SYSDBA")});
    const auto docs = sesion.compania.queryOne(QStringLiteral("select count(*) from SALDOS_DOC_CXPAGAR"));
    std::printf("saldos guardados %lld, %d acreedores por tramo\n", (long long)docs->at(0).toInt64(), tramo);

    const Corrida limpia = correr(sesion, tramo);
    std::printf("sin faltas   %6.1f s (meta < 30 s) %s   cpu %.1f s   espera máxima %.2f s (tramo %d)   filas %d   %s\n",
                limpia.segundos, limpia.segundos < 30 ? "ok" : "LENTO", limpia.cpu, limpia.esperaMaxima,
                limpia.tramoMaximo, limpia.errores, qPrintable(limpia.mensaje));
    std::fflush(stdout);

    // One stored balance in a thousand altered, and one in ten thousand deleted.
    const int64_t alterados = sesion.compania.executeDirect(
        QStringLiteral("update SALDOS_DOC_CXPAGAR set SALDON = SALDON + 1 where mod(ID, 1000) = 7"));
    const int64_t borrados =
        sesion.compania.executeDirect(QStringLiteral("delete from SALDOS_DOC_CXPAGAR where mod(ID, 10000) = 3"));
    const Corrida rota = correr(sesion, tramo);
    std::printf("con faltas   %6.1f s (meta < 30 s) %s   cpu %.1f s   espera máxima %.2f s (tramo %d)   filas %d de %lld "
                "alterados y %lld borrados\n",
                rota.segundos, rota.segundos < 30 ? "ok" : "LENTO", rota.cpu, rota.esperaMaxima, rota.tramoMaximo,
                rota.errores, (long long)alterados, (long long)borrados);
    std::fflush(stdout);
    const Corrida despues = correr(sesion, tramo);
    std::printf("reparada     %6.1f s   filas %d   %s\n", despues.segundos, despues.errores, qPrintable(despues.mensaje));
    return despues.errores == 0 && rota.errores >= alterados + borrados ? 0 : 1;
}
