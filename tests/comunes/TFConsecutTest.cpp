// The numbering screen's logic: types by long name with their prefixes,
// the looked-up voucher type and agency, a new prefix's defaults, the rows
// the save cancels and the one transaction of F2.
#include "comunes/TFConsecut.h"
#include "tests/comunes/Entorno.h"

#include <QSignalSpy>

using cxp::DataSet;
using cxp::TFConsecut;

namespace {

class Consecutivos : public prueba::EntornoComunes {
protected:
    void SetUp() override {
        EntornoComunes::SetUp();
        ejecutar("update PREFIJOS set TICO_COD = 'CXP' where TIDO_COD = 51 and PREF_PRE = '0000'");
        ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL, PREF_AUTO, PREF_IVAINC, PREF_ACTIVO, "
                 "TICO_COD, SUCU_ID) values (51, 'BOG', '000120', 'S', 'N', 'S', 'EGR', 1)");
    }

    std::unique_ptr<TFConsecut> abrir() {
        auto p = std::make_unique<TFConsecut>(sesion, interaccion, manejador);
        EXPECT_TRUE(p->abrir()) << interaccion.mensajes.join('\n').toStdString();
        return p;
    }

    // Moves the screen to a type by its code, as choosing its name does.
    static void irA(TFConsecut& p, int tipo) {
        for (int i = 0; i < p.tipos().recordCount(); ++i)
            if (p.tipos().row(i).asInt("TIDO_COD") == tipo) {
                ASSERT_TRUE(p.elegirDocumento(i));
                return;
            }
        FAIL() << "no type " << tipo;
    }

    std::optional<fb::Row> prefijo(int tipo, const QString& pre) const {
        return fila("select * from PREFIJOS where TIDO_COD = ? and PREF_PRE = ?", {tipo, pre});
    }
};

TEST_F(Consecutivos, TiposPorNombreLargoConSusPrefijosYNombresBuscados) {
    auto p = abrir();
    QStringList esperados;
    fb::Database db = compania.conectar();
    for (const fb::Row& r : db.query("select TIDO_NOMLARGO from TIPO_DOCUMENTO order by TIDO_NOMLARGO"))
        esperados << r[0].toString();
    EXPECT_EQ(p->documentos(), esperados);
    EXPECT_EQ(p->documentoActual(), 0) << "the first type is chosen";
    EXPECT_EQ(p->documentos().first(), "AJUSTE DE INVENTARIO");

    irA(*p, 51);
    EXPECT_EQ(p->tipos().asString("TIDO_NOMLARGO"), "CARGO (NOTA DEBITO PROVEEDOR)");
    DataSet& pre = p->prefijos();
    EXPECT_EQ(columna(pre, "PREF_PRE"), (QStringList{"0000", "BOG"}));
    EXPECT_EQ(columna(pre, "COMPROBANTE"), (QStringList{"CUENTAS POR PAGAR", "COMPROBANTE DE EGRESO"}));
    EXPECT_EQ(columna(pre, "AGENCIA"), (QStringList{"Todas", "Principal"}));

    // Choosing a name sets the key, and a key shows its name.
    ASSERT_TRUE(pre.locate("PREF_PRE", "BOG"));
    pre.edit();
    pre.setValue("COMPROBANTE", "CUENTAS POR PAGAR");
    EXPECT_EQ(pre.asString("TICO_COD"), "CXP");
    pre.setValue("AGENCIA", "Centro");
    EXPECT_EQ(pre.asInt("SUCU_ID"), 2);
    pre.setValue("SUCU_ID", 0);
    EXPECT_EQ(pre.asString("AGENCIA"), "Todas");
    EXPECT_EQ(p->agencias().first().nombre, "Todas");
    EXPECT_EQ(p->comprobantes().size(), 4);
}

TEST_F(Consecutivos, NuevoPrefijoConSusValoresYElSelloDelUsuario) {
    auto p = abrir();
    irA(*p, 51);
    QSignalSpy cerrar(p.get(), &TFConsecut::cerrar);
    ASSERT_TRUE(p->nuevoPrefijo());
    DataSet& pre = p->prefijos();
    EXPECT_EQ(pre.asInt("TIDO_COD"), 51);
    EXPECT_EQ(pre.asString("PREF_AUTO"), "S");
    EXPECT_EQ(pre.asString("PREF_IVAINC"), "N");
    EXPECT_EQ(pre.asString("PREF_ACTIVO"), "S");
    pre.setValue("PREF_PRE", "NUE");
    pre.setValue("PREF_ACTUAL", "45");
    pre.setValue("COMPROBANTE", "COMPROBANTE DE EGRESO");
    pre.setValue("AGENCIA", "Centro");

    ASSERT_TRUE(p->grabar()) << interaccion.mensajes.join('\n').toStdString();
    EXPECT_EQ(cerrar.count(), 1);
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
    // The user stamp (the first ten characters of the user's full name), the
    // six-digit number and the voucher type are read back in the widget test.
    const auto r = prefijo(51, "NUE");
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)["SUCU_ID"].toInt64(), 2);
    EXPECT_EQ((*r)["PREF_IVAINC"].toString(), "N");
}

