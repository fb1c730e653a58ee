// The ledger's widgets under the offscreen platform: each screen binds its
// grid and fields to the logic and maps its keys. With CXP_CAPTURAS set, a picture of each
// screen with its rows is left in that folder.
#include "ledger/GraficoBandas.h"
#include "ledger/Registro.h"
#include "ledger/Selectores.h"
#include "ledger/TfabonosprvVista.h"
#include "ledger/TfanalisiscxpVista.h"
#include "ledger/TfanalisismovcxpVista.h"
#include "ledger/TfconscxpagarVista.h"
#include "ledger/TfconsdoccompraVista.h"
#include "ledger/TfmovicuenxpagarVista.h"
#include "ledger/TfmovimientosVista.h"
#include "tests/ledger/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/InteraccionQt.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QMimeData>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

using namespace cxp;

namespace {

// The title of the grid's column shown at a visual position.
QString tituloVisual(Rejilla* r, int visual) {
    QHeaderView* h = r->vista()->horizontalHeader();
    return r->vista()->model()->headerData(h->logicalIndex(visual), Qt::Horizontal).toString();
}

void seleccionar(Rejilla* r, std::initializer_list<int> filas) {
    QTableView* v = r->vista();
    v->selectionModel()->clearSelection();
    for (int f : filas)
        v->selectionModel()->select(v->model()->index(f, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

class Vistas : public prueba::EntornoLedger {
protected:
    template <typename V, typename L> std::unique_ptr<V> vista(std::unique_ptr<L> logica) {
        auto v = std::make_unique<V>(std::move(logica), interaccion, manejador, sesion);
        v->setAttribute(Qt::WA_DeleteOnClose, false);
        v->show();
        return v;
    }
};

TEST_F(Vistas, SaldosDelAcreedor) {
    auto l = std::make_unique<Tfconscxpagar>(sesion, interaccion, manejador, configuracion, "O'Hara");
    ASSERT_TRUE(l->abrir(QDate(2026, 3, 31)));
    auto v = vista<TfconscxpagarVista>(std::move(l));
    Rejilla* r = v->rejilla();
    EXPECT_EQ(r->filasVisibles(), 4);
    EXPECT_EQ(tituloVisual(r, 0), "TIPONOM");
    EXPECT_EQ(tituloVisual(r, 12), "SALDO");
    EXPECT_EQ(r->nombreArchivo(), "Carteraxprov");
    EXPECT_FALSE(v->moneda()->isVisible());
    EXPECT_FALSE(v->botonSelVarios()) << "only when picking";
    EXPECT_TRUE(v->findChild<QLabel*>("acreedor")->text().contains("O'HARA Y CIA"));
    prueba::capturar(*v, "Tfconscxpagar");

    interaccion.pantallasExistentes = {"Tfnotasdebito2"};
    EXPECT_TRUE(v->teclado().pulsar(Qt::Key_F4, r->vista()));
    EXPECT_TRUE(v->teclado().pulsar(Qt::Key_F8, r->vista()));
    EXPECT_TRUE(v->teclado().pulsar(Qt::Key_Return, r->vista()));
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfnotasdebito2", "Tfabonosprv", "Tfnotasdebito2"}));
    EXPECT_FALSE(v->teclado().pulsar(Qt::Key_F5, r->vista()));
    v->teclado().pulsar(Qt::Key_F12, r->vista());
    EXPECT_TRUE(v->fecha()->hasFocus() || QApplication::focusWidget() == nullptr);

    // A new date runs the query again.
    v->fecha()->setDate(QDate(2026, 1, 2));
    EXPECT_EQ(v->logica().documentos().row(0).asString("CONCEPTO"), "O'Hara 2026-01-02 0");
}

TEST_F(Vistas, SaldosComoSelector) {
    auto l = std::make_unique<Tfconscxpagar>(sesion, interaccion, manejador, configuracion, "O'Hara", true);
    ASSERT_TRUE(l->abrir(QDate(2026, 3, 31)));
    auto v = vista<TfconscxpagarVista>(std::move(l));
    ASSERT_TRUE(v->botonSelVarios());
    EXPECT_EQ(v->botonSeleccionar()->text(), "Enter:Seleciona");
    seleccionar(v->rejilla(), {2, 0});
    EXPECT_EQ(v->filasElegidas(), (std::vector<int>{2, 0}));
    v->teclado().pulsar(Qt::Key_F5, v->rejilla()->vista());
    ASSERT_TRUE(v->logica().eleccion());
    EXPECT_TRUE(v->logica().eleccion()->contains("lista"));
}

TEST_F(Vistas, SelectorModalDevuelveLaEleccion) {
    // The person chooses the second document with Enter.
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = w->findChild<TfconscxpagarVista*>(); v && w->isVisible()) {
                v->logica().documentos().setCurrentRow(1);
                v->teclado().pulsar(Qt::Key_Return, v->rejilla()->vista());
            }
    });
    const auto e = elegirCxpagar(sesion, interaccion, manejador, configuracion,
                                 {{"nit", "O'Hara"}, {"fecha", QDate(2026, 3, 31)}});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->value("id").toLongLong(), 12);
    EXPECT_EQ(e->value("tiponom").toString(), "FACOMPRA");
    // Esc leaves without a choice.
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = w->findChild<TfconscxpagarVista*>(); v && w->isVisible())
                v->teclado().pulsar(Qt::Key_Escape, v->rejilla()->vista());
    });
    EXPECT_FALSE(elegirCxpagar(sesion, interaccion, manejador, configuracion, {{"nit", "O'Hara"}}));
}

