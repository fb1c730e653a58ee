// The discount on the charge's widgets: its own title and fields (one
// discount, no due date, the crossing box) typed by keyboard; and the
// charge's F4 and F8, which say why they do nothing yet. With CXP_CAPTURAS set, a
// picture of the filled discount is left there.
#include "documents/charges/Tfnotascredito.h"
#include "documents/charges/TfnotasdebitoVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/support/Teclear.h"
#include "tests/ui/Capturas.h"
#include "ui/Teclado.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace cxp;
using prueba::escribir;

namespace {

class DescuentoVista : public prueba::EntornoAcreedores {
protected:
    template <class Documento>
    std::unique_ptr<TfnotasdebitoVista> vista() {
        ServiciosCargo s;
        s.abreInterfaz = [](int, const QString&, bool preguntar) { return preguntar ? 1 : 0; };
        auto logica = std::make_unique<Documento>(sesion, interaccion, manejador, configuracion, s);
        EXPECT_TRUE(logica->abrir());
        auto v = std::make_unique<TfnotasdebitoVista>(std::move(logica), interaccion, manejador, sesion);
        v->resize(760, 600);
        v->show();
        return v;
    }
};

TEST_F(DescuentoVista, DescuentoConSusCamposYElF8DelCargo) {
    unTercero("900456789", "SUMINISTROS ANDINOS S.A.S.", true);
    ejecutar("update PROVEEDORES set PROV_RETEFTE = 2.5, PROV_RTEIVA = 15 where TERC_NIT = '900456789'");
    auto v = vista<Tfnotascredito>();
    EXPECT_EQ(v->objectName(), "Tfnotascredito");
    EXPECT_EQ(v->windowTitle(), "Descuentos en Cuenta");
    for (const char* ausente : {"NCPR_VENCE", "NCPR_AUTO", "NCPR_NUMCTR", "NCPR_DTO2P"})
        EXPECT_EQ(v->findChild<QWidget*>(ausente), nullptr) << ausente;
    EXPECT_NE(v->findChild<QComboBox*>("claseCruce"), nullptr);
    EXPECT_EQ(v->findChild<QPushButton*>("buscarCargos"), nullptr);
    escribir(*v, v->editor("TERC_NIT"), "900456789");
    escribir(*v, v->editor("NCPR_CONC"), "DEVOLUCION PRODUCTO AVERIADO");
    escribir(*v, v->editor("NCPR_IVAPORC"), "19");
    escribir(*v, v->editor("NCPR_DTOPORC"), "10");
    escribir(*v, v->subTotal(), "1000000");
    EXPECT_EQ(v->editor("NCPR_MONTO")->text(), "900,000.00");
    EXPECT_EQ(v->editor("NCPR_RTFTEMONTO")->text(), "22,500.00");
    EXPECT_EQ(v->etiqueta("totalconiva")->text(), "1,071,000.00");
    prueba::capturar(*v, "descuento");

    auto cargo = vista<Tfnotasdebito>();
    QPushButton* f8 = cargo->findChild<QPushButton*>("buscarCargos");
    ASSERT_NE(f8, nullptr);
    EXPECT_TRUE(f8->isEnabled());
    interaccion.mensajes.clear();
    interaccion.pantallas.clear();
    for (const Qt::Key tecla : {Qt::Key_F4, Qt::Key_F8})
        ASSERT_TRUE(cargo->teclado().pulsar(tecla, cargo->editor("NDPR_CONC")));
    // A charge without creditor has nothing to pay in cash yet.
    EXPECT_EQ(interaccion.de("error"), QStringList{DocumentoAjuste::kSinNit});
    EXPECT_EQ(interaccion.pantallas, QStringList{"Tfbuscanotdebito"});
}

}  // namespace
