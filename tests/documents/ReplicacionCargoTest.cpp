// Copies of a saved charge (and a discount) in a sister company laid out as
// <dir>/datos/<code>/quelmar.fdb: a sister that does not open leaves the
// charge saved, a pending row and the path in the message; the retry sends
// it once the sister is back (once) and clears the row; a company of
// another prefix gets nothing; the copy carries every header column.
#include "documents/charges/ReplicacionAjustes.h"
#include "documents/charges/Tfnotasdebito.h"
#include "tests/creditors/Entorno.h"
#include "tests/support/Plantillas.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace cxp;

namespace {

class ReplicaCargo : public prueba::EntornoAcreedores {
protected:
    QTemporaryDir hermana;
    QString rutaHermana;

    void SetUp() override {
        EntornoAcreedores::SetUp();
        unTercero("900456789", "SUMINISTROS ANDINOS S.A.S.", true);
        rutaHermana = hermana.path() + "/datos/002/quelmar.fdb";
        ejecutar("insert into REPLICA_COMPRAS (RPCM_COD, RPCM_PREF, RPCM_NOMBRE, RPCM_SERVIDOR, RPCM_PREDDES) values "
                 "('002', '0000', 'HERMANA', " + sql::texto(hermana.path() + "//") + ", 'REP')");
        ejecutar("insert into REPLICA_COMPRAS (RPCM_COD, RPCM_PREF, RPCM_NOMBRE, RPCM_SERVIDOR, RPCM_PREDDES) values "
                 "('003', 'OTRO', 'LEJANA', " + sql::texto(hermana.path() + "/no-existe") + ", 'REP')");
        ejecutar("update CONFIGURACION set CONF_VALOR = 'SYSDBA' where CONF_MODULO = 'INVENTARIO' and "
                 "CONF_CATEGORIA = 'ARTICULOS' and CONF_PROPIEDAD = 'NOMBRE DE USUARIO PARA REPLICACION DE ARTICULOS'");
    }
    // The sister comes up: an empty company with the creditors' groups and
    // the replica prefix.
    void levantarHermana() {
        ASSERT_TRUE(QDir().mkpath(hermana.path() + "/datos/002"));
        ASSERT_TRUE(QFile::copy(prueba::plantillaCompania(), rutaHermana));
        QFile::setPermissions(rutaHermana, QFile::ReadOwner | QFile::WriteOwner);
        fb::Database h = otra();
        h.executeDirect("insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM) values ('01', 'NACIONALES')");
        h.executeDirect("insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM) values ('02', 'SERVICIOS')");
        h.executeDirect("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (51, 'REP', '000001')");
        h.executeDirect("insert into PREFIJOS (TIDO_COD, PREF_PRE, PREF_ACTUAL) values (52, 'REP', '000001')");
    }
    fb::Database otra() const {
        fb::ConnectionParams p;
        p.database = rutaHermana;
        p.user = "SYSDBA";
        return fb::Database::attach(p);
    }
    int64_t grabarCargo() {
        ServiciosCargo s;
        s.abreInterfaz = [](int, const QString&, bool preguntar) { return preguntar ? 7 : 0; };
        Tfnotasdebito p(sesion, interaccion, manejador, configuracion, s);
        EXPECT_TRUE(p.abrir()) << mensajes().toStdString();
        p.cargo().setValue("TERC_NIT", "900456789");
        p.cargo().setValue("NDPR_CONC", "FLETE D'ORIENTE");
        p.cargo().setValue("NDPR_OBS", "observación");
        p.cargo().setValue("NDPR_IVAPORC", *Dinero::desdeTexto(u"19"));
        p.setSubTotal(*Dinero::desdeTexto(u"2000000.50"));
        EXPECT_TRUE(p.grabar()) << mensajes().toStdString();
        return p.ultimoId();
    }
};

TEST_F(ReplicaCargo, PendienteSinHermanaLuegoEnviadoUnaVezConTodaLaCabecera) {
    const int64_t id = grabarCargo();
    ASSERT_GT(id, 0);
    const QString ruta = ReplicacionAjustes::ruta(hermana.path() + "//", "002");
    EXPECT_EQ(ruta, hermana.path() + "/datos/002/quelmar.fdb");
    EXPECT_EQ(interaccion.de("advertencia"), QStringList{"No se pudo entablar la conexión con " + ruta});
    // Only the company of the charge's prefix is pending.
    auto pendientes = filas("select RPAE_ID, RPAE_CIA, RPAE_TIPO, ARTI_COD, RPAE_SERVIDOR from REPLICA_ARTICULO_ESTADO");
    ASSERT_EQ(pendientes.size(), 1u);
    EXPECT_EQ(pendientes[0][0].toInt64(), id);
    EXPECT_EQ(pendientes[0][1].toString(), "002");
    EXPECT_EQ(pendientes[0][2].toString(), "N");
    EXPECT_EQ(pendientes[0][3].toString(), "0000000001");
    EXPECT_EQ(pendientes[0][4].toString(), ruta.left(60));

    fb::Database db = compania.conectar();
    // A discount goes the same way, its pending row marked "n".
    ejecutar("insert into NOTAS_CREDITO_PROVEEDOR (NCPR_ID, TERC_NIT, PREF_PRE, NCPR_NUMERO, NCPR_FECHA, NCPR_MONTO, "
             "NCPR_CONC) values (77, '900456789', '0000', '000007', current_date, 700, 'DEVOLUCION')");
    ASSERT_EQ(ReplicacionAjustes(db).replicar(52, 77).size(), 1u);
    EXPECT_EQ(filas("select RPAE_TIPO from REPLICA_ARTICULO_ESTADO where RPAE_ID = 77")[0][0].toString(), "n");
    auto r = ReplicacionAjustes(db).reintentar();
    EXPECT_EQ(r.enviados, 0);
    EXPECT_EQ(r.pendientes, 2) << "still out of reach";

    levantarHermana();
    for (int vez = 0; vez < 2; ++vez) {
        r = ReplicacionAjustes(db).reintentar();
        EXPECT_EQ(r.enviados, vez == 0 ? 2 : 0) << r.mensajes.join('\n').toStdString();
        EXPECT_EQ(r.pendientes, 0);
        // The consult's button on a document already there copies nothing.
        ReplicacionAjustes(db).replicar(51, id);
    }
    EXPECT_TRUE(filas("select * from REPLICA_ARTICULO_ESTADO").empty());

    fb::Database h = otra();
    const auto copias = h.query("select * from NOTAS_DEBITO_PROVEEDOR");
    ASSERT_EQ(copias.size(), 1u);
    const auto origen = filas("select * from NOTAS_DEBITO_PROVEEDOR where NDPR_ID = " + QString::number(id));
    ASSERT_EQ(origen.size(), 1u);
    const fb::Row& c = copias[0];
    EXPECT_EQ(c["PREF_PRE"].toString(), "REP");
    EXPECT_EQ(c["NDPR_NUMERO"].toString(), "000001");
    for (const fb::Column& col : origen[0].columns()) {
        if (col.name == "NDPR_ID" || col.name == "PREF_PRE") continue;
        const fb::Value& o = origen[0][col.name];
        if (o.isNull())  // an empty number travels as 0
            EXPECT_TRUE(c[col.name].isNull() || c[col.name].toDouble() == 0) << col.name.toStdString();
        else
            EXPECT_EQ(c[col.name].toString(), o.toString()) << col.name.toStdString();
    }
    EXPECT_EQ(h.query("select NCPR_CONC from NOTAS_CREDITO_PROVEEDOR where PREF_PRE = 'REP' and NCPR_NUMERO = '000007'")
                  .size(),
              1u);
    EXPECT_EQ(h.query("select 1 from PROVEEDORES where TERC_NIT = '900456789'").size(), 1u) << "the creditor goes first";
}

}  // namespace
