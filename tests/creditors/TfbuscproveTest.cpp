// The creditor search's logic: the search rules (the text always a quoted
// literal), inactive creditors, the rights of new and delete, a deletion
// the database refuses, the picker's choice and the consults it opens.
#include "creditors/Tfbuscprove.h"
#include "creditors/Tfprovarticulos.h"
#include "tests/creditors/Entorno.h"

#include <QSignalSpy>

using namespace cxp;

namespace {

class Busqueda : public prueba::EntornoAcreedores {
protected:
    void SetUp() override {
        EntornoAcreedores::SetUp();
        unTercero("800001", "ALFA", true);
        unTercero("800002", "MARTE", true);
        unTercero("800003", "ZETA O'HARA", true);
        unTercero("800004", "NORTE INACTIVO", true, "N");
        unTercero("800005", "CLIENTE SOLO", false);
        ejecutar("update PROVEEDORES set PROV_COD = 'X100' where TERC_NIT = '800001'");
        ejecutar("update PROVEEDORES set PROV_COD = 'A007' where TERC_NIT = '800003'");
    }
    QStringList nombres(Tfbuscprove& b) {
        QStringList r;
        for (int i = 0; i < b.lista().recordCount(); ++i) r << b.lista().row(i).asString("TERC_NOM");
        return r;
    }
};

TEST_F(Busqueda, ReglasDeBusquedaConComillasYTextoQueNoEsSql) {
    Tfbuscprove b(true, sesion, interaccion, manejador);
    ASSERT_TRUE(b.abrir());
    EXPECT_EQ(nombres(b), QStringList({"ALFA", "MARTE", "ZETA O'HARA"}));

    // Unticked: from "M" onwards in name order, not only names that begin with it.
    b.columna = 1;
    b.texto = "M";
    ASSERT_TRUE(b.buscar());
    EXPECT_EQ(nombres(b), QStringList({"MARTE", "ZETA O'HARA"}));

    // Anywhere: code containing "00".
    b.columna = 2;
    b.texto = "00";
    b.cualquierPosicion = true;
    ASSERT_TRUE(b.buscar());
    EXPECT_EQ(nombres(b), QStringList({"MARTE", "ZETA O'HARA", "ALFA"}));  // codes 800002, A007, X100

    // A quote and SQL are only text to look for.
    b.columna = 1;
    b.texto = "O'HARA";
    ASSERT_TRUE(b.buscar()) << mensajes().toStdString();
    EXPECT_EQ(nombres(b), QStringList({"ZETA O'HARA"}));
    b.texto = "' or 1=1 --";
    ASSERT_TRUE(b.buscar()) << mensajes().toStdString();
    EXPECT_TRUE(nombres(b).isEmpty());

    // Inactive creditors only when asked for.
    b.cualquierPosicion = false;
    b.texto = "N";
    ASSERT_TRUE(b.buscar());
    EXPECT_EQ(nombres(b), QStringList({"ZETA O'HARA"}));
    b.verInactivos = true;
    ASSERT_TRUE(b.buscar());
    EXPECT_EQ(nombres(b), QStringList({"NORTE INACTIVO", "ZETA O'HARA"}));
}

TEST_F(Busqueda, EliminarPideDerechoYUnRechazoDeLaBaseDejaLaLista) {
    // A document that refers to the third party makes the database refuse.
    ejecutar("create table PRUEBA_REF (NIT varchar(20) references TERCEROS (TERC_NIT))");
    ejecutar("insert into PRUEBA_REF values ('800002')");

    Tfbuscprove b(true, sesion, interaccion, manejador);
    ASSERT_TRUE(b.abrir());
    ASSERT_TRUE(b.lista().locate("TERC_NIT", QString("800002")));
    interaccion.respuestas = {true};
    b.eliminar();
    EXPECT_EQ(interaccion.de("pregunta").last(), "Desea borrar definitivamente el tercero con NIT 800002 ?");
    EXPECT_EQ(interaccion.de("error").size(), 1) << mensajes().toStdString();
    EXPECT_EQ(nombres(b), QStringList({"ALFA", "MARTE", "ZETA O'HARA"}));
    EXPECT_EQ(b.nitActual(), "800002");
    EXPECT_EQ(filas("select count(*) from TERCEROS where TERC_NIT = '800002'")[0][0].toInt64(), 1);

    // Allowed: gone with its supplier row, the list refreshed.
    ASSERT_TRUE(b.lista().locate("TERC_NIT", QString("800001")));
    interaccion.respuestas = {true};
    b.eliminar();
    EXPECT_EQ(nombres(b), QStringList({"MARTE", "ZETA O'HARA"}));
    EXPECT_TRUE(filas("select 1 from PROVEEDORES where TERC_NIT = '800001'").empty());

    // Without right 2 (nor 0): refused, and the search closes.
    sesion.usuario_actual = "PEPE";
    sesion.es_administrador = false;
    QSignalSpy cierre(&b, &Tfbuscprove::cerrar);
    b.eliminar();
    EXPECT_EQ(cierre.count(), 1);
    EXPECT_EQ(interaccion.de("informacion").last(),
              "Acceso no permitido. comuníquese con el administrador del sistema.");
    b.nuevo();
    EXPECT_FALSE(interaccion.pantallas.contains("Tfnvotercero"));
}

TEST_F(Busqueda, EleccionConsultasYArticulos) {
    Tfbuscprove picker(false, sesion, interaccion, manejador);
    ASSERT_TRUE(picker.abrir());
    picker.lista().locate("TERC_NIT", QString("800003"));
    picker.aceptar();
    ASSERT_TRUE(picker.eleccion());
    EXPECT_EQ(picker.eleccion()->value("nit").toString(), "800003");
    EXPECT_EQ(picker.eleccion()->value("nombre").toString(), "ZETA O'HARA");
    picker.salir();
    EXPECT_FALSE(picker.eleccion()) << "Esc returns nothing";

    Tfbuscprove gestion(true, sesion, interaccion, manejador);
    ASSERT_TRUE(gestion.abrir());
    gestion.lista().locate("TERC_NIT", QString("800002"));
    gestion.aceptar();
    gestion.cartera();
    gestion.movimiento();
    gestion.articulos();
    gestion.nuevo();
    EXPECT_EQ(interaccion.pantallas,
              QStringList({"Tfmodtercero", "Tfconscxpagar", "Tfmovimientos", "Tfprovarticulos", "Tfnvotercero"}));
    EXPECT_EQ(interaccion.argumentosPantallas[2].value("nombre").toString(), "MARTE");
    EXPECT_EQ(interaccion.argumentosPantallas[0].value("nit").toString(), "800002");

    // Coming back: a creditor created meanwhile is listed, the cursor stays.
    unTercero("800006", "BETA", true);
    gestion.activar();
    EXPECT_EQ(nombres(gestion), QStringList({"ALFA", "BETA", "MARTE", "ZETA O'HARA"}));
    EXPECT_EQ(gestion.nitActual(), "800002");

    ejecutar("insert into PROVEEDOR_ARTICULO (TERC_NIT, ARTI_COD, PVAR_DES, PVAR_COSTO) values ('800002', 'A1', 'TORNILLO', 12.50)");
    Tfprovarticulos a(sesion, manejador, "800002");
    ASSERT_TRUE(a.abrir());
    ASSERT_EQ(a.articulos().recordCount(), 1);
    EXPECT_EQ(a.articulos().asDinero("PVAR_COSTO"), *Dinero::desdeTexto(u"12.5"));
}

}  // namespace
