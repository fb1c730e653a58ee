// The preview draws only the page it shows, and that page as the whole
// report draws it ("Página N de M" included).
#include "printing/motor/Lienzos.h"
#include "printing/reportes/VistaPrevia.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace cxp;
using namespace cxp::reportes;

TEST(VistaPrevia, LaUltimaPaginaComoEnElInforme) {
    QString error;
    const auto d = Diseno::leer("<informes><informe nombre=\"d\" papel=\"8.5x11\" margen=\"0.5\"><pagina nombre=\"d.Page1\">"
                                "<banda nombre=\"detalle\" alto=\"0.2\"><campo columna=\"NIT\"/></banda>"
                                "<banda nombre=\"pie\" alto=\"0.3\"><texto>Página {pagina} de {paginas}</texto></banda>"
                                "</pagina></informe></informes>",
                                &error);
    ASSERT_TRUE(d) << error.toStdString();
    FilasTabla filas({QStringLiteral("NIT")});
    for (int i = 0; i < 300; ++i) filas.agregar({QString::number(900100000 + i)});
    const auto p = Paginado::preparar(d->informes().front(), filas, {}, &error);
    ASSERT_TRUE(p && p->paginas() > 4) << error.toStdString();
    VistaPrevia v(*p, QStringLiteral("Movimiento"));
    QTest::keyClick(&v, Qt::Key_End);
    QTest::keyClick(&v, Qt::Key_PageDown);  // stays on the last
    ASSERT_EQ(v.pagina(), p->paginas() - 1);
    LienzoGrabado todas(p->papel()), una(p->papel());
    p->dibujar(todas);
    p->dibujarPagina(v.pagina(), una);
    const auto a = una.textos(1), b = todas.textos(p->paginas());
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(a[i].texto == b[i].texto && a[i].desde == b[i].desde) << i;
}
