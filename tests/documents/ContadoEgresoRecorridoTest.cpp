// The roads of the charge's companions on the demo company, posted through
// the review window and printed to PDF: a cash purchase (a charge paid at
// once in cash, two prints) and a discount crossing a charge. The balances,
// every ledger voucher balanced in both charts, and the creditor's payable
// and advance accounts moved exactly as its subledger.
#include "accounting/contabilizacion/Contexto.h"
#include "accounting/contabilizacion/Protocolo.h"
#include "accounting/contabilizacion/Tfcontabiliza.h"
#include "accounting/interfaces/Interfaces.h"
#include "data/Importe.h"
#include "db/Esquema.h"
#include "documents/charges/Tfnotascredito.h"
#include "documents/charges/Tfnotasdebito.h"
#include "documents/charges/TfnotasdebitoVista.h"
#include "printing/motor/ImprimirDocumento.h"
#include "tests/creditors/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/Teclado.h"

#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace cxp;

namespace {

class RecorridoContado : public prueba::EntornoAcreedores {
protected:
    ContextoContabilizacion contexto;
    QTemporaryDir carpeta;
    QStringList impresos;

    void SetUp() override {
        fb::Database db = compania.conectar();
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        entrar();
        sesion.directorio = carpeta.path();
    }
    Dinero valor(const QString& sql) {
        const auto f = sesion.compania.queryOne(sql);
        return f && !(*f)[0].isNull() ? dineroDe((*f)[0]) : Dinero();
    }
    Dinero saldo(int tipo, int64_t id) { return valor(QStringLiteral("select saldo from saldo_doc_cxpagar(%1, %2, current_date, 1)").arg(tipo).arg(id)); }
    // The creditor's payable and advance accounts less its subledger.
    Dinero descuadre() {
        return valor("select sum(d.code_creditos - d.code_debitos) from comprobante_detalle d join comprobante_encabezado e "
                     "on e.enco_consec = d.enco_consec where d.terc_nit = '900456789' and e.enco_anulado = 'N' and "
                     "d.cuen_cod in ('22050501', '13300501')") -
               valor("select saldo from saldo_proveedor('900456789', current_date, 0)");
    }
    // The review window saves itself, as it does for a clerk.
    ProtocoloContabilizacion::Revision revisar() {
        Tfcontabiliza v(sesion, interaccion, manejador, configuracion, contexto);
        if (!v.abrir() || !v.necesaria()) return {};
        v.activar();
        for (int i = 0; i < 100 && v.resultado() == Tfcontabiliza::Resultado::Pendiente; ++i) QTest::qWait(20);
        return {true, v.resultado() == Tfcontabiliza::Resultado::Aceptado};
    }
    ServiciosCargo servicios(int tipo) {
        auto contabilizar = [this](int t) {
            return [this, t](int64_t id, int i, const QDate& f) {
                ProtocoloContabilizacion p(sesion, interaccion, configuracion, contexto,
                                           [i](int, const QString&) { return i; }, [this] { return revisar(); });
                EXPECT_EQ(p.contabilizar({t, int(id), QString(), f}), ProtocoloContabilizacion::Resultado::Finalizado) << t;
            };
        };
        auto imprimir = [this](int t) {
            return [this, t](int64_t id) {
                impresos << carpeta.filePath(QStringLiteral("%1-%2.pdf").arg(t).arg(id));
                EXPECT_TRUE(imprimirDocumento(sesion, configuracion, interaccion,
                                              {t, QString(), id, SalidaImpresion::Pdf, impresos.last()}).impreso);
            };
        };
        return ServiciosCargo{
            [this](int t, const QString& p, bool q) { return Interfaces(sesion.compania, interaccion).abre_interfaz(t, p, q); },
            contabilizar(tipo), imprimir(tipo), {}, contabilizar(53),
            [this](int t, const QString& p, bool q) { return Interfaces(sesion.compania, interaccion).abre_interfaz_caja(t, p, q); },
            contabilizar(62), imprimir(62)};
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
    EXPECT_EQ(saldo(51, contado), Dinero()) << "pagado de contado";
    ASSERT_EQ(impresos.size(), 2);
    for (const QString& pdf : impresos) {  // read back: both name the creditor
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        EXPECT_TRUE(texto.waitForFinished(30000) && texto.readAllStandardOutput().contains("LÁCTEOS LA SABANA")) << pdf.toStdString();
    }

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
    EXPECT_EQ(saldo(51, c.ultimoId()), netoCargo - netoDescuento);
    EXPECT_EQ(saldo(52, n.ultimoId()), Dinero());

    // Five ledger vouchers, each balanced in both charts; the creditor's
    // accounts follow its subledger.
    EXPECT_EQ(valor(QStringLiteral("select count(*) from comprobante_encabezado where (enco_tiporef = 51 and enco_idref in "
                                   "(%1, %2)) or (enco_tiporef = 62 and enco_idref = %3) or (enco_tiporef = 52 and "
                                   "enco_idref = %4) or (enco_tiporef = 53 and enco_idref = %5)")
                        .arg(contado).arg(c.ultimoId()).arg(egreso).arg(n.ultimoId()).arg(n.ultimaAplicacion())),
              Dinero::desdeEntero(5));
    for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"})
        EXPECT_EQ(valor(QStringLiteral("select count(*) from (select enco_consec from %1 group by enco_consec "
                                       "having sum(code_debitos) <> sum(code_creditos))").arg(QLatin1String(tabla))),
                  Dinero()) << tabla;
    EXPECT_EQ(descuadre(), descuadreAntes);
}

}  // namespace
