// Start-up without a database: the command line, the settings file that
// stands in for the registry, conexion.cfg, the process-wide formats and
// the launcher's password seal.
#include "app/Arranque.h"
#include "app/Cifrado.h"
#include "app/Formatos.h"
#include "app/ParametrosLinea.h"
#include "base/Sql.h"
#include "tests/support/DatosDelUsuario.h"
#include "tests/support/InteraccionGrabada.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

namespace arranque = cxp::arranque;
namespace cifrado = cxp::cifrado;

TEST(ParametrosLinea, SoloDesdeElLanzadorConClave) {
    const auto p = cxp::ParametrosLinea::leer({"ENTRADA", "ADMIN", "001", "xyz", "srv/3050:/datos"});
    EXPECT_TRUE(p.desdeLanzador());
    EXPECT_EQ(p.ubicacion, "srv/3050:/datos");
    EXPECT_EQ(p.argumentos(), (QStringList{"ENTRADA", "ADMIN", "001", "xyz", "srv/3050:/datos"}));
    EXPECT_FALSE(cxp::ParametrosLinea::leer({"ENTRADA", "ADMIN", "001", ""}).desdeLanzador());
    EXPECT_FALSE(cxp::ParametrosLinea::leer({"Entrada", "ADMIN", "001", "xyz"}).desdeLanzador());
    EXPECT_FALSE(cxp::ParametrosLinea::leer({}).desdeLanzador());
}

