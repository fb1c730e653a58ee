#include "admin/Volumen.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <random>

namespace cxp::admin {

namespace {

using Centavos = int64_t;

fb::Value dinero(Centavos c) { return fb::Decimal{c, -2}; }

QString numero(int64_t n, int ancho) { return QStringLiteral("%1").arg(n, ancho, 10, QLatin1Char('0')); }

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
};

class Generador {
public:
    Generador(fb::Database& db, const OpcionesVolumen& op, QTextStream* avance)
        : db_(db), op_(op), avance_(avance), azar_(op.semilla) {}

    ResumenVolumen ejecutar();

private:
    int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar_); }
    bool probabilidad(double p) { return std::bernoulli_distribution(p)(azar_); }

    void abrir();
    void cerrarLote(bool final);
    int64_t siguiente(const char* secuencia, const char* tabla, const char* columna, int64_t& local);

    void generar();
    void acreedores();
    void historia(const QString& nit, int eventos);
    Abierto deuda(const QString& nit, QDate f);
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
        aplicacion_, aplicacionDet_;

    int64_t idFactura_ = 0, idDevolucion_ = 0, idCargo_ = 0, idDescuento_ = 0, idAnticipo_ = 0, idEgreso_ = 0,
            idAplicacion_ = 0;
    int64_t numFactura_ = 0, numDevolucion_ = 0, numCargo_ = 0, numDescuento_ = 0, numAnticipo_ = 0,
            numEgreso_ = 0, numAplicacion_ = 0;
};

int64_t maximo(fb::Database& db, const QString& sql) {
    const auto fila = db.queryOne(sql);
    return fila && !fila->at(0).isNull() ? fila->at(0).toInt64() : 0;
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
        "NDPR_DTOFPORC, NDPR_DTOFMONTO, NDPR_NUMPROV, NDPR_ANULADO, NDPR_USUARIO, NDPR_TRM) "
        "values (?, ?, 51, '0000', ?, ?, ?, 'SERVICIOS Y FLETES', ?, 19, ?, 2.5, ?, 15, ?, 9.66, ?, 0, ?, ?, ?, ?, "
        "?, 'VOLUMEN', 1)");
    descuento_ = prep(
        "insert into NOTAS_CREDITO_PROVEEDOR (NCPR_ID, TERC_NIT, TIDO_COD, PREF_PRE, NCPR_NUMERO, NCPR_FECHA, "
        "NCPR_CONC, NCPR_MONTO, NCPR_IVAPORC, NCPR_IVAMONTO, NCPR_ANULADO, NCPR_USUARIO, NCPR_TRM) "
        "values (?, ?, 52, '0000', ?, ?, 'DESCUENTO COMERCIAL', ?, 19, ?, ?, 'VOLUMEN', 1)");
    devolucion_ = prep(
        "insert into DEVOLUCIONES_COMPRAS (DECO_ID, PREF_PRE, DECO_NUMERO, TERC_NIT, DECO_FECHA, DECO_CONC, "
        "DECO_MONTO, DECO_IVAMONTO, DECO_ANULADO) values (?, 'DV', ?, ?, ?, 'DEVOLUCION DE MERCANCIA', ?, ?, ?)");
    anticipo_ = prep(
        "insert into ANTICIPOS_PROVEEDOR (ANPR_ID, TIDO_COD, PREF_PRE, ANPR_NUMERO, ANPR_FECHA, ANPR_CONC, "
        "ANPR_BASE, ANPR_IVAMONTO, ANPR_RTFTEMONTO, ANPR_RTIVAMONTO, ANPR_RTICAMONTO, TERC_NIT, EGRE_ID, "
        "ANPR_USUARIO) values (?, 55, '0000', ?, ?, 'ANTICIPO', ?, 0, ?, 0, 0, ?, 0, 'VOLUMEN')");
    egreso_ = prep(
        "insert into EGRESOS (EGRE_ID, TIDO_COD, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, EGRE_CONC, EGRE_MONTO, "
        "TERC_NIT, EGRE_TIPO, EGRE_ANULADO, EGRE_USUARIO) values (?, 62, '0000', ?, ?, ?, ?, ?, '1', ?, 'VOLUMEN')");
    egresoDet_ = prep(
        "insert into EGRESOS_DETALLE (EGRE_ID, EGDE_ITEM, EGDE_TIPODOC, EGDE_IDDOC, EGDE_PREFIJO, EGDE_NUMERO, "
        "EGDE_ABONO, EGDE_RTFTE, EGDE_RTIVA, EGDE_RTICA, EGDE_RCREE, EGDE_DTOF) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)");
    aplicacion_ = prep(
        "insert into APLICACION_PROVEDOR (APPR_ID, TIDO_COD, PREF_PRE, APPR_NUMERO, APPR_FECHA, APPR_CONC, "
        "TERC_NIT, APPR_ANULADO, APPR_USUARIO) values (?, 53, '0000', ?, ?, 'APLICACION DE SALDOS', ?, 'N', "
        "'VOLUMEN')");
    aplicacionDet_ = prep(
        "insert into APLICACION_PROVEEDOR_DETALLE (APPR_ID, APPD_ITEM, APPD_TIPODOC, APPD_IDDOC, APPD_PREFIJO, "
        "APPD_NUMERO, APPD_APLICADO) values (?, ?, ?, ?, ?, ?, ?)");
}

