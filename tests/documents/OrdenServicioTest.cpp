// The service order on a scratch company: its amounts (minimum bases,
// simplified regime, the discount and "Monto:", a typed withholding made a
// percentage on save), the order left with id 0, and what the search lets
// each user annul or delete, with the reason on the audit row.
#include "data/DataSet.h"
#include "documents/service/Tfbuscaordenes.h"
#include "documents/service/Tfordenservicio.h"
#include "tests/creditors/Entorno.h"

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

class Orden : public prueba::EntornoAcreedores {
protected:
    void SetUp() override {
        EntornoAcreedores::SetUp();
        unTercero("900456789", "SERVICIOS TECNICOS S.A.S.", true);
        ejecutar("update PROVEEDORES set PROV_RETEFTE = 4, PROV_RTEIVA = 15, PROV_RTEICA = 9.66, "
                 "PROV_RTFTEBASE = 1000000, PROV_RTICABASE = 1000000 where TERC_NIT = '900456789'");
    }
    std::unique_ptr<Tfordenservicio> pantalla() {
        auto p = std::make_unique<Tfordenservicio>(sesion, interaccion, manejador, configuracion, ServiciosOrden{});
        EXPECT_TRUE(p->abrir()) << mensajes().toStdString();
        return p;
    }
};

// The withholdings against the creditor's minimum bases (strictly above
// them under "BASE MINIMA") and the simplified regime's whole IVA.
TEST_F(Orden, RetencionesConBaseMinimaYRegimenSimplificado) {
    struct Caso {
        const char* modo;
        const char* simplificado;
        const char *monto, *rtfte, *rtiva, *rtica;
    } casos[] = {
        {"BASE MINIMA", "N", "1000000", "0", "0", "0"},
        {"BASE MINIMA", "N", "1000001", "40000", "28500", "9660"},
        {"DESDE CERO", "N", "1000000", "40000", "28500", "9660"},
        {"DESDE CERO", "S", "1000000", "40000", "190000", "9660"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.modo) + c.simplificado + c.monto);
        configurar("CAUSAR RETENCIONES A PARTIR DE LA BASE MINIMA DEL PROVEEDOR O DESDE CERO", c.modo, "CXPAGAR",
                   "DOCUMENTOS");
        ejecutar(QStringLiteral("update PROVEEDORES set PROV_SIMPLIFICADO = '%1'").arg(QLatin1String(c.simplificado)));
        auto p = pantalla();
        DataSet& o = p->orden();
        o.setValue("TERC_NIT", "900456789");
        o.setValue("ORSE_IVAPORC", d("19"));
        p->setSubTotal(d(c.monto));
        EXPECT_EQ(o.asDinero("ORSE_RTFTEMONTO"), d(c.rtfte));
        EXPECT_EQ(o.asDinero("ORSE_RTIVAMONTO"), d(c.rtiva));
        EXPECT_EQ(o.asDinero("ORSE_RTICAMONTO"), d(c.rtica));
    }
}

// "Monto:" puts the additional value back and leaves the discount out; the
// discount amount and the additional value take it in again.
TEST_F(Orden, ElMontoTrasUnDescuentoDejaLaBaseSinElDescuento) {
    auto p = pantalla();
    DataSet& o = p->orden();
    const std::pair<std::function<void()>, const char*> pasos[] = {
        {[&] { p->setSubTotal(d("1000")); }, "1000"},
        {[&] { o.setValue("ORSE_ADICIONAL", d("100")); }, "1100"},
        {[&] { o.setValue("ORSE_DTOPORC", d("10")); }, "990"},  // 10 % of 1100
        {[&] { o.setValue("ORSE_DTOPORC", d("20")); }, "880"},  // not of 990
        {[&] { p->setSubTotal(d("2000")); }, "2100"},
        {[&] { o.setValue("ORSE_DTOMONTO", d("50")); }, "2050"},
    };
    for (const auto& [paso, base] : pasos) {
        paso();
        EXPECT_EQ(o.asDinero("ORSE_BASE"), d(base));
    }
}

