// Report layouts: faults named when read or run, and the pagination of
// generated rows (group sums, report sum, headers, page numbers).
#include "printing/motor/Lienzos.h"
#include "printing/reportes/ArchivosInforme.h"
#include "printing/reportes/Paginado.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace cxp;
using namespace cxp::reportes;

namespace {

QByteArray envolver(const QString& bandas) {
    return (QStringLiteral("<informes><informe nombre=\"detallado\" papel=\"8.5x11\" margen=\"0.5\">"
                           "<pagina nombre=\"detallado.Page1\">") +
            bandas + QStringLiteral("</pagina></informe></informes>"))
        .toUtf8();
}

const QString kBandas = QStringLiteral(
    "<banda nombre=\"titulo\" alto=\"0.5\"><texto nombre=\"Text1\">{nomcia}</texto></banda>"
    "<banda nombre=\"encabezado\" alto=\"0.3\"><texto>NIT</texto></banda>"
    "<banda nombre=\"grupo\" campo=\"NIT\" alto=\"0.3\"><campo columna=\"NOMBRE\"/></banda>"
    "<banda nombre=\"detalle\" alto=\"0.2\"><campo columna=\"SALDO\" x=\"7\" alinear=\"derecha\" formato=\"numero\"/></banda>"
    "<banda nombre=\"totalgrupo\" clase=\"pie_grupo\" campo=\"NIT\" alto=\"0.3\"><suma columna=\"SALDO\" x=\"7\"/></banda>"
    "<banda nombre=\"resumen\" alto=\"0.3\"><suma columna=\"SALDO\" x=\"7\"/><cuenta columna=\"NIT\" x=\"3\"/></banda>"
    "<banda nombre=\"pie\" alto=\"0.3\"><texto x=\"3\">Página {pagina} de {paginas}</texto></banda>");

// Creditors 1..n with k(i) = i rows each, balance i*100 + row + 0.25.
FilasTabla generadas(int acreedores, Dinero* total) {
    FilasTabla f({QStringLiteral("NIT"), QStringLiteral("NOMBRE"), QStringLiteral("SALDO")});
    for (int a = 1; a <= acreedores; ++a)
        for (int r = 0; r < a; ++r) {
            const int64_t crudo = (int64_t(a) * 100 + r) * 10000 + 2500;
            *total += Dinero::desdeCrudo(crudo);
            f.agregar({QStringLiteral("%1").arg(a, 4, 10, QChar(u'0')), QStringLiteral("Acreedor %1").arg(a),
                       fb::Decimal{crudo / 100, -2}});
        }
    return f;
}

}  // namespace

TEST(Diseno, FaltasNombradas) {
    struct Caso {
        QString bandas;
        QString ocultar;  // band hidden by the screen
        QString texto;    // text object filled by the screen
        QString espera;   // part of the message
    };
    const Caso casos[] = {
        {QStringLiteral("<banda nombre=\"cabecera\" alto=\"0.2\"/>"), {}, {}, QStringLiteral("Banda desconocida \"cabecera\"")},
        {kBandas + QStringLiteral("<banda nombre=\"x\" clase=\"piegrupo\" campo=\"NIT\"/>"), {}, {},
         QStringLiteral("Banda desconocida \"piegrupo\"")},
        {QStringLiteral("<banda nombre=\"detalle\"><campo columna=\"NITT\"/></banda>"), {}, {},
         QStringLiteral("El campo NITT de la banda detalle")},
        {QStringLiteral("<banda nombre=\"detalle\"><casilla/></banda>"), {}, {}, QStringLiteral("Elemento desconocido <casilla>")},
        {QStringLiteral("<banda nombre=\"detalle\"><texto>{nomcía}</texto></banda>"), {}, {},
         QStringLiteral("Parámetro desconocido \"nomcía\"")},
        {QStringLiteral("<banda nombre=\"detalle\"><suma columna=\"SALDO\"/></banda>"), {}, {}, QStringLiteral("<suma> solo va")},
        {QStringLiteral("<banda nombre=\"grupo\"/><banda nombre=\"detalle\"/>"), {}, {}, QStringLiteral("no dice su campo")},
        {QStringLiteral("<banda nombre=\"detalle\" alto=\"x\"/>"), {}, {}, QStringLiteral("\"x\" no válido para \"alto\"")},
        {QStringLiteral("<banda nombre=\"encabezado\"/>"), {}, {}, QStringLiteral("no tiene banda de detalle")},
        {kBandas, QStringLiteral("ciudad"), {}, QStringLiteral("no tiene la banda ciudad")},
        {kBandas, {}, QStringLiteral("Text22"), QStringLiteral("no tiene el texto Text22")},
        {QStringLiteral("<banda nombre=\"detalle\"><campo columna=\"NIT\">"), {}, {}, QStringLiteral("XML mal formado")},
    };
    Dinero total;
    const FilasTabla filas = generadas(2, &total);
    for (const Caso& c : casos) {
        QString error;
        auto d = Diseno::leer(envolver(c.bandas), &error);
        if (d) {
            Ejecucion e;
            if (!c.ocultar.isEmpty()) e.ocultas.insert(c.ocultar);
            if (!c.texto.isEmpty()) e.textos.insert(c.texto, QStringLiteral("x"));
            EXPECT_FALSE(Paginado::preparar(d->informes().front(), filas, e, &error)) << c.espera.toStdString();
        }
        EXPECT_TRUE(error.contains(c.espera)) << error.toStdString() << " / " << c.espera.toStdString();
    }
}

