#include "printing/motor/Formato.h"

#include "data/fb/Database.h"

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

}  // namespace

std::optional<Formato> leerFormato(fb::Database& compania, int tipo, const QString& prefijo) {
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

}  // namespace cxp
