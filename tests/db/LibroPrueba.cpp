#include "tests/db/LibroPrueba.h"

#include <QFile>
#include <random>

namespace libro {

fb::Value dinero(Centavos c) { return fb::Decimal{c, -2}; }

Centavos centavos(const fb::Value& v) {
    if (v.isNull()) throw std::invalid_argument("importe nulo");
    return v.toDecimal().rescaled(-2).unscaled;
}

void Libro::acreedor(const QString& nit, const QString& grupo) {
    db_.executeDirect(QStringLiteral("update or insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM) values (?, ?) "
                                     "matching (GRPR_COD)"),
                      {grupo, QStringLiteral("GRUPO ") + grupo});
    db_.executeDirect(QStringLiteral("insert into TERCEROS (TERC_NIT, TERC_NOM, TERC_PROV, TERC_TEL, TERC_CIU, CIUD_COD) "
                                     "values (?, ?, 'S', '6011234', 'BOGOTA', '11001')"),
                      {nit, QStringLiteral("ACREEDOR ") + nit});
    db_.executeDirect(QStringLiteral("insert into PROVEEDORES (TERC_NIT, GRPR_COD, PROV_CUPO) values (?, ?, 100000000)"),
                      {nit, grupo});
}

void Libro::baseNeta(bool neta) {
    neta_ = neta;
    db_.executeDirect(QStringLiteral("update CONFIGURACION set CONF_VALOR = ? where CONF_MODULO = 'CXPAGAR' and "
                                     "CONF_CATEGORIA = 'SALDOS' and CONF_PROPIEDAD = 'DESCONTAR RETENCIONES POR CAUSACION'"),
                      {neta ? QStringLiteral("SI") : QStringLiteral("NO")});
}

int Libro::nuevoId(const char* procedimiento) {
    fb::Transaction tr = db_.begin();
    const int id = int(tr.executeProcedure(QString::fromLatin1(procedimiento))["ID"].toInt64());
    tr.commit();
    return id;
}

QString Libro::numero(int tipo) { return QStringLiteral("%1").arg(++consecutivos_[tipo], 6, 10, QLatin1Char('0')); }

Documento& Libro::guardar(Documento d) {
    auto [it, nuevo] = docs_.emplace(std::make_pair(d.tipo, d.id), d);
    if (!nuevo) throw std::logic_error("documento repetido");
    return it->second;
}

Documento& Libro::cargo(const QString& nit, QDate fecha, Centavos monto, Centavos iva, Retenciones r, int diasVence,
                        Centavos dtof, int diasDtof) {
    Documento d{51, nuevoId("CAMBIE_ID_NOTADBPROV"), nit, numero(51), fecha, fecha.addDays(diasVence),
                dtof ? fecha.addDays(diasDtof) : QDate(), 1, monto + iva, r, dtof};
    db_.executeDirect(QStringLiteral(
                          "insert into NOTAS_DEBITO_PROVEEDOR (NDPR_ID, TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, "
                          "NDPR_VENCE, NDPR_MONTO, NDPR_IVAMONTO, NDPR_RTFTEMONTO, NDPR_RTIVAMONTO, NDPR_RTICAMONTO, "
                          "NDPR_RTCREEM, NDPR_DTOFMONTO, NDPR_DTOFECHA, NDPR_CONC, NDPR_NUMPROV) "
                          "values (?, ?, '0000', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'CARGO', ?)"),
                      {d.id, nit, d.numero, fecha, d.vence, dinero(monto), dinero(iva), dinero(r[0]), dinero(r[1]),
                       dinero(r[2]), dinero(r[3]), dinero(dtof), d.fecdtof, QStringLiteral("P-") + d.numero});
    return guardar(d);
}

Documento& Libro::factura(const QString& nit, QDate fecha, Centavos monto, Centavos iva, Retenciones r,
                          int diasVence) {
    Documento d{21, 100000 + ++consecutivos_[-21], nit, QStringLiteral("%1").arg(consecutivos_[-21], 8, 10, QLatin1Char('0')),
                fecha, fecha.addDays(diasVence), {}, 1, monto + iva, r, 0};
    db_.executeDirect(QStringLiteral(
                          "insert into FACTURAS_COMPRA (FACO_ID, PREF_PRE, FACO_NUMERO, TERC_NIT, FACO_FECHA, FACO_VENCE, "
                          "FACO_MONTO, FACO_IVAMONTO, FACO_RTFTEMONTO, FACO_RTIVAMONTO, FACO_RTICAMONTO, FACO_RTCREEM, "
                          "FACO_NUMPROV) values (?, 'FC', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                      {d.id, d.numero, nit, fecha, d.vence, dinero(monto), dinero(iva), dinero(r[0]), dinero(r[1]),
                       dinero(r[2]), dinero(r[3]), QStringLiteral("FP") + d.numero});
    return guardar(d);
}

Documento& Libro::descuento(const QString& nit, QDate fecha, Centavos monto, Centavos iva, Retenciones r) {
    Documento d{52, nuevoId("CAMBIE_ID_NOTACRPROV"), nit, numero(52), fecha, fecha, {}, -1, monto + iva, r, 0};
    db_.executeDirect(QStringLiteral(
                          "insert into NOTAS_CREDITO_PROVEEDOR (NCPR_ID, TERC_NIT, PREF_PRE, NCPR_NUMERO, NCPR_FECHA, "
                          "NCPR_MONTO, NCPR_IVAMONTO, NCPR_RTFTEMONTO, NCPR_RTIVAMONTO, NCPR_RTICAMONTO, NCPR_RTCREEM, "
                          "NCPR_CONC) values (?, ?, '0000', ?, ?, ?, ?, ?, ?, ?, ?, 'DESCUENTO')"),
                      {d.id, nit, d.numero, fecha, dinero(monto), dinero(iva), dinero(r[0]), dinero(r[1]),
                       dinero(r[2]), dinero(r[3])});
    return guardar(d);
}

Documento& Libro::devolucion(const QString& nit, QDate fecha, Centavos monto) {
    Documento d{24, 200000 + ++consecutivos_[-24], nit, QStringLiteral("%1").arg(consecutivos_[-24], 8, 10, QLatin1Char('0')),
                fecha, fecha, {}, -1, monto, {}, 0};
    db_.executeDirect(QStringLiteral("insert into DEVOLUCIONES_COMPRAS (DECO_ID, PREF_PRE, DECO_NUMERO, TERC_NIT, "
                                     "DECO_FECHA, DECO_MONTO) values (?, 'DV', ?, ?, ?, ?)"),
                      {d.id, d.numero, nit, fecha, dinero(monto)});
    return guardar(d);
}

Documento& Libro::anticipo(const QString& nit, QDate fecha, Centavos base, Centavos iva, Retenciones r) {
    r[3] = 0;  // the advance's CREE is the company's own
    Documento d{55, nuevoId("CAMBIE_ID_ANTIPROV"), nit, numero(55), fecha, fecha, {}, -1, base + iva, r, 0};
    db_.executeDirect(QStringLiteral(
                          "insert into ANTICIPOS_PROVEEDOR (ANPR_ID, TERC_NIT, PREF_PRE, ANPR_NUMERO, ANPR_FECHA, "
                          "ANPR_BASE, ANPR_IVAMONTO, ANPR_RTFTEMONTO, ANPR_RTIVAMONTO, ANPR_RTICAMONTO, EGRE_ID, "
                          "ANPR_CONC) values (?, ?, '0000', ?, ?, ?, ?, ?, ?, ?, 0, 'ANTICIPO')"),
                      {d.id, nit, d.numero, fecha, dinero(base), dinero(iva), dinero(r[0]), dinero(r[1]),
                       dinero(r[2])});
    return guardar(d);
}

Cruce& Libro::egreso(const QString& nit, QDate fecha, std::vector<Linea> lineas, std::vector<int> pagaAnticipos) {
    Cruce c{62, nuevoId("CAMBIE_ID_EGRESO"), nit, fecha, false, false, lineas};
    fb::Transaction tr = db_.begin();
    tr.execute(QStringLiteral("insert into EGRESOS (EGRE_ID, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, TERC_NIT, EGRE_TIPO, "
                              "EGRE_CONC) values (?, '0000', ?, ?, ?, '1', 'PAGO')"),
               {c.id, numero(62), fecha, nit});
    int item = 0;
    auto linea = [&](const Linea& l) {
        tr.execute(QStringLiteral("insert into EGRESOS_DETALLE (EGRE_ID, EGDE_ITEM, EGDE_TIPODOC, EGDE_IDDOC, "
                                  "EGDE_ABONO, EGDE_DTOF, EGDE_RTFTE, EGDE_RTIVA, EGDE_RTICA, EGDE_RCREE) "
                                  "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {c.id, ++item, l.tipo, l.id, dinero(l.abono), dinero(l.dtof), dinero(l.rete[0]),
                    dinero(l.rete[1]), dinero(l.rete[2]), dinero(l.rete[3])});
    };
    for (const Linea& l : lineas) linea(l);
    for (int a : pagaAnticipos) {
        Documento& d = doc(55, a);
        linea(Linea{55, a, -d.neto(), 0, {}});
        d.egreso = c.id;
    }
    tr.commit();
    return cruces_[{62, c.id}] = c;
}

Cruce& Libro::aplicacion(const QString& nit, QDate fecha, std::vector<Linea> lineas) {
    Cruce c{53, nuevoId("CAMBIE_ID_APLIPROV"), nit, fecha, false, false, lineas};
    fb::Transaction tr = db_.begin();
    tr.execute(QStringLiteral("insert into APLICACION_PROVEDOR (APPR_ID, PREF_PRE, APPR_NUMERO, APPR_FECHA, TERC_NIT, "
                              "APPR_CONC) values (?, '0000', ?, ?, ?, 'APLICACION')"),
               {c.id, numero(53), fecha, nit});
    int item = 0;
    for (const Linea& l : lineas)
        tr.execute(QStringLiteral("insert into APLICACION_PROVEEDOR_DETALLE (APPR_ID, APPD_ITEM, APPD_TIPODOC, "
                                  "APPD_IDDOC, APPD_APLICADO, APPD_RTFTE, APPD_RTIVA, APPD_RTICA, APPD_RCREE) "
                                  "values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {c.id, ++item, l.tipo, l.id, dinero(l.abono), dinero(l.rete[0]), dinero(l.rete[1]),
                    dinero(l.rete[2]), dinero(l.rete[3])});
    tr.commit();
    return cruces_[{53, c.id}] = c;
}

namespace {
struct Tabla {
    int tipo;
    const char* tabla;
    const char* id;
    const char* anulado;
};
const Tabla kTablas[] = {{21, "FACTURAS_COMPRA", "FACO_ID", "FACO_ANULADO"},
                         {24, "DEVOLUCIONES_COMPRAS", "DECO_ID", "DECO_ANULADO"},
                         {51, "NOTAS_DEBITO_PROVEEDOR", "NDPR_ID", "NDPR_ANULADO"},
                         {52, "NOTAS_CREDITO_PROVEEDOR", "NCPR_ID", "NCPR_ANULADO"},
                         {53, "APLICACION_PROVEDOR", "APPR_ID", "APPR_ANULADO"},
                         {55, "ANTICIPOS_PROVEEDOR", "ANPR_ID", "ANPR_ANULADO"},
                         {62, "EGRESOS", "EGRE_ID", "EGRE_ANULADO"}};
const Tabla& tabla(int tipo) {
    for (const Tabla& t : kTablas)
        if (t.tipo == tipo) return t;
    throw std::invalid_argument("tipo");
}
}  // namespace

void Libro::anular(Documento& d) {
    const Tabla& t = tabla(d.tipo);
    db_.executeDirect(QStringLiteral("update %1 set %2 = 'S' where %3 = ?").arg(QLatin1String(t.tabla),
                                                                                 QLatin1String(t.anulado),
                                                                                 QLatin1String(t.id)),
                      {d.id});
    d.anulado = true;
}

void Libro::anular(Cruce& c) {
    const Tabla& t = tabla(c.tipo);
    db_.executeDirect(QStringLiteral("update %1 set %2 = 'S' where %3 = ?").arg(QLatin1String(t.tabla),
                                                                                 QLatin1String(t.anulado),
                                                                                 QLatin1String(t.id)),
                      {c.id});
    c.anulado = true;
}

void Libro::borrar(Cruce& c) {
    if (!c.anulado) anular(c);
    const Tabla& t = tabla(c.tipo);
    db_.executeDirect(QStringLiteral("delete from %1 where %2 = ?").arg(QLatin1String(t.tabla), QLatin1String(t.id)),
                      {c.id});
    c.borrado = true;
}

void Libro::borrar(Documento& d) {
    if (!d.anulado) anular(d);
    const Tabla& t = tabla(d.tipo);
    db_.executeDirect(QStringLiteral("delete from %1 where %2 = ?").arg(QLatin1String(t.tabla), QLatin1String(t.id)),
                      {d.id});
    d.borrado = true;
}

bool Libro::enLibro(const Documento& d) const {
    if (d.anulado || d.borrado) return false;
    if (d.tipo != 55) return true;
    const auto v = cruces_.find({62, d.egreso});
    return d.egreso != 0 && v != cruces_.end() && !v->second.anulado && !v->second.borrado;
}

Saldo Libro::saldo(const Documento& d, QDate fecha) const {
    Saldo s;
    if (!enLibro(d) || d.fecha > fecha) return s;
    s.bruto = d.signo * d.bruto;
    s.neto = d.signo * d.neto();
    for (int k = 0; k < 4; ++k) s.pendiente[size_t(k)] = d.signo * d.rete[size_t(k)];
    for (const auto& [clave, c] : cruces_) {
        if (c.anulado || c.borrado || c.fecha > fecha) continue;
        for (const Linea& l : c.lineas) {
            if (l.tipo != d.tipo || l.id != d.id) continue;
            s.bruto -= l.abono + l.dtof;
            s.neto -= l.abono + l.dtof;
            for (int k = 0; k < 4; ++k) {
                s.bruto -= l.rete[size_t(k)];
                s.pendiente[size_t(k)] -= l.rete[size_t(k)];
            }
        }
    }
    return s;
}

Centavos Libro::saldoAcreedor(const QString& nit, QDate fecha) const {
    Centavos total = 0;
    for (const auto& [clave, d] : docs_)
        if (d.nit == nit) total += saldoBase(d, fecha);
    return total;
}


void poblarAlAzar(Libro& libro, const QStringList& nits, uint32_t semilla, QDate inicio, int dias) {
    std::mt19937 azar(semilla);
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    for (int dia = 0; dia < dias; ++dia) {
        const QDate f = inicio.addDays(dia);
        const QString nit = nits[entre(0, int(nits.size()) - 1)];
        const Centavos monto = Centavos(entre(1, 500)) * 10000;
        const Centavos iva = monto * 19 / 100;
        const Retenciones r{monto * 25 / 1000, entre(0, 1) ? iva * 15 / 100 : 0, monto * 966 / 100000, 0};
        switch (entre(0, 9)) {
        case 0: case 1: case 2: libro.cargo(nit, f, monto, iva, r, entre(0, 90), entre(0, 1) ? monto / 50 : 0, 10); break;
        case 3: libro.factura(nit, f, monto, iva, r, entre(0, 60)); break;
        case 4: libro.descuento(nit, f, monto / 4, iva / 4); break;
        case 5: libro.devolucion(nit, f, monto / 5); break;
        case 6: {
            Documento& a = libro.anticipo(nit, f, monto / 2, 0, {monto / 100, 0, 0, 0});
            libro.egreso(nit, f, {}, {a.id});
            break;
        }
        default: break;
        }
        // A payment or an application of what the lookup proposes, partial or whole.
        std::vector<Documento*> deudas, creditos;
        for (auto& [k, d] : libro.documentos()) {
            if (d.nit != nit || !libro.enLibro(d)) continue;
            const Saldo s = libro.saldo(d, f);
            if ((libro.neta() ? s.neto : s.bruto) == 0) continue;
            (d.signo > 0 ? deudas : creditos).push_back(&d);
        }
        if (!deudas.empty() && entre(0, 2) == 0) {
            std::vector<Linea> lineas;
            for (Documento* d : deudas) {
                if (entre(0, 1)) continue;
                const Saldo s = libro.saldo(*d, f);
                const bool entero = entre(0, 1);
                Linea l{d->tipo, d->id, 0, 0, entero ? s.pendiente : Retenciones{}};
                const Centavos saldo = libro.neta() ? s.neto : s.bruto;
                const Centavos tomado = libro.neta() ? 0 : l.rete[0] + l.rete[1] + l.rete[2] + l.rete[3];
                l.abono = entero ? saldo - tomado : (saldo - tomado) / 3;
                if (l.abono < 0) continue;
                lineas.push_back(l);
            }
            if (!lineas.empty()) libro.egreso(nit, f, lineas);
        }
        if (!deudas.empty() && !creditos.empty() && entre(0, 2) == 0) {
            Documento* d = deudas[size_t(entre(0, int(deudas.size()) - 1))];
            Documento* c = creditos[size_t(entre(0, int(creditos.size()) - 1))];
            const Saldo sd = libro.saldo(*d, f), sc = libro.saldo(*c, f);
            const Centavos x = std::min(sd.neto, -sc.neto) / (entre(0, 1) ? 1 : 2);
            if (x > 0) libro.aplicacion(nit, f, {{d->tipo, d->id, x}, {c->tipo, c->id, -x}});
        }
        // Now and then a voucher or application is annulled or deleted, or a
        // document nobody crossed is annulled.
        if (entre(0, 6) == 0) {
            std::vector<Cruce*> vivos;
            for (auto& [k, c] : libro.cruces())
                if (!c.anulado && !c.lineas.empty()) vivos.push_back(&c);
            if (!vivos.empty()) {
                Cruce* c = vivos[size_t(entre(0, int(vivos.size()) - 1))];
                entre(0, 1) ? libro.anular(*c) : libro.borrar(*c);
            }
        }
        if (entre(0, 9) == 0) {
            for (auto& [k, d] : libro.documentos()) {
                if (!libro.enLibro(d) || d.tipo == 55) continue;
                bool cruzado = false;
                for (auto& [kc, c] : libro.cruces())
                    for (const Linea& l : c.lineas)
                        cruzado |= !c.anulado && l.tipo == d.tipo && l.id == d.id;
                if (!cruzado) {
                    entre(0, 1) ? libro.anular(d) : libro.borrar(d);
                    break;
                }
            }
        }
    }

}

QString anterior(const QString& guion, const QString& procedimiento, const QString& nombre) {
    QFile f(QStringLiteral(":/db/compania/") + guion);
    const QString t = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    const QString inicio = QStringLiteral("CREATE OR ALTER PROCEDURE %1 ").arg(procedimiento);
    const qsizetype desde = t.indexOf(inicio), hasta = t.indexOf(QStringLiteral("\nEND^"), desde);
    return desde < 0 || hasta < 0 ? QString()
                                  : t.mid(desde, hasta + 4 - desde).replace(inicio, QStringLiteral("CREATE PROCEDURE %1 ").arg(nombre));
}

}  // namespace libro
