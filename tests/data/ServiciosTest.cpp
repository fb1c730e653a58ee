// Configuration lookups, user rights, the document date check, column
// display names and the printer map.
#include "data/Ayudas.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Derechos.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"
#include "tests/base/Imprimir.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using cxp::Configuracion;

namespace {

const QString G = QStringLiteral("GENERAL");

class ConCompania : public ::testing::Test {
protected:
    void SetUp() override { db = base.conectar(); }
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db;
    prueba::InteraccionGrabada inter;
};

// ---- configuracion

using Configuracion_ = ConCompania;

TEST_F(Configuracion_, BuscaLaClaveExactaEnLaCopiaEnMemoria) {
    Configuracion conf(inter);
    conf.cargar(db);
    EXPECT_GT(conf.cantidad(), 40);
    EXPECT_EQ(conf.valor(G, G, "DURACION DE LAS ADVERTENCIAS"), "5");
    EXPECT_EQ(conf.valor("CONTABILIDAD", G, "FECHA DE BLOQUEO"), "");  // present and empty: no message
    EXPECT_TRUE(inter.mensajes.isEmpty());

    // Another case is another key.
    EXPECT_EQ(conf.valor("general", G, "DURACION DE LAS ADVERTENCIAS"), "");
    EXPECT_EQ(conf.valor(G, G, "Duracion de las advertencias"), "");
    EXPECT_EQ(conf.valor(G, G, "DURACION DE LAS ADVERTENCIAS "), "");
    EXPECT_EQ(inter.mensajes, QStringList({"error: No se encontró la configuración DURACION DE LAS ADVERTENCIAS",
                                           "error: No se encontró la configuración Duracion de las advertencias",
                                           "error: No se encontró la configuración DURACION DE LAS ADVERTENCIAS "}));
    EXPECT_FALSE(conf.buscar(G, "general", "DURACION DE LAS ADVERTENCIAS"));
    EXPECT_EQ(inter.mensajes.size(), 3);
}

TEST_F(Configuracion_, LosCambiosDeLaTablaSeVenAlRecargar) {
    Configuracion conf(inter);
    conf.cargar(db);
    db.executeDirect("update CONFIGURACION set CONF_VALOR = '9' where CONF_PROPIEDAD = 'DURACION DE LAS ADVERTENCIAS'");
    db.executeDirect("insert into CONFIGURACION values ('CXPAGAR', 'NUEVA', 'CON COMILLA '' Y Ñ', null)");
    EXPECT_EQ(conf.valor(G, G, "DURACION DE LAS ADVERTENCIAS"), "5");
    conf.cargar(db);
    EXPECT_EQ(conf.valor(G, G, "DURACION DE LAS ADVERTENCIAS"), "9");
    EXPECT_EQ(conf.buscar("CXPAGAR", "NUEVA", "CON COMILLA ' Y Ñ"), QString());
    // A load that fails keeps the copy it had.
    db.detach();
    EXPECT_THROW(conf.cargar(db), fb::DbError);
    EXPECT_EQ(conf.valor(G, G, "DURACION DE LAS ADVERTENCIAS"), "9");
}

TEST_F(Configuracion_, ValoresEnteros) {
    Configuracion conf(inter);
    conf.cargar(db);
    EXPECT_EQ(conf.entero(G, G, "MAXIMO NUMERO DE DIAS PARA DOCUMENTOS FUTUROS"), 30);
    conf.asignar(G, G, "MAXIMO NUMERO DE DIAS PARA DOCUMENTOS FUTUROS", " 45 ");
    EXPECT_EQ(conf.entero(G, G, "MAXIMO NUMERO DE DIAS PARA DOCUMENTOS FUTUROS"), 45);
    try {
        conf.entero(G, G, "NOMBRE COMPANIA");  // seeded empty
        ADD_FAILURE() << "un texto vacío no es un número";
    } catch (const std::invalid_argument& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("NOMBRE COMPANIA")) << e.what();
    }
    EXPECT_THROW(conf.entero(G, G, "NO EXISTE"), std::invalid_argument);
    EXPECT_EQ(inter.mensajes, QStringList{"error: No se encontró la configuración NO EXISTE"});
}

// ---- rights

