// The shared screens inside the program's main window on a demo
// installation: the numbering shows the demo's prefixes by agency, and the
// start-up question for today's exchange rate opens its screen. (Every
// screen reaching the program and the maintenance menu's buttons: the
// program's own tests.)
#include "app/Cifrado.h"
#include "app/Tfprincipal.h"
#include "data/BarraEstado.h"
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Selectores.h"
#include "data/Sesion.h"
#include "tests/app/InstalacionPrueba.h"
#include "tests/ui/Capturas.h"
#include "ui/InteraccionQt.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using cxp::Tfprincipal;

const QString kPreguntarTasa = "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR";

class Principal : public ::testing::Test {
protected:
    prueba::InstalacionPrueba inst;
    cxp::Sesion sesion;
    cxp::InteraccionQt interaccion;
    cxp::Configuracion configuracion{interaccion};
    cxp::BarraEstado barra;
    cxp::ManejadorErrores errores{interaccion, sesion, &barra};
    std::unique_ptr<Tfprincipal> ventana;
    // Every box that shows is answered with its default button and kept:
    // none is expected.
    QStringList cajas;
    QTimer vigia;

    void SetUp() override {
        vigia.setInterval(5);
        QObject::connect(&vigia, &QTimer::timeout, [this] {
            if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                cajas << caja->text();
                caja->done(0);
            }
        });
        vigia.start();
    }
    void TearDown() override {
        if (ventana) ventana->close();
        ventana.reset();
        EXPECT_TRUE(cajas.isEmpty()) << cajas.join('\n').toStdString();
    }
    void preguntarTasa(const QString& valor) {
        inst.enCompania("update CONFIGURACION set CONF_VALOR = '" + valor + "' where CONF_PROPIEDAD = '" +
                        kPreguntarTasa + "'");
    }
    void abrir(const QString& usuario = "ADMIN") {
        ventana = std::make_unique<Tfprincipal>(
            Tfprincipal::Servicios{sesion, interaccion, configuracion, errores, barra},
            cxp::ParametrosLinea::leer({"ENTRADA", usuario, "001", cxp::cifrado::cifrar("demo")}));
        ventana->show();
        ventana->activar();
        QApplication::processEvents();
        ASSERT_TRUE(ventana->aceptada());
    }
    QStringList hijas() const {
        QStringList r;
        for (QMdiSubWindow* s : ventana->mdi()->subWindowList()) r << s->widget()->objectName();
        return r;
    }
    QWidget* hija(const QString& nombre) const {
        for (QMdiSubWindow* s : ventana->mdi()->subWindowList())
            if (s->widget()->objectName() == nombre) return s->widget();
        return nullptr;
    }
};

TEST_F(Principal, NumeracionMuestraLosPrefijosPorAgencia) {
    preguntarTasa("NO");
    abrir();
    EXPECT_TRUE(hijas().isEmpty());
    EXPECT_TRUE(ventana->accion("mant.numeracion")->isEnabled());
    ventana->accion("mant.numeracion")->trigger();
    ASSERT_EQ(hijas(), QStringList{"TFConsecut"});
    QWidget* consecutivos = hija("TFConsecut");
    // The demo's charges: the default prefix and one per agency.
    auto* documento = consecutivos->findChild<QComboBox*>("documento");
    ASSERT_NE(documento, nullptr);
    const int cargos = documento->findText("CARGO (NOTA DEBITO PROVEEDOR)");
    documento->setCurrentIndex(cargos);
    emit documento->activated(cargos);
    auto* rejilla = consecutivos->findChild<QTableView*>();
    ASSERT_NE(rejilla, nullptr);
    QStringList agencias;
    for (int f = 0; f < rejilla->model()->rowCount(); ++f)
        agencias << rejilla->model()->index(f, 7).data().toString();
    EXPECT_EQ(agencias, (QStringList{"Todas", "Principal", "Centro"}));
    prueba::capturar(*ventana, "Principal-TFConsecut");
}

TEST_F(Principal, SinTasaDeHoyLaPideAlEntrarYLaGuarda) {
    preguntarTasa("SI");
    inst.enCompania("delete from TASA_CAMBIO_MONEDA where TACA_FECHA = CURRENT_DATE");
    abrir();
    ASSERT_EQ(hijas(), QStringList{"Tftasacambiodia"});
    QWidget* tasa = hija("Tftasacambiodia");
    prueba::capturar(*ventana, "Principal-Tftasacambiodia");
    auto* valor = tasa->findChild<QLineEdit*>("TACA_VALOR");
    ASSERT_NE(valor, nullptr);
    valor->setFocus();
    QTest::keyClicks(valor, "3911.25");
    QTest::keyClick(valor, Qt::Key_F2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTRY_VERIFY(hijas().isEmpty());
    fb::ConnectionParams cp;
    cp.database = inst.compania();
    cp.user = "SYSDBA";
    fb::Database db = fb::Database::attach(cp);
    const auto r = db.queryOne("select TACA_VALOR from TASA_CAMBIO_MONEDA where TIMO_COD = 840 and TACA_FECHA = CURRENT_DATE");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->at(0).toDecimal().rescaled(-4).unscaled, 39112500);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
