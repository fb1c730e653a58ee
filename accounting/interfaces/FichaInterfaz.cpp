#include "accounting/interfaces/FichaInterfaz.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Contabilidad.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
const QString kId = QStringLiteral("INCP_ID");
const QString kTipo = QStringLiteral("TIDO_COD");
const QString kPrefijo = QStringLiteral("PREF_PRE");
const QString kComprobante = QStringLiteral("TICO_COD");
const QString kPrefijoConta = QStringLiteral("PRCO_PRE");
const QString kProveedor = QStringLiteral("QInterfaz");
const QString kDataset = QStringLiteral("cdsInterfaz");
constexpr int kCargos = 51;

// Sets a value only when it differs, so that no handler runs for nothing.
void poner(DataSet& ds, const QString& campo, const fb::Value& valor) {
    if (plainText(ds.value(campo)) != plainText(valor) || ds.isNull(campo) != valor.isNull()) ds.setValue(campo, valor);
}

// RAII switch for the handlers' silence.
struct Callar {
    bool& bandera;
    bool antes;
    explicit Callar(bool& b) : bandera(b), antes(b) { bandera = true; }
    ~Callar() { bandera = antes; }
};
}  // namespace

const std::vector<FichaInterfaz::Componente>& FichaInterfaz::componentes() {
    static const std::vector<Componente> c{
        {"INCP_BASE", "INCP_CTABASE", "Base:", {"T", "K", "I", "N"}, "K"},
        {"INCP_IVA", "INCP_CTAIVA", "IVA:", {"K", "I", "N"}, "K"},
        {"INCP_RTFTE", "INCP_CTARTFTE", "Ret. fuente:", {"T", "K", "N"}, "T"},
        {"INCP_RTIVA", "INCP_CTARTIVA", "Ret. IVA:", {"T", "K", "N"}, "T"},
        {"INCP_RTICA", "INCP_CTARTICA", "Ret. ICA:", {"T", "K", "N"}, "T"},
        {"INCP_PROV", "INCP_CTAPROV", "C x pagar:", {"T", "K", "N"}, "T"},
        {"INCP_RTCREE", "INCP_CTARTCREE", "AutoRenta:", {"T", "K", "N"}, ""},
        // The national consumption tax: not IVA, an account of its own.
        {"INCP_INALCM", "INCP_CTAINALCM", "Imp. consumo:", {"K", "N"}, "N"},
    };
    return c;
}

const QStringList& FichaInterfaz::descuentos() {
    static const QStringList d{"INCP_CTADTO1", "INCP_CTADTO2", "INCP_CTADTO3", "INCP_CTADTO4"};
    return d;
}

const QStringList& FichaInterfaz::bases() {
    static const QStringList b{"", "BASE", "IVA", "RTFTE", "RTIVA", "RTICA", "RTCREE", "PAGAR", "TOTAL"};
    return b;
}

FichaInterfaz::FichaInterfaz(Modo modo, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, QObject* parent)
    : QObject(parent),
      modo_(modo),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      contabilidad_(std::make_unique<Contabilidad>(sesion, interaccion, configuracion)) {
    interfaz_.setUpdateTable(QStringLiteral("INTERFAZ_CXPAGAR"), {kId});
    niif_.setUpdateTable(QStringLiteral("INTERFAZ_CXPAGAR_NIIF"), {kId});
    lineas_.setUpdateTable(QStringLiteral("INTERFAZ_CXPAGAR_CTAS"), {kId, QStringLiteral("INPC_ITEM")});

    interfaz_.onNewRecord([this](DataSet& i) {
        Callar c(callado_);
        i.setValue(kId, 0);
        i.setValue(kTipo, kCargos);
        i.setValue(QStringLiteral("INCP_CONFIRMAR"), QStringLiteral("N"));
        i.setValue(QStringLiteral("INCP_EQUIVALENCIA"), QStringLiteral("N"));
        i.setValue(QStringLiteral("INCP_USUARIO"), sesion_.usuario_actual.left(10));
        ponerDefectos(i);
    });
    niif_.onNewRecord([this](DataSet& n) {
        Callar c(callado_);
        ponerDefectos(n);
    });
    lineas_.onNewRecord([this](DataSet& l) {
        l.setValue(QStringLiteral("INPC_ITEM"), ++contador_);
        l.setValue(QStringLiteral("INPC_DB"), QStringLiteral("S"));
        l.setValue(QStringLiteral("INPC_VALOR"), Dinero());
        l.setValue(QStringLiteral("INPC_PORC"), Dinero());
    });

    interfaz_.onChange(kTipo, [this](DataSet&) { documentoCambiado(); });
    interfaz_.onChange(kComprobante, [this](DataSet&) { comprobanteCambiado(); });
    for (const Componente& c : componentes()) {
        interfaz_.onChange(c.fuente, [this, &c](DataSet& ds) { fuenteCambiada(ds, c, false); });
        niif_.onChange(c.fuente, [this, &c](DataSet& ds) { fuenteCambiada(ds, c, true); });
        interfaz_.onChange(c.cuenta, [this, &c](DataSet& ds) { cuentaIngresada(ds, c.cuenta, false, true); });
        niif_.onChange(c.cuenta, [this, &c](DataSet& ds) { cuentaIngresada(ds, c.cuenta, true, false); });
    }
    for (const QString& d : descuentos())
        interfaz_.onChange(d, [this, d](DataSet& ds) { cuentaIngresada(ds, d, false, false); });
}

