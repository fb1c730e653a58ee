// Charges saved through the charge screen's logic on the demo company:
//
//  1. F2 to the next blank charge, with the posting (a review window that
//     saves itself) and the printing to a PDF file included (goal < 50 ms);
//  2. sustained charges per second through the logic (posting and printing
//     left out) against the raw inserts of the same rows in the same run;
//  3. four clerks saving on one automatic prefix at once for a minute, each
//     its own process: every save must land with its own number, and a
//     clerk whose number was taken meanwhile is told the one it got.
//
//   bench_cargos [cargos [segundos]]      (10000, 60)
#include "accounting/contabilizacion/Contexto.h"
#include "accounting/contabilizacion/Protocolo.h"
#include "accounting/contabilizacion/Tfcontabiliza.h"
#include "accounting/contabilizacion/RevisionSola.h"
#include "accounting/interfaces/Interfaces.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "db/Esquema.h"
#include "documents/charges/Tfnotascredito.h"
#include "documents/charges/Tfnotasdebito.h"
#include "printing/motor/ImprimirDocumento.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <functional>
#include <cstdio>
#include <vector>

namespace {

using namespace cxp;

// Nobody answers: messages are counted, questions get No.
class Silenciosa : public Interaccion {
public:
    int avisos = 0, errores = 0;
    QString ultimo;
    void informacion(const QString& t) override { ++avisos; ultimo = t; }
    void error(const QString& t) override { ++errores; ultimo = t; }
    void advertencia(const QString& t) override { ++avisos; ultimo = t; }
    void mensaje_error(const QString& t) override { ++avisos; ultimo = t; }
    bool preguntar(const QString&) override { return false; }
    bool reintentar(const QString&) override { return false; }
    void pitar() override {}
    void enfocar(const QString&) override {}
    bool abrirPantalla(const QString&, const QVariantMap&) override { return false; }
    std::optional<QVariantMap> elegir(const QString&, const QVariantMap&) override { return std::nullopt; }
};

struct Puesto {
    Silenciosa interaccion;
    Sesion sesion;
    ManejadorErrores manejador{interaccion, sesion, nullptr};
    Configuracion configuracion{interaccion};
    ContextoContabilizacion contexto;

