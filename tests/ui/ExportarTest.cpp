// Grid files: what LibreOffice reads back from the comma-separated and the
// spreadsheet files must be the cells we wrote, accents, commas, quotes,
// money and dates included; names get their extension; the other formats
// escape what would break them.
#include "ui/ExportarTabla.h"

#include "tests/support/HojaLeida.h"


using cxp::ColumnaTabla;
using cxp::FieldType;
using cxp::FormatoArchivo;
using cxp::TablaExportar;
using prueba::celdas;
using prueba::comoLoVe;

namespace {

fb::Value dinero(const char* texto) { return cxp::toValue(*cxp::Dinero::desdeTexto(QString::fromLatin1(texto))); }

TablaExportar muestra() {
    TablaExportar t;
    t.columnas = {{"Nit", FieldType::String},       {"Nombre, razón", FieldType::String},
                  {"Saldo", FieldType::Decimal, 2}, {"Fecha", FieldType::Date},
                  {"Items", FieldType::Integer},    {"Notas", FieldType::Memo}};
    t.filas = {
        {"800.123.456-7", "Peña \"La Única\", Ltda.", dinero("1234567.5"), QDate(2024, 2, 29), int64_t(12345),
         "línea uno\nlínea dos"},
        {"900", "O'Brien & Cía <web>", dinero("-0.05"), QDate(1999, 12, 31), int64_t(0), fb::Value()},
        {"", "Ñandú", fb::Value(), fb::Value(), fb::Value(), "=1+1"},
    };
    return t;
}

}  // namespace

TEST(Exportar, LibreOfficeReadsTheSameCellsFromCsvAndSpreadsheet) {
    QTemporaryDir dir;
    const TablaExportar t = muestra();
    const QString csv = dir.filePath("Carteraxprov.csv");
    ASSERT_TRUE(cxp::guardar(csv, t, FormatoArchivo::Csv));

    const QStringList titulos{"Nit", "Nombre, razón", "Saldo", "Fecha", "Items", "Notas"};
    // Comma-separated: numbers plain, so they come back as numbers; text
    // that a spreadsheet would evaluate carries an apostrophe.
    EXPECT_TRUE(cxp::contenido(t, FormatoArchivo::Csv).contains("\r\n,Ñandú,,,,'=1+1\r\n"));
    const auto deCsv = celdas(comoLoVe(csv, "CSV:44,34,76,1,,0,false,false,,,,,false"));
    ASSERT_EQ(deCsv.size(), 4);
    EXPECT_EQ(deCsv[0], titulos);
    EXPECT_EQ(deCsv[1], QStringList({"800.123.456-7", "Peña \"La Única\", Ltda.", "1234567.5", "2024/02/29", "12345",
                                     "línea uno\nlínea dos"}));
    EXPECT_EQ(deCsv[2], QStringList({"900", "O'Brien & Cía <web>", "-0.05", "1999/12/31", "0", ""}));
    EXPECT_EQ(deCsv[3], QStringList({"", "Ñandú", "", "", "", "'=1+1"}));

    // Both spreadsheets give the same cells: money as money with thousands,
    // dates as dates, and "=1+1" as the text it is (no apostrophe needed).
    for (const FormatoArchivo formato : {FormatoArchivo::Excel, FormatoArchivo::Xlsx}) {
        const QString hoja = dir.filePath("Carteraxprov." + cxp::extension(formato));
        QString error;
        ASSERT_TRUE(cxp::guardar(hoja, t, formato, &error)) << qPrintable(error);
        const auto leidas = celdas(comoLoVe(hoja, {}));
        ASSERT_EQ(leidas.size(), deCsv.size()) << qPrintable(hoja);
        for (int f = 0; f < int(deCsv.size()); ++f)
            for (int c = 0; c < int(titulos.size()); ++c) {
                QString esperada = deCsv[f][c];
                if (c == 2 && f > 0 && !esperada.isEmpty())  // the money column
                    esperada = cxp::Dinero::desdeTexto(esperada)->texto(2);
                if (esperada.startsWith(u'\''))
                    esperada.remove(0, 1);
                EXPECT_EQ(leidas[f].value(c), esperada) << qPrintable(hoja) << " row " << f << " column " << c;
            }
    }
    // Stored as numbers and dates: read plain, they are the CSV's figures
    // and LibreOffice's own date form.
    const auto crudas = celdas(comoLoVe(dir.filePath("Carteraxprov.xlsx"), {}, false));
    ASSERT_EQ(crudas.size(), 4);
    EXPECT_EQ(crudas[1].mid(2, 3), QStringList({"1234567.5", "02/29/2024", "12345"}));
    EXPECT_EQ(crudas[2].mid(2, 3), QStringList({"-0.05", "12/31/1999", "0"}));
}

