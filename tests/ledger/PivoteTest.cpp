// The pivot: exact sums and counts with subtotals at every level and grand
// totals, the order of the lines, year and month of a date, the layout
// files (round trip, refusal of what is no layout, fields the data lack),
// and the pivot screen with its layouts folder.
#include "ledger/ModeloPivote.h"
#include "ledger/Tfanalisismovcxp.h"
#include "tests/ledger/Entorno.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace cxp;
using namespace cxp::pivote;

namespace {

Dinero dinero(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

// Movement rows: group, creditor, type, date, amount, balance.
void datos(DataSet& ds) {
    ds.openEmpty({FieldSpec("GRUPO", FieldType::String, 20), FieldSpec("TERCERO", FieldType::String, 20),
                  FieldSpec("TIPO", FieldType::String, 8), FieldSpec("FECHA", FieldType::Date),
                  FieldSpec("MONTO", FieldType::Decimal, 15, 2), FieldSpec("SALDO", FieldType::Decimal, 15, 2)});
    struct F {
        const char *g, *t, *tipo;
        QDate f;
        const char *m, *s;
    };
    const F filas[] = {
        {"B", "beta", "NC", QDate(2026, 2, 3), "0.10", "0.10"},
        {"A", "zeta", "ND", QDate(2026, 1, 9), "0.20", "0"},
        {"A", "alfa", "ND", QDate(2026, 1, 2), "900000000000.01", "1"},
        {"A", "alfa", "NC", QDate(2026, 2, 1), "-0.01", "-0.01"},
        {"A", "alfa", "ND", QDate(2026, 2, 9), "0.30", "0.30"},
    };
    for (const F& f : filas) {
        ds.append();
        ds.setValue("GRUPO", f.g);
        ds.setValue("TERCERO", f.t);
        ds.setValue("TIPO", f.tipo);
        ds.setValue("FECHA", f.f);
        ds.setValue("MONTO", dinero(f.m));
        ds.setValue("SALDO", dinero(f.s));
        ds.post();
    }
}

QStringList lineas(const Resultado& r) {
    QStringList l;
    for (const Encabezado& e : r.filas) l << e.texto();
    return l;
}

TEST(Pivote, SumasExactasConSubtotalesYTotales) {
    DataSet ds;
    datos(ds);
    Diseno d;
    d.filas = {"GRUPO", "TERCERO"};
    d.columnas = {"TIPO"};
    d.datos = {{"MONTO", Funcion::Suma}, {"SALDO", Funcion::Suma}, {"TIPO", Funcion::Cuenta}};
    const Resultado r = calcular(ds, d);

    EXPECT_EQ(lineas(r), (QStringList{"A / alfa", "A / zeta", "Total A", "B / beta", "Total B", "Total"}));
    QStringList cols;
    for (const Encabezado& e : r.columnas) cols << e.texto();
    EXPECT_EQ(cols, (QStringList{"NC", "ND", "Total"}));

    // alfa: ND 900000000000.01 + 0.30, NC -0.01.
    EXPECT_EQ(r.valor(0, 1, 0), dinero("900000000000.31"));
    EXPECT_EQ(r.valor(0, 0, 0), dinero("-0.01"));
    EXPECT_EQ(r.valor(0, 2, 0), dinero("900000000000.30"));
    EXPECT_EQ(r.valor(0, 2, 2), Dinero::desdeEntero(3)) << "three movements counted";
    // Group A's subtotal and the grand total, exact to the cent.
    EXPECT_EQ(r.valor(2, 2, 0), dinero("900000000000.50"));
    EXPECT_EQ(r.valor(2, 2, 1), dinero("1.29"));
    EXPECT_EQ(r.valor(5, 2, 0), dinero("900000000000.60"));
    EXPECT_EQ(r.valor(5, 0, 1), dinero("0.09"));
    EXPECT_EQ(r.valor(5, 2, 2), Dinero::desdeEntero(5));
    // zeta has no discount: the cell is empty, not a zero movement.
    EXPECT_FALSE(r.ocupada(1, 0));
    EXPECT_TRUE(r.ocupada(1, 1));

    // Without subtotals only the grand total closes the lines.
    d.subtotales = false;
    EXPECT_EQ(lineas(calcular(ds, d)), (QStringList{"A / alfa", "A / zeta", "B / beta", "Total"}));
}

TEST(Pivote, AnioYMesDeUnaFechaYEjesVacios) {
    DataSet ds;
    datos(ds);
    EXPECT_TRUE(camposDisponibles(ds).contains("FECHA:MES"));
    EXPECT_FALSE(camposDisponibles(ds).contains("MONTO:MES"));
    Diseno d;
    d.filas = {"FECHA:MES"};
    d.datos = {{"MONTO", Funcion::Suma}};
    Resultado r = calcular(ds, d);
    EXPECT_EQ(lineas(r), (QStringList{"2026/01", "2026/02", "Total"}));
    EXPECT_EQ(r.columnas.size(), 1u) << "no column field: one total column";
    EXPECT_EQ(r.valor(0, 0, 0), dinero("900000000000.21"));
    EXPECT_EQ(r.valor(1, 0, 0), dinero("0.39"));

    // A field the data lack is left out; summing a text counts.
    d.filas = {"NOEXISTE", "FECHA:AÑO"};
    d.datos = {{"TERCERO", Funcion::Suma}};
    r = calcular(ds, d);
    EXPECT_EQ(r.diseno.filas, QStringList{"FECHA:AÑO"});
    EXPECT_EQ(lineas(r), (QStringList{"2026", "Total"}));
    EXPECT_EQ(r.valor(0, 0, 0), Dinero::desdeEntero(5));

    ModeloPivote m;
    d.filas = {"GRUPO", "TERCERO"};
    d.columnas = {};
    d.datos = {{"SALDO", Funcion::Suma}};
    m.setResultado(calcular(ds, d));
    ASSERT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.headerData(2, Qt::Horizontal).toString(), "Suma de SALDO");
    EXPECT_EQ(m.data(m.index(2, 0)).toString(), "Total A");
    EXPECT_EQ(m.data(m.index(2, 2)).toString(), "1.29");
    EXPECT_TRUE(m.data(m.index(2, 0), ModeloPivote::kRolTotal).toBool());
    EXPECT_FALSE(m.data(m.index(0, 0), ModeloPivote::kRolTotal).toBool());
}

// A group whose value is empty or null is a group of its own: the grand total
// and the subtotals count each row once, on either axis and at any level.
TEST(Pivote, ValoresVaciosYNulosSonUnGrupoPropio) {
    DataSet ds;
    ds.openEmpty({FieldSpec("GRUPO", FieldType::String, 20), FieldSpec("TERCERO", FieldType::String, 20),
                  FieldSpec("MONTO", FieldType::Decimal, 15, 2)});
    struct F {
        const char *g, *t;  // nullptr: null
        const char* m;
    };
    const F filas[] = {{nullptr, "x", "1"}, {"", "y", "10"}, {"A", nullptr, "100"}, {"A", "z", "1000"}};
    for (const F& f : filas) {
        ds.append();
        ds.setValue("GRUPO", f.g ? fb::Value(QString::fromLatin1(f.g)) : fb::Value());
        ds.setValue("TERCERO", f.t ? fb::Value(QString::fromLatin1(f.t)) : fb::Value());
        ds.setValue("MONTO", dinero(f.m));
        ds.post();
    }
    struct Caso {
        QStringList filas, columnas;
        int filaTotal, columnaTotal;  // -1: the last one
        const char* total;
    } casos[] = {
        {{"GRUPO"}, {}, -1, -1, "1111"},
        {{}, {"GRUPO"}, -1, -1, "1111"},
        {{"GRUPO", "TERCERO"}, {}, -1, -1, "1111"},
        {{"TERCERO"}, {"GRUPO"}, -1, -1, "1111"},
    };
    for (const Caso& c : casos) {
        Diseno d;
        d.filas = c.filas;
        d.columnas = c.columnas;
        d.datos = {{"MONTO", Funcion::Suma}};
        const Resultado r = calcular(ds, d);
        SCOPED_TRACE((c.filas.join(',') + '|' + c.columnas.join(',')).toStdString());
        const int ft = int(r.filas.size()) - 1, ct = int(r.columnas.size()) - 1;
        EXPECT_EQ(r.valor(ft, ct, 0), dinero(c.total));
        // Every detail line adds up to the total.
        Dinero suma;
        for (int i = 0; i < ft; ++i)
            if (r.filas[size_t(i)].tipo == Encabezado::Tipo::Detalle) suma += r.valor(i, ct, 0);
        if (!c.filas.isEmpty()) {
            EXPECT_EQ(suma, dinero(c.total));
        }
    }
    // The blank group (null and empty together) holds its own rows only.
    Diseno d;
    d.filas = {"GRUPO"};
    d.datos = {{"MONTO", Funcion::Suma}};
    const Resultado r = calcular(ds, d);
    ASSERT_EQ(r.filas.size(), 3u);
    EXPECT_EQ(r.valor(0, 0, 0), dinero("11"));
    EXPECT_EQ(r.valor(1, 0, 0), dinero("1100"));
}

TEST(Pivote, ArchivoDePlantilla) {
    Diseno d;
    d.filas = {"NOMGRUPO", "NOMBRETERC"};
    d.columnas = {"FECHA:MES"};
    d.datos = {{"MONTO", Funcion::Suma}, {"NUMERO", Funcion::Cuenta}};
    d.subtotales = false;
    QString error;
    const auto vuelta = Diseno::deJson(d.aJson(), &error);
    ASSERT_TRUE(vuelta) << error.toStdString();
    EXPECT_EQ(*vuelta, d);

    EXPECT_FALSE(Diseno::deJson("{ no", &error));
    EXPECT_FALSE(Diseno::deJson(R"({"filas": ["A"]})", &error)) << "a JSON file that is no layout";
    EXPECT_FALSE(Diseno::deJson(R"({"formato": "cxpagar-pivote", "filas": "A"})", &error));
    EXPECT_FALSE(
        Diseno::deJson(R"({"formato": "cxpagar-pivote", "datos": [{"campo": "MONTO", "funcion": "promedio"}]})"));
    const auto minimo = Diseno::deJson(R"({"formato": "cxpagar-pivote", "version": 7, "otra": 1})");
    ASSERT_TRUE(minimo) << "unknown keys are ignored";
    EXPECT_TRUE(minimo->subtotales);
    EXPECT_EQ(d.faltantes({"NOMGRUPO", "MONTO", "FECHA:MES"}), (QStringList{"NOMBRETERC", "NUMERO"}));
}

class Plantillas : public prueba::EntornoLedger {
protected:
    QTemporaryDir instalacion;
    std::unique_ptr<Tfanalisismovcxp> p;

