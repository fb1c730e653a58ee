#include "documents/payments/Tfbuscegreso.h"

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
const QString kProveedor = QStringLiteral("QBuscEgresos");
const QString kModuloCxp = QStringLiteral("C. X PAGAR");
}  // namespace

Tfbuscegreso::Tfbuscegreso(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                           const Configuracion& configuracion, DataSet& lista, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      lista_(lista) {}

const std::vector<ColumnaBusqueda>& Tfbuscegreso::columnas() {
    using T = ColumnaBusqueda::Tipo;
    static const std::vector<ColumnaBusqueda> c{
        {QStringLiteral("Nú&mero"), QStringLiteral("egre_numero"), T::Texto, true},
        {QStringLiteral("&Fecha"), QStringLiteral("egre_fecha"), T::Fecha, true},
        {QStringLiteral("&Acreedor"), QStringLiteral("egre_nomterc"), T::Texto, false},
        {QStringLiteral("Conce&pto"), QStringLiteral("egre_conc"), T::Texto, false},
    };
    return c;
}

QDate Tfbuscegreso::desde(const QString& texto, const QDate& hoy) const {
    const int dias = configuracion_
                         .valor(QStringLiteral("CAJA"), QStringLiteral("DOCUMENTOS"),
                                QStringLiteral("NUMERO DE DIAS PARA BUSCAR DOCUMENTOS"))
                         .trimmed()
                         .toInt();
    return dias >= 1 && texto.trimmed().isEmpty() ? hoy.addDays(-dias) : kDesdeSiempre;
}

QString Tfbuscegreso::consultaBase(const QString& texto) const {
    // The payables module lists only vouchers of class "1".
    return QStringLiteral("select * from busqueda_egresos(") + sql::fecha(desde(texto)) + QLatin1Char(',') +
           sql::numero(int64_t(sesion_.agencia_actual)) + QStringLiteral(") where egre_tipo = '1'");
}

QString Tfbuscegreso::consulta(int columna, const QString& texto, bool cualquierPosicion) const {
    return consultaBase(texto) +
           condicionBusqueda(columnas(), columna, texto,
                             cualquierPosicion ? ModoBusqueda::Contiene : ModoBusqueda::DesdeValor) +
           orden();
}

Tfbuscegreso::Resultado Tfbuscegreso::eliminar() {
    DocumentoAnulable egreso{
        .tipo = 62,
        .tabla = QStringLiteral("egresos"),
        .prefijo = QStringLiteral("egre"),
        .columnaUsuario = QStringLiteral("egre_usuario"),
        .campoId = QStringLiteral("EGRE_ID"),
        .campoAnulado = QStringLiteral("EGRE_ANULADO"),
        .campoPrefijo = QStringLiteral("PREF_PRE"),
        .campoNumero = QStringLiteral("EGRE_NUMERO"),
        .preguntaAnular = QStringLiteral("Esta seguro de anular el EGRESO "),
        .preguntaEliminar = QStringLiteral("Esta seguro de eliminar completamente el EGRESO "),
        .proveedor = kProveedor,
    };
    egreso.cambiado = kCambiado;
    // Annulled, its cheque or withdrawal number may be used again; deleted,
    // that record goes with the voucher's bank row.
    egreso.trasAnular = [this](int64_t id) { liberarDocumentoBanco(id); };
    const Anulacion hecho =
        anule_o_elimine(egreso, valide_acceso(sesion_, sesion_.modulo_actual == kModuloCxp ? 32 : 42, sesion_.modulo_actual),
                        sesion_, interaccion_, manejador_, configuracion_, lista_);
    if (releerTras(hecho)) emit refrescar();
    return hecho == Anulacion::Anulado    ? Resultado::Anulado
           : hecho == Anulacion::Eliminado ? Resultado::Eliminado
                                           : Resultado::Nada;
}

// "Desea volver a utilizar el cheque/retiro No. …?": yes deletes the record
// of the cheque (or withdrawal) so that its number is free for a new
// voucher; no keeps it, annulled and used.
bool Tfbuscegreso::liberarDocumentoBanco(int64_t id) {
    const auto banco = sesion_.compania.queryOne(
        QStringLiteral("select egbc_tipobco, cuba_cod, prba_pref, egbc_numero FROM egresos_banco where egre_id = ") +
        sql::numero(id));
    if (!banco || (*banco)[3].isNull() || (*banco)[3].toString().trimmed().isEmpty()) return false;
    const QString numero = (*banco)[2].toString().trimmed() + (*banco)[3].toString().trimmed();
    if (!interaccion_.preguntar(QStringLiteral("Desea volver a utilizar el cheque/retiro No. ") + numero +
                                QLatin1Char('?')))
        return false;
    if ((*banco)[0].toInt64() != 73)
        sesion_.compania.executeDirect(QStringLiteral("DELETE FROM CHEQUES WHERE CHEQ_IDEGRESO = ") + sql::numero(id));
    else
        sesion_.compania.executeDirect(QStringLiteral("DELETE FROM RETIROS WHERE RETI_IDEGRESO = ") + sql::numero(id));
    return true;
}

void Tfbuscegreso::consultar() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfconsegresos"),
                               {{QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("EGRE_ID")))}});
}

void Tfbuscegreso::notas() {
    if (!lista_.isOpen() || lista_.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                               {{QStringLiteral("tipo"), 62},
                                {QStringLiteral("id"), qlonglong(lista_.asInt(QStringLiteral("EGRE_ID")))}});
}

}  // namespace cxp
