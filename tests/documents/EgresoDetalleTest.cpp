// The detail sets of a payment voucher on a scratch company with real
// payables documents: rows completed from the lookup and kept within each
// balance by the sign of their kind, the amount rule with surplus and
// crossings, the concept, closing and leaving the panel with the advances
// registered from it, and the accounting lines with their withholdings.
#include "data/Cartera.h"
#include "data/Cxpagar.h"
#include "documents/payments/CruceCartera.h"
#include "documents/payments/DocumentosPagados.h"
#include "documents/payments/LineasContablesEgreso.h"
#include "tests/creditors/Entorno.h"
#include "tests/db/LibroPrueba.h"

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }
const QString kNit = QStringLiteral("900456789");
const QDate kFecha(2026, 12, 1);

class EgresoDetalle : public prueba::EntornoAcreedores {
protected:
    DataSet egreso, detalle, cruces, lineas;
    std::unique_ptr<libro::Libro> libro;
    std::unique_ptr<Cxpagar> cxpagar;
    std::unique_ptr<Cartera> cartera;
    std::unique_ptr<DocumentosPagados> docs;
    std::unique_ptr<CruceCartera> cruce;
    std::unique_ptr<LineasContablesEgreso> contables;

    void SetUp() override {
        EntornoAcreedores::SetUp();
        libro = std::make_unique<libro::Libro>(sesion.compania);
        libro->acreedor(kNit);
        cxpagar = std::make_unique<Cxpagar>(sesion.compania, interaccion);
        egreso.setUpdateTable("EGRESOS", {"EGRE_ID"});
        detalle.setUpdateTable("EGRESOS_DETALLE", {"EGRE_ID", "EGDE_ITEM"});
        lineas.setUpdateTable("EGRESOS_CONTABILIDAD", {"EGRE_ID", "EGCO_ITEM"});
        egreso.addDetail(detalle, {"EGRE_ID"}, {"EGRE_ID"});
        egreso.addDetail(lineas, {"EGRE_ID"}, {"EGRE_ID"});
        egreso.addDetail(cruces, {"EGRE_ID"}, {"EGRE_ID"});
        docs = std::make_unique<DocumentosPagados>(egreso, detalle, sesion.compania, *cxpagar, configuracion,
                                                   interaccion);
        cartera = std::make_unique<Cartera>(sesion.compania, interaccion);
        cruce = std::make_unique<CruceCartera>(egreso, cruces, sesion.compania, *cartera, *docs, configuracion,
                                               interaccion);
        contables = std::make_unique<LineasContablesEgreso>(egreso, lineas, sesion, configuracion, interaccion);
        egreso.open(sesion.compania, "select * from EGRESOS where EGRE_ID = 0");
        detalle.open(sesion.compania, DocumentosPagados::consulta(0));
        lineas.open(sesion.compania, "select * from EGRESOS_CONTABILIDAD where EGRE_ID = 0");
        cruces.open(sesion.compania, CruceCartera::consulta(0));
        egreso.append();
        egreso.setValue("EGRE_ID", 0);
        egreso.setValue("PREF_PRE", "0000");
        egreso.setValue("EGRE_FECHA", kFecha);
        egreso.setValue("TERC_NIT", kNit);
        egreso.setValue("EGRE_EXCEDENTE", Dinero());
        causacion(true);
    }
    // The balance basis, in the database and in the program's copy.
    void causacion(bool si) {
        libro->baseNeta(si);
        configurar("DESCONTAR RETENCIONES POR CAUSACION", si ? "SI" : "NO", "CXPAGAR", "SALDOS");
    }
    // A row typed as the clerk does, with the abono typed last (null: kept).
    void fila(const libro::Documento& doc, const char* abono = nullptr) {
        detalle.append();
        detalle.setValue("TIDO_NOMCORTO", nomcorto(doc.tipo));
        detalle.setValue("EGDE_PREFIJO", doc.tipo == 21 ? "FC" : "0000");
        detalle.setValue("EGDE_NUMERO", doc.numero);
        if (abono) detalle.setValue("EGDE_ABONO", d(abono));
    }
    static QString nomcorto(int tipo) {
        switch (tipo) {
        case 21: return "FACOMPRA";
        case 51: return "NDPROV";
        case 52: return "NCPROV";
        default: return "ANTIPROV";
        }
    }
    QStringList info() const { return interaccion.de("informacion"); }
};

