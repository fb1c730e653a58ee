#include "admin/Volumen.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace cxp::admin {

namespace {

using Centavos = int64_t;

fb::Value dinero(Centavos c) { return fb::Decimal{c, -2}; }

QString numero(int64_t n, int ancho) { return QStringLiteral("%1").arg(n, ancho, 10, QLatin1Char('0')); }

// The UVT of each year, in pesos.
int64_t uvt(int anio) {
    switch (anio) {
    case 2021: return 36308;
    case 2022: return 38004;
    case 2023: return 42412;
    case 2024: return 47065;
    case 2025: return 49799;
    default: return anio < 2021 ? 36308 : 52374;
    }
}

// The minimum base of rete-fuente at a date, in cents: purchases 27 UVT and
// services 4 UVT until 2025; from 2026 purchases 10 UVT and services 2 UVT.
Centavos baseRetencion(QDate f, bool servicios) {
    const int anio = f.year();
    const int64_t unidades = anio >= 2026 ? (servicios ? 2 : 10) : (servicios ? 4 : 27);
    return Centavos(unidades * uvt(anio)) * 100;
}

// The dollar's rate of a month: a slow wave between about 3,700 and 4,500.
Centavos tasaDolar(QDate f) {
    const int meses = (f.year() - 2021) * 12 + f.month() - 1;
    return Centavos(4100 + 400 * std::sin(meses / 7.0)) * 100;
}

// The payables prefixes of the generated documents: every agency, the main
// agency and the centre.
struct Prefijo {
    const char* codigo;
    int agencia;
};
const Prefijo kPrefijos[] = {{"0000", 0}, {"BOG", 1}, {"CEN", 2}};

// The ledger accounts of the generated books: the creditors' payable and
// advances, and what the definitions post to.
const char* const kCuentaPagar = "22050501";
const char* const kCuentaAnticipos = "13300501";

// A small chart, the same in both plans (each local account is its own NIIF
// twin), with every level a movement account needs above it.
const struct {
    const char* codigo;
    const char* nombre;
    char naturaleza;
} kPlan[] = {
    {"1", "ACTIVO", 'D'},           {"11", "DISPONIBLE", 'D'},          {"1105", "CAJA", 'D'},
    {"110505", "CAJA GENERAL", 'D'}, {"11050501", "CAJA VOLUMEN", 'D'},  {"13", "DEUDORES", 'D'},
    {"1330", "ANTICIPOS", 'D'},     {"133005", "A PROVEEDORES", 'D'},   {"13300501", "ANTICIPOS A PROVEEDORES", 'D'},
    {"2", "PASIVO", 'C'},           {"22", "PROVEEDORES", 'C'},         {"2205", "NACIONALES", 'C'},
    {"220505", "PROVEEDORES NACIONALES", 'C'}, {"22050501", "PROVEEDORES VOLUMEN", 'C'},
    {"23", "CUENTAS POR PAGAR", 'C'}, {"2365", "RETENCION EN LA FUENTE", 'C'}, {"236540", "COMPRAS", 'C'},
    {"23654001", "RETEFUENTE COMPRAS", 'C'}, {"2367", "IVA RETENIDO", 'C'}, {"236705", "IVA RETENIDO", 'C'},
    {"23670501", "RETEIVA", 'C'},   {"2368", "ICA RETENIDO", 'C'},      {"236805", "ICA RETENIDO", 'C'},
    {"23680501", "RETEICA", 'C'},   {"24", "IMPUESTOS", 'C'},           {"2408", "IVA POR PAGAR", 'C'},
    {"240805", "IVA DESCONTABLE", 'D'}, {"24080501", "IVA DESCONTABLE COMPRAS", 'D'},
    {"4", "INGRESOS", 'C'},         {"42", "NO OPERACIONALES", 'C'},    {"4210", "FINANCIEROS", 'C'},
    {"421040", "DESCUENTOS", 'C'},  {"42104001", "DESCUENTOS PRONTO PAGO", 'C'},
    {"5", "GASTOS", 'D'},           {"51", "OPERACIONALES", 'D'},       {"5135", "SERVICIOS", 'D'},
    {"513595", "OTROS", 'D'},       {"51359501", "GASTOS GENERADOS", 'D'},
};

// One document still open while the creditor's history is generated: what
// is left of it, net of withholdings, and the withholdings no payment took.
struct Abierto {
    int tipo;
    int id;
    QString prefijo, numero;
    QDate fecha;
    Centavos neto;
    Centavos rete[4];
    bool reteTomadas = false;
    Centavos dtof = 0;  // prompt-payment discount offered, until fecdtof
    QDate fecdtof;
};

class Generador {
public:
    Generador(fb::Database& db, const OpcionesVolumen& op, QTextStream* avance)
        : db_(db), op_(op), avance_(avance), azar_(op.semilla) {}

    ResumenVolumen ejecutar();

private:
    int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar_); }
    QString siguiente(int tipo, const QString& prefijo);
    bool probabilidad(double p) { return std::bernoulli_distribution(p)(azar_); }

    void abrir();
    void cerrarLote(bool final);
    int64_t siguiente(const char* secuencia, const char* tabla, const char* columna, int64_t& local);

    void generar();
    void acreedores();
    void prepararContabilidad();
    void contabilizar(const std::map<int, int64_t>& desde);
    void historia(const QString& nit, int eventos);
    Abierto deuda(const QString& nit, QDate f, bool* enDisputa);
    Abierto credito(const QString& nit, QDate f);
    void anticipo(const QString& nit, QDate f, std::deque<Abierto>& creditos);
    void pago(const QString& nit, QDate f, std::deque<Abierto>& deudas, std::deque<Abierto>& creditos);
    void aplicacion(const QString& nit, QDate f, std::deque<Abierto>& deudas, std::deque<Abierto>& creditos);

    fb::Database& db_;
    OpcionesVolumen op_;
    QTextStream* avance_;
    std::mt19937 azar_;
    ResumenVolumen r_;
    int enLote_ = 0;

    std::unique_ptr<fb::Transaction> tr_;
    std::unique_ptr<fb::Statement> factura_, cargo_, descuento_, devolucion_, anticipo_, egreso_, egresoDet_,
        egresoCaja_, aplicacion_, aplicacionDet_;

    int64_t idFactura_ = 0, idDevolucion_ = 0, idCargo_ = 0, idDescuento_ = 0, idAnticipo_ = 0, idEgreso_ = 0,
            idAplicacion_ = 0;
    std::unique_ptr<fb::Statement> lineaCargo_;
    // Last number used, by type and prefix.
    std::map<std::pair<int, QString>, int64_t> numeros_;
    QString prefijo_;  // the creditor's being generated
    QStringList grupos_;  // of each creditor, in NIT order
    bool servicios_ = false;
};

