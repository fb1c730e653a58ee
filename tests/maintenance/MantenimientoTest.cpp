// The maintenance screens on a scratch company: the withholding change by
// pairs, the balance recalculation with its repair, the user procedures
// with their catalogue, and the procedures shipped in it.
#include "base/Nit.h"
#include "maintenance/Tfcambiaretes.h"
#include "maintenance/Tfchequeosaldos.h"
#include "maintenance/Tfprocedimientos.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/EntornoCompania.h"

#include <QCoreApplication>
#include <QSignalSpy>

using namespace cxp;

namespace {

class Mantenimiento : public prueba::EntornoCompania {
protected:
    std::unique_ptr<fb::Database> db;
    std::unique_ptr<libro::Libro> l;
    void SetUp() override {
        entrar();
        db = std::make_unique<fb::Database>(compania.conectar());
        l = std::make_unique<libro::Libro>(*db);
    }
    QString texto(const QString& sql) const { return fila(sql)->at(0).toString(); }
};

// ---- withholding change

TEST_F(Mantenimiento, CambioDeRetencionesPorPares) {
    struct Caso {
        const char* que;
        std::vector<std::tuple<int, const char*, const char*>> pares;  // par, anterior, nuevo
        QString retefte[3];                                            // after, creditors 1..3
        QString mensaje;                                               // part of the message
        int auditados;
    };
    const Caso casos[] = {
        {"solo los de 2.5 exacto", {{0, "2.5", "3.5"}}, {"3.50", "2.55", "3.50"}, "fuente: 2 acreedores", 2},
        {"un par con un solo valor se salta", {{0, "2.5", ""}}, {"2.50", "2.55", "2.50"}, "Indique", 0},
        {"un valor no numérico no cambia nada", {{0, "2.5", "3.5"}, {3, "9.66", "abc"}}, {"2.50", "2.55", "2.50"},
         "\"Porcentaje nuevo:\" en Retención de ICA", 0},
        {"un porcentaje mayor que 100", {{0, "2.5", "101"}}, {"2.50", "2.55", "2.50"}, "de 0 a 100", 0},
        {"una base con tres decimales", {{1, "0", "1.005"}}, {"2.50", "2.55", "2.50"}, "\"Base nueva:\"", 0},
        // The fourth pair fails in the database: the first is not left applied.
        {"todo o nada", {{0, "2.5", "3.5"}, {3, "9.66", "7.77"}}, {"2.50", "2.55", "2.50"}, "ICA imposible", 0},
    };
    ejecutar("create exception E_PRUEBA 'ICA imposible'");
    ejecutar("create trigger PRUEBA_ICA for PROVEEDORES before update as begin "
             "if (new.PROV_RTEICA = 7.77) then exception E_PRUEBA; end");
    for (const char* nit : {"801", "802", "803"}) l->acreedor(nit);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        ejecutar("update PROVEEDORES set PROV_RETEFTE = iif(TERC_NIT = '802', 2.55, 2.5), PROV_RTEICA = 9.66");
        const int64_t auditoria = contar("select count(*) from AUDITORIA where TIDO_COD = 104 and AUDI_OPER = 'U'");
        interaccion.mensajes.clear();
        Tfcambiaretes t(sesion, interaccion, manejador);
        for (const auto& [par, anterior, nuevo] : c.pares) {
            t.setAnterior(par, anterior);
            t.setNuevo(par, nuevo);
        }
        QSignalSpy cerro(&t, &Tfcambiaretes::cerrar);
        EXPECT_EQ(t.grabar(), c.auditados > 0);
        EXPECT_EQ(cerro.count(), c.auditados > 0 ? 1 : 0);
        EXPECT_TRUE(mensajes().contains(c.mensaje)) << mensajes().toStdString();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(texto(QStringLiteral("select PROV_RETEFTE from PROVEEDORES where TERC_NIT = '80%1'").arg(i + 1)),
                      c.retefte[i]);
        EXPECT_EQ(contar("select count(*) from AUDITORIA where TIDO_COD = 104 and AUDI_OPER = 'U'") - auditoria,
                  c.auditados);
    }
}

// ---- balance recalculation

