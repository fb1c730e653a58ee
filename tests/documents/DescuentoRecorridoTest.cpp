// The road of one discount on the demo company: saved with the company's
// interface, posted through the review window, printed to PDF; its ledger
// voucher balanced in both charts and the creditor's payable account moved
// exactly as its subledger.
#include "accounting/contabilizacion/Contexto.h"
#include "accounting/contabilizacion/Protocolo.h"
#include "accounting/contabilizacion/Tfcontabiliza.h"
#include "accounting/interfaces/Interfaces.h"
#include "data/Importe.h"
#include "db/Esquema.h"
#include "documents/charges/Tfnotascredito.h"
#include "printing/motor/ImprimirDocumento.h"
#include "tests/creditors/Entorno.h"

#include <QTemporaryDir>
#include <QTest>

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

class RecorridoDescuento : public prueba::EntornoAcreedores {
protected:
    ContextoContabilizacion contexto;
    QTemporaryDir carpeta;

    void SetUp() override {
        fb::Database db = compania.conectar();
        esquema::ejecutar(db, esquema::guionDemo(esquema::Base::Compania));
        entrar();
        sesion.directorio = carpeta.path();
    }
    Dinero dinero(const QString& sql) {
        const auto f = sesion.compania.queryOne(sql);
        return f && !(*f)[0].isNull() ? dineroDe((*f)[0]) : Dinero();
    }
    // The creditor in the ledger's payable and advance accounts, and in the
    // payables subledger.
    Dinero mayorAcreedor() {
        return dinero(QStringLiteral("select coalesce(sum(d.code_creditos - d.code_debitos), 0) from comprobante_detalle d "
                                     "join comprobante_encabezado e on e.enco_consec = d.enco_consec where d.terc_nit = "
                                     "'900456789' and e.enco_anulado = 'N' and d.cuen_cod in ('22050501', '13300501')"));
    }
    Dinero subAcreedor() { return dinero(QStringLiteral("select saldo from saldo_proveedor('900456789', current_date, 0)")); }
    int64_t entero(const QString& sql) {
        auto f = sesion.compania.queryOne(sql);
        return f && !(*f)[0].isNull() ? (*f)[0].toString().trimmed().toLongLong() : 0;
    }
    ServiciosCargo servicios(const QString& pdf) {
        ServiciosCargo s;
        s.abreInterfaz = [this](int tipo, const QString& prefijo, bool preguntar) {
            return Interfaces(sesion.compania, interaccion).abre_interfaz(tipo, prefijo, preguntar);
        };
        s.contabilizar = [this](int64_t id, int interfaz, const QDate& fecha) {
            ProtocoloContabilizacion protocolo(
                sesion, interaccion, configuracion, contexto, [interfaz](int, const QString&) { return interfaz; },
                [this] {
                    Tfcontabiliza ventana(sesion, interaccion, manejador, configuracion, contexto);
                    if (!ventana.abrir() || !ventana.necesaria()) return ProtocoloContabilizacion::Revision{};
                    ventana.activar();
                    QTest::qWait(60);  // a voucher that needs no confirmation saves itself
                    return ProtocoloContabilizacion::Revision{true,
                                                              ventana.resultado() == Tfcontabiliza::Resultado::Aceptado};
                });
            EXPECT_EQ(protocolo.contabilizar({52, int(id), QString(), fecha}),
                      ProtocoloContabilizacion::Resultado::Finalizado)
                << mensajes().toStdString();
        };
        s.imprimir = [this, pdf](int64_t id) {
            const auto r = imprimirDocumento(sesion, configuracion, interaccion,
                                             {52, QString(), id, SalidaImpresion::Pdf, pdf});
            EXPECT_TRUE(r.impreso) << r.mensaje.toStdString();
        };
        return s;
    }
};

TEST_F(RecorridoDescuento, UnDescuentoDeLaDemoDeFinAFin) {
    const QString pdf = carpeta.filePath(QStringLiteral("descuento.pdf"));
    Tfnotascredito p(sesion, interaccion, manejador, configuracion, servicios(pdf));
    ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
    p.cargo().setValue("PREF_PRE", "BOG");
    p.cargo().setValue("TERC_NIT", "900456789");
    p.cargo().setValue("NCPR_CONC", "DEVOLUCION DE PRODUCTO VENCIDO");
    p.cargo().setValue("NCPR_IVAPORC", d("19"));
    p.setSubTotal(d("1250000"));
    const Dinero neto = p.neto();
    ASSERT_FALSE(p.cargo().asDinero("NCPR_RTFTEMONTO").esCero()) << "el acreedor de la demo retiene en la fuente";
    const Dinero mayorAntes = mayorAcreedor(), subAntes = subAcreedor();
    interaccion.mensajes.clear();
    ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
    const int64_t id = p.ultimoId();

    // The discount lowers what is owed by its net, in the subledger and in
    // the creditor's accounts alike.
    EXPECT_EQ(subAcreedor(), subAntes - neto);
    EXPECT_EQ(mayorAcreedor() - mayorAntes, subAcreedor() - subAntes);
    const QString doc = QStringLiteral(" where enco_tiporef = 52 and enco_idref = %1").arg(id);
    ASSERT_EQ(entero("select count(*) from comprobante_encabezado" + doc), 1);
    const int64_t consec = entero("select enco_consec from comprobante_encabezado" + doc);
    for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"}) {
        SCOPED_TRACE(tabla);
        EXPECT_GT(entero(QStringLiteral("select count(*) from %1 where enco_consec = %2").arg(QLatin1String(tabla)).arg(consec)), 0);
        EXPECT_EQ(entero(QStringLiteral("select sum(code_debitos * 100) - sum(code_creditos * 100) from %1 where enco_consec = %2")
                             .arg(QLatin1String(tabla))
                             .arg(consec)),
                  0);
    }
}

}  // namespace
