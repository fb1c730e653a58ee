// Search screens: the WHERE part a person's text produces, run against a
// real database with hostile text, and the frame's keys and hooks.
#include "ui/BusquedaBase.h"

#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using cxp::BusquedaBase;
using cxp::ColumnaBusqueda;
using cxp::ModoBusqueda;

namespace {

const std::vector<ColumnaBusqueda> columnas{
    {"Conce&pto", "a.conc"},
    {"&Acreedor", "t.terc_nom"},
    {"&Fecha", "a.fecha", ColumnaBusqueda::Tipo::Fecha, true},
    {"Nú&mero", "a.numero"},
};

}  // namespace

// What the person types is searched through the real database below; here,
// the connector, and the column and its order only ever from the screen's list.
TEST(CondicionBusqueda, TheColumnAlwaysComesFromTheList) {
    EXPECT_EQ(cxp::condicionBusqueda(columnas, 1, "   ", ModoBusqueda::Contiene), "") << "no text, no condition";
    // A base query without a condition of its own takes the connector given.
    EXPECT_EQ(cxp::condicionBusqueda(columnas, 1, "M", ModoBusqueda::DesdeValor, " where "),
              " where upper(t.terc_nom) >= upper('M')");
    EXPECT_THROW(cxp::condicionBusqueda(columnas, 4, "x", ModoBusqueda::Contiene), std::invalid_argument);
    const std::vector<ColumnaBusqueda> mala{{"Malo", "terc_nom; delete from terceros"}};
    EXPECT_THROW(cxp::condicionBusqueda(mala, 0, "x", ModoBusqueda::Contiene), std::invalid_argument);
    EXPECT_THROW(cxp::ordenBusqueda(mala, 0), std::invalid_argument);
}

namespace {

class BusquedaTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = base.conectar();
        for (const char* sql : {
                 "create table TERCEROS (TERC_NIT varchar(20) not null primary key, TERC_NOM varchar(60))",
                 "create table NOTAS (ID integer not null primary key, TERC_NIT varchar(20), CONC varchar(60),"
                 " FECHA date, NUMERO varchar(6))",
             })
            db.executeDirect(QString::fromLatin1(sql));
        const std::vector<std::pair<QString, QString>> terceros{
            {"1", "O'Brien Ltda"}, {"2", "Peña Hermanos"}, {"3", "Martínez"}, {"4", "Zuluaga"}, {"5", "Abril"}};
        for (const auto& [nit, nom] : terceros) db.executeDirect("insert into TERCEROS values (?, ?)", {nit, nom});
        int id = 0;
        for (const auto& [nit, conc, fecha] : std::vector<std::tuple<QString, QString, QDate>>{
                 {"1", "Pago 100% anticipado", QDate(2024, 1, 15)},
                 {"2", "Compra de papel", QDate(2024, 1, 31)},
                 {"3", "x' or '1'='1", QDate(2023, 12, 31)},
                 {"4", "Flete", QDate(2024, 2, 1)},
                 {"5", "Servicio_técnico", QDate(2022, 6, 30)},
             }) {
            ++id;
            db.executeDirect("insert into NOTAS values (?, ?, ?, ?, ?)",
                             {id, nit, conc, fecha, QStringLiteral("%1").arg(id, 6, 10, QChar(u'0'))});
        }
        busqueda.setBaseDatos(&db);
        busqueda.setColumnas(columnas, 1);
        busqueda.setConsultaBase([] {
            return QStringLiteral("select a.id, a.numero, a.fecha, t.terc_nom, a.conc from notas a, terceros t"
                                  " where t.terc_nit = a.terc_nit");
        });
        busqueda.resize(800, 400);
        busqueda.show();
        busqueda.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&busqueda));
    }

    // The ids a search gives, in the order given.
    QList<int> buscar(int columna, const QString& texto, bool cualquiera) {
        busqueda.setColumnaElegida(columna);
        busqueda.texto()->setText(texto);
        busqueda.cualquierPosicion()->setChecked(cualquiera);
        EXPECT_TRUE(busqueda.buscar()) << interaccion.mensajes.join('\n').toStdString();
        QList<int> ids;
        cxp::DataSet& r = busqueda.resultado();
        for (int i = 0; i < r.recordCount(); ++i) ids << int(r.row(i).asInt("ID"));
        return ids;
    }
    int filasEn(const char* tabla) {
        return int(db.queryOne(QStringLiteral("select count(*) from %1").arg(QLatin1String(tabla)))->at(0).toInt64());
    }

    prueba::BaseTemporal base;
    fb::Database db;
    prueba::InteraccionGrabada interaccion;
    BusquedaBase busqueda{interaccion};
};

}  // namespace

TEST_F(BusquedaTest, QuotesAndSqlTypedAsTextAreOnlyText) {
    busqueda.setModoSinPosicion(ModoBusqueda::EmpiezaPor);
    EXPECT_EQ(buscar(1, "O'Brien", false), QList<int>({1}));
    EXPECT_EQ(buscar(1, "'brien", true), QList<int>({1}));
    EXPECT_EQ(buscar(0, "x' or '1'='1", true), QList<int>({3})) << "found as a concept, never as a condition";
    EXPECT_EQ(buscar(0, "' or 1=1 --", true), QList<int>());
    EXPECT_EQ(buscar(0, "'; delete from NOTAS; --", false), QList<int>());
    EXPECT_EQ(buscar(0, "') or ('a'='a", true), QList<int>());
    EXPECT_EQ(buscar(1, "\\", true), QList<int>());
    EXPECT_EQ(filasEn("NOTAS"), 5);
    EXPECT_EQ(filasEn("TERCEROS"), 5);
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << interaccion.mensajes.join('\n').toStdString();
}

