// Posting of payables documents to the ledger: every posting of generated
// charges, discounts, applications and payment vouchers balances in both
// charts (NIIF by the definition's own accounts and by equivalence), a
// missing account is a clear error row, the payable accounts of each
// creditor follow its payables balance at any date on either basis,
// re-posting replaces and numbering holds under two connections.
#include "base/Sql.h"
#include "db/Esquema.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <set>
#include <thread>

namespace {

using namespace libro;
using cxp::sql::fecha;
using cxp::sql::texto;

struct Posteo {
    int error = -1, errorNiif = -1, idc = 0;
    QString ver;
};
struct Sumas {
    Centavos deb = 0, cred = 0, debN = 0, credN = 0;
    int lineas = 0, lineasN = 0;
};

const char* procedimiento(int tipo) {
    switch (tipo) {
    case 51: return "contabil_notadbpr";
    case 52: return "contabil_notacrpr";
    case 53: return "contabil_aplicapr";
    default: return "contabil_egreso";
    }
}

class Contabilizacion : public ::testing::Test {
protected:
    prueba::BaseTemporal base{prueba::plantillaDemo()};
    fb::Database db = base.conectar();
    Libro libro{db};

    void SetUp() override {
        // Definitions of prefix "0000": one with NIIF accounts of its own and
        // fixed additional lines, one making NIIF by equivalence.
        for (const char* sql : {
                 "insert into INTERFAZ_CXPAGAR (INCP_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, INCP_BASE, INCP_IVA, "
                 "INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, INCP_RTCREE, INCP_CTABASE, INCP_CTARTCREE, "
                 "INCP_CTADTO1, INCP_CTADTO2, INCP_CTADTO3, INCP_CTADTO4, INCP_EQUIVALENCIA) values (%1, %2, '0000', "
                 "'CXP', '0000', 'K', 'I', 'T', 'T', 'T', 'T', 'K', '51359501', '23657501', '42104001', '42104001', "
                 "'53051501', '53051501', 'N')",
                 "insert into INTERFAZ_CXPAGAR_NIIF (INCP_ID, INCP_BASE, INCP_IVA, INCP_RTFTE, INCP_RTIVA, INCP_RTICA, "
                 "INCP_PROV, INCP_RTCREE, INCP_CTABASE, INCP_CTARTCREE) values (%1, 'K', 'I', 'T', 'T', 'T', 'T', 'K', "
                 "'51359501', '23657501')",
                 "insert into INTERFAZ_CXPAGAR_CTAS values (%1, 1, '13551501', 'BASE', 0, 0.4, 'S', 'S')",
                 "insert into INTERFAZ_CXPAGAR_CTAS values (%1, 2, '23657501', 'BASE', 0, 0.4, 'N', 'S')",
                 "insert into INTERFAZ_CXPAGAR_CTAS values (%1, 3, '51359501', 'TOTAL', 1000, 1, 'S', 'N')",
                 "insert into INTERFAZ_CXPAGAR_CTAS values (%1, 4, '23359501', 'TOTAL', 1000, 1, 'N', 'N')",
                 "insert into INTERFAZ_CXPAGAR (INCP_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, INCP_BASE, INCP_IVA, "
                 "INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, INCP_RTCREE, INCP_CTAIVA, INCP_CTARTFTE, "
                 "INCP_CTARTIVA, INCP_CTARTICA, INCP_CTAPROV, INCP_CTARTCREE, INCP_CONFIRMAR, INCP_EQUIVALENCIA) "
                 "values (%1 + 1, %2, '0000', 'CXP', '0000', 'I', 'K', 'K', 'K', 'K', 'K', 'K', '24080502', '23654002', "
                 "'23670501', '23680501', '22050501', '23657501', 'S', 'S')"})
            for (int tipo : {51, 52, 53})
                db.executeDirect(QString::fromLatin1(sql)
                                     .replace(QLatin1String("%2"), QString::number(tipo))
                                     .replace(QLatin1String("%1"), QString::number(tipo * 10)));
        db.executeDirect(
            "insert into INTERFAZ_CAJA (INCJ_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, INCJ_CAJA, INCJ_RTFTE, "
            "INCJ_RTIVA, INCJ_RTICA, INCJ_PROV, INCJ_RTCREE, INCJ_CTARTCREE, INCJ_CTADTOF, INCJ_CTAEXCEDENTE, "
            "INCJ_CTACLIENTE, INCJ_EQUIVALENCIA) values (620, 62, '0000', 'EGR', '0000', 'T', 'T', 'T', 'T', 'T', 'K', "
            "'23657501', '42104001', '13300502', '13050501', 'N')");
        db.executeDirect(
            "insert into INTERFAZ_CAJA_NIIF (INCJ_ID, INCJ_CAJA, INCJ_RTFTE, INCJ_RTIVA, INCJ_RTICA, INCJ_PROV, "
            "INCJ_RTCREE, INCJ_CTARTCREE, INCJ_CTADTOF, INCJ_CTAEXCEDENTE, INCJ_CTACLIENTE) values (620, 'T', 'T', "
            "'T', 'T', 'T', 'K', '23657501', '42104001', '13300502', '13050501')");
        db.executeDirect(
            "insert into INTERFAZ_CAJA (INCJ_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, INCJ_CAJA, INCJ_RTFTE, "
            "INCJ_RTIVA, INCJ_RTICA, INCJ_PROV, INCJ_RTCREE, INCJ_CTACAJA, INCJ_CTARTFTE, INCJ_CTARTIVA, "
            "INCJ_CTARTICA, INCJ_CTAPROV, INCJ_CTARTCREE, INCJ_CTADTOF, INCJ_CTAEXCEDENTE, INCJ_CTACLIENTE, "
            "INCJ_EQUIVALENCIA) values (621, 62, '0000', 'EGR', '0000', 'K', 'K', 'K', 'K', 'K', 'K', '11050502', "
            "'23654002', '23670501', '23680501', '22050501', '23657501', '42104001', '13300502', '13050501', 'S')");
    }

