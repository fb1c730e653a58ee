// The engine on the recording canvas: pages, page part, detail, closing
// items, the cut, the stamp, text cuts and numbers.
#include "printing/motor/Lienzos.h"
#include "printing/motor/Motor.h"

#include <gtest/gtest.h>

using namespace cxp;

namespace {

DatoFormato dato(const QString& nombre, int x, int y, bool repite = false, bool liquida = false, bool pyv = false) {
    DatoFormato d;
    d.dato = nombre;
    d.posX = x;
    d.posY = y;
    d.repite = repite;
    d.liquida = liquida;
    d.posYVariable = pyv;
    return d;
}

LineaFormato elemento(QChar tipo, int x, int y, int lx, int ly, bool liquida = false, const QString& cadena = {}) {
    LineaFormato e;
    e.tipo = tipo;
    e.posX = x;
    e.posY = y;
    e.x = lx;
    e.y = ly;
    e.liquida = liquida;
    e.cadena = cadena;
    return e;
}

// A page of 7.5 × 10 inches: fx = fy = 0.005 inch per grid unit.
const QSizeF kPagina(7.5, 10);

Formato formatoBase(std::optional<int> nroItems = 10, bool paginas = true) {
    Formato f;
    f.nroItems = nroItems;
    f.paginas = paginas;
    f.entrelinea = 40;
    f.fuente = QStringLiteral("Arial");
    f.tamano = 9;
    return f;
}

DocumentoImpreso documento(int filas, QHash<QString, ValorImpreso> pagina = {}) {
    DocumentoImpreso d;
    pagina.insert(QStringLiteral("NUMERO"), ValorImpreso::deTexto(QStringLiteral("000123")));
    pagina.insert(QStringLiteral("TOTAL EGRESO"), ValorImpreso::deMoneda(Dinero::desdeEntero(2500)));
    d.valor = [pagina](const QString& n, int p) -> std::optional<ValorImpreso> {
        if (n == QLatin1String("NUMERO PAGINA")) return ValorImpreso::deTexto(QString::number(p));
        if (!pagina.contains(n)) return std::nullopt;
        return pagina.value(n);
    };
    FuenteDetalle docs;
    docs.nombres = {QStringLiteral("DOCUMENTO NUMERO")};
    for (int i = 1; i <= filas; ++i)
        docs.filas.push_back({{QStringLiteral("DOCUMENTO NUMERO"), ValorImpreso::deTexto(QStringLiteral("D%1").arg(i))}});
    d.detalles.push_back({docs});
    return d;
}

}  // namespace

