#include "creditors/Tfbuscprove.h"

#include "base/Sql.h"
#include "creditors/FichaAcreedor.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
const QString kNit = QStringLiteral("TERC_NIT");
const QString kBase = QStringLiteral(
    "select T.TERC_NIT, TERC_NOM, TERC_CIU, TERC_TEL, PROV_COD, PROV_SIMPLIFICADO, TERC_CONTACTO, TERC_ESTADO "
    "from terceros T, PROVEEDORES P where t.terc_nit = P.terc_nit and terc_PROV = 'S' ");
}  // namespace

const std::vector<ColumnaBusqueda>& Tfbuscprove::columnas() {
    static const std::vector<ColumnaBusqueda> c{
        {QStringLiteral("NI&T"), QStringLiteral("t.terc_nit")},
        {QStringLiteral("Nomb&re"), QStringLiteral("terc_nom")},
        {QStringLiteral("Códi&go"), QStringLiteral("prov_cod")},
        {QStringLiteral("Contact&o"), QStringLiteral("terc_contacto")},
    };
    return c;
}

Tfbuscprove::Tfbuscprove(bool gestion, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                         QObject* parent)
    : QObject(parent), gestion_(gestion), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {}

Tfbuscprove::~Tfbuscprove() = default;

QString Tfbuscprove::consulta() const {
    QString sql = kBase;
    if (!verInactivos) sql += QStringLiteral(" and terc_estado = 'S'");
    sql += condicionBusqueda(columnas(), columna, texto.trimmed(),
                             cualquierPosicion ? ModoBusqueda::Contiene : ModoBusqueda::DesdeValor);
    return sql + ordenBusqueda(columnas(), columna);
}

bool Tfbuscprove::reabrir(const QString& sql, const QString& nit) {
    const bool ok = manejador_.proteger([&] {
        lista_.open(sesion_.compania, sql);
        const QStringList titulos{QStringLiteral("NIT"),      QStringLiteral("Nombre"),  QStringLiteral("Ciudad"),
                                  QStringLiteral("Teléfono"), QStringLiteral("Código"),  QStringLiteral("Simplif."),
                                  QStringLiteral("Contacto"), QStringLiteral("Estado")};
        for (int i = 0; i < titulos.size() && i < lista_.fieldCount(); ++i) lista_.field(i).setLabel(titulos[i]);
        ultima_ = sql;
        if (!nit.isEmpty()) lista_.locate(kNit, nit);
    });
    if (ok) emit buscado();
    return ok;
}

bool Tfbuscprove::abrir() {
    eleccion_.reset();
    QString sql = kBase;
    if (!verInactivos) sql += QStringLiteral(" and terc_estado = 'S'");
    return reabrir(sql + QStringLiteral(" order by terc_nom"));
}

bool Tfbuscprove::buscar() { return reabrir(consulta()); }

QString Tfbuscprove::nitActual() const {
    return lista_.isOpen() && !lista_.isEmpty() ? lista_.asString(kNit) : QString();
}

void Tfbuscprove::nuevo() {
    if (!valide_acceso(sesion_, 0)) {
        interaccion_.informacion(FichaAcreedor::kAccesoNegado);
        return;
    }
    if (gestion_) {
        interaccion_.abrirPantalla(QStringLiteral("Tfnvotercero"));
        return;
    }
    // As a picker: the new creditor's screen over it, and the creditor
    // created there is the choice.
    const auto creado = interaccion_.elegir(QStringLiteral("Tfnvotercero"));
    if (!creado) return;
    eleccion_ = creado;
    emit cerrar();
}

void Tfbuscprove::modificar() {
    const QString nit = nitActual();
    if (nit.isEmpty()) return;
    interaccion_.abrirPantalla(QStringLiteral("Tfmodtercero"), {{QStringLiteral("nit"), nit}});
    // A picker waited for the record: its list shows the change.
    if (!gestion_) activar();
}

void Tfbuscprove::eliminar() {
    if (!valide_acceso(sesion_, 2)) {
        interaccion_.informacion(FichaAcreedor::kAccesoNegado);
        emit cerrar();
        return;
    }
    const QString nit = nitActual();
    if (nit.isEmpty()) return;
    if (!interaccion_.preguntar(QStringLiteral("Desea borrar definitivamente el tercero con NIT ") + nit + QStringLiteral(" ?")))
        return;
    try {
        sesion_.compania.executeDirect(QStringLiteral("delete from terceros where terc_nit = ") + sql::texto(nit));
    } catch (const fb::DbError& e) {
        manejador_.ManejarError(e);
        return;  // the list stays as it was
    }
    reabrir(ultima_, nit);
}

void Tfbuscprove::cartera() {
    const QString nit = nitActual();
    if (!nit.isEmpty()) interaccion_.abrirPantalla(QStringLiteral("Tfconscxpagar"), {{QStringLiteral("nit"), nit}});
}

void Tfbuscprove::movimiento() {
    const QString nit = nitActual();
    if (!nit.isEmpty())
        interaccion_.abrirPantalla(QStringLiteral("Tfmovimientos"),
                                   {{QStringLiteral("nit"), nit}, {QStringLiteral("nombre"), lista_.asString(QStringLiteral("TERC_NOM"))}});
}

void Tfbuscprove::articulos() {
    const QString nit = nitActual();
    if (!nit.isEmpty()) interaccion_.abrirPantalla(QStringLiteral("Tfprovarticulos"), {{QStringLiteral("nit"), nit}});
}

void Tfbuscprove::seleccionar() {
    const QString nit = nitActual();
    if (nit.isEmpty()) return;
    eleccion_ = QVariantMap{{QStringLiteral("nit"), nit}, {QStringLiteral("nombre"), lista_.asString(QStringLiteral("TERC_NOM"))}};
    emit cerrar();
}

void Tfbuscprove::aceptar() {
    if (gestion_)
        modificar();
    else
        seleccionar();
}

void Tfbuscprove::salir() {
    eleccion_.reset();
    emit cerrar();
}

void Tfbuscprove::activar() {
    if (lista_.isOpen() && !ultima_.isEmpty()) reabrir(ultima_, nitActual());
}

}  // namespace cxp
