#include "ledger/Tfabonosprv.h"

#include "base/Sql.h"
#include "data/Interaccion.h"

namespace cxp {

Tfabonosprv::Tfabonosprv(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         const Configuracion& configuracion, int tipo, int64_t id, QObject* parent)
    : PantallaLedger(sesion, interaccion, manejador, configuracion, parent), tipo_(tipo), id_(id) {}

QString Tfabonosprv::consulta() const {
    return QStringLiteral("select * from abonos_documento_cxpagar(") + sql::numero(int64_t(tipo_)) +
           QStringLiteral(", ") + sql::numero(id_) + QStringLiteral(") order by FECHA");
}

bool Tfabonosprv::abrir() {
    if (!cargar(abonos_, consulta())) return false;
    columnas(abonos_, {"TIPODOC", "PREFIJO", "NUMERO", "FECHA", "ABONO", "RETES"});
    return true;
}

Dinero Tfabonosprv::totalAbonos() const {
    return abonos_.isOpen() ? abonos_.sum(QStringLiteral("ABONO")) : Dinero{};
}

Dinero Tfabonosprv::totalRetenciones() const {
    return abonos_.isOpen() ? abonos_.sum(QStringLiteral("RETES")) : Dinero{};
}

void Tfabonosprv::consultar() {
    if (!abonos_.isOpen() || abonos_.isEmpty()) return;
    const int tipo = int(abonos_.asInt(QStringLiteral("TIPOAB")));
    switch (tipo) {
    case 53:
    case 61:
    case 62: consultas::abrir(interaccion_, tipo, abonos_.asInt(QStringLiteral("IDAB"))); break;
    default: interaccion_.informacion(consultas::kNoExiste);
    }
}

}  // namespace cxp
