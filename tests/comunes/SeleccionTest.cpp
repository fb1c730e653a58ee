// The pickers' logic: the search condition with the person's text quoted,
// the account rules (inactive, heading accounts, the NIIF chart), cost
// centres by agency, creditors only, fixed assets, and the new account.
#include "comunes/NuevaCuenta.h"
#include "comunes/Selecciones.h"
#include "data/Selectores.h"
#include "tests/comunes/Entorno.h"

using cxp::DataSet;
using cxp::MarcaFila;
using cxp::NuevaCuenta;
using cxp::Seleccion;
using namespace cxp::selectores;

namespace {

class Selecciones : public prueba::EntornoComunes {
protected:
    void SetUp() override {
        EntornoComunes::SetUp();
        for (const char* t : {"CUENTAS", "CUENTAS_NIIF"}) {
            const QString tabla = QString::fromLatin1(t);
            for (const auto& [cod, nom] : std::initializer_list<std::pair<const char*, const char*>>{
                     {"1", "ACTIVO"}, {"11", "DISPONIBLE"}, {"1105", "CAJA"}, {"110505", "CAJA GENERAL"},
                     {"11050501", "CAJA GENERAL SEDE NORTE"}, {"110510", "CAJAS MENORES"},
                     {"110515", "CAJA D'ÁVILA"}, {"9", "CUENTAS DE ORDEN ACREEDORAS"}})
                ejecutar("insert into " + tabla + " (CUEN_COD, CUEN_NOM) values (?, ?)", {cod, nom});
        }
        ejecutar("update CUENTAS set CUEN_ACTIVA = 'N' where CUEN_COD = '110510'");
        ejecutar("update CUENTAS_NIIF set CUEN_ACTIVA = 'N' where CUEN_COD = '110505'");
    }

    std::unique_ptr<Seleccion> selector(const QString& nombre, const QVariantMap& args = {}) {
        auto s = cxp::crearSeleccion(nombre, sesion.compania, interaccion, manejador, args);
        EXPECT_TRUE(s);
        return s;
    }

