// The way a clerk goes through the creditor screens, with the program's own
// Interaccion (its questions answered Yes): from the search, a new creditor
// is created, found, modified and deleted.
#include "creditors/FichaAcreedorVista.h"
#include "creditors/Registro.h"
#include "creditors/TfbuscproveVista.h"
#include "tests/creditors/Entorno.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>

using namespace cxp;

namespace {

class InteraccionSi : public InteraccionQt {
public:
    QStringList textos;
    void informacion(const QString& t) override { textos << t; }
    void error(const QString& t) override { textos << t; }
    void advertencia(const QString& t) override { textos << t; }
    bool preguntar(const QString& t) override {
        textos << t;
        return true;
    }
};

template <typename T> T* pantalla(const QString& nombre) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == nombre && w->isVisible())
            if (auto* t = qobject_cast<T*>(w)) return t;
    return nullptr;
}

class Recorrido : public prueba::EntornoAcreedores {};

TEST_F(Recorrido, CrearBuscarModificarYBorrarDesdeLaBusqueda) {
    InteraccionSi iq;
    registrarPantallasAcreedores(iq, sesion, manejador, configuracion);
    ASSERT_TRUE(iq.abrirPantalla("Tfbuscprove", {{"gestion", true}}));
    QPointer<TfbuscproveVista> b = pantalla<TfbuscproveVista>("Tfbuscprove");
    ASSERT_TRUE(b);
    const int antes = b->rejilla()->filasVisibles();

    ASSERT_TRUE(b->teclado().pulsar(Qt::Key_F5, b->texto()));
    QPointer<FichaAcreedorVista> n = pantalla<FichaAcreedorVista>("Tfnvotercero");
    ASSERT_TRUE(n);
    n->editor("TERC_NIT")->setFocus();
    QTest::keyClicks(n->editor("TERC_NIT"), "901234567");
    QTest::keyClicks(n->editor("TERC_NOM"), "RECORRIDO LTDA");
    ASSERT_TRUE(n->teclado().pulsar(Qt::Key_F2, n->editor("TERC_NOM")));
    ASSERT_TRUE(n->teclado().pulsar(Qt::Key_Escape, n->editor("TERC_NIT")));
    QTRY_VERIFY(n.isNull());

    b->logica().activar();
    EXPECT_EQ(b->rejilla()->filasVisibles(), antes + 1);
    ASSERT_TRUE(b->logica().lista().locate("TERC_NIT", QString("901234567")));
    ASSERT_TRUE(b->teclado().pulsar(Qt::Key_F4, b->rejilla()->vista()));
    QPointer<FichaAcreedorVista> m = pantalla<FichaAcreedorVista>("Tfmodtercero");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->editor("TERC_NOM")->text(), "RECORRIDO LTDA");
    m->editor("TERC_NOM")->setFocus();
    m->editor("TERC_NOM")->selectAll();
    QTest::keyClicks(m->editor("TERC_NOM"), "RECORRIDO S.A.S.");
    ASSERT_TRUE(m->teclado().pulsar(Qt::Key_F2, m->editor("TERC_NOM")));
    QTRY_VERIFY(m.isNull());

    b->logica().activar();
    EXPECT_EQ(b->logica().nitActual(), "901234567");
    EXPECT_EQ(b->logica().lista().asString("TERC_NOM"), "RECORRIDO S.A.S.");
    ASSERT_TRUE(b->teclado().pulsar(Qt::Key_F3, b->rejilla()->vista()));
    EXPECT_EQ(b->rejilla()->filasVisibles(), antes);
    EXPECT_TRUE(filas("select 1 from TERCEROS where TERC_NIT = '901234567'").empty());
    EXPECT_TRUE(iq.textos.contains("Desea borrar definitivamente el tercero con NIT 901234567 ?")) << iq.textos.join("\n").toStdString();
    b->close();
}

}  // namespace