// Each kind of document within its balance and its sign.
TEST_F(EgresoDetalle, AbonoDentroDelSaldoYSuSigno) {
    struct Caso {
        const char* nombre;
        int tipo;
        bool causacion;
        libro::Centavos retefuente;
        const char* abono;
        const char* esperado;
        QString mensaje;
    };
    const Caso casos[] = {
        // 120 on a balance of 100: corrected to the balance, said on post.
        {"cargo pagado de más", 51, true, 0, "120", "100", DocumentosPagados::kAbonoMayor},
        // Withholdings 10 still pending and not deducted at causation: abono + withholdings = 100.
        {"retenciones sin causación", 51, false, 1000, "120", "90", DocumentosPagados::kAbonoMayor},
        // Deducted at causation: the balance is already net and the abono alone meets it.
        {"retenciones con causación", 51, true, 1000, "120", "90", DocumentosPagados::kAbonoMayor},
        {"cargo negativo", 51, true, 0, "-5", "0", DocumentosPagados::kMenorQueCero},
        {"descuento positivo", 52, true, 0, "30", "0", DocumentosPagados::kMayorQueCero},
        {"descuento de más", 52, true, 0, "-80", "-40", DocumentosPagados::kAbonoMenor},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        causacion(c.causacion);
        interaccion.mensajes.clear();
        const libro::Documento& doc =
            c.tipo == 51 ? libro->cargo(kNit, kFecha.addDays(-5), 10000, 0, {c.retefuente, 0, 0, 0})
                         : libro->descuento(kNit, kFecha.addDays(-5), 4000);
        fila(doc, c.abono);
        detalle.post();
        EXPECT_EQ(detalle.asDinero("EGDE_ABONO"), d(c.esperado));
        EXPECT_TRUE(info().contains(c.mensaje)) << mensajes().toStdString();
        detalle.remove();
    }
}

// An advance registered from this voucher enters negated and may not turn
// positive; one paid out by a voucher is reset to its base on any change.
TEST_F(EgresoDetalle, AnticiposPorSuEgreso) {
    const libro::Documento& libre = libro->anticipo(kNit, kFecha.addDays(-2), 5000);
    fila(libre);
    EXPECT_EQ(detalle.asDinero("EGDE_ABONO"), d("-50")) << mensajes().toStdString();
    detalle.setValue("EGDE_ABONO", d("20"));
    EXPECT_EQ(detalle.asDinero("EGDE_ABONO"), Dinero());
    EXPECT_TRUE(info().contains(DocumentosPagados::kMayorQueCero));
    detalle.cancel();

    const int pagado = libro->anticipo(kNit, kFecha.addDays(-3), 7000).id;
    libro->egreso(kNit, kFecha.addDays(-3), {}, {pagado});
    fila(libro->doc(55, pagado));
    ASSERT_NE(detalle.asInt("EGDE_IDDOC"), 0) << mensajes().toStdString();
    detalle.setValue("EGDE_DTOF", d("1"));
    EXPECT_EQ(detalle.asDinero("EGDE_ABONO"), d("70"));
}

// Documents 300, surplus 50, a receivable of 80 crossed: the voucher pays
// 270; the surplus moves the amount only while there are rows.
TEST_F(EgresoDetalle, MontoConExcedenteYCruces) {
    ejecutar("insert into FACTURAS (FACT_ID, PREF_PRE, FACT_NUMERO, TERC_NIT, FACT_FECHA, FACT_MONTO) "
             "values (7, 'FV', '00000015', '900456789', '2026/11/20', 80)");
    ASSERT_TRUE(cruce->agregar("factura", "FV", "15")) << mensajes().toStdString();
    cruces.edit();
    cruces.setValue("EGCC_ABONO", d("120"));
    EXPECT_EQ(cruces.asDinero("EGCC_ABONO"), d("80"));
    EXPECT_FALSE(cruce->agregar("FACTURA", "FV", "00000015"));
    EXPECT_EQ(info().last(), CruceCartera::kDuplicado);

    egreso.setValue("EGRE_MONTO", d("7"));
    egreso.setValue("EGRE_EXCEDENTE", d("10"));
    EXPECT_EQ(egreso.asDinero("EGRE_MONTO"), d("7"));
    egreso.setValue("EGRE_EXCEDENTE", d("50"));

    fila(libro->cargo(kNit, kFecha, 20000));
    fila(libro->cargo(kNit, kFecha, 10000));
    EXPECT_EQ(cruce->cerrarPanel(), d("80"));
    EXPECT_EQ(docs->cerrarPanel(), DocumentosPagados::Cierre::Documentos);
    EXPECT_EQ(egreso.asDinero("EGRE_MONTO"), d("270"));
    egreso.setValue("EGRE_EXCEDENTE", d("0"));
    EXPECT_EQ(egreso.asDinero("EGRE_MONTO"), d("220"));
}

