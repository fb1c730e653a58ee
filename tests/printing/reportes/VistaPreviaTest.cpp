// The preview draws only the page it shows, that page as the whole report
// draws it ("Página N de M" included), and its keys move within bounds.
#include "printing/motor/Lienzos.h"
#include "printing/reportes/VistaPrevia.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace cxp;
using namespace cxp::reportes;

TEST(VistaPrevia, CadaPaginaComoEnElInformeYSusTeclas) {
    QString error;
    const auto d = Diseno::leer(
        "<informes><informe nombre=\"detallado\" papel=\"8.5x11\" margen=\"0.5\"><pagina nombre=\"detallado.Page1\">"
        "<banda nombre=\"titulo\" alto=\"0.5\"><texto>MOVIMIENTO</texto></banda>"
        "<banda nombre=\"detalle\" alto=\"0.2\"><campo columna=\"NIT\"/></banda>"
        "<banda nombre=\"pie\" alto=\"0.3\"><texto x=\"3\">Página {pagina} de {paginas}</texto></banda>"
        "</pagina></informe></informes>",
        &error);
    ASSERT_TRUE(d) << error.toStdString();
    FilasTabla filas({QStringLiteral("NIT")});
    for (int i = 0; i < 300; ++i) filas.agregar({QStringLiteral("9001%1").arg(i, 5, 10, QChar(u'0'))});
    const auto p = Paginado::preparar(d->informes().front(), filas, {}, &error);
    ASSERT_TRUE(p) << error.toStdString();
    const int ultima = p->paginas() - 1;
    ASSERT_GE(ultima, 4);

    LienzoGrabado todas(p->papel());
    p->dibujar(todas);
    for (const int pg : {0, 1, ultima}) {
        LienzoGrabado una(p->papel());
        p->dibujarPagina(pg, una);
        EXPECT_EQ(una.paginas(), 1);
        const auto a = una.textos(1), b = todas.textos(pg + 1);
        ASSERT_EQ(a.size(), b.size()) << pg;
        for (size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(a[i].texto == b[i].texto && a[i].desde == b[i].desde) << pg;
    }

    VistaPrevia v(*p, QStringLiteral("Movimiento"));
    const struct {
        Qt::Key tecla;
        int pagina;
    } pasos[] = {{Qt::Key_End, ultima},  {Qt::Key_PageDown, ultima}, {Qt::Key_PageUp, ultima - 1},
                 {Qt::Key_Home, 0},      {Qt::Key_PageUp, 0},        {Qt::Key_PageDown, 1}};
    for (const auto& s : pasos) {
        QTest::keyClick(&v, s.tecla);
        EXPECT_EQ(v.pagina(), s.pagina) << s.tecla;
    }
    EXPECT_NE(v.imagen(0), v.imagen(1));  // each page drawn by itself
}
