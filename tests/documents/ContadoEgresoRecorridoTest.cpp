// The roads of the charge's companions on the demo company, posted through
// the review window and printed to PDF: a cash purchase (a charge paid at
// once in cash, two prints) and a discount crossing a charge. The balances,
// every ledger voucher balanced in both charts, and the creditor's payable
// and advance accounts moved exactly as its subledger.
#include "documents/charges/Tfnotascredito.h"
#include "documents/charges/Tfnotasdebito.h"
#include "documents/charges/TfnotasdebitoVista.h"
#include "tests/support/EntornoDemo.h"
#include "tests/ui/Capturas.h"
#include "ui/Teclado.h"

#include <QDialog>
#include <QLineEdit>

using namespace cxp;

namespace {

class RecorridoContado : public prueba::EntornoDemo {
protected:
    QStringList impresos;

    // The creditor's payable and advance accounts less its subledger.
    Dinero descuadre() { return mayorAcreedor("900456789") - subAcreedor("900456789"); }
    std::function<void(int64_t)> impresion(int t) {
        return [this, t](int64_t id) {
            impresos << carpeta.filePath(QStringLiteral("%1-%2.pdf").arg(t).arg(id));
            imprimir(t, impresos.last())(id);
        };
    }
    ServiciosCargo servicios(int tipo) {
        return ServiciosCargo{interfaz(),       contabilizar(tipo), impresion(tipo), {}, contabilizar(53),
                              interfaz(true), contabilizar(62),   impresion(62)};
    }
    void llenar(DocumentoAjuste& p, int monto) {
        p.cargo().setValue("PREF_PRE", "BOG");
        p.cargo().setValue("TERC_NIT", "900456789");
        p.cargo().setValue(p.c("IVAPORC"), Dinero::desdeEntero(19));
        p.setSubTotal(Dinero::desdeEntero(monto));
    }
};

TEST_F(RecorridoContado, CompraDeContadoYDescuentoQueCruzaUnCargo) {
    const Dinero descuadreAntes = descuadre();
    auto cargo = std::make_unique<Tfnotasdebito>(sesion, interaccion, manejador, configuracion, servicios(51));
    auto descuento = std::make_unique<Tfnotascredito>(sesion, interaccion, manejador, configuracion, servicios(52));
    ASSERT_TRUE(cargo->abrir() && descuento->abrir()) << mensajes().toStdString();
    TfnotasdebitoVista v(std::move(cargo), interaccion, manejador, sesion);
    DocumentoAjuste& c = v.logica();
    v.resize(900, 640);
    v.show();
    llenar(c, 3000000);
    ASSERT_TRUE(v.teclado().pulsar(Qt::Key_F4, v.editor("NDPR_CONC")));
    QDialog* dialogo = v.dialogoEgreso();
    ASSERT_NE(dialogo, nullptr) << mensajes().toStdString();
    c.egresoContado()->egreso().setValue("PREF_PRE", "BOG");
    prueba::capturar(*dialogo, "cargo-contado-dialogo");
    ASSERT_TRUE(dialogo->findChild<Teclado*>()->pulsar(Qt::Key_F2, dialogo));
    ASSERT_TRUE(c.egresoPendiente()) << mensajes().toStdString();
    prueba::capturar(v, "cargo-contado");
    ASSERT_TRUE(v.teclado().pulsar(Qt::Key_F2, v.editor("NDPR_CONC")) && c.ultimoEgreso() != 0) << mensajes().toStdString();
    const int64_t contado = c.ultimoId(), egreso = c.ultimoEgreso();
    EXPECT_EQ(saldoDoc(51, contado), Dinero()) << "pagado de contado";
    ASSERT_EQ(impresos.size(), 2);
    for (const QString& pdf : impresos)  // read back: both name the creditor
        EXPECT_TRUE(prueba::textoPdf(pdf).contains(QStringLiteral("LÁCTEOS LA SABANA"))) << pdf.toStdString();

    llenar(c, 3000000);
    const Dinero netoCargo = c.neto();
    ASSERT_TRUE(c.grabar()) << mensajes().toStdString();
    TfnotasdebitoVista w(std::move(descuento), interaccion, manejador, sesion);
    DocumentoAjuste& n = w.logica();
    llenar(n, 1000000);
    ASSERT_TRUE(n.aplicarA("NOTADBPR", c.ultimoNumero())) << mensajes().toStdString();
    w.resize(900, 640);
    prueba::capturar(w, "descuento-cruzado");
    const Dinero netoDescuento = n.neto();
    ASSERT_TRUE(n.grabar()) << mensajes().toStdString();
    EXPECT_EQ(saldoDoc(51, c.ultimoId()), netoCargo - netoDescuento);
    EXPECT_EQ(saldoDoc(52, n.ultimoId()), Dinero());

    // Five ledger vouchers, each balanced in both charts; the creditor's
    // accounts follow its subledger.
    EXPECT_EQ(entero(QStringLiteral("select count(*) from comprobante_encabezado where (enco_tiporef = 51 and enco_idref in "
                                   "(%1, %2)) or (enco_tiporef = 62 and enco_idref = %3) or (enco_tiporef = 52 and "
                                   "enco_idref = %4) or (enco_tiporef = 53 and enco_idref = %5)")
                        .arg(contado).arg(c.ultimoId()).arg(egreso).arg(n.ultimoId()).arg(n.ultimaAplicacion())),
              5);
    for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"}) EXPECT_EQ(descuadrados(tabla), 0) << tabla;
    EXPECT_EQ(descuadre(), descuadreAntes);
}

}  // namespace
