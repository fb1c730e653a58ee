#include "accounting/interfaces/Tfinterfaces.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
const QString kId = QStringLiteral("INCP_ID");

// The columns a copy carries; the discount accounts and the equivalence
// flag stay behind, and id, prefix and user are the copy's own.
const QString kCopiaCabecera = QStringLiteral(
    "INCP_NOMBRE, INCP_BASE, INCP_IVA, INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, "
    "INCP_CTABASE, INCP_CTAIVA, INCP_CTARTFTE, INCP_CTARTIVA, INCP_CTARTICA, INCP_CTAPROV, "
    "INCP_CONFIRMAR, INCP_INALCM, INCP_CTAINALCM");
const QString kCopiaNiif = QStringLiteral(
    "INCP_BASE, INCP_IVA, INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, "
    "INCP_CTABASE, INCP_CTAIVA, INCP_CTARTFTE, INCP_CTARTIVA, INCP_CTARTICA, INCP_CTAPROV, "
    "INCP_RTCREE, INCP_CTARTCREE, INCP_INALCM, INCP_CTAINALCM");
const QString kCopiaLineas =
    QStringLiteral("INPC_ITEM, INPC_CUENTA, INPC_BASE, INPC_VALOR, INPC_PORC, INPC_DB, INPC_CN");
}  // namespace

Tfinterfaces::Tfinterfaces(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {}

int Tfinterfaces::idActual() const {
    return lista_.isOpen() && !lista_.isEmpty() ? int(lista_.asInt(kId)) : 0;
}

bool Tfinterfaces::refrescar() {
    return manejador_.proteger([this] {
        const int id = idActual();
        lista_.open(sesion_.compania,
                    QStringLiteral("select incp_id, incp_nombre, pref_pre, tido_nomlargo, tico_cod, prco_pre, "
                                   "incp_confirmar from interfaz_cxpagar i, tipo_documento t where t.tido_cod = "
                                   "i.tido_cod and tido_modulo = 'CXPAGAR'"));
        static const std::pair<const char*, const char*> titulos[] = {
            {"TIDO_NOMLARGO", "Documento"}, {"INCP_NOMBRE", "Interfaz"}, {"PREF_PRE", "Prefijo"},
            {"TICO_COD", "Comp."},          {"PRCO_PRE", "Pref.Cnt"},    {"INCP_CONFIRMAR", "Ver"}};
        for (const auto& [campo, titulo] : titulos) lista_.field(QString::fromLatin1(campo)).setLabel(QString::fromUtf8(titulo));
        lista_.field(kId).setVisible(false);
        if (id != 0) lista_.locate(kId, id);
    });
}

void Tfinterfaces::nueva() { interaccion_.abrirPantalla(kPantallaNueva); }

void Tfinterfaces::modificar() {
    if (idActual() == 0) return;
    interaccion_.abrirPantalla(kPantallaModificar, {{QStringLiteral("id"), idActual()}});
}

void Tfinterfaces::eliminar() {
    const int id = idActual();
    if (id == 0) return;
    if (!interaccion_.preguntar(QStringLiteral("Esta seguro de borrar la interface ") +
                                lista_.asString(QStringLiteral("INCP_NOMBRE")).trimmed() + u'?'))
        return;
    manejador_.proteger([&] {
        sesion_.compania.executeDirect(QStringLiteral("delete from interfaz_cxpagar where incp_id = ") +
                                       sql::numero(int64_t(id)));
    });
    refrescar();
}

QStringList Tfinterfaces::prefijosCopia() {
    QStringList prefijos;
    if (idActual() == 0) return prefijos;
    manejador_.proteger([&] {
        const auto filas = sesion_.compania.query(
            QStringLiteral("select p.pref_pre,d.tido_cod from prefijos p,tipo_documento d where d.tido_cod=p.tido_cod "
                           "and d.tido_modulo = 'CXPAGAR' and d.tido_nomlargo = ") +
            sql::texto(lista_.asString(QStringLiteral("TIDO_NOMLARGO"))) + QStringLiteral(" order by p.pref_pre"));
        for (const fb::Row& f : filas) prefijos << f[0].toString();
    });
    return prefijos;
}

int Tfinterfaces::copiar(const QString& prefijo) {
    const int origen = idActual();
    if (origen == 0 || prefijo.isEmpty()) return 0;
    int nuevo = 0;
    const bool bien = manejador_.proteger([&] {
        // One transaction: a copy that fails half-way leaves nothing.
        fb::Transaction tr = sesion_.compania.begin();
        const auto fila = tr.queryOne(QStringLiteral("select ID from CAMBIE_ID_INTERCXPAGAR"));
        const int id = fila ? int((*fila)[0].toInt64()) : 0;
        const QString de = QStringLiteral(" where INCP_ID = ") + sql::numero(int64_t(origen));
        const QString n = sql::numero(int64_t(id));
        tr.execute(QStringLiteral("insert into INTERFAZ_CXPAGAR (INCP_ID, TIDO_COD, PREF_PRE, TICO_COD, PRCO_PRE, ") +
                   kCopiaCabecera + QStringLiteral(", INCP_USUARIO, INCP_RTCREE, INCP_CTARTCREE) select ") + n +
                   QStringLiteral(", TIDO_COD, ") + sql::texto(prefijo) + QStringLiteral(", TICO_COD, PRCO_PRE, ") +
                   kCopiaCabecera + u',' + sql::texto(sesion_.usuario_actual.left(10)) +
                   QStringLiteral(", INCP_RTCREE, INCP_CTARTCREE from INTERFAZ_CXPAGAR") + de);
        tr.execute(QStringLiteral("insert into INTERFAZ_CXPAGAR_NIIF (INCP_ID, ") + kCopiaNiif +
                   QStringLiteral(") select ") + n + u',' + kCopiaNiif + QStringLiteral(" from INTERFAZ_CXPAGAR_NIIF") +
                   de);
        tr.execute(QStringLiteral("insert into INTERFAZ_CXPAGAR_CTAS (INCP_ID, ") + kCopiaLineas +
                   QStringLiteral(") select ") + n + u',' + kCopiaLineas +
                   QStringLiteral(" from INTERFAZ_CXPAGAR_CTAS") + de);
        tr.commit();
        nuevo = id;
    });
    refrescar();
    return bien ? nuevo : 0;
}

}  // namespace cxp
