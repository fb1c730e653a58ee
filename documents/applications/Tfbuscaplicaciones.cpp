#include "documents/applications/Tfbuscaplicaciones.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "data/fb/Database.h"
#include "documents/AnulacionBusqueda.h"

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
    DocumentoAnulable aplicacion{
        .tipo = 53,
        .tabla = QStringLiteral("aplicacion_provedor"),
        .prefijo = QStringLiteral("appr"),
        .columnaUsuario = QStringLiteral("appr_usuario"),
        .campoId = QStringLiteral("APPR_ID"),
        .campoAnulado = QStringLiteral("APPR_ANULADO"),
        .campoPrefijo = QStringLiteral("PREF_PRE"),
        .campoNumero = QStringLiteral("APPR_NUMERO"),
        .preguntaAnular = QStringLiteral("Esta seguro de anular la aplicacion No "),
        .preguntaEliminar = QStringLiteral("Esta seguro de eliminar completamente la aplicación "),
        .proveedor = kProveedor,
    };
    aplicacion.anularSoloNumero = true;
    // Its rows are annulled with it.
    aplicacion.antesDeAnular = [](fb::Transaction& tr, int64_t id) {
        tr.execute(QStringLiteral("update aplicacion_proveedor_detalle set APPD_ANULADO = 'S' where appr_id = ") +
                   sql::numero(id));
    };
    const Anulacion hecho = anule_o_elimine(aplicacion, valide_acceso(sesion_, kDerecho), sesion_, interaccion_,
                                            manejador_, configuracion_, lista_);
    if (releerTras(hecho)) emit refrescar();
    return hecho == Anulacion::Anulado    ? Resultado::Anulada
           : hecho == Anulacion::Eliminado ? Resultado::Eliminada
                                           : Resultado::Nada;
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