class Derechos : public ConCompania {
protected:
    void SetUp() override {
        ConCompania::SetUp();
        for (const char* fila : {"('AUXILIAR', 'C. X PAGAR', 110, 'S')", "('AUXILIAR', 'C. X PAGAR', 111, 'N')",
                                 "('AUXILIAR', 'CONTABILIDAD', 31, 'S')", "('O''NEIL', 'C. X PAGAR', 110, 'S')"})
            db.executeDirect(QStringLiteral("insert into ACCESO_USUARIO values ") + QString::fromLatin1(fila));
        sesion.usuario_actual = QStringLiteral("AUXILIAR");
        sesion.compania = base.conectar();
    }
    cxp::Sesion sesion;
};

TEST_F(Derechos, SoloUnaFilaConSiConcedeElDerecho) {
    EXPECT_TRUE(cxp::valide_acceso(sesion, 110));  // module of the session, "C. X PAGAR"
    EXPECT_TRUE(cxp::valide_acceso(sesion, 110, "C. X PAGAR"));
    EXPECT_FALSE(cxp::valide_acceso(sesion, 111));       // a row with "N"
    EXPECT_FALSE(cxp::valide_acceso(sesion, 112));       // no row
    EXPECT_FALSE(cxp::valide_acceso(sesion, 110, "COMPRAS"));  // same option, other module
    EXPECT_FALSE(cxp::valide_acceso(sesion, 110, "c. x pagar"));
    EXPECT_TRUE(cxp::acceso_editacomproba(sesion, sesion.usuario_actual, "CONTABILIDAD", 31));
    EXPECT_FALSE(cxp::acceso_editacomproba(sesion, "ADMIN", "CONTABILIDAD", 31));

    // User codes and modules are literals, whatever they hold.
    sesion.usuario_actual = QStringLiteral("O'NEIL");
    EXPECT_TRUE(cxp::valide_acceso(sesion, 110));
    sesion.usuario_actual = QStringLiteral("X' or '1'='1");
    EXPECT_FALSE(cxp::valide_acceso(sesion, 110));
    EXPECT_FALSE(cxp::valide_acceso(sesion, 110, "C. X PAGAR' or 'a'='a"));
}

TEST_F(Derechos, ElAdministradorPasaSinConsultar) {
    sesion.es_administrador = true;
    sesion.usuario_actual = QStringLiteral("ADMIN");
    sesion.compania.detach();  // any query would fail now
    EXPECT_TRUE(cxp::valide_acceso(sesion, 110));
    EXPECT_TRUE(cxp::valide_acceso(sesion, 9999, "COMPRAS"));
    EXPECT_TRUE(cxp::acceso_editacomproba(sesion, "ADMIN", "CONTABILIDAD", 31));
    // Not the administrator's own code: the rows decide.
    EXPECT_THROW(cxp::acceso_editacomproba(sesion, "AUXILIAR", "CONTABILIDAD", 31), fb::DbError);
}

TEST_F(Derechos, UnaConsultaQueFallaNoDecideElDerecho) {
    sesion.compania.detach();
    EXPECT_THROW(cxp::valide_acceso(sesion, 110), fb::DbError);
}

// ---- valide_fecha

class ValideFecha : public ::testing::Test {
protected:
    void SetUp() override {
        conf.asignar(G, G, "FECHA DE BLOQUEO ADMINISTRATIVO", "2026/01/31");
        conf.asignar("CONTABILIDAD", G, "FECHA DE BLOQUEO", "20260228");
        conf.asignar(G, G, "MAXIMO NUMERO DE DIAS PARA DOCUMENTOS FUTUROS", "30");
    }
    QDate valide(const QDate& f) { return cxp::valide_fecha(f, conf, inter, hoy); }
    prueba::InteraccionGrabada inter;
    Configuracion conf{inter};
    const QDate hoy{2026, 6, 10};
};

const QString kModulos = QStringLiteral("informacion: Los módulos estan bloqueados a: ");
const QString kContabilidad = QStringLiteral("informacion: La contabilidad esta bloqueada a: ");
const QString kLejana = QStringLiteral(
    "informacion: La fecha del documento es demasiado lejana. Revise la fecha del mismo y la fecha del sistema.");