int64_t maximo(fb::Database& db, const QString& sql) {
    const auto fila = db.queryOne(sql);
    return fila && !fila->at(0).isNull() ? fila->at(0).toInt64() : 0;
}

// The triggers that keep the stored balances.
const char* const kTriggersSaldo[] = {"NOTAS_DEBITO_PROVEEDOR_SALDO", "NOTAS_CREDITO_PROVEEDOR_SALDO",
                                      "ANTICIPOS_PROVEEDOR_SALDO",    "FACTURAS_COMPRA_SALDO",
                                      "DEVOLUCIONES_COMPRAS_SALDO",   "EGRESOS_DETALLE_SALDO",
                                      "APLICACION_PROV_DET_SALDO",    "EGRESOS_SALDO",
                                      "APLICACION_PROVEDOR_SALDO"};

void triggersSaldo(fb::Database& db, bool activos) {
    for (const char* t : kTriggersSaldo)
        db.executeDirect(QStringLiteral("alter trigger %1 %2")
                             .arg(QLatin1String(t), activos ? QStringLiteral("active") : QStringLiteral("inactive")));
}

void estadoVolumen(fb::Database& db, char estado) {
    db.executeDirect(QStringLiteral("update or insert into VOLUMEN_CXPAGAR (VOLU_ID, VOLU_ESTADO, VOLU_FECHA) "
                                    "values (1, '%1', current_timestamp) matching (VOLU_ID)")
                         .arg(QLatin1Char(estado)));
}

// The load's end, whether it went well or not: triggers on, every stored
// balance made again, state 'G'.
void cerrarVolumen(fb::Database& db) {
    triggersSaldo(db, true);
    db.executeDirect(QStringLiteral("execute procedure REHAGA_SALDOS_CXPAGAR"));
    estadoVolumen(db, 'G');
}

// Whether the company holds documents of the ledger or crossings of any kind.
bool tieneDocumentos(fb::Database& db) {
    for (const char* t : {"FACTURAS_COMPRA", "DEVOLUCIONES_COMPRAS", "NOTAS_DEBITO_PROVEEDOR", "NOTAS_CREDITO_PROVEEDOR",
                          "ANTICIPOS_PROVEEDOR", "EGRESOS", "APLICACION_PROVEDOR"})
        if (db.queryOne(QStringLiteral("select first 1 1 from %1").arg(QLatin1String(t)))) return true;
    return false;
}

QString Generador::siguiente(int tipo, const QString& prefijo) {
    const auto clave = std::make_pair(tipo, prefijo);
    auto it = numeros_.find(clave);
    if (it == numeros_.end()) {
        const char* tabla = "";
        const char* columna = "";
        switch (tipo) {
        case 21: tabla = "FACTURAS_COMPRA"; columna = "FACO_NUMERO"; break;
        case 24: tabla = "DEVOLUCIONES_COMPRAS"; columna = "DECO_NUMERO"; break;
        case 51: tabla = "NOTAS_DEBITO_PROVEEDOR"; columna = "NDPR_NUMERO"; break;
        case 52: tabla = "NOTAS_CREDITO_PROVEEDOR"; columna = "NCPR_NUMERO"; break;
        case 53: tabla = "APLICACION_PROVEDOR"; columna = "APPR_NUMERO"; break;
        case 55: tabla = "ANTICIPOS_PROVEEDOR"; columna = "ANPR_NUMERO"; break;
        default: tabla = "EGRESOS"; columna = "EGRE_NUMERO"; break;
        }
        const auto fila = db_.queryOne(QStringLiteral("select max(cast(%1 as bigint)) from %2 where PREF_PRE = ?")
                                           .arg(QLatin1String(columna), QLatin1String(tabla)),
                                       {prefijo});
        it = numeros_.emplace(clave, fila && !fila->at(0).isNull() ? fila->at(0).toInt64() : 0).first;
    }
    return numero(++it->second, tipo == 21 || tipo == 24 ? 8 : 6);
}

