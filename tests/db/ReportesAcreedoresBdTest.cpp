// The document listings, documents by creditor, statement of account,
// withholdings and directory on generated data: each screen's rows add up
// to what the ledger oracle wrote, every option reaches its procedure, and
// each shipped layout lays the rows out and reads back from a PDF.
#include "data/DataSet.h"
#include "printing/reportes/InformesAcreedor.h"
#include "printing/reportes/InformesComprobantes.h"
#include "printing/reportes/Tfcertretencion.h"
#include "tests/db/EntornoInformes.h"

#include <gtest/gtest.h>
#include <functional>

using namespace libro;
using cxp::Dinero;
using cxp::reportes::Paginado;
using prueba::pesos;
using prueba::textoPdf;

namespace {

Dinero suma(cxp::DataSet& ds, const char* columna, const std::function<bool(const cxp::RecordRef&)>& si = {}) {
    Dinero s;
    for (int r = 0; r < ds.recordCount(); ++r)
        if (!si || si(ds.row(r))) s += ds.row(r).asDinero(QString::fromLatin1(columna));
    return s;
}

}  // namespace

class ReportesAcreedores : public prueba::EntornoInformes {
protected:
    const QStringList nits{QStringLiteral("900100200"), QStringLiteral("900300400"), QStringLiteral("800111222"),
                           QStringLiteral("79555444")};
    const QDate inicio{2025, 1, 1};

    // F2 of a screen; the laid-out report, or nullptr after "No hay datos".
    const Paginado* correr(cxp::PantallaInforme& p) {
        p.setSalida({{}, [](const Paginado&, const QString&, const QString&) {}});
        interaccion.mensajes.clear();
        const bool impreso = p.generar();
        EXPECT_TRUE(impreso || mensajes().contains(cxp::PantallaInforme::kSinDatos)) << mensajes().toStdString();
        return impreso ? p.ultimo() : nullptr;
    }
};

TEST_F(ReportesAcreedores, ListadosYDocumentosCuadranConLoEscrito) {
    fb::Database db = compania.conectar();
    Libro libro{db};
    for (int i = 0; i < nits.size(); ++i) libro.acreedor(nits[i], i < 2 ? QStringLiteral("01") : QStringLiteral("02"));
    poblarAlAzar(libro, nits, 23, inicio, 80);

    // What the oracle wrote of the kinds `tipos` (51, 52, 53, 55, 62) from day a to day b.
    const auto escrito = [&](std::vector<int> tipos, int a, int b, bool anulados, int rete) {
        Centavos s = 0;
        for (const auto& [k, d] : libro.documentos())
            if (std::find(tipos.begin(), tipos.end(), d.tipo) != tipos.end() && !d.borrado &&
                (anulados || !d.anulado) && d.fecha >= inicio.addDays(a) && d.fecha <= inicio.addDays(b))
                s += rete < 0 ? d.bruto : d.rete[size_t(rete)];
        return pesos(s);
    };
    const auto vivos = [&](int tipo, int a, int b) {
        int n = 0;
        for (const auto& [k, c] : libro.cruces())
            n += c.tipo == tipo && !c.borrado && !c.anulado && c.fecha >= inicio.addDays(a) && c.fecha <= inicio.addDays(b);
        return n;
    };
    struct Caso {
        bool cargos, descuentos, anticipos, detalle, anulados;
        int desde, hasta;
    };
    const Caso casos[] = {{true, false, false, false, false, 0, 80},  {true, true, true, true, true, 10, 50},
                          {false, true, false, true, false, 0, 30},   {false, false, true, false, true, 20, 79},
                          {false, false, false, false, false, 0, 80}};  // none ticked: every kind
    for (const Caso& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1%2%3 %4 %5 %6-%7")
                         .arg(c.cargos).arg(c.descuentos).arg(c.anticipos).arg(c.detalle).arg(c.anulados)
                         .arg(c.desde).arg(c.hasta).toStdString());
        cxp::Tfrepocrono p(sesion, interaccion, manejador, configuracion);
        ASSERT_TRUE(p.abrir());
        p.cargos = c.cargos;
        p.descuentos = c.descuentos;
        p.anticipos = c.anticipos;
        p.aplicaciones = !(c.cargos || c.descuentos || c.anticipos);
        p.detalle = c.detalle;
        p.anulados = c.anulados;
        p.desde = inicio.addDays(c.desde);
        p.hasta = inicio.addDays(c.hasta);
        const Paginado* hoja = correr(p);
        ASSERT_TRUE(hoja);
        std::vector<int> tipos;
        const bool todos = p.tipos() == 15;
        if (c.cargos || todos) tipos.push_back(51);
        if (c.descuentos || todos) tipos.push_back(52);
        if (c.anticipos || todos) tipos.push_back(55);
        const auto deTipo = [&](const cxp::RecordRef& r) {
            return std::find(tipos.begin(), tipos.end(), int(r.asInt(QStringLiteral("TIPO")))) != tipos.end();
        };
        EXPECT_EQ(suma(p.filas(), "TOTAL", deTipo), escrito(tipos, c.desde, c.hasta, c.anulados, -1));
        EXPECT_EQ(suma(p.filas(), "RTFTEMONTO", deTipo), escrito(tipos, c.desde, c.hasta, c.anulados, 0));
        EXPECT_EQ(suma(p.filas(), "RTICAMONTO", deTipo), escrito(tipos, c.desde, c.hasta, c.anulados, 2));
        // The report's total is the rows' total, whatever the detail.
        EXPECT_EQ(hoja->sumasDe(QStringLiteral("resumen")).at(0).at(5), suma(p.filas(), "TOTAL"));
        if (todos && !c.anulados) {
            int aplicaciones = 0;
            for (int r = 0; r < p.filas().recordCount(); ++r)
                aplicaciones += p.filas().row(r).asInt(QStringLiteral("TIPO")) == 53;
            EXPECT_EQ(aplicaciones, vivos(53, c.desde, c.hasta));
        }
    }

    // Documents by creditor: "Pago" lists the payment vouchers, one row each
    // with the detail off; each comprobante's totals as written.
    for (int comprobante = 0; comprobante < 5; ++comprobante) {
        SCOPED_TRACE(comprobante);
        cxp::TfrepDoc_prov p(sesion, interaccion, manejador, configuracion);
        ASSERT_TRUE(p.abrir());
        p.comprobante = comprobante;
        p.agrupar = cxp::InformeAcreedores::Agrupar::Grupo;
        p.desde = inicio;
        p.hasta = inicio.addDays(80);
        const Paginado* hoja = correr(p);
        ASSERT_TRUE(hoja);
        if (comprobante == 3) {
            EXPECT_EQ(p.filas().recordCount(), vivos(62, 0, 80));
            for (int r = 0; r < p.filas().recordCount(); ++r)
                EXPECT_EQ(p.filas().row(r).asInt(QStringLiteral("TIPO")), 62);
        } else if (comprobante != 2) {
            EXPECT_EQ(suma(p.filas(), "TOTAL"), escrito({51 + comprobante}, 0, 80, false, -1));
        }
        EXPECT_EQ(hoja->sumasDe(QStringLiteral("totalgrupo")).size(), 2u);
    }
}

