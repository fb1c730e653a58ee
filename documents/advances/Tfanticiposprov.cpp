#include "documents/advances/Tfanticiposprov.h"

#include "base/Redondeo.h"
#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/Configuracion.h"
#include "data/Derechos.h"
#include "data/ImporteColumna.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Sesion.h"
#include "data/Terceros.h"
#include "data/fb/DbError.h"

namespace cxp {

namespace {
const QString kId = QStringLiteral("ANPR_ID");
const QString kNit = QStringLiteral("TERC_NIT");
const QString kPrefijo = QStringLiteral("PREF_PRE");
const QString kNumero = QStringLiteral("ANPR_NUMERO");
const QString kFecha = QStringLiteral("ANPR_FECHA");
const QString kBase = QStringLiteral("ANPR_BASE");
const QString kProveedor = QStringLiteral("QAnticipos");
const QString kTabla = QStringLiteral("ANTICIPOS_PROVEEDOR");
constexpr int kTipo = 55;

// Rate and amount columns, in the order the amounts are worked out.
struct Par {
    const char* tasa;
    const char* monto;
    Dinero MontosAnticipo::*t;
    Dinero MontosAnticipo::*m;
};
const Par kPares[] = {
    {"ANPR_DTOFPORC", "ANPR_DTOFMONTO", &MontosAnticipo::dtofPorc, &MontosAnticipo::dtof},
    {"ANPR_IVAPORC", "ANPR_IVAMONTO", &MontosAnticipo::ivaPorc, &MontosAnticipo::iva},
    {"ANPR_RTFTEPORC", "ANPR_RTFTEMONTO", &MontosAnticipo::rtftePorc, &MontosAnticipo::rtfte},
    {"ANPR_RTIVAPORC", "ANPR_RTIVAMONTO", &MontosAnticipo::rtivaPorc, &MontosAnticipo::rtiva},
    {"ANPR_RTICAPORC", "ANPR_RTICAMONTO", &MontosAnticipo::rticaPorc, &MontosAnticipo::rtica},
};

struct Bandera {
    bool& b;
    const bool antes;
    explicit Bandera(bool& x) : b(x), antes(x) { b = true; }
    ~Bandera() { b = antes; }
};
}  // namespace

void MontosAnticipo::calcular(int r) {
    dtof = redondearR(base.porcentaje(dtofPorc), r);
    iva = redondearR(base.porcentaje(ivaPorc), r);
    rtfte = redondearR(base.porcentaje(rtftePorc), r);
    rtiva = redondearR(iva.porcentaje(rtivaPorc), r);
    rtica = redondearR(base.porMil(rticaPorc), r);
}

Tfanticiposprov::Tfanticiposprov(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      numeracion_(std::make_unique<Numeracion>(sesion.compania, interaccion, configuracion)),
      terceros_(std::make_unique<Terceros>(sesion.compania, interaccion, configuracion)) {
    anticipo_.setUpdateTable(kTabla, {kId});
    enlazar();
}

Tfanticiposprov::~Tfanticiposprov() = default;

void Tfanticiposprov::enlazar() {
    anticipo_.onChange(kBase, [this](DataSet&) { recalcular(kBase); });
    for (const Par& p : kPares) {
        const QString tasa = QString::fromLatin1(p.tasa);
        anticipo_.onChange(tasa, [this, tasa](DataSet&) { recalcular(tasa); });
    }
    anticipo_.onChange(kPrefijo, [this](DataSet&) { prefijoIngresado(); });
    anticipo_.onChange(kNumero, [this](DataSet&) { numeroIngresado(); });
    anticipo_.onChange(kNit, [this](DataSet&) {
        if (consulta_) nitConsultado();
        else acreedorIngresado();
    });
}

void Tfanticiposprov::leerConfiguracion() {
    auto si = [this](const char* modulo, const char* grupo, const char* clave) {
        return configuracion_.valor(QString::fromLatin1(modulo), QString::fromLatin1(grupo), QString::fromLatin1(clave))
                   .trimmed()
                   .compare(QStringLiteral("SI"), Qt::CaseInsensitive) == 0;
    };
    preguntaTasa_ = si("GENERAL", "GENERAL", "PREGUNTAR TASA DE CAMBIO EN DOCUMENTOS DE CUENTAS POR PAGAR");
    fechaInhabilitada_ = si("CXPAGAR", "DOCUMENTOS", "INHABILITAR FECHA EN DOCUMENTOS");
    redondeo_ = configuracion_.entero(QStringLiteral("CXPAGAR"), QStringLiteral("DOCUMENTOS"),
                                      QStringLiteral("REDONDEO AL MULTIPLO DE DIEZ EN TOTALES"));
    monedaPredeterminada_ = configuracion_.entero(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                                  QStringLiteral("MONEDA PREDETERMINADA EN OPERACIONES CON EL EXTERIOR"));
}

bool Tfanticiposprov::cargarPrefijos() {
    prefijos_.clear();
    for (const QString& p : prefijosActivos(sesion_.compania, kTipo, sesion_.agencia_actual)) prefijos_.append({p, p});
    return !prefijos_.isEmpty();
}

QString Tfanticiposprov::actualDelPrefijo(const QString& prefijo, bool* automatico) {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select pref_actual, pref_auto from prefijos where tido_cod = 55 and pref_pre = ") +
        sql::texto(prefijo));
    if (automatico) *automatico = fila && (*fila)[1].toString().trimmed() == QLatin1String("S");
    if (!fila) return QString();
    // The consecutive itself may point at a number already used.
    const auto libre = numeroLibreDelPrefijo(sesion_.compania, kTipo, prefijo);
    return libre ? *libre : complete_numero((*fila)[0].toString().trimmed());
}

bool Tfanticiposprov::abrir(const QString& nit, const QDate& fecha) {
    leerConfiguracion();
    try {
        anticipo_.open(sesion_.compania, QStringLiteral("SELECT * FROM ANTICIPOS_PROVEEDOR WHERE ANPR_ID = 0"));
        if (!anticipo_.isEmpty()) {
            if (interaccion_.preguntar(kPagoPrevio)) {
                anticipo_.edit();
                nombreAcreedor_ = terceros_->nom_tercero(anticipo_.asString(kNit).trimmed());
                actualDelPrefijo(anticipo_.asString(kPrefijo), &numeroAutomatico_);
                if (!cargarPrefijos()) {
                    interaccion_.error(kSinPrefijo);
                    return false;
                }
                emit cambiado();
                return true;
            }
            sesion_.compania.executeDirect(QStringLiteral("delete from anticipos_proveedor where anpr_id = 0"));
            anticipo_.open(sesion_.compania, QStringLiteral("SELECT * FROM ANTICIPOS_PROVEEDOR WHERE ANPR_ID = 0"));
        }
        if (!cargarPrefijos()) {
            interaccion_.error(kSinPrefijo);
            return false;
        }
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    nuevo(nit, fecha.isValid() ? fecha : QDate::currentDate());
    return true;
}

void Tfanticiposprov::nuevo(const QString& nit, const QDate& fecha) {
    anticipo_.append();
    DataSet& a = anticipo_;
    a.setValue(kId, 0);
    a.setValue(QStringLiteral("TIDO_COD"), kTipo);
    a.setValue(kFecha, fecha);
    a.setValue(QStringLiteral("ANPR_DTOFECHA"), fecha);
    for (const char* f : {"ANPR_ANULADO", "ANPR_TRANSMIT", "NUMOK"}) a.setValue(QString::fromLatin1(f), "N");
    a.setValue(QStringLiteral("EGRE_ID"), 0);
    a.setValue(QStringLiteral("ANPR_USUARIO"), sesion_.usuario_actual.left(10));
    {
        Bandera b(calculando_);
        for (const char* f : {"ANPR_BASE", "ANPR_IVAPORC", "ANPR_IVAMONTO", "ANPR_RTFTEPORC", "ANPR_RTFTEMONTO",
                              "ANPR_RTIVAPORC", "ANPR_RTIVAMONTO", "ANPR_RTICAPORC", "ANPR_RTICAMONTO", "ANPR_DTOFPORC",
                              "ANPR_DTOFMONTO", "ANPR_RTCREE", "ANPR_RTCREEM"})
            a.setValue(QString::fromLatin1(f), Dinero());
    }
    if (preguntaTasa_) a.setValue(QStringLiteral("ANPR_TRM"), Dinero());
    a.setValue(kPrefijo, prefijos_.first().clave);
    if (!nit.trimmed().isEmpty()) a.setValue(kNit, nit.trimmed());
    interaccion_.enfocar(kNumero);
    emit cambiado();
}

// The base drives every amount; a rate only its own (the VAT's also the
// VAT withholding).
void Tfanticiposprov::recalcular(const QString& campo) {
    if (calculando_ || consulta_) return;
    Bandera b(calculando_);
    MontosAnticipo m;
    m.base = anticipo_.asDinero(kBase);
    for (const Par& p : kPares) {
        m.*(p.t) = anticipo_.asDinero(QString::fromLatin1(p.tasa));
        m.*(p.m) = anticipo_.asDinero(QString::fromLatin1(p.monto));
    }
    MontosAnticipo nuevo = m;
    nuevo.calcular(redondeo_);
    auto pon = [&](const Par& p) { ponImporte(anticipo_, QString::fromLatin1(p.monto), nuevo.*(p.m)); };
    for (const Par& p : kPares) {
        const QString tasa = QString::fromLatin1(p.tasa);
        const bool rtivaPorIva = p.m == &MontosAnticipo::rtiva && campo == QLatin1String("ANPR_IVAPORC");
        if (campo == kBase || campo == tasa || rtivaPorIva) pon(p);
    }
    emit cambiado();
}

void Tfanticiposprov::prefijoIngresado() {
    if (consulta_) return;
    const QString prefijo = anticipo_.asString(kPrefijo);
    if (prefijo.isEmpty()) return;
    const QString actual = actualDelPrefijo(prefijo, &numeroAutomatico_);
    Bandera b(calculando_);
    anticipo_.setValue(kNumero, actual);
    emit cambiado();  // the number's read-only state follows the prefix
}

// Filled to six characters first, so that "7" is checked as "000007"; a
// taken number goes back to the prefix's first free one.
void Tfanticiposprov::numeroIngresado() {
    if (calculando_ || consulta_) return;
    Bandera b(calculando_);
    const QString escrito = anticipo_.asString(kNumero).trimmed();
    if (escrito.isEmpty()) return;
    const QString numero = complete_numero(escrito);
    if (numero != anticipo_.asString(kNumero)) anticipo_.setValue(kNumero, numero);
    const QString prefijo = anticipo_.asString(kPrefijo);
    numeracion_->limpiarEncontrados();
    if (!numeracion_->existe_numero(kTipo, prefijo, numero)) return;
    // The advance being entered, brought back with its number, is not its own duplicate.
    if (numeracion_->encontrado(kTipo) == QString::number(anticipo_.asInt(kId))) return;
    interaccion_.error(kRepetido);
    anticipo_.setValue(kNumero, actualDelPrefijo(prefijo));
    interaccion_.enfocar(kNumero);
}

void Tfanticiposprov::acreedorIngresado() {
    const QString nit = anticipo_.asString(kNit).trimmed();
    nombreAcreedor_.clear();
    if (!nit.isEmpty()) {
        nombreAcreedor_ = terceros_->nom_tercero(nit);
        if (nombreAcreedor_.isEmpty()) {
            interaccion_.error(kSinTercero);
            interaccion_.enfocar(kNit);
        }
    }
    emit cambiado();
}

void Tfanticiposprov::nitConsultado() {
    const QString nit = anticipo_.asString(kNit).trimmed();
    nombreAcreedor_.clear();
    if (nit.isEmpty()) return;
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select terc_nit,terc_nom from terceros where  terc_nit = ") + sql::texto(nit));
    if (!fila) interaccion_.error(QStringLiteral("no existe el nit No ") + nit);
    else nombreAcreedor_ = (*fila)[1].toString();
    emit cambiado();
}

Dinero Tfanticiposprov::totalConIva() const {
    if (!anticipo_.isOpen() || anticipo_.isEmpty()) return Dinero();
    return redondearR(anticipo_.asDinero(kBase) + anticipo_.asDinero(QStringLiteral("ANPR_IVAMONTO")), redondeo_);
}

Dinero Tfanticiposprov::neto() const {
    if (!anticipo_.isOpen() || anticipo_.isEmpty()) return Dinero();
    Dinero n = anticipo_.asDinero(kBase) + anticipo_.asDinero(QStringLiteral("ANPR_IVAMONTO"));
    for (const char* f : {"ANPR_RTFTEMONTO", "ANPR_RTIVAMONTO", "ANPR_RTICAMONTO"})
        n -= anticipo_.asDinero(QString::fromLatin1(f));
    return redondearR(n, redondeo_);
}

bool Tfanticiposprov::anulado() const {
    return anticipo_.isOpen() && !anticipo_.isEmpty() &&
           anticipo_.asString(QStringLiteral("ANPR_ANULADO")).trimmed() == QLatin1String("S");
}

bool Tfanticiposprov::grabar() {
    if (consulta_ || !anticipo_.isOpen() || anticipo_.isEmpty()) return false;
    if (anticipo_.state() == DataSet::State::Browse) anticipo_.edit();
    if (anticipo_.asString(kNit).trimmed().isEmpty()) {
        interaccion_.error(kSinNit);
        interaccion_.enfocar(kNit);
        return false;
    }
    if (anticipo_.asDinero(kBase) <= Dinero()) {
        interaccion_.error(kMontoCero);
        interaccion_.enfocar(kBase);
        return false;
    }
    if (!escribir()) {
        if (anticipo_.state() == DataSet::State::Browse) anticipo_.edit();
        return false;
    }
    resultado_ = QVariantMap{{kId, qlonglong(anticipo_.asInt(kId))},
                             {QStringLiteral("TIDO_COD"), kTipo},
                             {QStringLiteral("TIDO_NOMCORTO"), QStringLiteral("ANTIPROV")},
                             {QStringLiteral("PREFIJO"), anticipo_.asString(kPrefijo)},
                             {QStringLiteral("NUMERO"), anticipo_.asString(kNumero)}};
    emit cerrar();
    return true;
}

// The id is taken inside the save's own transaction, once: a retry keeps
// it. On an automatic prefix whose number another clerk took meanwhile the
// advance takes the next free one and the clerk is told.
bool Tfanticiposprov::escribir() {
    const QString pedido = anticipo_.asString(kNumero);
    try {
        if (anticipo_.state() != DataSet::State::Browse) anticipo_.post();
        ApplyOptions o;
        if (numeroAutomatico_) o.maxAttempts = 60;
        o.maxDuration = std::chrono::seconds(8);
        o.transaction.lockTimeoutSeconds = 3;
        o.beforeApply = [this](fb::Transaction& tr, int) {
            if (anticipo_.asInt(kId) != 0) return;
            const int64_t id = tr.executeProcedure(QStringLiteral("CAMBIE_ID_ANTIPROV"))[QStringLiteral("ID")].toInt64();
            anticipo_.edit();
            anticipo_.setValue(kId, id);
            anticipo_.post();
        };
        o.onFailure = [this](const fb::DbError& e, int) {
            if (e.kind() != fb::ErrorKind::Unique || !numeroAutomatico_) return false;
            const auto siguiente = numeroLibreDelPrefijo(sesion_.compania, kTipo, anticipo_.asString(kPrefijo));
            if (!siguiente || *siguiente == anticipo_.asString(kNumero)) return false;
            Bandera b(calculando_);
            anticipo_.edit();
            anticipo_.setValue(kNumero, *siguiente);
            anticipo_.post();
            return true;
        };
        anticipo_.applyUpdates(sesion_.compania, o);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor, &anticipo_, QStringLiteral("cdsAnticipos"));
        return false;
    }
    if (anticipo_.asString(kNumero) != pedido)
        interaccion_.informacion(QStringLiteral("El número ") + pedido +
                                 QStringLiteral(" fue tomado por otro documento. El anticipo se grabó con el número ") +
                                 anticipo_.asString(kNumero) + QStringLiteral("."));
    return true;
}

void Tfanticiposprov::cancelar() {
    if (anticipo_.isOpen() && anticipo_.state() != DataSet::State::Browse) anticipo_.cancel();
    emit cerrar();
}

bool Tfanticiposprov::consultar(int64_t id) {
    consulta_ = true;
    id_ = id;
    leerConfiguracion();
    if (!valide_acceso(sesion_, 51)) {
        interaccion_.error(kSinAcceso);
        return false;
    }
    try {
        leerConsulta();
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    return true;
}

void Tfanticiposprov::leerConsulta() {
    anticipo_.open(sesion_.compania,
                   QStringLiteral("SELECT * FROM ANTICIPOS_PROVEEDOR WHERE ANPR_ID = ") + sql::numero(id_));
    for (int i = 0; i < anticipo_.fieldCount(); ++i) anticipo_.field(i).setReadOnly(true);
    prefijos_.clear();
    if (!anticipo_.isEmpty()) prefijos_.append({anticipo_.asString(kPrefijo), anticipo_.asString(kPrefijo)});
    const auto nombre = sesion_.compania.queryOne(QStringLiteral("select terc_nom from terceros where terc_nit = ") +
                                                  sql::texto(anticipo_.asString(kNit)));
    nombreAcreedor_ = nombre ? (*nombre)[0].toString() : QString();
    const auto audit = sesion_.compania.queryOne(
        QStringLiteral("select first 1 audi_fecha || '-' || audi_hora || '-' || audi_usuario AUDIT from auditoria "
                       "where tido_cod = 55 and audi_oper = 'I' and audi_iddoc = ") +
        sql::numero(id_) + QStringLiteral(" order by audi_fecha desc, audi_hora desc"));
    registro_ = QStringLiteral("Registro: ") + (audit ? (*audit)[0].toString() : QString());
    razon_ = anulado() ? razon_anulacion(sesion_.compania, sesion_.general, kTipo, id_) : QString();
    emit cambiado();
}

void Tfanticiposprov::imprimir() {
    if (!consulta_ || id_ == 0) return;
    if (alImprimir) alImprimir(id_);
    leerConsulta();
}

}  // namespace cxp
