#include "documents/payments/CruceCartera.h"

#include "base/Sql.h"
#include "data/Cartera.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/Numeracion.h"
#include "documents/payments/DocumentosPagados.h"
#include "documents/payments/FilaElegida.h"

#include <QVariantList>
#include <algorithm>

namespace cxp {

namespace {

const QString kNomCorto = QStringLiteral("TIDO_NOMCORTO");
const QString kItem = QStringLiteral("EGCC_ITEM");
const QString kTipo = QStringLiteral("EGCC_TIPODOC");
const QString kId = QStringLiteral("EGCC_IDDOC");
const QString kPrefijo = QStringLiteral("EGCC_PREFIJO");
const QString kNumero = QStringLiteral("EGCC_NUMERO");
const QString kAbono = QStringLiteral("EGCC_ABONO");
const QString kRtfte = QStringLiteral("EGCC_RTFTE");
const QString kRtiva = QStringLiteral("EGCC_RTIVA");
const QString kRtica = QStringLiteral("EGCC_RTICA");
const QString kRcree = QStringLiteral("EGCC_RCREE");
const QString kDtof = QStringLiteral("EGCC_DTOF");
const QString kSucursal = QStringLiteral("EGCC_SUCURSAL");
const QString kFecha = QStringLiteral("EGRE_FECHA");

struct Ocupado {
    bool& b;
    explicit Ocupado(bool& bandera) : b(bandera) { b = true; }
    ~Ocupado() { b = false; }
};

}  // namespace

CruceCartera::CruceCartera(DataSet& egreso, DataSet& cruces, fb::Database& compania, Cartera& cartera,
                           DocumentosPagados& documentos, const Configuracion& configuracion, Interaccion& interaccion)
    : egreso_(egreso),
      cruces_(cruces),
      compania_(compania),
      cartera_(cartera),
      documentos_(documentos),
      configuracion_(configuracion),
      interaccion_(interaccion) {
    cruces_.onNewRecord([this](DataSet& c) { nuevaFila(c); });
    cruces_.onChange(kNomCorto, [this](DataSet& c) { tipoIngresado(c); });
    for (const QString& campo : {kTipo, kPrefijo, kNumero})
        cruces_.onChange(campo, [this](DataSet& c) { documentoIngresado(c); });
    for (const QString& campo : {kAbono, kRtfte, kRtiva, kRtica, kRcree, kDtof})
        cruces_.onChange(campo, [this](DataSet& c) { montoCambiado(c); });
    cruces_.beforePost([](DataSet& c) {
        if (c.asInt(kId) == 0) c.cancel();
    });
}

QString CruceCartera::consulta(int64_t egreId) {
    return QStringLiteral("select c.*, t.TIDO_NOMCORTO from EGRESOS_CRUCEC c "
                          "left join TIPO_DOCUMENTO t on t.TIDO_COD = c.EGCC_TIPODOC where c.EGRE_ID = ") +
           sql::numero(egreId) + QStringLiteral(" order by c.EGCC_ITEM");
}

void CruceCartera::reiniciar() { ultimoItem_ = 0; }

void CruceCartera::cargado() {
    ultimoItem_ = 0;
    for (int i = 0; i < cruces_.recordCount(); ++i)
        ultimoItem_ = std::max(ultimoItem_, int(cruces_.row(i).asInt(kItem)));
}

Dinero CruceCartera::total() const { return cruces_.isOpen() ? cruces_.sum(kAbono) : Dinero(); }

void CruceCartera::nuevaFila(DataSet& c) {
    c.setValue(kItem, ++ultimoItem_);
    c.setValue(kId, 0);
    for (const QString& campo : {kAbono, kRtfte, kRtiva, kRtica, kRcree, kDtof, QStringLiteral("EGCC_DIFCAMBIO")})
        c.setValue(campo, Dinero());
    c.setValue(QStringLiteral("EGCC_ANULADO"), "N");
    c.setValue(QStringLiteral("EGCC_TRANSMIT"), "N");
}

void CruceCartera::tipoIngresado(DataSet& c) {
    const QString nombre = c.asString(kNomCorto).trimmed().toUpper();
    if (nombre.isEmpty()) {
        c.setValue(kTipo, fb::Value());
        return;
    }
    const int tipo = DocumentosPagados::tipoPorNombre(compania_, nombre, QStringLiteral("TIDO_CART"));
    if (tipo == 0) {
        interaccion_.informacion(DocumentosPagados::kTipoDesconocido);
        c.setValue(kNomCorto, fb::Value());
        c.setValue(kTipo, fb::Value());
        return;
    }
    if (nombre != c.asString(kNomCorto)) c.setValue(kNomCorto, nombre);
    c.setValue(kTipo, tipo);
}

void CruceCartera::limpiarDocumento(DataSet& c) {
    Ocupado o(ajustando_);
    for (const QString& campo : {kNomCorto, kTipo, kPrefijo, kNumero, kSucursal}) c.setValue(campo, fb::Value());
    c.setValue(kId, 0);
    for (const QString& campo : {kAbono, kRtfte, kRtiva, kRtica, kRcree, kDtof}) c.setValue(campo, Dinero());
}

bool CruceCartera::duplicado(const DataSet& c) const {
    const int tipo = int(c.asInt(kTipo));
    const QString prefijo = c.asString(kPrefijo).trimmed();
    const QString numero = c.asString(kNumero).trimmed();
    for (int i = 0; i < c.recordCount(); ++i) {
        if (i == c.currentRow()) continue;
        const RecordRef r = c.row(i);
        if (int(r.asInt(kTipo)) == tipo && r.asString(kPrefijo).trimmed() == prefijo &&
            r.asString(kNumero).trimmed() == numero)
            return true;
    }
    return false;
}

void CruceCartera::documentoIngresado(DataSet& c) {
    if (ajustando_ || c.state() == DataSet::State::Browse) return;
    const int tipo = c.isNull(kTipo) ? 0 : int(c.asInt(kTipo));
    const QString prefijo = c.asString(kPrefijo).trimmed();
    const QString numero = c.asString(kNumero).trimmed();
    if (tipo == 0 || prefijo.isEmpty() || numero.isEmpty()) return;
    DocumentoCartera doc;
    if (!cartera_.valide_doc_cartera(egreso_.asString(QStringLiteral("TERC_NIT")).trimmed(), tipo, prefijo, numero,
                                     egreso_.asDate(kFecha), doc)) {
        interaccion_.informacion(kNoEncontrado);
        limpiarDocumento(c);
        return;
    }
    // The number as the receivable holds it, so that the same document
    // typed with or without its zeros is one.
    const QString completo = complete_numero_n(numero, anchoNumero(tipo));
    if (completo != c.asString(kNumero)) {
        Ocupado o(ajustando_);
        c.setValue(kNumero, completo);
    }
    if (duplicado(c)) {
        interaccion_.informacion(kDuplicado);
        c.cancel();
        return;
    }
    Ocupado o(ajustando_);
    c.setValue(kId, doc.id);
    c.setValue(kRtfte, doc.rtfte);
    c.setValue(kRtiva, doc.rtiva);
    c.setValue(kRtica, doc.rtica);
    c.setValue(kRcree, doc.rcree);
    c.setValue(kDtof, doc.dtof);
    c.setValue(kAbono, doc.abono);
    c.setValue(kSucursal, doc.sucursal.trimmed().isEmpty() ? fb::Value() : fb::Value(doc.sucursal.trimmed()));
}

void CruceCartera::montoCambiado(DataSet& c) {
    if (ajustando_ || c.state() == DataSet::State::Browse) return;
    Ocupado o(ajustando_);
    for (const QString& campo : {kAbono, kRtfte, kRtiva, kRtica, kRcree, kDtof})
        if (c.isNull(campo)) c.setValue(campo, Dinero());
    Dinero t = c.asDinero(kAbono) + c.asDinero(kDtof);
    const auto causacion = configuracion_.buscar(QStringLiteral("CARTERA"), QStringLiteral("SALDOS"),
                                                 QStringLiteral("DESCONTAR RETENCIONES POR CAUSACION"));
    if (!causacion || causacion->trimmed().toUpper() != QLatin1String("SI"))
        t += c.asDinero(kRtfte) + c.asDinero(kRtiva) + c.asDinero(kRtica) + c.asDinero(kRcree);
    const int tipo = c.isNull(kTipo) ? 0 : int(c.asInt(kTipo));
    const int64_t id = c.asInt(kId);
    if (t.esCero() || tipo == 0 || id == 0) return;
    const Dinero s = cartera_.saldo_doc_cartera(tipo, id, egreso_.asDate(kFecha));
    if ((s >= Dinero() && s < t) || (s < Dinero() && s > t)) c.setValue(kAbono, c.asDinero(kAbono) + (s - t));
}

Dinero CruceCartera::cerrarPanel() {
    if (cruces_.state() != DataSet::State::Browse) {
        if (cruces_.asString(kNumero).trimmed().isEmpty())
            cruces_.cancel();
        else
            cruces_.post();
    }
    const Dinero suma = total();
    documentos_.setSumCruce(suma);
    documentos_.aplicarMonto();
    return suma;
}

bool CruceCartera::agregar(const QString& nomcorto, const QString& prefijo, const QString& numero) {
    return agregarDocumento(cruces_, {kNomCorto, kPrefijo, kNumero, kId}, nomcorto, prefijo, numero);
}

int CruceCartera::agregarEleccion(const QVariantMap& eleccion) {
    return cxp::agregarEleccion(eleccion, [this](const QString& t, const QString& p, const QString& n) {
        return agregar(t, p, n);
    });
}

}  // namespace cxp
