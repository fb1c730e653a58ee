// The screens on the ledger's own procedures: a creditor's charge, invoice,
// discount and a voucher paying part of the charge, seen through every
// screen, each balance checked against the balances computed by hand from
// the rows written.
#include "ledger/Tfabonosprv.h"
#include "ledger/Tfanalisiscxp.h"
#include "ledger/Tfanalisismovcxp.h"
#include "ledger/Tfconscxpagar.h"
#include "ledger/Tfmovicuenxpagar.h"
#include "ledger/Tfmovimientos.h"
#include "tests/db/LibroPrueba.h"
#include "tests/ledger/Entorno.h"

#include <functional>

using namespace cxp;

namespace {

Dinero pesos(libro::Centavos c) { return Dinero::desdeEscalado(c, -2); }

class LibroReal : public prueba::EntornoLedger {
protected:
    const QString nit = QStringLiteral("860");
    const QDate dia1{2026, 1, 10};
    const QDate dia2{2026, 1, 20};
    const QDate corte{2026, 2, 28};
    std::unique_ptr<fb::Database> db;
    std::unique_ptr<libro::Libro> l;
    libro::Documento* cargo = nullptr;
    libro::Documento* factura = nullptr;
    libro::Documento* descuento = nullptr;
    libro::Cruce* egreso = nullptr;

