// The charge screen's logic on a scratch company: the amounts through the
// fields, the creditor and its duplicate number, the number entry, the
// checks in their order with the id kept, the one-batch save and what it
// leaves behind, the abandoned charge, and a number taken by another clerk.
#include "documents/charges/Tfnotasdebito2.h"
#include "tests/creditors/Entorno.h"

#include <QRegularExpression>

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

class Cargo : public prueba::EntornoAcreedores {
protected:
    QStringList llamadas;  // services called, in order
    int interfaz = 7;
    QString falla;  // the service ("contabilizar", "imprimir") that fails once
    std::function<void()> alImprimir;  // runs inside the print service
    void fallar(const char* servicio) {
        if (falla != QLatin1String(servicio)) return;
        falla.clear();
        throw std::runtime_error("se perdió la conexión");
    }

    void SetUp() override {
        EntornoAcreedores::SetUp();
        unTercero("900456789", "SUMINISTROS ANDINOS S.A.S.", true);
        ejecutar("update PROVEEDORES set PROV_RETEFTE = 2.5, PROV_RTEIVA = 15, PROV_RTEICA = 9.66, PROV_RTCREE = 0.4, "
                 "PROV_RTFTEBASE = 1000000, PROV_RTICABASE = 0 where TERC_NIT = '900456789'");
        configurar("ACCION A TOMAR SI SE REPITE EL NUMERO DE FACTURA DEL PROVEEDOR", "PROHIBIR", "COMPRAS", "FACTURAS");
    }

    std::unique_ptr<Tfnotasdebito> pantalla(bool abrir = true) {
        ServiciosCargo s;
        s.abreInterfaz = [this](int tipo, const QString& prefijo, bool preguntar) {
            llamadas << QStringLiteral("interfaz %1 %2 %3").arg(tipo).arg(prefijo).arg(preguntar);
            return preguntar ? interfaz : 0;
        };
        s.contabilizar = [this](int64_t id, int i, const QDate&) {
            llamadas << QStringLiteral("contabilizar %1 %2").arg(id).arg(i);
            fallar("contabilizar");
        };
        s.imprimir = [this](int64_t id) {
            llamadas << QStringLiteral("imprimir %1").arg(id);
            fallar("imprimir");
            if (alImprimir) alImprimir();
        };
        s.consultar = [this](int64_t id) { llamadas << QStringLiteral("consultar %1").arg(id); };
        auto p = std::make_unique<Tfnotasdebito>(sesion, interaccion, manejador, configuracion, s);
        if (abrir) EXPECT_TRUE(p->abrir()) << mensajes().toStdString();
        return p;
    }
    void llenar(Tfnotasdebito& p, const char* monto = "2000000") {
        p.cargo().setValue("TERC_NIT", "900456789");
        p.cargo().setValue("NDPR_CONC", "FLETE");
        p.cargo().setValue("NDPR_IVAPORC", d("19"));
        p.setSubTotal(d(monto));
    }
};

TEST_F(Cargo, AcreedorYMontosPorLosCampos) {
    auto p = pantalla();
    EXPECT_EQ(p->cargo().asString("PREF_PRE"), "0000");
    EXPECT_EQ(p->cargo().asString("NDPR_NUMERO"), "000001");
    llenar(*p);
    EXPECT_EQ(p->nombreAcreedor(), "SUMINISTROS ANDINOS S.A.S.");
    const DataSet& c = p->cargo();
    EXPECT_EQ(c.asDinero("NDPR_MONTO"), d("2000000"));
    EXPECT_EQ(c.asDinero("NDPR_IVAMONTO"), d("380000"));
    EXPECT_EQ(c.asDinero("NDPR_RTFTEMONTO"), d("50000"));
    EXPECT_EQ(c.asDinero("NDPR_RTIVAMONTO"), d("57000"));
    EXPECT_EQ(c.asDinero("NDPR_RTICAMONTO"), d("19320"));
    EXPECT_EQ(c.asDinero("NDPR_RTCREEM"), d("8000"));
    EXPECT_EQ(p->totalConIva(), d("2380000"));
    EXPECT_EQ(p->neto(), d("2245680"));

    // A rete-fuente typed by hand survives a rate edit.
    p->cargo().setValue("NDPR_RTFTEMONTO", d("60000"));
    p->cargo().setValue("NDPR_RTFTEPORC", d("4"));
    EXPECT_EQ(c.asDinero("NDPR_RTFTEMONTO"), d("60000"));
    // Under the creditor's minimum base nothing is withheld.
    p->setSubTotal(d("1000000"));
    EXPECT_EQ(c.asDinero("NDPR_RTFTEMONTO"), Dinero());
    EXPECT_EQ(c.asDinero("NDPR_RTIVAMONTO"), Dinero());

    p->cargo().setValue("TERC_NIT", "123");
    EXPECT_TRUE(interaccion.de("error").contains(Tfnotasdebito::kNitInactivo));
    EXPECT_TRUE(p->cargo().asString("TERC_NIT").isEmpty());
}