void Generador::abrir() {
    tr_ = std::make_unique<fb::Transaction>(db_);
    auto prep = [&](const char* sql) { return std::make_unique<fb::Statement>(*tr_, QString::fromLatin1(sql)); };
    factura_ = prep(
        "insert into FACTURAS_COMPRA (FACO_ID, PREF_PRE, FACO_NUMERO, FACO_NUMPROV, TERC_NIT, FACO_FECHA, "
        "FACO_VENCE, FACO_CONC, FACO_MONTO, FACO_IVAMONTO, FACO_RTFTEMONTO, FACO_RTIVAMONTO, FACO_RTICAMONTO, "
        "FACO_RTCREEM, FACO_ANULADO) values (?, 'FC', ?, ?, ?, ?, ?, 'COMPRA DE MERCANCIA', ?, ?, ?, ?, ?, 0, ?)");
    cargo_ = prep(
        "insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, TIDO_COD, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, "
        "NDPR_VENCE, NDPR_CONC, NDPR_MONTO, NDPR_IVAPORC, NDPR_IVAMONTO, NDPR_RTFTEPORC, NDPR_RTFTEMONTO, "
        "NDPR_RTIVAPORC, NDPR_RTIVAMONTO, NDPR_RTICAPORC, NDPR_RTICAMONTO, NDPR_RTCREEM, NDPR_DTOFECHA, "
        "NDPR_DTOFPORC, NDPR_DTOFMONTO, NDPR_NUMPROV, NDPR_ANULADO, NDPR_USUARIO, NDPR_TRM, NDPR_MONEDA) "
        "values (?, ?, 51, ?, ?, ?, ?, 'SERVICIOS Y FLETES', ?, 19, ?, ?, ?, 15, ?, 9.66, ?, 0, ?, ?, ?, ?, "
        "?, 'VOLUMEN', ?, ?)");
    descuento_ = prep(
        "insert into NOTAS_CREDITO_PROVEEDOR (NCPR_ID, TERC_NIT, TIDO_COD, PREF_PRE, NCPR_NUMERO, NCPR_FECHA, "
        "NCPR_CONC, NCPR_MONTO, NCPR_IVAPORC, NCPR_IVAMONTO, NCPR_ANULADO, NCPR_USUARIO, NCPR_TRM) "
        "values (?, ?, 52, ?, ?, ?, 'DESCUENTO COMERCIAL', ?, 19, ?, ?, 'VOLUMEN', 1)");
    devolucion_ = prep(
        "insert into DEVOLUCIONES_COMPRAS (DECO_ID, PREF_PRE, DECO_NUMERO, TERC_NIT, DECO_FECHA, DECO_CONC, "
        "DECO_MONTO, DECO_IVAMONTO, DECO_ANULADO) values (?, 'DV', ?, ?, ?, 'DEVOLUCION DE MERCANCIA', ?, ?, ?)");
    anticipo_ = prep(
        "insert into ANTICIPOS_PROVEEDOR (ANPR_ID, TIDO_COD, PREF_PRE, ANPR_NUMERO, ANPR_FECHA, ANPR_CONC, "
        "ANPR_BASE, ANPR_IVAMONTO, ANPR_RTFTEMONTO, ANPR_RTIVAMONTO, ANPR_RTICAMONTO, TERC_NIT, EGRE_ID, "
        "ANPR_USUARIO) values (?, 55, ?, ?, ?, 'ANTICIPO', ?, 0, ?, 0, 0, ?, 0, 'VOLUMEN')");
    egreso_ = prep(
        "insert into EGRESOS (EGRE_ID, TIDO_COD, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, EGRE_CONC, EGRE_MONTO, "
        "TERC_NIT, EGRE_TIPO, EGRE_ANULADO, EGRE_USUARIO) values (?, 62, ?, ?, ?, ?, ?, ?, '1', ?, 'VOLUMEN')");
    egresoCaja_ = prep(
        "insert into EGRESOS_CAJA (EGRE_ID, EGCA_ITEM, CAJA_ID, FOPA_ID, EGCA_MONTO) values (?, 1, 1, 1, ?)");
    egresoDet_ = prep(
        "insert into EGRESOS_DETALLE (EGRE_ID, EGDE_ITEM, EGDE_TIPODOC, EGDE_IDDOC, EGDE_PREFIJO, EGDE_NUMERO, "
        "EGDE_ABONO, EGDE_RTFTE, EGDE_RTIVA, EGDE_RTICA, EGDE_RCREE, EGDE_DTOF) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    aplicacion_ = prep(
        "insert into APLICACION_PROVEDOR (APPR_ID, TIDO_COD, PREF_PRE, APPR_NUMERO, APPR_FECHA, APPR_CONC, "
        "TERC_NIT, APPR_ANULADO, APPR_USUARIO) values (?, 53, ?, ?, ?, 'APLICACION DE SALDOS', ?, ?, "
        "'VOLUMEN')");
    aplicacionDet_ = prep(
        "insert into APLICACION_PROVEEDOR_DETALLE (APPR_ID, APPD_ITEM, APPD_TIPODOC, APPD_IDDOC, APPD_PREFIJO, "
        "APPD_NUMERO, APPD_APLICADO) values (?, ?, ?, ?, ?, ?, ?)");
    lineaCargo_ = prep(
        "insert into NOTA_DEBITO_PROV_DET (NDPR_ID, NDPD_ITEM, NDPD_CANT, NDPD_UNIDAD, NDPD_COSTO, NDPD_DESC, "
        "NDPD_TOTAL) values (?, ?, ?, 'UND', ?, ?, ?)");
}

void Generador::cerrarLote(bool final) {
    factura_.reset(); cargo_.reset(); descuento_.reset(); devolucion_.reset(); anticipo_.reset();
    egreso_.reset(); egresoDet_.reset(); egresoCaja_.reset(); aplicacion_.reset(); aplicacionDet_.reset();
    lineaCargo_.reset();
    tr_->commit();
    tr_.reset();
    enLote_ = 0;
    if (avance_) *avance_ << "  " << r_.documentos << " documentos, " << r_.lineas << " cruces" << Qt::endl;
    if (op_.trasLote) op_.trasLote(r_.documentos);
    if (!final) abrir();
}