TEST(Motor, VeinticincoDocumentosEnDiezPorPaginaDanTresPaginasYElCierreUnaVezAlFinal) {
    Formato f = formatoBase(10, true);
    f.datos = {dato("NUMERO", 100, 100), dato("NUMERO PAGINA", 1400, 100), dato("DOCUMENTO NUMERO", 100, 400, true),
               dato("TOTAL EGRESO", 1400, 500, false, true, true), dato("TOTAL EGRESO", 1400, 1900, false, true, false)};
    f.lineas = {elemento(u'T', 100, 50, 0, 0, false, QStringLiteral("COMPROBANTE DE EGRESO")),
                elemento(u'C', 100, 480, 1300, 60, true)};
    const DocumentoImpreso d = documento(25);
    LienzoGrabado lienzo(kPagina);
    const ResultadoMotor r = MotorImpresion(f, d, lienzo).imprimir();

    ASSERT_TRUE(r.impreso);
    EXPECT_EQ(r.paginas, 3);
    EXPECT_EQ(lienzo.paginas(), 3);
    // The page part on every page, each with its own page number.
    for (int p = 1; p <= 3; ++p) {
        int numeros = 0, titulos = 0;
        QString pagina;
        for (const auto& t : lienzo.textos(p)) {
            numeros += t.texto == QLatin1String("000123");
            titulos += t.texto == QLatin1String("COMPROBANTE DE EGRESO");
            if (t.desde.x() == 1400 * 0.005 && t.desde.y() == 100 * 0.005) pagina = t.texto;
        }
        EXPECT_EQ(numeros, 1) << p;
        EXPECT_EQ(titulos, 1) << p;
        EXPECT_EQ(pagina, QString::number(p));
    }
    // Detail: 10, 10 and 5 lines, line n at 400 + 40·n grid units.
    const auto d11 = lienzo.buscar(QStringLiteral("D11"));
    ASSERT_EQ(d11.size(), 1u);
    EXPECT_EQ(d11[0].pagina, 2);
    EXPECT_DOUBLE_EQ(d11[0].desde.y(), 400 * 0.005);
    const auto d25 = lienzo.buscar(QStringLiteral("D25"));
    ASSERT_EQ(d25.size(), 1u);
    EXPECT_EQ(d25[0].pagina, 3);
    EXPECT_DOUBLE_EQ(d25[0].desde.y(), (400 + 4 * 40) * 0.005);
    // Closing items once, on the last page: the PYV one moved by 5 lines,
    // the other where it stands; money right-aligned with its sign.
    const auto totales = lienzo.buscar(QStringLiteral("$ 2,500.00"));
    ASSERT_EQ(totales.size(), 2u);
    for (const auto& t : totales) {
        EXPECT_EQ(t.pagina, 3);
        EXPECT_EQ(t.alineacion, Alineacion::Derecha);
    }
    EXPECT_DOUBLE_EQ(totales[0].desde.y(), (500 + 5 * 40) * 0.005);
    EXPECT_DOUBLE_EQ(totales[1].desde.y(), 1900 * 0.005);
    // The closing box moves down with the lines; its height stays.
    int cajas = 0;
    for (const auto& t : lienzo.trazos()) {
        if (t.clase != LienzoGrabado::Trazo::Clase::Cuadro) continue;
        ++cajas;
        EXPECT_EQ(t.pagina, 3);
        EXPECT_DOUBLE_EQ(t.desde.y(), (480 + 5 * 40) * 0.005);
        EXPECT_NEAR(t.hasta.y() - t.desde.y(), 60 * 0.005, 1e-9);
    }
    EXPECT_EQ(cajas, 1);
}

TEST(Motor, SinVariasPaginasElDetalleSeCortaEnElNumeroDeRepeticiones) {
    Formato f = formatoBase(10, false);
    f.datos = {dato("DOCUMENTO NUMERO", 100, 400, true), dato("TOTAL EGRESO", 1400, 900, false, true, true)};
    LienzoGrabado lienzo(kPagina);
    const ResultadoMotor r = MotorImpresion(f, documento(25), lienzo).imprimir();
    ASSERT_TRUE(r.impreso);
    EXPECT_EQ(lienzo.paginas(), 1);
    EXPECT_EQ(lienzo.buscar(QStringLiteral("D10")).size(), 1u);
    EXPECT_TRUE(lienzo.buscar(QStringLiteral("D11")).empty());
    EXPECT_TRUE(lienzo.buscar(QStringLiteral("D25")).empty());
    const auto total = lienzo.buscar(QStringLiteral("$ 2,500.00"));
    ASSERT_EQ(total.size(), 1u);
    EXPECT_DOUBLE_EQ(total[0].desde.y(), (900 + 10 * 40) * 0.005);
}

TEST(Motor, UnFormatoDeVariasPaginasSinRepeticionesValidasSeRechazaSinDibujar) {
    for (const std::optional<int> n : {std::optional<int>(), std::optional<int>(0), std::optional<int>(-3)}) {
        Formato f = formatoBase(n, true);
        f.datos = {dato("NUMERO", 100, 100), dato("DOCUMENTO NUMERO", 100, 400, true)};
        LienzoGrabado lienzo(kPagina);
        const ResultadoMotor r = MotorImpresion(f, documento(3), lienzo).imprimir();
        EXPECT_FALSE(r.impreso);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(lienzo.trazos().empty());
    }
    // One page only: an empty number of lines does not cut the detail.
    Formato f = formatoBase(std::nullopt, false);
    f.datos = {dato("DOCUMENTO NUMERO", 100, 400, true)};
    LienzoGrabado lienzo(kPagina);
    EXPECT_TRUE(MotorImpresion(f, documento(3), lienzo).imprimir().impreso);
    EXPECT_EQ(lienzo.textos().size(), 3u);
}

