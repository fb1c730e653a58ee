#include "documents/payments/Conceptos.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

namespace cxp {

namespace {
QString s(const char* t) { return QString::fromUtf8(t); }
}  // namespace

namespace pagos {

const DefinicionTabla& tablaConceptos() {
    static const DefinicionTabla d = [] {
        DefinicionTabla t;
        t.pantalla = s("Tfregconcxpagar");
        t.titulo = s("Conceptos por pagar");
        t.tabla = s("CONCEPTOS_CXPAGAR");
        t.clave = s("COCX_COD");
        t.orden = s("COCX_NOMBRE");
        t.columnas = {{s("COCX_COD"), s("Código")},          {s("COCX_NOMBRE"), s("Concepto")},
                      {s("COCX_MONTO"), s("Monto")},          {s("COCX_DB"), s("Cargo (S/N)")},
                      {s("COCX_PREF"), s("Prefijo")},         {s("COCX_IVAPORC"), s("IVA %")},
                      {s("COCX_RTFTEPORC"), s("Ret. fuente %")}, {s("COCX_RTIVAPORC"), s("Ret. IVA %")},
                      {s("COCX_RTICAPORC"), s("Ret. ICA x mil")}, {s("COCX_BASE"), s("Base mínima")},
                      {s("COCX_VER"), s("Visible")},          {s("COCX_CTACONTA"), s("Cta. contable")},
                      {s("COCX_CTAIVA"), s("Cta. IVA")},      {s("COCX_CTARTFTE"), s("Cta. ret. fuente")},
                      {s("COCX_CTARTIVA"), s("Cta. ret. IVA")}, {s("COCX_CTARTICA"), s("Cta. ret. ICA")}};
        t.cuentas = {s("COCX_CTACONTA"), s("COCX_CTAIVA"), s("COCX_CTARTFTE"), s("COCX_CTARTIVA"), s("COCX_CTARTICA")};
        return t;
    }();
    return d;
}

const DefinicionTabla& tablaClases() {
    static const DefinicionTabla d = [] {
        DefinicionTabla t;
        t.pantalla = s("Tfclaseegr");
        t.titulo = s("Clases de egreso");
        t.tabla = s("CLASE_EGRESO");
        t.clave = s("CLEG_ID");
        t.orden = s("CLEG_ID");
        t.columnas = {{s("CLEG_ID"), s("Código")}, {s("CLEG_NOMBRE"), s("Clase de egreso")}};
        return t;
    }();
    return d;
}

void proponerIdClase(DataSet& clases) {
    clases.onNewRecord([](DataSet& ds) {
        int64_t mayor = 0;
        for (int i = 0; i < ds.recordCount(); ++i) mayor = std::max(mayor, ds.row(i).asInt(QStringLiteral("CLEG_ID")));
        ds.setValue(QStringLiteral("CLEG_ID"), fb::Value(mayor + 1));
    });
}

}  // namespace pagos

// ---------------------------------------------------------------- concepts

Tfconcxpagar::Tfconcxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QString nit,
                           QDate fecha, ServiciosConceptos servicios, QObject* parent)
    : QObject(parent),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      nit_(std::move(nit)),
      fecha_(fecha),
      servicios_(std::move(servicios)) {}

bool Tfconcxpagar::abrir() {
    return manejador_.proteger([this] {
        conceptos_.open(sesion_.compania,
                        QStringLiteral("select COCX_COD, COCX_NOMBRE, COCX_MONTO, COCX_DB, COCX_PREF, COCX_IVAPORC, "
                                       "COCX_RTFTEPORC, COCX_RTIVAPORC, COCX_RTICAPORC, COCX_CTACONTA "
                                       "from CONCEPTOS_CXPAGAR where coalesce(COCX_VER, 'S') <> 'N' "
                                       "order by COCX_NOMBRE"));
        const DefinicionTabla& d = pagos::tablaConceptos();
        for (const auto& [c, t] : d.columnas)
            if (conceptos_.fieldIndex(c) >= 0) conceptos_.field(c).setLabel(t);
    });
}