    Posteo contabilizar(int tipo, int id, int interfaz) {
        Posteo p;
        fb::Transaction tr = db.begin();
        const auto filas = tr.query(QStringLiteral("select * from %1(%2,%3)")
                                        .arg(QLatin1String(procedimiento(tipo)))
                                        .arg(id)
                                        .arg(interfaz));
        EXPECT_EQ(filas.size(), 1u);
        if (filas.empty()) return p;
        p.error = int(filas[0]["ERROR"].toInt64());
        p.ver = filas[0]["VER"].toString();
        p.idc = int(filas[0]["IDC"].toInt64());
        const auto niif = tr.query(QStringLiteral("select * from %1_niif(%2,%3,%4)")
                                       .arg(QLatin1String(procedimiento(tipo)))
                                       .arg(id)
                                       .arg(interfaz)
                                       .arg(p.idc));
        EXPECT_EQ(niif.size(), 1u);
        if (!niif.empty()) p.errorNiif = int(niif[0]["ERROR"].toInt64());
        tr.commit();
        return p;
    }
    Sumas sumas(int idc) {
        const auto r = db.queryOne(QStringLiteral(
                                       "select sum(iif(cnde_item < 100000, cnde_debitos, 0)) d, "
                                       "sum(iif(cnde_item < 100000, cnde_creditos, 0)) c, "
                                       "sum(iif(cnde_item > 100000, cnde_debitos, 0)) dn, "
                                       "sum(iif(cnde_item > 100000, cnde_creditos, 0)) cn, "
                                       "sum(iif(cnde_item < 100000, 1, 0)) l, sum(iif(cnde_item > 100000, 1, 0)) ln "
                                       "from contabilizacion_det where cntb_id = %1")
                                       .arg(idc));
        Sumas s;
        if (!r || (*r)["L"].isNull()) return s;
        return {centavos((*r)["D"]), centavos((*r)["C"]), centavos((*r)["DN"]), centavos((*r)["CN"]),
                int((*r)["L"].toInt64()), int((*r)["LN"].toInt64())};
    }
    QStringList errores(int tipo, int id) {
        QStringList l;
        for (const fb::Row& r : db.query(QStringLiteral("select erro_codigo, erro_cadena from errores where "
                                                        "erro_tipodoc = %1 and erro_iddoc = %2 order by erro_id")
                                             .arg(tipo)
                                             .arg(id)))
            l << r[0].toString() + QLatin1Char(':') + r[1].toString();
        return l;
    }
    fb::Row finalizar(int idc) {
        fb::Transaction tr = db.begin();
        fb::Row r = tr.executeProcedure(QStringLiteral("CONTABILIZA_PENDIENTE"), {idc});
        tr.commit();
        return r;
    }
    // Definition 510 numbers on an accounting prefix of its own, "PRU".
    void prefijoPropio() {
        db.executeDirect("insert into PREFIJOS_CONTA (TICO_COD, PRCO_PREF, PREF_NUMERO) values ('CXP', 'PRU', '000001')");
        db.executeDirect("update INTERFAZ_CXPAGAR set PRCO_PRE = 'PRU' where INCP_ID = 510");
    }
    // Posts a document whole and checks both charts balance.
    void contabilizarCuadrado(int tipo, int id, int interfaz, const std::string& caso) {
        SCOPED_TRACE(caso);
        const Posteo p = contabilizar(tipo, id, interfaz);
        ASSERT_EQ(p.error, 0) << errores(tipo, id).join('\n').toStdString();
        ASSERT_EQ(p.errorNiif, 0) << errores(31, id).join('\n').toStdString();
        const Sumas s = sumas(p.idc);
        EXPECT_EQ(s.deb, s.cred);
        EXPECT_EQ(s.debN, s.credN);
        EXPECT_GT(s.lineas, 0);
        EXPECT_GT(s.lineasN, 0);
        EXPECT_NO_THROW(finalizar(p.idc));
    }
    // A sum over the lines of the ledger voucher of one document, in cents
    // (the lines counted: `expresion` 0.01).
    Centavos enLibro(int tipo, int id, const char* expresion, const QString& donde,
                     const char* tabla = "comprobante_detalle") {
        return centavos(db.queryOne(QStringLiteral("select coalesce(sum(%1), 0) from %2 d join comprobante_encabezado e on "
                                                   "e.enco_consec = d.enco_consec where e.enco_tiporef = %3 and "
                                                   "e.enco_idref = %4 and %5")
                                        .arg(QLatin1String(expresion), QLatin1String(tabla))
                                        .arg(tipo)
                                        .arg(id)
                                        .arg(donde))
                            ->at(0));
    }
    // What the ledger says the creditor owes: its payable and advance lines.
    Centavos mayorAcreedor(const QString& nit, QDate f) {
        const auto r = db.queryOne(QStringLiteral(
                                       "select coalesce(sum(d.code_creditos - d.code_debitos), 0) from "
                                       "comprobante_detalle d join comprobante_encabezado e on e.enco_consec = "
                                       "d.enco_consec where d.terc_nit = %1 and e.enco_fecha <= %2 and "
                                       "d.cuen_cod in ('22050501', '13300501')")
                                       .arg(texto(nit), fecha(f)));
        return centavos((*r)[0]);
    }
    Centavos saldoProveedor(const QString& nit, QDate f) {
        return centavos(
            db.query(QStringLiteral("select * from saldo_proveedor(%1,%2,0)").arg(texto(nit), fecha(f)))[0]["SALDO"]);
    }
    // Cash means of a voucher: cash and, for larger amounts, a bank cheque
    // with the levy.
    void medios(int egreso, Centavos total, bool banco) {
        const Centavos cheque = banco ? total / 2 : 0;
        if (total - cheque != 0)
            db.executeDirect("insert into EGRESOS_CAJA (EGRE_ID, EGCA_ITEM, CAJA_ID, FOPA_ID, EGCA_MONTO) "
                             "values (?, 1, 1, 1, ?)",
                             {egreso, dinero(total - cheque)});
        if (cheque != 0)
            db.executeDirect("insert into EGRESOS_BANCO (EGRE_ID, EGBC_TIPOBCO, CUBA_COD, EGBC_NUMERO, EGBC_MONTO, "
                             "EGBC_GMF) values (?, 72, 1, '000100', ?, 'S')",
                             {egreso, dinero(cheque)});
    }
};

// Charges and discounts with every combination of IVA by bases, the four
// withholdings, commercial discounts and the extra value, under both
// definitions and both bases.
TEST_F(Contabilizacion, CargosYDescuentosCuadranEnAmbosPlanes) {
    const QString nit = QStringLiteral("900100200");
    libro.acreedor(nit);
    for (bool neta : {true, false}) {
        libro.baseNeta(neta);
        for (int combinacion = 0; combinacion < 16; ++combinacion) {
            const bool bases = combinacion & 1, retenciones = combinacion & 2, descuentos = combinacion & 4,
                       extra = combinacion & 8;
            for (int tipo : {51, 52}) {
                const Centavos monto = 200000000;  // 2,000,000.00
                const Centavos iva = bases ? 19000000 + 2500000 + 3200000 : 38000000;
                const Retenciones r = retenciones ? Retenciones{5000000, 5700000, 828000, 800000} : Retenciones{};
                Documento& d = tipo == 51 ? libro.cargo(nit, QDate(2026, 5, 4), monto, iva, r)
                                          : libro.descuento(nit, QDate(2026, 5, 4), monto, iva, r);
                const QString p = tipo == 51 ? QStringLiteral("NDPR") : QStringLiteral("NCPR");
                const QString t = tipo == 51 ? QStringLiteral("NOTAS_DEBITO_PROVEEDOR")
                                             : QStringLiteral("NOTAS_CREDITO_PROVEEDOR");
                db.executeDirect(QStringLiteral("update %1 set %2_IVAPORC = 19 where %2_ID = ?").arg(t, p), {d.id});
                if (bases)
                    db.executeDirect(QStringLiteral("update %1 set %2_BASE0 = 300000, %2_BASE1 = 1000000, %2_BASE2 = "
                                                    "500000, %2_BASE3 = 200000, %2_IVA1 = 190000, %2_IVA2 = 25000, "
                                                    "%2_IVA3 = 32000 where %2_ID = ?")
                                         .arg(t, p),
                                     {d.id});
                if (descuentos)
                    db.executeDirect(tipo == 51 ? QStringLiteral("update NOTAS_DEBITO_PROVEEDOR set NDPR_DTO1M = 1000, "
                                                                 "NDPR_DTO2M = 2000, NDPR_DTO3M = 3000, NDPR_DTO4M = "
                                                                 "4000 where NDPR_ID = ?")
                                                : QStringLiteral("update NOTAS_CREDITO_PROVEEDOR set NCPR_DTOMONTO = "
                                                                 "5000 where NCPR_ID = ?"),
                                     {d.id});
                if (extra)
                    db.executeDirect(QStringLiteral("update %1 set %2_EXTRA = 12345.67 where %2_ID = ?").arg(t, p),
                                     {d.id});
                for (int interfaz : {tipo * 10, tipo * 10 + 1}) {
                    const std::string caso = QStringLiteral("tipo %1 combinación %2 interfaz %3 neta %4")
                                                 .arg(tipo)
                                                 .arg(combinacion)
                                                 .arg(interfaz)
                                                 .arg(neta)
                                                 .toStdString();
                    contabilizarCuadrado(tipo, d.id, interfaz, caso);
                    // Additional lines marked local-only stay out of the NIIF chart.
                    if (interfaz % 10 == 0)
                        EXPECT_EQ(enLibro(tipo, d.id, "0.01", "d.cuen_cod in ('23359501', '13551501')",
                                          "comprobante_detalle_niif"), 1) << caso;
                    // The payable is what the ledger says the document owes.
                    const Centavos g = monto + iva + (extra ? 1234567 : 0);
                    const Centavos esperado = neta ? g - r[0] - r[1] - r[2] - r[3] : g;
                    EXPECT_EQ(enLibro(tipo, d.id, "code_creditos - code_debitos", "d.cuen_cod = '22050501'"),
                              tipo == 51 ? esperado : -esperado) << caso;
                }
            }
        }
    }
    // The definition asking for confirmation says so.
    Documento& d = libro.cargo(nit, QDate(2026, 5, 4), 100000);
    EXPECT_EQ(contabilizar(51, d.id, 511).ver, QStringLiteral("S"));
    EXPECT_EQ(contabilizar(51, d.id, 510).ver, QStringLiteral("N"));
}

// The consumption tax goes to its own account, never into the deductible
// IVA; a simplified-regime share splits in proportion, with no negative
// IVA line.
TEST_F(Contabilizacion, ImpuestoAlConsumoNoEsIva) {
    const QString nit = QStringLiteral("900100200");
    libro.acreedor(nit);
    db.executeDirect("delete from INTERFAZ_CXPAGAR_CTAS where INCP_ID = 510");
    for (const char* t : {"INTERFAZ_CXPAGAR", "INTERFAZ_CXPAGAR_NIIF"})
        db.executeDirect(QStringLiteral("update %1 set INCP_INALCM = 'K', INCP_CTAINALCM = '23359501' where INCP_ID = 510")
                             .arg(QLatin1String(t)));
    const QString ivaBase1 = db.queryOne("select taiv_ctaiva from tarifa_iva where taiv_ordimp = 1")->at(0).toString();
    struct Caso {
        Centavos ivaMonto, iva, consumo;
    };
    for (const Caso& k : {Caso{27000000, 19000000, 8000000}, Caso{13500000, 9500000, 4000000}}) {
        SCOPED_TRACE(k.ivaMonto);
        Documento& d = libro.cargo(nit, QDate(2026, 5, 4), 100000000, k.ivaMonto);
        db.executeDirect("update NOTAS_DEBITO_PROVEEDOR set NDPR_IVAPORC = 19, NDPR_BASE1 = 1000000, NDPR_IVA1 = 190000, "
                         "NDPR_INALCM = 80000 where NDPR_ID = ?",
                         {d.id});
        contabilizarCuadrado(51, d.id, 510, "consumo");
        EXPECT_EQ(enLibro(51, d.id, "code_debitos", "d.cuen_cod = '23359501'"), k.consumo);
        EXPECT_EQ(enLibro(51, d.id, "code_debitos", "d.cuen_cod = " + texto(ivaBase1)), k.iva);
        EXPECT_EQ(enLibro(51, d.id, "code_creditos", "d.cuen_cod starting with '2408'"), 0) << "ninguna línea de IVA negativa";
    }
}

// Cash sources N and I give the cash no account (an amount there is an
// error, not a T line); a document reference longer than the ledger's
// column is refused with its error, never cut.
TEST_F(Contabilizacion, FuentesDeCajaYReferenciasLargas) {
    const QString nit = QStringLiteral("900100200");
    libro.acreedor(nit);
    Documento& d = libro.cargo(nit, QDate(2026, 5, 4), 100000000);
    struct Caso {
        const char* caja;
        bool referenciaLarga;
        const char* error;  // start of the error row; empty: none
    };
    for (const Caso& k : {Caso{"T", false, ""}, Caso{"N", false, "9:La caja tiene valor"},
                          Caso{"I", false, "9:La caja tiene valor"}, Caso{"T", true, "23:La referencia ABCD12345678"}}) {
        SCOPED_TRACE(std::string(k.caja) + (k.referenciaLarga ? " larga" : ""));
        db.executeDirect("update INTERFAZ_CAJA set INCJ_CAJA = ? where INCJ_ID = 620", {QString::fromLatin1(k.caja)});
        Cruce& c = libro.egreso(nit, QDate(2026, 5, 5), {Linea{51, d.id, 100000}});
        if (k.referenciaLarga)
            db.executeDirect("update EGRESOS_DETALLE set EGDE_PREFIJO = 'ABCD', EGDE_NUMERO = '12345678' where EGRE_ID = ?",
                             {c.id});
        medios(c.id, 100000, false);
        const Posteo p = contabilizar(62, c.id, 620);
        const QStringList e = errores(62, c.id);
        if (*k.error) {
            EXPECT_GT(p.error, 0);
            EXPECT_TRUE(e.join('|').contains(QString::fromUtf8(k.error))) << e.join('\n').toStdString();
        } else {
            EXPECT_EQ(p.error, 0) << e.join('\n').toStdString();
        }
    }
    // The same rule in an application.
    Documento& n = libro.descuento(nit, QDate(2026, 5, 4), 5000000);
    Cruce& a = libro.aplicacion(nit, QDate(2026, 5, 6), {Linea{51, d.id, 10000}, Linea{52, n.id, -10000}});
    db.executeDirect("update APLICACION_PROVEEDOR_DETALLE set APPD_PREFIJO = 'ABCD', APPD_NUMERO = '12345678' "
                     "where APPR_ID = ?",
                     {a.id});
    EXPECT_GT(contabilizar(53, a.id, 530).error, 0);
    EXPECT_TRUE(errores(53, a.id).join('|').contains(QStringLiteral("23:La referencia ABCD12345678")));
}

// A receivable crossed in a voucher is settled by the amount crossed plus
// the withholdings its customer took and the discount granted: the customer
// account takes the whole, the two go to the cash definition's accounts for
// them, and the voucher balances in both charts; with no account for an
// amount there, an error row, never a silent loss.
TEST_F(Contabilizacion, CrucesConSusRetencionesYDescuento) {
    const QString nit = QStringLiteral("900100200");
    libro.acreedor(nit);
    Documento& d = libro.cargo(nit, QDate(2026, 5, 4), 100000000);
    db.executeDirect("update INTERFAZ_CAJA_NIIF set INCJ_CTARTCRUCE = '13551501', INCJ_CTADTOCRUCE = '53051501'");
    db.executeDirect("update INTERFAZ_CAJA set INCJ_CTARTCRUCE = '13551501', INCJ_CTADTOCRUCE = '53051501'");
    struct Caso {
        int interfaz;
        const char *rete, *dto;  // sources
        Centavos rtfte, rtica, cree, dtof;
        const char* error;  // start of the error row; empty: none
    } casos[] = {
        {620, "K", "K", 750000, 41400, 0, 200000, ""},
        {621, "K", "K", 750000, 0, 30000, 200000, ""},
        {620, "N", "N", 0, 0, 0, 0, ""},
        {620, "N", "K", 750000, 0, 0, 200000, "9:Las retenciones de la cuenta por cobrar FV00000001 tienen valor"},
        {620, "K", "N", 0, 41400, 0, 200000, "9:El descuento de la cuenta por cobrar FV00000001 tiene valor"},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::to_string(k.interfaz) + k.rete + k.dto);
        for (const char* tabla : {"INTERFAZ_CAJA", "INTERFAZ_CAJA_NIIF"})
            db.executeDirect(QStringLiteral("update %1 set INCJ_RTCRUCE = ?, INCJ_DTOCRUCE = ?").arg(QLatin1String(tabla)),
                             {QString::fromLatin1(k.rete), QString::fromLatin1(k.dto)});
        Cruce& c = libro.egreso(nit, QDate(2026, 5, 5), {Linea{51, d.id, 10000000}});
        db.executeDirect("insert into EGRESOS_CRUCEC (EGRE_ID, EGCC_ITEM, EGCC_TIPODOC, EGCC_PREFIJO, EGCC_NUMERO, "
                         "EGCC_ABONO, EGCC_RTFTE, EGCC_RTICA, EGCC_RCREE, EGCC_DTOF) "
                         "values (?, 1, 31, 'FV', '00000001', ?, ?, ?, ?, ?)",
                         {c.id, dinero(3000000), dinero(k.rtfte), dinero(k.rtica), dinero(k.cree), dinero(k.dtof)});
        medios(c.id, 10000000 - 3000000, false);
        if (*k.error) {
            EXPECT_GT(contabilizar(62, c.id, k.interfaz).error, 0);
            EXPECT_TRUE(errores(62, c.id).join('|').contains(QString::fromUtf8(k.error)))
                << errores(62, c.id).join('\n').toStdString();
            continue;
        }
        const Posteo p = contabilizar(62, c.id, k.interfaz);
        ASSERT_EQ(p.error + p.errorNiif, 0) << errores(62, c.id).join('\n').toStdString();
        const Sumas s = sumas(p.idc);
        EXPECT_EQ(s.deb, s.cred);
        EXPECT_EQ(s.debN, s.credN);
        // The customer account, in each chart, is lowered by all it settles
        // (the CREE is the customer's own and settles nothing).
        const auto r = db.queryOne("select sum(iif(cnde_item < 100000, cnde_creditos - cnde_debitos, 0)), "
                                   "sum(iif(cnde_item > 100000, cnde_creditos - cnde_debitos, 0)) "
                                   "from contabilizacion_det where cntb_id = ? and cnde_cuenta starting with '1305'",
                                   {p.idc});
        const Centavos cliente = 3000000 + k.rtfte + k.rtica + k.dtof;
        EXPECT_EQ(centavos(r->at(0)), cliente);
        EXPECT_EQ(centavos(r->at(1)), cliente);
        EXPECT_NO_THROW(finalizar(p.idc));
    }
}