TEST(Motor, ElSelloDeAnuladoVaEnLaParteDePaginaDeUnDocumentoAnulado) {
    Formato f = formatoBase(2, true);
    f.datos = {dato("NUMERO", 100, 100), dato("DOCUMENTO NUMERO", 100, 400, true), dato("TOTAL EGRESO", 1400, 1200)};
    DatoFormato oculto = dato("NUMERO", 100, 1900);
    oculto.imprime = false;  // not counted for the stamp's height
    f.datos.push_back(oculto);
    DocumentoImpreso d = documento(3);
    d.imagenAnulado = QByteArrayLiteral("BMsello");
    {
        LienzoGrabado lienzo(kPagina);
        MotorImpresion(f, d, lienzo).imprimir();
        EXPECT_TRUE(std::none_of(lienzo.trazos().begin(), lienzo.trazos().end(), [](const auto& t) {
            return t.clase == LienzoGrabado::Trazo::Clase::Imagen;
        }));
    }
    d.anulado = true;
    LienzoGrabado lienzo(kPagina);
    MotorImpresion(f, d, lienzo).imprimir();
    std::vector<LienzoGrabado::Trazo> sellos;
    for (const auto& t : lienzo.trazos())
        if (t.clase == LienzoGrabado::Trazo::Clase::Imagen) sellos.push_back(t);
    ASSERT_FALSE(sellos.empty());
    EXPECT_EQ(sellos[0].pagina, 1);
    EXPECT_EQ(sellos[0].datos, QByteArrayLiteral("BMsello"));
    EXPECT_EQ(sellos[0].desde, QPointF(1, 1));
    EXPECT_DOUBLE_EQ(sellos[0].hasta.x(), 7.5);
    EXPECT_DOUBLE_EQ(sellos[0].hasta.y(), 1200 * 0.005);
    // Drawn before the page's texts, under them.
    EXPECT_EQ(lienzo.trazos().front().clase, LienzoGrabado::Trazo::Clase::Imagen);
}

