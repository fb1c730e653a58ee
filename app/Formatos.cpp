#include "app/Formatos.h"

#include <QLocale>
#include <clocale>

namespace cxp::formatos {

void aplicar() {
    // Spanish (Mexico) writes numbers as the program does, "," thousands and
    // "." decimals, with Spanish day and month names.
    QLocale local(QLocale::Spanish, QLocale::Mexico);
    local.setNumberOptions(QLocale::DefaultNumberOptions);
    QLocale::setDefault(local);
    std::setlocale(LC_NUMERIC, "C");
}

QString moneda(const Dinero& valor) {
    const QString t = valor.texto(2);
    return t.startsWith(QLatin1Char('-')) ? QStringLiteral("-$") + t.mid(1) : QStringLiteral("$") + t;
}

QString fecha(const QDate& d) { return QLocale::c().toString(d, kFechaCorta); }

QString fechaLarga(const QDate& d) { return QLocale(QLocale::Spanish, QLocale::Mexico).toString(d, kFechaLarga); }

QString hora(const QTime& t) { return QLocale::c().toString(t, kHoraLarga); }

}  // namespace cxp::formatos
