// The day's exchange rate screen's logic: today's rate of the default
// currency entered or edited (never a second one), the currency chosen by
// name, the exact value, a refusal of the database, and Esc.
#include "comunes/Tftasacambiodia.h"
#include "tests/comunes/Entorno.h"

#include <QSignalSpy>

using cxp::DataSet;
using cxp::Dinero;
using cxp::Tftasacambiodia;

namespace {

class TasaDelDia : public prueba::EntornoComunes {
protected:
    std::unique_ptr<Tftasacambiodia> abrir(bool debeAbrir = true) {
        auto p = std::make_unique<Tftasacambiodia>(sesion, interaccion, manejador, configuracion);
        EXPECT_EQ(p->abrir(), debeAbrir) << interaccion.mensajes.join('\n').toStdString();
        return p;
    }
    void tasaDeHoy(int moneda, const char* valor) const {
        ejecutar(QStringLiteral("insert into TASA_CAMBIO_MONEDA (TACA_ID, TACA_FECHA, TIMO_COD, TACA_VALOR) "
                                "values (0, ?, ?, %1)")
                     .arg(QString::fromLatin1(valor)),
                 {hoy, moneda});
    }
    int64_t tasas(int moneda) const {
        return contar("select count(*) from TASA_CAMBIO_MONEDA where TIMO_COD = ? and TACA_FECHA = ?", {moneda, hoy});
    }
    // The stored value, exactly: its ten-thousandths.
    int64_t valor(int moneda) const {
        const auto r = fila("select TACA_VALOR from TASA_CAMBIO_MONEDA where TIMO_COD = ? and TACA_FECHA = ?",
                            {moneda, hoy});
        return r ? r->at(0).toDecimal().rescaled(-4).unscaled : -1;
    }
    static Dinero dinero(const char* texto) { return *Dinero::desdeTexto(QString::fromLatin1(texto)); }
};

// Today's rate of the default currency: a new row when there is none, the
// stored one edited (never a second one) when there is; four decimals kept.
TEST_F(TasaDelDia, LaTasaDeHoySeIngresaOSeEditaSinDuplicarla) {
    struct Caso {
        const char* existente;  // today's rate, stored by the case before; nullptr: none
        DataSet::State estado;
        const char* nuevo;
        int64_t guardado;
    } casos[] = {{nullptr, DataSet::State::Insert, "3912.4725", 39124725},
                 {"3912.4725", DataSet::State::Edit, "4012.0001", 40120001}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nuevo);
        auto p = abrir();
        QSignalSpy cerrar(p.get(), &Tftasacambiodia::cerrar);
        DataSet& t = p->tasa();
        EXPECT_EQ(p->monedaPredeterminada(), 840);
        EXPECT_EQ(t.state(), c.estado);
        EXPECT_EQ(t.asDate("TACA_FECHA"), hoy);
        EXPECT_EQ(t.asInt("TIMO_COD"), 840);
        EXPECT_EQ(t.asDinero("TACA_VALOR"), c.existente ? dinero(c.existente) : Dinero());
        t.setValue("TACA_VALOR", dinero(c.nuevo));
        ASSERT_TRUE(p->grabar()) << interaccion.mensajes.join('\n').toStdString();
        EXPECT_EQ(cerrar.count(), 1);
        EXPECT_EQ(tasas(840), 1);
        EXPECT_EQ(valor(840), c.guardado);
    }
    // The currencies by name (the screen kept alive: monedas() is its own list).
    const auto p = abrir();
    QStringList nombres;
    for (const auto& m : p->monedas()) nombres << m.nombre;
    EXPECT_EQ(nombres, (QStringList{"DÓLAR ESTADOUNIDENSE (USD)", "EURO (EUR)", "PESO COLOMBIANO (COP)"}));
}

// The euro with today's rate edited through its name: in the widget test.
TEST_F(TasaDelDia, OtraMonedaVaASuTasaDelDiaConElValorEscrito) {
    tasaDeHoy(978, "4561.85");
    auto p = abrir();
    DataSet& t = p->tasa();
    t.setValue("TACA_VALOR", dinero("4600.5"));
    t.setValue("TIMO_COD", 978);
    EXPECT_EQ(t.recordCount(), 1) << "the row of the dollar went";
    // The peso has none: a new one, and the euro's row stays as it was.
    t.setValue("TIMO_COD", 170);
    EXPECT_EQ(t.state(), DataSet::State::Insert);
    EXPECT_EQ(t.asInt("TIMO_COD"), 170);
    EXPECT_EQ(t.asDinero("TACA_VALOR"), dinero("4600.5"));
    t.setValue("TIMO_COD", 978);
    ASSERT_TRUE(p->grabar()) << interaccion.mensajes.join('\n').toStdString();
    EXPECT_EQ(tasas(978), 1);
    EXPECT_EQ(valor(978), 46005000);
    EXPECT_EQ(tasas(840), 0);
    EXPECT_EQ(tasas(170), 0);
}

TEST_F(TasaDelDia, UnRechazoDeLaBaseDejaLaFilaEnEdicionYLaPantallaAbierta) {
    auto p = abrir();
    QSignalSpy cerrar(p.get(), &Tftasacambiodia::cerrar);
    p->tasa().setValue("TACA_VALOR", dinero("3900"));
    // Another clerk stores today's rate meanwhile.
    tasaDeHoy(840, "3890");
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(cerrar.count(), 0);
    EXPECT_EQ(interaccion.de("error"), QStringList{"Ya existe el registro en la tabla Tasas"});
    EXPECT_NE(p->tasa().state(), DataSet::State::Browse) << "the row is back in editing";
    EXPECT_EQ(p->tasa().asDinero("TACA_VALOR"), dinero("3900"));
    EXPECT_EQ(valor(840), 38900000);
}

TEST_F(TasaDelDia, TasaSinValorOEnCeroNoSeGraba) {
    auto p = abrir();
    QSignalSpy cerrar(p.get(), &Tftasacambiodia::cerrar);
    EXPECT_FALSE(p->grabar());
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_TRUE(interaccion.de("error").first().contains("obligatorio")) << interaccion.mensajes.join('\n').toStdString();
    p->tasa().setValue("TACA_VALOR", Dinero());
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(interaccion.de("error").last(), "La tasa de cambio debe ser mayor que cero.");
    EXPECT_EQ(interaccion.enfoques.last(), "TACA_VALOR");
    EXPECT_EQ(cerrar.count(), 0);
    EXPECT_EQ(tasas(840), 0);
}

TEST_F(TasaDelDia, EscDescartaYCierra) {
    tasaDeHoy(840, "4000");
    auto p = abrir();
    QSignalSpy cerrar(p.get(), &Tftasacambiodia::cerrar);
    p->tasa().setValue("TACA_VALOR", dinero("1"));
    p->salir();
    EXPECT_EQ(cerrar.count(), 1);
    EXPECT_EQ(valor(840), 40000000);
}

TEST_F(TasaDelDia, SinMonedaPredeterminadaNoAbre) {
    ejecutar("delete from CONFIGURACION where CONF_PROPIEDAD = 'MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR'");
    configuracion.cargar(sesion.compania);
    abrir(false);
    EXPECT_EQ(interaccion.de("error").first(),
              "No se encontró la configuración MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR");
}

}  // namespace
