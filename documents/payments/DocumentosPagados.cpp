#include "documents/payments/DocumentosPagados.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Cxpagar.h"
#include "data/Importe.h"
#include "data/Interaccion.h"
#include "data/fb/Database.h"
#include "documents/payments/FilaElegida.h"

#include <QVariantList>
#include <algorithm>

namespace cxp {

namespace {

const QString kNomCorto = QStringLiteral("TIDO_NOMCORTO");
const QString kItem = QStringLiteral("EGDE_ITEM");
const QString kTipo = QStringLiteral("EGDE_TIPODOC");
const QString kId = QStringLiteral("EGDE_IDDOC");
const QString kPrefijo = QStringLiteral("EGDE_PREFIJO");
const QString kNumero = QStringLiteral("EGDE_NUMERO");
const QString kNumProv = QStringLiteral("EGDE_NUMPROV");
const QString kAbono = QStringLiteral("EGDE_ABONO");
const QString kRtfte = QStringLiteral("EGDE_RTFTE");
const QString kRtiva = QStringLiteral("EGDE_RTIVA");
const QString kRtica = QStringLiteral("EGDE_RTICA");
const QString kRcree = QStringLiteral("EGDE_RCREE");
const QString kDtof = QStringLiteral("EGDE_DTOF");
const QString kNit = QStringLiteral("TERC_NIT");
const QString kFecha = QStringLiteral("EGRE_FECHA");

constexpr int kAnticipo = 55;

// Debts of the payables ledger: their abono is never negative. Every other
// type is a credit whose abono is never positive (advances aside).
bool esDeuda(int tipo) { return tipo == 21 || tipo == 51 || tipo == 88 || tipo == 89 || tipo == 137; }
// Credits checked on post against a balance that is negative.
bool esCredito(int tipo) { return tipo == 52 || tipo == 55 || tipo == 24; }

void editar(DataSet& ds) {
    if (ds.state() == DataSet::State::Browse) ds.edit();
}

// Restores a flag however the scope is left.
struct Ocupado {
    bool& b;
    explicit Ocupado(bool& bandera) : b(bandera) { b = true; }
    ~Ocupado() { b = false; }
};

}  // namespace

Dinero montoEgreso(Dinero sumAbono, Dinero excedente, Dinero sumCruce) { return sumAbono + excedente - sumCruce; }

DocumentosPagados::DocumentosPagados(DataSet& egreso, DataSet& detalle, fb::Database& compania, Cxpagar& cxpagar,
                                     const Configuracion& configuracion, Interaccion& interaccion)
    : egreso_(egreso),
      detalle_(detalle),
      compania_(compania),
      cxpagar_(cxpagar),
      configuracion_(configuracion),
      interaccion_(interaccion) {
    detalle_.onNewRecord([this](DataSet& d) { nuevaFila(d); });
    detalle_.onChange(kNomCorto, [this](DataSet& d) { tipoIngresado(d); });
    for (const QString& campo : {kTipo, kPrefijo, kNumero})
        detalle_.onChange(campo, [this](DataSet& d) { documentoIngresado(d); });
    for (const QString& campo : {kAbono, kRtfte, kRtiva, kRtica, kRcree, kDtof})
        detalle_.onChange(campo, [this](DataSet& d) { montoCambiado(d); });
    detalle_.beforePost([this](DataSet& d) { antesDePostear(d); });
    detalle_.afterRemove([this](DataSet&) { borrarAnticiposSinFila(); });
    egreso_.onChange(QStringLiteral("EGRE_EXCEDENTE"), [this](DataSet&) {
        if (!detalle_.isEmpty()) aplicarMonto();
    });
}

QString DocumentosPagados::consulta(int64_t egreId) {
    return QStringLiteral("select d.*, t.TIDO_NOMCORTO from EGRESOS_DETALLE d "
                          "left join TIPO_DOCUMENTO t on t.TIDO_COD = d.EGDE_TIPODOC where d.EGRE_ID = ") +
           sql::numero(egreId) + QStringLiteral(" order by d.EGDE_ITEM");
}

int DocumentosPagados::tipoPorNombre(fb::Database& compania, const QString& nomcorto, const QString& bandera) {
    const QString columna = sql::identificador(bandera, {u"TIDO_CXP", u"TIDO_CART"});
    const auto fila = compania.queryOne(QStringLiteral("select TIDO_COD from TIPO_DOCUMENTO where TIDO_NOMCORTO = ") +
                                        sql::texto(nomcorto.trimmed().toUpper()) + QStringLiteral(" and ") + columna +
                                        QStringLiteral(" = 'S'"));
    return fila ? int(fila->at(0).toInt64()) : 0;
}

void DocumentosPagados::reiniciar() {
    ultimoItem_ = 0;
    ultimoSaldado_ = false;
    sumCruce_ = Dinero();
    anticipos_.clear();
    corregido_.clear();
}

void DocumentosPagados::cargado() {
    ultimoItem_ = 0;
    for (int i = 0; i < detalle_.recordCount(); ++i)
        ultimoItem_ = std::max(ultimoItem_, int(detalle_.row(i).asInt(kItem)));
}

// ---- totals

Dinero DocumentosPagados::sumAbono() const { return detalle_.sum(kAbono); }
Dinero DocumentosPagados::sumRtfte() const { return detalle_.sum(kRtfte); }
Dinero DocumentosPagados::sumRtiva() const { return detalle_.sum(kRtiva); }
Dinero DocumentosPagados::sumRtica() const { return detalle_.sum(kRtica); }
Dinero DocumentosPagados::sumRtcree() const { return detalle_.sum(kRcree); }
Dinero DocumentosPagados::sumDtof() const { return detalle_.sum(kDtof); }

// ---- a row

void DocumentosPagados::nuevaFila(DataSet& d) {
    d.setValue(kItem, ++ultimoItem_);
    d.setValue(kId, 0);
    for (const QString& campo : {kAbono, kRtfte, kRtiva, kRtica, kRcree, kDtof, QStringLiteral("EGDE_DIFCAMBIO")})
        d.setValue(campo, Dinero());
    d.setValue(QStringLiteral("EGDE_ANULADO"), "N");
    d.setValue(QStringLiteral("EGDE_TRANSMIT"), "N");
    corregido_.clear();
}

void DocumentosPagados::tipoIngresado(DataSet& d) {
    const QString nombre = d.asString(kNomCorto).trimmed();
    if (nombre.isEmpty()) {
        d.setValue(kTipo, fb::Value());
        return;
    }
    const int tipo = tipoPorNombre(compania_, nombre, QStringLiteral("TIDO_CXP"));
    if (tipo == 0) {
        interaccion_.informacion(kTipoDesconocido);
        d.setValue(kNomCorto, fb::Value());
        d.setValue(kTipo, fb::Value());
        return;
    }
    if (nombre.toUpper() != d.asString(kNomCorto)) d.setValue(kNomCorto, nombre.toUpper());
    d.setValue(kTipo, tipo);
}

void DocumentosPagados::limpiarDocumento(DataSet& d) {
    Ocupado o(ocupado_);
    for (const QString& campo : {kNomCorto, kTipo, kPrefijo, kNumero, kNumProv}) d.setValue(campo, fb::Value());
    d.setValue(kId, 0);
    for (const QString& campo : {kAbono, kRtfte, kRtiva, kRtica, kRcree, kDtof}) d.setValue(campo, Dinero());
    corregido_.clear();
}

bool DocumentosPagados::duplicado(const DataSet& d) const {
    const int tipo = int(d.asInt(kTipo));
    const QString prefijo = d.asString(kPrefijo).trimmed();
    const QString numero = d.asString(kNumero).trimmed();
    for (int i = 0; i < d.recordCount(); ++i) {
        if (i == d.currentRow()) continue;
        const RecordRef r = d.row(i);
        if (int(r.asInt(kTipo)) == tipo && r.asString(kPrefijo).trimmed() == prefijo &&
            r.asString(kNumero).trimmed() == numero)
            return true;
    }
    return false;
}

void DocumentosPagados::documentoIngresado(DataSet& d) {
    if (ocupado_ || d.state() == DataSet::State::Browse) return;
    const int tipo = d.isNull(kTipo) ? 0 : int(d.asInt(kTipo));
    const QString prefijo = d.asString(kPrefijo).trimmed();
    const QString numero = d.asString(kNumero).trimmed();
    if (tipo == 0 || prefijo.isEmpty() || numero.isEmpty()) return;

    DocumentoPorPagar doc;
    if (!cxpagar_.valide_doc_cxpagar(egreso_.asString(kNit).trimmed(), tipo, prefijo, numero, egreso_.asDate(kFecha),
                                     doc)) {
        interaccion_.informacion(kNoEncontrado);
        limpiarDocumento(d);
        return;
    }
    const auto sincronizar = configuracion_.buscar(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                                                   QStringLiteral("SINCRONIZAR PREFIJOS DE EGRESOS Y DOCUMENTOS CANCELADOS"));
    if (sincronizar && sincronizar->trimmed().toUpper() == QLatin1String("SI") &&
        prefijo != egreso_.asString(QStringLiteral("PREF_PRE")).trimmed()) {
        interaccion_.informacion(kPrefijoDistinto);
        limpiarDocumento(d);
        return;
    }
    if (duplicado(d)) {
        interaccion_.informacion(kDuplicado);
        d.cancel();
        return;
    }
    Ocupado o(ocupado_);
    corregido_.clear();
    d.setValue(kId, doc.id);
    d.setValue(kRtfte, doc.rtfte);
    d.setValue(kRtiva, doc.rtiva);
    d.setValue(kRtica, doc.rtica);
    d.setValue(kRcree, doc.rcree);
    d.setValue(kDtof, doc.dtof);
    d.setValue(kAbono, doc.abono);
    d.setValue(kNumProv, doc.numprov.isEmpty() ? fb::Value() : fb::Value(doc.numprov));
}

Dinero DocumentosPagados::comprometido(const DataSet& d) const {
    Dinero t = d.asDinero(kAbono) + d.asDinero(kDtof);
    const auto causacion = configuracion_.buscar(QStringLiteral("CXPAGAR"), QStringLiteral("SALDOS"),
                                                 QStringLiteral("DESCONTAR RETENCIONES POR CAUSACION"));
    if (!causacion || causacion->trimmed().toUpper() != QLatin1String("SI"))
        t += d.asDinero(kRtfte) + d.asDinero(kRtiva) + d.asDinero(kRtica) + d.asDinero(kRcree);
    return t;
}

void DocumentosPagados::montoCambiado(DataSet& d) {
    if (ocupado_ || d.state() == DataSet::State::Browse) return;
    Ocupado o(ocupado_);
    for (const QString& campo : {kAbono, kRtfte, kRtiva, kRtica, kRcree, kDtof})
        if (d.isNull(campo)) d.setValue(campo, Dinero());

    const int tipo = d.isNull(kTipo) ? 0 : int(d.asInt(kTipo));
    const int64_t id = d.asInt(kId);
    const Dinero t = comprometido(d);
    if (!t.esCero() && tipo != 0 && id != 0) {
        const Dinero s = cxpagar_.saldo_doc_cxpagar(tipo, id, egreso_.asDate(kFecha));
        if ((s >= Dinero() && s < t) || (s < Dinero() && s > t)) {
            d.setValue(kAbono, d.asDinero(kAbono) + (s - t));
            // Said when the row is posted, as the balance check says it.
            corregido_ = s < t ? kAbonoMayor : kAbonoMenor;
        }
    }

    const Dinero abono = d.asDinero(kAbono);
    if (esDeuda(tipo)) {
        if (abono < Dinero()) {
            d.setValue(kAbono, Dinero());
            interaccion_.informacion(kMenorQueCero);
        }
    } else if (tipo == kAnticipo) {
        if (id == 0) return;
        const auto anticipo = compania_.queryOne(
            QStringLiteral("select egre_id, anpr_base from anticipos_proveedor where anpr_id = ") + sql::numero(id));
        if (!anticipo) return;
        const bool pagado = !anticipo->at(0).isNull() && anticipo->at(0).toInt64() != 0;
        if (pagado) {
            d.setValue(kAbono, dineroDe(anticipo->at(1)));
        } else if (abono > Dinero()) {
            d.setValue(kAbono, Dinero());
            interaccion_.informacion(kMayorQueCero);
        }
    } else if (abono > Dinero()) {
        d.setValue(kAbono, Dinero());
        interaccion_.informacion(kMayorQueCero);
    }
}

void DocumentosPagados::antesDePostear(DataSet& d) {
    const int tipo = d.isNull(kTipo) ? 0 : int(d.asInt(kTipo));
    const int64_t id = d.asInt(kId);
    if (id == 0 || tipo == 0) {
        corregido_.clear();
        d.cancel();
        return;
    }
    Ocupado o(ocupado_);
    const Dinero t = comprometido(d);
    const Dinero s = cxpagar_.saldo_doc_cxpagar(tipo, id, egreso_.asDate(kFecha));
    ultimoSaldado_ = s == t;
    QString mensaje;
    if (esCredito(tipo) ? s > t : s < t) {
        mensaje = esCredito(tipo) ? kAbonoMenor : kAbonoMayor;
        d.setValue(kAbono, d.asDinero(kAbono) + (s - t));
    }
    if (mensaje.isEmpty()) mensaje = corregido_;
    corregido_.clear();
    if (!mensaje.isEmpty()) interaccion_.informacion(mensaje);
}

// ---- advances registered from this voucher

void DocumentosPagados::borrarAnticiposSinFila() {
    QSet<int64_t> conFila;
    for (int i = 0; i < detalle_.recordCount(); ++i) {
        const RecordRef r = detalle_.row(i);
        if (!r.isNull(kTipo) && r.asInt(kTipo) == kAnticipo) conFila.insert(r.asInt(kId));
    }
    const QSet<int64_t> registrados = anticipos_;
    for (const int64_t id : registrados) {
        if (conFila.contains(id)) continue;
        compania_.executeDirect(
            QStringLiteral("delete from anticipos_proveedor where (egre_id = 0 or egre_id is null) and anpr_id = ") +
            sql::numero(id));
        anticipos_.remove(id);
    }
}

void DocumentosPagados::borrarAnticiposRegistrados() {
    const QSet<int64_t> registrados = anticipos_;
    for (const int64_t id : registrados)
        compania_.executeDirect(
            QStringLiteral("delete from anticipos_proveedor where (egre_id = 0 or egre_id is null) and anpr_id = ") +
            sql::numero(id));
    anticipos_.clear();
}

// ---- the header

QString DocumentosPagados::numeroProveedor(int tipo, int64_t id) const {
    QString sql;
    if (tipo == 21)
        sql = QStringLiteral("select faco_numprov from facturas_compra where faco_id = ");
    else if (tipo == 51)
        sql = QStringLiteral("select ndpr_numprov from notas_debito_proveedor where ndpr_id = ");
    else
        return {};
    const auto fila = compania_.queryOne(sql + sql::numero(id));
    return fila ? fila->at(0).toString().trimmed() : QString();
}

QString DocumentosPagados::componerConcepto() const {
    QString concepto = ultimoSaldado_ ? QStringLiteral("Cancela ") : QStringLiteral("Abono ");
    const auto opcion = configuracion_.buscar(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                                              QStringLiteral("COMPONER CONCEPTO CON NUMERO DE PROVEEDOR"));
    const bool conNumProv = opcion && opcion->trimmed().toUpper() == QLatin1String("SI");
    for (int i = 0; i < detalle_.recordCount(); ++i) {
        const RecordRef r = detalle_.row(i);
        const int tipo = int(r.asInt(kTipo));
        concepto += r.asString(kNomCorto).trimmed() + u' ';
        if (conNumProv) {
            if (tipo != 21 && tipo != 51) continue;
            QString numero = numeroProveedor(tipo, r.asInt(kId));
            if (numero.isEmpty()) numero = r.asString(kNumero).trimmed();
            concepto += numero + QStringLiteral(", ");
        } else {
            concepto += r.asString(kPrefijo).trimmed() + r.asString(kNumero).trimmed() + QStringLiteral(", ");
        }
    }
    return concepto.left(60);
}

// The advances this voucher pays out: rows of type 55 whose advance has no
// voucher yet (registered from this one) or has this one. Their row carries
// the payout negated, yet the cash leaves the company like any payment.
Dinero DocumentosPagados::pagoAnticipos() const {
    Dinero pago;
    const int64_t propio = egreso_.asInt(QStringLiteral("EGRE_ID"));
    for (int i = 0; i < detalle_.recordCount(); ++i) {
        const auto r = detalle_.row(i);
        if (r.asInt(kTipo) != kAnticipo || r.asDinero(kAbono) >= Dinero()) continue;
        const auto a = compania_.queryOne(QStringLiteral("select egre_id from anticipos_proveedor where anpr_id = ") +
                                          sql::numero(r.asInt(kId)));
        const int64_t egreso = a && !a->at(0).isNull() ? a->at(0).toInt64() : -1;
        if (egreso == 0 || (propio != 0 && egreso == propio)) pago = pago - r.asDinero(kAbono);
    }
    return pago;
}

void DocumentosPagados::aplicarMonto() {
    editar(egreso_);
    const Dinero pago = pagoAnticipos();
    egreso_.setValue(QStringLiteral("EGRE_MONTO"), montoEgreso(sumAbono() + pago + pago,
                                                               egreso_.asDinero(QStringLiteral("EGRE_EXCEDENTE")), sumCruce_));
}

DocumentosPagados::Cierre DocumentosPagados::sinFilas() {
    const auto otros = configuracion_.buscar(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                                             QStringLiteral("PERMITIR REGISTRAR EGRESOS POR OTROS CONCEPTOS A PROVEEDORES"));
    editar(egreso_);
    if (otros && otros->trimmed().toUpper() == QLatin1String("SI")) {
        egreso_.setValue(QStringLiteral("EGRE_TIPO"), "3");
        return Cierre::OtrosConceptos;
    }
    interaccion_.informacion(kSinDocumentos);
    egreso_.setValue(kNit, fb::Value());
    return Cierre::SinAcreedor;
}

DocumentosPagados::Cierre DocumentosPagados::cerrarPanel() {
    if (detalle_.state() != DataSet::State::Browse) {
        if (detalle_.asString(kNumero).trimmed().isEmpty()) {
            detalle_.cancel();
        } else {
            try {
                detalle_.post();
            } catch (const DataSetError& e) {
                interaccion_.informacion(e.message());
                if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
                return Cierre::Sigue;
            }
        }
    }
    editar(egreso_);
    if (detalle_.isEmpty()) return sinFilas();
    egreso_.setValue(QStringLiteral("EGRE_CONC"), componerConcepto());
    egreso_.setValue(QStringLiteral("EGRE_RTFTEMONTO"), sumRtfte());
    egreso_.setValue(QStringLiteral("EGRE_RTIVAMONTO"), sumRtiva());
    egreso_.setValue(QStringLiteral("EGRE_RTICAMONTO"), sumRtica());
    egreso_.setValue(QStringLiteral("EGRE_RTCREE"), sumRtcree());
    egreso_.setValue(QStringLiteral("EGRE_DTOF"), sumDtof());
    aplicarMonto();
    return Cierre::Documentos;
}

DocumentosPagados::Cierre DocumentosPagados::salirPanel() {
    const bool conFilas = !detalle_.isEmpty() && !(detalle_.recordCount() == 1 &&
                                                   detalle_.state() == DataSet::State::Insert);
    if (conFilas) {
        if (!interaccion_.preguntar(kBorrarDocumentos)) return Cierre::Sigue;
        detalle_.cancel();
        while (!detalle_.isEmpty()) {
            detalle_.last();
            detalle_.remove();
        }
        borrarAnticiposRegistrados();
    } else {
        detalle_.cancel();
    }
    ultimoSaldado_ = false;
    return sinFilas();
}

// ---- a picker's choice

bool DocumentosPagados::agregar(const QString& nomcorto, const QString& prefijo, const QString& numero) {
    return agregarDocumento(detalle_, {kNomCorto, kPrefijo, kNumero, kId}, nomcorto, prefijo, numero);
}

int DocumentosPagados::agregarEleccion(const QVariantMap& eleccion) {
    return cxp::agregarEleccion(eleccion, [this](const QString& t, const QString& p, const QString& n) {
        return agregar(t, p, n);
    });
}

}  // namespace cxp