// A voucher of other payments (class 3, no documents): the withholdings and
// the discount typed in its totals reach the voucher on either basis, so
// that it balances against its own accounting lines.
TEST_F(Contabilizacion, OtrosEgresosLlevanSusTotalesDigitados) {
    const QString nit = QStringLiteral("900100200");
    libro.acreedor(nit);
    for (bool neta : {true, false}) {
        libro.baseNeta(neta);
        Cruce& c = libro.egreso(nit, QDate(2026, 5, 5), {});
        db.executeDirect("update EGRESOS set EGRE_TIPO = '3', EGRE_MONTO = 100000, EGRE_RTFTEMONTO = 2500, "
                         "EGRE_DTOF = 1000 where EGRE_ID = ?",
                         {c.id});
        db.executeDirect("insert into EGRESOS_CONTABILIDAD (EGRE_ID, EGCO_ITEM, CUEN_COD, EGCO_DEBITOS, EGCO_CONC) "
                         "values (?, 1, '53050501', 103500, 'HONORARIOS')",
                         {c.id});
        medios(c.id, 10000000, false);
        contabilizarCuadrado(62, c.id, 620, neta ? "neta" : "bruta");
    }
}

// A missing account is one error row naming the component and the source;
// the line is left out, so the voucher does not balance and is refused
// unless unbalanced vouchers are allowed. A new posting clears the rows.
TEST_F(Contabilizacion, CuentaFaltanteEsErrorClaro) {
    const QString nit = QStringLiteral("900999001");
    libro.acreedor(nit, QStringLiteral("09"));  // a group without accounts
    Documento& d = libro.cargo(nit, QDate(2026, 6, 1), 100000000, 19000000, {2500000, 0, 0, 0});
    const Posteo p = contabilizar(51, d.id, 510);
    EXPECT_EQ(p.error, 2);
    EXPECT_EQ(errores(51, d.id),
              QStringList({QStringLiteral("12:No hay cuenta de retención en la fuente para el tercero 900999001 "
                                          "(fuente T)"),
                           QStringLiteral("16:No hay cuenta de cuentas por pagar para el tercero 900999001 "
                                          "(fuente T)")}));
    try {
        finalizar(p.idc);
        ADD_FAILURE() << "un comprobante descuadrado pasó";
    } catch (const fb::DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("No puede grabar un comprobante descuadrado"))) << e.what();
    }
    db.executeDirect("update CONFIGURACION set CONF_VALOR = 'SI' where CONF_PROPIEDAD = 'PERMITIR COMPROBANTES "
                     "DESCUADRADOS'");
    EXPECT_NO_THROW(finalizar(p.idc));

    // The creditor gets its accounts: the errors go.
    db.executeDirect("update PROVEEDORES set PROV_CTAPAGAR = '22050501', PROV_CTARTFTE = '23654001', "
                     "PROV_CTAPAGNIIF = '22050501', PROV_CTARFTENIIF = '23654001' where TERC_NIT = ?",
                     {nit});
    EXPECT_EQ(contabilizar(51, d.id, 510).error, 0);
    EXPECT_TRUE(errores(51, d.id).isEmpty());

    // An account with no NIIF twin fails the equivalence, under type 31.
    db.executeDirect("update CUENTAS set CUEN_NIIF = null where CUEN_COD = '24080502'");
    const Posteo q = contabilizar(51, d.id, 511);
    EXPECT_EQ(q.error, 0);
    EXPECT_EQ(q.errorNiif, 1);
    EXPECT_EQ(errores(31, d.id),
              QStringList(QStringLiteral("21:La cuenta 24080502 de IVA no tiene cuenta NIIF equivalente")));
    // A definition of another document type is refused.
    EXPECT_EQ(contabilizar(51, d.id, 520).error, 1);
    EXPECT_TRUE(errores(51, d.id).first().startsWith(QStringLiteral("2:")));
}