TEST(Exportar, TextWebPageAndRichTextKeepEveryCharacter) {
    const TablaExportar t = muestra();
    const QByteArray bytesTxt = cxp::contenido(t, FormatoArchivo::Texto);
    EXPECT_TRUE(bytesTxt.startsWith("\xEF\xBB\xBF"));
    const QString txt = QString::fromUtf8(bytesTxt.mid(3));
    EXPECT_TRUE(txt.startsWith(QStringLiteral("Nit\tNombre, razón\tSaldo")));
    EXPECT_TRUE(txt.contains(QStringLiteral("800.123.456-7\tPeña \"La Única\", Ltda.\t1,234,567.50\t2024/02/29\t12345\t"
                                            "línea uno línea dos\r\n")))
        << "one row, one line";

    const QString html = QString::fromUtf8(cxp::contenido(t, FormatoArchivo::Html));
    EXPECT_TRUE(html.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(html.contains("<td>O'Brien &amp; Cía &lt;web&gt;</td>"));
    EXPECT_TRUE(html.contains("<td align=\"right\">1,234,567.50</td>"));
    EXPECT_TRUE(html.contains("<th>Nombre, razón</th>"));

    const QByteArray rtf = cxp::contenido(t, FormatoArchivo::Rtf);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(rtf.contains("Pe\\u241?a")) << "ñ as a Unicode escape";
    EXPECT_TRUE(rtf.contains("\\u209?and\\u250?")) << "Ñandú";
    EXPECT_EQ(rtf.count("\\row"), 4);
    EXPECT_EQ(rtf.count('{') , rtf.count('}')) << "braces balanced";
}

TEST(Exportar, TheChosenFormatsExtensionIsAddedWhenMissing) {
    EXPECT_EQ(cxp::conExtension("/tmp/Carteraxprov", FormatoArchivo::Csv), "/tmp/Carteraxprov.csv");
    EXPECT_EQ(cxp::conExtension("/tmp/datos.CSV", FormatoArchivo::Csv), "/tmp/datos.CSV");
    EXPECT_EQ(cxp::conExtension("/tmp/datos.txt", FormatoArchivo::Excel), "/tmp/datos.txt.xls");
    EXPECT_EQ(cxp::conExtension("/tmp/reportetxt", FormatoArchivo::Texto), "/tmp/reportetxt.txt");
    EXPECT_EQ(cxp::conExtension("/tmp/pagina.html", FormatoArchivo::Html), "/tmp/pagina.html");
    EXPECT_EQ(cxp::conExtension("/tmp/pagina", FormatoArchivo::Html), "/tmp/pagina.htm");
    EXPECT_EQ(cxp::formatoDeFiltro("Libro de Microsoft Excel (*.xls)"), FormatoArchivo::Excel);
    EXPECT_EQ(cxp::conExtension("/tmp/datos.xls", FormatoArchivo::Xlsx), "/tmp/datos.xls.xlsx");
    EXPECT_EQ(cxp::formatoDeFiltro("Libro de Excel 2007-365 (*.xlsx)"), FormatoArchivo::Xlsx);
    EXPECT_EQ(cxp::formatoDeFiltro("Otro (*.doc)"), std::nullopt);
}

// A creditor named "=HYPERLINK(…)" opens as text in whatever reads the file.
TEST(Exportar, TextThatLooksLikeAFormulaIsNeutralised) {
    const std::pair<const char*, const char*> casos[] = {
        {"=HYPERLINK(\"http://x\")", "'=HYPERLINK(\"http://x\")"}, {"+57 1 555", "'+57 1 555"}, {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"}, {"\t=1", "'\t=1"}, {"Peña = 1", "Peña = 1"}, {"", ""},
    };
    for (const auto& [texto, esperado] : casos) EXPECT_EQ(cxp::sinFormula(texto), esperado) << texto;

    TablaExportar t;
    t.columnas = {{"Nombre", FieldType::String}, {"Saldo", FieldType::Decimal, 2}, {"Notas", FieldType::Memo}};
    t.filas = {{"=HYPERLINK(1)", fb::Decimal{-5, -2}, "@x"}};
    const QString csv = QString::fromUtf8(cxp::contenido(t, FormatoArchivo::Csv));
    EXPECT_TRUE(csv.endsWith("'=HYPERLINK(1),-0.05,'@x\r\n")) << qPrintable(csv);
    const QString txt = QString::fromUtf8(cxp::contenido(t, FormatoArchivo::Texto));
    EXPECT_TRUE(txt.endsWith("'=HYPERLINK(1)\t-0.05\t'@x\r\n")) << "numbers keep their sign";
    const QString xls = QString::fromUtf8(cxp::contenido(t, FormatoArchivo::Excel));
    EXPECT_TRUE(xls.contains("<Data ss:Type=\"String\">=HYPERLINK(1)</Data>"));
    EXPECT_FALSE(xls.contains("ss:Formula")) << "the spreadsheet never evaluates a String cell";
}

// "saldos" typed where saldos.csv exists asks before anything is written.
TEST(Exportar, TheOverwriteQuestionNamesTheFileWithItsExtension) {
    QTemporaryDir dir;
    QFile(dir.filePath("saldos.csv")).open(QIODevice::WriteOnly);
    struct {
        const char* tecleado;
        FormatoArchivo formato;
        bool respuesta;
        const char* preguntado;  // empty: no question
        const char* destino;     // empty: nothing is written
    } casos[] = {
        {"saldos", FormatoArchivo::Csv, false, "saldos.csv", ""},
        {"saldos", FormatoArchivo::Csv, true, "saldos.csv", "saldos.csv"},
        {"saldos.csv", FormatoArchivo::Csv, false, "saldos.csv", ""},
        {"saldos", FormatoArchivo::Texto, false, "", "saldos.txt"},
    };
    for (const auto& c : casos) {
        QString preguntado;
        const auto destino = cxp::destinoExportacion(dir.filePath(c.tecleado), c.formato, [&](const QString& r) {
            preguntado = QFileInfo(r).fileName();
            return c.respuesta;
        });
        EXPECT_EQ(preguntado, c.preguntado) << c.tecleado;
        EXPECT_EQ(destino ? QFileInfo(*destino).fileName() : QString(), c.destino) << c.tecleado;
    }
    EXPECT_FALSE(cxp::destinoExportacion({}, FormatoArchivo::Csv, [](const QString&) { return true; }));
}

TEST(Exportar, AFileThatCannotBeWrittenSaysWhyAndLeavesNothing) {
    QTemporaryDir dir;
    QString error;
    const QString ruta = dir.filePath("no/existe/archivo.csv");
    EXPECT_FALSE(cxp::guardar(ruta, muestra(), FormatoArchivo::Csv, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(ruta));
}
