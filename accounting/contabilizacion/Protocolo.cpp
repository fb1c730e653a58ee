#include "accounting/contabilizacion/Protocolo.h"

#include "accounting/contabilizacion/Contabilizador.h"
#include "accounting/contabilizacion/Contexto.h"
#include "base/Sql.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"

#include <stdexcept>

namespace cxp {

ProtocoloContabilizacion::ProtocoloContabilizacion(Sesion& sesion, Interaccion& interaccion,
                                                   const Configuracion& configuracion,
                                                   ContextoContabilizacion& contexto, ElegirInterfaz elegirInterfaz,
                                                   Revisar revisar)
    : sesion_(sesion),
      interaccion_(interaccion),
      configuracion_(configuracion),
      contexto_(contexto),
      elegirInterfaz_(std::move(elegirInterfaz)),
      revisar_(std::move(revisar)) {}

ProtocoloContabilizacion::~ProtocoloContabilizacion() = default;

std::optional<int> ProtocoloContabilizacion::comprobanteExistente(fb::Database& compania, int tipo, int id) {
    const std::optional<fb::Row> f =
        compania.queryOne(QStringLiteral("select enco_consec from comprobante_encabezado where enco_tiporef = ") +
                          sql::numero(int64_t(tipo)) + QStringLiteral(" and enco_idref = ") + sql::numero(int64_t(id)));
    if (!f || (*f)[0].isNull()) return std::nullopt;
    return int((*f)[0].toInt64());
}

ProtocoloContabilizacion::Resultado ProtocoloContabilizacion::desdeConsulta(const DocumentoContable& documento) {
    if (const std::optional<int> consec = comprobanteExistente(sesion_.compania, documento.tipo, documento.id)) {
        if (!acceso_editacomproba(sesion_, sesion_.usuario_actual, QStringLiteral("CONTABILIDAD"), kDerechoEditar)) {
            interaccion_.error(kAccesoNegado);
            return Resultado::AccesoNegado;
        }
        interaccion_.abrirPantalla(kEditor, {{QStringLiteral("enco_consec"), *consec}});
        return Resultado::EditorAbierto;
    }
    return contabilizar(documento);
}

ProtocoloContabilizacion::Resultado ProtocoloContabilizacion::contabilizar(const DocumentoContable& documento) {
    const ClaseContabilizacion* clase = ClaseContabilizacion::deTipo(documento.tipo);
    if (!clase) throw std::invalid_argument("tipo de documento sin contabilización");
    const int interfaz = elegirInterfaz_ ? elegirInterfaz_(documento.tipo, documento.prefijo) : 0;
    if (interfaz == 0) return Resultado::SinInterfaz;

    Contabilizador contabilizador(sesion_.compania, interaccion_, configuracion_, contexto_);
    const int idc = contabilizador.contabilice(*clase, documento.id, interfaz, documento.fecha);
    if (idc == 0) return Resultado::SinComprobante;

    contexto_.fijarDocumento(documento.tipo, documento.id);
    const Revision revision = revisar_ ? revisar_() : Revision{};
    contexto_.fijarDocumento(0, 0);
    if (revision.necesaria) {
        if (!revision.aceptada) return Resultado::Cancelado;
        contabilizador.contabiliza_pendiente(idc);
        return Resultado::Finalizado;
    }
    if (finalizarSinRevision_) {
        contabilizador.contabiliza_pendiente(idc);
        return Resultado::Finalizado;
    }
    return Resultado::Pendiente;
}

}  // namespace cxp
