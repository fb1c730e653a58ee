// The creditor screens' widgets under the offscreen platform: fields bound
// to the logic, the configured captions, the accounts panel, the keys, the
// search's options and colours. With CXP_CAPTURAS set, a picture of each screen is left there.
#include "creditors/FichaAcreedorVista.h"
#include "creditors/Registro.h"
#include "creditors/TablaReferenciaVista.h"
#include "creditors/TfbuscproveVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/ui/Capturas.h"
#include "base/Nit.h"
#include "ui/Enlaces.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QAbstractItemModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace cxp;

namespace {

class Vistas : public prueba::EntornoAcreedores {};

TEST_F(Vistas, NuevoAcreedorCamposTeclasYPanelDeCuentas) {
    configurar("NOMBRE DEL CAMPO DE FAX", "WhatsApp", "GENERAL", "GENERAL");
    configurar("PERMITIR MODIFICAR DIGITO DE VERIFICACION DEL NIT", "NO");
    configurar("PERMITIR LETRAS Y CARACTERES ADICIONALES EN NIT", "NO");
    std::unique_ptr<QWidget> w(crearTfnvotercero(sesion, interaccion, manejador, configuracion, {}));
    auto* v = qobject_cast<FichaAcreedorVista*>(w.get());
    ASSERT_TRUE(v);
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->show();
    EXPECT_EQ(v->etiquetaFax()->text(), "WhatsApp:");
    EXPECT_TRUE(v->editor("TERC_DV")->isReadOnly());
    EXPECT_FALSE(v->editor("TERC_APELLIDO1")->isEnabled()) << "a legal entity by default";

    // Typed NIT: digits only, the check digit computed on leaving.
    QLineEdit* nit = v->editor("TERC_NIT");
    nit->setFocus();
    QTest::keyClicks(nit, "9A00");
    EXPECT_EQ(nit->text(), "900");
    QTest::keyClicks(nit, "123456");
    v->editor("TERC_NOM")->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(v->enlaces().confirmar());
    EXPECT_EQ(v->logica().tercero().asString("TERC_NIT"), "900123456");
    EXPECT_EQ(v->editor("TERC_DV")->text(), QString::number(*cxp::dv(u"900123456")));

    QTest::keyClicks(v->editor("TERC_NOM"), "ACME S.A.S.");
    EXPECT_FALSE(v->panelCuentas()->isVisible());
    v->teclado().pulsar(Qt::Key_F11, v->editor("TERC_NOM"));
    EXPECT_TRUE(v->panelCuentas()->isVisible());
    EXPECT_EQ(v->panelCuentas()->tabText(0), "Dec.2649");
    EXPECT_EQ(v->panelCuentas()->tabText(1), "NIIF");
    prueba::capturar(*v, "Tfnvotercero-cuentas");
    v->teclado().pulsar(Qt::Key_F5, v->editor("PROV_CTAPAGAR"));
    EXPECT_FALSE(v->panelCuentas()->isVisible());
    prueba::capturar(*v, "Tfnvotercero");

    // F2 saves what was typed and starts the next creditor.
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F2, v->editor("TERC_NOM")));
    EXPECT_EQ(filas("select TERC_NOM from TERCEROS where TERC_NIT = '900123456'").at(0)[0].toString(), "ACME S.A.S.");
    EXPECT_TRUE(nit->text().isEmpty());
}

TEST_F(Vistas, ModificarAcreedorRegistroYTipoDePersona) {
    unTercero("860020", "PEREZ GOMEZ", true);
    ejecutar("update TERCEROS set TERC_NOM = 'PEREZ GOMEZ S.A.' where TERC_NIT = '860020'");
    std::unique_ptr<QWidget> w(crearTfmodtercero(sesion, interaccion, manejador, configuracion, {{"nit", "860020"}}));
    auto* v = qobject_cast<FichaAcreedorVista*>(w.get());
    ASSERT_TRUE(v) << mensajes().toStdString();
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->show();
    EXPECT_TRUE(v->editor("TERC_NIT")->isReadOnly());
    EXPECT_TRUE(v->registro()->text().startsWith("Registro: 20")) << v->registro()->text().toStdString();
    EXPECT_EQ(v->editor("TERC_NOM")->text(), "PEREZ GOMEZ S.A.");
    v->logica().tercero().setValue("TERC_TIPOID", "C");
    EXPECT_TRUE(v->editor("TERC_APELLIDO1")->isEnabled());
    prueba::capturar(*v, "Tfmodtercero");
    // A contact added from the grid's key.
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_Insert, v->contactos()->vista()));
    EXPECT_EQ(v->logica().contactos().recordCount(), 1);
    EXPECT_EQ(v->logica().contactos().asInt("TECC_ITEM"), 1);
    v->teclado().pulsar(Qt::Key_Escape, v->editor("TERC_NOM"));
    EXPECT_EQ(filas("select TERC_TIPOID from TERCEROS where TERC_NIT = '860020'")[0][0].toString(), "J");
}