void Generador::cerrarLote(bool final) {
    factura_.reset(); cargo_.reset(); descuento_.reset(); devolucion_.reset(); anticipo_.reset();
    egreso_.reset(); egresoDet_.reset(); aplicacion_.reset(); aplicacionDet_.reset();
    tr_->commit();
    tr_.reset();
    enLote_ = 0;
    if (avance_) *avance_ << "  " << r_.documentos << " documentos, " << r_.lineas << " cruces" << Qt::endl;
    if (!final) abrir();
}

ResumenVolumen Generador::ejecutar() {
    // Continue after what the database already holds.
    idFactura_ = maximo(db_, "select max(FACO_ID) from FACTURAS_COMPRA");
    idDevolucion_ = maximo(db_, "select max(DECO_ID) from DEVOLUCIONES_COMPRAS");
    idCargo_ = maximo(db_, "select max(NDPR_ID) from NOTAS_DEBITO_PROVEEDOR");
    idDescuento_ = maximo(db_, "select max(NCPR_ID) from NOTAS_CREDITO_PROVEEDOR");
    idAnticipo_ = maximo(db_, "select max(ANPR_ID) from ANTICIPOS_PROVEEDOR");
    idEgreso_ = maximo(db_, "select max(EGRE_ID) from EGRESOS");
    idAplicacion_ = maximo(db_, "select max(APPR_ID) from APLICACION_PROVEDOR");
    numFactura_ = maximo(db_, "select max(cast(FACO_NUMERO as bigint)) from FACTURAS_COMPRA where PREF_PRE = 'FC'");
    numDevolucion_ = maximo(db_, "select max(cast(DECO_NUMERO as bigint)) from DEVOLUCIONES_COMPRAS where PREF_PRE = 'DV'");
    numCargo_ = maximo(db_, "select max(cast(NDPR_NUMERO as bigint)) from NOTAS_DEBITO_PROVEEDOR where PREF_PRE = '0000'");
    numDescuento_ = maximo(db_, "select max(cast(NCPR_NUMERO as bigint)) from NOTAS_CREDITO_PROVEEDOR where PREF_PRE = '0000'");
    numAnticipo_ = maximo(db_, "select max(cast(ANPR_NUMERO as bigint)) from ANTICIPOS_PROVEEDOR where PREF_PRE = '0000'");
    numEgreso_ = maximo(db_, "select max(cast(EGRE_NUMERO as bigint)) from EGRESOS where PREF_PRE = '0000'");
    numAplicacion_ = maximo(db_, "select max(cast(APPR_NUMERO as bigint)) from APLICACION_PROVEDOR where PREF_PRE = '0000'");

    acreedores();
    // A bulk load: the stored balances are made once at the end instead of
    // by each row's triggers; the triggers come back even on a failure.
    auto triggers = [&](bool activos) {
        for (const char* t : {"NOTAS_DEBITO_PROVEEDOR_SALDO", "NOTAS_CREDITO_PROVEEDOR_SALDO", "ANTICIPOS_PROVEEDOR_SALDO",
                              "FACTURAS_COMPRA_SALDO", "DEVOLUCIONES_COMPRAS_SALDO", "EGRESOS_DETALLE_SALDO",
                              "APLICACION_PROV_DET_SALDO", "EGRESOS_SALDO", "APLICACION_PROVEDOR_SALDO"})
            db_.executeDirect(QStringLiteral("alter trigger %1 %2").arg(QLatin1String(t), activos ? QStringLiteral("active") : QStringLiteral("inactive")));
    };
    triggers(false);
    try {
        generar();
    } catch (...) {
        tr_.reset();
        triggers(true);
        throw;
    }
    triggers(true);
    db_.executeDirect(QStringLiteral("execute procedure REHAGA_SALDOS_CXPAGAR"));


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
    return r_;
}

void Generador::generar() {
    abrir();
    const int n = std::max(1, op_.acreedores);
    for (int i = 0; i < n; ++i) {
        // Creditors differ in size: a few big suppliers, many small ones.
        const int64_t restantes = op_.documentos - r_.documentos;
        const int porAcreedor = int(std::max<int64_t>(0, restantes / (n - i)));
        const int eventos = std::max(0, int(porAcreedor * (0.5 + std::uniform_real_distribution<double>(0, 1)(azar_))));
        historia(QStringLiteral("%1").arg(800000000 + i), i == n - 1 ? int(restantes) : eventos);
    }
    cerrarLote(true);
}

