// Notes on a document: saved with their attached file and read back byte
// for byte, shown from memory in the PDF pane, written to disk under the
// program's own folder whatever path was stored, refused without type or
// summary, and deleted after the question.
#include "documents/notas/TfnotasdocVista.h"
#include "tests/support/EntornoCompania.h"
#include "tests/ui/Capturas.h"

#include <QFile>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace cxp;

namespace {

class NotasDocumento : public prueba::EntornoCompania {
protected:
    QTemporaryDir carpeta;
    void SetUp() override {
        entrar();
        sesion.directorio = carpeta.path();
        sesion.compania_actual = "001";
    }
    // A one-page PDF with a line of text.
    QString unPdf() {
        const QString ruta = carpeta.filePath("soporte.pdf");
        QPdfWriter w(ruta);
        QPainter p(&w);
        QFont letra = p.font();
        letra.setPointSize(28);
        p.setFont(letra);
        p.drawText(QRect(0, 0, w.width(), w.height() / 4), Qt::AlignCenter, QStringLiteral("Factura FE-4471\nDISTRIBUIDORA DE GRANOS"));
        p.drawRect(QRect(w.width() / 10, w.height() / 4, w.width() * 8 / 10, w.height() / 3));
        p.end();
        return ruta;
    }
};

TEST_F(NotasDocumento, GrabadaConSuArchivoYLeidaIgual) {
    const QString pdf = unPdf();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    struct Caso {
        int tipoNota;
        const char* resumen;
        QString archivo;
        QString error;  // empty: saved
    } casos[] = {
        {0, "SIN TIPO", {}, Tfnvanotadoc::kSinTipo},
        {1, "  ", {}, Tfnvanotadoc::kSinResumen},
        {1, "SIN ARCHIVO", {}, {}},
        {2, "FACTURA ESCANEADA", pdf, {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.resumen);
        interaccion.mensajes.clear();
        Tfnvanotadoc n(sesion, interaccion, manejador, 51, 7);
        EXPECT_FALSE(n.tiposNota().isEmpty());
        n.tipoNota = c.tipoNota;
        n.resumen = c.resumen;
        n.texto = QStringLiteral("Texto con acentos: ñandú, O'Hara");
        if (!c.archivo.isEmpty()) ASSERT_TRUE(n.adjuntar(c.archivo));
        EXPECT_EQ(n.grabar() != 0, c.error.isEmpty()) << mensajes().toStdString();
        if (!c.error.isEmpty()) {
            EXPECT_EQ(interaccion.de("error"), QStringList{c.error});
        }
    }
    EXPECT_EQ(contar("select count(*) from notas_documento"), 2);
    // A stored path that points elsewhere does not choose where the file goes.
    ejecutar("update notas_documento set nodo_imagen = '..\\..\\fuera.pdf' where nodo_archivo is not null");

    TfnotasdocVista v(sesion, interaccion, manejador, 51, 7);
    ASSERT_TRUE(v.abrir());
    DataSet& l = v.lista();
    ASSERT_EQ(l.recordCount(), 2);
    ASSERT_TRUE(l.locate("RESUMEN", "FACTURA ESCANEADA"));
    EXPECT_EQ(l.asString("TEXTO"), QStringLiteral("Texto con acentos: ñandú, O'Hara"));
    EXPECT_EQ(v.logica().adjunto(), bytes);
    EXPECT_EQ(v.documentoPdf()->status(), QPdfDocument::Status::Ready);
    EXPECT_EQ(v.documentoPdf()->pageCount(), 1);
    const QString disco = v.logica().adjuntoEnDisco();
    EXPECT_TRUE(disco.startsWith(carpeta.filePath("pdf/"))) << disco.toStdString();
    QFile escrito(disco);
    ASSERT_TRUE(escrito.open(QIODevice::ReadOnly));
    EXPECT_EQ(escrito.readAll(), bytes);
    v.resize(1000, 560);
    v.show();
    QTest::qWait(800);  // the pane renders its pages in the background
    prueba::capturar(v, "notas_documento");

    // Another document's notes are not listed; "No" keeps the note.
    TfnotasdocVista otro(sesion, interaccion, manejador, 52, 7);
    ASSERT_TRUE(otro.abrir());
    EXPECT_EQ(otro.lista().recordCount(), 0);
    interaccion.respuestas = {false, true};
    EXPECT_FALSE(v.logica().borrar());
    EXPECT_TRUE(v.logica().borrar());
    EXPECT_EQ(interaccion.de("pregunta").value(0),
              "Desea borrar definitivamente la nota FACTURA ESCANEADA de " +
                  QDate::currentDate().toString("yyyy/MM/dd") + "?");
    EXPECT_EQ(contar("select count(*) from notas_documento"), 1);
}

}  // namespace
