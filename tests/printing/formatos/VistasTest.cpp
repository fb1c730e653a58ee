// The format screens' widgets under the offscreen platform: the list's copy
// panel on F8/F2/Esc, the definition screen's fields bound to the format,
// Insert in a grid with its defaults, the keys of modify, and the shift
// dialog's options. With CXP_CAPTURAS set, a picture of each screen is left
// there.
#include "printing/formatos/EdicionFormatoVista.h"
#include "printing/formatos/TFmoverformaVista.h"
#include "printing/formatos/TfformatosVista.h"
#include "tests/printing/formatos/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace cxp;

namespace {

using Vistas = prueba::EntornoFormatos;

TEST_F(Vistas, ListaCopiaConSuPanel) {
    unFormato(51, "0000");
    unFormato(55, "0000");
    ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'AB', '000001')");
    std::unique_ptr<QWidget> w(crearTfformatos(sesion, interaccion, manejador, {}));
    auto* v = qobject_cast<TfformatosVista*>(w.get());
    ASSERT_TRUE(v);
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->show();
    QTableView* grid = v->rejilla()->vista();
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Tipo documento");
    EXPECT_FALSE(v->panelCopia()->isVisible());
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F8, grid));
    ASSERT_TRUE(v->panelCopia()->isVisible());
    EXPECT_EQ(v->nuevoPrefijo()->count(), 2);
    v->nuevoPrefijo()->setCurrentText("AB");
    prueba::capturar(*v, "Tfformatos");
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F2, v->nuevoPrefijo()));
    EXPECT_FALSE(v->panelCopia()->isVisible());
    EXPECT_EQ(grid->model()->rowCount(), 3) << mensajes().toStdString();
    EXPECT_EQ(cuenta("select count(*) from FORMATO_DATOS where PREF_PRE = 'AB'"), 2);
}

