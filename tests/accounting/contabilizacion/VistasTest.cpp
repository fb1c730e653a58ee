// The posting screens' widgets under the offscreen platform: the review
// window shows each chart's lines on its own tab with their sums and the
// names of the current line, saves with F2 and refuses Esc when it may not
// close; the ledger voucher editor opens by its key through the
// registration. With CXP_CAPTURAS set, a picture of each screen is left there.
#include "accounting/contabilizacion/RejillaLineas.h"
#include "accounting/contabilizacion/Registro.h"
#include "accounting/contabilizacion/TfcontabilizaVista.h"
#include "accounting/contabilizacion/TfedtmovimienVista.h"
#include "tests/accounting/contabilizacion/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/InteraccionQt.h"
#include "ui/Teclado.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace cxp;
using namespace prueba;

namespace {

class Vistas : public EntornoContabilizacion {};

TEST_F(Vistas, RevisionMuestraCadaPlanEnSuPestana) {
    pendiente(51, 7, {{1, "110505", "1190000", "0", {}, "COMPRA PAPELERIA"},
                      {2, "220505", "0", "1000000", "800100", "CXP ACME"},
                      {3, "236540", "0", "190000", "800100", "RETENCION"},
                      {100002, "110505", "1190000", "0"},
                      {100003, "220505", "0", "1190000", "800100"}});
    contexto.fijarDocumento(51, 7);
    contexto.mostrar = true;
    auto logica = std::make_unique<Tfcontabiliza>(sesion, interaccion, manejador, configuracion, contexto);
    ASSERT_TRUE(logica->abrir());
    TfcontabilizaVista v(std::move(logica), interaccion, manejador, sesion);
    v.show();
    QTest::qWait(20);
    EXPECT_EQ(v.windowTitle(), "Contabilización");
    EXPECT_EQ(v.size(), QSize(751, 365));
    ASSERT_EQ(v.pestanas()->count(), 2);
    EXPECT_EQ(v.pestanas()->tabText(0), "Dec.2649");
    EXPECT_EQ(v.pestanas()->tabText(1), "NIIF");
    EXPECT_EQ(v.pestanas()->currentIndex(), 0);
    EXPECT_EQ(v.rejilla(0)->vista()->model()->rowCount(), 3);
    EXPECT_EQ(v.rejilla(1)->vista()->model()->rowCount(), 2);
    QAbstractItemModel* m = v.rejilla(0)->vista()->model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "Cuenta");
    EXPECT_EQ(m->headerData(10, Qt::Horizontal).toString(), "Crédito");
    EXPECT_EQ(v.rejilla(0)->totalDebitos()->text(), "1,190,000.00");
    EXPECT_EQ(v.rejilla(0)->totalCreditos()->text(), "1,190,000.00");
    EXPECT_EQ(v.nombreCuenta()->text(), "CAJA GENERAL");
    EXPECT_EQ(v.campo("CNTB_TIPOCOMP")->text(), "CXP");
    EXPECT_TRUE(v.campo("CNTB_NUMERO")->isReadOnly());
    EXPECT_FALSE(v.campo("CNTB_CONCEPTO")->isReadOnly());
    // Moving in the grid moves the names.
    v.rejilla(0)->vista()->setCurrentIndex(m->index(1, 0));
    EXPECT_EQ(v.nombreTercero()->text(), "ACME");
    capturar(v, "Tfcontabiliza");

    // Esc may not close it unsaved; F2 saves and accepts.
    v.teclado().pulsar(Qt::Key_Escape, v.rejilla(0)->vista());
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(interaccion.de("error"), QStringList{"Es necesario grabar el comprobante para poder cerrar"});
    v.teclado().pulsar(Qt::Key_F2, v.rejilla(0)->vista());
    EXPECT_EQ(v.result(), QDialog::Accepted);
    EXPECT_FALSE(v.isVisible());
}

TEST_F(Vistas, LineaNuevaDesdeLaRejillaSeValidaAlSalir) {
    pendiente(51, 7, {{1, "110505", "100", "0"}, {2, "220505", "0", "100", "800100"}});
    contexto.fijarDocumento(51, 7);
    contexto.mostrar = true;
    auto logica = std::make_unique<Tfcontabiliza>(sesion, interaccion, manejador, configuracion, contexto);
    ASSERT_TRUE(logica->abrir());
    TfcontabilizaVista v(std::move(logica), interaccion, manejador, sesion);
    v.show();
    QTableView* t = v.rejilla(0)->vista();
    t->setFocus();
    ASSERT_TRUE(v.teclado().pulsar(Qt::Key_Insert, t));
    ASSERT_EQ(t->model()->rowCount(), 3);
    EXPECT_EQ(t->currentIndex().row(), 2);
    EXPECT_EQ(v.logica().lineas().asInt("CNDE_ITEM"), 3);
    ASSERT_TRUE(t->model()->setData(t->model()->index(2, 0), "110505"));
    EXPECT_EQ(v.nombreCuenta()->text(), "CAJA GENERAL");
    // Leaving the line without a value: the message, and the line stays.
    t->setCurrentIndex(t->model()->index(0, 0));
    QTest::qWait(10);
    EXPECT_EQ(interaccion.de("error"),
              QStringList{"Debe indicar un valor débito o crédito para la cuenta 110505 o eliminar el registro "
                          "completo."});
    EXPECT_EQ(t->currentIndex().row(), 2);
    ASSERT_TRUE(t->model()->setData(t->model()->index(2, 9), "25"));
    t->setCurrentIndex(t->model()->index(0, 0));
    EXPECT_EQ(v.logica().lineas().state(), DataSet::State::Browse);
    EXPECT_EQ(v.rejilla(0)->totalDebitos()->text(), "125.00");
    // F5 on a new line balances the chart.
    ASSERT_TRUE(v.teclado().pulsar(Qt::Key_Insert, t));
    ASSERT_TRUE(t->model()->setData(t->model()->index(3, 0), "110505"));
    ASSERT_TRUE(v.teclado().pulsar(Qt::Key_F5, t));
    EXPECT_EQ(v.rejilla(0)->totalCreditos()->text(), "125.00");
}

TEST_F(Vistas, EditorSeAbrePorSuClave) {
    const int consec = comprobante(51, 7, {{1, "110505", "10", "0"}, {2, "220505", "0", "10"}},
                                   {{1, "110505", "10", "0"}, {2, "220505", "0", "10"}, {3, "110505", "0", "0"}});
    std::unique_ptr<QWidget> w(crearTfedtmovimien(sesion, interaccion, manejador, configuracion,
                                                   {{"enco_consec", consec}}));
    ASSERT_TRUE(w);
    auto* v = static_cast<TfedtmovimienVista*>(w.get());
    v->show();
    EXPECT_EQ(v->windowTitle(), "Editar comprobantes contables");
    EXPECT_EQ(v->rejilla(0)->vista()->model()->rowCount(), 2);
    EXPECT_EQ(v->rejilla(1)->vista()->model()->rowCount(), 3);
    EXPECT_EQ(v->rejilla(1)->totalDebitos()->text(), "10.00");
    capturar(*v, "Tfedtmovimien");
    EXPECT_EQ(crearTfedtmovimien(sesion, interaccion, manejador, configuracion, {{"enco_consec", consec + 50}}),
              nullptr);
    EXPECT_EQ(interaccion.de("error").last(), "No se encontró el comprobante contable solicitado.");
}

}  // namespace
