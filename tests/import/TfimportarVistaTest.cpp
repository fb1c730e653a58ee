#include "import/TfimportarVista.h"
#include "tests/support/EntornoCompania.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

class Asistente : public prueba::EntornoCompania {};

// The three steps by their keys: the kind, the file checks of step 2, the
// mapping and the run with its summary, and the refused records saved next
// to the file. CXP_CAPTURAS=<folder> keeps a picture of each step.
TEST_F(Asistente, TresPasosHastaElResumen) {
    ejecutar("insert into grupos_proveedores (grpr_cod, grpr_nom) values ('01', 'NACIONALES')");
    entrar();
    QTemporaryDir dir;
    const QString ruta = dir.filePath("proveedores.csv");
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("900200;\"ALIMENTOS; S.A.\";CRA 1;;;;;;;;;;;;P2;01\r\n900300;\"DULCES \"\"LA 14\"\"\";;;;;;;;;;;;;;01\r\n"
            "\r\n9003X0;MALO;;;;;;;;;;;;;;01");
    f.close();

    auto* vista = cxp::crearTfimportar(sesion, interaccion, manejador, configuracion, {});
    ASSERT_TRUE(vista);
    auto* v = static_cast<cxp::TfimportarVista*>(vista);
    vista->show();
    EXPECT_EQ(vista->windowTitle(), cxp::Tfimportar::kTituloPaso1);
    prueba::capturar(*vista, "importar-paso1");
    QTest::keyClick(vista, Qt::Key_F2);
    EXPECT_EQ(vista->windowTitle(), cxp::Tfimportar::kTituloPaso2);

    // An empty path and a missing file keep the wizard on step 2.
    QTest::keyClick(vista, Qt::Key_F2);
    v->editorRuta()->setText(dir.filePath("no-hay.csv"));
    QTest::keyClick(vista, Qt::Key_F2);
    EXPECT_EQ(interaccion.mensajes, (QStringList{"informacion: " + cxp::Tfimportar::kSinArchivo,
                                                 "informacion: " + cxp::Tfimportar::kNoExiste}));
    EXPECT_EQ(v->paginas()->currentIndex(), 1);
    // Fixed width leaves no separator to choose.
    v->grupoArchivo()->button(0)->click();
    EXPECT_FALSE(v->grupoSeparador()->button(0)->isEnabled());
    v->grupoArchivo()->button(1)->click();
    EXPECT_TRUE(v->grupoSeparador()->button(0)->isEnabled());
    v->editorRuta()->setText(ruta);
    v->grupoSeparador()->button(1)->click();
    v->grupoDelimitador()->button(1)->click();
    prueba::capturar(*vista, "importar-paso2");
    interaccion.mensajes.clear();
    QTest::keyClick(vista, Qt::Key_F2);
    EXPECT_EQ(vista->windowTitle(), cxp::Tfimportar::kTituloPaso3);
    EXPECT_EQ(v->rejilla()->dataSet()->recordCount(), 17);
    prueba::capturar(*vista, "importar-paso3");

    QTest::keyClick(vista, Qt::Key_F2);
    ASSERT_EQ(interaccion.mensajes.size(), 1);
    const QString resumen = interaccion.mensajes[0];
    EXPECT_TRUE(resumen.startsWith("informacion: Importación finalizada.")) << resumen.toStdString();
    EXPECT_TRUE(resumen.contains("Importados: 2") && resumen.contains("Rechazados: 2")) << resumen.toStdString();
    EXPECT_EQ(v->barra()->value(), 100);
    EXPECT_EQ(fila("select terc_nom from terceros where terc_nit = '900300'")->at(0).toString(), "DULCES \"LA 14\"");
    QFile rechazos(ruta + ".rechazados.txt");
    ASSERT_TRUE(rechazos.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(rechazos.readAll()).count('\n'), 3);  // heading and two lines
    prueba::capturar(*vista, "importar-paso3-final");
    if (!qEnvironmentVariableIsEmpty("CXP_CAPTURAS")) {
        QMessageBox caja(QMessageBox::Information, "C x Pagar", resumen.mid(QStringLiteral("informacion: ").size()));
        caja.show();
        prueba::capturar(caja, "importar-resumen");
    }
    QTest::keyClick(vista, Qt::Key_Escape);
}

}  // namespace
