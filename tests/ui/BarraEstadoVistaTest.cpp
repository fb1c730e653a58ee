// The status panel paints the states of cxp::BarraEstado in their colours
// and beeps when asked.
#include "ui/BarraEstadoVista.h"

#include "tests/ui/Capturas.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using cxp::BarraEstado;
using cxp::BarraEstadoVista;

TEST(BarraEstadoVista, PlatformColoursHaveRedInTheLowestByte) {
    EXPECT_EQ(BarraEstadoVista::colorPlataforma(255), QColor(255, 0, 0));
    EXPECT_EQ(BarraEstadoVista::colorPlataforma(65535), QColor(255, 255, 0));
    EXPECT_EQ(BarraEstadoVista::colorPlataforma(16711680), QColor(0, 0, 255));
    EXPECT_EQ(BarraEstadoVista::colorPlataforma(15780518), QColor(0xA6, 0xCA, 0xF0));
}

TEST(BarraEstadoVista, PaintsEachStateWithItsTextAndBeeps) {
    BarraEstado barra;
    BarraEstadoVista vista(barra);
    vista.resize(500, 24);
    vista.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vista));
    auto fondo = [&] { return vista.palette().color(QPalette::Window); };
    EXPECT_EQ(fondo(), QApplication::palette(&vista).color(QPalette::Button)) << "at rest: the button face";

    barra.mostrar_mensaje();
    EXPECT_EQ(vista.text(), "Solicitando información. Espere un momento...");
    EXPECT_EQ(fondo(), QColor(0, 0, 255));
    EXPECT_EQ(vista.palette().color(QPalette::WindowText), QColor(Qt::white)) << "readable on blue";
    prueba::capturar(vista, "barra-buscando");
    barra.quitar_mensaje();
    EXPECT_EQ(fondo(), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(vista.text(), "");

    barra.mostrar_alerta("Hay mensajes");
    EXPECT_EQ(fondo(), QColor(255, 255, 0));
    EXPECT_EQ(vista.palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(vista.pitidos(), 1);

    barra.mostrar_advertencia("Fecha bloqueada");
    EXPECT_EQ(vista.text(), "Advertencia: Fecha bloqueada");
    EXPECT_EQ(fondo(), QColor(255, 0, 0));
    EXPECT_EQ(vista.pitidos(), 2);
    prueba::capturar(vista, "barra-advertencia");

    // A view built on a bar already in a state shows it at once.
    BarraEstadoVista otra(barra);
    EXPECT_EQ(otra.text(), "Advertencia: Fecha bloqueada");
    EXPECT_EQ(otra.colorActual(), QColor(255, 0, 0));
}
