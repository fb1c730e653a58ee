// The numbering authorizations screen's logic: no prefix of the charges,
// the purchasing right, a new row's defaults and the prefix pick list, a
// row without number, rows in edit mode as soon as they are reached, and
// the columns of the other modules carried through untouched.
#include "comunes/Tfautorizacion.h"
#include "tests/comunes/Entorno.h"

#include <QSignalSpy>

using cxp::DataSet;
using cxp::Tfautorizacion;

namespace {

// The columns other modules of the suite keep in AUTORIZACIONES, with a
// value each.
const std::vector<std::pair<QString, QString>>& otrosModulos() {
    static const std::vector<std::pair<QString, QString>> c{
        {"AUTO_PREFRDC", "RD"},        {"AUTO_NITCONTADO", "222222222"}, {"AUTO_ESPOS", "S"},
        {"AUTO_FECHAS", "N"},          {"AUTO_COTIZA", "COT"},           {"AUTO_REMISION", "REM"},
        {"AUTO_PEDIDO", "PED"},        {"AUTO_ENTREGA", "ENT"},          {"AUTO_MAQUINA", "CAJA-01"},
        {"AUTO_MARCA", "EPSON TM-T20"}, {"AUTO_COMCRM", "CRM1"},          {"AUTO_PREFDV", "DV"},
        {"AUTO_VALPREVIA", "S"}};
    return c;
}

class Autorizaciones : public prueba::EntornoComunes {
protected:
    void SetUp() override {
        EntornoComunes::SetUp();
        ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'BOG', '000001')");
        QStringList columnas{"AUTO_NUMERO", "TIDO_COD", "PREF_PRE", "AUTO_FECHA", "AUTO_INICIAL", "AUTO_FINAL",
                             "AUTO_VENCE"};
        QStringList valores{"'18764000000001'", "51", "'BOG'", "'2026/01/15'", "'000001'", "'005000'",
                            "'2028/01/15'"};
        for (const auto& [c, v] : otrosModulos()) {
            columnas << c;
            valores << "'" + v + "'";
        }
        ejecutar("insert into AUTORIZACIONES (" + columnas.join(", ") + ") values (" + valores.join(", ") + ")");
        // An authorization of the sales invoices: not this screen's.
        ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (31, 'FV', '00000001')");
        ejecutar("insert into AUTORIZACIONES (AUTO_NUMERO, TIDO_COD, PREF_PRE) values ('9999', 31, 'FV')");
    }

    std::unique_ptr<Tfautorizacion> abrir(bool debeAbrir = true) {
        auto p = std::make_unique<Tfautorizacion>(sesion, interaccion, manejador);
        EXPECT_EQ(p->abrir(), debeAbrir) << interaccion.mensajes.join('\n').toStdString();
        return p;
    }
};

TEST_F(Autorizaciones, SinPrefijosDeCargosNoAbre) {
    ejecutar("delete from AUTORIZACIONES where TIDO_COD = 51");
    ejecutar("delete from PREFIJOS where TIDO_COD = 51");
    abrir(false);
    EXPECT_EQ(interaccion.mensajes,
              QStringList{"informacion: Debe registrar antes al menos un prefijo para los cargos."});
}

TEST_F(Autorizaciones, SoloConElDerecho124DeCompras) {
    ejecutar("insert into ACCESO_USUARIO (USER_COD, ACUS_MODULO, ACUS_OPCION, ACUS_SI) "
             "values ('AUXILIAR', 'COMPRAS', 124, 'N')");
    entrarComo("AUXILIAR", "Auxiliar contable", false);
    abrir(false);
    EXPECT_EQ(interaccion.mensajes,
              QStringList{"error: Acceso no permitido. comuníquese con el administrador del sistema."});

    // The same right of another module does not count.
    ejecutar("insert into ACCESO_USUARIO (USER_COD, ACUS_MODULO, ACUS_OPCION, ACUS_SI) "
             "values ('AUXILIAR', 'C. X PAGAR', 124, 'S')");
    interaccion.mensajes.clear();
    abrir(false);

    ejecutar("update ACCESO_USUARIO set ACUS_SI = 'S' where USER_COD = 'AUXILIAR' and ACUS_MODULO = 'COMPRAS'");
    interaccion.mensajes.clear();
    abrir(true);
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
}

TEST_F(Autorizaciones, SoloLasDeLosCargosConSusColumnas) {
    auto p = abrir();
    DataSet& a = p->autorizaciones();
    ASSERT_EQ(a.recordCount(), 1);
    EXPECT_EQ(a.asString("AUTO_NUMERO"), "18764000000001");
    EXPECT_EQ(p->listaPrefijos(), (QStringList{"0000", "BOG"}));  // the grid's columns: in the widget test
    // The row reached is in edit mode at once.
    EXPECT_EQ(a.state(), DataSet::State::Edit);
}

