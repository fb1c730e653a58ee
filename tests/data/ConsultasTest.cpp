// Lookups of the accounting and third-parties data modules, the working
// period and the audit trail's readings.
#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/Configuracion.h"
#include "data/Contabilidad.h"
#include "data/Selectores.h"
#include "data/Sesion.h"
#include "data/Terceros.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

using cxp::Contabilidad;
using cxp::Dinero;

namespace {

Dinero pesos(const char* texto) { return *Dinero::desdeTexto(QString::fromLatin1(texto)); }

class Consultas : public ::testing::Test {
protected:
    void SetUp() override {
        // USUARIO is read-only to the clerk's own login: the owner makes her row.
        base.conectar().executeDirect(
            "insert into usuario (user_cod, user_anocnt, user_percnt) values ('AUXILIAR', '2026', 11)");
        sesion.compania = base.conectar("AUXILIAR");
        sesion.general = general.conectar();
        sesion.usuario_actual = "AUXILIAR";
        conf.cargar(db());
        // A small chart: class, group, account, subaccount, auxiliaries.
        for (const char* c : {"2", "23", "2365", "236540", "23654001", "23654002", "236525"})
            db().executeDirect(QString("insert into cuentas (cuen_cod, cuen_nom, cuen_naturaleza) values ('%1', "
                                       "'CUENTA %1', 'C')")
                                   .arg(c));
        db().executeDirect("update cuentas set cuen_activa = 'N' where cuen_cod = '23654002'");
        for (const char* c : {"2", "22", "2205", "220505"})
            db().executeDirect(QString("insert into cuentas_niif (cuen_cod, cuen_nom, cuen_naturaleza) values ('%1', "
                                       "'NIIF %1', 'C')")
                                   .arg(c));
    }
    fb::Database& db() { return sesion.compania; }
    // The owner's login, for the rows a clerk's own login may not write.
    fb::Database dueno() { return base.conectar(); }
    void sinDerecho() {
        dueno().executeDirect("insert into acceso_usuario values ('AUXILIAR', 'CONTABILIDAD', 0, 'N')");
    }
    void conDerecho() {
        dueno().executeDirect("insert into acceso_usuario values ('AUXILIAR', 'CONTABILIDAD', 0, 'S')");
    }
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    prueba::BaseTemporal general{prueba::plantillaGeneral()};
    cxp::Sesion sesion;
    prueba::InteraccionGrabada inter;
    cxp::Configuracion conf{inter};
    Contabilidad cnt{sesion, inter, conf};
};

TEST_F(Consultas, CodigosDeLaValidacionDeCuentas) {
    const struct {
        const char* cuenta;
        int codigo;
        const char* mensaje;
    } casos[] = {
        // One account per answer of the check (each answer's cases are in the
        // database's own tests): the message each one gives.
        {"23654001", 0, nullptr},
        {"2365", 3, "La cuenta es de nivel inferior al mínimo afectable."},
        {"236540", 4, "La cuenta indicada tiene auxiliares definidos."},
        {"236", 2, "El código de cuenta está incompleto o demasiado largo."},
        {"O'Brien", 2, "El código de cuenta está incompleto o demasiado largo."},
    };
    for (const auto& c : casos) {
        inter.mensajes.clear();
        EXPECT_EQ(cnt.codigo_cuenta(c.cuenta, false), c.codigo) << c.cuenta;
        EXPECT_EQ(cnt.valide_cuenta(c.cuenta), c.codigo == 0) << c.cuenta;
        EXPECT_EQ(inter.de("informacion"), c.mensaje ? QStringList{QString::fromUtf8(c.mensaje)} : QStringList{})
            << c.cuenta;
    }
    EXPECT_EQ(cnt.codigo_cuenta("220505", true), 0);
    EXPECT_EQ(cnt.codigo_cuenta("2205", true), 3);
    EXPECT_FALSE(cnt.valide_cuenta_niif("22"));
}

TEST_F(Consultas, CuentaInexistente) {
    // Without right 0 of accounting: refused, no question.
    sinDerecho();
    EXPECT_FALSE(cnt.valide_cuenta("23654099"));
    EXPECT_EQ(inter.mensajes,
              QStringList{"informacion: Acceso no permitido. comuníquese con el administrador del sistema."});

    dueno().executeDirect("delete from acceso_usuario");
    conDerecho();
    inter.mensajes.clear();
    inter.respuestas = {false};
    EXPECT_FALSE(cnt.valide_cuenta("23654099"));
    EXPECT_EQ(inter.de("pregunta"), QStringList{"La cuenta especificada no existe. Desea Crearla?"});

    // Yes, but the new-account screen was left without saving: still refused.
    inter.respuestas = {true};
    inter.elecciones = {std::nullopt};
    EXPECT_FALSE(cnt.valide_cuenta("23654099"));
    EXPECT_EQ(inter.pantallas.last(), cxp::selectores::kNuevaCuenta);

    // Yes, and the new-account screen saved it.
    struct CreaLaCuenta : prueba::InteraccionGrabada {
        fb::Database* db = nullptr;
        std::optional<QVariantMap> elegir(const QString& selector, const QVariantMap& args) override {
            pantallas << selector;
            db->executeDirect("insert into cuentas (cuen_cod, cuen_nom, cuen_naturaleza) values (" +
                              cxp::sql::texto(args.value("cuenta").toString()) + ", 'NUEVA', 'C')");
            return QVariantMap{{"cuenta", args.value("cuenta")}};
        }
    } creadora;
    creadora.db = &db();
    creadora.respuestas = {true};
    Contabilidad conCreacion{sesion, creadora, conf};
    EXPECT_TRUE(conCreacion.valide_cuenta("23654099"));
    EXPECT_EQ(creadora.pantallas, QStringList{cxp::selectores::kNuevaCuenta});

    inter.mensajes.clear();
    inter.respuestas = {false};
    EXPECT_FALSE(cnt.valide_cuenta_niif("22050599"));
    EXPECT_EQ(inter.de("pregunta"), QStringList{"La cuenta NIIF especificada no existe. Desea Crearla?"});
}

TEST_F(Consultas, EntradaDeCuentaConInterrogacion) {
    inter.elecciones = {QVariantMap{{"cuenta", "23654001"}}};
    EXPECT_EQ(cnt.entrada_cuenta("?2365", false), "23654001");
    EXPECT_EQ(inter.pantallas.last(), cxp::selectores::kCuentas);
    EXPECT_EQ(cnt.entrada_cuenta("?2365", false), "?2365");  // nothing chosen
    EXPECT_EQ(cnt.entrada_cuenta("2365", false), "");       // not valid: emptied
    EXPECT_EQ(cnt.entrada_cuenta("23654001", false), "23654001");
}

TEST_F(Consultas, NombresDeCuentasCentrosYActivos) {
    EXPECT_EQ(cnt.nom_cuenta("23654001"), "CUENTA 23654001");
    EXPECT_EQ(cnt.nom_cuenta("99"), "");
    EXPECT_TRUE(inter.mensajes.isEmpty());
    EXPECT_EQ(cnt.nom_cuenta("23654002"), "");
    EXPECT_EQ(inter.de("informacion"), QStringList{"La cuenta 23654002 está inactiva."});
    db().executeDirect("update cuentas_niif set cuen_activa = 'N' where cuen_cod = '220505'");
    EXPECT_EQ(cnt.nom_cuenta_niif("220505"), "");
    EXPECT_EQ(inter.de("informacion").last(), "La cuenta NIIF 220505 está inactiva.");

    db().executeDirect("insert into proyectos (proy_cod, proy_nom) values ('01', 'ADMINISTRACION')");
    db().executeDirect("insert into centros (proy_cod, cent_cod, cent_nom) values ('01', '02', 'CONTABILIDAD')");
    db().executeDirect("insert into activos_fijos (acfj_cod, acfj_desc) values ('EQ-1', 'PORTATIL')");
    inter.mensajes.clear();
    EXPECT_EQ(cnt.nom_centro("01"), "ADMINISTRACION");
    EXPECT_EQ(cnt.nom_subcentro("01", "02"), "CONTABILIDAD");
    EXPECT_TRUE(cnt.valide_centro("01", "02"));
    EXPECT_TRUE(inter.mensajes.isEmpty());
    EXPECT_EQ(cnt.nom_centro("0'9"), "");
    EXPECT_EQ(cnt.nom_subcentro("01", "09"), "");
    EXPECT_FALSE(cnt.valide_centro("01", "09"));
    EXPECT_EQ(inter.de("informacion"),
              QStringList({"Proyecto no encontrado.", "Centro de costos no encontrado.", "Proyecto-Centro no encontrado."}));
    EXPECT_EQ(cnt.desc_activo("EQ-1"), "PORTATIL");
    EXPECT_EQ(cnt.padre("23654001"), "236540");
    EXPECT_EQ(cnt.saldo_cuenta("23654001", QDate(2026, 12, 6)), Dinero());
}

TEST_F(Consultas, ComponeFechaDelPeriodo) {
    cnt.fijar_periodo("2026", 1);  // February of a common year
    EXPECT_EQ(cnt.compone_fecha(31), "20260228");
    EXPECT_EQ(inter.pitidos, 1);
    EXPECT_EQ(cnt.compone_fecha(5), "20260205");
    cnt.fijar_periodo("2028", 1);
    EXPECT_EQ(cnt.compone_fecha_admin(30), "2028/02/29");
    cnt.fijar_periodo("2026", 3);
    EXPECT_EQ(cnt.compone_fecha_admin(31), "2026/04/30");
    cnt.fijar_periodo("2026", 11);
    EXPECT_EQ(cnt.compone_fecha(31), "20261231");
    cnt.fijar_periodo("2026", 12);  // adjustments
    EXPECT_EQ(cnt.compone_fecha(31), "20261331");
    EXPECT_EQ(inter.pitidos, 3);
}

TEST_F(Consultas, MesSiguienteYAnterior) {
    const auto guardado = [&] {
        const auto f = db().queryOne("select user_anocnt, user_percnt from usuario where user_cod = 'AUXILIAR'");
        return (*f)[0].toString() + "/" + (*f)[1].toString();
    };
    cnt.cargar_periodo();
    EXPECT_EQ(cnt.ano(), "2026");
    EXPECT_EQ(cnt.periodo(), 11);
    EXPECT_EQ(cnt.nombre_periodo(), "Diciembre");
    cnt.mes_mas();  // December -> adjustments
    EXPECT_EQ(guardado(), "2026/12");
    EXPECT_EQ(cnt.nombre_periodo(), "Ajustes");
    cnt.mes_mas();  // adjustments -> January of the next year
    EXPECT_EQ(guardado(), "2027/0");
    EXPECT_EQ(cnt.nombre_periodo(), "Enero");
    cnt.mes_menos();  // January -> adjustments of the year before
    EXPECT_EQ(guardado(), "2026/12");
    cnt.fijar_periodo("2026", 13);
    EXPECT_EQ(cnt.nombre_periodo(), "Cierre");
    cnt.fijar_periodo("2026", 14);
    EXPECT_EQ(cnt.nombre_periodo(), "");

    // The books start in March 2020 (ANO DE INICIO 2020, MES DE INICIO 3).
    dueno().executeDirect("update configuracion set conf_valor = '3' where conf_propiedad = 'MES DE INICIO'");
    conf.cargar(db());
    cnt.fijar_periodo("2020", 3);
    cnt.mes_menos();
    EXPECT_EQ(guardado(), "2020/2");
    cnt.mes_menos();  // March is the first month: no change
    EXPECT_EQ(guardado(), "2020/2");
    EXPECT_EQ(inter.pitidos, 1);
    cnt.fijar_periodo("2021", 0);
    cnt.mes_menos();
    EXPECT_EQ(guardado(), "2020/12");
}

class Terceros_ : public Consultas {
protected:
    void SetUp() override {
        Consultas::SetUp();
        db().executeDirect("insert into grupos_proveedores (grpr_cod, grpr_nom) values ('01', 'NACIONALES')");
        tercero("800197268", "DIAN", "S", "S");
        tercero("900123456", "SIMPLIFICADO SAS", "S", "S");
        tercero("12345", "INACTIVO", "N", "S");
        tercero("555", "CLIENTE SOLO", "S", "N");
        proveedor("800197268", "11", "15", "9.66", "0.4", "N", "1344573.40", "100000");
        proveedor("900123456", "2.5", "0", "4.14", "0", "S", "0", "0");
        proveedor("12345", "1", "1", "1", "0", "N", "0", "0");
    }
    void tercero(const char* nit, const char* nombre, const char* activo, const char* prov) {
        db().executeDirect(QString("insert into terceros (terc_nit, terc_nom, terc_estado, terc_prov, terc_clie) values "
                                   "('%1', '%2', '%3', '%4', 'S')")
                               .arg(nit, nombre, activo, prov));
    }
    void proveedor(const char* nit, const char* rf, const char* ri, const char* ica, const char* cree,
                   const char* simpl, const char* base, const char* baseIca) {
        db().executeDirect(QString("insert into proveedores (terc_nit, grpr_cod, prov_retefte, prov_rteiva, prov_rteica, "
                                   "prov_rtcree, prov_simplificado, prov_rtftebase, prov_rticabase) values ('%1', '01', "
                                   "%2, %3, %4, %5, '%6', %7, %8)")
                               .arg(nit, rf, ri, ica, cree, simpl, base, baseIca));
    }
    cxp::Terceros ter{sesion.compania, inter, conf};
};

TEST_F(Terceros_, ProveedoresYTerceros) {
    EXPECT_TRUE(ter.existe_nit("12345"));  // inactive still exists
    EXPECT_FALSE(ter.existe_nit("O'Neil"));
    EXPECT_EQ(ter.valide_proveedor("800197268"), "S");
    EXPECT_EQ(ter.valide_proveedor("555"), "N");
    EXPECT_EQ(ter.valide_proveedor("12345"), "");
    EXPECT_EQ(ter.nombre_proveedor("800197268"), "DIAN");
    EXPECT_EQ(ter.nombre_proveedor("12345"), "");
    EXPECT_EQ(ter.nom_tercero("555"), "CLIENTE SOLO");
    EXPECT_EQ(ter.nom_tercero("12345"), "");
    EXPECT_TRUE(ter.valide_tercero("555"));
    EXPECT_FALSE(ter.valide_tercero("12345"));
    EXPECT_EQ(inter.de("informacion"), QStringList{"Tercero Inactivo o no encontrado."});
    EXPECT_EQ(ter.base_rtfte("800197268"), pesos("1344573"));
    EXPECT_EQ(ter.base_rtica("800197268"), pesos("100000"));
    EXPECT_EQ(ter.base_rtfte("555"), Dinero());
}

TEST_F(Terceros_, PerfilDeRetenciones) {
    auto p = ter.valide_proveedor_ret("800197268");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->nombre, "DIAN");
    EXPECT_EQ(p->retefuente, pesos("11"));
    EXPECT_EQ(p->reteiva, pesos("15"));
    EXPECT_EQ(p->reteica, pesos("9.66"));
    EXPECT_EQ(p->cree, pesos("0.4"));
    // Simplified regime: the configured rete-IVA, whatever its own row says.
    db().executeDirect("update proveedores set prov_rteiva = 50 where terc_nit = '900123456'");
    p = ter.valide_proveedor_ret("900123456");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->simplificado, "S");
    EXPECT_EQ(p->reteiva, pesos("15"));
    EXPECT_FALSE(ter.valide_proveedor_ret("12345"));
    EXPECT_FALSE(ter.valide_proveedor_ret("555"));
    // The plain profile keeps the row's own percentage.
    EXPECT_EQ(ter.valide_retenciones("900123456")->reteiva, pesos("50"));

    db().executeDirect(
        "insert into proveedor_articulo (terc_nit, arti_cod, pvar_costo) values ('800197268', 'ART-1', 1234.56)");
    EXPECT_EQ(ter.precio_proveedor("ART-1", "800197268"), pesos("1234.56"));
    EXPECT_EQ(ter.precio_proveedor("ART-2", "800197268"), Dinero());
}

