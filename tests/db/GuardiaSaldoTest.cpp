// No crossing takes a payables document past its balance: the database
// refuses it whoever writes it, on either basis, for debts and credits, and
// two clerks crossing one advance at the same moment cannot both pass.
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

using namespace libro;

const QString kA = QStringLiteral("900100200");
const QDate kHoy(2026, 3, 15);
const QString kMensaje = QStringLiteral("El abono, el descuento o las retenciones son mayores que el saldo pendiente.");

// What a write ended in: "ok", the database's own message, or "conflicto".
QString resultado(const std::function<void()>& escribir) {
    try {
        escribir();
        return QStringLiteral("ok");
    } catch (const fb::DbError& e) {
        if (e.isConflict()) return QStringLiteral("conflicto");
        return e.exceptionMessage().isEmpty() ? e.text() : e.exceptionMessage();
    }
}

class GuardiaSaldo : public ::testing::Test {
protected:
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();
    Libro libro{db};
    int numero = 0;

    void SetUp() override { libro.acreedor(kA); }

    // An application written in `tr`, left for the caller to commit.
    void aplicar(fb::Transaction& tr, const std::vector<Linea>& lineas) {
        const int id = int(tr.executeProcedure(QStringLiteral("CAMBIE_ID_APLIPROV"))["ID"].toInt64());
        tr.execute(QStringLiteral("insert into APLICACION_PROVEDOR (APPR_ID, PREF_PRE, APPR_NUMERO, APPR_FECHA, "
                                  "TERC_NIT) values (?, '0000', ?, ?, ?)"),
                   {id, QStringLiteral("G%1").arg(++numero, 5, 10, QLatin1Char('0')), kHoy, kA});
        int item = 0;
        for (const Linea& l : lineas)
            tr.execute(QStringLiteral("insert into APLICACION_PROVEEDOR_DETALLE (APPR_ID, APPD_ITEM, APPD_TIPODOC, "
                                      "APPD_IDDOC, APPD_APLICADO) values (?, ?, ?, ?, ?)"),
                       {id, ++item, l.tipo, l.id, dinero(l.abono)});
    }
    Centavos saldo(const Documento& d) {
        return centavos(db.queryOne(QStringLiteral("select SALDO from SALDO_DOC_CXPAGAR(?, ?, ?, 1)"),
                                    {d.tipo, d.id, kHoy})
                            ->at(0));
    }
};

