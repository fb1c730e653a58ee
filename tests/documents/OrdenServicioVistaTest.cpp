// The order screen and its search on the demo company under the offscreen
// platform: an order typed by keyboard, its totals on screen, F2 saving
// and printing it; the search finding it and F3 annulling it. With
// CXP_CAPTURAS set, pictures of both are left there.
#include "db/Esquema.h"
#include "documents/service/TfbuscaordenesVista.h"
#include "documents/service/TfordenservicioVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/support/Teclear.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace cxp;
using prueba::escribir;

namespace {

class OrdenVista : public prueba::EntornoAcreedores {
protected:
    void SetUp() override {
        fb::Database db = compania.conectar();
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        entrar();
    }
};

TEST_F(OrdenVista, OrdenPorTecladoGrabadaYAnuladaEnLaBusqueda) {
    int64_t impresa = 0;
    ServiciosOrden s;
    s.imprimir = [&impresa](int64_t id) { impresa = id; };
    auto logica = std::make_unique<Tfordenservicio>(sesion, interaccion, manejador, configuracion, s);
    ASSERT_TRUE(logica->abrir()) << mensajes().toStdString();
    TfordenservicioVista v(std::move(logica), interaccion, manejador, sesion);
    v.show();
    const std::pair<const char*, const char*> tecleado[] = {
        {"TERC_NIT", "900876543"}, {"ORSE_CONCEPTO", "REVISION ANUAL DE LA PLANTA ELECTRICA"},
        {"ORSE_IVAPORC", "19"},    {"SubTotal", "1500000"},
        {"ORSE_DTOPORC", "10"},    {"ORSE_EXTRA", "35000"}};
    for (const auto& [campo, texto] : tecleado)
        escribir(v, campo == std::string("SubTotal") ? v.subTotal() : v.editor(campo), texto);
    EXPECT_FALSE(v.etiqueta("nombreAcreedor")->text().isEmpty());
    EXPECT_EQ(v.editor("ORSE_BASE")->text(), "1,350,000.00");
    EXPECT_EQ(v.etiqueta("totalconiva")->text(), "1,641,500.00");  // base + 19 % + extra
    prueba::capturar(v, "orden-servicio");
    QTest::keyClick(v.editor("ORSE_CONCEPTO"), Qt::Key_F2);
    ASSERT_NE(impresa, 0) << mensajes().toStdString();
    EXPECT_EQ(v.logica().orden().asInt("ORSE_ID"), 0) << "una orden nueva queda en pantalla";

    TfbuscaordenesVista b(sesion, interaccion, manejador, configuracion, false);
    ASSERT_TRUE(b.abrirInicial());
    b.show();
    prueba::capturar(b, "orden-busqueda");
    b.texto()->setText("REVISION");
    ASSERT_TRUE(b.buscar());
    EXPECT_TRUE(b.texto()->text().isEmpty());
    ASSERT_EQ(b.resultado().recordCount(), 1);
    interaccion.elecciones = {QVariantMap{{"razon", "SE CONTRATO CON OTRO PROVEEDOR"}}};
    interaccion.respuestas = {true};
    QTest::keyClick(b.rejilla()->vista(), Qt::Key_F3);
    EXPECT_EQ(fila("select orse_anulado from orden_servicio where orse_id = " + QString::number(impresa))->at(0).toString(),
              "S");
}

}  // namespace
