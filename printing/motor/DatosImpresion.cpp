#include "printing/motor/DatosImpresion.h"

#include "base/NumeroALetras.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Sesion.h"

#include <QLocale>

namespace cxp {

namespace {

// How a column prints: text, plain number, money with the currency sign,
// short date, date in words.
enum class K { T, N, M, F, L };

struct Campo {
    const char* dato;
    const char* columna;
    K clase;
};

Dinero dinero(const fb::Value& v) {
    if (v.isNull()) return {};
    const fb::Decimal d = v.toDecimal();
    return Dinero::desdeEscalado(d.unscaled, d.scale);
}

std::optional<Dinero> numeroOpcional(const fb::Value& v) {
    if (v.isNull()) return std::nullopt;
    return dinero(v);
}

QDate fecha(const fb::Value& v) {
    if (v.isNull()) return {};
    if (v.is<QDateTime>()) return v.toDateTime().date();
    return v.toDate();
}

ValorImpreso valorDe(const fb::Value& v, K k) {
    switch (k) {
    case K::N:
        return ValorImpreso::deNumero(numeroOpcional(v));
    case K::M:
        return ValorImpreso::deMoneda(numeroOpcional(v));
    case K::F:
        return ValorImpreso::deTexto(fechaCorta(fecha(v)));
    case K::L:
        return ValorImpreso::deTexto(fechaEnLetras(fecha(v)));
    case K::T:
        break;
    }
    return ValorImpreso::deTexto(v.toString().trimmed());
}

void llenar(FilaImpresa& fila, const fb::Row& r, std::initializer_list<Campo> campos) {
    for (const Campo& c : campos) {
        const QString col = QString::fromLatin1(c.columna);
        if (!r.has(col)) continue;
        fila.insert(QString::fromUtf8(c.dato), valorDe(r[col], c.clase));
    }
}

// ---- the accounting lines, under either chart

struct NombresContables {
    const char* cuenta;
    const char* nombreCuenta;
    const char* tercero;
    const char* nombreTercero;
    const char* concepto;
    const char* base;
    const char* porcentaje;
    const char* centro;
    const char* subcentro;
    const char* debito;
    const char* credito;
    const char* referencia;
    const char* neto;  // nullptr: the printer has no net of the line
};

const NombresContables kContableLocal{"CUENTA CONTABLE", "NOMBRE CUENTA CONTABLE", "TERCERO CONTABLE",
                                      "NOMBRE TERCERO CONTABLE", "CONCEPTO CONTABLE", "BASE CONTABLE",
                                      "PORCENTAJE CONTABLE", "CENTRO CONTABLE", "SUBCENTRO CONTABLE",
                                      "DEBITO CONTABLE", "CREDITO CONTABLE", "REFERENCIA CONTABLE", nullptr};
// The charge printer's own spellings of two NIIF names.
const NombresContables kContableNiifCargo{"CUENTA CONTABLE NIIF", "NOMBRE CUENTA NIIT", "TERCERO CONTABLE NIIF",
                                          "NOMBRE TERCERO NIIF", "CONCEPTO CONTABLE NIIF", "BASE CONTABLE NIIF",
                                          "PORCENTAJE CONTABLE NIIF", "CENTRO CONTABLE NIIF",
                                          "SUBCENTRO CONTABLE NIIF", "DEBITO CONTABLE NIIF", "CREDITO CONTABLE NIIF",
                                          "REFERENCIA CONTABLE NIFF", nullptr};

FuenteDetalle fuenteContable(fb::Database& db, int tipo, int64_t id, QChar plan, const NombresContables& n) {
    const Campo campos[] = {{n.cuenta, "CUENTA", K::T},      {n.nombreCuenta, "NOMCUENTA", K::T},
                            {n.tercero, "NIT", K::T},        {n.nombreTercero, "NOMTERC", K::T},
                            {n.concepto, "CONCEPTO", K::T},  {n.base, "BASE", K::N},
                            {n.porcentaje, "PORC", K::N},    {n.centro, "PROY", K::T},
                            {n.subcentro, "CENTRO", K::T},   {n.debito, "DEBITO", K::N},
                            {n.credito, "CREDITO", K::N},    {n.referencia, "REF", K::T}};
    FuenteDetalle f;
    for (const Campo& c : campos) f.nombres.insert(QString::fromUtf8(c.dato));
    if (n.neto) f.nombres.insert(QString::fromUtf8(n.neto));
    const QString consulta = QStringLiteral("select * from impr_contabilizacion(%1, %2, %3)")
                                 .arg(tipo)
                                 .arg(id)
                                 .arg(sql::texto(QString(plan)));
    for (const fb::Row& r : db.query(consulta)) {
        FilaImpresa fila;
        for (const Campo& c : campos) fila.insert(QString::fromUtf8(c.dato), valorDe(r[c.columna], c.clase));
        if (n.neto) fila.insert(QString::fromUtf8(n.neto), ValorImpreso::deNumero(dinero(r["DEBITO"]) - dinero(r["CREDITO"])));
        f.filas.push_back(fila);
    }
    return f;
}

// ---- the names every printer shares

struct Comunes {
    QString monedaLetras, fraccion, cierre;
};

Comunes palabrasMoneda(const Configuracion& c) {
    const QString g = QStringLiteral("GENERAL");
    return {c.buscar(g, g, QStringLiteral("NOMBRE DE LA MONEDA A USAR EN LOS MONTOS EN LETRAS")).value_or(QStringLiteral("PESOS")),
            c.buscar(g, g, QStringLiteral("FRACCION DE MONEDA EN MONTOS EN LETRAS")).value_or(QStringLiteral("CENTAVOS")),
            c.buscar(g, g, QStringLiteral("FINAL DE LA CADENA DE MONTOS EN LETRAS")).value_or(QStringLiteral("M/CTE"))};
}

void ponerUsuarioYCompania(FilaImpresa& v, fb::Database& db, Sesion& s, int tipo, int64_t id) {
    v.insert(QStringLiteral("NOMBRE USUARIO"), ValorImpreso::deTexto(s.nombre_usuario));
    v.insert(QStringLiteral("CODIGO USUARIO"), ValorImpreso::deTexto(s.usuario_actual));
    // The latest insertion of the document.
    const auto audi = db.queryOne(QStringLiteral("select first 1 audi_fecha, audi_hora, audi_usuario from auditoria "
                                                 "where tido_cod = %1 and audi_oper = 'I' and audi_iddoc = %2 "
                                                 "order by audi_id desc")
                                      .arg(tipo)
                                      .arg(id));
    v.insert(QStringLiteral("FECHA REGISTRO"), ValorImpreso::deTexto(audi ? fechaCorta(fecha((*audi)[0])) : QString()));
    v.insert(QStringLiteral("HORA REGISTRO"), ValorImpreso::deTexto(audi ? (*audi)[1].toString().trimmed() : QString()));
    v.insert(QStringLiteral("USUARIO REGISTRO"), ValorImpreso::deTexto(audi ? (*audi)[2].toString().trimmed() : QString()));

    QString direccion = s.compania_direccion;
    if (s.agencia_actual != 0) {
        const auto ag = db.queryOne(QStringLiteral("select sucu_direccion from sucursales where sucu_id = %1")
                                        .arg(s.agencia_actual));
        if (ag && !(*ag)[0].toString().trimmed().isEmpty()) direccion = (*ag)[0].toString().trimmed();
    }
    QString nit;
    if (s.general.isAttached() && !s.compania_actual.isEmpty()) {
        const auto c = s.general.queryOne(QStringLiteral("select comp_nit from compania where comp_cod = ") +
                                        sql::texto(s.compania_actual));
        if (c) nit = (*c)[0].toString().trimmed();
    }
    v.insert(QStringLiteral("NOMBRE COMPANIA"), ValorImpreso::deTexto(s.compania_nombre));
    v.insert(QStringLiteral("DIR COMPANIA"), ValorImpreso::deTexto(direccion));
    v.insert(QStringLiteral("TELS COMPANIA"), ValorImpreso::deTexto(s.compania_telefonos));
    v.insert(QStringLiteral("NIT COMPANIA"), ValorImpreso::deTexto(nit));
    v.insert(QStringLiteral("ENCABEZA COMPANIA"), ValorImpreso::deTexto(s.compania_encabezado));
}

QString letras(const Dinero& d, const Comunes& c) {
    return numero_a_letras(d, c.monedaLetras, c.fraccion, c.cierre);
}

std::function<std::optional<ValorImpreso>(const QString&, int)> valores(FilaImpresa v, bool conPagina) {
    return [v = std::move(v), conPagina](const QString& dato, int pagina) -> std::optional<ValorImpreso> {
        if (conPagina && dato == QLatin1String("NUMERO PAGINA"))
            return ValorImpreso::deTexto(QString::number(pagina));
        const auto it = v.constFind(dato);
        if (it == v.constEnd()) return std::nullopt;
        return *it;
    };
}

// ---- creditor names of the charge, discount, application, advance and order

constexpr Campo kTercero[] = {
    {"NIT", "NIT", K::T},
    {"TERC NOMBRE", "NOMBRE", K::T},
    {"TERC DIRECCION", "DIRECCION", K::T},
    {"TERC CIUDAD", "CIUDAD", K::T},
    {"TERC TELEFONO", "TELEFONO", K::T},
    {"TERC CONTACTO", "CONTACTO", K::T},
    {"TERC FAX", "FAX", K::T},
};

void llenarTercero(FilaImpresa& v, const fb::Row& r) {
    for (const Campo& c : kTercero)
        if (r.has(QString::fromLatin1(c.columna))) v.insert(QString::fromUtf8(c.dato), valorDe(r[c.columna], c.clase));
}

// ---- payment voucher

void leerEgreso(DocumentoLeido& d, fb::Database& db, const Comunes& palabras, int64_t id, FilaImpresa& v) {
    const auto filas = db.query(QStringLiteral("select * from impr_egreso(%1)").arg(id));
    if (filas.empty()) return;
    d.existe = true;
    const fb::Row& h = filas.front();
    d.prefijo = h["PREFIJO"].toString().trimmed();
    d.numero = h["NUMERO"].toString().trimmed();
    llenar(v, h,
           {{"PREFIJO", "PREFIJO", K::T},
            {"NUMERO", "NUMERO", K::T},
            {"FECHA", "FECHA", K::F},
            {"FECHA LETRAS", "FECHA", K::L},
            {"NIT", "NIT", K::T},
            {"TERCERO NOMBRE", "NOMBRE", K::T},
            {"TERCERO DIRECCION", "DIRECCION", K::T},
            {"TERCERO CIUDAD", "CIUDAD", K::T},
            {"TERCERO TELEFONO", "TELEFONO", K::T},
            {"SALDO PROVEEDOR", "SALDOPROV", K::M},
            {"OBSERVACIONES", "OBSERVACIONES", K::T},
            {"CONCEPTO", "CONCEPTO", K::T},
            {"TOTAL EGRESO", "MONTO", K::M},
            {"EXCEDENTE", "EXCEDENTE", K::M},
            {"TOTAL DESCUENTO", "DESCUENTO", K::M},
            {"TOTAL RETEFUENTE", "RETEFUENTE", K::M},
            {"TOTAL RETENCION IVA", "RETEIVA", K::M},
            {"TOTAL RETENCION ICA", "RETEICA", K::M},
            {"TOTAL RETENCION CREE", "RETECREE", K::M}});
    v.insert(QStringLiteral("TOTAL LETRAS"), ValorImpreso::deTexto(letras(dinero(h["MONTO"]), palabras)));

    const QString nit = h["NIT"].toString().trimmed();
    const QString cond = QStringLiteral(" and terc_nit = ") + sql::texto(nit);
    const auto banco = db.queryOne(QStringLiteral("select banc_nombre from proveedores p, bancos b "
                                                  "where prov_banco = b.banc_cod") + cond);
    const auto cuenta = db.queryOne(QStringLiteral("select prov_cuenta, prov_tipocta from proveedores p where 1 = 1") + cond);
    v.insert(QStringLiteral("TERCERO BANCO"), ValorImpreso::deTexto(banco ? (*banco)[0].toString().trimmed() : QString()));
    v.insert(QStringLiteral("TERCERO CUENTA"), ValorImpreso::deTexto(cuenta ? (*cuenta)[0].toString().trimmed() : QString()));
    v.insert(QStringLiteral("TERCERO TIPO CUENTA"),
             ValorImpreso::deTexto(cuenta && (*cuenta)[1].toString().trimmed() == QLatin1String("A")
                                       ? QStringLiteral("Ahorros")
                                       : QStringLiteral("Corriente")));

    // Crossed documents.
    constexpr Campo docs[] = {
        {"DOCUMENTO ITEM", "ITEMDOC", K::N},        {"DOCUMENTO TIPO", "TIPODOC", K::N},
        {"DOCUMENTO PREFIJO", "PREFDOC", K::T},     {"DOCUMENTO NUMERO", "NUMDOC", K::T},
        {"DOCUMENTO FECHA", "FECDOC", K::F},        {"DOCUMENTO CONCEPTO", "CONCDOC", K::T},
        {"NUMERO PROVEEDOR", "NUMPRV", K::T},       {"DOCUMENTO ABONO", "ABONODOC", K::N},
        {"DOCUMENTO RETEFUENTE", "RTFTEDOC", K::N}, {"DOCUMENTO RETEIVA", "RTIVADOC", K::N},
        {"DOCUMENTO RETEICA", "RTICADOC", K::N},    {"DOCUMENTO RETECREE", "RTCREEDOC", K::N},
        {"DOCUMENTO DESCUENTO", "DSCTODOC", K::N},  {"DOCUMENTO SALDO", "SALDODOC", K::N},
        {"DOCUMENTO ANTERIOR", "ANTERDOC", K::N}};
    FuenteDetalle documentos;
    for (const Campo& c : docs) documentos.nombres.insert(QString::fromUtf8(c.dato));
    documentos.nombres.insert(QStringLiteral("DOCUMENTO TOTAL ABONO"));
    Dinero anterior, nuevo;
    for (const fb::Row& r : filas) {
        if (r["ITEMDOC"].isNull()) continue;
        FilaImpresa f;
        for (const Campo& c : docs) f.insert(QString::fromUtf8(c.dato), valorDe(r[c.columna], c.clase));
        // The CREE withholding is not part of what the document was paid.
        f.insert(QStringLiteral("DOCUMENTO TOTAL ABONO"),
                 ValorImpreso::deNumero(dinero(r["ABONODOC"]) + dinero(r["RTFTEDOC"]) + dinero(r["RTIVADOC"]) +
                                        dinero(r["RTICADOC"]) + dinero(r["DSCTODOC"])));
        anterior += dinero(r["ANTERDOC"]);
        nuevo += dinero(r["SALDODOC"]);
        documentos.filas.push_back(f);
    }
    v.insert(QStringLiteral("TOTAL SALDO ANTERIOR"), ValorImpreso::deMoneda(anterior));
    v.insert(QStringLiteral("TOTAL NUEVO SALDO"), ValorImpreso::deMoneda(nuevo));

    // Means of payment and the bank document.
    const auto pagos = db.query(QStringLiteral("select * from impr_formapago(62, %1)").arg(id));
    FuenteDetalle mediosPago;
    constexpr Campo medios[] = {{"PAGO ITEM", "ITEMPAGO", K::N},  {"PAGO FORMA", "FORPAGO", K::T},
                                {"PAGO BANCO", "BCOPAGO", K::T},  {"PAGO CUENTA", "CTAPAGO", K::T},
                                {"PAGO NUMERO", "NUMPAGO", K::T}, {"PAGO FECHA", "FECPAGO", K::F},
                                {"PAGO MONTO", "MONTOPAGO", K::N}, {"PAGO CAJA", "NOMCAJA", K::T},
                                {"TOTAL FORMA PAGO 1", "TOTALFORMA1", K::N}, {"TOTAL FORMA PAGO 2", "TOTALFORMA2", K::N},
                                {"TOTAL FORMA PAGO 3", "TOTALFORMA3", K::N}, {"TOTAL FORMA PAGO 4", "TOTALFORMA4", K::N}};
    for (const Campo& c : medios) mediosPago.nombres.insert(QString::fromUtf8(c.dato));
    mediosPago.nombres.insert(QStringLiteral("TOTAL MONTO CAJA"));
    Dinero totalCaja;
    for (const fb::Row& r : pagos) totalCaja += dinero(r["MONTOPAGO"]);
    for (const fb::Row& r : pagos) {
        if (r["ITEMPAGO"].isNull()) continue;
        FilaImpresa f;
        for (const Campo& c : medios) f.insert(QString::fromUtf8(c.dato), valorDe(r[c.columna], c.clase));
        f.insert(QStringLiteral("TOTAL MONTO CAJA"), ValorImpreso::deNumero(totalCaja));
        mediosPago.filas.push_back(f);
    }
    if (!pagos.empty()) {
        const fb::Row& b = pagos.front();
        llenar(v, b,
               {{"TIPO MOV. BANCO", "TIPOBCO", K::T},
                {"PREFIJO MOV. BANCO", "PREFBCO", K::T},
                {"NUMERO MOV. BANCO", "NUMBCO", K::T},
                {"CODIGO CUENTA BANCO", "CTABCO", K::T},
                {"NUMERO CUENTA BANCO", "CTANRO", K::T},
                {"TITULAR CUENTA BANCO", "CTATIT", K::T},
                {"SUCURSAL CUENTA BANCO", "CTASUC", K::T},
                {"CONTABILIDAD CUENTA BANCO", "CTACONTA", K::T},
                {"FECHA MOV. BANCO", "FECBCO", K::F},
                {"BENEFICIARIO MOV. BANCO", "BENEFBCO", K::T},
                {"CONCEPTO MOV. BANCO", "CONCBCO", K::T},
                {"MONTO MOV. BANCO", "MONTOBCO", K::N},
                {"TOTAL FORMA 1", "TOTALFORMA1", K::N},
                {"TOTAL FORMA 2", "TOTALFORMA2", K::N},
                {"TOTAL FORMA 3", "TOTALFORMA3", K::N},
                {"TOTAL FORMA 4", "TOTALFORMA4", K::N}});
        const QDate fb = fecha(b["FECBCO"]);
        v.insert(QStringLiteral("ANO MOV. BANCO"), ValorImpreso::deTexto(fb.isValid() ? QString::number(fb.year()) : QString()));
        v.insert(QStringLiteral("MES MOV. BANCO"),
                 ValorImpreso::deTexto(fb.isValid() ? QStringLiteral("%1").arg(fb.month(), 2, 10, QLatin1Char('0')) : QString()));
        v.insert(QStringLiteral("DIA MOV. BANCO"),
                 ValorImpreso::deTexto(fb.isValid() ? QStringLiteral("%1").arg(fb.day(), 2, 10, QLatin1Char('0')) : QString()));
        v.insert(QStringLiteral("MONTO BANCO LETRAS"), ValorImpreso::deTexto(letras(dinero(b["MONTOBCO"]), palabras)));
        d.montoBanco = numeroOpcional(b["MONTOBCO"]);
        d.tipoBanco = b["TIPOBCO"].isNull() ? 0 : int(b["TIPOBCO"].toInt64());
        d.prefijoBanco = b["PREFBCO"].toString().trimmed();
        d.cuentaBanco = b["CTABCO"].toString().trimmed();
    }

    // Receivables crossed.
    FuenteDetalle cruces;
    constexpr Campo cr[] = {{"CRUCE ITEM", "ITEMDOC", K::N},       {"CRUCE TIPO", "TIPODOC", K::N},
                            {"CRUCE PREFIJO", "PREFDOC", K::T},    {"CRUCE NUMERO", "NUMDOC", K::T},
                            {"CRUCE REFERENCIA", "NUMPRV", K::T},  {"CRUCE ABONO", "ABONODOC", K::N},
                            {"CRUCE RETEFUENTE", "RTFTEDOC", K::N}, {"CRUCE RETEIVA", "RTIVADOC", K::N},
                            {"CRUCE RETEICA", "RTICADOC", K::N},   {"CRUCE DESCUENTO", "DSCTODOC", K::N},
                            {"CRUCE SALDO", "SALDODOC", K::N},     {"CRUCE ANTERIOR", "ANTERDOC", K::N}};
    for (const Campo& c : cr) cruces.nombres.insert(QString::fromUtf8(c.dato));
    cruces.nombres.insert(QStringLiteral("CRUCE TOTAL ABONO"));
    for (const fb::Row& r : db.query(QStringLiteral("select * from impr_cruces(62, %1)").arg(id))) {
        FilaImpresa f;
        for (const Campo& c : cr) f.insert(QString::fromUtf8(c.dato), valorDe(r[c.columna], c.clase));
        f.insert(QStringLiteral("CRUCE TOTAL ABONO"),
                 ValorImpreso::deNumero(dinero(r["ABONODOC"]) + dinero(r["RTFTEDOC"]) + dinero(r["RTIVADOC"]) +
                                        dinero(r["RTICADOC"]) + dinero(r["DSCTODOC"])));
        cruces.filas.push_back(f);
    }

    NombresContables local = kContableLocal;
    local.neto = "NETO CONTABLE";
    const NombresContables niif{"CUENTA CONTABLE NIIF", "NOMBRE CUENTA NIIF", "TERCERO CONTABLE NIIF",
                                "NOMBRE TERCERO NIIF", "CONCEPTO CONTABLE NIIF", "BASE CONTABLE NIIF",
                                "PORCENTAJE CONTABLE NIIF", "CENTRO CONTABLE NIIF", "SUBCENTRO CONTABLE NIIF",
                                "DEBITO CONTABLE NIIF", "CREDITO CONTABLE NIIF", "REFERENCIA CONTABLE NIIF",
                                "NETO CONTABLE NIIF"};
    d.impreso.detalles.push_back({std::move(documentos), std::move(mediosPago), fuenteContable(db, 62, id, u'C', local),
                                  fuenteContable(db, 62, id, u'N', niif), std::move(cruces)});
}

// ---- charge and discount

void leerNota(DocumentoLeido& d, fb::Database& db, const Comunes& palabras, int tipo, int64_t id, FilaImpresa& v) {
    const bool cargo = tipo == 51;
    const auto h = db.queryOne(QStringLiteral("select * from %1(%2)")
                                   .arg(cargo ? QStringLiteral("impr_notadbpr") : QStringLiteral("impr_notacrpr"))
                                   .arg(id));
    if (!h) return;
    d.existe = true;
    d.prefijo = (*h)["PREFIJO"].toString().trimmed();
    d.numero = (*h)["NUMERO"].toString().trimmed();
    llenarTercero(v, *h);
    llenar(v, *h,
           {{"PREFIJO", "PREFIJO", K::T},
            {"NUMERO", "NUMERO", K::T},
            {"NUMERO PROVEEDOR", "NUMPROV", K::T},
            {"FECHA", "FECHA", K::F},
            {"FECHA LETRAS", "FECHA", K::L},
            {"CONCEPTO", "CONCEPTO", K::T},
            {"CELULAR", "CELULAR", K::T},
            {"EMAIL", "EMAIL", K::T},
            {"SUBTOTAL", "SUBTOTAL", K::N},
            {"MONTO", "MONTO", K::N},
            {"IVA PORC", "IVAPORC", K::N},
            {"IVA MONTO", "IVAMONTO", K::N},
            {"DESCUENTO PORC", "DTOPORC", K::N},
            {"DESCUENTO MONTO", "DTOMONTO", K::N},
            {"VALOR ADICIONAL", "ADICIONAL", K::N},
            {"VALOR EXTRA", "EXTRA", K::N},
            {"RETEFUENTE PORC", "RTFTEPORC", K::N},
            {"RETEFUENTE MONTO", "RTFTEMONTO", K::N},
            {"RETEIVA PORC", "RTIVAPORC", K::N},
            {"RETEIVA MONTO", "RTIVAMONTO", K::N},
            {"RETEICA PORC", "RTICAPORC", K::N},
            {"RETEICA MONTO", "RTICAMONTO", K::N},
            {"RETENCION CREE PORCENTAJE", "RTCREEPORC", K::N},
            {"RETENCION CREE MONTO", "RTCREEMONTO", K::N},
            {"DTO FECHA", "DTOFECHA", K::F},
            {"DTO FECHA PORC", "DTOFPORC", K::N},
            {"DTO FECHA MONTO", "DTOFMONTO", K::N},
            {"OBSERVACION", "OBSERVACION", K::T},
            {"COD PROVEEDOR", "CODPROV", K::T},
            {"CARTERA", "CARTERA", K::T},
            {"COD INTERNO", "CODINTERNO", K::T},
            {"TOTAL", "TOTAL", K::N},
            {"NETO", "NETO", K::N},
            {"APLICADO A", "APLICADO", K::T}});
    v.insert(QStringLiteral("TOTAL LETRAS"), ValorImpreso::deTexto(letras(dinero((*h)["TOTAL"]), palabras)));
    v.insert(QStringLiteral("NETO LETRAS"), ValorImpreso::deTexto(letras(dinero((*h)["NETO"]), palabras)));
    if (cargo) {
        llenar(v, *h,
               {{"VENCE", "VENCE", K::F},
                {"VENCE LETRAS", "VENCE", K::L},
                {"NUMERO PLANILLA", "PLANILLA", K::T},
                {"DIAS VENCE", "DIASVENCE", K::N},
                {"DESCUENTO 1 PORC", "DTO1P", K::N},
                {"DESCUENTO 1 MONTO", "DTO1M", K::N},
                {"DESCUENTO 2 PORC", "DTO2P", K::N},
                {"DESCUENTO 2 MONTO", "DTO2M", K::N},
                {"DESCUENTO 3 PORC", "DTO3P", K::N},
                {"DESCUENTO 3 MONTO", "DTO3M", K::N},
                {"DESCUENTO 4 PORC", "DTO4P", K::N},
                {"DESCUENTO 4 MONTO", "DTO4M", K::N}});
        bool ok = false;
        const qlonglong sinCeros = d.numero.toLongLong(&ok);
        v.insert(QStringLiteral("NUMERO SIN CEROS"), ValorImpreso::deTexto(ok ? QString::number(sinCeros) : d.numero));
        const auto aut = db.queryOne(
            QStringLiteral("select auto_numero || ' de ' || replace(cast(auto_fecha as varchar(10)), '-', '/') || "
                           "' del ' || a.pref_pre || "
                           "CAST(CAST(auto_inicial AS INTEGER) AS VARCHAR(8)) || ' al ' || a.pref_pre || "
                           "CAST(CAST(auto_final AS INTEGER) AS VARCHAR(8)) from autorizaciones a, "
                           "notas_debito_proveedor n where n.pref_pre = a.pref_pre and n.ndpr_auto = a.auto_numero "
                           "AND A.TIDO_COD = 51 AND ndpr_id = %1")
                .arg(id));
        v.insert(QStringLiteral("NUMERO AUTORIZACION"), ValorImpreso::deTexto(aut ? (*aut)[0].toString() : QString()));
        const auto orden = db.queryOne(
            QStringLiteral("select ndpr_ordserv from notas_debito_proveedor where ndpr_id = %1").arg(id));
        v.insert(QStringLiteral("ORDEN SERVICIO"), ValorImpreso::deTexto(orden ? (*orden)[0].toString().trimmed() : QString()));
    } else {
        llenar(v, *h,
               {{"CARTERA PROV", "CARTERA", K::T},
                {"DESCUENTO FECHA PORC", "DTOFPORC", K::N},
                {"DESCUENTO FECHA MONTO", "DTOFMONTO", K::N}});
    }
    // imprime_contabilizacion 'C' then 'N'; the discount has local names only.
    d.impreso.detalles.push_back({fuenteContable(db, tipo, id, u'C', kContableLocal)});
    if (cargo) d.impreso.detalles.push_back({fuenteContable(db, tipo, id, u'N', kContableNiifCargo)});
    d.impreso.unaParte = true;
}

// ---- application

void leerAplicacion(DocumentoLeido& d, fb::Database& db, int64_t id, FilaImpresa& v) {
    const auto filas = db.query(QStringLiteral("select * from  impr_apliprov(%1)").arg(id));
    if (filas.empty()) return;
    d.existe = true;
    const fb::Row& h = filas.front();
    d.prefijo = h["PREFIJO"].toString().trimmed();
    d.numero = h["NUMERO"].toString().trimmed();
    llenarTercero(v, h);
    llenar(v, h,
           {{"PREFIJO", "PREFIJO", K::T},
            {"NUMERO", "NUMERO", K::T},
            {"FECHA", "FECHA", K::F},
            {"CONCEPTO", "CONCEPTO", K::T},
            {"COD PROVEEDOR", "CODPROV", K::T},
            {"CARTERA", "CARTERA", K::T},
            {"COD INTERNO", "CODINTERNO", K::T},
            {"OBSERVACION", "OBSERVACION", K::T}});
    constexpr Campo det[] = {{"PREFDOC", "PREFDOC", K::T},     {"NUMDOC", "NUMDOC", K::T},
                             {"TIPODOC", "TIPODOC", K::N},     {"ITEM", "ITEM", K::N},
                             {"ABONO", "ABONO", K::N},         {"RETEFUENTE", "RETEFUENTE", K::N},
                             {"RETEIVA", "RETEIVA", K::N},     {"RETEICA", "RETEICA", K::N},
                             {"DOCUMENTO SALDO", "SALDO", K::N}, {"DOCUMENTO ANTERIOR", "ANTERIOR", K::N}};
    FuenteDetalle aplicados;
    for (const Campo& c : det) aplicados.nombres.insert(QString::fromUtf8(c.dato));
    for (const fb::Row& r : filas) {
        if (r["ITEM"].isNull()) continue;
        FilaImpresa f;
        for (const Campo& c : det) f.insert(QString::fromUtf8(c.dato), valorDe(r[c.columna], c.clase));
        aplicados.filas.push_back(f);
    }
    d.impreso.detalles.push_back({std::move(aplicados)});
}

// ---- advance and service order

void leerAnticipo(DocumentoLeido& d, fb::Database& db, int64_t id, FilaImpresa& v) {
    const auto h = db.queryOne(QStringLiteral("select * from  impr_antiprov(%1)").arg(id));
    if (!h) return;
    d.existe = true;
    d.prefijo = (*h)["PREFIJO"].toString().trimmed();
    d.numero = (*h)["NUMERO"].toString().trimmed();
    llenarTercero(v, *h);
    llenar(v, *h,
           {{"PREFIJO", "PREFIJO", K::T},          {"NUMERO", "NUMERO", K::T},
            {"FECHA", "FECHA", K::F},              {"CONCEPTO", "CONCEPTO", K::T},
            {"CELULAR", "CELULAR", K::T},          {"EMAIL", "EMAIL", K::T},
            {"MONTO", "MONTO", K::N},              {"IVA PORC", "IVAPORC", K::N},
            {"IVA MONTO", "IVAMONTO", K::N},       {"RETEFUENTE PORC", "RTFTEPORC", K::N},
            {"RETEFUENTE MONTO", "RTFTEMONTO", K::N}, {"RETEIVA PORC", "RTIVAPORC", K::N},
            {"RETEIVA MONTO", "RTIVAMONTO", K::N}, {"RETEICA PORC", "RTICAPORC", K::N},
            {"RETEICA MONTO", "RTICAMONTO", K::N}, {"RETENCION CREE PORC", "RTCREEPORC", K::N},
            {"RETENCION CREE MONTO", "RTCREEMONTO", K::N}, {"OBSERVACION", "OBSERVACION", K::T},
            {"COD PROVEEDOR", "CODPROV", K::T},    {"CARTERA PROV", "CARTERA", K::T},
            {"COD INTERNO", "CODINTERNO", K::T}});
    d.impreso.unaParte = true;
}

void leerOrden(DocumentoLeido& d, fb::Database& db, const Comunes& palabras, int64_t id, FilaImpresa& v) {
    const auto h = db.queryOne(QStringLiteral("select * from impr_ordenserv(%1)").arg(id));
    if (!h) return;
    d.existe = true;
    d.prefijo = (*h)["PREFIJO"].toString().trimmed();
    d.numero = (*h)["NUMERO"].toString().trimmed();
    llenarTercero(v, *h);
    llenar(v, *h,
           {{"PREFIJO", "PREFIJO", K::T},          {"NUMERO", "NUMERO", K::T},
            {"FECHA", "FECHA", K::F},              {"FECHA LETRAS", "FECHA", K::L},
            {"CONCEPTO", "CONCEPTO", K::T},        {"CELULAR", "CELULAR", K::T},
            {"EMAIL", "EMAIL", K::T},              {"ENTREGA", "ENTREGA", K::F},
            {"MONTO", "MONTO", K::N},              {"DTO PORC", "DTOPORC", K::N},
            {"DTO MONTO", "DTOMONTO", K::N},       {"IVA PORC", "IVAPORC", K::N},
            {"IVA MONTO", "IVAMONTO", K::N},       {"RETEFUENTE PORC", "RTFTEPORC", K::N},
            {"RETEFUENTE MONTO", "RTFTEMONTO", K::N}, {"RETEIVA PORC", "RTIVAPORC", K::N},
            {"RETEIVA MONTO", "RTIVAMONTO", K::N}, {"RETEICA PORC", "RTICAPORC", K::N},
            {"RETEICA MONTO", "RTICAMONTO", K::N}, {"ADICIONAL", "ADICIONAL", K::N},
            {"EXTRA", "EXTRA", K::N},              {"OBSERVACION", "OBSERVACION", K::T},
            {"COD PROVEEDOR", "CODPROV", K::T},    {"CARTERA", "CARTERA", K::T},
            {"COD INTERNO", "CODINTERNO", K::T},   {"TOTAL", "TOTAL", K::N},
            {"NETO", "NETO", K::N}});
    v.insert(QStringLiteral("TOTAL LETRAS"), ValorImpreso::deTexto(letras(dinero((*h)["TOTAL"]), palabras)));
    v.insert(QStringLiteral("NETO LETRAS"), ValorImpreso::deTexto(letras(dinero((*h)["NETO"]), palabras)));
    d.impreso.unaParte = true;
}

}  // namespace

bool tipoImprimible(int tipo) {
    return tipo == 51 || tipo == 52 || tipo == 53 || tipo == 55 || tipo == 56 || tipo == 62;
}

QString tituloTrabajo(int tipo) {
    switch (tipo) {
    case 62: return QStringLiteral("Comprobante de egreso No. ");
    case 51: return QStringLiteral("Cargo acreedor No. ");
    case 52: return QStringLiteral("Descuento acreedor No. ");
    case 53: return QStringLiteral("Aplicación acreedor No. ");
    case 55: return QStringLiteral("Anticipo proveedor No. ");
    case 56: return QStringLiteral("Orden de servicio No. ");
    default: return {};
    }
}

QString ventanaImpresion(int tipo) {
    switch (tipo) {
    case 62: return QStringLiteral("Tfimpregreso");
    case 51: return QStringLiteral("Tfimprnotadbp");
    case 52: return QStringLiteral("Tfimprnotacrp");
    case 53: return QStringLiteral("Tfimpraplicacionp");
    case 55: return QStringLiteral("Tfimpranticipoprv");
    case 56: return QStringLiteral("Tfimprordserv");
    default: return {};
    }
}

QString consultaAnulado(int tipo, int64_t id) {
    const QString n = QString::number(id);
    switch (tipo) {
    case 62: return QStringLiteral("select egre_anulado from egresos where egre_id = ") + n;
    case 51: return QStringLiteral("select ndpr_anulado from notas_debito_proveedor where ndpr_id = ") + n;
    case 52: return QStringLiteral("select ncpr_anulado from notas_credito_proveedor where ncpr_id = ") + n;
    case 53: return QStringLiteral("select appr_anulado from aplicacion_provedor where appr_id = ") + n;
    case 55: return QStringLiteral("select anpr_anulado from anticipos_proveedor where anpr_id = ") + n;
    case 56: return QStringLiteral("select orse_anulado from orden_servicio where orse_id = ") + n;
    default: return {};
    }
}

QString fechaCorta(const QDate& f) {
    return f.isValid() ? f.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

QString fechaEnLetras(const QDate& f) {
    if (!f.isValid()) return {};
    return QLocale(QLocale::Spanish, QLocale::Colombia).toString(f, QStringLiteral("dddd, d 'de' MMMM 'de' yyyy"));
}

DocumentoLeido leerDocumento(fb::Database& db, Sesion& sesion, const Configuracion& configuracion, int tipo,
                             int64_t id) {
    DocumentoLeido d;
    d.tipo = tipo;
    if (!tipoImprimible(tipo)) return d;
    const Comunes palabras = palabrasMoneda(configuracion);
    FilaImpresa v;
    switch (tipo) {
    case 62: leerEgreso(d, db, palabras, id, v); break;
    case 51:
    case 52: leerNota(d, db, palabras, tipo, id, v); break;
    case 53: leerAplicacion(d, db, id, v); break;
    case 55: leerAnticipo(d, db, id, v); break;
    case 56: leerOrden(d, db, palabras, id, v); break;
    default: break;
    }
    if (!d.existe) return d;
    const auto anulado = db.queryOne(consultaAnulado(tipo, id));
    d.anulado = anulado && (*anulado)[0].toString().trimmed() == QLatin1String("S");
    ponerUsuarioYCompania(v, db, sesion, tipo, id);
    d.impreso.logo = sesion.compania_logo;
    d.impreso.anulado = d.anulado;
    // Only the payment voucher and the application number their pages.
    d.impreso.valor = valores(std::move(v), tipo == 62 || tipo == 53);
    return d;
}

}  // namespace cxp
