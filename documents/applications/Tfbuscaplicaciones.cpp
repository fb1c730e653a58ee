#include "documents/applications/Tfbuscaplicaciones.h"

#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
const QString kProveedor = QStringLiteral("QBuscAplicaciones");
}

Tfbuscaplicaciones::Tfbuscaplicaciones(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                       const Configuracion& configuracion, DataSet& lista, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      lista_(lista) {}

// Concept and creditor ascending; date and number newest first.
const std::vector<ColumnaBusqueda>& Tfbuscaplicaciones::columnas() {
    using T = ColumnaBusqueda::Tipo;
    static const std::vector<ColumnaBusqueda> c{
        {QStringLiteral("Conce&pto"), QStringLiteral("appr_conc"), T::Texto, false},
        {QStringLiteral("&Acreedor"), QStringLiteral("t.terc_nom"), T::Texto, false},
        {QStringLiteral("&Fecha"), QStringLiteral("appr_fecha"), T::Fecha, true},
        {QStringLiteral("Nú&mero"), QStringLiteral("appr_numero"), T::Texto, true},
    };
    return c;
}

QString Tfbuscaplicaciones::consultaBase() const {
    if (sesion_.agencia_actual != 0)
        return QStringLiteral("select appr_anulado,appr_id,a.pref_pre,appr_numero,appr_conc,appr_fecha,t.terc_nom "
                              "from aplicacion_provedor a,terceros t,prefijos p where t.terc_nit = a.terc_nit and "
                              "a.pref_pre= p.pref_pre and p.tido_cod = 53 and p.sucu_id=") +
               sql::numero(int64_t(sesion_.agencia_actual));
    return QStringLiteral("select appr_anulado,appr_id,a.pref_pre,appr_numero,appr_conc,appr_fecha,t.terc_nom "
                          "from aplicacion_provedor a,terceros t where t.terc_nit = a.terc_nit");
}

QString Tfbuscaplicaciones::consultaInicial() const {
    return consultaBase() + QStringLiteral(" order by appr_fecha");
}

Tfbuscaplicaciones::Resultado Tfbuscaplicaciones::eliminar() {
    if (!valide_acceso(sesion_, kDerecho)) {
        interaccion_.error(kSinAcceso);
        return Resultado::Nada;
    }
    if (!lista_.isOpen() || lista_.isEmpty()) return Resultado::Nada;
    const int64_t id = lista_.asInt(QStringLiteral("APPR_ID"));
    if (id <= 0) return Resultado::Nada;
    const bool anulada = lista_.asString(QStringLiteral("APPR_ANULADO")).trimmed() == QLatin1String("S");
    // Deleting is only for an annulled application, and only for an administrator.
    if (anulada && !sesion_.es_administrador) {
        interaccion_.pitar();
        return Resultado::Nada;
    }
    const std::optional<QString> pedida = pida_razon(configuracion_, interaccion_);
    if (!pedida) return Resultado::Nada;
    const QString razon = *pedida;
    const QString prefijo = lista_.asString(QStringLiteral("PREF_PRE")).trimmed();
    const QString numero = lista_.asString(QStringLiteral("APPR_NUMERO")).trimmed();
    const QString igual = sql::numero(id);
    Resultado hecho = Resultado::Nada;
    try {
        if (!anulada) {
            if (!interaccion_.preguntar(QStringLiteral("Esta seguro de anular la aplicacion No ") + numero +
                                        QStringLiteral("?")))
                return Resultado::Nada;
            fb::Transaction tr = sesion_.compania.begin();
            tr.execute(QStringLiteral("update aplicacion_proveedor_detalle set APPD_ANULADO = 'S'    where appr_id = ") +
                       igual);
            tr.execute(QStringLiteral("update aplicacion_provedor set APPR_ANULADO = 'S', appr_usuario = ") +
                       sql::texto(sesion_.usuario_actual.left(10)) + QStringLiteral(" where appr_id = ") + igual);
            tr.commit();
            hecho = Resultado::Anulada;
        } else {
            if (!interaccion_.preguntar(QStringLiteral("Esta seguro de eliminar completamente la aplicación ") +
                                        prefijo + numero + QStringLiteral("?")))
                return Resultado::Nada;
            sesion_.compania.executeDirect(QStringLiteral("delete from aplicacion_provedor where appr_id = ") + igual);
            hecho = Resultado::Eliminada;
        }
        if (!razon.isEmpty())
            registre_razon(sesion_.compania, 53, id,
                           hecho == Resultado::Anulada ? OperacionAuditada::Anulacion : OperacionAuditada::Eliminacion,
                           razon);
    } catch (const std::exception& e) {
        manejador_.ManejarError(e, kProveedor);
    }
    emit refrescar();
    return hecho;
}

void Tfbuscaplicaciones::consultar() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfconsaplicacxp"),
                               {{QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("APPR_ID")))}});
}

void Tfbuscaplicaciones::abonos() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfabonosprv"),
                               {{QStringLiteral("tipo"), 53},
                                {QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("APPR_ID")))}});
}

void Tfbuscaplicaciones::notas() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                               {{QStringLiteral("tipo"), 53},
                                {QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("APPR_ID")))}});
}

}  // namespace cxp
