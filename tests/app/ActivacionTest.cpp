// The first activation against a whole installation: accepted sessions,
// every reason to refuse one with its messages and log lines, the start-up
// screens, and the connection mark of two instances on one day.
#include "app/Activacion.h"
#include "app/Arranque.h"
#include "app/Cifrado.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "tests/app/InstalacionPrueba.h"
#include "tests/support/DatosDelUsuario.h"
#include "tests/support/InteraccionGrabada.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

using cxp::ParametrosLinea;

const QString kNoPermitido = cxp::kAccesoNoPermitido;
const QString kNegado = QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");

ParametrosLinea parametros(const QString& usuario = QStringLiteral("ADMIN"), const QString& ubicacion = {}) {
    ParametrosLinea p;
    p.entrada = QStringLiteral("ENTRADA");
    p.usuario = usuario;
    p.compania = QStringLiteral("001");
    p.claveCifrada = cxp::cifrado::cifrar(QStringLiteral("demo"));
    p.ubicacion = ubicacion;
    return p;
}

// One running instance of the program: its session and services.
struct Instancia {
    prueba::InteraccionGrabada interaccion;
    cxp::Sesion sesion;
    cxp::Configuracion configuracion{interaccion};
    cxp::ManejadorErrores errores{interaccion, sesion, nullptr};
    cxp::Activacion activacion{sesion, interaccion, configuracion, errores};
    int sondeos = 0;
    Instancia() {
        activacion.setSondeo([this] { ++sondeos; });
    }
};

class Activacion : public ::testing::Test {
protected:
    prueba::InstalacionPrueba inst;
    Instancia a;

    QVariant feccon(const QString& usuario = QStringLiteral("ADMIN")) const { return inst.marcaDeConexion(usuario); }
    // The log lines end with ",USER,message".
    void esperarLog(const QStringList& mensajes, const QString& usuario) const {
        const QStringList lineas = inst.lineasErrores();
        ASSERT_EQ(lineas.size(), mensajes.size()) << lineas.join('\n').toStdString();
        for (int i = 0; i < lineas.size(); ++i) {
            EXPECT_TRUE(lineas[i].endsWith("," + usuario + "," + mensajes[i])) << lineas[i].toStdString();
            EXPECT_TRUE(lineas[i].startsWith(QDate::currentDate().toString("yyyy/MM/dd") + ","));
        }
    }
};

TEST_F(Activacion, AceptaAlAdministradorYLlenaLaSesion) {
    ASSERT_TRUE(a.activacion.activar(parametros()));
    EXPECT_TRUE(a.interaccion.mensajes.isEmpty()) << a.interaccion.mensajes.join('\n').toStdString();
    const cxp::Sesion& s = a.sesion;
    EXPECT_EQ(s.modulo_actual, "C. X PAGAR");
    EXPECT_EQ(s.usuario_actual, "ADMIN");
    EXPECT_EQ(s.nombre_usuario, "Administrador del Sistema");
    EXPECT_TRUE(s.es_administrador);
    EXPECT_EQ(s.compania_actual, "001");
    EXPECT_EQ(s.compania_nombre, "Distribuidora Andina de Alimentos S.A.S.");
    EXPECT_EQ(s.compania_direccion, "Calle 26 # 68C-61, Bogotá D.C.");
    EXPECT_EQ(s.compania_telefonos, "PBX (601) 745 3210 - Cel. 310 555 0142");
    EXPECT_TRUE(s.compania_encabezado.startsWith("NIT 900.123.456-8"));
    EXPECT_EQ(s.agencia_actual, 0);
    EXPECT_EQ(s.duracion_busquedas, 3000);
    EXPECT_EQ(s.color_ventana, "16777215");
    EXPECT_EQ(s.color_final_ventana, "15780518");
    EXPECT_EQ(s.directorio, inst.directorio());
    EXPECT_EQ(s.ubicacion, inst.directorio());  // conexion.cfg ends in CR LF
    EXPECT_TRUE(s.compania.isAttached());
    EXPECT_EQ(s.compania.params().user, "ADMIN");
    EXPECT_EQ(s.general.params().user, "ADMIN");
    EXPECT_EQ(s.compania.params().password, "");  // not kept once connected
    EXPECT_EQ(s.general.params().password, "");

    const cxp::Encabezado& e = a.activacion.encabezado();
    EXPECT_EQ(e.compania, "Distribuidora Andina de Alimentos S.A.S.");
    EXPECT_EQ(e.usuario, "ADMIN");
    EXPECT_FALSE(e.agenciaVisible);  // agency 0: no label, no field
    EXPECT_EQ(e.revision, "2026/12/07");
    EXPECT_EQ(a.sondeos, 1);
    EXPECT_EQ(feccon(), QVariant(QDate::currentDate()));
    EXPECT_TRUE(inst.lineasErrores().isEmpty());
}

