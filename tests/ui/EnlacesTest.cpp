// Data-aware widgets: they show the current row and follow it, and what the
// person types reaches the field on leaving, or is refused and taken back.
#include "ui/Enlaces.h"

#include "tests/support/InteraccionGrabada.h"
#include "tests/ui/Capturas.h"
#include "ui/InteraccionQt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using cxp::DataSet;
using cxp::Dinero;
using cxp::Enlaces;
using cxp::FieldType;

namespace {

class EnlacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.openEmpty({
            {"NIT", FieldType::String, 10, 0, true, "T"},
            {"NOMBRE", FieldType::String, 30, 0, false, "T"},
            {"MONTO", FieldType::Decimal, 0, 2, false, "T"},
            {"FECHA", FieldType::Date, 0, 0, false, "T"},
            {"TIPO", FieldType::String, 1, 0, false, "T"},
            {"ACTIVO", FieldType::String, 1, 0, false, "T"},
            {"NOTAS", FieldType::Memo, 0, 0, false, "T"},
            {"ITEMS", FieldType::Integer, 0, 0, false, "T"},
        });
        agregar("800", "Peña Ltda", "1234567.5", QDate(2024, 2, 29), "D", "S", "primera\nsegunda");
        agregar("900", "Ávila", "10", {}, "C", "N", {});
        ds.first();

        auto* capa = new QFormLayout(&forma);
        for (QWidget* w : std::initializer_list<QWidget*>{nit, nombre, monto, fecha, tipo, activo, notas, items})
            capa->addRow(w);
        enlaces.enlazar(nit, ds, "NIT");
        enlaces.enlazar(nombre, ds, "NOMBRE");
        enlaces.enlazar(monto, ds, "MONTO");
        enlaces.enlazar(fecha, ds, "FECHA");
        enlaces.enlazar(tipo, ds, "TIPO", {{"D", "Débito"}, {"C", "Crédito"}});
        enlaces.enlazar(activo, ds, "ACTIVO");
        enlaces.enlazar(notas, ds, "NOTAS");
        enlaces.enlazar(items, ds, "ITEMS", "999");
        forma.show();
        forma.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&forma));
    }

    void agregar(const QString& n, const QString& nom, const char* m, QDate f, const QString& t, const QString& a,
                 const QString& memo) {
        ds.append();
        ds.setValue("NIT", n);
        ds.setValue("NOMBRE", nom);
        ds.setValue("MONTO", *Dinero::desdeTexto(QString::fromLatin1(m)));
        ds.setValue("FECHA", f);
        ds.setValue("TIPO", t);
        ds.setValue("ACTIVO", a);
        ds.setValue("NOTAS", memo.isEmpty() ? fb::Value() : fb::Value(memo));
        ds.post();
    }

    // Types into a line edit and leaves it, as a person does.
    void escribir(QLineEdit* e, const QString& texto) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, texto);
        nombre->setFocus();
        if (e == nombre) nit->setFocus();
    }

    prueba::InteraccionGrabada interaccion;
    DataSet ds;
    QWidget forma;
    QLineEdit* nit = new QLineEdit(&forma);
    QLineEdit* nombre = new QLineEdit(&forma);
    QLineEdit* monto = new QLineEdit(&forma);
    QDateEdit* fecha = new QDateEdit(&forma);
    QComboBox* tipo = new QComboBox(&forma);
    QCheckBox* activo = new QCheckBox(QStringLiteral("Activo"), &forma);
    QPlainTextEdit* notas = new QPlainTextEdit(&forma);
    QLineEdit* items = new QLineEdit(&forma);
    Enlaces enlaces{interaccion};
};

}  // namespace

TEST_F(EnlacesTest, ShowsTheCurrentRowAndFollowsScrolls) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    enlaces.refrescar();
    EXPECT_EQ(nit->text(), "800");
    EXPECT_EQ(nit->maxLength(), 10) << "the field's size";
    EXPECT_EQ(monto->text(), "1,234,567.50") << "money ignores the machine's locale";
    EXPECT_TRUE(monto->alignment() & Qt::AlignRight);
    EXPECT_EQ(fecha->text(), "2024/02/29");
    EXPECT_EQ(tipo->currentText(), "Débito");
    EXPECT_TRUE(activo->isChecked());
    EXPECT_EQ(notas->toPlainText(), "primera\nsegunda");
    prueba::capturar(forma, "enlaces");

    ds.next();
    EXPECT_EQ(nit->text(), "900");
    EXPECT_EQ(nombre->text(), "Ávila");
    EXPECT_EQ(monto->text(), "10.00");
    EXPECT_EQ(fecha->text().trimmed(), "") << "a null date shows blank";
    EXPECT_EQ(tipo->currentText(), "Crédito");
    EXPECT_FALSE(activo->isChecked());
    EXPECT_EQ(notas->toPlainText(), "");

    // A change made by the program shows at once.
    ds.edit();
    ds.setValue("NOMBRE", QStringLiteral("Otro"));
    EXPECT_EQ(nombre->text(), "Otro");
    ds.cancel();
    EXPECT_EQ(nombre->text(), "Ávila");
    QLocale::setDefault(QLocale::c());
}

