// Keys of a screen: Enter to the next field, F-keys and Esc to commands,
// "?" lookups, and nothing outside the screen.
#include "ui/Teclado.h"

#include "tests/support/InteraccionGrabada.h"
#include "ui/Enlaces.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using cxp::Teclado;

namespace {

class TecladoTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* capa = new QVBoxLayout(&pantalla);
        for (QWidget* w : std::initializer_list<QWidget*>{uno, dos, memo, tres}) capa->addWidget(w);
        pantalla.show();
        pantalla.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&pantalla));
    }
    QWidget pantalla;
    QLineEdit* uno = new QLineEdit(&pantalla);
    QLineEdit* dos = new QLineEdit(&pantalla);
    QPlainTextEdit* memo = new QPlainTextEdit(&pantalla);
    QLineEdit* tres = new QLineEdit(&pantalla);
    Teclado* teclado = new Teclado(&pantalla);
};

}  // namespace

TEST_F(TecladoTest, EnterMovesToTheNextFieldButAMemoKeepsItsLines) {
    uno->setFocus();
    QTest::keyClick(uno, Qt::Key_Return);
    EXPECT_TRUE(dos->hasFocus());
    QTest::keyClick(dos, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(memo->hasFocus()) << "the keypad's Enter too";
    QTest::keyClicks(memo, "a");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "b");
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->toPlainText(), "a\nb");

    teclado->setEnterSiguiente(false);
    uno->setFocus();
    QTest::keyClick(uno, Qt::Key_Return);
    EXPECT_TRUE(uno->hasFocus());
}

