// The payment voucher's logic on a scratch company: the amount and the
// means of payment at the save, the panels one at a time, the automatic
// checkbook, the advances a closing deletes, and a save that fails whole.
#include "documents/advances/Tfanticiposprov.h"
#include "documents/payments/FormasPago.h"
#include "documents/payments/Tfegresos.h"
#include "tests/creditors/Entorno.h"

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }

class Egreso : public prueba::EntornoAcreedores {
protected:
    QStringList llamadas;

    void SetUp() override {
        EntornoAcreedores::SetUp();
        unTercero("900456789", "SUMINISTROS ANDINOS S.A.S.", true);
        unTercero("800111222", "CLIENTE SIN CREDITO", false);
        ejecutar("insert into CAJAS (CAJA_ID, CAJA_NOMBRE, CAJA_ACTIVA, CAJA_PREDET) values (1, 'MENOR', 'S', 'N')");
        ejecutar("insert into CAJAS (CAJA_ID, CAJA_NOMBRE, CAJA_ACTIVA, CAJA_PREDET) values (2, 'GENERAL', 'S', 'S')");
        ejecutar("insert into FORMAS_PAGO (FOPA_ID, FOPA_NOM) values (1, 'EFECTIVO')");
        ejecutar("insert into CUENTAS_BANCO (CUBA_COD, CUBA_NUMERO, CUBA_TITULAR, CUBA_GMFPOR, CUBA_ESTADO) "
                 "values (1, '123-45', 'EMPRESA', 0.4, 'N')");
        ejecutar("insert into PREFIJOS_BANCOS (TIDO_COD, CUBA_COD, PRBA_PREF, PRBA_AUTO, PRBA_NUMERO, PRBA_ACTIVO) "
                 "values (72, 1, 'CH', 'S', '000100', 'S')");
        ejecutar("insert into PREFIJOS_BANCOS (TIDO_COD, CUBA_COD, PRBA_PREF, PRBA_AUTO, PRBA_NUMERO, PRBA_ACTIVO) "
                 "values (73, 1, 'RT', 'N', '000007', 'S')");
        configurar("PERMITIR REGISTRAR EGRESOS POR OTROS CONCEPTOS A PROVEEDORES", "SI", "CAJA", "EGRESOS");
    }

    std::unique_ptr<Tfegresos> pantalla() {
        ServiciosEgreso s;
        s.abreInterfaz = [this](int, const QString&, bool preguntar) { return preguntar ? 7 : 0; };
        s.contabilizar = [this](int64_t id, int, const QDate&) { llamadas << QStringLiteral("contabilizar %1").arg(id); };
        s.imprimir = [this](int64_t id) { llamadas << QStringLiteral("imprimir %1").arg(id); };
        auto p = std::make_unique<Tfegresos>(sesion, interaccion, manejador, configuracion, s);
        EXPECT_TRUE(p->abrir()) << mensajes().toStdString();
        return p;
    }
    // A payment of another concept to the creditor: no documents, the
    // amount typed.
    void otroConcepto(Tfegresos& p, const char* monto) {
        p.egreso().setValue("TERC_NIT", "900456789");
        EXPECT_EQ(p.panel(), Tfegresos::Panel::Documentos);
        EXPECT_TRUE(p.continuarDocumentos());
        EXPECT_EQ(p.egreso().asString("EGRE_TIPO"), "3");
        p.egreso().setValue("EGRE_MONTO", d(monto));
    }
    void pagar(Tfegresos& p, const char* caja, const char* banco) {
        if (*caja) {
            ASSERT_TRUE(p.abrirCaja());
            p.caja().setValue("EGCA_MONTO", d(caja));
            ASSERT_TRUE(p.continuarCaja()) << mensajes().toStdString();
        }
        if (*banco) {
            ASSERT_TRUE(p.abrirBanco()) << mensajes().toStdString();
            p.banco().setValue("EGBC_MONTO", d(banco));
            ASSERT_TRUE(p.continuarBanco()) << mensajes().toStdString();
        }
    }
    int64_t contar(const char* tabla) const {
        return filas(QStringLiteral("select count(*) from ") + QLatin1String(tabla))[0][0].toInt64();
    }
};