// The VAT bases: IVA per base from the rates, and a rete-fuente base typed
// in the panel stays fixed when the amount changes.
TEST_F(Cargo, BasesDeIvaDesdeElPanel) {
    auto p = pantalla();
    p->cargo().setValue("TERC_NIT", "900456789");
    p->abrirBases();
    p->cargo().setValue("NDPR_BASE1", d("2000000"));
    p->cargo().setValue("NDPR_BASE2", d("1000000"));
    p->cargo().setValue("NDPR_BASERTFTE", d("2500000"));
    EXPECT_EQ(p->cargo().asDinero("NDPR_IVA1"), d("380000"));
    EXPECT_EQ(p->cargo().asDinero("NDPR_IVA2"), d("50000"));
    p->continuarBases();
    EXPECT_EQ(p->subTotal(), d("3000000"));
    EXPECT_EQ(p->cargo().asDinero("NDPR_IVAMONTO"), d("430000"));
    EXPECT_EQ(p->cargo().asDinero("NDPR_RTFTEMONTO"), d("62500"));
    EXPECT_EQ(p->cargo().asDinero("NDPR_RTIVAMONTO"), d("64500"));
    p->setSubTotal(d("3100000"));
    EXPECT_EQ(p->cargo().asDinero("NDPR_BASERTFTE"), d("2500000"));
}

TEST_F(Cargo, ChequeosEnOrdenConservanElId) {
    configurar("NUMERO DE FACTURA DEL PROVEEDOR OBLIGATORIO", "SI", "COMPRAS", "FACTURAS");
    auto p = pantalla();
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(interaccion.de("error").last(), Tfnotasdebito::kNumProvObligatorio);
    const int64_t id = p->cargo().asInt("NDPR_ID");
    EXPECT_GT(id, 0) << "el id se toma antes de los chequeos";
    p->cargo().setValue("NDPR_NUMPROV", "FV-77");
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(interaccion.de("error").last(), Tfnotasdebito::kSinNit);
    p->cargo().setValue("TERC_NIT", "900456789");
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(interaccion.de("error").last(), Tfnotasdebito::kMontoCero);
    EXPECT_EQ(interaccion.enfoques.last(), "SubTotal");
    EXPECT_EQ(escalar("select count(*) from notas_debito_proveedor"), "0");

    p->setSubTotal(d("-5000"));  // a negative amount passes
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(p->ultimoId(), id) << "el intento siguiente usa el mismo id";
}

TEST_F(Cargo, GrabarEscribeTodoYEmpiezaElSiguiente) {
    auto p = pantalla();
    llenar(*p);
    p->cargo().setValue("NDPR_RTFTEMONTO", d("70000"));
    // The IVA and the prompt-payment discount typed are stored as typed.
    p->cargo().setValue("NDPR_IVAMONTO", d("200000"));
    p->cargo().setValue("NDPR_DTOFMONTO", d("5000"));
    p->abrirLineas();
    p->lineas().setValue("NDPD_DESC", "TRANSPORTE");
    p->lineas().setValue("NDPD_CANT", d("2"));
    p->lineas().setValue("NDPD_COSTO", d("150000"));
    p->agregarLinea();
    p->lineas().setValue("NDPD_DESC", "CARGUE");
    p->lineas().setValue("NDPD_COSTO", d("25000.50"));
    p->continuarLineas();
    EXPECT_EQ(p->cargo().asDinero("NDPR_TOTALDET"), d("325000.50"));
    llamadas.clear();
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    const int64_t id = p->ultimoId();
    EXPECT_EQ(llamadas, QStringList({"interfaz 51 0000 1", QStringLiteral("contabilizar %1 7").arg(id),
                                     QStringLiteral("imprimir %1").arg(id), "interfaz 51 0000 0"}));

    const auto f = filas("select NDPR_NUMERO, NDPR_MONTO, NDPR_RTFTEMONTO, NDPR_RTFTEPORC, NDPR_TOTALDET, NDPR_USUARIO, "
                         "NDPR_ANULADO from notas_debito_proveedor where ndpr_id = " + QString::number(id));
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0][0].toString(), "000001");
    EXPECT_EQ(f[0][2].toString(), "70000.00");
    EXPECT_EQ(f[0][3].toString(), "3.5000") << "el monto digitado vuelve a ser tasa";
    EXPECT_EQ(escalar("select ndpr_ivamonto || ' ' || ndpr_ivaporc || ' ' || ndpr_dtofmonto || ' ' || ndpr_dtofporc "
                      "from notas_debito_proveedor where ndpr_id = " + QString::number(id)),
              "200000.00 10.00 5000.00 0.2500");
    EXPECT_EQ(f[0][4].toString(), "325000.50");
    EXPECT_EQ(f[0][5].toString(), "ADMIN");
    EXPECT_EQ(escalar("select count(*) from nota_debito_prov_det where ndpr_id = " + QString::number(id)), "2");
    EXPECT_EQ(escalar("select count(*) from auditoria where tido_cod = 51 and audi_oper = 'I' and audi_iddoc = " +
                      QString::number(id)),
              "1");
    EXPECT_EQ(escalar("select pref_actual from prefijos where tido_cod = 51 and pref_pre = '0000'"), "000002");

    // The next charge: blank, same prefix, the new consecutive.
    EXPECT_EQ(p->cargo().asInt("NDPR_ID"), 0);
    EXPECT_EQ(p->cargo().asString("NDPR_NUMERO"), "000002");
    EXPECT_TRUE(p->cargo().asString("TERC_NIT").isEmpty());
    EXPECT_EQ(p->subTotal(), Dinero());
    EXPECT_TRUE(p->lineas().isEmpty());

    // Without an interface nothing is written.
    interfaz = 0;
    llenar(*p);
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(escalar("select count(*) from notas_debito_proveedor"), "1");
}