    // Accepts the row whose field holds the value.
    std::optional<QVariantMap> aceptar(Seleccion& s, const QString& campo, const QString& valor) {
        DataSet& r = s.resultado();
        for (int i = 0; i < r.recordCount(); ++i)
            if (r.row(i).asString(campo) == valor) return s.aceptar(i);
        ADD_FAILURE() << "no row " << valor.toStdString();
        return std::nullopt;
    }
};

TEST_F(Selecciones, CuentasConSusMarcasYLoQueSePuedeElegir) {
    auto s = selector(kCuentas, {{"filtro", "  1105 "}});
    EXPECT_EQ(s->titulo(), "Cuentas");
    EXPECT_EQ(s->filtroInicial(), "1105");
    ASSERT_TRUE(s->buscar(s->filtroInicial()));
    DataSet& r = s->resultado();
    EXPECT_EQ(columna(r, "CUEN_COD"), (QStringList{"1105", "110505", "11050501", "110510", "110515"}));
    QList<MarcaFila> marcas;
    for (int i = 0; i < r.recordCount(); ++i) marcas << s->marca(r.row(i));
    EXPECT_EQ(marcas, (QList<MarcaFila>{MarcaFila::Restringida, MarcaFila::Restringida, MarcaFila::Normal,
                                        MarcaFila::Inactiva, MarcaFila::Normal}));

    EXPECT_FALSE(aceptar(*s, "CUEN_COD", "110510"));
    EXPECT_FALSE(aceptar(*s, "CUEN_COD", "110505"));
    EXPECT_FALSE(aceptar(*s, "CUEN_COD", "1105"));
    EXPECT_EQ(interaccion.de("informacion"),
              (QStringList{"La cuenta 110510 está inactiva.", "La cuenta indicada tiene auxiliares definidos.",
                           "La cuenta indicada tiene auxiliares definidos."}));
    const auto e = aceptar(*s, "CUEN_COD", "11050501");
    ASSERT_TRUE(e);
    EXPECT_EQ(*e, (QVariantMap{{"cuenta", "11050501"}}));

    // A short account without sub-accounts takes no movements either.
    ASSERT_TRUE(s->buscar("9"));
    EXPECT_EQ(s->marca(s->resultado().row(0)), MarcaFila::Restringida);
    EXPECT_FALSE(s->aceptar(0));
    EXPECT_EQ(interaccion.de("informacion").last(), "La cuenta es de nivel inferior al mínimo afectable.");
}

TEST_F(Selecciones, CuentasPorNombreSinDistinguirMayusculasYConComillas) {
    auto s = selector(kCuentas);
    ASSERT_TRUE(s->buscar("caja gen"));
    EXPECT_EQ(columna(s->resultado(), "CUEN_COD"), (QStringList{"110505", "11050501"}));
    ASSERT_TRUE(s->buscar("d'ávila"));
    EXPECT_EQ(columna(s->resultado(), "CUEN_COD"), QStringList{"110515"});
    for (const char* ajeno : {"x' or '1'='1", "x') or 1=1 --"}) {
        ASSERT_TRUE(s->buscar(ajeno));
        EXPECT_EQ(s->resultado().recordCount(), 0) << ajeno;
    }
    ASSERT_TRUE(s->buscar(""));
    EXPECT_EQ(s->resultado().recordCount(), 8);
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << interaccion.mensajes.join('\n').toStdString();
}

TEST_F(Selecciones, CuentasNiif) {
    auto s = selector(kCuentas, {{"niif", true}, {"filtro", "1105"}});
    EXPECT_EQ(s->titulo(), "Cuentas NIIF");
    ASSERT_TRUE(s->buscar(s->filtroInicial()));
    EXPECT_EQ(s->marca(s->resultado().row(1)), MarcaFila::Inactiva) << "110505 is inactive in the NIIF chart";
    EXPECT_FALSE(aceptar(*s, "CUEN_COD", "110505"));
    EXPECT_EQ(interaccion.de("informacion").last(), "La cuenta NIIF 110505 está inactiva.");
    EXPECT_TRUE(aceptar(*s, "CUEN_COD", "110510")) << "active in the NIIF chart";
    ejecutar("insert into CUENTAS_NIIF (CUEN_COD, CUEN_NOM) values ('11051001', 'MENOR NORTE')");
    ASSERT_TRUE(s->buscar("110510"));
    EXPECT_FALSE(aceptar(*s, "CUEN_COD", "110510"));
    EXPECT_EQ(interaccion.de("informacion").last(), "La cuenta NIIF indicada tiene auxiliares definidos.");
}

TEST_F(Selecciones, CentrosActivosDeLaAgenciaYDeTodas) {
    ejecutar("insert into PROYECTOS (PROY_COD, PROY_NOM) values ('01', 'ADMINISTRACIÓN')");
    ejecutar("insert into PROYECTOS (PROY_COD, PROY_NOM, PROY_ACTIVO) values ('09', 'CERRADO', 'N')");
    for (const char* c : {"('01', '01', 'GERENCIA', 0, 'S')", "('01', '02', 'CONTABILIDAD', 1, 'S')",
                          "('01', '03', 'VENTAS CENTRO', 2, 'S')", "('01', '04', 'ARCHIVO', 1, 'N')",
                          "('09', '01', 'VIEJO', 0, 'S')"})
        ejecutar(QStringLiteral("insert into CENTROS (PROY_COD, CENT_COD, CENT_NOM, SUCU_ID, CENT_ACTIVO) values ") +
                 QString::fromLatin1(c));
    auto todos = selector(kCentros);
    ASSERT_TRUE(todos->buscar(""));
    EXPECT_EQ(columna(todos->resultado(), "CENT_NOM"), (QStringList{"GERENCIA", "CONTABILIDAD", "VENTAS CENTRO"}));

    auto agencia = selector(kCentros, {{"agencia", 1}});
    ASSERT_TRUE(agencia->buscar(""));
    EXPECT_EQ(columna(agencia->resultado(), "CENT_NOM"), (QStringList{"GERENCIA", "CONTABILIDAD"}));
    ASSERT_TRUE(agencia->buscar("conta"));
    const auto e = agencia->aceptar(0);
    ASSERT_TRUE(e);
    EXPECT_EQ(*e, (QVariantMap{{"proyecto", "01"}, {"centro", "02"}}));
}

TEST_F(Selecciones, TercerosActivosYSoloProveedores) {
    for (const char* t : {"('800100200', '1', 'PROVEEDORA DEL VALLE S.A.S.', 'S', 'S', 'Cali', '6024441122')",
                          "('900300400', '7', 'CLIENTE MAYORISTA LTDA', 'N', 'S', 'Bogotá', '6013330000')",
                          "('830500600', '2', 'PROVEEDOR RETIRADO S.A.', 'S', 'N', 'Medellín', NULL)"})
        ejecutar(QStringLiteral("insert into TERCEROS (TERC_NIT, TERC_DV, TERC_NOM, TERC_PROV, TERC_ESTADO, "
                                "TERC_CIU, TERC_TEL) values ") +
                 QString::fromLatin1(t));
    auto todos = selector(kTerceros, {{"filtro", "a"}});
    ASSERT_TRUE(todos->buscar(todos->filtroInicial()));
    EXPECT_EQ(columna(todos->resultado(), "TERC_NIT"), (QStringList{"900300400", "800100200"}));
    EXPECT_EQ(todos->titulo(), "Terceros");

    auto proveedores = selector(kTerceros, {{"proveedores", true}});
    EXPECT_EQ(proveedores->titulo(), "Proveedores");
    ASSERT_TRUE(proveedores->buscar("800"));
    ASSERT_EQ(proveedores->resultado().recordCount(), 1);
    EXPECT_EQ(proveedores->resultado().row(0).asString("TERC_CIU"), "Cali");
    const auto e = proveedores->aceptar(0);
    ASSERT_TRUE(e);
    EXPECT_EQ(*e, (QVariantMap{{"nit", "800100200"}, {"nombre", "PROVEEDORA DEL VALLE S.A.S."}}));
}

TEST_F(Selecciones, ActivosFijosActivos) {
    ejecutar("insert into ACTIVOS_FIJOS (ACFJ_COD, ACFJ_DESC, ACFJ_COSTO) values ('AF-001', 'Portátil gerencia', 4500000)");
    ejecutar("insert into ACTIVOS_FIJOS (ACFJ_COD, ACFJ_DESC, ACFJ_ACTIVO) values ('AF-002', 'Portátil dado de baja', 'N')");
    auto s = selector(kActivos);
    ASSERT_TRUE(s->buscar("portátil"));
    ASSERT_EQ(s->resultado().recordCount(), 1);
    const auto e = s->aceptar(0);
    ASSERT_TRUE(e);
    EXPECT_EQ(*e, (QVariantMap{{"codigo", "AF-001"}, {"descripcion", "Portátil gerencia"}}));
    EXPECT_FALSE(cxp::crearSeleccion(kNuevaCuenta, sesion.compania, interaccion, manejador, {}));
}

TEST_F(Selecciones, UnaBusquedaFallidaSeReportaYDejaLaListaAnterior) {
    auto s = selector(kCuentas);
    ASSERT_TRUE(s->buscar("1105"));
    const int antes = s->resultado().recordCount();
    sesion.compania.detach();
    EXPECT_FALSE(s->buscar("11"));
    EXPECT_EQ(interaccion.de("error").size(), 1);
    EXPECT_EQ(s->resultado().recordCount(), antes);
    EXPECT_EQ(s->textoBuscado(), "1105");
}

// ---- the new account

class CuentaNueva : public Selecciones {
protected:
    std::unique_ptr<NuevaCuenta> abrir(const QString& codigo, bool niif = false, bool debeAbrir = true) {
        auto n = std::make_unique<NuevaCuenta>(sesion, interaccion, manejador, codigo, niif);
        EXPECT_EQ(n->abrir(), debeAbrir) << interaccion.mensajes.join('\n').toStdString();
        return n;
    }
    std::optional<fb::Row> cuenta(const QString& tabla, const QString& codigo) const {
        return fila("select * from " + tabla + " where CUEN_COD = ?", {codigo});
    }
};

TEST_F(CuentaNueva, SeCreaConSusDatos) {
    auto n = abrir("110520");
    DataSet& c = n->cuenta();
    EXPECT_EQ(c.asString("CUEN_COD"), "110520");
    EXPECT_TRUE(c.field("CUEN_COD").readOnly()) << "the code is given";
    EXPECT_EQ(c.asString("CUEN_NATURALEZA"), "D");
    c.setValue("CUEN_NOM", "CAJA DE VIAJES");
    c.setValue("CUEN_TERCERO", "S");
    c.setValue("CUEN_RETENCION", "S");
    c.setValue("CUEN_BASEMIN", *cxp::Dinero::desdeTexto(u"1000000"));
    c.setValue("CUEN_PORC", *cxp::Dinero::desdeTexto(u"2.5"));
    EXPECT_EQ(n->crear(), QString("110520"));
    const auto r = cuenta("CUENTAS", "110520");  // the name and the percentage: read back in the widget test
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)["CUEN_NIVEL"].toInt64(), 4);
    EXPECT_EQ((*r)["CUEN_TERCERO"].toString(), "S");
    EXPECT_EQ((*r)["CUEN_CENTRO"].toString(), "N");
    EXPECT_FALSE(cuenta("CUENTAS_NIIF", "110520"));
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
}

