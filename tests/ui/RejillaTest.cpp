// The grid: filter row, sorting by title, the current row in step with the
// DataSet, the popup menu, and what is exported or printed of it.
#include "ui/Rejilla.h"

#include "tests/ui/Capturas.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using cxp::DataSet;
using cxp::Dinero;
using cxp::FieldType;
using cxp::Rejilla;

namespace {

class RejillaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.openEmpty({
            {"NIT", FieldType::String, 15, 0, false, "T"},
            {"NOMBRE", FieldType::String, 60, 0, false, "T"},
            {"SALDO", FieldType::Decimal, 0, 2, false, "T"},
            {"FECHA", FieldType::Date, 0, 0, false, "T"},
            {"ESTADO", FieldType::String, 1, 0, false, "T"},
        });
        ds.field("NOMBRE").setLabel("Nombre");
        ds.field("SALDO").setLabel("Saldo");
        agregar("800", "PEÑA LTDA", "1234567.5", QDate(2024, 2, 29), "S");
        agregar("700", "Ávila & Cía", "-25", QDate(2023, 12, 1), "N");
        agregar("900", "Peñalosa S.A.", "0.05", QDate(2024, 1, 15), "S");
        agregar("100", "Zapata", "500", QDate(2022, 6, 30), "S");
        ds.first();
        auto* capa = new QVBoxLayout(&pantalla);
        casilla = rejilla->crearCasillaFiltros(&pantalla);
        capa->addWidget(casilla);
        capa->addWidget(rejilla);
        rejilla->setSoloLectura(true);
        pantalla.resize(700, 300);
        pantalla.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pantalla));
    }
    void agregar(const char* nit, const QString& nombre, const char* saldo, QDate fecha, const char* estado) {
        ds.append();
        ds.setValue("NIT", QString::fromLatin1(nit));
        ds.setValue("NOMBRE", nombre);
        ds.setValue("SALDO", *Dinero::desdeTexto(QString::fromLatin1(saldo)));
        ds.setValue("FECHA", fecha);
        ds.setValue("ESTADO", QString::fromLatin1(estado));
        ds.post();
    }
    QStringList nitsVisibles() const {
        QStringList r;
        for (int f = 0; f < rejilla->filasVisibles(); ++f) r << ds.row(rejilla->filaDataSet(f)).asString("NIT");
        return r;
    }
    void clicTitulo(int columna) {
        QHeaderView* h = rejilla->vista()->horizontalHeader();
        const QPoint p(h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    }

    DataSet ds;
    QWidget pantalla;
    Rejilla* rejilla = new Rejilla(ds, &pantalla);
    QCheckBox* casilla = nullptr;
};

}  // namespace

TEST_F(RejillaTest, TheFilterRowKeepsRowsContainingEveryTextIgnoringCase) {
    EXPECT_FALSE(rejilla->filtrosVisibles());
    EXPECT_EQ(casilla->text(), "Habilitar filtros");
    casilla->click();
    ASSERT_TRUE(rejilla->filtrosVisibles());
    QLineEdit* nombre = rejilla->editorFiltro(1);
    ASSERT_NE(nombre, nullptr);
    EXPECT_TRUE(nombre->isVisible());
    EXPECT_EQ(rejilla->editorFiltro(5), nullptr) << "one box per column";
    // Each box sits over its column.
    QHeaderView* h = rejilla->vista()->horizontalHeader();
    EXPECT_EQ(nombre->width(), h->sectionSize(1));
    EXPECT_EQ(rejilla->editorFiltro(2)->x() - nombre->x(), h->sectionSize(1));

    QTest::keyClicks(nombre, "pe");
    EXPECT_EQ(nitsVisibles(), QStringList({"800", "900"}));
    nombre->setText(QStringLiteral("peña"));
    EXPECT_EQ(nitsVisibles(), QStringList({"800", "900"})) << "Ñ and ñ are one letter";
    rejilla->setFiltro(2, "1,234");
    EXPECT_EQ(nitsVisibles(), QStringList({"800"})) << "as shown, thousands and all; every box must match";
    prueba::capturar(pantalla, "rejilla-filtros");

    rejilla->setFiltro(1, "");
    rejilla->setFiltro(2, "");
    rejilla->setFiltro(3, "2024/0");
    EXPECT_EQ(nitsVisibles(), QStringList({"800", "900"}));

    casilla->click();
    EXPECT_EQ(rejilla->filasVisibles(), 4) << "hiding the row drops its filters";
    EXPECT_TRUE(rejilla->editorFiltro(3)->text().isEmpty());
}

