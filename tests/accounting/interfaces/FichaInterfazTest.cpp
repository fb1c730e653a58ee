// The new and modify screens' logic: defaults and the NIIF row of a new
// definition, the save round trip with lines and their counter, sources
// that empty their account, "?" and the silent check of local accounts,
// the discount accounts by configuration and type, a vanished definition,
// and a failed save that loses nothing.
#include "accounting/interfaces/FichaInterfaz.h"
#include "tests/accounting/interfaces/Entorno.h"

using namespace cxp;

namespace {

class Ficha : public prueba::EntornoInterfaces {
protected:
    std::unique_ptr<FichaInterfaz> ficha(FichaInterfaz::Modo modo) {
        return std::make_unique<FichaInterfaz>(modo, sesion, interaccion, manejador, configuracion);
    }
};

TEST_F(Ficha, NuevaConDefectosYSuFilaNiif) {
    auto f = ficha(FichaInterfaz::Modo::Nueva);
    ASSERT_TRUE(f->abrir()) << mensajes().toStdString();
    DataSet& i = f->interfaz();
    EXPECT_EQ(f->titulo(), "Nueva interface contable");
    EXPECT_EQ(i.asInt("INCP_ID"), 0);
    EXPECT_EQ(i.asInt("TIDO_COD"), 51);
    EXPECT_EQ(i.asString("TICO_COD"), "APE") << "the first voucher type";
    EXPECT_EQ(i.asString("PRCO_PRE"), "0000");
    EXPECT_EQ(i.asString("PREF_PRE"), "0000");
    EXPECT_EQ(f->prefijos(), (QStringList{"0000", "NORT"}));
    for (DataSet* ds : {&f->interfaz(), &f->niif()}) {
        EXPECT_EQ(ds->asString("INCP_BASE"), "K");
        EXPECT_EQ(ds->asString("INCP_IVA"), "K");
        for (const char* t : {"INCP_RTFTE", "INCP_RTIVA", "INCP_RTICA", "INCP_PROV"}) EXPECT_EQ(ds->asString(t), "T");
        EXPECT_TRUE(ds->isNull("INCP_RTCREE"));
    }
    EXPECT_TRUE(f->cuentaHabilitada(false, "INCP_CTABASE"));
    EXPECT_FALSE(f->cuentaHabilitada(true, "INCP_CTAPROV"));
    EXPECT_TRUE(interaccion.enfoques.isEmpty());

    // Another voucher type brings its accounting prefixes; another
    // document type its prefixes.
    i.setValue("TICO_COD", "CXP");
    EXPECT_EQ(f->prefijosConta(), (QStringList{"0000", "01"}));
    f->setPrefijoConta("01");
    i.setValue("TIDO_COD", 52);
    EXPECT_EQ(i.asString("PREF_PRE"), "0000");
    EXPECT_EQ(f->prefijos(), (QStringList{"0000", "SUR"}));
    EXPECT_EQ(i.asString("PRCO_PRE"), "01");
}

TEST_F(Ficha, GrabarNuevaYModificarConLineas) {
    auto f = ficha(FichaInterfaz::Modo::Nueva);
    ASSERT_TRUE(f->abrir());
    int cerradas = 0;
    QObject::connect(f.get(), &FichaInterfaz::cerrar, [&] { ++cerradas; });
    DataSet& i = f->interfaz();
    i.setValue("INCP_NOMBRE", "CARGOS O'HARA");
    i.setValue("TICO_COD", "CXP");
    i.setValue("INCP_CTABASE", "143505");
    f->niif().setValue("INCP_PROV", "K");
    f->niif().setValue("INCP_CTAPROV", "22050501");
    for (const char* c : {"510501", "510502"}) {
        f->lineas().append();
        f->lineas().setValue("INPC_CUENTA", c);
        f->lineas().setValue("INPC_BASE", "IVA");
        f->lineas().post();
    }
    EXPECT_EQ(f->contador(), 2);
    ASSERT_TRUE(f->grabar()) << mensajes().toStdString();
    EXPECT_EQ(cerradas, 1);
    const int id = int(i.asInt("INCP_ID"));
    EXPECT_GT(id, 0);
    EXPECT_EQ(filas("select INCP_NOMBRE, INCP_CTABASE, TICO_COD, INCP_CONFIRMAR from INTERFAZ_CXPAGAR where INCP_ID = " +
                    QString::number(id)).at(0)[0].toString(), "CARGOS O'HARA");
    EXPECT_EQ(filas("select INCP_CTAPROV from INTERFAZ_CXPAGAR_NIIF where INCP_ID = " + QString::number(id)).at(0)[0]
                  .toString(), "22050501");
    const auto lineas = filas("select INPC_ITEM, INPC_DB from INTERFAZ_CXPAGAR_CTAS where INCP_ID = " +
                              QString::number(id) + " order by INPC_ITEM");
    ASSERT_EQ(lineas.size(), 2u);
    EXPECT_EQ(lineas[1][0].toInt64(), 2);
    EXPECT_EQ(lineas[1][1].toString(), "S");

    // Modify: the counter from the stored lines; a line added and one removed.
    auto m = ficha(FichaInterfaz::Modo::Modificar);
    ASSERT_TRUE(m->abrir(id));
    EXPECT_EQ(m->titulo(), "Modificar interface contable");
    EXPECT_EQ(m->contador(), 2);
    EXPECT_EQ(m->interfaz().state(), DataSet::State::Edit);
    EXPECT_EQ(m->prefijosConta(), (QStringList{"0000", "01"}));
    m->lineas().first();
    m->lineas().remove();
    m->lineas().append();
    m->lineas().setValue("INPC_CUENTA", "510509");
    m->interfaz().setValue("INCP_CONFIRMAR", "S");
    ASSERT_TRUE(m->grabar()) << mensajes().toStdString();
    const auto despues = filas("select INPC_ITEM, INPC_CUENTA from INTERFAZ_CXPAGAR_CTAS where INCP_ID = " +
                               QString::number(id) + " order by INPC_ITEM");
    ASSERT_EQ(despues.size(), 2u);
    EXPECT_EQ(despues[0][1].toString(), "510502");
    EXPECT_EQ(despues[1][0].toInt64(), 3);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR where INCP_CONFIRMAR = 'S'"), 1);
}

TEST_F(Ficha, FuenteQueNoEsKVaciaLaCuenta) {
    unaInterfaz(5, "CARGOS");
    auto f = ficha(FichaInterfaz::Modo::Modificar);
    ASSERT_TRUE(f->abrir(5));
    int avisos = 0;
    QObject::connect(f.get(), &FichaInterfaz::fuentesCambiadas, [&] { ++avisos; });
    struct Caso {
        bool niif;
        const char* fuente;
        const char* cuenta;
        const char* valor;
        bool vacia;
    };
    const Caso casos[] = {
        {false, "INCP_BASE", "INCP_CTABASE", "T", true},   {false, "INCP_IVA", "INCP_CTAIVA", "I", true},
        {false, "INCP_PROV", "INCP_CTAPROV", "N", true},   {false, "INCP_RTFTE", "INCP_CTARTFTE", "K", false},
        {true, "INCP_BASE", "INCP_CTABASE", "N", true},    {true, "INCP_RTICA", "INCP_CTARTICA", "K", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.fuente) + (c.niif ? " NIIF" : ""));
        DataSet& ds = c.niif ? f->niif() : f->interfaz();
        const bool antes = !ds.isNull(c.cuenta);
        ds.setValue(c.fuente, c.valor);
        EXPECT_EQ(ds.isNull(c.cuenta), c.vacia || !antes);
        EXPECT_EQ(f->cuentaHabilitada(c.niif, c.cuenta), !c.vacia);
    }
    EXPECT_EQ(avisos, 6);
    EXPECT_EQ(interaccion.enfoques, (QStringList{"INCP_CTARTFTE", "NIIF.INCP_CTARTICA"}));
}