ResumenVolumen Generador::ejecutar() {
    repararVolumen(db_);
    if (!db_.queryOne(QStringLiteral("select 1 from VOLUMEN_CXPAGAR")) && tieneDocumentos(db_))
        throw VolumenRechazado(QStringLiteral(
            "La compañía ya tiene documentos de cuentas por pagar que no generó este programa: el volumen se genera "
            "solo en una compañía nueva o en una ya generada."));
    // Continue after what the database already holds.
    idFactura_ = maximo(db_, "select max(FACO_ID) from FACTURAS_COMPRA");
    idDevolucion_ = maximo(db_, "select max(DECO_ID) from DEVOLUCIONES_COMPRAS");
    idCargo_ = maximo(db_, "select max(NDPR_ID) from NOTAS_DEBITO_PROVEEDOR");
    idDescuento_ = maximo(db_, "select max(NCPR_ID) from NOTAS_CREDITO_PROVEEDOR");
    idAnticipo_ = maximo(db_, "select max(ANPR_ID) from ANTICIPOS_PROVEEDOR");
    idEgreso_ = maximo(db_, "select max(EGRE_ID) from EGRESOS");
    idAplicacion_ = maximo(db_, "select max(APPR_ID) from APLICACION_PROVEDOR");
    const std::map<int, int64_t> previos = {{51, idCargo_}, {52, idDescuento_}, {53, idAplicacion_}, {62, idEgreso_}};

    // A bulk load: the stored balances are made once at the end instead of
    // by each row's triggers. The state is written before the triggers go
    // off, so that a load killed half-way is repaired by the next run.
    estadoVolumen(db_, 'C');
    triggersSaldo(db_, false);
    try {
        acreedores();
        generar();
    } catch (...) {
        factura_.reset(); cargo_.reset(); descuento_.reset(); devolucion_.reset(); anticipo_.reset();
        egreso_.reset(); egresoDet_.reset(); egresoCaja_.reset(); aplicacion_.reset(); aplicacionDet_.reset();
        lineaCargo_.reset();
        tr_.reset();
        try {
            cerrarVolumen(db_);
        } catch (...) {
            // State 'C' stays: the next run repairs it.
        }
        throw;
    }
    cerrarVolumen(db_);


    // The id procedures continue after the rows generated.
    const struct {
        const char* secuencia;
        int64_t valor;
    } secuencias[] = {{"GEN_NOTAS_DEBITO_PROVEEDOR", idCargo_}, {"GEN_NOTAS_CREDITO_PROVEEDOR", idDescuento_},
                      {"GEN_ANTICIPOS_PROVEEDOR", idAnticipo_}, {"GEN_EGRESOS", idEgreso_},
                      {"GEN_APLICACION_PROVEDOR", idAplicacion_}};
    for (const auto& s : secuencias) {
        const int64_t actual = maximo(db_, QStringLiteral("select gen_id(%1, 0) from rdb$database").arg(QLatin1String(s.secuencia)));
        if (actual < s.valor)
            db_.executeDirect(QStringLiteral("alter sequence %1 restart with %2").arg(QLatin1String(s.secuencia)).arg(s.valor));
    }
    // Fresh index statistics, or the optimizer plans with those of empty tables.
    for (const fb::Row& i : db_.query(QStringLiteral("select trim(RDB$INDEX_NAME) from RDB$INDICES where RDB$SYSTEM_FLAG = 0")))
        db_.executeDirect(QStringLiteral("set statistics index %1").arg(i.at(0).toString()));
    if (op_.contabilizar) {
        prepararContabilidad();
        contabilizar(previos);
    }
    return r_;
}

// Voucher prefixes, the chart and one definition per type and prefix,
// where the company has none: fixed accounts, NIIF by equivalence.
void Generador::prepararContabilidad() {
    fb::Transaction tr(db_);
    for (const char* tico : {"CXP", "EGR"})
        if (!tr.queryOne(QStringLiteral("select 1 from PREFIJOS_CONTA where TICO_COD = ? and PRCO_PREF = '0000'"),
                         {QString::fromLatin1(tico)}))
            tr.execute(QStringLiteral("insert into PREFIJOS_CONTA (TICO_COD, PRCO_PREF, PREF_NUMERO) values (?, '0000', "
                                      "'000001')"),
                       {QString::fromLatin1(tico)});
    for (const auto& c : kPlan) {
        const QString codigo = QString::fromLatin1(c.codigo), nombre = QString::fromLatin1(c.nombre),
                      naturaleza = QString(QLatin1Char(c.naturaleza));
        if (!tr.queryOne(QStringLiteral("select 1 from CUENTAS where CUEN_COD = ?"), {codigo}))
            tr.execute(QStringLiteral("insert into CUENTAS (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA, CUEN_NIIF) "
                                      "values (?, ?, ?, ?)"),
                       {codigo, nombre, naturaleza, codigo});
        if (!tr.queryOne(QStringLiteral("select 1 from CUENTAS_NIIF where CUEN_COD = ?"), {codigo}))
            tr.execute(QStringLiteral("insert into CUENTAS_NIIF (CUEN_COD, CUEN_NOM, CUEN_NATURALEZA) values (?, ?, ?)"),
                       {codigo, nombre, naturaleza});
    }
    for (const Prefijo& p : kPrefijos) {
        const QString pref = QString::fromLatin1(p.codigo);
        for (int tipo : {51, 52, 53}) {
            if (tr.queryOne(QStringLiteral("select 1 from INTERFAZ_CXPAGAR where TIDO_COD = ? and PREF_PRE = ?"),
                            {tipo, pref}))
                continue;
            const int64_t id = tr.queryOne(QStringLiteral("select coalesce(max(INCP_ID), 0) + 1 from INTERFAZ_CXPAGAR"))
                                   ->at(0)
                                   .toInt64();
            tr.execute(QStringLiteral(
                           "insert into INTERFAZ_CXPAGAR (INCP_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, INCP_NOMBRE, "
                           "INCP_BASE, INCP_IVA, INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, INCP_RTCREE, "
                           "INCP_CTABASE, INCP_CTAIVA, INCP_CTARTFTE, INCP_CTARTIVA, INCP_CTARTICA, INCP_CTAPROV, "
                           "INCP_CONFIRMAR, INCP_EQUIVALENCIA) values (?, ?, ?, 'CXP', '0000', 'VOLUMEN', 'K', 'K', "
                           "'K', 'K', 'K', 'K', 'N', '51359501', '24080501', '23654001', '23670501', '23680501', ?, "
                           "'N', 'S')"),
                       {id, tipo, pref, QString::fromLatin1(kCuentaPagar)});
        }
        if (tr.queryOne(QStringLiteral("select 1 from INTERFAZ_CAJA where TIDO_COD = 62 and PREF_PRE = ?"), {pref}))
            continue;
        const int64_t id =
            tr.queryOne(QStringLiteral("select coalesce(max(INCJ_ID), 0) + 1 from INTERFAZ_CAJA"))->at(0).toInt64();
        tr.execute(QStringLiteral("insert into INTERFAZ_CAJA (INCJ_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, "
                                  "INCJ_NOMBRE, INCJ_CAJA, INCJ_RTFTE, INCJ_RTIVA, INCJ_RTICA, INCJ_PROV, INCJ_RTCREE, "
                                  "INCJ_CTACAJA, INCJ_CTARTFTE, INCJ_CTARTIVA, INCJ_CTARTICA, INCJ_CTAPROV, "
                                  "INCJ_CTADTOF, INCJ_EQUIVALENCIA) values (?, 62, ?, 'EGR', '0000', 'VOLUMEN', 'K', "
                                  "'K', 'K', 'K', 'K', 'N', '11050501', '23654001', '23670501', '23680501', ?, "
                                  "'42104001', 'S')"),
                   {id, pref, QString::fromLatin1(kCuentaPagar)});
    }
    tr.commit();
}