TEST_F(Vistas, ModificarEnlazaTeclasYGrillas) {
    unFormato(51, "0000");
    std::unique_ptr<QWidget> w(crearTfmodformato(sesion, interaccion, manejador, {{"tipo", 51}, {"prefijo", "0000"}},
                                                 [](int, const QString&, int64_t) {}));
    auto* v = qobject_cast<EdicionFormatoVista*>(w.get());
    ASSERT_TRUE(v) << mensajes().toStdString();
    v->setAttribute(Qt::WA_DeleteOnClose, false);
    v->show();
    EXPECT_EQ(v->windowTitle(), "Definición de formatos documentos");
    EXPECT_EQ(v->findChild<QLineEdit*>("FORM_NROITEMS")->text(), "20");
    EXPECT_TRUE(v->findChild<QCheckBox*>("FORM_PAGINAS")->isChecked());
    EXPECT_EQ(v->documento()->currentText(), "CARGO (NOTA DEBITO PROVEEDOR)");
    EXPECT_FALSE(v->documento()->isEnabled());
    EXPECT_EQ(v->prefijo()->currentText(), "0000");
    EXPECT_EQ(v->impresora()->currentText(), "PDF");
    EXPECT_EQ(v->rejillaDatos()->vista()->model()->headerData(0, Qt::Horizontal).toString(), "Dato");
    EXPECT_EQ(v->rejillaLineas()->vista()->model()->columnCount(), 9);
    prueba::capturar(*v, "Tfmodformato");

    // Insert adds an item with the next number and the format's font.
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_Insert, v->rejillaDatos()->vista()));
    DataSet& d = v->logica().datos();
    EXPECT_EQ(d.asInt("DAFO_ITEM"), 8);
    EXPECT_EQ(d.asString("DAFO_FONT"), "Arial");
    d.setValue("DAFO_DATO", "NIT");
    d.post();
    // Down on the last row of the elements adds one.
    QTableView* vl = v->rejillaLineas()->vista();
    vl->setCurrentIndex(vl->model()->index(2, 0));
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_Down, vl));
    EXPECT_EQ(v->logica().lineas().recordCount(), 4);
    EXPECT_EQ(v->logica().lineas().asInt("FOLI_ITEM"), 7);
    EXPECT_TRUE(v->teclado().pulsar(Qt::Key_Down, vl));
    EXPECT_EQ(v->logica().lineas().recordCount(), 4) << "a blank new row is not followed by another";
    v->logica().lineas().cancel();
    // A picture element shows its box.
    ASSERT_TRUE(v->logica().lineas().locate("FOLI_ITEM", 5));
    v->mostrarGrafico();
    EXPECT_TRUE(v->grafico()->isVisible());
    // A bitmap goes into the element; a file that is no picture is refused.
    QTemporaryDir dir;
    QImage bmp(16, 8, QImage::Format_RGB32);
    bmp.fill(Qt::red);
    ASSERT_TRUE(bmp.save(dir.filePath("logo.bmp")));
    ASSERT_TRUE(v->cargarGrafico(dir.filePath("logo.bmp")));
    QFile leido(dir.filePath("logo.bmp"));
    ASSERT_TRUE(leido.open(QIODevice::ReadOnly));
    EXPECT_EQ(v->logica().imagen(), leido.readAll());
    QFile texto(dir.filePath("nota.bmp"));
    ASSERT_TRUE(texto.open(QIODevice::WriteOnly));
    texto.write("no es una imagen");
    texto.close();
    EXPECT_FALSE(v->cargarGrafico(texto.fileName()));
    EXPECT_EQ(interaccion.de("error").last(), "No se pudo leer la imagen " + texto.fileName());
    prueba::capturar(*v, "Tfmodformato-grafico");

    // F5 and F8 belong to modify; F2 saves the printer typed.
    QWidget* foco = v->impresora();
    EXPECT_TRUE(v->teclado().pulsar(Qt::Key_F8, foco));
    EXPECT_EQ(interaccion.de("informacion").last(), "Debe registrar antes al menos una nota.");
    v->impresora()->setCurrentText("Oficina");
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F2, foco));
    EXPECT_EQ(filas("select FORM_IMPRE from FORMATOS")[0][0].toString(), "Oficina") << mensajes().toStdString();
    EXPECT_EQ(cuenta("select count(*) from FORMATO_DATOS where DAFO_DATO = 'NIT'"), 1);

    std::unique_ptr<QWidget> nuevo(crearTfdefformato(sesion, interaccion, manejador, {}));
    auto* n = qobject_cast<EdicionFormatoVista*>(nuevo.get());
    ASSERT_TRUE(n);
    n->setAttribute(Qt::WA_DeleteOnClose, false);
    n->show();
    prueba::capturar(*n, "Tfdefformato");
    EXPECT_FALSE(n->teclado().pulsar(Qt::Key_F5, n->documento()));
    EXPECT_TRUE(n->documento()->isEnabled());
}

TEST_F(Vistas, MoverOpcionesDeEscalaApaganCampos) {
    TFmoverformaVista v(std::make_unique<TFmoverforma>(51, "0000", sesion, manejador), manejador, sesion);
    v.show();
    EXPECT_EQ(v.windowTitle(), "Mover Formato");
    ASSERT_EQ(v.opciones().size(), 8);
    EXPECT_TRUE(v.opciones()[0]->isChecked());
    QTest::keyClicks(v.posiciones(), "25");
    prueba::capturar(v, "TFmoverforma");
    v.opciones()[4]->click();
    EXPECT_FALSE(v.posiciones()->isEnabled());
    EXPECT_FALSE(v.hasta()->isEnabled());
    EXPECT_TRUE(v.posiciones()->text().isEmpty());
    v.opciones()[3]->click();
    EXPECT_TRUE(v.desde()->isEnabled());
    EXPECT_EQ(v.logica().accion(), u'D');
}

}  // namespace