TEST_F(Cargo, UnaLineaQueFallaNoDejaNadaEscrito) {
    auto p = pantalla();
    llenar(*p);
    p->abrirLineas();
    p->lineas().setValue("NDPD_DESC", "BIEN");
    p->agregarLinea();
    p->lineas().setValue("NDPD_ITEM", 1);  // the first line's key: the database refuses it
    p->continuarLineas();
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(escalar("select count(*) from notas_debito_proveedor"), "0");
    EXPECT_EQ(escalar("select count(*) from nota_debito_prov_det"), "0");
    EXPECT_EQ(escalar("select pref_actual from prefijos where tido_cod = 51 and pref_pre = '0000'"), "000001");
    EXPECT_NE(p->cargo().state(), DataSet::State::Browse) << "la pantalla sigue editando";
    p->lineas().last();
    p->lineas().edit();
    p->lineas().setValue("NDPD_ITEM", 2);
    p->lineas().post();
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(escalar("select count(*) from nota_debito_prov_det"), "2");
}

TEST_F(Cargo, NumeroDelProveedorRepetido) {
    auto p = pantalla();
    llenar(*p);
    p->cargo().setValue("NDPR_NUMPROV", "FV-1");
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    struct Caso {
        const char* accion;
        bool avisa;
        bool borra;
    };
    for (const Caso& k : {Caso{"IGNORAR", false, false}, Caso{"PROHIBIR", true, true}, Caso{"AVISAR", true, false}}) {
        configurar("ACCION A TOMAR SI SE REPITE EL NUMERO DE FACTURA DEL PROVEEDOR", k.accion, "COMPRAS", "FACTURAS");
        interaccion.mensajes.clear();
        auto q = pantalla();
        q->cargo().setValue("NDPR_NUMPROV", "FV-1");
        q->cargo().setValue("TERC_NIT", "900456789");
        SCOPED_TRACE(k.accion);
        EXPECT_EQ(interaccion.de("advertencia").contains("El cargo No. 0000000001 ya tiene ese número de proveedor."),
                  k.avisa);
        EXPECT_EQ(q->cargo().asString("NDPR_NUMPROV").isEmpty(), k.borra);
    }
}

TEST_F(Cargo, NumeroTomadoAbreLaConsulta) {
    auto p = pantalla();
    llenar(*p);
    ASSERT_TRUE(p->grabar());
    const int64_t id = p->ultimoId();
    interaccion.respuestas = {true};
    llamadas.clear();
    p->cargo().setValue("NDPR_NUMERO", "1");
    EXPECT_TRUE(interaccion.mensajes.join("|").contains("Documento 000001 previamente registrado. Consultar?"));
    EXPECT_EQ(llamadas, QStringList({QStringLiteral("consultar %1").arg(id)}));
    EXPECT_EQ(p->cargo().asString("NDPR_NUMERO"), "000002");
}

