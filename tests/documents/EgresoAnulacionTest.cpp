// The payment voucher search and its annulment on the demo company: the day
// limit and class of the listing, typed text that is only ever a literal,
// the cheque or withdrawal number freed on request, the refusals that
// change nothing, and the books equal to the subledger after annulling and
// deleting generated vouchers.
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "documents/payments/Tfbuscegreso.h"
#include "documents/payments/Tfconsegresos.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/BaseTemporal.h"
#include "tests/support/InteraccionGrabada.h"
#include "tests/support/Plantillas.h"

#include <gtest/gtest.h>
#include <random>

using namespace cxp;
using namespace libro;

namespace {

const QString kNit = QStringLiteral("900300311");

class EgresoAnulacion : public ::testing::Test {
protected:
    prueba::BaseTemporal base{prueba::plantillaDemo()};
    prueba::BaseTemporal general{prueba::plantillaDemo(cxp::esquema::Base::General)};
    fb::Database db = base.conectar();
    Libro libro{db};
    prueba::InteraccionGrabada interaccion;
    Sesion sesion;
    ManejadorErrores manejador{interaccion, sesion, nullptr};
    Configuracion configuracion{interaccion};
    DataSet lista;
    Tfbuscegreso busqueda{sesion, interaccion, manejador, configuracion, lista};

