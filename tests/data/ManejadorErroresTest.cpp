// The central error handler fed with real Firebird failures: the log line,
// the status bar and the Spanish text the person reads.
#include "data/Ayudas.h"
#include "data/BarraEstado.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/DatosDelUsuario.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"
#include "tests/base/Imprimir.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using cxp::DataSet;
using cxp::ManejadorErrores;
using Estado = cxp::BarraEstado::Estado;

namespace {

// The DbError that f throws.
fb::DbError falla(const std::function<void()>& f) {
    try {
        f();
    } catch (const fb::DbError& e) {
        return e;
    }
    ADD_FAILURE() << "no falló";
    return fb::DbError(fb::ErrorKind::Other, {});
}

fb::ConnectionParams conexion(const QString& ruta, const QString& clave = {}) {
    fb::ConnectionParams p;
    p.database = ruta;
    p.user = QStringLiteral("SYSDBA");
    p.password = clave;
    return p;
}

QStringList lineasDe(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class Manejador : public ::testing::Test {
protected:
    void SetUp() override {
        db = base.conectar();
        for (const char* sql : {
                 "create table ACREEDORES (ACRE_NIT varchar(20) not null primary key,"
                 " ACRE_NOMBRE varchar(60) not null, ACRE_CIUDAD varchar(20), ACRE_CORREO varchar(60))",
                 "create unique index ACREEDORES_NOMBRE on ACREEDORES (ACRE_NOMBRE)",
                 "create table DOCUMENTOS (DOCU_ID integer not null primary key,"
                 " ACRE_NIT varchar(20) references ACREEDORES, PREF_PRE varchar(4) not null,"
                 " DOCU_NUMERO varchar(8) not null, unique (PREF_PRE, DOCU_NUMERO))",
                 "insert into ACREEDORES values ('900', 'Acme', null, null)",
                 "insert into DOCUMENTOS values (1, '900', 'A', '000001')",
                 "insert into NOMBRES_CAMPOS values ('ACRE_NIT', 'NIT')",
                 "insert into NOMBRES_CAMPOS values ('ACRE_NOMBRE', 'Nombre')",
                 "insert into NOMBRES_CAMPOS values ('DOCU_NUMERO', 'Número')",
                 "insert into NOMBRES_CAMPOS values ('DOCU_ID', 'Documento')",
             })
            db.executeDirect(QString::fromUtf8(sql));
        sesion.usuario_actual = QStringLiteral("AUXILIAR");
        sesion.directorio = dir.path();
    }
    QString log() const { return dir.filePath("ERRORES.TXT"); }

    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db;
    QTemporaryDir dir;
    cxp::Sesion sesion;
    prueba::InteraccionGrabada inter;
    cxp::BarraEstado barra;
    cxp::NombresCampos nombres{db};
    ManejadorErrores manejador{inter, sesion, &barra, [this](const QString& c) { return nombres.nombre_campo(c); }};
};

TEST(LineaLog, FechaHoraUsuarioYMensajeEnUnaLinea) {
    const QDateTime cuando(QDate(2026, 3, 5), QTime(7, 8, 9));
    EXPECT_EQ(ManejadorErrores::lineaLog(cuando, "AUXILIAR", "violation of FOREIGN KEY\n-Problematic key"),
              "2026/03/05,07:08:09,AUXILIAR,violation of FOREIGN KEY -Problematic key");
    EXPECT_EQ(ManejadorErrores::lineaLog(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 0)), "", "a\r\nb"),
              "2026/12/31,23:59:00,,a b");
}

TEST_F(Manejador, ElRegistroSeCreaYLuegoSeAmplia) {
    const fb::DbError e = falla([&] { db.executeDirect("select from"); });
    manejador.ENoManejada(e);
    ASSERT_EQ(lineasDe(log()).size(), 1);
    manejador.ENoManejada(std::runtime_error("segundo"));
    const QStringList lineas = lineasDe(log());
    ASSERT_EQ(lineas.size(), 2);
    const QRegularExpression forma(QStringLiteral("^\\d{4}/\\d{2}/\\d{2},\\d{2}:\\d{2}:\\d{2},AUXILIAR,(.*)$"));
    const auto m1 = forma.match(lineas[0]);
    ASSERT_TRUE(m1.hasMatch()) << lineas[0].toStdString();
    EXPECT_EQ(m1.captured(1), QString(e.text()).replace('\n', ' '));
    EXPECT_TRUE(lineas[0].startsWith(QDate::currentDate().toString("yyyy/MM/dd")));
    EXPECT_EQ(forma.match(lineas[1]).captured(1), "segundo");
    EXPECT_EQ(manejador.archivoLog(), log());

    // Somebody else's lines stay.
    QFile f(log());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("2020/01/01,10:00:00,ADMIN,viejo\n");
    f.close();
    manejador.ENoManejada(std::runtime_error("nuevo"));
    EXPECT_EQ(lineasDe(log()).size(), 2);
    EXPECT_EQ(lineasDe(log())[0], "2020/01/01,10:00:00,ADMIN,viejo");
}

