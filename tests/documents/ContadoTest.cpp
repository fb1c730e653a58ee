// The charge's companions on a scratch company: the number proposed while
// another clerk saves on the same prefix, and the crossing at once written
// with the document in one transaction (both or neither), its refusals, and
// the database's balance guard when another clerk crossed meanwhile.
#include "documents/charges/Tfnotasdebito.h"
#include "tests/creditors/Entorno.h"
#include "tests/db/LibroPrueba.h"

#include <atomic>
#include <thread>

using namespace cxp;

namespace {

Dinero d(const char* t) { return *Dinero::desdeTexto(QString::fromLatin1(t)); }
const QString kNit = QStringLiteral("900456789");
const QDate kHoy = QDate::currentDate();

class Contado : public prueba::EntornoAcreedores {
protected:
    QStringList contabilizados;
    void SetUp() override {
        EntornoAcreedores::SetUp();
        libro::Libro(sesion.compania).acreedor(kNit);
        ejecutar("update PROVEEDORES set PROV_RETEFTE = 0, PROV_RTEIVA = 0, PROV_RTEICA = 0, PROV_RTCREE = 0 "
                 "where TERC_NIT = '900456789'");
    }
    std::unique_ptr<Tfnotasdebito> pantalla() {
        ServiciosCargo s;
        s.abreInterfaz = [](int, const QString&, bool preguntar) { return preguntar ? 7 : 0; };
        s.contabilizar = [this](int64_t id, int, const QDate&) { contabilizados << QStringLiteral("doc %1").arg(id); };
        s.contabilizarAplicacion = [this](int64_t id, int, const QDate&) { contabilizados << QStringLiteral("apl %1").arg(id); };
        auto p = std::make_unique<Tfnotasdebito>(sesion, interaccion, manejador, configuracion, s);
        EXPECT_TRUE(p->abrir()) << mensajes().toStdString();
        return p;
    }
};

// Another clerk saving on the prefix between the screen's reads of its
// consecutive once made the proposed number look typed: the clerk was asked
// about a number nobody typed and the number was left empty for good.
TEST_F(Contado, NumeroPropuestoMientrasOtroCajeroGraba) {
    auto p = pantalla();
    std::atomic<bool> fin{false};
    std::thread otro([&] {
        fb::Database db = compania.conectar();
        for (int i = 1; !fin && i < 5000; ++i)
            db.executeDirect(QStringLiteral("insert into notas_debito_proveedor (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, "
                                            "NDPR_FECHA, NDPR_VENCE, NDPR_MONTO) values (%1, '900456789', '0000', '%2', "
                                            "current_date, current_date, 1)")
                                 .arg(100000 + i)
                                 .arg(i, 6, 10, QLatin1Char('0')));
    });
    int vacios = 0;
    for (int i = 0; i < 400 && vacios == 0; ++i) {
        p->cargo().setValue("PREF_PRE", "");
        p->cargo().setValue("PREF_PRE", "0000");
        if (p->cargo().asString("NDPR_NUMERO").isEmpty()) ++vacios;
    }
    fin = true;
    otro.join();
    EXPECT_EQ(vacios, 0);
    EXPECT_TRUE(interaccion.de("pregunta").isEmpty()) << mensajes().toStdString();
}

// A charge crossed at once with a credit of the creditor: refused when the
// credit cannot take it or there is no applications prefix, and refused by
// the database when another clerk crossed the credit after the check: then
// nothing is written and the charge saves alone. Else the charge and its
// application are written together and both posted.
TEST_F(Contado, CargoCruzadoConCreditoDelAcreedor) {
    struct Caso {
        const char* clase;
        libro::Centavos credito;
        bool prefijo, otroCruza;
        QString error;  // of the crossing's check
    } const casos[] = {
        {"NOTACRPR", 10000000, true, true, {}},  // first: the test book numbers its own applications
        {"NOTACRPR", 20000000, true, false, {}},
        {"ANTICPRV", 5000000, true, false, Tfnotasdebito::kCruceInsuficiente},
        {"ANTICPRV", 30000000, true, false, {}},
        {"NOTACRPR", 20000000, false, false, Tfnotasdebito::kSinPrefijoAplicacion},
    };
    libro::Libro libro(sesion.compania);
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.clase + std::to_string(k.credito));
        ejecutar(QStringLiteral("update prefijos set pref_activo = '%1' where tido_cod = 53").arg(k.prefijo ? 'S' : 'N'));
        const bool anticipo = QLatin1String(k.clase) == QLatin1String("ANTICPRV");
        libro::Documento& credito = anticipo ? libro.anticipo(kNit, kHoy.addDays(-3), k.credito)
                                             : libro.descuento(kNit, kHoy.addDays(-3), k.credito);
        if (anticipo) libro.egreso(kNit, kHoy.addDays(-3), {}, {credito.id});
        auto p = pantalla();
        p->cargo().setValue("TERC_NIT", kNit);
        p->setSubTotal(d("100000"));
        interaccion.mensajes.clear();
        contabilizados.clear();
        EXPECT_EQ(p->aplicarA(k.clase, "0000" + credito.numero), k.error.isEmpty()) << mensajes().toStdString();
        EXPECT_EQ(interaccion.de("error").value(0), k.error);
        const QString cuenta = QStringLiteral("select (select count(*) from notas_debito_proveedor) || ' ' || "
                                              "(select count(*) from aplicacion_proveedor_detalle) from rdb$database");
        if (k.otroCruza) {
            libro::Documento& otra = libro.factura(kNit, kHoy.addDays(-3), k.credito);
            libro.aplicacion(kNit, kHoy, {{21, otra.id, k.credito}, {52, credito.id, -k.credito}});
            const QString conOtro = escalar(cuenta);
            EXPECT_FALSE(p->grabar());
            EXPECT_EQ(escalar(cuenta), conOtro);
            EXPECT_TRUE(p->aplicarA(k.clase, ""));
        }
        ASSERT_TRUE(p->grabar()) << mensajes().toStdString();
        const int64_t id = p->ultimoId(), apl = p->ultimaAplicacion();
        auto saldo = [&](int tipo, int64_t doc) {
            return escalar(QStringLiteral("select saldo from saldo_doc_cxpagar(%1, %2, current_date, 1)").arg(tipo).arg(doc));
        };
        const bool cruzado = k.error.isEmpty() && !k.otroCruza;
        const libro::Centavos tomado = cruzado ? 10000000 : k.otroCruza ? k.credito : 0;
        EXPECT_EQ(saldo(51, id), cruzado ? "0.00" : "100000.00");
        EXPECT_EQ(saldo(anticipo ? 55 : 52, credito.id), QString::number(-(k.credito - tomado) / 100) + ".00");
        EXPECT_EQ(apl != 0, cruzado);
        if (!cruzado) continue;
        EXPECT_EQ(contabilizados, QStringList({QStringLiteral("doc %1").arg(id), QStringLiteral("apl %1").arg(apl)}));
        // The charge's line names it by its id, positive; the other cancels it.
        const QString lineas = QStringLiteral(" from aplicacion_proveedor_detalle where appr_id = %1").arg(apl);
        EXPECT_EQ(escalar("select count(*) || ' ' || sum(appd_aplicado)" + lineas), "2 0.00");
        EXPECT_EQ(escalar("select appd_iddoc || ' ' || appd_aplicado" + lineas + " and appd_tipodoc = 51"),
                  QString::number(id) + " 100000.00");
    }
}

