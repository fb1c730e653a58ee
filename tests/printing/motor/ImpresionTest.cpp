// The printers on the demo company: data procedures, format choice, the
// printed PDF read back, and pictures of the demo formats.
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "db/Esquema.h"
#include "printing/motor/Impresion.h"
#include "printing/motor/Impresoras.h"
#include "printing/motor/ImprimirDocumento.h"
#include "printing/motor/TfimpresionVista.h"
#include "printing/motor/Lienzos.h"
#include "printing/motor/Registro.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"
#include "ui/InteraccionQt.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <mutex>

using namespace cxp;

namespace {

QByteArray png(QSize tamano, QColor color) {
    QImage img(tamano, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(QPoint(0, 0), tamano).adjusted(4, 4, -4, -4));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(tamano.height() / 3);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(QPoint(0, 0), tamano), Qt::AlignCenter, QStringLiteral("DAA"));
    p.end();
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return b;
}

struct Entorno {
    prueba::BaseTemporal base{prueba::plantillaDemo()};
    QTemporaryDir dir;
    Sesion sesion;
    prueba::InteraccionGrabada interaccion;
    Configuracion configuracion{interaccion};

    Entorno() {
        sesion.compania = base.conectar();
        configuracion.cargar(sesion.compania);
        sesion.directorio = dir.path();
        sesion.usuario_actual = QStringLiteral("ADMIN");
        sesion.nombre_usuario = QStringLiteral("Administrador del sistema");
        sesion.compania_nombre = QStringLiteral("DISTRIBUIDORA ANDINA DE ALIMENTOS S.A.S.");
        sesion.compania_direccion = QStringLiteral("Calle 26 # 68C-61, Bogotá D.C.");
        sesion.compania_telefonos = QStringLiteral("(601) 742 1100");
        sesion.compania_logo = png(QSize(200, 200), QColor(0, 90, 160));
        QFile anulado(dir.filePath(QStringLiteral("anulado.bmp")));
        anulado.open(QIODevice::WriteOnly);
        QImage sello(QSize(400, 120), QImage::Format_RGB32);
        sello.fill(Qt::white);
        anulado.write([&] {
            QByteArray b;
            QBuffer buf(&b);
            buf.open(QIODevice::WriteOnly);
            sello.save(&buf, "BMP");
            return b;
        }());
    }

    // The company's printed data from the demo general database, as the
    // program reads them at start-up.
    void conGeneral() {
        general = std::make_unique<prueba::BaseTemporal>(prueba::plantillaDemo(esquema::Base::General));
        sesion.general = general->conectar();
        sesion.compania_actual = QStringLiteral("001");
        const auto c = sesion.general.queryOne(QStringLiteral(
            "select com_nombre, comp_dir, comp_tels, comp_encabezado from compania where comp_cod = '001'"));
        sesion.compania_nombre = (*c)[0].toString();
        sesion.compania_direccion = (*c)[1].toString();
        sesion.compania_telefonos = (*c)[2].toString();
        sesion.compania_encabezado = (*c)[3].toString();
    }
    std::unique_ptr<prueba::BaseTemporal> general;

    PlanImpresion plan(int tipo, int64_t id, bool general = false) {
        return Impresion(sesion, configuracion, interaccion).preparar(tipo, id, general);
    }
    void ejecutar(const QString& sql) { sesion.compania.executeDirect(sql); }
};

// The text of one page of a PDF, as pdftotext lays it out.
QString textoPdf(const QString& archivo, int pagina) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(pagina),
                                          QStringLiteral("-l"), QString::number(pagina), archivo, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString valor(const PlanImpresion& plan, const char* dato) {
    const auto v = plan.documento.impreso.valor(QString::fromUtf8(dato), 1);
    return v ? v->texto : QStringLiteral("<ninguno>");
}

}  // namespace

