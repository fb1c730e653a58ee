// The status bar's states, texts and timers, as the handlers test them.
#include "data/BarraEstado.h"

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

TEST(BarraEstado, LaSupresionImpideElAviso) {
    BarraEstado barra;
    barra.setSuprimirMensajes(true);
    barra.mostrar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Normal);
    EXPECT_TRUE(barra.texto().isEmpty());
    barra.setSuprimirMensajes(false);
    barra.mostrar_mensaje();
    EXPECT_EQ(barra.estado(), Estado::Buscando);
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

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
