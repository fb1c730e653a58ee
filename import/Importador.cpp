#include "import/Importador.h"

#include "base/Nit.h"
#include "base/Redondeo.h"
#include "data/Configuracion.h"
#include "data/fb/Database.h"
#include "documents/CadenaMontos.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <array>
#include <memory>
#include <stdexcept>

namespace cxp::importacion {

namespace {

const QString kCxpagar = QStringLiteral("CXPAGAR");
const QString kDocumentos = QStringLiteral("DOCUMENTOS");

// A check that failed: the datum and why.
struct Falla {
    QString dato;
    QString razon;
};

// The data each kind recognises and the characters each one may hold.
const QHash<QString, int>& largos(int tipo) {
    static const QHash<QString, int> proveedores{
        {"TERC_NIT", 20},      {"TERC_NOM", 60},       {"TERC_DIR", 60},       {"TERC_CIU", 40},
        {"CIUD_COD", 5},       {"TERC_TEL", 40},       {"TERC_CONTACTO", 60},  {"TERC_FAX", 25},
        {"TERC_CEL", 25},      {"TERC_TIPOID", 1},     {"TERC_APELLIDO1", 60}, {"TERC_APELLIDO2", 60},
        {"TERC_NOMBRE1", 60},  {"TERC_NOMBRE2", 60},   {"PROV_COD", 15},       {"GRPR_COD", 2},
        {"TERC_DV", 1}};
    static const QHash<QString, int> grupos{{"GRPR_COD", 2}, {"GRPR_NOM", 40}};
    // Amounts and dates are checked by their parsers: 0 here.
    static const QHash<QString, int> saldos{
        {"TIPODOC", 1},     {"PREFIJO", 4},      {"NUMERO", 6},         {"NUMERO PROVEEDOR", 15},
        {"FECHA", 0},       {"NIT", 20},         {"VENCE", 0},          {"CONCEPTO", 60},
        {"MONTO", 0},       {"CENTRO", 4},       {"SUBCENTRO", 4},      {"CTAPAGAR", 20},
        {"CTACAUSA", 20},   {"CTAPAGAR NIIF", 20}, {"CTACAUSA NIIF", 20}, {"EXENTOS", 0},
        {"GRAVADOS1", 0},   {"GRAVADOS2", 0},    {"IVAMONTO", 0},       {"IVA1", 0},
        {"IVA2", 0},        {"RTEFTEMONTO", 0},  {"RTEIVAMONTO", 0},    {"RTEICAMONTO", 0}};
    static const QHash<QString, int> ninguno;
    switch (tipo) {
    case kProveedores: return proveedores;
    case kGrupos: return grupos;
    case kSaldosIniciales: return saldos;
    }
    return ninguno;
}

// The data of one line, trimmed; empty fields are absent.
class Registro {
public:
    int linea = 0;
    QHash<QString, QString> valores;
    QString operator[](const QString& dato) const { return valores.value(dato); }
    bool tiene(const QString& dato) const { return valores.contains(dato); }
    fb::Value texto(const QString& dato) const {
        const auto it = valores.constFind(dato);
        return it == valores.cend() ? fb::Value() : fb::Value(*it);
    }
};

// The database holds ISO8859-1 text: anything beyond it, and control
// characters, refuse the record instead of being replaced.
void compruebeTexto(const Registro& r, const QHash<QString, int>& largo) {
    for (auto it = r.valores.cbegin(); it != r.valores.cend(); ++it) {
        for (const QChar c : *it) {
            if (c.unicode() > 0xFF)
                throw Falla{it.key(), QStringLiteral("Carácter que la base de datos no admite: «%1»").arg(c)};
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                throw Falla{it.key(), QStringLiteral("Carácter de control en el dato")};
        }
        const int max = largo.value(it.key());
        if (max > 0 && it->size() > max)
            throw Falla{it.key(), QStringLiteral("El dato tiene %1 caracteres; caben %2").arg(it->size()).arg(max)};
    }
}

Dinero monto(const Registro& r, const QString& dato) {
    bool valido = true;
    const auto m = montoDelArchivo(r[dato], &valido);
    if (!valido) throw Falla{dato, QStringLiteral("Monto no válido o ambiguo: %1").arg(r[dato])};
    return m.value_or(Dinero());
}

QDate fecha(const Registro& r, const QString& dato) {
    const QString t = r[dato];
    for (const char* f : {"yyyy/MM/dd", "yyyy-MM-dd", "dd/MM/yyyy", "d/M/yyyy", "yyyyMMdd"}) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(f));
        if (d.isValid() && d.year() >= 1900 && d.year() <= 9999) return d;
    }
    throw Falla{dato, t.isEmpty() ? QStringLiteral("Falta la fecha") : QStringLiteral("Fecha no válida: %1").arg(t)};
}

