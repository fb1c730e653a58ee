// Eight cashiers, each a process of its own over the network, storing
// payment vouchers on one prefix and writing cheques on one automatic
// checkbook for a while: no voucher or cheque number twice, no voucher
// lost, every cheque tied to its voucher and the checkbook past them all.
// 15 seconds in the suite; CXP_EGRESOS_SEGUNDOS sets another time.
#include "tests/db/LibroPrueba.h"
#include "tests/support/Plantillas.h"
#include "tests/support/Servidor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QUuid>
#include <gtest/gtest.h>

#ifndef CXP_CAJERO
#error "CXP_CAJERO must name the cashier program"
#endif

namespace {

struct Egreso {
    QString numero, cheque, ofrecido;
    int64_t id = 0;
    int intentos = 0;
};

TEST(EgresosConcurrentes, OchoCajerosUnPrefijoYUnaChequera) {
    CXP_SERVIDOR_O_FALLA(srv);
    const QString ruta =
        srv.carpeta + QStringLiteral("/egresos-%1.fdb").arg(QUuid::createUuid().toString(QUuid::Id128));
    ASSERT_TRUE(QFile::copy(prueba::plantillaCompania(), ruta));
    QFile::setPermissions(ruta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                    QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
    const fb::ConnectionParams p = srv.params(ruta);
    const QString nit = QStringLiteral("800555666");
    {
        fb::Database db = fb::Database::attach(p);
        libro::Libro(db).acreedor(nit);
        db.executeDirect("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL, PREF_AUTO) values (62, 'EGC', '000001', 'S')");
        db.executeDirect("insert into CUENTAS_BANCO (CUBA_COD, CUBA_NUMERO) values (1, '201-1')");
        db.executeDirect("insert into PREFIJOS_BANCOS (TIDO_COD, CUBA_COD, PRBA_PREF, PRBA_AUTO, PRBA_NUMERO) "
                         "values (72, 1, 'CHA', 'S', '000001')");
    }
    const int segundos = qEnvironmentVariableIntValue("CXP_EGRESOS_SEGUNDOS") > 0
                             ? qEnvironmentVariableIntValue("CXP_EGRESOS_SEGUNDOS")
                             : 15;
    constexpr int kCajeros = 8;
    std::vector<std::unique_ptr<QProcess>> cajeros;
    QElapsedTimer reloj;
    reloj.start();
    for (int i = 0; i < kCajeros; ++i) {
        auto proc = std::make_unique<QProcess>();
        proc->start(QStringLiteral(CXP_CAJERO), {p.database, p.user, p.password, QString::number(segundos), "EGC", nit,
                                                 "1", "CHA"});
        cajeros.push_back(std::move(proc));
    }
    std::vector<Egreso> guardados;
    for (auto& proc : cajeros) {
        ASSERT_TRUE(proc->waitForFinished((segundos + 120) * 1000)) << "un cajero no terminó";
        EXPECT_EQ(proc->exitCode(), 0) << proc->readAllStandardError().toStdString();
        for (const QString& linea : QString::fromUtf8(proc->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList c = linea.split(' ');
            ASSERT_EQ(c.size(), 5) << linea.toStdString();
            guardados.push_back({c[0], c[2], c[4], c[1].toLongLong(), c[3].toInt()});
        }
    }
    const double transcurrido = reloj.elapsed() / 1000.0;

    fb::Database db = fb::Database::attach(p);
    const int n = int(guardados.size());
    ASSERT_GT(n, kCajeros);
    // Every voucher a cashier was told was stored is there, with its cheque.
    QSet<QString> numeros, cheques;
    int reintentos = 0, renumerados = 0;
    for (const Egreso& e : guardados) {
        numeros.insert(e.numero);
        cheques.insert(e.cheque);
        reintentos += e.intentos - 1;
        if (e.cheque != e.ofrecido) ++renumerados;
        const auto fila = db.queryOne(
            "select e.EGRE_NUMERO, b.EGBC_NUMERO, c.CHEQ_NUMERO, (select count(*) from EGRESOS_CAJA x where x.EGRE_ID = "
            "e.EGRE_ID), (select count(*) from EGRESOS_CONTABILIDAD x where x.EGRE_ID = e.EGRE_ID) from EGRESOS e "
            "join EGRESOS_BANCO b on b.EGRE_ID = e.EGRE_ID join CHEQUES c on c.CHEQ_IDEGRESO = e.EGRE_ID where e.EGRE_ID = ?",
            {e.id});
        ASSERT_TRUE(fila) << "egreso perdido " << e.numero.toStdString();
        EXPECT_EQ(fila->at(0).toString(), e.numero);
        EXPECT_EQ(fila->at(1).toString(), e.cheque);
        EXPECT_EQ(fila->at(2).toString(), e.cheque) << "el cheque no es el de su egreso";
        EXPECT_EQ(fila->at(3).toInt64(), 1);
        EXPECT_EQ(fila->at(4).toInt64(), 1);
    }
    EXPECT_EQ(numeros.size(), n) << "un número de egreso dos veces";
    EXPECT_EQ(cheques.size(), n) << "un cheque dos veces";
    // Nothing more in the database than what the cashiers were told.
    EXPECT_EQ(db.queryOne("select count(*) from EGRESOS where PREF_PRE = 'EGC'")->at(0).toInt64(), n);
    EXPECT_EQ(db.queryOne("select count(*) from CHEQUES where PRBA_PREF = 'CHA'")->at(0).toInt64(), n);
    EXPECT_EQ(db.queryOne("select count(*) from CHEQUES c where not exists (select 1 from EGRESOS_BANCO b where "
                          "b.EGRE_ID = c.CHEQ_IDEGRESO and b.EGBC_NUMERO = c.CHEQ_NUMERO)")
                  ->at(0)
                  .toInt64(),
              0);
    // No gaps either, and the checkbook offers the number after the last.
    EXPECT_EQ(db.queryOne("select max(CHEQ_NUMERO) from CHEQUES")->at(0).toString().toInt(), n);
    EXPECT_EQ(db.queryOne("select PRBA_NUMERO from PREFIJOS_BANCOS where PRBA_PREF = 'CHA'")->at(0).toString().toInt(),
              n + 1);
    EXPECT_EQ(db.queryOne("select max(EGRE_NUMERO) from EGRESOS where PREF_PRE = 'EGC'")->at(0).toString().toInt(), n);

    const QString cifras = QStringLiteral("%1 s, %2 cajeros: %3 egresos (%4 por segundo), %5 reintentos, %6 cheques "
                                          "renumerados por la base")
                               .arg(transcurrido, 0, 'f', 1)
                               .arg(kCajeros)
                               .arg(n)
                               .arg(n / transcurrido, 0, 'f', 1)
                               .arg(reintentos)
                               .arg(renumerados);
    std::printf("%s\n", qPrintable(cifras));
    RecordProperty("cifras", cifras.toStdString());
    db.drop();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
