#include "data/Numeracion.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"

#include <QSet>
#include <stdexcept>

namespace cxp {

namespace {

TablaDocumento porPrefijo(int tipo, const char* tabla, const char* abreviatura, const char* prefijo = "pref_pre") {
    const QString a = QLatin1String(abreviatura);
    return {tipo, QLatin1String(tabla), a + QLatin1String("_id"), QLatin1String(prefijo), a + QLatin1String("_numero")};
}

TablaDocumento porNumero(int tipo, const char* tabla, const char* abreviatura) {
    TablaDocumento t = porPrefijo(tipo, tabla, abreviatura);
    t.prefijo.clear();
    return t;
}

TablaDocumento deBanco(int tipo, const char* tabla, const char* abreviatura, const char* numero = nullptr) {
    TablaDocumento t = porPrefijo(tipo, tabla, abreviatura, "prba_pref");
    if (numero) t.numero = QLatin1String(numero);
    t.banco = true;
    return t;
}

TablaDocumento conTipo(TablaDocumento t) {
    t.conTipo = true;
    return t;
}

QList<TablaDocumento> construirTablas() {
    return {
        // Inventory and production
        porPrefijo(10, "cambio_costo", "caco"),
        porPrefijo(11, "entradas", "entr"),
        porPrefijo(12, "salidas", "sali"),
        porPrefijo(13, "trasferencias", "tran"),
        porPrefijo(14, "ajustes", "ajus"),
        porPrefijo(15, "ensambles", "ensa"),
        porPrefijo(16, "desensambles", "dese"),
        porPrefijo(17, "reservas", "rese"),
        porPrefijo(18, "ordenes_inventario", "orin"),
        porPrefijo(19, "produccion_orden", "pror"),
        porPrefijo(20, "produccion_entrada_enc", "prde", "prde_pref"),
        // Purchases
        porPrefijo(21, "facturas_compra", "faco"),
        porPrefijo(22, "remision_proveedor", "repr"),
        porPrefijo(23, "ordenes_compra", "orco"),
        porPrefijo(24, "devoluciones_compras", "deco"),
        porPrefijo(25, "cotizacion_proveedor", "copr"),
        porPrefijo(27, "plan_produccion", "plpr", "plpr_pref"),
        porPrefijo(28, "produccion_salida_enc", "prsa", "prsa_pref"),
        porPrefijo(29, "produccion_devolucion", "prdd", "prdd_pref"),
        // Sales and receivables
        porPrefijo(31, "facturas", "fact"),
        porPrefijo(32, "remisiones_venta", "revt"),
        porPrefijo(33, "devoluciones_ventas", "devt"),
        porPrefijo(34, "pedidos", "pedi"),
        porPrefijo(35, "cotizaciones", "coti"),
        porPrefijo(40, "pendiente_ventas", "peve"),
        porPrefijo(41, "notas_debito_clientes", "ndcl"),
        porPrefijo(42, "notas_credito_clientes", "nccl"),
        porPrefijo(43, "aplicacion_cliente", "apcl"),
        porPrefijo(44, "pagos_clientes", "pacl"),
        porPrefijo(45, "anticipos_cliente", "ancl"),
        porPrefijo(46, "causa_interes", "cain"),
        porPrefijo(47, "deterioro_cartera_enc", "deca"),
        porNumero(48, "credito_educativo", "cred"),
        // Payables
        porPrefijo(50, "factura_profv", "facp"),
        porPrefijo(51, "notas_debito_proveedor", "ndpr"),
        porPrefijo(52, "notas_credito_proveedor", "ncpr"),
        porPrefijo(53, "aplicacion_provedor", "appr"),
        porPrefijo(54, "pagos_proveedor", "papr"),
        porPrefijo(55, "anticipos_proveedor", "anpr"),
        porPrefijo(56, "orden_servicio", "orse"),
        porPrefijo(57, "programacion_pagos_enc", "prpg", "prpg_pref"),
        // Cash
        porPrefijo(61, "recibos_caja", "reca"),
        porPrefijo(62, "egresos", "egre"),
        porPrefijo(63, "cambio_documentos", "cado"),
        porPrefijo(64, "consigna_tarjetas", "cotj"),
        porPrefijo(65, "recibo_provisional", "rcpr"),
        porPrefijo(66, "traslados_caja", "trcj"),
        porPrefijo(67, "arqueo_caja", "arqc"),
        // Banks
        deBanco(71, "consigna", "cons"),
        deBanco(72, "cheques", "cheq"),
        deBanco(73, "retiros", "reti"),
        deBanco(74, "notas_debito", "ndbc"),
        deBanco(75, "notas_credito", "ncbc"),
        deBanco(76, "traslados", "tras"),
        deBanco(77, "devolucion_cheques", "dvch", "dvch_numdoc"),
        // Transport
        conTipo(porPrefijo(85, "carga_remesa", "cgrm", "cgrm_pref")),
        porPrefijo(86, "tiquete_pasajero", "tiqp", "tiqp_pref"),
        conTipo(porPrefijo(87, "carga_remesa", "cgrm", "cgrm_pref")),
        porPrefijo(88, "planilla_pasajeros", "plpa", "plpa_pref"),
        porPrefijo(89, "manifiesto_carga", "manc", "manc_pref"),
        // Imports
        porPrefijo(132, "factura_proforma", "fapr"),
        porPrefijo(133, "importacion", "impo", "impo_pref"),
        porPrefijo(137, "factura_proforma", "fapr"),
        porPrefijo(138, "gastos_importacion", "gain", "gain_pref"),
        porPrefijo(139, "solicitud_importacion", "soim"),
        // Schools and CRM
        porNumero(181, "contratos_colegios", "coco"),
        porNumero(182, "liquidacion_ruta_colegio", "lirc"),
        porPrefijo(301, "crm_eventos", "even", "even_pref"),
    };
}

const TablaDocumento& tablaOFalla(int tipo) {
    const TablaDocumento* t = tablaDocumento(tipo);
    if (!t) throw std::invalid_argument("El tipo de documento " + std::to_string(tipo) + " no tiene tabla de documentos.");
    return *t;
}

// The number after `numero` with at least its width, or nothing when it is
// not made of digits.
std::optional<QString> siguiente(const QString& numero, int ancho) {
    bool ok = false;
    const qlonglong n = numero.trimmed().toLongLong(&ok);
    if (!ok || n < 0) return std::nullopt;
    return complete_numero_n(QString::number(n + 1), ancho);
}

const QString kPrefijoPredeterminado = QStringLiteral("0000");

}  // namespace

const QList<TablaDocumento>& tablasDocumento() {
    static const QList<TablaDocumento> tablas = construirTablas();
    return tablas;
}

const TablaDocumento* tablaDocumento(int tipo) {
    for (const TablaDocumento& t : tablasDocumento())
        if (t.tipo == tipo) return &t;
    return nullptr;
}

int anchoNumero(int tipo) { return tipo == 31 || tipo == 50 ? 8 : 6; }

QString complete_numero(const QString& numero) { return complete_numero_n(numero, 6); }

QString complete_numero_n(const QString& numero, int ancho) {
    return numero.size() >= ancho ? numero : QString(ancho - numero.size(), u'0') + numero;
}

std::optional<QString> primerNumeroLibre(fb::Database& db, int tipo, const QString& prefijo, const QString& desde) {
    const TablaDocumento& t = tablaOFalla(tipo);
    bool ok = false;
    qlonglong candidato = desde.trimmed().toLongLong(&ok);
    if (!ok || candidato < 0) return std::nullopt;
    const int ancho = anchoNumero(tipo);
    // Right-aligned, so that numbers of any width compare as numbers.
    QStringList condiciones{QStringLiteral("lpad(") + t.numero + QStringLiteral(", 20, '0') >= ") +
                            sql::texto(complete_numero_n(QString::number(candidato), 20))};
    if (t.conTipo) condiciones << QStringLiteral("tido_cod = ") + sql::numero(int64_t(tipo));
    if (!t.prefijo.isEmpty()) condiciones << t.prefijo + QStringLiteral(" = ") + sql::texto(prefijo);
    QSet<qlonglong> tomados;
    for (const fb::Row& f : db.query(QStringLiteral("select ") + t.numero + QStringLiteral(" from ") + t.tabla +
                                     QStringLiteral(" where ") + condiciones.join(QStringLiteral(" and ")))) {
        const qlonglong n = f[0].toString().trimmed().toLongLong(&ok);
        if (ok) tomados.insert(n);
    }
    while (tomados.contains(candidato)) ++candidato;
    return complete_numero_n(QString::number(candidato), ancho);
}

QStringList prefijosActivos(fb::Database& db, int tipo, int agencia) {
    QString sql = QStringLiteral("select pref_pre from prefijos where tido_cod = ") + sql::numero(int64_t(tipo)) +
                  QStringLiteral(" and pref_activo = 'S'");
    if (agencia != 0)
        sql += QStringLiteral(" and (SUCU_ID = ") + sql::numero(int64_t(agencia)) + QStringLiteral(" OR SUCU_ID = 0)");
    QStringList prefijos;
    for (const fb::Row& f : db.query(sql + QStringLiteral(" order by pref_pre"))) prefijos.append(f[0].toString().trimmed());
    return prefijos;
}

std::optional<QString> numeroLibreDelPrefijo(fb::Database& db, int tipo, const QString& prefijo) {
    const auto fila = db.queryOne(QStringLiteral("select pref_actual from prefijos where tido_cod = ") +
                                  sql::numero(int64_t(tipo)) + QStringLiteral(" and pref_pre = ") + sql::texto(prefijo));
    if (!fila) return std::nullopt;
    return primerNumeroLibre(db, tipo, prefijo, fila->at(0).toString());
}

Numeracion::Numeracion(fb::Database& compania, Interaccion& interaccion, const Configuracion& configuracion)
    : compania_(compania), interaccion_(interaccion), configuracion_(configuracion) {}

QString Numeracion::ranura(int tipo) {
    // The cash module keeps one identifier for supplier payments and
    // payment vouchers.
    return QString::number(tipo == 54 ? 62 : tipo);
}

QString Numeracion::encontrado(int tipo) const { return encontrados_.value(ranura(tipo)); }

void Numeracion::limpiarEncontrados() {
    encontrados_.clear();
    comprobante_.clear();
}

std::optional<QString> Numeracion::buscarId(const QString& sql) {
    const auto fila = compania_.queryOne(sql);
    if (!fila) return std::nullopt;
    return fila->at(0).toString();
}

bool Numeracion::existe_numero(int tipo, const QString& prefijo, const QString& numero) {
    if (numero.isEmpty()) return true;
    const TablaDocumento& t = tablaOFalla(tipo);
    // Filled to the type's own width: an eight-digit number is never found
    // under six.
    const QString lleno = complete_numero_n(numero, anchoNumero(tipo));
    QStringList condiciones;
    if (t.conTipo) condiciones << QStringLiteral("tido_cod = ") + sql::numero(int64_t(tipo));
    if (!t.prefijo.isEmpty()) condiciones << t.prefijo + QStringLiteral(" = ") + sql::texto(prefijo);
    condiciones << t.numero + QStringLiteral(" = ") + sql::texto(lleno);
    const auto id = buscarId(QStringLiteral("select ") + t.id + QStringLiteral(" from ") + t.tabla +
                             QStringLiteral(" where ") + condiciones.join(QStringLiteral(" and ")));
    if (!id) return false;
    encontrados_.insert(ranura(tipo), *id);
    return true;
}

bool Numeracion::validar(const QString& etiqueta, const QString& actual, QString& campo, int ancho,
                         const Existe& existe, const std::function<void(const QString&)>& antesDeProbar) {
    if (campo.isEmpty()) return true;
    limpiarEncontrados();
    if (!existe(campo)) return true;
    if (campo != actual) {
        if (interaccion_.preguntar(etiqueta + campo + QStringLiteral(" previamente registrado. Consultar?")))
            return true;
        limpiarEncontrados();
        return false;
    }
    // The prefix's own consecutive is taken: on to the first free number.
    QString candidato = actual;
    do {
        const auto proximo = siguiente(candidato, ancho);
        if (!proximo) {
            // A consecutive that is not a number cannot be moved past.
            limpiarEncontrados();
            return false;
        }
        candidato = *proximo;
        if (antesDeProbar) antesDeProbar(candidato);
    } while (existe(candidato));
    limpiarEncontrados();
    campo = candidato;
    return true;
}

bool Numeracion::valide_numero(int tipo, const QString& prefijo, const QString& actual, QString& campo) {
    tablaOFalla(tipo);
    return validar(
        QStringLiteral("Documento "), actual, campo, anchoNumero(tipo),
        [&](const QString& n) { return existe_numero(tipo, prefijo, n); }, {});
}

void Numeracion::registre_prefijo(int tipo) {
    const QString condicion =
        QStringLiteral(" where pref_pre = '0000' and tido_cod = ") + sql::numero(int64_t(tipo));
    if (compania_.queryOne(QStringLiteral("select pref_activo from prefijos") + condicion)) {
        compania_.executeDirect(QStringLiteral("update prefijos set pref_activo = 'S'") + condicion);
        return;
    }
    compania_.executeDirect(
        QStringLiteral("insert into prefijos (tido_cod, pref_pre, pref_auto, pref_actual, pref_ivainc, pref_activo) "
                       "values (") +
        sql::numero(int64_t(tipo)) + QStringLiteral(", '0000', 'N', ") +
        sql::texto(complete_numero_n(QStringLiteral("1"), anchoNumero(tipo))) + QStringLiteral(", 'N', 'S')"));
}

QString Numeracion::nombre_tipo(int tipo) {
    const auto fila = compania_.queryOne(QStringLiteral("select tido_nomcorto from tipo_documento where tido_cod = ") +
                                         sql::numero(int64_t(tipo)));
    return fila ? fila->at(0).toString() : QString();
}

std::optional<std::pair<QString, QString>> Numeracion::numero_documento(int tipo, int64_t id) {
    const TablaDocumento& t = tablaOFalla(tipo);
    const QString prefijo = t.prefijo.isEmpty() ? QStringLiteral("''") : t.prefijo;
    const auto fila = compania_.queryOne(QStringLiteral("select ") + prefijo + QStringLiteral(", ") + t.numero +
                                         QStringLiteral(" from ") + t.tabla + QStringLiteral(" where ") + t.id +
                                         QStringLiteral(" = ") + sql::numero(id));
    if (!fila) return std::nullopt;
    return std::pair{fila->at(0).toString(), fila->at(1).toString()};
}

QString Numeracion::num_documento(int tipo, int64_t id) {
    const auto n = numero_documento(tipo, id);
    return n ? n->first + n->second : QString();
}

void Numeracion::registre_prefijoBnco(int tipo, int64_t cuenta) {
    if (tipo == 77 && configuracion_.valor(QStringLiteral("BANCOS"), QStringLiteral("DEVOLUCIONES"),
                                           QStringLiteral("CONSECUTIVOS POR CUENTA")) != QLatin1String("SI")) {
        registre_prefijo(tipo);
        return;
    }
    // Once per account and type: a second call finds the row in place.
    if (compania_.queryOne(QStringLiteral("select prba_numero from prefijos_bancos where tido_cod = ") +
                           sql::numero(int64_t(tipo)) + QStringLiteral(" and cuba_cod = ") + sql::numero(cuenta) +
                           QStringLiteral(" and prba_pref = '0000'")))
        return;
    compania_.executeDirect(
        QStringLiteral("insert into prefijos_bancos (tido_cod, cuba_cod, prba_pref, prba_auto, prba_numero) values (") +
        sql::numero(int64_t(tipo)) + QStringLiteral(",") + sql::numero(cuenta) +
        QStringLiteral(", '0000', 'N', '000001')"));
}

bool Numeracion::existe_numerobco(int tipo, int64_t cuenta, const QString& numero, const QString& prefijo) {
    if (numero.isEmpty()) return true;
    const TablaDocumento& t = tablaOFalla(tipo);
    if (!t.banco) throw std::invalid_argument("El tipo de documento " + std::to_string(tipo) + " no es bancario.");
    const auto id = buscarId(QStringLiteral("select ") + t.id + QStringLiteral(" from ") + t.tabla +
                             QStringLiteral(" where cuba_cod = ") + sql::numero(cuenta) +
                             QStringLiteral(" and prba_pref = ") + sql::texto(prefijo) + QStringLiteral(" and ") +
                             t.numero + QStringLiteral(" = ") + sql::texto(complete_numero(numero)));
    if (!id) return false;
    encontrados_.insert(ranura(tipo), *id);
    return true;
}

bool Numeracion::valide_numerobnco(int tipo, int64_t cuenta, const QString& actual, QString& campo,
                                   const QString& prefijo) {
    return validar(
        QStringLiteral("Documento "), actual, campo, 6,
        [&](const QString& n) { return existe_numerobco(tipo, cuenta, n, prefijo); },
        [&](const QString& candidato) {
            compania_.executeDirect(QStringLiteral("update prefijos_bancos set prba_numero = ") +
                                    sql::texto(candidato) + QStringLiteral(" where tido_cod = ") +
                                    sql::numero(int64_t(tipo)) + QStringLiteral(" and cuba_cod = ") +
                                    sql::numero(cuenta) + QStringLiteral(" and prba_pref = ") + sql::texto(prefijo));
        });
}

bool Numeracion::existe_ComContable(const QString& tipoComprobante, const QString& prefijo, const QString& numero) {
    if (numero.isEmpty()) return true;
    const auto id = buscarId(QStringLiteral("select enco_consec from comprobante_encabezado where tico_cod = ") +
                             sql::texto(tipoComprobante) + QStringLiteral(" and prco_pref = ") + sql::texto(prefijo) +
                             QStringLiteral(" and enco_numero = ") + sql::texto(complete_numero(numero)));
    if (!id) return false;
    comprobante_ = *id;
    return true;
}

bool Numeracion::valide_NumComConta(const QString& tipoComprobante, const QString& prefijo, const QString& actual,
                                    QString& campo) {
    return validar(
        QStringLiteral("Comprobante "), actual, campo, 6,
        [&](const QString& n) { return existe_ComContable(tipoComprobante, prefijo, n); },
        [&](const QString& candidato) {
            compania_.executeDirect(QStringLiteral("update prefijos_conta set pref_numero = ") +
                                    sql::texto(candidato) + QStringLiteral(" where tico_cod = ") +
                                    sql::texto(tipoComprobante) + QStringLiteral(" and prco_pref = ") +
                                    sql::texto(prefijo));
        });
}

QString EntradaNumero::cambio(const QString& numero, const QString& prefijo, const QString& actual,
                              const Consultar& consultar) {
    QString campo = numero.size() < 6 && !numero.isEmpty() ? complete_numero(numero) : numero;
    if (campo.isEmpty()) return campo;
    if (!numeracion_.valide_numero(tipo_, prefijo, actual, campo)) return QString();
    const QString encontrado = numeracion_.encontrado(tipo_);
    if (encontrado.isEmpty()) return campo;
    if (consultar) consultar(encontrado);
    // Back to the prefix's consecutive; taken, it moves on silently.
    campo = actual;
    if (!numeracion_.valide_numero(tipo_, prefijo, actual, campo)) return QString();
    return campo;
}

void EntradaNumero::cambio(DataSet& ds, const QString& campo, const QString& prefijo, const QString& actual,
                           const Consultar& consultar) {
    const QString antes = ds.asString(campo);
    const QString despues = cambio(antes, prefijo, actual, consultar);
    if (despues != antes) ds.setValue(campo, despues.isEmpty() ? fb::Value() : fb::Value(despues));
}

}  // namespace cxp