TEST_F(Mantenimiento, RecalculoListaYReparaLoAlterado) {
    const QDate dia(2026, 3, 2);
    std::vector<libro::Documento*> cargos;
    for (const char* nit : {"861", "862", "863", "864"}) {
        l->acreedor(nit);
        cargos.push_back(&l->cargo(nit, dia, 100000, 19000, {2500, 0, 0, 0}));
        l->egreso(nit, dia.addDays(3), {libro::Linea{51, cargos.back()->id, 40000, 0, {}}});
    }
    // The thread's event loop needs an application object.
    static int argc = 1;
    static char nombre[] = "prueba";
    static char* argv[] = {nombre, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    for (int tramo : {1, 3, 50}) {
        SCOPED_TRACE(tramo);
        // Nothing inconsistent: the message, and the screen closes.
        interaccion.mensajes.clear();
        Tfchequeosaldos limpio(sesion, interaccion, manejador);
        limpio.setTamanoTramo(tramo);
        QSignalSpy cerro(&limpio, &Tfchequeosaldos::cerrar);
        limpio.setInicial("861");
        limpio.setFinal("864");
        ASSERT_TRUE(limpio.recalcular()) << mensajes().toStdString();
        EXPECT_EQ(interaccion.de("informacion"), QStringList{Tfchequeosaldos::kExito});
        EXPECT_EQ(cerro.count(), 1);

        // Two stored balances tampered with: both listed and repaired.
        ejecutar("update SALDOS_DOC_CXPAGAR set SALDON = SALDON + 1 where TIPO = 51 and TERC_NIT in ('862', '864')");
        interaccion.mensajes.clear();
        Tfchequeosaldos t(sesion, interaccion, manejador);
        t.setTamanoTramo(tramo);
        t.setEnHilo(tramo > 1);
        QSignalSpy avance(&t, &Tfchequeosaldos::progreso);
        QSignalSpy errores(&t, &Tfchequeosaldos::mostrarErrores);
        interaccion.elecciones = {QVariantMap{{"nit", "861"}}, QVariantMap{{"nit", "864"}}};
        t.buscarInicial();  // the creditor search's choice
        EXPECT_FALSE(t.puedeRecalcular());
        t.buscarFinal();
        ASSERT_TRUE(t.puedeRecalcular());
        ASSERT_TRUE(t.recalcular());
        EXPECT_EQ(interaccion.de("informacion"), QStringList{Tfchequeosaldos::kConErrores});
        EXPECT_EQ(errores.count(), 1);
        ASSERT_FALSE(avance.isEmpty());
        EXPECT_EQ(avance.last(), (QVariantList{4, 4}));
        ASSERT_EQ(t.errores().recordCount(), 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(t.errores().row(i).asInt("ID"), cargos[size_t(1 + 2 * i)]->id);
            EXPECT_TRUE(t.errores().row(i).asString("ERROR").startsWith("SALDO GUARDADO"));
        }
        EXPECT_TRUE(t.inicial().isEmpty() && t.ultimo().isEmpty());
        EXPECT_EQ(contar("select count(*) from CHEQUEO_SALDOS_DOC_CXPAGAR('', 'zz')"), 0);
    }
    Tfchequeosaldos vacio(sesion, interaccion, manejador);
    vacio.setFinal("864");
    EXPECT_FALSE(vacio.recalcular());
    EXPECT_EQ(interaccion.de("informacion").last(), Tfchequeosaldos::kSinRango);
}

// ---- user procedures

class Procedimientos : public Mantenimiento {
protected:
    void SetUp() override {
        Mantenimiento::SetUp();
        // A procedure that answers its text arguments back.
        ejecutar("create procedure ECO (D date, H date, A varchar(60), B varchar(60)) "
                 "returns (DESDE date, HASTA date, PRIMERO varchar(60), SEGUNDO varchar(60), VALOR numeric(15,2)) as "
                 "begin DESDE = D; HASTA = H; PRIMERO = A; SEGUNDO = B; VALOR = 1.25; suspend; VALOR = 2; suspend; end");
        ejecutar("create procedure FECHAS (D date, H date) returns (DIAS integer) as begin DIAS = H - D; suspend; end");
        ejecutar("delete from PROCEDIMIENTOS_USUARIO");
        ejecutar("insert into PROCEDIMIENTOS_USUARIO (PRUS_COD, PRUS_NOMBRE, PRUS_SP, PRUS_PARAM1, PRUS_PARAM3, PRUS_MODULO) "
                 "values (1, 'Eco', 'ECO', 'Uno', 'Tres', 'C. X PAGAR')");
        ejecutar("insert into PROCEDIMIENTOS_USUARIO (PRUS_COD, PRUS_NOMBRE, PRUS_SP, PRUS_MODULO) "
                 "values (2, 'Fechas', 'FECHAS', 'C. X PAGAR')");
        ejecutar("insert into PROCEDIMIENTOS_USUARIO (PRUS_COD, PRUS_NOMBRE, PRUS_SP, PRUS_MODULO) "
                 "values (3, 'DV', 'CALCULE_DV', 'C. X PAGAR')");
        ejecutar("insert into PROCEDIMIENTOS_USUARIO (PRUS_COD, PRUS_NOMBRE, PRUS_SP, PRUS_MODULO) "
                 "values (4, 'No existe', 'NO_EXISTE', 'C. X PAGAR')");
        ejecutar("insert into PROCEDIMIENTOS_USUARIO (PRUS_COD, PRUS_NOMBRE, PRUS_SP, PRUS_MODULO) "
                 "values (5, 'Cartera', 'FECHAS', 'CARTERA')");
    }
};

TEST_F(Procedimientos, CatalogoDelModuloYMesEnCurso) {
    for (const auto& [modulo, filas] : {std::pair{"C. X PAGAR", 4}, {"CARTERA", 1}, {"MANTENIMIENTO", 5}}) {
        sesion.modulo_actual = modulo;
        Tfprocedimientos p(sesion, interaccion, manejador);
        p.setHoy([] { return QDate(2024, 2, 10); });
        ASSERT_TRUE(p.abrir());
        EXPECT_EQ(p.catalogo().recordCount(), filas) << modulo;
        EXPECT_EQ(p.desde(), QDate(2024, 2, 1));
        EXPECT_EQ(p.hasta(), QDate(2024, 2, 29));
    }
}

TEST_F(Procedimientos, ParametrosEnOrdenDeTitulosYCasillaUnoObligatoria) {
    struct Caso {
        int fila;
        const char* uno;
        const char* tres;
        bool corre;
        int filas;
        QString primero, segundo;  // ECO's answer
    };
    const Caso casos[] = {
        {0, "O'Brien", "tercero", true, 2, "O'Brien", "tercero"},  // captions 1 and 3: two texts
        {0, "", "tercero", false, 0, {}, {}},
        {1, "", "", false, 0, {}, {}},  // no caption 1, box 1 still required
        {1, "x", "", true, 1, {}, {}},  // and then only the dates go
        {2, "", "", true, -1, {}, {}},  // CALCULE_DV needs nothing
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.fila);
        interaccion.mensajes.clear();
        Tfprocedimientos p(sesion, interaccion, manejador);
        ASSERT_TRUE(p.abrir());
        p.elegir(c.fila);
        EXPECT_EQ(p.fechasVisibles(), c.fila != 2);
        p.setParametro(0, c.uno);
        p.setParametro(2, c.tres);
        EXPECT_EQ(p.generar(), c.corre) << mensajes().toStdString();
        if (!c.corre) {
            EXPECT_EQ(interaccion.de("error"), QStringList{Tfprocedimientos::kFaltaParametro});
            continue;
        }
        if (c.filas >= 0) EXPECT_EQ(p.resultado().recordCount(), c.filas);
        EXPECT_EQ(p.conTotales(), c.fila != 2);
        if (c.fila == 0) {
            EXPECT_EQ(p.resultado().asString("PRIMERO"), c.primero);
            EXPECT_EQ(p.resultado().asString("SEGUNDO"), c.segundo);
            EXPECT_EQ(p.resultado().asDate("HASTA"), p.hasta());
            EXPECT_EQ(p.total("VALOR"), Dinero::desdeTexto(u"3.25"));
        }
    }
}

