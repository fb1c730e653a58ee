#include "ledger/Tfconscxpagar.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"
#include "data/Terceros.h"

namespace cxp {

namespace {
// A document as the payment voucher appends it: short name, prefix, number.
QVariantMap documentoElegido(const RecordRef& r) {
    return {{QStringLiteral("TIDO_NOMCORTO"), r.asString(QStringLiteral("TIPONOM")).trimmed()},
            {QStringLiteral("PREFIJO"), r.asString(QStringLiteral("PREFIJO")).trimmed()},
            {QStringLiteral("NUMERO"), r.asString(QStringLiteral("NUMERO")).trimmed()}};
}
const QStringList kColumnas{"TIPONOM", "PREFIJO", "NUMERO", "FECDOC", "VENCE", "DIAS", "REFERENCIA",
                            "CONCEPTO", "RTFTE", "RTIVA", "RTICA", "DTOF", "SALDO"};
}

Tfconscxpagar::Tfconscxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, QString nit, bool seleccion, QObject* parent)
    : PantallaLedger(sesion, interaccion, manejador, configuracion, parent), nit_(std::move(nit)),
      seleccion_(seleccion) {}

bool Tfconscxpagar::abrir(QDate fecha) {
    fecha_ = fecha.isValid() ? fecha : hoy();
    if (!prepararMoneda(monedas::kPreguntarCxpagar)) return false;
    if (!proteger([&] {
            Terceros terceros(sesion_.compania, interaccion_, configuracion_);
            nombre_ = terceros.nombre_proveedor(nit_);
        }))
        return false;
    return refrescar();
}

QString Tfconscxpagar::consulta() const {
    return QStringLiteral("select * from cxpagar_proveedor(") + sql::texto(nit_) + QStringLiteral(", ") +
           sql::fecha(fecha_) + QStringLiteral(",") + QString::number(moneda()) + QStringLiteral(")");
}

bool Tfconscxpagar::refrescar() {
    if (!cargar(documentos_, consulta())) return false;
    columnas(documentos_, kColumnas);
    return true;
}

bool Tfconscxpagar::setFecha(QDate fecha) {
    if (!fecha.isValid() || fecha == fecha_) return true;
    if (!hayTasa(moneda(), fecha)) return false;
    fecha_ = fecha;
    return refrescar();
}

bool Tfconscxpagar::setMoneda(int codigo) {
    if (codigo == moneda()) return true;
    if (!hayTasa(codigo, fecha_)) return false;
    cambiarMoneda(codigo);
    return refrescar();
}

void Tfconscxpagar::consultar() {
    if (!documentos_.isOpen() || documentos_.isEmpty()) return;
    const int tipo = int(documentos_.asInt(QStringLiteral("TIPO")));
    switch (tipo) {
    case 21:
    case 24:
    case 51:
    case 52:
    case 55: consultas::abrir(interaccion_, tipo, documentos_.asInt(QStringLiteral("ID"))); break;
    default: interaccion_.informacion(consultas::kNoExiste);
    }
}

void Tfconscxpagar::abonos() {
    if (!documentos_.isOpen() || documentos_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfabonosprv"),
                               {{QStringLiteral("tipo"), int(documentos_.asInt(QStringLiteral("TIPO")))},
                                {QStringLiteral("id"), qlonglong(documentos_.asInt(QStringLiteral("ID")))}});
}

void Tfconscxpagar::activar() {
    if (seleccion_)
        elegirActual();
    else
        consultar();
}

std::optional<QVariantMap> Tfconscxpagar::elegirActual() {
    if (!documentos_.isOpen() || documentos_.isEmpty()) return std::nullopt;
    eleccion_ = QVariantMap{
        {QStringLiteral("tipo"), int(documentos_.asInt(QStringLiteral("TIPO")))},
        {QStringLiteral("tiponom"), documentos_.asString(QStringLiteral("TIPONOM"))},
        {QStringLiteral("prefijo"), documentos_.asString(QStringLiteral("PREFIJO"))},
        {QStringLiteral("numero"), documentos_.asString(QStringLiteral("NUMERO"))},
        {QStringLiteral("id"), qlonglong(documentos_.asInt(QStringLiteral("ID")))},
        {QStringLiteral("documentos"), QVariantList{documentoElegido(documentos_.current())}},
    };
    emit cerrar();
    return eleccion_;
}

std::optional<QVariantMap> Tfconscxpagar::seleccionarVarios(const std::vector<int>& filas) {
    if (!seleccion_ || !documentos_.isOpen()) return std::nullopt;
    std::vector<std::pair<int64_t, int64_t>> docs;  // type, id
    QVariantList lista;
    for (int f : filas) {
        const RecordRef r = documentos_.row(f);
        if (!r.isValid()) continue;
        docs.emplace_back(r.asInt(QStringLiteral("TIPO")), r.asInt(QStringLiteral("ID")));
        lista.append(documentoElegido(r));
    }
    if (docs.empty()) {
        interaccion_.informacion(kSinSeleccion);
        return std::nullopt;
    }
    int64_t idLista = 0;
    const bool ok = proteger([&] {
        fb::Transaction tr = sesion_.compania.begin();
        idLista = tr.executeProcedure(QStringLiteral("CAMBIE_ID_CONS"))[QStringLiteral("ID")].toInt64();
        for (size_t i = 0; i < docs.size(); ++i)
            tr.execute(QStringLiteral("insert into CONSOLIDE_FALTANTES (CEFA_ID, CEFA_ITEM, CEFA_TIPOORI, "
                                      "CEFA_IDORI, CEFA_TIPODES) values (") +
                       sql::numero(idLista) + u',' + sql::numero(int64_t(i)) + u',' + sql::numero(docs[i].first) +
                       u',' + sql::numero(docs[i].second) + u',' + sql::numero(int64_t(kTipoDestino)) + u')');
        tr.commit();
    });
    if (!ok) return std::nullopt;
    eleccion_ = QVariantMap{{QStringLiteral("lista"), qlonglong(idLista)}, {QStringLiteral("documentos"), lista}};
    emit cerrar();
    return eleccion_;
}

}  // namespace cxp
