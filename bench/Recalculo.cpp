// The balance recalculation at volume, on the embedded engine: the
// "Recálculo de saldos" screen's logic over every creditor of a generated
// company (1,000 creditors and 1,000,000 documents by default), first clean,
// then with stored balances tampered with here and there, timed whole and
// by the longest wait between two chunks (what the person feels), then as
// the screen runs it, on a thread of its own while this thread's event loop
// goes on: the longest gap between two progress updates and between two
// ticks of a 20 ms timer (how the program answers meanwhile). The file is
// brought up to the current schema and changed: run it on a copy. The engine
// is embedded, so the processor time given is the engine's too.
//
//   bench_recalculo FILE [documentos-por-tramo]
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "db/Esquema.h"
#include "maintenance/Tfchequeosaldos.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
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
    double sinRespuesta = 0;  // longest gap between two timer ticks (thread mode)
    int errores = 0;
    QString mensaje;
};

Corrida correr(cxp::Sesion& sesion, int tramo, bool enHilo = false) {
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
    const auto medir = [&] {
        const double s = paso.restart() / 1000.0;
        if (s > c.esperaMaxima) c.esperaMaxima = s, c.tramoMaximo = n;
        ++n;
    };
    QElapsedTimer tic;
    QTimer reloj;
    if (enHilo) {
        // As the screen: progress arrives by signal on this thread.
        t.setEnHilo(true);
        QObject::connect(&t, &cxp::Tfchequeosaldos::progreso, &t, [&](int hechos, int) {
            if (hechos > 0) medir();
        });
        reloj.setInterval(20);
        QObject::connect(&reloj, &QTimer::timeout, [&] {
            c.sinRespuesta = qMax(c.sinRespuesta, tic.restart() / 1000.0);
        });
        tic.start();
        reloj.start();
    } else {
        t.setBomba(medir);
    }
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
    const int tramo = argc > 2 ? std::atoi(argv[2]) : cxp::Tfchequeosaldos::kDocumentosPorTramo;
    fb::Environment::ensure();
    cxp::Sesion sesion;
    sesion.usuario_actual = QStringLiteral("SYSDBA");
    sesion.compania = fb::Database::attach({QString::fromLocal8Bit(argv[1]), QStringLiteral("SYSDBA")});
    for (const QString& g : cxp::esquema::actualizar(sesion.compania, cxp::esquema::Base::Compania))
        std::printf("aplicado %s\n", qPrintable(g));
    const auto docs = sesion.compania.queryOne(QStringLiteral("select count(*) from SALDOS_DOC_CXPAGAR"));
    std::printf("saldos guardados %lld, %d documentos por tramo\n", (long long)docs->at(0).toInt64(), tramo);

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
    std::fflush(stdout);
    const Corrida hilo = correr(sesion, tramo, true);
    std::printf("en su hilo   %6.1f s (meta < 30 s) %s   cpu %.1f s   entre avances %.2f s (tramo %d)   "
                "programa sin responder %.2f s   filas %d\n",
                hilo.segundos, hilo.segundos < 30 ? "ok" : "LENTO", hilo.cpu, hilo.esperaMaxima, hilo.tramoMaximo,
                hilo.sinRespuesta, hilo.errores);
    return despues.errores == 0 && hilo.errores == 0 && rota.errores >= alterados + borrados ? 0 : 1;
}