// The concept: "Cancela" when the last row settled its document, and with
// the option the creditor's own number of charges only.
TEST_F(EgresoDetalle, ConceptoCompuesto) {
    struct Caso {
        const char* opcion;
        const char* concepto;
    };
    const libro::Documento& cargo = libro->cargo(kNit, kFecha, 10000);
    const libro::Documento& descuento = libro->descuento(kNit, kFecha, 1000);
    fila(descuento);
    fila(cargo, "60");
    detalle.post();
    for (const Caso& c : {Caso{"NO", "Abono NCPROV 0000000001, NDPROV 0000000001, "},
                          Caso{"SI", "Abono NCPROV NDPROV P-000001, "}}) {
        configurar("COMPONER CONCEPTO CON NUMERO DE PROVEEDOR", c.opcion, "CAJA", "EGRESOS");
        EXPECT_EQ(docs->componerConcepto(), c.concepto);
    }
    detalle.edit();
    detalle.setValue("EGDE_ABONO", d("100"));
    docs->cerrarPanel();
    EXPECT_TRUE(egreso.asString("EGRE_CONC").startsWith("Cancela NCPROV"));
    EXPECT_EQ(egreso.asDinero("EGRE_MONTO"), d("90"));
}

// A document typed twice is refused, and one not found leaves no trace.
TEST_F(EgresoDetalle, DuplicadoYNoEncontrado) {
    const libro::Documento& cargo = libro->cargo(kNit, kFecha, 10000);
    const QVariantMap elegido{{"TIDO_NOMCORTO", "NDPROV"}, {"PREFIJO", "0000"}, {"NUMERO", cargo.numero}};
    EXPECT_EQ(docs->agregarEleccion({{"documentos", QVariantList{elegido, elegido}}}), 1);
    EXPECT_TRUE(info().contains(DocumentosPagados::kDuplicado));
    EXPECT_EQ(detalle.recordCount(), 1);

    EXPECT_FALSE(docs->agregar("NDPROV", "0000", "999999"));
    EXPECT_EQ(info().last(), DocumentosPagados::kNoEncontrado);
    EXPECT_EQ(detalle.recordCount(), 1);

    // With the prefixes synchronised only documents of the voucher's prefix.
    configurar("SINCRONIZAR PREFIJOS DE EGRESOS Y DOCUMENTOS CANCELADOS", "SI", "CAJA", "EGRESOS");
    const libro::Documento& factura = libro->factura(kNit, kFecha, 5000);
    EXPECT_FALSE(docs->agregar("FACOMPRA", "FC", factura.numero));
    EXPECT_EQ(info().last(), DocumentosPagados::kPrefijoDistinto);
    EXPECT_TRUE(docs->agregar("NDPROV", "0000", libro->cargo(kNit, kFecha, 3000).numero));
}

// Leaving the panel deletes the advances registered from this voucher and
// none that another clerk is registering from hers (closing the screen does
// the same: in the voucher's logic test).
TEST_F(EgresoDetalle, SalirBorraSoloLosAnticiposPropios) {
    const int propio = libro->anticipo(kNit, kFecha, 5000).id;
    const int ajeno = libro->anticipo(kNit, kFecha, 6000).id;
    docs->registrarAnticipo(propio);
    fila(libro->doc(55, propio));
    detalle.post();

    interaccion.respuestas = {false, true};
    EXPECT_EQ(docs->salirPanel(), DocumentosPagados::Cierre::Sigue);
    EXPECT_EQ(docs->salirPanel(), DocumentosPagados::Cierre::SinAcreedor);
    EXPECT_TRUE(detalle.isEmpty());
    EXPECT_TRUE(egreso.asString("TERC_NIT").isEmpty());
    EXPECT_TRUE(filas(QString("select 1 from ANTICIPOS_PROVEEDOR where ANPR_ID = %1").arg(propio)).empty());
    EXPECT_FALSE(filas(QString("select 1 from ANTICIPOS_PROVEEDOR where ANPR_ID = %1").arg(ajeno)).empty());
}

// Without rows the voucher becomes one of other concepts when allowed.
TEST_F(EgresoDetalle, SinDocumentosOtrosConceptos) {
    configurar("PERMITIR REGISTRAR EGRESOS POR OTROS CONCEPTOS A PROVEEDORES", "SI", "CAJA", "EGRESOS");
    EXPECT_EQ(docs->cerrarPanel(), DocumentosPagados::Cierre::OtrosConceptos);
    EXPECT_EQ(egreso.asString("EGRE_TIPO"), "3");
    EXPECT_EQ(egreso.asString("TERC_NIT"), kNit);
}

TEST(RetencionEgreso, BasePorcentajeYRedondeo) {
    struct Caso {
        const char* base;
        const char* porcentaje;
        int r;
        const char* debito;
        const char* credito;
    };
    const Caso casos[] = {
        {"1000000", "2.4", 3, "24000", "0"},   {"1000000", "2.4", 4, "20000", "0"},
        {"-1000000", "2.4", 3, "0", "24000"},  {"-1000000", "2.4", 4, "0", "20000"},
        {"1000000", "2.5", 4, "20000", "0"},   {"1000000", "3.5", 4, "40000", "0"},
        {"1234.56", "10", -2, "123.46", "0"},  {"1000000", "0", 3, "0", "0"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.base) + " " + c.porcentaje + " R=" + std::to_string(c.r));
        const ValorRetencion v = LineasContablesEgreso::retencion(d(c.base), d(c.porcentaje), c.r);
        EXPECT_EQ(v.debito, d(c.debito));
        EXPECT_EQ(v.credito, d(c.credito));
    }
}

