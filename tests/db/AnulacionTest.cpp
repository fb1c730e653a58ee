// Annulling, then deleting, a posted payables document of each type puts
// the subledger, the stored balances and the ledger's accounts in both
// charts back where they were before it, at every date; an annulment or a
// deletion under a live crossing, and a crossing of an annulled document,
// are refused and write nothing.
#include "base/Sql.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>
#include <functional>
#include <tuple>
#include <vector>

namespace {

using namespace libro;
using cxp::sql::fecha;

const QString kNit = QStringLiteral("900300301");
const QDate kDia(2026, 5, 4);

class Anulacion : public ::testing::TestWithParam<bool> {
protected:
    prueba::BaseTemporal base{prueba::plantillaDemo()};
    fb::Database db = base.conectar();
    Libro libro{db};

    void SetUp() override {
        libro.baseNeta(GetParam());
        libro.acreedor(kNit);
        db.executeDirect("update PROVEEDORES set PROV_CTACAUSA = '51359501' where TERC_NIT = ?", {kNit});
    }

    // Posted through the demo's definitions of prefix "0000".
    void contabilizar(int tipo, int id) {
        const auto [proc, interfaz] = tipo == 51   ? std::pair{"contabil_notadbpr", 7}
                                      : tipo == 52 ? std::pair{"contabil_notacrpr", 8}
                                      : tipo == 53 ? std::pair{"contabil_aplicapr", 9}
                                                   : std::pair{"contabil_egreso", 3};
        fb::Transaction tr = db.begin();
        const auto local = tr.query(QStringLiteral("select * from %1(%2, %3)").arg(QLatin1String(proc)).arg(id).arg(interfaz));
        ASSERT_EQ(local.at(0)["ERROR"].toInt64(), 0) << tipo;
        const int64_t idc = local.at(0)["IDC"].toInt64();
        const auto niif = tr.query(
            QStringLiteral("select * from %1_niif(%2, %3, %4)").arg(QLatin1String(proc)).arg(id).arg(interfaz).arg(idc));
        ASSERT_EQ(niif.at(0)["ERROR"].toInt64(), 0) << tipo;
        tr.executeProcedure(QStringLiteral("CONTABILIZA_PENDIENTE"), {idc});
        tr.commit();
    }
    Cruce& egreso(std::vector<Linea> lineas, std::vector<int> anticipos, Centavos efectivo) {
        Cruce& c = libro.egreso(kNit, kDia, std::move(lineas), std::move(anticipos));
        db.executeDirect("insert into EGRESOS_CAJA (EGRE_ID, EGCA_ITEM, CAJA_ID, FOPA_ID, EGCA_MONTO) values (?, 1, 1, 1, ?)",
                         {c.id, dinero(efectivo)});
        contabilizar(62, c.id);
        return c;
    }
    // A purchase invoice comes posted by its own module: expense against payable.
    Documento& factura(Centavos monto, Centavos iva = 0) {
        Documento& f = libro.factura(kNit, kDia, monto, iva);
        const int64_t consec = db.queryOne("select next value for gen_comprobante from rdb$database")->at(0).toInt64();
        db.executeDirect("insert into comprobante_encabezado (enco_consec, tico_cod, prco_pref, enco_numero, enco_fecha, "
                         "enco_tiporef, enco_idref) values (?, 'CXP', '0000', ?, ?, 21, ?)",
                         {consec, QStringLiteral("9%1").arg(f.id), kDia, f.id});
        for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"})
            for (const auto& [item, cuenta, debe] : {std::tuple{1, "51359501", true}, std::tuple{2, "22050501", false}})
                db.executeDirect(QStringLiteral("insert into %1 (enco_consec, code_item, cuen_cod, terc_nit, code_debitos, "
                                                "code_creditos) values (?, ?, ?, ?, ?, ?)")
                                     .arg(QLatin1String(tabla)),
                                 {consec, item, QString::fromLatin1(cuenta), kNit, dinero(debe ? f.bruto : 0),
                                  dinero(debe ? 0 : f.bruto)});
        return f;
    }
    Centavos uno(const QString& sql) { return centavos(db.queryOne(sql)->at(0)); }