fb::Value dec(Dinero v, int escala) { return fb::Decimal{v.escalado(escala), escala}; }

// rate = amount × factor / divisor, two decimals; nothing when the divisor is 0.
Dinero tasaDerivada(Dinero monto, int64_t factor, Dinero divisor) {
    if (divisor.esCero() || monto.esCero()) return Dinero();
    return Redondear(monto * factor / divisor, -2);
}

struct Columna {
    const char* nombre;
    const char* tipo;
};

// EXECUTE BLOCK that writes a charge or a discount: the prefix made when it
// is missing (active, not automatic, its current number the document's),
// the id from the table's id procedure, the row. One statement: all or
// nothing.
QString bloqueDocumento(bool cargo, const std::vector<Columna>& columnas) {
    const QString tido = cargo ? QStringLiteral("51") : QStringLiteral("52");
    const QString tabla = cargo ? QStringLiteral("NOTAS_DEBITO_PROVEEDOR") : QStringLiteral("NOTAS_CREDITO_PROVEEDOR");
    const QString proc = cargo ? QStringLiteral("CAMBIE_ID_NOTADBPROV") : QStringLiteral("CAMBIE_ID_NOTACRPROV");
    const QString id = cargo ? QStringLiteral("NDPR_ID") : QStringLiteral("NCPR_ID");
    const QString numero = cargo ? QStringLiteral("NDPR_NUMERO") : QStringLiteral("NCPR_NUMERO");
    QStringList params, nombres, valores;
    for (const Columna& c : columnas) {
        params << QStringLiteral("%1 %2 = ?").arg(QLatin1String(c.nombre), QLatin1String(c.tipo));
        nombres << QLatin1String(c.nombre);
        valores << QStringLiteral(":") + QLatin1String(c.nombre);
    }
    return QStringLiteral(
               "execute block (%1) returns (ID integer) as begin "
               "if (not exists(select 1 from prefijos where tido_cod = %2 and pref_pre = :PREF_PRE)) then "
               "insert into prefijos (tido_cod, pref_pre, pref_actual, pref_auto, pref_ivainc, pref_activo) "
               "values (%2, :PREF_PRE, :%3, 'N', 'N', 'S'); "
               "execute procedure %4 returning_values :ID; "
               "insert into %5 (%6, TIDO_COD, %7) values (:ID, %2, %8); suspend; end")
        .arg(params.join(u", "), tido, numero, proc, tabla, id, nombres.join(u", "), valores.join(u", "));
}

const std::vector<Columna>& columnasCargo() {
    static const std::vector<Columna> c{
        {"TERC_NIT", "varchar(20)"},        {"PREF_PRE", "varchar(4)"},         {"NDPR_NUMERO", "varchar(6)"},
        {"NDPR_FECHA", "date"},             {"NDPR_VENCE", "date"},             {"NDPR_CONC", "varchar(60)"},
        {"NDPR_NUMPROV", "varchar(15)"},    {"NDPR_MONTO", "numeric(15,2)"},    {"NDPR_BASERTFTE", "numeric(15,2)"},
        {"NDPR_IVAMONTO", "numeric(15,2)"}, {"NDPR_RTFTEPORC", "numeric(15,4)"}, {"NDPR_RTFTEMONTO", "numeric(15,2)"},
        {"NDPR_RTIVAPORC", "numeric(15,4)"}, {"NDPR_RTIVAMONTO", "numeric(15,2)"}, {"NDPR_RTICAPORC", "numeric(15,4)"},
        {"NDPR_RTICAMONTO", "numeric(15,2)"}, {"NDPR_RTCREEM", "numeric(15,2)"}, {"NDPR_DTO1P", "numeric(15,4)"},
        {"NDPR_DTO2P", "numeric(15,4)"},    {"NDPR_DTO3P", "numeric(15,4)"},    {"NDPR_DTO4P", "numeric(15,4)"},
        {"NDPR_DTO1M", "numeric(15,2)"},    {"NDPR_DTO2M", "numeric(15,2)"},    {"NDPR_DTO3M", "numeric(15,2)"},
        {"NDPR_DTO4M", "numeric(15,2)"},    {"NDPR_BASE0", "numeric(15,2)"},    {"NDPR_BASE1", "numeric(15,2)"},
        {"NDPR_BASE2", "numeric(15,2)"},    {"NDPR_IVA1", "numeric(15,2)"},     {"NDPR_IVA2", "numeric(15,2)"},
        {"NDPR_PROY", "varchar(4)"},        {"NDPR_CENTRO", "varchar(4)"},      {"NDPR_CTAPAGAR", "varchar(20)"},
        {"NDPR_CTACAUSA", "varchar(20)"},   {"NDPR_CTAPAGARN", "varchar(20)"},  {"NDPR_CTACAUSAN", "varchar(20)"},
        {"NDPR_USUARIO", "varchar(10)"},    {"NDPR_ANULADO", "char(1)"},        {"NDPR_TRANSMIT", "char(1)"},
        {"NDPR_TRM", "double precision"}};
    return c;
}