TEST(Impresion, UnCargoDeDemoImpresoEnPdfMuestraNumeroAcreedorMontosYLetras) {
    Entorno e;
    const PlanImpresion plan = e.plan(51, 3);
    ASSERT_TRUE(plan.error.isEmpty()) << qPrintable(plan.error);
    ASSERT_EQ(plan.trabajos.size(), 1u);
    EXPECT_EQ(plan.trabajos[0].titulo, QStringLiteral("Cargo acreedor No. BOG000003"));
    const QString pdf = e.dir.filePath(QStringLiteral("cargo.pdf"));
    const ResultadoMotor r = imprimirPdf(plan, pdf);
    ASSERT_TRUE(r.impreso) << qPrintable(r.error);
    EXPECT_EQ(r.paginas, 1);
    const QString texto = textoPdf(pdf, 1);
    for (const char* esperado : {"CARGOS EN CUENTA", "000003", "ASEO Y VIGILANCIA INTEGRAL LTDA.", "900876543",
                                 "ASEO Y VIGILANCIA OCTUBRE", "3,500,000.00", "665,000.00", "70,000.00", "99,750.00",
                                 "33,810.00", "4,165,000.00", "3,961,440.00",
                                 "TRES MILLONES NOVECIENTOS SESENTA Y UN MIL", "51350501", "22050501",
                                 "DISTRIBUIDORA ANDINA DE ALIMENTOS S.A.S."})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n" << qPrintable(texto);
}

