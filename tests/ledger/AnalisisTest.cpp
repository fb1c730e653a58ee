// The ageing analysis: the band titles for any width, the call with the
// cut-off, width, agency and currency, creditors at zero left out unless
// asked for, the prompt-payment mode, who sees which agencies, the bands'
// totals for the chart, and the way back to the creditor after F8 and F9.
#include "ledger/Tfanalisiscxp.h"
#include "tests/ledger/Entorno.h"

using namespace cxp;

namespace {

const QDate kCorte(2026, 3, 31);

Dinero dinero(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

class Analisis : public prueba::EntornoLedger {
protected:
    std::unique_ptr<Tfanalisiscxp> abrir(bool descuentos = false) {
        auto p = std::make_unique<Tfanalisiscxp>(sesion, interaccion, manejador, configuracion, descuentos);
        p->setHoy([] { return kCorte; });
        EXPECT_TRUE(p->abrir()) << mensajes().toStdString();
        return p;
    }
};

// Widths of 30 and 15 days: in the bands' totals and on the grid's titles.
TEST(TitulosBandas, AnchoDeUnDia) {
    EXPECT_EQ(Tfanalisiscxp::titulosBandas(1), (QStringList{"0 - 1 dias", "2-2 dias", "3-3 dias", "4 y más dias"}));
}

TEST_F(Analisis, LlamadoYAcreedoresEnCero) {
    configurar("CARTERA", "ANALISIS", "RANGO DE DIAS PARA EL ANALISIS DE CARTERA", "15");
    auto p = abrir();
    EXPECT_EQ(p->titulo(), "Análisis de Cuentas x pagar");
    EXPECT_EQ(p->corte(), kCorte);
    EXPECT_EQ(p->rango(), 15);
    ASSERT_TRUE(p->calcular()) << mensajes().toStdString();
    DataSet& a = p->analisis();
    EXPECT_EQ(columna(a, "NIT"), (QStringList{"801", "802", "802"})) << "the creditor at zero is left out";
    EXPECT_EQ(a.row(0).asString("TELEFONO"), "|ñ||zz|NNN") << "every creditor and group";
    EXPECT_EQ(a.row(0).asString("CIUDAD"), "2026-03-31 15 0 0");
    EXPECT_EQ(a.field("CERO").label(), "0 - 15 dias");
    EXPECT_EQ(a.field("NOVENTA").label(), "46 y más dias");
    EXPECT_TRUE(a.field("NOVENTA").visible());
    EXPECT_FALSE(a.field("TIPO").visible());

    p->setIncluirCeros(true);
    p->setRango(30);
    p->setCorte(QDate(2026, 4, 30));
    ASSERT_TRUE(p->calcular());
    EXPECT_EQ(columna(a, "NIT"), (QStringList{"800", "801", "802", "802"}));
    EXPECT_EQ(a.field("CERO").label(), "0 - 30 dias");
}

TEST_F(Analisis, RangoSinSentidoSeRechaza) {
    auto p = abrir();
    EXPECT_EQ(p->rango(), 30) << "the configuration's width";
    p->setRango(0);
    EXPECT_FALSE(p->calcular());
    EXPECT_EQ(interaccion.de("error"), QStringList{Tfanalisiscxp::kRangoInvalido});
    EXPECT_EQ(interaccion.enfoques, QStringList{"rango"});
    EXPECT_FALSE(p->analisis().isOpen());
}

TEST_F(Analisis, ProntoPagoSoloDescuentosVencidosAlCorteSinBandas) {
    auto p = abrir(true);
    EXPECT_EQ(p->titulo(), "Descuentos por pronto pago");
    ASSERT_TRUE(p->calcular()) << mensajes().toStdString();
    EXPECT_EQ(columna(p->analisis(), "ID"), QStringList{"2"});
    for (const char* c : {"CERO", "TREINTA", "SESENTA", "NOVENTA"}) EXPECT_FALSE(p->analisis().field(c).visible()) << c;
    EXPECT_TRUE(p->analisis().field("CORRIENTE").visible());
    EXPECT_TRUE(p->bandas().empty()) << "no ageing chart without the bands";

    // With the creditors at zero the condition still begins with where: the
    // query runs and finds the same discount.
    p->setIncluirCeros(true);
    ASSERT_TRUE(p->calcular()) << mensajes().toStdString();
    EXPECT_EQ(columna(p->analisis(), "ID"), QStringList{"2"});
}

TEST_F(Analisis, AgenciasQueVeCadaPersona) {
    auto todas = abrir();
    QStringList nombres;
    for (const auto& a : todas->agencias()) nombres << QString::number(a.id) + ":" + a.nombre;
    EXPECT_EQ(nombres, (QStringList{"0:Todas", "2:Centro", "1:Principal"}));
    todas->setAgencia(2);
    EXPECT_TRUE(todas->consulta().contains(",30,2,0)"));
    todas->setAgencia(7);  // not in the list
    EXPECT_EQ(todas->agencia(), 2);

    entrar(1);
    auto propia = abrir();
    ASSERT_EQ(propia->agencias().size(), 1);
    EXPECT_EQ(propia->agencias().front().nombre, "Principal");
    EXPECT_EQ(propia->agencia(), 1);
    propia->setAgencia(0);
    EXPECT_EQ(propia->agencia(), 1) << "a person tied to an agency sees only it";
    ASSERT_TRUE(propia->calcular());
    EXPECT_EQ(propia->analisis().row(0).asString("CIUDAD"), "2026-03-31 30 1 0");
}

TEST_F(Analisis, MonedaPorLaClaveDeCartera) {
    configurar("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR", "SI");
    EXPECT_FALSE(abrir()->monedaVisible());
    configurar("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CARTERA", "SI");
    auto p = abrir();
    EXPECT_TRUE(p->monedaVisible());
    p->setMoneda(840);
    ASSERT_TRUE(p->calcular());
    EXPECT_EQ(p->analisis().row(0).asString("CIUDAD"), "2026-03-31 30 0 840");
}

TEST_F(Analisis, TotalesDeLasBandasParaElGrafico) {
    auto p = abrir();
    ASSERT_TRUE(p->calcular());
    const auto b = p->bandas();
    ASSERT_EQ(b.size(), 5u);
    QStringList titulos;
    for (const auto& x : b) titulos << x.titulo;
    EXPECT_EQ(titulos, (QStringList{"Corriente", "0 - 30 dias", "31-60 dias", "61-90 dias", "91 y más dias"}));
    EXPECT_EQ(b[0].total, dinero("500.20"));
    EXPECT_EQ(b[1].total, dinero("600.05"));
    EXPECT_EQ(b[2].total, Dinero());
    EXPECT_EQ(b[3].total, dinero("0.30"));
    EXPECT_EQ(b[4].total, dinero("400.05"));
    // The rows the person selected.
    const auto s = p->bandas({1, 2});
    EXPECT_EQ(s[0].total, dinero("500.20"));
    EXPECT_EQ(s[1].total, Dinero());
    EXPECT_EQ(s[3].total, dinero("0.30"));
    // Titles follow the width the grid was calculated with, not the one typed since.
    p->setRango(10);
    EXPECT_EQ(p->bandas()[1].titulo, "0 - 30 dias");
}

TEST_F(Analisis, SaldosYMovimientoVuelvenAlAcreedor) {
    auto p = abrir();
    ASSERT_TRUE(p->calcular());
    DataSet& a = p->analisis();
    a.setCurrentRow(2);  // 802, document 4
    p->saldos();
    p->movimiento();
    ASSERT_EQ(interaccion.pantallas, (QStringList{"Tfconscxpagar", "Tfmovimientos"}));
    EXPECT_EQ(interaccion.argumentosPantallas[0], (QVariantMap{{"nit", "802"}}));
    EXPECT_EQ(interaccion.argumentosPantallas[1],
              (QVariantMap{{"nit", "802"}, {"nombre", "AL DIA SA"}, {"desde", QDate(2026, 3, 1)},
                           {"hasta", QDate(2026, 3, 31)}}));

    // Meanwhile the grid was calculated again and moved.
    ASSERT_TRUE(p->calcular());
    a.first();
    p->volver();
    EXPECT_EQ(a.currentRow(), 2);
    EXPECT_EQ(a.asInt("ID"), 4);
    // Only once: a later activation leaves the grid where the person put it.
    a.first();
    p->volver();
    EXPECT_EQ(a.currentRow(), 0);
}

}  // namespace