// The amount and the means of payment decide whether the voucher is written.
TEST_F(Egreso, MontoYFormasDePagoAlGrabar) {
    struct Caso {
        const char* nombre;
        bool permitirCero;
        const char* monto;
        const char* caja;
        const char* banco;
        QString mensaje;  // empty: saves
    };
    const Caso casos[] = {
        {"cero sin la opción", false, "0", "", "", Tfegresos::kMontoCero},
        {"cero con la opción", true, "0", "", "", {}},
        {"caja 100 + banco 50 = 150", false, "150", "100", "50", {}},
        {"caja 100 + banco 49.99 contra 150", false, "150", "100", "49.99", Tfegresos::kNoCuadra},
        {"solo caja, un centavo de más", false, "150", "150.01", "", Tfegresos::kNoCuadra},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ejecutar("delete from egresos");
        interaccion.mensajes.clear();
        llamadas.clear();
        configurar("PERMITIR EGRESOS EN CERO PARA HACER CRUCES DE SALDOS", c.permitirCero ? "SI" : "NO", "CAJA", "EGRESOS");
        auto p = pantalla();
        otroConcepto(*p, c.monto);
        pagar(*p, c.caja, c.banco);
        const bool grabo = p->grabar();
        EXPECT_EQ(grabo, c.mensaje.isEmpty()) << mensajes().toStdString();
        if (c.mensaje.isEmpty()) {
            EXPECT_EQ(contar("egresos"), 1);
            EXPECT_EQ(contar("egresos_caja"), *c.caja ? 1 : 0);
            EXPECT_EQ(contar("egresos_banco"), *c.banco ? 1 : 0);
            EXPECT_EQ(llamadas, QStringList({QStringLiteral("contabilizar %1").arg(p->ultimoId()),
                                             QStringLiteral("imprimir %1").arg(p->ultimoId())}));
            EXPECT_EQ(p->egreso().asInt("EGRE_ID"), 0) << "el siguiente egreso está en pantalla";
            const QString grabado = filas("select egre_numero from egresos")[0][0].toString();
            EXPECT_EQ(p->egreso().asString("EGRE_NUMERO").toInt(), grabado.toInt() + 1);
        } else {
            EXPECT_EQ(interaccion.de("error").last(), c.mensaje);
            EXPECT_EQ(contar("egresos"), 0);
            EXPECT_TRUE(llamadas.isEmpty());
        }
    }
}

// Each new means of payment proposes what is still unpaid; the automatic
// checkbook's number is shown and cannot be typed, a manual one can.
TEST_F(Egreso, MontosPropuestosYChequeAutomatico) {
    auto p = pantalla();
    otroConcepto(*p, "150");
    ASSERT_TRUE(p->abrirCaja());
    EXPECT_EQ(p->caja().asInt("CAJA_ID"), 2) << "la caja predeterminada";
    EXPECT_EQ(p->caja().asDinero("EGCA_MONTO"), d("150"));
    p->caja().setValue("EGCA_MONTO", d("100"));
    ASSERT_TRUE(p->continuarCaja());
    ASSERT_TRUE(p->abrirBanco());
    const DataSet& b = p->banco();
    EXPECT_EQ(b.asDinero("EGBC_MONTO"), d("50"));
    EXPECT_EQ(b.asString("EGBC_BENEF"), "SUMINISTROS ANDINOS S.A.S.");
    EXPECT_EQ(b.asString("EGBC_GMF"), "S");
    EXPECT_EQ(p->formasPago().tipos(), QStringList({"CHEQUE", "RETIRO"}));
    EXPECT_EQ(b.asInt("EGBC_TIPOBCO"), 72);
    EXPECT_EQ(b.asString("EGBC_NUMERO"), "000100");
    EXPECT_TRUE(p->formasPago().numeroBancoAutomatico());
    p->banco().setValue("EGBC_NUMERO", "000555");
    EXPECT_EQ(b.asString("EGBC_NUMERO"), "000100") << "el número del talonario automático no se digita";

    p->formasPago().elegirTipo("RETIRO");
    EXPECT_EQ(b.asInt("EGBC_TIPOBCO"), 73);
    EXPECT_EQ(b.asString("EGBC_NUMERO"), "000007");
    EXPECT_FALSE(p->formasPago().numeroBancoAutomatico());
    // A withdrawal number already used on the account is refused.
    ejecutar("insert into RETIROS (RETI_ID, CUBA_COD, PRBA_PREF, RETI_NUMERO) values (1, 1, 'RT', '000009')");
    p->banco().setValue("EGBC_NUMERO", "000009");
    EXPECT_EQ(interaccion.de("error").last(), FormasPago::kDocBancoExiste);
    EXPECT_TRUE(b.asString("EGBC_NUMERO").isEmpty());
    // Post-dated up to the limit (30 days), not beyond: back to today.
    const QDate hoy = QDate::currentDate();
    for (int dias : {30, 31}) {
        interaccion.mensajes.clear();
        p->banco().setValue("EGBC_FECHA", hoy.addDays(dias));
        EXPECT_EQ(interaccion.de("error").value(0), dias > 30 ? FormasPago::kFechaLejana : QString()) << dias;
        EXPECT_EQ(b.asDate("EGBC_FECHA"), dias > 30 ? hoy : hoy.addDays(dias)) << dias;
    }
}