TEST_F(Cargo, CargoAbandonadoSeOfrece) {
    ejecutar("insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE, "
             "NDPR_MONTO, NDPR_IVAPORC, NDPR_IVAMONTO) values (0, '900456789', '0000', '000001', current_date, "
             "current_date, 500000, 19, 95000)");
    interaccion.respuestas = {true};
    auto p = pantalla();
    EXPECT_TRUE(interaccion.mensajes.join("|").contains(Tfnotasdebito::kPagoPrevio));
    EXPECT_EQ(p->cargo().asString("TERC_NIT"), "900456789");
    EXPECT_EQ(p->subTotal(), d("500000"));
    p->cargo().setValue("NDPR_IVAPORC", d("5"));
    EXPECT_EQ(p->cargo().asDinero("NDPR_IVAMONTO"), d("25000"));

    interaccion.respuestas = {false};
    auto q = pantalla();
    EXPECT_EQ(escalar("select count(*) from notas_debito_proveedor where ndpr_id = 0"), "0");
    EXPECT_TRUE(q->cargo().asString("TERC_NIT").isEmpty());
}

// Another clerk took the proposed number on the automatic prefix: the charge
// takes the next one and the clerk is told.
TEST_F(Cargo, NumeroTomadoPorOtroCajero) {
    auto p = pantalla();
    llenar(*p);
    ejecutar("insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE, "
             "NDPR_MONTO) values (999, '900456789', '0000', '000001', current_date, current_date, 1)");
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(escalar("select ndpr_numero from notas_debito_proveedor where ndpr_id = " + QString::number(p->ultimoId())),
              "000002");
    EXPECT_TRUE(interaccion.de("informacion").join("|").contains("se grabó con el número 000002"));
}

// While a charge is being entered its number is taken and the prefix's
// consecutive is moved back onto used numbers: the save goes on to the first
// free number instead of failing on every attempt.
TEST_F(Cargo, ConsecutivoAtrasadoSobreNumerosUsados) {
    auto p = pantalla();
    llenar(*p);
    ASSERT_EQ(p->cargo().asString("NDPR_NUMERO"), "000001");
    for (const char* n : {"000001", "000002"})
        ejecutar(QStringLiteral("insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, "
                                "NDPR_VENCE, NDPR_MONTO) values (9%1, '900456789', '0000', '%1', current_date, current_date, 1)")
                     .arg(n));
    ejecutar("update prefijos set pref_actual = '000001' where tido_cod = 51 and pref_pre = '0000'");
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(escalar("select ndpr_numero from notas_debito_proveedor where ndpr_id = " + QString::number(p->ultimoId())),
              "000003");
    EXPECT_TRUE(interaccion.de("informacion").join("|").contains("se grabó con el número 000003"));
}

// A new screen starts on the first prefix it can save with: one with an
// accounting interface among the agency's, else the first one.
TEST_F(Cargo, EmpiezaEnElPrimerPrefijoConInterfaz) {
    ejecutar("insert into prefijos (tido_cod, pref_pre, pref_actual, sucu_id) values (51, 'NOR', '000001', 1)");
    ejecutar("insert into prefijos (tido_cod, pref_pre, pref_actual, sucu_id) values (51, 'SUR', '000001', 2)");
    ejecutar("insert into prefijos_conta (tico_cod, prco_pref) values ('CXP', 'CXP')");
    struct Caso {
        const char* conInterfaz;  // prefixes with an interface
        int agencia;
        const char* inicial;
    };
    for (const Caso& k : {Caso{"", 0, "0000"}, Caso{"SUR", 0, "SUR"}, Caso{"NOR SUR", 0, "NOR"},
                          Caso{"NOR SUR", 2, "SUR"}, Caso{"NOR", 2, "0000"}, Caso{"0000 SUR", 2, "0000"}}) {
        SCOPED_TRACE(std::string(k.conInterfaz) + " " + std::to_string(k.agencia));
        ejecutar("delete from interfaz_cxpagar");
        int id = 0;
        for (const QString& pre : QString::fromLatin1(k.conInterfaz).split(u' ', Qt::SkipEmptyParts))
            ejecutar(QStringLiteral("insert into interfaz_cxpagar (incp_id, tido_cod, pref_pre, tico_cod, prco_pre) "
                                    "values (%1, 51, '%2', 'CXP', 'CXP')").arg(++id).arg(pre));
        sesion.agencia_actual = k.agencia;
        llamadas.clear();
        auto p = pantalla();
        EXPECT_EQ(p->cargo().asString("PREF_PRE"), k.inicial);
        EXPECT_EQ(llamadas.value(0), QStringLiteral("interfaz 51 %1 0").arg(k.inicial));
    }
}

TEST_F(Cargo, SinPrefijoActivoCierra) {
    ejecutar("update prefijos set pref_activo = 'N' where tido_cod = 51");
    auto p = pantalla(false);
    EXPECT_FALSE(p->abrir());
    EXPECT_EQ(interaccion.de("error"), QStringList({Tfnotasdebito::kSinPrefijo}));
}

}  // namespace

