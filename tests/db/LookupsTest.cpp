// The database side of the lookups the screens call while an account, a
// cost centre, a NIT or an article is typed; the chart rules behind them;
// the third parties' audit and defaults; and the demo company's charts and
// creditors.
#include "base/Nit.h"
#include "base/Sql.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/Constructores.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>

namespace {

using cxp::sql::texto;

class Busquedas : public ::testing::Test {
protected:
    prueba::BaseTemporal base{prueba::plantillaCompania()};
    fb::Database db = base.conectar();

    // The one row of a selectable procedure called with literals, as the
    // screens call it.
    fb::Row llamar(const QString& procedimiento, const QStringList& argumentos) {
        QStringList lits;
        for (const QString& a : argumentos) lits << texto(a);
        const auto filas = db.query(QStringLiteral("select * from %1(%2)").arg(procedimiento, lits.join(", ")));
        EXPECT_EQ(filas.size(), 1u) << procedimiento.toStdString() << " " << argumentos.join(",").toStdString();
        return filas.empty() ? fb::Row() : filas.front();
    }

    // The text of the DbError that f throws; empty (and a failure) when none.
    static QString errorDe(const std::function<void()>& f) {
        try {
            f();
        } catch (const fb::DbError& e) {
            return e.text();
        }
        ADD_FAILURE() << "no falló";
        return {};
    }