const std::vector<Columna>& columnasDescuento() {
    static const std::vector<Columna> c{
        {"TERC_NIT", "varchar(20)"},        {"PREF_PRE", "varchar(4)"},         {"NCPR_NUMERO", "varchar(6)"},
        {"NCPR_FECHA", "date"},             {"NCPR_CONC", "varchar(60)"},       {"NCPR_MONTO", "numeric(15,2)"},
        {"NCPR_BASERTFTE", "numeric(15,2)"}, {"NCPR_IVAMONTO", "numeric(15,2)"}, {"NCPR_RTFTEPORC", "numeric(15,4)"},
        {"NCPR_RTFTEMONTO", "numeric(15,2)"}, {"NCPR_RTIVAPORC", "numeric(15,4)"}, {"NCPR_RTIVAMONTO", "numeric(15,2)"},
        {"NCPR_RTICAPORC", "numeric(15,4)"}, {"NCPR_RTICAMONTO", "numeric(15,2)"}, {"NCPR_BASE0", "numeric(15,2)"},
        {"NCPR_BASE1", "numeric(15,2)"},    {"NCPR_BASE2", "numeric(15,2)"},    {"NCPR_IVA1", "numeric(15,2)"},
        {"NCPR_IVA2", "numeric(15,2)"},     {"NCPR_PROY", "varchar(4)"},        {"NCPR_CENTRO", "varchar(4)"},
        {"NCPR_CTAPAGAR", "varchar(20)"},   {"NCPR_CTACAUSA", "varchar(20)"},   {"NCPR_CTAPAGARN", "varchar(20)"},
        {"NCPR_CTACAUSAN", "varchar(20)"},  {"NCPR_USUARIO", "varchar(10)"},    {"NCPR_ANULADO", "char(1)"},
        {"NCPR_TRANSMIT", "char(1)"},       {"NCPR_TRM", "double precision"}};
    return c;
}

