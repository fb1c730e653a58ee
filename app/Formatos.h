#pragma once
// The process-wide number and date formats. Whatever the machine's regional
// settings, numbers show "." decimals and "," thousands and dates read
// yyyy/mm/dd, on screen and in SQL text.
#include "base/Dinero.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace cxp::formatos {

inline const QString kFechaCorta = QStringLiteral("yyyy/MM/dd");
inline const QString kFechaLarga = QStringLiteral("dddd, MMMM dd, yyyy");
inline const QString kHoraLarga = QStringLiteral("HH:mm:ss");

// Sets the default QLocale (numbers "1,234.50", Spanish day and month
// names) and the C library's numeric locale. Call once, before any window
// is created.
void aplicar();

// "$1,234.50", "-$1,234.50": symbol first, no space, minus before it.
QString moneda(const Dinero& valor);

QString fecha(const QDate& d);       // 2026/12/06
QString fechaLarga(const QDate& d);  // domingo, diciembre 06, 2026
QString hora(const QTime& t);        // 13:05:09

}  // namespace cxp::formatos
