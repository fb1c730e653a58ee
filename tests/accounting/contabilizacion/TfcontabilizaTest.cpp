// The review window's logic on pending vouchers written by the test, and
// the ledger voucher editor on a ledger voucher: when the window is
// needed, the self-save, the balance checks, line numbers, the line rules
// and their messages in order, the earlier ledger voucher replaced by the
// finalization under its number, and the close rules.
#include "accounting/contabilizacion/Contabilizador.h"
#include "accounting/contabilizacion/Cuadre.h"
#include "accounting/contabilizacion/Tfcontabiliza.h"
#include "accounting/contabilizacion/Tfedtmovimien.h"
#include "tests/accounting/contabilizacion/Entorno.h"

#include <QSignalSpy>
#include <QTest>

using namespace cxp;
using namespace prueba;

namespace {

const QString kGeneral = QStringLiteral("GENERAL");

class Revision : public EntornoContabilizacion {
protected:
    // The line rules are told on vouchers of a year before the NIIF opening:
    // a local voucher alone is then complete.
    void SetUp() override {
        EntornoContabilizacion::SetUp();
        configurar(kGeneral, QStringLiteral("ANO BALANCE DE APERTURA NIIF"), QStringLiteral("2099"));
    }
    std::unique_ptr<Tfcontabiliza> abrir(int tipo, int id, bool mostrar) {
        contexto.fijarDocumento(tipo, id);
        contexto.mostrar = mostrar;
        auto v = std::make_unique<Tfcontabiliza>(sesion, interaccion, manejador, configuracion, contexto);
        EXPECT_TRUE(v->abrir());
        EXPECT_EQ(contexto.tipo, 0);
        EXPECT_EQ(contexto.id, 0);
        return v;
    }
    void poner(DataSet& ds, const QString& campo, const fb::Value& valor) {
        if (ds.state() == DataSet::State::Browse) ds.edit();
        ds.setValue(campo, valor);
    }
    static fb::Value pesos(const char* t) { return fb::Decimal{int64_t(QString::fromLatin1(t).toDouble() * 100), -2}; }
};

TEST_F(Revision, NoNecesariaSinLineasNiMostrar) {
    pendiente(51, 7, {});
    EXPECT_FALSE(abrir(51, 7, false)->necesaria());
    EXPECT_TRUE(abrir(51, 7, true)->necesaria());
    pendiente(51, 8, {{1, "110505", "10", "0"}});
    EXPECT_TRUE(abrir(51, 8, false)->necesaria());
}

TEST_F(Revision, SinConfirmacionSeGrabaSolaAlActivarse) {
    pendiente(51, 7, {{1, "110505", "100", "0"}, {2, "220505", "0", "100", "800100"},
                      {100002, "110505", "100", "0"}, {100003, "220505", "0", "100", "800100"}});
    auto v = abrir(51, 7, false);
    QSignalSpy fin(v.get(), &Tfcontabiliza::terminar);
    EXPECT_FALSE(v->temporizador().isActive());
    v->activar();
    EXPECT_TRUE(v->temporizador().isActive());
    EXPECT_EQ(v->temporizador().interval(), 20);
    QTest::qWait(40);
    ASSERT_EQ(fin.count(), 1);
    EXPECT_TRUE(fin.at(0).at(0).toBool());
    EXPECT_EQ(v->resultado(), Tfcontabiliza::Resultado::Aceptado);
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << mensajes().toStdString();
}

TEST_F(Revision, DescuadradoSeQuedaConSuMensaje) {
    struct Caso {
        std::vector<Linea> lineas;
        QString mensaje;
        int pestana;
    };
    const std::vector<Caso> casos{
        {{{1, "110505", "100", "0"}, {2, "220505", "0", "90", "800100"}, {100002, "110505", "5", "0"}},
         "No puede grabar un comprobante descuadrado", Tfcontabiliza::Local},
        {{{1, "110505", "100", "0"}, {2, "220505", "0", "100", "800100"}, {100002, "110505", "5", "0"}},
         "No puede grabar un comprobante NIIF descuadrado", Tfcontabiliza::Niif}};
    int id = 10;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensaje.toStdString());
        interaccion.mensajes.clear();
        pendiente(51, ++id, c.lineas);
        auto v = abrir(51, id, false);
        QSignalSpy fin(v.get(), &Tfcontabiliza::terminar);
        v->setPestana(1 - c.pestana);
        v->activar();
        QTest::qWait(40);
        EXPECT_EQ(fin.count(), 0);
        EXPECT_FALSE(v->temporizador().isActive());
        EXPECT_EQ(interaccion.de("error"), QStringList{c.mensaje});
        EXPECT_EQ(v->pestana(), c.pestana);
        EXPECT_EQ(v->resultado(), Tfcontabiliza::Resultado::Pendiente);
    }
    // The company may allow it.
    interaccion.mensajes.clear();
    configurar(kGeneral, QStringLiteral("PERMITIR COMPROBANTES DESCUADRADOS"), QStringLiteral("SI"));
    auto v = abrir(51, id, true);
    EXPECT_TRUE(v->grabar());
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
}

