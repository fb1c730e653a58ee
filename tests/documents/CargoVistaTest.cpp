// The charge screen's widgets under the offscreen platform: a charge typed
// by keyboard only (creditor, amount, IVA and the withholdings), the VAT
// bases panel on F5, the lines panel's Esc, and F2 saving it. With
// CXP_CAPTURAS set, a picture of the filled screen is left there.
#include "documents/charges/TfnotasdebitoVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/support/Teclear.h"
#include "tests/ui/Capturas.h"
#include "ui/Teclado.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace cxp;
using prueba::escribir;

namespace {

class CargoVista : public prueba::EntornoAcreedores {
protected:
    int guardados = 0;
    std::unique_ptr<TfnotasdebitoVista> vista() {
        unTercero("900456789", "SUMINISTROS ANDINOS S.A.S.", true);
        ejecutar("update PROVEEDORES set PROV_RETEFTE = 2.5, PROV_RTEIVA = 15, PROV_RTEICA = 9.66, "
                 "PROV_RTCREE = 0.4 where TERC_NIT = '900456789'");
        ServiciosCargo s;
        s.abreInterfaz = [](int, const QString&, bool preguntar) { return preguntar ? 1 : 0; };
        s.imprimir = [this](int64_t) { ++guardados; };
        auto logica = std::make_unique<Tfnotasdebito>(sesion, interaccion, manejador, configuracion, s);
        EXPECT_TRUE(logica->abrir());
        auto v = std::make_unique<TfnotasdebitoVista>(std::move(logica), interaccion, manejador, sesion);
        v->resize(760, 600);
        v->show();
        return v;
    }
};

TEST_F(CargoVista, CargoPorTecladoConIvaYRetenciones) {
    auto v = vista();
    escribir(*v, v->editor("TERC_NIT"), "900456789");
    EXPECT_EQ(v->etiqueta("nombreAcreedor")->text(), "SUMINISTROS ANDINOS S.A.S.");
    escribir(*v, v->editor("NDPR_CONC"), "FLETE BOGOTA - MEDELLIN");
    escribir(*v, v->editor("NDPR_IVAPORC"), "19");
    escribir(*v, v->subTotal(), "2000000");
    EXPECT_EQ(v->editor("NDPR_RTFTEMONTO")->text(), "50,000.00");
    EXPECT_EQ(v->etiqueta("totalconiva")->text(), "2,380,000.00");
    EXPECT_EQ(v->etiqueta("total")->text(), "2,245,680.00");
    prueba::capturar(*v, "cargo");

    // F5 opens the VAT bases and F5 again continues with them.
    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F5, v->editor("NDPR_CONC")));
    EXPECT_TRUE(v->panelBases()->isVisible());
    escribir(*v, v->editor("NDPR_BASE1"), "1000000");
    EXPECT_EQ(v->editor("NDPR_IVA1")->text(), "190,000.00");
    v->teclado().pulsar(Qt::Key_F5, v->editor("NDPR_BASE1"));
    EXPECT_FALSE(v->panelBases()->isVisible());
    EXPECT_EQ(v->subTotal()->text(), "1,000,000.00");
    EXPECT_EQ(v->editor("NDPR_BASERTFTE")->text(), "1,000,000.00") << "la base de antes no queda fija";

    // Esc in the lines panel closes only the panel.
    v->abrirLineas();
    EXPECT_TRUE(v->panelLineas()->isVisible());
    v->teclado().pulsar(Qt::Key_Escape, v->editor("NDPR_CONC"));
    EXPECT_FALSE(v->panelLineas()->isVisible());
    EXPECT_TRUE(v->isVisible());

    ASSERT_TRUE(v->teclado().pulsar(Qt::Key_F2, v->editor("NDPR_CONC")));
    EXPECT_EQ(guardados, 1) << mensajes().toStdString();
    EXPECT_EQ(filas("select count(*) from notas_debito_proveedor where ndpr_id > 0")[0][0].toString(), "1");
    EXPECT_EQ(v->editor("NDPR_NUMERO")->text(), "000002");
    EXPECT_TRUE(v->editor("TERC_NIT")->text().isEmpty());

    // The number is typed on a manual prefix and read-only on an automatic one.
    ejecutar("insert into prefijos (tido_cod, pref_pre, pref_actual, pref_auto) values (51, 'MAN', '000001', 'N')");
    for (const char* prefijo : {"MAN", "0000"}) {
        v->logica().cargo().setValue("PREF_PRE", prefijo);
        EXPECT_EQ(v->editor("NDPR_NUMERO")->isReadOnly(), QLatin1String(prefijo) == "0000") << prefijo;
    }

    // The consult of the charge just saved: the same layout, read-only.
    const int64_t id = v->logica().ultimoId();
    auto logica = std::make_unique<Tfnotasdebito2>(sesion, interaccion, manejador, configuracion, ServiciosCargo{},
                                                   Tfnotasdebito2::ContabilidadConsulta{});
    ASSERT_TRUE(logica->abrir(id));
    TfnotasdebitoVista c(std::move(logica), interaccion, manejador, sesion, nullptr, TfnotasdebitoVista::Modo::Consulta);
    c.resize(760, 620);
    c.show();
    EXPECT_EQ(c.objectName(), "Tfnotasdebito2");
    EXPECT_TRUE(c.editor("TERC_NIT")->isReadOnly());
    EXPECT_TRUE(c.subTotal()->isReadOnly());
    EXPECT_EQ(c.subTotal()->text(), "1,000,000.00");
    EXPECT_EQ(c.editor("NDPR_RTFTEMONTO")->text(), "25,000.00");
    EXPECT_TRUE(c.etiqueta("registro")->text().startsWith("Registro: "));
    c.teclado().pulsar(Qt::Key_F5, c.editor("NDPR_CONC"));
    EXPECT_TRUE(c.panelBases()->isVisible());
    prueba::capturar(c, "cargo-consulta");
}