TEST_F(Vistas, BusquedaOpcionesInactivosEnRojoYTeclas) {
    unTercero("800001", "ALFA", true);
    unTercero("800004", "NORTE INACTIVO", true, "N");
    unTercero("800003", "ZETA O'HARA", true);
    std::unique_ptr<QWidget> w(crearTfbuscprove(sesion, interaccion, manejador, configuracion, {{"gestion", true}}));
    auto* v = qobject_cast<TfbuscproveVista*>(w.get());
    ASSERT_TRUE(v);
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->resize(760, 420);
    v->show();
    EXPECT_EQ(v->opciones()->buttons().size(), 4);
    EXPECT_EQ(v->opciones()->checkedButton()->text(), "Nomb&re");
    EXPECT_EQ(v->verInactivos()->text(), "Ver  inactivos");
    EXPECT_FALSE(v->boton("Selecciona")->isVisible()) << "management mode";
    EXPECT_EQ(v->rejilla()->filasVisibles(), 2);

    v->verInactivos()->setChecked(true);
    QTest::keyClicks(v->texto(), "N");
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_Return, v->texto()));
    ASSERT_EQ(v->rejilla()->filasVisibles(), 2);
    QAbstractItemModel* m = v->rejilla()->vista()->model();
    EXPECT_EQ(m->index(0, 1).data().toString(), "NORTE INACTIVO");
    EXPECT_EQ(m->index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_NE(m->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    prueba::capturar(*v, "Tfbuscprove");

    // Enter in the grid modifies; F8 and F9 open the consults.
    v->teclado().pulsar(Qt::Key_Return, v->rejilla()->vista());
    v->teclado().pulsar(Qt::Key_F8, v->rejilla()->vista());
    v->teclado().pulsar(Qt::Key_F9, v->rejilla()->vista());
    EXPECT_EQ(interaccion.pantallas, QStringList({"Tfmodtercero", "Tfconscxpagar", "Tfmovimientos"}));

    EXPECT_EQ(TfbuscproveVista::geometriaEn(QSize(1000, 700), 0), QRect(0, 0, 870, 560));
    EXPECT_EQ(TfbuscproveVista::geometriaEn(QSize(1000, 700), 2), QRect(12, 16, 858, 544));

    // As a picker: "Selecciona" shows and Enter in the grid chooses.
    TfbuscproveVista picker(std::make_unique<Tfbuscprove>(false, sesion, interaccion, manejador), interaccion, manejador,
                            sesion);
    picker.setAttribute(Qt::WA_DeleteOnClose, false);
    ASSERT_TRUE(picker.logica().abrir());
    picker.show();
    EXPECT_TRUE(picker.boton("Selecciona")->isVisible());
    picker.teclado().pulsar(Qt::Key_Return, picker.rejilla()->vista());
    ASSERT_TRUE(picker.logica().eleccion());
    EXPECT_EQ(picker.logica().eleccion()->value("nit").toString(), "800001");

    std::unique_ptr<QWidget> a(crearTfprovarticulos(sesion, interaccion, manejador, configuracion, {{"nit", "800001"}}));
    ASSERT_TRUE(a);
    a->setAttribute(Qt::WA_DeleteOnClose, false);
    a->show();
    EXPECT_EQ(static_cast<TfprovarticulosVista*>(a.get())->rejilla()->filasVisibles(), 0);
}

TEST_F(Vistas, TablasDeReferenciaRejillaEditableYTeclas) {
    std::unique_ptr<QWidget> w(crearTablaReferencia("Tfpaises", sesion, interaccion, manejador, configuracion));
    auto* v = qobject_cast<TablaReferenciaVista*>(w.get());
    ASSERT_TRUE(v);
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->show();
    QAbstractItemModel* m = v->rejilla()->vista()->model();
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "País");
    const int antes = v->rejilla()->filasVisibles();
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_Insert, v->rejilla()->vista()));
    EXPECT_EQ(v->logica().filas().state(), DataSet::State::Insert);
    v->logica().filas().setValue("PAIS_ID", "999");
    v->logica().filas().setValue("PAIS_NOM", "PAÍS DE PRUEBA");
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F2, v->rejilla()->vista()));
    EXPECT_EQ(filas("select PAIS_NOM from PAISES where PAIS_ID = '999'").at(0)[0].toString(), "PAÍS DE PRUEBA");
    EXPECT_EQ(v->rejilla()->filasVisibles(), antes + 1);
    EXPECT_FALSE(v->findChildren<QPushButton*>().isEmpty());
    prueba::capturar(*v, "Tfpaises");

    std::unique_ptr<QWidget> c(crearTablaReferencia("Tfciudades", sesion, interaccion, manejador, configuracion));
    ASSERT_TRUE(c);
    bool selecciona = false;
    for (QPushButton* b : c->findChildren<QPushButton*>()) selecciona |= b->text() == "F5:Selecciona";
    EXPECT_TRUE(selecciona);
    std::unique_ptr<QWidget> g(crearTablaReferencia("Tfgruposprov", sesion, interaccion, manejador, configuracion));
    ASSERT_TRUE(g);
    g->setAttribute(Qt::WA_DeleteOnClose, false);
    g->show();
    prueba::capturar(*g, "Tfgruposprov");
}

}  // namespace
