// The creditor record's logic on a scratch company: the NIT entry rule, the
// natural person's name, the save's checks and what reaches the database,
// contacts, the group's accounts and the account fields.
#include "creditors/FichaAcreedor.h"
#include "tests/creditors/Entorno.h"

#include <QRegularExpression>
#include <QSignalSpy>

using namespace cxp;

namespace {

class Ficha : public prueba::EntornoAcreedores {
protected:
    std::unique_ptr<FichaAcreedor> ficha(FichaAcreedor::Modo modo = FichaAcreedor::Modo::Nuevo,
                                         const QString& nit = {}) {
        auto f = std::make_unique<FichaAcreedor>(modo, sesion, interaccion, manejador, configuracion);
        EXPECT_TRUE(f->abrir(nit)) << mensajes().toStdString();
        return f;
    }
    void llenar(FichaAcreedor& f, const QString& nit, const QString& nombre) {
        f.tercero().setValue("TERC_NIT", nit);
        f.tercero().setValue("TERC_NOM", nombre);
    }
    // The account and its parents.
    void cuenta(const QString& tabla, const QString& codigo) {
        for (int n : {1, 2, 4, 6, 8, 10, 12})
            if (n <= codigo.size())
                ejecutar("update or insert into " + tabla + " (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA) values (" +
                         sql::texto(codigo.left(n)) + ", 'CUENTA', 'C') matching (CUEN_COD)");
    }
};

TEST_F(Ficha, NombreDePersonaNaturalUneLasCuatroPartesConEspaciosSimples) {
    EXPECT_EQ(FichaAcreedor::nombreCompuesto("PEREZ", "", "JUAN", ""), "PEREZ  JUAN ");
    EXPECT_EQ(FichaAcreedor::nombreCompuesto("", "", "", ""), "   ");

    auto f = ficha();
    f->tercero().setValue("TERC_NIT", "79123456");
    f->tercero().setValue("TERC_TIPOID", "C");
    EXPECT_EQ(interaccion.enfoques.last(), "TERC_APELLIDO1");
    f->tercero().setValue("TERC_APELLIDO1", "PEREZ");
    f->tercero().setValue("TERC_NOMBRE1", "JUAN");
    ASSERT_TRUE(f->grabar()) << mensajes().toStdString();
    const auto r = filas("select TERC_NOM, TERC_TIPOID from TERCEROS where TERC_NIT = '79123456'");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0].toString(), "PEREZ  JUAN ");

    // Back to a legal entity: the name parts are emptied.
    f->tercero().setValue("TERC_TIPOID", "C");
    f->tercero().setValue("TERC_APELLIDO1", "GOMEZ");
    f->tercero().setValue("TERC_TIPOID", "J");
    EXPECT_TRUE(f->tercero().isNull("TERC_APELLIDO1"));
    EXPECT_EQ(interaccion.enfoques.last(), "TERC_NOM");
}

TEST_F(Ficha, GrabarNuevoEscribeTerceroProveedorYContactosYEmpiezaOtro) {
    configurar("CODIGO DE CIUDAD A SUGERIR", "Z0002");
    auto f = ficha();
    EXPECT_EQ(f->tercero().asString("CIUD_COD"), "Z0002");
    EXPECT_EQ(f->tercero().asString("TERC_CIU"), "VILLA O'HARA");
    llenar(*f, "900123456", "ACME O'HARA S.A.S.");
    f->proveedor().setValue("PROV_RETEFTE", *Dinero::desdeTexto(u"2.5"));
    f->contactos().append();
    f->contactos().setValue("TECC_NOMBRE", "ANA");
    f->contactos().append();
    f->contactos().setValue("TECC_NOMBRE", "LUIS");
    QSignalSpy reinicio(f.get(), &FichaAcreedor::reiniciado);
    ASSERT_TRUE(f->grabar()) << mensajes().toStdString();
    EXPECT_EQ(reinicio.count(), 1);

    auto t = filas("select T.TERC_PROV, T.TERC_ESTADO, T.TERC_TIPOID, T.PAIS_ID, T.TERC_USUARIO, P.GRPR_COD, "
                   "P.PROV_COD, P.PROV_RETEFTE, P.PROV_SIMPLIFICADO from TERCEROS T join PROVEEDORES P on "
                   "P.TERC_NIT = T.TERC_NIT where T.TERC_NIT = '900123456'");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0][0].toString(), "S");
    EXPECT_EQ(t[0][2].toString(), "J");
    EXPECT_EQ(t[0][3].toString(), "169");
    EXPECT_EQ(t[0][4].toString(), "ADMIN");
    EXPECT_EQ(t[0][5].toString(), "01");
    EXPECT_EQ(t[0][6].toString(), "900123456");
    EXPECT_EQ(t[0][7].toString(), "2.50");
    auto c = filas("select TECC_ITEM, TECC_NOMBRE from TERCEROS_CONTACTOS where TERC_NIT = '900123456' order by 1");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[1][0].toInt64(), 2);
    EXPECT_EQ(c[1][1].toString(), "LUIS");

    // The screen stays, on a new empty creditor, the cursor on the NIT.
    EXPECT_EQ(f->tercero().state(), DataSet::State::Insert);
    EXPECT_TRUE(f->tercero().asString("TERC_NIT").isEmpty());
    EXPECT_EQ(interaccion.enfoques.last(), "TERC_NIT");

    // Modify: the audit line, contacts numbered after the highest.
    auto m = ficha(FichaAcreedor::Modo::Modificar, "900123456");
    EXPECT_TRUE(m->registro().contains(QRegularExpression("^Registro: \\d{4}/\\d{2}/\\d{2}-\\d\\d:"))) << m->registro().toStdString();
    EXPECT_TRUE(m->registro().endsWith(" SYSDBA") || m->registro().endsWith(" ADMIN")) << m->registro().toStdString();
    m->contactos().append();
    EXPECT_EQ(m->contactos().asInt("TECC_ITEM"), 3);
    m->contactos().setValue("TECC_NOMBRE", "EVA");
    m->tercero().setValue("TERC_TEL", "555");
    QSignalSpy cierre(m.get(), &FichaAcreedor::cerrar);
    ASSERT_TRUE(m->grabar()) << mensajes().toStdString();
    EXPECT_EQ(cierre.count(), 1);
    EXPECT_EQ(filas("select count(*) from TERCEROS_CONTACTOS where TERC_NIT = '900123456'")[0][0].toInt64(), 3);
    EXPECT_EQ(filas("select TERC_TEL from TERCEROS where TERC_NIT = '900123456'")[0][0].toString(), "555");

    auto nada = std::make_unique<FichaAcreedor>(FichaAcreedor::Modo::Modificar, sesion, interaccion, manejador,
                                                configuracion);
    EXPECT_FALSE(nada->abrir("NO-EXISTE"));
    EXPECT_EQ(interaccion.de("error").last(), "Error. No se encontró el tercero.");
}