TEST_F(EnlacesTest, TypingPutsTheRowInEditAndLeavingSetsTheValue) {
    int cambios = 0;
    ds.onChange("NOMBRE", [&](DataSet&) { ++cambios; });
    nombre->setFocus();
    nombre->selectAll();
    QTest::keyClicks(nombre, "Nuevo");
    EXPECT_EQ(ds.state(), DataSet::State::Edit) << "the first keystroke edits";
    EXPECT_EQ(ds.asString("NOMBRE"), "Peña Ltda") << "nothing stored while typing";
    EXPECT_EQ(cambios, 0);
    nit->setFocus();
    EXPECT_EQ(ds.asString("NOMBRE"), "Nuevo");
    EXPECT_EQ(cambios, 1) << "one change, on leaving";

    escribir(monto, "2,500.5");
    EXPECT_EQ(ds.asDinero("MONTO"), *Dinero::desdeTexto(u"2500.5"));
    EXPECT_EQ(monto->text(), "2,500.50") << "shown back in the field's form";
    // Dots for thousands as a Colombian clerk types them; a lone dot before
    // three digits keeps the decimal rule, and the person is told.
    escribir(monto, "1.500.000,50");
    EXPECT_EQ(ds.asDinero("MONTO"), *Dinero::desdeTexto(u"1500000.5"));
    EXPECT_TRUE(interaccion.de("advertencia").isEmpty());
    escribir(monto, "1.500");
    EXPECT_EQ(ds.asDinero("MONTO"), *Dinero::desdeTexto(u"1.5"));
    ASSERT_EQ(interaccion.de("advertencia").size(), 1);
    EXPECT_TRUE(interaccion.de("advertencia")[0].startsWith("«1.500» se tomó como 1.50"));

    // Emptied: null, not an empty text.
    nombre->setFocus();
    nombre->selectAll();
    QTest::keyClick(nombre, Qt::Key_Backspace);
    nit->setFocus();
    EXPECT_TRUE(ds.isNull("NOMBRE"));
}

TEST_F(EnlacesTest, ARefusedValueIsShownAndTheWidgetTakesTheFieldBack) {
    escribir(monto, "12.345");  // three decimals in a numeric(15,2)
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_EQ(ds.asDinero("MONTO"), *Dinero::desdeTexto(u"1234567.5")) << "the field keeps its value";
    EXPECT_EQ(monto->text(), "1,234,567.50");

    escribir(monto, "doce");
    ASSERT_EQ(interaccion.de("error").size(), 2);
    EXPECT_TRUE(interaccion.de("error").last().contains("doce"));
    EXPECT_EQ(monto->text(), "1,234,567.50");

    // A handler that fails after the value is stored: the error shows, the
    // widget shows what the field holds.
    ds.onChange("NIT", [](DataSet&) { throw std::runtime_error("sin conexión"); });
    escribir(nit, "123");
    EXPECT_EQ(interaccion.de("error").last(), "sin conexión");
    EXPECT_EQ(ds.asString("NIT"), "123");
    EXPECT_EQ(nit->text(), "123");
}

TEST_F(EnlacesTest, AHandlerThatChangesAnotherFieldIsSeen) {
    ds.onChange("NIT", [](DataSet& d) { d.setValue("NOMBRE", "Nombre de " + d.asString("NIT")); });
    escribir(nit, "555");
    EXPECT_EQ(nombre->text(), "Nombre de 555");
}

TEST_F(EnlacesTest, ComboCheckDateAndMemoWriteBack) {
    tipo->setFocus();
    // activated is what a person's choice emits.
    tipo->setCurrentIndex(1);
    emit tipo->activated(1);
    EXPECT_EQ(ds.asString("TIPO"), "C");

    activo->click();
    EXPECT_EQ(ds.asString("ACTIVO"), "N");
    activo->click();
    EXPECT_EQ(ds.asString("ACTIVO"), "S");

    fecha->setFocus();
    fecha->setDate(QDate(2025, 1, 31));
    emit fecha->editingFinished();
    EXPECT_EQ(ds.asDate("FECHA"), QDate(2025, 1, 31));

    notas->setFocus();
    notas->setPlainText("uno\ndos\ntres");
    nit->setFocus();
    EXPECT_EQ(ds.asString("NOTAS"), "uno\ndos\ntres");

    // A key the list does not have shows nothing chosen.
    ds.edit();
    ds.setValue("TIPO", QStringLiteral("X"));
    EXPECT_EQ(tipo->currentIndex(), -1);
}

