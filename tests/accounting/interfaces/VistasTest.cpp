// The interface screens' widgets under the offscreen platform: the list's
// column order, copy panel and keys; the edit screen's bound sources and
// accounts, the discount accounts and F2; the chooser's keys. With
// CXP_CAPTURAS set, a picture of each screen is left there.
#include "accounting/interfaces/FichaInterfazVista.h"
#include "accounting/interfaces/Interfaces.h"
#include "accounting/interfaces/Registro.h"
#include "accounting/interfaces/TfinterfacesVista.h"
#include "accounting/interfaces/TfpreginterfazVista.h"
#include "tests/accounting/interfaces/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/Enlaces.h"
#include "ui/InteraccionQt.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace cxp;

namespace {

class Vistas : public prueba::EntornoInterfaces {};

TEST_F(Vistas, ListaColumnasCopiaYTeclas) {
    unaInterfaz(1, "CARGOS GENERALES", 51, "0000", 2);
    unaInterfaz(2, "DESCUENTOS", 52, "SUR");
    std::unique_ptr<QWidget> w(crearTfinterfaces(sesion, interaccion, manejador, configuracion, {}));
    auto* v = qobject_cast<TfinterfacesVista*>(w.get());
    ASSERT_TRUE(v) << mensajes().toStdString();
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->show();
    QTableView* t = v->rejilla()->vista();
    QHeaderView* h = t->horizontalHeader();
    QStringList titulos;
    for (int i = 0; i < h->count(); ++i)
        titulos << t->model()->headerData(h->logicalIndex(i), Qt::Horizontal).toString();
    EXPECT_EQ(titulos, (QStringList{"Documento", "Interfaz", "Prefijo", "Comp.", "Pref.Cnt", "Ver"}));
    EXPECT_EQ(v->casillaFiltros()->text(), "Activar filtros");
    prueba::capturar(*v, "interfaces");

    // Typing in the grid goes to the first row that begins with the text.
    t->setFocus();
    t->setCurrentIndex(t->model()->index(0, v->rejilla()->modelo()->columnOf("INCP_NOMBRE")));
    QTest::keyClicks(t, "DES");
    EXPECT_EQ(v->logica().lista().asString("INCP_NOMBRE"), "DESCUENTOS");

    ASSERT_TRUE(v->logica().lista().locate("INCP_ID", 1));
    v->teclado().pulsar(Qt::Key_F8, t);
    ASSERT_TRUE(v->panelCopia()->isVisible());
    EXPECT_EQ(v->prefijoCopia()->count(), 2);
    v->teclado().pulsar(Qt::Key_Escape, v->prefijoCopia());
    EXPECT_FALSE(v->panelCopia()->isVisible()) << "Esc leaves the panel, not the screen";
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR"), 2);

    v->teclado().pulsar(Qt::Key_F8, t);
    v->prefijoCopia()->setCurrentIndex(v->prefijoCopia()->findText("NORT"));
    v->teclado().pulsar(Qt::Key_F2, v->prefijoCopia());
    EXPECT_FALSE(v->panelCopia()->isVisible());
    EXPECT_EQ(v->logica().lista().recordCount(), 3) << mensajes().toStdString();

    interaccion.respuestas = {false};
    v->teclado().pulsar(Qt::Key_F3, t);
    EXPECT_EQ(interaccion.de("pregunta").size(), 1);
    v->teclado().pulsar(Qt::Key_F4, t);
    v->teclado().pulsar(Qt::Key_F5, t);
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfmodinterfaz", "Tfnvainterfaz"}));
}

TEST_F(Vistas, ModificarFuentesCuentasDescuentosYGrabar) {
    configuracion.asignar("CXPAGAR", "DOCUMENTOS", "INCLUIR CAMPOS DE DESCUENTOS ADICIONALES EN CARGOS POR PAGAR", "SI");
    unaInterfaz(1, "CARGOS GENERALES", 51, "0000", 2);
    std::unique_ptr<QWidget> w(crearTfmodinterfaz(sesion, interaccion, manejador, configuracion, {{"id", 1}}));
    auto* v = qobject_cast<FichaInterfazVista*>(w.get());
    ASSERT_TRUE(v) << mensajes().toStdString();
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->show();
    EXPECT_EQ(v->prefijoConta()->currentText(), "01");
    EXPECT_EQ(v->cuenta("INCP_CTABASE")->text(), "143505");
    EXPECT_TRUE(v->cuenta("INCP_CTABASE")->isEnabled());
    EXPECT_FALSE(v->cuenta("INCP_CTARTFTE")->isEnabled());
    EXPECT_TRUE(v->cuenta("INCP_CTADTO1")->isVisible());
    EXPECT_EQ(v->cuenta("INCP_CTAPROV", true)->text(), "22050501");
    prueba::capturar(*v, "interfaz-modificar");
    v->pestanas()->setCurrentIndex(1);
    prueba::capturar(*v, "interfaz-modificar-niif");
    v->pestanas()->setCurrentIndex(0);

    // Choosing T for the base empties and disables its account.
    QComboBox* base = v->fuente("INCP_BASE");
    base->setCurrentIndex(base->findText("T"));
    emit base->activated(base->currentIndex());
    EXPECT_TRUE(v->cuenta("INCP_CTABASE")->text().isEmpty());
    EXPECT_FALSE(v->cuenta("INCP_CTABASE")->isEnabled());
    // Another document type hides the discount accounts on this screen.
    auto* documento = v->findChild<QComboBox*>("TIDO_COD");
    documento->setCurrentIndex(documento->findData("52"));
    emit documento->activated(documento->currentIndex());
    EXPECT_FALSE(v->cuenta("INCP_CTADTO1")->isVisible());
    EXPECT_EQ(v->prefijo()->currentText(), "0000");

    QLineEdit* nombre = v->findChild<QLineEdit*>("INCP_NOMBRE");
    nombre->setFocus();
    nombre->selectAll();
    QTest::keyClicks(nombre, "RENOMBRADA");
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F2, nombre));
    const fb::Row r = filas("select INCP_NOMBRE, INCP_BASE, INCP_CTABASE, TIDO_COD from INTERFAZ_CXPAGAR").at(0);
    EXPECT_EQ(r[0].toString(), "RENOMBRADA") << mensajes().toStdString();
    EXPECT_EQ(r[1].toString(), "T");
    EXPECT_TRUE(r[2].isNull());
    EXPECT_EQ(r[3].toInt64(), 52);
}

