// The application window's widgets on the demo company: F8 appends the
// documents the picker left in CONSOLIDE_FALTANTES and refuses one already
// there; the consult shows the annulled mark with its reason. With
// CXP_CAPTURAS set, pictures of the entry, the consult and the search are
// left there.
#include "db/Esquema.h"
#include "documents/applications/TfaplicacionprvVista.h"
#include "documents/applications/TfbuscaplicacionesVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"

#include <QLabel>
#include <QTableView>
#include <QTest>

using namespace cxp;

namespace {

class AplicacionVista : public prueba::EntornoAcreedores {
protected:
    prueba::BaseTemporal general{prueba::plantillaDemo(esquema::Base::General)};
    void SetUp() override {
        fb::Database db = compania.conectar();
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        entrar();
        sesion.general = general.conectar();  // the annulling user's name
    }
};

TEST_F(AplicacionVista, F8TraeLosDocumentosElegidos) {
    auto logica = std::make_unique<Tfaplicacionprv>(sesion, interaccion, manejador, configuracion, ServiciosAplicacion{});
    ASSERT_TRUE(logica->abrir()) << mensajes().toStdString();
    TfaplicacionprvVista v(std::move(logica), interaccion, manejador, sesion);
    v.show();
    DataSet& a = v.logica().aplicacion();
    a.setValue("PREF_PRE", "BOG");
    a.setValue("TERC_NIT", "830045678");
    a.setValue("APPR_CONC", "CRUCE ANTICIPO ARRIENDO");
    // The picker's "Sel. varios": the charge and the advance of the creditor.
    ejecutar("insert into CONSOLIDE_FALTANTES values (7, 0, 51, 4, 53)");
    ejecutar("insert into CONSOLIDE_FALTANTES values (7, 1, 55, 1, 53)");
    interaccion.elecciones = {QVariantMap{{"lista", 7}}};
    QTest::keyClick(v.rejilla()->vista(), Qt::Key_F8);
    ASSERT_EQ(v.logica().detalle().recordCount(), 2) << mensajes().toStdString();
    EXPECT_EQ(contar("select count(*) from CONSOLIDE_FALTANTES where CEFA_ID = 7"), 0);
    EXPECT_EQ(v.logica().detalle().row(1).asDinero("APPD_APLICADO"), Dinero::desdeEntero(-2000000));
    // Cut the charge to the advance: the rows add up to zero.
    v.logica().detalle().setCurrentRow(0);
    v.logica().detalle().edit();
    v.logica().detalle().setValue("APPD_APLICADO", Dinero::desdeEntero(2000000));
    v.logica().detalle().post();
    EXPECT_EQ(v.etiqueta("sumaplicado")->text(), "0.00");
    // Picked again: refused, no row added.
    interaccion.elecciones = {QVariantMap{{"documentos", QVariantList{QVariantMap{
                                 {"TIDO_NOMCORTO", "ANTIPROV"}, {"PREFIJO", "BOG"}, {"NUMERO", "000001"}}}}}};
    QTest::keyClick(v.rejilla()->vista(), Qt::Key_F8);
    EXPECT_EQ(v.logica().detalle().recordCount(), 2);
    EXPECT_TRUE(interaccion.de("informacion").contains(Tfaplicacionprv::kCruceDuplicado)) << mensajes().toStdString();
    prueba::capturar(v, "aplicacion");

    // The demo's application, annulled with a reason, in its consult; and the search.
    ejecutar("update aplicacion_provedor set appr_anulado = 'S' where appr_id = 1");
    ejecutar("update auditoria set audi_razon = 'CRUCE DUPLICADO' where tido_cod = 53 and audi_iddoc = 1 and audi_oper = 'A'");
    auto consulta = std::make_unique<Tfaplicacionprv>(sesion, interaccion, manejador, configuracion, ServiciosAplicacion{});
    ASSERT_TRUE(consulta->consultar(1)) << mensajes().toStdString();
    TfaplicacionprvVista c(std::move(consulta), interaccion, manejador, sesion);
    c.show();
    EXPECT_TRUE(c.etiqueta("anulado")->isVisible());
    EXPECT_TRUE(c.etiqueta("anulado")->text().contains("CRUCE DUPLICADO")) << c.etiqueta("anulado")->text().toStdString();
    EXPECT_TRUE(c.etiqueta("registro")->text().startsWith("Registro: 20"));
    prueba::capturar(c, "aplicacion-consulta");
    TfbuscaplicacionesVista b(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(b.abrirInicial());
    b.show();
    prueba::capturar(b, "aplicacion-busqueda");
}

}  // namespace