TEST_F(Revision, PrimerasLineasAManoEn2Y100002) {
    pendiente(51, 7, {});
    auto v = abrir(51, 7, true);
    ASSERT_TRUE(v->nuevaLinea());
    EXPECT_EQ(v->lineas().asInt("CNDE_ITEM"), 2);
    poner(v->lineas(), "CNDE_CUENTA", "110505");
    poner(v->lineas(), "CNDE_DEBITOS", pesos("10"));
    v->setPestana(Tfcontabiliza::Niif);
    ASSERT_TRUE(v->nuevaLinea());
    EXPECT_EQ(v->lineas().asInt("CNDE_ITEM"), 100002);
    ASSERT_TRUE(v->nuevaLinea());  // the empty NIIF line is dropped
    EXPECT_EQ(v->lineas().asInt("CNDE_ITEM"), 100003);
    // Numbers follow the stored ones.
    pendiente(52, 7, {{5, "110505", "1", "0"}, {100009, "110505", "1", "0"}});
    auto w = abrir(52, 7, true);
    EXPECT_EQ(w->ultimoLocal(), 5);
    EXPECT_EQ(w->ultimoNiif(), 100009);
}

TEST_F(Revision, BaseYPorcentajeDanElValor) {
    pendiente(51, 7, {{1, "110505", "100", "0"}});
    auto v = abrir(51, 7, true);
    DataSet& l = v->lineas();
    ASSERT_TRUE(v->nuevaLinea());
    poner(l, "CNDE_CUENTA", "110505");
    poner(l, "CNDE_BASE", pesos("-1000"));
    poner(l, "CNDE_PORC", fb::Decimal{100000, -4});
    EXPECT_EQ(l.asDinero("CNDE_CREDITOS"), Dinero::desdeEntero(100));
    EXPECT_EQ(l.asDinero("CNDE_DEBITOS"), Dinero());
    // A positive base takes the account's own percentage (0 here); the
    // percentage typed after it computes the debit.
    poner(l, "CNDE_BASE", pesos("1000"));
    EXPECT_EQ(l.asDinero("CNDE_PORC"), Dinero());
    poner(l, "CNDE_PORC", fb::Decimal{100000, -4});
    EXPECT_EQ(l.asDinero("CNDE_DEBITOS"), Dinero::desdeEntero(100));
    EXPECT_EQ(l.asDinero("CNDE_CREDITOS"), Dinero());
    // Debit and credit exclude each other.
    poner(l, "CNDE_CREDITOS", pesos("3"));
    EXPECT_EQ(l.asDinero("CNDE_DEBITOS"), Dinero());
    // A withholding account from its minimum base on takes its percentage (4).
    poner(l, "CNDE_CUENTA", "236525");
    poner(l, "CNDE_BASE", pesos("999"));
    EXPECT_EQ(l.asDinero("CNDE_PORC"), Dinero::desdeEntero(10));
    poner(l, "CNDE_BASE", pesos("2000"));
    EXPECT_EQ(l.asDinero("CNDE_PORC"), Dinero::desdeEntero(4));
    EXPECT_EQ(l.asDinero("CNDE_DEBITOS"), Dinero::desdeEntero(80));
    // F5 balances the chart: 100 + 80 debit, so a new line takes 180 credit.
    ASSERT_TRUE(v->nuevaLinea());
    poner(l, "CNDE_CUENTA", "110505");
    v->sugerir();
    EXPECT_EQ(l.asDinero("CNDE_CREDITOS"), Dinero::desdeEntero(180));
}