FichaInterfaz::~FichaInterfaz() = default;

QString FichaInterfaz::titulo() const {
    return modo_ == Modo::Nueva ? QStringLiteral("Nueva interface contable")
                                : QStringLiteral("Modificar interface contable");
}

void FichaInterfaz::ponerDefectos(DataSet& ds) {
    for (const Componente& c : componentes())
        ds.setValue(c.fuente, c.defecto.isEmpty() ? fb::Value() : fb::Value(c.defecto));
}

bool FichaInterfaz::abrir(int id) {
    bool abierta = false;
    manejador_.proteger([&] {
        descuentosConfigurados_ =
            configuracion_
                .buscar(QStringLiteral("CXPAGAR"), QStringLiteral("DOCUMENTOS"),
                        QStringLiteral("INCLUIR CAMPOS DE DESCUENTOS ADICIONALES EN CARGOS POR PAGAR"))
                .value_or(QString())
                .trimmed() == QStringLiteral("SI");
        cargarListas();
        if (modo_ == Modo::Nueva) {
            abrirDatos(0);
            contador_ = 0;
            interfaz_.append();
            {
                Callar c(callado_);
                if (!comprobantes_.isEmpty()) interfaz_.setValue(kComprobante, comprobantes_.first().first);
                cargarPrefijos();
                cargarPrefijosConta();
                if (!prefijos_.isEmpty()) interfaz_.setValue(kPrefijo, prefijos_.first());
                if (!prefijosConta_.isEmpty()) interfaz_.setValue(kPrefijoConta, prefijosConta_.first());
            }
            // Every definition has its NIIF row: the copy and the posting
            // procedures read it.
            niif_.append();
            abierta = true;
            return;
        }
        abrirDatos(id);
        if (interfaz_.isEmpty()) {
            interaccion_.informacion(kNoEncontrada);
            return;
        }
        const auto maximo = sesion_.compania.queryOne(
            QStringLiteral("select max(inpc_item) from interfaz_cxpagar_ctas where incp_id = ") + sql::numero(int64_t(id)));
        contador_ = maximo && !(*maximo)[0].isNull() ? int((*maximo)[0].toInt64()) : 0;
        cargarPrefijos();
        cargarPrefijosConta();
        interfaz_.edit();
        if (niif_.isEmpty())
            niif_.append();  // a definition saved without one gets it now
        else
            niif_.edit();
        abierta = true;
    });
    return abierta;
}

