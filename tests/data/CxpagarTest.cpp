// The payables data module on the ledger's own lookups: amounts reset on
// every call, the messages of a refused document, the advance's sign.
#include "data/Cxpagar.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace {

using cxp::Dinero;

const QString kA = QStringLiteral("900100200");
const QString kB = QStringLiteral("900300400");
const QDate kDia(2026, 3, 15);

Dinero pesos(int64_t centavos) { return Dinero::desdeEscalado(centavos, -2); }

class Cxpagar_ : public ::testing::Test {
protected:
    void SetUp() override {
        libro.acreedor(kA);
        libro.acreedor(kB);
    }
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    libro::Libro libro{db};
    prueba::InteraccionGrabada inter;
    cxp::Cxpagar cxp{db, inter};
};

TEST_F(Cxpagar_, IdDocYSusImportesDeCadaLlamada) {
    const auto& cargo = libro.cargo(kA, kDia, 100000000, 19000000, {2500000, 2850000, 966000, 0});
    EXPECT_EQ(cxp.id_doc(51, "0000", cargo.numero, kA, kDia), cargo.id);
    EXPECT_EQ(cxp.ultimos().rtfte, pesos(2500000));
    EXPECT_EQ(cxp.ultimos().rtiva, pesos(2850000));
    EXPECT_NE(cxp.ultimos().saldo, Dinero());
    // A failed lookup leaves every amount at 0, not the last document's.
    EXPECT_EQ(cxp.id_doc(51, "0000", "999999", kA, kDia), 0);
    EXPECT_EQ(cxp.ultimos().saldo, Dinero());
    EXPECT_EQ(cxp.ultimos().rtfte, Dinero());
    // Typed short: empty prefix and a short number are found nowhere.
    EXPECT_EQ(cxp.id_doc(51, "", "1", kA, kDia), 0);
    EXPECT_TRUE(inter.mensajes.isEmpty());
    EXPECT_EQ(cxp::Cxpagar::separar_documento("BOG000123"), std::pair(QString("BOG"), QString("000123")));
    EXPECT_EQ(cxp::Cxpagar::separar_documento("123"), std::pair(QString(), QString("123")));
}

TEST_F(Cxpagar_, DocumentoRechazadoConSuMensaje) {
    const auto& cargo = libro.cargo(kA, kDia, 50000000);
    cxp::DocumentoPorPagar linea;
    linea.id = 77;
    linea.numprov = "X";
    const struct {
        QString prefijo, numero, nit;
        QDate fecha;
        int tipo;
        const char* mensaje;
    } casos[] = {
        {"0000", "999999", kA, kDia, 51, "No se encontró el documento indicado."},
        {"0000", cargo.numero, kB, kDia, 51, "El documento indicado pertenece a otro Cliente."},
        {"0000", cargo.numero, kA, kDia.addDays(-1), 51, "La fecha del abono es anterior al documento."},
        {"0000", cargo.numero, kA, kDia, 62, nullptr},  // not a ledger document: silent
    };
    for (const auto& c : casos) {
        inter.mensajes.clear();
        EXPECT_FALSE(cxp.valide_doc_cxpagar(c.nit, c.tipo, c.prefijo, c.numero, c.fecha, linea));
        EXPECT_EQ(inter.de("informacion"), c.mensaje ? QStringList{QString::fromUtf8(c.mensaje)} : QStringList{});
        EXPECT_EQ(linea.id, 0);
        EXPECT_EQ(linea.abono, Dinero());
        EXPECT_EQ(linea.numprov, "");
    }
    // Paid in full.
    libro.egreso(kA, kDia, {{51, cargo.id, cargo.neto()}});
    inter.mensajes.clear();
    EXPECT_FALSE(cxp.valide_doc_cxpagar(kA, 51, "0000", cargo.numero, kDia, linea));
    EXPECT_EQ(inter.de("informacion"), QStringList{"Documento totalmente cancelado."});
}

TEST_F(Cxpagar_, AnticipoSinEgresoCuentaNegativo) {
    auto& anticipo = libro.anticipo(kA, kDia, 30000000);
    cxp::DocumentoPorPagar linea;
    ASSERT_TRUE(cxp.valide_doc_cxpagar(kA, 55, "0000", anticipo.numero, kDia, linea));
    EXPECT_EQ(linea.id, anticipo.id);
    EXPECT_LT(linea.abono, Dinero());
    EXPECT_EQ(cxp.saldo_doc_cxpagar(55, anticipo.id, kDia), linea.abono);  // a null link as 0: in the ledger's tests
    EXPECT_EQ(cxp.saldo_doc_cxpagar(55, 999999, kDia), Dinero());  // no advance

    const auto& cargo = libro.cargo(kA, kDia, 10000000);
    EXPECT_EQ(cxp.saldo_doc_cxpagar(51, cargo.id, kDia), pesos(10000000));
}

}  // namespace
