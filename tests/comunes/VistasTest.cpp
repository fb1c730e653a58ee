// The shared screens and pickers as the person sees them, under the
// offscreen platform: sizes and captions, the bindings, the grids' pick
// lists and masks, and the keys F2, Esc, Insert, Enter. CXP_CAPTURAS
// (environment) receives a picture of each.
#include "comunes/NuevaCuentaVista.h"
#include "comunes/Selecciones.h"
#include "comunes/Selector.h"
#include "comunes/TFConsecutVista.h"
#include "comunes/TfautorizacionVista.h"
#include "comunes/TftasacambiodiaVista.h"
#include "tests/comunes/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace cxp;

namespace {

void borrarPendientes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The titles of the grid's columns, in the order the person sees them.
QStringList titulos(QTableView* vista) {
    QStringList r;
    QHeaderView* h = vista->horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int l = h->logicalIndex(v);
        if (!h->isSectionHidden(l)) r << vista->model()->headerData(l, Qt::Horizontal).toString();
    }
    return r;
}

// Types into the grid's current cell: the first key opens its editor, the
// rest go to the editor.
void escribirEnCelda(QTableView* vista, const QString& texto) {
    vista->setFocus();
    QTest::keyClick(vista, texto.at(0).toLatin1());
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, vista) << "no editor opened";
    if (texto.size() > 1) QTest::keyClicks(editor, texto.mid(1));
}

void irAColumna(QTableView* vista, int columna) {
    vista->setCurrentIndex(vista->model()->index(vista->currentIndex().row(), columna));
}

template <typename T> T* abrirVista(QWidget* w) {
    auto* v = qobject_cast<T*>(w);
    EXPECT_NE(v, nullptr);
    if (!v) return nullptr;
    v->show();
    v->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(v));
    return v;
}

class Vistas : public prueba::EntornoComunes {};

TEST_F(Vistas, ConsecutivosConSusColumnasMascaraYTeclas) {
    auto* v = abrirVista<TFConsecutVista>(crearTFConsecut(sesion, interaccion, manejador, {}));
    ASSERT_NE(v, nullptr);
    QPointer<TFConsecutVista> vivo(v);
    EXPECT_EQ(v->windowTitle(), "Registro de consecutivos");
    EXPECT_EQ(v->size(), QSize(500, 287));
    EXPECT_EQ(v->botonGrabar()->text(), "F2: Grabar");
    EXPECT_EQ(v->botonSalir()->text(), "Esc:Salir");
    QComboBox* documento = v->comboDocumento();
    EXPECT_EQ(documento->count(), v->logica().documentos().size());
    EXPECT_EQ(documento->currentIndex(), 0);

    const int cargos = documento->findText("CARGO (NOTA DEBITO PROVEEDOR)");
    ASSERT_GE(cargos, 0);
    documento->setCurrentIndex(cargos);
    emit documento->activated(cargos);
    EXPECT_EQ(v->logica().tipos().asInt("TIDO_COD"), 51);
    QTableView* vista = v->rejilla()->vista();
    EXPECT_EQ(titulos(vista), (QStringList{"Comprobante", "Prefijo", "Actual", "Auto", "Proyecto", "Centro", "Activo",
                                           "Agencia"}));
    EXPECT_EQ(vista->model()->rowCount(), 1);
    EXPECT_FALSE(v->rejilla()->filtrosVisibles());
    v->casillaFiltros()->click();
    EXPECT_TRUE(v->rejilla()->filtrosVisibles());
    EXPECT_EQ(v->casillaFiltros()->text(), "Habilitar filtros");
    v->casillaFiltros()->click();

    // Insert adds a prefix and puts the cursor on its prefix.
    vista->setFocus();
    QTest::keyClick(vista, Qt::Key_Insert);
    ASSERT_EQ(vista->model()->rowCount(), 2);
    EXPECT_EQ(vista->currentIndex().column(), v->columna("PREF_PRE"));
    escribirEnCelda(vista, "NUE");
    // The voucher type is chosen by name from a pick list.
    irAColumna(vista, v->columna("COMPROBANTE"));
    vista->edit(vista->currentIndex());
    auto* lista = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(lista, nullptr);
    lista->setCurrentIndex(lista->findText("COMPROBANTE DE EGRESO"));  // read back as EGR below
    // The current number takes digits only.
    irAColumna(vista, v->columna("PREF_ACTUAL"));
    escribirEnCelda(vista, "12ab3");
    auto* numero = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(numero, nullptr);
    EXPECT_EQ(numero->text(), "123");
    QApplication::processEvents();  // the layout after the filter row went
    prueba::capturar(*v, "TFConsecut");

    // F2 with the editor still open: what it holds is saved.
    QTest::keyClick(numero, Qt::Key_F2);
    borrarPendientes();
    EXPECT_TRUE(vivo.isNull()) << interaccion.mensajes.join('\n').toStdString();
    const auto r = fila("select * from PREFIJOS where TIDO_COD = 51 and PREF_PRE = 'NUE'");
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)["PREF_ACTUAL"].toString(), "000123");
    EXPECT_EQ((*r)["TICO_COD"].toString(), "EGR");
    EXPECT_EQ((*r)["PREF_USUARIO"].toString(), "Administra");
}