void FichaInterfaz::abrirDatos(int id) {
    const QString n = sql::numero(int64_t(id));
    interfaz_.open(sesion_.compania, QStringLiteral("select * from INTERFAZ_CXPAGAR where INCP_ID = ") + n);
    niif_.open(sesion_.compania, QStringLiteral("select * from INTERFAZ_CXPAGAR_NIIF where INCP_ID = ") + n);
    lineas_.open(sesion_.compania,
                 QStringLiteral("select * from INTERFAZ_CXPAGAR_CTAS where INCP_ID = ") + n + QStringLiteral(" order by INPC_ITEM"));
    if (enlazados_) return;
    enlazados_ = true;
    interfaz_.addDetail(niif_, {kId}, {kId});
    interfaz_.addDetail(lineas_, {kId}, {kId});
    static const std::pair<const char*, const char*> titulos[] = {{"INPC_CUENTA", "Cuenta"}, {"INPC_BASE", "Base"},
                                                                  {"INPC_VALOR", "Valor"},   {"INPC_PORC", "Porcent."},
                                                                  {"INPC_DB", "Db."}};
    for (const auto& [campo, titulo] : titulos) lineas_.field(QString::fromLatin1(campo)).setLabel(QString::fromUtf8(titulo));
    for (const char* oculto : {"INCP_ID", "INPC_ITEM", "INPC_CN"}) lineas_.field(QString::fromLatin1(oculto)).setVisible(false);
}

void FichaInterfaz::cargarListas() {
    documentos_.clear();
    comprobantes_.clear();
    for (const fb::Row& f : sesion_.compania.query(QStringLiteral(
             "select tido_cod, tido_nomlargo from tipo_documento where tido_modulo = 'CXPAGAR' order by tido_cod")))
        documentos_.append({f[0].toString(), f[1].toString().trimmed()});
    for (const fb::Row& f :
         sesion_.compania.query(QStringLiteral("select tico_cod, tico_nom from tipo_comprobante order by tico_cod")))
        comprobantes_.append({f[0].toString().trimmed(), f[1].toString().trimmed()});
}

void FichaInterfaz::cargarPrefijos() {
    prefijos_.clear();
    if (!interfaz_.isEmpty() && !interfaz_.isNull(kTipo))
        for (const fb::Row& f : sesion_.compania.query(QStringLiteral("select pref_pre from prefijos where tido_cod = ") +
                                                       sql::numero(interfaz_.asInt(kTipo)) +
                                                       QStringLiteral(" order by pref_pre")))
            prefijos_ << f[0].toString();
}

void FichaInterfaz::cargarPrefijosConta() {
    prefijosConta_.clear();
    if (!interfaz_.isEmpty() && !interfaz_.isNull(kComprobante))
        for (const fb::Row& f :
             sesion_.compania.query(QStringLiteral("select prco_pref from prefijos_conta where tico_cod = ") +
                                    sql::texto(interfaz_.asString(kComprobante).trimmed()) +
                                    QStringLiteral(" order by prco_pref")))
            prefijosConta_ << f[0].toString();
}

void FichaInterfaz::editar(DataSet& ds) {
    if (ds.isEmpty())
        ds.append();
    else if (ds.state() == DataSet::State::Browse)
        ds.edit();
}

void FichaInterfaz::setPrefijo(const QString& prefijo) {
    editar(interfaz_);
    poner(interfaz_, kPrefijo, prefijo.isEmpty() ? fb::Value() : fb::Value(prefijo));
}

void FichaInterfaz::setPrefijoConta(const QString& prefijo) {
    editar(interfaz_);
    poner(interfaz_, kPrefijoConta, prefijo.isEmpty() ? fb::Value() : fb::Value(prefijo));
}

// Another document type: its first prefix, and the voucher type's
// accounting prefix kept when it is one of the list.
void FichaInterfaz::documentoCambiado() {
    if (callado_) return;
    cargarPrefijos();
    poner(interfaz_, kPrefijo, prefijos_.isEmpty() ? fb::Value() : fb::Value(prefijos_.first()));
    const QString conta = interfaz_.asString(kPrefijoConta);
    if (!prefijosConta_.contains(conta))
        poner(interfaz_, kPrefijoConta, prefijosConta_.isEmpty() ? fb::Value() : fb::Value(prefijosConta_.first()));
    emit listasCambiadas();
}

void FichaInterfaz::comprobanteCambiado() {
    if (callado_) return;
    cargarPrefijosConta();
    poner(interfaz_, kPrefijoConta, prefijosConta_.isEmpty() ? fb::Value() : fb::Value(prefijosConta_.first()));
    emit listasCambiadas();
}

bool FichaInterfaz::descuentosVisibles() const {
    if (!descuentosConfigurados_) return false;
    if (modo_ == Modo::Nueva) return true;
    return !interfaz_.isEmpty() && !interfaz_.isNull(kTipo) && interfaz_.asInt(kTipo) == kCargos;
}