TEST_F(RejillaTest, AClickOnATitleSortsTheDataSetAndTheCurrentRowStays) {
    ds.setCurrentRow(2);  // 900
    clicTitulo(2);        // Saldo
    QStringList porSaldo;
    for (int r = 0; r < ds.recordCount(); ++r) porSaldo << ds.row(r).asString("NIT");
    EXPECT_EQ(porSaldo, QStringList({"700", "900", "100", "800"})) << "the DataSet itself is sorted, by value";
    EXPECT_EQ(ds.asString("NIT"), "900");
    EXPECT_EQ(rejilla->filaDataSet(rejilla->vista()->currentIndex().row()), ds.currentRow());

    clicTitulo(2);
    EXPECT_EQ(ds.row(0).asString("NIT"), "800") << "a second click sorts descending";
    EXPECT_EQ(rejilla->vista()->horizontalHeader()->sortIndicatorSection(), 2);

    clicTitulo(1);  // Nombre, Spanish order ignoring case and accents
    QStringList porNombre;
    for (int r = 0; r < ds.recordCount(); ++r) porNombre << ds.row(r).asString("NOMBRE");
    EXPECT_EQ(porNombre, QStringList({"Ávila & Cía", "PEÑA LTDA", "Peñalosa S.A.", "Zapata"}));
}

TEST_F(RejillaTest, TheCurrentRowFollowsBothWaysThroughAFilter) {
    rejilla->setFiltrosVisibles(true);
    rejilla->setFiltro(0, "0");  // 800, 700, 900, 100 all contain 0
    rejilla->setFiltro(4, "S");  // 800, 900, 100
    ASSERT_EQ(nitsVisibles(), QStringList({"800", "900", "100"}));
    QTableView* v = rejilla->vista();
    const QRect celda = v->visualRect(v->model()->index(1, 0));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, celda.center());
    EXPECT_EQ(ds.asString("NIT"), "900");
    ds.last();  // 100
    EXPECT_EQ(v->currentIndex().row(), 2);

    int activada = -1;
    QObject::connect(rejilla, &Rejilla::activada, [&](int fila) { activada = fila; });
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, celda.center());
    EXPECT_EQ(ds.row(activada).asString("NIT"), "900") << "the DataSet's row, not the grid's";
}

TEST_F(RejillaTest, TheMenuCopiesAndExportsTheSelectionInGridOrder) {
    QStringList textos;
    for (QAction* a : rejilla->menu()->actions()) textos << a->text();
    EXPECT_EQ(textos, QStringList({"&Copiar", "Se&lecccionar todo", "&Imprimir", "&Guardar selección"}));

    QTableView* v = rejilla->vista();
    v->selectionModel()->select(v->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    v->selectionModel()->select(v->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    rejilla->copiar();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "800\tPEÑA LTDA\t1,234,567.50\t2024/02/29\tS\n900\tPeñalosa S.A.\t0.05\t2024/01/15\tS");

    // Columns in the order the person dragged them to.
    v->horizontalHeader()->moveSection(2, 0);
    const cxp::TablaExportar t = rejilla->tablaSeleccion();
    ASSERT_EQ(t.filas.size(), 2u);
    EXPECT_EQ(t.columnas[0].titulo, "Saldo");
    EXPECT_EQ(t.texto(1, 0), "0.05");

    // An uncaptioned column goes out with the title the grid shows it with.
    cxp::DataSetModel::setCaptionLookup([](const QString& c) { return c == "FECHA" ? QString("Fecha") : QString(); });
    QTemporaryDir dir;
    const QString ruta = dir.filePath("sel.csv");
    const bool exportado = rejilla->exportar(ruta, cxp::FormatoArchivo::Csv);
    cxp::DataSetModel::setCaptionLookup({});
    ASSERT_TRUE(exportado);
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << "a byte-order mark: Excel reads the accents";
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)),
              QStringLiteral("Saldo,NIT,Nombre,Fecha,ESTADO\r\n1234567.50,800,PEÑA LTDA,2024/02/29,S\r\n"
                             "0.05,900,Peñalosa S.A.,2024/01/15,S\r\n"));

    // Nothing selected: every row shown.
    v->clearSelection();
    rejilla->setFiltrosVisibles(true);
    rejilla->setFiltro(4, "N");
    EXPECT_EQ(rejilla->filasSeleccionadas(), std::vector<int>({1}));
    rejilla->seleccionarTodo();
    EXPECT_EQ(rejilla->filasSeleccionadas().size(), 1u);

    rejilla->setFormatos({cxp::FormatoArchivo::Texto, cxp::FormatoArchivo::Csv, cxp::FormatoArchivo::Excel});
    EXPECT_EQ(rejilla->filtrosArchivo(),
              QStringList({"Archivo texto (*.txt)", "Valores separados por comas (*.csv)",
                           "Libro de Microsoft Excel (*.xls)"}));
}

