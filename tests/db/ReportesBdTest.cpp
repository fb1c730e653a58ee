// The movement report on generated data: the procedure's rows laid on the
// shipped layout give group and report totals that equal the ledger's own
// balances, whatever the detail and grouping; the PDF reads back.
#include "base/Sql.h"
#include "data/DataSet.h"
#include "printing/motor/Lienzos.h"
#include "printing/reportes/Tfrepoanalisi.h"
#include "printing/reportes/Tfrepocxpaga.h"
#include "printing/reportes/Tfrepomovprove.h"
#include "tests/db/EntornoInformes.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>
#include <map>

using namespace libro;
using namespace cxp::reportes;
using cxp::Dinero;
using cxp::sql::fecha;
using prueba::pesos;

namespace {

// With CXP_CAPTURAS set, the first page of a report as a picture there.
void captura(const Paginado& p, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("CXP_CAPTURAS");
    if (carpeta.isEmpty()) return;
    prueba::Fuentes fuentes;
    escribirPng(p, carpeta + u'/' + nombre + QStringLiteral(".png"), 110, nullptr);
}

}  // namespace

TEST(ReporteMovimiento, TotalesDeGruposEInformeCuadranConElLibro) {
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    Libro libro{db};
    const QStringList nits{QStringLiteral("900100200"), QStringLiteral("900300400"), QStringLiteral("800111222"),
                           QStringLiteral("79555444")};
    const QStringList grupos{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"), QStringLiteral("03")};
    for (int i = 0; i < nits.size(); ++i) libro.acreedor(nits[i], grupos[i]);
    const QDate inicio(2025, 1, 1);
    poblarAlAzar(libro, nits, 11, inicio, 90);
    QString error;
    const auto diseno = Diseno::leerArchivo(QStringLiteral(CXP_DISENOS "/repomovprove.xml"), &error);
    ASSERT_TRUE(diseno) << error.toStdString();

    struct Caso {
        bool detalle;
        bool porGrupo;
        int desde, hasta;  // days from the start
    };
    const Caso casos[] = {{true, false, 10, 60}, {true, true, 0, 120}, {false, false, 30, 45}, {false, true, -5, 89}};
    for (const Caso& c : casos) {
        const QDate desde = inicio.addDays(c.desde), hasta = inicio.addDays(c.hasta);
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.detalle).arg(c.porGrupo).arg(c.desde).toStdString());
        cxp::DataSet ds;
        ds.open(db, QStringLiteral("select * from rep_movimiento_proveedor ('','zz','','zz',%1,%2,'%3','C','%4',0)"
                                   " where DEBITO <> 0 OR CREDITO <> 0 OR SALDO <> 0 OR ABONO <> 0"
                                   " order by %5 NIT, FECHA, ID")
                        .arg(fecha(desde), fecha(hasta), c.detalle ? "S" : "N", c.porGrupo ? "Z" : "N",
                             c.porGrupo ? "CODZONA," : ""));
        ASSERT_GT(ds.recordCount(), 0);
        const Informe* inf = diseno->informe(c.detalle ? QStringLiteral("detallado") : QStringLiteral("consolidado"));
        Ejecucion e;
        e.ocultas = {QStringLiteral("ciudad"), QStringLiteral("totalciudad")};
        if (!c.porGrupo) e.ocultas += {QStringLiteral("grupo"), QStringLiteral("totalgrupo")};
        const FilasDataSet filas(ds);
        const auto p = Paginado::preparar(*inf, filas, e, &error);
        ASSERT_TRUE(p) << error.toStdString();

        // The ledger's figures per creditor and per group.
        std::map<QString, Centavos> finalGrupo;
        Centavos finalTotal = 0, debitos = 0;
        for (int i = 0; i < nits.size(); ++i) {
            finalGrupo[grupos[i]] += libro.saldoAcreedor(nits[i], hasta);
            finalTotal += libro.saldoAcreedor(nits[i], hasta);
        }
        for (int r = 0; r < ds.recordCount(); ++r) debitos += ds.row(r).asDinero(QStringLiteral("DEBITO")).crudo() / 100;
        if (c.detalle) {
            // One footer per creditor with rows: its debits and credits tie
            // its opening balance to its closing balance in the ledger.
            const auto pies = p->sumasDe(QStringLiteral("totalacreedor"));
            std::vector<QString> conFilas;
            for (int r = 0; r < ds.recordCount(); ++r)
                if (conFilas.empty() || conFilas.back() != ds.row(r).asString(QStringLiteral("NIT")))
                    conFilas.push_back(ds.row(r).asString(QStringLiteral("NIT")));
            ASSERT_EQ(pies.size(), conFilas.size());
            for (size_t k = 0; k < pies.size(); ++k)
                EXPECT_EQ(pesos(libro.saldoAcreedor(conFilas[k], desde.addDays(-1))) + pies[k][0] - pies[k][1],
                          pesos(libro.saldoAcreedor(conFilas[k], hasta)))
                    << conFilas[k].toStdString();
            EXPECT_EQ(p->sumasDe(QStringLiteral("resumen")).at(0).at(0), pesos(debitos));
        } else {
            // The consolidated report's total is the ledger's balance at the
            // last date; each group's total its creditors' balances.
            const auto resumen = p->sumasDe(QStringLiteral("resumen")).at(0);
            EXPECT_EQ(resumen.back(), pesos(finalTotal));
            EXPECT_EQ(resumen.at(2), pesos(debitos));
            if (c.porGrupo) {
                const auto pies = p->sumasDe(QStringLiteral("totalgrupo"));
                std::vector<Dinero> esperados;
                for (const auto& [g, s] : finalGrupo) esperados.push_back(pesos(s));
                ASSERT_EQ(pies.size(), esperados.size());
                for (size_t k = 0; k < pies.size(); ++k) EXPECT_EQ(pies[k].back(), esperados[k]);
            } else {
                EXPECT_TRUE(p->sumasDe(QStringLiteral("totalgrupo")).empty());
            }
        }
        if (c.detalle && c.porGrupo) {
            // The PDF reads back: creditors, the report total and the pages.
            prueba::Fuentes fuentes;
            const QString texto = prueba::textoPdf(*p);
            EXPECT_TRUE(texto.contains(QStringLiteral("ACREEDOR 900300400")));
            EXPECT_TRUE(texto.contains(QStringLiteral("Total informe")));
            EXPECT_TRUE(texto.contains(pesos(debitos).texto(2))) << debitos;
            EXPECT_TRUE(texto.contains(QStringLiteral("Página %1 de %1").arg(p->paginas())));
        }
    }
}