TEST(Motor, TextosYNumerosSegunInicioLongitudYDecimales) {
    struct Caso {
        QString texto;
        int inicio;
        std::optional<int> longitud;
        QString esperado;
    };
    const Caso casos[] = {
        {QStringLiteral("ABCDEFGHIJ"), 3, 4, QStringLiteral("CDEF")},
        {QStringLiteral("ABCDEFGHIJ"), 1, 0, QStringLiteral("ABCDEFGHIJ")},
        {QStringLiteral("ABCDEFGHIJ"), 1, std::nullopt, QStringLiteral("ABCDEFGHIJ")},
        {QStringLiteral("ABC"), 2, 10, QStringLiteral("BC")},
        {QStringLiteral("ABC"), 0, 2, QStringLiteral("AB")},
    };
    for (const Caso& c : casos) EXPECT_EQ(MotorImpresion::cortar(c.texto, c.inicio, c.longitud), c.esperado) << qPrintable(c.texto);

    const Dinero v = *Dinero::desdeTexto(u"1234567.891");
    EXPECT_EQ(MotorImpresion::textoNumero(v, QString(), false), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(MotorImpresion::textoNumero(v, QStringLiteral("x"), false), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(MotorImpresion::textoNumero(v, QStringLiteral("0"), false), QStringLiteral("1,234,568"));
    EXPECT_EQ(MotorImpresion::textoNumero(v, QStringLiteral("3"), true), QStringLiteral("$ 1,234,567.891"));
    EXPECT_EQ(MotorImpresion::textoNumero(-v, QString(), true), QStringLiteral("-$ 1,234,567.89"));
    EXPECT_EQ(MotorImpresion::textoNumero(std::nullopt, QString(), false), QStringLiteral("0.00"));

    // On the page: the cut text at its left edge, the number ending at x,
    // the item's own font, else the format's.
    Formato f = formatoBase();
    DatoFormato t = dato("NOMBRE", 200, 300);
    t.inicio = 3;
    t.longitud = 4;
    t.fuente = QStringLiteral("Courier");
    t.tamano = 14;
    f.datos = {t, dato("MONTO", 1000, 300)};
    DocumentoImpreso d = documento(0, {{QStringLiteral("NOMBRE"), ValorImpreso::deTexto(QStringLiteral("ABCDEFGHIJ"))},
                                       {QStringLiteral("MONTO"), ValorImpreso::deNumero(Dinero::desdeEntero(75))}});
    LienzoGrabado lienzo(kPagina);
    MotorImpresion(f, d, lienzo).imprimir();
    const auto textos = lienzo.textos();
    ASSERT_EQ(textos.size(), 2u);
    EXPECT_EQ(textos[0].texto, QStringLiteral("CDEF"));
    EXPECT_EQ(textos[0].fuente, (FuenteTexto{QStringLiteral("Courier"), 14}));
    EXPECT_EQ(textos[0].alineacion, Alineacion::Izquierda);
    EXPECT_EQ(textos[1].texto, QStringLiteral("75.00"));
    EXPECT_EQ(textos[1].fuente, (FuenteTexto{QStringLiteral("Arial"), 9}));
    EXPECT_EQ(textos[1].alineacion, Alineacion::Derecha);
    EXPECT_DOUBLE_EQ(textos[1].desde.x(), 1000 * 0.005);
}

TEST(Motor, UnNombreDesconocidoOSinImprimirNoImprimeNadaYLasFuentesVanLadoALado) {
    Formato f = formatoBase(10, true);
    DatoFormato apagado = dato("NUMERO", 100, 200);
    apagado.imprime = false;
    f.datos = {dato("NO EXISTE", 100, 100), dato("DOCUMENTO INEXISTENTE", 100, 400, true), apagado,
               dato("DOCUMENTO NUMERO", 100, 500, true), dato("PAGO MONTO", 1400, 500, true)};
    DocumentoImpreso d = documento(3);
    FuenteDetalle pagos;
    pagos.nombres = {QStringLiteral("PAGO MONTO")};
    pagos.filas.push_back({{QStringLiteral("PAGO MONTO"), ValorImpreso::deNumero(Dinero::desdeEntero(10))}});
    d.detalles.front().push_back(pagos);
    LienzoGrabado lienzo(kPagina);
    ASSERT_TRUE(MotorImpresion(f, d, lienzo).imprimir().impreso);
    QStringList textos;
    for (const auto& t : lienzo.textos()) textos << t.texto;
    EXPECT_EQ(textos, (QStringList{"D1", "10.00", "D2", "D3"}));
    // Line 1 holds the first row of both sources at the same height.
    EXPECT_DOUBLE_EQ(lienzo.textos()[0].desde.y(), lienzo.textos()[1].desde.y());
}

TEST(Motor, ElLogoVaEstiradoEnSuCuadradoYSinLogoNoSeImprimeNada) {
    Formato f = formatoBase();
    DatoFormato logo = dato("LOGO COMPANIA", 100, 60);
    logo.longitud = 200;
    f.datos = {logo};
    DocumentoImpreso d = documento(0);
    {
        LienzoGrabado lienzo(kPagina);
        MotorImpresion(f, d, lienzo).imprimir();
        EXPECT_TRUE(lienzo.trazos().empty());
    }
    d.logo = QByteArrayLiteral("PNGlogo");
    LienzoGrabado lienzo(kPagina);
    MotorImpresion(f, d, lienzo).imprimir();
    ASSERT_EQ(lienzo.trazos().size(), 1u);
    EXPECT_EQ(lienzo.trazos()[0].desde, QPointF(0.5, 0.3));
    EXPECT_EQ(lienzo.trazos()[0].hasta, QPointF(1.5, 1.3));
}
