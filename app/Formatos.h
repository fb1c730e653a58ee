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
inline const QString kFechaLarga = QStringLiteral("dddd, d 'de' MMMM 'de' yyyy");
inline const QString kHoraLarga = QStringLiteral("HH:mm:ss");

// Sets the default QLocale (numbers "1,234.50", Spanish day and month
// names), the C library's numeric locale and Qt's Spanish translations of
// its standard dialogs. Call once, after the application object and before
// any window is created.
void aplicar();
// Qt's Spanish translations are loaded (the Debian package is installed).
bool traducido();

// "$1,234.50", "-$1,234.50": symbol first, no space, minus before it.
QString moneda(const Dinero& valor);

QString fecha(const QDate& d);       // 2026/12/06
QString fechaLarga(const QDate& d);  // domingo, 6 de diciembre de 2026
QString hora(const QTime& t);        // 13:05:09

}  // namespace cxp::formatos
