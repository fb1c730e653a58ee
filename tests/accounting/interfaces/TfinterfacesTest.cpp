// The list of definitions: only the payables documents, delete with the question, and the
// copy to another prefix (what it carries, what it leaves, all or nothing).
#include "accounting/interfaces/Tfinterfaces.h"
#include "tests/accounting/interfaces/Entorno.h"

using namespace cxp;

namespace {

class Lista : public prueba::EntornoInterfaces {
protected:
    Tfinterfaces lista{sesion, interaccion, manejador};
    void ir(int id) { ASSERT_TRUE(lista.lista().locate("INCP_ID", id)); }
};

TEST_F(Lista, SoloDocumentosDeCuentasPorPagar) {
    unaInterfaz(1, "CARGOS");
    unaInterfaz(2, "DESCUENTOS", 52, "SUR");
    ejecutar("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (301, 'X', '1')");
    unaInterfaz(3, "DE OTRO MODULO", 301, "X");
    ASSERT_TRUE(lista.refrescar());
    EXPECT_EQ(lista.lista().recordCount(), 2);
    ir(2);
    lista.modificar();
    EXPECT_EQ(interaccion.pantallas, QStringList{"Tfmodinterfaz"});
    EXPECT_EQ(interaccion.argumentosPantallas.back().value("id").toInt(), 2);
}

TEST_F(Lista, EliminarPreguntaConElNombre) {
    unaInterfaz(1, "CARGOS", 51, "0000", 2);
    unaInterfaz(2, "OTRA");
    ASSERT_TRUE(lista.refrescar());
    ir(1);
    interaccion.respuestas = {false, true};
    lista.eliminar();
    EXPECT_EQ(interaccion.de("pregunta"), QStringList{"Esta seguro de borrar la interface CARGOS?"});
    EXPECT_EQ(lista.lista().recordCount(), 2);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR_CTAS"), 2);

    lista.eliminar();
    EXPECT_EQ(lista.lista().recordCount(), 1);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR where INCP_ID = 1"), 0);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR_NIIF where INCP_ID = 1"), 0);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR_CTAS"), 0);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR_NIIF"), 1) << "the other one keeps its NIIF row";
}

TEST_F(Lista, CopiaAOtroPrefijo) {
    unaInterfaz(1, "CARGOS", 51, "0000", 3);
    ASSERT_TRUE(lista.refrescar());
    EXPECT_EQ(lista.prefijosCopia(), (QStringList{"0000", "NORT"}));
    const int id = lista.copiar("NORT");
    ASSERT_GT(id, 0) << mensajes().toStdString();
    EXPECT_EQ(lista.lista().recordCount(), 2);

    // Every column as text, nulls empty: what the copy carries and what it leaves.
    auto texto = [this](const QString& sql) {
        QStringList r;
        for (const fb::Row& f : filas(sql))
            for (const fb::Value& v : f.values()) r << v.toString().trimmed();
        return r.join(u'|');
    };
    const QString n = QString::number(id);
    EXPECT_EQ(texto("select PREF_PRE, TIDO_COD, TICO_COD, PRCO_PRE, INCP_NOMBRE, INCP_BASE, INCP_CTABASE, INCP_CTAPROV, "
                    "INCP_CONFIRMAR, INCP_USUARIO, INCP_CTADTO1, INCP_CTADTO3, INCP_EQUIVALENCIA, INCP_RTCREE, "
                    "INCP_CTARTCREE from INTERFAZ_CXPAGAR where INCP_ID = " + n),
              "NORT|51|CXP|01|CARGOS|K|143505|220505|S|CONTADOR|||N|K|236575")
        << "the session's user; no discount accounts, no equivalence";
    EXPECT_EQ(texto("select INCP_CTABASE, INCP_CTAPROV, INCP_RTCREE from INTERFAZ_CXPAGAR_NIIF where INCP_ID = " + n),
              "14350501|22050501|T");
    EXPECT_EQ(texto("select INPC_ITEM, INPC_CUENTA, INPC_BASE, INPC_VALOR, INPC_PORC, INPC_DB, INPC_CN "
                    "from INTERFAZ_CXPAGAR_CTAS where INCP_ID = " + n + " order by INPC_ITEM"),
              "10|51051|BASE|1.50|1.25|N|N|20|51052|BASE|2.50|1.25|N|N|30|51053|BASE|3.50|1.25|N|N");
}

TEST_F(Lista, CopiaQueFallaNoDejaNada) {
    unaInterfaz(1, "CARGOS", 51, "0000", 2);
    ejecutar("create exception E_PRUEBA 'sin lineas'");
    ejecutar("create trigger T_PRUEBA for INTERFAZ_CXPAGAR_CTAS before insert as begin exception E_PRUEBA; end");
    ASSERT_TRUE(lista.refrescar());
    EXPECT_EQ(lista.copiar("NORT"), 0);
    EXPECT_EQ(interaccion.de("error").size(), 1) << mensajes().toStdString();
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR"), 1);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR_NIIF"), 1);
    EXPECT_EQ(lista.copiar(""), 0) << "no prefix chosen: nothing";
}

}  // namespace