    // What the subledger and the books say, checking on the way that each
    // chart balances and that the creditor's payable and advance accounts
    // equal its subledger.
    QStringList estado() {
        QStringList s;
        for (const QDate f : {kDia.addDays(-1), kDia, kDia.addDays(40)}) {
            const Centavos sub =
                uno(QStringLiteral("select saldo from saldo_proveedor('%1', %2, 0)").arg(kNit, fecha(f)));
            for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"}) {
                const QString desde = QStringLiteral(" from %1 d join comprobante_encabezado e on e.enco_consec = "
                                                     "d.enco_consec where e.enco_anulado = 'N' and e.enco_fecha <= %2")
                                          .arg(QLatin1String(tabla), fecha(f));
                EXPECT_EQ(uno("select coalesce(sum(d.code_debitos - d.code_creditos), 0)" + desde), 0) << tabla;
                EXPECT_EQ(uno("select coalesce(sum(d.code_creditos - d.code_debitos), 0)" + desde +
                              " and d.terc_nit = '" + kNit + "' and d.cuen_cod in ('22050501', '13300501')"),
                          sub)
                    << tabla << " al " << f.toString(Qt::ISODate).toStdString();
            }
            s << QStringLiteral("%1: %2").arg(f.toString(Qt::ISODate)).arg(sub);
        }
        for (const fb::Row& r : db.query("select tipo, id, saldob, saldon, rtfte, rtiva, rtica from saldos_doc_cxpagar "
                                         "where terc_nit = ? order by tipo, id",
                                         {kNit})) {
            QStringList fila;
            for (int i = 0; i < r.size(); ++i) fila << r[i].toString();
            s << fila.join(QLatin1Char(' '));
        }
        EXPECT_TRUE(db.query(QStringLiteral("select * from chequeo_saldos_doc_cxpagar('%1', '%1')").arg(kNit)).empty());
        return s;
    }
    int64_t comprobantes(int tipo, int id, const char* condicion) {
        return db.queryOne(QStringLiteral("select count(*) from comprobante_encabezado where enco_tiporef = %1 and "
                                          "enco_idref = %2 %3")
                               .arg(tipo)
                               .arg(id)
                               .arg(QLatin1String(condicion)))
            ->at(0)
            .toInt64();
    }
};

// What a case annuls: a document or a crossing of the generated book.
struct Objetivo {
    Documento* doc = nullptr;
    Cruce* cruce = nullptr;
    std::function<void()> intento;  // what is refused, when not its annulment or deletion
    int tipo() const { return doc ? doc->tipo : cruce->tipo; }
    int id() const { return doc ? doc->id : cruce->id; }
};