// Re-posting replaces the pending voucher; finalizing again replaces the
// ledger voucher, which takes the prefix's next number. The NIIF procedure
// itself makes lines whatever the document's year: the opening year is the
// client's rule.
TEST_F(Contabilizacion, RepostearReemplaza) {
    const QString nit = QStringLiteral("900100200");
    libro.acreedor(nit);
    prefijoPropio();
    Documento& d = libro.cargo(nit, QDate(2010, 6, 1), 100000000, 19000000);
    const Posteo a = contabilizar(51, d.id, 510);
    const Posteo b = contabilizar(51, d.id, 510);
    EXPECT_NE(a.idc, b.idc);
    EXPECT_EQ(db.queryOne("select count(*) from contabilizacion where cntb_tiporef = '51' and cntb_idref = ?", {d.id})->at(0).toInt64(), 1);
    EXPECT_GT(sumas(b.idc).lineasN, 0);
    const fb::Row primero = finalizar(b.idc);
    const fb::Row segundo = finalizar(contabilizar(51, d.id, 510).idc);
    EXPECT_EQ(primero["NUMERO"].toString(), QStringLiteral("000001"));
    EXPECT_EQ(segundo["NUMERO"].toString(), QStringLiteral("000001")) << "re-posting keeps the voucher's number";
    const auto vivos = db.query("select enco_consec from comprobante_encabezado where enco_tiporef = 51 and "
                                "enco_idref = ?",
                                {d.id});
    ASSERT_EQ(vivos.size(), 1u);
    EXPECT_EQ(vivos[0][0].toInt64(), segundo["ENCO_CONSEC"].toInt64());
    EXPECT_EQ(db.queryOne("select count(*) from comprobante_detalle where enco_consec = ?", {primero["ENCO_CONSEC"]})->at(0).toInt64(), 0);
    EXPECT_EQ(db.queryOne("select pref_numero from prefijos_conta where prco_pref = 'PRU'")->at(0).toString(), "000002");
}