namespace {

TEST_F(Cargo, ConsultaDeUnCargoGrabado) {
    prueba::BaseTemporal general{prueba::plantillaGeneral()};
    sesion.general = general.conectar();  // the name of who annulled
    configurar("FECHA AUTORETENEDOR DE RETENCION CREE", QDate::currentDate().toString("yyyy/MM/dd"), "CARTERA", "SALDOS");
    auto p = pantalla();
    llenar(*p);
    ASSERT_TRUE(p->grabar());
    const int64_t id = p->ultimoId();

    QStringList contabilizados;
    auto consulta = [&] {
        ServiciosCargo s;
        s.imprimir = [this](int64_t i) { llamadas << QStringLiteral("imprimir %1").arg(i); };
        auto c = std::make_unique<Tfnotasdebito2>(sesion, interaccion, manejador, configuracion, s,
                                                  [&](int64_t i, const QString& prefijo, const QDate&) {
                                                      contabilizados << QStringLiteral("%1 %2").arg(i).arg(prefijo);
                                                  });
        return c;
    };
    auto c = consulta();
    ASSERT_TRUE(c->abrir(id)) << mensajes().toStdString();
    EXPECT_EQ(c->subTotal(), d("2000000"));
    EXPECT_EQ(c->nombreAcreedor(), "SUMINISTROS ANDINOS S.A.S.");
    EXPECT_TRUE(c->registro().contains(QRegularExpression("^Registro: \\d{4}/\\d{2}/\\d{2}-\\d\\d:"))) << c->registro().toStdString();
    EXPECT_TRUE(c->registro().endsWith("SYSDBA")) << c->registro().toStdString();
    EXPECT_FALSE(c->anulado());
    // Dated on the self-withholding date: the CREE (8,000) is not subtracted.
    EXPECT_EQ(c->neto(), d("2253680"));
    configurar("FECHA AUTORETENEDOR DE RETENCION CREE", QDate::currentDate().addDays(1).toString("yyyy/MM/dd"), "CARTERA", "SALDOS");
    ASSERT_TRUE(c->abrir(id));
    EXPECT_EQ(c->neto(), d("2245680"));

    llamadas.clear();
    c->imprimir();
    c->contabilidad();
    EXPECT_EQ(llamadas, QStringList({QStringLiteral("imprimir %1").arg(id)}));
    EXPECT_EQ(contabilizados, QStringList({QStringLiteral("%1 0000").arg(id)}));

    ejecutar("update notas_debito_proveedor set ndpr_anulado = 'S' where ndpr_id = " + QString::number(id));
    ejecutar("update auditoria set audi_razon = 'ERROR DE DIGITACION' where tido_cod = 51 and audi_oper = 'A' and audi_iddoc = " +
             QString::number(id));
    ASSERT_TRUE(c->abrir(id));
    EXPECT_TRUE(c->anulado());
    EXPECT_TRUE(c->razon().startsWith("ERROR DE DIGITACION")) << c->razon().toStdString();

    auto otra = consulta();
    EXPECT_FALSE(otra->abrir(999999));
    EXPECT_EQ(interaccion.de("error").last(), Tfnotasdebito2::kNoEncontrado);
}

}  // namespace