// Two clerks apply one advance of 500 to two charges of 500. The second
// waits on the advance until the first ends: refused with the message when
// the first commits, through when it rolls back.
TEST_F(GuardiaSaldo, DosAplicacionesAUnMismoAnticipoALaVez) {
    for (const bool confirma : {true, false}) {
        SCOPED_TRACE(confirma ? "el primero confirma" : "el primero deshace");
        Documento& anticipo = libro.anticipo(kA, kHoy, 50000);
        libro.egreso(kA, kHoy, {}, {anticipo.id});
        Documento& c1 = libro.cargo(kA, kHoy, 50000);
        Documento& c2 = libro.cargo(kA, kHoy, 50000);

        fb::Database otra = base.conectar();
        fb::Transaction t1 = db.begin();
        aplicar(t1, {{51, c1.id, 50000}, {55, anticipo.id, -50000}});

        QString segundo;
        std::atomic<bool> termino{false};
        std::thread hilo([&] {
            segundo = resultado([&] {
                fb::Transaction t2 = otra.begin({false, 20});
                aplicar(t2, {{51, c2.id, 50000}, {55, anticipo.id, -50000}});
                t2.commit();
            });
            termino = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_FALSE(termino) << "el segundo no esperó al primero";
        confirma ? t1.commit() : t1.rollback();
        hilo.join();

        EXPECT_EQ(segundo, confirma ? kMensaje : QStringLiteral("ok"));
        EXPECT_EQ(saldo(c1), confirma ? 0 : 50000);
        EXPECT_EQ(saldo(c2), confirma ? 50000 : 0);
        EXPECT_EQ(saldo(anticipo), 0);
    }
}

// One crossing on a fresh document, by voucher (62) or application (53),
// on the net or gross basis: accepted or refused.
TEST_F(GuardiaSaldo, UnCruceHastaElSaldoPasaYMasAllaSeRechaza) {
    enum Doc { Cargo, Factura, Descuento, Devolucion, Anticipo };
    const struct {
        const char* caso;
        Doc doc;
        Centavos monto;
        Retenciones rete;  // of the document
        bool neta;
        int tipoCruce;
        Linea linea;  // id filled in
        bool pasa;
    } casos[] = {
        {"egreso 120 sobre 100", Cargo, 10000, {}, true, 62, {0, 0, 12000}, false},
        {"egreso exacto", Cargo, 10000, {}, true, 62, {0, 0, 10000}, true},
        {"egreso con descuento pronto pago de mas", Cargo, 10000, {}, true, 62, {0, 0, 9000, 1001}, false},
        {"factura un centavo de mas", Factura, 10000, {}, true, 62, {0, 0, 10001}, false},
        {"neta: abono igual al neto", Cargo, 100000, {2500}, true, 62, {0, 0, 97500, 0, {2500}}, true},
        {"neta: abono mas alla del neto", Cargo, 100000, {2500}, true, 62, {0, 0, 97501}, false},
        {"retencion mayor que la pendiente", Cargo, 100000, {2500}, true, 62, {0, 0, 90000, 0, {3000}}, false},
        {"bruta: abono mas retenciones igual al bruto", Cargo, 100000, {2500}, false, 62, {0, 0, 97500, 0, {2500}},
         true},
        {"bruta: abono del bruto sin retenciones", Cargo, 100000, {2500}, false, 62, {0, 0, 100000}, true},
        {"bruta: abono mas retenciones sobre el bruto", Cargo, 100000, {2500}, false, 62, {0, 0, 98000, 0, {2500}},
         false},
        {"descuento cruzado por su saldo", Descuento, 10000, {}, true, 53, {0, 0, -10000}, true},
        {"descuento cruzado de mas", Descuento, 10000, {}, true, 53, {0, 0, -10001}, false},
        {"devolucion cruzada de mas en un egreso", Devolucion, 10000, {}, true, 62, {0, 0, -12000}, false},
        {"anticipo aplicado por su saldo", Anticipo, 10000, {}, true, 53, {0, 0, -10000}, true},
        {"anticipo aplicado de mas", Anticipo, 10000, {}, true, 53, {0, 0, -10001}, false},
        // The wrong sign raises the balance: not this guard's refusal.
        {"cargo con signo contrario", Cargo, 10000, {}, true, 53, {0, 0, -5000}, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        libro.baseNeta(c.neta);
        Documento* d = nullptr;
        switch (c.doc) {
        case Cargo: d = &libro.cargo(kA, kHoy, c.monto, 0, c.rete); break;
        case Factura: d = &libro.factura(kA, kHoy, c.monto); break;
        case Descuento: d = &libro.descuento(kA, kHoy, c.monto); break;
        case Devolucion: d = &libro.devolucion(kA, kHoy, c.monto); break;
        case Anticipo:
            d = &libro.anticipo(kA, kHoy, c.monto);
            libro.egreso(kA, kHoy, {}, {d->id});
            break;
        }
        Linea l = c.linea;
        l.tipo = d->tipo;
        l.id = d->id;
        // An application balances itself against a charge that can take it.
        const QString r = resultado([&] {
            if (c.tipoCruce == 62) {
                libro.egreso(kA, kHoy, {l});
            } else {
                const Documento& otro = libro.cargo(kA, kHoy, 1000000);
                libro.aplicacion(kA, kHoy, {l, {51, otro.id, -l.abono}});
            }
        });
        EXPECT_EQ(r, c.pasa ? QStringLiteral("ok") : kMensaje);
        EXPECT_GE(d->signo * saldo(*d), 0);
    }
}

// Annulled crossings do not count, whether the header or the line is
// annulled; undoing the annulment, or giving a held voucher its id, makes
// every line count at once and is refused when that crosses past the balance.
TEST_F(GuardiaSaldo, LoAnuladoNoCuentaYVolverloVivoSeVerifica) {
    Documento& c = libro.cargo(kA, kHoy, 10000);
    Cruce& e = libro.egreso(kA, kHoy, {{51, c.id, 10000}});
    libro.anular(e);
    Cruce& a = libro.aplicacion(kA, kHoy, {{51, c.id, 10000}, {51, libro.cargo(kA, kHoy, 10000).id, -10000}});
    db.executeDirect("update APLICACION_PROVEEDOR_DETALLE set APPD_ANULADO = 'S' where APPR_ID = ?", {a.id});
    EXPECT_EQ(resultado([&] { libro.egreso(kA, kHoy, {{51, c.id, 10000}}); }), QStringLiteral("ok"));

    EXPECT_EQ(resultado([&] { db.executeDirect("update EGRESOS set EGRE_ANULADO = 'N' where EGRE_ID = ?", {e.id}); }),
              kMensaje);
    EXPECT_EQ(resultado([&] {
                  db.executeDirect("update APLICACION_PROVEEDOR_DETALLE set APPD_ANULADO = 'N' where APPR_ID = ?",
                                   {a.id});
              }),
              kMensaje);

    Documento& d = libro.cargo(kA, kHoy, 10000);
    libro.egreso(kA, kHoy, {{51, d.id, 6000}});
    db.executeDirect("insert into EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, TERC_NIT, EGRE_TIPO) "
                     "values (0, '0000', 'R00001', ?, ?, '1')",
                     {kHoy, kA});
    db.executeDirect("insert into EGRESOS_DETALLE (EGRE_ID, EGDE_ITEM, EGDE_TIPODOC, EGDE_IDDOC, EGDE_ABONO) "
                     "values (0, 1, 51, ?, ?)",
                     {d.id, dinero(5000)});
    EXPECT_EQ(resultado([&] { db.executeDirect("update EGRESOS set EGRE_ID = 987654 where EGRE_ID = 0"); }), kMensaje);
    EXPECT_EQ(saldo(d), 4000);
}

}  // namespace