    void SetUp() override {
        sesion.usuario_actual = QStringLiteral("ADMIN");
        sesion.es_administrador = true;
        sesion.compania = base.conectar();
        sesion.general = general.conectar();
        configuracion.cargar(sesion.compania);
        libro.acreedor(kNit);
        db.executeDirect("update PROVEEDORES set PROV_CTACAUSA = '51359501' where TERC_NIT = ?", {kNit});
    }
    void configurar(const char* categoria, const char* propiedad, const QString& valor, const char* modulo = "CAJA") {
        configuracion.asignar(QString::fromLatin1(modulo), QString::fromLatin1(categoria), QString::fromUtf8(propiedad),
                              valor);
    }
    // The search's rows in its order: the creditor's numbers, or the
    // cursor left on voucher `id` as the clerk leaves it before F3.
    QStringList listar(int columna, const QString& texto, bool cualquierPosicion = true, int id = 0) {
        lista.open(sesion.compania, busqueda.consulta(columna, texto, cualquierPosicion));
        QStringList r;
        for (int i = 0; i < lista.recordCount(); ++i) {
            lista.setCurrentRow(i);
            if (lista.asInt("EGRE_ID") == id) return {};
            if (lista.asString("TERC_NIT") == kNit) r << lista.asString("EGRE_NUMERO");
        }
        if (id) ADD_FAILURE() << "no listado " << id;
        return r;
    }
    void situar(int id) {
        listar(0, db.queryOne("select egre_numero from egresos where egre_id = ?", {id})->at(0).toString(), false, id);
    }
    int64_t uno(const QString& sql) { return db.queryOne(sql)->at(0).toInt64(); }
    void contabilizar(int tipo, int id) {
        const auto [proc, interfaz] = tipo == 51 ? std::pair{"contabil_notadbpr", 7} : std::pair{"contabil_egreso", 3};
        fb::Transaction tr = db.begin();
        const auto local = tr.query(QStringLiteral("select * from %1(%2, %3)").arg(QLatin1String(proc)).arg(id).arg(interfaz));
        ASSERT_EQ(local.at(0)["ERROR"].toInt64(), 0) << tipo;
        const int64_t idc = local.at(0)["IDC"].toInt64();
        tr.query(QStringLiteral("select * from %1_niif(%2, %3, %4)").arg(QLatin1String(proc)).arg(id).arg(interfaz).arg(idc));
        tr.executeProcedure(QStringLiteral("CONTABILIZA_PENDIENTE"), {idc});
        tr.commit();
    }
    // A voucher paid in cash, or by the bank document given; posted.
    Cruce& egreso(QDate fecha, std::vector<Linea> lineas, std::vector<int> anticipos, Centavos monto,
                  int tipoBanco = 0, const char* numero = "", bool postear = true) {
        Cruce& c = libro.egreso(kNit, fecha, std::move(lineas), std::move(anticipos));
        if (tipoBanco)
            db.executeDirect("insert into EGRESOS_BANCO (EGRE_ID, EGBC_TIPOBCO, CUBA_COD, PRBA_PREF, EGBC_NUMERO, "
                             "EGBC_MONTO) values (?, ?, ?, ?, ?, ?)",
                             {c.id, tipoBanco, tipoBanco == 72 ? 2 : 1, tipoBanco == 72 ? "CHC" : "RET",
                              QString::fromLatin1(numero), dinero(monto)});
        else
            db.executeDirect("insert into EGRESOS_CAJA (EGRE_ID, EGCA_ITEM, CAJA_ID, FOPA_ID, EGCA_MONTO) "
                             "values (?, 1, 1, 1, ?)", {c.id, dinero(monto)});
        if (postear) contabilizar(62, c.id);
        return c;
    }
};

// N days back without text; every voucher since 2010 with text or N = 0;
// class "1" only, newest first; typed quotes, wildcards and SQL stay text.
TEST_F(EgresoAnulacion, DiasDeBusquedaClaseYTextoLiteral) {
    const QDate hoy = QDate::currentDate();
    const int viejo = libro.egreso(kNit, hoy.addDays(-31), {}).id;
    const int nuevo = libro.egreso(kNit, hoy.addDays(-1), {}).id;
    const int otraClase = libro.egreso(kNit, hoy.addDays(-2), {}).id;
    db.executeDirect("update EGRESOS set EGRE_NOMTERC = ? where EGRE_ID = ?", {"O'BRIEN & CIA 100% A_B", viejo});
    db.executeDirect("update EGRESOS set EGRE_NOMTERC = ? where EGRE_ID = ?", {"PEÑA LTDA", nuevo});
    db.executeDirect("update EGRESOS set EGRE_NOMTERC = 'PEÑA', EGRE_TIPO = '3' where EGRE_ID = ?", {otraClase});
    auto numero = [&](int id) { return db.queryOne("select egre_numero from egresos where egre_id = ?", {id})->at(0).toString(); };
    const QString v = numero(viejo), n = numero(nuevo);
    const int64_t filas = uno("select count(*) from egresos");
    const struct {
        const char* dias;
        QString texto;
        QStringList esperado;
    } casos[] = {
        {"30", "", {n}},
        {"30", "o'brien", {v}},
        {"0", "", {n, v}},
        {"", "", {n, v}},
        {"30", "100%", {v}},
        {"30", "A_B", {v}},
        {"30", "' or 1=1 --", {}},
        {"30", "PEÑA", {n}},
        {"30", QString(300, u'x'), {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.dias) + " / " + c.texto.toStdString());
        configurar("DOCUMENTOS", "NUMERO DE DIAS PARA BUSCAR DOCUMENTOS", QString::fromLatin1(c.dias));
        EXPECT_EQ(listar(2, c.texto), c.esperado);
    }
    EXPECT_EQ(uno("select count(*) from egresos"), filas);
    EXPECT_EQ(interaccion.mensajes, QStringList());
}

// Annulling asks whether the cheque or withdrawal number is to be used
// again: yes frees it for the next voucher, no keeps it taken. The ledger
// voucher leaves the accounts, the advance it paid out leaves the ledger.
TEST_F(EgresoAnulacion, NumeroDelBancoLiberadoSoloSiSeResponde) {
    configurar("GENERAL", "ESTABLECER CONTROL DEL PORQUE SE ANULAN LOS DOCUMENTOS", "SI", "GENERAL");
    const QDate dia(2026, 6, 1);
    const struct {
        int tipo;
        const char* numero;
        bool reutilizar;
    } casos[] = {{72, "000700", true}, {72, "000701", false}, {73, "000702", true}, {73, "000703", false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.tipo) + (c.reutilizar ? " sí" : " no"));
        Documento& anticipo = libro.anticipo(kNit, dia, 100000);
        Cruce& e = egreso(dia, {}, {anticipo.id}, anticipo.neto(), c.tipo, c.numero);
        EXPECT_NE(uno("select count(*) from saldos_doc_cxpagar where tipo = 55 and id = " + sql::numero(int64_t(anticipo.id))), 0);
        situar(e.id);
        interaccion.mensajes.clear();
        interaccion.elecciones = {QVariantMap{{"razon", "CHEQUE DAÑADO"}}};
        interaccion.respuestas = {true, c.reutilizar};
        EXPECT_EQ(busqueda.eliminar(), Tfbuscegreso::Resultado::Anulado);
        EXPECT_EQ(interaccion.de("pregunta").value(1), QStringLiteral("Desea volver a utilizar el cheque/retiro No. ") +
                                                           (c.tipo == 72 ? "CHC" : "RET") + c.numero + "?");
        EXPECT_EQ(uno("select count(*) from comprobante_encabezado where enco_tiporef = 62 and enco_anulado = 'N' "
                      "and enco_idref = " + sql::numero(int64_t(e.id))), 0);
        EXPECT_EQ(uno("select count(*) from saldos_doc_cxpagar where tipo = 55 and id = " + sql::numero(int64_t(anticipo.id))), 0);
        EXPECT_EQ(db.queryOne("select audi_razon from auditoria where tido_cod = 62 and audi_oper = 'A' and audi_iddoc = ?",
                              {e.id})->at(0).toString(), "CHEQUE DAÑADO");
        // Its consult: the kind, the mark with the reason, no ledger command.
        int contabilizado = 0;
        Tfconsegresos consulta(sesion, interaccion, manejador, configuracion,
                               {{}, [&](int64_t, const QString&, const QDate&) { ++contabilizado; }});
        ASSERT_TRUE(consulta.abrir(e.id)) << interaccion.mensajes.join('\n').toStdString();
        EXPECT_EQ(consulta.tipoBanco(), c.tipo == 72 ? "CHEQUE" : "RETIRO");
        EXPECT_TRUE(consulta.anulado());
        EXPECT_TRUE(consulta.razon().startsWith("CHEQUE DAÑADO")) << consulta.razon().toStdString();
        EXPECT_EQ(consulta.totales().banco, consulta.banco().asDinero("EGBC_MONTO"));
        consulta.verContabilidad();
        EXPECT_EQ(contabilizado, 0);
        // The next voucher with the same number on the manual checkbook.
        auto otro = [&] { egreso(dia, {}, {}, 5000, c.tipo, c.numero, false); };
        if (c.reutilizar) EXPECT_NO_THROW(otro());
        else EXPECT_THROW(otro(), fb::DbError);
    }
}