TEST_F(Consecutivos, NumeroActualConDigitosHastaOcho) {
    const std::pair<const char*, bool> numeros[] = {{"", true}, {"00000099", true}, {"123456789", false}, {"12a", false}, {"-1", false}};
    for (const auto& [numero, valido] : numeros) EXPECT_EQ(TFConsecut::numeroValido(numero), valido) << numero;

    auto p = abrir();
    // The supplier invoice numbers with eight digits.
    irA(*p, 50);
    DataSet& pre = p->prefijos();
    ASSERT_TRUE(pre.locate("PREF_PRE", "0000"));
    pre.edit();
    pre.setValue("PREF_ACTUAL", "99");
    pre.post();
    EXPECT_EQ(pre.asString("PREF_ACTUAL"), "00000099");

    irA(*p, 51);
    ASSERT_TRUE(pre.locate("PREF_PRE", "BOG"));
    pre.edit();
    pre.setValue("PREF_ACTUAL", "12A4");
    EXPECT_FALSE(p->grabar());
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_TRUE(interaccion.de("error").first().contains("solo dígitos")) << interaccion.mensajes.join('\n').toStdString();
    EXPECT_EQ(interaccion.enfoques, QStringList{"PREF_ACTUAL"});
    EXPECT_EQ((*prefijo(50, "0000"))["PREF_ACTUAL"].toString(), "00000001") << "nothing was applied";
    EXPECT_EQ((*prefijo(51, "BOG"))["PREF_ACTUAL"].toString(), "000120");
}

TEST_F(Consecutivos, FilaSinPrefijoSeCancelaYElGrabadoSeDetieneEnSilencio) {
    auto p = abrir();
    irA(*p, 51);
    QSignalSpy cerrar(p.get(), &TFConsecut::cerrar);
    DataSet& pre = p->prefijos();
    ASSERT_TRUE(pre.locate("PREF_PRE", "BOG"));
    pre.edit();
    pre.setValue("PREF_ACTUAL", "000200");
    pre.post();

    // A new row left without prefix.
    ASSERT_TRUE(p->nuevoPrefijo());
    pre.setValue("PREF_ACTUAL", "7");
    EXPECT_FALSE(p->grabar());
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << "silently";
    EXPECT_EQ(cerrar.count(), 0);
    EXPECT_EQ(pre.recordCount(), 2) << "the row went";
    EXPECT_EQ((*prefijo(51, "BOG"))["PREF_ACTUAL"].toString(), "000120") << "the save stopped";

    // A prefix emptied in a stored row: the row goes back as it was.
    ASSERT_TRUE(pre.locate("PREF_PRE", "0000"));
    pre.edit();
    pre.setValue("PREF_PRE", "   ");
    EXPECT_FALSE(p->grabar());
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
    EXPECT_EQ(columna(pre, "PREF_PRE"), (QStringList{"0000", "BOG"}));

    // The next F2 applies what is left.
    ASSERT_TRUE(p->grabar());
    EXPECT_EQ(cerrar.count(), 1);
    EXPECT_EQ((*prefijo(51, "BOG"))["PREF_ACTUAL"].toString(), "000200");
    EXPECT_EQ(contar("select count(*) from PREFIJOS where TIDO_COD = 51"), 2);
}

TEST_F(Consecutivos, TipoSinCodigoSeCancela) {
    auto p = abrir();
    const int tipos = p->tipos().recordCount();
    p->tipos().append();
    p->tipos().setValue("TIDO_NOMLARGO", "SIN CODIGO");
    EXPECT_FALSE(p->grabar());
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
    EXPECT_EQ(p->tipos().recordCount(), tipos);
    EXPECT_EQ(contar("select count(*) from TIPO_DOCUMENTO where TIDO_NOMLARGO = 'SIN CODIGO'"), 0);
}

TEST_F(Consecutivos, TodosLosTiposEnUnaTransaccionYUnRechazoLosConserva) {
    auto p = abrir();
    QSignalSpy cerrar(p.get(), &TFConsecut::cerrar);
    irA(*p, 51);
    ASSERT_TRUE(p->nuevoPrefijo());
    p->prefijos().setValue("PREF_PRE", "AAA");
    irA(*p, 52);
    // A prefix the type already has: the database refuses it.
    ASSERT_TRUE(p->nuevoPrefijo());
    p->prefijos().setValue("PREF_PRE", "0000");

    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(cerrar.count(), 0) << "the screen stays";
    EXPECT_EQ(interaccion.de("error"), QStringList{"Ya existe el registro en la tabla Prefijos"});
    EXPECT_FALSE(prefijo(51, "AAA")) << "nothing of the batch is stored";
    EXPECT_TRUE(p->tipos().hasChanges()) << "the changes stay to be corrected";

    // Corrected, the same F2 stores both types' rows.
    ASSERT_TRUE(p->prefijos().locate("PREF_PRE", "0000"));
    ASSERT_EQ(p->prefijos().recordCount(), 2);
    p->prefijos().last();
    p->prefijos().edit();
    p->prefijos().setValue("PREF_PRE", "BBB");
    ASSERT_TRUE(p->grabar()) << interaccion.mensajes.join('\n').toStdString();
    EXPECT_EQ(cerrar.count(), 1);
    EXPECT_TRUE(prefijo(51, "AAA"));
    EXPECT_TRUE(prefijo(52, "BBB"));
}

}  // namespace