TEST_F(BusquedaTest, AnywhereOrFromTheStartIgnoringCase) {
    // Unticked by default: from the text onwards, in the column's order.
    EXPECT_EQ(buscar(1, "m", false), QList<int>({3, 1, 2, 4})) << "from M onwards, not only those beginning with M";
    busqueda.setModoSinPosicion(ModoBusqueda::EmpiezaPor);
    EXPECT_EQ(buscar(1, "mar", false), QList<int>({3})) << "begins with";
    EXPECT_EQ(buscar(1, "AR", false), QList<int>());
    EXPECT_EQ(buscar(1, "ar", true), QList<int>({3})) << "Martínez; ordered by name";
    EXPECT_EQ(buscar(1, "r", true), QList<int>({5, 3, 1, 2})) << "Abril, Martínez, O'Brien, Peña: by the column";
    EXPECT_EQ(buscar(1, "", false), QList<int>({5, 3, 1, 2, 4})) << "no text lists all";
    // A person's % keeps its LIKE meaning: it only widens the match.
    EXPECT_EQ(buscar(0, "100%", true), QList<int>({1}));
    EXPECT_EQ(buscar(0, "p%do", false), QList<int>({1}));
}

TEST_F(BusquedaTest, DatesByMonthOrFromADayNewestFirst) {
    busqueda.setModoSinPosicion(ModoBusqueda::EmpiezaPor);
    EXPECT_EQ(buscar(2, "2024/01", false), QList<int>({2, 1}));
    EXPECT_EQ(buscar(2, "/12/", true), QList<int>({3}));
    busqueda.setModoSinPosicion(ModoBusqueda::DesdeValor);
    EXPECT_EQ(buscar(2, "2024/01/15", false), QList<int>({4, 2, 1}));
    EXPECT_EQ(buscar(3, "000004", false), QList<int>({4, 5}));
}

TEST_F(BusquedaTest, KeysAndButtonsReachTheScreensHooks) {
    QStringList hechos;
    busqueda.setAlConsultar([&] { hechos << "consultar " + busqueda.resultado().asString("ID"); });
    busqueda.setAlAnular([&] { hechos << "anular"; });
    busqueda.setAlNotas([&] { hechos << "notas"; });
    busqueda.setAlSalir([&] { hechos << "salir"; });
    busqueda.agregarBoton("F8:Abonos", Qt::Key_F8, [&] { hechos << "abonos"; });

    QStringList botones;
    for (QPushButton* b : busqueda.findChildren<QPushButton*>()) botones << b->text();
    for (const char* b : {"Buscar", "F4:Consultar", "F3:Eliminar", "F12:Notas", "F8:Abonos", "Esc:Salir"})
        EXPECT_TRUE(botones.contains(b)) << b;
    EXPECT_EQ(busqueda.cualquierPosicion()->text(), "Buscar e&n cualquier posición");
    EXPECT_EQ(busqueda.habilitarFiltros()->text(), "Habilitar filtros");
    EXPECT_TRUE(busqueda.findChild<QRadioButton*>()->text().contains("&"));

    // Enter in the text searches and puts the cursor in the grid.
    busqueda.setColumnaElegida(1);
    busqueda.texto()->setFocus();
    QTest::keyClicks(busqueda.texto(), "z");
    QTest::keyClick(busqueda.texto(), Qt::Key_Return);
    ASSERT_EQ(busqueda.resultado().recordCount(), 1);
    QTableView* grilla = busqueda.rejilla()->vista();
    EXPECT_TRUE(grilla->hasFocus());

    QTest::keyClick(grilla, Qt::Key_Return);
    QTest::keyClick(grilla, Qt::Key_F4);
    QTest::keyClick(grilla, Qt::Key_F3);
    QTest::keyClick(grilla, Qt::Key_F12);
    QTest::keyClick(grilla, Qt::Key_F8);
    QTest::keyClick(grilla, Qt::Key_Escape);
    EXPECT_EQ(hechos, QStringList({"consultar 4", "consultar 4", "anular", "notas", "abonos", "salir"}))
        << "Enter in the grid consults when the screen picks nothing";

    busqueda.setAlElegir([&] { hechos << "elegir"; });
    const QRect celda = grilla->visualRect(grilla->model()->index(0, 0));
    QTest::mouseClick(grilla->viewport(), Qt::LeftButton, {}, celda.center());
    QTest::mouseDClick(grilla->viewport(), Qt::LeftButton, {}, celda.center());
    EXPECT_EQ(hechos.last(), "elegir");
    busqueda.cualquierPosicion()->setChecked(true);
    busqueda.texto()->setText("e");
    busqueda.buscar();
    QCoreApplication::processEvents();  // buttons added to a shown screen appear on the next turn
    prueba::capturar(busqueda, "busqueda");
}

TEST_F(BusquedaTest, AFailedSearchIsReportedAndKeepsTheListShown) {
    ASSERT_EQ(buscar(1, "", false).size(), 5);
    busqueda.setConsultaBase([] { return QStringLiteral("select * from NO_EXISTE a, terceros t where 1=1"); });
    busqueda.texto()->setText("x");
    EXPECT_FALSE(busqueda.buscar());
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_EQ(busqueda.resultado().recordCount(), 5);

    std::vector<QString> manejados;
    busqueda.setManejadorErrores([&](const std::exception& e) { manejados.push_back(QString::fromUtf8(e.what())); });
    EXPECT_FALSE(busqueda.buscar());
    EXPECT_EQ(manejados.size(), 1u) << "the central handler, when the screen gives one";
}