TEST_F(ReportesAcreedores, RetencionesSonLasDeDocumentosYCruces) {
    fb::Database db = compania.conectar();
    Libro libro{db};
    for (const QString& n : nits) libro.acreedor(n);
    poblarAlAzar(libro, nits.mid(0, 3), 31, inicio, 90);  // the fourth has nothing

    // Withholdings of kind k practised from day a to b: on the live
    // documents, signed, and taken by the live crossings (not payouts).
    const auto practicadas = [&](int k, int a, int b, const QString& nit = {}) {
        Centavos s = 0;
        const QDate d0 = inicio.addDays(a), d1 = inicio.addDays(b);
        for (const auto& [clave, d] : libro.documentos())
            if (libro.enLibro(d) && d.fecha >= d0 && d.fecha <= d1 && (nit.isEmpty() || d.nit == nit))
                s += d.signo * d.rete[size_t(k)];
        for (const auto& [clave, c] : libro.cruces()) {
            if (c.anulado || c.borrado || c.fecha < d0 || c.fecha > d1 || (!nit.isEmpty() && c.nit != nit)) continue;
            for (const Linea& l : c.lineas) {
                const Documento& d = libro.doc(l.tipo, l.id);
                if (!libro.enLibro(d) || (l.tipo == 55 && c.tipo == 62 && d.egreso == c.id)) continue;
                s += l.rete[size_t(k)];
            }
        }
        return pesos(s);
    };
    struct Caso {
        bool detalle, sinRetenciones;
        int desde, hasta;
    };
    const Caso casos[] = {{false, false, 0, 90}, {true, false, 15, 60}, {false, true, 30, 70}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.detalle).arg(c.sinRetenciones).arg(c.desde).toStdString());
        cxp::Tfreporelaprov p(sesion, interaccion, manejador, configuracion);
        ASSERT_TRUE(p.abrir());
        p.detalle = c.detalle;
        p.sinRetenciones = c.sinRetenciones;
        p.desde = inicio.addDays(c.desde);
        p.hasta = inicio.addDays(c.hasta);
        const Paginado* hoja = correr(p);
        ASSERT_TRUE(hoja);
        EXPECT_EQ(suma(p.filas(), "RTFTE"), practicadas(0, c.desde, c.hasta));
        EXPECT_EQ(suma(p.filas(), "RTIVA"), practicadas(1, c.desde, c.hasta));
        EXPECT_EQ(suma(p.filas(), "RTICA"), practicadas(2, c.desde, c.hasta));
        QStringList acreedores;
        for (int r = 0; r < p.filas().recordCount(); ++r)
            if (!acreedores.contains(p.filas().row(r).asString(QStringLiteral("NIT"))))
                acreedores << p.filas().row(r).asString(QStringLiteral("NIT"));
        EXPECT_EQ(acreedores.contains(nits[3]), c.sinRetenciones);
    }

    // The certificates: one PDF per creditor with withholdings, each kind's
    // total the creditor's withholdings of the period.
    prueba::Fuentes fuentes;
    cxp::Tfcertretencion cert(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(cert.abrir());
    cert.desde = inicio;
    cert.hasta = inicio.addDays(90);
    QTemporaryDir carpeta;
    int conRetenciones = 0;
    for (const QString& nit : nits) {
        bool alguna = false;
        for (int k = 0; k < 4; ++k) alguna = alguna || practicadas(k, 0, 90, nit) != Dinero();
        conRetenciones += alguna;
    }
    ASSERT_GT(conRetenciones, 0);
    EXPECT_EQ(cert.pdfPorAcreedor(carpeta.path()), conRetenciones) << mensajes().toStdString();
    for (const QString& nit : nits) {
        SCOPED_TRACE(nit.toStdString());
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(suma(cert.filas(), "VALOR",
                           [&](const cxp::RecordRef& r) {
                               return r.asString(QStringLiteral("NIT")) == nit && r.asInt(QStringLiteral("CLASE")) == k + 1;
                           }),
                      practicadas(k, 0, 90, nit));
    }
    EXPECT_EQ(QDir(carpeta.path()).entryList({QStringLiteral("*.pdf")}).size(), conRetenciones);
}

