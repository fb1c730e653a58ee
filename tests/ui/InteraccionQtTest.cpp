// The program's Interaccion: Spanish boxes with our own buttons, screens and
// pickers by name, focus requests to the screen in use, the reason panel.
#include "ui/InteraccionQt.h"

#include "tests/ui/Capturas.h"
#include "ui/PanelRazon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using cxp::InteraccionQt;

namespace {

struct Caja {
    QString titulo, texto;
    QStringList botones;
    Qt::TextFormat formato = Qt::AutoText;
};

// Answers the next modal box: the button with that caption, or a key.
void responder(Caja* vista, const QString& boton, int tecla = 0, const QString& captura = {}) {
    QTimer::singleShot(0, [=] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja) {
            ADD_FAILURE() << "no box open";
            return;
        }
        vista->titulo = caja->windowTitle();
        vista->texto = caja->text();
        vista->formato = caja->textFormat();
        for (QAbstractButton* b : caja->buttons()) vista->botones << b->text();
        if (!captura.isEmpty()) prueba::capturar(*caja, captura);
        if (tecla) {
            QTest::keyClick(caja, Qt::Key(tecla));
            return;
        }
        for (QAbstractButton* b : caja->buttons())
            if (b->text() == boton) {
                b->click();
                return;
            }
        ADD_FAILURE() << "no button " << boton.toStdString();
        caja->reject();
    });
}

}  // namespace

// Each box: its Spanish title and our own buttons, what each answer returns
// (Escape is No for a question, but must not throw a stored document away
// in abort/retry), and typed text (a creditor named "<b>X</b>" or a link)
// shown as typed, never as markup.
TEST(InteraccionQt, BoxesAreSpanishWithTheirOwnButtonsAndPlainText) {
    InteraccionQt i;
    const QString texto = "El acreedor <a href='http://x'>=HYPERLINK(1)</a> no existe";
    const QStringList siNo{"&Sí", "&No"}, abortar{"&Abortar", "&Reintentar"};
    struct Caso {
        const char* boton;
        int tecla;
        std::function<bool()> abrir;
        const char* titulo;
        QStringList botones;
        bool devuelve;
        const char* captura;
    };
    const Caso casos[] = {
        {"Aceptar", 0, [&] { i.informacion(texto); return true; }, "Información", {"Aceptar"}, true, "caja-informacion"},
        {"Aceptar", 0, [&] { i.error(texto); return true; }, "Error", {"Aceptar"}, true, ""},
        {"Aceptar", 0, [&] { i.advertencia(texto); return true; }, "Advertencia", {"Aceptar"}, true, ""},
        {"&Sí", 0, [&] { return i.preguntar(texto); }, "Confirmación", siNo, true, "caja-pregunta"},
        {"&No", 0, [&] { return i.preguntar(texto); }, "Confirmación", siNo, false, ""},
        {"", Qt::Key_Escape, [&] { return i.preguntar(texto); }, "Confirmación", siNo, false, ""},
        {"&Abortar", 0, [&] { return i.reintentar(texto); }, nullptr, abortar, false, ""},
        {"&Reintentar", 0, [&] { return i.reintentar(texto); }, nullptr, abortar, true, ""},
        {"", Qt::Key_Escape, [&] { return i.reintentar(texto); }, nullptr, abortar, true, ""},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::string(k.boton) + (k.tecla ? "Escape" : ""));
        Caja c;
        responder(&c, QString::fromUtf8(k.boton), k.tecla, QString::fromLatin1(k.captura));
        EXPECT_EQ(k.abrir(), k.devuelve);
        if (k.titulo) EXPECT_EQ(c.titulo, QString::fromUtf8(k.titulo));
        EXPECT_EQ(c.botones, k.botones);
        EXPECT_EQ(c.texto, texto);
        EXPECT_EQ(c.formato, Qt::PlainText);
    }
}

// The passing warning: no buttons, the program answers while it stands,
// about five seconds, or until Escape (even one pressed in another window).
TEST(InteraccionQt, PassingWarningLastsFiveSecondsOrUntilEscape) {
    struct Caso {
        const char* nombre;
        int escapeMs;  // when Escape is pressed; -1 never
        int minimoMs, maximoMs;
    };
    const Caso casos[] = {
        {"sin escape", -1, 4500, 7000},
        {"escape en la espera", 700, 600, 1400},
        {"escape en otra ventana", 1200, 1100, 1900},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        InteraccionQt i;
        QWidget otra;
        otra.show();
        QString titulo, texto;
        int botones = -1, ticks = 0;
        QTimer::singleShot(100, [&] {
            for (QWidget* v : QApplication::topLevelWidgets())
                if (v->objectName() == "mensaje_error" && v->isVisible()) {
                    titulo = v->windowTitle();
                    texto = v->findChild<QLabel*>("texto")->text();
                    botones = int(v->findChildren<QAbstractButton*>().size());
                }
        });
        QTimer reloj;
        QObject::connect(&reloj, &QTimer::timeout, [&] { ++ticks; });
        reloj.start(50);
        if (c.escapeMs >= 0)
            QTimer::singleShot(c.escapeMs, [&] {
                QWidget* destino = std::string(c.nombre) == "escape en otra ventana" ? &otra : nullptr;
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (!destino && w->objectName() == "mensaje_error") destino = w;
                QTest::keyClick(destino, Qt::Key_Escape);
            });
        QElapsedTimer t;
        t.start();
        i.mensaje_error("Saldo insuficiente");
        const qint64 ms = t.elapsed();
        EXPECT_GE(ms, c.minimoMs);
        EXPECT_LE(ms, c.maximoMs);
        EXPECT_EQ(titulo, "Advertencia");
        EXPECT_EQ(texto, "Saldo insuficiente");
        EXPECT_EQ(botones, 0);
        EXPECT_GE(ticks, int(ms / 50) / 2) << "the program kept answering";
        for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_NE(w->objectName(), "mensaje_error");
    }
}