// A charge paid at once in cash: each refusal of the payment forms dialog
// and each failure of the voucher's write leaves no row of the voucher, and
// the charge still saves; a crossing at once excludes the cash payment.
TEST_F(Contado, PagoDeContadoRechazadoNoDejaNadaDelEgreso) {
    ejecutar("insert into CAJAS (CAJA_ID, CAJA_NOMBRE, CAJA_ACTIVA, CAJA_PREDET) values (2, 'GENERAL', 'S', 'S')");
    ejecutar("insert into FORMAS_PAGO (FOPA_ID, FOPA_NOM) values (1, 'EFECTIVO')");
    ejecutar("insert into PREFIJOS_CONTA (TICO_COD, PRCO_PREF) values ('EGR', '0000')");
    libro::Libro libro(sesion.compania);
    const libro::Documento& credito = libro.descuento(kNit, kHoy.addDays(-1), 50000000);
    enum { EnF4, AlAceptar, AlGrabar, Pagado };
    struct Caso {
        const char* caso;
        bool prefijo, interfaz, cruce, tomado, cambia;
        const char* pago;  // the cash line; empty: as proposed, the net
        int paso;
        QString error;
    } const casos[] = {
        {"sin prefijo", false, true, false, false, false, "", EnF4, EgresoContado::kSinPrefijo},
        {"con cruce", true, true, true, false, false, "", EnF4, EgresoContado::kConCruce},
        {"sin interfaz", true, false, false, false, false, "", AlAceptar, EgresoContado::kSinInterfaz},
        {"sin línea", true, true, false, false, false, "0", AlAceptar, EgresoContado::kSinFormaPago},
        {"líneas cortas", true, true, false, false, false, "50000", AlAceptar, EgresoContado::kNoSuma},
        {"cargo cambiado", true, true, false, false, true, "", AlGrabar, EgresoContado::kCargoCambiado},
        {"número tomado", true, true, false, true, false, "", AlGrabar, EgresoContado::kErrorGrabar},
        {"pagado", true, true, false, false, false, "", Pagado, {}},
    };
    configurar("NUMERO DE EGRESO IGUAL AL DE FACTURA PARA COMPRAS DE CONTADO", "SI", "COMPRAS", "FACTURAS");
    const QString egresos = "select (select count(*) from egresos) || (select count(*) from egresos_detalle) || "
                            "(select count(*) from egresos_caja) from rdb$database";
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.caso);
        ejecutar(QStringLiteral("update prefijos set pref_activo = '%1' where tido_cod = 62").arg(k.prefijo ? 'S' : 'N'));
        ejecutar("delete from interfaz_caja");
        if (k.interfaz)
            ejecutar("insert into INTERFAZ_CAJA (INCJ_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, INCJ_NOMBRE) "
                     "values (9, 62, '0000', 'EGR', '0000', 'EGRESOS')");
        ServiciosCargo s;
        s.abreInterfaz = [](int, const QString&, bool preguntar) { return preguntar ? 7 : 0; };
        s.contabilizarEgreso = [this](int64_t id, int, const QDate&) { contabilizados << QStringLiteral("egr %1").arg(id); };
        Tfnotasdebito p(sesion, interaccion, manejador, configuracion, s);
        ASSERT_TRUE(p.abrir());
        p.cargo().setValue("TERC_NIT", kNit);
        p.setSubTotal(d("100000"));
        if (k.tomado)  // another voucher holds the charge's number
            ejecutar(QStringLiteral("update egresos set egre_numero = '%1' where egre_id = %2")
                         .arg(p.cargo().asString("NDPR_NUMERO"))
                         .arg(libro.egreso(kNit, kHoy, {}).id));
        if (k.cruce) ASSERT_TRUE(p.aplicarA("NOTACRPR", "0000" + credito.numero));
        const QString antes = escalar(egresos);
        interaccion.mensajes.clear();
        contabilizados.clear();
        ASSERT_EQ(p.pagarDeContado(), k.paso != EnF4);
        if (k.paso != EnF4) {
            if (*k.pago) p.egresoContado()->caja().setValue("EGCA_MONTO", d(k.pago));
            ASSERT_EQ(p.aceptarEgreso(), k.paso != AlAceptar) << mensajes().toStdString();
        }
        if (k.cambia) {
            p.setSubTotal(d("120000"));
            EXPECT_FALSE(p.grabar());
        }
        ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
        EXPECT_EQ(interaccion.de("error"), k.error.isEmpty() ? QStringList() : QStringList{k.error});
        const bool pagado = k.paso == Pagado;
        EXPECT_EQ(escalar(QStringLiteral("select saldo from saldo_doc_cxpagar(51, %1, current_date, 1)").arg(p.ultimoId())),
                  pagado || k.cruce ? "0.00" : k.cambia ? "120000.00" : "100000.00");
        EXPECT_EQ(contabilizados.filter("egr").size(), pagado ? 1 : 0);
        if (!pagado) EXPECT_EQ(escalar(egresos), antes) << "nothing of the voucher is written";
        else EXPECT_EQ(escalar(QStringLiteral("select egre_numero || egre_conc from egresos where egre_id = %1").arg(p.ultimoEgreso())),
                       p.ultimoNumero().mid(4) + "Ab. cargo " + p.ultimoNumero());
    }
}

}  // namespace