TEST_F(Vistas, ConsecutivosEscNoGraba) {
    auto* v = abrirVista<TFConsecutVista>(crearTFConsecut(sesion, interaccion, manejador, {}));
    ASSERT_NE(v, nullptr);
    QPointer<TFConsecutVista> vivo(v);
    QTableView* vista = v->rejilla()->vista();
    vista->setFocus();
    QTest::keyClick(vista, Qt::Key_Down);  // on the last row: a new one
    escribirEnCelda(vista, "ESC");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    borrarPendientes();
    EXPECT_TRUE(vivo.isNull());
    EXPECT_EQ(contar("select count(*) from PREFIJOS where PREF_PRE = 'ESC'"), 0);
}

TEST_F(Vistas, TasaDelDiaEnlazadaConEnterYF2) {
    ejecutar("insert into TASA_CAMBIO_MONEDA (TACA_ID, TACA_FECHA, TIMO_COD, TACA_VALOR) values (0, ?, 978, 4561.85)",
             {hoy});
    auto* v = abrirVista<TftasacambiodiaVista>(
        crearTftasacambiodia(sesion, interaccion, manejador, configuracion, {}));
    ASSERT_NE(v, nullptr);
    QPointer<TftasacambiodiaVista> vivo(v);
    EXPECT_EQ(v->windowTitle(), "Tasa de cambio diaria");
    EXPECT_EQ(v->size(), QSize(286, 178));
    EXPECT_FALSE(v->editorFecha()->isEnabled()) << "the day's rate is today's";
    EXPECT_EQ(v->editorFecha()->date(), hoy);
    EXPECT_EQ(v->comboMoneda()->currentText(), "DÓLAR ESTADOUNIDENSE (USD)");
    EXPECT_EQ(QApplication::focusWidget(), v->editorValor());
    prueba::capturar(*v, "Tftasacambiodia");

    // Enter moves on.
    v->comboMoneda()->setFocus();
    QTest::keyClick(v->comboMoneda(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), v->editorValor());
    QTest::keyClicks(v->editorValor(), "4600.5");
    // The euro has today's rate: choosing it edits that one, with the value typed.
    v->comboMoneda()->setFocus();
    const int euro = v->comboMoneda()->findText("EURO (EUR)");
    v->comboMoneda()->setCurrentIndex(euro);
    emit v->comboMoneda()->activated(euro);
    EXPECT_NE(v->logica().tasa().asInt("TACA_ID"), 0);
    EXPECT_EQ(v->editorValor()->text(), "4,600.5000");
    v->editorValor()->setFocus();
    v->editorValor()->selectAll();
    QTest::keyClicks(v->editorValor(), "4612.3456");
    QTest::keyClick(v->editorValor(), Qt::Key_F2);
    borrarPendientes();
    EXPECT_TRUE(vivo.isNull()) << interaccion.mensajes.join('\n').toStdString();
    const auto r = fila("select TACA_VALOR from TASA_CAMBIO_MONEDA where TIMO_COD = 978 and TACA_FECHA = ?", {hoy});
    EXPECT_EQ(r->at(0).toDecimal().rescaled(-4).unscaled, 46123456);
    EXPECT_EQ(contar("select count(*) from TASA_CAMBIO_MONEDA where TACA_FECHA = ?", {hoy}), 1);
}