// A creditor or third party written whole: inserted, or updated in the data
// the line brings; its creditor row likewise. ACTUALIZADO says which.
const QString kBloqueProveedor = QStringLiteral(
    "execute block (NIT varchar(20) = ?, NOM varchar(60) = ?, COMPUESTO varchar(60) = ?, DIR varchar(60) = ?, "
    "CIU varchar(40) = ?, CIUD varchar(5) = ?, TEL varchar(40) = ?, CONTACTO varchar(60) = ?, FAX varchar(25) = ?, "
    "CEL varchar(25) = ?, TIPOID varchar(1) = ?, AP1 varchar(60) = ?, AP2 varchar(60) = ?, N1 varchar(60) = ?, "
    "N2 varchar(60) = ?, DV varchar(1) = ?, COD varchar(15) = ?, GRUPO varchar(2) = ?) "
    "returns (ACTUALIZADO integer) as begin "
    "ACTUALIZADO = 0; "
    "if (exists(select 1 from terceros where terc_nit = :NIT)) then begin "
    "  ACTUALIZADO = 1; "
    "  update terceros set terc_nom = coalesce(:NOM, terc_nom), terc_dir = coalesce(:DIR, terc_dir), "
    "  terc_ciu = coalesce(:CIU, terc_ciu), ciud_cod = coalesce(:CIUD, ciud_cod), terc_tel = coalesce(:TEL, terc_tel), "
    "  terc_contacto = coalesce(:CONTACTO, terc_contacto), terc_fax = coalesce(:FAX, terc_fax), "
    "  terc_cel = coalesce(:CEL, terc_cel), terc_tipoid = coalesce(:TIPOID, terc_tipoid), "
    "  terc_apellido1 = coalesce(:AP1, terc_apellido1), terc_apellido2 = coalesce(:AP2, terc_apellido2), "
    "  terc_nombre1 = coalesce(:N1, terc_nombre1), terc_nombre2 = coalesce(:N2, terc_nombre2), "
    "  terc_dv = coalesce(:DV, terc_dv), terc_prov = 'S' where terc_nit = :NIT; "
    "end else "
    "  insert into terceros (terc_nit, terc_nom, terc_dir, terc_ciu, ciud_cod, terc_tel, terc_contacto, terc_fax, "
    "  terc_cel, terc_tipoid, terc_apellido1, terc_apellido2, terc_nombre1, terc_nombre2, terc_dv, terc_clie, "
    "  terc_prov, terc_empl) values (:NIT, coalesce(:NOM, :COMPUESTO, 'Sin Nombre'), :DIR, :CIU, :CIUD, :TEL, "
    "  :CONTACTO, :FAX, :CEL, :TIPOID, :AP1, :AP2, :N1, :N2, :DV, 'N', 'S', 'N'); "
    "if (exists(select 1 from proveedores where terc_nit = :NIT)) then "
    "  update proveedores set prov_cod = coalesce(:COD, prov_cod), grpr_cod = coalesce(:GRUPO, grpr_cod) "
    "  where terc_nit = :NIT; "
    "else "
    "  insert into proveedores (terc_nit, prov_cod, grpr_cod, prov_simplificado) values (:NIT, :COD, :GRUPO, 'N'); "
    "suspend; end");

struct PerfilAcreedor {
    QString ctaPagar, ctaCausa;
    bool simplificado = false;
    Dinero baseRtfte, baseRtica;
};

Dinero dinero(const fb::Value& v) {
    if (v.isNull()) return Dinero();
    const fb::Decimal d = v.toDecimal();
    return Dinero::desdeEscalado(d.unscaled, d.scale);
}

}  // namespace

std::optional<Dinero> montoDelArchivo(const QString& texto, bool* valido) {
    if (valido) *valido = true;
    const QString t = texto.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ambiguo = false;
    auto m = Dinero::desdeTextoTecleado(t, &ambiguo);
    if (!m || ambiguo) {
        if (valido) *valido = false;
        return std::nullopt;
    }
    return m;
}

QString Resumen::texto() const {
    QString t = QStringLiteral("Importación finalizada.\n\nRegistros leídos: %1\nImportados: %2\nActualizados: %3\nRechazados: %4")
                    .arg(leidos)
                    .arg(importados)
                    .arg(actualizados)
                    .arg(rechazados);
    if (interrumpida) t += QStringLiteral("\n\nImportación interrumpida después de la línea %1.").arg(ultimaLinea);
    if (!archivoRechazos.isEmpty()) t += QStringLiteral("\n\nLos registros rechazados quedaron en %1").arg(archivoRechazos);
    return t;
}

std::vector<ColumnaMapa> mapaGuardado(fb::Database& db, int tipo) {
    std::vector<ColumnaMapa> mapa;
    for (const fb::Row& f : db.query(QStringLiteral("select imin_dato, imin_columna, imin_ancho from importacion_inventario "
                                                    "where imin_tipo = ? order by imin_columna, imin_dato"),
                                     {tipo}))
        mapa.push_back({f[0].toString().trimmed(), int(f[1].toInt64()), int(f[2].toInt64()), true});
    return mapa;
}

std::vector<int> anchosDelMapa(const std::vector<ColumnaMapa>& mapa) {
    // A column typed far out would ask for a huge layout: fields past 4096
    // are no line's.
    int columnas = 0;
    for (const ColumnaMapa& c : mapa) columnas = std::max(columnas, std::min(c.columna, 4096));
    std::vector<int> anchos(size_t(std::max(columnas, 0)), 0);
    for (const ColumnaMapa& c : mapa)
        if (c.columna >= 1 && c.columna <= 4096) anchos[size_t(c.columna - 1)] = std::max(anchos[size_t(c.columna - 1)], c.ancho);
    return anchos;
}