// A withholding line takes the account's percentage from its minimum base,
// with the vouchers' rounding; a line with an account and no value is refused.
TEST_F(EgresoDetalle, LineaDeRetencion) {
    for (const char* c : {"2", "23", "2365", "236540"})
        ejecutar(QString("insert into CUENTAS (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA) values ('%1', 'RETENCION', 'C')")
                     .arg(c));
    ejecutar("update CUENTAS set CUEN_BASEMIN = 500000, CUEN_PORC = 2.4 where CUEN_COD = '236540'");
    configurar("REDONDEO AL MULTIPLO DE DIEZ EN COMPROBANTES", "3", "CONTABILIDAD", "GENERAL");
    egreso.setValue("EGRE_CONC", "PAGO");
    lineas.append();
    EXPECT_EQ(lineas.asString("EGCO_CONC"), "PAGO");
    lineas.setValue("CUEN_COD", "236540");
    ASSERT_EQ(lineas.asString("CUEN_COD"), "236540") << mensajes().toStdString();
    lineas.setValue("EGCO_BASEM", d("400000"));
    EXPECT_EQ(lineas.asDinero("EGCO_PORC"), Dinero());
    try {
        lineas.post();
        ADD_FAILURE() << "una línea sin valor se guardó";
    } catch (const DataSetError& e) {
        EXPECT_EQ(e.message(), LineasContablesEgreso::kSinValor + "236540" + LineasContablesEgreso::kSinValorFin);
    }
    lineas.setValue("EGCO_BASEM", d("-1000000"));
    EXPECT_EQ(lineas.asDinero("EGCO_PORC"), d("2.4"));
    EXPECT_EQ(lineas.asDinero("EGCO_CREDITOS"), d("24000"));
    lineas.post();
    lineas.append();
    lineas.post();  // no account: dropped without a word
    EXPECT_EQ(lineas.recordCount(), 1);
    EXPECT_EQ(contables->sumCr(), d("24000"));
}

// A third party or a centre that is not there; templates replace the lines
// after asking. A contributions payment's lines: in the voucher's logic test.
TEST_F(EgresoDetalle, TercerosCentrosPlantillasYAportes) {
    interaccion.respuestas = {false, true};
    for (const bool crear : {false, true}) {
        lineas.append();
        lineas.setValue("EGCO_NIT", "800111222");
        EXPECT_EQ(lineas.asString("EGCO_NIT"), crear ? "800111222" : "") << crear;
        lineas.cancel();
    }
    EXPECT_EQ(interaccion.pantallas.filter(LineasContablesEgreso::kNuevoTercero).size(), 1);
    lineas.append();
    lineas.setValue("EGCO_PROY", "01");
    lineas.setValue("EGCO_CENTRO", "99");
    EXPECT_EQ(info().last(), LineasContablesEgreso::kCentroNoEncontrado);
    EXPECT_TRUE(lineas.isNull("EGCO_PROY"));
    lineas.cancel();

    for (const char* c : {"5", "51", "5105", "510505"})
        ejecutar(QString("insert into CUENTAS (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA) values ('%1', 'G', 'D')").arg(c));
    ejecutar("insert into PLANTILLA_ENCABEZADO (PLAN_ID, TICO_COD, PLAN_CONCEPTO) values (3, 'EGR', 'NOMINA')");
    for (const char* l : {"(3, 1, '510505', 'SUELDO', 1500, 0)", "(3, 2, '510505', 'AJUSTE', 0, 0)"})
        ejecutar(QString("insert into PLANTILLA_DETALLE (PLAN_ID, PLDE_ITEM, CUEN_COD, PLDE_CONCEPTO, PLDE_DEBITOS, "
                         "PLDE_CREDITOS) values %1").arg(l));
    EXPECT_TRUE(contables->importarPlantilla(3));
    EXPECT_EQ(lineas.recordCount(), 2);
    interaccion.respuestas = {false, true};
    EXPECT_FALSE(contables->importarPlantilla(3));
    EXPECT_TRUE(contables->importarPlantilla(3));
    EXPECT_EQ(interaccion.de("pregunta").count(LineasContablesEgreso::kPerderMovimientos), 2);
    EXPECT_EQ(lineas.recordCount(), 2);
    EXPECT_EQ(contables->sumDb(), d("1500"));
}

}  // namespace
