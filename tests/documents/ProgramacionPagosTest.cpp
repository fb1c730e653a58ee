// Payment programming on the demo company: the vouchers the database
// generates from a plan against the vouchers the payment screen saves, a
// document paid by another clerk before the plan is saved, the books after
// the generation, the documents offered by cut-off date, the money
// available in a bank account and the dispersal file's control totals.
#include "documents/payments/DocumentosPagados.h"
#include "documents/payments/FormasPago.h"
#include "documents/payments/Tfegresos.h"
#include "documents/programacion/BusquedaProgramacion.h"
#include "documents/programacion/ProgramacionPagos.h"
#include "tests/support/EntornoDemo.h"

#include <QRegularExpression>
#include <map>

using namespace cxp;
using prueba::d;

namespace {

class Programacion : public prueba::EntornoDemo {
protected:
    Dinero dinero(fb::Database& db, const QString& sql) {
        const auto f = db.queryOne(sql);
        return f && !(*f)[0].isNull() ? dineroDe((*f)[0]) : Dinero();
    }
    Dinero dinero(const QString& sql) { return dinero(sesion.compania, sql); }
    // The row of the documents list of a document.
    int filaDe(ProgramacionPagos& p, int tipo, int64_t id) {
        for (int i = 0; i < p.documentos().recordCount(); ++i)
            if (p.documentos().row(i).asInt("TIPO") == tipo && p.documentos().row(i).asInt("ID") == id) return i;
        return -1;
    }
    // A plan at today's cut-off on prefix "0000", vouchers on BOG, paying
    // each document from its source; saved with generation when asked.
    int64_t planear(Sesion& s, const std::vector<std::pair<std::pair<int, int64_t>, PagoProgramado>>& pagos,
                    bool generar, QList<NovedadProgramacion>* novedades = nullptr) {
        ManejadorErrores m{interaccion, s, nullptr};
        ProgramacionPagos p(s, interaccion, m);
        EXPECT_TRUE(p.abrir()) << mensajes().toStdString();
        p.plan().edit();
        p.plan().setValue("PRPG_PREGR", "BOG");
        p.plan().setValue("PRPG_CONC", "PAGOS DE LA SEMANA");
        p.plan().setValue("PRPG_CONFIRMADO", generar ? "S" : "N");
        p.plan().post();
        for (const auto& [doc, pago] : pagos) {
            const int fila = filaDe(p, doc.first, doc.second);
            EXPECT_GE(fila, 0) << "documento " << doc.first << "/" << doc.second << " ofrecido";
            if (fila < 0) continue;
            EXPECT_TRUE(p.pagar({fila}, pago));
        }
        EXPECT_TRUE(p.grabar()) << mensajes().toStdString();
        if (novedades) *novedades = p.novedades();
        return p.plan().asInt("PRPG_ID");
    }
    // Every row a voucher leaves, its ledger voucher included, as text.
    static QStringList huella(fb::Database& db) {
        QStringList r;
        const QString id = QStringLiteral("(select max(egre_id) from egresos)");
        const QString cnt = QStringLiteral("(select enco_consec from comprobante_encabezado where enco_tiporef = 62 and "
                                           "enco_idref = ") + id + u')';
        for (const QString& sql :
             {QStringLiteral("select * from egresos where egre_id = ") + id,
              QStringLiteral("select * from egresos_detalle where egre_id = ") + id + QStringLiteral(" order by 2"),
              QStringLiteral("select * from egresos_caja where egre_id = ") + id,
              QStringLiteral("select * from egresos_banco where egre_id = ") + id,
              QStringLiteral("select * from egresos_contabilidad where egre_id = ") + id,
              QStringLiteral("select cheq_id, cuba_cod, prba_pref, cheq_numero, terc_nit, cheq_fecha, cheq_monto from "
                             "cheques where cheq_idegreso = ") + id,
              QStringLiteral("select * from comprobante_encabezado where enco_consec = ") + cnt,
              QStringLiteral("select * from comprobante_detalle where enco_consec = ") + cnt + QStringLiteral(" order by 2"),
              QStringLiteral("select * from comprobante_detalle_niif where enco_consec = ") + cnt +
                  QStringLiteral(" order by 2")}) {
            for (const fb::Row& f : db.query(sql)) {
                QStringList celdas;
                // The moment of posting is the only thing allowed to differ.
                static const QRegularExpression momento(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:"));
                for (int i = 0; i < int(f.size()); ++i)
                    celdas << (momento.match(f[i].toString()).hasMatch() ? QString() : f[i].toString());
                r << celdas.join(u'|');
            }
        }
        return r;
    }
};

// The same payment typed on the voucher screen in one copy of the demo and
// generated from a plan in another leaves the same rows, ledger included.
TEST_F(Programacion, ElEgresoGeneradoEsIgualAlDigitado) {
    // Charge BOG000002 has a prompt-payment discount still available;
    // BOG000004 withholdings.
    struct Caso {
        const char* nombre;
        bool banco;
        int64_t cargo;
        const char* nit;
        const char* numero;
    };
    for (const Caso& c : {Caso{"caja", false, 2, "901234567", "000002"}, Caso{"cheque", true, 4, "830045678", "000004"}}) {
        SCOPED_TRACE(c.nombre);
        prueba::BaseTemporal digitada{prueba::plantillaCompania()}, generada{prueba::plantillaCompania()};
        prueba::cargarDemo(digitada);
        prueba::cargarDemo(generada);
        const int64_t cargo = c.cargo;
        sesion.compania = digitada.conectar();
        configuracion.cargar(sesion.compania);
        {
            Tfegresos p(sesion, interaccion, manejador, configuracion, servicios<ServiciosEgreso>(62, {}, true));
            ASSERT_TRUE(p.abrir()) << mensajes().toStdString();
            p.egreso().setValue("PREF_PRE", "BOG");
            p.egreso().setValue("TERC_NIT", QString::fromLatin1(c.nit));
            const QString nombre =
                sesion.compania.queryOne("select tido_nomcorto from tipo_documento where tido_cod = 51")->at(0).toString().trimmed();
            // Typed into the panel's open row, as a clerk does.
            ASSERT_EQ(p.detalle().state(), DataSet::State::Insert);
            p.detalle().setValue("TIDO_NOMCORTO", nombre);
            p.detalle().setValue("EGDE_PREFIJO", "BOG");
            p.detalle().setValue("EGDE_NUMERO", QString::fromLatin1(c.numero));
            ASSERT_FALSE(p.detalle().isNull("EGDE_IDDOC")) << mensajes().toStdString();
            ASSERT_TRUE(p.teclaF2());
            if (c.banco) {
                ASSERT_TRUE(p.abrirBanco()) << mensajes().toStdString();
                ASSERT_TRUE(p.continuarBanco()) << mensajes().toStdString();
            } else {
                ASSERT_TRUE(p.abrirCaja()) << mensajes().toStdString();
                ASSERT_TRUE(p.continuarCaja()) << mensajes().toStdString();
            }
            ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
        }
        fb::Database a = digitada.conectar();
        const auto medio = c.banco ? a.queryOne("select cuba_cod, prba_pref, egbc_tipobco from egresos_banco where egre_id = "
                                                "(select max(egre_id) from egresos)")
                                   : a.queryOne("select caja_id, '', 0 from egresos_caja where egre_id = "
                                                "(select max(egre_id) from egresos)");
        ASSERT_TRUE(medio.has_value());

        Sesion otra;
        otra.usuario_actual = sesion.usuario_actual;
        otra.compania = generada.conectar();
        PagoProgramado pago{c.banco, int((*medio)[0].toInt64()),
                            (*medio)[2].toInt64() == 72 ? QStringLiteral("CHEQUE") : QStringLiteral("RETIRO"),
                            (*medio)[1].toString().trimmed(), true, std::nullopt};
        QList<NovedadProgramacion> novedades;
        planear(otra, {{{51, cargo}, pago}}, true, &novedades);
        EXPECT_TRUE(novedades.isEmpty()) << novedades.value(0).novedad.toStdString();
        fb::Database b = generada.conectar();
        const QStringList esperado = huella(a), obtenido = huella(b);
        EXPECT_GT(esperado.size(), 5);
        EXPECT_EQ(obtenido.join(u'\n').toStdString(), esperado.join(u'\n').toStdString());
        sesion.compania = compania.conectar();
    }
}

// A plan of three documents of two creditors, one paid by another clerk
// before the plan is saved: that one is reported and not overpaid, the
// other two become vouchers; the books stay whole.
TEST_F(Programacion, ElDocumentoPagadoEntretantoSeOmiteYLosLibrosCuadran) {
    // Programmed, not yet sent to voucher generation.
    const PagoProgramado cheque{true, 1, QStringLiteral("CHEQUE"), QStringLiteral("CHB"), false, std::nullopt};
    const PagoProgramado transferencia{true, 1, QStringLiteral("RETIRO"), QStringLiteral("RET"), false, std::nullopt};
    ejecutar("insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE, "
             "NDPR_MONTO, NDPR_IVAMONTO, NDPR_RTFTEMONTO, NDPR_RTIVAMONTO, NDPR_RTICAMONTO, NDPR_RTCREEM, NDPR_CONC) "
             "values (78, '830045678', 'CEN', '000078', current_date - 3, current_date + 20, 800000, 152000, 20000, 0, "
             "0, 0, 'ARRIENDO PARQUEADERO')");
    for (const int id : {2, 4, 78}) ASSERT_GT(saldoDoc(51, id), Dinero()) << id;
    // The plan is made without generation; meanwhile a second clerk, on her
    // own connection, pays charge 3 from a plan of another date.
    const int64_t plan = planear(sesion, {{{51, 2}, cheque}, {{51, 4}, transferencia}, {{51, 78}, transferencia}}, false);
    ASSERT_GT(plan, 0);
    EXPECT_EQ(dinero("select count(*) from egresos"), dinero("select count(*) from egresos where egre_id <> 0"));
    const Dinero egresosAntes = dinero("select count(*) from egresos");
    {
        Sesion otra;
        otra.usuario_actual = sesion.usuario_actual;
        otra.compania = compania.conectar();
        ManejadorErrores m{interaccion, otra, nullptr};
        ProgramacionPagos p(otra, interaccion, m);
        ASSERT_TRUE(p.abrir());
        p.plan().edit();
        p.plan().setValue("PRPG_FECHA", QDate::currentDate().addDays(-1));
        p.plan().setValue("PRPG_PREGR", "BOG");
        p.plan().setValue("PRPG_CONFIRMADO", "S");
        p.plan().post();
        p.componer();
        const int fila = filaDe(p, 51, 78);
        ASSERT_GE(fila, 0) << "otro corte ofrece el cargo";
        PagoProgramado yaMismo = transferencia;
        yaMismo.egreso = true;
        ASSERT_TRUE(p.pagar({fila}, yaMismo));
        ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
        EXPECT_TRUE(p.novedades().isEmpty()) << p.novedades().value(0).novedad.toStdString();
    }
    EXPECT_EQ(saldoDoc(51, 78), Dinero());

    auto mayor = [this](const char* nit) {
        return dinero(QStringLiteral("select coalesce(sum(d.code_creditos - d.code_debitos), 0) from comprobante_detalle d "
                                     "join comprobante_encabezado e on e.enco_consec = d.enco_consec where d.terc_nit = "
                                     "'%1' and e.enco_anulado = 'N' and (d.cuen_cod starting with '2205' or d.cuen_cod = "
                                     "(select p.prov_ctapagar from proveedores p where p.terc_nit = d.terc_nit))")
                          .arg(QLatin1String(nit)));
    };
    auto sub = [this](const char* nit) {
        return dinero(QStringLiteral("select saldo from saldo_proveedor('%1', current_date, 0)").arg(QLatin1String(nit)));
    };
    const char* const nits[] = {"901234567", "830045678"};
    std::map<QString, std::pair<Dinero, Dinero>> antes;
    for (const char* nit : nits) antes[QLatin1String(nit)] = {mayor(nit), sub(nit)};

    // The first clerk confirms her plan.
    ProgramacionPagos p(sesion, interaccion, manejador);
    ASSERT_TRUE(p.abrir(plan));
    p.plan().edit();
    p.plan().setValue("PRPG_CONFIRMADO", "S");
    p.plan().post();
    interaccion.mensajes.clear();
    ASSERT_TRUE(p.grabar()) << mensajes().toStdString();
    ASSERT_EQ(p.novedades().size(), 1) << mensajes().toStdString();
    EXPECT_EQ(p.novedades().front().iddoc, 78);
    EXPECT_TRUE(mensajes().contains("no se pagó")) << mensajes().toStdString();
    EXPECT_EQ(saldoDoc(51, 2), Dinero());
    EXPECT_EQ(saldoDoc(51, 78), Dinero()) << "no quedó pagado dos veces";
    EXPECT_EQ(saldoDoc(51, 4), Dinero());
    EXPECT_EQ(dinero("select count(*) from egresos") - egresosAntes, Dinero::desdeEntero(3))
        << "el del otro empleado y uno por acreedor";
    EXPECT_EQ(dinero(QStringLiteral("select count(*) from programacion_pagos where prpg_id = %1 and prpg_idegre <> 0").arg(plan)),
              Dinero::desdeEntero(2));
    EXPECT_EQ(dinero("select count(*) from cheques where cheq_idegreso in (select prpg_idegre from programacion_pagos)"),
              Dinero::desdeEntero(1));

    // The books: every ledger voucher balances in both charts, each
    // creditor's payable account moves as its subledger, the check is clean.
    for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"})
        EXPECT_EQ(dinero(QStringLiteral("select count(*) from (select enco_consec from %1 group by enco_consec "
                                        "having sum(code_debitos) <> sum(code_creditos))")
                             .arg(QLatin1String(tabla))),
                  Dinero())
            << tabla;
    for (const char* nit : nits) {
        const auto& [mayorAntes, subAntes] = antes[QLatin1String(nit)];
        EXPECT_EQ(mayor(nit) - mayorAntes, sub(nit) - subAntes) << nit;
        EXPECT_NE(sub(nit), subAntes) << nit;
    }
    EXPECT_EQ(dinero("select count(*) from chequeo_saldos_doc_cxpagar('', 'zz')"), Dinero());

    // The dispersal file: a header whose control total is the plan's
    // transfers, one line per creditor paid by transfer, ASCII, ≤ 591.
    for (const char* formato : {"PAB", "MANUAL", "BCOBTA"}) {
        SCOPED_TRACE(formato);
        const auto lineas = sesion.compania.query(
            QStringLiteral("select datos from archivo_banco_cxp(%1, current_date, current_date, 'A', '%2')")
                .arg(plan)
                .arg(QLatin1String(formato)));
        ASSERT_EQ(int(lineas.size()), QLatin1String(formato) == QLatin1String("MANUAL") ? 3 : 2);
        const Dinero transferido = dinero(QStringLiteral("select sum(egde_abono) from egresos_detalle where egre_id in "
                                                         "(select prpg_idegre from programacion_pagos where prpg_id = %1 "
                                                         "and prpg_tipobco = 73)").arg(plan));
        const QString centavos = QString::number(transferido.escalado(-2)).rightJustified(17, u'0');
        EXPECT_TRUE(lineas[0][0].toString().contains(centavos)) << lineas[0][0].toString().toStdString();
        for (const auto& l : lineas) {
            const QString t = l[0].toString();
            EXPECT_LE(t.size(), 591);
            for (const QChar ch : t) EXPECT_LT(ch.unicode(), 128) << t.toStdString();
        }
        // The file: one line per row, in order, ".txt" added.
        DataSet lista;
        BusquedaProgramacion b(sesion, interaccion, manejador, configuracion, lista);
        QTemporaryDir dir;
        const auto n = b.exportar(plan, QDate::currentDate(), "A", QLatin1String(formato), dir.filePath("dispersion"));
        ASSERT_EQ(n, std::optional<int>(int(lineas.size())));
        QFile archivo(dir.filePath("dispersion.txt"));
        ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
        const QStringList escritas = QString::fromLatin1(archivo.readAll()).split("\r\n", Qt::SkipEmptyParts);
        ASSERT_EQ(escritas.size(), int(lineas.size()));
        EXPECT_EQ(escritas.front(), lineas[0][0].toString());
    }

    // Annulled, then deleted by the administrator; the vouchers stay.
    DataSet lista;
    BusquedaProgramacion b(sesion, interaccion, manejador, configuracion, lista);
    auto estado = [&]() -> std::optional<QString> {
        lista.open(sesion.compania, b.consultaInicial());
        if (!lista.locate("ID", fb::Value(int64_t(plan)))) return std::nullopt;
        return lista.asString("ANULADO").trimmed();
    };
    EXPECT_EQ(estado(), std::optional<QString>("N"));
    for (const char* despues : {"S", ""}) {
        interaccion.respuestas = {true};
        interaccion.elecciones = {QVariantMap{{"razon", QStringLiteral("PLAN REHECHO CON OTRO CORTE")}}};
        ASSERT_TRUE(b.anular()) << mensajes().toStdString();
        EXPECT_EQ(estado(), *despues ? std::optional<QString>(despues) : std::nullopt);
    }
    EXPECT_EQ(dinero(QStringLiteral("select count(*) from auditoria where tido_cod = 57 and audi_iddoc = %1 and "
                                    "audi_razon = 'PLAN REHECHO CON OTRO CORTE'").arg(plan)),
              Dinero::desdeEntero(2));
    EXPECT_EQ(dinero("select count(*) from egresos") - egresosAntes, Dinero::desdeEntero(3));
}

// The documents offered: one held by a live plan of a cut-off is not
// offered to another plan of that cut-off, but is to one of another date;
// paying a document twice in a plan keeps one row.
TEST_F(Programacion, DocumentosOfrecidosPorCorte) {
    const PagoProgramado caja{false, 1, {}, {}, false, std::nullopt};
    planear(sesion, {{{51, 2}, caja}}, false);
    struct Caso {
        int dias;
        bool ofrecido;
    };
    for (const Caso& c : {Caso{0, false}, Caso{-1, true}, Caso{3, true}}) {
        SCOPED_TRACE(c.dias);
        ProgramacionPagos p(sesion, interaccion, manejador);
        ASSERT_TRUE(p.abrir());
        p.plan().edit();
        p.plan().setValue("PRPG_FECHA", QDate::currentDate().addDays(c.dias));
        p.plan().post();
        p.componer();
        EXPECT_EQ(filaDe(p, 51, 2) >= 0, c.ofrecido);
        if (!c.ofrecido) continue;
        const int fila = filaDe(p, 51, 2);
        ASSERT_TRUE(p.pagar({fila}, caja));
        PagoProgramado otraVez = caja;
        otraVez.valor = d("1000");
        ASSERT_TRUE(p.pagar({filaDe(p, 51, 2)}, otraVez));
        EXPECT_EQ(p.filas().recordCount(), 1);
        EXPECT_EQ(p.filas().asDinero("PRPG_ABONO"), d("1000"));
        EXPECT_EQ(p.totalPagos(), d("1000"));
    }
}

// The money of a bank account: opening balance + deposits - cheques -
// withdrawals after the opening date, none annulled, up to the cut-off.
TEST_F(Programacion, DineroDisponibleDeUnaCuenta) {
    ejecutar("update cuentas_banco set cuba_saldoini = 1000000, cuba_fechaini = '2026/11/30' where cuba_cod = 2");
    ejecutar("insert into consigna (cons_id, cuba_cod, cons_numero, cons_fecha, cons_monto) values (1, 2, '1', '2026/12/01', 500000)");
    ejecutar("insert into consigna (cons_id, cuba_cod, cons_numero, cons_fecha, cons_monto, cons_anulado) "
             "values (2, 2, '2', '2026/12/01', 7777, 'S')");
    ejecutar("insert into cheques (cheq_id, cuba_cod, cheq_numero, cheq_fecha, cheq_monto) values (901, 2, '9', '2026/11/29', 3333)");
    ejecutar("insert into cheques (cheq_id, cuba_cod, cheq_numero, cheq_fecha, cheq_monto) values (902, 2, '10', '2026/12/02', 200000)");
    ejecutar("insert into retiros (reti_id, cuba_cod, reti_numero, reti_fecha, reti_monto) values (903, 2, '11', '2026/12/03', 50000)");
    ejecutar("insert into retiros (reti_id, cuba_cod, reti_numero, reti_fecha, reti_monto, reti_anulado) "
             "values (904, 2, '12', '2026/12/03', 1111, 'S')");
    struct Caso {
        const char* corte;
        const char* saldo;
    };
    for (const Caso& c : {Caso{"2026/11/30", "1000000"}, Caso{"2026/12/01", "1500000"}, Caso{"2026/12/02", "1300000"},
                          Caso{"2026/12/31", "1250000"}}) {
        SCOPED_TRACE(c.corte);
        EXPECT_EQ(dinero(QStringLiteral("select saldo from dinero_disponible('%1', 0) where cob = 'BANCO' and idcaja = 2")
                             .arg(QLatin1String(c.corte))),
                  d(c.saldo));
    }
}

}  // namespace
