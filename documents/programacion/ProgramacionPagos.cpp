#include "documents/programacion/ProgramacionPagos.h"

#include "base/Sql.h"
#include "data/Importe.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Sesion.h"
#include "data/fb/Database.h"

#include <chrono>

namespace cxp {

namespace {

const QString kProveedor = QStringLiteral("cdsProgramacion");
const QString kId = QStringLiteral("PRPG_ID");
const QString kItem = QStringLiteral("PRPG_ITEM");
const QString kPref = QStringLiteral("PRPG_PREF");
const QString kNumero = QStringLiteral("PRPG_NUMERO");
const QString kFecha = QStringLiteral("PRPG_FECHA");
const QString kPregr = QStringLiteral("PRPG_PREGR");
const QString kFecegr = QStringLiteral("PRPG_FECEGR");
const QString kConfirmado = QStringLiteral("PRPG_CONFIRMADO");
const QString kTipoDoc = QStringLiteral("PRPG_TIPODOC");
const QString kIdDoc = QStringLiteral("PRPG_IDDOC");
const QString kAbono = QStringLiteral("PRPG_ABONO");
const QString kEgreso = QStringLiteral("PRPG_EGRESO");
const QString kPago = QStringLiteral("PAGO");

fb::Value valor(Dinero d) { return fb::Value(fb::Decimal{d.escalado(-2), -2}); }

}  // namespace

ProgramacionPagos::ProgramacionPagos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador)
    : sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {
    plan_.addDetail(filas_, {kId}, {kId});
    plan_.onNewRecord([this](DataSet& p) {
        p.setValue(kId, 0);
        p.setValue(QStringLiteral("TIDO_COD"), kTipo);
        for (const char* f : {"PRPG_ANULADO", "PRPG_TRANSMIT", "PRPG_NUMOK", "PRPG_CONFIRMADO"})
            p.setValue(QString::fromLatin1(f), "N");
        p.setValue(QStringLiteral("PRPG_UNEGR"), "S");
        p.setValue(kFecha, QDate::currentDate());
        p.setValue(kFecegr, QDate::currentDate());
        p.setValue(QStringLiteral("PRPG_USER"), sesion_.usuario_actual.left(10));
    });
    plan_.onChange(kPref, [this](DataSet& p) { p.setValue(kNumero, actualDelPrefijo(p.asString(kPref).trimmed())); });
    // Another cut-off offers other documents and other money.
    plan_.onChange(kFecha, [this](DataSet&) {
        if (abierto_) componer();
    });
    filas_.onNewRecord([this](DataSet& f) {
        f.setValue(kItem, ++ultimoItem_);
        f.setValue(QStringLiteral("PRPG_IDEGRE"), 0);
        for (const char* c : {"PRPG_EGRESO", "PRPG_ANULADO", "PRPG_TRANSMIT"}) f.setValue(QString::fromLatin1(c), "N");
    });
    // Declared before the first opening, so that the rows are read with it
    // instead of growing one by one afterwards.
    documentos_.addCalculated(FieldSpec(kPago, FieldType::Decimal, 15, 2), [this](const RecordRef& r) {
        return valor(pagos_.value({int(r.asInt(QStringLiteral("TIPO"))), r.asInt(QStringLiteral("ID"))}));
    });
}

QString ProgramacionPagos::actualDelPrefijo(const QString& prefijo) {
    numeroAutomatico_ = false;
    if (prefijo.isEmpty()) return {};
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_auto from prefijos where tido_cod = ") + sql::numero(int64_t(kTipo)) +
        QStringLiteral(" and pref_pre = ") + sql::texto(prefijo));
    numeroAutomatico_ = fila && (*fila)[0].toString().trimmed() == QLatin1String("S");
    const auto libre = numeroLibreDelPrefijo(sesion_.compania, kTipo, prefijo);
    return libre ? *libre : QString();
}

