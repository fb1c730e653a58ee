#include "comunes/Selecciones.h"

#include "base/Sql.h"
#include "data/Selectores.h"

namespace cxp {

namespace {
QString bandera(const RecordRef& r, const QString& campo) { return r.asString(campo).trimmed().toUpper(); }
QString texto(const RecordRef& r, const QString& campo) { return r.asString(campo).trimmed(); }
}  // namespace

// ---- accounts

SeleccionCuentas::SeleccionCuentas(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                                   const QVariantMap& argumentos)
    : Seleccion(db, interaccion, manejador), niif_(argumentos.value(QStringLiteral("niif")).toBool()) {
    setFiltroInicial(argumentos.value(QStringLiteral("filtro")).toString());
}

QString SeleccionCuentas::tabla() const {
    return niif_ ? QStringLiteral("CUENTAS_NIIF") : QStringLiteral("CUENTAS");
}

QString SeleccionCuentas::titulo() const {
    return niif_ ? QStringLiteral("Cuentas NIIF") : QStringLiteral("Cuentas");
}

std::vector<ColumnaSeleccion> SeleccionCuentas::columnas() const {
    return {{QStringLiteral("CUEN_COD"), QStringLiteral("Cuenta"), 13},
            {QStringLiteral("CUEN_NOM"), QStringLiteral("Nombre"), 42},
            {QStringLiteral("CUEN_NIVEL"), QStringLiteral("Nivel"), 5},
            {QStringLiteral("CUEN_NATURALEZA"), QStringLiteral("Nat."), 4},
            {QStringLiteral("CUEN_ACTIVA"), QStringLiteral("Activa"), 6}};
}

QString SeleccionCuentas::consulta(const QString& texto) const {
    const QString t = tabla();
    return QStringLiteral("select c.CUEN_COD, c.CUEN_NOM, c.CUEN_NIVEL, c.CUEN_NATURALEZA, c.CUEN_ACTIVA, "
                          "case when exists (select 1 from %1 h where h.CUEN_COD starting with c.CUEN_COD "
                          "and h.CUEN_COD <> c.CUEN_COD) then 'S' else 'N' end AUXILIARES "
                          "from %1 c where 1 = 1")
               .arg(t) +
           condicion(texto, {QStringLiteral("c.CUEN_COD")}, {QStringLiteral("c.CUEN_NOM")}) +
           QStringLiteral(" order by c.CUEN_COD");
}

MarcaFila SeleccionCuentas::marca(const RecordRef& fila) const {
    if (bandera(fila, QStringLiteral("CUEN_ACTIVA")) == QLatin1String("N")) return MarcaFila::Inactiva;
    if (bandera(fila, QStringLiteral("AUXILIARES")) == QLatin1String("S") ||
        texto(fila, QStringLiteral("CUEN_COD")).size() < kDigitosAfectables)
        return MarcaFila::Restringida;
    return MarcaFila::Normal;
}

QString SeleccionCuentas::leyenda() const {
    return QStringLiteral("En rojo, las cuentas inactivas; en gris, las que no reciben movimientos.");
}

Eleccion SeleccionCuentas::elegir(const RecordRef& fila) const {
    const QString codigo = texto(fila, QStringLiteral("CUEN_COD"));
    if (bandera(fila, QStringLiteral("CUEN_ACTIVA")) == QLatin1String("N"))
        return {std::nullopt, (niif_ ? QStringLiteral("La cuenta NIIF ") : QStringLiteral("La cuenta ")) + codigo +
                                  QStringLiteral(" está inactiva.")};
    if (bandera(fila, QStringLiteral("AUXILIARES")) == QLatin1String("S"))
        return {std::nullopt, niif_ ? QStringLiteral("La cuenta NIIF indicada tiene auxiliares definidos.")
                                    : QStringLiteral("La cuenta indicada tiene auxiliares definidos.")};
    if (codigo.size() < kDigitosAfectables)
        return {std::nullopt, QStringLiteral("La cuenta es de nivel inferior al mínimo afectable.")};
    return {QVariantMap{{QStringLiteral("cuenta"), codigo}}, {}};
}

// ---- cost centres

SeleccionCentros::SeleccionCentros(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                                   const QVariantMap& argumentos)
    : Seleccion(db, interaccion, manejador) {
    setFiltroInicial(argumentos.value(QStringLiteral("filtro")).toString());
    const QVariant agencia = argumentos.value(QStringLiteral("agencia"));
    bool ok = false;
    const int n = agencia.toInt(&ok);
    if (agencia.isValid() && ok) agencia_ = n;
}

QString SeleccionCentros::titulo() const { return QStringLiteral("Centros de costo"); }

std::vector<ColumnaSeleccion> SeleccionCentros::columnas() const {
    return {{QStringLiteral("PROY_COD"), QStringLiteral("Centro"), 6},
            {QStringLiteral("PROY_NOM"), QStringLiteral("Nombre del centro"), 28},
            {QStringLiteral("CENT_COD"), QStringLiteral("Subcentro"), 9},
            {QStringLiteral("CENT_NOM"), QStringLiteral("Nombre del subcentro"), 28}};
}

QString SeleccionCentros::consulta(const QString& texto) const {
    QString s = QStringLiteral(
        "select p.PROY_COD, p.PROY_NOM, c.CENT_COD, c.CENT_NOM, c.SUCU_ID "
        "from CENTROS c join PROYECTOS p on p.PROY_COD = c.PROY_COD "
        "where p.PROY_ACTIVO = 'S' and c.CENT_ACTIVO = 'S'");
    if (agencia_) s += QStringLiteral(" and c.SUCU_ID in (") + sql::numero(int64_t(*agencia_)) + QStringLiteral(", 0)");
    return s +
           condicion(texto, {QStringLiteral("p.PROY_COD"), QStringLiteral("c.CENT_COD")},
                     {QStringLiteral("p.PROY_NOM"), QStringLiteral("c.CENT_NOM")}) +
           QStringLiteral(" order by p.PROY_COD, c.CENT_COD");
}

Eleccion SeleccionCentros::elegir(const RecordRef& fila) const {
    return {QVariantMap{{QStringLiteral("proyecto"), texto(fila, QStringLiteral("PROY_COD"))},
                        {QStringLiteral("centro"), texto(fila, QStringLiteral("CENT_COD"))}},
            {}};
}

// ---- third parties

SeleccionTerceros::SeleccionTerceros(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                                     const QVariantMap& argumentos)
    : Seleccion(db, interaccion, manejador), proveedores_(argumentos.value(QStringLiteral("proveedores")).toBool()) {
    setFiltroInicial(argumentos.value(QStringLiteral("filtro")).toString());
}

QString SeleccionTerceros::titulo() const {
    return proveedores_ ? QStringLiteral("Proveedores") : QStringLiteral("Terceros");
}

std::vector<ColumnaSeleccion> SeleccionTerceros::columnas() const {
    return {{QStringLiteral("TERC_NIT"), QStringLiteral("NIT"), 13},
            {QStringLiteral("TERC_DV"), QStringLiteral("DV"), 3},
            {QStringLiteral("TERC_NOM"), QStringLiteral("Nombre"), 38},
            {QStringLiteral("TERC_CIU"), QStringLiteral("Ciudad"), 16},
            {QStringLiteral("TERC_TEL"), QStringLiteral("Teléfono"), 14}};
}

QString SeleccionTerceros::consulta(const QString& texto) const {
    QString s = QStringLiteral(
        "select t.TERC_NIT, t.TERC_DV, t.TERC_NOM, t.TERC_CIU, t.TERC_TEL from TERCEROS t "
        "where t.TERC_ESTADO = 'S'");
    if (proveedores_) s += QStringLiteral(" and t.TERC_PROV = 'S'");
    return s + condicion(texto, {QStringLiteral("t.TERC_NIT")}, {QStringLiteral("t.TERC_NOM")}) +
           QStringLiteral(" order by t.TERC_NOM, t.TERC_NIT");
}

Eleccion SeleccionTerceros::elegir(const RecordRef& fila) const {
    return {QVariantMap{{QStringLiteral("nit"), texto(fila, QStringLiteral("TERC_NIT"))},
                        {QStringLiteral("nombre"), texto(fila, QStringLiteral("TERC_NOM"))}},
            {}};
}

// ---- fixed assets

SeleccionActivos::SeleccionActivos(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                                   const QVariantMap& argumentos)
    : Seleccion(db, interaccion, manejador) {
    setFiltroInicial(argumentos.value(QStringLiteral("filtro")).toString());
}

QString SeleccionActivos::titulo() const { return QStringLiteral("Activos fijos"); }

std::vector<ColumnaSeleccion> SeleccionActivos::columnas() const {
    return {{QStringLiteral("ACFJ_COD"), QStringLiteral("Código"), 15},
            {QStringLiteral("ACFJ_DESC"), QStringLiteral("Descripción"), 38},
            {QStringLiteral("CUEN_COD"), QStringLiteral("Cuenta"), 12},
            {QStringLiteral("ACFJ_FECHA"), QStringLiteral("Fecha"), 0},
            {QStringLiteral("ACFJ_COSTO"), QStringLiteral("Costo"), 0}};
}

QString SeleccionActivos::consulta(const QString& texto) const {
    return QStringLiteral("select a.ACFJ_COD, a.ACFJ_DESC, a.CUEN_COD, a.ACFJ_FECHA, a.ACFJ_COSTO "
                          "from ACTIVOS_FIJOS a where a.ACFJ_ACTIVO = 'S'") +
           condicion(texto, {QStringLiteral("a.ACFJ_COD")}, {QStringLiteral("a.ACFJ_DESC")}) +
           QStringLiteral(" order by a.ACFJ_COD");
}

Eleccion SeleccionActivos::elegir(const RecordRef& fila) const {
    return {QVariantMap{{QStringLiteral("codigo"), texto(fila, QStringLiteral("ACFJ_COD"))},
                        {QStringLiteral("descripcion"), texto(fila, QStringLiteral("ACFJ_DESC"))}},
            {}};
}

// ---- articles

SeleccionArticulos::SeleccionArticulos(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                                       const QVariantMap& argumentos)
    : Seleccion(db, interaccion, manejador) {
    setFiltroInicial(argumentos.value(QStringLiteral("filtro")).toString());
}

QString SeleccionArticulos::titulo() const { return QStringLiteral("Artículos"); }

std::vector<ColumnaSeleccion> SeleccionArticulos::columnas() const {
    return {{QStringLiteral("ARTI_COD"), QStringLiteral("Código"), 15},
            {QStringLiteral("ARTI_NOMBRE"), QStringLiteral("Nombre"), 40},
            {QStringLiteral("ARTI_UNIDAD"), QStringLiteral("Unidad"), 8}};
}

QString SeleccionArticulos::consulta(const QString& texto) const {
    return QStringLiteral("select a.ARTI_COD, a.ARTI_NOMBRE, a.ARTI_UNIDAD from ARTICULOS a where a.ARTI_ESTADO = 'A'") +
           condicion(texto, {QStringLiteral("a.ARTI_COD")}, {QStringLiteral("a.ARTI_NOMBRE")}) +
           QStringLiteral(" order by a.ARTI_COD");
}

Eleccion SeleccionArticulos::elegir(const RecordRef& fila) const {
    return {QVariantMap{{QStringLiteral("codigo"), texto(fila, QStringLiteral("ARTI_COD"))},
                        {QStringLiteral("nombre"), texto(fila, QStringLiteral("ARTI_NOMBRE"))}},
            {}};
}

// ---- purchase invoices

SeleccionFacturasCompra::SeleccionFacturasCompra(fb::Database& db, Interaccion& interaccion,
                                                 ManejadorErrores& manejador, const QVariantMap& argumentos)
    : Seleccion(db, interaccion, manejador), nit_(argumentos.value(QStringLiteral("nit")).toString().trimmed()) {
    setFiltroInicial(argumentos.value(QStringLiteral("filtro")).toString());
}

QString SeleccionFacturasCompra::titulo() const { return QStringLiteral("Facturas de compra"); }

std::vector<ColumnaSeleccion> SeleccionFacturasCompra::columnas() const {
    return {{QStringLiteral("PREF_PRE"), QStringLiteral("Prefijo"), 6},
            {QStringLiteral("FACO_NUMERO"), QStringLiteral("Número"), 10},
            {QStringLiteral("FACO_FECHA"), QStringLiteral("Fecha"), 0},
            {QStringLiteral("FACO_NUMPROV"), QStringLiteral("Nro. proveedor"), 15},
            {QStringLiteral("TERC_NOM"), QStringLiteral("Proveedor"), 34}};
}

QString SeleccionFacturasCompra::consulta(const QString& texto) const {
    QString s = QStringLiteral("select f.FACO_ID, f.PREF_PRE, f.FACO_NUMERO, f.FACO_FECHA, f.FACO_NUMPROV, t.TERC_NOM "
                               "from FACTURAS_COMPRA f left join TERCEROS t on t.TERC_NIT = f.TERC_NIT where f.FACO_ID > 0");
    if (!nit_.isEmpty()) s += QStringLiteral(" and f.TERC_NIT = ") + sql::texto(nit_);
    return s + condicion(texto, {QStringLiteral("f.FACO_NUMERO")}, {QStringLiteral("f.FACO_NUMPROV")}) +
           QStringLiteral(" order by f.FACO_FECHA desc, f.FACO_NUMERO desc");
}

Eleccion SeleccionFacturasCompra::elegir(const RecordRef& fila) const {
    return {QVariantMap{{QStringLiteral("id"), qlonglong(fila.asInt(QStringLiteral("FACO_ID")))},
                        {QStringLiteral("numero"),
                         texto(fila, QStringLiteral("PREF_PRE")) + texto(fila, QStringLiteral("FACO_NUMERO"))}},
            {}};
}

std::unique_ptr<Seleccion> crearSeleccion(const QString& nombre, fb::Database& db, Interaccion& interaccion,
                                          ManejadorErrores& manejador, const QVariantMap& argumentos) {
    if (nombre == selectores::kCuentas) return std::make_unique<SeleccionCuentas>(db, interaccion, manejador, argumentos);
    if (nombre == selectores::kCentros) return std::make_unique<SeleccionCentros>(db, interaccion, manejador, argumentos);
    if (nombre == selectores::kTerceros)
        return std::make_unique<SeleccionTerceros>(db, interaccion, manejador, argumentos);
    if (nombre == selectores::kActivos) return std::make_unique<SeleccionActivos>(db, interaccion, manejador, argumentos);
    if (nombre == selectores::kArticulos)
        return std::make_unique<SeleccionArticulos>(db, interaccion, manejador, argumentos);
    if (nombre == selectores::kFacturasCompra)
        return std::make_unique<SeleccionFacturasCompra>(db, interaccion, manejador, argumentos);
    return nullptr;
}

}  // namespace cxp
