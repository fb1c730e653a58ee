#include "documents/service/Tfbuscaordenes.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "documents/AnulacionBusqueda.h"

namespace cxp {

namespace {
constexpr int kTipo = 56;
const QString kProveedor = QStringLiteral("QBuscaOrdenes");
}  // namespace

Tfbuscaordenes::Tfbuscaordenes(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, DataSet& lista, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      lista_(lista) {}

const std::vector<ColumnaBusqueda>& Tfbuscaordenes::columnas() {
    using T = ColumnaBusqueda::Tipo;
    static const std::vector<ColumnaBusqueda> c{
        {QStringLiteral("Conce&pto"), QStringLiteral("O.orse_concepto"), T::Texto, false},
        {QStringLiteral("&Acreedor"), QStringLiteral("t.terc_nom"), T::Texto, false},
        {QStringLiteral("&Fecha"), QStringLiteral("O.orse_fecha"), T::Fecha, true},
        {QStringLiteral("Nú&mero"), QStringLiteral("O.orse_numero"), T::Texto, false},
    };
    return c;
}

// The order being entered (id 0) is nobody's to annul or pick.
QString Tfbuscaordenes::consultaBase() const {
    QString sql = QStringLiteral(
        "select O.orse_id,O.pref_pre,O.orse_anulado,O.orse_fecha,O.orse_numero,O.orse_concepto,O.orse_base,"
        "O.orse_ivamonto,t.terc_nom from orden_servicio O, terceros t");
    if (sesion_.agencia_actual == 0) return sql + QStringLiteral(" where t.terc_nit = O.terc_nit and O.orse_id <> 0");
    return sql + QStringLiteral(", prefijos p where t.terc_nit = O.terc_nit and O.orse_id <> 0 and p.pref_pre = O.pref_pre "
                                "and p.tido_cod = 56 and (p.sucu_id=") +
           sql::numero(int64_t(sesion_.agencia_actual)) + QStringLiteral(" or p.sucu_id = 0)");
}

QString Tfbuscaordenes::consultaInicial() const {
    return consultaBase() + QStringLiteral(" order by O.orse_fecha desc, O.pref_pre, O.orse_numero desc");
}

bool Tfbuscaordenes::anular() {
    static const DocumentoAnulable orden{
        .tipo = kTipo,
        .tabla = QStringLiteral("orden_servicio"),
        .prefijo = QStringLiteral("orse"),
        .columnaUsuario = QStringLiteral("orse_usuario"),
        .campoId = QStringLiteral("ORSE_ID"),
        .campoAnulado = QStringLiteral("ORSE_ANULADO"),
        .campoPrefijo = QStringLiteral("PREF_PRE"),
        .campoNumero = QStringLiteral("ORSE_NUMERO"),
        .preguntaAnular = QStringLiteral("Esta seguro de anular la Orden No "),
        .preguntaEliminar = QStringLiteral("Esta seguro de eliminar completamente la órden "),
        .proveedor = kProveedor,
    };
    const Anulacion hecho =
        anule_o_elimine(orden, valide_acceso(sesion_, 12), sesion_, interaccion_, manejador_, configuracion_, lista_);
    // Without the right the screen closes.
    if (hecho == Anulacion::SinAcceso) emit cerrar();
    if (releerTras(hecho)) emit refrescar();
    return hecho == Anulacion::Anulado || hecho == Anulacion::Eliminado;
}

void Tfbuscaordenes::consultar() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfconsordenserv"),
                               {{QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("ORSE_ID")))}});
}

void Tfbuscaordenes::seleccionar() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    eleccion_ = QVariantMap{{QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("ORSE_ID")))},
                            {QStringLiteral("numero"), lista_.asString(QStringLiteral("PREF_PRE")).trimmed() +
                                                           lista_.asString(QStringLiteral("ORSE_NUMERO")).trimmed()}};
    emit cerrar();
}

}  // namespace cxp