// Posts the documents generated by this run that are not annulled, each in
// a transaction of its own (the local stage, the NIIF stage, the ledger
// voucher), on the definition of its type and prefix.
void Generador::contabilizar(const std::map<int, int64_t>& desde) {
    const struct {
        int tipo;
        const char *procedimiento, *documentos, *interfaces;
    } clases[] = {
        {51, "CONTABIL_NOTADBPR",
         "select d.NDPR_ID, i.INCP_ID from NOTAS_DEBITO_PROVEEDOR d join INTERFAZ_CXPAGAR i on i.TIDO_COD = 51 and "
         "i.PREF_PRE = d.PREF_PRE where d.NDPR_ID > ? and d.NDPR_ANULADO = 'N' order by d.NDPR_ID",
         nullptr},
        {52, "CONTABIL_NOTACRPR",
         "select d.NCPR_ID, i.INCP_ID from NOTAS_CREDITO_PROVEEDOR d join INTERFAZ_CXPAGAR i on i.TIDO_COD = 52 and "
         "i.PREF_PRE = d.PREF_PRE where d.NCPR_ID > ? and d.NCPR_ANULADO = 'N' order by d.NCPR_ID",
         nullptr},
        {53, "CONTABIL_APLICAPR",
         "select d.APPR_ID, i.INCP_ID from APLICACION_PROVEDOR d join INTERFAZ_CXPAGAR i on i.TIDO_COD = 53 and "
         "i.PREF_PRE = d.PREF_PRE where d.APPR_ID > ? and d.APPR_ANULADO = 'N' order by d.APPR_ID",
         nullptr},
        {62, "CONTABIL_EGRESO",
         "select d.EGRE_ID, i.INCJ_ID from EGRESOS d join INTERFAZ_CAJA i on i.TIDO_COD = 62 and "
         "i.PREF_PRE = d.PREF_PRE where d.EGRE_ID > ? and d.EGRE_ANULADO = 'N' order by d.EGRE_ID",
         nullptr},
    };
    for (const auto& c : clases) {
        std::vector<std::pair<int64_t, int64_t>> documentos;
        std::set<int64_t> vistos;
        for (const fb::Row& f : db_.query(QString::fromLatin1(c.documentos), {desde.at(c.tipo)}))
            if (vistos.insert(f[0].toInt64()).second) documentos.emplace_back(f[0].toInt64(), f[1].toInt64());
        const QString local = QStringLiteral("select ERROR, IDC from %1(?, ?)").arg(QLatin1String(c.procedimiento));
        const QString niif = QStringLiteral("select ERROR from %1_NIIF(?, ?, ?)").arg(QLatin1String(c.procedimiento));
        for (const auto& [id, interfaz] : documentos) {
            fb::Transaction tr(db_);
            const fb::Row etapa = *tr.queryOne(local, {id, interfaz});
            const int64_t idc = etapa[1].toInt64();
            int64_t errores = etapa[0].toInt64();
            if (!errores) errores += tr.queryOne(niif, {id, interfaz, idc})->at(0).toInt64();
            if (errores) {
                QStringList textos;
                for (const fb::Row& e : tr.query(QStringLiteral("select ERRO_CADENA from ERRORES where ERRO_IDDOC = ? "
                                                                "and ERRO_TIPODOC in (?, 31) order by ERRO_ID"),
                                                 {id, c.tipo}))
                    textos << e[0].toString();
                throw std::runtime_error(QStringLiteral("El documento %1-%2 no se contabiliza: %3")
                                             .arg(c.tipo)
                                             .arg(id)
                                             .arg(textos.join(QStringLiteral("; ")))
                                             .toStdString());
            }
            tr.executeProcedure(QStringLiteral("CONTABILIZA_PENDIENTE"), {idc});
            tr.commit();
            ++r_.contabilizados;
        }
        if (avance_) *avance_ << "  " << r_.contabilizados << " documentos contabilizados" << Qt::endl;
    }
}

void Generador::generar() {
    abrir();
    const int n = std::max(1, op_.acreedores);
    // Creditors differ in size: a few big suppliers, many small ones (the
    // share of each falls with its rank, the ranks shuffled over the NITs).
    std::vector<double> peso(size_t(n), 0);
    std::vector<int> rango(static_cast<size_t>(n), 0);
    for (int i = 0; i < n; ++i) rango[size_t(i)] = i;
    std::shuffle(rango.begin(), rango.end(), azar_);
    double total = 0;
    for (int i = 0; i < n; ++i) total += peso[size_t(i)] = 1.0 / std::pow(rango[size_t(i)] + 1.0, 0.9);
    for (int i = 0; i < n; ++i) {
        const int64_t restantes = op_.documentos - r_.documentos;
        const int eventos = i == n - 1 ? int(restantes)
                                       : int(std::min<int64_t>(restantes, int64_t(op_.documentos * peso[size_t(i)] / total)));
        // Each creditor works on one prefix: every agency's, or one agency's.
        const Prefijo& pref = kPrefijos[size_t(i % 3)];
        prefijo_ = QString::fromLatin1(pref.codigo);
        servicios_ = grupos_.value(i) == QLatin1String("02");
        historia(QStringLiteral("%1").arg(800000000 + i), eventos);
    }
    cerrarLote(true);
}

