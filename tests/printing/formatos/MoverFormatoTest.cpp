// MOVER_FORMATO through the "Mover Formato" dialog: each of the eight
// actions on a range, the elements outside it untouched, the edges of the
// page, and what the dialog sends for empty fields.
#include "printing/formatos/TFmoverforma.h"
#include "tests/printing/formatos/Entorno.h"

#include <QSignalSpy>

using namespace cxp;

namespace {

class Mover : public prueba::EntornoFormatos {
protected:
    void SetUp() override {
        EntornoFormatos::SetUp();
        unFormato(51, "0000");
        unFormato(52, "0000");  // another format: never touched
    }
    // "D<item> x y" for the data items, "L<item> x y lx ly" for the elements.
    QStringList estado(int tipo) const {
        QStringList r;
        const auto t = [](const fb::Value& v) { return v.isNull() ? QString("-") : v.toString(); };
        for (const auto& f : filas("select DAFO_ITEM, DAFO_POSX, DAFO_POSY from FORMATO_DATOS where TIDO_COD = ? "
                                   "order by DAFO_ITEM", {tipo}))
            r << QString("D%1 %2 %3").arg(t(f[0]), t(f[1]), t(f[2]));
        for (const auto& f : filas("select FOLI_ITEM, FOLI_POSX, FOLI_POSY, FOLI_X, FOLI_Y from FORMATO_LINEAS where "
                                   "TIDO_COD = ? order by FOLI_ITEM", {tipo}))
            r << QString("L%1 %2 %3 %4 %5").arg(t(f[0]), t(f[1]), t(f[2]), t(f[3]), t(f[4]));
        return r;
    }
};

TEST_F(Mover, CadaAccionSobreSuRangoYLosBordes) {
    const QStringList inicial = {"D1 100 50", "D7 1400 1900", "L2 10 10 - -", "L3 600 800 800 300", "L5 20 20 100 100"};
    ASSERT_EQ(estado(51), inicial);
    struct Caso {
        int opcion;
        QString posiciones, desde, hasta;
        QStringList esperado;
    };
    // Shifts on the band 0..900: D7 (at 1900) stays; a shift past an edge
    // stops at it. Scaling works on the whole page (empty fields).
    const Caso casos[] = {
        {0, "150", "0", "900", {"D1 250 50", "D7 1400 1900", "L2 160 10 - -", "L3 750 800 800 300", "L5 170 20 100 100"}},
        {1, "150", "0", "900", {"D1 0 50", "D7 1400 1900", "L2 0 10 - -", "L3 450 800 800 300", "L5 0 20 100 100"}},
        {2, "150", "0", "900", {"D1 100 0", "D7 1400 1900", "L2 10 0 - -", "L3 600 650 800 300", "L5 20 0 100 100"}},
        {3, "150", "0", "900", {"D1 100 200", "D7 1400 1900", "L2 10 160 - -", "L3 600 950 800 300", "L5 20 170 100 100"}},
        {0, "5000", "", "", {"D1 1500 50", "D7 1500 1900", "L2 1500 10 - -", "L3 1500 800 800 300", "L5 1500 20 100 100"}},
        {3, "5000", "40", "60", {"D1 100 2000", "D7 1400 1900", "L2 10 10 - -", "L3 600 800 800 300", "L5 20 20 100 100"}},
        {4, "", "", "", {"D1 100 25", "D7 1400 950", "L2 10 5 - -", "L3 600 400 800 150", "L5 20 10 100 50"}},
        {5, "", "", "", {"D1 50 50", "D7 700 1900", "L2 5 10 - -", "L3 300 800 400 300", "L5 10 20 50 100"}},
        {6, "", "", "", {"D1 100 100", "D7 1400 2000", "L2 10 20 - -", "L3 600 1600 800 600", "L5 20 40 100 200"}},
        {7, "", "", "", {"D1 200 50", "D7 1500 1900", "L2 20 10 - -", "L3 1200 800 1500 300", "L5 40 20 200 100"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(TFmoverforma::opciones()[c.opcion].titulo.toStdString() + " " + c.posiciones.toStdString());
        ejecutar("update FORMATO_DATOS set DAFO_POSX = iif(DAFO_ITEM = 1, 100, 1400), DAFO_POSY = iif(DAFO_ITEM = 1, 50, 1900)");
        ejecutar("update FORMATO_LINEAS set FOLI_POSX = decode(FOLI_ITEM, 2, 10, 3, 600, 20), "
                 "FOLI_POSY = decode(FOLI_ITEM, 2, 10, 3, 800, 20), FOLI_X = decode(FOLI_ITEM, 3, 800, 5, 100), "
                 "FOLI_Y = decode(FOLI_ITEM, 3, 300, 5, 100)");
        TFmoverforma m(51, "0000", sesion, manejador);
        m.setOpcion(c.opcion);
        m.setPosiciones(c.posiciones);
        m.setDesde(c.desde);
        m.setHasta(c.hasta);
        QSignalSpy cierre(&m, &TFmoverforma::cerrar);
        ASSERT_TRUE(m.grabar()) << mensajes().toStdString();
        EXPECT_EQ(cierre.count(), 1);
        EXPECT_EQ(estado(51), c.esperado);
        EXPECT_EQ(estado(52), inicial);
    }
}

TEST_F(Mover, CamposVaciosYOpcionesDeEscala) {
    TFmoverforma m(51, "0000", sesion, manejador);
    EXPECT_EQ(TFmoverforma::opciones()[m.opcion()].titulo, "Mover a la derecha");
    EXPECT_EQ(m.valorPosiciones(), 0);
    EXPECT_EQ(m.valorDesde(), 0);
    EXPECT_EQ(m.valorHasta(), 2000);
    EXPECT_EQ(m.accion(), u'R');
    EXPECT_TRUE(m.camposHabilitados());
    m.setPosiciones("30");
    m.setOpcion(6);  // "Expandir verticalmente al doble"
    EXPECT_EQ(m.accion(), u'C');
    EXPECT_FALSE(m.camposHabilitados());
    EXPECT_TRUE(m.posiciones().isEmpty());
    m.setOpcion(1);
    EXPECT_TRUE(m.camposHabilitados());
    // Esc changes nothing.
    QSignalSpy cierre(&m, &TFmoverforma::cerrar);
    m.cancelar();
    ASSERT_EQ(cierre.count(), 1);
    EXPECT_FALSE(cierre[0][0].toBool());
    EXPECT_EQ(estado(51).first(), "D1 100 50");
    // The procedure itself refuses an action it does not know.
    EXPECT_THROW(ejecutar("execute procedure MOVER_FORMATO(51, '0000', 1, 0, 2000, 'Q')"), fb::DbError);
}

}  // namespace
