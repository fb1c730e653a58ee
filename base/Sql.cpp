#include "base/Sql.h"

#include <QList>
#include <algorithm>
#include <stdexcept>

namespace cxp::sql {

namespace {

// Firebird knows no backslash escapes: doubling the quote is all a literal needs.
QString entreComillas(QStringView prefijo, QStringView valor, QStringView sufijo)
{
    QString r;
    r.reserve(valor.size() + prefijo.size() + sufijo.size() + 8);
    r += u'\'';
    r += prefijo;
    for (QChar c : valor) {
        if (c == u'\'')
            r += u'\'';
        r += c;
    }
    r += sufijo;
    r += u'\'';
    return r;
}

QString dosDigitos(int n) { return QString::number(n).rightJustified(2, u'0'); }

QString textoFecha(QDate d)
{
    if (d.year() < 1 || d.year() > 9999)
        throw std::invalid_argument("sql::fecha: year outside 1..9999");
    return QString::number(d.year()).rightJustified(4, u'0') + u'/' + dosDigitos(d.month()) + u'/'
           + dosDigitos(d.day());
}

// "terc_nom" or a qualified "t.terc_nom".
bool esNombreCalificado(QStringView nombre)
{
    const auto partes = nombre.split(u'.');
    return partes.size() <= 3 && std::all_of(partes.begin(), partes.end(), esIdentificador);
}

template<typename Lista>
QString buscarPermitido(QStringView nombre, const Lista &permitidos)
{
    if (esNombreCalificado(nombre)) {
        for (const auto &p : permitidos) {
            if (QStringView(p).compare(nombre, Qt::CaseInsensitive) == 0)
                return QStringView(p).toString();
        }
    }
    throw std::invalid_argument("sql::identificador: name not allowed: " + nombre.toString().toStdString());
}

} // namespace

QString texto(QStringView valor) { return entreComillas({}, valor, {}); }

QString fecha(QDate valor)
{
    if (!valor.isValid())
        return QStringLiteral("NULL");
    return u'\'' + textoFecha(valor) + u'\'';
}

QString fechaHora(const QDateTime &valor)
{
    if (!valor.isValid())
        return QStringLiteral("NULL");
    const QTime t = valor.time();
    return u'\'' + textoFecha(valor.date()) + u' ' + dosDigitos(t.hour()) + u':' + dosDigitos(t.minute()) + u':'
           + dosDigitos(t.second()) + u'\'';
}

QString numero(const Dinero &valor) { return valor.textoPlano(); }

QString numero(int64_t valor) { return QString::number(static_cast<qlonglong>(valor)); }

bool esIdentificador(QStringView nombre)
{
    const auto letra = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
    const auto digito = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (nombre.isEmpty() || nombre.size() > 63 || !letra(nombre.front()))
        return false;
    return std::all_of(nombre.begin() + 1, nombre.end(),
                       [&](QChar c) { return letra(c) || digito(c) || c == u'_' || c == u'$'; });
}

QString identificador(QStringView nombre, std::initializer_list<QStringView> permitidos)
{
    return buscarPermitido(nombre, permitidos);
}

QString identificador(QStringView nombre, const QStringList &permitidos)
{
    return buscarPermitido(nombre, permitidos);
}

QString contiene(QStringView buscado) { return entreComillas(u"%", buscado, u"%"); }

QString empiezaPor(QStringView buscado) { return entreComillas({}, buscado, u"%"); }

} // namespace cxp::sql