void Generador::acreedores() {
    fb::Transaction tr(db_);
    const char* grupos[][2] = {{"01", "NACIONALES"}, {"02", "SERVICIOS"}, {"03", "DEL EXTERIOR"}};
    for (const auto& g : grupos)
        tr.execute(QStringLiteral("update or insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM, GRPR_CTAPROV, "
                                  "GRPR_CTAANTI) values (?, ?, ?, ?) matching (GRPR_COD)"),
                   {QString::fromLatin1(g[0]), QString::fromLatin1(g[1]), QString::fromLatin1(kCuentaPagar),
                    QString::fromLatin1(kCuentaAnticipos)});
    // Both agencies, the prefixes of every payables type and the dollar's
    // rate of each month.
    tr.execute(QStringLiteral("update or insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (1, 'PRINCIPAL') matching (SUCU_ID)"));
    tr.execute(QStringLiteral("update or insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (2, 'CENTRO') matching (SUCU_ID)"));
    for (int tipo : {51, 52, 53, 55, 62})
        for (const Prefijo& p : kPrefijos)
            tr.execute(QStringLiteral("update or insert into PREFIJOS (TIDO_COD, PREF_PRE, SUCU_ID) values (?, ?, ?) "
                                      "matching (TIDO_COD, PREF_PRE)"),
                       {tipo, QString::fromLatin1(p.codigo), p.agencia});
    for (QDate m(op_.desde.year(), op_.desde.month(), 1); m <= op_.hasta; m = m.addMonths(1))
        if (!tr.queryOne(QStringLiteral("select 1 from TASA_CAMBIO_MONEDA where TIMO_COD = 840 and TACA_FECHA = ?"), {m}))
            tr.execute(QStringLiteral("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) "
                                      "values (0, 840, ?, ?)"),
                       {m, dinero(tasaDolar(m))});
    const char* nombres[] = {"DISTRIBUIDORA", "COMERCIALIZADORA", "INVERSIONES", "TRANSPORTES", "LACTEOS",
                             "GRANOS", "SERVICIOS", "FERRETERIA", "PAPELERIA", "AGROPECUARIA"};
    const char* ciudades[][2] = {{"11001", "BOGOTA"}, {"05001", "MEDELLIN"}, {"76001", "CALI"},
                                 {"08001", "BARRANQUILLA"}, {"68001", "BUCARAMANGA"}};
    fb::Statement tercero(tr, QStringLiteral("update or insert into TERCEROS (TERC_NIT, TERC_NOM, TERC_PROV, TERC_TEL, "
                                             "CIUD_COD, TERC_CIU, TERC_DIR) values (?, ?, 'S', ?, ?, ?, ?) "
                                             "matching (TERC_NIT)"));
    // Minimum bases of the current year's UVT.
    fb::Statement proveedor(tr, QStringLiteral("update or insert into PROVEEDORES (TERC_NIT, GRPR_COD, PROV_RETEFTE, "
                                               "PROV_RTEIVA, PROV_RTEICA, PROV_CUPO, PROV_RTFTEBASE, PROV_RTICABASE) "
                                               "values (?, ?, ?, 15, 9.66, ?, ?, ?) matching (TERC_NIT)"));
    const QDate hoy = op_.hasta;
    for (int i = 0; i < op_.acreedores; ++i) {
        const QString nit = QStringLiteral("%1").arg(800000000 + i);
        const auto& c = ciudades[size_t(entre(0, 4))];
        tercero.bind({nit, QStringLiteral("%1 %2 S.A.S.").arg(QLatin1String(nombres[size_t(entre(0, 9))])).arg(i),
                      QStringLiteral("60%1").arg(entre(1000000, 9999999)), QString::fromLatin1(c[0]),
                      QString::fromLatin1(c[1]), QStringLiteral("CALLE %1 # %2-%3").arg(entre(1, 200)).arg(entre(1, 99)).arg(entre(1, 99))});
        tercero.execute();
        const QString grupo = QString::fromLatin1(grupos[size_t(entre(0, 2))][0]);
        grupos_.append(grupo);
        const bool servicios = grupo == QLatin1String("02");
        const Centavos base = baseRetencion(hoy, servicios);
        proveedor.bind({nit, grupo, servicios ? fb::Value(fb::Decimal{400, -2}) : fb::Value(fb::Decimal{250, -2}),
                        dinero(Centavos(entre(1, 50)) * 100000000), dinero(base), dinero(base)});
        proveedor.execute();
        ++r_.acreedores;
    }
    tr.commit();
}