TEST_F(Revision, ComillaRepiteLaLineaAnteriorYVaciosTomanElEncabezado) {
    pendiente(51, 7, {{1, "220505", "100", "0", "800100", "PAGO ARRIENDO"}});
    auto v = abrir(51, 7, true);
    DataSet& l = v->lineas();
    ASSERT_TRUE(v->nuevaLinea());
    poner(l, "CNDE_CONC", "\"");
    EXPECT_EQ(l.asString("CNDE_CONC"), "PAGO ARRIENDO");
    poner(l, "CNDE_TERC", "\"");
    EXPECT_EQ(l.asString("CNDE_TERC"), "800100");
    // Leaving an empty reference takes the header's; an empty third party
    // of an account that needs one takes the previous line's.
    poner(l, "CNDE_CUENTA", "220505");
    poner(l, "CNDE_TERC", fb::Value());
    v->reglas().alSalirColumna("CNDE_TERC");
    EXPECT_EQ(l.asString("CNDE_TERC"), "800100");
    v->reglas().alSalirColumna("CNDE_REF");
    EXPECT_EQ(l.asString("CNDE_REF"), "R-1");
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << mensajes().toStdString();
}

TEST_F(Revision, TerceroYCentroSeVerificanAlDigitarlos) {
    pendiente(51, 7, {{1, "110505", "100", "0"}});
    auto v = abrir(51, 7, true);
    DataSet& l = v->lineas();
    ASSERT_TRUE(v->nuevaLinea());
    interaccion.respuestas = {false};
    poner(l, "CNDE_TERC", "123");
    EXPECT_EQ(interaccion.de("pregunta"), QStringList{"Tercero no encontrado. Desea crearlo?"});
    EXPECT_TRUE(l.isNull("CNDE_TERC"));
    // The lookup.
    interaccion.elecciones.push_back(QVariantMap{{"nit", "800100"}});
    poner(l, "CNDE_TERC", "AC?");
    EXPECT_EQ(l.asString("CNDE_TERC"), "800100");
    // Centre 01-02 belongs to agency 2: refused to agency 1 when filtering.
    poner(l, "CNDE_PROY", "01");
    poner(l, "CNDE_CENTRO", "02");
    EXPECT_EQ(l.asString("CNDE_CENTRO"), "02");
    v->reglas().setFiltroAgencia(true, 1);
    poner(l, "CNDE_CENTRO", "01");
    poner(l, "CNDE_CENTRO", "02");
    EXPECT_EQ(interaccion.de("error"), QStringList{"Centro-subcentro no encontrado."});
    EXPECT_TRUE(l.isNull("CNDE_PROY"));
    EXPECT_TRUE(l.isNull("CNDE_CENTRO"));
    // The "Activo" box for a fixed-asset account.
    QSignalSpy activo(v.get(), &Tfcontabiliza::activoVisible);
    poner(l, "CNDE_CUENTA", "152405");
    v->reglas().alSalirColumna("CNDE_CUENTA");
    poner(l, "CNDE_CUENTA", "110505");
    v->reglas().alSalirColumna("CNDE_CUENTA");
    ASSERT_EQ(activo.count(), 2);
    EXPECT_TRUE(activo.at(0).at(0).toBool());
    EXPECT_FALSE(activo.at(1).at(0).toBool());
}

TEST_F(Revision, ValidacionDeLineaEnSuOrden) {
    pendiente(51, 7, {{1, "110505", "100", "0"}});
    struct Caso {
        std::vector<std::pair<QString, fb::Value>> valores;
        QString mensaje;
    };
    const std::vector<Caso> casos{
        {{{"CNDE_DEBITOS", pesos("5")}}, "Debe indicar una cuenta para el movimiento."},
        {{{"CNDE_CUENTA", "236540"}, {"CNDE_DEBITOS", pesos("5")}}, "Debe indicar un NIT para el movimiento."},
        {{{"CNDE_CUENTA", "236540"}, {"CNDE_TERC", "800100"}}, "Debe indicar una base para el movimiento."},
        {{{"CNDE_CUENTA", "236540"}, {"CNDE_TERC", "800100"}, {"CNDE_BASE", pesos("50")}},
         "Debe indicar un porcentaje para el movimiento."},
        {{{"CNDE_CUENTA", "220505"}, {"CNDE_CREDITOS", pesos("5")}}, "Debe indicar un NIT para el movimiento."},
        {{{"CNDE_CUENTA", "513505"}, {"CNDE_PROY", "01"}, {"CNDE_DEBITOS", pesos("5")}},
         "Debe indicar un Proyecto-Centro para el movimiento."},
        {{{"CNDE_CUENTA", "110505"}},
         "Debe indicar un valor débito o crédito para la cuenta 110505 o eliminar el registro completo."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensaje.toStdString());
        interaccion.mensajes.clear();
        auto v = abrir(51, 7, false);
        v->activar();
        ASSERT_TRUE(v->nuevaLinea());
        for (const auto& [campo, valor] : c.valores) poner(v->lineas(), campo, valor);
        EXPECT_FALSE(v->grabar());
        EXPECT_EQ(interaccion.de("error"), QStringList{c.mensaje});
        EXPECT_EQ(v->lineas().state(), DataSet::State::Insert);
        EXPECT_FALSE(v->temporizador().isActive());
    }
    // A line with nothing in it is dropped silently.
    interaccion.mensajes.clear();
    auto v = abrir(51, 7, true);
    ASSERT_TRUE(v->nuevaLinea());
    EXPECT_TRUE(v->reglas().guardarLinea());
    EXPECT_EQ(v->lineas().recordCount(), 1);
    EXPECT_TRUE(interaccion.mensajes.isEmpty());
}

