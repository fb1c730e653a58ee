// The advance window's widgets under the offscreen platform: an advance
// typed by keyboard only, its totals on screen, and F2 saving it; Esc
// leaves without a result. With CXP_CAPTURAS set, a picture of the filled
// window is left there.
#include "documents/advances/TfanticiposprovVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/support/Teclear.h"
#include "tests/ui/Capturas.h"
#include "ui/Teclado.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace cxp;
using prueba::escribir;

namespace {

class AnticipoVista : public prueba::EntornoAcreedores {
protected:
    std::unique_ptr<TfanticiposprovVista> vista() {
        unTercero("900456789", "SUMINISTROS ANDINOS S.A.S.", true);
        auto logica = std::make_unique<Tfanticiposprov>(sesion, interaccion, manejador, configuracion);
        EXPECT_TRUE(logica->abrir("900456789", QDate(2026, 12, 7)));
        auto v = std::make_unique<TfanticiposprovVista>(std::move(logica), interaccion, manejador, sesion);
        v->show();
        return v;
    }
};

TEST_F(AnticipoVista, AnticipoPorTecladoYF2) {
    auto v = vista();
    EXPECT_EQ(v->etiqueta("nombreAcreedor")->text(), "SUMINISTROS ANDINOS S.A.S.");
    escribir(*v, v->editor("ANPR_CONC"), "ANTICIPO PEDIDO DICIEMBRE");
    const std::pair<const char*, const char*> tasas[] = {
        {"ANPR_IVAPORC", "19"}, {"ANPR_RTFTEPORC", "2.5"}, {"ANPR_RTIVAPORC", "15"}, {"ANPR_RTICAPORC", "9.66"},
        {"ANPR_BASE", "1000000"}};
    for (const auto& [campo, valor] : tasas) escribir(*v, v->editor(campo), valor);
    EXPECT_EQ(v->editor("ANPR_RTIVAMONTO")->text(), "28,500.00");
    EXPECT_EQ(v->etiqueta("totalconiva")->text(), "1,190,000.00");
    EXPECT_EQ(v->etiqueta("total")->text(), "1,126,840.00");
    prueba::capturar(*v, "anticipo");
    QTest::keyClick(v->editor("ANPR_CONC"), Qt::Key_F2);
    ASSERT_TRUE(v->logica().resultado()) << mensajes().toStdString();
    EXPECT_EQ(v->logica().resultado()->value("NUMERO").toString(), "000001");
}

TEST_F(AnticipoVista, EscSaleSinAnticipo) {
    auto v = vista();
    QTest::keyClick(v->editor("ANPR_CONC"), Qt::Key_Escape);
    EXPECT_FALSE(v->logica().resultado());
}

}  // namespace
