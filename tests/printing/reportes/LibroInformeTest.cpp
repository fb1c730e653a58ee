// A laid-out report as a workbook, read back by LibreOffice: the pages read
// as one sheet (title and header once, no page footers), figures as numbers
// whose sum is the report's, dates as dates, codes as the text they are.
#include "printing/reportes/ArchivosInforme.h"
#include "printing/reportes/Paginado.h"
#include "tests/support/HojaLeida.h"

using namespace cxp;
using namespace cxp::reportes;

TEST(LibroInforme, LasPaginasSonUnaHojaConNumerosYFechas) {
    const QByteArray xml = R"(<informes><informe nombre="detallado" papel="8.5x11" margen="0.5"><pagina nombre="detallado.Page1">
<banda nombre="titulo" alto="0.5"><texto>{nomcia}</texto></banda><banda nombre="encabezado" alto="0.3"><texto>Código</texto>
<texto x="1">Fecha</texto><texto x="7" alinear="derecha">Saldo</texto></banda><banda nombre="grupo" campo="NIT" alto="0.3"
repetir="S"><campo columna="NOMBRE"/></banda><banda nombre="detalle" alto="0.2"><campo columna="NIT"/><campo columna="FECHA" x="1"
formato="fecha"/><campo columna="SALDO" x="7" alinear="derecha" formato="numero"/></banda><banda nombre="resumen" alto="0.3">
<texto>Total</texto><suma columna="SALDO" x="7" alinear="derecha"/></banda><banda nombre="pie" alto="0.3"><texto x="3">Página
{pagina} de {paginas}</texto></banda></pagina></informe></informes>)";
    QString error;
    const auto d = Diseno::leer(xml, &error);
    ASSERT_TRUE(d) << error.toStdString();
    FilasTabla filas({QStringLiteral("NIT"), QStringLiteral("NOMBRE"), QStringLiteral("FECHA"), QStringLiteral("SALDO")});
    Dinero total;
    for (int a = 1; a <= 30; ++a)
        for (int r = 0; r < 4; ++r) {
            const int64_t centavos = (a % 2 ? 1 : -1) * (int64_t(a) * 123456 + r);
            total += Dinero::desdeCrudo(centavos * 100);
            filas.agregar({QStringLiteral("%1").arg(a, 4, 10, QChar(u'0')),
                           a == 1 ? QStringLiteral("=Ñandú & Cía") : QStringLiteral("Acreedor %1").arg(a),
                           QDate(2026, 1, 1).addDays(a), fb::Decimal{centavos, -2}});
        }
    Ejecucion e;
    e.parametros.insert(QStringLiteral("nomcia"), QStringLiteral("COMPAÑÍA DEMO"));
    const auto p = Paginado::preparar(d->informes().front(), filas, e, &error);
    ASSERT_TRUE(p) << error.toStdString();
    ASSERT_GT(p->paginas(), 2);

    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("RepMovProv.xlsx"));
    ASSERT_TRUE(escribirArchivo(*p, FormatoArchivo::Xlsx, ruta, QStringLiteral("x"), &error)) << error.toStdString();
    // Read as stored: a number plain, a date in LibreOffice's own form
    // (not the layout's day/month), a text as written.
    const auto hoja = prueba::celdas(prueba::comoLoVe(ruta, {}, false));
    // Title, header, 30 creditors, 120 rows, the total.
    ASSERT_EQ(hoja.size(), 1 + 1 + 30 + 120 + 1);
    EXPECT_EQ(hoja[0].value(0), QStringLiteral("COMPAÑÍA DEMO"));
    EXPECT_EQ(hoja[1], QStringList({"Código", "Fecha", "Saldo"}));
    EXPECT_EQ(hoja[2].value(0), QStringLiteral("=Ñandú & Cía")) << "text, never a formula";
    EXPECT_EQ(hoja[3], QStringList({"0001", "01/02/2026", "1234.56"}));
    Dinero suma;
    for (const QStringList& fila : hoja.mid(2, hoja.size() - 3)) suma += Dinero::desdeTexto(fila.value(2)).value_or(Dinero());
    EXPECT_EQ(suma, total);
    EXPECT_EQ(Dinero::desdeTexto(hoja.back().value(2)), total);
}