TEST_F(Revision, CuentaFueraDelPlanSeGuardaSinVerificar) {
    const int cntb = pendiente(51, 7, {{1, "999999", "0", "0"}, {100002, "888888", "0", "0"}});
    auto v = abrir(51, 7, true);
    DataSet& l = v->lineas();
    l.first();
    poner(l, "CNDE_CONC", "SIN CUENTA EN EL PLAN");
    EXPECT_TRUE(v->reglas().guardarLinea());
    ASSERT_TRUE(v->grabar());
    EXPECT_TRUE(interaccion.mensajes.isEmpty()) << mensajes().toStdString();
    EXPECT_EQ(entero(QStringLiteral("select count(*) from contabilizacion_det where cntb_id = %1 and cnde_conc = "
                                    "'SIN CUENTA EN EL PLAN'").arg(cntb)),
              1);
}

// The window leaves the document's earlier ledger voucher alone; the
// finalization replaces it in its one transaction, under the same number:
// a failed finalization leaves it whole.
TEST_F(Revision, ElComprobanteAnteriorSeReemplazaAlFinalizarConSuNumero) {
    ejecutar(QStringLiteral("insert into PREFIJOS_CONTA (TICO_COD, PRCO_PREF, PREF_NUMERO) values ('CXP', '0000', '000050')"));
    const int anterior = comprobante(51, 7, {{1, "110505", "10", "0"}, {2, "220505", "0", "10"}},
                                     {{1, "110505", "10", "0"}, {2, "220505", "0", "10"}});
    const int otro = comprobante(52, 7, {{1, "110505", "10", "0"}}, {});
    const int cntb = pendiente(51, 7, {{1, "110505", "30", "0"}, {2, "220505", "0", "30", "800100"}});
    auto v = abrir(51, 7, true);
    ASSERT_TRUE(v->grabar()) << mensajes().toStdString();
    const QString cuenta = QStringLiteral("select count(*) from %1 where enco_consec = %2");
    auto anteriorEntero = [&] {
        EXPECT_EQ(entero(cuenta.arg("comprobante_encabezado").arg(anterior)), 1);
        EXPECT_EQ(entero(cuenta.arg("comprobante_detalle").arg(anterior)), 2);
        EXPECT_EQ(entero(cuenta.arg("comprobante_detalle_niif").arg(anterior)), 2);
    };
    anteriorEntero();

    ejecutar(QStringLiteral("create exception PRUEBA_FALLA 'rechazado'"));
    ejecutar(QStringLiteral("create trigger PRUEBA_FALLA_BI for COMPROBANTE_DETALLE before insert as begin "
                            "if (rdb$get_context('USER_SESSION', 'FALLA') = 'S') then exception PRUEBA_FALLA; end"));
    ejecutar(QStringLiteral("execute block as declare x integer; begin x = rdb$set_context('USER_SESSION', 'FALLA', 'S'); end"));
    Contabilizador finalizar(sesion.compania, interaccion, configuracion, contexto);
    EXPECT_THROW(finalizar.contabiliza_pendiente(cntb), fb::DbError);
    anteriorEntero();

    ejecutar(QStringLiteral("execute block as declare x integer; begin x = rdb$set_context('USER_SESSION', 'FALLA', null); end"));
    finalizar.contabiliza_pendiente(cntb);
    for (const char* tabla : {"comprobante_encabezado", "comprobante_detalle", "comprobante_detalle_niif"})
        EXPECT_EQ(entero(cuenta.arg(QString::fromLatin1(tabla)).arg(anterior)), 0) << tabla;
    EXPECT_EQ(entero(QStringLiteral("select cast(enco_numero as integer) from comprobante_encabezado "
                                    "where enco_tiporef = 51 and enco_idref = 7")),
              anterior) << "conserva su número";
    EXPECT_EQ(entero(cuenta.arg("comprobante_encabezado").arg(otro)), 1);
    EXPECT_EQ(entero(QStringLiteral("select cast(pref_numero as integer) from prefijos_conta where tico_cod = 'CXP'")), 50);
}