TEST(Paginado, GruposSumasYPaginas) {
    struct Caso {
        int acreedores;
        bool conGrupos;
    };
    for (const Caso c : {Caso{1, true}, Caso{40, true}, Caso{40, false}}) {
        QString error;
        const auto d = Diseno::leer(envolver(kBandas), &error);
        ASSERT_TRUE(d) << error.toStdString();
        Dinero total;
        const FilasTabla filas = generadas(c.acreedores, &total);
        Ejecucion e;
        e.parametros.insert(QStringLiteral("nomcia"), QStringLiteral("COMPAÑIA DEMO"));
        if (!c.conGrupos) e.ocultas = {QStringLiteral("grupo"), QStringLiteral("totalgrupo")};
        const auto p = Paginado::preparar(d->informes().front(), filas, e, &error);
        ASSERT_TRUE(p) << error.toStdString();

        // Each group's sum is its creditor's rows; the report's all rows.
        const auto grupos = p->sumasDe(QStringLiteral("totalgrupo"));
        ASSERT_EQ(int(grupos.size()), c.conGrupos ? c.acreedores : 0);
        for (int a = 1; a <= int(grupos.size()); ++a) {
            Dinero esperado;
            for (int r = 0; r < a; ++r) esperado += Dinero::desdeCrudo((int64_t(a) * 100 + r) * 10000 + 2500);
            EXPECT_EQ(grupos[size_t(a - 1)].front(), esperado) << a;
        }
        ASSERT_EQ(p->sumasDe(QStringLiteral("resumen")),
                  (std::vector<std::vector<Dinero>>{{total, Dinero::desdeEntero(c.acreedores * (c.acreedores + 1) / 2)}}));

        LienzoGrabado l(p->papel());
        p->dibujar(l);
        ASSERT_EQ(l.paginas(), p->paginas());
        EXPECT_EQ(l.buscar(QStringLiteral("COMPAÑIA DEMO")).size(), 1u);  // the title once
        EXPECT_EQ(int(l.buscar(QStringLiteral("NIT")).size()), p->paginas());  // header on every page
        for (int pg = 1; pg <= p->paginas(); ++pg) {
            EXPECT_EQ(l.buscar(QStringLiteral("Página %1 de %2").arg(pg).arg(p->paginas())).size(), 1u);
            // Keep-together: a page never ends on a group header.
            const auto textos = l.textos(pg);
            double yUltimoDetalle = -1, yUltimoGrupo = -1;
            for (const auto& t : textos) {
                if (t.texto.startsWith(QStringLiteral("Acreedor"))) yUltimoGrupo = std::max(yUltimoGrupo, t.desde.y());
                if (t.alineacion == Alineacion::Derecha) yUltimoDetalle = std::max(yUltimoDetalle, t.desde.y());
            }
            EXPECT_LT(yUltimoGrupo, yUltimoDetalle) << "page " << pg;
            // Nothing runs into the page footer.
            for (const auto& t : textos)
                if (!t.texto.startsWith(QStringLiteral("Página"))) EXPECT_LE(t.desde.y(), 11 - 0.5 - 0.3 - 0.2 + 1e-9);
        }
        if (c.acreedores == 40) EXPECT_GT(p->paginas(), 5);
        // The text output carries the same figures.
        EXPECT_TRUE(comoTexto(*p).contains(total.texto(2)));
    }
}

// Every layout shipped with the program reads without fault.
TEST(Diseno, LosDisenosEntregadosSeLeen) {
    const QDir dir(QStringLiteral(CXP_DISENOS));
    const QStringList archivos = dir.entryList({QStringLiteral("*.xml")});
    ASSERT_FALSE(archivos.isEmpty());
    for (const QString& a : archivos) {
        QString error;
        EXPECT_TRUE(Diseno::leerArchivo(dir.filePath(a), &error)) << error.toStdString();
    }
}