bool FichaInterfaz::cuentaHabilitada(bool niif, const QString& cuenta) const {
    const DataSet& ds = niif ? niif_ : interfaz_;
    if (!ds.isOpen() || ds.isEmpty()) return false;
    for (const Componente& c : componentes())
        if (c.cuenta == cuenta) return ds.asString(c.fuente).trimmed() == QStringLiteral("K");
    return true;  // the discount accounts have no source
}

// Any source but K leaves the component without an account of its own.
void FichaInterfaz::fuenteCambiada(DataSet& ds, const Componente& c, bool niif) {
    if (callado_) return;
    if (ds.asString(c.fuente).trimmed() == QStringLiteral("K")) {
        emit fuentesCambiadas();
        interaccion_.enfocar(niif ? nombreNiif(c.cuenta) : c.cuenta);
        return;
    }
    if (!ds.isNull(c.cuenta)) {
        Callar callar(callado_);
        ds.setValue(c.cuenta, fb::Value());
    }
    emit fuentesCambiadas();
}

// An account typed: ending in "?" opens the chart's list at the text
// before it (so does "?" at the start, before the text); an account of the local tab must exist and take movements, or
// the field is emptied without a word.
void FichaInterfaz::cuentaIngresada(DataSet& ds, const QString& campo, bool niif, bool validar) {
    if (callado_) return;
    const QString texto = ds.asString(campo).trimmed();
    if (texto.isEmpty()) return;
    Callar callar(callado_);
    // "?" ends the text as typed here; at its start it works too, as in
    // every other code field of the program.
    if (texto.endsWith(u'?') || texto.startsWith(u'?')) {
        const QString parte = (texto.endsWith(u'?') ? texto.chopped(1) : texto.mid(1)).trimmed();
        if (const auto cuenta = contabilidad_->elegir_cuenta(parte, niif)) {
            ds.setValue(campo, *cuenta);
            return;
        }
        // Left without choosing: what was typed before "?" stays, if valid.
        if (parte.isEmpty() || (validar && contabilidad_->codigo_cuenta(parte, false) != Contabilidad::Valida)) {
            ds.setValue(campo, fb::Value());
            return;
        }
        ds.setValue(campo, parte);
        return;
    }
    if (validar && contabilidad_->codigo_cuenta(texto, false) != Contabilidad::Valida) ds.setValue(campo, fb::Value());
}

void FichaInterfaz::buscarCuenta(bool niif, const QString& campo, const QString& filtro) {
    const auto cuenta = contabilidad_->elegir_cuenta(filtro, niif);
    if (!cuenta) return;
    DataSet& ds = niif ? niif_ : interfaz_;
    editar(ds);
    Callar callar(callado_);  // chosen from the chart: no check again
    ds.setValue(campo, *cuenta);
}

bool FichaInterfaz::grabar() {
    if (!interfaz_.isOpen() || interfaz_.isEmpty()) return false;
    DataSet* enCurso = &interfaz_;
    try {
        if (interfaz_.state() == DataSet::State::Browse) interfaz_.edit();
        if (modo_ == Modo::Nueva && interfaz_.asInt(kId) == 0) {
            const auto fila = sesion_.compania.queryOne(QStringLiteral("select ID from CAMBIE_ID_INTERCXPAGAR"));
            if (fila) interfaz_.setValue(kId, (*fila)[0]);
        }
        enCurso = &lineas_;
        if (lineas_.state() != DataSet::State::Browse) lineas_.post();
        enCurso = &niif_;
        if (niif_.isEmpty()) niif_.append();
        if (niif_.state() != DataSet::State::Browse) niif_.post();
        enCurso = &interfaz_;
        interfaz_.post();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(*enCurso, kDataset, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(enCurso == &niif_ ? nombreNiif(e.field()) : e.field());
        return false;
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        return false;
    }
    try {
        interfaz_.applyUpdates(sesion_.compania);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
        editar(interfaz_);
        editar(niif_);
        return false;
    }
    emit cerrar();
    return true;
}

void FichaInterfaz::cancelar() {
    for (DataSet* ds : {&lineas_, &niif_, &interfaz_})
        if (ds->isOpen() && ds->state() != DataSet::State::Browse) ds->cancel();
    emit cerrar();
}

}  // namespace cxp