// A voucher of a NIIF year without NIIF lines, or with them unbalanced, is
// refused; when the NIIF grid is read-only the clerk may close the window
// (the document stays pending), never held in it.
TEST_F(Revision, NiifFaltanteODescuadradoNoAtrapa) {
    configurar(kGeneral, QStringLiteral("ANO BALANCE DE APERTURA NIIF"), QStringLiteral("2015"));
    struct Caso {
        bool conNiif;
        bool editable;
        QString mensaje;
    };
    const Caso casos[] = {
        {false, true, Tfcontabiliza::kSinNiif},
        {false, false, Tfcontabiliza::kSinNiif},
        {true, false, kDescuadradoNiif},
        {true, true, kDescuadradoNiif},
    };
    int id = 10;
    for (const Caso& k : casos) {
        SCOPED_TRACE(QStringLiteral("niif %1 editable %2").arg(k.conNiif).arg(k.editable).toStdString());
        configurar(kGeneral, QStringLiteral("GENERAR COMPROBANTES DE NIIF POR INTERFAZ O EQUIVALENCIAS"),
                   k.editable ? QStringLiteral("INTERFAZ") : QStringLiteral("EQUIVALENCIAS"));
        std::vector<Linea> lineas{{1, "110505", "30", "0"}, {2, "220505", "0", "30", "800100"}};
        if (k.conNiif) lineas.push_back({100001, "110505", "30", "0"});
        pendiente(51, ++id, lineas);
        interaccion.mensajes.clear();
        interaccion.respuestas.clear();
        auto v = abrir(51, id, true);
        EXPECT_FALSE(v->grabar());
        EXPECT_EQ(interaccion.de("error").value(0), k.mensaje);
        EXPECT_EQ(v->pestana(), Tfcontabiliza::Niif);
        interaccion.respuestas = {true};
        EXPECT_EQ(v->pedirCierre(), !k.editable);
    }
}

TEST_F(Revision, CerrarSinGrabarSegunConfiguracion) {
    pendiente(51, 7, {{1, "110505", "100", "0"}, {2, "220505", "0", "100", "800100"}});
    {
        auto v = abrir(51, 7, true);
        EXPECT_FALSE(v->permiteCerrarSinGrabar());
        EXPECT_FALSE(v->pedirCierre());
        EXPECT_EQ(interaccion.de("error"), QStringList{"Es necesario grabar el comprobante para poder cerrar"});
        // Esc on a line being entered only drops the line.
        QSignalSpy fin(v.get(), &Tfcontabiliza::terminar);
        ASSERT_TRUE(v->nuevaLinea());
        v->escape(true);
        EXPECT_EQ(v->lineas().recordCount(), 2);
        EXPECT_EQ(fin.count(), 0);
    }
    configurar(kGeneral, QStringLiteral("PERMITIR CERRAR LA VENTANA DE CONTABILIZACION SIN GRABAR EL COMPROBANTE"),
               QStringLiteral("SI"));
    interaccion.mensajes.clear();
    {
        auto v = abrir(51, 7, true);
        EXPECT_TRUE(v->pedirCierre());  // nothing changed: no question
        EXPECT_EQ(v->resultado(), Tfcontabiliza::Resultado::Cancelado);
    }
    {
        auto v = abrir(51, 7, true);
        poner(v->encabezado(), "CNTB_CONCEPTO", "OTRO");
        interaccion.respuestas = {false, true};
        EXPECT_FALSE(v->pedirCierre());
        QSignalSpy fin(v.get(), &Tfcontabiliza::terminar);
        v->escape(false);
        ASSERT_EQ(fin.count(), 1);
        EXPECT_FALSE(fin.at(0).at(0).toBool());
        EXPECT_EQ(interaccion.de("pregunta"),
                  (QStringList{"Desea salir del comprobante y perder los movimientos que no ha grabado?",
                               "Desea salir del comprobante y perder los movimientos que no ha grabado?"}));
    }
    EXPECT_EQ(entero("select count(*) from contabilizacion where cntb_concepto = 'OTRO'"), 0);
}