bool ProgramacionPagos::abrir(int64_t id) {
    abierto_ = false;
    try {
        auto leer = [&](int tipo, QList<OpcionBusqueda>& lista) {
            lista.clear();
            for (const QString& p : prefijosActivos(sesion_.compania, tipo, sesion_.agencia_actual)) lista.append({p, p});
        };
        leer(kTipo, prefijos_);
        leer(62, prefijosEgreso_);
        if (prefijos_.isEmpty()) {
            interaccion_.error(kSinPrefijo);
            return false;
        }
        agencias_ = {{QStringLiteral("0"), QStringLiteral("Todas")}};
        for (const fb::Row& f :
             sesion_.compania.query(QStringLiteral("select sucu_id, sucu_nombre from sucursales order by sucu_id")))
            agencias_.append({f[0].toString(), f[1].toString().trimmed()});
        agencia_ = sesion_.agencia_actual;
        plan_.open(sesion_.compania,
                   QStringLiteral("SELECT * FROM PROGRAMACION_PAGOS_ENC WHERE PRPG_ID = ") + sql::numero(id));
        plan_.setUpdateTable(QStringLiteral("PROGRAMACION_PAGOS_ENC"), {kId});
        cargarFilas(id);
        if (plan_.isEmpty()) nuevoPlan();
        else actualDelPrefijo(plan_.asString(kPref).trimmed());
        componer();
        abierto_ = true;
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    return true;
}

void ProgramacionPagos::cargarFilas(int64_t id) {
    filas_.open(sesion_.compania, QStringLiteral("SELECT * FROM PROGRAMACION_PAGOS WHERE PRPG_ID = ") + sql::numero(id) +
                                      QStringLiteral(" ORDER BY PRPG_ITEM"));
    filas_.setUpdateTable(QStringLiteral("PROGRAMACION_PAGOS"), {kId, kItem});
    ultimoItem_ = 0;
    for (int i = 0; i < filas_.recordCount(); ++i) ultimoItem_ = std::max(ultimoItem_, int(filas_.row(i).asInt(kItem)));
}

void ProgramacionPagos::nuevoPlan() {
    plan_.append();
    plan_.setValue(kPref, prefijos_.first().clave);
    if (!prefijosEgreso_.isEmpty()) plan_.setValue(kPregr, prefijosEgreso_.first().clave);
    plan_.post();
}

void ProgramacionPagos::setAgencia(int agencia) {
    agencia_ = agencia;
    componer();
}

void ProgramacionPagos::componer() {
    const QDate corte = plan_.asDate(kFecha);
    const QString fecha = sql::fecha(corte);
    // "Pago" of each offered document from its plan row, looked up by type
    // and id: the list may hold every open document of the company.
    pagos_.clear();
    pagos_.reserve(filas_.recordCount());
    for (int i = 0; i < filas_.recordCount(); ++i) {
        const RecordRef f = filas_.row(i);
        pagos_.insert({int(f.asInt(kTipoDoc)), f.asInt(kIdDoc)}, f.asDinero(kAbono));
    }
    documentos_.open(
        sesion_.compania,
        QStringLiteral("select * from rep_cxpagar_proveedor ('','zz','','zz', ") + fecha + QStringLiteral(",'N','N',") +
            sql::numero(int64_t(agencia_)) +
            QStringLiteral(",0)  where saldo <> 0 and not exists (select prpg_id from programacion_pagos where "
                           "prpg_anulado = 'N' and prpg_idegre = 0 and prpg_tipodoc = rep_cxpagar_proveedor.TIPO and "
                           "prpg_iddoc = rep_cxpagar_proveedor.ID and prpg_fecha = ") +
            fecha + QStringLiteral(" and prpg_id <> ") + sql::numero(plan_.asInt(kId)) + QStringLiteral(")"));
    if (soloAPagar_) {
        // The list is only read: removing rows writes nothing.
        for (int i = documentos_.recordCount() - 1; i >= 0; --i) {
            if (!documentos_.row(i).asDinero(kPago).esCero()) continue;
            documentos_.setCurrentRow(i);
            documentos_.remove();
        }
        if (!documentos_.isEmpty()) documentos_.first();
    }
    dinero_.open(sesion_.compania, QStringLiteral("select * from dinero_disponible(") + fecha + u',' +
                                       sql::numero(int64_t(agencia_)) + u')');
    if (alComponer) alComponer();
}

Dinero ProgramacionPagos::totalPagos() const {
    return documentos_.isOpen() && !documentos_.isEmpty() ? documentos_.sum(kPago) : Dinero();
}

Dinero ProgramacionPagos::totalDisponible() const {
    return dinero_.isOpen() && !dinero_.isEmpty() ? dinero_.sum(QStringLiteral("SALDO")) : Dinero();
}

void ProgramacionPagos::soloAPagar(bool solo) {
    soloAPagar_ = solo;
    componer();
}

QStringList ProgramacionPagos::clasesBanco(int cuenta) {
    QStringList r;
    for (const fb::Row& f : sesion_.compania.query(
             QStringLiteral("select distinct tido_nomlargo, p.tido_cod from prefijos_bancos p, tipo_documento t where "
                            "p.tido_cod = t.tido_cod and cuba_cod = ") +
             sql::numero(int64_t(cuenta)) +
             QStringLiteral(" and (p.tido_cod = 72 or p.tido_cod = 73)and PRBA_ACTIVO = 'S' order by 2")))
        r << f[0].toString().trimmed();
    return r;
}

QStringList ProgramacionPagos::prefijosBanco(int cuenta, const QString& clase) {
    QStringList r;
    const int tipo = clase.trimmed().toUpper() == QLatin1String("CHEQUE") ? 72 : 73;
    for (const fb::Row& f : sesion_.compania.query(
             QStringLiteral("select prba_pref from prefijos_bancos where prba_activo = 'S' and cuba_cod = ") +
             sql::numero(int64_t(cuenta)) + QStringLiteral(" and tido_cod = ") + sql::numero(int64_t(tipo)) +
             QStringLiteral(" order by prba_pref")))
        r << f[0].toString().trimmed();
    return r;
}

bool ProgramacionPagos::localizarFila(int tipo, int64_t id) {
    for (int i = 0; i < filas_.recordCount(); ++i) {
        const RecordRef f = filas_.row(i);
        if (f.asInt(kTipoDoc) == tipo && f.asInt(kIdDoc) == id) {
            filas_.setCurrentRow(i);
            return true;
        }
    }
    return false;
}

PagoProgramado ProgramacionPagos::propuesta(int filaDocumento) {
    PagoProgramado p;
    if (filaDocumento < 0 || filaDocumento >= documentos_.recordCount()) return p;
    const RecordRef d = documentos_.row(filaDocumento);
    p.valor = d.asDinero(QStringLiteral("SALDO"));
    if (!localizarFila(int(d.asInt(QStringLiteral("TIPO"))), d.asInt(QStringLiteral("ID")))) return p;
    p.valor = filas_.asDinero(kAbono);
    p.banco = filas_.asString(QStringLiteral("PRPG_COB")).trimmed() == QLatin1String("B");
    p.caja = int(filas_.isNull(QStringLiteral("PRPG_IDCAJA")) ? 0 : filas_.asInt(QStringLiteral("PRPG_IDCAJA")));
    if (p.banco) {
        const int64_t tipo = filas_.isNull(QStringLiteral("PRPG_TIPOBCO")) ? 0 : filas_.asInt(QStringLiteral("PRPG_TIPOBCO"));
        p.clase = tipo == 72 ? QStringLiteral("CHEQUE") : QString();
        p.prefijoBanco = filas_.asString(QStringLiteral("PRPG_PREFBCO")).trimmed();
    }
    p.egreso = filas_.asString(kEgreso) == QLatin1String("S");
    return p;
}

bool ProgramacionPagos::pagar(const QList<int>& filasDocumentos, const PagoProgramado& pago) {
    const QString pregr = plan_.asString(kPregr).trimmed();
    if (pregr.isEmpty()) {
        interaccion_.error(kSinPrefijoEgresos);
        return false;
    }
    if (documentos_.isEmpty()) return false;
    QList<int> cuales = filasDocumentos;
    if (cuales.isEmpty()) cuales << documentos_.currentRow();
    const int tipoBco = pago.clase.trimmed().toUpper() == QLatin1String("CHEQUE") ? 72 : 73;
    // The rows first: the list's "Pago" is computed from them.
    struct Doc {
        int tipo;
        int64_t id;
        Dinero saldo;
    };
    QList<Doc> docs;
    for (const int i : cuales) {
        const RecordRef d = documentos_.row(i);
        docs.append({int(d.asInt(QStringLiteral("TIPO"))), d.asInt(QStringLiteral("ID")), d.asDinero(QStringLiteral("SALDO"))});
    }
    // An amount typed for one document stays within its balance, on its
    // side: the plan never asks to pay more than is owed.
    if (docs.size() == 1 && pago.valor) {
        const Dinero v = *pago.valor, s = docs.first().saldo;
        if (v.esCero() || (v < Dinero()) != (s < Dinero()) || (s < Dinero() ? v < s : v > s)) {
            interaccion_.error(kValorInvalido);
            return false;
        }
    }
    for (const Doc& d : docs) {
        if (localizarFila(d.tipo, d.id)) {
            filas_.edit();
        } else {
            filas_.append();
            filas_.setValue(kFecha, plan_.asDate(kFecha));
            filas_.setValue(kPref, pregr);
        }
        filas_.setValue(kTipoDoc, d.tipo);
        filas_.setValue(kIdDoc, d.id);
        filas_.setValue(kAbono, docs.size() == 1 && pago.valor ? *pago.valor : d.saldo);
        filas_.setValue(QStringLiteral("PRPG_COB"), pago.banco ? "B" : "C");
        filas_.setValue(QStringLiteral("PRPG_IDCAJA"), pago.caja);
        if (pago.banco) {
            filas_.setValue(QStringLiteral("PRPG_TIPOBCO"), tipoBco);
            filas_.setValue(QStringLiteral("PRPG_PREFBCO"), pago.prefijoBanco);
        } else {
            filas_.setValue(QStringLiteral("PRPG_TIPOBCO"), fb::Value());
            filas_.setValue(QStringLiteral("PRPG_PREFBCO"), fb::Value());
        }
        filas_.setValue(kEgreso, pago.egreso ? "S" : "N");
        filas_.post();
    }
    // "Pago" and the totals follow the rows.
    const int actual = documentos_.currentRow();
    componer();
    if (actual >= 0 && actual < documentos_.recordCount()) documentos_.setCurrentRow(actual);
    return true;
}

bool ProgramacionPagos::grabar() {
    novedades_.clear();
    if (plan_.state() != DataSet::State::Browse) plan_.post();
    if (plan_.asString(kPregr).trimmed().isEmpty()) {
        interaccion_.error(kSinPrefijoEgresos);
        return false;
    }
    const bool generar = plan_.asString(kConfirmado) == QLatin1String("S");
    if (generar) {
        for (int i = 0; i < filas_.recordCount(); ++i) {
            filas_.setCurrentRow(i);
            if (filas_.asString(kEgreso) != QLatin1String("N")) continue;
            filas_.edit();
            filas_.setValue(kFecegr, plan_.asDate(kFecegr));
            filas_.setValue(kEgreso, "S");
            filas_.post();
        }
    }
    try {
        ApplyOptions o;
        o.maxAttempts = 30;
        o.maxDuration = std::chrono::seconds(20);
        o.transaction.lockTimeoutSeconds = 5;
        o.beforeApply = [this](fb::Transaction& tr, int) {
            if (plan_.asInt(kId) != 0) return;
            const int64_t id = tr.executeProcedure(QStringLiteral("CAMBIE_ID_PROGPAGO"))[QStringLiteral("ID")].toInt64();
            plan_.edit();
            plan_.setValue(kId, id);
            plan_.post();
        };
        o.afterApply = [this](fb::Transaction& tr, int) {
            novedades_.clear();
            for (const fb::Row& f : tr.query(QStringLiteral("select * from genere_egresos_progpago(") +
                                             sql::numero(plan_.asInt(kId)) + u',' +
                                             sql::texto(sesion_.usuario_actual.left(10)) + u')'))
                novedades_.append({int(f[QStringLiteral("ITEM")].toInt64()), int(f[QStringLiteral("TIPO")].toInt64()),
                                   f[QStringLiteral("IDDOC")].toInt64(), f[QStringLiteral("EGRESO")].toInt64(),
                                   f[QStringLiteral("NOVEDAD")].toString()});
        };
        o.onFailure = [this](const fb::DbError& e, int) {
            if (e.kind() != fb::ErrorKind::Unique) return false;
            const auto siguiente = numeroLibreDelPrefijo(sesion_.compania, kTipo, plan_.asString(kPref).trimmed());
            if (!siguiente || *siguiente == plan_.asString(kNumero)) return false;
            plan_.edit();
            plan_.setValue(kNumero, *siguiente);
            plan_.post();
            return true;
        };
        plan_.applyUpdates(sesion_.compania, o);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor, &plan_, kProveedor);
        return false;
    }
    if (!novedades_.isEmpty()) {
        QString m = QStringLiteral("Algunos documentos no se pagaron:\n");
        for (const NovedadProgramacion& n : novedades_) m += n.novedad + u'\n';
        interaccion_.advertencia(m.trimmed());
    }
    // The rows as the database left them (vouchers, remarks).
    const int64_t id = plan_.asInt(kId);
    plan_.open(sesion_.compania, QStringLiteral("SELECT * FROM PROGRAMACION_PAGOS_ENC WHERE PRPG_ID = ") + sql::numero(id));
    cargarFilas(id);
    return true;
}

}  // namespace cxp