PropuestaCargo Tfconcxpagar::propuesta() const {
    PropuestaCargo p;
    if (!conceptos_.isOpen() || conceptos_.isEmpty()) return p;
    const RecordRef r = conceptos_.current();
    p.nit = nit_;
    p.fecha = fecha_;
    p.prefijo = r.asString(QStringLiteral("COCX_PREF")).trimmed();
    p.concepto = r.asString(QStringLiteral("COCX_NOMBRE")).trimmed();
    p.cuenta = r.asString(QStringLiteral("COCX_CTACONTA")).trimmed();
    p.monto = r.asDinero(QStringLiteral("COCX_MONTO"));
    p.ivaPorc = r.asDinero(QStringLiteral("COCX_IVAPORC"));
    p.rtftePorc = r.asDinero(QStringLiteral("COCX_RTFTEPORC"));
    p.rtivaPorc = r.asDinero(QStringLiteral("COCX_RTIVAPORC"));
    p.rticaPorc = r.asDinero(QStringLiteral("COCX_RTICAPORC"));
    return p;
}

std::optional<QVariantMap> Tfconcxpagar::elegir() {
    if (!conceptos_.isOpen() || conceptos_.isEmpty()) return std::nullopt;
    const bool cargo = conceptos_.asString(QStringLiteral("COCX_DB")).trimmed() == QLatin1String("S");
    const auto& registrar = cargo ? servicios_.cargo : servicios_.descuento;
    if (!registrar) {
        interaccion_.informacion(kSinDescuentos);
        return std::nullopt;
    }
    const int64_t id = registrar(propuesta());
    if (id <= 0) return std::nullopt;
    auto r = documento(cargo ? 51 : 52, id);
    if (!r) return std::nullopt;
    eleccion_ = r;
    emit cerrar();
    return eleccion_;
}

std::optional<QVariantMap> Tfconcxpagar::documento(int tipo, int64_t id) {
    std::optional<QVariantMap> r;
    manejador_.proteger([&] {
        const auto nombre = sesion_.compania.queryOne(
            QStringLiteral("select tido_nomcorto from tipo_documento where tido_cod = ") + sql::numero(int64_t(tipo)));
        const QString sqlDoc = tipo == 51 ? QStringLiteral("select pref_pre, ndpr_numero from notas_debito_proveedor "
                                                           "where ndpr_id = ")
                                          : QStringLiteral("select pref_pre, ncpr_numero from notas_credito_proveedor "
                                                           "where ncpr_id = ");
        const auto doc = sesion_.compania.queryOne(sqlDoc + sql::numero(id));
        if (!nombre || !doc) return;
        r = QVariantMap{{pagos::kTipoNombre, (*nombre)[0].toString().trimmed()},
                        {pagos::kPrefijo, (*doc)[0].toString().trimmed()},
                        {pagos::kNumero, (*doc)[1].toString().trimmed()}};
    });
    return r;
}

void Tfconcxpagar::modificar() {
    interaccion_.abrirPantalla(pagos::tablaConceptos().pantalla);
    const QString codigo = conceptos_.isOpen() && !conceptos_.isEmpty()
                               ? conceptos_.asString(QStringLiteral("COCX_COD")) : QString();
    if (abrir() && !codigo.isEmpty()) conceptos_.locate(QStringLiteral("COCX_COD"), fb::Value(codigo));
}

// ---------------------------------------------------------------- documents in a box

Tfdocencaja::Tfdocencaja(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int caja,
                         QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador), caja_(caja) {}

bool Tfdocencaja::abrir() {
    return manejador_.proteger([this] {
        documentos_.open(sesion_.compania,
                         QStringLiteral("select d.FOPA_ID, f.FOPA_NOM, d.DPCA_BANCO, d.DPCA_CUENTA, d.DPCA_NUMERO, "
                                        "d.DPCA_MONTO from DOCUMENTOS_PAGO_CAJA d "
                                        "left join FORMAS_PAGO f on f.FOPA_ID = d.FOPA_ID where d.CAJA_ID = ") +
                             sql::numero(int64_t(caja_)) +
                             QStringLiteral(" and d.DPCA_TIPOSAL = 0 and d.DPCA_IDSAL = 0 "
                                            "order by f.FOPA_NOM, d.DPCA_BANCO, d.DPCA_NUMERO"));
        const std::pair<const char*, const char*> titulos[] = {{"FOPA_ID", "Forma"},     {"FOPA_NOM", "Forma de pago"},
                                                               {"DPCA_BANCO", "Banco"},  {"DPCA_CUENTA", "Cuenta"},
                                                               {"DPCA_NUMERO", "Número"}, {"DPCA_MONTO", "Monto"}};
        for (const auto& [c, t] : titulos) documentos_.field(QString::fromLatin1(c)).setLabel(s(t));
    });
}