void Generador::acreedores() {
    fb::Transaction tr(db_);
    const char* grupos[][2] = {{"01", "NACIONALES"}, {"02", "SERVICIOS"}, {"03", "DEL EXTERIOR"}};
    for (const auto& g : grupos)
        tr.execute(QStringLiteral("update or insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM) values (?, ?) "
                                  "matching (GRPR_COD)"),
                   {QString::fromLatin1(g[0]), QString::fromLatin1(g[1])});
    const char* nombres[] = {"DISTRIBUIDORA", "COMERCIALIZADORA", "INVERSIONES", "TRANSPORTES", "LACTEOS",
                             "GRANOS", "SERVICIOS", "FERRETERIA", "PAPELERIA", "AGROPECUARIA"};
    const char* ciudades[][2] = {{"11001", "BOGOTA"}, {"05001", "MEDELLIN"}, {"76001", "CALI"},
                                 {"08001", "BARRANQUILLA"}, {"68001", "BUCARAMANGA"}};
    fb::Statement tercero(tr, QStringLiteral("update or insert into TERCEROS (TERC_NIT, TERC_NOM, TERC_PROV, TERC_TEL, "
                                             "CIUD_COD, TERC_CIU, TERC_DIR) values (?, ?, 'S', ?, ?, ?, ?) "
                                             "matching (TERC_NIT)"));
    fb::Statement proveedor(tr, QStringLiteral("update or insert into PROVEEDORES (TERC_NIT, GRPR_COD, PROV_RETEFTE, "
                                               "PROV_RTEIVA, PROV_RTEICA, PROV_CUPO) values (?, ?, 2.5, 15, 9.66, ?) "
                                               "matching (TERC_NIT)"));
    for (int i = 0; i < op_.acreedores; ++i) {
        const QString nit = QStringLiteral("%1").arg(800000000 + i);
        const auto& c = ciudades[size_t(entre(0, 4))];
        tercero.bind({nit, QStringLiteral("%1 %2 S.A.S.").arg(QLatin1String(nombres[size_t(entre(0, 9))])).arg(i),
                      QStringLiteral("60%1").arg(entre(1000000, 9999999)), QString::fromLatin1(c[0]),
                      QString::fromLatin1(c[1]), QStringLiteral("CALLE %1 # %2-%3").arg(entre(1, 200)).arg(entre(1, 99)).arg(entre(1, 99))});
        tercero.execute();
        proveedor.bind({nit, QString::fromLatin1(grupos[size_t(entre(0, 2))][0]), dinero(Centavos(entre(1, 50)) * 100000000)});
        proveedor.execute();
        ++r_.acreedores;
    }
    tr.commit();
}