TEST_F(Ficha, CuentasLocalesInterrogacionYValidacionCallada) {
    auto f = ficha(FichaInterfaz::Modo::Nueva);
    ASSERT_TRUE(f->abrir());
    DataSet& i = f->interfaz();
    // "?" opens the local chart at the typed part; the choice is taken.
    interaccion.elecciones.push_back(QVariantMap{{"cuenta", "240801"}});
    i.setValue("INCP_CTAIVA", "2408?");
    EXPECT_EQ(i.asString("INCP_CTAIVA"), "240801");
    EXPECT_EQ(interaccion.pantallas, QStringList{"SelectorCuentas"});

    struct Caso {
        const char* campo;
        const char* texto;
        const char* queda;
    };
    const Caso casos[] = {
        {"INCP_CTABASE", "999999", ""},        // does not exist: emptied, no offer to create it
        {"INCP_CTABASE", "1435", ""},          // has auxiliaries
        {"INCP_CTABASE", "143505", "143505"},  // valid
        {"INCP_CTARTCREE", "ABC", ""},
        {"INCP_CTADTO1", "999999", "999999"},  // discounts are not checked
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        i.setValue(c.campo, c.texto);
        EXPECT_EQ(i.asString(c.campo), c.queda);
    }
    f->niif().setValue("INCP_CTABASE", "999999");
    EXPECT_EQ(f->niif().asString("INCP_CTABASE"), "999999") << "NIIF accounts are not checked on entry";
    // "?" on the NIIF tab opens the NIIF chart; left without a choice the typed part stays.
    f->niif().setValue("INCP_CTAIVA", "2408?");
    EXPECT_EQ(f->niif().asString("INCP_CTAIVA"), "2408");
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << mensajes().toStdString();
    interaccion.elecciones.push_back(QVariantMap{{"cuenta", "143505"}});
    i.setValue("INCP_CTADTO2", "?1435");
    EXPECT_EQ(i.asString("INCP_CTADTO2"), "143505");
    // Left without a choice on the local tab: an invalid part is emptied.
    i.setValue("INCP_CTAPROV", "9?");
    EXPECT_TRUE(i.isNull("INCP_CTAPROV"));
}