Abierto Generador::deuda(const QString& nit, QDate f, bool* enDisputa) {
    // Amounts from a few thousand pesos to tens of millions.
    const Centavos monto = Centavos(std::exp(std::uniform_real_distribution<double>(8, 17)(azar_))) * 100;
    const Centavos iva = monto * 19 / 100;
    // Rete-fuente from the minimum base of the document's year (services on
    // charges, purchases on invoices).
    const bool esFactura = probabilidad(0.55);
    const bool servicios = !esFactura || servicios_;
    const int porMil = servicios ? 40 : 25;
    const Centavos rtfte = monto >= baseRetencion(f, servicios) ? monto * porMil / 1000 : 0;
    const Centavos rtiva = probabilidad(0.4) ? iva * 15 / 100 : 0, rtica = monto * 966 / 100000;
    const bool anulado = probabilidad(0.02);
    // A few debts stay open for months (disputed, waiting for a credit note):
    // the overdue tail of the ageing.
    *enDisputa = probabilidad(0.04);
    const QDate vence = f.addDays(entre(0, 4) * 15);
    Abierto a{0, 0, QString(), QString(), f, monto + iva - rtfte - rtiva - rtica, {rtfte, rtiva, rtica, 0}, false, 0, QDate()};
    if (esFactura) {
        a.tipo = 21;
        a.id = int(++idFactura_);
        a.prefijo = QStringLiteral("FC");
        a.numero = siguiente(21, a.prefijo);
        factura_->bind({a.id, a.numero, QStringLiteral("F-%1").arg(entre(1, 999999)), nit, f, vence, dinero(monto),
                        dinero(iva), dinero(rtfte), dinero(rtiva), dinero(rtica), anulado ? "S" : "N"});
        factura_->execute();
    } else {
        a.tipo = 51;
        a.id = int(++idCargo_);
        a.prefijo = prefijo_;
        a.numero = siguiente(51, a.prefijo);
        const bool conDescuento = probabilidad(0.2);
        if (conDescuento) {
            a.dtof = monto * 2 / 100;
            a.fecdtof = f.addDays(10);
        }
        // Now and then a charge in dollars, at the month's rate.
        const bool dolares = probabilidad(0.05);
        const Centavos tasa = tasaDolar(QDate(f.year(), f.month(), 1));
        cargo_->bind({a.id, nit, a.prefijo, a.numero, f, vence, dinero(monto), dinero(iva),
                      fb::Value(fb::Decimal{porMil, -1}), dinero(rtfte), dinero(rtiva), dinero(rtica),
                      conDescuento ? fb::Value(a.fecdtof) : fb::Value(), conDescuento ? dinero(200) : dinero(0),
                      dinero(a.dtof), QStringLiteral("C-%1").arg(entre(1, 999999)), anulado ? "S" : "N",
                      dolares ? dinero(tasa) : dinero(100), dolares ? fb::Value(840) : fb::Value()});
        cargo_->execute();
        // Some charges carry their article lines.
        if (probabilidad(0.3)) {
            const int n = entre(1, 2);
            Centavos resto = monto;
            for (int k = 1; k <= n; ++k) {
                const Centavos total = k == n ? resto : resto / 2;
                resto -= total;
                lineaCargo_->bind({a.id, k, fb::Value(fb::Decimal{1, 0}), dinero(total),
                                   QStringLiteral("ARTICULO %1").arg(entre(1, 500)), dinero(total)});
                lineaCargo_->execute();
            }
        }
    }
    ++r_.documentos;
    if (anulado) {
        ++r_.anulados;
        a.tipo = 0;  // out of the ledger: nothing will cross it
    }
    return a;
}

Abierto Generador::credito(const QString& nit, QDate f) {
    const Centavos monto = Centavos(std::exp(std::uniform_real_distribution<double>(8, 14)(azar_))) * 100;
    const Centavos iva = monto * 19 / 100;
    const bool anulado = probabilidad(0.02);
    Abierto a{0, 0, QString(), QString(), f, -(monto + iva), {0, 0, 0, 0}, true, 0, QDate()};  // a credit: negative
    if (probabilidad(0.6)) {
        a.tipo = 52;
        a.id = int(++idDescuento_);
        a.prefijo = prefijo_;
        a.numero = siguiente(52, a.prefijo);
        descuento_->bind({a.id, nit, a.prefijo, a.numero, f, dinero(monto), dinero(iva), anulado ? "S" : "N"});
        descuento_->execute();
    } else {
        a.tipo = 24;
        a.id = int(++idDevolucion_);
        a.prefijo = QStringLiteral("DV");
        a.numero = siguiente(24, a.prefijo);
        devolucion_->bind({a.id, a.numero, nit, f, dinero(monto), dinero(iva), anulado ? "S" : "N"});
        devolucion_->execute();
    }
    ++r_.documentos;
    if (anulado) {
        ++r_.anulados;
        a.tipo = 0;
    }
    return a;
}

// An advance registered from the voucher that pays it out (the payout line
// carries the amount negated, as the voucher enters it).
void Generador::anticipo(const QString& nit, QDate f, std::deque<Abierto>& creditos) {
    const Centavos base = Centavos(entre(100, 20000)) * 100000;
    const Centavos rtfte = base >= baseRetencion(f, servicios_) ? base * 25 / 1000 : 0;
    Abierto a{55, int(++idAnticipo_), prefijo_, siguiente(55, prefijo_), f, base - rtfte, {}, true, 0, QDate()};
    anticipo_->bind({a.id, a.prefijo, a.numero, f, dinero(base), dinero(rtfte), nit});
    anticipo_->execute();
    const int64_t egre = ++idEgreso_;
    egreso_->bind({egre, prefijo_, siguiente(62, prefijo_), f,
                   QStringLiteral("ANTICIPO ANTIPROV %1%2").arg(a.prefijo, a.numero), dinero(a.neto), nit, "N"});
    egreso_->execute();
    egresoCaja_->bind({egre, dinero(a.neto)});
    egresoCaja_->execute();
    egresoDet_->bind({egre, 1, 55, a.id, a.prefijo, a.numero, dinero(-a.neto), dinero(0), dinero(0), dinero(0),
                      dinero(0), dinero(0)});
    egresoDet_->execute();
    r_.documentos += 2;
    ++r_.lineas;
    a.neto = -a.neto;  // a credit once paid out
    creditos.push_back(a);
}

