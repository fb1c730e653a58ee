// abre_interfaz over the payables and the cash definitions: the message
// when there is none, one definition taken without asking, the chooser for
// several (Esc gives 0, a choice its id), and the prefix quoted.
#include "accounting/interfaces/Interfaces.h"
#include "tests/accounting/interfaces/Entorno.h"

using namespace cxp;

namespace {

class AbreInterfaz : public prueba::EntornoInterfaces {
protected:
    Interfaces interfaces{sesion.compania, interaccion};
};

TEST_F(AbreInterfaz, SegunCuantasDefinicionesHay) {
    unaInterfaz(1, "CARGOS NORTE", 51, "NORT");
    unaInterfaz(2, "CARGOS GENERAL A", 51, "0000");
    unaInterfaz(3, "CARGOS GENERAL B", 51, "0000");
    struct Caso {
        const char* nombre;
        int tipo;
        const char* prefijo;
        bool preguntar;
        std::optional<QVariantMap> eleccion;  // what the chooser answers, when it opens
        int esperado;
        bool aviso;
        bool chooser;
    };
    const Caso casos[] = {
        {"ninguna", 52, "0000", true, std::nullopt, 0, true, false},
        {"ninguna sin preguntar", 52, "0000", false, std::nullopt, 0, true, false},
        {"una", 51, "NORT", true, std::nullopt, 1, false, false},
        {"una sin preguntar", 51, "NORT", false, std::nullopt, 0, false, false},
        {"dos, Esc", 51, "0000", true, std::nullopt, 0, false, true},
        {"dos, elegida", 51, "0000", true, QVariantMap{{"id", 3}}, 3, false, true},
        {"dos, id ajeno", 51, "0000", true, QVariantMap{{"id", 1}}, 0, false, true},
        {"dos sin preguntar", 51, "0000", false, std::nullopt, 0, false, false},
        {"prefijo con comilla", 51, "N'OR", true, std::nullopt, 0, true, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        interaccion.mensajes.clear();
        interaccion.pantallas.clear();
        if (c.chooser) interaccion.elecciones.push_back(c.eleccion);
        EXPECT_EQ(interfaces.abre_interfaz(c.tipo, QString::fromUtf8(c.prefijo), c.preguntar), c.esperado);
        EXPECT_EQ(interaccion.de("informacion"),
                  c.aviso ? QStringList{Interfaces::kSinInterfaz} : QStringList{});
        EXPECT_EQ(interaccion.pantallas, c.chooser ? QStringList{Interfaces::kSelector} : QStringList{});
        EXPECT_TRUE(interaccion.elecciones.empty());
    }
}

TEST_F(AbreInterfaz, LasDefinicionesDeCajaParaLosEgresos) {
    ejecutar("insert into PREFIJOS_CONTA (TICO_COD, PRCO_PREF) values ('EGR', '0000')");
    for (int id : {4, 5})
        ejecutar(QStringLiteral("insert into INTERFAZ_CAJA (INCJ_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, INCJ_NOMBRE) "
                                "values (%1, 62, '0000', 'EGR', '0000', 'EGRESOS %1')").arg(id));
    EXPECT_EQ(interfaces.abre_interfaz_caja(62, "0000", true), 0) << "Esc in the chooser";
    interaccion.elecciones.push_back(QVariantMap{{"id", 5}});
    EXPECT_EQ(interfaces.abre_interfaz_caja(62, "0000", true), 5);
    ejecutar("delete from INTERFAZ_CAJA where INCJ_ID = 5");
    EXPECT_EQ(interfaces.abre_interfaz_caja(62, "0000", true), 4);
    EXPECT_EQ(interfaces.abre_interfaz(62, "0000", true), 0) << "the payables table has none";
    EXPECT_EQ(interaccion.de("informacion"), QStringList{Interfaces::kSinInterfaz});
}

}  // namespace
