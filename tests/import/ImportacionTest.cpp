#include "import/Importador.h"
#include "tests/support/EntornoCompania.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

using namespace cxp::importacion;
using cxp::Dinero;

QStringList campos(const LineaLeida& l) { return l.campos; }

std::vector<QStringList> leer(const QByteArray& bytes, const FormatoArchivo& f) {
    LectorTexto lector(bytes, f);
    LineaLeida l;
    std::vector<QStringList> lineas;
    while (lector.siguiente(l)) lineas.push_back(campos(l));
    return lineas;
}

TEST(LectorTexto, PartirLineas) {
    const FormatoArchivo coma{false, u',', u'"', {}};
    const FormatoArchivo puntoComa{false, u';', u'"', {}};
    const FormatoArchivo sinDelimitador{false, u',', QChar(), {}};
    const FormatoArchivo fijo{true, u',', QChar(), {3, 5, 2}};
    struct Caso {
        const char* nombre;
        QByteArray bytes;
        FormatoArchivo formato;
        std::vector<QStringList> esperado;
    } casos[] = {
        {"separador protegido", "1,\"ALIMENTOS, S.A.\",x\r\n", coma, {{"1", "ALIMENTOS, S.A.", "x"}}},
        {"comilla doblada", "\"dice \"\"hola\"\"\";2", puntoComa, {{"dice \"hola\"", "2"}}},
        {"sin delimitador lee como antes", "a,\"b\",c", sinDelimitador, {{"a", "\"b\"", "c"}}},
        {"ultima linea sin fin", "a,b\nc,d", coma, {{"a", "b"}, {"c", "d"}}},
        {"linea vacia y CR solo", "a\r\rb\n", coma, {{"a"}, {""}, {"b"}}},
        {"comilla sin cerrar termina con la linea", "\"a,b\nc", coma, {{"a,b"}, {"c"}}},
        {"ancho fijo", "123ABCDEzz\n12", fijo, {{"123", "ABCDE", "zz"}, {"12", "", ""}}},
        {"utf8 con marca", "\xEF\xBB\xBF" "Ñandú,1", coma, {{"Ñandú", "1"}}},
        {"utf8 sin marca", "Ñandú,1", coma, {{"Ñandú", "1"}}},
        {"windows-1252", "\xD1" "and\xFA \x80,1", coma, {{"Ñandú €", "1"}}},
    };
    for (const Caso& c : casos) EXPECT_EQ(leer(c.bytes, c.formato), c.esperado) << c.nombre;

    // Line numbers count every line end; a long field is cut.
    LectorTexto lector(QByteArray("a\r\nb\n\n") + QByteArray(400, 'x'), coma);
    LineaLeida l;
    std::vector<int> numeros;
    while (lector.siguiente(l)) numeros.push_back(l.numero);
    EXPECT_EQ(numeros, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(l.campos[0].size(), kLargoMaximoCampo);
    // A column typed far out does not ask for a huge layout.
    EXPECT_EQ(anchosDelMapa({{"TERC_NIT", 2, 20}, {"TERC_NOM", 1 << 30, 60}}).size(), 4096u);
}

TEST(LectorTexto, MontosDelArchivo) {
    struct Caso {
        const char* texto;
        bool valido;
        int64_t crudo;
    } casos[] = {{"1234.56", true, 12345600}, {"1.234,56", true, 12345600}, {"1,234.56", true, 12345600},
                 {"1234,5", true, 12345000},  {"1.234", false, 0},         {"1,234", false, 0},
                 {"12a", false, 0},           {"", true, 0}};
    for (const Caso& c : casos) {
        bool valido = false;
        const auto m = montoDelArchivo(QString::fromUtf8(c.texto), &valido);
        EXPECT_EQ(valido, c.valido) << c.texto;
        EXPECT_EQ(m.value_or(Dinero()).crudo(), c.crudo) << c.texto;
    }
}

class Importacion : public prueba::EntornoCompania {
protected:
    void SetUp() override {
        ejecutar("insert into grupos_proveedores (grpr_cod, grpr_nom) values ('01', 'NACIONALES')");
        ejecutar("insert into terceros (terc_nit, terc_nom, terc_prov) values ('800100', 'VIEJO', 'S')");
        ejecutar("insert into proveedores (terc_nit, grpr_cod, prov_cod, prov_rtftebase, prov_rticabase) "
                 "values ('800100', '01', 'V1', 1000000, 1000000)");
        entrar();
    }
    Resumen importar(int tipo, const QByteArray& datos, QChar sep = u',') {
        Importador imp(sesion.compania, configuracion, QStringLiteral("ADMIN"));
        imp.fijeLote(3);
        return imp.importar(tipo, datos, FormatoArchivo{false, sep, u'"', {}}, mapaGuardado(sesion.compania, tipo));
    }
    QString valor(const QString& sql) { return fila(sql)->at(0).toString(); }
};

// Creditors: NIT, name, address, phone, city, city code, contact, fax,
// mobile, id type, surnames, names, code, group, check digit.
TEST_F(Importacion, AcreedoresNuevosActualizadosYRechazados) {
    const QByteArray archivo =
        "900200,\"ALIMENTOS, S.A.\",CRA 1,,,,,,,,,,,,P2,01\r\n"
        "800100,,CALLE NUEVA,,,,,,,,,,,,V9,01\r\n"
        "\r\n"
        "900300,,,,,,,,,,PEREZ,,JUAN,,,01\r\n"
        "90A,X,,,,,,,,,,,,,,01\r\n"
        "900400,Y,,,,,,,,,,,,,,01,4\r\n"
        "900500,\xE2\x82\xAC" "uro,,,,,,,,,,,,,,01\n"
        "900600,SIN GRUPO\n"
        "900700,ULTIMA,,,,,,,,,,,,,,01";
    const Resumen r = importar(kProveedores, archivo);
    EXPECT_EQ(r.leidos, 9);
    EXPECT_EQ(r.importados, 3);
    EXPECT_EQ(r.actualizados, 1);
    std::vector<int> lineas;
    for (const Rechazo& x : r.rechazos) lineas.push_back(x.linea);
    // empty line, letters, wrong check digit, a character beyond ISO8859-1, no group
    EXPECT_EQ(lineas, (std::vector<int>{3, 5, 6, 7, 8}));
    EXPECT_EQ(r.rechazados, 5);
    EXPECT_EQ(valor("select terc_nom from terceros where terc_nit = '900200'"), "ALIMENTOS, S.A.");
    EXPECT_EQ(valor("select terc_nom from terceros where terc_nit = '900300'"), "PEREZ JUAN");
    EXPECT_EQ(valor("select terc_nom || terc_dir from terceros where terc_nit = '800100'"), "VIEJOCALLE NUEVA");
    EXPECT_EQ(valor("select prov_cod from proveedores where terc_nit = '800100'"), "V9");
    EXPECT_EQ(contar("select count(*) from proveedores where terc_nit = '900700'"), 1);
    EXPECT_EQ(contar("select count(*) from terceros where terc_nit in ('900500', '900600')"), 0);
    EXPECT_TRUE(r.texto().startsWith("Importación finalizada."));
}

TEST_F(Importacion, GruposDuplicadosRechazados) {
    const Resumen r = importar(kGrupos, "02;LOCALES\n01;OTRA\n02;REPETIDA\n;SIN CODIGO\n", u';');
    EXPECT_EQ(r.importados, 1);
    EXPECT_EQ(r.rechazados, 3);
    EXPECT_EQ(valor("select grpr_nom from grupos_proveedores where grpr_cod = '01'"), "NACIONALES");
}

// TIPODOC, PREFIJO, NUMERO, NUMERO PROVEEDOR, FECHA, NIT, VENCE, CONCEPTO,
// MONTO, ..., IVAMONTO (19), RTEFTEMONTO (22), RTEIVAMONTO (23), RTEICAMONTO (24).
TEST_F(Importacion, SaldosInicialesCargosYDescuentos) {
    configuracion.asignar("CXPAGAR", "DOCUMENTOS", "CAUSAR RETENCIONES A PARTIR DE LA BASE MINIMA DEL PROVEEDOR O DESDE CERO",
                          "BASE MINIMA");
    const QByteArray archivo =
        "D,SI,15,F-1,2026/01/31,800100,2026/03/01,\"SALDO, ENERO\",\"1.500.000,00\",,,,,,,,,,285000,,,37500,42750,10350\n"
        "D,SI,16,,2026/01/31,800100,,AL MINIMO,1000000,,,,,,,,,,190000,,,25000,28500,6900\n"
        "C,SC,7,,31/01/2026,800100,,NOTA,200000\n"
        ",SC,8,,31/01/2026,800100,,SIGUE NOTA,1.234\n"
        "D,SI,17,,2026/01/31,999999,,SIN PROVEEDOR,100\n"
        "D,SI,15,,2026/01/31,800100,,REPETIDO,100\n"
        "D,SI,18,,2026/01/31,800100,,CERO,0\n";
    const Resumen r = importar(kSaldosIniciales, archivo);
    EXPECT_EQ(r.importados, 3);
    std::vector<int> lineas;
    for (const Rechazo& x : r.rechazos) lineas.push_back(x.linea);
    EXPECT_EQ(lineas, (std::vector<int>{4, 5, 6, 7}));  // ambiguous amount, no creditor, taken number, zero

    const auto cargo = fila("select ndpr_monto, ndpr_rtftemonto, ndpr_rtftePorc, ndpr_rtivamonto, ndpr_rticamonto, "
                            "ndpr_rticaporc, ndpr_numero, ndpr_conc, ndpr_vence from notas_debito_proveedor "
                            "where pref_pre = 'SI' and ndpr_numero = '000015'");
    ASSERT_TRUE(cargo);
    EXPECT_EQ(cargo->at(0).toString(), "1500000.00");
    EXPECT_EQ(cargo->at(1).toString(), "37500.00");
    EXPECT_EQ(cargo->at(2).toString(), "2.5000");
    EXPECT_EQ(cargo->at(3).toString(), "42750.00");
    EXPECT_EQ(cargo->at(4).toString(), "10350.00");
    EXPECT_EQ(cargo->at(5).toString(), "6.9000");
    EXPECT_EQ(cargo->at(7).toString(), "SALDO, ENERO");
    EXPECT_EQ(cargo->at(8).toDate(), QDate(2026, 3, 1));
    // A base equal to the creditor's minimum withholds nothing.
    EXPECT_EQ(valor("select ndpr_rtftemonto + ndpr_rtivamonto + ndpr_rticamonto from notas_debito_proveedor "
                    "where ndpr_numero = '000016'"),
              "0.00");
    // The prefix made for them: active, not automatic, numbered past the document.
    const auto prefijo = fila("select pref_auto, pref_activo, pref_actual from prefijos where tido_cod = 51 and pref_pre = 'SI'");
    ASSERT_TRUE(prefijo);
    EXPECT_EQ(prefijo->at(0).toString() + prefijo->at(1).toString(), "NS");
    EXPECT_GE(prefijo->at(2).toString().toInt(), 16);
    EXPECT_EQ(contar("select count(*) from notas_credito_proveedor where pref_pre = 'SC' and ncpr_monto = 200000"), 1);
    EXPECT_EQ(contar("select count(*) from prefijos where tido_cod = 52 and pref_pre = 'SC' and pref_auto = 'N'"), 1);
    EXPECT_TRUE(filas("select * from CHEQUEO_SALDOS_DOC_CXPAGAR('', 'zz')").empty());
}

// Files mutated from valid ones: cut, bytes flipped, separators and quotes
// inserted, long fields, binary noise. Nothing crashes or hangs, every
// record is counted once and the ledger stays consistent.
TEST_F(Importacion, ArchivosMutados) {
    const QByteArray base[2] = {
        "900200,\"ALIMENTOS, S.A.\",CRA 1,555,BOGOTA,11001,ANA,,,N,,,,,P2,01\r\n800100,,CALLE,,,,,,,,,,,,V9,01\r\n"
        "900300,,,,,,,,,,PEREZ,,JUAN,,,01\r\n",
        "D,SI,15,F-1,2026/01/31,800100,2026/03/01,\"SALDO, ENERO\",1500000,,,,,,,,,,285000,,,37500,42750,10350\r\n"
        "C,SC,7,,31/01/2026,800100,,NOTA,200000\r\nD,SJ,9,,2026/01/31,800100,,OTRO,2.500.000\r\n"};
    const char insertos[] = {',', ';', '"', '\'', '\r', '\n', '\0', '\xFF', '\x80'};
    QRandomGenerator azar(20261207);
    int totalLeidos = 0;
    for (int i = 0; i < 1000; ++i) {
        const int k = i % 2;
        QByteArray datos = base[k];
        const int cambios = 1 + azar.bounded(6);
        for (int j = 0; j < cambios; ++j) {
            const int pos = azar.bounded(datos.size() + 1);
            switch (azar.bounded(5)) {
            case 0: datos.truncate(pos); break;
            case 1: if (pos < datos.size()) datos[pos] = char(datos[pos] ^ (1 << azar.bounded(8))); break;
            case 2: datos.insert(pos, insertos[azar.bounded(int(sizeof insertos))]); break;
            case 3: datos.insert(pos, QByteArray(300 + azar.bounded(2000), 'W')); break;
            default: {
                QByteArray ruido(1 + azar.bounded(64), Qt::Uninitialized);
                for (char& b : ruido) b = char(azar.bounded(256));
                datos.insert(pos, ruido);
            }
            }
        }
        const Resumen r = importar(k == 0 ? kProveedores : kSaldosIniciales, datos);
        ASSERT_EQ(r.leidos, r.importados + r.actualizados + r.rechazados) << i;
        for (const Rechazo& x : r.rechazos) ASSERT_FALSE(x.razon.isEmpty()) << i;
        totalLeidos += r.leidos;
    }
    EXPECT_GT(totalLeidos, 2000);
    EXPECT_TRUE(filas("select * from CHEQUEO_SALDOS_DOC_CXPAGAR('', 'zz')").empty());
}

}  // namespace