TEST(Impresion, UnEgresoDeDemoImpresoEnPdfMuestraNumeroAcreedorMontosYLetras) {
    Entorno e;
    const PlanImpresion plan = e.plan(62, 4);
    ASSERT_TRUE(plan.error.isEmpty()) << qPrintable(plan.error);
    ASSERT_EQ(plan.trabajos.size(), 1u);
    EXPECT_EQ(plan.trabajos[0].formato.prefijo, QStringLiteral("BOG"));
    EXPECT_EQ(plan.trabajos[0].titulo, QStringLiteral("Comprobante de egreso No. BOG000004"));
    const QString pdf = e.dir.filePath(QStringLiteral("egreso.pdf"));
    ASSERT_TRUE(imprimirPdf(plan, pdf).impreso);
    const QString texto = textoPdf(pdf, 1);
    for (const char* esperado : {"COMPROBANTE DE EGRESO", "000004", "ASEO Y VIGILANCIA INTEGRAL LTDA.", "900876543",
                                 "$ 3,961,440.00", "3,000,000.00", "961,440.00", "004512",
                                 "TRES MILLONES NOVECIENTOS SESENTA Y UN MIL CUATROCIENTOS CUARENTA", "22050501",
                                 "11100501", "PLAN DE CUENTAS NIIF", "RECIBÍ (FIRMA Y SELLO)", "EFECTIVO",
                                 "CAJA GENERAL AGENCIA PRINCIPAL", "201-456789-01"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n" << qPrintable(texto);
    // The HTML file carries the same texts.
    const QString html = e.dir.filePath(QStringLiteral("egreso.html"));
    ASSERT_TRUE(imprimirHtml(plan, html).impreso);
    QFile f(html);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString contenido = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(contenido.contains(QStringLiteral("$ 3,961,440.00")));
    EXPECT_TRUE(contenido.contains(QStringLiteral("ASEO Y VIGILANCIA INTEGRAL LTDA.")));
}

TEST(Impresion, DatosDelEgresoTipoDeCuentaRegistroYAnulado) {
    Entorno e;
    e.ejecutar(QStringLiteral("update proveedores set prov_tipocta = 'A' where terc_nit = '900876543'"));
    PlanImpresion plan = e.plan(62, 4);
    EXPECT_EQ(valor(plan, "TERCERO TIPO CUENTA"), QStringLiteral("Ahorros"));
    EXPECT_EQ(valor(plan, "NUMERO PAGINA"), QStringLiteral("1"));
    EXPECT_EQ(valor(plan, "USUARIO REGISTRO"), QStringLiteral("SYSDBA"));
    EXPECT_FALSE(valor(plan, "FECHA REGISTRO").isEmpty());
    EXPECT_EQ(valor(plan, "NO ES UN DATO"), QStringLiteral("<ninguno>"));
    EXPECT_FALSE(plan.documento.anulado);
    e.ejecutar(QStringLiteral("update proveedores set prov_tipocta = 'C' where terc_nit = '900876543'"));
    e.ejecutar(QStringLiteral("update egresos set egre_anulado = 'S' where egre_id = 4"));
    plan = e.plan(62, 4);
    EXPECT_EQ(valor(plan, "TERCERO TIPO CUENTA"), QStringLiteral("Corriente"));
    EXPECT_TRUE(plan.documento.anulado);
    EXPECT_TRUE(plan.documento.impreso.anulado);
    const QByteArray sello = plan.documento.impreso.imagenAnulado;
    EXPECT_EQ(QImage::fromData(sello).size(), QSize(400, 120));  // the installation's picture
    // Without the file the document still carries a drawn stamp.
    QFile::remove(e.dir.filePath(QStringLiteral("anulado.bmp")));
    EXPECT_FALSE(QImage::fromData(e.plan(62, 4).documento.impreso.imagenAnulado).isNull());
    // The latest insertion is the one printed.
    e.ejecutar(QStringLiteral("insert into auditoria (audi_id, tido_cod, audi_iddoc, audi_oper, audi_fecha, audi_hora, "
                              "audi_usuario) values (next value for gen_auditoria, 62, 4, 'I', '2026/12/05', "
                              "'10:11:12', 'AUXILIAR')"));
    plan = e.plan(62, 4);
    EXPECT_EQ(valor(plan, "USUARIO REGISTRO"), QStringLiteral("AUXILIAR"));
    EXPECT_EQ(valor(plan, "FECHA REGISTRO"), QStringLiteral("2026/12/05"));
    EXPECT_EQ(valor(plan, "HORA REGISTRO"), QStringLiteral("10:11:12"));
}

TEST(Impresion, ElFormatoElegidoGeneralChequeYAdicional) {
    Entorno e;
    // F10: the type's "0000" format.
    EXPECT_EQ(e.plan(62, 4, true).trabajos.at(0).formato.prefijo, QStringLiteral("0000"));
    EXPECT_EQ(e.plan(51, 3, true).trabajos.at(0).formato.prefijo, QStringLiteral("0000"));
    // A voucher with a bank amount on the cheque format when so configured.
    e.configuracion.asignar(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                            QStringLiteral("IMPRIMIR CON FORMATO DEL CHEQUE SI EL PAGO ES DEL BANCO"), QStringLiteral("SI"));
    PlanImpresion plan = e.plan(62, 4);
    ASSERT_EQ(plan.trabajos.size(), 1u);
    EXPECT_EQ(plan.trabajos[0].formato.tipo, 72);
    EXPECT_EQ(plan.trabajos[0].formato.prefijo, QStringLiteral("CHB"));
    EXPECT_EQ(plan.trabajos[0].papel, QSizeF(7, 3));
    // The additional cheque after the voucher, for the configured account.
    e.configuracion.asignar(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                            QStringLiteral("IMPRIMIR CON FORMATO DEL CHEQUE SI EL PAGO ES DEL BANCO"), QStringLiteral("NO"));
    e.configuracion.asignar(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                            QStringLiteral("CODIGO DE LA CUENTA DEL BANCO PARA IMPRESION ADICIONAL DE CHEQUE"),
                            QStringLiteral("1"));
    plan = e.plan(62, 4);
    ASSERT_EQ(plan.trabajos.size(), 2u);
    EXPECT_EQ(plan.trabajos[0].formato.tipo, 62);
    EXPECT_EQ(plan.trabajos[1].formato.tipo, 72);
    const QString pdf = e.dir.filePath(QStringLiteral("con-cheque.pdf"));
    ASSERT_TRUE(imprimirPdf(plan, pdf).impreso);
    EXPECT_TRUE(textoPdf(pdf, 2).contains(QStringLiteral("TRES MILLONES DE PESOS")));
    EXPECT_TRUE(e.interaccion.mensajes.isEmpty()) << qPrintable(e.interaccion.mensajes.join('\n'));
}

TEST(Impresion, SinFormatoSeAvisaYNoSeImprimeNada) {
    Entorno e;
    e.ejecutar(QStringLiteral("delete from formatos where tido_cod = 51 and pref_pre = '0000'"));
    const PlanImpresion plan = e.plan(51, 3, true);
    EXPECT_EQ(plan.error, QStringLiteral("No se encontró el formato de impresión."));
    EXPECT_TRUE(plan.trabajos.empty());
    EXPECT_EQ(e.interaccion.mensajes, QStringList{"error: No se encontró el formato de impresión."});
    const QString pdf = e.dir.filePath(QStringLiteral("nada.pdf"));
    EXPECT_FALSE(imprimirPdf(plan, pdf).impreso);
    EXPECT_FALSE(QFile::exists(pdf));
    // A several-page format without a number of lines is refused the same way.
    e.interaccion.mensajes.clear();
    e.ejecutar(QStringLiteral("update formatos set form_nroitems = null where tido_cod = 62 and pref_pre = 'BOG'"));
    const PlanImpresion malo = e.plan(62, 4);
    EXPECT_TRUE(malo.trabajos.empty());
    ASSERT_EQ(e.interaccion.mensajes.size(), 1);
    EXPECT_TRUE(e.interaccion.mensajes[0].startsWith(QStringLiteral("error: El formato de impresión")));
}

// A picture of a page of every demo format: docs/formato-*.png when
// CXP_FORMATOS_PNG names the folder.
TEST(Impresion, CadaFormatoDeDemoSeDibujaEnUnaImagen) {
    Entorno e;
    e.conGeneral();
    struct Caso {
        int tipo;
        int64_t id;
        const char* nombre;
    };
    const Caso casos[] = {{62, 4, "egreso"}, {51, 3, "cargo"}, {52, 1, "descuento"}, {53, 1, "aplicacion"},
                          {55, 1, "anticipo"}, {56, 1, "orden-servicio"}};
    const QString destino = qEnvironmentVariable("CXP_FORMATOS_PNG", e.dir.path());
    for (const Caso& c : casos) {
        const PlanImpresion plan = e.plan(c.tipo, c.id);
        ASSERT_FALSE(plan.trabajos.empty()) << c.nombre;
        EXPECT_EQ(plan.documento.impreso.valor(QStringLiteral("NIT COMPANIA"), 1)->texto, QStringLiteral("900123456-8"));
        const QString archivo = QDir(destino).filePath(QStringLiteral("formato-%1.png").arg(QLatin1String(c.nombre)));
        ASSERT_TRUE(imprimirPng(plan, archivo, 100).impreso) << c.nombre;
        EXPECT_EQ(QImage(archivo).size(), QSize(850, 1100)) << c.nombre;
    }
    e.configuracion.asignar(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                            QStringLiteral("IMPRIMIR CON FORMATO DEL CHEQUE SI EL PAGO ES DEL BANCO"), QStringLiteral("SI"));
    const QString cheque = QDir(destino).filePath(QStringLiteral("formato-cheque.png"));
    ASSERT_TRUE(imprimirPng(e.plan(62, 4), cheque, 100).impreso);
    EXPECT_EQ(QImage(cheque).size(), QSize(700, 300));
}

// A file that cannot be written is an error, never a printed document.
TEST(Impresion, UnArchivoQueNoSePuedeEscribirSeReporta) {
    Entorno e;
    const PlanImpresion plan = e.plan(51, 3);
    ASSERT_FALSE(plan.trabajos.empty());
    const QString carpeta = e.dir.filePath(QStringLiteral("no-existe"));
    const std::pair<const char*, ResultadoMotor (*)(const PlanImpresion&, const QString&)> salidas[] = {
        {"x.pdf", &imprimirPdf},
        {"x.html", &imprimirHtml},
        {"x.png", [](const PlanImpresion& p, const QString& a) { return imprimirPng(p, a, 50); }},
    };
    for (const auto& [nombre, salida] : salidas) {
        const ResultadoMotor r = salida(plan, carpeta + u'/' + QLatin1String(nombre));
        EXPECT_FALSE(r.impreso) << nombre;
        EXPECT_TRUE(r.error.startsWith(QStringLiteral("No se pudo escribir el archivo ") + carpeta)) << nombre;
    }
}

TEST(Impresion, LaVentanaDelEgresoImprimeConF10ElFormatoGeneralYLasDemasNo) {
    Entorno e;
    std::vector<PlanImpresion> enviados;
    auto salida = [&](const PlanImpresion& p) {
        enviados.push_back(p);
        return ResultadoMotor{true, 1, {}};
    };
    auto vista = std::make_unique<TfimpresionVista>(crearImpresora(62, e.sesion, e.configuracion, e.interaccion, salida));
    vista->impresora().setDocumento(4);
    EXPECT_EQ(vista->windowTitle(), QStringLiteral("Imprimir egreso"));
    QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
    QApplication::sendEvent(vista.get(), &f10);
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(vista.get(), &f2);
    ASSERT_EQ(enviados.size(), 2u);
    EXPECT_EQ(enviados[0].trabajos.at(0).formato.prefijo, QStringLiteral("0000"));
    EXPECT_EQ(enviados[1].trabajos.at(0).formato.prefijo, QStringLiteral("BOG"));
    // The charge printer has no general format.
    auto cargo = crearImpresora(51, e.sesion, e.configuracion, e.interaccion, salida);
    cargo->setDocumento(3);
    EXPECT_TRUE(cargo->imprimir(true));
    EXPECT_EQ(enviados.back().trabajos.at(0).formato.prefijo, QStringLiteral("BOG"));
    // What other screens call: a PDF file of the document.
    const QString pdf = e.dir.filePath(QStringLiteral("orden.pdf"));
    const ResultadoImpresion r =
        imprimirDocumento(e.sesion, e.configuracion, e.interaccion, {56, QString(), 1, SalidaImpresion::Pdf, pdf});
    ASSERT_TRUE(r.impreso) << qPrintable(r.mensaje);
    const QString texto = textoPdf(pdf, 1);
    for (const char* esperado : {"ORDEN DE SERVICIO", "MANTENIMIENTO PREVENTIVO CUARTO FRÍO", "2,856,000.00",
                                 "2,668,416.00", "DOS MILLONES SEISCIENTOS SESENTA Y OCHO MIL"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n" << qPrintable(texto);
    EXPECT_TRUE(e.interaccion.mensajes.isEmpty()) << qPrintable(e.interaccion.mensajes.join('\n'));
}

TEST(Impresion, DatosDelCargoYDeLaAplicacion) {
    Entorno e;
    e.ejecutar(QStringLiteral("update notas_debito_proveedor set ndpr_auto = '18764081234567' where ndpr_id = 1"));
    PlanImpresion plan = e.plan(51, 1);
    EXPECT_EQ(valor(plan, "NUMERO SIN CEROS"), QStringLiteral("1"));
    EXPECT_EQ(valor(plan, "NUMERO AUTORIZACION"), QStringLiteral("18764081234567 de 2026/01/15 del BOG1 al BOG5000"));
    EXPECT_EQ(valor(plan, "VENCE LETRAS"), QStringLiteral("sábado, 10 de octubre de 2026"));
    EXPECT_EQ(valor(plan, "FECHA"), QStringLiteral("2026/09/10"));
    EXPECT_EQ(plan.documento.impreso.valor(QStringLiteral("DIAS VENCE"), 1)->numero, Dinero::desdeEntero(30));
    EXPECT_EQ(plan.documento.impreso.valor(QStringLiteral("NETO"), 1)->numero, Dinero::desdeEntero(4755912));
    EXPECT_EQ(valor(plan, "NETO LETRAS"),
              QStringLiteral("CUATRO MILLONES SETECIENTOS CINCUENTA Y CINCO MIL NOVECIENTOS DOCE PESOS  M/CTE"));
    // The charge has no page numbers; local then NIIF lines, one run each.
    EXPECT_EQ(valor(plan, "NUMERO PAGINA"), QStringLiteral("<ninguno>"));
    ASSERT_EQ(plan.documento.impreso.detalles.size(), 2u);
    EXPECT_TRUE(plan.documento.impreso.detalles[1][0].nombres.contains(QStringLiteral("NOMBRE CUENTA NIIT")));
    EXPECT_TRUE(plan.documento.impreso.unaParte);

    // The application: each document crossed with its balance before and after.
    plan = e.plan(53, 1);
    ASSERT_EQ(plan.documento.impreso.detalles.size(), 1u);
    const auto& filas = plan.documento.impreso.detalles[0][0].filas;
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0].value(QStringLiteral("PREFDOC")).texto, QStringLiteral("BOG"));
    EXPECT_EQ(filas[0].value(QStringLiteral("DOCUMENTO ANTERIOR")).numero, Dinero::desdeEntero(4755912));
    EXPECT_EQ(filas[0].value(QStringLiteral("DOCUMENTO SALDO")).numero, Dinero::desdeEntero(4416204));
    EXPECT_EQ(filas[1].value(QStringLiteral("DOCUMENTO ANTERIOR")).numero, Dinero::desdeEntero(-339708));
    EXPECT_EQ(filas[1].value(QStringLiteral("DOCUMENTO SALDO")).numero, Dinero());
    EXPECT_EQ(valor(plan, "NUMERO PAGINA"), QStringLiteral("1"));
}