// One panel at a time, with the refusal of each.
TEST_F(Egreso, PanelesUnoALaVez) {
    struct Caso {
        const char* nombre;
        bool bancoPrimero;
        bool sinCuentas;
        QString mensaje;
    };
    const Caso casos[] = {
        {"banco con la caja abierta", false, false, FormasPago::kCierreCaja},
        {"caja con el banco abierto", true, false, FormasPago::kCierreBanco},
        {"banco sin cuentas", true, true, FormasPago::kSinCuentas},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        interaccion.mensajes.clear();
        if (c.sinCuentas) ejecutar("update CUENTAS_BANCO set CUBA_ESTADO = 'S'");
        auto p = pantalla();
        otroConcepto(*p, "150");
        if (c.sinCuentas) {
            EXPECT_FALSE(p->abrirBanco());
            EXPECT_EQ(p->panel(), Tfegresos::Panel::Ninguno);
        } else if (c.bancoPrimero) {
            ASSERT_TRUE(p->abrirBanco());
            p->teclaF4();
            EXPECT_EQ(p->panel(), Tfegresos::Panel::Banco);
        } else {
            ASSERT_TRUE(p->abrirCaja());
            p->teclaF5();
            EXPECT_EQ(p->panel(), Tfegresos::Panel::Caja);
        }
        EXPECT_EQ(interaccion.de("error").value(0), c.mensaje);
        // F2 with a panel open continues the panel, never saves.
        p->teclaF2();
        EXPECT_EQ(contar("egresos"), 0);
    }
}

// Closing deletes the advance this voucher registered and no other
// clerk's advance waiting for her own voucher.
TEST_F(Egreso, CerrarBorraSoloElAnticipoDeEsteEgreso) {
    for (int id : {501, 502})
        ejecutar(QStringLiteral("insert into ANTICIPOS_PROVEEDOR (ANPR_ID, PREF_PRE, ANPR_NUMERO, ANPR_FECHA, ANPR_BASE, "
                                "TERC_NIT, EGRE_ID) values (%1, '0000', '000%2', current_date, 80, '900456789', 0)")
                     .arg(id)
                     .arg(id));
    auto p = pantalla();
    p->egreso().setValue("TERC_NIT", "900456789");
    interaccion.elecciones.push_back(QVariantMap{{"ANPR_ID", 501}, {"TIDO_NOMCORTO", "ANTIPROV"}, {"PREFIJO", "0000"},
                                                 {"NUMERO", "000501"}});
    p->teclaF4();
    EXPECT_TRUE(p->registroAnticipo());
    interaccion.respuestas = {false};
    EXPECT_FALSE(p->cerrarPantalla()) << "No deja la pantalla abierta";
    EXPECT_EQ(contar("anticipos_proveedor"), 2);
    interaccion.respuestas = {true};
    EXPECT_TRUE(p->cerrarPantalla());
    EXPECT_TRUE(interaccion.de("informacion").contains(Tfegresos::kBorraAnticipo));
    const auto quedan = filas("select anpr_id from anticipos_proveedor");
    ASSERT_EQ(quedan.size(), 1u);
    EXPECT_EQ(quedan[0][0].toInt64(), 502);
}