// Before the installation directory is known the user's own copy is the
// log; a log that cannot be written (a read-only installation) goes there
// too, and the person is told where once.
TEST_F(Manejador, RegistroQueNoSePuedeEscribirVaALaCopiaDelUsuario) {
    prueba::DatosDelUsuario usuario;
    sesion.directorio.clear();
    manejador.ENoManejada(std::runtime_error("x"));
    EXPECT_EQ(inter.de("error"), QStringList{"Se presento el siguiente error: x"});
    const QString fijo = dir.filePath("no/existe/ERRORES.TXT");  // cannot be written
    manejador.setArchivoLog(fijo);
    manejador.ENoManejada(std::runtime_error("y"));
    manejador.ENoManejada(std::runtime_error("z"));
    EXPECT_EQ(inter.de("error").size(), 3);
    EXPECT_EQ(inter.de("advertencia"), QStringList{ManejadorErrores::kRegistroDesviado.arg(fijo, usuario.log())});
    const QStringList lineas = lineasDe(usuario.log());
    ASSERT_EQ(lineas.size(), 3);
    EXPECT_TRUE(lineas[2].endsWith(",AUXILIAR,z"));
    EXPECT_FALSE(QFile::exists(log()));
}

TEST_F(Manejador, ErroresDeConexion) {
    const QString ruta = dir.filePath("datos/001/quelmar.fdb");
    EXPECT_EQ(manejador.ENoManejada(falla([&] { fb::Database::attach(conexion(ruta)); })),
              "No se encontró el archivo o la ruta " + ruta);
    EXPECT_EQ(manejador.ENoManejada(falla([&] { fb::Database::attach(conexion("127.0.0.1/1:/datos/general.fdb", "x")); })),
              "No se encontró el equipo servidor con nombre 127.0.0.1");
    EXPECT_EQ(inter.de("error"), QStringList({"No se encontró el archivo o la ruta " + ruta,
                                              "No se encontró el equipo servidor con nombre 127.0.0.1"}));
    EXPECT_EQ(inter.pitidos, 2);
    EXPECT_TRUE(manejador.huboError());
    // The raw message, in the bar and in the log.
    EXPECT_TRUE(barra.texto().startsWith("Unable to complete network request to host \"127.0.0.1\"")) << barra.texto().toStdString();
    EXPECT_TRUE(lineasDe(log())[0].contains(ruta));
}

TEST_F(Manejador, LoDemasSeMuestraTalCual) {
    const fb::DbError sintaxis = falla([&] { db.executeDirect("select from"); });
    EXPECT_EQ(manejador.ENoManejada(sintaxis), "Se presento el siguiente error: " + sintaxis.text());
    // A key violation no screen handled is not translated.
    const fb::DbError clave = falla([&] { db.executeDirect("insert into ACREEDORES values ('900', 'Otro', null, null)"); });
    EXPECT_EQ(manejador.ENoManejada(clave), "Se presento el siguiente error: " + clave.text());
    cxp::Configuracion conf(inter);
    try {
        conf.asignar("GENERAL", "GENERAL", "DURACION DE LAS BUSQUEDAS", "");
        conf.entero("GENERAL", "GENERAL", "DURACION DE LAS BUSQUEDAS");
    } catch (const std::exception& e) {
        EXPECT_EQ(manejador.ENoManejada(e),
                  "Se presento el siguiente error: El valor \"\" de la configuración DURACION DE LAS BUSQUEDAS no es un "
                  "número entero.");
    }
    manejador.limpiarError();
    EXPECT_FALSE(manejador.huboError());
}

