// Command dispatch with the real right check on a company database: the
// fallback of the document commands, one message per refusal, the
// maintenance notice, and the maintenance menu's own option numbers.
#include "app/Comandos.h"
#include "base/Sql.h"
#include "data/Derechos.h"
#include "data/Sesion.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <QSet>
#include <QKeySequence>
#include <gtest/gtest.h>

namespace {

using cxp::Despachador;
namespace comandos = cxp::comandos;

const QString kNegado = QStringLiteral("error: Acceso no permitido. comuníquese con el administrador del sistema.");

class Comandos : public ::testing::Test {
protected:
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    prueba::InteraccionGrabada interaccion;
    cxp::Sesion sesion;

    void SetUp() override {
        sesion.compania = base.conectar();
        sesion.usuario_actual = QStringLiteral("CLERK");
        for (const auto* tabla : {&comandos::principal(), &comandos::mantenimiento()})
            for (const cxp::Comando& c : *tabla) interaccion.pantallasExistentes << c.pantalla;
    }
    void dar(std::initializer_list<int> opciones, const QString& si = QStringLiteral("S")) {
        for (int o : opciones)
            sesion.compania.executeDirect(
                "insert into acceso_usuario (user_cod, acus_modulo, acus_opcion, acus_si) values ('CLERK', "
                "'C. X PAGAR', " +
                cxp::sql::numero(int64_t(o)) + ", " + cxp::sql::texto(si) + ")");
    }
    Despachador despachador(const std::vector<cxp::Comando>& tabla = comandos::principal()) {
        return Despachador(
            interaccion, [this](int o) { return cxp::valide_acceso(sesion, o); }, [](const QString&) { return true; },
            tabla);
    }
};

// Create right (10, 20, 30, 40) and search right (11, 21, 31, 41) of the
// documents: the new document, the search without a message (an explicit "N"
// denies like a missing row), or one message when neither is given.
TEST_F(Comandos, DocumentosSegunLosDerechosDeCrearYBuscar) {
    const QStringList documentos{"cargo.originar", "descuento.originar", "egreso.generar", "aplicacion.ejecutar"};
    const struct {
        const char* nombre;
        std::initializer_list<int> si, no;
        QStringList abiertas;
        int negaciones;
    } casos[] = {
        {"crear", {10, 20, 30, 40}, {}, {"Tfnotasdebito", "Tfnotascredito", "Tfegresos", "Tfaplicacionprv"}, 0},
        {"solo buscar", {11, 21, 31, 41}, {10, 20, 30, 40},
         {"Tfbuscanotdebito", "Tfbuscancredito", "Tfbuscegreso", "Tfbuscaplicaciones"}, 0},
        {"ninguno", {}, {}, {}, 4},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        sesion.compania.executeDirect("delete from acceso_usuario where user_cod = 'CLERK'");
        interaccion.pantallas.clear();
        interaccion.mensajes.clear();
        dar(c.si);
        dar(c.no, "N");
        auto d = despachador();
        for (const QString& id : documentos) EXPECT_EQ(d.ejecutar(id), c.negaciones == 0) << id.toStdString();
        EXPECT_EQ(interaccion.pantallas, c.abiertas);
        EXPECT_EQ(interaccion.mensajes, QStringList(c.negaciones, kNegado));
        EXPECT_EQ(d.permitido("cargo.originar"), c.negaciones == 0);
    }
    // With create alone, the search itself is refused.
    interaccion.mensajes.clear();
    dar({10});
    EXPECT_FALSE(despachador().ejecutar("cargo.buscar"));
    EXPECT_EQ(interaccion.mensajes, QStringList{kNegado});
}

TEST_F(Comandos, ElMenuDeMantenimientoTieneSusPropiosNumeros) {
    auto principal = despachador();
    auto menu = despachador(comandos::mantenimiento());
    dar({65});
    EXPECT_TRUE(principal.ejecutar("mant.importar"));
    EXPECT_TRUE(principal.ejecutar("mant.exportar"));
    EXPECT_TRUE(menu.ejecutar("mm.importar"));
    EXPECT_FALSE(menu.ejecutar("mm.exportar"));  // 66 here
    dar({66});
    EXPECT_TRUE(principal.ejecutar("mant.recalculo"));
    EXPECT_FALSE(menu.ejecutar("mm.recalculo"));  // 67 here
    EXPECT_TRUE(menu.ejecutar("mm.exportar"));
    dar({68});
    EXPECT_TRUE(principal.ejecutar("mant.retenciones"));
    EXPECT_TRUE(menu.ejecutar("mm.autorizacion"));
    EXPECT_EQ(interaccion.pantallas,
              (QStringList{"Tfimportar", "Tfimportar", "Tfchequeosaldos", "Tfcambiaretes", "Tfautorizacion"}));
    EXPECT_EQ(interaccion.argumentosPantallas[2].value("no_modal"), QVariant(true));
    EXPECT_EQ(interaccion.mensajes,
              (QStringList{"informacion: Opción en mantenimiento, disculpe los inconvenientes.", kNegado, kNegado,
                           "informacion: Opción en mantenimiento, disculpe los inconvenientes."}));
}

TEST_F(Comandos, OrdenDeServicioSinDerechoAbreLaBusquedaSinRevisar) {
    auto d = despachador();
    EXPECT_TRUE(d.ejecutar("orden.nueva"));
    dar({120});
    EXPECT_TRUE(d.ejecutar("orden.nueva"));
    EXPECT_EQ(interaccion.pantallas, (QStringList{"Tfbuscaordenes", "Tfordenservicio"}));
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
}

TEST_F(Comandos, ElAdministradorPasaSinFilasYLaBusquedaDeAcreedoresEsDeGestion) {
    sesion.es_administrador = true;
    auto d = despachador();
    for (const cxp::Comando& c : comandos::principal())
        if (c.accion == cxp::Accion::Pantalla) {
            EXPECT_TRUE(d.ejecutar(c.id)) << c.id.toStdString();
        }
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
    const int i = int(interaccion.pantallas.indexOf("Tfbuscprove"));
    ASSERT_GE(i, 0);
    EXPECT_EQ(interaccion.argumentosPantallas[size_t(i)].value("gestion"), QVariant(true));
}

TEST_F(Comandos, SinPantallaNoEstaDisponibleYNoAbreNada) {
    sesion.es_administrador = true;
    Despachador d(
        interaccion, [this](int o) { return cxp::valide_acceso(sesion, o); },
        [](const QString& p) { return p == "Tfbuscprove"; });
    EXPECT_TRUE(d.disponible("acreedor.buscar"));
    EXPECT_FALSE(d.disponible("cargo.originar"));
    EXPECT_TRUE(d.disponible("mant.exportar"));
    EXPECT_FALSE(d.disponible("acreedor.cxp"));  // no action at all
    EXPECT_FALSE(d.disponible("no.existe"));
    EXPECT_FALSE(d.ejecutar("acreedor.cxp"));
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
}

// The tables are data: a typo in an id or a repeated key would only show
// when someone clicks.
TEST(TablaDeComandos, ReferenciasYAtajosCoherentes) {
    QSet<QString> ids, atajos, titulosPorMenu;
    for (const cxp::Comando& c : comandos::principal()) {
        EXPECT_FALSE(ids.contains(c.id)) << c.id.toStdString();
        ids.insert(c.id);
        if (!c.atajo.isEmpty()) {
            EXPECT_FALSE(QKeySequence(c.atajo).isEmpty()) << c.atajo.toStdString();
            EXPECT_FALSE(atajos.contains(c.atajo)) << c.atajo.toStdString();
            atajos.insert(c.atajo);
        }
        if (!c.menu.isEmpty()) {
            const QString clave = c.menu + '|' + c.titulo;
            EXPECT_FALSE(titulosPorMenu.contains(clave)) << clave.toStdString();
            titulosPorMenu.insert(clave);
        }
        if (c.accion == cxp::Accion::Pantalla) {
            EXPECT_FALSE(c.pantalla.isEmpty()) << c.id.toStdString();
        }
    }
    for (const cxp::Comando& c : comandos::principal())
        if (!c.alterno.isEmpty()) {
            EXPECT_TRUE(ids.contains(c.alterno)) << c.id.toStdString();
        }
    for (const auto* lista : {&comandos::columna(), &comandos::consultas()})
        for (const cxp::Boton& b : *lista) EXPECT_TRUE(ids.contains(b.comando)) << b.comando.toStdString();
    EXPECT_EQ(comandos::columna().size(), 8u);
    EXPECT_EQ(comandos::mantenimiento().size(), 9u);
}

}  // namespace