    void SetUp() override {
        EntornoLedger::SetUp();
        sesion.directorio = instalacion.path();
        QDir().mkpath(instalacion.path() + "/Cxpagar/reportes");
        p = std::make_unique<Tfanalisismovcxp>(sesion, interaccion, manejador, configuracion);
        p->setHoy([] { return QDate(2026, 2, 14); });
    }
    QString carpeta() const { return instalacion.path() + "/Cxpagar/reportes/"; }
    void escribir(const QString& nombre, const QByteArray& texto) {
        QFile f(carpeta() + nombre);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texto);
    }
};

TEST_F(Plantillas, CalculaConLaPredeterminadaOLaElegida) {
    escribir("Analisismovcxp.mds", R"({"formato": "cxpagar-pivote", "filas": ["TERCERO"],
                                       "datos": [{"campo": "SALDO", "funcion": "suma"}]})");
    escribir("porgrupo.mds", R"({"formato": "cxpagar-pivote", "filas": ["NOMGRUPO"], "columnas": ["NOVALE"],
                                 "datos": [{"campo": "MONTO", "funcion": "suma"}]})");
    escribir("notas.txt", "no");
    ASSERT_TRUE(p->abrir());
    EXPECT_EQ(p->carpetaPlantillas(), carpeta());
    EXPECT_EQ(p->plantillas(), (QStringList{"Analisismovcxp.mds", "porgrupo.mds"}));
    EXPECT_EQ(p->desde(), QDate(2026, 2, 1));
    EXPECT_EQ(p->hasta(), QDate(2026, 2, 28));

    QSignalSpy aviso(p.get(), &Tfanalisismovcxp::aviso);
    ASSERT_TRUE(p->calcular()) << mensajes().toStdString();
    ASSERT_EQ(aviso.count(), 2);
    EXPECT_EQ(aviso.at(0).at(0).toString(), "Actualizando balance. Espere un momento...");
    EXPECT_EQ(aviso.at(1).at(0).toString(), "");
    EXPECT_EQ(p->diseno().filas, QStringList{"TERCERO"}) << "the folder's Analisismovcxp.mds";
    EXPECT_EQ(p->modelo().rowCount(), 4);
    EXPECT_EQ(p->modelo().data(p->modelo().index(3, 1)).toString(), "50.85");

    // Choosing a layout applies it; the field the data lack is named.
    p->setPlantilla("porgrupo.mds");
    EXPECT_EQ(p->diseno().filas, QStringList{"NOMGRUPO"});
    EXPECT_TRUE(p->diseno().columnas.isEmpty());
    EXPECT_EQ(interaccion.de("advertencia"),
              QStringList{"La plantilla nombra campos que no tiene el análisis: NOVALE"});
    EXPECT_EQ(p->modelo().data(p->modelo().index(0, 0)).toString(), "EXTERIOR");
    EXPECT_EQ(p->modelo().data(p->modelo().index(2, 1)).toString(), "1,101.00");
}