// The report screens. The movement screen's F2: empty ranges take every creditor and group, a
// range with nothing says so and prints nothing, and the grouping chooses
// the group bands.
using PantallasInforme = prueba::EntornoInformes;

TEST_F(PantallasInforme, RangosVaciosYSinDatos) {
    fb::Database db = compania.conectar();
    Libro libro{db};
    const QStringList nits{QStringLiteral("900100200"), QStringLiteral("900300400"), QStringLiteral("800111222")};
    const QStringList grupos{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("02")};
    for (int i = 0; i < nits.size(); ++i) libro.acreedor(nits[i], grupos[i]);
    const QDate inicio(2025, 1, 1);
    poblarAlAzar(libro, nits, 5, inicio, 40);

    struct Caso {
        QString nitDesde, nitHasta, grupoDesde, grupoHasta;
        cxp::Tfrepomovprove::Agrupar agrupar;
        QStringList esperados;  // creditors in the report; empty: no rows
        int piesGrupo;
    };
    using A = cxp::Tfrepomovprove::Agrupar;
    const Caso casos[] = {
        {{}, {}, {}, {}, A::Grupo, nits, 2},
        {{}, {}, QStringLiteral("02"), {}, A::Ninguno, {nits[1], nits[2]}, 0},
        {QStringLiteral("9"), {}, {}, QStringLiteral("01"), A::Ninguno, {nits[0]}, 0},
        {QStringLiteral("7"), QStringLiteral("79"), {}, {}, A::Grupo, {}, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE((c.nitDesde + u'-' + c.nitHasta + u'/' + c.grupoDesde + u'-' + c.grupoHasta).toStdString());
        cxp::Tfrepomovprove p(sesion, interaccion, manejador, configuracion);
        ASSERT_TRUE(p.abrir());
        int enviados = 0;
        p.setSalida({{}, [&](const Paginado&, const QString&, const QString& archivo) {
                         ++enviados;
                         EXPECT_EQ(archivo, QStringLiteral("RepMovProv"));
                     }});
        p.nitDesde = c.nitDesde;
        p.nitHasta = c.nitHasta;
        p.grupoDesde = c.grupoDesde;
        p.grupoHasta = c.grupoHasta;
        p.agrupar = c.agrupar;
        p.desde = inicio;
        p.hasta = inicio.addDays(60);
        interaccion.mensajes.clear();
        const bool impreso = p.generar();
        EXPECT_EQ(impreso, !c.esperados.isEmpty()) << mensajes().toStdString();
        EXPECT_EQ(enviados, impreso ? 1 : 0);
        if (!impreso) {
            EXPECT_TRUE(mensajes().contains(cxp::PantallaInforme::kSinDatos)) << mensajes().toStdString();
            continue;
        }
        QStringList vistos;
        for (int r = 0; r < p.filas().recordCount(); ++r)
            if (!vistos.contains(p.filas().row(r).asString(QStringLiteral("NIT"))))
                vistos << p.filas().row(r).asString(QStringLiteral("NIT"));
        QStringList esperados = c.esperados;
        std::sort(vistos.begin(), vistos.end());
        std::sort(esperados.begin(), esperados.end());
        EXPECT_EQ(vistos, esperados);
        EXPECT_EQ(int(p.ultimo()->sumasDe(QStringLiteral("totalgrupo")).size()), c.piesGrupo);
    }
}

// The payables report at a cut-off: consolidated, creditors without
// balance only when asked; its total, consolidated or by document, is the
// ledger's balance of the creditors.
TEST_F(PantallasInforme, CuentasPorPagarSinSaldoSoloSiSePide) {
    fb::Database db = compania.conectar();
    Libro libro{db};
    const QStringList nits{QStringLiteral("900100200"), QStringLiteral("900300400"), QStringLiteral("800111222")};
    for (const QString& n : nits) libro.acreedor(n);
    const QDate inicio(2025, 1, 1), corte = inicio.addDays(45);
    poblarAlAzar(libro, nits.mid(0, 2), 9, inicio, 40);  // the third has no documents
    Centavos total = 0;
    QStringList conSaldo;
    for (const QString& n : nits)
        if (const Centavos s = libro.saldoAcreedor(n, corte); s != 0) {
            total += s;
            conSaldo << n;
        }
    ASSERT_FALSE(conSaldo.isEmpty());

    struct Caso {
        bool detalle, sinSaldo;
        QStringList esperados;
    };
    const Caso casos[] = {{false, false, conSaldo}, {false, true, nits}, {true, false, conSaldo}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.detalle).arg(c.sinSaldo).toStdString());
        cxp::Tfrepocxpaga p(sesion, interaccion, manejador, configuracion);
        ASSERT_TRUE(p.abrir());
        p.setSalida({{}, [](const Paginado&, const QString&, const QString&) {}});
        p.nitDesde = QStringLiteral("8");
        p.nitHasta = QStringLiteral("9z");
        p.corte = corte;
        p.detalle = c.detalle;
        p.sinSaldo = c.sinSaldo;
        ASSERT_TRUE(p.generar()) << mensajes().toStdString();
        QStringList vistos;
        for (int r = 0; r < p.filas().recordCount(); ++r)
            if (!vistos.contains(p.filas().row(r).asString(QStringLiteral("NIT"))))
                vistos << p.filas().row(r).asString(QStringLiteral("NIT"));
        QStringList esperados = c.esperados;
        std::sort(vistos.begin(), vistos.end());
        std::sort(esperados.begin(), esperados.end());
        EXPECT_EQ(vistos, esperados);
        EXPECT_EQ(p.ultimo()->sumasDe(QStringLiteral("resumen")).at(0).back(), pesos(total));
        if (c.detalle) captura(*p.ultimo(), QStringLiteral("informe-cxpagar"));
    }
}