    explicit Puesto(const QString& ruta) {
        sesion.usuario_actual = QStringLiteral("ADMIN");
        sesion.es_administrador = true;
        sesion.compania = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
        sesion.compania.setSharedReads(true);  // as the program's session does
        configuracion.cargar(sesion.compania);
        sesion.directorio = QDir::tempPath();
    }
    // Posts a saved document of `tipo` through the review window, which
    // saves itself as on a clerk's screen.
    std::function<void(int64_t, int, const QDate&)> contabilizar(int tipo) {
        return [this, tipo](int64_t id, int interfaz, const QDate& fecha) {
            ProtocoloContabilizacion protocolo(
                sesion, interaccion, configuracion, contexto, [interfaz](int, const QString&) { return interfaz; },
                [this] {
                    return revisionQueSeGrabaSola(sesion, interaccion, manejador, configuracion, contexto);
                });
            if (protocolo.contabilizar({tipo, int(id), QString(), fecha}) != ProtocoloContabilizacion::Resultado::Finalizado)
                std::fprintf(stderr, "documento %d-%lld sin comprobante: %s\n", tipo, (long long)id,
                             qPrintable(interaccion.ultimo));
        };
    }
    std::function<void(int64_t)> imprimir(int tipo, const QString& pdf) {
        return [this, tipo, pdf](int64_t id) {
            imprimirDocumento(sesion, configuracion, interaccion, {tipo, QString(), id, SalidaImpresion::Pdf, pdf});
        };
    }
    ServiciosCargo servicios(bool contabilizar, const QString& pdf) {
        ServiciosCargo s;
        s.abreInterfaz = [this](int tipo, const QString& prefijo, bool preguntar) {
            return Interfaces(sesion.compania, interaccion).abre_interfaz(tipo, prefijo, preguntar);
        };
        s.abreInterfazCaja = [this](int tipo, const QString& prefijo, bool preguntar) {
            return Interfaces(sesion.compania, interaccion).abre_interfaz_caja(tipo, prefijo, preguntar);
        };
        if (contabilizar) {
            s.contabilizar = this->contabilizar(51);
            s.contabilizarAplicacion = this->contabilizar(53);
            s.contabilizarEgreso = this->contabilizar(62);
        }
        if (!pdf.isEmpty()) {
            s.imprimir = imprimir(51, pdf);
            s.imprimirEgreso = imprimir(62, pdf + QStringLiteral(".egreso.pdf"));
        }
        return s;
    }
};

// Processor time of the whole process (the embedded engine included), ms.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void llenar(Tfnotasdebito& p, const QString& prefijo, int i) {
    p.cargo().setValue(QStringLiteral("PREF_PRE"), prefijo);
    p.cargo().setValue(QStringLiteral("TERC_NIT"), QStringLiteral("900456789"));
    p.cargo().setValue(QStringLiteral("NDPR_MONEDA"), 170);  // pesos: the demo proposes dollars
    p.cargo().setValue(QStringLiteral("NDPR_CONC"), QStringLiteral("FLETE %1").arg(i));
    p.cargo().setValue(QStringLiteral("NDPR_IVAPORC"), Dinero::desdeEntero(19));
    p.setSubTotal(Dinero::desdeEntero(1000000 + i));
}

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One clerk: saves charges on BOG until the time is up; prints its counts.
int cajero(const QString& ruta, int segundos) {
    Puesto puesto(ruta);
    Tfnotasdebito p(puesto.sesion, puesto.interaccion, puesto.manejador, puesto.configuracion,
                    puesto.servicios(false, QString()));
    if (!p.abrir()) return 2;
    int guardados = 0, fallos = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < segundos * 1000) {
        llenar(p, QStringLiteral("BOG"), guardados);
        const int antes = puesto.interaccion.errores;
        if (p.grabar()) ++guardados;
        else if (puesto.interaccion.errores > antes) {
            if (++fallos <= 3)
                std::fprintf(stderr, "fallo (número %s, id %lld): %s\n", qPrintable(p.cargo().asString(QStringLiteral("NDPR_NUMERO"))),
                             (long long)p.cargo().asInt(QStringLiteral("NDPR_ID")), qPrintable(puesto.interaccion.ultimo));
        }
    }
    std::printf("%d %d %d\n", guardados, puesto.interaccion.avisos, fallos);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    fb::Environment::ensure();
    if (argc == 4 && QByteArray(argv[1]) == "--cajero") return cajero(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    const int cargos = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int segundos = argc > 2 ? std::atoi(argv[2]) : 60;

    QTemporaryDir carpeta(QDir::tempPath() + QStringLiteral("/cxp-bench-cargos-XXXXXX"));
    carpeta.setAutoRemove(qEnvironmentVariableIsEmpty("CXP_BENCH_CONSERVAR"));
    const QString ruta = carpeta.filePath(QStringLiteral("demo.fdb"));
    {
        fb::Database db = fb::Database::create({ruta, QStringLiteral("SYSDBA")}, 16384);
        esquema::actualizar(db, esquema::Base::Compania);
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        db.executeDirect(QStringLiteral("update configuracion set conf_valor = 'NO' where conf_propiedad = "
                                        "'PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR'"));
    }

    std::printf("base de demostración lista\n");

    // 1. F2 to the next blank charge, posted and printed.
    {
        Puesto puesto(ruta);
        const QString pdf = carpeta.filePath(QStringLiteral("cargo.pdf"));
        ServiciosCargo s = puesto.servicios(true, pdf);
        double msContabilizar = 0, msImprimir = 0;
        auto contabilizar = s.contabilizar;
        auto imprimir = s.imprimir;
        s.contabilizar = [&](int64_t id, int interfaz, const QDate& fecha) {
            QElapsedTimer t;
            t.start();
            contabilizar(id, interfaz, fecha);
            msContabilizar += t.nsecsElapsed() / 1e6;
        };
        s.imprimir = [&](int64_t id) {
            QElapsedTimer t;
            t.start();
            imprimir(id);
            msImprimir += t.nsecsElapsed() / 1e6;
        };
        Tfnotasdebito p(puesto.sesion, puesto.interaccion, puesto.manejador, puesto.configuracion, s);
        p.abrir();
        // CXP_BENCH_F2_VUELTAS=N: only this case, N saves (for a profiler).
        const int vueltas = qEnvironmentVariableIntValue("CXP_BENCH_F2_VUELTAS");
        std::vector<double> ms, cpu;
        for (int i = 0; i < std::max(21, vueltas + 1); ++i) {
            llenar(p, QStringLiteral("BOG"), i);  // its interface posts without asking
            QElapsedTimer t;
            t.start();
            const double c0 = cpuMs();
            if (!p.grabar()) {
                std::fprintf(stderr, "no se grabó: %s\n", qPrintable(puesto.interaccion.ultimo));
                return 1;
            }
            if (i > 0) {  // the first one warms the caches
                ms.push_back(t.nsecsElapsed() / 1e6);
                cpu.push_back(cpuMs() - c0);
            } else {
                msContabilizar = msImprimir = 0;
            }
        }
        const auto ledger = puesto.sesion.compania.queryOne(QStringLiteral(
            "select count(*) from comprobante_encabezado where enco_tiporef = 51 and enco_idref >= %1").arg(p.ultimoId() - int64_t(ms.size())));
        std::printf("F2 a cargo nuevo (contabilizado e impreso a PDF), %zu cargos: mediana %.1f ms, máx %.1f ms  (meta < 50 ms) %s\n",
                    ms.size(), mediana(ms), *std::max_element(ms.begin(), ms.end()), mediana(ms) < 50 ? "ok" : "LENTO");
        std::printf("  de ellos, en promedio: contabilizar %.1f ms (con los 20 ms en que la ventana se graba sola), "
                    "imprimir a PDF %.1f ms; comprobantes: %lld\n",
                    msContabilizar / ms.size(), msImprimir / ms.size(), (long long)(*ledger)[0].toInt64());
        std::printf("  tiempo de procesador por F2: mediana %.1f ms\n", mediana(cpu));
        if (vueltas > 0) return 0;
    }

    // 1b. The charge's companions: paid at once in cash (charge and voucher,
    // two ledger vouchers, two prints) and crossed at once with a discount
    // (charge and application, two ledger vouchers, one print). A crossing
    // settles the whole net, so one charge never has both.
    {
        Puesto puesto(ruta);
        const QString pdf = carpeta.filePath(QStringLiteral("companero.pdf"));
        // The discounts the charges cross, saved first (not posted).
        QStringList descuentos;
        {
            ServiciosCargo sd = puesto.servicios(false, QString());
            Tfnotascredito n(puesto.sesion, puesto.interaccion, puesto.manejador, puesto.configuracion, sd);
            n.abrir();
            for (int i = 0; i < 21; ++i) {
                n.cargo().setValue(QStringLiteral("PREF_PRE"), QStringLiteral("BOG"));
                n.cargo().setValue(QStringLiteral("TERC_NIT"), QStringLiteral("900456789"));
                n.cargo().setValue(QStringLiteral("NCPR_MONEDA"), 170);
                n.cargo().setValue(QStringLiteral("NCPR_IVAPORC"), Dinero::desdeEntero(19));
                n.setSubTotal(Dinero::desdeEntero(2000000));
                if (!n.grabar()) {
                    std::fprintf(stderr, "descuento no grabado: %s\n", qPrintable(puesto.interaccion.ultimo));
                    return 1;
                }
                descuentos << n.ultimoNumero();
            }
        }
        Tfnotasdebito p(puesto.sesion, puesto.interaccion, puesto.manejador, puesto.configuracion,
                        puesto.servicios(true, pdf));
        p.abrir();
        for (const bool contado : {true, false}) {
            std::vector<double> ms, cpu;
            for (int i = 0; i < 21; ++i) {
                llenar(p, QStringLiteral("BOG"), i);
                if (contado) {
                    if (!p.pagarDeContado()) return 1;
                    p.egresoContado()->egreso().setValue(QStringLiteral("PREF_PRE"), QStringLiteral("BOG"));
                    if (!p.aceptarEgreso()) return 1;
                } else if (!p.aplicarA(QStringLiteral("NOTACRPR"), descuentos.at(i))) {
                    std::fprintf(stderr, "sin cruce: %s\n", qPrintable(puesto.interaccion.ultimo));
                    return 1;
                }
                QElapsedTimer t;
                t.start();
                const double c0 = cpuMs();
                if (!p.grabar() || (contado ? p.ultimoEgreso() : p.ultimaAplicacion()) == 0) {
                    std::fprintf(stderr, "no se grabó: %s\n", qPrintable(puesto.interaccion.ultimo));
                    return 1;
                }
                if (i > 0) {
                    ms.push_back(t.nsecsElapsed() / 1e6);
                    cpu.push_back(cpuMs() - c0);
                }
            }
            std::printf("F2 a cargo %s, 20 cargos: mediana %.1f ms (procesador %.1f ms), máx %.1f ms  (meta < 120 ms) %s\n",
                        contado ? "pagado de contado (cargo y egreso, 2 comprobantes, 2 impresiones)"
                                : "cruzado con un descuento (cargo y aplicación, 2 comprobantes, 1 impresión)",
                        mediana(ms), mediana(cpu), *std::max_element(ms.begin(), ms.end()),
                        mediana(ms) < 120 ? "ok" : "LENTO");
        }
    }

    // 2. Sustained through the logic against the raw inserts.
    double porSegundoLogica = 0, porSegundoCrudo = 0;
    {
        Puesto puesto(ruta);
        Tfnotasdebito p(puesto.sesion, puesto.interaccion, puesto.manejador, puesto.configuracion,
                        puesto.servicios(false, QString()));
        p.abrir();
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < cargos; ++i) {
            llenar(p, QStringLiteral("CEN"), i);
            if (!p.grabar()) {
                std::fprintf(stderr, "no se grabó: %s\n", qPrintable(puesto.interaccion.ultimo));
                return 1;
            }
        }
        porSegundoLogica = cargos / (t.nsecsElapsed() / 1e9);
    }
    {
        fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
        const QString insertar = QStringLiteral(
            "insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, TIDO_COD, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, "
            "NDPR_VENCE, NDPR_CONC, NDPR_MONTO, NDPR_IVAPORC, NDPR_IVAMONTO, NDPR_RTFTEPORC, NDPR_RTFTEMONTO, "
            "NDPR_RTIVAPORC, NDPR_RTIVAMONTO, NDPR_RTICAPORC, NDPR_RTICAMONTO, NDPR_USUARIO) "
            "values (next value for GEN_NOTAS_DEBITO_PROVEEDOR, '900456789', 51, 'CEN', ?, current_date, current_date, ?, ?, 19, ?, 2.5, ?, 15, ?, 4.14, ?, 'ADMIN')");
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < cargos; ++i) {
            const int64_t monto = 1000000 + i;
            fb::Transaction tr = db.begin();
            auto pesos = [](int64_t v) { return fb::Value(fb::Decimal{v * 100, -2}); };
            tr.execute(insertar, {QString::number(500000 + i), QStringLiteral("FLETE %1").arg(i),
                                  pesos(monto), pesos(monto * 19 / 100), pesos(monto / 40),
                                  pesos(monto * 19 / 100 * 15 / 100), pesos(monto * 414 / 100000)});
            tr.commit();
        }
        porSegundoCrudo = cargos / (t.nsecsElapsed() / 1e9);
    }
    std::printf("%d cargos por la lógica: %.0f por segundo; inserciones crudas de las mismas filas: %.0f por segundo; "
                "razón %.2f\n",
                cargos, porSegundoLogica, porSegundoCrudo, porSegundoCrudo / porSegundoLogica);

    // 3. Four clerks on one automatic prefix.
    const auto antes = [&] {
        fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
        return (*db.queryOne(QStringLiteral("select count(*) from notas_debito_proveedor where pref_pre = 'BOG'")))[0].toInt64();
    }();
    std::vector<std::unique_ptr<QProcess>> cajeros;
    for (int i = 0; i < 4; ++i) {
        auto c = std::make_unique<QProcess>();
        c->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        c->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--cajero"), ruta, QString::number(segundos)});
        cajeros.push_back(std::move(c));
    }
    int guardados = 0, avisos = 0, fallos = 0;
    for (auto& c : cajeros) {
        c->waitForFinished(segundos * 1000 + 120000);
        int g = 0, a = 0, f = 0;
        std::sscanf(c->readAllStandardOutput().constData(), "%d %d %d", &g, &a, &f);
        guardados += g;
        avisos += a;
        fallos += f;
    }
    fb::Database db = fb::Database::attach({ruta, QStringLiteral("SYSDBA")});
    const auto cuenta = db.queryOne(QStringLiteral(
        "select count(*), count(distinct ndpr_numero) from notas_debito_proveedor where pref_pre = 'BOG'"));
    const int64_t nuevos = (*cuenta)[0].toInt64() - antes;
    std::printf("4 cajeros en BOG durante %d s: %d cargos grabados, %lld en la base, números distintos %s, "
                "%d avisos del número tomado, %d fallos  %s\n",
                segundos, guardados, (long long)nuevos,
                (*cuenta)[0].toInt64() == (*cuenta)[1].toInt64() ? "sí" : "NO", avisos, fallos,
                nuevos == guardados && fallos == 0 ? "ok" : "MAL");
    return 0;
}