TEST_F(Plantillas, SinArchivosUsaElDisenoPropioYGrabaConExtension) {
    ASSERT_TRUE(p->abrir());
    EXPECT_TRUE(p->plantillas().isEmpty());
    ASSERT_TRUE(p->calcular());
    EXPECT_EQ(p->diseno(), Tfanalisismovcxp::disenoPredeterminado());
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << mensajes().toStdString();

    Diseno d = p->diseno();
    d.filas = {"TERCERO"};
    d.columnas = {"FECHA:MES"};
    p->setDiseno(d);
    QSignalSpy lista(p.get(), &Tfanalisismovcxp::plantillasCambio);
    ASSERT_TRUE(p->grabarPlantilla(carpeta() + "por mes"));
    EXPECT_EQ(lista.count(), 1);
    EXPECT_EQ(p->plantillas(), QStringList{"por mes.mds"});
    const auto leido = Diseno::leer(carpeta() + "por mes.mds");
    ASSERT_TRUE(leido);
    EXPECT_EQ(*leido, d);

    // A file that is no layout is told and the pivot stays as it was.
    escribir("roto.mds", "{");
    p->listarPlantillas();
    p->setPlantilla("roto.mds");
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_TRUE(interaccion.de("error").front().startsWith("No se pudo leer la plantilla " + carpeta() + "roto.mds"));
    EXPECT_EQ(p->diseno(), d);

    // A folder that cannot be written to is told too.
    EXPECT_FALSE(p->grabarPlantilla("/proc/no/se/puede.mds"));
    EXPECT_EQ(interaccion.de("error").size(), 2);
}

}  // namespace
