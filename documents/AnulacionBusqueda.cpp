#include "documents/AnulacionBusqueda.h"

#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/DataSet.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "data/fb/Database.h"

namespace cxp {

bool releerTras(Anulacion a) { return a != Anulacion::SinAcceso && a != Anulacion::Nada; }

Anulacion anule_o_elimine(const DocumentoAnulable& d, bool conAcceso, Sesion& sesion, Interaccion& interaccion,
                          ManejadorErrores& manejador, const Configuracion& configuracion, DataSet& lista) {
    if (!conAcceso) {
        interaccion.error(kDerechoNegado);
        return Anulacion::SinAcceso;
    }
    if (!lista.isOpen() || lista.isEmpty()) return Anulacion::Nada;
    const int64_t id = lista.asInt(d.campoId);
    if (id <= 0) return Anulacion::Nada;
    const bool anulado = lista.asString(d.campoAnulado).trimmed() == QLatin1String("S");
    if (anulado && !sesion.es_administrador) {
        interaccion.pitar();
        return Anulacion::Nada;
    }
    const std::optional<QString> razon = pida_razon(configuracion, interaccion);
    if (!razon) return Anulacion::Nada;
    const QString numero = lista.asString(d.campoNumero).trimmed();
    const QString nombre = lista.asString(d.campoPrefijo).trimmed() + numero;
    const QString pregunta =
        anulado ? d.preguntaEliminar + nombre : d.preguntaAnular + (d.anularSoloNumero ? numero : nombre);
    if (!interaccion.preguntar(pregunta + u'?')) return Anulacion::Nada;

    const QString donde = QStringLiteral(" where %1_id = ").arg(d.prefijo) + sql::numero(id);
    Anulacion hecho = Anulacion::Nada;
    try {
        fb::Transaction tr = sesion.compania.begin();
        if (!anulado && d.antesDeAnular) d.antesDeAnular(tr, id);
        // Only on the state the clerk saw.
        const int64_t filas =
            anulado ? tr.execute(QStringLiteral("delete from ") + d.tabla + donde +
                                 QStringLiteral(" and %1_anulado = 'S'").arg(d.prefijo))
                    : tr.execute(QStringLiteral("update %1 set %2_anulado = 'S', %3 = ").arg(d.tabla, d.prefijo, d.columnaUsuario) +
                                 sql::texto(sesion.usuario_actual.left(10)) + donde +
                                 QStringLiteral(" and %1_anulado = 'N'").arg(d.prefijo));
        if (filas != 1) {
            tr.rollback();
            interaccion.advertencia(d.cambiado.arg(nombre));
            return Anulacion::Cambiado;
        }
        tr.commit();
        hecho = anulado ? Anulacion::Eliminado : Anulacion::Anulado;
        if (!razon->isEmpty())
            registre_razon(sesion.compania, d.tipo, id,
                           anulado ? OperacionAuditada::Eliminacion : OperacionAuditada::Anulacion, *razon);
        if (!anulado && d.trasAnular) d.trasAnular(id);
    } catch (const std::exception& e) {
        manejador.ManejarError(e, d.proveedor);
        if (hecho == Anulacion::Nada) return Anulacion::Rechazado;
    }
    return hecho;
}

}  // namespace cxp
