// The ledger's four consults and the purchasing document consult: what each
// passes to its procedure (the creditor quoted, the dates, the currency),
// which consult a row opens and what the person is told when there is none,
// the picker's choice and the list of "Sel. varios", and exact totals. The
// balances around the movement are checked on the ledger's own procedures.
#include <functional>
#include "data/Interaccion.h"
#include "ledger/Tfabonosprv.h"
#include "ledger/Tfconscxpagar.h"
#include "ledger/Tfconsdoccompra.h"
#include "ledger/Tfmovicuenxpagar.h"
#include "ledger/Tfmovimientos.h"
#include "tests/ledger/Entorno.h"

#include <QSignalSpy>

using namespace cxp;

namespace {

const QString kNit = QStringLiteral("O'Hara");
const QDate kDia(2026, 3, 31);

Dinero dinero(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

class Consultas : public prueba::EntornoLedger {
protected:
    std::unique_ptr<Tfconscxpagar> saldos(bool seleccion = false) {
        auto p = std::make_unique<Tfconscxpagar>(sesion, interaccion, manejador, configuracion, kNit, seleccion);
        EXPECT_TRUE(p->abrir(kDia)) << mensajes().toStdString();
        return p;
    }
    std::unique_ptr<Tfmovimientos> movimientos(QDate desde, QDate hasta) {
        auto p = std::make_unique<Tfmovimientos>(sesion, interaccion, manejador, configuracion);
        EXPECT_TRUE(p->abrir(kNit, {}, desde, hasta)) << mensajes().toStdString();
        return p;
    }
};

TEST_F(Consultas, DocumentosAbiertosDelAcreedorALaFechaYEnLaMoneda) {
    auto p = saldos();
    EXPECT_EQ(p->nombre(), "O'HARA Y CIA");
    DataSet& d = p->documentos();
    ASSERT_EQ(d.recordCount(), 4);
    EXPECT_EQ(d.row(0).asString("CONCEPTO"), "O'Hara 2026-03-31 0") << "the creditor quoted, not cut";
    EXPECT_FALSE(p->monedaVisible()) << "PREGUNTAR TASA ... CUENTAS POR PAGAR is NO in a new company";
    // A new date or currency runs the query again.
    EXPECT_TRUE(p->setFecha(QDate(2025, 12, 1)));
    EXPECT_TRUE(p->setMoneda(840));
    EXPECT_EQ(d.row(0).asString("CONCEPTO"), "O'Hara 2025-12-01 840");
}

TEST_F(Consultas, SelectorDeMonedaSegunLaConfiguracion) {
    configurar("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR", "SI");
    auto p = saldos();
    ASSERT_TRUE(p->monedaVisible());
    ASSERT_GE(p->monedas().size(), 2);
    EXPECT_EQ(p->monedas().front().codigo, 0) << "the local currency first";
    EXPECT_EQ(p->moneda(), 0);
}

TEST_F(Consultas, ConsultaDelDocumentoDeLaFilaPorTipo) {
    auto p = saldos();
    DataSet& d = p->documentos();
    interaccion.pantallasExistentes = {"Tfnotasdebito2", "Tfconsanticipocxp"};
    d.setCurrentRow(0);  // 51
    p->consultar();
    d.setCurrentRow(3);  // 55
    p->consultar();
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfnotasdebito2", "Tfconsanticipocxp"}));
    EXPECT_EQ(interaccion.argumentosPantallas[0].value("id").toLongLong(), 11);
    EXPECT_EQ(interaccion.argumentosPantallas[1].value("id").toLongLong(), 14);
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << mensajes().toStdString();

    // A purchase invoice whose consult is not in the build, and a type with none.
    d.setCurrentRow(1);
    p->consultar();
    EXPECT_EQ(interaccion.pantallas.last(), "Tfconsfacturacompra");
    d.setCurrentRow(2);  // 50
    p->activar();
    EXPECT_EQ(interaccion.de("informacion"), (QStringList{"Consulte El Documento En el Modulo Correspondiente",
                                                          "No Existe un Documento a Consultar"}));
    EXPECT_EQ(interaccion.pantallas.size(), 3);

    // F8: the payments of the row's document.
    d.setCurrentRow(1);
    p->abonos();
    EXPECT_EQ(interaccion.pantallas.last(), "Tfabonosprv");
    EXPECT_EQ(interaccion.argumentosPantallas.back(), (QVariantMap{{"tipo", 21}, {"id", 12LL}}));
}

TEST_F(Consultas, SelectorDevuelveElDocumentoYCierra) {
    auto p = saldos(true);
    QSignalSpy cerrar(p.get(), &PantallaLedger::cerrar);
    p->documentos().setCurrentRow(1);
    p->activar();
    ASSERT_TRUE(p->eleccion());
    EXPECT_EQ(*p->eleccion(), (QVariantMap{{"tipo", 21}, {"tiponom", "FACOMPRA"}, {"prefijo", "FC"},
                                           {"numero", "000007"}, {"id", 12LL},
                                           {"documentos", QVariantList{QVariantMap{
                                               {"TIDO_NOMCORTO", "FACOMPRA"}, {"PREFIJO", "FC"}, {"NUMERO", "000007"}}}}}));
    EXPECT_EQ(cerrar.count(), 1);
    EXPECT_TRUE(interaccion.pantallas.isEmpty()) << "picking consults nothing";
}

TEST_F(Consultas, VariosDocumentosQuedanEnUnaListaParaElEgreso) {
    auto sinSeleccion = saldos(false);
    EXPECT_FALSE(sinSeleccion->seleccionarVarios({0, 1})) << "only in picking mode";

    auto p = saldos(true);
    QSignalSpy cerrar(p.get(), &PantallaLedger::cerrar);
    EXPECT_FALSE(p->seleccionarVarios({})) << "nothing selected, no list";
    EXPECT_EQ(cerrar.count(), 0);
    EXPECT_EQ(interaccion.de("informacion"), QStringList{Tfconscxpagar::kSinSeleccion});

    const auto e = p->seleccionarVarios({3, 0, 1});  // in the order the person selected them
    ASSERT_TRUE(e) << mensajes().toStdString();
    const qlonglong lista = e->value("lista").toLongLong();
    EXPECT_GT(lista, 0);
    // The voucher appends the same documents in the same order.
    QStringList docs, esperados;
    for (const QVariant& d : e->value("documentos").toList())
        docs << QStringList{d.toMap().value("TIDO_NOMCORTO").toString(), d.toMap().value("PREFIJO").toString(),
                            d.toMap().value("NUMERO").toString()}.join(' ');
    for (int f : {3, 0, 1})
        esperados << QStringList{p->documentos().row(f).asString("TIPONOM"), p->documentos().row(f).asString("PREFIJO"),
                                 p->documentos().row(f).asString("NUMERO")}.join(' ');
    EXPECT_EQ(docs, esperados);
    EXPECT_EQ(cerrar.count(), 1);
    const auto r = filas(QStringLiteral("select CEFA_ITEM, CEFA_TIPOORI, CEFA_IDORI, CEFA_TIPODES from "
                                        "CONSOLIDE_FALTANTES where CEFA_ID = %1 order by CEFA_ITEM")
                             .arg(lista));
    ASSERT_EQ(r.size(), 3u);
    const int64_t esperado[3][4] = {{0, 55, 14, 62}, {1, 51, 11, 62}, {2, 21, 12, 62}};
    for (int i = 0; i < 3; ++i)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(r[size_t(i)].at(c).toInt64(), esperado[i][c]) << i << "," << c;

    // A second list takes another id.
    auto otra = saldos(true);
    const auto e2 = otra->seleccionarVarios({2});
    ASSERT_TRUE(e2);
    EXPECT_NE(e2->value("lista").toLongLong(), lista);
}

TEST_F(Consultas, MovimientoConsultaPorElNombreCortoDelTipo) {
    // The real short names open their consults in the test on the ledger's
    // own procedures; a receivables application belongs to another module,
    // and a name no type has is told alike.
    auto p = movimientos(QDate(2026, 1, 1), QDate(2026, 1, 31));
    DataSet& m = p->movimiento();
    m.setCurrentRow(2);
    p->consultar();
    m.setCurrentRow(3);
    p->consultar();
    EXPECT_TRUE(interaccion.pantallas.isEmpty());
    EXPECT_EQ(interaccion.de("informacion"), (QStringList{"Consulte El Documento En el Modulo Correspondiente",
                                                          "Consulte El Documento En el Modulo Correspondiente"}));
}

TEST_F(Consultas, AbonosDelMovimientoPorElTipoDelNombreCorto) {
    auto p = movimientos(QDate(2026, 1, 1), QDate(2026, 1, 31));
    DataSet& m = p->movimiento();
    m.setCurrentRow(0);  // NDPROV: 51 in TIPO_DOCUMENTO
    p->abonos();
    m.setCurrentRow(4);  // DSCTOACR: the short name older databases gave discounts
    p->abonos();
    ASSERT_EQ(interaccion.pantallas, (QStringList{"Tfabonosprv", "Tfabonosprv"}));
    EXPECT_EQ(interaccion.argumentosPantallas[0], (QVariantMap{{"tipo", 51}, {"id", 11LL}}));
    EXPECT_EQ(interaccion.argumentosPantallas[1], (QVariantMap{{"tipo", 52}, {"id", 51LL}}));
    m.setCurrentRow(1);  // a payment voucher is paid to nobody
    p->abonos();
    EXPECT_EQ(interaccion.pantallas.size(), 2);
    EXPECT_EQ(interaccion.de("informacion"), QStringList{"No Existe un Documento a Consultar"});
}

TEST_F(Consultas, MovimientoMensualConTotalesExactosYSusAccesos) {
    Tfmovicuenxpagar p(sesion, interaccion, manejador, configuracion);
    p.setHoy([] { return QDate(2026, 2, 14); });
    ASSERT_TRUE(p.abrir());
    EXPECT_EQ(p.desde(), QDate(2026, 2, 1));
    EXPECT_EQ(p.hasta(), QDate(2026, 2, 28));
    EXPECT_FALSE(p.movimiento().isOpen()) << "nothing until F2";
    p.movimientoAcreedor();  // an empty grid opens nothing
    EXPECT_TRUE(interaccion.pantallas.isEmpty());

    ASSERT_TRUE(p.calcular()) << mensajes().toStdString();
    EXPECT_EQ(p.movimiento().row(0).asString("NOMBRE"), "2026-02-01 2026-02-28 0");
    EXPECT_EQ(p.movimiento().field("DEBITOS").label(), "Cargos");
    EXPECT_EQ(p.movimiento().field("CREDITOS").label(), "Descuentos");
    const auto t = p.totales();
    EXPECT_EQ(t.inicial, dinero("0.30"));
    EXPECT_EQ(t.debitos, dinero("1000000000.30")) << "a float would lose the cents";
    EXPECT_EQ(t.creditos, dinero("0.30"));
    EXPECT_EQ(t.abonos, dinero("0.0003"));
    EXPECT_EQ(t.final_, dinero("1000000000.29"));

    p.movimiento().setCurrentRow(1);
    p.movimientoAcreedor();
    p.saldos();
    ASSERT_EQ(interaccion.pantallas, (QStringList{"Tfmovimientos", "Tfconscxpagar"}));
    EXPECT_EQ(interaccion.argumentosPantallas[0],
              (QVariantMap{{"nit", "901"}, {"nombre", "2026-02-01 2026-02-28 0"}, {"desde", QDate(2026, 2, 1)},
                           {"hasta", QDate(2026, 2, 28)}}));
    EXPECT_EQ(interaccion.argumentosPantallas[1], (QVariantMap{{"nit", "901"}}));
}

TEST_F(Consultas, AbonosAlDocumentoPorFechaYLaConsultaDelQuePaga) {
    Tfabonosprv p(sesion, interaccion, manejador, configuracion, 51, 11);
    ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
    DataSet& a = p.abonos();
    EXPECT_EQ(columna(a, "TIPODOC"), (QStringList{"APLIPROV", "RECCAJA", "EGRESO", "OTRO"}));
    EXPECT_EQ(columna(a, "PREFIJO"), (QStringList{"51", "51", "51", "51"}));  // its totals: in the widget test

    interaccion.pantallasExistentes = {"Tfconsaplicacxp", "Tfconsegresos"};
    for (int f = 0; f < 4; ++f) {
        a.setCurrentRow(f);
        p.consultar();
    }
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfconsaplicacxp", "Tfconsegresos"}));
    EXPECT_EQ(interaccion.argumentosPantallas[0].value("id").toLongLong(), 6);
    EXPECT_EQ(interaccion.de("informacion"), (QStringList{"Consulte El Documento En el Modulo Correspondiente",
                                                          "No Existe un Documento a Consultar"}));
}

TEST_F(Consultas, ConsultaDeFacturaYDevolucionDeCompra) {
    ejecutar("insert into FACTURAS_COMPRA (FACO_ID, PREF_PRE, FACO_NUMERO, FACO_NUMPROV, TERC_NIT, FACO_FECHA) "
             "values (12, 'FC', '000007', 'F-77', 'O''Hara', '2026-03-02')");
    for (int item : {2, 1})
        ejecutar(QStringLiteral("insert into FACTURAS_COMPRAS_DETALLE (FACO_ID, FCDE_ITEM, ARTI_COD, FCDE_CANT, "
                                "FCDE_PRUNIT, FCDE_TOTAL) values (12, %1, 'A%1', 2, 10.25, 20.50)")
                     .arg(item));
    Tfconsdoccompra f(sesion, interaccion, manejador, configuracion, 21, 12);
    ASSERT_TRUE(f.abrir()) << mensajes().toStdString();
    EXPECT_EQ(f.titulo(), "Consulta Factura de Compra");
    QStringList vistos;
    for (const auto& [titulo, valor] : f.campos()) vistos << titulo + "=" + valor;
    EXPECT_TRUE(vistos.contains("Prefijo=FC")) << vistos.join(", ").toStdString();
    EXPECT_TRUE(vistos.contains("Número=000007"));
    EXPECT_TRUE(vistos.contains("Factura del proveedor=F-77"));
    EXPECT_TRUE(vistos.contains("Fecha=2026/03/02"));
    EXPECT_TRUE(vistos.contains("Proveedor=O'HARA Y CIA"));
    EXPECT_EQ(columna(f.lineas(), "ARTI_COD"), (QStringList{"A1", "A2"}));
    EXPECT_FALSE(f.lineas().field("FACO_ID").visible());
    EXPECT_EQ(f.lineas().sum("FCDE_TOTAL"), dinero("41.00"));

    Tfconsdoccompra d(sesion, interaccion, manejador, configuracion, 24, 99);
    EXPECT_FALSE(d.abrir());
    EXPECT_EQ(interaccion.de("informacion"), QStringList{"No se encuentra el documento solicitado."});
}

TEST_F(Consultas, FallaDeLaBaseSeInformaYLaPantallaNoAbre) {
    // The procedures built on it go first: the engine drops none in use.
    std::function<void(const QString&)> quitar = [&](const QString& nombre) {
        for (const fb::Row& f : filas("select distinct trim(rdb$dependent_name) from rdb$dependencies "
                                      "where rdb$depended_on_name = ? and rdb$dependent_type = 5",
                                      {nombre}))
            quitar(f[0].toString());
        if (contar("select count(*) from rdb$procedures where rdb$procedure_name = ?", {nombre}))
            ejecutar("drop procedure " + nombre);
    };
    quitar(QStringLiteral("ABONOS_DOCUMENTO_CXPAGAR"));
    Tfabonosprv p(sesion, interaccion, manejador, configuracion, 51, 11);
    EXPECT_FALSE(p.abrir());
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_TRUE(interaccion.de("error").front().startsWith("Se presento el siguiente error: "));
}

}  // namespace
