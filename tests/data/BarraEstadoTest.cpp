// The status bar's states, texts and timers, as the handlers test them.
#include "data/BarraEstado.h"
#include "data/DataSet.h"
#include "tests/support/BaseTemporal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using cxp::BarraEstado;
using Estado = cxp::BarraEstado::Estado;

namespace {

const QString kBuscando = QStringLiteral("Solicitando información. Espere un momento...");

// Waits until the bar leaves `estado`; returns the milliseconds it took.
qint64 esperarQueCambie(BarraEstado& barra, Estado estado, int limite = 3000) {
    QElapsedTimer t;
    t.start();
    while (barra.estado() == estado && t.elapsed() < limite) QTest::qWait(5);
    return t.elapsed();
}

TEST(BarraEstado, ElAvisoDeBusquedaSoloSobreLaBarraEnReposo) {
    BarraEstado barra;
    QSignalSpy cambios(&barra, &BarraEstado::cambio);
    barra.mostrar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Buscando);
    EXPECT_EQ(barra.texto(), kBuscando);
    EXPECT_EQ(BarraEstado::color(barra.estado()), 16711680u);
    ASSERT_EQ(cambios.size(), 1);
    EXPECT_EQ(cambios[0][1].toString(), kBuscando);

    barra.quitar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Despejada);
    EXPECT_EQ(barra.texto(), QString());
    EXPECT_EQ(BarraEstado::color(barra.estado()), 15780518u);

    // After one fetch the notice does not come back, and removing it again
    // changes nothing: the bar is light blue, not blue.
    barra.mostrar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Despejada);
    barra.quitar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Despejada);
    EXPECT_EQ(cambios.size(), 2);
}

TEST(BarraEstado, LaAdvertenciaDuraLosSegundosConfiguradosYDejaLaBarraEnReposo) {
    BarraEstado barra;
    barra.setDuracionAdvertencias(1);
    QSignalSpy pitidos(&barra, &BarraEstado::pitido);
    barra.mostrar_advertencia(QStringLiteral("Falta el NIT"));
    EXPECT_EQ(pitidos.size(), 1);
    EXPECT_EQ(barra.estado(), Estado::Advertencia);
    EXPECT_EQ(barra.texto(), QStringLiteral("Advertencia: Falta el NIT"));
    EXPECT_EQ(BarraEstado::color(barra.estado()), 255u);

    // No fetching notice over a warning.
    barra.mostrar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Advertencia);

    const qint64 ms = esperarQueCambie(barra, Estado::Advertencia);
    EXPECT_GE(ms, 900);
    EXPECT_LT(ms, 2000);
    EXPECT_EQ(barra.estado(), Estado::Normal);
    EXPECT_TRUE(barra.texto().isEmpty());
    // At rest again: the next fetch shows its notice.
    barra.mostrar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Buscando);
}

TEST(BarraEstado, UnaNuevaAdvertenciaReiniciaElReloj) {
    BarraEstado barra;
    barra.setDuracionAdvertencias(1);
    barra.mostrar_advertencia(QStringLiteral("uno"));
    QTest::qWait(600);
    barra.mostrar_advertencia(QStringLiteral("dos"));
    QTest::qWait(600);
    EXPECT_EQ(barra.estado(), Estado::Advertencia);
    EXPECT_EQ(barra.texto(), QStringLiteral("Advertencia: dos"));
    esperarQueCambie(barra, Estado::Advertencia);
    EXPECT_EQ(barra.estado(), Estado::Normal);
}

TEST(BarraEstado, ElRecordatorioSoloTrasUnaBusquedaYDuraDecimasDeSegundo) {
    BarraEstado barra;
    barra.setDuracionAdvertencias(2);  // a reminder stays 200 ms
    QSignalSpy pitidos(&barra, &BarraEstado::pitido);

    // At rest, during a fetch or a warning: only the beep.
    barra.mostrar_alerta(QStringLiteral("Pagar a Acme"));
    EXPECT_EQ(barra.estado(), Estado::Normal);
    barra.mostrar_mensaje();
    barra.mostrar_alerta(QStringLiteral("Pagar a Acme"));
    EXPECT_EQ(barra.estado(), Estado::Buscando);
    EXPECT_EQ(pitidos.size(), 2);

    barra.quitar_mensaje();
    barra.mostrar_alerta(QStringLiteral("Pagar a Acme"));
    EXPECT_EQ(pitidos.size(), 3);
    EXPECT_EQ(barra.estado(), Estado::Recordatorio);
    EXPECT_EQ(barra.texto(), QStringLiteral("RECORDAR: Pagar a Acme"));
    EXPECT_EQ(BarraEstado::color(barra.estado()), 65535u);

    const qint64 ms = esperarQueCambie(barra, Estado::Recordatorio);
    EXPECT_GE(ms, 150);
    EXPECT_LT(ms, 1000);
    EXPECT_EQ(barra.estado(), Estado::Normal);
    EXPECT_TRUE(barra.texto().isEmpty());
}

TEST(BarraEstado, ElTextoDeUnErrorConservaElEstado) {
    BarraEstado barra;
    barra.mostrar_mensaje();
    barra.mostrar_texto(QStringLiteral("violation of PRIMARY or UNIQUE KEY constraint"));
    EXPECT_EQ(barra.estado(), Estado::Buscando);
    EXPECT_EQ(barra.texto(), QStringLiteral("violation of PRIMARY or UNIQUE KEY constraint"));
    barra.quitar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Despejada);
}

// Every DataSet's fetch shows the notice while its query runs, and removes
// it also when the query fails; the suppression flag keeps it away; a bar
// that is gone is no longer told.
TEST(BarraEstado, ElAvisoAcompanaCadaConsultaDeUnDataSet) {
    prueba::BaseTemporal base;
    fb::Database db = base.conectar();
    // Some hundred thousand rows counted: long enough to be seen.
    const QString lenta = QStringLiteral(
        "select count(*) from rdb$types a cross join rdb$types b cross join (select first 4 1 as x from rdb$types) c");
    struct Caso {
        const char* nombre;
        QString sql;
        bool suprimir, falla;
        QList<Estado> estados;
    };
    const Caso casos[] = {
        {"lenta", lenta, false, false, {Estado::Buscando, Estado::Despejada}},
        {"falla", QStringLiteral("select 1 / 0 from rdb$database"), false, true, {Estado::Buscando, Estado::Despejada}},
        {"suprimida", lenta, true, false, {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        BarraEstado barra;
        barra.avisarConsultas();
        barra.setSuprimirMensajes(c.suprimir);
        QList<Estado> estados;
        QElapsedTimer reloj;
        qint64 visible = -1;
        QObject::connect(&barra, &BarraEstado::cambio, [&](Estado e, const QString& texto) {
            estados << e;
            if (e == Estado::Buscando) {
                EXPECT_EQ(texto, kBuscando);
                reloj.start();
            } else if (reloj.isValid()) {
                visible = reloj.elapsed();
            }
        });
        cxp::DataSet ds;
        if (c.falla) {
            EXPECT_ANY_THROW(ds.open(db, c.sql));
        } else {
            ds.open(db, c.sql);
            EXPECT_EQ(ds.recordCount(), 1);
        }
        EXPECT_EQ(estados, c.estados);
        if (!c.falla && !c.suprimir) EXPECT_GE(visible, 20) << "the notice stood while the query ran";
    }
    cxp::DataSet despues;
    despues.open(db, QStringLiteral("select 1 from rdb$database"));  // the bar above is gone
    EXPECT_TRUE(despues.isOpen());
}

}  // namespace