TEST_F(TecladoTest, FunctionKeysRunTheirCommandsWithTheirModifiers) {
    QStringList corridos;
    teclado->asignar(Qt::Key_F2, [&] { corridos << "F2"; });
    teclado->asignar(Qt::Key_Escape, [&] { corridos << "Esc"; });
    teclado->asignar(Qt::Key_F12, [&] { corridos << "F12"; });
    teclado->asignar(Qt::SHIFT | Qt::Key_F12, [&] { corridos << "Shift+F12"; });
    dos->setFocus();
    QTest::keyClick(dos, Qt::Key_F2);
    QTest::keyClick(dos, Qt::Key_F12);
    QTest::keyClick(dos, Qt::Key_F12, Qt::ShiftModifier);
    QTest::keyClick(memo, Qt::Key_Escape);
    QTest::keyClick(dos, Qt::Key_F5);  // not mapped: nothing
    QTest::keyClick(dos, Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(corridos, QStringList({"F2", "F12", "Shift+F12", "Esc"}));

    // A key mapped on one widget wins there and only there.
    teclado->asignarEn(uno, Qt::Key_Return, [&] { corridos << "buscar"; });
    uno->setFocus();
    QTest::keyClick(uno, Qt::Key_Return);
    EXPECT_TRUE(uno->hasFocus());
    EXPECT_EQ(corridos.last(), "buscar");
    dos->setFocus();
    QTest::keyClick(dos, Qt::Key_Return);
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(corridos.size(), 5);
}

TEST_F(TecladoTest, KeysOfAnotherWindowAreNotTheScreens) {
    int corridos = 0;
    teclado->asignar(Qt::Key_F2, [&] { ++corridos; });
    QWidget otra;
    auto* campo = new QLineEdit(&otra);
    otra.show();
    QTest::keyClick(campo, Qt::Key_F2);
    EXPECT_EQ(corridos, 0);
}

TEST_F(TecladoTest, CommandsWaitForPendingEditsAndFailuresStayInside) {
    prueba::InteraccionGrabada interaccion;
    cxp::DataSet ds;
    ds.openEmpty({{"MONTO", cxp::FieldType::Decimal, 0, 2, false, "T"}});
    cxp::Enlaces enlaces(interaccion);
    enlaces.enlazar(uno, ds, "MONTO");
    teclado->setAntesDeComando([&] { return enlaces.confirmar(); });
    QString visto;
    teclado->asignar(Qt::Key_F2, [&] { visto = ds.asString("MONTO"); });
    uno->setFocus();
    QTest::keyClicks(uno, "15.5");
    QTest::keyClick(uno, Qt::Key_F2);
    EXPECT_EQ(visto, "15.50") << "F2 sees what was typed, though the field was never left";

    visto.clear();
    uno->selectAll();
    QTest::keyClicks(uno, "quince");
    QTest::keyClick(uno, Qt::Key_F2);
    EXPECT_TRUE(visto.isEmpty()) << "a refused value stops the command";
    EXPECT_EQ(interaccion.de("error").size(), 1);

    QString fallo;
    teclado->setEjecutor([&](const Teclado::Comando& c) {
        try {
            c();
        } catch (const std::exception& e) {
            fallo = QString::fromUtf8(e.what());
        }
    });
    teclado->setAntesDeComando({});
    teclado->asignar(Qt::Key_F3, [] { throw std::runtime_error("falló"); });
    QTest::keyClick(dos, Qt::Key_F3);
    EXPECT_EQ(fallo, "falló");
}

TEST_F(TecladoTest, AQuestionMarkOpensTheLookupOnEnterOrOnLeaving) {
    EXPECT_TRUE(Teclado::pideBusqueda("?"));
    EXPECT_TRUE(Teclado::pideBusqueda("80?"));
    EXPECT_TRUE(Teclado::pideBusqueda("?pe"));
    EXPECT_FALSE(Teclado::pideBusqueda("8?0"));
    EXPECT_EQ(Teclado::sinInterrogacion(" ??80? "), "80");

    QStringList pedidos;
    teclado->busqueda(uno, [&](const QString& t) { pedidos << t; });
    uno->setFocus();
    QTest::keyClicks(uno, "80?");
    QTest::keyClick(uno, Qt::Key_Return);
    EXPECT_EQ(pedidos, QStringList({"80"}));
    EXPECT_EQ(uno->text(), "80");
    EXPECT_TRUE(dos->hasFocus()) << "Enter still moves on";

    uno->setFocus();
    uno->selectAll();
    QTest::keyClicks(uno, "?");
    dos->setFocus();
    QCoreApplication::processEvents();  // opened once the focus has settled
    EXPECT_EQ(pedidos, QStringList({"80", ""}));

    uno->setFocus();
    uno->setText("81");
    QTest::keyClick(uno, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(pedidos.size(), 2) << "no question mark, no lookup";
}

TEST_F(TecladoTest, ALookupOnABoundFieldNeverStoresTheQuestionMark) {
    prueba::InteraccionGrabada interaccion;
    cxp::DataSet ds;
    ds.openEmpty({{"NIT", cxp::FieldType::String, 20, 0, false, "T"}});
    ds.append();
    ds.setValue("NIT", QStringLiteral("800"));
    ds.post();
    int cambios = 0;
    ds.onChange("NIT", [&](cxp::DataSet&) { ++cambios; });
    cxp::Enlaces enlaces(interaccion);
    enlaces.enlazar(uno, ds, "NIT");
    // The lookup chooses 900, as a picker would.
    teclado->busqueda(uno, [&](const QString&) { ds.setValue("NIT", QStringLiteral("900")); });
    uno->setFocus();
    uno->selectAll();
    QTest::keyClicks(uno, "9?");
    QTest::keyClick(uno, Qt::Key_Return);
    EXPECT_EQ(ds.asString("NIT"), "900");
    EXPECT_EQ(uno->text(), "900");
    EXPECT_EQ(cambios, 1) << "only the lookup's choice";

    // Left the field: the value comes back.
    uno->setFocus();
    uno->selectAll();
    QTest::keyClicks(uno, "?");
    dos->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(uno->text(), "900");
    EXPECT_EQ(ds.asString("NIT"), "900");
}