TEST_F(Ficha, DescuentosSegunConfiguracionYTipo) {
    unaInterfaz(1, "CARGOS", 51);
    unaInterfaz(2, "DESCUENTOS", 52, "SUR");
    const QString clave = "INCLUIR CAMPOS DE DESCUENTOS ADICIONALES EN CARGOS POR PAGAR";
    struct Caso {
        const char* valor;
        FichaInterfaz::Modo modo;
        int id;
        bool visibles;
    };
    const Caso casos[] = {
        {"NO", FichaInterfaz::Modo::Nueva, 0, false},     {"NO", FichaInterfaz::Modo::Modificar, 1, false},
        {"SI", FichaInterfaz::Modo::Nueva, 0, true},      {"SI", FichaInterfaz::Modo::Modificar, 1, true},
        {"SI", FichaInterfaz::Modo::Modificar, 2, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.valor) + " " + std::to_string(c.id));
        configuracion.asignar("CXPAGAR", "DOCUMENTOS", clave, c.valor);
        auto f = ficha(c.modo);
        ASSERT_TRUE(f->abrir(c.id));
        EXPECT_EQ(f->descuentosVisibles(), c.visibles);
    }
}

TEST_F(Ficha, ModificarUnaQueYaNoExiste) {
    auto f = ficha(FichaInterfaz::Modo::Modificar);
    EXPECT_FALSE(f->abrir(404));
    EXPECT_EQ(interaccion.de("informacion"), QStringList{FichaInterfaz::kNoEncontrada});
}

TEST_F(Ficha, DefinicionSinFilaNiifLaRecibeAlGrabar) {
    unaInterfaz(3, "VIEJA");
    ejecutar("delete from INTERFAZ_CXPAGAR_NIIF");
    auto f = ficha(FichaInterfaz::Modo::Modificar);
    ASSERT_TRUE(f->abrir(3));
    ASSERT_TRUE(f->grabar()) << mensajes().toStdString();
    EXPECT_EQ(filas("select INCP_BASE from INTERFAZ_CXPAGAR_NIIF where INCP_ID = 3").at(0)[0].toString(), "K");
}

TEST_F(Ficha, GrabarQueFallaSeQuedaEnEdicionSinPerderNada) {
    auto f = ficha(FichaInterfaz::Modo::Nueva);
    ASSERT_TRUE(f->abrir());
    int cerradas = 0;
    QObject::connect(f.get(), &FichaInterfaz::cerrar, [&] { ++cerradas; });
    f->interfaz().setValue("INCP_NOMBRE", "CON LINEA");
    f->lineas().append();
    f->lineas().setValue("INPC_CUENTA", "510501");
    ejecutar("create exception E_PRUEBA 'sin lineas'");
    ejecutar("create trigger T_PRUEBA for INTERFAZ_CXPAGAR_CTAS before insert as begin exception E_PRUEBA; end");
    EXPECT_FALSE(f->grabar());
    EXPECT_EQ(cerradas, 0);
    EXPECT_EQ(interaccion.de("error").size(), 1) << mensajes().toStdString();
    EXPECT_EQ(f->interfaz().state(), DataSet::State::Edit);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR"), 0);

    ejecutar("drop trigger T_PRUEBA");
    ASSERT_TRUE(f->grabar()) << mensajes().toStdString();
    EXPECT_EQ(cerradas, 1);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR_CTAS where INPC_CUENTA = '510501'"), 1);
    EXPECT_EQ(cuenta("select count(*) from INTERFAZ_CXPAGAR_NIIF"), 1);
}

}  // namespace