TEST_F(Consultas, AuditoriaDeAnulacionYRazon) {
    sesion.general.executeDirect(
        "insert into usuario (usua_cod, usua_nombre, usua_admin) values ('AUXILIAR', 'Carolina Gómez Restrepo', 'N')");
    EXPECT_EQ(cxp::razon_anulacion(db(), sesion.general, 51, 10), "Sin explicación del usuario. Anulado por:, el dia: ");

    // Audit rows come from the database’s own triggers; a clerk cannot add them.
    dueno().executeDirect("execute procedure audite_documento(51, 10, 'I')");
    dueno().executeDirect("execute procedure audite_documento(51, 10, 'A')");
    dueno().executeDirect("update auditoria set audi_usuario = 'AUXILIAR', audi_fecha = '2026/12/05'");
    EXPECT_EQ(cxp::razon_anulacion(db(), sesion.general, 51, 10),
              "Sin explicación del usuario. Anulado por:Carolina Gómez Restrepo, el dia: 2026/12/05");

    EXPECT_FALSE(cxp::razon_valida("  ", inter));
    EXPECT_EQ(inter.de("informacion"),
              QStringList{"Debera ingresar una razon por la cual esta anulando/eliminando el documento. Intentelo de nuevo."});
    cxp::registre_razon(db(), 51, 10, cxp::OperacionAuditada::Anulacion, "Valor errado, d'acuerdo");
    EXPECT_EQ(cxp::razon_anulacion(db(), sesion.general, 51, 10),
              "Valor errado, d'acuerdo. Anulado por:Carolina Gómez Restrepo, el dia: 2026/12/05");
    // A deletion reason goes only to the deletion row.
    cxp::registre_razon(db(), 51, 10, cxp::OperacionAuditada::Eliminacion, "otra");
    EXPECT_EQ(db().query("select 1 from auditoria where audi_razon = 'otra'").size(), 0u);

    dueno().executeDirect("update auditoria set audi_hora = '10:11:12.3456' where audi_oper = 'I'");
    EXPECT_EQ(cxp::texto_auditoria_insercion(db(), 51, 10), "2026/12/05-10:11:12.3456-AUXILIAR");
    EXPECT_EQ(cxp::texto_auditoria_insercion(db(), 51, 10, true), "2026/12/05-10:11:12-AUXILIAR");
    EXPECT_EQ(cxp::texto_auditoria_insercion(db(), 51, 11), "");
}

}  // namespace
