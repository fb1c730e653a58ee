// Copies of a saved creditor to sister companies: a second embedded company
// laid out as <dir>/datos/<code>/quelmar.fdb (the location given with a
// trailing separator) receives the third party and its supplier row
// (inserted, then updated) through the database's procedures; a company that
// does not open is skipped.
#include "creditors/FichaAcreedor.h"
#include "creditors/Replicacion.h"
#include "tests/creditors/Entorno.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace cxp;

namespace {

class Replicas : public prueba::EntornoAcreedores {
protected:
    QTemporaryDir hermana;
    QString rutaHermana;
    QStringList avisos;

    void SetUp() override {
        EntornoAcreedores::SetUp();
        ASSERT_TRUE(QDir().mkpath(hermana.path() + "/datos/002"));
        rutaHermana = hermana.path() + "/datos/002/quelmar.fdb";
        ASSERT_TRUE(QFile::copy(prueba::plantillaCompania(), rutaHermana));
        QFile::setPermissions(rutaHermana, QFile::ReadOwner | QFile::WriteOwner);
        {
            fb::Database h = otra();
            h.executeDirect("insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM) values ('01', 'NACIONALES')");
        }
        ejecutar("insert into REPLICA_COMPRAS (RPCM_COD, RPCM_NOMBRE, RPCM_SERVIDOR) values ('002', 'HERMANA', " +
                 sql::texto(hermana.path() + "/") + ")");
        ejecutar("insert into REPLICA_COMPRAS (RPCM_COD, RPCM_NOMBRE, RPCM_SERVIDOR) values ('009', 'LEJANA', " +
                 sql::texto(hermana.path() + "/no-existe") + ")");
        ejecutar("update CONFIGURACION set CONF_VALOR = 'SYSDBA' where CONF_MODULO = 'INVENTARIO' and "
                 "CONF_CATEGORIA = 'ARTICULOS' and CONF_PROPIEDAD = 'NOMBRE DE USUARIO PARA REPLICACION DE ARTICULOS'");
    }
    fb::Database otra() const {
        fb::ConnectionParams p;
        p.database = rutaHermana;
        p.user = "SYSDBA";
        return fb::Database::attach(p);
    }
    std::unique_ptr<FichaAcreedor> ficha(FichaAcreedor::Modo modo, const QString& nit = {}) {
        auto f = std::make_unique<FichaAcreedor>(modo, sesion, interaccion, manejador, configuracion);
        f->setReplicar([this](const QString& n) {
            ReplicacionAcreedores(sesion, [this](const QString& t) { avisos << t; }).replicar(n);
        });
        EXPECT_TRUE(f->abrir(nit)) << mensajes().toStdString();
        return f;
    }
};

TEST_F(Replicas, CopiaInsertadaLuegoActualizadaYCompaniaInalcanzableSeOmite) {
    auto f = ficha(FichaAcreedor::Modo::Nuevo);
    f->tercero().setValue("TERC_NIT", "900555");
    f->tercero().setValue("TERC_NOM", "D'ACOSTA & CÍA");
    f->proveedor().setValue("PROV_RETEFTE", *Dinero::desdeTexto(u"3.5"));
    f->proveedor().setValue("PROV_DIASPAGO", 30);
    ASSERT_TRUE(f->grabar()) << mensajes().toStdString();
    EXPECT_EQ(avisos, QStringList({"Actualizando información en la compañia 002 ...", ""}));
    EXPECT_TRUE(interaccion.de("error").isEmpty()) << mensajes().toStdString();
    {
        fb::Database h = otra();
        auto r = h.query("select T.TERC_NOM, T.TERC_PROV, P.PROV_RETEFTE, P.PROV_DIASPAGO, P.GRPR_COD, T.TERC_ANIV "
                         "from TERCEROS T join PROVEEDORES P on P.TERC_NIT = T.TERC_NIT where T.TERC_NIT = '900555'");
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0][0].toString(), "D'ACOSTA & CÍA");
        EXPECT_EQ(r[0][1].toString(), "S");
        EXPECT_EQ(r[0][2].toString(), "3.50");
        EXPECT_EQ(r[0][3].toInt64(), 30);
        EXPECT_TRUE(r[0][5].isNull()) << "an empty date travels as null";
    }

    auto m = ficha(FichaAcreedor::Modo::Modificar, "900555");
    m->tercero().setValue("TERC_NOM", "D'ACOSTA S.A.S.");
    m->proveedor().setValue("PROV_RETEFTE", *Dinero::desdeTexto(u"4"));
    ASSERT_TRUE(m->grabar()) << mensajes().toStdString();
    fb::Database h = otra();
    auto r = h.query("select T.TERC_NOM, P.PROV_RETEFTE from TERCEROS T join PROVEEDORES P on P.TERC_NIT = T.TERC_NIT "
                     "where T.TERC_NIT = '900555'");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0].toString(), "D'ACOSTA S.A.S.");
    EXPECT_EQ(r[0][1].toString(), "4.00");
}

}  // namespace