TEST_F(Ficha, ValidacionesEnSuOrdenYDatosDeDireccionObligatorios) {
    auto f = ficha();
    EXPECT_FALSE(f->grabar());
    f->tercero().setValue("TERC_NIT", "800100200");
    f->tercero().setValue("TERC_TIPOID", fb::Value());
    EXPECT_FALSE(f->grabar());
    f->tercero().setValue("TERC_TIPOID", "J");
    EXPECT_FALSE(f->grabar());
    EXPECT_EQ(interaccion.de("error"),
              QStringList({"Falta ingresar el NIT o identificación del tercero.", "Falta ingresar el tipo de documento.",
                           "Falta ingresar el nombre del tercero."}));

    // With address data required, an address and a telephone are not enough.
    configurar("DATOS DE DIRECCION, CIUDAD, PAIS, TELEFONO Y MAIL OBLIGATORIOS", "SI");
    auto g = ficha();
    llenar(*g, "800100201", "SIN CORREO LTDA");
    g->tercero().setValue("TERC_DIR", "CALLE 1");
    g->tercero().setValue("TERC_TEL", "3001234");
    interaccion.mensajes.clear();
    EXPECT_FALSE(g->grabar());
    EXPECT_EQ(interaccion.de("error"), QStringList{"Falta ingresar el correo electrónico del tercero."});
    EXPECT_EQ(interaccion.enfoques.last(), "TERC_EMAIL");
    EXPECT_TRUE(filas("select 1 from TERCEROS where TERC_NIT = '800100201'").empty());
    g->tercero().setValue("TERC_EMAIL", "a@b.co");
    interaccion.elecciones.push_back(QVariantMap{{"codigo", "Z0001"}, {"nombre", "PRUEBA NORTE"}});
    g->elegirCiudad();
    EXPECT_EQ(g->tercero().asString("TERC_CIU"), "PRUEBA NORTE");
    EXPECT_TRUE(g->grabar()) << mensajes().toStdString();
    EXPECT_EQ(filas("select TERC_CIU from TERCEROS where TERC_NIT = '800100201'")[0][0].toString(), "PRUEBA NORTE");
}