class ConexionCfg : public ::testing::Test {
protected:
    QTemporaryDir dir;
    prueba::InteraccionGrabada interaccion;
    void escribir(const QByteArray& contenido) {
        QFile f(dir.filePath("conexion.cfg"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }
    QString leer() { return arranque::ubicaciondb(dir.path(), {}, interaccion); }
};

// The first line without its line end; a file without one keeps every
// character (taking "size less two" would cut real ones off).
TEST_F(ConexionCfg, PrimeraLineaSinFinDeLinea) {
    escribir("servidor/3050:/srv/quelmar\r\n");
    EXPECT_EQ(leer(), "servidor/3050:/srv/quelmar");
    escribir("servidor/3050:/srv/quelmar\n");
    EXPECT_EQ(leer(), "servidor/3050:/srv/quelmar");
    escribir("servidor/3050:/srv/quelmar");
    EXPECT_EQ(leer(), "servidor/3050:/srv/quelmar");
    escribir("/srv/año\r\nsegunda línea\r\n");
    EXPECT_EQ(leer(), "/srv/año");
    escribir("");
    EXPECT_EQ(leer(), "");
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
}

TEST_F(ConexionCfg, ElQuintoParametroEvitaElArchivo) {
    bool sin = true;
    EXPECT_EQ(arranque::ubicaciondb(dir.path(), "/otra", interaccion, &sin), "/otra");
    EXPECT_FALSE(sin);
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
    EXPECT_EQ(arranque::ubicaciondb(dir.path(), {}, interaccion, &sin), "");
    EXPECT_TRUE(sin);
    EXPECT_EQ(interaccion.mensajes, QStringList{"error: No se encontró el archivo de conexión con la base de datos."});
}

class Registro : public ::testing::Test {
protected:
    QTemporaryDir dir;
    prueba::InteraccionGrabada interaccion;
    void SetUp() override { qputenv(arranque::kVariableRegistro, dir.path().toUtf8()); }
    void TearDown() override { qunsetenv(arranque::kVariableRegistro); }
    void escribir(const QString& valor) {
        QDir().mkpath(dir.filePath("Orvel"));
        QSettings ini(dir.filePath("Orvel/Quelmar2021.ini"), QSettings::IniFormat);
        ini.setValue("Directorio", valor);
    }
};

TEST_F(Registro, DirectorioDeLaInstalacion) {
    EXPECT_EQ(arranque::archivoRegistro(), dir.filePath("Orvel/Quelmar2021.ini"));
    escribir("/opt/quelmar/");
    EXPECT_EQ(arranque::Diraplicacion(interaccion), "/opt/quelmar");
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
    EXPECT_EQ(arranque::archivoErrores("/opt/quelmar"), "/opt/quelmar/ERRORES.TXT");
}

TEST_F(Registro, SinValorElMensajeYVacio) {
    EXPECT_EQ(arranque::Diraplicacion(interaccion), "");
    escribir("");
    EXPECT_EQ(arranque::Diraplicacion(interaccion), "");
    const QString m = "error: No se encontró la Clave HKEY_LOCAL_MACHINE\\Software\\Orvel\\Quelmar2021\\Directorio";
    EXPECT_EQ(interaccion.mensajes, (QStringList{m, m}));
    prueba::DatosDelUsuario usuario;
    EXPECT_EQ(arranque::archivoErrores(""), usuario.log());
}

TEST(Formatos, IgualesEnCualquierConfiguracionRegional) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    cxp::formatos::aplicar();
    const QLocale l;
    EXPECT_EQ(l.toString(1234567.5, 'f', 2), "1,234,567.50");
    EXPECT_EQ(cxp::formatos::moneda(*cxp::Dinero::desdeTexto(u"1234.5")), "$1,234.50");
    EXPECT_EQ(cxp::formatos::moneda(*cxp::Dinero::desdeTexto(u"-1234567.555")), "-$1,234,567.56");
    EXPECT_EQ(l.toString(QDate(2026, 12, 6), "dddd MMMM"), "domingo diciembre");
    EXPECT_DOUBLE_EQ(l.toDouble("1,234.25"), 1234.25);
    const QDate d(2026, 12, 6);
    EXPECT_EQ(cxp::formatos::fecha(d), "2026/12/06");
    EXPECT_EQ(cxp::formatos::fechaLarga(d), "domingo, 6 de diciembre de 2026");
    EXPECT_EQ(cxp::formatos::hora(QTime(13, 5, 9)), "13:05:09");
    EXPECT_EQ(cxp::sql::fecha(d), "'2026/12/06'");
    EXPECT_EQ(QString::asprintf("%.2f", 2.5), "2.50");
}

TEST(Cifrado, IdaYVuelta) {
    for (const QString& clave :
         {QString("demo"), QString(""), QString("contraseña con espacios y ñ"), QString("'; drop table usuario; --")}) {
        const QString sellada = cifrado::cifrar(clave);
        EXPECT_NE(sellada, clave);
        // Safe on any command line.
        EXPECT_TRUE(QRegularExpression("^[A-Za-z0-9_-]+$").match(sellada).hasMatch()) << sellada.toStdString();
        EXPECT_EQ(cifrado::descifrar(sellada), clave);
    }
    // A fresh nonce each time.
    EXPECT_NE(cifrado::cifrar("demo"), cifrado::cifrar("demo"));
}

// A seal opens for two minutes either side of its time, no longer.
TEST(Cifrado, UnSelloVenceALosDosMinutos) {
    const QDateTime sellado = QDateTime::currentDateTimeUtc();
    const QString s = cifrado::cifrar("demo", cifrado::claveIncorporada(), sellado);
    const struct {
        int segundos;
        bool abre;
    } casos[] = {{0, true}, {120, true}, {121, false}, {86400, false}, {-120, true}, {-121, false}};
    for (const auto& c : casos)
        EXPECT_EQ(cifrado::descifrar(s, cifrado::claveIncorporada(), sellado.addSecs(c.segundos)).has_value(), c.abre)
            << c.segundos;
}

TEST(Cifrado, RechazaLoAlteradoYLoAjeno) {
    const QString sellada = cifrado::cifrar("demo");
    for (int i = 0; i < sellada.size(); ++i) {
        QString alterada = sellada;
        alterada[i] = alterada[i] == QChar('A') ? QChar('B') : QChar('A');
        EXPECT_FALSE(cifrado::descifrar(alterada)) << i;
    }
    EXPECT_FALSE(cifrado::descifrar(sellada.left(sellada.size() - 1)));
    EXPECT_FALSE(cifrado::descifrar(sellada + "A"));
    const QByteArray otra(32, 'x');
    EXPECT_FALSE(cifrado::descifrar(cifrado::cifrar("demo", otra)));
    EXPECT_EQ(cifrado::descifrar(cifrado::cifrar("demo", otra), otra), "demo");
    for (const QString& basura :
         {QString(""), QString("demo"), QString("!!!!"), QString("ñññññññññññññññññññññññññññññññññññññññññññññññ")})
        EXPECT_FALSE(cifrado::descifrar(basura)) << basura.toStdString();
    EXPECT_FALSE(cifrado::descifrar(sellada, QByteArray(5, 'x')));  // a key of the wrong size
}

}  // namespace