TEST_F(Vistas, MovimientoDelAcreedor) {
    auto l = std::make_unique<Tfmovimientos>(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(l->abrir("O'Hara", {}, QDate(2026, 1, 1), QDate(2026, 1, 31)));
    auto v = vista<TfmovimientosVista>(std::move(l));
    EXPECT_EQ(v->saldoInicial()->text(), "0.00");
    EXPECT_EQ(v->saldoFinal()->text(), "3,000.01");
    EXPECT_EQ(tituloVisual(v->rejilla(), 3), "NUMPROV");
    EXPECT_EQ(tituloVisual(v->rejilla(), 6), "Cargos");
    EXPECT_EQ(v->rejilla()->nombreArchivo(), "MOVACREEDOR");
    prueba::capturar(*v, "Tfmovimientos");
    v->desde()->setDate(QDate(2026, 1, 11));
    EXPECT_EQ(v->saldoInicial()->text(), "900.01");
    v->teclado().pulsar(Qt::Key_F4, v->rejilla()->vista());
    EXPECT_EQ(interaccion.pantallas, QStringList{"Tfnotasdebito2"});
    EXPECT_EQ(interaccion.de("informacion"), QStringList{"Consulte El Documento En el Modulo Correspondiente"});
    // Another creditor typed in "Nit:".
    v->nit()->setText("900");
    emit v->nit()->editingFinished();
    EXPECT_EQ(v->logica().nit(), "900");
    EXPECT_EQ(v->saldoFinal()->text(), "0.00");
}

TEST_F(Vistas, MovimientoMensual) {
    auto l = std::make_unique<Tfmovicuenxpagar>(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(l->abrir());
    auto v = vista<TfmovicuenxpagarVista>(std::move(l));
    v->desde()->setDate(QDate(2026, 2, 1));
    v->hasta()->setDate(QDate(2026, 2, 28));
    EXPECT_TRUE(v->teclado().pulsar(Qt::Key_F2));
    EXPECT_EQ(v->rejilla()->filasVisibles(), 2);
    EXPECT_TRUE(v->totales()->text().contains("Cargos 1,000,000,000.30")) << v->totales()->text().toStdString();
    // No cell shows money with more than two decimals (the payments come
    // at four), nor does what is copied from the grid.
    QAbstractItemModel* m = v->rejilla()->vista()->model();
    for (int f = 0; f < m->rowCount(); ++f)
        for (int c = 0; c < m->columnCount(); ++c)
            EXPECT_FALSE(m->index(f, c).data().toString().contains(QRegularExpression("\\.\\d{3}"))) << f << " " << c;
    v->rejilla()->seleccionarTodo();
    v->rejilla()->copiar();
    EXPECT_FALSE(QApplication::clipboard()->text().contains(QRegularExpression("\\.\\d{3}")));
    // Money with two decimals, and the whole line in sight at the default size.
    EXPECT_FALSE(v->totales()->text().contains(QRegularExpression("\\.\\d{3}"))) << v->totales()->text().toStdString();
    EXPECT_GE(v->totales()->height(), v->totales()->heightForWidth(v->totales()->width()));
    EXPECT_EQ(v->rejilla()->nombreArchivo(), "MoviMes");
    prueba::capturar(*v, "Tfmovicuenxpagar");
    v->teclado().pulsar(Qt::Key_Return, v->rejilla()->vista());
    v->teclado().pulsar(Qt::Key_F8, v->rejilla()->vista());
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfmovimientos", "Tfconscxpagar"}));
}

TEST_F(Vistas, AbonosYConsultaDeCompra) {
    auto l = std::make_unique<Tfabonosprv>(sesion, interaccion, manejador, configuracion, 51, 11);
    ASSERT_TRUE(l->abrir());
    auto v = vista<TfabonosprvVista>(std::move(l));
    EXPECT_EQ(v->rejilla()->filasVisibles(), 4);
    EXPECT_EQ(v->totales()->text(), "Total abonos: 60.61   Retenciones: 4.40");
    prueba::capturar(*v, "Tfabonosprv");
    interaccion.pantallasExistentes = {"Tfconsaplicacxp"};
    v->teclado().pulsar(Qt::Key_F4, v->rejilla()->vista());
    EXPECT_EQ(interaccion.pantallas, QStringList{"Tfconsaplicacxp"});

    ejecutar("insert into DEVOLUCIONES_COMPRAS (DECO_ID, PREF_PRE, DECO_NUMERO, TERC_NIT, DECO_FECHA) "
             "values (3, 'DV', '000003', 'O''Hara', '2026-03-02')");
    auto c = std::make_unique<Tfconsdoccompra>(sesion, interaccion, manejador, configuracion, 24, 3);
    ASSERT_TRUE(c->abrir());
    TfconsdoccompraVista cv(std::move(c), manejador, sesion);
    cv.setAttribute(Qt::WA_DeleteOnClose, false);
    cv.show();
    QStringList valores;
    for (QLineEdit* e : cv.findChildren<QLineEdit*>("campo")) {
        EXPECT_TRUE(e->isReadOnly());
        valores << e->text();
    }
    EXPECT_TRUE(valores.contains("000003"));
    EXPECT_TRUE(valores.contains("O'HARA Y CIA"));
    EXPECT_TRUE(cv.findChild<Rejilla*>("lineas"));
    prueba::capturar(cv, "Tfconsdevolucioncompra");
}

TEST_F(Vistas, AnalisisConGraficoDeBandas) {
    auto l = std::make_unique<Tfanalisiscxp>(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(l->abrir());
    auto v = vista<TfanalisiscxpVista>(std::move(l));
    v->resize(1100, 620);
    EXPECT_EQ(v->windowTitle(), "Análisis de Cuentas x pagar");
    v->corte()->setDate(QDate(2026, 3, 31));
    v->rango()->setValue(15);
    v->agencia()->setCurrentIndex(v->agencia()->findText("Centro"));
    EXPECT_TRUE(v->teclado().pulsar(Qt::Key_F2));
    Rejilla* r = v->rejilla();
    EXPECT_EQ(r->filasVisibles(), 3);
    EXPECT_EQ(r->dataSet()->row(0).asString("CIUDAD"), "2026-03-31 15 2 0");
    EXPECT_EQ(tituloVisual(r, 10), "0 - 15 dias");
    EXPECT_EQ(tituloVisual(r, 13), "46 y más dias");
    EXPECT_EQ(r->nombreArchivo(), "analisiscxp");
    ASSERT_EQ(v->grafico()->bandas().size(), 5u);
    EXPECT_EQ(v->grafico()->bandas()[4].total, Dinero::desdeEscalado(40005, -2));
    EXPECT_TRUE(v->grafico()->titulo().contains("2026/03/31"));
    prueba::capturar(*v, "Tfanalisiscxp");
    prueba::capturar(*v->grafico(), "GraficoBandas");

    // Several rows selected: the chart of those rows.
    seleccionar(r, {1, 2});
    EXPECT_EQ(v->grafico()->titulo(), "Edades de las 2 filas seleccionadas");
    EXPECT_EQ(v->grafico()->bandas()[1].total, Dinero());
    r->dataSet()->setCurrentRow(2);
    v->teclado().pulsar(Qt::Key_F8, r->vista());
    v->teclado().pulsar(Qt::Key_F9, r->vista());
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfconscxpagar", "Tfmovimientos"}));
    // Meanwhile the grid was calculated again; the focus coming back from
    // the other screen returns it to the creditor.
    v->calcular();
    r->dataSet()->first();
    QWidget otra;
    emit qApp->focusChanged(&otra, r->vista());
    EXPECT_EQ(r->dataSet()->currentRow(), 2);

    EXPECT_EQ(GraficoBandas::altura(Dinero::desdeEntero(1), Dinero::desdeEntero(3), 100), 33);
    EXPECT_EQ(GraficoBandas::altura(Dinero::desdeEntero(-3), Dinero::desdeEntero(3), 100), 100);
    EXPECT_EQ(GraficoBandas::altura(Dinero::desdeEntero(5), Dinero(), 100), 0);
}

TEST_F(Vistas, ProntoPagoSinGrafico) {
    auto l = std::make_unique<Tfanalisiscxp>(sesion, interaccion, manejador, configuracion, true);
    ASSERT_TRUE(l->abrir());
    auto v = vista<TfanalisiscxpVista>(std::move(l));
    EXPECT_EQ(v->windowTitle(), "Descuentos por pronto pago");
    EXPECT_FALSE(v->grafico()->isVisible());
}

TEST_F(Vistas, PivoteConAreasYPlantillas) {
    QTemporaryDir instalacion;
    sesion.directorio = instalacion.path();
    auto l = std::make_unique<Tfanalisismovcxp>(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(l->abrir());
    l->setDesde(QDate(2026, 2, 1));
    l->setHasta(QDate(2026, 2, 28));
    auto v = vista<TfanalisismovcxpVista>(std::move(l));
    v->resize(1100, 560);
    EXPECT_EQ(v->ejemplos()->count(), 1) << "no layouts yet: only the empty choice";
    EXPECT_TRUE(v->teclado().pulsar(Qt::Key_F2));
    EXPECT_EQ(v->filas()->count(), 2);
    EXPECT_EQ(v->datos()->item(0)->text(), "Suma de MONTO");
    EXPECT_GT(v->campos()->count(), 13) << "the columns and year and month of FECHA";
    ModeloPivote& m = v->logica().modelo();
    // EXTERIOR/GAMMA, Total EXTERIOR, NACIONALES/ACME, NACIONALES/BETA, Total NACIONALES, Total.
    EXPECT_EQ(m.rowCount(), 6);
    prueba::capturar(*v, "Tfanalisismovcxp");

    // A field sent to the columns, a measure switched to a count.
    v->campos()->setCurrentRow(v->campos()->row(v->campos()->findItems("Mes de FECHA", Qt::MatchExactly).front()));
    v->enviarA(v->columnas());
    EXPECT_EQ(v->logica().diseno().columnas, (QStringList{"NOMTIPODOC", "FECHA:MES"}));
    emit v->datos()->itemDoubleClicked(v->datos()->item(1));
    EXPECT_EQ(v->logica().diseno().datos[1].funcion, pivote::Funcion::Cuenta);
    EXPECT_EQ(v->datos()->item(1)->text(), "Cuenta de SALDO");

    // A field dragged from the list to the data area sums when it is a number.
    {
        QListWidget* c = v->campos();
        const QModelIndex monto = c->model()->index(c->row(c->findItems("MONTO", Qt::MatchExactly).front()), 0);
        std::unique_ptr<QMimeData> arrastre(c->model()->mimeData({monto}));
        ASSERT_TRUE(v->datos()->model()->dropMimeData(arrastre.get(), Qt::CopyAction, v->datos()->count(), 0, {}));
        QCoreApplication::processEvents();
        ASSERT_EQ(v->logica().diseno().datos.size(), 3);
        EXPECT_EQ(v->logica().diseno().datos[2], (pivote::Dato{"MONTO", pivote::Funcion::Suma}));
        EXPECT_EQ(v->datos()->item(2)->text(), "Suma de MONTO");
        // Dragged out of the data area back to nowhere: taken away with Quitar.
        v->datos()->setCurrentRow(2);
        v->quitar();
        EXPECT_EQ(v->logica().diseno().datos.size(), 2);
    }

    // The pivot as a table for the grid menu's save and print: exact amounts.
    const TablaExportar t = TfanalisismovcxpVista::tabla(v->logica().modelo());
    ASSERT_EQ(t.filas.size(), size_t(m.rowCount()));
    ASSERT_EQ(t.columnas.size(), size_t(m.columnCount()));
    EXPECT_EQ(t.columnas[0].titulo, "NOMGRUPO");
    const int ultima = int(t.columnas.size()) - 2;  // the grand total's MONTO
    EXPECT_TRUE(t.columnas[size_t(ultima)].numerica());
    EXPECT_EQ(t.texto(int(t.filas.size()) - 1, ultima), "1,101.00");
    EXPECT_EQ(t.texto(int(t.filas.size()) - 1, ultima + 1), "4") << "the movements counted";
    v->copiar();
    EXPECT_TRUE(QApplication::clipboard()->text().contains("1101.00") ||
                QApplication::clipboard()->text().contains("1,101.00"));

    // Saved in the layouts folder, it is offered in the list.
    ASSERT_TRUE(v->logica().grabarPlantilla(v->logica().carpetaPlantillas() + "mio"));
    EXPECT_EQ(v->ejemplos()->count(), 2);
    EXPECT_EQ(v->ejemplos()->itemText(1), "mio.mds");
}

}  // namespace