TEST_F(Ficha, NitIngresadoAcreedorExistenteDigitoYMarcarTerceroComoProveedor) {
    unTercero("860001", "YA ACREEDOR", true);
    unTercero("830002", "CLIENTE ACTIVO", false);
    unTercero("830003", "CLIENTE INACTIVO", false, "N");

    configurar("PERMITIR LETRAS Y CARACTERES ADICIONALES EN NIT", "NO");
    auto f = ficha();
    f->tercero().setValue("TERC_NIT", "860001");
    EXPECT_EQ(interaccion.de("informacion").last(),
              "Proveedor previamente registrado, use la opción modificar para consultar o modificar los datos.");
    // A new NIT gets its check digit: 12 → 9.
    f->tercero().setValue("TERC_NIT", "12");
    EXPECT_EQ(f->tercero().asString("TERC_DV"), "9");

    // An active third party that is not a creditor is offered, and marking it
    // writes only NIT, group and regime, and closes.
    QSignalSpy cierre(f.get(), &FichaAcreedor::cerrar);
    interaccion.respuestas = {true};
    f->tercero().setValue("TERC_NIT", "830002");
    EXPECT_EQ(interaccion.de("pregunta").last(), "NIT ya registrado, marcar como proveedor?");
    EXPECT_EQ(cierre.count(), 1);
    auto r = filas("select T.TERC_PROV, T.TERC_NOM, P.GRPR_COD, P.PROV_SIMPLIFICADO, P.PROV_CTAPAGAR, P.PROV_VENDEDOR "
                   "from TERCEROS T join PROVEEDORES P on P.TERC_NIT = T.TERC_NIT where T.TERC_NIT = '830002'");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0].toString(), "S");
    EXPECT_EQ(r[0][1].toString(), "CLIENTE ACTIVO");
    EXPECT_EQ(r[0][2].toString(), "01");
    EXPECT_EQ(r[0][3].toString(), "N");
    EXPECT_TRUE(r[0][4].isNull());
    EXPECT_TRUE(r[0][5].isNull());

    // No: nothing is written (the inactive one).
    auto g = ficha();
    interaccion.respuestas = {false};
    g->tercero().setValue("TERC_NIT", "830003");
    EXPECT_TRUE(filas("select 1 from PROVEEDORES where TERC_NIT = '830003'").empty());
}

TEST_F(Ficha, CambioDeGrupoCopiaLasOchoCuentasYCuentasSeValidan) {
    unTercero("860010", "GRUPO UNO", true);
    auto m = ficha(FichaAcreedor::Modo::Modificar, "860010");
    interaccion.respuestas = {false, true, true};
    m->proveedor().setValue("GRPR_COD", "02");
    EXPECT_TRUE(m->proveedor().isNull("PROV_CTAPAGAR"));
    m->proveedor().setValue("GRPR_COD", "01");
    m->proveedor().setValue("GRPR_COD", "02");
    EXPECT_EQ(interaccion.de("pregunta").size(), 3);
    const std::pair<const char*, const char*> esperado[] = {
        {"PROV_CTAPAGAR", "220501"},      {"PROV_CTARTFTE", "236540"},     {"PROV_CTARTIVA", "236701"},
        {"PROV_CTARTICA", "236801"},      {"PROV_CTAPAGNIIF", "2205011"},  {"PROV_CTARFTENIIF", "2365401"},
        {"PROV_CTARIVANIIF", "2367011"}, {"PROV_CTARICANIIF", "2368011"},
    };
    for (const auto& [campo, valor] : esperado) EXPECT_EQ(m->proveedor().asString(campo), valor) << campo;
    ASSERT_TRUE(m->grabar()) << mensajes().toStdString();
    EXPECT_EQ(filas("select PROV_CTARICANIIF from PROVEEDORES where TERC_NIT = '860010'")[0][0].toString(), "2368011");

    // An account typed that is not valid is emptied; a valid one stays; "?"
    // opens the lookup and the chosen account is written.
    cuenta("CUENTAS", "233595");
    auto n = ficha(FichaAcreedor::Modo::Modificar, "860010");
    n->proveedor().setValue("PROV_CTACAUSA", "233595");
    EXPECT_EQ(n->proveedor().asString("PROV_CTACAUSA"), "233595");
    n->proveedor().setValue("PROV_CTARTCREE", "23");
    EXPECT_TRUE(n->proveedor().isNull("PROV_CTARTCREE"));
    interaccion.elecciones.push_back(QVariantMap{{"cuenta", "233595"}});
    n->proveedor().setValue("PROV_CTARTCREE", "?2335");
    EXPECT_EQ(n->proveedor().asString("PROV_CTARTCREE"), "233595");
    n->buscarCuenta("PROV_CTACAUSANIIF", "22");
    EXPECT_TRUE(n->proveedor().isNull("PROV_CTACAUSANIIF")) << "left without choosing";
}

}  // namespace

namespace {

TEST_F(Ficha, SinDerechoCeroNoSeCreaNiSeGraba) {
    unTercero("860030", "SIN DERECHO", true);
    sesion.es_administrador = false;
    FichaAcreedor n(FichaAcreedor::Modo::Nuevo, sesion, interaccion, manejador, configuracion);
    EXPECT_FALSE(n.abrir());
    EXPECT_EQ(interaccion.de("informacion").last(), FichaAcreedor::kAccesoNegado);

    auto m = ficha(FichaAcreedor::Modo::Modificar, "860030");
    EXPECT_FALSE(m->puedeGrabar());
    m->tercero().setValue("TERC_NOM", "CAMBIADO");
    EXPECT_FALSE(m->grabar());
    EXPECT_EQ(filas("select TERC_NOM from TERCEROS where TERC_NIT = '860030'")[0][0].toString(), "SIN DERECHO");

    ejecutar("insert into ACCESO_USUARIO (USER_COD, ACUS_MODULO, ACUS_OPCION, ACUS_SI) values ('ADMIN', 'C. X PAGAR', 0, 'S')");
    auto d = ficha(FichaAcreedor::Modo::Modificar, "860030");
    EXPECT_TRUE(d->puedeGrabar());
}

}  // namespace