// Refusals: no right, an annulled voucher for a clerk, one another clerk
// annulled after the list was read, an empty reason. Nothing changes.
TEST_F(EgresoAnulacion, RechazosNoCambianNada) {
    Documento& cargo = libro.cargo(kNit, QDate(2026, 6, 2), 100000);
    contabilizar(51, cargo.id);
    const int id = egreso(QDate(2026, 6, 2), {{51, cargo.id, 70000}}, {}, 70000).id;
    const struct {
        const char* caso;
        std::function<void()> preparar;
        const char* mensaje;  // part of the first message
    } casos[] = {
        {"sin derecho", [&] { sesion.es_administrador = false; sesion.usuario_actual = "NADIE"; },
         "error: Acceso no permitido. comuníquese con el administrador del sistema."},
        {"razón vacía", [&] {
             configurar("GENERAL", "ESTABLECER CONTROL DEL PORQUE SE ANULAN LOS DOCUMENTOS", "SI", "GENERAL");
             interaccion.elecciones = {QVariantMap{{"razon", "  "}}};
         }, "Debera ingresar una razon"},
        {"anulado por otro", [&] {
             interaccion.respuestas = {true};
             db.executeDirect("update EGRESOS set EGRE_ANULADO = 'S' where EGRE_ID = ?", {id});
         }, "fue anulado o eliminado por otro usuario"},
        {"anulado, sin ser administrador", [&] { sesion.es_administrador = false; }, nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        sesion.es_administrador = true;
        sesion.usuario_actual = "ADMIN";
        configurar("GENERAL", "ESTABLECER CONTROL DEL PORQUE SE ANULAN LOS DOCUMENTOS", "NO", "GENERAL");
        situar(id);
        interaccion.mensajes.clear();
        c.preparar();
        auto estado = [&] {
            const auto r = db.queryOne("select egre_anulado, (select count(*) from auditoria where tido_cod = 62) "
                                       "from egresos where egre_id = ?", {id});
            return std::pair{r->at(0).toString(), r->at(1).toInt64()};
        };
        const auto antes = estado();
        EXPECT_EQ(busqueda.eliminar(), Tfbuscegreso::Resultado::Nada);
        EXPECT_EQ(estado(), antes);
        if (c.mensaje) EXPECT_TRUE(interaccion.mensajes.join('\n').contains(QString::fromUtf8(c.mensaje)))
            << interaccion.mensajes.join('\n').toStdString();
        EXPECT_TRUE(interaccion.respuestas.empty());
    }
    interaccion.mensajes.clear();
    sesion.es_administrador = true;
    EXPECT_FALSE(Tfconsegresos(sesion, interaccion, manejador, configuracion, {}).abrir(999999));
    EXPECT_EQ(interaccion.de("error"), QStringList{Tfconsegresos::kNoEncontrado});
}

// Generated charges, payments and advances paid out, posted; then vouchers
// annulled and some deleted through the search. At every date each chart
// balances, the creditor's payable and advance accounts equal its
// subledger, and the stored balances check clean.
TEST_F(EgresoAnulacion, LibroIgualAlAuxiliarTrasAnularEgresosGenerados) {
    configurar("GENERAL", "ESTABLECER CONTROL DEL PORQUE SE ANULAN LOS DOCUMENTOS", "NO", "GENERAL");
    std::mt19937 azar(21);
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    const QDate inicio(2026, 4, 1);
    std::vector<int> egresos;
    for (int dia = 0; dia < 24; ++dia) {
        const QDate f = inicio.addDays(dia);
        const Centavos m = Centavos(entre(1, 300)) * 10000;
        Documento& cargo = libro.cargo(kNit, f, m, m * 19 / 100, {m / 40, 0, m * 966 / 100000, 0});
        contabilizar(51, cargo.id);
        if (entre(0, 1)) {
            const Centavos abono = libro.saldoBase(cargo, f) / entre(1, 3);
            egresos.push_back(egreso(f, {{51, cargo.id, abono}}, {}, abono).id);
        } else {
            Documento& a = libro.anticipo(kNit, f, m / 2);
            egresos.push_back(egreso(f, {}, {a.id}, a.neto()).id);
        }
    }
    for (int id : egresos) {
        const int accion = entre(0, 2);
        if (accion == 0) continue;
        situar(id);
        interaccion.respuestas = {true};
        ASSERT_EQ(busqueda.eliminar(), Tfbuscegreso::Resultado::Anulado) << interaccion.mensajes.join('\n').toStdString();
        if (accion == 2) {
            situar(id);
            interaccion.respuestas = {true};
            ASSERT_EQ(busqueda.eliminar(), Tfbuscegreso::Resultado::Eliminado);
        }
    }
    for (int dia = -1; dia <= 30; dia += 4) {
        const QString f = sql::fecha(inicio.addDays(dia));
        const Centavos sub = centavos(db.queryOne("select saldo from saldo_proveedor('" + kNit + "', " + f + ", 0)")->at(0));
        for (const char* tabla : {"comprobante_detalle", "comprobante_detalle_niif"}) {
            const QString desde = QStringLiteral(" from %1 d join comprobante_encabezado e on e.enco_consec = d.enco_consec "
                                                 "where e.enco_anulado = 'N' and e.enco_fecha <= %2")
                                      .arg(QLatin1String(tabla), f);
            EXPECT_EQ(centavos(db.queryOne("select coalesce(sum(d.code_debitos - d.code_creditos), 0)" + desde)->at(0)), 0);
            EXPECT_EQ(centavos(db.queryOne("select coalesce(sum(d.code_creditos - d.code_debitos), 0)" + desde +
                                           " and d.terc_nit = '" + kNit + "' and d.cuen_cod in ('22050501', '13300501')")
                                   ->at(0)),
                      sub)
                << tabla << " " << f.toStdString();
        }
    }
    EXPECT_TRUE(db.query("select * from CHEQUEO_SALDOS_DOC_CXPAGAR('', 'zz')").empty());
    EXPECT_EQ(uno("select count(*) from anticipos_proveedor a where a.anpr_anulado = 'N' and a.terc_nit = '" + kNit +
                  "' and not exists (select 1 from egresos e where e.egre_id = a.egre_id and e.egre_anulado = 'N')"),
              0);
}

}  // namespace