namespace {

// The article lines: the article's name, unit and average cost proposed,
// an inactive article refused, and the lines of another document copied.
TEST_F(Cargo, LineasDeArticulosYTraeDocumento) {
    ejecutar("insert into articulos (arti_cod, arti_nombre, arti_unidad) values ('LEC01', 'LECHE ENTERA 1L', 'UND')");
    ejecutar("insert into articulos (arti_cod, arti_nombre, arti_unidad, arti_estado) values ('VIE01', 'VIEJO', 'UND', 'I')");
    ejecutar("insert into articulo_unidades (arti_cod, unid_cod, arun_factor) values ('LEC01', 'CAJA12', 12)");
    ejecutar("insert into costo_promedio_articulo values ('LEC01', '2020/01/01', 2500)");
    ejecutar("insert into costo_promedio_articulo values ('LEC01', '2099/01/01', 9999)");
    auto p = pantalla();
    llenar(*p);
    p->abrirLineas();
    p->lineas().setValue("ARTI_COD", "LEC01");
    EXPECT_EQ(p->lineas().asString("NDPD_DESC"), "LECHE ENTERA 1L");
    EXPECT_EQ(p->lineas().asString("NDPD_UNIDAD"), "UND");
    EXPECT_EQ(p->lineas().asDinero("NDPD_COSTO"), d("2500"));
    p->lineas().setValue("NDPD_UNIDAD", "CAJA12");
    EXPECT_EQ(p->lineas().asDinero("NDPD_COSTO"), d("30000"));
    p->lineas().setValue("NDPD_CANT", d("3"));
    EXPECT_EQ(p->lineas().asDinero("NDPD_TOTAL"), d("90000"));
    p->lineas().setValue("NDPD_UNIDAD", "BULTO");
    EXPECT_EQ(interaccion.de("error").last(), Tfnotasdebito::kUnidadInvalida);
    p->lineas().setValue("NDPD_UNIDAD", "UND");

    p->agregarLinea();
    p->lineas().setValue("ARTI_COD", "VIE01");
    EXPECT_EQ(interaccion.de("error").last(), Tfnotasdebito::kArticuloInactivo);
    EXPECT_TRUE(p->lineas().asString("ARTI_COD").isEmpty());
    p->lineas().cancel();

    ejecutar("insert into entradas (entr_id, pref_pre, entr_numero) values (7, 'BOG', '000123')");
    ejecutar("insert into entradas_detalle values (7, 1, 'LEC01', 10, 'UND', 2400, 24000)");
    ejecutar("insert into entradas_detalle values (7, 2, 'LEC01', 2, 'CAJA12', 28800, 57600)");
    // The charge applies to an article and to a purchase invoice of the creditor.
    p->cargo().setValue("ARTI_COD", "VIE01");
    EXPECT_TRUE(p->cargo().asString("ARTI_COD").isEmpty()) << "un artículo inactivo no se acepta";
    p->cargo().setValue("ARTI_COD", "LEC01");
    ejecutar("insert into facturas_compra (faco_id, pref_pre, faco_numero, terc_nit) values (31, 'FC', '00000777', '900456789')");
    interaccion.elecciones = {QVariantMap{{"id", 31}, {"numero", "FC00000777"}}};
    p->aplicarAFactura();
    EXPECT_EQ(p->cargo().asInt("NDPR_FACID"), 31);
    EXPECT_EQ(p->factura(), "FC00000777");

    EXPECT_EQ(p->traerDocumento(0, "BOG", "000123"), 2);
    EXPECT_EQ(p->traerDocumento(6, "BOG", "000123"), 0);
    EXPECT_EQ(interaccion.de("advertencia").last(), Tfnotasdebito::kDocumentoSinLineas);
    EXPECT_EQ(p->lineas().recordCount(), 3);
    EXPECT_EQ(p->totalLineas(), d("89100")) << "3 × 2500 a mano, 24000 y 57600 traídos";
    p->continuarLineas();
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(escalar("select sum(ndpd_total) from nota_debito_prov_det where ndpr_id = " + QString::number(p->ultimoId())),
              "89100.00");
}

}  // namespace

namespace {

// Amounts with more than two decimals: each stored column at its own scale
// by rule R (ties to even), and the screen keeps reacting afterwards.
TEST_F(Cargo, ImportesConCuatroDecimalesSeGuardanASuEscala) {
    struct Caso {
        const char* tasa;
        const char* monto;
        const char* dto;
        const char* neto;
        const char* iva;
    };
    const Caso casos[] = {
        {"2.5", "1000001", "25000.02", "975000.98", "185250"},  // 25,000.025 and 975,000.975
        {"33.3333", "100", "33.33", "66.67", "13"},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.tasa);
        auto p = pantalla();
        p->cargo().setValue("TERC_NIT", "900456789");
        p->cargo().setValue("NDPR_DTO1P", d(k.tasa));
        p->setSubTotal(d(k.monto));
        EXPECT_EQ(p->cargo().asDinero("NDPR_DTO1M"), d(k.dto));
        EXPECT_EQ(p->cargo().asDinero("NDPR_MONTO"), d(k.neto));
        EXPECT_EQ(p->totalConIva(), d(k.neto)) << "el total es lo que se graba";
        p->cargo().setValue("NDPR_IVAPORC", d("19"));
        EXPECT_EQ(p->cargo().asDinero("NDPR_IVAMONTO"), d(k.iva)) << "la cadena sigue respondiendo";
        ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
        EXPECT_EQ(escalar("select ndpr_monto from notas_debito_proveedor where ndpr_id = " +
                          QString::number(p->ultimoId())),
                  k.neto);
    }
    // An average cost with four decimals, and a quantity with decimals.
    ejecutar("insert into articulos (arti_cod, arti_nombre, arti_unidad) values ('LEC01', 'LECHE', 'UND')");
    ejecutar("insert into costo_promedio_articulo values ('LEC01', '2020/01/01', 2500.3333)");
    auto p = pantalla();
    llenar(*p);
    p->abrirLineas();
    p->lineas().setValue("ARTI_COD", "LEC01");
    EXPECT_EQ(p->lineas().asDinero("NDPD_COSTO"), d("2500.33"));
    p->lineas().setValue("NDPD_CANT", d("1.5"));
    EXPECT_EQ(p->lineas().asDinero("NDPD_TOTAL"), d("3750.50"));
    p->continuarLineas();
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
}