// F4 in the documents panel runs the advance window's own logic; the advance
// comes back as a typed row and the voucher's save gives it its EGRE_ID.
// F8 hands the creditor and the voucher's date to the payables picker.
TEST_F(Egreso, AnticipoDesdeElEgresoYFechaDelSelector) {
    struct DosPantallas : prueba::InteraccionGrabada {
        std::function<std::optional<QVariantMap>(const QVariantMap&)> anticipo;
        QVariantMap argumentosCxpagar;
        std::optional<QVariantMap> elegir(const QString& s, const QVariantMap& a) override {
            if (s == "Tfconscxpagar") argumentosCxpagar = a;
            return s == "Tfanticiposprov" ? anticipo(a) : InteraccionGrabada::elegir(s, a);
        }
    } dos;
    std::unique_ptr<Tfanticiposprov> ventana;
    dos.anticipo = [&](const QVariantMap& a) -> std::optional<QVariantMap> {
        ventana = std::make_unique<Tfanticiposprov>(sesion, dos, manejador, configuracion);
        if (!ventana->abrir(a.value("TERC_NIT").toString(), a.value("FECHA").toDate())) return std::nullopt;
        ventana->anticipo().setValue("ANPR_BASE", d("80"));
        if (!ventana->grabar()) return std::nullopt;
        return ventana->resultado();
    };
    ServiciosEgreso s;
    s.abreInterfaz = [](int, const QString&, bool) { return 7; };
    Tfegresos p(sesion, dos, manejador, configuracion, s);
    ASSERT_TRUE(p.abrir()) << dos.mensajes.join('\n').toStdString();
    p.egreso().setValue("EGRE_FECHA", QDate(2026, 11, 30));
    p.egreso().setValue("TERC_NIT", "900456789");
    ASSERT_EQ(p.panel(), Tfegresos::Panel::Documentos);
    p.teclaF8();
    EXPECT_EQ(dos.argumentosCxpagar.value("TERC_NIT").toString(), "900456789");
    EXPECT_EQ(dos.argumentosCxpagar.value("EGRE_FECHA").toDate(), QDate(2026, 11, 30));

    p.teclaF4();
    ASSERT_TRUE(p.registroAnticipo()) << dos.mensajes.join('\n').toStdString();
    const auto anticipo = filas("select anpr_id, pref_pre, anpr_numero, egre_id from anticipos_proveedor");
    ASSERT_EQ(anticipo.size(), 1u);
    EXPECT_EQ(anticipo[0][3].toInt64(), 0) << "sin egreso mientras el egreso no se graba";
    DataSet& fila = p.detalle();
    EXPECT_EQ(fila.asString("TIDO_NOMCORTO").trimmed(), "ANTIPROV");
    EXPECT_EQ(fila.asInt("EGDE_TIPODOC"), 55);
    EXPECT_EQ(fila.asString("EGDE_PREFIJO").trimmed(), anticipo[0][1].toString().trimmed());
    EXPECT_EQ(fila.asString("EGDE_NUMERO").trimmed(), anticipo[0][2].toString().trimmed());

    if (fila.state() == DataSet::State::Browse) fila.edit();
    fila.setValue("EGDE_ABONO", d("80"));
    ASSERT_TRUE(p.continuarDocumentos()) << dos.mensajes.join('\n').toStdString();
    p.egreso().setValue("EGRE_MONTO", d("80"));
    ASSERT_TRUE(p.abrirCaja());
    p.caja().setValue("EGCA_MONTO", d("80"));
    ASSERT_TRUE(p.continuarCaja()) << dos.mensajes.join('\n').toStdString();
    ASSERT_TRUE(p.grabar()) << dos.mensajes.join('\n').toStdString();
    EXPECT_EQ(filas("select egre_id from anticipos_proveedor")[0][0].toInt64(), p.ultimoId());
}