std::optional<QVariantMap> Tfdocencaja::elegir(const std::vector<int>& filas) {
    QVariantList lista;
    if (documentos_.isOpen())
        for (int f : filas) {
            const RecordRef r = documentos_.row(f);
            if (!r.isValid()) continue;
            lista.append(QVariantMap{{QStringLiteral("FOPA_ID"), qlonglong(r.asInt(QStringLiteral("FOPA_ID")))},
                                     {QStringLiteral("EGCA_BANCO"), r.asString(QStringLiteral("DPCA_BANCO")).trimmed()},
                                     {QStringLiteral("EGCA_CUENTA"), r.asString(QStringLiteral("DPCA_CUENTA")).trimmed()},
                                     {QStringLiteral("EGCA_NUMERO"), r.asString(QStringLiteral("DPCA_NUMERO")).trimmed()},
                                     {QStringLiteral("EGCA_MONTO"), r.asDinero(QStringLiteral("DPCA_MONTO")).textoPlano()}});
        }
    if (lista.isEmpty()) {
        interaccion_.informacion(kSinSeleccion);
        return std::nullopt;
    }
    eleccion_ = QVariantMap{{pagos::kDocumentos, lista}};
    emit cerrar();
    return eleccion_;
}

// ---------------------------------------------------------------- receivables

SeleccionCartera::SeleccionCartera(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                                   const QVariantMap& argumentos)
    : Seleccion(db, interaccion, manejador),
      nit_(argumentos.value(QStringLiteral("TERC_NIT")).toString().trimmed()),
      fecha_(argumentos.value(QStringLiteral("EGRE_FECHA")).toDate()) {
    if (!fecha_.isValid()) fecha_ = QDate::currentDate();
}

QString SeleccionCartera::titulo() const { return QStringLiteral("Cartera del cliente ") + nit_; }

std::vector<ColumnaSeleccion> SeleccionCartera::columnas() const {
    return {{QStringLiteral("TIDO_NOMCORTO"), s("Tipo doc."), 9}, {QStringLiteral("PREFIJO"), s("Prefijo"), 6},
            {QStringLiteral("NUMERO"), s("Número"), 9},          {QStringLiteral("FECHA"), s("Fecha"), 10},
            {QStringLiteral("BRUTO"), s("Valor"), 14},           {QStringLiteral("SALDO"), s("Saldo"), 14},
            {QStringLiteral("SUCURSAL"), s("Sucursal"), 10}};
}

// The database lists what has a balance, with the same procedure that
// checks the crossing, so that what is listed is what can be crossed.
QString SeleccionCartera::consulta(const QString& texto) const {
    return QStringLiteral("select c.TIDO_NOMCORTO, c.PREFIJO, c.NUMERO, c.FECDOC FECHA, c.BRUTO, c.SALDO, c.SUCURSAL "
                          "from CARTERA_TERCERO(") +
           sql::texto(nit_) + u',' + sql::fecha(fecha_) + QStringLiteral(") c where 1 = 1") +
           condicion(texto, {QStringLiteral("c.PREFIJO"), QStringLiteral("c.NUMERO")}, {});
}

Eleccion SeleccionCartera::elegir(const RecordRef& fila) const {
    const QVariantMap doc{{pagos::kTipoNombre, fila.asString(QStringLiteral("TIDO_NOMCORTO")).trimmed()},
                          {pagos::kPrefijo, fila.asString(QStringLiteral("PREFIJO")).trimmed()},
                          {pagos::kNumero, fila.asString(QStringLiteral("NUMERO")).trimmed()}};
    return {QVariantMap{{pagos::kDocumentos, QVariantList{doc}}}, {}};
}

}  // namespace cxp