// A rete-fuente base typed in the VAT-bases panel belongs to that charge:
// the next charge and another creditor withhold on their own amount.
TEST_F(Cargo, BaseDelPanelNoPasaAlSiguienteCargo) {
    unTercero("800111222", "TRANSPORTES DEL SUR", true);
    ejecutar("update PROVEEDORES set PROV_RETEFTE = 2.5, PROV_RTFTEBASE = 0 where TERC_NIT = '800111222'");
    struct Caso {
        const char* cuando;
        bool grabar;
        const char* nit;
    };
    for (const Caso& k : {Caso{"el cargo siguiente", true, "900456789"}, Caso{"otro acreedor", false, "800111222"}}) {
        SCOPED_TRACE(k.cuando);
        auto p = pantalla();
        p->cargo().setValue("TERC_NIT", "900456789");
        p->abrirBases();
        p->cargo().setValue("NDPR_BASE1", d("2000000"));
        p->cargo().setValue("NDPR_BASERTFTE", d("2500000"));
        p->continuarBases();
        ASSERT_EQ(p->cargo().asDinero("NDPR_RTFTEMONTO"), d("62500"));
        if (k.grabar) ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
        p->cargo().setValue("TERC_NIT", k.nit);
        p->setSubTotal(d("3000000"));
        EXPECT_EQ(p->cargo().asDinero("NDPR_BASERTFTE"), d("3000000"));
        EXPECT_EQ(p->cargo().asDinero("NDPR_RTFTEMONTO"), d("75000"));
    }
}

// Under "BASE MINIMA" a base at or below the creditor's minimum withholds
// nothing, whether the creditor comes after the amount or a rate is edited.
TEST_F(Cargo, BaseMinimaConAcreedorTardioYTasasEditadas) {
    struct Caso {
        const char* monto;
        bool acreedorDespues;
        bool editarTasas;
        const char* rtfte;
        const char* rtiva;
    };
    const Caso casos[] = {
        {"1000000", true, false, "0", "0"},
        {"1000001", true, false, "25000", "28500"},
        {"1000000", false, true, "0", "0"},
        {"1000001", false, true, "40000", "38000"},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::string(k.monto) + (k.acreedorDespues ? " acreedor después" : " tasas editadas"));
        auto p = pantalla();
        if (!k.acreedorDespues) p->cargo().setValue("TERC_NIT", "900456789");
        p->cargo().setValue("NDPR_IVAPORC", d("19"));
        p->setSubTotal(d(k.monto));
        if (k.acreedorDespues) p->cargo().setValue("TERC_NIT", "900456789");
        if (k.editarTasas) {
            p->cargo().setValue("NDPR_RTFTEPORC", d("4"));
            p->cargo().setValue("NDPR_RTIVAPORC", d("20"));
        }
        EXPECT_EQ(p->cargo().asDinero("NDPR_RTFTEMONTO"), d(k.rtfte));
        EXPECT_EQ(p->cargo().asDinero("NDPR_RTIVAMONTO"), d(k.rtiva));
    }
}

// Posting or printing fails after the charge was written: the screen knows
// it is saved, F2 does again only what failed, Esc asks nothing.
TEST_F(Cargo, FallaDespuesDeEscribirNoPierdeNiRepite) {
    for (const char* servicio : {"contabilizar", "imprimir"}) {
        SCOPED_TRACE(servicio);
        const QString antes = escalar("select count(*) + 1 from notas_debito_proveedor");
        auto p = pantalla();
        llenar(*p);
        falla = QString::fromLatin1(servicio);
        llamadas.clear();
        EXPECT_FALSE(p->grabar());
        EXPECT_TRUE(p->grabado());
        const int64_t id = p->cargo().asInt("NDPR_ID");
        EXPECT_EQ(escalar("select count(*) from notas_debito_proveedor"), antes);
        EXPECT_THROW(p->cargo().setValue("NDPR_CONC", "OTRO"), DataSetError) << "el cargo grabado no se edita";
        ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
        const QString posteo = QStringLiteral("contabilizar %1 7").arg(id), impresion = QStringLiteral("imprimir %1").arg(id);
        EXPECT_EQ(llamadas.count(posteo), servicio == std::string("contabilizar") ? 2 : 1);
        EXPECT_EQ(llamadas.count(impresion), 3 - llamadas.count(posteo));
        EXPECT_EQ(escalar("select count(*) from notas_debito_proveedor"), antes);
        EXPECT_EQ(p->cargo().asInt("NDPR_ID"), 0) << "un cargo nuevo en pantalla";
    }
    auto p = pantalla();
    llenar(*p);
    falla = "imprimir";
    interaccion.mensajes.clear();
    EXPECT_FALSE(p->grabar());
    EXPECT_TRUE(p->cancelar());
    EXPECT_FALSE(interaccion.mensajes.join("|").contains(Tfnotasdebito::kCancelar));
}

}  // namespace

