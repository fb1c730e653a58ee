// The road of one payment voucher on the demo company: part of a charge
// paid and a discount crossed against it, a withholding line with its
// expense, paid in cash and by a cheque of the automatic checkbook; saved,
// posted through the review window and printed to PDF. Then the documents'
// balances, the cheque record, the ledger voucher in both charts and the
// creditor's payable account against its subledger.
#include "base/NumeroALetras.h"
#include "documents/payments/DocumentosPagados.h"
#include "documents/payments/FormasPago.h"
#include "documents/payments/Tfegresos.h"
#include "tests/support/EntornoDemo.h"

using namespace cxp;
using prueba::d;

namespace {

class RecorridoEgreso : public prueba::EntornoDemo {
protected:
    const QString nit = QStringLiteral("900456789");

    Dinero saldoDoc(int tipo, int64_t id) {
        return dinero(QStringLiteral("select saldo from cxpagar_proveedor('%1', current_date, 0) where tipo = %2 and id = %3")
                          .arg(nit)
                          .arg(tipo)
                          .arg(id));
    }
};

TEST_F(RecorridoEgreso, UnEgresoDeLaDemoDeFinAFin) {
    // A discount of the creditor still open: returned goods.
    ejecutar("insert into NOTAS_CREDITO_PROVEEDOR (NCPR_ID, TERC_NIT, PREF_PRE, NCPR_NUMERO, NCPR_FECHA, NCPR_MONTO, "
             "NCPR_IVAMONTO, NCPR_RTFTEMONTO, NCPR_RTIVAMONTO, NCPR_RTICAMONTO, NCPR_RTCREEM, NCPR_CONC) values "
             "(77, '900456789', 'CEN', '000077', current_date - 1, 100000, 19000, 0, 0, 0, 0, 'DEVOLUCION')");
    const Dinero cargoAntes = saldoDoc(51, 1);
    const Dinero descuentoAntes = saldoDoc(52, 77);
    ASSERT_GT(cargoAntes, d("1000000")) << "el cargo BOG000001 de la demo tiene saldo";
    ASSERT_EQ(descuentoAntes, d("-119000"));
    const Dinero mayorAntes = mayorAcreedor(nit), subAntes = subAcreedor(nit);

    const QString pdf = carpeta.filePath(QStringLiteral("egreso.pdf"));
    Tfegresos p(sesion, interaccion, manejador, configuracion, servicios<ServiciosEgreso>(62, imprimir(62, pdf), true));
    ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
    p.egreso().setValue("PREF_PRE", "BOG");
    p.egreso().setValue("TERC_NIT", nit);
    ASSERT_EQ(p.panel(), Tfegresos::Panel::Documentos) << mensajes().toStdString();
    // The charge, partly; the discount, whole.
    if (p.detalle().state() != DataSet::State::Browse) p.detalle().cancel();
    ASSERT_TRUE(p.documentos().agregar(nombreCorto(51), "BOG", "000001")) << mensajes().toStdString();
    p.detalle().edit();
    p.detalle().setValue("EGDE_ABONO", d("1000000"));
    p.detalle().post();
    ASSERT_TRUE(p.documentos().agregar(nombreCorto(52), "CEN", "000077")) << mensajes().toStdString();
    ASSERT_TRUE(p.teclaF2());
    ASSERT_EQ(p.panel(), Tfegresos::Panel::Ninguno);
    const Dinero monto = p.egreso().asDinero("EGRE_MONTO");
    ASSERT_EQ(monto, d("881000"));

    // A rete-fuente on services of 4 % over 500,000, and its expense.
    DataSet& l = p.contabilidad();
    l.append();
    l.setValue("CUEN_COD", "23652501");
    l.setValue("EGCO_NIT", nit);
    l.setValue("EGCO_BASEM", d("-500000"));
    ASSERT_EQ(l.asDinero("EGCO_CREDITOS"), d("20000")) << mensajes().toStdString();
    l.post();
    l.append();
    l.setValue("CUEN_COD", "51103501");
    l.setValue("EGCO_NIT", nit);
    l.setValue("EGCO_PROY", "01");
    l.setValue("EGCO_CENTRO", "01");
    l.setValue("EGCO_DEBITOS", d("20000"));
    l.post();

    // Cash from the default box, the rest by cheque of the automatic checkbook.
    ASSERT_TRUE(p.abrirCaja()) << mensajes().toStdString();
    p.caja().setValue("EGCA_MONTO", d("300000"));
    ASSERT_TRUE(p.continuarCaja()) << mensajes().toStdString();
    ASSERT_TRUE(p.abrirBanco()) << mensajes().toStdString();
    ASSERT_EQ(p.banco().asDinero("EGBC_MONTO"), d("581000"));
    ASSERT_TRUE(p.formasPago().numeroBancoAutomatico());
    const QString cheque = p.banco().asString("EGBC_NUMERO");
    ASSERT_TRUE(p.continuarBanco()) << mensajes().toStdString();

    interaccion.mensajes.clear();
    ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
    const int64_t id = p.ultimoId();
    EXPECT_EQ(p.ultimoCheque(), cheque);

    EXPECT_EQ(saldoDoc(51, 1), cargoAntes - d("1000000"));
    EXPECT_EQ(saldoDoc(52, 77), Dinero()) << "el descuento cruzado queda sin saldo";
    EXPECT_EQ(subAcreedor(nit), subAntes - monto);

    EXPECT_EQ(dinero(QStringLiteral("select count(*) from cheques where cheq_idegreso = %1 and cheq_numero = '%2'")
                         .arg(id)
                         .arg(cheque)),
              Dinero::desdeEntero(1));

    cuadraEnAmbosPlanes(62, id);
    // The voucher moves the creditor's accounts exactly as its subledger.
    EXPECT_EQ(mayorAcreedor(nit) - mayorAntes, subAcreedor(nit) - subAntes);

    const QString impreso = prueba::textoPdf(pdf);
    EXPECT_TRUE(impreso.contains(cheque)) << impreso.toStdString();
    const QString letras = numero_a_letras(monto, QStringLiteral("PESOS"), QStringLiteral("CENTAVOS"), QStringLiteral("M/CTE"));
    EXPECT_TRUE(impreso.contains(letras.simplified().left(40), Qt::CaseInsensitive))
        << letras.toStdString() << "\n" << impreso.toStdString();
}

}  // namespace