// Each new layout on its screen: empty ranges take every creditor, a "to"
// left empty in the directory takes the "from", and the PDF reads back.
TEST_F(ReportesAcreedores, CadaDisenoSeLeeDelPdf) {
    prueba::Fuentes fuentes;
    fb::Database db = compania.conectar();
    Libro libro{db};
    for (const QString& n : nits) libro.acreedor(n);
    poblarAlAzar(libro, nits, 7, inicio, 30);
    const QDate hasta = inicio.addDays(40);

    cxp::Tfrepoproveedor directorio(sesion, interaccion, manejador, configuracion);
    cxp::Tfrepoproveedor agenda(sesion, interaccion, manejador, configuracion);
    agenda.agenda = true;
    agenda.nitDesde = nits[1];
    cxp::Tfrepoconsecutivo consecutivo(sesion, interaccion, manejador, configuracion);
    consecutivo.detalle = true;
    cxp::TfrepDoc_prov documentos(sesion, interaccion, manejador, configuracion);
    cxp::Tfrepoestdocuentas estado(sesion, interaccion, manejador, configuracion);
    estado.observaciones = QStringLiteral("Favor conciliar");
    cxp::Tfreporelaprov retenciones(sesion, interaccion, manejador, configuracion);
    cxp::Tfcertretencion certificados(sesion, interaccion, manejador, configuracion);
    certificados.abrir();
    certificados.desde = inicio;
    certificados.hasta = hasta;
    certificados.lugar = QStringLiteral("Bogotá");
    struct Caso {
        cxp::PantallaInforme* p;
        cxp::InformeAcreedores* acreedores;
        QStringList esperados;  // in the PDF
        int filas;              // -1 any
    };
    const Caso casos[] = {
        {&directorio, &directorio, nits, 4},
        {&agenda, &agenda, {nits[1]}, 1},
        {&consecutivo, nullptr, {QStringLiteral("Abono"), QStringLiteral("Total informe")}, -1},
        {&documentos, &documentos, {nits[3], QStringLiteral("Total acreedor")}, -1},
        {&estado, &estado, {QStringLiteral("Favor conciliar"), QStringLiteral("Del 2025/01/01 al 2025/02/10")}, -1},
        {&retenciones, &retenciones, {QStringLiteral("Rte. fte"), QStringLiteral("Total informe")}, -1},
        {&certificados, nullptr, {QStringLiteral("Expedido en Bogotá"), QStringLiteral("Total retenido")}, -1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.p->nombreExportar().toStdString());
        if (c.acreedores) {
            c.acreedores->abrir();
            c.acreedores->desde = inicio;
            c.acreedores->hasta = hasta;
        }
        const Paginado* hoja = correr(*c.p);
        ASSERT_TRUE(hoja);
        if (c.filas >= 0) {
            EXPECT_EQ(c.p->filas().recordCount(), c.filas);
        }
        const QString texto = textoPdf(*hoja);
        if (const QString carpeta = qEnvironmentVariable("CXP_CAPTURAS"); !carpeta.isEmpty())
            cxp::reportes::escribirPng(*hoja, carpeta + u'/' + c.p->nombreExportar() + QStringLiteral(".png"), 110, nullptr);
        for (const QString& e : c.esperados) {
            EXPECT_TRUE(texto.contains(e)) << e.toStdString() << "\n" << texto.left(600).toStdString();
        }
        EXPECT_TRUE(texto.contains(QStringLiteral("Página 1 de %1").arg(hoja->paginas())));
        if (c.p == &certificados) {  // one certificate a page
            QSet<QString> acreedores;
            for (int r = 0; r < c.p->filas().recordCount(); ++r)
                acreedores << c.p->filas().row(r).asString(QStringLiteral("NIT"));
            EXPECT_EQ(hoja->paginas(), acreedores.size());
        }
    }
}