// What one run holds: the parameters read at set-up, the sets loaded once
// and the statements of the current transaction.
struct Importador::Estado {
    int tipo = 0;
    bool letrasEnNit = false;
    bool baseMinima = false;
    int digito = 0;
    std::array<Dinero, 4> dtoPorc{};
    QSet<QString> grupos;
    QHash<QString, PerfilAcreedor> acreedores;
    bool cargo = true;  // the document kind carried from line to line
    std::unique_ptr<fb::Transaction> tr;
    std::unique_ptr<fb::Statement> escritura, escrituraDescuento;
};

Importador::Importador(fb::Database& db, const Configuracion& configuracion, QString usuario)
    : db_(db), configuracion_(configuracion), usuario_(std::move(usuario)) {}

Resumen Importador::importarArchivo(int tipo, const QString& ruta, const FormatoArchivo& formato,
                                    const std::vector<ColumnaMapa>& mapa, const Avance& avance) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error(f.errorString().toStdString());
    const QByteArray contenido = f.readAll();
    f.close();
    Resumen r = importar(tipo, contenido, formato, mapa, avance);
    if (!r.rechazos.empty() || r.interrumpida) {
        const QString destino = ruta + QStringLiteral(".rechazados.txt");
        QSaveFile s(destino);
        if (s.open(QIODevice::WriteOnly | QIODevice::Text)) {
            QString t = QStringLiteral("Línea\tDato\tRazón\n");
            for (const Rechazo& x : r.rechazos) t += QStringLiteral("%1\t%2\t%3\n").arg(x.linea).arg(x.dato, x.razon);
            if (r.interrumpida) t += QStringLiteral("Importación interrumpida después de la línea %1\n").arg(r.ultimaLinea);
            s.write(t.toUtf8());
            if (s.commit()) r.archivoRechazos = destino;
        }
    }
    return r;
}