// A date cell being edited shows yyyy/MM/dd, not the locale's short date,
// and takes a date typed over it.
TEST_F(RejillaTest, ADateCellIsEditedAsEveryDate) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
    rejilla->setSoloLectura(false);
    QTableView* v = rejilla->vista();
    const QModelIndex celda = v->model()->index(0, 3);
    v->setCurrentIndex(celda);
    v->edit(celda);
    auto* editor = qobject_cast<QDateTimeEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->text(), "2024/02/29");
    editor->selectAll();
    QTest::keyClicks(editor, "2026/12/7");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the grid takes the editor's value queued
    EXPECT_EQ(ds.asString("FECHA"), "2026/12/07");
    QLocale::setDefault(QLocale::c());
}

TEST_F(RejillaTest, RowColoursComeFromTheRow) {
    rejilla->setColorTexto([](const cxp::RecordRef& r) -> std::optional<QColor> {
        if (r.asString("ESTADO") == "N") return QColor(Qt::red);
        return std::nullopt;
    });
    QAbstractItemModel* m = rejilla->vista()->model();
    EXPECT_EQ(m->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(m->index(0, 1).data(Qt::ForegroundRole).isValid());
    rejilla->vista()->setFocus();
    rejilla->vista()->selectRow(0);
    prueba::capturar(pantalla, "rejilla");
}

TEST_F(RejillaTest, PrintsEveryRowShownFittedToThePageWithTheDate) {
    for (int i = 0; i < 150; ++i)
        agregar("1", QStringLiteral("Acreedor con un nombre bastante largo número %1").arg(i), "1000", QDate(2024, 5, 1),
                "S");
    rejilla->setTitulo("Movimiento acreedor");
    QTemporaryDir dir;
    const QString ruta = dir.filePath("rejilla.pdf");
    int paginas = 0;
    {
        QPdfWriter pdf(ruta);
        pdf.setPageSize(QPageSize(QPageSize::Letter));
        paginas = rejilla->imprimirEn(pdf);
    }
    EXPECT_GE(paginas, 3);
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
              paginas);

    // A filter prints only what it leaves.
    rejilla->setFiltrosVisibles(true);
    rejilla->setFiltro(0, "800");
    QPdfWriter otro(dir.filePath("uno.pdf"));
    EXPECT_EQ(rejilla->imprimirEn(otro), 1);

    // Forty rows of it, to be looked at.
    rejilla->setFiltro(0, "");
    cxp::TablaExportar t = rejilla->tablaSeleccion();
    t.filas.resize(40);
    const QString carpeta = qEnvironmentVariable("CXP_CAPTURAS");
    if (!carpeta.isEmpty()) {
        QPdfWriter muestra(carpeta + "/rejilla-impresa.pdf");
        cxp::imprimir(muestra, t, "Movimiento acreedor", QDate(2026, 12, 6));
    }
}
