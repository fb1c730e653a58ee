// Applications saved through the application's logic on the demo company:
// F2 to the next blank application of two rows (a charge crossed whole by a
// discount of the same creditor), posted (the review window saves itself)
// and printed to a PDF file: median per application.
//
//   bench_aplicaciones [aplicaciones]      (40)
#include "accounting/contabilizacion/Contexto.h"
#include "accounting/contabilizacion/Protocolo.h"
#include "accounting/contabilizacion/Tfcontabiliza.h"
#include "accounting/contabilizacion/RevisionSola.h"
#include "accounting/interfaces/Interfaces.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "db/Esquema.h"
#include "documents/applications/Tfaplicacionprv.h"
#include "printing/motor/ImprimirDocumento.h"
#include "bench/Silenciosa.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace cxp;

// Nobody answers: messages are kept, questions get No.
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
        configuracion.cargar(sesion.compania);
        sesion.directorio = QDir::tempPath();
    }
    ServiciosAplicacion servicios(const QString& pdf) {
        ServiciosAplicacion s;
        s.abreInterfaz = [this](int tipo, const QString& prefijo, bool preguntar) {
            return Interfaces(sesion.compania, interaccion).abre_interfaz(tipo, prefijo, preguntar);
        };
        s.contabilizar = [this](int64_t id, int interfaz, const QDate& fecha) {
            ProtocoloContabilizacion protocolo(
                sesion, interaccion, configuracion, contexto, [interfaz](int, const QString&) { return interfaz; },
                [this] {
                    return revisionQueSeGrabaSola(sesion, interaccion, manejador, configuracion, contexto);
                });
            if (protocolo.contabilizar({53, int(id), QString(), fecha}) != ProtocoloContabilizacion::Resultado::Finalizado)
                std::fprintf(stderr, "aplicación %lld sin comprobante: %s\n", (long long)id, qPrintable(interaccion.ultimo));
        };
        s.imprimir = [this, pdf](int64_t id) {
            imprimirDocumento(sesion, configuracion, interaccion, {53, QString(), id, SalidaImpresion::Pdf, pdf});
        };
        return s;
    }
};

// The charge and the discount number n, each proposed whole.
bool llenar(Tfaplicacionprv& p, int n) {
    p.aplicacion().setValue(QStringLiteral("PREF_PRE"), QStringLiteral("BOG"));
    p.aplicacion().setValue(QStringLiteral("TERC_NIT"), QStringLiteral("900456789"));
    DataSet& d = p.detalle();
    for (const char* tipo : {"NDPROV", "NCPROV"}) {
        d.append();
        d.setValue(QStringLiteral("TIDO_NOMCORTO"), QString::fromLatin1(tipo));
        d.setValue(QStringLiteral("APPD_PREFIJO"), QStringLiteral("CEN"));
        d.setValue(QStringLiteral("APPD_NUMERO"), QString::number(n));
        if (d.state() == DataSet::State::Browse || d.asInt(QStringLiteral("APPD_IDDOC")) == 0) return false;
        d.post();
    }
    return true;
}

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    fb::Environment::ensure();
    const int aplicaciones = argc > 1 ? std::max(2, std::atoi(argv[1])) : 40;

    QTemporaryDir carpeta(QDir::tempPath() + QStringLiteral("/cxp-bench-aplicaciones-XXXXXX"));
    const QString ruta = carpeta.filePath(QStringLiteral("demo.fdb"));
    {
        fb::Database db = fb::Database::create({ruta, QStringLiteral("SYSDBA")}, 16384);
        esquema::actualizar(db, esquema::Base::Compania);
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        db.executeDirect(QStringLiteral("update configuracion set conf_valor = 'NO' where conf_propiedad = "
                                        "'PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR'"));
        fb::Transaction tr = db.begin();
        for (int i = 0; i < aplicaciones; ++i) {
            const QString numero = QString::number(100000 + i);
            tr.execute(QStringLiteral("insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, TIDO_COD, PREF_PRE, "
                                      "NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE, NDPR_CONC, NDPR_MONTO, NDPR_USUARIO) values "
                                      "(next value for GEN_NOTAS_DEBITO_PROVEEDOR, '900456789', 51, 'CEN', ?, "
                                      "current_date - 1, current_date, 'PRUEBA', 100000, 'ADMIN')"),
                       {numero});
            tr.execute(QStringLiteral("insert into notas_credito_proveedor (NCPR_ID, TERC_NIT, PREF_PRE, NCPR_NUMERO, "
                                      "NCPR_FECHA, NCPR_MONTO, NCPR_IVAMONTO, NCPR_RTFTEMONTO, NCPR_RTIVAMONTO, "
                                      "NCPR_RTICAMONTO, NCPR_RTCREEM, NCPR_CONC) values "
                                      "(next value for GEN_NOTAS_CREDITO_PROVEEDOR, '900456789', 'CEN', ?, "
                                      "current_date - 1, 100000, 0, 0, 0, 0, 0, 'PRUEBA')"),
                       {numero});
        }
        tr.commit();
    }
    std::printf("base de demostración lista\n");

    Puesto puesto(ruta);
    // Posting and printing timed apart, to see where a save goes.
    ServiciosAplicacion servicios = puesto.servicios(carpeta.filePath(QStringLiteral("aplicacion.pdf")));
    double posteo = 0, impresion = 0;
    auto medir = [](double& total, auto f) {
        return [&total, f](auto... a) {
            QElapsedTimer t;
            t.start();
            f(a...);
            total += t.nsecsElapsed() / 1e6;
        };
    };
    servicios.contabilizar = medir(posteo, servicios.contabilizar);
    servicios.imprimir = medir(impresion, servicios.imprimir);
    Tfaplicacionprv p(puesto.sesion, puesto.interaccion, puesto.manejador, puesto.configuracion, servicios);
    if (!p.abrir()) return 1;
    std::vector<double> ms;
    for (int i = 0; i < aplicaciones; ++i) {
        if (!llenar(p, 100000 + i)) {
            std::fprintf(stderr, "no se llenó: %s\n", qPrintable(puesto.interaccion.ultimo));
            return 1;
        }
        QElapsedTimer t;
        t.start();
        if (!p.grabar()) {
            std::fprintf(stderr, "no se grabó: %s\n", qPrintable(puesto.interaccion.ultimo));
            return 1;
        }
        if (i > 0) ms.push_back(t.nsecsElapsed() / 1e6);  // the first one warms the caches
        if (i == 0) posteo = impresion = 0;
    }
    std::printf("F2 a aplicación nueva (2 documentos; contabilizada e impresa a PDF), %d aplicaciones: "
                "mediana %.1f ms, máx %.1f ms  (meta ≤ 50 ms) %s\n",
                int(ms.size()), mediana(ms), *std::max_element(ms.begin(), ms.end()), mediana(ms) <= 50 ? "ok" : "LENTO");
    std::printf("  de ellos, en promedio: contabilizar %.1f ms, imprimir %.1f ms\n", posteo / ms.size(),
                impresion / ms.size());
    return 0;
}