// The aged analysis: "Rango días:" titles the four bands, the bands add up
// to the balance, and the total is the ledger's balance at the cut-off.
TEST_F(PantallasInforme, AnalisisTitulosYTotales) {
    fb::Database db = compania.conectar();
    Libro libro{db};
    const QStringList nits{QStringLiteral("900100200"), QStringLiteral("800111222")};
    for (const QString& n : nits) libro.acreedor(n);
    const QDate inicio(2025, 1, 1), corte = inicio.addDays(100);
    poblarAlAzar(libro, nits, 3, inicio, 90);
    Centavos total = 0;
    for (const QString& n : nits) total += libro.saldoAcreedor(n, corte);

    struct Caso {
        int dias;
        bool detalle;
        QStringList titulos;
    };
    const Caso casos[] = {
        {30, false, {"0 - 30 dias", "31-60 dias", "61-90 dias", "91 y más dias"}},
        {15, true, {"0 - 15 dias", "16-30 dias", "31-45 dias", "46 y más dias"}},
    };
    prueba::Fuentes fuentes;  // of the recording canvas
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.dias);
        EXPECT_EQ(cxp::Tfrepoanalisi::titulosRangos(c.dias), c.titulos);
        cxp::Tfrepoanalisi p(sesion, interaccion, manejador, configuracion);
        ASSERT_TRUE(p.abrir());
        p.setSalida({{}, [](const Paginado&, const QString&, const QString&) {}});
        p.nitDesde = QStringLiteral("8");
        p.nitHasta = QStringLiteral("9z");
        p.corte = corte;
        p.dias = c.dias;
        p.detalle = c.detalle;
        ASSERT_TRUE(p.generar()) << mensajes().toStdString();
        cxp::LienzoGrabado l(p.ultimo()->papel());
        p.ultimo()->dibujar(l);
        for (const QString& t : c.titulos) EXPECT_EQ(l.buscar(t).size(), size_t(p.ultimo()->paginas())) << t.toStdString();
        const auto resumen = p.ultimo()->sumasDe(QStringLiteral("resumen")).at(0);
        ASSERT_EQ(resumen.size(), 6u);
        EXPECT_EQ(resumen[0] + resumen[1] + resumen[2] + resumen[3] + resumen[4], resumen[5]);
        EXPECT_EQ(resumen[5], pesos(total));
        if (c.detalle) captura(*p.ultimo(), QStringLiteral("informe-analisis"));
    }
}
