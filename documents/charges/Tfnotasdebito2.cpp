#include "documents/charges/Tfnotasdebito2.h"

#include "base/Sql.h"
#include "data/Auditoria.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Numeracion.h"
#include "data/Sesion.h"
#include "data/Terceros.h"

namespace cxp {

Tfnotasdebito2::Tfnotasdebito2(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                               const Configuracion& configuracion, ServiciosCargo servicios,
                               ContabilidadConsulta contabilidad, QObject* parent)
    : Tfnotasdebito(sesion, interaccion, manejador, configuracion, std::move(servicios), parent),
      contabilidad_(std::move(contabilidad)) {}

bool Tfnotasdebito2::abrir(int64_t id) {
    leerConfiguracion();
    cargarPrefijos();
    id_ = id;
    const QString clave = sql::numero(id);
    sincronizando_ = true;
    try {
        cargo_.open(sesion_.compania, QStringLiteral("select * from notas_debito_proveedor where ndpr_id = ") + clave);
        lineas_.open(sesion_.compania,
                     QStringLiteral("select * from nota_debito_prov_det where ndpr_id = ") + clave +
                         QStringLiteral(" order by ndpd_item"));
    } catch (const std::exception& e) {
        sincronizando_ = false;
        manejador_.ManejarError(e, QStringLiteral("QNotasDebito"));
        return false;
    }
    sincronizando_ = false;
    if (cargo_.isEmpty() || id == 0) {
        interaccion_.error(kNoEncontrado);
        emit cerrar();
        return false;
    }
    // The charge's prefix stays in the list even when it is not the agency's.
    const QString prefijo = cargo_.asString(QStringLiteral("PREF_PRE"));
    if (claveDe(prefijos_, prefijo).isEmpty()) prefijos_.append({prefijo, prefijo});
    leerMontos();
    const QString nit = cargo_.asString(QStringLiteral("TERC_NIT"));
    nombreAcreedor_ = terceros_->nom_tercero(nit);
    nombreMandante_ = terceros_->nom_tercero(cargo_.asString(QStringLiteral("NDPR_MANDANTE")));
    auto nombre = [this](const QString& sql) {
        const auto f = sesion_.compania.queryOne(sql);
        return f ? (*f)[0].toString() : QString();
    };
    const QString proy = cargo_.asString(QStringLiteral("NDPR_PROY"));
    nombreCentro_ = nombre(QStringLiteral("SELECT PROY_NOM FROM PROYECTOS WHERE PROY_COD = ") + sql::texto(proy));
    nombreSubcentro_ = nombre(QStringLiteral("SELECT CENT_NOM FROM CENTROS WHERE CENT_COD = ") +
                              sql::texto(cargo_.asString(QStringLiteral("NDPR_CENTRO"))) +
                              QStringLiteral(" AND PROY_COD = ") + sql::texto(proy));
    const QDate fecha = cargo_.asDate(QStringLiteral("NDPR_FECHA"));
    diasVence_ = int(fecha.daysTo(cargo_.asDate(QStringLiteral("NDPR_VENCE"))));
    // The date as every date shows (yyyy/MM/dd), not as the database writes
    // a date into text.
    const auto audit = sesion_.compania.queryOne(
        QStringLiteral("select first 1 audi_fecha, audi_hora, audi_usuario from auditoria where tido_cod = 51 and "
                       "audi_oper = 'I' and audi_iddoc = ") +
        clave + QStringLiteral(" order by audi_fecha desc, audi_hora desc"));
    registro_ = QStringLiteral("Registro: ") +
                (audit ? (*audit)[0].toString() + u'-' + (*audit)[1].toString() + u'-' + (*audit)[2].toString()
                       : QString());
    anulado_ = cargo_.asString(QStringLiteral("NDPR_ANULADO")).trimmed() == QLatin1String("S");
    razon_ = anulado_ ? razon_anulacion(sesion_.compania, sesion_.general, 51, id) : QString();
    factura_ = cargo_.isNull(QStringLiteral("NDPR_FACID"))
                   ? QString()
                   : numeracion_->num_documento(21, cargo_.asInt(QStringLiteral("NDPR_FACID")));
    aplicado_.clear();
    if (!cargo_.isNull(QStringLiteral("NDPR_TIPOAPL")))
        aplicado_ = numeracion_->nombre_tipo(int(cargo_.asInt(QStringLiteral("NDPR_TIPOAPL")))) + u' ' +
                    cargo_.asString(QStringLiteral("NDPR_NUMAPL"));
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
Dinero Tfnotasdebito2::neto() const {
    Dinero neto = totalConIva() - cadena_.m.rtfteMonto - cadena_.m.rtivaMonto - cadena_.m.rticaMonto;
    const QDate fecha = cargo_.isEmpty() ? QDate() : cargo_.asDate(QStringLiteral("NDPR_FECHA"));
    if (!fechaCree_.isValid() || fecha < fechaCree_) neto -= cadena_.m.creeMonto;
    return neto;
}

void Tfnotasdebito2::imprimir() {
    if (servicios_.imprimir) servicios_.imprimir(id_);
    abrir(id_);
}

void Tfnotasdebito2::contabilidad() {
    if (contabilidad_)
        contabilidad_(id_, cargo_.asString(QStringLiteral("PREF_PRE")), cargo_.asDate(QStringLiteral("NDPR_FECHA")));
}

}  // namespace cxp