TEST_F(Activacion, ElAuxiliarVeSuAgencia) {
    ASSERT_TRUE(a.activacion.activar(parametros("AUXILIAR")));
    EXPECT_FALSE(a.sesion.es_administrador);
    EXPECT_EQ(a.sesion.nombre_usuario, "Carolina Gómez Restrepo");
    EXPECT_EQ(a.sesion.agencia_actual, 2);
    EXPECT_TRUE(a.activacion.encabezado().agenciaVisible);
    EXPECT_EQ(a.activacion.encabezado().agencia, "2-Centro");
}

TEST_F(Activacion, AgenciaOCompaniaSinFilaNoTomanDatosAjenos) {
    inst.enCompania("update usuario set sucu_id = 7 where user_cod = 'AUXILIAR'");
    inst.enGeneral("delete from compania");
    ASSERT_TRUE(a.activacion.activar(parametros("AUXILIAR")));
    EXPECT_EQ(a.activacion.encabezado().agencia, "7-");
    EXPECT_TRUE(a.sesion.compania_nombre.isEmpty());
    EXPECT_TRUE(a.sesion.compania_encabezado.isEmpty());
    EXPECT_TRUE(a.interaccion.mensajes.isEmpty());
}

TEST_F(Activacion, LaUbicacionDeLaLineaDeComandosGanaAConexionCfg) {
    inst.escribirConexion("/no/existe\n");
    ASSERT_TRUE(a.activacion.activar(parametros("ADMIN", inst.directorio())));
    EXPECT_EQ(a.sesion.ubicacion, inst.directorio());
    inst.quitarConexion();  // not even opened
    Instancia b;
    EXPECT_TRUE(b.activacion.activar(parametros("ADMIN", inst.directorio())));
    EXPECT_TRUE(b.interaccion.mensajes.isEmpty());
}

TEST_F(Activacion, RechazaSinEntradaNiClave) {
    auto sinEntrada = parametros();
    sinEntrada.entrada = "entrada";
    auto sinClave = parametros();
    sinClave.claveCifrada.clear();
    auto alterada = parametros();
    alterada.claveCifrada[5] = alterada.claveCifrada[5] == 'A' ? 'B' : 'A';
    auto ajena = parametros();
    ajena.claveCifrada = cxp::cifrado::cifrar("demo", QByteArray(32, 'k'));
    auto vencida = parametros();  // read off a command line and replayed later
    vencida.claveCifrada = cxp::cifrado::cifrar("demo", cxp::cifrado::claveIncorporada(),
                                                QDateTime::currentDateTimeUtc().addSecs(-150));
    for (const auto& p : {sinEntrada, sinClave, alterada, ajena, vencida}) {
        Instancia i;
        EXPECT_FALSE(i.activacion.activar(p));
        EXPECT_EQ(i.interaccion.mensajes, QStringList{"error: " + kNoPermitido});
        EXPECT_FALSE(i.sesion.compania.isAttached());
        EXPECT_FALSE(i.sesion.general.isAttached());
        EXPECT_EQ(i.sondeos, 0);
    }
    esperarLog({kNoPermitido, kNoPermitido, kNoPermitido, kNoPermitido, kNoPermitido}, "ADMIN");
    EXPECT_FALSE(feccon().isValid());
}

// A company code becomes a folder of the path: only three letters or digits
// reach it; anything else is refused before any file is opened.
TEST_F(Activacion, CodigoDeCompaniaQueNoEsTresLetrasODigitos) {
    for (const QString codigo : {"../x", "..", "0/1", "00", "0011", "", "ñ01", "0 1", "00\\"}) {
        Instancia i;
        auto p = parametros();
        p.compania = codigo;
        EXPECT_FALSE(i.activacion.activar(p)) << codigo.toStdString();
        EXPECT_EQ(i.interaccion.mensajes,
                  (QStringList{"error: " + cxp::kCompaniaNoValida.arg(codigo), "error: " + kNoPermitido}));
        EXPECT_FALSE(i.sesion.compania.isAttached());
        EXPECT_FALSE(i.sesion.general.isAttached());
    }
    EXPECT_FALSE(feccon().isValid());
}