void Generador::pago(const QString& nit, QDate f, std::deque<Abierto>& deudas, std::deque<Abierto>& creditos) {
    // The oldest open debts, most of them settled, some in part (taking the
    // prompt-payment discount when still in time), and now and then a
    // credit taken off the payment.
    const int64_t egre = ++idEgreso_;
    const bool anulado = probabilidad(0.02);
    struct L {
        Abierto* doc;
        Centavos abono;
        Centavos dtof;
        Centavos rete[4];
    };
    std::vector<L> lineas;
    const int cuantos = std::min<int>(int(deudas.size()), entre(1, 4));
    Centavos total = 0;
    for (int i = 0; i < cuantos; ++i) {
        Abierto& d = deudas[size_t(i)];
        if (d.fecha > f) break;
        const bool entero = probabilidad(0.85);
        const bool conDescuento = entero && d.dtof > 0 && f <= d.fecdtof && d.dtof < d.neto;
        L l{&d, entero ? d.neto - (conDescuento ? d.dtof : 0) : d.neto / 2, conDescuento ? d.dtof : 0, {}};
        if (!d.reteTomadas)
            for (int k = 0; k < 4; ++k) l.rete[k] = d.rete[k];
        lineas.push_back(l);
        total += l.abono;
    }
    if (!creditos.empty() && probabilidad(0.8) && creditos.front().fecha <= f) {
        Abierto& c = creditos.front();
        const Centavos x = std::max(c.neto, -total);  // both negative: never past the credit nor the payment
        if (x < 0) {
            lineas.push_back(L{&c, x, 0, {}});
            total += x;
        }
    }
    if (lineas.empty()) {
        --idEgreso_;
        return;
    }
    egreso_->bind({egre, prefijo_, siguiente(62, prefijo_), f, QStringLiteral("PAGO A PROVEEDOR"), dinero(total), nit,
                   anulado ? "S" : "N"});
    egreso_->execute();
    egresoCaja_->bind({egre, dinero(total)});
    egresoCaja_->execute();
    int item = 0;
    for (const L& l : lineas) {
        egresoDet_->bind({egre, ++item, l.doc->tipo, l.doc->id, l.doc->prefijo, l.doc->numero, dinero(l.abono),
                          dinero(l.rete[0]), dinero(l.rete[1]), dinero(l.rete[2]), dinero(l.rete[3]), dinero(l.dtof)});
        egresoDet_->execute();
        ++r_.lineas;
        if (!anulado) {
            l.doc->neto -= l.abono + l.dtof;
            l.doc->reteTomadas = true;
            if (l.dtof) l.doc->dtof = 0;
        }
    }
    ++r_.documentos;
    if (anulado) ++r_.anulados;
    auto cerrado = [](const Abierto& a) { return a.neto == 0; };
    deudas.erase(std::remove_if(deudas.begin(), deudas.end(), cerrado), deudas.end());
    creditos.erase(std::remove_if(creditos.begin(), creditos.end(), cerrado), creditos.end());
}

void Generador::aplicacion(const QString& nit, QDate f, std::deque<Abierto>& deudas, std::deque<Abierto>& creditos) {
    if (deudas.empty() || creditos.empty()) return;
    Abierto& d = deudas.front();
    Abierto& c = creditos.front();
    const Centavos x = std::min(d.neto, -c.neto);
    if (x <= 0) return;
    // A few applications are annulled: they cross nothing.
    const bool anulada = probabilidad(0.03);
    const int64_t id = ++idAplicacion_;
    aplicacion_->bind({id, prefijo_, siguiente(53, prefijo_), std::max({f, d.fecha, c.fecha}), nit, anulada ? "S" : "N"});
    aplicacion_->execute();
    aplicacionDet_->bind({id, 1, d.tipo, d.id, d.prefijo, d.numero, dinero(x)});
    aplicacionDet_->execute();
    aplicacionDet_->bind({id, 2, c.tipo, c.id, c.prefijo, c.numero, dinero(-x)});
    aplicacionDet_->execute();
    r_.lineas += 2;
    ++r_.documentos;
    if (anulada) {
        ++r_.anulados;
        return;
    }
    d.neto -= x;
    c.neto += x;
    auto cerrado = [](const Abierto& a) { return a.neto == 0; };
    deudas.erase(std::remove_if(deudas.begin(), deudas.end(), cerrado), deudas.end());
    creditos.erase(std::remove_if(creditos.begin(), creditos.end(), cerrado), creditos.end());
}

void Generador::historia(const QString& nit, int eventos) {
    std::deque<Abierto> deudas, creditos;
    const int dias = std::max(1, int(op_.desde.daysTo(op_.hasta)));
    const int64_t meta = r_.documentos + eventos;
    int paso = 0;
    while (r_.documentos < meta) {
        // Events spread evenly over the years, in order.
        const QDate f = op_.desde.addDays(std::min<int64_t>(dias, int64_t(paso++) * dias / std::max(1, eventos)));
        const bool reciente = f.daysTo(op_.hasta) < 60;  // the last two months stay largely unpaid
        const int dado = entre(0, 99);
        if (dado < 45) {
            bool enDisputa = false;
            Abierto a = deuda(nit, f, &enDisputa);
            if (a.tipo && !enDisputa) deudas.push_back(a);
        } else if (dado < 55) {
            Abierto a = credito(nit, f);
            if (a.tipo) creditos.push_back(a);
        } else if (dado < 58) {
            if (meta - r_.documentos >= 2) anticipo(nit, f, creditos);  // an advance and its voucher
        } else if (dado < 92) {
            if (!reciente || probabilidad(0.2)) pago(nit, f, deudas, creditos);
        } else {
            aplicacion(nit, f, deudas, creditos);
        }
        if (++enLote_ >= 20000) cerrarLote(false);
    }
}

}  // namespace

bool repararVolumen(fb::Database& db) {
    const auto fila = db.queryOne(QStringLiteral("select VOLU_ESTADO from VOLUMEN_CXPAGAR"));
    if (!fila || fila->at(0).toString() != QLatin1String("C")) return false;
    cerrarVolumen(db);
    return true;
}

ResumenVolumen generarVolumen(fb::Database& db, const OpcionesVolumen& op, QTextStream* avance) {
    Generador g(db, op, avance);
    return g.ejecutar();
}

}  // namespace cxp::admin
