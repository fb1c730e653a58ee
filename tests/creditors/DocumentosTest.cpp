// The documents of a third party: a PDF stored under the next item and
// written to its temporary file, a file that is not a PDF refused, deleting
// with right 12, the temporary files removed; and the screen with its PDF
// viewer beside the list.
#include "creditors/TfdocumentosterceroVista.h"
#include "tests/creditors/Entorno.h"
#include "tests/ui/Capturas.h"
#include "ui/Rejilla.h"

#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace cxp;

namespace {

class Documentos : public prueba::EntornoAcreedores {
protected:
    QTemporaryDir dir;
    void SetUp() override {
        EntornoAcreedores::SetUp();
        unTercero("900777", "ARCHIVOS S.A.", true);
        sesion.directorio = dir.path();
    }
    QString pdf(const QString& nombre, const QString& texto) {
        const QString ruta = dir.path() + "/" + nombre;
        QPdfWriter w(ruta);
        QPainter p(&w);
        p.setFont(QFont("Sans", 40));
        p.drawText(QRect(0, 0, 8000, 2000), texto);
        p.end();
        return ruta;
    }
};

TEST_F(Documentos, RegistrarMostrarRechazarYBorrar) {
    const QString ruta = pdf("rut.pdf", "RUT del tercero");
    const QString falso = dir.path() + "/falso.pdf";
    {
        QFile f(falso);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("no soy un pdf");
    }
    QString temporal;
    {
        Tfdocumentostercero d(sesion, interaccion, manejador, "900777");
        ASSERT_TRUE(d.abrir());
        EXPECT_FALSE(d.registrar("Falso", falso));
        EXPECT_EQ(interaccion.de("error").last(), Tfdocumentostercero::kNoPdf);
        ASSERT_TRUE(d.registrar("RUT 2026", ruta)) << mensajes().toStdString();
        ASSERT_TRUE(d.registrar("Cámara de comercio", ruta)) << mensajes().toStdString();
        ASSERT_EQ(d.documentos().recordCount(), 2);
        EXPECT_EQ(d.documentos().asInt("TEDO_ITEM"), 2);
        temporal = d.archivoActual();
        {
            // Another clerk's screen on the same document: its own private
            // file, which stays while the first screen is closed.
            Tfdocumentostercero otra(sesion, interaccion, manejador, "900777");
            ASSERT_TRUE(otra.abrir());
            otra.documentos().last();
            const QString suyo = otra.archivoActual();
            EXPECT_NE(suyo, temporal);
            for (const QString& t : {temporal, suyo}) {
                EXPECT_FALSE(t.startsWith(dir.path())) << "never a predictable name in the shared folder";
                EXPECT_EQ(QFile::permissions(t) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                                   QFile::WriteOther), QFile::Permissions{});
            }
            EXPECT_TRUE(QFile::exists(temporal));
        }
        QFile t(temporal);
        ASSERT_TRUE(t.open(QIODevice::ReadOnly)) << "the other screen's close left this one's file";
        QFile o(ruta);
        ASSERT_TRUE(o.open(QIODevice::ReadOnly));
        EXPECT_EQ(t.readAll(), o.readAll());

        interaccion.respuestas = {true};
        d.documentos().first();
        d.borrar();
        EXPECT_EQ(interaccion.de("pregunta").last(), "Desea borrar definitivamente el documento RUT 2026?");
        ASSERT_EQ(d.documentos().recordCount(), 1);

        // Without right 12: refused, and the screen closes.
        sesion.es_administrador = false;
        QSignalSpy cierre(&d, &Tfdocumentostercero::cerrar);
        d.borrar();
        EXPECT_EQ(cierre.count(), 1);
        EXPECT_EQ(filas("select count(*) from TERCERO_DOCUMENTOS")[0][0].toInt64(), 1);
    }
    EXPECT_FALSE(QFile::exists(temporal)) << "temporary files go with the screen";
}

TEST_F(Documentos, PantallaConVisorPdf) {
    ejecutar("insert into TERCERO_DOCUMENTOS (TERC_NIT, TEDO_ITEM, TEDO_NOMBRE, TEDO_ARCHIVO) values (?, 1, 'RUT', ?)",
             {QString("900777"), [&] {
                  QFile f(pdf("x.pdf", "Documento de prueba"));
                  f.open(QIODevice::ReadOnly);
                  return f.readAll();
              }()});
    QString temporal;
    {
        std::unique_ptr<QWidget> w(crearTfdocumentostercero(sesion, interaccion, manejador, configuracion, {{"nit", "900777"}}));
        auto* v = qobject_cast<TfdocumentosterceroVista*>(w.get());
        ASSERT_TRUE(v);
        v->setAttribute(Qt::WA_DeleteOnClose, false);
        v->show();
        EXPECT_EQ(v->rejilla()->filasVisibles(), 1);
        EXPECT_EQ(v->documento()->status(), QPdfDocument::Status::Ready);
        EXPECT_EQ(v->documento()->pageCount(), 1);
        temporal = v->logica().temporales().value(0);
        EXPECT_TRUE(QFile::exists(temporal));
        QTest::qWait(300);  // the viewer renders its pages in the background
        prueba::capturar(*v, "Tfdocumentostercero");

        RegistrarDocumento r(v->logica(), v);
        r.titulo()->setText("Otro");
        r.setArchivo(pdf("y.pdf", "Otro"));
        EXPECT_EQ(r.documento()->status(), QPdfDocument::Status::Ready);
        EXPECT_TRUE(r.grabar());
        EXPECT_EQ(v->rejilla()->filasVisibles(), 2);
    }
    EXPECT_FALSE(QFile::exists(temporal));
}

}  // namespace
