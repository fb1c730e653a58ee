#include "printing/motor/Formato.h"

#include "data/fb/Database.h"

#include <map>
#include <mutex>
#include <tuple>

namespace cxp {

namespace {

std::optional<int> entero(const fb::Value& v) {
    if (v.isNull()) return std::nullopt;
    return int(v.toInt64());
}

bool bandera(const fb::Value& v, bool siVacia) {
    const QString t = v.toString().trimmed();
    if (t.isEmpty()) return siVacia;
    return t == QLatin1String("S");
}

std::optional<Formato> leerDeLaBase(fb::Database& compania, int tipo, const QString& prefijo);

// Formats already read, per database file, with the FORMATOS_VERSION they
// were read under (read before the format, so a format changed meanwhile is
// at least as new as its counter and is read again on the next print).
struct Guardado {
    int64_t version = 0;
    std::optional<Formato> formato;
};
std::mutex cacheMutex;
std::map<std::tuple<QString, int, QString>, Guardado> cache;

}  // namespace

std::optional<Formato> leerFormato(fb::Database& compania, int tipo, const QString& prefijo) {
    const auto fila = compania.queryOne(QStringLiteral("SELECT FOVE_VERSION FROM FORMATOS_VERSION"));
    if (!fila) return leerDeLaBase(compania, tipo, prefijo);
    const int64_t version = (*fila)[0].toInt64();
    const auto clave = std::make_tuple(compania.params().database, tipo, prefijo);
    {
        std::lock_guard lock(cacheMutex);
        const auto it = cache.find(clave);
        if (it != cache.end() && it->second.version == version) return it->second.formato;
    }
    auto formato = leerDeLaBase(compania, tipo, prefijo);
    std::lock_guard lock(cacheMutex);
    cache[clave] = Guardado{version, formato};
    return formato;
}

namespace {

std::optional<Formato> leerDeLaBase(fb::Database& compania, int tipo, const QString& prefijo) {
    const std::vector<fb::Value> clave{tipo, prefijo};
    const auto fila = compania.queryOne(
        QStringLiteral("SELECT * FROM FORMATOS WHERE TIDO_COD = ? AND PREF_PRE = ?"), clave);
    if (!fila) return std::nullopt;
    Formato f;
    f.tipo = tipo;
    f.prefijo = prefijo;
    f.impresora = (*fila)["FORM_IMPRE"].toString().trimmed();
    f.nroItems = entero((*fila)["FORM_NROITEMS"]);
    f.paginas = bandera((*fila)["FORM_PAGINAS"], false);
    f.entrelinea = entero((*fila)["FORM_ENTRELINEA"]).value_or(0);
    f.fuente = (*fila)["FORM_FONT"].toString().trimmed();
    f.tamano = entero((*fila)["FORM_FSIZE"]).value_or(10);
    const auto& an = (*fila)["FORM_PAPELAN"];
    const auto& al = (*fila)["FORM_PAPELAL"];
    if (!an.isNull() && an.toDouble() > 0) f.papelAncho = an.toDouble();
    if (!al.isNull() && al.toDouble() > 0) f.papelAlto = al.toDouble();

    for (const fb::Row& r : compania.query(
             QStringLiteral("SELECT * FROM FORMATO_DATOS WHERE TIDO_COD = ? AND PREF_PRE = ? ORDER BY DAFO_ITEM"),
             clave)) {
        DatoFormato d;
        d.item = int(r["DAFO_ITEM"].toInt64());
        d.dato = r["DAFO_DATO"].toString().trimmed();
        d.imprime = bandera(r["DAFO_IMPRIME"], true);
        d.posX = entero(r["DAFO_POSX"]).value_or(0);
        d.posY = entero(r["DAFO_POSY"]).value_or(0);
        d.repite = bandera(r["DAFO_REPITE"], false);
        d.inicio = entero(r["DAFO_INI"]).value_or(1);
        d.longitud = entero(r["DAFO_LONG"]);
        d.formato = r["DAFO_FORMATO"].toString().trimmed();
        d.fuente = r["DAFO_FONT"].toString().trimmed();
        d.tamano = entero(r["DAFO_FSIZE"]);
        d.liquida = bandera(r["DAFO_LIQUIDA"], false);
        d.posYVariable = bandera(r["DAFO_POSYVAR"], false);
        f.datos.push_back(d);
    }
    for (const fb::Row& r : compania.query(
             QStringLiteral("SELECT * FROM FORMATO_LINEAS WHERE TIDO_COD = ? AND PREF_PRE = ? ORDER BY FOLI_ITEM"),
             clave)) {
        LineaFormato e;
        e.item = int(r["FOLI_ITEM"].toInt64());
        const QString tipoElemento = r["FOLI_TIPO"].toString().trimmed();
        e.tipo = tipoElemento.isEmpty() ? QChar(u'T') : tipoElemento.at(0);
        e.posX = entero(r["FOLI_POSX"]).value_or(0);
        e.posY = entero(r["FOLI_POSY"]).value_or(0);
        e.x = entero(r["FOLI_X"]).value_or(0);
        e.y = entero(r["FOLI_Y"]).value_or(0);
        e.cadena = r["FOLI_CADENA"].toString();
        e.fuente = r["FOLI_FONT"].toString().trimmed();
        e.tamano = entero(r["FOLI_FSIZE"]);
        e.liquida = bandera(r["FOLI_LIQUIDA"], false);
        if (!r["FOLI_IMAGEN"].isNull()) e.imagen = r["FOLI_IMAGEN"].toBytes();
        f.lineas.push_back(e);
    }
    return f;
}

}  // namespace

}  // namespace cxp
