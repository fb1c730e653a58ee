#include "documents/charges/BuscaAjuste.h"

#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/DataSet.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "documents/AnulacionBusqueda.h"

namespace cxp {

const ClaseBusquedaAjuste& ClaseBusquedaAjuste::cargo() {
    static const ClaseBusquedaAjuste c{51,
                                       QStringLiteral("Tfbuscanotdebito"),
                                       QStringLiteral("Busca Cargos en Cuenta"),
                                       QStringLiteral("NDPR"),
                                       QStringLiteral("notas_debito_proveedor"),
                                       11,
                                       QStringLiteral("Tfnotasdebito2"),
                                       QStringLiteral("BuscNotaDebito"),
                                       QStringLiteral("Esta seguro de anular la Nota Debito No "),
                                       QStringLiteral("Esta seguro de eliminar completamente el cargo "),
                                       QStringLiteral("QBuscNotaDebito")};
    return c;
}

const ClaseBusquedaAjuste& ClaseBusquedaAjuste::descuento() {
    static const ClaseBusquedaAjuste c{52,
                                       QStringLiteral("Tfbuscancredito"),
                                       QStringLiteral("Busca Descuentos en Cuenta"),
                                       QStringLiteral("NCPR"),
                                       QStringLiteral("notas_credito_proveedor"),
                                       21,
                                       QStringLiteral("Tfnotascredito2"),
                                       QStringLiteral("notascre"),
                                       QStringLiteral("Esta seguro de anular la nota credito  No"),
                                       QStringLiteral("Esta seguro de eliminar completamente el descuento "),
                                       QStringLiteral("QBuscNotaCredito")};
    return c;
}

BuscaAjuste::BuscaAjuste(const ClaseBusquedaAjuste& clase, Sesion& sesion, Interaccion& interaccion,
                         ManejadorErrores& manejador, const Configuracion& configuracion, DataSet& lista,
                         QObject* parent)
    : QObject(parent),
      clase_(clase),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      lista_(lista) {}

QString BuscaAjuste::c(const char* sufijo) const { return clase_.prefijoColumna + u'_' + QLatin1String(sufijo); }

std::vector<ColumnaBusqueda> BuscaAjuste::columnas() const {
    using T = ColumnaBusqueda::Tipo;
    const QString p = QStringLiteral("a.") + clase_.prefijoColumna.toLower();
    return {
        {QStringLiteral("Conce&pto"), p + QStringLiteral("_conc"), T::Texto, false},
        {QStringLiteral("&Acreedor"), QStringLiteral("t.terc_nom"), T::Texto, false},
        {QStringLiteral("&Fecha"), p + QStringLiteral("_fecha"), T::Fecha, true},
        {QStringLiteral("Nú&mero"), p + QStringLiteral("_numero"), T::Texto, false},
    };
}

// The columns in the grid's order: prefix, number, date, creditor's number,
// creditor, concept, amount (with the extra), VAT, total, annulled; the id
// hidden last.
QString BuscaAjuste::consultaBase() const {
    const QString p = clase_.prefijoColumna.toLower();
    QString s = QStringLiteral("select a.pref_pre,a.%1_numero,a.%1_fecha,a.%1_numprov,t.terc_nom,a.%1_conc,"
                               "a.%1_monto+a.%1_extra %1_monto,a.%1_ivamonto,"
                               "a.%1_monto+a.%1_extra+a.%1_ivamonto total,a.%1_anulado,a.%1_id from %2 a, terceros t")
                    .arg(p, clase_.tabla);
    if (sesion_.agencia_actual != 0)
        return s + QStringLiteral(",prefijos p where t.terc_nit = a.terc_nit and a.pref_pre= p.pref_pre and p.tido_cod = ") +
               sql::numero(int64_t(clase_.tipo)) + QStringLiteral(" and p.sucu_id=") +
               sql::numero(int64_t(sesion_.agencia_actual));
    return s + QStringLiteral(" where t.terc_nit = a.terc_nit");
}

QString BuscaAjuste::consultaInicial() const {
    const QString p = clase_.prefijoColumna.toLower();
    return consultaBase() + QStringLiteral(" order by a.%1_fecha desc, a.pref_pre, a.%1_numero desc").arg(p);
}

int64_t BuscaAjuste::idActual() const {
    if (!lista_.isOpen() || lista_.isEmpty()) return 0;
    return lista_.asInt(c("ID"));
}

// The annulment or deletion takes the ledger voucher in the same statement
// (the table's trigger).
DocumentoAnulable BuscaAjuste::anulable() const {
    const QString p = clase_.prefijoColumna.toLower();
    return {
        .tipo = clase_.tipo,
        .tabla = clase_.tabla,
        .prefijo = p,
        .columnaUsuario = p + QStringLiteral("_usuario"),
        .campoId = c("ID"),
        .campoAnulado = c("ANULADO"),
        .campoPrefijo = QStringLiteral("PREF_PRE"),
        .campoNumero = c("NUMERO"),
        .preguntaAnular = clase_.preguntaAnular,
        .preguntaEliminar = clase_.preguntaEliminar,
        .proveedor = clase_.proveedor,
    };
}

QString BuscaAjuste::yaCambiado(const QString& numero) const { return anulable().cambiado.arg(numero); }

BuscaAjuste::Resultado BuscaAjuste::eliminar() {
    const Anulacion hecho = anule_o_elimine(anulable(), valide_acceso(sesion_, clase_.derecho), sesion_, interaccion_,
                                            manejador_, configuracion_, lista_);
    if (releerTras(hecho)) emit refrescar();
    return hecho == Anulacion::Anulado    ? Resultado::Anulado
           : hecho == Anulacion::Eliminado ? Resultado::Eliminado
                                           : Resultado::Nada;
}

void BuscaAjuste::consultar() {
    if (const int64_t id = idActual())
        interaccion_.abrirPantalla(clase_.consulta, {{QStringLiteral("id"), qlonglong(id)}});
}

void BuscaAjuste::abonos() {
    if (const int64_t id = idActual())
        interaccion_.abrirPantalla(QStringLiteral("Tfabonosprv"),
                                   {{QStringLiteral("tipo"), clase_.tipo}, {QStringLiteral("id"), qlonglong(id)}});
}

void BuscaAjuste::notas() {
    if (const int64_t id = idActual())
        interaccion_.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                                   {{QStringLiteral("tipo"), clase_.tipo}, {QStringLiteral("id"), qlonglong(id)}});
}

}  // namespace cxp