TEST_F(Procedimientos, ProcedimientoInexistenteVaAlManejadorYLaRejillaQueda) {
    Tfprocedimientos p(sesion, interaccion, manejador);
    ASSERT_TRUE(p.abrir());
    p.elegir(1);
    p.setParametro(0, "x");
    ASSERT_TRUE(p.generar());
    p.elegir(3);
    interaccion.mensajes.clear();
    EXPECT_FALSE(p.generar());
    ASSERT_EQ(interaccion.de("error").size(), 1);
    EXPECT_TRUE(interaccion.de("error")[0].startsWith("Se presento el siguiente error: ")) << mensajes().toStdString();
    EXPECT_TRUE(interaccion.de("error")[0].contains("NO_EXISTE"));
    EXPECT_EQ(p.resultado().recordCount(), 1);
    EXPECT_GE(p.resultado().fieldIndex("DIAS"), 0);
}

// ---- the shipped procedures on a small set

TEST_F(Mantenimiento, ProcedimientosDelCatalogo) {
    const QDate ene(2026, 1, 10), feb(2026, 2, 10), mar(2026, 3, 10);
    for (const char* nit : {"900456789", "901234567", "830045678"}) l->acreedor(nit);
    ejecutar("update TERCEROS set TERC_DV = iif(TERC_NIT = '901234567', '0', ?)", {QString::number(*dv(u"900456789"))});
    ejecutar("update TERCEROS set TERC_DV = ? where TERC_NIT = '830045678'", {QString::number(*dv(u"830045678"))});
    auto& c1 = l->cargo("900456789", ene, 100000, 19000, {2500, 0, 966, 0}, 40);
    l->cargo("900456789", feb, 50000, 0, {1250, 0, 0, 0}, 40);
    l->descuento("900456789", feb, 10000, 0, {250, 0, 0, 0});
    auto& c2 = l->cargo("901234567", ene, 30000, 0, {}, 20);
    auto& e = l->egreso("901234567", mar, {libro::Linea{51, c2.id, 30000, 0, {}}});
    ejecutar("insert into EGRESOS_BANCO (EGRE_ID, CUBA_COD, EGBC_NUMERO, PRBA_PREF, EGBC_MONTO) values (?, 7, '004513', 'CHB', 300)",
             {e.id});
    l->cargo("830045678", QDate(2025, 6, 1), 20000);

    const auto dvs = filas("select NIT, DV_CALCULADO, DIFERENTE from CALCULE_DV where NIT in ('900456789', '901234567', '830045678')");
    ASSERT_EQ(dvs.size(), 3u);
    for (const fb::Row& r : dvs) {
        EXPECT_EQ(r[1].toString(), QString::number(*dv(r[0].toString())));
        EXPECT_EQ(r[2].toString(), r[0].toString() == "901234567" && *dv(u"901234567") != 0 ? "S" : "N");
    }
    // Withholdings by month and kind: the discount gives its share back.
    const auto ret = filas("select MES, CONCEPTO, DOCUMENTOS, VALOR from RETENCIONES_MES_CXPAGAR('2026/01/01', '2026/03/31', '900', '')");
    QStringList vistos;
    for (const fb::Row& r : ret)
        vistos << r[0].toString() + " " + r[1].toString() + " " + r[2].toString() + " " + r[3].toString();
    EXPECT_EQ(vistos, (QStringList{"2026/01 RETENCION EN LA FUENTE 1 25.00", "2026/01 RETENCION DE ICA 1 9.66",
                                   "2026/02 RETENCION EN LA FUENTE 2 10.00"}));
    const auto pagos = filas("select CUENTA, CHEQUE, VALOR, NIT from PAGOS_BANCO_CXPAGAR('2026/03/01', '2026/03/31', '0', '')");
    ASSERT_EQ(pagos.size(), 1u);
    EXPECT_EQ(pagos[0][1].toString(), "CHB 004513");
    // Due in February: the January charge of 900456789 (40 days); the paid one is not open.
    const auto vence = filas("select NIT, TIPO, SALDO from VENCIMIENTOS_CXPAGAR('2026/02/01', '2026/02/28', '0', '')");
    ASSERT_EQ(vence.size(), 1u);
    EXPECT_EQ(vence[0][2].toString(), libro::dinero(c1.neto()).toString());
    // Without movement since January: only the creditor whose last document is older.
    const auto quietos = filas("select NIT, ULTIMO_MOVIMIENTO from ACREEDORES_SIN_MOVIMIENTO('2026/01/01', '2026/12/31', '0', '')");
    ASSERT_EQ(quietos.size(), 1u);
    EXPECT_EQ(quietos[0][0].toString(), "830045678");
    EXPECT_EQ(quietos[0][1].toDate(), QDate(2025, 6, 1));
}

}  // namespace
