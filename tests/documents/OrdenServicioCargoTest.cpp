// A charge filled from the demo's service order: the order chosen or typed
// as prefix+number copies the order (an unknown or annulled one is refused
// and forgotten); saved, and printed with the order on it. Its posting is
// any charge's, followed to the ledger in the charge's own road test.
#include "documents/charges/Tfnotasdebito.h"
#include "documents/service/OrdenEnCargo.h"
#include "tests/support/EntornoDemo.h"

using namespace cxp;
using prueba::d;

namespace {

using CargoDeOrden = prueba::EntornoDemo;

TEST_F(CargoDeOrden, LasOrdenesQueNoSirvenSeOlvidan) {
    ejecutar("insert into ORDEN_SERVICIO (ORSE_ID, PREF_PRE, ORSE_NUMERO, TERC_NIT, ORSE_BASE, ORSE_ANULADO) "
             "values (90, 'BOG', '000090', '900876543', 1500, 'S')");
    Tfnotasdebito p(sesion, interaccion, manejador, configuracion, {});
    ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
    for (const char* orden : {"BOG999999", "bog000090", "000001"}) {
        SCOPED_TRACE(orden);
        interaccion.mensajes.clear();
        p.cargo().setValue("NDPR_ORDSERV", orden);
        EXPECT_EQ(interaccion.de("error").size(), 1);
        EXPECT_EQ(p.cargo().asString("NDPR_ORDSERV"), "");
        EXPECT_TRUE(p.cargo().value("NDPR_IDORDSER").isNull());
        EXPECT_EQ(p.cargo().asString("TERC_NIT"), "");
    }
}

TEST_F(CargoDeOrden, SeLlenaSeGrabaYSeImprime) {
    const QString pdf = carpeta.filePath(QStringLiteral("cargo.pdf"));
    Tfnotasdebito p(sesion, interaccion, manejador, configuracion, [&] {
        ServiciosCargo s;
        s.abreInterfaz = [](int, const QString&, bool) { return 1; };
        s.imprimir = imprimir(51, pdf);
        return s;
    }());
    ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
    p.cargo().setValue("PREF_PRE", "BOG");
    interaccion.elecciones = {QVariantMap{{"id", 1}, {"numero", "BOG000001"}}};  // the order button's search
    elegirOrdenParaCargo(p.cargo(), interaccion);
    EXPECT_EQ(p.cargo().asString("NDPR_ORDSERV"), "BOG000001");
    EXPECT_EQ(p.cargo().asInt("NDPR_IDORDSER"), 1);
    EXPECT_EQ(p.cargo().asString("TERC_NIT"), "900876543");
    const std::pair<const char*, const char*> copiados[] = {
        {"NDPR_MONTO", "2400000"},     {"NDPR_IVAPORC", "19"},      {"NDPR_IVAMONTO", "456000"},
        {"NDPR_RTFTEPORC", "4"},       {"NDPR_RTFTEMONTO", "96000"}, {"NDPR_RTIVAPORC", "15"},
        {"NDPR_RTIVAMONTO", "68400"},  {"NDPR_RTICAPORC", "9.66"},   {"NDPR_RTICAMONTO", "23184"},
    };
    for (const auto& [campo, valor] : copiados) EXPECT_EQ(p.cargo().asDinero(campo), d(valor)) << campo;
    EXPECT_EQ(p.subTotal(), d("2400000"));
    const Dinero neto = p.neto();
    interaccion.mensajes.clear();
    ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
    const QString id = QString::number(p.ultimoId());
    EXPECT_EQ(escalar("select ndpr_ordserv || '/' || ndpr_idordser from notas_debito_proveedor where ndpr_id = " + id),
              "BOG000001/1");
    EXPECT_EQ(dineroDe(fila("select saldo from cxpagar_proveedor('900876543', current_date, 0) where tipo = 51 and id = " + id)
                           ->at(0)),
              neto);
    EXPECT_TRUE(prueba::textoPdf(pdf).contains(QStringLiteral("BOG000001")));
}

}  // namespace
