// Document numbering: padding, finding documents in each type's table, the
// typed-number check and the bank and voucher variants.
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "base/Sql.h"
#include "data/Numeracion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

using cxp::complete_numero;
using cxp::complete_numero_n;
using cxp::EntradaNumero;
using cxp::Numeracion;

namespace {

class Numeracion_ : public ::testing::Test {
protected:
    void SetUp() override {
        db = base.conectar();
        conf.cargar(db);
    }
    void documento(const QString& tabla, const QString& columnas, const QString& valores) {
        db.executeDirect("insert into " + tabla + " (" + columnas + ") values (" + valores + ")");
    }
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db;
    prueba::InteraccionGrabada inter;
    cxp::Configuracion conf{inter};
    Numeracion num{db, inter, conf};
};

TEST(Relleno, CerosALaIzquierdaHastaElAncho) {
    const std::pair<const char*, const char*> casos[] = {{"7", "000007"}, {"000123", "000123"}, {"1234567", "1234567"}, {"", "000000"}};
    for (const auto& [numero, lleno] : casos) EXPECT_EQ(complete_numero(numero), lleno) << numero;
    EXPECT_EQ(complete_numero_n("99", 8), "00000099");
    EXPECT_EQ(complete_numero_n("123456789", 8), "123456789");
}

// Every type of the suite is looked up in its module's table, which finds
// the row that module saves. The payables documents' own tables come with
// the payables ledger; a table serving two types is tried once.
TEST_F(Numeracion_, CadaTipoSeBuscaEnSuPropiaTabla) {
    QStringList tipos;
    QSet<QString> vistas;
    for (const cxp::TablaDocumento& t : cxp::tablasDocumento()) {
        tipos << QString::number(t.tipo);
        if (QList<int>{51, 52, 53, 55, 56, 57, 62}.contains(t.tipo) || vistas.contains(t.tabla)) continue;
        vistas.insert(t.tabla);
        SCOPED_TRACE(t.tabla.toStdString());
        const auto existe = [&] {
            return t.banco ? num.existe_numerobco(t.tipo, 3, "000001", "0000") : num.existe_numero(t.tipo, "0000", "000001");
        };
        EXPECT_FALSE(existe());
        QStringList columnas{t.id, t.numero, "TERC_NIT", t.id.chopped(3) + "_FECHA"};
        QStringList valores{"7", cxp::sql::texto(complete_numero_n("1", cxp::anchoNumero(t.tipo))), "'900456789'", "'2026/12/06'"};
        const auto agregar = [&](bool si, const QString& columna, const QString& valor) {
            if (si) {
                columnas << columna;
                valores << valor;
            }
        };
        agregar(!t.prefijo.isEmpty(), t.prefijo, "'0000'");
        agregar(t.banco, "CUBA_COD", "3");
        agregar(t.conTipo, "TIDO_COD", QString::number(t.tipo));
        documento(t.tabla, columnas.join(", "), valores.join(", "));
        EXPECT_TRUE(existe());
    }
    QStringList faltan;
    for (const auto& f : db.query("select tido_cod from tipo_documento"))
        if (!tipos.contains(f[0].toString())) faltan << f[0].toString();
    EXPECT_TRUE(faltan.isEmpty()) << faltan.join(",").toStdString();
    EXPECT_THROW(num.existe_numero(99, "0000", "1"), std::invalid_argument);
    EXPECT_TRUE(num.existe_numero(99, "0000", ""));  // an empty number asks nothing
}

TEST_F(Numeracion_, EncuentraYGuardaElIdentificador) {
    documento("recibos_caja", "reca_id, pref_pre, reca_numero", "41, 'O''X', '000007'");
    documento("credito_educativo", "cred_id, cred_numero", "5, '000003'");
    documento("carga_remesa", "cgrm_id, cgrm_pref, cgrm_numero, tido_cod", "8, 'R1', '000002', 87");
    documento("factura_profv", "facp_id, pref_pre, facp_numero", "9, 'FP', '00000099'");

    EXPECT_TRUE(num.existe_numero(61, "O'X", "7"));  // quoted prefix, padded number
    EXPECT_EQ(num.encontrado(61), "41");
    EXPECT_TRUE(num.existe_numero(48, "cualquiera", "3"));  // by number alone
    EXPECT_EQ(num.encontrado(48), "5");
    EXPECT_FALSE(num.existe_numero(85, "R1", "2"));  // same table, other type
    EXPECT_TRUE(num.existe_numero(87, "R1", "2"));
    EXPECT_TRUE(num.existe_numero(50, "FP", "99"));  // eight digits for supplier invoices
    EXPECT_EQ(num.encontrado(50), "9");

    documento("pagos_proveedor", "papr_id, pref_pre, papr_numero", "12, '0000', '000001'");
    EXPECT_TRUE(num.existe_numero(54, "0000", "1"));
    EXPECT_EQ(num.encontrado(62), "12");  // payments and vouchers share one identifier
    num.limpiarEncontrados();
    EXPECT_EQ(num.encontrado(61), "");

    EXPECT_EQ(num.num_documento(61, 41), "O'X000007");
    EXPECT_EQ(num.num_documento(61, 42), "");
    const auto par = num.numero_documento(48, 5);
    ASSERT_TRUE(par);
    EXPECT_EQ(par->first, "");
    EXPECT_EQ(par->second, "000003");
}

TEST_F(Numeracion_, ElConsecutivoOcupadoPasaSinPreguntarAlSiguienteLibre) {
    documento("recibos_caja", "reca_id, pref_pre, reca_numero", "1, 'A', '000099'");
    documento("recibos_caja", "reca_id, pref_pre, reca_numero", "2, 'A', '000100'");
    QString campo = "000099";
    EXPECT_TRUE(num.valide_numero(61, "A", "000099", campo));
    EXPECT_EQ(campo, "000101");
    EXPECT_TRUE(inter.mensajes.isEmpty());
    EXPECT_EQ(num.encontrado(61), "");

    // Eight-digit type.
    documento("factura_profv", "facp_id, pref_pre, facp_numero", "3, 'F', '00000099'");
    campo = "00000099";
    EXPECT_TRUE(num.valide_numero(50, "F", "00000099", campo));
    EXPECT_EQ(campo, "00000100");

    // The prefix's consecutive itself is never changed here.
    db.executeDirect("insert into prefijos (tido_cod, pref_pre, pref_actual) values (61, 'A', '000099')");
    campo = "000099";
    num.valide_numero(61, "A", "000099", campo);
    EXPECT_EQ(db.queryOne("select pref_actual from prefijos where tido_cod = 61 and pref_pre = 'A'")->at(0).toString(),
              "000099");
}

TEST_F(Numeracion_, PrimerNumeroLibreDesdeElConsecutivo) {
    int id = 0;
    for (const char* n : {"000004", "000005", "7", "000009", "B0010"})  // "7" stored unpadded, "B0010" no number
        documento("recibos_caja", "reca_id, pref_pre, reca_numero", QStringLiteral("%1, 'A', '%2'").arg(++id).arg(n));
    documento("recibos_caja", "reca_id, pref_pre, reca_numero", "900, 'Z', '000006'");  // another prefix
    db.executeDirect("insert into prefijos (tido_cod, pref_pre, pref_actual) values (61, 'A', '000004')");
    struct {
        const char* desde;
        const char* libre;  // empty: none
    } casos[] = {
        {"000004", "000006"}, {"4", "000006"}, {"000006", "000006"}, {"000007", "000008"},
        {"000009", "000010"}, {"000001", "000001"}, {"X1", ""},
    };
    for (const auto& c : casos) {
        const auto libre = cxp::primerNumeroLibre(db, 61, "A", c.desde);
        EXPECT_EQ(libre.value_or(QString()), c.libre) << c.desde;
    }
    // The prefix moved back to a used number offers the first free one.
    EXPECT_EQ(cxp::numeroLibreDelPrefijo(db, 61, "A").value_or(QString()), "000006");
    EXPECT_FALSE(cxp::numeroLibreDelPrefijo(db, 61, "NO"));
}

TEST_F(Numeracion_, OtroNumeroOcupadoPreguntaSiConsultar) {
    documento("recibos_caja", "reca_id, pref_pre, reca_numero", "7, 'A', '000050'");
    QString campo = "000050";
    inter.respuestas = {false};
    EXPECT_FALSE(num.valide_numero(61, "A", "000080", campo));
    EXPECT_EQ(inter.de("pregunta"), QStringList{"Documento 000050 previamente registrado. Consultar?"});
    EXPECT_EQ(num.encontrado(61), "");

    inter.respuestas = {true};
    EXPECT_TRUE(num.valide_numero(61, "A", "000080", campo));
    EXPECT_EQ(num.encontrado(61), "7");
    EXPECT_EQ(campo, "000050");

    campo = "000051";  // free
    EXPECT_TRUE(num.valide_numero(61, "A", "000080", campo));
    QString vacio;
    EXPECT_TRUE(num.valide_numero(61, "A", "000080", vacio));
    EXPECT_EQ(inter.de("pregunta").size(), 2);
}

TEST_F(Numeracion_, EntradaDelNumeroEnUnaPantalla) {
    documento("recibos_caja", "reca_id, pref_pre, reca_numero", "7, 'A', '000050'");
    documento("recibos_caja", "reca_id, pref_pre, reca_numero", "8, 'A', '000080'");
    EntradaNumero entrada(num, 61);
    QStringList consultados;
    const auto consultar = [&](const QString& id) { consultados << id; };

    EXPECT_EQ(entrada.cambio("7", "A", "000080", consultar), "000007");  // free, padded
    inter.respuestas = {false};
    EXPECT_EQ(entrada.cambio("50", "A", "000080", consultar), "");  // declined: emptied
    inter.respuestas = {true};
    // Consulted, then back to the consecutive, which is taken: the next free one.
    EXPECT_EQ(entrada.cambio("50", "A", "000080", consultar), "000081");
    EXPECT_EQ(consultados, QStringList{"7"});
    EXPECT_EQ(entrada.cambio("", "A", "000080", consultar), "");

    // On a dataset field.
    cxp::DataSet ds;
    ds.openEmpty({{"NUMERO", cxp::FieldType::String, 8}});
    ds.append();
    ds.setValue("NUMERO", QString("80"));
    entrada.cambio(ds, "NUMERO", "A", "000080", consultar);
    EXPECT_EQ(ds.asString("NUMERO"), "000081");
}

TEST_F(Numeracion_, PrefijoPredeterminado) {
    db.executeDirect("delete from prefijos where tido_cod = 56");
    num.registre_prefijo(56);
    auto fila = db.queryOne("select pref_auto, pref_actual, pref_activo from prefijos where tido_cod = 56 and pref_pre = '0000'");
    ASSERT_TRUE(fila);
    EXPECT_EQ((*fila)[0].toString(), "N");
    EXPECT_EQ((*fila)[1].toString(), "000001");
    db.executeDirect("update prefijos set pref_activo = 'N', pref_actual = '000040' where tido_cod = 56");
    num.registre_prefijo(56);
    fila = db.queryOne("select pref_actual, pref_activo from prefijos where tido_cod = 56 and pref_pre = '0000'");
    EXPECT_EQ((*fila)[0].toString(), "000040");
    EXPECT_EQ((*fila)[1].toString(), "S");
    EXPECT_EQ(num.nombre_tipo(62), "EGRESO");
    EXPECT_EQ(num.nombre_tipo(999), "");
}

TEST_F(Numeracion_, BancosEscribenCadaCandidato) {
    num.registre_prefijoBnco(71, 3);
    num.registre_prefijoBnco(71, 3);  // once per account
    EXPECT_EQ(db.query("select * from prefijos_bancos where tido_cod = 71 and cuba_cod = 3").size(), 1u);
    documento("consigna", "cons_id, cuba_cod, prba_pref, cons_numero", "1, 3, '0000', '000001'");
    documento("consigna", "cons_id, cuba_cod, prba_pref, cons_numero", "2, 3, '0000', '000002'");
    documento("consigna", "cons_id, cuba_cod, prba_pref, cons_numero", "3, 4, '0000', '000003'");  // other account
    QString campo = "000001";
    EXPECT_TRUE(num.valide_numerobnco(71, 3, "000001", campo, "0000"));
    EXPECT_EQ(campo, "000003");
    EXPECT_EQ(db.queryOne("select prba_numero from prefijos_bancos where tido_cod = 71 and cuba_cod = 3")->at(0).toString(),
              "000003");
    campo = "000002";
    inter.respuestas = {true};
    EXPECT_TRUE(num.valide_numerobnco(71, 3, "000003", campo, "0000"));
    EXPECT_EQ(num.encontrado(71), "2");

    // Returned cheques are numbered in PREFIJOS unless configured per account.
    db.executeDirect("delete from prefijos where tido_cod = 77");
    num.registre_prefijoBnco(77, 3);
    EXPECT_TRUE(db.queryOne("select 1 from prefijos where tido_cod = 77 and pref_pre = '0000'"));
    EXPECT_TRUE(db.query("select 1 from prefijos_bancos where tido_cod = 77").empty());
}

TEST_F(Numeracion_, ComprobantesContables) {
    db.executeDirect("insert into prefijos_conta (tico_cod, prco_pref, pref_numero) values ('CXP', 'P1', '000010')");
    documento("comprobante_encabezado", "enco_consec, tico_cod, prco_pref, enco_numero", "70, 'CXP', 'P1', '000010'");
    documento("comprobante_encabezado", "enco_consec, tico_cod, prco_pref, enco_numero", "71, 'CXP', 'P1', '000011'");
    QString campo = "000010";
    EXPECT_TRUE(num.valide_NumComConta("CXP", "P1", "000010", campo));
    EXPECT_EQ(campo, "000012");
    EXPECT_EQ(db.queryOne("select pref_numero from prefijos_conta where tico_cod = 'CXP' and prco_pref = 'P1'")
                  ->at(0)
                  .toString(),
              "000012");
    campo = "11";
    inter.respuestas = {true};
    EXPECT_TRUE(num.valide_NumComConta("CXP", "P1", "000012", campo));
    EXPECT_EQ(inter.de("pregunta"), QStringList{"Comprobante 11 previamente registrado. Consultar?"});
    EXPECT_EQ(num.comprobanteEncontrado(), "71");
}

}  // namespace
