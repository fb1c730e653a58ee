// The reference tables: a group's accounts checked as typed, rows without
// code dropped on saving, the banks' right, and the city chosen by
// "F5:Selecciona".
#include "creditors/TablaReferencia.h"
#include "tests/creditors/Entorno.h"

#include <QSignalSpy>

using namespace cxp;

namespace {

class Tablas : public prueba::EntornoAcreedores {
protected:
    std::unique_ptr<TablaReferencia> tabla(const QString& pantalla) {
        auto t = std::make_unique<TablaReferencia>(*TablaReferencia::definicion(pantalla), sesion, interaccion, manejador,
                                                   configuracion);
        return t;
    }
};

TEST_F(Tablas, GruposValidanSusCuentasYFilasSinCodigoSeDescartan) {
    for (const char* c : {"2", "22", "2205", "220505"})
        ejecutar(QString("insert into CUENTAS (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA) values ('%1', 'C', 'C')").arg(c));
    auto g = tabla("Tfgruposprov");
    ASSERT_TRUE(g->abrir());
    DataSet& f = g->filas();
    f.append();
    f.setValue("GRPR_COD", "03");
    f.setValue("GRPR_NOM", "EXTERIOR");
    f.setValue("GRPR_CTAPROV", "220505");
    f.setValue("GRPR_CTARTFTE", "2205");  // has sub-accounts: emptied
    EXPECT_TRUE(f.isNull("GRPR_CTARTFTE"));
    interaccion.respuestas = {false};
    f.setValue("GRPR_CTAANTINIIF", "13300501");  // missing NIIF account, not created
    EXPECT_TRUE(f.isNull("GRPR_CTAANTINIIF"));
    f.append();
    f.setValue("GRPR_NOM", "SIN CODIGO");
    ASSERT_TRUE(g->grabar()) << mensajes().toStdString();
    auto r = filas("select GRPR_COD, GRPR_CTAPROV, GRPR_CTARTFTE from GRUPOS_PROVEEDORES order by 1");
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[2][0].toString(), "03");
    EXPECT_EQ(r[2][1].toString(), "220505");
    EXPECT_TRUE(r[2][2].isNull());
}

TEST_F(Tablas, BancosPidenDerecho80YCiudadSeElige) {
    sesion.es_administrador = false;
    auto b = tabla("Tfbancos");
    EXPECT_FALSE(b->abrir());
    EXPECT_EQ(interaccion.de("informacion").last(),
              "Acceso no permitido. comuníquese con el administrador del sistema.");
    ejecutar("insert into ACCESO_USUARIO (USER_COD, ACUS_MODULO, ACUS_OPCION, ACUS_SI) values ('ADMIN', 'BANCOS', 80, 'S')");
    EXPECT_TRUE(b->abrir()) << mensajes().toStdString();

    auto c = tabla("Tfciudades");
    ASSERT_TRUE(c->abrir());
    ASSERT_TRUE(c->filas().locate("CIUD_COD", QString("Z0002")));
    QSignalSpy cierre(c.get(), &TablaReferencia::cerrar);
    c->seleccionar();
    EXPECT_EQ(cierre.count(), 1);
    ASSERT_TRUE(c->eleccion());
    EXPECT_EQ(c->eleccion()->value("nombre").toString(), "VILLA O'HARA");
}

}  // namespace