// A save that fails in the database leaves nothing written (no voucher, no
// cash item, no bank document) and keeps the id for the next attempt.
TEST_F(Egreso, GrabadoFallidoNoDejaNada) {
    ejecutar("create exception E_PRUEBA 'banco caído'");
    ejecutar("create trigger PRUEBA_FALLA for EGRESOS_BANCO before insert as begin exception E_PRUEBA; end");
    auto p = pantalla();
    otroConcepto(*p, "150");
    pagar(*p, "100", "50");
    EXPECT_FALSE(p->grabar());
    for (const char* t : {"egresos", "egresos_caja", "egresos_banco", "cheques"}) EXPECT_EQ(contar(t), 0) << t;
    const int64_t id = p->egreso().asInt("EGRE_ID");
    EXPECT_GT(id, 0);
    EXPECT_TRUE(llamadas.isEmpty()) << "nada se contabiliza";

    ejecutar("drop trigger PRUEBA_FALLA");
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(p->ultimoId(), id);
    EXPECT_EQ(contar("egresos_caja"), 1);
    EXPECT_EQ(contar("egresos_banco"), 1);
}

// The creditor: unknown, not a creditor, a creditor.
TEST_F(Egreso, EntradaDelAcreedor) {
    struct Caso {
        const char* nit;
        QString mensaje;
        Tfegresos::Panel panel;
    };
    const Caso casos[] = {
        {"123", Tfegresos::kTerceroInactivo, Tfegresos::Panel::Ninguno},
        {"800111222", Tfegresos::kNoAcreedor, Tfegresos::Panel::Ninguno},
        {"900456789", {}, Tfegresos::Panel::Documentos},
    };
    auto p = pantalla();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nit);
        interaccion.mensajes.clear();
        p->egreso().setValue("TERC_NIT", c.nit);
        EXPECT_EQ(interaccion.de("error").value(0), c.mensaje);
        EXPECT_EQ(p->panel(), c.panel);
        EXPECT_EQ(p->egreso().asString("TERC_NIT").isEmpty(), !c.mensaje.isEmpty());
    }
}

// A cheque number another clerk used meanwhile: the automatic checkbook
// gives the next one and the clerk is told which.
TEST_F(Egreso, ChequeTomadoMientrasTanto) {
    auto p = pantalla();
    otroConcepto(*p, "150");
    pagar(*p, "", "150");
    ASSERT_EQ(p->banco().asString("EGBC_NUMERO"), "000100");
    ejecutar("insert into CHEQUES (CHEQ_ID, CUBA_COD, PRBA_PREF, CHEQ_NUMERO) values (-1, 1, 'CH', '000100')");
    ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
    EXPECT_EQ(p->ultimoCheque(), "000101");
    EXPECT_TRUE(interaccion.de("informacion").join(u'|').contains("cambió a 000101")) << mensajes().toStdString();
    EXPECT_EQ(filas("select cheq_numero from cheques where cheq_idegreso > 0")[0][0].toString(), "000101");
}