    void SetUp() override {
        sustitutos_ = false;
        EntornoLedger::SetUp();
        db = std::make_unique<fb::Database>(compania.conectar());
        l = std::make_unique<libro::Libro>(*db);
        l->acreedor(nit);
        cargo = &l->cargo(nit, dia1, 100000, 19000, {2500, 0, 0, 0}, 30);
        factura = &l->factura(nit, dia1, 55055, 0, {}, 10);
        descuento = &l->descuento(nit, dia2, 10000);
        egreso = &l->egreso(nit, dia2, {libro::Linea{51, cargo->id, 50000, 0, {}}});
        configuracion.cargar(sesion.compania);
    }
};

TEST_F(LibroReal, CadaPantallaCuadraConElLibro) {
    // Open documents at the cut-off: each balance as the book has it.
    Tfconscxpagar saldos(sesion, interaccion, manejador, configuracion, nit, true);
    ASSERT_TRUE(saldos.abrir(corte)) << mensajes().toStdString();
    DataSet& d = saldos.documentos();
    ASSERT_TRUE(d.locate(QStringList{"TIPO", "ID"}, {fb::Value(51), fb::Value(cargo->id)}));
    EXPECT_EQ(d.asDinero("SALDO"), pesos(l->saldoBase(*cargo, corte)));
    EXPECT_EQ(d.asString("TIPONOM"), "NDPROV");
    Dinero total;
    for (int i = 0; i < d.recordCount(); ++i) total += d.row(i).asDinero("SALDO");
    EXPECT_EQ(total, pesos(l->saldoAcreedor(nit, corte)));

    // The list for the payment voucher, in the real table.
    const auto lista = saldos.seleccionarVarios({d.currentRow()});
    ASSERT_TRUE(lista) << mensajes().toStdString();
    const auto filasLista = filas(QStringLiteral("select CEFA_TIPOORI, CEFA_IDORI, CEFA_TIPODES from "
                                                 "CONSOLIDE_FALTANTES where CEFA_ID = %1")
                                      .arg(lista->value("lista").toLongLong()));
    ASSERT_EQ(filasLista.size(), 1u);
    EXPECT_EQ(filasLista[0].at(1).toInt64(), cargo->id);

    // The movement: opening balance the day before, closing at the to-date.
    Tfmovimientos mov(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(mov.abrir(nit, {}, dia2, corte)) << mensajes().toStdString();
    EXPECT_EQ(mov.nombre(), "ACREEDOR 860");
    EXPECT_EQ(mov.saldoInicial(), pesos(l->saldoAcreedor(nit, dia2.addDays(-1))));
    EXPECT_EQ(mov.saldoFinal(), pesos(l->saldoAcreedor(nit, corte)));
    EXPECT_FALSE(mov.saldoInicial() == mov.saldoFinal()) << "the discount and the payment fall in the period";
    // Its rows open their consults by the real short names.
    interaccion.pantallasExistentes = {"Tfnotascredito2", "Tfconsegresos"};
    DataSet& m = mov.movimiento();
    QStringList tipos;
    for (int i = 0; i < m.recordCount(); ++i) {
        m.setCurrentRow(i);
        tipos << m.asString("TIPODOC");
        mov.consultar();
    }
    EXPECT_TRUE(tipos.contains("EGRESO")) << tipos.join(",").toStdString();
    EXPECT_TRUE(interaccion.pantallas.contains("Tfconsegresos"));
    EXPECT_TRUE(interaccion.pantallas.contains("Tfnotascredito2"));
    EXPECT_FALSE(interaccion.de("informacion").contains(consultas::kNoExiste));

    // The payments of the charge: the voucher, which F4 consults.
    Tfabonosprv abonos(sesion, interaccion, manejador, configuracion, 51, cargo->id);
    ASSERT_TRUE(abonos.abrir()) << mensajes().toStdString();
    ASSERT_EQ(abonos.abonos().recordCount(), 1);
    EXPECT_EQ(abonos.abonos().asInt("TIPOAB"), 62);
    EXPECT_EQ(abonos.abonos().asInt("IDAB"), egreso->id);
    EXPECT_EQ(abonos.totalAbonos(), pesos(50000));

    // The monthly movement of January ends where the creditor's balance does.
    Tfmovicuenxpagar mes(sesion, interaccion, manejador, configuracion);
    mes.setHoy([] { return QDate(2026, 1, 15); });
    ASSERT_TRUE(mes.abrir());
    ASSERT_TRUE(mes.calcular()) << mensajes().toStdString();
    ASSERT_TRUE(mes.movimiento().locate("NIT", fb::Value(nit)));
    EXPECT_EQ(mes.movimiento().asDinero("FINAL"), pesos(l->saldoAcreedor(nit, QDate(2026, 1, 31))));

    // Ageing: the bands add up to each document's balance.
    Tfanalisiscxp analisis(sesion, interaccion, manejador, configuracion);
    analisis.setHoy([this] { return corte; });
    ASSERT_TRUE(analisis.abrir());
    ASSERT_TRUE(analisis.calcular()) << mensajes().toStdString();
    Dinero bandas;
    for (const auto& b : analisis.bandas()) bandas += b.total;
    EXPECT_EQ(bandas, analisis.analisis().sum("SALDO"));
    EXPECT_FALSE(analisis.analisis().isEmpty());

    // The pivot of the movement adds the amounts exactly.
    Tfanalisismovcxp pivote(sesion, interaccion, manejador, configuracion);
    pivote.setHoy([] { return QDate(2026, 1, 15); });
    ASSERT_TRUE(pivote.abrir());
    ASSERT_TRUE(pivote.calcular()) << mensajes().toStdString();
    const auto& r = pivote.modelo().resultado();
    ASSERT_FALSE(r.filas.empty());
    Dinero monto;
    for (int i = 0; i < pivote.movimiento().recordCount(); ++i) monto += pivote.movimiento().row(i).asDinero("MONTO");
    EXPECT_EQ(r.valor(int(r.filas.size()) - 1, int(r.columnas.size()) - 1, 0), monto);
    EXPECT_FALSE(monto.esCero());
}

TEST_F(LibroReal, ProntoPagoSoloLosDescuentosConPlazoCumplido) {
    // Discount deadlines before and after the cut-off.
    const libro::Documento& vencido = l->cargo(nit, QDate(2026, 2, 1), 40000, 0, {}, 60, 1500, 10);
    const libro::Documento& vigente = l->cargo(nit, QDate(2026, 2, 25), 30000, 0, {}, 60, 900, 10);
    Tfanalisiscxp p(sesion, interaccion, manejador, configuracion, true);
    p.setHoy([this] { return corte; });
    ASSERT_TRUE(p.abrir());
    ASSERT_TRUE(p.calcular()) << mensajes().toStdString();
    DataSet& a = p.analisis();
    QList<int64_t> ids;
    for (int i = 0; i < a.recordCount(); ++i) {
        ids << a.row(i).asInt("ID");
        EXPECT_FALSE(a.row(i).asDinero("DTOF").esCero());
        EXPECT_LE(a.row(i).asDate("FECDTOF"), corte);
    }
    EXPECT_TRUE(ids.contains(vencido.id));
    EXPECT_FALSE(ids.contains(vigente.id));
    EXPECT_FALSE(ids.contains(cargo->id)) << "no discount";
}

// In dollars the movement's opening and closing balances are at the rate of
// its rows, so that they add up on screen; a from-date after the to-date and
// a currency without a rate are told and leave the grid and the selector
// as they were.
TEST_F(LibroReal, EnOtraMonedaCuadraYSinTasaNadaCambia) {
    configurar("GENERAL", "GENERAL", monedas::kPreguntarCxpagar, "SI");
    ejecutar("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) values (0, 840, ?, 5000)",
             {dia1});
    ejecutar("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) values (0, 840, ?, 4000)",
             {corte});
    Tfmovimientos mov(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(mov.abrir(nit, {}, dia2, corte)) << mensajes().toStdString();
    ASSERT_TRUE(mov.setMoneda(840)) << mensajes().toStdString();
    DataSet& m = mov.movimiento();
    ASSERT_GT(m.recordCount(), 0);
    EXPECT_EQ(mov.saldoInicial() + m.sum("DEBITO") - m.sum("CREDITO"), mov.saldoFinal());
    EXPECT_FALSE(mov.saldoInicial().esCero());

    const int filasAntes = m.recordCount();
    struct Caso {
        const char* que;
        std::function<bool()> cambio;
        QString mensaje;
    } casos[] = {
        {"desde tras hasta", [&] { return mov.setDesde(corte.addDays(1)); }, consultas::kFechasInvertidas},
        {"hasta antes de desde", [&] { return mov.setHasta(dia2.addDays(-1)); }, consultas::kFechasInvertidas},
        {"moneda sin tasa", [&] { return mov.setMoneda(978); }, QString()},
    };
    for (Caso& c : casos) {
        interaccion.mensajes.clear();
        EXPECT_FALSE(c.cambio()) << c.que;
        EXPECT_FALSE(interaccion.mensajes.isEmpty()) << c.que;
        if (!c.mensaje.isEmpty()) EXPECT_TRUE(mensajes().contains(c.mensaje)) << c.que << mensajes().toStdString();
        EXPECT_EQ(mov.desde(), dia2) << c.que;
        EXPECT_EQ(mov.hasta(), corte) << c.que;
        EXPECT_EQ(mov.moneda(), 840) << c.que;
        EXPECT_TRUE(m.isOpen()) << c.que;
        EXPECT_EQ(m.recordCount(), filasAntes) << c.que;
    }

    Tfconscxpagar saldos(sesion, interaccion, manejador, configuracion, nit, false);
    ASSERT_TRUE(saldos.abrir(corte));
    const int documentos = saldos.documentos().recordCount();
    ASSERT_GT(documentos, 0);
    interaccion.mensajes.clear();
    EXPECT_FALSE(saldos.setMoneda(978));
    EXPECT_FALSE(interaccion.mensajes.isEmpty());
    EXPECT_EQ(saldos.moneda(), 0);
    EXPECT_EQ(saldos.documentos().recordCount(), documentos);
}

}  // namespace
