// The list of formats: delete with its question (the items and elements go
// with the format), and the copy to another prefix carrying everything in
// one transaction.
#include "printing/formatos/Tfformatos.h"
#include "tests/printing/formatos/Entorno.h"

using namespace cxp;

namespace {

class Lista : public prueba::EntornoFormatos {
protected:
    void SetUp() override {
        EntornoFormatos::SetUp();
        unFormato(51, "0000");
        unFormato(52, "0000");
        ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'AB', '000001')");
        ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'Z''1', '000001')");
    }
    int64_t partes(const QString& prefijo) const {
        const QString d = " where TIDO_COD = 51 and PREF_PRE = " + sql::texto(prefijo);
        return cuenta("select count(*) from FORMATOS" + d) * 100 + cuenta("select count(*) from FORMATO_DATOS" + d) * 10 +
               cuenta("select count(*) from FORMATO_LINEAS" + d);
    }
};

TEST_F(Lista, EliminarPreguntaYBorraConSusPartes) {
    Tfformatos l(sesion, interaccion, manejador);
    ASSERT_TRUE(l.abrir());
    ASSERT_EQ(l.formatos().recordCount(), 2);
    EXPECT_EQ(l.formatos().field("TIDO_NOMLARGO").label(), "Tipo documento");
    ASSERT_TRUE(l.formatos().locate("TIDO_COD", 51));
    interaccion.respuestas = {false};
    EXPECT_FALSE(l.eliminar());
    EXPECT_EQ(interaccion.de("pregunta"),
              QStringList{"Esta seguro de borrar el formato de CARGO (NOTA DEBITO PROVEEDOR) 0000?"});
    EXPECT_EQ(partes("0000"), 123);
    interaccion.respuestas = {true};
    EXPECT_TRUE(l.eliminar()) << mensajes().toStdString();
    EXPECT_EQ(partes("0000"), 0);
    EXPECT_EQ(l.formatos().recordCount(), 1);  // refreshed
    EXPECT_EQ(cuenta("select count(*) from FORMATO_LINEAS where TIDO_COD = 52"), 3);
}

TEST_F(Lista, CopiarLlevaTodoEnUnaTransaccion) {
    Tfformatos l(sesion, interaccion, manejador);
    ASSERT_TRUE(l.abrir());
    ASSERT_TRUE(l.formatos().locate("TIDO_COD", 51));
    EXPECT_EQ(l.prefijosCopia(), (QStringList{"0000", "AB", "Z'1"}));

    ASSERT_TRUE(l.copiar("Z'1")) << mensajes().toStdString();
    EXPECT_EQ(partes("Z'1"), 123);
    EXPECT_EQ(l.formatos().recordCount(), 3);
    const char* const comparaciones[] = {
        "select FORM_IMPRE, FORM_NROITEMS, FORM_PAGINAS, FORM_ENTRELINEA, FORM_FONT, FORM_FSIZE, FORM_PAPELAN, "
        "FORM_PAPELAL, FORM_PREFITE from FORMATOS where TIDO_COD = 51 and PREF_PRE = ?",
        "select DAFO_ITEM, DAFO_DATO, DAFO_IMPRIME, DAFO_POSX, DAFO_POSY, DAFO_REPITE, DAFO_INI, DAFO_LONG, "
        "DAFO_FORMATO, DAFO_FONT, DAFO_FSIZE, DAFO_LIQUIDA, DAFO_POSYVAR from FORMATO_DATOS where TIDO_COD = 51 "
        "and PREF_PRE = ? order by DAFO_ITEM",
        "select FOLI_ITEM, FOLI_TIPO, FOLI_POSX, FOLI_POSY, FOLI_X, FOLI_Y, FOLI_CADENA, FOLI_FONT, FOLI_FSIZE, "
        "FOLI_LIQUIDA, FOLI_IMAGEN from FORMATO_LINEAS where TIDO_COD = 51 and PREF_PRE = ? order by FOLI_ITEM",
    };
    for (const char* c : comparaciones) {
        const auto a = filas(c, {"0000"});
        const auto b = filas(c, {"Z'1"});
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].values(), b[i].values()) << c;
    }
    EXPECT_EQ(filas("select FOLI_IMAGEN from FORMATO_LINEAS where PREF_PRE = 'Z''1' and FOLI_ITEM = 5")[0][0].toBytes(),
              imagen());

    // The elements fail to copy: neither the format nor its items stay.
    ejecutar("create exception E_PRUEBA 'sin espacio'");
    ejecutar("create trigger FALLA_COPIA for FORMATO_LINEAS before insert as begin "
             "if (new.PREF_PRE = 'AB') then exception E_PRUEBA; end");
    ASSERT_TRUE(l.formatos().locate({"TIDO_COD", "PREF_PRE"}, {51, "0000"}));
    EXPECT_FALSE(l.copiar("AB"));
    EXPECT_EQ(partes("AB"), 0);
    EXPECT_EQ(interaccion.de("error").size(), 1);
    // A prefix that has a format already is refused whole.
    ASSERT_TRUE(l.formatos().locate({"TIDO_COD", "PREF_PRE"}, {51, "0000"}));
    EXPECT_FALSE(l.copiar("Z'1"));
    EXPECT_EQ(partes("Z'1"), 123);
}

TEST_F(Lista, NuevoYModificarAbrenSusPantallas) {
    Tfformatos l(sesion, interaccion, manejador);
    ASSERT_TRUE(l.abrir());
    ASSERT_TRUE(l.formatos().locate("TIDO_COD", 52));
    l.nuevo();
    l.modificar();
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfdefformato", "Tfmodformato"}));
    EXPECT_EQ(interaccion.argumentosPantallas[1].value("tipo").toInt(), 52);
    EXPECT_EQ(interaccion.argumentosPantallas[1].value("prefijo").toString(), "0000");
}

}  // namespace