TEST_F(Activacion, UsuarioQueLaCompaniaNoConoce) {
    inst.enGeneral("insert into usuario (usua_cod, usua_nombre, usua_admin) values ('VISITA', 'Visitante', 'N')");
    EXPECT_FALSE(a.activacion.activar(parametros("VISITA")));
    // Both messages, one after the other.
    EXPECT_EQ(a.interaccion.mensajes, (QStringList{"error: Nombre de usuario incorrecto", "error: " + kNoPermitido}));
    esperarLog({"Nombre de usuario incorrecto", kNoPermitido}, "VISITA");
    // The mark was set on connecting; closing the refused window clears it.
    EXPECT_EQ(feccon("VISITA"), QVariant(QDate::currentDate()));
    a.activacion.cerrar();
    EXPECT_FALSE(feccon("VISITA").isValid());
}

TEST_F(Activacion, UsuarioQueLaBaseGeneralNoConoce) {
    // Unknown to both: the general message, then the company's two.
    EXPECT_FALSE(a.activacion.activar(parametros("NADIE")));
    EXPECT_EQ(a.interaccion.mensajes, (QStringList{"error: Nombre de usuario incorrecto",
                                                   "error: Nombre de usuario incorrecto", "error: " + kNoPermitido}));
    esperarLog({"Nombre de usuario incorrecto", "Nombre de usuario incorrecto", kNoPermitido}, "NADIE");

    // Known to the company only: the company decides, with an empty name.
    inst.enCompania("insert into usuario (user_cod, sucu_id) values ('SOLOCIA', 0)");
    Instancia b;
    EXPECT_TRUE(b.activacion.activar(parametros("SOLOCIA")));
    EXPECT_EQ(b.interaccion.mensajes, QStringList{"error: Nombre de usuario incorrecto"});
    EXPECT_TRUE(b.sesion.nombre_usuario.isEmpty());
    EXPECT_FALSE(b.sesion.es_administrador);
}

// Databases out of reach, one after the other on the same installation:
// the messages in order and one log line each, the first with its cause.
TEST_F(Activacion, BasesFueraDeAlcance) {
    const QString sinRuta = QStringLiteral("No se encontró el archivo o la ruta ");
    struct Caso {
        const char* nombre;
        std::function<void()> preparar;
        QString ubicacion;
        QStringList errores;
        QString enLog;
    };
    const Caso casos[] = {
        {"servidor", [] {}, "127.0.0.1/1:/nada", {"No se encontró el equipo servidor con nombre 127.0.0.1"}, "127.0.0.1"},
        {"archivo", [&] { QFile::remove(inst.compania()); }, {}, {sinRuta + inst.compania()}, inst.compania()},
        // The empty location makes a path that starts with the separator.
        {"sin conexion.cfg", [&] { inst.quitarConexion(); }, {},
         {cxp::arranque::kSinConexion, sinRuta + "/datos/001/quelmar.fdb"}, ",ADMIN," + cxp::arranque::kSinConexion},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        c.preparar();
        const qsizetype antes = inst.lineasErrores().size();
        Instancia i;
        EXPECT_FALSE(i.activacion.activar(parametros("ADMIN", c.ubicacion)));
        EXPECT_EQ(i.interaccion.de("error"), c.errores);
        EXPECT_FALSE(i.sesion.general.isAttached());
        const QStringList lineas = inst.lineasErrores().mid(antes);
        ASSERT_EQ(lineas.size(), c.errores.size());
        EXPECT_TRUE(lineas[0].contains(c.enLog)) << lineas[0].toStdString();
    }
}

TEST_F(Activacion, SinArchivoDeRegistro) {
    inst.quitarRegistro();
    prueba::DatosDelUsuario usuario;
    EXPECT_FALSE(a.activacion.activar(parametros()));
    EXPECT_EQ(a.interaccion.de("error"), (QStringList{cxp::arranque::kSinRegistro, cxp::arranque::kSinConexion,
                                                      "No se encontró el archivo o la ruta /datos/001/quelmar.fdb"}));
    EXPECT_TRUE(a.interaccion.de("advertencia").isEmpty());
    // Without an installation directory the log is the user's own copy.
    QFile log(usuario.log());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lineas = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 3);
    EXPECT_TRUE(lineas[0].endsWith(cxp::arranque::kSinRegistro));
}

TEST_F(Activacion, ColorInvalidoSeReportaYElArranqueSigue) {
    inst.enCompania("update configuracion set conf_valor = 'azul' where conf_propiedad = 'COLOR VENTANA PRINCIPAL'");
    EXPECT_TRUE(a.activacion.activar(parametros()));
    ASSERT_EQ(a.interaccion.de("error").size(), 1);
    EXPECT_TRUE(a.interaccion.de("error")[0].startsWith("Se presento el siguiente error: "));
    EXPECT_TRUE(a.interaccion.de("error")[0].contains("azul"));
}

