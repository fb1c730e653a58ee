#include "documents/applications/Tfaplicacionprv.h"

#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/Configuracion.h"
#include "data/Cxpagar.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Sesion.h"
#include "data/Terceros.h"
#include "data/fb/DbError.h"
#include "documents/applications/EscrituraAplicacion.h"
#include "documents/payments/DocumentosPagados.h"
#include "documents/payments/FilaElegida.h"

#include <QVariantList>
#include <algorithm>

namespace cxp {

namespace {
const QString kId = QStringLiteral("APPR_ID");
const QString kNit = QStringLiteral("TERC_NIT");
const QString kPrefijo = QStringLiteral("PREF_PRE");
const QString kNumero = QStringLiteral("APPR_NUMERO");
const QString kFecha = QStringLiteral("APPR_FECHA");
const QString kItem = QStringLiteral("APPD_ITEM");
const QString kNomCorto = QStringLiteral("TIDO_NOMCORTO");
const QString kTipoDoc = QStringLiteral("APPD_TIPODOC");
const QString kIdDoc = QStringLiteral("APPD_IDDOC");
const QString kPrefDoc = QStringLiteral("APPD_PREFIJO");
const QString kNumDoc = QStringLiteral("APPD_NUMERO");
const QString kAplicado = QStringLiteral("APPD_APLICADO");
const QString kRtfte = QStringLiteral("APPD_RTFTE");
const QString kRtiva = QStringLiteral("APPD_RTIVA");
const QString kRtica = QStringLiteral("APPD_RTICA");
const QString kProveedor = QStringLiteral("QAplicacion");

struct Bandera {
    bool& b;
    const bool antes;
    explicit Bandera(bool& x) : b(x), antes(x) { b = true; }
    ~Bandera() { b = antes; }
};

bool editando(const DataSet& d) { return d.state() != DataSet::State::Browse; }

// The rows with the type's short name first, as the grid shows it. The
// consult completes the document's prefix and number from the ledger for
// rows written without them.
QString consultaDetalle(int64_t id, bool consulta = false) {
    if (consulta)
        return QStringLiteral("select t.TIDO_NOMCORTO, coalesce(d.APPD_PREFIJO, s.PREF_PRE) APPD_PREFIJO, "
                              "coalesce(d.APPD_NUMERO, s.NUMERO) APPD_NUMERO, d.APPD_APLICADO, d.APPD_RTFTE, "
                              "d.APPD_RTIVA, d.APPD_RTICA, d.APPR_ID, d.APPD_ITEM, d.APPD_TIPODOC, d.APPD_IDDOC, "
                              "d.APPD_ANULADO from APLICACION_PROVEEDOR_DETALLE d "
                              "left join TIPO_DOCUMENTO t on t.TIDO_COD = d.APPD_TIPODOC "
                              "left join SALDOS_DOC_CXPAGAR s on s.TIPO = d.APPD_TIPODOC and s.ID = d.APPD_IDDOC "
                              "where d.APPR_ID = ") +
               sql::numero(id) + QStringLiteral(" order by d.APPD_ITEM");
    return QStringLiteral("select t.TIDO_NOMCORTO, d.* from APLICACION_PROVEEDOR_DETALLE d "
                          "left join TIPO_DOCUMENTO t on t.TIDO_COD = d.APPD_TIPODOC where d.APPR_ID = ") +
           sql::numero(id) + QStringLiteral(" order by d.APPD_ITEM");
}
}  // namespace

Tfaplicacionprv::Tfaplicacionprv(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion, ServiciosAplicacion servicios, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      servicios_(std::move(servicios)),
      numeracion_(std::make_unique<Numeracion>(sesion.compania, interaccion, configuracion)),
      terceros_(std::make_unique<Terceros>(sesion.compania, interaccion, configuracion)),
      cxpagar_(std::make_unique<Cxpagar>(sesion.compania, interaccion)) {
    enlazarTablasAplicacion(aplicacion_, detalle_);
    enlazar();
}

Tfaplicacionprv::~Tfaplicacionprv() = default;

void Tfaplicacionprv::enlazar() {
    aplicacion_.onChange(kPrefijo, [this](DataSet&) { prefijoIngresado(); });
    aplicacion_.onChange(kNumero, [this](DataSet&) { numeroIngresado(); });
    aplicacion_.onChange(kNit, [this](DataSet&) { acreedorIngresado(); });
    detalle_.onNewRecord([this](DataSet& d) { nuevaFila(d); });
    detalle_.onChange(kNomCorto, [this](DataSet& d) { tipoIngresado(d); });
    for (const QString& c : {kTipoDoc, kPrefDoc, kNumDoc})
        detalle_.onChange(c, [this](DataSet& d) { documentoIngresado(d); });
    detalle_.onChange(kAplicado, [this](DataSet& d) { aplicadoCambiado(d); });
    for (const QString& c : {kAplicado, kRtfte, kRtiva, kRtica})
        detalle_.onChange(c, [this](DataSet&) { emit cambiado(); });
    detalle_.beforePost([this](DataSet& d) { antesDePostear(d); });
    detalle_.afterRemove([this](DataSet&) { emit cambiado(); });
}

void Tfaplicacionprv::leerConfiguracion() {
    auto si = [this](const char* modulo, const char* grupo, const char* clave) {
        return configuracion_.valor(QString::fromLatin1(modulo), QString::fromLatin1(grupo), QString::fromLatin1(clave))
                   .trimmed()
                   .compare(QStringLiteral("SI"), Qt::CaseInsensitive) == 0;
    };
    preguntaTasa_ = si("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR");
    fechaInhabilitada_ = si("CXPAGAR", "DOCUMENTOS", "INHABILITAR FECHA EN DOCUMENTOS");
}

bool Tfaplicacionprv::cargarListas() {
    tipos_.clear();
    for (const fb::Row& f : sesion_.compania.query(
             QStringLiteral("select tido_cod, tido_nomcorto from tipo_documento where tido_cxp = 'S' order by tido_cod")))
        tipos_.append({f[0].toString().trimmed(), f[1].toString().trimmed()});
    prefijos_.clear();
    for (const QString& p : prefijosActivos(sesion_.compania, kTipo, sesion_.agencia_actual)) prefijos_.append({p, p});
    return !prefijos_.isEmpty();
}

QString Tfaplicacionprv::actualDelPrefijo(const QString& prefijo, bool* automatico) {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_actual, pref_auto from prefijos where tido_cod = 53 and pref_pre = ") +
        sql::texto(prefijo));
    if (automatico) *automatico = fila && (*fila)[1].toString().trimmed() == QLatin1String("S");
    if (!fila) return QString();
    const auto libre = numeroLibreDelPrefijo(sesion_.compania, kTipo, prefijo);
    return libre ? *libre : complete_numero((*fila)[0].toString().trimmed());
}

bool Tfaplicacionprv::abrir() {
    leerConfiguracion();
    try {
        if (!cargarListas()) {
            interaccion_.error(kSinPrefijo);
            return false;
        }
        aplicacion_.open(sesion_.compania, QStringLiteral("SELECT * FROM APLICACION_PROVEDOR WHERE APPR_ID = 0"));
        detalle_.open(sesion_.compania, consultaDetalle(0));
        if (!aplicacion_.isEmpty()) {
            if (interaccion_.preguntar(kPagoPrevio)) {
                // Saved under its own id, the application is written whole
                // again; the stored copy goes in the same transaction.
                aplicacion_.markAllNew();
                recuperado_ = true;
                ultimoItem_ = 0;
                for (int i = 0; i < detalle_.recordCount(); ++i)
                    ultimoItem_ = std::max(ultimoItem_, int(detalle_.row(i).asInt(kItem)));
                aplicacion_.edit();
                nombreAcreedor_ = terceros_->nom_tercero(aplicacion_.asString(kNit).trimmed());
                actualDelPrefijo(aplicacion_.asString(kPrefijo), &numeroAutomatico_);
                emit cambiado();
                return true;
            }
            fb::Transaction tr = sesion_.compania.begin();
            tr.execute(QStringLiteral("delete from aplicacion_proveedor_detalle where appr_id = 0"));
            tr.execute(QStringLiteral("delete from aplicacion_provedor where appr_id = 0"));
            tr.commit();
            aplicacion_.open(sesion_.compania, QStringLiteral("SELECT * FROM APLICACION_PROVEDOR WHERE APPR_ID = 0"));
            detalle_.open(sesion_.compania, consultaDetalle(0));
        }
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    nuevo(QString());
    return true;
}

void Tfaplicacionprv::nuevo(const QString& prefijo) {
    ultimoItem_ = 0;
    recuperado_ = false;
    nombreAcreedor_.clear();
    aplicacion_.append();
    DataSet& a = aplicacion_;
    a.setValue(kId, 0);
    a.setValue(QStringLiteral("TIDO_COD"), kTipo);
    a.setValue(kFecha, QDate::currentDate());
    for (const char* f : {"APPR_ANULADO", "APPR_TRANSMIT", "NUMOK"}) a.setValue(QString::fromLatin1(f), "N");
    a.setValue(QStringLiteral("APPR_USUARIO"), sesion_.usuario_actual.left(10));
    if (preguntaTasa_) a.setValue(QStringLiteral("APPR_TRM"), Dinero());
    const bool conocido = std::any_of(prefijos_.begin(), prefijos_.end(),
                                      [&](const OpcionBusqueda& o) { return o.clave == prefijo; });
    a.setValue(kPrefijo, conocido ? prefijo : prefijos_.first().clave);
    interaccion_.enfocar(kNumero);
    emit cambiado();
}

void Tfaplicacionprv::prefijoIngresado() {
    if (consulta_ || ocupado_) return;
    const QString prefijo = aplicacion_.asString(kPrefijo).trimmed();
    if (prefijo.isEmpty()) return;
    const QString actual = actualDelPrefijo(prefijo, &numeroAutomatico_);
    Bandera b(ocupado_);
    aplicacion_.setValue(kNumero, actual);
    emit cambiado();
}

// Completed to six characters before it is checked; the number of a saved
// application opens that application and goes back to the prefix's.
void Tfaplicacionprv::numeroIngresado() {
    if (consulta_ || ocupado_) return;
    Bandera b(ocupado_);
    const QString escrito = aplicacion_.asString(kNumero).trimmed();
    if (escrito.isEmpty()) return;
    const QString numero = complete_numero(escrito);
    if (numero != aplicacion_.asString(kNumero)) aplicacion_.setValue(kNumero, numero);
    const QString prefijo = aplicacion_.asString(kPrefijo).trimmed();
    numeracion_->limpiarEncontrados();
    if (!numeracion_->existe_numero(kTipo, prefijo, numero)) return;
    const int64_t id = numeracion_->encontrado(kTipo).toLongLong();
    if (id == aplicacion_.asInt(kId)) return;  // the one brought back with id 0
    aplicacion_.setValue(kNumero, actualDelPrefijo(prefijo));
    if (servicios_.consultar && id != 0) servicios_.consultar(id);
    interaccion_.enfocar(kNumero);
}

void Tfaplicacionprv::acreedorIngresado() {
    if (consulta_ || ocupado_) return;
    const QString nit = aplicacion_.asString(kNit).trimmed();
    nombreAcreedor_.clear();
    if (nit == QLatin1String("?")) {
        buscarAcreedor();
        return;
    }
    if (!nit.isEmpty()) {
        nombreAcreedor_ = terceros_->nom_tercero(nit);
        if (nombreAcreedor_.isEmpty()) {
            interaccion_.error(kSinTercero);
            Bandera b(ocupado_);
            aplicacion_.setValue(kNit, QString());
            interaccion_.enfocar(kNit);
        }
    }
    emit cambiado();
}

void Tfaplicacionprv::buscarAcreedor() {
    if (consulta_) return;
    const auto eleccion = interaccion_.elegir(QStringLiteral("Tfbuscprove"));
    if (!editando(aplicacion_)) aplicacion_.edit();
    aplicacion_.setValue(kNit, eleccion ? eleccion->value(QStringLiteral("nit")).toString() : QString());
}

bool Tfaplicacionprv::cabeceraCompleta() {
    if (aplicacion_.asString(kNumero).trimmed().isEmpty() || aplicacion_.asString(kPrefijo).trimmed().isEmpty() ||
        aplicacion_.asString(kNit).trimmed().isEmpty()) {
        interaccion_.error(kCabecera);
        return false;
    }
    return true;
}

// ---- rows

void Tfaplicacionprv::nuevaFila(DataSet& d) {
    d.setValue(kItem, ++ultimoItem_);
    d.setValue(kIdDoc, 0);
    for (const QString& c : {kAplicado, kRtfte, kRtiva, kRtica, QStringLiteral("APPD_RCREE")}) d.setValue(c, Dinero());
    d.setValue(QStringLiteral("APPD_ANULADO"), "N");
    d.setValue(QStringLiteral("APPD_TRANSMIT"), "N");
}

void Tfaplicacionprv::tipoIngresado(DataSet& d) {
    if (ocupado_) return;
    const QString nombre = d.asString(kNomCorto).trimmed().toUpper();
    int tipo = 0;
    for (const OpcionBusqueda& o : tipos_)
        if (o.nombre.compare(nombre, Qt::CaseInsensitive) == 0) tipo = o.clave.toInt();
    Bandera b(ocupado_);
    if (tipo == 0) {
        if (!nombre.isEmpty()) interaccion_.informacion(DocumentosPagados::kTipoDesconocido);
        d.setValue(kNomCorto, fb::Value());
        d.setValue(kTipoDoc, fb::Value());
        return;
    }
    if (nombre != d.asString(kNomCorto)) d.setValue(kNomCorto, nombre);
    d.setValue(kTipoDoc, tipo);
    ocupado_ = false;
    documentoIngresado(d);
}

bool Tfaplicacionprv::duplicado(const DataSet& d, int tipo, const QString& prefijo, const QString& numero) const {
    for (int i = 0; i < d.recordCount(); ++i) {
        if (i == d.currentRow() && editando(d)) continue;
        const RecordRef r = d.row(i);
        if (!r.isNull(kTipoDoc) && int(r.asInt(kTipoDoc)) == tipo && r.asString(kPrefDoc).trimmed() == prefijo &&
            r.asString(kNumDoc).trimmed() == numero)
            return true;
    }
    return false;
}

void Tfaplicacionprv::documentoIngresado(DataSet& d) {
    if (ocupado_ || !editando(d)) return;
    const int tipo = d.isNull(kTipoDoc) ? 0 : int(d.asInt(kTipoDoc));
    const QString prefijo = d.asString(kPrefDoc).trimmed();
    const QString numero = d.asString(kNumDoc).trimmed();
    if (tipo == 0 || prefijo.isEmpty() || numero.isEmpty()) return;
    Bandera b(ocupado_);
    const int64_t id =
        cxpagar_->id_doc_p(tipo, prefijo, numero, aplicacion_.asString(kNit).trimmed(), aplicacion_.asDate(kFecha));
    if (id == 0) {
        interaccion_.informacion(kNoExiste);
        d.setValue(kPrefDoc, fb::Value());
        d.setValue(kNumDoc, fb::Value());
        d.setValue(kIdDoc, 0);
        return;
    }
    if (duplicado(d, tipo, prefijo, numero)) {
        interaccion_.informacion(kDuplicado);
        d.cancel();
        emit cambiado();
        return;
    }
    const ImportesPendientes& p = cxpagar_->ultimos();
    d.setValue(kIdDoc, id);
    d.setValue(kAplicado, p.saldo);
    d.setValue(kRtfte, p.rtfte);
    d.setValue(kRtiva, p.rtiva);
    d.setValue(kRtica, p.rtica);
    emit cambiado();
}

// The amount keeps the sign of the document's balance.
void Tfaplicacionprv::aplicadoCambiado(DataSet& d) {
    if (ocupado_ || !editando(d) || d.asInt(kIdDoc) == 0) return;
    cxpagar_->id_doc_p(int(d.asInt(kTipoDoc)), d.asString(kPrefDoc).trimmed(), d.asString(kNumDoc).trimmed(),
                       aplicacion_.asString(kNit).trimmed(), aplicacion_.asDate(kFecha));
    const Dinero saldo = cxpagar_->ultimos().saldo;
    const Dinero monto = d.asDinero(kAplicado);
    if ((saldo > Dinero() && monto < Dinero()) || (saldo < Dinero() && monto > Dinero()))
        interaccion_.error(kMontoIncorrecto);
}

// A row without a document is dropped by the caller (see grabar and the
// view); one with a document is checked against what it may still take: the
// sign of its balance and the withholdings pending. The database guards
// the balance itself when the application is written.
void Tfaplicacionprv::antesDePostear(DataSet& d) {
    if (d.asInt(kIdDoc) == 0) throw DataSetError(kNoExiste, kTipoDoc);
    const int64_t id = cxpagar_->id_doc_p(int(d.asInt(kTipoDoc)), d.asString(kPrefDoc).trimmed(),
                                          d.asString(kNumDoc).trimmed(), aplicacion_.asString(kNit).trimmed(),
                                          aplicacion_.asDate(kFecha));
    if (id != d.asInt(kIdDoc)) throw DataSetError(kNoExiste, kNumDoc);
    const ImportesPendientes& p = cxpagar_->ultimos();
    const Dinero monto = d.asDinero(kAplicado);
    if ((p.saldo > Dinero() && monto < Dinero()) || (p.saldo < Dinero() && monto > Dinero()))
        throw DataSetError(kMontoIncorrecto, kAplicado);
    auto excede = [](Dinero tomado, Dinero pendiente) {
        return (pendiente >= Dinero() && (tomado > pendiente || tomado < Dinero())) ||
               (pendiente < Dinero() && (tomado < pendiente || tomado > Dinero()));
    };
    if (excede(d.asDinero(kRtfte), p.rtfte) || excede(d.asDinero(kRtiva), p.rtiva) ||
        excede(d.asDinero(kRtica), p.rtica))
        throw DataSetError(kExcedido, kRtfte);
}

Dinero Tfaplicacionprv::sumAplicado() const { return detalle_.isOpen() ? detalle_.sum(kAplicado) : Dinero(); }

Dinero Tfaplicacionprv::sumRetenciones(const QString& campo) const {
    return detalle_.isOpen() ? detalle_.sum(campo) : Dinero();
}

// ---- the picker

int Tfaplicacionprv::elegirDocumentos() {
    if (consulta_) return 0;
    if (!cabeceraCompleta()) return 0;
    const auto eleccion = interaccion_.elegir(
        QStringLiteral("Tfconscxpagar"),
        {{kNit, aplicacion_.asString(kNit).trimmed()}, {QStringLiteral("EGRE_FECHA"), aplicacion_.asDate(kFecha)}});
    return eleccion ? agregarEleccion(*eleccion) : 0;
}

bool Tfaplicacionprv::agregar(const QString& nomcorto, const QString& prefijo, const QString& numero) {
    int tipo = 0;
    for (const OpcionBusqueda& o : tipos_)
        if (o.nombre.compare(nomcorto.trimmed(), Qt::CaseInsensitive) == 0) tipo = o.clave.toInt();
    if (duplicado(detalle_, tipo, prefijo.trimmed(), numero.trimmed())) {
        interaccion_.informacion(kCruceDuplicado);
        return false;
    }
    if (editando(detalle_)) {
        if (detalle_.asInt(kIdDoc) == 0) detalle_.cancel();
        else detalle_.post();
    }
    return agregarDocumento(detalle_, {kNomCorto, kPrefDoc, kNumDoc, kIdDoc}, nomcorto, prefijo, numero);
}

// Several documents wait in CONSOLIDE_FALTANTES under one id; they are read
// (with the ledger's prefix and number of each) and the list is dropped.
int Tfaplicacionprv::agregarEleccion(const QVariantMap& eleccion) {
    QVariantMap e = eleccion;
    const int64_t lista = eleccion.value(QStringLiteral("lista")).toLongLong();
    if (lista != 0) {
        QVariantList documentos;
        try {
            for (const fb::Row& f : sesion_.compania.query(
                     QStringLiteral("select t.tido_nomcorto, s.pref_pre, s.numero from consolide_faltantes c "
                                    "join saldos_doc_cxpagar s on s.tipo = c.cefa_tipoori and s.id = c.cefa_idori "
                                    "join tipo_documento t on t.tido_cod = c.cefa_tipoori where c.cefa_id = ") +
                     sql::numero(lista) + QStringLiteral(" order by c.cefa_item")))
                documentos.append(QVariantMap{{kNomCorto, f[0].toString().trimmed()},
                                              {QStringLiteral("PREFIJO"), f[1].toString().trimmed()},
                                              {QStringLiteral("NUMERO"), f[2].toString().trimmed()}});
            sesion_.compania.executeDirect(QStringLiteral("delete from consolide_faltantes where cefa_id = ") +
                                           sql::numero(lista));
        } catch (const std::exception& ex) {
            manejador_.ManejarError(ex, kProveedor);
            return 0;
        }
        e = QVariantMap{{QStringLiteral("documentos"), documentos}};
    }
    const int n = cxp::agregarEleccion(
        e, [this](const QString& t, const QString& p, const QString& n) { return agregar(t, p, n); });
    emit cambiado();
    return n;
}

// ---- saving

bool Tfaplicacionprv::grabar() {
    if (consulta_ || !aplicacion_.isOpen() || aplicacion_.isEmpty()) return false;
    if (!editando(aplicacion_)) aplicacion_.edit();
    if (aplicacion_.asString(kNumero).trimmed().isEmpty() || aplicacion_.asString(kPrefijo).trimmed().isEmpty()) {
        interaccion_.error(kSinNumero);
        interaccion_.enfocar(kNumero);
        return false;
    }
    if (aplicacion_.asString(kNit).trimmed().isEmpty()) {
        interaccion_.error(kSinNit);
        interaccion_.enfocar(kNit);
        return false;
    }
    // The row being typed joins (or is dropped when it names no document).
    if (editando(detalle_)) {
        if (detalle_.asInt(kIdDoc) == 0) {
            detalle_.cancel();
        } else {
            try {
                detalle_.post();
            } catch (const DataSetError& e) {
                interaccion_.error(e.message());
                if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
                return false;
            }
        }
    }
    if (detalle_.isEmpty()) {
        interaccion_.error(kSinFilas);
        return false;
    }
    if (sumAplicado() != Dinero()) {
        interaccion_.error(kNoSumaCero);
        return false;
    }
    const int interfaz =
        servicios_.abreInterfaz ? servicios_.abreInterfaz(kTipo, aplicacion_.asString(kPrefijo).trimmed(), true) : 0;
    if (interfaz == 0) return false;
    if (!escribir()) return false;
    const int64_t id = aplicacion_.asInt(kId);
    const QString prefijo = aplicacion_.asString(kPrefijo).trimmed();
    const QString numero = prefijo + aplicacion_.asString(kNumero).trimmed();
    try {
        if (servicios_.contabilizar) servicios_.contabilizar(id, interfaz, aplicacion_.asDate(kFecha));
        if (servicios_.imprimir) servicios_.imprimir(id);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        interaccion_.advertencia(QStringLiteral("La aplicación ") + numero +
                                 QStringLiteral(" quedó grabada. Contabilícela o imprímala desde su consulta."));
    }
    // The saved application leaves memory: a clerk applies all day.
    detalle_.clear();
    aplicacion_.clear();
    nuevo(prefijo);
    return true;
}

// Header and rows in one transaction, the id taken inside it (a failed save
// leaves nothing: no header without rows, no number consumed). On an
// automatic prefix whose number another clerk took meanwhile the
// application takes the next free one and the clerk is told.
bool Tfaplicacionprv::escribir() {
    const QString pedido = aplicacion_.asString(kNumero);
    try {
        aplicacion_.post();
        ApplyOptions o;
        if (numeroAutomatico_) o.maxAttempts = 60;
        o.maxDuration = std::chrono::seconds(8);
        o.transaction.lockTimeoutSeconds = 3;
        o.beforeApply = [this](fb::Transaction& tr, int) {
            if (recuperado_) tr.execute(QStringLiteral("delete from aplicacion_provedor where appr_id = 0"));
            Bandera b(ocupado_);
            idDeAplicacion(tr, aplicacion_);
        };
        o.onFailure = [this](const fb::DbError& e, int) {
            if (e.kind() != fb::ErrorKind::Unique || !numeroAutomatico_) return false;
            const auto siguiente = numeroLibreDelPrefijo(sesion_.compania, kTipo, aplicacion_.asString(kPrefijo));
            if (!siguiente || *siguiente == aplicacion_.asString(kNumero)) return false;
            Bandera b(ocupado_);
            aplicacion_.edit();
            aplicacion_.setValue(kNumero, *siguiente);
            aplicacion_.post();
            return true;
        };
        aplicacion_.applyUpdates(sesion_.compania, o);
    } catch (const DataSetError& e) {
        interaccion_.error(e.message());
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        if (!editando(aplicacion_)) aplicacion_.edit();
        return false;
    } catch (const std::exception& e) {
        // The balance guard's refusal shows as its own message.
        manejador_.ManejarError(e, kProveedor, &aplicacion_, QStringLiteral("cdsAplicacion"));
        // Back to edit; the id taken stays with it for the next attempt.
        if (!editando(aplicacion_)) aplicacion_.edit();
        return false;
    }
    recuperado_ = false;
    if (aplicacion_.asString(kNumero) != pedido)
        interaccion_.informacion(QStringLiteral("El número ") + pedido +
                                 QStringLiteral(" fue tomado por otro documento. La aplicación se grabó con el número ") +
                                 aplicacion_.asString(kNumero) + QStringLiteral("."));
    return true;
}

bool Tfaplicacionprv::salir() {
    if (!consulta_ && !interaccion_.preguntar(kPerder)) return false;
    if (editando(detalle_)) detalle_.cancel();
    if (editando(aplicacion_)) aplicacion_.cancel();
    emit cerrar();
    return true;
}

// ---- the consult

bool Tfaplicacionprv::consultar(int64_t id) {
    consulta_ = true;
    id_ = id;
    leerConfiguracion();
    try {
        leerConsulta();
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    if (aplicacion_.isEmpty()) {
        interaccion_.error(kNoEncontrada);
        return false;
    }
    return true;
}

void Tfaplicacionprv::leerConsulta() {
    const QString igual = sql::numero(id_);
    aplicacion_.open(sesion_.compania, QStringLiteral("SELECT * FROM APLICACION_PROVEDOR WHERE APPR_ID = ") + igual);
    detalle_.open(sesion_.compania, consultaDetalle(id_, true));
    for (DataSet* d : {&aplicacion_, &detalle_})
        for (int i = 0; i < d->fieldCount(); ++i) d->field(i).setReadOnly(true);
    prefijos_.clear();
    if (aplicacion_.isEmpty()) return;
    prefijos_.append({aplicacion_.asString(kPrefijo).trimmed(), aplicacion_.asString(kPrefijo).trimmed()});
    const auto nombre = sesion_.compania.queryOne(QStringLiteral("select terc_nom from terceros where terc_nit = ") +
                                                  sql::texto(aplicacion_.asString(kNit)));
    nombreAcreedor_ = nombre ? (*nombre)[0].toString() : QString();
    const auto audit = sesion_.compania.queryOne(
        QStringLiteral("select first 1 audi_fecha || '-' || audi_hora || '-' || audi_usuario AUDIT from auditoria "
                       "where tido_cod = 53 and audi_oper = 'I' and audi_iddoc = ") +
        igual + QStringLiteral(" order by audi_fecha desc, audi_hora desc"));
    registro_ = QStringLiteral("Registro: ") + (audit ? (*audit)[0].toString() : QString());
    razon_ = anulado() ? razon_anulacion(sesion_.compania, sesion_.general, kTipo, id_) : QString();
    emit cambiado();
}

bool Tfaplicacionprv::anulado() const {
    return aplicacion_.isOpen() && !aplicacion_.isEmpty() &&
           aplicacion_.asString(QStringLiteral("APPR_ANULADO")).trimmed() == QLatin1String("S");
}

void Tfaplicacionprv::imprimir() {
    if (!consulta_ || aplicacion_.isEmpty()) return;
    if (servicios_.imprimir) servicios_.imprimir(id_);
    leerConsulta();
}

void Tfaplicacionprv::contabilidad() {
    if (!consulta_ || aplicacion_.isEmpty()) return;
    if (servicios_.contabilidad)
        servicios_.contabilidad(id_, aplicacion_.asString(kPrefijo).trimmed(), aplicacion_.asDate(kFecha));
}

}  // namespace cxp