// With the cash check on, the cash items of one box together may not take
// out more than the box holds (100, moved into box 2 yesterday).
TEST_F(Egreso, EfectivoDeLaCaja) {
    configurar("VALIDAR EFECTIVO EN CAJA", "SI", "CAJA", "EGRESOS");
    ejecutar("insert into EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, TERC_NIT, EGRE_TIPO, CAJA_ID, EGRE_MONTO) "
             "values (900, '0000', '000900', current_date - 1, '900456789', '2', 2, 100)");
    struct Caso {
        const char* nombre;
        QStringList items;
        bool alcanza;
    };
    const Caso casos[] = {
        {"lo que hay", {"100"}, true},
        {"un peso de más", {"101"}, false},
        {"dos items que juntos pasan", {"60", "60"}, false},
        {"dos items que juntos alcanzan", {"60", "40"}, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        interaccion.mensajes.clear();
        auto p = pantalla();
        otroConcepto(*p, "500");
        ASSERT_TRUE(p->abrirCaja());
        for (int i = 0; i < c.items.size(); ++i) {
            if (i > 0) p->formasPago().agregarItemCaja();
            p->caja().setValue("EGCA_MONTO", *Dinero::desdeTexto(c.items[i]));
        }
        EXPECT_EQ(p->continuarCaja(), c.alcanza) << mensajes().toStdString();
        EXPECT_EQ(interaccion.de("error").contains(FormasPago::kEfectivoInsuficiente), !c.alcanza);
    }
}

// A voucher left stored with id 0 by an interrupted save: Retry brings it
// back with its cash item and saves it under a new id; Abort deletes it.
TEST_F(Egreso, ComprobantePrevio) {
    for (const bool recuperar : {true, false}) {
        SCOPED_TRACE(recuperar ? "Reintentar" : "Abortar");
        ejecutar("delete from egresos");
        ejecutar("insert into EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, TERC_NIT, EGRE_NOMTERC, EGRE_TIPO, "
                 "EGRE_MONTO) values (0, '0000', '000050', current_date, '900456789', 'SUMINISTROS', '3', 70)");
        ejecutar("insert into EGRESOS_CAJA (EGRE_ID, EGCA_ITEM, CAJA_ID, FOPA_ID, EGCA_MONTO) values (0, 1, 2, 1, 70)");
        interaccion.respuestas = {recuperar};
        auto p = pantalla();
        EXPECT_TRUE(interaccion.de("reintentar").contains(Tfegresos::kPrevio));
        if (!recuperar) {
            EXPECT_EQ(contar("egresos"), 0);
            EXPECT_TRUE(p->egreso().asString("TERC_NIT").isEmpty());
            continue;
        }
        EXPECT_EQ(p->egreso().asString("EGRE_NUMERO"), "000050");
        EXPECT_EQ(p->sumCaja(), d("70"));
        ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
        const auto f = filas("select e.egre_id, c.egca_monto from egresos e join egresos_caja c on c.egre_id = e.egre_id");
        ASSERT_EQ(f.size(), 1u);
        EXPECT_EQ(f[0][0].toInt64(), p->ultimoId());
        EXPECT_GT(p->ultimoId(), 0);
    }
}

// Opened to pay a social-contributions payment: the first voucher takes
// its amount, its id and one debit line per contribution with an account;
// the next voucher is an ordinary one.
TEST_F(Egreso, PagoDeAportes) {
    ejecutar("insert into PAGO_APORTES (PGAP_ID, PGAP_ITEM, PGAP_ADMIN, PGAP_CTACONTA, PGAP_MONTO, PGAP_INTMORA) values "
             "(31, 1, '900456789', '237005', 1000, 25)");
    ejecutar("insert into PAGO_APORTES (PGAP_ID, PGAP_ITEM, PGAP_ADMIN, PGAP_CTACONTA, PGAP_MONTO) values "
             "(31, 2, '800111222', null, 500)");
    ServiciosEgreso s;
    s.abreInterfaz = [](int, const QString&, bool) { return 7; };
    Tfegresos p(sesion, interaccion, manejador, configuracion, s);
    p.fijarAporte(31, d("1525"));
    ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
    EXPECT_EQ(p.egreso().asDinero("EGRE_MONTO"), d("1525"));
    EXPECT_EQ(p.egreso().asInt("EGRE_IDAPORTE"), 31);
    ASSERT_EQ(p.contabilidad().recordCount(), 1);
    EXPECT_EQ(p.contabilidad().row(0).asString("CUEN_COD"), "237005");
    EXPECT_EQ(p.contabilidad().row(0).asDinero("EGCO_DEBITOS"), d("1025"));
    p.egreso().setValue("TERC_NIT", "900456789");
    ASSERT_TRUE(p.continuarDocumentos());
    pagar(p, "1525", "");
    ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
    EXPECT_EQ(filas("select egre_idaporte from egresos")[0][0].toInt64(), 31);
    EXPECT_EQ(p.egreso().asInt("EGRE_IDAPORTE"), 0);
    EXPECT_EQ(p.egreso().asDinero("EGRE_MONTO"), Dinero());
    EXPECT_TRUE(p.contabilidad().isEmpty());
}

}  // namespace