// Module lock 2026/01/31, accounting lock 2026/02/28, 30 days ahead at most,
// today 2026/06/10, unless a case says otherwise (nullptr: as set up).
TEST_F(ValideFecha, CadaBloqueoLlevaASuFechaYCadaCorreccionSeRevisaOtraVez) {
    const QString m = kModulos + "2026/01/31", c = kContabilidad + "2026/02/28";
    const QString c1231 = kContabilidad + "2026/12/31";
    const struct {
        const char* nombre;
        const char* modulos;
        const char* contable;
        const char* dias;
        QDate fecha, dia, esperada;  // the date typed, today, the date it becomes
        QStringList mensajes;
    } casos[] = {
        {"libre", nullptr, nullptr, nullptr, {2026, 3, 1}, hoy, {2026, 3, 1}, {}},
        {"dentro del límite futuro", nullptr, nullptr, nullptr, hoy.addDays(30), hoy, hoy.addDays(30), {}},
        {"vacía", nullptr, nullptr, nullptr, {}, hoy, {}, {}},
        {"módulos: al día siguiente", nullptr, "", nullptr, {2026, 1, 31}, hoy, {2026, 2, 1}, {m}},
        {"módulos, fecha vieja", nullptr, "", nullptr, {2025, 7, 4}, hoy, {2026, 2, 1}, {m}},
        {"mes y día sin cero", "2026/1/5", "", nullptr, {2026, 1, 5}, hoy, {2026, 1, 6}, {kModulos + "2026/01/05"}},
        {"contabilidad: a hoy", nullptr, nullptr, nullptr, {2026, 2, 28}, hoy, hoy, {c}},
        // The module lock's next day is still inside the accounting lock.
        {"una corrección tras otra", nullptr, nullptr, nullptr, {2026, 1, 15}, hoy, hoy, {m, c}},
        // Today is itself locked: the date goes to the day after the lock.
        {"hoy bloqueado", nullptr, nullptr, nullptr, {2026, 2, 10}, {2026, 2, 20}, {2026, 3, 1}, {c}},
        {"hoy es el bloqueo", nullptr, nullptr, nullptr, {2026, 2, 10}, {2026, 2, 28}, {2026, 3, 1}, {c}},
        {"demasiado lejana", nullptr, nullptr, nullptr, hoy.addDays(31), hoy, hoy, {kLejana}},
        {"sin días futuros", nullptr, nullptr, "0", hoy.addDays(1), hoy, hoy, {kLejana}},
        {"sin días futuros, hoy", nullptr, nullptr, "0", hoy, hoy, hoy, {}},
        // Without an accounting lock the limit is not even read.
        {"sin bloqueo contable", nullptr, "", "", {2030, 1, 1}, hoy, {2030, 1, 1}, {}},
        // A lock beyond the future limit leaves no valid date: the
        // corrections would alternate for ever.
        {"sin día abierto", nullptr, "20261231", nullptr, {2026, 3, 1}, hoy, {2027, 1, 1}, {c1231, kLejana, c1231}},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        SetUp();
        if (k.modulos) conf.asignar(G, G, "FECHA DE BLOQUEO ADMINISTRATIVO", k.modulos);
        if (k.contable) conf.asignar("CONTABILIDAD", G, "FECHA DE BLOQUEO", k.contable);
        if (k.dias) conf.asignar(G, G, "MAXIMO NUMERO DE DIAS PARA DOCUMENTOS FUTUROS", k.dias);
        inter.mensajes.clear();
        EXPECT_EQ(cxp::valide_fecha(k.fecha, conf, inter, k.dia), k.esperada);
        EXPECT_EQ(inter.mensajes, k.mensajes);
    }
}

TEST_F(ValideFecha, FechasDeBloqueoIlegiblesSeReportan) {
    conf.asignar(G, G, "FECHA DE BLOQUEO ADMINISTRATIVO", "31-01-2026");
    EXPECT_THROW(valide(QDate(2026, 3, 1)), std::invalid_argument);
    conf.asignar(G, G, "FECHA DE BLOQUEO ADMINISTRATIVO", "2026/01/31");
    conf.asignar("CONTABILIDAD", G, "FECHA DE BLOQUEO", "2026/02/28");
    EXPECT_THROW(valide(QDate(2026, 3, 1)), std::invalid_argument);
    conf.asignar("CONTABILIDAD", G, "FECHA DE BLOQUEO", "20261332");
    EXPECT_THROW(valide(QDate(2026, 3, 1)), std::invalid_argument);
}