TEST_F(Vistas, AutorizacionesConSusColumnasListaYClave) {
    ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'BOG', '000001')");
    ejecutar("insert into AUTORIZACIONES (AUTO_NUMERO, TIDO_COD, PREF_PRE, AUTO_FECHA, AUTO_INICIAL, AUTO_FINAL, "
             "AUTO_VENCE, AUTO_TOKENPSW, AUTO_MAQUINA) values ('18764000000001', 51, 'BOG', '2026/01/15', "
             "'000001', '005000', '2028/01/15', 'secreta', 'CAJA-01')");
    auto* v = abrirVista<TfautorizacionVista>(crearTfautorizacion(sesion, interaccion, manejador, {}));
    ASSERT_NE(v, nullptr);
    QPointer<TfautorizacionVista> vivo(v);
    EXPECT_EQ(v->windowTitle(), "Autorizaciones de numeración");
    EXPECT_EQ(v->size(), QSize(750, 259));
    QTableView* vista = v->rejilla()->vista();
    EXPECT_EQ(titulos(vista), (QStringList{"Prefijo", "Autorización", "Fecha", "Inicial", "Final", "Vence", "Avisar",
                                           "Usuario aviso", "Token empresa", "Clave token", "Archivo F.E."}));
    const QModelIndex clave = vista->model()->index(0, v->columna("AUTO_TOKENPSW"));
    EXPECT_NE(vista->itemDelegateForIndex(clave)->metaObject()->className(), QString("QStyledItemDelegate"));
    EXPECT_EQ(v->casillaFiltros()->text(), "Habilitar filtros");
    prueba::capturar(*v, "Tfautorizacion");

    // The prefix picks from the charges' prefixes.
    vista->setFocus();
    vista->setCurrentIndex(vista->model()->index(0, v->columna("PREF_PRE")));
    vista->edit(vista->currentIndex());
    auto* lista = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(lista, nullptr);
    QStringList prefijos;
    for (int i = 0; i < lista->count(); ++i) prefijos << lista->itemText(i);
    EXPECT_EQ(prefijos, (QStringList{"0000", "BOG"}));
    QTest::keyClick(lista, Qt::Key_Escape);  // leaves without applying
    borrarPendientes();
    EXPECT_TRUE(vivo.isNull());
    EXPECT_EQ(contar("select count(*) from AUTORIZACIONES where PREF_PRE = 'BOG'"), 1);
}

class SelectorVista : public prueba::EntornoComunes {
protected:
    void SetUp() override {
        EntornoComunes::SetUp();
        for (const auto& [cod, nom] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"1", "ACTIVO"}, {"11", "DISPONIBLE"}, {"1105", "CAJA"}, {"110505", "CAJA GENERAL"},
                 {"11050501", "CAJA GENERAL SEDE NORTE"}, {"110510", "CAJAS MENORES"}})
            ejecutar("insert into CUENTAS (CUEN_COD, CUEN_NOM) values (?, ?)", {cod, nom});
        ejecutar("update CUENTAS set CUEN_ACTIVA = 'N' where CUEN_COD = '110510'");
    }
    std::unique_ptr<Selector> selector(const QVariantMap& args) {
        auto d = std::make_unique<Selector>(
            std::make_unique<SeleccionCuentas>(sesion.compania, interaccion, manejador, args), manejador);
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }
};