TEST_F(EnlacesTest, AnEmptyDataSetGetsItsFirstRowFromTheFirstKeystroke) {
    DataSet vacio;
    vacio.openEmpty({{"CODIGO", FieldType::String, 4, 0, false, "T"}});
    QLineEdit codigo(&forma);
    codigo.show();
    enlaces.enlazar(&codigo, vacio, "CODIGO");
    codigo.setFocus();
    QTest::keyClicks(&codigo, "AB");
    EXPECT_EQ(vacio.state(), DataSet::State::Insert);
    EXPECT_EQ(codigo.text(), "AB") << "the new row does not wipe what was typed";
    nit->setFocus();
    EXPECT_EQ(vacio.recordCount(), 1);
    EXPECT_EQ(vacio.asString("CODIGO"), "AB");
}

TEST_F(EnlacesTest, ConfirmarWritesPendingEditsAndAScrollDropsThem) {
    nombre->setFocus();
    nombre->selectAll();
    QTest::keyClicks(nombre, "Pendiente");
    EXPECT_TRUE(enlaces.confirmar());
    EXPECT_EQ(ds.asString("NOMBRE"), "Pendiente");

    monto->setFocus();
    monto->selectAll();
    QTest::keyClicks(monto, "x");
    EXPECT_FALSE(enlaces.confirmar()) << "a refused value stops the command";
    interaccion.mensajes.clear();

    ds.post();
    monto->setFocus();
    monto->selectAll();
    QTest::keyClicks(monto, "99");
    ds.cancel();
    ds.next();
    EXPECT_EQ(monto->text(), "10.00") << "the new row's value, not the pending text";
    nit->setFocus();
    EXPECT_EQ(ds.asDinero("MONTO"), Dinero::desdeEntero(10));
}

TEST_F(EnlacesTest, AMaskedFieldLeftEmptyIsNull) {
    items->setFocus();
    QTest::keyClick(items, Qt::Key_Home);
    QTest::keyClicks(items, "42");
    nit->setFocus();
    EXPECT_EQ(ds.asInt("ITEMS"), 42);
    items->setFocus();
    items->selectAll();
    QTest::keyClick(items, Qt::Key_Delete);
    nit->setFocus();
    EXPECT_TRUE(ds.isNull("ITEMS"));
}

TEST_F(EnlacesTest, FocusRequestsReachTheBoundWidgetOfTheScreen) {
    cxp::InteraccionQt qt;
    qt.registrarEnfoque(&forma, [this](const QString& campo) { enlaces.enfocar(campo); });
    qt.enfocar("monto");
    EXPECT_TRUE(monto->hasFocus());
    EXPECT_EQ(monto->selectedText(), monto->text());

    // Without a handler: the child named so (the "campo" property).
    QWidget otra;
    auto* campo = new QLineEdit(&otra);
    campo->setProperty("campo", "NDPR_MONTO");
    auto* antes = new QLineEdit(&otra);
    antes->setFocus();
    qt.registrarEnfoque(&otra);
    otra.show();
    otra.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&otra));
    antes->setFocus();
    qt.enfocar("ndpr_monto");
    EXPECT_TRUE(campo->hasFocus());
}

TEST_F(EnlacesTest, ReadOnlyFieldsCannotBeTypedInto) {
    ds.field("NOMBRE").setReadOnly(true);
    ds.field("ACTIVO").setReadOnly(true);
    enlaces.refrescar();
    EXPECT_TRUE(nombre->isReadOnly());
    EXPECT_FALSE(activo->isEnabled());
    nombre->setFocus();
    QTest::keyClicks(nombre, "x");
    nit->setFocus();
    EXPECT_EQ(ds.asString("NOMBRE"), "Peña Ltda");
    EXPECT_EQ(ds.state(), DataSet::State::Browse);
}

// Digits typed over a selected date replace it, with or without slashes,
// whether the box was selected whole, entered with Tab or blank; a day that
// does not exist, or a date left half typed, leaves the one there was.
TEST_F(EnlacesTest, DigitsTypedOverADateReplaceIt) {
    struct Caso {
        int fila;  // 0: 2024/02/29, 1: blank
        bool tab;  // entered with Tab (the year selected) or selected whole
        const char* teclas;
        const char* queda;
    };
    for (const Caso& k : {Caso{0, false, "20261207", "2026/12/07"}, Caso{0, false, "2026/12/07", "2026/12/07"},
                          Caso{0, true, "2026/12/07", "2026/12/07"}, Caso{0, true, "2026/1/7", "2026/01/07"},
                          Caso{1, false, "20261207", "2026/12/07"}, Caso{1, true, "2026-12-7", "2026/12/07"},
                          Caso{0, false, "20261345", "2024/02/29"}, Caso{0, false, "2026/1", "2024/02/29"},
                          Caso{1, false, "2026", ""}}) {
        SCOPED_TRACE(std::string(k.teclas) + (k.tab ? " tab" : ""));
        ds.cancel();
        ds.first();
        if (k.fila) ds.next();
        nit->setFocus();
        fecha->setFocus(k.tab ? Qt::TabFocusReason : Qt::OtherFocusReason);
        if (!k.tab) fecha->selectAll();
        QTest::keyClicks(fecha, k.teclas);
        nit->setFocus();
        EXPECT_EQ(ds.asString("FECHA"), k.queda);
        EXPECT_EQ(fecha->text().trimmed(), k.queda);
    }
}
