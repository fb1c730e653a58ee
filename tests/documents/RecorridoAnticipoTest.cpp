// The road of an advance on the demo company: registered from a payment
// voucher (F4 in its documents panel opens the advance window), paid out by
// that voucher and posted; then the voucher annulled, which takes the
// advance, the subledger and the ledger back to where they were.
#include "documents/advances/Tfanticiposprov.h"
#include "documents/payments/Tfegresos.h"
#include "tests/support/EntornoDemo.h"

using namespace cxp;
using prueba::d;

namespace {

class RecorridoAnticipo : public prueba::EntornoDemo {
protected:
    const QString nit = QStringLiteral("900456789");

    // The creditor in the subledger and in its payable and advance accounts
    // of each chart (the demo's own documents are not posted), and each
    // chart's balance over every live voucher.
    QList<Dinero> libros() {
        QList<Dinero> s{dinero(QStringLiteral("select saldo from saldo_proveedor('%1', current_date, 0)").arg(nit))};
        for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"}) {
            const QString desde = QStringLiteral(" from %1 d join comprobante_encabezado e on e.enco_consec = d.enco_consec "
                                                 "where e.enco_anulado = 'N'")
                                      .arg(QLatin1String(tabla));
            s << dinero("select coalesce(sum(d.code_creditos - d.code_debitos), 0)" + desde + " and d.terc_nit = '" + nit +
                        "' and d.cuen_cod in ('22050501', '13300501')");
            EXPECT_EQ(dinero("select coalesce(sum(d.code_debitos - d.code_creditos), 0)" + desde), Dinero()) << tabla;
        }
        return s;
    }
};

TEST_F(RecorridoAnticipo, AnticipoDesdeElEgresoYSuAnulacion) {
    const QList<Dinero> antes = libros();

    Tfegresos p(sesion, interaccion, manejador, configuracion, servicios<ServiciosEgreso>(62, {}, true));
    ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
    p.egreso().setValue("PREF_PRE", "BOG");
    p.egreso().setValue("TERC_NIT", nit);
    ASSERT_EQ(p.panel(), Tfegresos::Panel::Documentos) << mensajes().toStdString();
    if (p.detalle().state() != DataSet::State::Browse) p.detalle().cancel();

    // F4: the advance window, opened with the creditor and the voucher's date.
    Tfanticiposprov a(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(a.abrir(nit, p.egreso().asDate("EGRE_FECHA"))) << mensajes().toStdString();
    a.anticipo().setValue("ANPR_IVAPORC", d("19"));
    a.anticipo().setValue("ANPR_RTFTEPORC", d("2.5"));
    a.anticipo().setValue("ANPR_BASE", d("1000000"));
    ASSERT_EQ(a.neto(), d("1165000"));
    ASSERT_TRUE(a.grabar()) << mensajes().toStdString();
    interaccion.elecciones.push_back(a.resultado());
    p.teclaF4();
    const int64_t anticipo = a.resultado()->value("ANPR_ID").toLongLong();
    ASSERT_EQ(p.detalle().asInt("EGDE_IDDOC"), anticipo) << mensajes().toStdString();
    EXPECT_EQ(p.detalle().asDinero("EGDE_ABONO"), d("-1165000"));
    if (p.detalle().state() != DataSet::State::Browse) p.detalle().post();
    ASSERT_TRUE(p.teclaF2()) << mensajes().toStdString();
    ASSERT_TRUE(p.abrirCaja()) << mensajes().toStdString();
    p.caja().setValue("EGCA_MONTO", d("1165000"));
    ASSERT_TRUE(p.continuarCaja()) << mensajes().toStdString();
    ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
    const int64_t egreso = p.ultimoId();

    // Paid out: a credit of the creditor, in the subledger and in the books.
    EXPECT_EQ(dinero(QStringLiteral("select egre_id from anticipos_proveedor where anpr_id = %1").arg(anticipo)),
              Dinero::desdeEntero(egreso));
    EXPECT_EQ(dinero(QStringLiteral("select saldo from cxpagar_proveedor('%1', current_date, 0) where tipo = 55 and id = %2")
                         .arg(nit)
                         .arg(anticipo)),
              d("-1165000"));
    const QList<Dinero> pagado = libros();
    EXPECT_EQ(pagado[0] - antes[0], d("-1165000"));
    EXPECT_EQ(pagado[1] - antes[1], d("-1165000"));
    EXPECT_EQ(pagado[2] - antes[2], d("-1165000"));

    // The voucher annulled as its search does: the advance goes with it.
    ejecutar(QStringLiteral("update EGRESOS set egre_anulado = 'S', egre_usuario = 'ADMIN' where egre_id = %1").arg(egreso));
    EXPECT_EQ(dinero(QStringLiteral("select count(*) from anticipos_proveedor where anpr_id = %1 and anpr_anulado = 'S'")
                         .arg(anticipo)),
              Dinero::desdeEntero(1));
    EXPECT_EQ(libros(), antes);
}

}  // namespace