// A generated quarter of payables on each basis: after posting every
// document, the payable and advance accounts of each creditor equal its
// payables balance at every date; the whole ledger balances by nature.
class Mayor : public Contabilizacion, public ::testing::WithParamInterface<bool> {};

TEST_P(Mayor, CuentasDelAcreedorSiguenSuSaldo) {
    const bool neta = GetParam();
    libro.baseNeta(neta);
    const QStringList nits = {QStringLiteral("900100201"), QStringLiteral("900100202"), QStringLiteral("900100203")};
    for (const QString& n : nits) libro.acreedor(n);
    std::mt19937 azar(neta ? 7 : 11);
    auto uno = [&](int n) { return int(azar() % uint32_t(n)); };
    const QDate inicio(2026, 3, 1);
    std::set<std::pair<int, int>> cruzados;
    for (int dia = 0; dia < 45; ++dia) {
        const QDate f = inicio.addDays(dia);
        for (const QString& nit : nits) {
            const int accion = uno(10);
            if (accion < 3) {
                const Centavos m = (10 + uno(400)) * 1000000;
                libro.cargo(nit, f, m, m * 19 / 100, {m / 40, m * 19 / 100 * 15 / 100, m * 414 / 100000, m / 250},
                            30, uno(2) ? m / 100 : 0, 10);
            } else if (accion == 3) {
                const Centavos m = (1 + uno(50)) * 1000000;
                libro.descuento(nit, f, m, m * 19 / 100, {m / 40, 0, 0, 0});
            } else if (accion == 4) {
                // Advances carry withholdings: on either basis the advance
                // account must follow the advance's balance.
                const Centavos m = (1 + uno(30)) * 1000000;
                Documento& a = libro.anticipo(nit, f, m, m * 19 / 100, {m / 40, m * 19 / 100 * 15 / 100, m * 414 / 100000, 0});
                Cruce& c = libro.egreso(nit, f, {}, {a.id});
                medios(c.id, a.neto(), false);
            } else if (accion <= 7) {
                // Pays one or two debts, taking a credit along now and then.
                std::vector<Linea> lineas;
                Centavos total = 0;
                for (auto& [clave, d] : libro.documentos()) {
                    if (d.nit != nit || d.tipo != 51 || d.fecha > f || lineas.size() >= 2) continue;
                    const Saldo s = libro.saldo(d, f);
                    if (s.neto <= 0 || s.bruto <= 0) continue;
                    const bool entero = uno(2);
                    Linea l{51, d.id};
                    if (entero && d.dtof && f <= d.fecdtof && !cruzados.count(clave)) l.dtof = d.dtof;
                    // The pending withholdings come with the document whatever the
                    // basis; on the net basis they were posted with the debt.
                    if (entero) l.rete = s.pendiente;
                    l.abono = entero ? s.neto - l.dtof : (s.neto - l.dtof) / 2;
                    cruzados.insert(clave);
                    total += l.abono;
                    lineas.push_back(l);
                }
                for (auto& [clave, d] : libro.documentos()) {
                    if (d.nit != nit || d.tipo != 52 || d.fecha > f || lineas.empty() || uno(3)) continue;
                    const Saldo s = libro.saldo(d, f);
                    const Centavos x = std::min({-s.neto, -s.bruto, total / 2});
                    if (x <= 0) continue;
                    lineas.push_back(Linea{52, d.id, -x});
                    total -= x;
                    break;
                }
                if (lineas.empty()) continue;
                Cruce& c = libro.egreso(nit, f, lineas);
                const Centavos excedente = uno(4) ? 0 : 500000, cruce = uno(4) ? 0 : 300000,
                               libre = uno(3) ? 0 : 150000;
                db.executeDirect("update EGRESOS set EGRE_EXCEDENTE = ? where EGRE_ID = ?", {dinero(excedente), c.id});
                if (cruce)
                    db.executeDirect("insert into EGRESOS_CRUCEC (EGRE_ID, EGCC_ITEM, EGCC_TIPODOC, EGCC_PREFIJO, "
                                     "EGCC_NUMERO, EGCC_ABONO) values (?, 1, 31, 'FV', '00000001', ?)",
                                     {c.id, dinero(cruce)});
                if (libre)
                    db.executeDirect("insert into EGRESOS_CONTABILIDAD (EGRE_ID, EGCO_ITEM, CUEN_COD, EGCO_DEBITOS, "
                                     "EGCO_CONC) values (?, 1, '53050501', ?, 'GASTOS BANCARIOS')",
                                     {c.id, dinero(libre)});
                medios(c.id, total + excedente - cruce + libre, total > 100000000);
            } else if (accion == 8) {
                // Applies an open credit against an open debt.
                Documento *debe = nullptr, *credito = nullptr;
                for (auto& [clave, d] : libro.documentos()) {
                    if (d.nit != nit || d.fecha > f || !libro.enLibro(d)) continue;
                    const Saldo s = libro.saldo(d, f);
                    if (d.signo > 0 && s.neto > 0 && s.bruto > 0 && !debe) debe = &d;
                    if (d.signo < 0 && s.neto < 0 && s.bruto < 0 && !credito) credito = &d;
                }
                if (!debe || !credito) continue;
                const Saldo sd = libro.saldo(*debe, f), sc = libro.saldo(*credito, f);
                const Centavos x = std::min({sd.neto, sd.bruto, -sc.neto, -sc.bruto});
                libro.aplicacion(nit, f, {Linea{debe->tipo, debe->id, x, 0, sd.pendiente},
                                          Linea{credito->tipo, credito->id, -x}});
            }
        }
    }

    // Every kind of line was generated.
    for (const char* cuenta : {"select count(*) from egresos_detalle where egde_dtof <> 0",
                               "select count(*) from egresos_detalle where egde_rtfte <> 0",
                               "select count(*) from egresos_detalle where egde_tipodoc = 52",
                               "select count(*) from egresos_detalle where egde_tipodoc = 55",
                               "select count(*) from egresos where egre_excedente <> 0",
                               "select count(*) from egresos_crucec", "select count(*) from egresos_contabilidad",
                               "select count(*) from egresos_banco where egbc_gmf = 'S'",
                               "select count(*) from aplicacion_proveedor_detalle where appd_rtfte <> 0"})
        EXPECT_GT(db.queryOne(QString::fromLatin1(cuenta))->at(0).toInt64(), 0) << cuenta;

    int n = 0;
    for (auto& [clave, d] : libro.documentos())
        if (d.tipo == 51 || d.tipo == 52)
            contabilizarCuadrado(d.tipo, d.id, d.tipo * 10 + (n++ % 2), "documento " + std::to_string(d.id));
    for (auto& [clave, c] : libro.cruces())
        contabilizarCuadrado(c.tipo, c.id, c.tipo == 62 ? 620 + (n++ % 2) : 530 + (n++ % 2),
                             "cruce " + std::to_string(c.tipo) + "/" + std::to_string(c.id));
    ASSERT_GT(n, 30);

    for (int dia = 0; dia <= 45; dia += 9) {
        const QDate f = inicio.addDays(dia);
        for (const QString& nit : nits)
            EXPECT_EQ(mayorAcreedor(nit, f), saldoProveedor(nit, f)) << nit.toStdString() << " al "
                                                                     << f.toString(Qt::ISODate).toStdString();
        Centavos debito = 0, credito = 0;
        for (const char* clase : {"1", "5", "6"})
            debito += centavos(db.query(QStringLiteral("select * from saldo_cuenta('%1', %2)")
                                            .arg(QLatin1String(clase), fecha(f)))[0]["SALDO"]);
        for (const char* clase : {"2", "3", "4"})
            credito += centavos(db.query(QStringLiteral("select * from saldo_cuenta('%1', %2)")
                                             .arg(QLatin1String(clase), fecha(f)))[0]["SALDO"]);
        EXPECT_EQ(debito, credito);
    }
    // An annulled voucher leaves the balances.
    const Centavos antes = centavos(db.query("select * from saldo_cuenta('2205', '2026/12/31')")[0]["SALDO"]);
    const auto uno51 = db.queryOne("select first 1 e.enco_consec, sum(d.code_creditos - d.code_debitos) from "
                                   "comprobante_encabezado e join comprobante_detalle d on d.enco_consec = "
                                   "e.enco_consec where e.enco_tiporef = 51 and d.cuen_cod = '22050501' "
                                   "group by e.enco_consec");
    db.executeDirect("update comprobante_encabezado set enco_anulado = 'S' where enco_consec = ?", {uno51->at(0)});
    EXPECT_EQ(centavos(db.query("select * from saldo_cuenta('2205', '2026/12/31')")[0]["SALDO"]),
              antes - centavos(uno51->at(1)));
}

