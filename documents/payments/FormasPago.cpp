#include "documents/payments/FormasPago.h"

#include "base/Sql.h"
#include "data/Caja.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Derechos.h"
#include "data/Importe.h"
#include "data/ImporteColumna.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"
#include "data/fb/DbError.h"


namespace cxp {

namespace {
const QString kItem = QStringLiteral("EGCA_ITEM");
const QString kCaja = QStringLiteral("CAJA_ID");
const QString kForma = QStringLiteral("FOPA_ID");
const QString kBanco = QStringLiteral("EGCA_BANCO");
const QString kCuenta = QStringLiteral("EGCA_CUENTA");
const QString kNumero = QStringLiteral("EGCA_NUMERO");
const QString kMontoCaja = QStringLiteral("EGCA_MONTO");
const QString kCuba = QStringLiteral("CUBA_COD");
const QString kTipoBco = QStringLiteral("EGBC_TIPOBCO");
const QString kPrefBco = QStringLiteral("PRBA_PREF");
const QString kNumBco = QStringLiteral("EGBC_NUMERO");
const QString kFechaBco = QStringLiteral("EGBC_FECHA");
const QString kMontoBco = QStringLiteral("EGBC_MONTO");

struct Bandera {
    bool& b;
    const bool antes;
    explicit Bandera(bool& x) : b(x), antes(x) { b = true; }
    ~Bandera() { b = antes; }
};

bool editando(const DataSet& ds) { return ds.state() != DataSet::State::Browse; }
QString texto(const DataSet& ds, const QString& campo) { return ds.asString(campo).trimmed(); }
}  // namespace

FormasPago::FormasPago(Sesion& sesion, Interaccion& interaccion, const Configuracion& configuracion, DataSet& caja,
                       DataSet& banco, LeerContexto contexto, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      configuracion_(configuracion),
      caja_(caja),
      banco_(banco),
      contexto_(std::move(contexto)) {
    datosCaja_ = std::make_unique<Caja>(sesion.compania, interaccion);
    caja_.onNewRecord([this](DataSet& c) { nuevoItemCaja(c); });
    caja_.beforePost([this](DataSet& c) { revisarItemCaja(c); });
    caja_.onChange(kMontoCaja, [this](DataSet&) { itemCajaCambiado(); });
    caja_.onChange(kForma, [this](DataSet&) { itemCajaCambiado(); });
    caja_.onChange(kCaja, [this](DataSet&) { itemCajaCambiado(); });
    for (const QString& campo : {kBanco, kCuenta, kNumero})
        caja_.onChange(campo, [this](DataSet&) { documentoCajaCambiado(); });
    banco_.onNewRecord([this](DataSet& b) { nuevoDocumentoBanco(b); });
    banco_.onChange(kCuba, [this](DataSet&) { cuentaBancoCambiada(); });
    banco_.onChange(kPrefBco, [this](DataSet&) { prefijoBancoCambiado(); });
    banco_.onChange(kNumBco, [this](DataSet&) { numeroBancoCambiado(); });
    banco_.onChange(kFechaBco, [this](DataSet&) { fechaBancoCambiada(); });
}

FormasPago::~FormasPago() = default;

void FormasPago::abrir() {
    auto es = [this](const char* clave) {
        return configuracion_.valor(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"), QString::fromLatin1(clave))
                   .trimmed()
                   .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    };
    validarEfectivo_ = es("VALIDAR EFECTIVO EN CAJA");
    // Not a number: no post-dating at all.
    diasPosfechado_ = std::max(0, configuracion_.valor(QStringLiteral("CAJA"), QStringLiteral("EGRESOS"),
                                                       QStringLiteral("MAXIMO NUMERO DE DIAS PARA CHEQUES POSFECHADOS"))
                                      .trimmed()
                                      .toInt());

    // The boxes offered: active ones, only the user's own when she has one,
    // and those of her agency.
    filtroCajas_ = QStringLiteral("CAJA_ACTIVA = 'S'");
    try {
        const auto propia = sesion_.compania.queryOne(QStringLiteral("select caja_id from usuario where user_cod = ") +
                                                      sql::texto(sesion_.usuario_actual));
        const QString caja = propia ? (*propia)[0].toString().trimmed() : QString();
        if (!caja.isEmpty() && caja != QLatin1String("0"))
            filtroCajas_ += QStringLiteral(" AND CAJA_ID = ") + sql::numero(int64_t(caja.toLongLong()));
    } catch (const fb::DbError&) {
        // A company without boxes per user: every box is offered.
    }
    if (sesion_.agencia_actual != 0)
        filtroCajas_ += QStringLiteral(" AND ((SUCU_ID = ") + sql::numero(int64_t(sesion_.agencia_actual)) +
                        QStringLiteral(") OR (SUCU_ID = 0))");
    cajas_.clear();
    cajaPredeterminada_ = 0;
    for (const fb::Row& f : sesion_.compania.query(QStringLiteral("select caja_id, caja_nombre, caja_predet from cajas where ") +
                                                   filtroCajas_ + QStringLiteral(" order by caja_id"))) {
        cajas_.append({f[0].toString(), f[1].toString().trimmed()});
        if (cajaPredeterminada_ == 0 && f[2].toString().trimmed() == QLatin1String("S"))
            cajaPredeterminada_ = int(f[0].toInt64());
    }
    formas_.clear();
    for (const fb::Row& f : sesion_.compania.query(QStringLiteral("select fopa_id, fopa_nom from formas_pago order by fopa_id")))
        formas_.append({f[0].toString(), f[1].toString().trimmed()});
    cuentas_.clear();
    for (const fb::Row& f : sesion_.compania.query(QStringLiteral(
             "select cuba_cod, cuba_numero, cuba_titular from cuentas_banco where cuba_estado = 'N' order by cuba_cod")))
        cuentas_.append({f[0].toString(), f[1].toString().trimmed() + QStringLiteral(" - ") + f[2].toString().trimmed()});

    cajaHabilitada_ = valide_acceso(sesion_, 40, QStringLiteral("CAJA"));
    bancoHabilitado_ = valide_acceso(sesion_, 43, QStringLiteral("CAJA"));
    emit cambiado();
}

int FormasPago::primeraCaja() const { return cajas_.isEmpty() ? 0 : cajas_.first().clave.toInt(); }

Dinero FormasPago::totalItemsCaja() const { return caja_.isOpen() ? caja_.sum(kMontoCaja) : Dinero(); }

int FormasPago::siguienteItem() const {
    int mayor = 0;
    for (int i = 0; i < caja_.recordCount(); ++i) mayor = std::max<int>(mayor, int(caja_.row(i).asInt(kItem)));
    return mayor + 1;
}

// ---------------------------------------------------------------- cash items

void FormasPago::nuevoItemCaja(DataSet& c) {
    Bandera quieto(ocupado_);
    const Contexto ctx = contexto_();
    c.setValue(kItem, siguienteItem());
    const int caja = cajaPredeterminada_ != 0 ? cajaPredeterminada_ : primeraCaja();
    if (caja != 0) c.setValue(kCaja, caja);
    c.setValue(kForma, 1);
    c.setValue(QStringLiteral("EGCA_FECHA"), ctx.fecha);
    // What is still unpaid: the amount less the bank document and the
    // items already entered (this new one counts as nothing yet).
    Dinero resto = ctx.monto - sumBanco_ - totalItemsCaja();
    if (resto < Dinero()) resto = Dinero();
    ponImporte(c, kMontoCaja, resto);
    c.setValue(QStringLiteral("EGCA_ANULADO"), "N");
    c.setValue(QStringLiteral("EGCA_TRANSMIT"), "N");
}

// The cash in the box, when the option asks for it: a cash item may not
// take out more than the box holds the day after the voucher's date.
void FormasPago::itemCajaCambiado() {
    if (ocupado_ || !editando(caja_)) return;
    if (caja_.asInt(kForma) != 1 || !validarEfectivo_) return;
    if (caja_.asDinero(kMontoCaja) <= Dinero()) return;
    if (!alcanzaEfectivo(caja_)) interaccion_.error(kEfectivoInsuficiente);
}

// The cash this document takes out of the item's box, its other cash items
// of that box included, against what the box holds at the end of the
// document's day.
bool FormasPago::alcanzaEfectivo(const DataSet& c) const {
    const int caja = int(c.asInt(kCaja));
    Dinero total = c.asDinero(kMontoCaja);
    for (int i = 0; i < c.recordCount(); ++i) {
        if (i == c.currentRow()) continue;
        const RecordRef r = c.row(i);
        if (r.asInt(kForma) == 1 && r.asInt(kCaja) == caja) total += r.asDinero(kMontoCaja);
    }
    const auto saldo = datosCaja_->efectivo_caja(caja, contexto_().fecha);
    return !saldo || total <= *saldo;
}

// A document held in the box (a cheque received, a voucher card): found
// by form, bank, account and number among those still in the box.
void FormasPago::documentoCajaCambiado() {
    if (ocupado_ || !editando(caja_)) return;
    const int fopa = int(caja_.asInt(kForma));
    const QString banco = texto(caja_, kBanco), cuenta = texto(caja_, kCuenta), numero = texto(caja_, kNumero);
    if (fopa == 1 || banco.isEmpty() || cuenta.isEmpty() || numero.isEmpty()) return;
    Bandera quieto(ocupado_);
    const int caja = int(caja_.asInt(kCaja));
    if (!datosCaja_->valide_doc_en_caja(fopa, banco, cuenta, numero, caja)) {
        interaccion_.error(kNoEnCaja);
        caja_.setValue(kBanco, QString());
        caja_.setValue(kCuenta, QString());
        caja_.setValue(kNumero, QString());
        interaccion_.enfocar(kBanco);
        return;
    }
    if (repetidoEnCaja(fopa, banco, cuenta, numero)) {
        interaccion_.error(kDocRepetido);
        caja_.cancel();
        return;
    }
    ponImporte(caja_, kMontoCaja, datosCaja_->monto_doc_en_caja(fopa, banco, cuenta, numero, caja));
}

bool FormasPago::repetidoEnCaja(int fopa, const QString& banco, const QString& cuenta, const QString& numero) const {
    const int actual = caja_.currentRow();
    for (int i = 0; i < caja_.recordCount(); ++i) {
        if (i == actual) continue;
        const RecordRef r = caja_.row(i);
        if (r.asInt(kForma) == fopa && r.asString(kBanco).trimmed() == banco && r.asString(kCuenta).trimmed() == cuenta &&
            r.asString(kNumero).trimmed() == numero)
            return true;
    }
    return false;
}

// An item is posted only with an amount above zero and, for cash, within
// what the box holds: a voucher must never be saved taking out money the
// box does not have.
void FormasPago::revisarItemCaja(DataSet& c) {
    const Dinero monto = c.asDinero(kMontoCaja);
    if (monto.esCero()) throw DataSetError(kSinMontoItem, kMontoCaja);
    if (monto < Dinero()) throw DataSetError(kMontoNegativo, kMontoCaja);
    if (c.asInt(kForma) == 1 && validarEfectivo_ && !alcanzaEfectivo(c))
        throw DataSetError(kEfectivoInsuficiente, kMontoCaja);
}

bool FormasPago::abrirCaja() {
    if (bancoAbierto_) {
        interaccion_.error(kCierreBanco);
        return false;
    }
    if (!cajaHabilitada_) {
        interaccion_.error(kDerechoNegado);
        return false;
    }
    cajaAbierta_ = true;
    if (caja_.isEmpty()) caja_.append();
    emit cambiado();
    return true;
}

void FormasPago::agregarItemCaja() {
    if (editando(caja_)) caja_.post();
    caja_.append();
}

bool FormasPago::continuarCaja() {
    if (editando(caja_)) {
        try {
            caja_.post();
        } catch (const DataSetError& e) {
            interaccion_.error(e.message());
            if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
            return false;
        }
    }
    cajaAbierta_ = false;
    sumCaja_ = totalItemsCaja();
    emit cambiado();
    return true;
}

void FormasPago::salirCaja() {
    if (editando(caja_)) caja_.cancel();
    cajaAbierta_ = false;
    sumCaja_ = totalItemsCaja();
    emit cambiado();
}

int FormasPago::documentosEnCaja() {
    if (editando(caja_)) {
        // An empty item just started gives way to the documents chosen.
        if (caja_.state() == DataSet::State::Insert && texto(caja_, kNumero).isEmpty()) caja_.cancel();
        else caja_.post();
    }
    const int caja = caja_.isEmpty() ? (cajaPredeterminada_ ? cajaPredeterminada_ : primeraCaja()) : int(caja_.asInt(kCaja));
    const auto eleccion = interaccion_.elegir(QStringLiteral("Tfdocencaja"), {{kCaja, caja}});
    if (!eleccion) return 0;
    int n = 0;
    for (const QVariant& v : eleccion->value(QStringLiteral("documentos")).toList()) {
        const QVariantMap doc = v.toMap();
        const int fopa = doc.value(kForma).toInt();
        const QString banco = doc.value(kBanco).toString().trimmed();
        const QString cuenta = doc.value(kCuenta).toString().trimmed();
        const QString numero = doc.value(kNumero).toString().trimmed();
        if (repetidoEnCaja(fopa, banco, cuenta, numero)) continue;  // chosen twice
        const auto monto = Dinero::desdeTexto(doc.value(kMontoCaja).toString());
        Bandera quieto(ocupado_);
        caja_.append();
        caja_.setValue(kCaja, caja);
        caja_.setValue(kForma, fopa);
        caja_.setValue(kBanco, banco);
        caja_.setValue(kCuenta, cuenta);
        caja_.setValue(kNumero, numero);
        ponImporte(caja_, kMontoCaja, monto.value_or(Dinero()));
        try {
            caja_.post();
            ++n;
        } catch (const DataSetError& e) {
            interaccion_.error(e.message());
            caja_.cancel();
        }
    }
    sumCaja_ = totalItemsCaja();
    emit cambiado();
    return n;
}

void FormasPago::eliminarItemsCaja() {
    if (editando(caja_)) caja_.cancel();
    while (!caja_.isEmpty()) {
        caja_.last();
        caja_.remove();
    }
    sumCaja_ = Dinero();
    emit cambiado();
}

// ------------------------------------------------------------- bank document

void FormasPago::nuevoDocumentoBanco(DataSet& b) {
    const Contexto ctx = contexto_();
    b.setValue(kFechaBco, ctx.fecha);
    b.setValue(QStringLiteral("EGBC_CONCEPTO"), ctx.concepto.left(60));
    b.setValue(QStringLiteral("EGBC_BENEF"), ctx.beneficiario.left(60));
    Dinero resto = ctx.monto - sumCaja_;
    if (resto < Dinero()) resto = Dinero();
    ponImporte(b, kMontoBco, resto);
    b.setValue(QStringLiteral("EGBC_GMF"), "N");
    b.setValue(QStringLiteral("EGBC_ANULADO"), "N");
    b.setValue(QStringLiteral("EGBC_TRANSMIT"), "N");
    if (!cuentas_.isEmpty()) b.setValue(kCuba, cuentas_.first().clave.toInt());
}

// The account lists the kinds it has prefixes for, and its levy.
void FormasPago::cuentaBancoCambiada() {
    if (ocupado_ || !editando(banco_)) return;
    cargarTipos();
    const auto gmf = banco_.isNull(kCuba)
                         ? std::optional<fb::Row>()
                         : sesion_.compania.queryOne(QStringLiteral("select cuba_gmfpor from cuentas_banco where cuba_cod = ") +
                                                     sql::numero(banco_.asInt(kCuba)));
    banco_.setValue(QStringLiteral("EGBC_GMF"), gmf && dineroDe((*gmf)[0]) > Dinero() ? "S" : "N");
    elegirTipo(tipos_.isEmpty() ? QString() : tipos_.first());
}

void FormasPago::cargarTipos() {
    tipos_.clear();
    if (banco_.isNull(kCuba)) return;
    for (const fb::Row& f : sesion_.compania.query(
             QStringLiteral("select distinct tido_nomlargo, p.tido_cod from prefijos_bancos p, tipo_documento t "
                            "where p.tido_cod = t.tido_cod and cuba_cod = ") +
             sql::numero(banco_.asInt(kCuba)) +
             QStringLiteral(" and (p.tido_cod = 72 or p.tido_cod = 73) and PRBA_ACTIVO = 'S' order by 2")))
        tipos_ << f[0].toString().trimmed();
}

void FormasPago::elegirTipo(const QString& tipo) {
    tipoElegido_ = tipo;
    prefijosBanco_.clear();
    if (!editando(banco_)) {
        emit cambiado();
        return;
    }
    if (!tipo.isEmpty() && !banco_.isNull(kCuba)) {
        for (const fb::Row& f : sesion_.compania.query(
                 QStringLiteral("select p.tido_cod, prba_pref, prba_numero, prba_auto from prefijos_bancos p, "
                                "tipo_documento t where p.tido_cod = t.tido_cod and cuba_cod = ") +
                 sql::numero(banco_.asInt(kCuba)) +
                 QStringLiteral(" and PRBA_ACTIVO = 'S' and tido_nomlargo = ") + sql::texto(tipo) +
                 QStringLiteral(" order by prba_pref")))
            prefijosBanco_.append({int(f[0].toInt64()), f[1].toString().trimmed(), f[2].toString().trimmed(),
                                   f[3].toString().trimmed() == QLatin1String("S")});
    }
    if (prefijosBanco_.isEmpty()) {
        if (!banco_.isNull(kCuba)) interaccion_.error(kSinPrefijosBanco);
        Bandera quieto(ocupado_);
        banco_.setValue(kTipoBco, fb::Value());
        banco_.setValue(kPrefBco, QString());
        banco_.setValue(kNumBco, QString());
        numeroBancoAutomatico_ = false;
        emit cambiado();
        return;
    }
    banco_.setValue(kTipoBco, prefijosBanco_.first().tipo);
    if (texto(banco_, kPrefBco) == prefijosBanco_.first().prefijo) prefijoBancoCambiado();
    else banco_.setValue(kPrefBco, prefijosBanco_.first().prefijo);
}

// The prefix gives the number; an automatic checkbook's number is not typed.
void FormasPago::prefijoBancoCambiado() {
    if (ocupado_ || !editando(banco_)) return;
    const QString prefijo = texto(banco_, kPrefBco);
    const PrefijoBanco* elegido = nullptr;
    for (const PrefijoBanco& p : prefijosBanco_)
        if (p.prefijo == prefijo) elegido = &p;
    numeroBancoAutomatico_ = elegido && elegido->automatico;
    numeroDelTalonario_ = elegido ? elegido->numero : QString();
    banco_.setValue(kNumBco, numeroDelTalonario_);
    emit cambiado();
}

// An automatic checkbook's number is not typed: it goes back to the
// checkbook's (the save takes the next free one when another clerk used
// it meanwhile). A typed number already used on that account, kind and
// prefix is refused.
void FormasPago::numeroBancoCambiado() {
    if (ocupado_ || !editando(banco_)) return;
    if (numeroBancoAutomatico_) {
        if (texto(banco_, kNumBco) != numeroDelTalonario_) {
            Bandera quieto(ocupado_);
            banco_.setValue(kNumBco, numeroDelTalonario_);
        }
        return;
    }
    const QString numero = texto(banco_, kNumBco);
    const QString prefijo = texto(banco_, kPrefBco);
    if (numero.isEmpty() || prefijo.isEmpty() || banco_.isNull(kTipoBco) || banco_.isNull(kCuba)) return;
    const bool cheque = banco_.asInt(kTipoBco) == 72;
    const QString sql =
        (cheque ? QStringLiteral("select count(cheq_id) from cheques where cuba_cod = ")
                : QStringLiteral("select count(reti_id) from retiros where cuba_cod = ")) +
        sql::numero(banco_.asInt(kCuba)) + QStringLiteral(" and prba_pref = ") + sql::texto(prefijo) +
        (cheque ? QStringLiteral(" and cheq_numero = ") : QStringLiteral(" and reti_numero = ")) + sql::texto(numero);
    const auto fila = sesion_.compania.queryOne(sql);
    if (!fila || (*fila)[0].toInt64() == 0) return;
    interaccion_.error(kDocBancoExiste);
    Bandera quieto(ocupado_);
    banco_.setValue(kNumBco, QString());
    interaccion_.enfocar(kNumBco);
}

void FormasPago::fechaBancoCambiada() {
    if (ocupado_ || !editando(banco_)) return;
    const QDate hoy = QDate::currentDate();
    const QDate fecha = banco_.asDate(kFechaBco);
    if (!fecha.isValid() || fecha <= hoy.addDays(diasPosfechado_)) return;
    interaccion_.error(kFechaLejana);
    Bandera quieto(ocupado_);
    banco_.setValue(kFechaBco, hoy);
    interaccion_.enfocar(kFechaBco);
}

bool FormasPago::abrirBanco() {
    if (cajaAbierta_) {
        interaccion_.error(kCierreCaja);
        return false;
    }
    if (!bancoHabilitado_) {
        interaccion_.error(kDerechoNegado);
        return false;
    }
    if (cuentas_.isEmpty()) {
        interaccion_.error(kSinCuentas);
        return false;
    }
    bancoAbierto_ = true;
    if (banco_.isEmpty()) {
        banco_.append();
    } else {
        // The kinds and prefixes of the document already entered.
        cargarTipos();
        banco_.edit();
    }
    emit cambiado();
    return true;
}

bool FormasPago::continuarBanco() {
    if (banco_.isEmpty()) {
        bancoAbierto_ = false;
        sumBanco_ = Dinero();
        emit cambiado();
        return true;
    }
    const Dinero monto = banco_.asDinero(kMontoBco);
    if (monto.esCero()) {
        interaccion_.error(kMontoCero);
        interaccion_.enfocar(kMontoBco);
        return false;
    }
    if (monto < Dinero()) {
        interaccion_.error(kMontoNegativo);
        interaccion_.enfocar(kMontoBco);
        return false;
    }
    if (editando(banco_)) {
        try {
            banco_.post();
        } catch (const DataSetError& e) {
            interaccion_.error(e.message());
            if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
            return false;
        }
    }
    bancoAbierto_ = false;
    sumBanco_ = monto;
    emit cambiado();
    return true;
}

void FormasPago::salirBanco() {
    if (editando(banco_)) banco_.cancel();
    bancoAbierto_ = false;
    sumBanco_ = banco_.isEmpty() ? Dinero() : banco_.asDinero(kMontoBco);
    emit cambiado();
}

void FormasPago::recalcular() {
    sumCaja_ = totalItemsCaja();
    sumBanco_ = banco_.isOpen() && !banco_.isEmpty() ? banco_.asDinero(kMontoBco) : Dinero();
    emit cambiado();
}

void FormasPago::reiniciar() {
    cajaAbierta_ = bancoAbierto_ = false;
    numeroBancoAutomatico_ = false;
    tipos_.clear();
    prefijosBanco_.clear();
    tipoElegido_.clear();
    sumCaja_ = sumBanco_ = Dinero();
    emit cambiado();
}

}  // namespace cxp