TEST_F(Revision, PlantillaReemplazaLasLineas) {
    ejecutar("insert into PLANTILLA_ENCABEZADO (PLAN_ID, TICO_COD, PLAN_CONCEPTO) values (3, 'CXP', 'ARRIENDO')");
    ejecutar("insert into PLANTILLA_DETALLE (PLAN_ID, PLDE_ITEM, CUEN_COD, TERC_NIT, PLDE_CONCEPTO, PLDE_DEBITOS, "
             "PLDE_CREDITOS) values (3, 1, '110505', null, 'ARRIENDO MARZO', 250, 0)");
    ejecutar("insert into PLANTILLA_DETALLE (PLAN_ID, PLDE_ITEM, CUEN_COD, TERC_NIT, PLDE_CONCEPTO, PLDE_DEBITOS, "
             "PLDE_CREDITOS) values (3, 2, '220505', '800100', 'ARRIENDO MARZO', 0, 250)");
    pendiente(51, 7, {{1, "110505", "100", "0"}});
    auto v = abrir(51, 7, true);
    interaccion.elecciones = {QVariantMap{{"plantilla", 3}}, QVariantMap{{"plantilla", 3}}};
    interaccion.respuestas = {false, true};
    EXPECT_FALSE(v->plantilla());
    EXPECT_EQ(v->lineas().recordCount(), 1);
    EXPECT_TRUE(v->plantilla());
    EXPECT_EQ(interaccion.de("pregunta").size(), 2);
    EXPECT_EQ(interaccion.de("pregunta").at(0),
              "Al traer la plantilla perderá los movimientos digitados en el comprobante, Continuar?");
    ASSERT_EQ(v->lineas().recordCount(), 2);
    EXPECT_EQ(v->encabezado().asString("CNTB_CONCEPTO"), "ARRIENDO MARZO");
    EXPECT_TRUE(v->grabar()) << mensajes().toStdString();
    EXPECT_EQ(entero("select sum(cnde_creditos) from contabilizacion_det"), 250);
}

// ---- the ledger voucher editor

TEST_F(Revision, EditorGrabaCuadradoYRechazaDescuadrado) {
    const int consec = comprobante(51, 7, {{1, "110505", "10", "0"}, {2, "220505", "0", "10"}},
                                   {{1, "110505", "10", "0"}, {2, "220505", "0", "10"}});
    Tfedtmovimien e(sesion, interaccion, manejador, configuracion);
    ASSERT_TRUE(e.abrir(consec));
    DataSet& local = e.detalle(Tfedtmovimien::Local);
    local.first();
    poner(local, "CODE_DEBITOS", pesos("25"));
    local.last();
    poner(local, "TERC_NIT", "800100");
    poner(local, "CODE_CREDITOS", pesos("25"));
    ASSERT_TRUE(e.grabar()) << mensajes().toStdString();
    EXPECT_EQ(entero(QStringLiteral("select sum(code_debitos) from comprobante_detalle where enco_consec = %1").arg(consec)),
              25);

    // One more NIIF line unbalances the NIIF chart.
    e.setPestana(Tfedtmovimien::Niif);
    ASSERT_TRUE(e.nuevaLinea());
    DataSet& niif = e.detalle(Tfedtmovimien::Niif);
    EXPECT_EQ(niif.asInt("CODE_ITEM"), 3);
    poner(niif, "CUEN_COD", "110505");
    poner(niif, "CODE_DEBITOS", pesos("1"));
    e.setPestana(Tfedtmovimien::Local);
    EXPECT_FALSE(e.grabar());
    EXPECT_EQ(interaccion.de("error"), QStringList{"No puede grabar un comprobante NIIF descuadrado"});
    EXPECT_EQ(e.pestana(), Tfedtmovimien::Niif);
    EXPECT_EQ(entero(QStringLiteral("select count(*) from comprobante_detalle_niif where enco_consec = %1").arg(consec)),
              2);
    // Leaving asks before the change is lost.
    interaccion.respuestas = {true};
    EXPECT_TRUE(e.pedirCierre());

    Tfedtmovimien ninguno(sesion, interaccion, manejador, configuracion);
    EXPECT_FALSE(ninguno.abrir(consec + 100));
}

}  // namespace