TEST_F(CuentaNueva, EnElPlanNiif) {
    auto n = abrir("110520", true);
    EXPECT_EQ(n->titulo(), "Nueva cuenta NIIF");
    n->cuenta().setValue("CUEN_NOM", "CAJA DE VIAJES");
    EXPECT_EQ(n->crear(), QString("110520"));
    EXPECT_TRUE(cuenta("CUENTAS_NIIF", "110520"));
    EXPECT_FALSE(cuenta("CUENTAS", "110520"));
}

TEST_F(CuentaNueva, SinNombreNoSeCrea) {
    auto n = abrir("110520");
    n->cuenta().setValue("CUEN_NOM", "   ");
    EXPECT_FALSE(n->crear());
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_TRUE(interaccion.de("error").first().contains("obligatorio")) << interaccion.mensajes.join('\n').toStdString();
    EXPECT_EQ(interaccion.enfoques, QStringList{"CUEN_NOM"});
    EXPECT_FALSE(cuenta("CUENTAS", "110520"));
}

TEST_F(CuentaNueva, SinCuentaSuperiorLaBaseLaRechazaYNoDevuelveNada) {
    auto n = abrir("120505");
    n->cuenta().setValue("CUEN_NOM", "ACCIONES");
    EXPECT_FALSE(n->crear());
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_TRUE(interaccion.de("error").first().contains("La cuenta superior 1205 no existe"))
        << interaccion.mensajes.join('\n').toStdString();
    EXPECT_NE(n->cuenta().state(), DataSet::State::Browse) << "left to correct";
    EXPECT_FALSE(cuenta("CUENTAS", "120505"));
}

TEST_F(CuentaNueva, CodigoErradoODerechoFaltante) {
    for (const char* codigo : {"12345", "11a5", "110", "1234567890123"}) abrir(codigo, false, false);
    EXPECT_EQ(interaccion.de("informacion"), QStringList(4, NuevaCuenta::kCodigoErrado));
    ejecutar("insert into ACCESO_USUARIO (USER_COD, ACUS_MODULO, ACUS_OPCION, ACUS_SI) "
             "values ('AUXILIAR', 'CONTABILIDAD', 0, 'N')");
    entrarComo("AUXILIAR", "Auxiliar contable", false);
    abrir("110520", false, false);
    EXPECT_EQ(interaccion.de("informacion").last(),
              "Acceso no permitido. comuníquese con el administrador del sistema.");
}

TEST(NaturalezaDeCuenta, PorLaClase) {
    for (const char* c : {"1", "110505", "5", "6135", "7", "8"}) EXPECT_EQ(NuevaCuenta::naturalezaDe(c), "D") << c;
    for (const char* c : {"2", "2365", "3", "4135", "9"}) EXPECT_EQ(NuevaCuenta::naturalezaDe(c), "C") << c;
}

}  // namespace