TEST_F(Autorizaciones, NuevaConSusValoresYSinNumeroSeCancela) {
    auto p = abrir();
    QSignalSpy cerrar(p.get(), &Tfautorizacion::cerrar);
    DataSet& a = p->autorizaciones();
    ASSERT_TRUE(p->nueva());
    EXPECT_EQ(a.asInt("TIDO_COD"), 51);
    EXPECT_EQ(a.asString("PREF_PRE"), "0000") << "the current prefix";
    EXPECT_EQ(a.asInt("AUTO_ITEMS"), 1);
    EXPECT_EQ(a.asString("AUTO_CONTADO"), "N");

    a.setValue("AUTO_INICIAL", "000001");
    EXPECT_FALSE(p->grabar());
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
    EXPECT_EQ(cerrar.count(), 0);
    EXPECT_EQ(a.recordCount(), 1);

    ASSERT_TRUE(p->nueva());
    a.setValue("AUTO_NUMERO", "18764000000002");
    a.setValue("PREF_PRE", "BOG");
    a.setValue("AUTO_FECHA", QDate(2026, 12, 1));
    a.setValue("AUTO_INICIAL", "005001");
    a.setValue("AUTO_FINAL", "010000");
    a.setValue("AUTO_TOKENPSW", "cl@ve'secreta");
    ASSERT_TRUE(p->grabar()) << interaccion.mensajes.join('\n').toStdString();
    EXPECT_EQ(cerrar.count(), 1);
    const auto r = fila("select * from AUTORIZACIONES where AUTO_NUMERO = '18764000000002'");
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)["TIDO_COD"].toInt64(), 51);
    EXPECT_EQ((*r)["AUTO_ITEMS"].toInt64(), 1);
    EXPECT_EQ((*r)["AUTO_CONTADO"].toString(), "N");
    // The token password is kept apart, where only the check procedure reads it.
    EXPECT_TRUE((*r)["AUTO_TOKENPSW"].isNull());
    EXPECT_EQ(fila("select VALIDA from VALIDE_CLAVE_TOKEN(51, 'BOG', '18764000000002', 'cl@ve''secreta')")->at(0).toString(),
              "S");
}

TEST_F(Autorizaciones, EditarNoTocaLasColumnasDeOtrosModulos) {
    auto p = abrir();
    // Meanwhile the point-of-sale module changes its own column.
    ejecutar("update AUTORIZACIONES set AUTO_MAQUINA = 'CAJA-02' where AUTO_NUMERO = '18764000000001'");
    DataSet& a = p->autorizaciones();
    a.setValue("AUTO_FINAL", "006000");
    a.setValue("AUTO_AVISAR", 15);
    a.setValue("AUTO_USRAVISO", "AUXILIAR");
    ASSERT_TRUE(p->grabar()) << interaccion.mensajes.join('\n').toStdString();

    const auto r = fila("select * from AUTORIZACIONES where AUTO_NUMERO = '18764000000001'");
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)["AUTO_FINAL"].toString(), "006000");
    EXPECT_EQ((*r)["AUTO_AVISAR"].toInt64(), 15);
    EXPECT_EQ((*r)["AUTO_USRAVISO"].toString(), "AUXILIAR");
    for (const auto& [c, v] : otrosModulos()) {
        const QString esperado = c == "AUTO_MAQUINA" ? QStringLiteral("CAJA-02") : v;
        EXPECT_EQ((*r)[c].toString(), esperado) << c.toStdString();
    }
    EXPECT_EQ(contar("select count(*) from AUTORIZACIONES where TIDO_COD = 31"), 1);
}

TEST_F(Autorizaciones, UnRechazoDejaLaPantallaYEscNoAplica) {
    auto p = abrir();
    QSignalSpy cerrar(p.get(), &Tfautorizacion::cerrar);
    DataSet& a = p->autorizaciones();
    // Expiry before the date: refused by the database.
    a.setValue("AUTO_VENCE", QDate(2025, 1, 1));
    EXPECT_FALSE(p->grabar());
    EXPECT_EQ(cerrar.count(), 0);
    EXPECT_EQ(interaccion.de("error").size(), 1);
    EXPECT_EQ(a.state(), DataSet::State::Edit);
    p->salir();
    EXPECT_EQ(cerrar.count(), 1);
    EXPECT_EQ(fila("select AUTO_VENCE from AUTORIZACIONES where AUTO_NUMERO = '18764000000001'")->at(0).toDate(),
              QDate(2028, 1, 15));
}

}  // namespace
