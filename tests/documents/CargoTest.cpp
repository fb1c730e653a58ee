// The charge screen's logic on a scratch company: the amounts through the
// fields, the creditor and its duplicate number, the number entry, the
// checks in their order with the id kept, the one-batch save and what it
// leaves behind, the abandoned charge, and a number taken by another clerk.
#include "documents/charges/Tfnotasdebito2.h"
#include "tests/creditors/Entorno.h"

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

class Cargo : public prueba::EntornoAcreedores {
protected:
    QStringList llamadas;  // services called, in order
    int interfaz = 7;

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
        s.contabilizar = [this](int64_t id, int i, const QDate&) { llamadas << QStringLiteral("contabilizar %1 %2").arg(id).arg(i); };
        s.imprimir = [this](int64_t id) { llamadas << QStringLiteral("imprimir %1").arg(id); };
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
    QString escalar(const QString& sql) const {
        const auto f = filas(sql);
        return f.empty() ? QString() : f[0][0].toString().trimmed();
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
    EXPECT_TRUE(c->registro().startsWith("Registro: ")) << c->registro().toStdString();
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
