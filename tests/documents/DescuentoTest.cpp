// The discount screen's logic on a scratch company: what sets it apart from
// the charge (the rete-fuente base kept once typed, rete-IVA by its rate for
// a simplified-regime creditor, the grave-accented message), the crossing's
// balance checks against real purchase invoices, and the charge screen
// leaving another screen's id-0 voucher alone.
#include "base/Redondeo.h"
#include "documents/charges/Tfnotascredito.h"
#include "documents/charges/Tfnotasdebito.h"
#include "tests/creditors/Entorno.h"
#include "tests/db/LibroPrueba.h"

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }
const QString kNit = QStringLiteral("900456789");
const QDate kHoy = QDate::currentDate();

class Descuento : public prueba::EntornoAcreedores {
protected:
    void SetUp() override {
        EntornoAcreedores::SetUp();
        libro::Libro(sesion.compania).acreedor(kNit);
        ejecutar("update PROVEEDORES set PROV_RETEFTE = 2.5, PROV_RTEIVA = 15, PROV_SIMPLIFICADO = 'S', "
                 "PROV_CTAPAGNIIF = '22050501', PROV_CTACAUSANIIF = '51350501' where TERC_NIT = '900456789'");
    }

    std::unique_ptr<Tfnotascredito> pantalla() {
        ServiciosCargo s;
        s.abreInterfaz = [](int, const QString&, bool preguntar) { return preguntar ? 7 : 0; };
        auto p = std::make_unique<Tfnotascredito>(sesion, interaccion, manejador, configuracion, s);
        EXPECT_TRUE(p->abrir()) << mensajes().toStdString();
        return p;
    }
};

// Each step: a gross amount, or a rete-fuente base typed (amount empty).
struct Paso {
    const char* monto;
    const char* base;
    const char* baseEsperada;
};

TEST_F(Descuento, LaBaseDeRetefuenteDigitadaQuedaYLaOtraSigueAlMonto) {
    const std::vector<std::vector<Paso>> casos = {
        {{"1000000", nullptr, "1000000"}, {"2000000", nullptr, "2000000"}},
        {{"1000000", nullptr, "1000000"}, {nullptr, "400000", "400000"}, {"2000000", nullptr, "400000"}},
        {{nullptr, "400000", "400000"}, {nullptr, "0", "0"}, {"3000000", nullptr, "3000000"}},
    };
    for (size_t i = 0; i < casos.size(); ++i) {
        auto p = pantalla();
        p->cargo().setValue("TERC_NIT", kNit);
        p->cargo().setValue("NCPR_IVAPORC", d("19"));
        for (const Paso& paso : casos[i]) {
            if (paso.monto) p->setSubTotal(d(paso.monto));
            else p->cargo().setValue("NCPR_BASERTFTE", d(paso.base));
            EXPECT_EQ(p->cargo().asDinero("NCPR_BASERTFTE"), d(paso.baseEsperada)) << "caso " << i;
        }
        // rete-fuente follows the base kept; rete-IVA by its rate even for
        // a simplified-regime creditor (the charge would take the whole IVA).
        const Dinero base = p->cargo().asDinero("NCPR_BASERTFTE");
        EXPECT_EQ(p->cargo().asDinero("NCPR_RTFTEMONTO"), redondearR(base.porcentaje(d("2.5")), 0)) << "caso " << i;
        EXPECT_EQ(p->cargo().asDinero("NCPR_RTIVAMONTO"),
                  redondearR(p->cargo().asDinero("NCPR_IVAMONTO").porcentaje(d("15")), 0))
            << "caso " << i;
    }
}

TEST_F(Descuento, AcreedorSinCuentasNiifYMensajeConAcentoGrave) {
    auto p = pantalla();
    p->cargo().setValue("TERC_NIT", "123");
    EXPECT_EQ(interaccion.de("error").value(0), Tfnotascredito::kNitInactivo);
    EXPECT_EQ(Tfnotascredito::kNitInactivo, QString::fromUtf8("No se encontrò el NIT o esta inactivo"));
    p->cargo().setValue("TERC_NIT", kNit);
    EXPECT_TRUE(p->cargo().isNull("NCPR_CTAPAGARN") || p->cargo().asString("NCPR_CTAPAGARN").isEmpty());
}