Abierto Generador::deuda(const QString& nit, QDate f) {
    // Amounts from a few thousand pesos to tens of millions.
    const Centavos monto = Centavos(std::exp(std::uniform_real_distribution<double>(8, 17)(azar_))) * 100;
    const Centavos iva = monto * 19 / 100;
    const Centavos rtfte = monto * 25 / 1000, rtiva = probabilidad(0.4) ? iva * 15 / 100 : 0, rtica = monto * 966 / 100000;
    const bool anulado = probabilidad(0.02);
    const QDate vence = f.addDays(entre(0, 4) * 15);
    Abierto a{0, 0, QString(), QString(), f, monto + iva - rtfte - rtiva - rtica, {rtfte, rtiva, rtica, 0}};
    if (probabilidad(0.55)) {
        a.tipo = 21;
        a.id = int(++idFactura_);
        a.prefijo = QStringLiteral("FC");
        a.numero = numero(++numFactura_, 8);
        factura_->bind({a.id, a.numero, QStringLiteral("F-%1").arg(entre(1, 999999)), nit, f, vence, dinero(monto),
                        dinero(iva), dinero(rtfte), dinero(rtiva), dinero(rtica), anulado ? "S" : "N"});
        factura_->execute();
    } else {
        a.tipo = 51;
        a.id = int(++idCargo_);
        a.prefijo = QStringLiteral("0000");
        a.numero = numero(++numCargo_, 6);
        const bool conDescuento = probabilidad(0.2);
        cargo_->bind({a.id, nit, a.numero, f, vence, dinero(monto), dinero(iva), dinero(rtfte), dinero(rtiva),
                      dinero(rtica), conDescuento ? fb::Value(f.addDays(10)) : fb::Value(),
                      conDescuento ? dinero(200) : dinero(0), conDescuento ? dinero(monto * 2 / 100) : dinero(0),
                      QStringLiteral("C-%1").arg(entre(1, 999999)), anulado ? "S" : "N"});
        cargo_->execute();
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
    Abierto a{0, 0, QString(), QString(), f, -(monto + iva), {0, 0, 0, 0}, true};  // a credit: negative
    if (probabilidad(0.6)) {
        a.tipo = 52;
        a.id = int(++idDescuento_);
        a.prefijo = QStringLiteral("0000");
        a.numero = numero(++numDescuento_, 6);
        descuento_->bind({a.id, nit, a.numero, f, dinero(monto), dinero(iva), anulado ? "S" : "N"});
        descuento_->execute();
    } else {
        a.tipo = 24;
        a.id = int(++idDevolucion_);
        a.prefijo = QStringLiteral("DV");
        a.numero = numero(++numDevolucion_, 8);
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
    const Centavos rtfte = base * 25 / 1000;
    Abierto a{55, int(++idAnticipo_), QStringLiteral("0000"), numero(++numAnticipo_, 6), f, base - rtfte, {}, true};
    anticipo_->bind({a.id, a.numero, f, dinero(base), dinero(rtfte), nit});
    anticipo_->execute();
    const int64_t egre = ++idEgreso_;
    egreso_->bind({egre, numero(++numEgreso_, 6), f, QStringLiteral("ANTICIPO ANTIPROV 0000%1").arg(a.numero),
                   dinero(a.neto), nit, "N"});
    egreso_->execute();
    egresoDet_->bind({egre, 1, 55, a.id, a.prefijo, a.numero, dinero(-a.neto), dinero(0), dinero(0), dinero(0), dinero(0)});
    egresoDet_->execute();
    r_.documentos += 2;
    ++r_.lineas;
    a.neto = -a.neto;  // a credit once paid out
    creditos.push_back(a);
}

void Generador::pago(const QString& nit, QDate f, std::deque<Abierto>& deudas, std::deque<Abierto>& creditos) {
    // The oldest open debts, most of them settled, some in part, and now and
    // then a credit taken off the payment.
    const int64_t egre = ++idEgreso_;
    const bool anulado = probabilidad(0.02);
    struct L {
        Abierto* doc;
        Centavos abono;
        Centavos rete[4];
    };
    std::vector<L> lineas;
    const int cuantos = std::min<int>(int(deudas.size()), entre(1, 4));
    Centavos total = 0;
    for (int i = 0; i < cuantos; ++i) {
        Abierto& d = deudas[size_t(i)];
        if (d.fecha > f) break;
        L l{&d, probabilidad(0.85) ? d.neto : d.neto / 2, {}};
        if (!d.reteTomadas)
            for (int k = 0; k < 4; ++k) l.rete[k] = d.rete[k];
        lineas.push_back(l);
        total += l.abono;
    }
    if (!creditos.empty() && probabilidad(0.8) && creditos.front().fecha <= f) {
        Abierto& c = creditos.front();
        const Centavos x = std::max(c.neto, -total);  // both negative: never past the credit nor the payment
        if (x < 0) {
            lineas.push_back(L{&c, x, {}});
            total += x;
        }
    }
    if (lineas.empty()) {
        --idEgreso_;
        return;
    }
    egreso_->bind({egre, numero(++numEgreso_, 6), f, QStringLiteral("PAGO A PROVEEDOR"), dinero(total), nit,
                   anulado ? "S" : "N"});
    egreso_->execute();
    int item = 0;
    for (const L& l : lineas) {
        egresoDet_->bind({egre, ++item, l.doc->tipo, l.doc->id, l.doc->prefijo, l.doc->numero, dinero(l.abono),
                          dinero(l.rete[0]), dinero(l.rete[1]), dinero(l.rete[2]), dinero(l.rete[3])});
        egresoDet_->execute();
        ++r_.lineas;
        if (!anulado) {
            l.doc->neto -= l.abono;
            l.doc->reteTomadas = true;
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
    const int64_t id = ++idAplicacion_;
    aplicacion_->bind({id, numero(++numAplicacion_, 6), std::max({f, d.fecha, c.fecha}), nit});
    aplicacion_->execute();
    aplicacionDet_->bind({id, 1, d.tipo, d.id, d.prefijo, d.numero, dinero(x)});
    aplicacionDet_->execute();
    aplicacionDet_->bind({id, 2, c.tipo, c.id, c.prefijo, c.numero, dinero(-x)});
    aplicacionDet_->execute();
    r_.lineas += 2;
    ++r_.documentos;
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
            Abierto a = deuda(nit, f);
            if (a.tipo) deudas.push_back(a);
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

ResumenVolumen generarVolumen(fb::Database& db, const OpcionesVolumen& op, QTextStream* avance) {
    Generador g(db, op, avance);
    return g.ejecutar();
}

}  // namespace cxp::admin