// The connection mark, as written: closing one of two instances of the same
// user on one day clears it while the other still runs; a mark of an
// earlier day is left in place.
TEST_F(Activacion, MarcaDeConexionConDosInstancias) {
    Instancia b;
    ASSERT_TRUE(a.activacion.activar(parametros()));
    ASSERT_TRUE(b.activacion.activar(parametros()));
    EXPECT_EQ(feccon(), QVariant(QDate::currentDate()));
    a.activacion.cerrar();
    EXPECT_FALSE(feccon().isValid());
    EXPECT_TRUE(b.sesion.general.isAttached());
    b.activacion.cerrar();
    EXPECT_FALSE(feccon().isValid());

    Instancia c;
    ASSERT_TRUE(c.activacion.activar(parametros()));
    const QDate ayer = QDate::currentDate().addDays(-1);
    inst.enGeneral("update usuario set feccon = " + cxp::sql::fecha(ayer) + " where usua_cod = 'ADMIN'");
    c.activacion.cerrar();
    EXPECT_EQ(feccon(), QVariant(ayer));
    // Another user's mark is not touched.
    EXPECT_FALSE(feccon("AUXILIAR").isValid());
}

TEST_F(Activacion, PreguntaLaTasaDelDiaSoloCuandoFalta) {
    inst.enCompania(
        "update configuracion set conf_valor = 'SI' where conf_propiedad = "
        "'PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR'");
    ASSERT_TRUE(a.activacion.activar(parametros()));
    a.activacion.accionesIniciales();
    EXPECT_EQ(a.interaccion.pantallas, QStringList{"Tftasacambiodia"});
    // A build without the screen: nothing more, no message.
    EXPECT_TRUE(a.interaccion.mensajes.isEmpty());

    inst.enCompania("insert into tasa_cambio_moneda (taca_id, taca_fecha, timo_cod, taca_valor) values (0, " +
                    cxp::sql::fecha(QDate::currentDate()) + ", 840, 3900)");
    Instancia b;
    ASSERT_TRUE(b.activacion.activar(parametros()));
    b.activacion.accionesIniciales();
    EXPECT_TRUE(b.interaccion.pantallas.isEmpty());
}

TEST_F(Activacion, ConsultaDeInicio) {
    const auto mostrar = [&](const QString& valor) {
        inst.enCompania("update configuracion set conf_valor = " + cxp::sql::texto(valor) +
                        " where conf_propiedad = 'MOSTRAR EL MOVIMIENTO DE LAS CXP AL ENTRAR AL MODULO'");
    };
    // An administrator needs no right rows.
    mostrar("DESCUENTOS");
    ASSERT_TRUE(a.activacion.activar(parametros()));
    a.activacion.accionesIniciales();
    ASSERT_EQ(a.interaccion.pantallas, QStringList{"Tfanalisiscxp"});
    EXPECT_EQ(a.interaccion.argumentosPantallas[0].value("descuentos_pronto_pago"), QVariant(true));

    mostrar("CXPAGAR");
    Instancia b;
    ASSERT_TRUE(b.activacion.activar(parametros("AUXILIAR")));
    b.activacion.accionesIniciales();
    ASSERT_EQ(b.interaccion.pantallas, QStringList{"Tfanalisiscxp"});
    EXPECT_FALSE(b.interaccion.argumentosPantallas[0].value("descuentos_pronto_pago").toBool());

    mostrar("SI");
    inst.enCompania(
        "update acceso_usuario set acus_si = 'N' where user_cod = 'AUXILIAR' and acus_opcion = 110 "
        "and acus_modulo = 'C. X PAGAR'");
    Instancia c;
    ASSERT_TRUE(c.activacion.activar(parametros("AUXILIAR")));
    c.activacion.accionesIniciales();
    EXPECT_TRUE(c.interaccion.pantallas.isEmpty());
    EXPECT_EQ(c.interaccion.mensajes, QStringList{"error: " + kNegado});

    mostrar("OTRA COSA");
    Instancia d;
    ASSERT_TRUE(d.activacion.activar(parametros("AUXILIAR")));
    d.activacion.accionesIniciales();
    EXPECT_TRUE(d.interaccion.pantallas.isEmpty());
    EXPECT_TRUE(d.interaccion.mensajes.isEmpty());

    mostrar("SI");
    inst.enCompania("update acceso_usuario set acus_si = 'S' where user_cod = 'AUXILIAR' and acus_opcion = 110");
    Instancia e;
    ASSERT_TRUE(e.activacion.activar(parametros("AUXILIAR")));
    e.activacion.accionesIniciales();
    EXPECT_EQ(e.interaccion.pantallas, QStringList{"Tfmovicuenxpagar"});
}

}  // namespace