INSTANTIATE_TEST_SUITE_P(Bases, Mayor, ::testing::Values(true, false));

// Two connections finalize on one accounting prefix: the second waits for
// the first, fails with an update conflict, retries and takes the next
// number.
TEST_F(Contabilizacion, DosConexionesNumeranDistinto) {
    const QString nit = QStringLiteral("900100200");
    libro.acreedor(nit);
    prefijoPropio();
    const int a = contabilizar(51, libro.cargo(nit, QDate(2026, 7, 1), 100000000).id, 510).idc;
    const int b = contabilizar(51, libro.cargo(nit, QDate(2026, 7, 1), 200000000).id, 510).idc;
    fb::Database otra = base.conectar();
    fb::Transaction primera = db.begin();
    const QString n1 = primera.executeProcedure(QStringLiteral("CONTABILIZA_PENDIENTE"), {a})["NUMERO"].toString();
    std::atomic<bool> termino{false};
    int conflictos = 0;
    QString n2;
    std::thread segunda([&] {
        for (int intento = 0; intento < 5 && n2.isEmpty(); ++intento) {
            try {
                fb::Transaction tr = otra.begin();
                n2 = tr.executeProcedure(QStringLiteral("CONTABILIZA_PENDIENTE"), {b})["NUMERO"].toString();
                tr.commit();
            } catch (const fb::DbError& e) {
                if (e.kind() != fb::ErrorKind::LockConflict) break;
                ++conflictos;
            }
        }
        termino = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(termino) << "la segunda no esperó a la primera";
    primera.commit();
    segunda.join();
    EXPECT_EQ(n1, QStringLiteral("000001"));
    EXPECT_EQ(n2, QStringLiteral("000002"));
    EXPECT_GE(conflictos, 1);
}

// A transfer to a cash box: what leaves the bank enters the destination
// box, under both definitions.
TEST_F(Contabilizacion, TrasladoACajaEntraEnLaCajaDestino) {
    const QString nit = QStringLiteral("900100200");
    libro.acreedor(nit);
    Cruce& c = libro.egreso(nit, QDate(2026, 8, 3), {});
    db.executeDirect("update EGRESOS set EGRE_TIPO = '2', CAJA_ID = 2 where EGRE_ID = ?", {c.id});
    medios(c.id, 50000000, true);
    for (int interfaz : {620, 621}) {
        contabilizarCuadrado(62, c.id, interfaz, "interfaz " + std::to_string(interfaz));
        EXPECT_EQ(enLibro(62, c.id, "code_debitos", "d.cuen_cod = '11050502'"), 50000000);
    }
}

}  // namespace
