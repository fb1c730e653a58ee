// Several clerks saving documents on one prefix at the same moment: no save
// lost, no number taken twice, the prefix past all of them, and no conflict
// reaching anybody. In one process, in two embedded processes on the same
// files, and in separate processes over the network.
#include "tests/support/BaseTemporal.h"
#include "tests/support/DocumentoPrueba.h"
#include "tests/support/Plantillas.h"
#include "tests/support/Servidor.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QUuid>
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

#ifndef CXP_GUARDADOR
#error "CXP_GUARDADOR must name the clerk program"
#endif

namespace {

using prueba::kPrefijoPrueba;
using prueba::kTipoPrueba;

// What every run must leave, whoever saved.
void comprobarNumeracion(fb::Database& db, int esperados) {
    const auto docs = db.query("select DOCU_NUMERO, DOCU_ID from DOC_PRUEBA order by DOCU_NUMERO");
    ASSERT_EQ(int(docs.size()), esperados) << "se perdieron guardados";
    QSet<QString> numeros;
    int mayor = 0;
    for (const auto& d : docs) {
        numeros.insert(d[0].toString());
        mayor = std::max(mayor, d[0].toString().toInt());
    }
    EXPECT_EQ(int(numeros.size()), esperados) << "un número tomado dos veces";
    // Clerks take the next number each time: no number is skipped either.
    EXPECT_EQ(mayor, esperados);
    const auto pref = db.queryOne("select PREF_ACTUAL from PREFIJOS where TIDO_COD = ? and PREF_PRE = ?",
                                  {kTipoPrueba, kPrefijoPrueba});
    EXPECT_EQ(pref->at(0).toString().toInt(), mayor + 1) << "el prefijo no ofrece el número siguiente al último";
    EXPECT_EQ(db.queryOne("select count(*) from DOC_PRUEBA_LINEA")->at(0).toInt64(), 3 * esperados);
    EXPECT_EQ(db.queryOne("select count(*) from AUDITORIA where TIDO_COD = ? and AUDI_OPER = 'I'", {kTipoPrueba})
                  ->at(0)
                  .toInt64(),
              esperados);
}

class Concurrencia : public ::testing::Test {
protected:
    void SetUp() override {
        fb::Database db = base.conectar();
        prueba::crearDocumentoPrueba(db);
    }
    prueba::BaseTemporal base{prueba::plantillaCompania()};
};

TEST_F(Concurrencia, OchoConexionesEnUnProceso) {
    constexpr int kConexiones = 8, kRondas = 3;
    std::atomic<int> guardados{0}, fallos{0}, reintentos{0};
    std::vector<std::string> errores(kConexiones);
    for (int ronda = 0; ronda < kRondas; ++ronda) {
        std::atomic<int> listos{0};
        std::vector<std::thread> hilos;
        for (int c = 0; c < kConexiones; ++c) {
            hilos.emplace_back([&, c] {
                try {
                    fb::Database db = base.conectar();
                    ++listos;
                    while (listos < kConexiones) std::this_thread::yield();  // all at once
                    for (int i = 0; i < 2; ++i) {
                        const auto g = prueba::guardarDocumento(db);
                        reintentos += g.intentos - 1;
                        ++guardados;
                    }
                } catch (const std::exception& e) {
                    errores[size_t(c)] = e.what();
                    ++fallos;
                }
            });
        }
        for (auto& h : hilos) h.join();
    }
    for (const auto& e : errores) EXPECT_TRUE(e.empty()) << e;
    EXPECT_EQ(fallos, 0);
    fb::Database db = base.conectar();
    comprobarNumeracion(db, guardados);
    EXPECT_EQ(guardados, kConexiones * kRondas * 2);
    // The collisions really happened and were absorbed.
    RecordProperty("reintentos", reintentos.load());
}

// Starts the clerk program `procesos` times at once and waits for them all.
int lanzarGuardadores(const fb::ConnectionParams& p, int procesos, int hilos, int documentos, QString* errores) {
    std::vector<std::unique_ptr<QProcess>> lista;
    for (int i = 0; i < procesos; ++i) {
        auto proc = std::make_unique<QProcess>();
        proc->start(QStringLiteral(CXP_GUARDADOR),
                    {p.database, p.user, p.password, QString::number(hilos), QString::number(documentos)});
        lista.push_back(std::move(proc));
    }
    int lineas = 0;
    for (auto& proc : lista) {
        if (!proc->waitForFinished(300000)) *errores += QStringLiteral("un guardador no terminó\n");
        const QString out = QString::fromUtf8(proc->readAllStandardOutput());
        lineas += int(out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
        if (proc->exitCode() != 0 || proc->exitStatus() != QProcess::NormalExit)
            *errores += QString::fromUtf8(proc->readAllStandardError());
    }
    return lineas;
}

TEST_F(Concurrencia, DosProcesosEmbebidosSobreLosMismosArchivos) {
    for (int ronda = 0; ronda < 2; ++ronda) {
        QString errores;
        lanzarGuardadores(base.params(), 2, 4, 2, &errores);
        EXPECT_TRUE(errores.isEmpty()) << errores.toStdString();
    }
    fb::Database db = base.conectar();
    comprobarNumeracion(db, 2 * 2 * 4 * 2);
}

TEST(ConcurrenciaServidor, ProcesosSeparadosPorLaRed) {
    CXP_SERVIDOR_O_FALLA(srv);
    // The server opens its own copy of the company template.
    const QString ruta =
        srv.carpeta + QStringLiteral("/concurrencia-%1.fdb").arg(QUuid::createUuid().toString(QUuid::Id128));
    ASSERT_TRUE(QFile::copy(prueba::plantillaCompania(), ruta));
    QFile::setPermissions(ruta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
    const fb::ConnectionParams p = srv.params(ruta);
    {
        fb::Database db = fb::Database::attach(p);
        prueba::crearDocumentoPrueba(db);
    }
    for (int ronda = 0; ronda < 2; ++ronda) {
        QString errores;
        lanzarGuardadores(p, 8, 1, 2, &errores);
        EXPECT_TRUE(errores.isEmpty()) << errores.toStdString();
    }
    fb::Database db = fb::Database::attach(p);
    comprobarNumeracion(db, 2 * 8 * 2);
    db.drop();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