TEST_F(Vistas, NuevaSinDescuentosYElegidorDeInterfaz) {
    std::unique_ptr<QWidget> w(crearTfnvainterfaz(sesion, interaccion, manejador, configuracion, {}));
    auto* v = qobject_cast<FichaInterfazVista*>(w.get());
    ASSERT_TRUE(v);
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->show();
    EXPECT_FALSE(v->cuenta("INCP_CTADTO1")->isVisible());
    EXPECT_EQ(v->prefijo()->currentText(), "0000");
    prueba::capturar(*v, "interfaz-nueva");

    const QVariantMap args{{"ids", QVariantList{7, 9}}, {"nombres", QStringList{"PRIMERA", "SEGUNDA"}}};
    for (const auto& [tecla, id] : {std::pair{Qt::Key_F2, 9}, std::pair{Qt::Key_Return, 9}, std::pair{Qt::Key_Escape, 0}}) {
        TfpreginterfazVista d(args);
        d.show();
        EXPECT_EQ(d.windowTitle(), "Interfaz contable");
        EXPECT_EQ(d.tabla()->horizontalHeaderItem(0)->text(), "Interfaz a aplicar");
        d.tabla()->setCurrentCell(1, 0);
        if (id == 9 && tecla == Qt::Key_F2) prueba::capturar(d, "Tfpreginterfaz");
        QTest::keyClick(d.tabla(), tecla);
        const auto e = d.eleccion();
        EXPECT_EQ(e ? e->value("id").toInt() : 0, id);
    }
}

}  // namespace