namespace {

// The prefix and the number: the authorization of the number finally used,
// the read-only state that follows the prefix, the last prefix gone while
// saving, and a charge brought back with its creditor's minimum bases.
TEST_F(Cargo, PrefijoNumeroYCargoRecuperado) {
    ejecutar("insert into prefijos (tido_cod, pref_pre, pref_actual, pref_auto) values (51, 'MAN', '000001', 'N')");
    ejecutar("insert into autorizaciones (auto_numero, tido_cod, pref_pre, auto_inicial, auto_final) "
             "values ('A-1', 51, 'MAN', '1', '100')");
    ejecutar("insert into autorizaciones (auto_numero, tido_cod, pref_pre, auto_inicial, auto_final) "
             "values ('A-2', 51, 'MAN', '101', '999999')");
    auto p = pantalla();
    EXPECT_TRUE(p->numeroAutomatico());
    struct Caso {
        const char* prefijo;
        const char* numero;  // typed; empty: the proposed one
        bool automatico;
        const char* autorizacion;
    };
    for (const Caso& k : {Caso{"MAN", "", false, "A-1"}, Caso{"MAN", "500", false, "A-2"}, Caso{"0000", "", true, ""}}) {
        SCOPED_TRACE(std::string(k.prefijo) + " " + k.numero);
        p->cargo().setValue("PREF_PRE", k.prefijo);
        if (*k.numero) p->cargo().setValue("NDPR_NUMERO", k.numero);
        EXPECT_EQ(p->numeroAutomatico(), k.automatico);
        EXPECT_EQ(p->cargo().asString("NDPR_AUTO"), k.autorizacion);
    }

    // Every prefix deactivated while the charge is being saved.
    llenar(*p);
    alImprimir = [this] { ejecutar("update prefijos set pref_activo = 'N' where tido_cod = 51"); };
    QStringList cierres;
    QObject::connect(p.get(), &Tfnotasdebito::cerrar, [&] { cierres << "cerrar"; });
    p->grabar();
    EXPECT_EQ(interaccion.de("error").value(0), Tfnotasdebito::kSinPrefijo);
    EXPECT_EQ(cierres.size(), 1);
    alImprimir = nullptr;
    ejecutar("update prefijos set pref_activo = 'S' where tido_cod = 51");

    // A charge left with id 0, brought back: its creditor's minimum base
    // (1,000,000) still rules a rate edited afterwards.
    ejecutar("insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE, "
             "NDPR_MONTO, NDPR_BASERTFTE) values (0, '900456789', '0000', '000009', current_date, current_date, "
             "500000, 500000)");
    interaccion.respuestas = {true};
    auto q = pantalla();
    q->cargo().setValue("NDPR_RTFTEPORC", d("4"));
    EXPECT_EQ(q->cargo().asDinero("NDPR_RTFTEMONTO"), Dinero());
}

}  // namespace

namespace {

// The default currency on a new charge: its rate of the day; with none the
// clerk is told and the save waits for the rate typed; pesos are at 1.
TEST_F(Cargo, TasaDeLaMonedaPredeterminada) {
    configurar("PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR", "SI", "GENERAL", "GENERAL");
    configurar("MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR", "840", "GENERAL", "GENERAL");
    auto p = pantalla();
    EXPECT_EQ(interaccion.de("advertencia").filter("No hay tasa de cambio de la moneda 840").size(), 1);
    EXPECT_TRUE(p->cargo().value("NDPR_TRM").isNull());
    llenar(*p);
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(interaccion.de("error").last(), Tfnotasdebito::kSinTasa);
    p->cargo().setValue("NDPR_TRM", fb::Value(4100.5));
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(escalar("select ndpr_trm from notas_debito_proveedor where ndpr_id = " + QString::number(p->ultimoId())),
              "4100.5");

    ejecutar("insert into tasa_cambio_moneda (taca_id, taca_fecha, timo_cod, taca_valor) "
             "values (1, current_date, 840, 3950.25)");
    struct Caso {
        const char* moneda;
        double tasa;
    };
    auto q = pantalla();
    for (const Caso& k : {Caso{"", 3950.25}, Caso{"170", 1.0}, Caso{"840", 3950.25}}) {
        SCOPED_TRACE(k.moneda);
        if (*k.moneda) q->cargo().setValue("NDPR_MONEDA", QString::fromLatin1(k.moneda).toInt());
        EXPECT_DOUBLE_EQ(q->cargo().value("NDPR_TRM").toDouble(), k.tasa);
    }
}

}  // namespace