TEST_F(Manejador, LasReglasDeLaBaseSeExplicanConSuTexto) {
    // An account whose parent is missing: the trigger's own Spanish text,
    // accents intact; the log keeps Firebird's whole message.
    const fb::DbError sinPadre = falla([&] {
        db.executeDirect("insert into cuentas (cuen_cod, cuen_nom, cuen_naturaleza) values ('12050501', 'X', 'D')");
    });
    const QString texto = sinPadre.exceptionMessage();
    EXPECT_TRUE(texto.startsWith("La cuenta superior")) << texto.toStdString();
    EXPECT_FALSE(texto.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(manejador.ENoManejada(sinPadre), texto);
    EXPECT_EQ(manejador.ManejarError(sinPadre, "QCuentas"), texto);
    EXPECT_TRUE(lineasDe(log()).last().contains("CUENTAS_BIU"));
    EXPECT_EQ(falla([&] { db.executeDirect("select from"); }).exceptionMessage(), "");
}

TEST_F(Manejador, ErroresDelProveedorNombranLaTabla) {
    // A save of the creditor screen: its dataset is QProveedores.
    auto grabar = [&](const char* nit, const char* nombre) {
        DataSet ds;
        ds.openEmpty(db, "select * from ACREEDORES where 1=0");
        ds.setUpdateTable("ACREEDORES", {"ACRE_NIT"});
        ds.append();
        ds.setValue("ACRE_NIT", QString::fromUtf8(nit));
        ds.setValue("ACRE_NOMBRE", QString::fromUtf8(nombre));
        ds.post();
        return falla([&] { ds.applyUpdates(db); });
    };
    EXPECT_EQ(manejador.ManejarError(grabar("900", "Otra"), "QProveedores"), "Ya existe el registro en la tabla Proveedores");
    // A unique index is a key as much as the primary key.
    EXPECT_EQ(manejador.ManejarError(grabar("901", "Acme"), "QProveedores"), "Ya existe el registro en la tabla Proveedores");

    const fb::DbError sinProveedor = falla([&] { db.executeDirect("insert into DOCUMENTOS values (2, '999', 'A', '000002')"); });
    EXPECT_EQ(manejador.ManejarError(sinProveedor, "QDocumentos"),
              "Está borrando o insertando un registro en la tabla Documentos que tiene una relación con otra tabla.");
    const fb::DbError conDocumentos = falla([&] { db.executeDirect("delete from ACREEDORES where ACRE_NIT = '900'"); });
    EXPECT_EQ(manejador.ManejarError(conDocumentos, "QProveedores"),
              "Está borrando o insertando un registro en la tabla Proveedores que tiene una relación con otra tabla.");

    const fb::DbError nulo = falla([&] { db.executeDirect("insert into ACREEDORES (ACRE_NIT) values ('902')"); });
    EXPECT_EQ(manejador.ManejarError(nulo, "QProveedores"), nulo.text());
    EXPECT_EQ(inter.pitidos, 5);
    EXPECT_EQ(inter.de("error").size(), 5);
    EXPECT_NE(barra.estado(), Estado::Advertencia);  // no dataset, no warning
    EXPECT_EQ(lineasDe(log()).size(), 5);
}

TEST_F(Manejador, CamposObligatoriosDelDatasetCliente) {
    DataSet ds;
    ds.openEmpty(db, "select * from ACREEDORES where 1=0");
    ds.setUpdateTable("ACREEDORES", {"ACRE_NIT"});
    ds.append();
    ds.setValue("ACRE_NIT", QStringLiteral("   "));  // blanks count as empty
    ds.setValue("ACRE_CIUDAD", QStringLiteral("Cali"));
    try {
        ds.post();
        FAIL() << "faltan campos";
    } catch (const cxp::DataSetError& e) {
        EXPECT_EQ(manejador.ManejarClientError(ds, "CDSProveedores", e), "Los campos , NIT, Nombre son obligatorios.");
        EXPECT_EQ(barra.estado(), Estado::Advertencia);
        EXPECT_EQ(barra.texto(), "Advertencia: " + e.message() + ": CDSProveedores");
    }
    EXPECT_EQ(inter.de("error"), QStringList{"Los campos , NIT, Nombre son obligatorios."});
    // The row waits to be corrected.
    EXPECT_EQ(ds.state(), DataSet::State::Insert);
    ds.setValue("ACRE_NIT", QStringLiteral("903"));
    try {
        ds.post();
    } catch (const cxp::DataSetError& e) {
        EXPECT_EQ(manejador.ManejarClientError(ds, "CDSProveedores", e), "Los campos , Nombre son obligatorios.");
    }
    // Other refusals of the dataset read as they are.
    try {
        ds.setValue("ACRE_CIUDAD", QStringLiteral("Santiago de Cali, Valle del Cauca"));
    } catch (const cxp::DataSetError& e) {
        EXPECT_EQ(manejador.ManejarClientError(ds, "CDSProveedores", e), e.message());
    }
    EXPECT_EQ(inter.de("error").size(), 3);
}

TEST_F(Manejador, ClavesYDetallesDelDatasetCliente) {
    DataSet docs;
    docs.openEmpty(db, "select * from DOCUMENTOS where 1=0");
    docs.setUpdateTable("DOCUMENTOS", {"DOCU_ID"});
    auto nuevo = [&](int id, const char* numero, const char* nit = "900") {
        docs.append();
        docs.setValue("DOCU_ID", id);
        docs.setValue("ACRE_NIT", QString::fromLatin1(nit));
        docs.setValue("PREF_PRE", QStringLiteral("A"));
        docs.setValue("DOCU_NUMERO", QString::fromLatin1(numero));
        docs.post();
        const fb::DbError e = falla([&] { docs.applyUpdates(db); });
        docs.clear();
        return e;
    };
    // The columns of the key that was violated, by their display names.
    EXPECT_EQ(manejador.ManejarClientError(docs, "CDSDocumentos", nuevo(2, "000001")),
              "Ya existe un registro con el mismo Prefijo Número");
    EXPECT_EQ(manejador.ManejarClientError(docs, "CDSDocumentos", nuevo(1, "000002")),
              "Ya existe un registro con el mismo Documento");
    // A reference to nothing is not about details.
    const fb::DbError referencia = nuevo(3, "000003", "999");
    EXPECT_EQ(manejador.ManejarClientError(docs, "CDSDocumentos", referencia), referencia.text());

    // Deleting a creditor that still has documents.
    DataSet prov;
    prov.open(db, "select * from ACREEDORES where ACRE_NIT = '900'");
    prov.setUpdateTable("ACREEDORES", {"ACRE_NIT"});
    prov.remove();
    EXPECT_EQ(manejador.ManejarClientError(prov, "CDSProveedores", falla([&] { prov.applyUpdates(db); })),
              "Error. Borre antes los detalles dependientes del registro.");
    EXPECT_TRUE(barra.texto().endsWith(": CDSProveedores"));
    EXPECT_EQ(inter.pitidos, 4);
}

TEST_F(Manejador, ClaveSinColumnasDeFirebirdUsaLasDelDataset) {
    DataSet docs;
    docs.openEmpty(db, "select * from DOCUMENTOS where 1=0");
    docs.setUpdateTable("DOCUMENTOS", {"PREF_PRE", "DOCU_NUMERO"});
    const fb::DbError e(fb::ErrorKind::Unique, "attempt to store duplicate value", {335544349});
    EXPECT_EQ(manejador.ManejarClientError(docs, "CDSDocumentos", e), "Ya existe un registro con el mismo Prefijo Número");
}

TEST_F(Manejador, ProtegerNoDejaPasarNingunaExcepcion) {
    bool corrio = false;
    EXPECT_TRUE(manejador.proteger([&] { corrio = true; }));
    EXPECT_TRUE(corrio);
    EXPECT_FALSE(manejador.huboError());

    EXPECT_FALSE(manejador.proteger([&] { db.executeDirect("insert into ACREEDORES values ('900', 'x', null, null)"); }));
    EXPECT_TRUE(inter.de("error").last().startsWith("Se presento el siguiente error: violation of PRIMARY or UNIQUE KEY"));
    EXPECT_FALSE(manejador.proteger([] { throw cxp::DataSetError("El campo «NIT» debe tener un valor.", "ACRE_NIT"); }));
    EXPECT_EQ(inter.de("error").last(), "Se presento el siguiente error: El campo «NIT» debe tener un valor.");
    EXPECT_FALSE(manejador.proteger([] { throw std::out_of_range("fuera de rango"); }));
    EXPECT_EQ(inter.de("error").last(), "Se presento el siguiente error: fuera de rango");
    EXPECT_FALSE(manejador.proteger([] { throw 42; }));
    EXPECT_EQ(inter.de("error").last(), "Se presento el siguiente error: Error desconocido");
    EXPECT_TRUE(manejador.huboError());
    EXPECT_EQ(lineasDe(log()).size(), 4);
}

TEST_F(Manejador, UnNombreDeCampoQueFallaNoDetieneAlManejador) {
    ManejadorErrores otro(inter, sesion, nullptr, [](const QString&) -> QString { throw std::runtime_error("sin tabla"); });
    DataSet ds;
    ds.openEmpty(db, "select * from ACREEDORES where 1=0");
    ds.append();
    try {
        ds.post();
    } catch (const cxp::DataSetError& e) {
        EXPECT_EQ(otro.ManejarClientError(ds, "CDSProveedores", e), "Los campos , ACRE_NIT, ACRE_NOMBRE son obligatorios.");
    }
}

}  // namespace