TEST_F(SelectorVista, BuscarMarcarYElegirConEnter) {
    auto d = selector({{"filtro", "1105"}});
    EXPECT_EQ(d->windowTitle(), "Cuentas");
    EXPECT_EQ(d->texto()->text(), "1105");
    EXPECT_EQ(d->rejilla()->filasVisibles(), 4);
    EXPECT_TRUE(d->rejilla()->vista()->horizontalHeader()->count() >= 5);
    // The inactive account shows red.
    const QModelIndex inactiva = d->rejilla()->vista()->model()->index(3, 0);
    EXPECT_EQ(inactiva.data(Qt::DisplayRole).toString(), "110510");
    EXPECT_EQ(inactiva.data(Qt::ForegroundRole).value<QColor>(), QColor(200, 0, 0));
    prueba::capturar(*d, "SelectorCuentas");

    // Typing searches after a pause.
    d->texto()->setFocus();
    d->texto()->selectAll();
    QTest::keyClicks(d->texto(), "caja gen");
    QTRY_COMPARE(d->rejilla()->filasVisibles(), 2);
    // Enter goes to the list; Enter on a heading account says why and stays.
    QTest::keyClick(d->texto(), Qt::Key_Return);
    QTableView* vista = d->rejilla()->vista();
    EXPECT_EQ(QApplication::focusWidget(), vista);
    vista->setCurrentIndex(vista->model()->index(0, 0));
    QTest::keyClick(vista, Qt::Key_Return);
    EXPECT_EQ(interaccion.de("informacion"), QStringList{"La cuenta indicada tiene auxiliares definidos."});
    EXPECT_TRUE(d->isVisible());
    QTest::keyClick(vista, Qt::Key_Down);
    QTest::keyClick(vista, Qt::Key_Return);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    ASSERT_TRUE(d->eleccion());
    EXPECT_EQ(*d->eleccion(), (QVariantMap{{"cuenta", "11050501"}}));
}

TEST_F(SelectorVista, EscSinEleccionYDobleClic) {
    auto d = selector({});
    EXPECT_EQ(d->rejilla()->filasVisibles(), 6);
    QTest::keyClick(d->texto(), Qt::Key_Escape);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_FALSE(d->eleccion());

    auto d2 = selector({{"filtro", "11050501"}});
    QTableView* vista = d2->rejilla()->vista();
    const QModelIndex celda = vista->model()->index(0, 1);
    const QPoint punto = vista->visualRect(celda).center();
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(vista->viewport(), Qt::LeftButton, {}, punto);
    EXPECT_EQ(d2->result(), QDialog::Accepted);
    EXPECT_EQ(*d2->eleccion(), (QVariantMap{{"cuenta", "11050501"}}));
}

TEST_F(SelectorVista, NuevaCuentaConF2) {
    auto logica = std::make_unique<NuevaCuenta>(sesion, interaccion, manejador, "110515", false);
    ASSERT_TRUE(logica->abrir());
    NuevaCuentaVista d(std::move(logica), interaccion, manejador);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_EQ(d.windowTitle(), "Nueva cuenta");
    EXPECT_EQ(d.editorCodigo()->text(), "110515");
    EXPECT_TRUE(d.editorCodigo()->isReadOnly());
    EXPECT_EQ(d.comboNaturaleza()->currentText(), "Débito");
    EXPECT_FALSE(d.editorBase()->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), d.editorNombre());
    QTest::keyClicks(d.editorNombre(), "CAJA DE VIAJES");
    d.casillaRetencion()->click();
    EXPECT_TRUE(d.editorBase()->isEnabled());
    d.editorPorcentaje()->setFocus();
    d.editorPorcentaje()->selectAll();
    QTest::keyClicks(d.editorPorcentaje(), "2.5");
    prueba::capturar(d, "NuevaCuenta");
    QTest::keyClick(d.editorPorcentaje(), Qt::Key_F2);
    EXPECT_EQ(d.result(), QDialog::Accepted) << interaccion.mensajes.join('\n').toStdString();
    EXPECT_EQ(d.creada(), QString("110515"));
    const auto r = fila("select CUEN_NOM, CUEN_RETENCION, CUEN_PORC from CUENTAS where CUEN_COD = '110515'");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->at(0).toString(), "CAJA DE VIAJES");
    EXPECT_EQ(r->at(1).toString(), "S");
    EXPECT_EQ(r->at(2).toDecimal().rescaled(-4).unscaled, 25000);
}

}  // namespace