// The crossing takes the invoice's balance and pending withholdings as they
// come; the extra value and CREE stay out of the balance test.
TEST_F(Descuento, CruceConFacturaSoloSiSaldoYRetencionesAlcanzan) {
    struct Caso {
        const char* nombre;
        libro::Centavos facturaIva;
        libro::Retenciones retencionesFactura;
        const char* monto;
        const char* rtivaPorc;
        const char* extra;
        bool aceptado;
    };
    const Caso casos[] = {
        {"rete-IVA pendiente menor", 19000000, {0, 0, 0, 0}, "100000", "15", "0", false},
        {"rete-IVA pendiente suficiente", 19000000, {0, 300000, 0, 0}, "100000", "15", "0", true},
        {"saldo justo con valor extra", 1900000, {0, 0, 0, 0}, "100000", "0", "5000", true},
        {"saldo corto por un peso", 1900000, {0, 0, 0, 0}, "100001", "0", "0", false},
    };
    ejecutar("update PROVEEDORES set PROV_RETEFTE = 0, PROV_RTEIVA = 0, PROV_SIMPLIFICADO = 'N' "
             "where TERC_NIT = '900456789'");
    libro::Libro libro(sesion.compania);
    for (const Caso& k : casos) {
        libro::Documento& f = libro.factura(kNit, kHoy.addDays(-5), 10000000, k.facturaIva, k.retencionesFactura);
        const QString numero = QStringLiteral("FC") + f.numero;
        auto p = pantalla();
        p->cargo().setValue("TERC_NIT", kNit);
        p->cargo().setValue("NCPR_IVAPORC", d("19"));
        p->cargo().setValue("NCPR_RTIVAPORC", d(k.rtivaPorc));
        p->cargo().setValue("NCPR_EXTRA", d(k.extra));
        p->setSubTotal(d(k.monto));
        interaccion.mensajes.clear();
        EXPECT_EQ(p->aplicarA("FACTCOMP", numero), k.aceptado) << k.nombre << " " << mensajes().toStdString();
        if (!k.aceptado) {
            EXPECT_EQ(interaccion.de("error").value(0), Tfnotascredito::kCruceInsuficiente) << k.nombre;
            EXPECT_TRUE(p->lineasCruce().isEmpty()) << k.nombre;
            continue;
        }
        // Credits negative, debts positive: the two lines cancel out.
        ASSERT_EQ(p->lineasCruce().size(), 2) << k.nombre;
        EXPECT_EQ(p->lineasCruce()[0].tipo, 52);
        EXPECT_EQ(p->lineasCruce()[1].tipo, 21);
        EXPECT_EQ(p->lineasCruce()[1].id, f.id);
        EXPECT_TRUE((p->lineasCruce()[0].aplicado + p->lineasCruce()[1].aplicado).esCero()) << k.nombre;
        EXPECT_EQ(p->cargo().asInt("NCPR_TIPODOCAPL"), 21);
    }
    auto p = pantalla();
    p->cargo().setValue("TERC_NIT", kNit);
    EXPECT_FALSE(p->aplicarA("FACTCOMP", "FC00000001"));
    EXPECT_EQ(interaccion.de("advertencia").last(), Tfnotascredito::kCruceSinMonto);
}

// Another screen's voucher held with id 0, with its lines, survives the
// charge screen's opening (which once deleted it, or failed on its lines).
TEST_F(Descuento, ElCargoNoBorraElEgresoEnCursoDeOtro) {
    ejecutar("insert into EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, TERC_NIT) "
             "values (0, '0000', '000001', current_date, '900456789')");
    ejecutar("insert into EGRESOS_DETALLE (EGRE_ID, EGDE_ITEM, EGDE_TIPODOC, EGDE_IDDOC) values (0, 1, 51, 1)");
    Tfnotasdebito cargo(sesion, interaccion, manejador, configuracion, ServiciosCargo{});
    EXPECT_TRUE(cargo.abrir()) << mensajes().toStdString();
    EXPECT_EQ(filas("select count(*) from EGRESOS_DETALLE where EGRE_ID = 0")[0][0].toInt64(), 1);
}

}  // namespace
