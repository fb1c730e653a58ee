#pragma once
// The one place where SQL literals are written. Every value that goes into SQL
// text passes through here, so a person's text can never end a literal.
#include "base/Dinero.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <initializer_list>

namespace cxp::sql {

// 'O''Brien': quoted, inner quotes doubled; a null or empty text gives ''.
QString texto(QStringView valor);

// '2026/12/06' whatever the locale; an invalid date gives NULL. A year outside
// 1..9999 cannot be stored and throws std::invalid_argument.
QString fecha(QDate valor);
// '2026/12/06 13:05:09' (to the second); an invalid one gives NULL.
QString fechaHora(const QDateTime &valor);

// Plain numbers: "." decimals, no thousands, no quotes.
QString numero(const Dinero &valor);
QString numero(int64_t valor);

// ^[A-Za-z][A-Za-z0-9_$]{0,62}$
bool esIdentificador(QStringView nombre);
// A table, column or procedure name chosen at run time: returns the entry of
// the fixed list that equals nombre ignoring case, and throws
// std::invalid_argument when there is none. Qualified names ("t.terc_nom")
// pass when every part is an identifier.
QString identificador(QStringView nombre, std::initializer_list<QStringView> permitidos);
QString identificador(QStringView nombre, const QStringList &permitidos);

// LIKE patterns for search screens, quoted: contiene("abc") is '%abc%',
// empiezaPor("abc") is 'abc%'. The person's own % and _ keep their LIKE
// meaning (they only widen the match); quotes are doubled.
QString contiene(QStringView buscado);
QString empiezaPor(QStringView buscado);

} // namespace cxp::sql