    void cuenta(const char* tabla, const QString& codigo, const char* naturaleza = nullptr) {
        db.executeDirect(QStringLiteral("insert into %1 (cuen_cod, cuen_nom, cuen_naturaleza) values (?, ?, ?)")
                             .arg(QLatin1String(tabla)),
                         {codigo, QStringLiteral("CUENTA ") + codigo,
                          naturaleza ? fb::Value(naturaleza) : fb::Value()});
    }
};

struct Catalogo {
    const char* tabla;
    const char* valida;
};
const Catalogo kCatalogos[] = {{"CUENTAS", "VALIDE_CUENTA_C"}, {"CUENTAS_NIIF", "VALIDE_CUENTA_NIIF_C"}};

TEST_F(Busquedas, CodigosDeValidacionDeCuentasEnAmbosCatalogos) {
    for (const Catalogo& c : kCatalogos) {
        for (const char* codigo : {"1", "11", "1105", "110505", "11050501", "11050502", "110510", "2"})
            cuenta(c.tabla, QString::fromLatin1(codigo));
        db.executeDirect(QStringLiteral("update %1 set cuen_activa = 'N' where cuen_cod = '11050502'")
                             .arg(QLatin1String(c.tabla)));
    }
    // Only in the local chart: the NIIF twin knows nothing of it.
    cuenta("CUENTAS", "1110");
    cuenta("CUENTAS", "111005");

    const struct {
        const char* cuenta;
        int codigo;
    } casos[] = {
        {"11050501", 0},
        {"11050502", 0},  // inactive: the name lookup warns, not the check
        {"110510", 0},    // a subaccount without auxiliaries takes movements
        {"110505", 4},    // has auxiliaries
        {"1105", 3},
        {"11", 3},
        {"1", 3},
        {"11050599", 1},
        {"1120", 1},  // missing answers 1 before its level is looked at
        {"123456789012", 1},
        {"", 2},
        {"1105 5", 2},
        {"11A505", 2},
        {"110", 2},
        {"11050", 2},
        {"1234567890123", 2},
        {"1234567890123456789012345", 2},
        {" 110505", 2},
        {"O'Brien", 2},
    };
    for (const Catalogo& c : kCatalogos) {
        for (const auto& k : casos) {
            const fb::Row r = llamar(QLatin1String(c.valida), {QString::fromLatin1(k.cuenta)});
            EXPECT_EQ(r["RESULTADO"].toInt64(), k.codigo) << c.valida << " " << k.cuenta;
            EXPECT_EQ(r["ERROR"].toInt64(), k.codigo) << c.valida << " " << k.cuenta;
        }
    }
    EXPECT_EQ(llamar("VALIDE_CUENTA_C", {"111005"})[0].toInt64(), 0);
    EXPECT_EQ(llamar("VALIDE_CUENTA_NIIF_C", {"111005"})[0].toInt64(), 1);
}

TEST_F(Busquedas, PadrePorLongitud) {
    const struct {
        const char* cuenta;
        const char* padre;
    } casos[] = {
        {"123456789012", "1234567890"}, {"1234567890", "12345678"}, {"12345678", "123456"}, {"123456", "1234"},
        {"1234", "12"},  {"12", "1"},  {"1", ""},  {"", ""},  {"123", ""},  {"1234567", ""},
        {"12345678901234", ""},  // no level is that long
        {"2365AB", "2365"},      // by length only: no table is read
    };
    for (const auto& c : casos)
        EXPECT_EQ(llamar("PADRE", {QString::fromLatin1(c.cuenta)})["PADRE"].toString().toStdString(), c.padre)
            << c.cuenta;
}

TEST_F(Busquedas, ReglasDelCatalogo) {
    for (const Catalogo& c : kCatalogos) {
        const QString t = QLatin1String(c.tabla);
        SCOPED_TRACE(c.tabla);
        cuenta(c.tabla, "1");
        cuenta(c.tabla, "15");
        cuenta(c.tabla, "1592", "C");  // accumulated depreciation: credit in a debit class
        for (const char* codigo : {"159215", "15921501", "1592150101", "159215010101", "2"})
            cuenta(c.tabla, QString::fromLatin1(codigo));

        // Level from the length; nature from the parent, a class's from its digit.
        const auto filas =
            db.query(QStringLiteral("select cuen_cod, cuen_nivel, cuen_naturaleza from %1 order by cuen_cod").arg(t));
        QStringList vistas;
        for (const auto& f : filas)
            vistas << f[0].toString() + ":" + f[1].toString() + f[2].toString();
        EXPECT_EQ(vistas.join(" ").toStdString(),
                  "1:1D 15:2D 1592:3C 159215:4C 15921501:5C 1592150101:6C 159215010101:7C 2:1C");

        // Each statement refused with its message: a missing parent named, codes
        // of no level or not digits (CK_), what hangs from an account keeps it
        // (no delete, no new code), a renamed leaf needs the new parent.
        const std::pair<QString, const char*> rechazos[] = {
            {"insert into %1 (cuen_cod, cuen_nom) values ('15240501', 'X')", "La cuenta superior 152405 no existe"},
            {"insert into %1 (cuen_cod, cuen_nom) values ('31', 'X')", "La cuenta superior 3 no existe"},
            {"insert into %1 (cuen_cod, cuen_nom) values ('159', 'X')", "CK_"},
            {"insert into %1 (cuen_cod, cuen_nom) values ('15921', 'X')", "CK_"},
            {"insert into %1 (cuen_cod, cuen_nom) values ('1592A5', 'X')", "CK_"},
            {"insert into %1 (cuen_cod, cuen_nom) values ('1592 5', 'X')", "CK_"},
            {"insert into %1 (cuen_cod, cuen_nom) values ('1234567890123', 'X')", "CK_"},
            {"delete from %1 where cuen_cod = '1592'", "La cuenta 1592 tiene cuentas de nivel inferior"},
            {"update %1 set cuen_cod = '1593' where cuen_cod = '1592'", "tiene cuentas de nivel inferior"},
            {"update %1 set cuen_cod = '159299010101' where cuen_cod = '159215010101'", "La cuenta superior 1592990101 no existe"},
        };
        for (const auto& [sql, mensaje] : rechazos)
            EXPECT_TRUE(errorDe([&] { db.executeDirect(sql.arg(t)); }).contains(QLatin1String(mensaje))) << sql.toStdString();
        // A leaf may go.
        EXPECT_EQ(db.executeDirect(QStringLiteral("delete from %1 where cuen_cod = '159215010101'").arg(t)), 1);
        EXPECT_EQ(db.executeDirect(QStringLiteral("update %1 set cuen_nom = 'OTRO' where cuen_cod = '1592'").arg(t)), 1);
    }
}

TEST_F(Busquedas, CentrosActivosDeSuProyecto) {
    db.executeDirect("insert into proyectos (proy_cod, proy_nom, proy_activo) values ('01', 'ADMINISTRACION', 'S')");
    db.executeDirect("insert into proyectos (proy_cod, proy_nom, proy_activo) values ('02', 'COMERCIAL', 'N')");
    db.executeDirect("insert into centros (proy_cod, cent_cod, cent_nom, sucu_id) values ('01', '01', 'GERENCIA', null)");
    db.executeDirect(
        "insert into centros (proy_cod, cent_cod, cent_nom, cent_activo) values ('01', '02', 'CONTABILIDAD', 'N')");
    db.executeDirect("insert into centros (proy_cod, cent_cod, cent_nom, sucu_id) values ('02', '03', 'VENTAS', 2)");
    const struct {
        const char *proyecto, *centro, *existe;
    } casos[] = {
        {"01", "01", "S"},
        {"01", "02", "N"},  // inactive centre
        {"02", "03", "N"},  // active centre of an inactive project
        {"01", "03", "N"},  // the centre belongs to another project
        {"99", "01", "N"},
        {"01", "", "N"},
        {"01", "01' or '1'='1", "N"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(llamar("EXISTE_CENTRO", {c.proyecto, c.centro})["EXISTE"].toString().toStdString(), c.existe)
            << c.proyecto << "-" << c.centro;
    // An agency left empty is every agency.
    EXPECT_EQ(db.queryOne("select sucu_id from centros where cent_cod = '01'")->at(0).toInt64(), 0);
    EXPECT_THROW(db.executeDirect("insert into centros (proy_cod, cent_cod, cent_nom) values ('77', '01', 'X')"),
                 fb::DbError);
}

class Terceros : public Busquedas {
protected:
    void SetUp() override {
        db.executeDirect("insert into grupos_proveedores (grpr_cod, grpr_nom) values ('01', 'NACIONALES')");
        prueba::unAcreedor(db, "900456789", "ACTIVO", {.proveedor = false});
        prueba::unAcreedor(db, "900112233", "INACTIVO", {.estado = "N", .proveedor = false});
    }
};

TEST_F(Terceros, ExisteSoloElActivo) {
    const struct {
        const char *nit, *existe;
    } casos[] = {{"900456789", "S"}, {"900112233", "N"}, {"123", "N"}, {"", "N"}, {"O'Neil", "N"},
                 {"90045678912345678901234567890", "N"}};
    for (const auto& c : casos) EXPECT_EQ(llamar("EXISTE_TERCERO", {c.nit})["EXISTE"].toString().toStdString(), c.existe) << c.nit;
}

TEST_F(Terceros, CostoDelProveedor) {
    db.executeDirect("insert into proveedor_articulo (terc_nit, arti_cod, pvar_costo) values ('900456789', 'LAC-1', 3150.50)");
    db.executeDirect("insert into proveedor_articulo (terc_nit, arti_cod, pvar_costo) values ('900456789', 'LAC-2', null)");
    db.executeDirect("insert into proveedor_articulo (terc_nit, arti_cod, pvar_costo) values ('900112233', 'GRA-1', 9000)");
    const struct {
        const char *articulo, *nit, *costo;
    } casos[] = {
        {"LAC-1", "900456789", "3150.50"},
        {"LAC-2", "900456789", "0.00"},  // bought, cost not recorded
        {"GRA-1", "900456789", "0.00"},  // another creditor's article
        {"LAC-1", "900112233", "0.00"},
        {"NADA", "999", "0.00"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(llamar("COSTO_PROVEEDOR", {c.articulo, c.nit})["COSTO"].toDecimal().toString().toStdString(), c.costo)
            << c.articulo << " " << c.nit;
}

TEST_F(Terceros, AuditoriaDelMaestro) {
    fb::Database aux = base.conectar(QStringLiteral("AUXILIAR"));
    aux.executeDirect("insert into terceros (terc_nit, terc_nom) values ('800111222', 'NUEVO')");
    aux.executeDirect("update terceros set terc_tel = '601 555' where terc_nit = '800111222'");
    aux.executeDirect("delete from terceros where terc_nit = '800111222'");
    const auto filas = db.query(
        "select audi_oper, audi_usuario, audi_iddoc, audi_fecha from auditoria where tido_cod = 104 and audi_cod = "
        "'800111222' order by audi_id");
    QString ops;
    for (const auto& f : filas) {
        ops += f[0].toString();
        EXPECT_EQ(f[1].toString(), "AUXILIAR");
        EXPECT_TRUE(f[2].isNull());
        EXPECT_EQ(f[3].toDate(), QDate::currentDate());
    }
    EXPECT_EQ(ops.toStdString(), "IUD");
}

TEST_F(Terceros, ValoresPorDefectoYBorradoConSuProveedor) {
    // A row posted with every column, the empty ones null, as a grid posts it.
    db.executeDirect(
        "insert into terceros (terc_nit, terc_nom, terc_clie, terc_prov, terc_empl, terc_estado, terc_admini, "
        "terc_conductor, terc_trans, terc_exento, terc_simplifica, terc_dvdian, pais_id) "
        "values ('800111222', 'CLIENTE', 'S', null, null, null, null, null, null, null, null, null, null)");
    const auto t = db.queryOne(
        "select terc_prov || terc_empl || terc_estado || terc_admini || terc_conductor || terc_trans || "
        "terc_exento || terc_simplifica || terc_dvdian, pais_id from terceros where terc_nit = '800111222'");
    EXPECT_EQ(t->at(0).toString(), "NNSNNNNNN");
    EXPECT_EQ(t->at(1).toString(), "169");

    // Marking a customer as creditor inserts only NIT, group and regime.
    db.executeDirect("update terceros set terc_prov = 'S' where terc_nit = '800111222'");
    db.executeDirect("insert into proveedores (terc_nit, grpr_cod, prov_simplificado) values ('800111222', '01', 'N')");
    const auto p = db.queryOne(
        "select prov_cod, prov_retefte, prov_rteiva, prov_rteica, prov_rtcree, prov_fomento || prov_impinc "
        "from proveedores where terc_nit = '800111222'");
    EXPECT_EQ(p->at(0).toString(), "800111222");
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(p->at(i).toDecimal().unscaled, 0) << i;
    EXPECT_EQ(p->at(5).toString(), "NN");

    EXPECT_THROW(db.executeDirect("insert into proveedores (terc_nit, grpr_cod) values ('900456789', '09')"),
                 fb::DbError);  // no such group
    EXPECT_THROW(db.executeDirect("insert into proveedores (terc_nit, grpr_cod) values ('777', '01')"),
                 fb::DbError);  // no such third party
    EXPECT_THROW(db.executeDirect("update proveedores set prov_rteica = 1001 where terc_nit = '800111222'"),
                 fb::DbError);  // rete-ICA is per thousand, at most 1000

    // Deleting the third party takes its creditor row, contacts and articles.
    db.executeDirect("insert into terceros_contactos (terc_nit, tecc_item, tecc_nombre) values ('800111222', 1, 'ANA')");
    db.executeDirect("insert into proveedor_articulo (terc_nit, arti_cod) values ('800111222', 'A1')");
    EXPECT_EQ(db.executeDirect("delete from terceros where terc_nit = '800111222'"), 1);
    for (const char* tabla : {"proveedores", "terceros_contactos", "proveedor_articulo"})
        EXPECT_FALSE(db.queryOne(QStringLiteral("select 1 from %1 where terc_nit = '800111222'").arg(QLatin1String(tabla)))
                         .has_value())
            << tabla;
}

TEST_F(Busquedas, ComprobanteAvanzaSuNumeracionYSaldo) {
    db.executeDirect("insert into prefijos_conta (tico_cod, prco_pref, pref_numero) values ('CXP', 'BOG', '000001')");
    db.executeDirect(
        "insert into comprobante_encabezado (enco_consec, tico_cod, prco_pref, enco_numero) values (0, 'CXP', 'BOG', "
        "'000001')");
    EXPECT_GT(db.queryOne("select enco_consec from comprobante_encabezado")->at(0).toInt64(), 0);
    EXPECT_EQ(db.queryOne("select pref_numero from prefijos_conta where prco_pref = 'BOG'")->at(0).toString(), "000002");
    EXPECT_THROW(db.executeDirect("insert into comprobante_encabezado (enco_consec, tico_cod, prco_pref, enco_numero) "
                                  "values (0, 'CXP', 'BOG', '000001')"),
                 fb::DbError);
    EXPECT_EQ(llamar("SALDO_CUENTA", {"11050501", "2026/12/06"})["SALDO"].toDecimal().unscaled, 0);
}

TEST(Demo, CatalogosYAcreedoresCoherentes) {
    prueba::BaseTemporal base(prueba::plantillaDemo());
    fb::Database db = base.conectar();

    // Every account that nothing hangs from, from the subaccount down,
    // takes movements.
    for (const Catalogo& c : kCatalogos) {
        const auto hojas = db.query(QStringLiteral(
            "select c.cuen_cod, (select resultado from %2(c.cuen_cod)) from %1 c where char_length(c.cuen_cod) >= 6 "
            "and not exists (select 1 from %1 d where d.cuen_cod starting with c.cuen_cod and d.cuen_cod <> c.cuen_cod)")
                                        .arg(QLatin1String(c.tabla), QLatin1String(c.valida)));
        EXPECT_GT(hojas.size(), 60u) << c.tabla;
        for (const auto& h : hojas) EXPECT_EQ(h[1].toInt64(), 0) << c.tabla << " " << h[0].toString().toStdString();
    }
    // The accounts creditors and groups post to take movements in their chart.
    const auto cuentas = db.query(
        "select 'L', prov_ctapagar from proveedores union all select 'L', prov_ctartfte from proveedores "
        "union all select 'L', prov_ctartiva from proveedores union all select 'L', prov_ctartica from proveedores "
        "union all select 'L', prov_ctacausa from proveedores union all select 'N', prov_ctapagniif from proveedores "
        "union all select 'N', prov_ctarfteniif from proveedores union all select 'N', prov_ctacausaniif from proveedores "
        "union all select 'L', grpr_ctaprov from grupos_proveedores union all select 'L', grpr_ctaanti from grupos_proveedores "
        "union all select 'L', grpr_ctartica from grupos_proveedores union all select 'N', grpr_ctaantiniif from grupos_proveedores "
        "union all select 'L', cuen_cod from activos_fijos union all select 'N', cuen_niif from cuentas "
        "where char_length(cuen_cod) = 8");
    for (const auto& c : cuentas) {
        if (c[1].isNull()) continue;
        const QString proc = c[0].toString() == "L" ? "VALIDE_CUENTA_C" : "VALIDE_CUENTA_NIIF_C";
        EXPECT_EQ(db.queryOne("select resultado from " + proc + "(?)", {c[1]})->at(0).toInt64(), 0)
            << proc.toStdString() << " " << c[1].toString().toStdString();
    }
    // Creditors' check digits.
    const auto nits = db.query("select t.terc_nit, t.terc_dv from terceros t join proveedores p on p.terc_nit = t.terc_nit");
    EXPECT_GE(nits.size(), 6u);
    for (const auto& n : nits)
        EXPECT_EQ(n[1].toString(), QString::number(cxp::dv(n[0].toString()).value_or(-1))) << n[0].toString().toStdString();
    // Minimum withholding bases in whole UVT of 2026 ($52,374), on the
    // accounts and on the creditors; rete-fuente on purchases 10 UVT and on
    // services 2 UVT.
    const auto bases = db.query(
        "select 'cuenta ' || cuen_cod, cuen_basemin from cuentas where cuen_basemin <> 0 "
        "union all select 'rtfte ' || terc_nit, prov_rtftebase from proveedores where prov_rtftebase <> 0 "
        "union all select 'rtica ' || terc_nit, prov_rticabase from proveedores where prov_rticabase <> 0");
    EXPECT_GE(bases.size(), 10u);
    for (const auto& b : bases)
        EXPECT_EQ(b[1].toDecimal().rescaled(0).unscaled % 52374, 0) << b[0].toString().toStdString();
    EXPECT_EQ(db.queryOne("select cuen_basemin from cuentas where cuen_cod = '23654001'")->at(0).toDecimal().rescaled(0).unscaled,
              10 * 52374);
    EXPECT_EQ(db.queryOne("select cuen_basemin from cuentas where cuen_cod = '23652501'")->at(0).toDecimal().rescaled(0).unscaled,
              2 * 52374);
    // Voucher types named by the numbering exist.
    EXPECT_TRUE(db.query("select tico_cod from prefijos where tico_cod is not null and tico_cod not in "
                         "(select tico_cod from tipo_comprobante) union select tico_cod from prefijos_conta "
                         "where tico_cod not in (select tico_cod from tipo_comprobante)")
                    .empty());
}

}  // namespace