// A typed rete-fuente survives until the save makes it a percentage; a
// later base recomputes it from that percentage and forgets it was typed.
TEST_F(Orden, RetefuenteDigitadaSeVuelvePorcentajeAlGrabar) {
    auto p = pantalla();
    DataSet& o = p->orden();
    o.setValue("TERC_NIT", "900456789");
    p->setSubTotal(d("2000000"));
    o.setValue("ORSE_RTFTEMONTO", d("50000"));
    o.setValue("ORSE_RTFTEPORC", d("6"));  // the typed amount wins
    EXPECT_EQ(o.asDinero("ORSE_RTFTEMONTO"), d("50000"));
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(escalar("select orse_rtfteporc || '/' || orse_rtftemonto from orden_servicio"), "2.5000/50000.00");

    p->orden().setValue("TERC_NIT", "900456789");
    p->setSubTotal(d("2000000"));
    p->orden().setValue("ORSE_RTFTEMONTO", d("50000"));
    EXPECT_TRUE(p->cadena().digitada(Retencion::Fuente));
    p->orden().setValue("ORSE_BASE", d("3000000"));
    EXPECT_FALSE(p->cadena().digitada(Retencion::Fuente));
    EXPECT_EQ(p->orden().asDinero("ORSE_RTFTEMONTO"), d("120000"));  // 4 %
}

TEST_F(Orden, LaDejadaConIdCeroSeOfreceOSeBorra) {
    for (const bool traer : {false, true}) {
        SCOPED_TRACE(traer);
        ejecutar("insert into ORDEN_SERVICIO (ORSE_ID, PREF_PRE, ORSE_NUMERO, TERC_NIT, ORSE_BASE) "
                 "values (0, '0000', '000007', '900456789', 1500)");
        interaccion.respuestas = {traer};
        auto p = pantalla();
        EXPECT_EQ(interaccion.de("pregunta").last(), Tfordenservicio::kOrdenPrevia);
        // Stored once, the number moved the prefix past it.
        EXPECT_EQ(p->orden().asString("ORSE_NUMERO"), traer ? "000007" : "000008");
        if (!traer) {
            EXPECT_EQ(escalar("select count(*) from orden_servicio"), "0");
            continue;
        }
        EXPECT_EQ(p->subTotal(), d("1500"));
        ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
        EXPECT_EQ(escalar("select count(*) || orse_numero from orden_servicio where orse_id <> 0 group by orse_numero"),
                  "1000007");
    }
}

// F3 needs right 12; a valid order is annulled, an annulled one is deleted
// by an administrator only; the reason lands on the audit row of each.
TEST_F(Orden, LaBusquedaAnulaYSoloElAdministradorElimina) {
    configurar("ESTABLECER CONTROL DEL PORQUE SE ANULAN LOS DOCUMENTOS", "SI", "GENERAL", "GENERAL");
    ejecutar("insert into ORDEN_SERVICIO (ORSE_ID, PREF_PRE, ORSE_NUMERO, TERC_NIT, ORSE_BASE) "
             "values (5, '0000', '000005', '900456789', 1500)");
    DataSet lista;
    Tfbuscaordenes b(sesion, interaccion, manejador, configuracion, lista);
    struct Caso {
        const char* usuario;
        bool derecho, administrador, cambia;
        const char *queda, *auditoria;
    } casos[] = {
        {"SINDER", false, false, false, "N", ""},
        {"CLERK", true, false, true, "S", "A:ANULADA POR ERROR"},
        {"CLERK", true, false, false, "S", "A:ANULADA POR ERROR"},  // annulled: not the clerk's to delete
        {"ADMIN", true, true, true, "", "A:ANULADA POR ERROR,D:ANULADA POR ERROR"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.usuario) + c.queda);
        interaccion.mensajes.clear();
        sesion.usuario_actual = QString::fromLatin1(c.usuario);
        sesion.es_administrador = c.administrador;
        if (c.derecho && !c.administrador)
            ejecutar("update or insert into acceso_usuario (user_cod, acus_modulo, acus_opcion, acus_si) "
                     "values ('CLERK', 'C. X PAGAR', 12, 'S') matching (user_cod, acus_modulo, acus_opcion)");
        lista.open(sesion.compania, b.consultaBase());
        ASSERT_FALSE(lista.isEmpty());
        if (c.cambia) {
            interaccion.elecciones = {QVariantMap{{"razon", "  ANULADA POR ERROR "}}};
            interaccion.respuestas = {true};
        }
        EXPECT_EQ(b.anular(), c.cambia);
        EXPECT_EQ(interaccion.de("error"), c.derecho ? QStringList{} : QStringList{Tfbuscaordenes::kSinAcceso});
        EXPECT_EQ(escalar("select orse_anulado from orden_servicio where orse_id = 5"), c.queda);
        EXPECT_EQ(escalar("select list(audi_oper || ':' || audi_razon) from auditoria where tido_cod = 56 "
                          "and audi_iddoc = 5 and audi_razon is not null"),
                  c.auditoria);
    }
    EXPECT_EQ(interaccion.de("pregunta"), QStringList{"Esta seguro de eliminar completamente la órden 0000000005?"});
}

}  // namespace