// The amounts stay whole and apart whichever panel is open: the window
// grows, or its body scrolls, rather than squash them.
TEST_F(CargoVista, LosPanelesNoAplastanLosValores) {
    // Inside an MDI area the size of the main window's.
    QMdiArea area;
    area.resize(820, 560);
    area.show();
    auto v = vista();
    QMdiSubWindow* sub = area.addSubWindow(v.get());
    sub->resize(760, 540);
    sub->show();
    const auto legibles = [&](const char* caso) {
        QApplication::processEvents();
        const QGroupBox* valores = nullptr;
        for (const QGroupBox* g : v->findChildren<QGroupBox*>())
            if (g->title() == "Valores") valores = g;
        ASSERT_TRUE(valores);
        QList<QRect> lugares;
        for (const QLineEdit* e : valores->findChildren<QLineEdit*>()) {
            if (!e->isVisibleTo(v.get()) || qobject_cast<QAbstractSpinBox*>(e->parentWidget())) continue;
            EXPECT_GE(e->height(), e->sizeHint().height()) << caso << " " << e->objectName().toStdString();
            EXPECT_GE(e->width(), e->fontMetrics().horizontalAdvance(e->text()) + 6)
                << caso << " " << e->objectName().toStdString();
            const QRect r(e->mapTo(valores, QPoint(0, 0)), e->size());
            for (const QRect& otro : lugares) EXPECT_FALSE(r.intersects(otro)) << caso << " " << e->objectName().toStdString();
            lugares << r;
        }
    };
    const struct {
        const char* caso;
        std::function<void()> abrir, cerrar;
        QFrame* panel;
    } casos[] = {
        {"cargo-bases", [&] { v->alternarBases(); }, [&] { v->alternarBases(); }, v->panelBases()},
        {"cargo-articulos", [&] { v->abrirLineas(); }, [&] { v->teclado().pulsar(Qt::Key_Escape, v->editor("NDPR_CONC")); },
         v->panelLineas()},
    };
    for (const auto& c : casos) {
        c.abrir();
        EXPECT_TRUE(c.panel->isVisible()) << c.caso;
        legibles(c.caso);
        prueba::capturar(*v, c.caso);
        c.cerrar();
        EXPECT_FALSE(c.panel->isVisible()) << c.caso;
    }
    // Both at once, in a window no bigger than the default.
    sub->resize(760, 540);
    v->alternarBases();
    v->abrirLineas();
    legibles("ambos");
    EXPECT_LE(sub->height(), area.viewport()->height());
    area.removeSubWindow(v.get());
}

}  // namespace