TEST(InteraccionQt, ScreensAndPickersOpenOnlyWhenRegistered) {
    InteraccionQt i;
    std::vector<QWidget*> mostradas;
    i.setMostrarHija([&](QWidget* w) { mostradas.push_back(w); });
    const int antes = int(QApplication::topLevelWidgets().size());
    EXPECT_FALSE(i.abrirPantalla("Tfnoexiste", {}));
    EXPECT_TRUE(mostradas.empty());
    EXPECT_EQ(int(QApplication::topLevelWidgets().size()), antes) << "nothing shown";

    QVariantMap recibidos;
    i.registrarPantalla("Tfmensaje", [&](const QVariantMap& a) {
        recibidos = a;
        return new QWidget;
    });
    // A factory may decline (no right): nothing is shown.
    i.registrarPantalla("Tfnegada", [](const QVariantMap&) -> QWidget* { return nullptr; });
    EXPECT_TRUE(i.abrirPantalla("Tfmensaje", {{"id", 7}}));
    EXPECT_FALSE(i.abrirPantalla("Tfnegada", {}));
    ASSERT_EQ(mostradas.size(), 1u);
    EXPECT_EQ(mostradas[0]->objectName(), "Tfmensaje");
    EXPECT_EQ(recibidos.value("id").toInt(), 7);
    delete mostradas[0];

    EXPECT_EQ(i.elegir("Tfbuscprove", {}), std::nullopt);
    i.registrarSelector("Tfbuscprove", [](const QVariantMap& a) -> std::optional<QVariantMap> {
        return QVariantMap{{"TERC_NIT", a.value("inicio").toString() + "1"}};
    });
    const auto eleccion = i.elegir("Tfbuscprove", {{"inicio", "80"}});
    ASSERT_TRUE(eleccion);
    EXPECT_EQ(eleccion->value("TERC_NIT").toString(), "801");
}

TEST(InteraccionQt, FocusGoesToTheScreenInUse) {
    InteraccionQt i;
    QWidget a, b;
    auto* campoA = new QLineEdit(&a);
    auto* campoB = new QLineEdit(&b);
    QStringList pedidosA, pedidosB;
    i.registrarEnfoque(&a, [&](const QString& c) { pedidosA << c; });
    i.registrarEnfoque(&b, [&](const QString& c) { pedidosB << c; });
    a.show();
    b.show();
    a.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
    campoA->setFocus();
    i.enfocar("NIT");
    b.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b));
    campoB->setFocus();
    i.enfocar("MONTO");
    EXPECT_EQ(pedidosA, QStringList({"NIT"}));
    EXPECT_EQ(pedidosB, QStringList({"MONTO"}));

    // A view that goes takes its registration with it.
    {
        QWidget c;
        i.registrarEnfoque(&c, [](const QString&) { FAIL() << "a dead view was called"; });
    }
    i.enfocar("X");
    EXPECT_EQ(pedidosB.size(), 2);
}

TEST(PanelRazon, ReturnsTheReasonOnF5AndNothingOnEscape) {
    InteraccionQt i;
    QTimer::singleShot(0, [] {
        auto* panel = qobject_cast<cxp::PanelRazon*>(QApplication::activeModalWidget());
        ASSERT_NE(panel, nullptr);
        panel->texto()->insert(QStringLiteral("  Error de digitación "));
        QTest::keyClick(panel->texto(), Qt::Key_Return);  // Enter does not accept
        ASSERT_TRUE(panel->isVisible());
        prueba::capturar(*panel, "panel-razon");
        QTest::keyClick(panel->texto(), Qt::Key_F5);
    });
    auto r = i.elegir(InteraccionQt::selectorRazon);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value("razon").toString(), "Error de digitación");

    QTimer::singleShot(0, [] {
        auto* panel = qobject_cast<cxp::PanelRazon*>(QApplication::activeModalWidget());
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->findChild<QLabel*>()->text(), "Indique la razon por la cual está anulando este documento :");
        QTest::keyClicks(panel->texto(), "algo");
        QTest::keyClick(panel->texto(), Qt::Key_Escape);
    });
    EXPECT_EQ(i.elegir(InteraccionQt::selectorRazon), std::nullopt);

    // Accepted empty: the caller tells the person a reason is needed.
    QTimer::singleShot(0, [] {
        auto* panel = qobject_cast<cxp::PanelRazon*>(QApplication::activeModalWidget());
        ASSERT_NE(panel, nullptr);
        panel->botonContinuar()->click();
    });
    EXPECT_EQ(cxp::PanelRazon::pedir(nullptr), std::optional<QString>(QString()));
}
