#include "ledger/Pivote.h"

#include "data/DataSet.h"
#include "data/Importe.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>
#include <map>

namespace cxp::pivote {

namespace {

const QString kFormato = QStringLiteral("cxpagar-pivote");
const QString kAnio = QStringLiteral(":AÑO");
const QString kMes = QStringLiteral(":MES");

QString funcionTexto(Funcion f) { return f == Funcion::Cuenta ? QStringLiteral("cuenta") : QStringLiteral("suma"); }

// The field a grouping name reads, and which part of a date it takes.
struct Lectura {
    int indice = -1;
    int parte = 0;  // 0 the value, 1 the year, 2 the month
};

Lectura lectura(const DataSet& ds, const QString& campo) {
    int parte = 0;
    QString base = campo;
    if (campo.endsWith(kAnio, Qt::CaseInsensitive)) {
        parte = 1;
        base.chop(kAnio.size());
    } else if (campo.endsWith(kMes, Qt::CaseInsensitive)) {
        parte = 2;
        base.chop(kMes.size());
    }
    const int i = ds.fieldIndex(base);
    if (i < 0 || (parte != 0 && ds.field(i).type() != FieldType::Date)) return {};
    return {i, parte};
}

// A grouping value: its text and how it sorts.
struct Valor {
    QString texto;
    fb::Value orden;
};

Valor valorDe(const RecordRef& r, const DataSet& ds, const Lectura& l) {
    const fb::Value& v = r.value(l.indice);
    if (l.parte != 0) {
        const QDate d = v.isNull() ? QDate() : v.toDate();
        if (!d.isValid()) return {QString(), fb::Value()};
        if (l.parte == 1) return {QString::number(d.year()), fb::Value(int64_t(d.year()))};
        return {QStringLiteral("%1/%2").arg(d.year()).arg(d.month(), 2, 10, QLatin1Char('0')),
                fb::Value(int64_t(d.year() * 100 + d.month()))};
    }
    return {plainText(v).trimmed(), v};
}

// Nulls first; numbers by value, dates by date, text ignoring case.
int comparar(const fb::Value& a, const fb::Value& b) {
    if (a.isNull() && b.isNull()) return 0;
    if (a.isNull()) return -1;
    if (b.isNull()) return 1;
    const bool numA = a.is<int64_t>() || a.is<fb::Decimal>();
    const bool numB = b.is<int64_t>() || b.is<fb::Decimal>();
    if (numA && numB) {
        const Dinero x = dineroDe(a), y = dineroDe(b);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    if (a.is<QDate>() && b.is<QDate>()) return a.toDate() < b.toDate() ? -1 : (b.toDate() < a.toDate() ? 1 : 0);
    const int c = QString::compare(plainText(a).trimmed(), plainText(b).trimmed(), Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The key of a list of grouping values. Each value is led by a separator,
// so that a group whose value is empty or null ([""]) never shares the key
// of the level above it ([], the grand total or a subtotal).
QString unir(const QStringList& valores) {
    QString r;
    for (const QString& v : valores) r += QChar(0x1f) + v;
    return r;
}

struct Tupla {
    std::vector<Valor> valores;
    QStringList textos() const {
        QStringList r;
        for (const Valor& v : valores) r << v.texto;
        return r;
    }
};

bool menor(const Tupla& a, const Tupla& b) {
    for (size_t i = 0; i < a.valores.size() && i < b.valores.size(); ++i) {
        const int c = comparar(a.valores[i].orden, b.valores[i].orden);
        if (c != 0) return c < 0;
        const int t = QString::compare(a.valores[i].texto, b.valores[i].texto);
        if (t != 0) return t < 0;
    }
    return a.valores.size() < b.valores.size();
}

// The lines of one axis in order: each group's details followed by its
// subtotal, and the grand total last.
std::vector<Encabezado> eje(std::vector<Tupla> tuplas, int niveles, bool subtotales) {
    std::sort(tuplas.begin(), tuplas.end(), menor);
    std::vector<Encabezado> r;
    if (niveles == 0) {
        r.push_back({{}, Encabezado::Tipo::Total});
        return r;
    }
    QStringList anterior;
    auto cerrarHasta = [&](int nivel, const QStringList& previo) {
        // Subtotals of levels niveles-1 down to nivel+1 (prefixes of previo).
        if (!subtotales) return;
        for (int n = niveles - 1; n > nivel && n >= 1; --n) r.push_back({previo.mid(0, n), Encabezado::Tipo::Subtotal});
    };
    bool primero = true;
    for (const Tupla& t : tuplas) {
        const QStringList claves = t.textos();
        if (!primero) {
            int comun = 0;
            while (comun < niveles && claves.at(comun) == anterior.at(comun)) ++comun;
            if (comun == niveles) continue;  // the same line
            cerrarHasta(comun, anterior);
        }
        r.push_back({claves, Encabezado::Tipo::Detalle});
        anterior = claves;
        primero = false;
    }
    if (!primero) cerrarHasta(0, anterior);
    r.push_back({{}, Encabezado::Tipo::Total});
    return r;
}

}  // namespace

QString Dato::titulo() const {
    return (funcion == Funcion::Cuenta ? QStringLiteral("Cuenta de ") : QStringLiteral("Suma de ")) + tituloCampo(campo);
}

QString tituloCampo(const QString& campo) {
    if (campo.endsWith(kAnio, Qt::CaseInsensitive)) return QStringLiteral("Año de ") + campo.chopped(kAnio.size());
    if (campo.endsWith(kMes, Qt::CaseInsensitive)) return QStringLiteral("Mes de ") + campo.chopped(kMes.size());
    return campo;
}

QString Encabezado::texto() const {
    switch (tipo) {
    case Tipo::Total: return QStringLiteral("Total");
    case Tipo::Subtotal: return QStringLiteral("Total ") + claves.last();
    case Tipo::Detalle: break;
    }
    return claves.join(QStringLiteral(" / "));
}

QByteArray Diseno::aJson() const {
    QJsonArray d;
    for (const Dato& x : datos)
        d.append(QJsonObject{{QStringLiteral("campo"), x.campo}, {QStringLiteral("funcion"), funcionTexto(x.funcion)}});
    const QJsonObject o{{QStringLiteral("formato"), kFormato},
                        {QStringLiteral("version"), 1},
                        {QStringLiteral("filas"), QJsonArray::fromStringList(filas)},
                        {QStringLiteral("columnas"), QJsonArray::fromStringList(columnas)},
                        {QStringLiteral("datos"), d},
                        {QStringLiteral("subtotales"), subtotales}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

std::optional<Diseno> Diseno::deJson(const QByteArray& json, QString* error) {
    auto fallo = [error](const QString& e) -> std::optional<Diseno> {
        if (error) *error = e;
        return std::nullopt;
    };
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (doc.isNull() || !doc.isObject()) return fallo(QStringLiteral("no es un documento JSON: ") + pe.errorString());
    const QJsonObject o = doc.object();
    if (o.value(QStringLiteral("formato")).toString() != kFormato)
        return fallo(QStringLiteral("no es una plantilla de análisis"));
    auto lista = [](const QJsonValue& v, bool* ok) {
        QStringList r;
        if (v.isUndefined()) return r;
        if (!v.isArray()) {
            *ok = false;
            return r;
        }
        for (const QJsonValue& x : v.toArray()) {
            if (!x.isString() || x.toString().trimmed().isEmpty()) *ok = false;
            r << x.toString().trimmed();
        }
        return r;
    };
    bool ok = true;
    Diseno d;
    d.filas = lista(o.value(QStringLiteral("filas")), &ok);
    d.columnas = lista(o.value(QStringLiteral("columnas")), &ok);
    if (!ok) return fallo(QStringLiteral("\"filas\" y \"columnas\" deben ser listas de nombres de campo"));
    const QJsonValue datos = o.value(QStringLiteral("datos"));
    if (!datos.isUndefined() && !datos.isArray()) return fallo(QStringLiteral("\"datos\" debe ser una lista"));
    for (const QJsonValue& x : datos.toArray()) {
        const QJsonObject dx = x.toObject();
        const QString campo = dx.value(QStringLiteral("campo")).toString().trimmed();
        const QString f = dx.value(QStringLiteral("funcion")).toString(QStringLiteral("suma"));
        if (campo.isEmpty() || (f != QLatin1String("suma") && f != QLatin1String("cuenta")))
            return fallo(QStringLiteral("cada dato necesita \"campo\" y \"funcion\" suma o cuenta"));
        d.datos.append({campo, f == QLatin1String("cuenta") ? Funcion::Cuenta : Funcion::Suma});
    }
    d.subtotales = o.value(QStringLiteral("subtotales")).toBool(true);
    return d;
}

bool Diseno::guardar(const QString& ruta, QString* error) const {
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(aJson()) < 0 || !f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

std::optional<Diseno> Diseno::leer(const QString& ruta, QString* error) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString();
        return std::nullopt;
    }
    return deJson(f.readAll(), error);
}

QStringList Diseno::faltantes(const QStringList& campos) const {
    QStringList r;
    auto revisar = [&](const QString& c) {
        if (!campos.contains(c, Qt::CaseInsensitive) && !r.contains(c)) r << c;
    };
    for (const QString& c : filas) revisar(c);
    for (const QString& c : columnas) revisar(c);
    for (const Dato& d : datos) revisar(d.campo);
    return r;
}

Diseno Diseno::limitado(const QStringList& campos) const {
    Diseno r = *this;
    auto quitar = [&](QStringList& l) {
        l.erase(std::remove_if(l.begin(), l.end(), [&](const QString& c) { return !campos.contains(c, Qt::CaseInsensitive); }),
                l.end());
    };
    quitar(r.filas);
    quitar(r.columnas);
    r.datos.erase(std::remove_if(r.datos.begin(), r.datos.end(),
                                 [&](const Dato& d) { return !campos.contains(d.campo, Qt::CaseInsensitive); }),
                  r.datos.end());
    return r;
}

QStringList camposDisponibles(const DataSet& ds) {
    QStringList r, fechas;
    for (int i = 0; i < ds.fieldCount(); ++i) {
        r << ds.field(i).name();
        if (ds.field(i).type() == FieldType::Date) fechas << ds.field(i).name();
    }
    for (const QString& f : fechas) r << f + kAnio << f + kMes;
    return r;
}

bool esSumable(const DataSet& ds, const QString& campo) {
    const int i = ds.fieldIndex(campo);
    return i >= 0 && (ds.field(i).type() == FieldType::Integer || ds.field(i).type() == FieldType::Decimal);
}

QString Resultado::clave(const QStringList& fila, const QStringList& columna) {
    return unir(fila) + QChar(0x1e) + unir(columna);
}

Dinero Resultado::valor(int fila, int columna, int dato) const {
    const auto it = celdas.constFind(clave(filas.at(size_t(fila)).claves, columnas.at(size_t(columna)).claves));
    if (it == celdas.constEnd() || dato < 0 || size_t(dato) >= it->size()) return {};
    return (*it)[size_t(dato)];
}

bool Resultado::ocupada(int fila, int columna) const {
    return celdas.contains(clave(filas.at(size_t(fila)).claves, columnas.at(size_t(columna)).claves));
}

Resultado calcular(const DataSet& ds, const Diseno& diseno) {
    Resultado r;
    r.diseno = diseno.limitado(camposDisponibles(ds));
    const Diseno& d = r.diseno;
    std::vector<Lectura> lf, lc;
    for (const QString& c : d.filas) lf.push_back(lectura(ds, c));
    for (const QString& c : d.columnas) lc.push_back(lectura(ds, c));
    struct Medida {
        int indice;
        bool suma;
    };
    std::vector<Medida> medidas;
    for (const Dato& x : d.datos)
        medidas.push_back({ds.fieldIndex(x.campo), x.funcion == Funcion::Suma && esSumable(ds, x.campo)});

    std::map<QString, Tupla> tuplasFila, tuplasColumna;
    const int nf = int(lf.size()), nc = int(lc.size());
    for (int i = 0; ds.isOpen() && i < ds.recordCount(); ++i) {
        const RecordRef rec = ds.row(i);
        Tupla tf, tc;
        for (const Lectura& l : lf) tf.valores.push_back(valorDe(rec, ds, l));
        for (const Lectura& l : lc) tc.valores.push_back(valorDe(rec, ds, l));
        const QStringList kf = tf.textos(), kc = tc.textos();
        tuplasFila.emplace(unir(kf), tf);
        tuplasColumna.emplace(unir(kc), tc);
        std::vector<Dinero> valores;
        for (const Medida& m : medidas)
            valores.push_back(m.suma ? dineroDe(rec.value(m.indice)) : Dinero::desdeEntero(1));
        // The row adds to its own cell and to every subtotal above it.
        for (int a = 0; a <= nf; ++a)
            for (int b = 0; b <= nc; ++b) {
                std::vector<Dinero>& celda = r.celdas[Resultado::clave(kf.mid(0, a), kc.mid(0, b))];
                if (celda.empty()) celda.resize(valores.size());
                for (size_t k = 0; k < valores.size(); ++k) celda[k] += valores[k];
            }
    }
    std::vector<Tupla> vf, vc;
    for (auto& [k, t] : tuplasFila) vf.push_back(t);
    for (auto& [k, t] : tuplasColumna) vc.push_back(t);
    r.filas = eje(vf, nf, d.subtotales);
    r.columnas = eje(vc, nc, d.subtotales);
    return r;
}

}  // namespace cxp::pivote
