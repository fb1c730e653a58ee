#include "documents/charges/ConsultaAjuste.h"
#include "documents/charges/ReplicacionAjustes.h"

#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Sesion.h"
#include "data/Terceros.h"

namespace cxp {

ConsultaAjuste::ConsultaAjuste(const ClaseAjuste& clase, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, ServiciosCargo servicios,
                               ContabilidadConsulta contabilidad, QObject* parent)
    : DocumentoAjuste(clase, sesion, interaccion, manejador, configuracion, std::move(servicios), parent),
      contabilidad_(std::move(contabilidad)) {}

bool ConsultaAjuste::abrir(int64_t id) {
    leerConfiguracion();
    cargarPrefijos();
    id_ = id;
    const QString clave = sql::numero(id);
    sincronizando_ = true;
    try {
        cargo_.open(sesion_.compania, QStringLiteral("select * from %1 where %2 = ").arg(clase_.tabla, c("ID")) + clave);
        lineas_.open(sesion_.compania, QStringLiteral("select * from %1 where %2 = ").arg(clase_.tablaLineas, c("ID")) +
                                           clave + QStringLiteral(" order by ") + d("ITEM"));
    } catch (const std::exception& e) {
        sincronizando_ = false;
        manejador_.ManejarError(e, clase_.proveedor);
        return false;
    }
    sincronizando_ = false;
    if (cargo_.isEmpty() || id == 0) {
        interaccion_.error(clase_.tipo == 51 ? kNoEncontrado
                                             : QStringLiteral("No se encontró el ") + clase_.nombre +
                                                   QStringLiteral(" solicitado."));
        emit cerrar();
        return false;
    }
    // The charge's prefix stays in the list even when it is not the agency's.
    const QString prefijo = cargo_.asString(QStringLiteral("PREF_PRE"));
    if (claveDe(prefijos_, prefijo).isEmpty()) prefijos_.append({prefijo, prefijo});
    leerMontos();
    const QString nit = cargo_.asString(QStringLiteral("TERC_NIT"));
    nombreAcreedor_ = terceros_->nom_tercero(nit);
    nombreMandante_ = terceros_->nom_tercero(cargo_.asString(c("MANDANTE")));
    auto nombre = [this](const QString& sql) {
        const auto f = sesion_.compania.queryOne(sql);
        return f ? (*f)[0].toString() : QString();
    };
    const QString proy = cargo_.asString(c("PROY"));
    nombreCentro_ = nombre(QStringLiteral("SELECT PROY_NOM FROM PROYECTOS WHERE PROY_COD = ") + sql::texto(proy));
    nombreSubcentro_ = nombre(QStringLiteral("SELECT CENT_NOM FROM CENTROS WHERE CENT_COD = ") +
                              sql::texto(cargo_.asString(c("CENTRO"))) +
                              QStringLiteral(" AND PROY_COD = ") + sql::texto(proy));
    const QDate fecha = cargo_.asDate(c("FECHA"));
    diasVence_ = clase_.vence ? int(fecha.daysTo(cargo_.asDate(c("VENCE")))) : 0;
    // The date as every date shows (yyyy/MM/dd), not as the database writes
    // a date into text.
    const auto audit = sesion_.compania.queryOne(
        QStringLiteral("select first 1 audi_fecha, audi_hora, audi_usuario from auditoria where tido_cod = %1 and "
                       "audi_oper = 'I' and audi_iddoc = ")
                .arg(clase_.tipo) +
        clave + QStringLiteral(" order by audi_fecha desc, audi_hora desc"));
    registro_ = QStringLiteral("Registro: ") +
                (audit ? (*audit)[0].toString() + u'-' + (*audit)[1].toString() + u'-' + (*audit)[2].toString()
                       : QString());
    anulado_ = cargo_.asString(c("ANULADO")).trimmed() == QLatin1String("S");
    razon_ = anulado_ ? razon_anulacion(sesion_.compania, sesion_.general, clase_.tipo, id) : QString();
    factura_ = cargo_.isNull(c("FACID"))
                   ? QString()
                   : numeracion_->num_documento(21, cargo_.asInt(c("FACID")));
    aplicado_.clear();
    if (!cargo_.isNull(clase_.tipoAplicado))
        aplicado_ = numeracion_->nombre_tipo(int(cargo_.asInt(clase_.tipoAplicado))) + u' ' +
                    cargo_.asString(clase_.numeroAplicado);
    fechaCree_ = QDate::fromString(configuracion_
                                       .valor(QStringLiteral("CARTERA"), QStringLiteral("SALDOS"),
                                              QStringLiteral("FECHA AUTORETENEDOR DE RETENCION CREE"))
                                       .trimmed(),
                                   QStringLiteral("yyyy/MM/dd"));
    emit montosCambiados();
    return true;
}

// From the company's CREE self-withholding date on, the creditor's CREE is
// not subtracted in the consult.
Dinero ConsultaAjuste::neto() const {
    Dinero neto = totalConIva() - cadena_.m.rtfteMonto - cadena_.m.rtivaMonto - cadena_.m.rticaMonto;
    const QDate fecha = cargo_.isEmpty() ? QDate() : cargo_.asDate(c("FECHA"));
    if (!fechaCree_.isValid() || fecha < fechaCree_) neto -= cadena_.m.creeMonto;
    return neto;
}

void ConsultaAjuste::imprimir() {
    if (servicios_.imprimir) servicios_.imprimir(id_);
    abrir(id_);
}

void ConsultaAjuste::contabilidad() {
    if (contabilidad_)
        contabilidad_(id_, cargo_.asString(QStringLiteral("PREF_PRE")), cargo_.asDate(c("FECHA")));
}

void ConsultaAjuste::notas() {
    if (id_ != 0)
        interaccion_.abrirPantalla(QStringLiteral("Tfnotasdoc"),
                                   {{QStringLiteral("tipo"), clase_.tipo}, {QStringLiteral("id"), qlonglong(id_)}});
}

void ConsultaAjuste::replicar() {
    if (id_ != 0) replicarEnHermanas(sesion_.compania, interaccion_, clase_.tipo, id_);
}

}  // namespace cxp