TEST_F(ValideFecha, SobreElCampoDeUnDocumento) {
    cxp::DataSet ds;
    ds.openEmpty({{"NDPR_FECHA", cxp::FieldType::Date}});
    int cambios = 0;
    ds.onChange("NDPR_FECHA", [&](cxp::DataSet& d) {
        ++cambios;
        cxp::valide_fecha(d, "NDPR_FECHA", conf, inter, hoy);
    });
    ds.append();
    ds.setValue("NDPR_FECHA", QDate(2026, 2, 1));
    EXPECT_EQ(ds.asDate("NDPR_FECHA"), hoy);
    EXPECT_EQ(inter.mensajes, QStringList{kContabilidad + "2026/02/28"});
    ds.setValue("NDPR_FECHA", fb::Value());  // an empty field passes
    EXPECT_TRUE(ds.isNull("NDPR_FECHA"));
    ds.setValue("NDPR_FECHA", QDate(2026, 4, 2));
    EXPECT_EQ(ds.asDate("NDPR_FECHA"), QDate(2026, 4, 2));
    EXPECT_EQ(inter.mensajes.size(), 1);
    EXPECT_EQ(cambios, 3);
}

// ---- nombre_campo

using NombreCampo = ConCompania;

TEST_F(NombreCampo, DescripcionOElMismoNombre) {
    cxp::NombresCampos nombres(db);
    EXPECT_EQ(nombres.nombre_campo("PREF_PRE"), "Prefijo");
    EXPECT_EQ(nombres.nombre_campo("AUTO_NUMERO"), "Número de autorización");
    EXPECT_EQ(nombres.nombre_campo("pref_pre"), "pref_pre");
    EXPECT_EQ(nombres.nombre_campo("NO_EXISTE"), "NO_EXISTE");
    // Read once; a new row shows after a reload.
    db.executeDirect("insert into NOMBRES_CAMPOS values ('NO_EXISTE', 'Ahora sí')");
    EXPECT_EQ(nombres.nombre_campo("NO_EXISTE"), "NO_EXISTE");
    nombres.recargar();
    EXPECT_EQ(nombres("NO_EXISTE"), "Ahora sí");
}

// ---- nombre_impresora

void escribir(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

TEST(NombreImpresora, LaPrimeraLineaQueContieneElNombreYComa) {
    QTemporaryDir dir;
    prueba::InteraccionGrabada inter;
    escribir(dir.filePath("impresoras.cfg"), "XFACTURA,Impresora3\r\nFACTURA,Impresora2\r\nRECIBO,HP LaserJet 4, bandeja 2\n");
    EXPECT_EQ(cxp::nombre_impresora(dir.path(), "FACTURA", inter), "Impresora3");  // XFACTURA contains it
    EXPECT_EQ(cxp::nombre_impresora(dir.path(), "RECIBO", inter), "HP LaserJet 4, bandeja 2");
    EXPECT_EQ(cxp::nombre_impresora(dir.path(), "CHEQUE", inter), "");
    EXPECT_EQ(cxp::nombre_impresora(dir.path(), "factura", inter), "");
    escribir(dir.filePath("impresoras.cfg"), "FACTURA,Impresora2\nXFACTURA,Impresora3\n");
    EXPECT_EQ(cxp::nombre_impresora(dir.path(), "FACTURA", inter), "Impresora2");
    EXPECT_EQ(cxp::nombre_impresora(dir.path(), "XFACTURA", inter), "Impresora3");
    EXPECT_TRUE(inter.mensajes.isEmpty());
}

TEST(NombreImpresora, SinArchivo) {
    QTemporaryDir dir;
    prueba::InteraccionGrabada inter;
    EXPECT_EQ(cxp::nombre_impresora(dir.path(), "FACTURA", inter), "");
    EXPECT_EQ(inter.mensajes, QStringList{"informacion: Error abriendo el archivo" + dir.path() + "/impresoras.cfg"});
}

}  // namespace