Resumen Importador::importar(int tipo, const QByteArray& contenido, const FormatoArchivo& formatoDado,
                             const std::vector<ColumnaMapa>& mapaDado, const Avance& avance) {
    Estado e;
    e.tipo = tipo;
    auto parametro = [&](const QString& modulo, const QString& grupo, const QString& nombre) {
        return configuracion_.buscar(modulo, grupo, nombre).value_or(QString()).trimmed();
    };
    e.letrasEnNit = parametro(QStringLiteral("CONTABILIDAD"), QStringLiteral("TERCEROS"),
                              QStringLiteral("PERMITIR LETRAS Y CARACTERES ADICIONALES EN NIT")) == QLatin1String("SI");
    e.baseMinima = parametro(kCxpagar, kDocumentos,
                             QStringLiteral("CAUSAR RETENCIONES A PARTIR DE LA BASE MINIMA DEL PROVEEDOR O DESDE CERO")) ==
                   QLatin1String("BASE MINIMA");
    e.digito = parametro(kCxpagar, kDocumentos, QStringLiteral("REDONDEO AL MULTIPLO DE DIEZ EN TOTALES")).toInt();
    if (parametro(kCxpagar, kDocumentos, QStringLiteral("INCLUIR CAMPOS DE DESCUENTOS ADICIONALES EN CARGOS POR PAGAR")) ==
        QLatin1String("SI")) {
        const char* nombres[4] = {"PRIMER", "SEGUNDO", "TERCER", "CUARTO"};
        for (int i = 0; i < 4; ++i)
            e.dtoPorc[size_t(i)] =
                Dinero::desdeTexto(parametro(kCxpagar, kDocumentos,
                                             QStringLiteral("PORCENTAJE DEL %1 DESCUENTO ADICIONAL EN CARGOS")
                                                 .arg(QLatin1String(nombres[i]))))
                    .value_or(Dinero());
    }
    if (tipo == kGrupos)
        for (const fb::Row& f : db_.query(QStringLiteral("select grpr_cod from grupos_proveedores")))
            e.grupos.insert(f[0].toString().trimmed());
    if (tipo == kSaldosIniciales)
        for (const fb::Row& f : db_.query(QStringLiteral(
                 "select terc_nit, prov_ctapagar, prov_ctacausa, prov_simplificado, prov_rtftebase, prov_rticabase "
                 "from proveedores")))
            e.acreedores.insert(f[0].toString().trimmed(),
                                {f[1].toString(), f[2].toString(), f[3].toString() == QLatin1String("S"), dinero(f[4]),
                                 dinero(f[5])});

    // Only the data this kind knows and the user left marked.
    const QHash<QString, int>& largo = largos(tipo);
    std::vector<ColumnaMapa> mapa;
    for (const ColumnaMapa& c : mapaDado)
        if (c.importar && c.columna >= 1 && largo.contains(c.dato)) mapa.push_back(c);
    std::stable_sort(mapa.begin(), mapa.end(), [](const ColumnaMapa& a, const ColumnaMapa& b) { return a.columna < b.columna; });
    FormatoArchivo formato = formatoDado;
    if (formato.anchoFijo) formato.anchos = anchosDelMapa(mapaDado);

    auto abrir = [&] {
        e.tr = std::make_unique<fb::Transaction>(db_);
        e.escritura.reset();
        e.escrituraDescuento.reset();
        if (tipo == kProveedores) e.escritura = std::make_unique<fb::Statement>(*e.tr, kBloqueProveedor);
        if (tipo == kGrupos)
            e.escritura = std::make_unique<fb::Statement>(
                *e.tr, QStringLiteral("insert into grupos_proveedores (grpr_cod, grpr_nom) values (?, ?)"));
        if (tipo == kSaldosIniciales) {
            e.escritura = std::make_unique<fb::Statement>(*e.tr, bloqueDocumento(true, columnasCargo()));
            e.escrituraDescuento = std::make_unique<fb::Statement>(*e.tr, bloqueDocumento(false, columnasDescuento()));
        }
    };
    auto cerrar = [&] {
        e.escritura.reset();
        e.escrituraDescuento.reset();
        if (e.tr) e.tr->commit();
        e.tr.reset();
    };

    Resumen resumen;
    LectorTexto lector(contenido, formato);
    LineaLeida linea;
    int enLote = 0;
    abrir();
    while (lector.siguiente(linea)) {
        ++resumen.leidos;
        resumen.ultimaLinea = linea.numero;
        Registro r;
        r.linea = linea.numero;
        QString actual, documento;
        try {
            if (linea.vacia) throw Falla{QString(), QStringLiteral("Línea vacía")};
            for (const ColumnaMapa& c : mapa) {
                if (c.columna > linea.campos.size()) continue;
                const QString v = linea.campos[c.columna - 1].trimmed();
                if (!v.isEmpty()) r.valores.insert(c.dato, v);
            }
            if (r.valores.isEmpty()) throw Falla{QString(), QStringLiteral("Línea sin datos")};
            compruebeTexto(r, largo);
            bool actualizado = false;
            if (tipo == kProveedores) {
                const QString nit = r["TERC_NIT"];
                actual = r.tiene("TERC_NOM") ? r["TERC_NOM"] : nit;
                if (nit.isEmpty()) throw Falla{QStringLiteral("TERC_NIT"), QStringLiteral("Falta el NIT")};
                if (!e.letrasEnNit)
                    for (const QChar c : nit)
                        if (!c.isDigit() || c.unicode() > 0x7F)
                            throw Falla{QStringLiteral("TERC_NIT"), QStringLiteral("El NIT solo admite dígitos: %1").arg(nit)};
                if (r.tiene("TERC_DV")) {
                    const auto d = dv(nit);
                    if (!d || QString::number(*d) != r["TERC_DV"])
                        throw Falla{QStringLiteral("TERC_DV"),
                                    QStringLiteral("El dígito de verificación %1 no corresponde al NIT %2").arg(r["TERC_DV"], nit)};
                }
                QStringList partes;
                for (const char* p : {"TERC_APELLIDO1", "TERC_APELLIDO2", "TERC_NOMBRE1", "TERC_NOMBRE2"})
                    if (r.tiene(QLatin1String(p))) partes << r[QLatin1String(p)];
                const QString compuesto = partes.join(u' ').left(60);
                e.escritura->bind({nit, r.texto("TERC_NOM"), compuesto.isEmpty() ? fb::Value() : fb::Value(compuesto),
                                   r.texto("TERC_DIR"), r.texto("TERC_CIU"), r.texto("CIUD_COD"), r.texto("TERC_TEL"),
                                   r.texto("TERC_CONTACTO"), r.texto("TERC_FAX"), r.texto("TERC_CEL"),
                                   r.texto("TERC_TIPOID"), r.texto("TERC_APELLIDO1"), r.texto("TERC_APELLIDO2"),
                                   r.texto("TERC_NOMBRE1"), r.texto("TERC_NOMBRE2"), r.texto("TERC_DV"),
                                   r.texto("PROV_COD"), r.texto("GRPR_COD")});
                const auto salida = e.escritura->fetchAll();
                actualizado = !salida.empty() && salida.front().at(0).toInt64() == 1;
            } else if (tipo == kGrupos) {
                const QString cod = r["GRPR_COD"];
                actual = r["GRPR_NOM"];
                if (cod.isEmpty()) throw Falla{QStringLiteral("GRPR_COD"), QStringLiteral("Falta el código del grupo")};
                if (e.grupos.contains(cod))
                    throw Falla{QStringLiteral("GRPR_COD"), QStringLiteral("El grupo %1 ya existe").arg(cod)};
                if (actual.isEmpty()) throw Falla{QStringLiteral("GRPR_NOM"), QStringLiteral("Falta el nombre del grupo")};
                e.escritura->bind({cod, actual});
                e.escritura->execute();
                e.grupos.insert(cod);
            } else {
                // The document type of a line holds for the whole line and
                // carries over to the lines that do not give one.
                if (r.tiene("TIPODOC")) e.cargo = r["TIPODOC"].compare(QLatin1String("D"), Qt::CaseInsensitive) == 0;
                const bool cargo = e.cargo;
                actual = r["CONCEPTO"];
                const Dinero bruto = monto(r, QStringLiteral("MONTO"));
                if (bruto.esCero()) throw Falla{QStringLiteral("MONTO"), QStringLiteral("Falta el monto o es cero")};
                if (bruto.signo() < 0) throw Falla{QStringLiteral("MONTO"), QStringLiteral("El monto no puede ser negativo")};
                const QString prefijo = r["PREFIJO"];
                if (prefijo.isEmpty()) throw Falla{QStringLiteral("PREFIJO"), QStringLiteral("Falta el prefijo")};
                QString numero = r["NUMERO"];
                if (numero.isEmpty()) throw Falla{QStringLiteral("NUMERO"), QStringLiteral("Falta el número")};
                for (const QChar c : numero)
                    if (c < u'0' || c > u'9')
                        throw Falla{QStringLiteral("NUMERO"), QStringLiteral("El número solo admite dígitos: %1").arg(numero)};
                numero = numero.rightJustified(6, u'0');
                documento = QStringLiteral("Documento: %1 %2").arg(prefijo, numero);
                const QString nit = r["NIT"];
                if (nit.isEmpty()) throw Falla{QStringLiteral("NIT"), QStringLiteral("Falta el NIT")};
                const auto perfil = e.acreedores.constFind(nit);
                if (perfil == e.acreedores.cend())
                    throw Falla{QStringLiteral("NIT"), QStringLiteral("El NIT %1 no es de un proveedor").arg(nit)};
                const QDate dia = fecha(r, QStringLiteral("FECHA"));
                const QDate vence = r.tiene("VENCE") ? fecha(r, QStringLiteral("VENCE")) : dia;
                const Dinero iva = monto(r, QStringLiteral("IVAMONTO"));
                const Dinero rtfte = monto(r, QStringLiteral("RTEFTEMONTO"));
                const Dinero rtiva = monto(r, QStringLiteral("RTEIVAMONTO"));
                const Dinero rtica = monto(r, QStringLiteral("RTEICAMONTO"));
                const Dinero base0 = monto(r, QStringLiteral("EXENTOS")), base1 = monto(r, QStringLiteral("GRAVADOS1")),
                             base2 = monto(r, QStringLiteral("GRAVADOS2")), iva1 = monto(r, QStringLiteral("IVA1")),
                             iva2 = monto(r, QStringLiteral("IVA2"));
                auto cuenta = [&](const char* dato, const QString& delAcreedor) {
                    return r.tiene(QLatin1String(dato)) ? fb::Value(r[QLatin1String(dato)])
                                                        : (delAcreedor.isEmpty() ? fb::Value() : fb::Value(delAcreedor));
                };
                std::vector<fb::Value> v;
                if (cargo) {
                    CadenaMontos c;
                    CadenaMontos::Reglas reglas;
                    reglas.digito = e.digito;
                    reglas.baseMinima = e.baseMinima;
                    c.fijeReglas(reglas);
                    c.nuevoAcreedor(perfil->baseRtfte, perfil->baseRtica, perfil->simplificado);
                    for (int i = 0; i < 4; ++i) c.m.dtoPorc[size_t(i)] = e.dtoPorc[size_t(i)];
                    c.cambieSubTotal(bruto);
                    if (!iva.esCero()) c.digiteIva(iva);
                    // Typed withholdings give their rates and stay as typed,
                    // unless the base does not pass the creditor's minimum.
                    const Dinero b = c.m.baseRtfte;
                    if (!rtfte.esCero()) {
                        c.m.rtftePorc = tasaDerivada(rtfte, 100, b);
                        c.retencionRecibida(Retencion::Fuente, rtfte);
                    }
                    if (!rtiva.esCero()) {
                        c.m.rtivaPorc = tasaDerivada(rtiva, 100, c.m.ivaMonto);
                        c.retencionRecibida(Retencion::Iva, rtiva);
                    }
                    if (!rtica.esCero()) {
                        c.m.rticaPorc = tasaDerivada(rtica, 1000, b);
                        c.retencionRecibida(Retencion::Ica, rtica);
                    }
                    const MontosDocumento& m = c.m;
                    v = {nit, prefijo, numero, dia, vence, r.texto("CONCEPTO"), r.texto("NUMERO PROVEEDOR"),
                         dec(m.monto, -2), dec(m.baseRtfte, -2), dec(m.ivaMonto, -2), dec(m.rtftePorc, -4),
                         dec(m.rtfteMonto, -2), dec(m.rtivaPorc, -4), dec(m.rtivaMonto, -2), dec(m.rticaPorc, -4),
                         dec(m.rticaMonto, -2), dec(m.creeMonto, -2)};
                    for (int i = 0; i < 4; ++i) v.push_back(dec(m.dtoPorc[size_t(i)], -4));
                    for (int i = 0; i < 4; ++i) v.push_back(dec(m.dtoMonto[size_t(i)], -2));
                } else {
                    const Dinero rtftePorc = tasaDerivada(rtfte, 100, bruto), rtivaPorc = tasaDerivada(rtiva, 100, iva),
                                 rticaPorc = tasaDerivada(rtica, 1000, bruto);
                    v = {nit, prefijo, numero, dia, r.texto("CONCEPTO"), dec(bruto, -2), dec(bruto, -2), dec(iva, -2),
                         dec(rtftePorc, -4), dec(rtfte, -2), dec(rtivaPorc, -4), dec(rtiva, -2), dec(rticaPorc, -4),
                         dec(rtica, -2)};
                }
                for (const Dinero& x : {base0, base1, base2, iva1, iva2}) v.push_back(dec(x, -2));
                v.insert(v.end(), {r.texto("CENTRO"), r.texto("SUBCENTRO"), cuenta("CTAPAGAR", perfil->ctaPagar),
                                   cuenta("CTACAUSA", perfil->ctaCausa), r.texto("CTAPAGAR NIIF"), r.texto("CTACAUSA NIIF"),
                                   usuario_.left(10), QStringLiteral("N"), QStringLiteral("N"), 1.0});
                fb::Statement& s = cargo ? *e.escritura : *e.escrituraDescuento;
                s.bind(v);
                if (s.fetchAll().size() != 1) throw Falla{QStringLiteral("NUMERO"), QStringLiteral("El documento no se guardó")};
            }
            if (actualizado) ++resumen.actualizados;
            else ++resumen.importados;
            ++enLote;
        } catch (const Falla& f) {
            resumen.rechazos.push_back({r.linea, f.dato, f.razon});
        } catch (const fb::DbError& err) {
            const QString clave = tipo == kProveedores ? r["TERC_NIT"]
                                  : tipo == kGrupos    ? r["GRPR_COD"]
                                                       : r["PREFIJO"] + u' ' + r["NUMERO"];
            resumen.rechazos.push_back({r.linea, clave, err.text().simplified()});
        }
        if (enLote >= lote_) {
            cerrar();
            abrir();
            enLote = 0;
        }
        if (avance && !avance(lector.leidos(), lector.total(), actual, documento)) {
            resumen.interrumpida = lector.leidos() < lector.total();
            break;
        }
    }
    cerrar();
    resumen.rechazados = int(resumen.rechazos.size());
    return resumen;
}

}  // namespace cxp::importacion
