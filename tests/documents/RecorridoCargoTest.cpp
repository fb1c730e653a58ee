// The road of one charge on the demo company: typed, saved on its prefix
// with the company's interface, posted through the review window (which
// saves itself), printed to PDF; then its audit row, its prefix's
// consecutive, its balance among the creditor's open documents, its ledger
// voucher balanced in both charts and its printed amount in words.
#include "base/NumeroALetras.h"
#include "documents/charges/Tfnotasdebito.h"
#include "tests/support/EntornoDemo.h"

using namespace cxp;
using prueba::d;

namespace {

using Recorrido = prueba::EntornoDemo;

TEST_F(Recorrido, UnCargoDeLaDemoDeFinAFin) {
    const QString pdf = carpeta.filePath(QStringLiteral("cargo.pdf"));
    Tfnotasdebito p(sesion, interaccion, manejador, configuracion, servicios<ServiciosCargo>(51, imprimir(51, pdf)));
    ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
    EXPECT_EQ(p.cargo().asString("PREF_PRE"), "0000");
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << "la demo abre el cargo sin avisos: " << mensajes().toStdString();
    EXPECT_FALSE(p.preguntaTasa()) << "la compañía de la demo trabaja en pesos";
    const QString actual = QStringLiteral("select pref_actual from prefijos where tido_cod = 51 and pref_pre = 'BOG'");
    const int64_t antes = entero(actual);
    p.cargo().setValue("PREF_PRE", "BOG");
    ASSERT_EQ(p.cargo().asString("NDPR_NUMERO").toLongLong(), antes);
    p.cargo().setValue("TERC_NIT", "900456789");
    p.cargo().setValue("NDPR_CONC", "FLETE REFRIGERADO");
    p.cargo().setValue("NDPR_IVAPORC", d("19"));
    p.setSubTotal(d("3000000"));
    const Dinero neto = p.neto();
    ASSERT_FALSE(p.cargo().asDinero("NDPR_RTFTEMONTO").esCero()) << "el acreedor de la demo retiene en la fuente";
    interaccion.mensajes.clear();
    ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
    const int64_t id = p.ultimoId();

    EXPECT_EQ(entero(QStringLiteral("select count(*) from auditoria where tido_cod = 51 and audi_oper = 'I' and "
                                    "audi_iddoc = %1").arg(id)),
              1);
    EXPECT_EQ(entero(actual), antes + 1);
    EXPECT_EQ(p.cargo().asString("NDPR_NUMERO").toLongLong(), antes + 1) << "el siguiente cargo toma el consecutivo nuevo";

    const auto abierto = sesion.compania.queryOne(
        QStringLiteral("select saldo from cxpagar_proveedor('900456789', current_date, 0) where tipo = 51 and id = %1").arg(id));
    ASSERT_TRUE(abierto) << "el cargo está entre los documentos abiertos del acreedor";
    EXPECT_EQ(dineroDe((*abierto)[0]), neto) << "lo que se debe es el neto de retenciones";

    cuadraEnAmbosPlanes(51, id);
    const QString impreso = prueba::textoPdf(pdf);
    EXPECT_TRUE(impreso.contains(QStringLiteral("LÁCTEOS LA SABANA"))) << impreso.toStdString();
    const QString letras = numero_a_letras(neto, QStringLiteral("PESOS"), QStringLiteral("CENTAVOS"), QStringLiteral("M/CTE"));
    EXPECT_TRUE(impreso.contains(letras.simplified().left(40), Qt::CaseInsensitive))
        << letras.toStdString() << "\n" << impreso.toStdString();
}

}  // namespace