TEST_P(Anulacion, CadaTipoSaleDelLibroYDeLaContabilidadOSeRechaza) {
    // A charge, a discount and an advance paid out by its voucher, posted.
    Documento& cargo = libro.cargo(kNit, kDia, 1000000, 190000, {25000, 28500, 9660, 0});
    contabilizar(51, cargo.id);
    Documento& descuento = libro.descuento(kNit, kDia, 100000, 19000);
    contabilizar(52, descuento.id);
    Documento& anticipo = libro.anticipo(kNit, kDia, 200000);
    egreso({}, {anticipo.id}, 200000);

    const struct {
        const char* caso;
        std::function<Objetivo()> hacer;
        const char* rechazo;  // the refusal's words; null when it goes through
    } casos[] = {
        {"cargo", [&] {
             Documento& d = libro.cargo(kNit, kDia.addDays(1), 300000, 57000, {7500, 0, 2898, 0});
             contabilizar(51, d.id);
             return Objetivo{&d};
         }, nullptr},
        {"descuento", [&] {
             Documento& d = libro.descuento(kNit, kDia, 50000, 9500, {1250, 0, 0, 0});
             contabilizar(52, d.id);
             return Objetivo{&d};
         }, nullptr},
        {"factura de compra", [&] { return Objetivo{&factura(80000, 15200)}; }, nullptr},
        {"anticipo sin pagar", [&] { return Objetivo{&libro.anticipo(kNit, kDia, 90000)}; }, nullptr},
        {"egreso que abona el cargo", [&] { return Objetivo{nullptr, &egreso({{51, cargo.id, 500000}}, {}, 500000)}; },
         nullptr},
        {"egreso que paga un anticipo", [&] {
             Documento& a = libro.anticipo(kNit, kDia, 300000, 0, {7500, 0, 0, 0});
             return Objetivo{nullptr, &egreso({}, {a.id}, 292500)};
         }, nullptr},
        {"aplicacion", [&] {
             Cruce& c = libro.aplicacion(kNit, kDia, {{51, cargo.id, 119000}, {52, descuento.id, -119000}});
             contabilizar(53, c.id);
             return Objetivo{nullptr, &c};
         }, nullptr},
        // A charge crossed at once with a discount, and a charge paid at once
        // in cash (a cash purchase), withholdings and all: the books hold, and
        // neither charge is annulled under its crossing.
        {"cargo cruzado con un descuento", [&] {
             const Retenciones r{7500, 0, 2898, 0};
             Documento& d = libro.cargo(kNit, kDia, 300000, 57000, r);
             contabilizar(51, d.id);
             Documento& n = libro.descuento(kNit, kDia, 300000, 57000, r);
             contabilizar(52, n.id);
             Cruce& c = libro.aplicacion(kNit, kDia, {{51, d.id, d.neto(), 0, r}, {52, n.id, -d.neto(), 0, {-7500, 0, -2898, 0}}});
             contabilizar(53, c.id);
             return Objetivo{&d};
         }, "lo cruza la aplicaci"},
        {"compra de contado", [&] {
             Documento& d = libro.cargo(kNit, kDia, 300000, 57000, {7500, 0, 2898, 0});
             contabilizar(51, d.id);
             egreso({{51, d.id, d.neto(), 0, {7500, 0, 2898, 0}}}, {}, d.neto());
             return Objetivo{&d};
         }, "lo cruza el egreso 0000-"},
        {"cargo abonado", [&] {
             egreso({{51, cargo.id, 100000}}, {}, 100000);
             return Objetivo{&cargo};
         }, "lo cruza el egreso 0000-"},
        {"factura abonada", [&] {
             Documento& f = factura(40000);
             egreso({{21, f.id, 40000}}, {}, 40000);
             return Objetivo{&f};
         }, "lo cruza el egreso 0000-"},
        {"anticipo pagado", [&] { return Objetivo{&anticipo}; }, "y se anula anulando ese egreso"},
        {"egreso de un anticipo aplicado", [&] {
             Cruce& c = libro.aplicacion(kNit, kDia, {{51, cargo.id, 50000}, {55, anticipo.id, -50000}});
             contabilizar(53, c.id);
             return Objetivo{nullptr, &libro.cruces().at({62, anticipo.egreso})};
         }, "lo cruza la aplicaci"},
        // Crossings saved from a screen opened before the document was annulled.
        {"egreso de un cargo anulado", [&] {
             Documento& d = libro.cargo(kNit, kDia, 300000);
             libro.anular(d);
             return Objetivo{&d, nullptr, [&, id = d.id] { libro.egreso(kNit, kDia, {{51, id, 1000}}); }};
         }, "No se puede cruzar el cargo 0000-"},
        {"aplicacion de un descuento anulado", [&] {
             Documento& d = libro.descuento(kNit, kDia, 5000);
             libro.anular(d);
             return Objetivo{&d, nullptr, [&, id = d.id] {
                                 libro.aplicacion(kNit, kDia, {{51, cargo.id, 1000}, {52, id, -1000}});
                             }};
         }, "No se puede cruzar el descuento 0000-"},
        {"egreso retenido que recibe su id", [&] {
             Documento& d = libro.cargo(kNit, kDia, 300000);
             db.executeDirect("insert into EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, TERC_NIT, EGRE_TIPO) "
                              "values (0, '0000', '000900', ?, ?, '1')", {kDia, kNit});
             db.executeDirect("insert into EGRESOS_DETALLE (EGRE_ID, EGDE_ITEM, EGDE_TIPODOC, EGDE_IDDOC, EGDE_ABONO) "
                              "values (0, 1, 51, ?, 1000)", {d.id});
             libro.anular(d);
             return Objetivo{&d, nullptr, [&] { db.executeDirect("update EGRESOS set EGRE_ID = 9090 where EGRE_ID = 0"); }};
         }, "No se puede cruzar el cargo 0000-"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const QStringList antes = estado();
        const Objetivo o = c.hacer();
        const QStringList hecho = estado();
        auto anular = [&] { o.doc ? libro.anular(*o.doc) : libro.anular(*o.cruce); };
        auto borrar = [&] { o.doc ? libro.borrar(*o.doc) : libro.borrar(*o.cruce); };
        if (c.rechazo) {
            for (const auto& intento : o.intento ? std::vector<std::function<void()>>{o.intento}
                                                 : std::vector<std::function<void()>>{anular, borrar}) {
                try {
                    intento();
                    ADD_FAILURE() << "no fue rechazado";
                } catch (const fb::DbError& e) {
                    EXPECT_NE(std::string(e.what()).find(c.rechazo), std::string::npos) << e.what();
                }
                EXPECT_EQ(estado(), hecho);
            }
            continue;
        }
        anular();
        EXPECT_EQ(estado(), antes);
        EXPECT_EQ(comprobantes(o.tipo(), o.id(), "and enco_anulado = 'N'"), 0);
        borrar();
        EXPECT_EQ(estado(), antes);
        EXPECT_EQ(comprobantes(o.tipo(), o.id(), ""), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Bases, Anulacion, ::testing::Values(true, false));

}  // namespace
